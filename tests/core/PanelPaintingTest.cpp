// What the panel and the settings dialogs paint and ask the screen to paint
// again: the display lists their draw procedures leave, the pictures the
// Preferences dialog gives the panel's buttons, the tooltips that follow the
// colour being edited, and the items and dialogs redrawn when their look
// changes.
#include <algorithm>
#include <deque>
#include <functional>
#include <memory>
#include <string>
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
constexpr int32_t kPrefsRadius = 16, kPrefsColours = 28, kOk = 1;
constexpr int32_t kColorsBackgroundSwatch = 125, kColorsBackgroundSwitch = 134, kColorsFirstComponent = 127;
constexpr int32_t kColorsOutlineSwatch = 126, kColorsLetter = 130;

// A screen that records which items it was asked to paint again and works a
// modal dialog with the test's own steps.
class RecordingScreen : public hostsim::NullFrontEnd {
 public:
  explicit RecordingScreen(hostsim::Host& host) : host_(host) {}
  // The steps of each modal dialog to come, in the order they open (a
  // dialog opened over another takes the next steps).
  std::deque<std::function<void(hostsim::UserActions&)>> modals;
  std::vector<int32_t> redrawn;               // item ids
  std::vector<std::string> dialogsRedrawn;    // dialog names, for whole dialogs

  void RunModal(hostsim::Host& host, ADMDialogRef) override {
    if (modals.empty()) return;
    auto steps = std::move(modals.front());
    modals.pop_front();
    hostsim::UserActions person(host);
    steps(person);
  }
  void Redraw(ADMDialogRef dialog, ADMItemRef item) override {
    if (item == nullptr) {
      if (const auto* found = host_.dialogs().Find(dialog)) dialogsRedrawn.push_back(found->name);
    } else if (const auto* found = host_.dialogs().FindItem(item)) {
      redrawn.push_back(found->id);
    }
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
    screen().modals.push_back([&](hostsim::UserActions& p) {
      EXPECT_TRUE(p.ItemValue(kPrefsRadius, c.radius).done());
      // The Preferences dialog gives the panel's button its picture at once.
      EXPECT_EQ(PanelItem(kRectangleButton).picture, c.picture);
      EXPECT_EQ(PanelItem(kRectangleButton).selectedPicture, c.selected);
      EXPECT_TRUE(p.ItemClick(kOk, {}).done());
    });
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
  screen().modals.push_back([&](hostsim::UserActions& p) {
    EXPECT_TRUE(p.ItemClick(kColorsBackgroundSwatch, {}).done());
    EXPECT_TRUE(p.ItemClick(kColorsBackgroundSwitch, {}).done());
    EXPECT_TRUE(p.ItemValue(kColorsFirstComponent, 40).done());
    EXPECT_TRUE(p.ItemClick(kOk, {}).done());
  });
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

// The colour controls' tooltips name the colour being edited and its mode;
// the first component's letter says "Black" for a grey and "Red" for RGB.
TEST_F(PanelPainting, TheColoursDialogsTooltipsFollowTheEditedColourAndItsMode) {
  Start();
  screen().modals.push_back([&](hostsim::UserActions& p) {
    ADMDialogRef dialog = host().dialogs().FrontModal();
    const auto tip = [&](int32_t id) { return host().dialogs().ItemById(dialog, id)->tooltip; };
    EXPECT_TRUE(p.ItemClick(kColorsBackgroundSwatch, {}).done());  // the background, grey
    EXPECT_EQ(tip(kColorsFirstComponent), "Grey level for the background (from 0 % to 100 %).");
    EXPECT_EQ(tip(kColorsFirstComponent + 1), "Green level for the background (from 0 to 255).");
    EXPECT_EQ(tip(kColorsFirstComponent + 2), "Blue level for the background (from 0 to 255).");
    host().dialogs().Paint(dialog);
    EXPECT_EQ(tip(kColorsLetter), "Black");
    EXPECT_TRUE(p.ItemClick(kColorsOutlineSwatch, {}).done());  // the outline, grey
    EXPECT_TRUE(p.ItemClick(kColorsOutlineSwatch, {}).done());  // the outline, now RGB
    EXPECT_EQ(tip(kColorsFirstComponent), "Red level for the outline (from 0 to 255).");
    EXPECT_EQ(tip(kColorsFirstComponent + 2), "Blue level for the outline (from 0 to 255).");
    host().dialogs().Paint(dialog);
    EXPECT_EQ(tip(kColorsLetter), "Red");
    EXPECT_TRUE(p.ItemClick(kOk, {}).done());
  });
  ASSERT_TRUE(person().FlyoutPick(kFlyoutColors).done());
  EXPECT_TRUE(screen().modals.empty());
}

// The background switch's square is filled inside its frame while the
// background is on.
TEST_F(PanelPainting, TheBackgroundSwitchIsFilledWhileTheBackgroundIsOn) {
  Start();
  screen().modals.push_back([&](hostsim::UserActions& p) {
    ADMDialogRef dialog = host().dialogs().FrontModal();
    const ADMRect inside{15, 121, 19, 125};  // the square 13,119,21,127 less its frame and a pixel
    EXPECT_EQ(FilledAt(host().dialogs().Paint(dialog)->background, inside), nullptr);
    EXPECT_TRUE(p.ItemClick(kColorsBackgroundSwatch, {}).done());
    EXPECT_TRUE(p.ItemClick(kColorsBackgroundSwitch, {}).done());
    EXPECT_NE(FilledAt(host().dialogs().Paint(dialog)->background, inside), nullptr);
    EXPECT_TRUE(p.ItemClick(kOk, {}).done());
  });
  ASSERT_TRUE(person().FlyoutPick(kFlyoutColors).done());
}

// The Colors and options dialog opened over the Preferences dialog changes
// what the Preferences dialog paints: it is redrawn when the colours close.
TEST_F(PanelPainting, ColoursConfirmedOverThePreferencesRedrawThePreferences) {
  Start();
  std::string prefsName;
  screen().modals.push_back([&](hostsim::UserActions& p) {
    prefsName = host().dialogs().Find(host().dialogs().FrontModal())->name;
    screen().dialogsRedrawn.clear();
    EXPECT_TRUE(p.ItemClick(kPrefsColours, {}).done());
    EXPECT_NE(std::find(screen().dialogsRedrawn.begin(), screen().dialogsRedrawn.end(), prefsName),
              screen().dialogsRedrawn.end())
        << "the Preferences still show the old colours";
    EXPECT_TRUE(p.ItemClick(kOk, {}).done());
  });
  screen().modals.push_back([&](hostsim::UserActions& p) { EXPECT_TRUE(p.ItemClick(kOk, {}).done()); });
  ASSERT_TRUE(person().FlyoutPick(kFlyoutPreferences).done());
  EXPECT_TRUE(screen().modals.empty());
}

}  // namespace
