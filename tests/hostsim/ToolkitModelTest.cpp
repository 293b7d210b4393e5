// The dialog toolkit model by behaviour, without a plug-in: the procedures
// are functions of this file, and a fake host gives resources and the modal
// loop. Expected numbers are worked out by hand from the unit definitions.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "host/PluginExports.h"
#include "hostsim/toolkit/Toolkit.h"
#include "hostsim/toolkit/Units.h"

namespace {

using hostsim::toolkit::ActionStatus;
using hostsim::toolkit::DialogRequest;
using hostsim::toolkit::DrawOp;
using hostsim::toolkit::Item;
using hostsim::toolkit::ItemKind;
using hostsim::toolkit::Toolkit;

constexpr int32_t kDialogId = 100;

template <class H>
H Raw(std::uintptr_t value) {
  return reinterpret_cast<H>(value);
}
constexpr int32_t kMenuId = 128;

class FakeHost : public hostsim::toolkit::ToolkitServices {
 public:
  void RunModal(ADMDialogRef dialog) override {
    if (modalLoop) modalLoop(dialog);
  }
  void Redraw(ADMDialogRef, ADMItemRef) override { ++redraws; }
  std::optional<std::string_view> Resource(int32_t type, int32_t id) const override {
    auto it = resources.find({type, id});
    if (it == resources.end()) return std::nullopt;
    return std::string_view(it->second);
  }

  std::map<std::pair<int32_t, int32_t>, std::string> resources = {
      {{kDialogResource, kDialogId}, R"({"title": "From the resource", "bounds": [10, 20, 216, 136]})"},
      {{kMenuResource, kMenuId}, "Dialog List\nShow text options\nArrows/Points\n-\nColors...\n"},
      // As the plug-in's menu files are written.
      {{kMenuResource, kMenuId + 1}, "# a comment\ntitle Dialog List\n1 Show text options\n\n-\n4 Colors...\n12 More\n"},
  };
  std::function<void(ADMDialogRef)> modalLoop;
  int redraws = 0;
};

// What the procedures of this file saw, in order.
Toolkit* gToolkit = nullptr;
std::vector<std::string> gLog;

std::string TypeOf(ADMNotifierRef notifier) {
  const auto* call = gToolkit->FindNotifier(notifier);
  return call != nullptr ? call->type : "?";
}

// A notify procedure as the plug-in writes them: default handling first, then its own note.
void LoggingNotify(ADMItemRef item, ADMNotifierRef notifier) {
  const double before = hostsim::toolkit::CurrentValue(*gToolkit->FindItem(item));
  gToolkit->DefaultNotifyItem(item, notifier);
  const Item* after = gToolkit->FindItem(item);
  gLog.push_back("notify " + std::to_string(after->id) + " " + TypeOf(notifier) + " value " +
                 std::to_string(static_cast<int>(before)) + "->" + std::to_string(static_cast<int>(after->value)));
}

ASBoolean LoggingTrack(ADMItemRef item, ADMTrackerRef tracker) {
  const auto* call = gToolkit->FindTracker(tracker);
  gLog.push_back("track " + std::to_string(gToolkit->FindItem(item)->id) + " action " + std::to_string(call->action) +
                 " at " + std::to_string(call->point.h) + "," + std::to_string(call->point.v) + " mods " +
                 std::to_string(call->modifiers));
  bool changed = false;
  gToolkit->DefaultTrackItem(item, tracker, &changed);
  return changed;
}

class ToolkitModel : public ::testing::Test {
 protected:
  void SetUp() override {
    gToolkit = &tk;
    gLog.clear();
  }
  void TearDown() override { gToolkit = nullptr; }

  ADMDialogRef Panel() {
    ADMDialogRef d = nullptr;
    EXPECT_EQ(tk.CreateDialog({"Panel", kDialogId, kADMTabbedFloatingDialogStyle, 1, nullptr}, nullptr, &d), kNoErr);
    return d;
  }
  Item& Make(ADMDialogRef d, int32_t id, ItemKind kind, ADMRect bounds = {0, 0, 60, 20}) {
    ADMItemRef ref = nullptr;
    EXPECT_EQ(tk.CreateItem(d, id, kind, bounds, nullptr, nullptr, &ref), kNoErr);
    return *tk.FindItem(ref);
  }

  FakeHost host;
  Toolkit tk{host};
};

// =============================================================================
// Values and texts with units

TEST(ToolkitUnits, MillimetresDegreesPercentAndPointsReadAsTheUserWritesThem) {
  using hostsim::toolkit::FormatValue;
  // 17.007874 pt is 6 mm; 2.8346457 pt a millimetre.
  EXPECT_EQ(FormatValue(17.007874, kADMMillimeterUnits, 1, true, 255), "6.0 mm");
  EXPECT_EQ(FormatValue(85.03937, kADMMillimeterUnits, 0, true, 255), "30 mm");
  EXPECT_EQ(FormatValue(45, kADMDegreeUnits, 1, true, 255), "45.0\xC2\xB0");
  EXPECT_EQ(FormatValue(125, kADMPercentUnits, 0, true, 255), "125 %");
  EXPECT_EQ(FormatValue(0.24, kADMPointUnits, 2, true, 255), "0.24 pt");
  EXPECT_EQ(FormatValue(72, kADMInchUnits, 0, true, 255), "1 in");
  EXPECT_EQ(FormatValue(-0.001, kADMNoUnits, 1, true, 255), "0.0");  // no "-0.0"
  // Too long for the field: the unit goes first, then decimals.
  EXPECT_EQ(FormatValue(-150, kADMDegreeUnits, 1, true, 6), "-150.0");
  EXPECT_EQ(FormatValue(-150, kADMDegreeUnits, 1, true, 4), "-150");
  EXPECT_EQ(FormatValue(300, kADMPercentUnits, 0, true, 5), "300 %");
  EXPECT_EQ(FormatValue(123456, kADMNoUnits, 0, false, 5), std::nullopt);
  EXPECT_EQ(FormatValue(1, kADMNoUnits, 21, false, 255), std::nullopt);
  EXPECT_EQ(FormatValue(1, 99, 0, false, 255), std::nullopt);
}

TEST(ToolkitUnits, TypedNumbersConvertFromTheirUnitAndJunkIsRefused) {
  using hostsim::toolkit::ParseValue;
  EXPECT_NEAR(*ParseValue("10", kADMMillimeterUnits), 28.346457, 1e-9);
  EXPECT_NEAR(*ParseValue("1 cm", kADMMillimeterUnits), 28.346457, 1e-9);
  EXPECT_NEAR(*ParseValue("1in", kADMPointUnits), 72, 1e-9);
  EXPECT_NEAR(*ParseValue(" 6,5 MM ", kADMMillimeterUnits), 6.5 * 2.8346457, 1e-9);
  EXPECT_NEAR(*ParseValue("-150.0\xC2\xB0", kADMDegreeUnits), -150, 1e-12);
  EXPECT_NEAR(*ParseValue("100 %", kADMPercentUnits), 100, 1e-12);
  EXPECT_NEAR(*ParseValue("+.5", kADMNoUnits), 0.5, 1e-12);
  for (const char* junk : {"", "abc", "1.2.3", "--1", "12 kg", "5 mm", "%", "."}) {
    const int32_t units = std::string(junk) == "5 mm" ? kADMDegreeUnits : kADMNoUnits;
    EXPECT_EQ(ParseValue(junk, units), std::nullopt) << junk;
  }
  // A length unit does not belong to a percent field, nor to a plain number.
  EXPECT_EQ(ParseValue("3 mm", kADMPercentUnits), std::nullopt);
  EXPECT_EQ(ParseValue("3 mm", kADMNoUnits), std::nullopt);
}

TEST_F(ToolkitModel, EachFieldKindRoundTripsItsValueThroughItsShownText) {
  const ADMDialogRef d = Panel();
  Item& tie = Make(d, 9, ItemKind::SpinEdit);
  tie.units = kADMMillimeterUnits;
  tie.precision = 1;
  hostsim::toolkit::ApplyValue(tie, 17.007874);
  EXPECT_EQ(tie.text, "6.0 mm");
  // The user types millimetres; the value is held in points.
  EXPECT_EQ(tk.TypeText(d, 9, "10"), ActionStatus::kDone);
  EXPECT_NEAR(tk.FindItem(Toolkit::HandleOf(tie))->value, 28.346457, 1e-9);
  EXPECT_EQ(tie.text, "10.0 mm");
  EXPECT_EQ(tk.SetValue(d, 9, 2.5), ActionStatus::kDone);
  EXPECT_NEAR(tie.value, 2.5 * 2.8346457, 1e-9);
  EXPECT_EQ(tie.text, "2.5 mm");

  Item& angle = Make(d, 15, ItemKind::SpinEditPopup);
  angle.units = kADMDegreeUnits;
  angle.precision = 1;
  angle.min = -180;
  angle.max = 180;
  EXPECT_EQ(tk.SetValue(d, 15, 200), ActionStatus::kDone);  // held to the range
  EXPECT_EQ(angle.value, 180);
  EXPECT_EQ(angle.text, "180.0\xC2\xB0");

  Item& size = Make(d, 7, ItemKind::SpinEditPopup);
  size.units = kADMPercentUnits;
  size.min = 0;
  EXPECT_EQ(tk.TypeText(d, 7, "-20 %"), ActionStatus::kDone);
  EXPECT_EQ(size.value, 0);
  EXPECT_EQ(size.text, "0 %");
  EXPECT_EQ(tk.TypeText(d, 7, "lots"), ActionStatus::kBadValue);
  EXPECT_EQ(size.text, "0 %");

  Item& number = Make(d, 12, ItemKind::TextEdit);
  number.style = kADMNumericEditStyle;
  number.min = 0;
  EXPECT_EQ(tk.TypeText(d, 12, "41"), ActionStatus::kDone);
  EXPECT_EQ(number.value, 41);

  Item& free = Make(d, 13, ItemKind::TextEdit);
  free.maxTextLength = 5;
  EXPECT_EQ(tk.TypeText(d, 13, "\xC3\x89tiquettes"), ActionStatus::kDone);
  EXPECT_EQ(free.text, "\xC3\x89tiqu");  // five characters, the É counted once
  EXPECT_EQ(hostsim::toolkit::CurrentValue(free), 0);
}

// =============================================================================
// Notification order and default handling

TEST_F(ToolkitModel, AClickTracksDownThenUpThenNotifiesWithTheChangeAlreadyMade) {
  const ADMDialogRef d = Panel();
  Item& box = Make(d, 20, ItemKind::TextCheckBox, {0, 0, 40, 16});
  box.trackProc = LoggingTrack;
  box.notifyProc = LoggingNotify;
  EXPECT_EQ(tk.Click(d, 20, kADMCommandKeyFlag | kADMOptionKeyFlag), ActionStatus::kDone);
  EXPECT_EQ(gLog, (std::vector<std::string>{"track 20 action 1 at 20,8 mods 192", "track 20 action 2 at 20,8 mods 192",
                                            "notify 20 ADM User Changed Notifier value 1->1"}));
  EXPECT_EQ(box.value, 1);
  // A button-up outside the box is no click.
  gLog.clear();
  tk.Track(d, 20, kADMButtonDownAction, {5, 5});
  tk.Track(d, 20, kADMButtonUpAction, {90, 5});
  EXPECT_EQ(box.value, 1);
  EXPECT_EQ(gLog.size(), 2u);
}

TEST_F(ToolkitModel, TypingIntoATextEditNotifiesIntermediateSelectionThenUserChange) {
  const ADMDialogRef d = Panel();
  Item& edit = Make(d, 10, ItemKind::TextEdit);
  edit.notifyProc = LoggingNotify;
  tk.TypeText(d, 10, "Face");
  ASSERT_EQ(gLog.size(), 3u);
  EXPECT_NE(gLog[0].find("ADM Intermediate Changed Notifier"), std::string::npos);
  EXPECT_NE(gLog[1].find("ADM Text Selection Change Notification"), std::string::npos);
  EXPECT_NE(gLog[2].find("ADM User Changed Notifier"), std::string::npos);
  EXPECT_EQ(edit.selectionStart, 4);
  EXPECT_EQ(edit.selectionEnd, 4);
}

TEST_F(ToolkitModel, RadioButtonsWithFollowingIdsFormOneGroup) {
  const ADMDialogRef d = Panel();
  for (int32_t id = 50; id <= 54; ++id) Make(d, id, ItemKind::PictureRadioButton);
  Item& lone = Make(d, 34, ItemKind::PictureRadioButton);
  lone.notifyProc = LoggingNotify;
  tk.Click(d, 34);
  EXPECT_EQ(gLog, (std::vector<std::string>{"notify 34 ADM User Changed Notifier value 1->1"}));
  tk.Click(d, 51);
  tk.Click(d, 53);
  EXPECT_EQ(tk.ItemById(d, 51)->value, 0);
  EXPECT_EQ(tk.ItemById(d, 53)->value, 1);
  EXPECT_EQ(lone.value, 1);  // not part of the 50..54 run
}

TEST_F(ToolkitModel, DisabledOrHiddenItemsIgnoreThePersonAndUnknownOnesAreReported) {
  const ADMDialogRef d = Panel();
  Item& box = Make(d, 20, ItemKind::TextCheckBox);
  box.notifyProc = LoggingNotify;
  box.enabled = false;
  EXPECT_EQ(tk.Click(d, 20), ActionStatus::kIgnored);
  box.enabled = true;
  box.visible = false;
  EXPECT_EQ(tk.SetValue(d, 20, 1), ActionStatus::kIgnored);
  EXPECT_TRUE(gLog.empty());
  EXPECT_EQ(tk.Click(d, 99), ActionStatus::kNoItem);
  EXPECT_EQ(tk.Click(nullptr, 20), ActionStatus::kNoItem);
  box.visible = true;
  EXPECT_EQ(tk.SetValue(d, 20, 0.5), ActionStatus::kBadValue);
  EXPECT_EQ(tk.Track(d, 20, 9, {0, 0}), ActionStatus::kBadValue);
}

TEST_F(ToolkitModel, PickingAnEntryPutsItsNumberInASpinEditPopupAndSkipsSeparators) {
  const ADMDialogRef d = Panel();
  Item& angle = Make(d, 15, ItemKind::SpinEditPopup);
  angle.units = kADMDegreeUnits;
  angle.precision = 1;
  angle.notifyProc = LoggingNotify;
  for (const char* text : {" -150.0\xC2\xB0", "", " 30.0\xC2\xB0"}) {
    auto& e = tk.InsertEntry(*angle.list, angle.list->size());
    e.text = text;
    e.separator = std::string(text).empty();
  }
  EXPECT_EQ(tk.Pick(d, 15, 1), ActionStatus::kBadValue);  // the separator
  EXPECT_EQ(tk.Pick(d, 15, 3), ActionStatus::kBadValue);
  EXPECT_EQ(tk.Pick(d, 15, 0), ActionStatus::kDone);
  EXPECT_EQ(angle.value, -150);
  EXPECT_EQ(angle.list->SelectedIndex(), 0u);
  ASSERT_EQ(gLog.size(), 1u);
  EXPECT_EQ(gLog[0], "notify 15 ADM User Changed Notifier value -150->-150");
  angle.list->at(2).enabled = false;
  EXPECT_EQ(tk.Pick(d, 15, 2), ActionStatus::kBadValue);
}

TEST_F(ToolkitModel, TheFlyoutComesFromTheMenuResourceAndTheCloseBoxHidesThePanel) {
  const ADMDialogRef d = Panel();
  Item* flyout = tk.ItemById(d, kADMMenuItemID);
  ASSERT_NE(flyout, nullptr);
  ASSERT_TRUE(tk.LoadMenu(*flyout->list, kMenuId));
  ASSERT_EQ(flyout->list->size(), 4u);  // the title line is not an entry
  EXPECT_EQ(flyout->list->at(0).id, 1);
  EXPECT_EQ(flyout->list->at(2).separator, true);
  EXPECT_EQ(flyout->list->at(2).id, 0);
  EXPECT_EQ(flyout->list->at(3).id, 4);
  EXPECT_FALSE(tk.LoadMenu(*flyout->list, 999));
  // The plug-in's menu files: comments and blank lines skipped, the title
  // line named, ids given on the lines.
  ASSERT_TRUE(tk.LoadMenu(*flyout->list, kMenuId + 1));
  ASSERT_EQ(flyout->list->size(), 4u);
  EXPECT_EQ(flyout->list->at(0).id, 1);
  EXPECT_EQ(flyout->list->at(0).text, "Show text options");
  EXPECT_TRUE(flyout->list->at(1).separator);
  EXPECT_EQ(flyout->list->at(2).id, 4);
  EXPECT_EQ(flyout->list->at(2).text, "Colors...");
  EXPECT_EQ(flyout->list->at(3).id, 12) << "an id is read whole, not from the line's place";
  ASSERT_TRUE(tk.LoadMenu(*flyout->list, kMenuId));
  flyout->notifyProc = LoggingNotify;
  EXPECT_EQ(tk.FlyoutPick(d, 3), ActionStatus::kDone);
  EXPECT_EQ(flyout->list->SelectedIndex(), 3u);
  EXPECT_EQ(tk.FlyoutPick(d, 2), ActionStatus::kBadValue);
  EXPECT_EQ(gLog.size(), 1u);

  tk.ShowDialog(d, true);
  EXPECT_EQ(tk.CloseBox(d), ActionStatus::kDone);
  EXPECT_FALSE(tk.Find(d)->visible);
}

// =============================================================================
// Modal dialogs

ADMDialogRef gModal = nullptr;
ASErr MakeButtons(ADMDialogRef dialog) {
  gModal = dialog;
  for (int32_t id : {1, 2}) {
    ADMItemRef ref = nullptr;
    gToolkit->CreateItem(dialog, id, ItemKind::TextPushButton, {0, 0, 50, 20}, nullptr, nullptr, &ref);
    gToolkit->FindItem(ref)->notifyProc = LoggingNotify;
  }
  return kNoErr;
}

TEST_F(ToolkitModel, AModalDialogEndsByItsOkItsCancelOrAnExplicitEnd) {
  struct Case {
    const char* what;
    std::function<void(ADMDialogRef)> person;
    int32_t hit;
  };
  const Case cases[] = {
      {"OK", [&](ADMDialogRef m) { tk.Click(m, 1); }, 1},
      {"Cancel", [&](ADMDialogRef m) { tk.Click(m, 2); }, 2},
      {"EndModal", [&](ADMDialogRef m) { tk.EndModal(m, 7); }, 7},
      {"close box", [&](ADMDialogRef m) { tk.CloseBox(m); }, 2},
      // The front end gives up: the cancel item is clicked for the person.
      {"abandoned", [](ADMDialogRef) {}, 2},
  };
  for (const Case& c : cases) {
    gLog.clear();
    bool sawOpen = false;
    host.modalLoop = [&](ADMDialogRef m) {
      sawOpen = tk.FrontModal() == m && tk.Find(m)->visible;
      c.person(m);
    };
    int32_t hit = -1;
    EXPECT_EQ(tk.RunModalDialog({"Prefs", kDialogId, kADMModalDialogStyle, 0, nullptr}, MakeButtons, &hit), kNoErr);
    EXPECT_TRUE(sawOpen) << c.what;
    EXPECT_EQ(hit, c.hit) << c.what;
    EXPECT_EQ(tk.Find(gModal), nullptr) << c.what << ": destroyed when Modal returns";
    EXPECT_EQ(tk.FrontModal(), nullptr) << c.what;
  }
  // The abandoned dialog's Cancel handler ran, so a plug-in can clear its open flag.
  EXPECT_EQ(gLog, (std::vector<std::string>{"notify 2 ADM User Changed Notifier value 0->0"}));
}

ASErr FailingInit(ADMDialogRef) { return kBadParameterErr; }

TEST_F(ToolkitModel, AFailedInitOrAMissingResourceLeavesNoDialog) {
  int32_t hit = -1;
  EXPECT_EQ(tk.RunModalDialog({"x", kDialogId, 0, 0, nullptr}, FailingInit, &hit), kBadParameterErr);
  EXPECT_EQ(tk.size(), 0u);
  ADMDialogRef d = Raw<ADMDialogRef>(1);
  EXPECT_EQ(tk.CreateDialog({"x", 1234, 2, 0, nullptr}, nullptr, &d), kNameNotFoundErr);
  EXPECT_EQ(d, nullptr);
  EXPECT_EQ(tk.size(), 0u);
  ADMItemRef item = Raw<ADMItemRef>(1);
  EXPECT_EQ(tk.CreateItem(Raw<ADMDialogRef>(0xdead), 1, ItemKind::Frame, {0, 0, 1, 1}, nullptr, nullptr, &item),
            kBadParameterErr);
  EXPECT_EQ(item, nullptr);
}

// =============================================================================
// Tracking with an action mask

TEST_F(ToolkitModel, TheMaskChoosesTheEventsAndTheButtonUpFollowsItsDown) {
  const ADMDialogRef d = Panel();
  Item& dial = Make(d, 27, ItemKind::PictureStatic, {104, 80, 122, 98});
  dial.trackProc = LoggingTrack;
  dial.mask = kADMButtonDownMask | kADMMouseMovedDownMask;  // 0x40002
  ASSERT_EQ(dial.mask, 0x40002);
  tk.Track(d, 27, kADMMouseMovedUpAction, {3, 3});
  tk.Track(d, 27, kADMButtonDownAction, {16, 8}, kADMShiftKeyFlag);
  tk.Track(d, 27, kADMMouseMovedDownAction, {17, 2});
  tk.Track(d, 27, kADMButtonUpAction, {17, 2});
  tk.Track(d, 27, kADMButtonUpAction, {17, 2});  // no down before it: not for this item
  EXPECT_EQ(gLog, (std::vector<std::string>{"track 27 action 1 at 16,8 mods 32", "track 27 action 3 at 17,2 mods 0",
                                            "track 27 action 2 at 17,2 mods 0"}));
}

ASBoolean AbortingTrack(ADMItemRef item, ADMTrackerRef tracker) {
  gLog.push_back("track " + std::to_string(gToolkit->FindTracker(tracker)->action));
  gToolkit->AbortTracking(*gToolkit->FindTracker(tracker));
  (void)item;
  return false;
}

TEST_F(ToolkitModel, AnAbortedGestureSendsNothingMoreToTheItem) {
  const ADMDialogRef d = Panel();
  Item& preview = Make(d, 12, ItemKind::PicturePushButton);
  preview.trackProc = AbortingTrack;
  tk.Click(d, 12);
  EXPECT_EQ(gLog, (std::vector<std::string>{"track 1"}));
}

TEST_F(ToolkitModel, DefaultTrackingStepsSpinEditsAndSlidesSliders) {
  const ADMDialogRef d = Panel();
  Item& width = Make(d, 8, ItemKind::SpinEdit, {28, 79, 100, 98});  // 72 x 19
  width.smallStep = 0.1;
  width.largeStep = 1;
  width.min = 0;
  width.precision = 2;
  width.notifyProc = LoggingNotify;
  tk.Track(d, 8, kADMButtonDownAction, {65, 3});
  tk.Track(d, 8, kADMButtonUpAction, {65, 3});
  EXPECT_NEAR(width.value, 0.1, 1e-12);
  EXPECT_EQ(gLog.size(), 1u);
  tk.Track(d, 8, kADMButtonDownAction, {65, 15}, kADMShiftKeyFlag);  // lower arrow, large step
  tk.Track(d, 8, kADMButtonUpAction, {65, 15});
  EXPECT_EQ(width.value, 0);  // held at the minimum
  tk.Track(d, 8, kADMButtonDownAction, {5, 5});  // the text part takes the focus
  EXPECT_EQ(tk.Find(d)->activeItem, width.handle);

  Item& margin = Make(d, 36, ItemKind::Slider, {4, 45, 184, 52});  // 180 wide
  margin.min = -20;
  margin.max = 100;
  margin.notifyProc = LoggingNotify;
  gLog.clear();
  tk.Track(d, 36, kADMButtonDownAction, {90, 3});
  tk.Track(d, 36, kADMMouseMovedDownAction, {45, 3});
  tk.Track(d, 36, kADMButtonUpAction, {45, 3});
  EXPECT_EQ(margin.value, 10);  // -20 + 45 / 180 * 120
  ASSERT_EQ(gLog.size(), 3u);
  EXPECT_EQ(gLog[0], "notify 36 ADM Intermediate Changed Notifier value 40->40");
  EXPECT_EQ(gLog[2], "notify 36 ADM User Changed Notifier value 10->10");
}

// =============================================================================
// Drawing

void DialDraw(ADMItemRef item, ADMDrawerRef drawer) {
  gToolkit->DefaultDrawItem(item, drawer);
  auto* d = gToolkit->FindDrawer(drawer);
  d->admColor = kADMShadowColor;
  d->color = hostsim::toolkit::ColorOf(kADMShadowColor);
  gToolkit->Record(*d, hostsim::toolkit::PointsRecord(DrawOp::Line, {{9, 9}, {14, 4}}));
  d->admColor = -1;
  d->color = {65535, 0, 0};
  d->font = kADMPaletteFont;
  gToolkit->Record(*d, hostsim::toolkit::TextAtRecord({0, 10}, "45"));
}

TEST_F(ToolkitModel, PaintingRecordsACustomDrawnItemInItsOwnPixels) {
  const ADMDialogRef d = Panel();
  Item& dial = Make(d, 27, ItemKind::PictureStatic, {104, 80, 122, 98});
  dial.picture = 404;
  dial.drawProc = DialDraw;
  Item& hidden = Make(d, 28, ItemKind::TextStatic);
  hidden.visible = false;
  const auto* picture = tk.Paint(d);
  ASSERT_NE(picture, nullptr);
  EXPECT_EQ(picture->width, 206);
  EXPECT_EQ(picture->height, 116);
  ASSERT_EQ(picture->background.records.size(), 1u);
  EXPECT_EQ(picture->background.records[0].op, DrawOp::Clear);
  EXPECT_EQ(picture->ListOf(28), nullptr);  // hidden items are not painted
  const auto* list = picture->ListOf(27);
  ASSERT_NE(list, nullptr);
  const nlohmann::json expected = nlohmann::json::parse(R"([
    {"op": "picture", "color": [0, 0, 0], "admColor": 0, "points": [[0, 0]], "picture": 404},
    {"op": "line", "color": [32896, 32896, 32896], "admColor": 6, "points": [[9, 9], [14, 4]]},
    {"op": "text", "color": [65535, 0, 0], "points": [[0, 10]], "text": "45", "font": 2}
  ])");
  EXPECT_EQ(list->ToJson(), expected);
}

void DefaultThenLine(ADMItemRef item, ADMDrawerRef drawer) {
  auto* d = gToolkit->FindDrawer(drawer);
  d->admColor = -1;
  d->color = {65535, 0, 0};
  gToolkit->DefaultDrawItem(item, drawer);
  gToolkit->Record(*gToolkit->FindDrawer(drawer), hostsim::toolkit::PointsRecord(DrawOp::Line, {{0, 0}, {5, 5}}));
}

TEST_F(ToolkitModel, DefaultDrawingShowsWhatEachItemHolds) {
  const ADMDialogRef d = Panel();
  Item& slider = Make(d, 35, ItemKind::Slider, {4, 30, 110, 38});  // 106 x 8
  slider.min = 0;
  slider.max = 100;
  hostsim::toolkit::ApplyValue(slider, 50);
  Item& mode = Make(d, 10, ItemKind::PopupList, {3, 122, 83, 142});  // 80 x 20
  for (const char* text : {"Auto. Letter", "Auto. Number"}) tk.InsertEntry(*mode.list, mode.list->size()).text = text;
  mode.list->Select(1, true);
  Make(d, 60, ItemKind::TextEditMultiLine, {206, 2, 408, 172});
  Make(d, 13, ItemKind::TextEdit, {3, 143, 84, 161});
  Make(d, 2, ItemKind::TextPushButton).drawProc = DefaultThenLine;
  const auto* picture = tk.Paint(d);
  EXPECT_EQ(picture->ListOf(60)->ToJson()[2]["op"], "textInBox");
  EXPECT_EQ(picture->ListOf(13)->ToJson()[2]["op"], "textInRect");
  // The default drawing leaves the drawer's colour as the procedure had it.
  EXPECT_EQ(picture->ListOf(2)->ToJson().back(),
            nlohmann::json::parse(R"({"op": "line", "color": [65535, 0, 0], "points": [[0, 0], [5, 5]]})"));
  const nlohmann::json sliderList = picture->ListOf(35)->ToJson();
  ASSERT_EQ(sliderList.size(), 3u);
  EXPECT_EQ(sliderList[0]["op"], "sunkenRect");
  EXPECT_EQ(sliderList[0]["rect"], nlohmann::json::parse("[0, 2, 106, 6]"));  // the groove across the middle
  EXPECT_EQ(sliderList[1]["rect"], nlohmann::json::parse("[50, 0, 56, 8]"));  // the thumb half way along 100 pixels
  const nlohmann::json modeList = picture->ListOf(10)->ToJson();
  ASSERT_EQ(modeList.size(), 4u);
  EXPECT_EQ(modeList[2]["op"], "textInRect");
  EXPECT_EQ(modeList[2]["text"], "Auto. Number");
  EXPECT_EQ(modeList[2]["rect"], nlohmann::json::parse("[4, 0, 66, 20]"));  // left of the 12-pixel arrow
  EXPECT_EQ(modeList[3]["op"], "fillPolygon");
  EXPECT_EQ(tk.DumpPanel()["items"]["10"]["text"], "Auto. Number");
}

// The panel's draw procedure writes the page number into a field as it paints.
void WritesWhilePainting(ADMDialogRef dialog, ADMDrawerRef drawer) {
  gToolkit->DefaultDrawDialog(dialog, drawer);
  Item* page = gToolkit->ItemById(dialog, 136);
  hostsim::toolkit::ApplyValue(*page, 3);
  gToolkit->Invalidate(dialog, Toolkit::HandleOf(*page));
}

TEST_F(ToolkitModel, AChangeMadeWhilePaintingDoesNotAskForAnotherPaint) {
  const ADMDialogRef d = Panel();
  Make(d, 136, ItemKind::TextStatic);
  tk.Find(d)->drawProc = WritesWhilePainting;
  const int before = host.redraws;
  const auto* picture = tk.Paint(d);
  EXPECT_EQ(host.redraws, before);
  // The field painted after the change shows it.
  ASSERT_NE(picture->ListOf(136), nullptr);
  EXPECT_EQ(picture->ListOf(136)->records.at(0).text, "3");
  tk.Invalidate(d, nullptr);
  EXPECT_EQ(host.redraws, before + 1);
}

// =============================================================================
// Life, docking and the dump

void NoteDialogDestroyed(ADMDialogRef dialog) {
  gLog.push_back("dialog destroyed with " + std::to_string(gToolkit->Find(dialog)->items.size()) + " items");
}
void NoteItemDestroyed(ADMItemRef item) { gLog.push_back("item " + std::to_string(gToolkit->FindItem(item)->id)); }

TEST_F(ToolkitModel, DestroyingADialogRunsItsProcedureWhileItsItemsStillExist) {
  const ADMDialogRef d = Panel();
  tk.Find(d)->destroyProc = NoteDialogDestroyed;
  Make(d, 6, ItemKind::PicturePushButton).destroyProc = NoteItemDestroyed;
  Make(d, 7, ItemKind::SpinEditPopup).destroyProc = NoteItemDestroyed;
  Make(d, 8, ItemKind::TextPushButton);
  Make(d, 9, ItemKind::SpinEdit);
  std::vector<ADMItemRef> items;
  for (int32_t id : {int32_t{kADMMenuItemID}, 6, 7, 8, 9}) items.push_back(Toolkit::HandleOf(*tk.ItemById(d, id)));
  const ADMListRef list = Toolkit::HandleOf(*tk.ItemById(d, 7)->list);
  EXPECT_TRUE(tk.DestroyDialog(d));
  EXPECT_EQ(gLog, (std::vector<std::string>{"dialog destroyed with 5 items", "item 6", "item 7"}));
  EXPECT_EQ(tk.Find(d), nullptr);
  // Every item goes with its dialog: none is left for a stale handle to reach.
  for (ADMItemRef item : items) EXPECT_EQ(tk.FindItem(item), nullptr);
  EXPECT_EQ(tk.FindListItem(list), nullptr);
  EXPECT_FALSE(tk.DestroyDialog(d));
}

TEST_F(ToolkitModel, ThePanelDumpShowsValuesInTheirUnitsItsFlyoutAndDuplicateIds) {
  const ADMDialogRef d = Panel();
  tk.ShowDialog(d, true);
  Item& tie = Make(d, 9, ItemKind::SpinEdit);
  tie.units = kADMMillimeterUnits;
  tie.tooltip = "Length of the tie line (+ or -).";
  hostsim::toolkit::ApplyValue(tie, 17.007874);
  Make(d, 3, ItemKind::PicturePushButton);
  Make(d, 3, ItemKind::TextPushButton).text = "Default";
  tk.LoadMenu(*tk.ItemById(d, kADMMenuItemID)->list, kMenuId);
  const nlohmann::json panel = tk.DumpPanel();
  EXPECT_EQ(panel["exists"], true);
  EXPECT_EQ(panel["visible"], true);
  EXPECT_EQ(panel["bounds"], nlohmann::json::parse("[10, 20, 216, 136]"));
  EXPECT_EQ(panel["items"]["9"]["value"], 6.0);
  EXPECT_EQ(panel["items"]["9"]["text"], "6 mm");
  EXPECT_EQ(panel["items"]["9"]["kind"], "spin edit");
  EXPECT_EQ(panel["items"]["9"]["tooltip"], "Length of the tie line (+ or -).");
  EXPECT_EQ(panel["items"]["3#2"]["text"], "Default");
  EXPECT_EQ(panel["flyout"].size(), 4u);
  EXPECT_EQ(panel["flyout"][3]["text"], "Colors...");
  EXPECT_EQ(tk.DumpDialog(), nullptr);
  // A person reaches the top one of the two items numbered 3.
  EXPECT_EQ(tk.ItemForUser(d, 3)->kind, ItemKind::TextPushButton);
  EXPECT_EQ(tk.ItemById(d, 3)->kind, ItemKind::PicturePushButton);
  // The plug-in's lookup finds the second once the first is gone, and none after both.
  EXPECT_TRUE(tk.DestroyItem(Toolkit::HandleOf(*tk.ItemById(d, 3))));
  ASSERT_NE(tk.ItemById(d, 3), nullptr);
  EXPECT_EQ(tk.ItemById(d, 3)->kind, ItemKind::TextPushButton);
  EXPECT_TRUE(tk.DestroyItem(Toolkit::HandleOf(*tk.ItemById(d, 3))));
  EXPECT_EQ(tk.ItemById(d, 3), nullptr);
  EXPECT_EQ(tk.ItemById(d, 9)->units, kADMMillimeterUnits);
}

TEST_F(ToolkitModel, ToggleAllFloatingHidesThePanelsAndBringsBackOnlyThoseItHid) {
  const ADMDialogRef a = Panel();
  const ADMDialogRef b = Panel();
  tk.ShowDialog(a, true);
  tk.ToggleAllFloating();
  EXPECT_FALSE(tk.Find(a)->visible);
  tk.ToggleAllFloating();
  EXPECT_TRUE(tk.Find(a)->visible);
  EXPECT_FALSE(tk.Find(b)->visible);
}

}  // namespace
