// What the panel paints and asks the screen to paint again: the display
// lists its draw procedures leave, the pictures the Preferences dialog gives
// its buttons, and the items it redraws when a toggle changes their look.
#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

#include "PluginHost.h"
#include "hostsim/UserActions.h"
#include "hostsim/toolkit/DisplayList.h"
#include "hostsim/toolkit/Toolkit.h"

namespace {

using hostsim::toolkit::DisplayList;
using hostsim::toolkit::DrawOp;
using hostsim::toolkit::DrawRecord;

// Flyout positions (separators count) and item ids of the panel.
constexpr int32_t kFlyoutColors = 3, kFlyoutPreferences = 7, kFlyoutHelp = 9;
constexpr int32_t kEqualSides = 34, kRectangleButton = 51, kTriangleButton = 53;
constexpr int32_t kHelpNext = 61, kHelpPrevious = 62, kHelpPageShown = 136;
// Preferences: corner radius and OK; Colors and options: background swatch,
// background switch, OK.
constexpr int32_t kPrefsRadius = 16, kOk = 1;
constexpr int32_t kColorsBackgroundSwatch = 125, kColorsBackgroundSwitch = 134, kColorsFirstComponent = 127;

// A screen that records which items it was asked to paint again and works a
// modal dialog with the test's own steps.
class RecordingScreen : public hostsim::NullFrontEnd {
 public:
  explicit RecordingScreen(hostsim::Host& host) : host_(host) {}
  std::function<void(hostsim::UserActions&)> modalSteps;
  std::vector<int32_t> redrawn;

  void RunModal(hostsim::Host& host, ADMDialogRef) override {
    hostsim::UserActions person(host);
    if (modalSteps) modalSteps(person);
  }
  void Redraw(ADMDialogRef, ADMItemRef item) override {
    if (const auto* found = host_.dialogs().FindItem(item)) redrawn.push_back(found->id);
  }

 private:
  hostsim::Host& host_;
};

class PanelPainting : public PluginHostTest {
 protected:
  void Start() {
    hostsim::Host& h = OpenHost();
    auto screen = std::make_unique<RecordingScreen>(h);
    screen_ = screen.get();
    h.SetFrontEnd(std::move(screen));
    ASSERT_EQ(h.Launch(), kNoErr);
    person_ = std::make_unique<hostsim::UserActions>(h);
    ASSERT_TRUE(person_->SelectTool().done());
  }

  hostsim::UserActions& person() { return *person_; }
  RecordingScreen& screen() { return *screen_; }
  ADMDialogRef panel() { return host().dialogs().Panel(); }
  const hostsim::toolkit::Item& PanelItem(int32_t id) {
    const auto* item = host().dialogs().ItemById(panel(), id);
    EXPECT_NE(item, nullptr) << "no panel item " << id;
    return *item;
  }

  // What an item, or the panel's own background (id 0), drew at the last paint.
  DisplayList Painted(int32_t id) {
    const hostsim::toolkit::DialogPicture* picture = host().dialogs().Paint(panel());
    if (picture == nullptr) return {};
    if (id == 0) return picture->background;
    const DisplayList* list = picture->ListOf(id);
    return list != nullptr ? *list : DisplayList{};
  }

  static std::vector<int32_t> PicturesIn(const DisplayList& list) {
    std::vector<int32_t> pictures;
    for (const DrawRecord& r : list.records) {
      if (r.op == DrawOp::Picture) pictures.push_back(r.picture);
    }
    return pictures;
  }

  static const DrawRecord* FilledAt(const DisplayList& list, ADMRect rect) {
    for (const DrawRecord& r : list.records) {
      if (r.op == DrawOp::FillRect && r.rect.left == rect.left && r.rect.top == rect.top &&
          r.rect.right == rect.right && r.rect.bottom == rect.bottom) {
        return &r;
      }
    }
    return nullptr;
  }

 private:
  RecordingScreen* screen_ = nullptr;
  std::unique_ptr<hostsim::UserActions> person_;
};

bool Contains(const std::vector<int32_t>& ids, int32_t id) { return std::find(ids.begin(), ids.end(), id) != ids.end(); }

TEST_F(PanelPainting, TheRectangleButtonFollowsTheSignOfTheCornerRadius) {
  Start();
  const struct {
    double radius;
    int32_t drawn, picture, selected;
  } cases[] = {{3, 181, 171, 181}, {-2, 182, 172, 182}, {0, 180, 170, 180}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.radius);
    screen().modalSteps = [&](hostsim::UserActions& p) {
      EXPECT_TRUE(p.ItemValue(kPrefsRadius, c.radius).done());
      // The Preferences dialog gives the panel's button its picture at once.
      EXPECT_EQ(PanelItem(kRectangleButton).picture, c.picture);
      EXPECT_EQ(PanelItem(kRectangleButton).selectedPicture, c.selected);
      EXPECT_TRUE(p.ItemClick(kOk, {}).done());
    };
    ASSERT_TRUE(person().FlyoutPick(kFlyoutPreferences).done());
    // The rectangle is the shape in force at a first start: its button is
    // drawn with its selected picture.
    EXPECT_EQ(PicturesIn(Painted(kRectangleButton)), std::vector<int32_t>{c.drawn});
  }
}

TEST_F(PanelPainting, EqualSidesRedrawsTheTriangleButtonWithItsOtherPicture) {
  Start();
  const std::vector<int32_t> before = PicturesIn(Painted(kTriangleButton));
  screen().redrawn.clear();
  ASSERT_TRUE(person().ItemClick(kEqualSides, {}).done());
  EXPECT_TRUE(Contains(screen().redrawn, kTriangleButton)) << "the triangle button keeps its old look on screen";
  const std::vector<int32_t> after = PicturesIn(Painted(kTriangleButton));
  ASSERT_EQ(before.size(), 1u);
  ASSERT_EQ(after.size(), 1u);
  // 174 is the triangle as wide as its text, 175 the equilateral one.
  EXPECT_EQ(before[0] + after[0], 174 + 175);
  EXPECT_NE(before[0], after[0]);
}

TEST_F(PanelPainting, TheSwatchShowsTheBackgroundBarOrAWhiteBarCrossedInRed) {
  Start();
  // Without a background: the bar is white and crossed from (12, 94) to (15, 84).
  DisplayList drawn = Painted(0);
  const DrawRecord* bar = FilledAt(drawn, {12, 84, 16, 95});
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(bar->admColor, kADMWhiteColor);
  const bool crossed = std::any_of(drawn.records.begin(), drawn.records.end(), [](const DrawRecord& r) {
    return r.op == DrawOp::Line && r.admColor == kADMRedColor && r.points.size() == 2 && r.points[0].h == 12 &&
           r.points[0].v == 94 && r.points[1].h == 15 && r.points[1].v == 84;
  });
  EXPECT_TRUE(crossed);

  // A 40 % grey background switched on in the Colors and options dialog
  // reaches the drawer as trunc(60 x 255 x 255 / 100) on every channel.
  screen().modalSteps = [&](hostsim::UserActions& p) {
    EXPECT_TRUE(p.ItemClick(kColorsBackgroundSwatch, {}).done());
    EXPECT_TRUE(p.ItemClick(kColorsBackgroundSwitch, {}).done());
    EXPECT_TRUE(p.ItemValue(kColorsFirstComponent, 40).done());
    EXPECT_TRUE(p.ItemClick(kOk, {}).done());
  };
  ASSERT_TRUE(person().FlyoutPick(kFlyoutColors).done());
  drawn = Painted(0);
  bar = FilledAt(drawn, {12, 84, 16, 95});
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(bar->admColor, -1);
  EXPECT_EQ(bar->color.red, 39015);
  EXPECT_EQ(bar->color.green, 39015);
  EXPECT_EQ(bar->color.blue, 39015);
}

TEST_F(PanelPainting, ShowingHelpAgainStartsAtItsFirstPage) {
  Start();
  ASSERT_TRUE(person().FlyoutPick(kFlyoutHelp).done());
  for (int i = 0; i < 3; ++i) ASSERT_TRUE(person().ItemClick(kHelpNext, {}).done());
  EXPECT_EQ(PanelItem(kHelpPageShown).value, 4);
  ASSERT_TRUE(person().FlyoutPick(kFlyoutHelp).done());  // hidden, page 4 kept
  ASSERT_TRUE(person().FlyoutPick(kFlyoutHelp).done());  // shown again
  EXPECT_EQ(PanelItem(kHelpPageShown).value, 1);
  EXPECT_FALSE(PanelItem(kHelpPrevious).enabled);
  EXPECT_TRUE(PanelItem(kHelpNext).enabled);
}

}  // namespace
