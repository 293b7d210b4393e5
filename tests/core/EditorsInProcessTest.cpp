// The two editors run in the test over the simulated host's toolkit, so
// that the state block and the injected failures can be seen: a store that
// fails on OK, one editor while the other is open, and the canvas's drawing.
#include <functional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "ModalSteps.h"
#include "editors/Editors.h"
#include "hostsim/FrontEnd.h"
#include "hostsim/suites/FaultInjector.h"

namespace {

using hostsim::toolkit::DrawOp;
using nlohmann::json;

class Editors : public ModalDialogTest {
 protected:
  void Click(ADMDialogRef d, int32_t id) {
    EXPECT_EQ(kit().Click(d, id, 0), hostsim::toolkit::ActionStatus::kDone) << "item " << id;
  }

  std::vector<std::string> Alerts() {
    std::vector<std::string> alerts;
    const json dump = host().Dump();
    for (const json& event : dump["events"])
      if (event["type"] == "alert") alerts.push_back(event["text"]);
    return alerts;
  }

};

constexpr int32_t kOk = 1, kCancel = 2, kCanvas = 12;

TEST_F(Editors, FailedPointStoreIsToldAndTheArrowheadIsKeptInMemory) {
  host().faults().Add(hostsim::FailedStore("PtFlEditX3"));
  screen_->Reset({[&](ADMDialogRef d) {
    Click(d, 19);  // "Arrow 2.": 10 points
    Click(d, kOk);
  }});
  EXPECT_EQ(RunArrowsEditor(), kNoErr);
  EXPECT_EQ(screen_->opened(), 1u);
  EXPECT_EQ(g().NbPtsFlEdit, 10);
  EXPECT_EQ(g().PtFlEdit.X[9], 7.5f);
  // The stores after the failed one still ran.
  EXPECT_EQ(std::get<double>(*prefs().Find(kSettingsSection, "PtFlEditX19")), 6.0);
  EXPECT_EQ(std::get<int32_t>(*prefs().Find(kSettingsSection, "NbPtsFlEdit")), 10);
  EXPECT_EQ(Alerts(), std::vector<std::string>{"The arrowhead could not be saved."});
  EXPECT_FALSE(g().ArrowEditorOpen);
}

TEST_F(Editors, ShapeEditorIsNotOpenedTwiceNorWithTheArrowsEditor) {
  screen_->Reset({[&](ADMDialogRef d) {
    EXPECT_TRUE(g().ShapeEditorOpen);
    EXPECT_EQ(RunShapeEditor("bidon"), kNoErr);
    EXPECT_EQ(RunArrowsEditor(), kNoErr);
    EXPECT_FALSE(g().ArrowEditorOpen);
    Click(d, kCancel);
  }});
  EXPECT_EQ(RunShapeEditor("bidon"), kNoErr);
  EXPECT_EQ(screen_->opened(), 1u);
  EXPECT_FALSE(g().ShapeEditorOpen);
}

TEST_F(Editors, OneEditorDoesNotOpenWhileTheOtherIsOpen) {
  screen_->Reset({[&](ADMDialogRef d) {
    EXPECT_TRUE(g().ArrowEditorOpen);
    EXPECT_EQ(RunShapeEditor("bidon"), kNoErr);
    EXPECT_EQ(RunArrowsEditor(), kNoErr);
    EXPECT_FALSE(g().ShapeEditorOpen);
    Click(d, kCancel);
  }});
  EXPECT_EQ(RunArrowsEditor(), kNoErr);
  EXPECT_EQ(screen_->opened(), 1u);
  EXPECT_FALSE(g().ArrowEditorOpen);
  EXPECT_EQ(g().NbPtsFlEdit, 6);  // Cancel kept the saved arrowhead
}

TEST_F(Editors, CanvasDrawsTheOutlineHandlesAndTheSelectedFrame) {
  std::size_t anchorSquares = 0, frames = 0, polygons = 0;
  bool frameAtTheTip = false;
  ADMRGBColor fill{1, 1, 1};
  g().RVBC = 1;
  g().RougeGrisC = 200;
  g().VertC = 10.7f;
  g().BleuC = 0;
  screen_->Reset({[&](ADMDialogRef d) {
    Click(d, 21);  // "Arrow 4.": three points, solid
    const auto* painted = kit().Paint(d);
    ASSERT_NE(painted, nullptr);
    const auto* canvas = painted->ListOf(kCanvas);
    ASSERT_NE(canvas, nullptr);
    // The anchor is selected: its button shows a frame, the tangent buttons a dot.
    const auto* anchorButton = painted->ListOf(27);
    const auto* inButton = painted->ListOf(28);
    ASSERT_NE(anchorButton, nullptr);
    ASSERT_NE(inButton, nullptr);
    const auto has = [](const auto* list, DrawOp op, ADMRect r) {
      for (const auto& record : list->records)
        if (record.op == op && record.rect.left == r.left && record.rect.top == r.top &&
            record.rect.right == r.right && record.rect.bottom == r.bottom)
          return true;
      return false;
    };
    EXPECT_TRUE(has(anchorButton, DrawOp::FrameRect, {1, 3, 7, 9}));
    EXPECT_TRUE(has(inButton, DrawOp::FillOval, {2, 4, 6, 8}));
    EXPECT_FALSE(has(inButton, DrawOp::FrameOval, {1, 3, 7, 9}));
    for (const auto& record : canvas->records) {
      if (record.op == DrawOp::FillPolygon) ++polygons, fill = record.color;
      if (record.op == DrawOp::FillRect && record.rect.right - record.rect.left == 4) ++anchorSquares;
      if (record.op == DrawOp::FrameRect && record.rect.right - record.rect.left == 6) {
        ++frames;
        // Point 0 at the tip, pixel (130, 130): the frame from (127, 127) to (133, 133).
        frameAtTheTip = record.rect.left == 127 && record.rect.top == 127 && record.rect.bottom == 133;
      }
    }
    Click(d, kCancel);
  }});
  EXPECT_EQ(RunArrowsEditor(), kNoErr);
  EXPECT_EQ(polygons, 1u);
  // Three anchors, the selected one again in white, and the line start.
  EXPECT_EQ(anchorSquares, 5u);
  EXPECT_EQ(frames, 1u);
  EXPECT_TRUE(frameAtTheTip);
  // The RGB outline colour: whole components times 255.
  EXPECT_EQ(fill.red, 51000);
  EXPECT_EQ(fill.green, 2550);
  EXPECT_EQ(fill.blue, 0);
}

TEST_F(Editors, HollowOutlineIsOneLineAPieceInTheGreyOutlineColour) {
  std::size_t outlineLines = 0;
  g().RVBC = 0;
  g().RougeGrisC = 40;  // 40 % grey: (100 - 40) * 255 * 255 / 100 = 39015
  screen_->Reset({[&](ADMDialogRef d) {
    Click(d, 18);  // "Arrow 1.": six angle points, closed
    Click(d, 14);  // hollow
    const auto* painted = kit().Paint(d);
    ASSERT_NE(painted, nullptr);
    for (const auto& record : painted->ListOf(kCanvas)->records) {
      if (record.op == DrawOp::Line && record.admColor < 0 && record.color.red == 39015 &&
          record.color.blue == 39015)
        ++outlineLines;
    }
    Click(d, kCancel);
  }});
  EXPECT_EQ(RunArrowsEditor(), kNoErr);
  EXPECT_EQ(outlineLines, 6u);  // six straight segments, the closing one included
}

TEST_F(Editors, ShapeEditorOkStoresTheCornerAndBothSymmetricKeys) {
  host().faults().Add(hostsim::FailedStore("CoinBD"));
  screen_->Reset({[&](ADMDialogRef d) {
    Click(d, 20);  // "Predefined shape 3.": 7 points, symmetric
    Click(d, kOk);
  }});
  EXPECT_EQ(RunShapeEditor("bidon"), kNoErr);
  EXPECT_EQ(g().NbPtsArrondiEdit, 7);
  EXPECT_TRUE(g().SymetriEdit);
  EXPECT_EQ(std::get<bool>(*prefs().Find(kSettingsSection, "SymetriEdit")), true);
  EXPECT_EQ(std::get<bool>(*prefs().Find(kSettingsSection, "SymetrieArrondiEdit")), true);
  EXPECT_EQ(std::get<double>(*prefs().Find(kSettingsSection, "PtArEditX6")), 6.0);
  EXPECT_EQ(Alerts(), std::vector<std::string>{"The label corner could not be saved."});
  EXPECT_FALSE(g().ShapeEditorOpen);
}

}  // namespace
