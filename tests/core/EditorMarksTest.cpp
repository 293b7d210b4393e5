// The editors' marks take the colour of the layer that holds the pending
// label, read from the pictures the editors paint, with the real library.
#include <string>

#include "ModalScreen.h"
#include "hostsim/document/Document.h"
#include "hostsim/toolkit/Toolkit.h"

namespace {

constexpr int32_t kArrowsEditorFlyout = 4, kShapeEditorFlyout = 5;

class EditorMarks : public LaunchedWithScreenTest {
 protected:
  void SetUp() override {
    LaunchedWithScreenTest::SetUp();
    ASSERT_TRUE(User().SelectTool().done());
  }

  // A label drawn on a new layer of that colour (0..1 each).
  void DrawLabelOnLayerOfColour(AIThreeColorStyle colour) {
    hostsim::UserActions user = User();
    ASSERT_TRUE(user.AddLayer("coloured", false, false).done());
    for (const hostsim::Layer& layer : host().document().layers())
      if (layer.title == "coloured") host().document().FindLayer(layer.id)->colour = colour;
    ASSERT_TRUE(user.PointerMove({100, 100}).done());
    ASSERT_TRUE(user.MouseDown({100, 100}).done());
    ASSERT_TRUE(user.Drag({180, 160}).done());
    ASSERT_TRUE(user.Drag({180, 160}).done());
    ASSERT_TRUE(user.MouseUp({180, 160}).done());
  }

  // Whether the editor opened from that flyout entry paints anything in the colour.
  bool PaintsIn(int32_t flyout, ADMRGBColor colour) {
    bool found = false, opened = false;
    screen_->onModal = [&](hostsim::Host& h, ADMDialogRef d) {
      opened = true;
      const auto* picture = h.dialogs().Paint(d);
      if (picture == nullptr) return;
      for (const auto& item : picture->items)
        for (const auto& r : item.list.records)
          if (r.color.red == colour.red && r.color.green == colour.green && r.color.blue == colour.blue) found = true;
    };
    EXPECT_TRUE(User().FlyoutPick(flyout).done());
    EXPECT_TRUE(opened) << "flyout " << flyout;
    screen_->onModal = {};
    return found;
  }

};

// 0.25, 0.5 and 0.75 of 65535, truncated.
constexpr ADMRGBColor kLayerColour = {16383, 32767, 49151};
constexpr ADMRGBColor kDefaultMarks = {20223, 32767, 65535};

TEST_F(EditorMarks, WithoutAPendingLabelTheMarksHaveTheDefaultColour) {
  EXPECT_TRUE(PaintsIn(kArrowsEditorFlyout, kDefaultMarks));
  EXPECT_TRUE(PaintsIn(kShapeEditorFlyout, kDefaultMarks));
}

TEST_F(EditorMarks, TheMarksTakeTheColourOfTheLayerHoldingThePendingLabel) {
  DrawLabelOnLayerOfColour({0.25f, 0.5f, 0.75f});
  EXPECT_TRUE(PaintsIn(kArrowsEditorFlyout, kLayerColour));
  EXPECT_FALSE(PaintsIn(kArrowsEditorFlyout, kDefaultMarks));
  EXPECT_TRUE(PaintsIn(kShapeEditorFlyout, kLayerColour));
  EXPECT_FALSE(PaintsIn(kShapeEditorFlyout, kDefaultMarks));
}

}  // namespace
