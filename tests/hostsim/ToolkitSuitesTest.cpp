// The dialog toolkit through its C suites: the fixture plug-in's panel and its
// procedures, docking kept across launches, alerts answered by the front end,
// value formatting, and every kind of handle refused once dead or foreign.
#include <cmath>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "host/AllSuites.h"
#include "hostsim/Host.h"

namespace {

using hostsim::Host;
using hostsim::HostOptions;
using hostsim::toolkit::ActionStatus;
using hostsim_test::ScratchDir;
using nlohmann::json;

constexpr char kSection[] = "Fixture";

template <class H>
H Raw(std::uintptr_t value) {
  return reinterpret_cast<H>(value);
}

// Handles no operation may accept: wild numbers, a caller's address, null, and a dead one.
template <class H>
std::vector<std::pair<const char*, H>> BadHandles(H dead, const void* local) {
  return {{"0xdeadbeef", Raw<H>(0xdeadbeef)},
          {"1", Raw<H>(1)},
          {"address of a local", reinterpret_cast<H>(const_cast<void*>(local))},
          {"null", nullptr},
          {"dead", dead}};
}

struct Case {
  const char* what;
  std::function<ASErr()> call;
};

void ExpectAllFail(const std::vector<Case>& cases, const std::string& context = {}) {
  for (const Case& c : cases) EXPECT_NE(c.call(), kNoErr) << c.what << context;
}

class ToolkitSuites : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(host->Launch(), kNoErr);
    self = host->pluginRef();
    panel = host->dialogs().Panel();
    ASSERT_NE(panel, nullptr);
    auto& s = host->suites();
    basic = s.AcquireTable<ADMBasicSuite>(kADMBasicSuite, kADMBasicSuiteVersion);
    dialog = s.AcquireTable<ADMDialogSuite>(kADMDialogSuite, kADMDialogSuiteVersion);
    item = s.AcquireTable<ADMItemSuite>(kADMItemSuite, kADMItemSuiteVersion);
    list = s.AcquireTable<ADMListSuite>(kADMListSuite, kADMListSuiteVersion);
    entry = s.AcquireTable<ADMEntrySuite>(kADMEntrySuite, kADMEntrySuiteVersion);
    drawer = s.AcquireTable<ADMDrawerSuite>(kADMDrawerSuite, kADMDrawerSuiteVersion);
    tracker = s.AcquireTable<ADMTrackerSuite>(kADMTrackerSuite, kADMTrackerSuiteVersion);
    notifier = s.AcquireTable<ADMNotifierSuite>(kADMNotifierSuite, kADMNotifierSuiteVersion);
    group = s.AcquireTable<ADMDialogGroupSuite>(kADMDialogGroupSuite, kADMDialogGroupSuiteVersion);
    ASSERT_TRUE(basic && dialog && item && list && entry && drawer && tracker && notifier && group);
  }

  ScratchDir dir;
  std::unique_ptr<Host> host = std::make_unique<Host>(HostOptions{dir / "prefs.json", KPX_FIXTURE_PLUGIN});
  SPPluginRef self = nullptr;
  ADMDialogRef panel = nullptr;
  const ADMBasicSuite* basic = nullptr;
  const ADMDialogSuite* dialog = nullptr;
  const ADMItemSuite* item = nullptr;
  const ADMListSuite* list = nullptr;
  const ADMEntrySuite* entry = nullptr;
  const ADMDrawerSuite* drawer = nullptr;
  const ADMTrackerSuite* tracker = nullptr;
  const ADMNotifierSuite* notifier = nullptr;
  const ADMDialogGroupSuite* group = nullptr;
};

// =============================================================================
// The fixture's panel

TEST_F(ToolkitSuites, ThePanelsProceduresSeeEachUserActionThroughTheSuites) {
  auto& tk = host->dialogs();
  // 6 mm typed into the millimetre field reaches the plug-in as 6 x 2.8346457 points.
  EXPECT_EQ(tk.SetValue(panel, 9, 6), ActionStatus::kDone);
  EXPECT_NEAR(*host->prefs().GetReal(kSection, "TieLength"), 17.0078742, 1e-5);
  EXPECT_EQ(tk.Click(panel, 20), ActionStatus::kDone);
  EXPECT_EQ(host->prefs().GetBoolean(kSection, "Sound"), true);
  EXPECT_EQ(tk.FlyoutPick(panel, 1), ActionStatus::kBadValue);  // the separator
  EXPECT_EQ(tk.FlyoutPick(panel, 2), ActionStatus::kDone);
  EXPECT_EQ(host->prefs().GetInteger(kSection, "Flyout"), 3);

  // The area takes button-down and drag (mask 0x40002), not hover.
  EXPECT_EQ(tk.Track(panel, 27, kADMButtonDownAction, {5, 6}, kADMCommandKeyFlag), ActionStatus::kDone);
  EXPECT_EQ(host->prefs().GetString(kSection, "LastTrack"), "1 5,6 64");
  tk.Track(panel, 27, kADMMouseMovedUpAction, {7, 7});
  EXPECT_EQ(host->prefs().GetString(kSection, "LastTrack"), "1 5,6 64");
  tk.Track(panel, 27, kADMButtonUpAction, {30, -2});
  EXPECT_EQ(host->prefs().GetString(kSection, "LastTrack"), "2 30,-2 0");

  const json dump = host->Dump()["panel"];
  EXPECT_EQ(dump["bounds"], json::parse("[100, 200, 306, 316]"));
  EXPECT_EQ(dump["items"]["9"]["text"], "6.0 mm");
  EXPECT_EQ(dump["items"]["9"]["value"], 6.0);
  EXPECT_EQ(dump["items"]["20"]["value"], 1.0);
  EXPECT_EQ(dump["items"]["20"]["text"], "Sound");
  EXPECT_EQ(dump["flyout"], json::parse(R"([
      {"id": 1, "text": "First", "enabled": true, "checked": false, "separator": false},
      {"id": 0, "text": "", "enabled": true, "checked": false, "separator": true},
      {"id": 3, "text": "Third", "enabled": true, "checked": false, "separator": false}])"));

  const auto* picture = tk.Paint(panel);
  ASSERT_NE(picture, nullptr);
  ASSERT_NE(picture->ListOf(27), nullptr);
  EXPECT_EQ(picture->ListOf(27)->ToJson(), json::parse(R"([
      {"op": "picture", "color": [0, 0, 0], "admColor": 0, "points": [[0, 0]], "picture": 404},
      {"op": "line", "color": [32896, 32896, 32896], "admColor": 6, "points": [[9, 9], [17, 1]]},
      {"op": "picture", "color": [32896, 32896, 32896], "admColor": 6, "points": [[0, 0]], "picture": 404}])"));
}

TEST_F(ToolkitSuites, DockingIsStoredWhenThePanelGoesAndRestoredAtTheNextLaunch) {
  EXPECT_EQ(host->Dump()["panel"]["dock"], json::parse(R"({"group": "W", "code": 7168})"));
  // The person docks the panel elsewhere.
  hostsim::Dialog* d = host->dialogs().Find(panel);
  d->dockGroup = "Side";
  d->dockCode = 2;
  ASSERT_EQ(host->Quit(), kNoErr);
  host.reset();
  host = std::make_unique<Host>(HostOptions{dir / "prefs.json", KPX_FIXTURE_PLUGIN});
  ASSERT_EQ(host->Launch(), kNoErr);
  EXPECT_EQ(host->Dump()["panel"]["dock"], json::parse(R"({"group": "Side", "code": 2})"));
}

const ADMDialogSuite* gDialog = nullptr;
const ADMItemSuite* gItems = nullptr;
// A dialog whose "OK" is item 6 and "Cancel" item 5.
ASErr RenumberedButtons(ADMDialogRef d) {
  const ADMRect r{0, 0, 50, 20};
  ADMItemRef made = nullptr;
  for (int32_t id : {1, 2, 5, 6}) gItems->Create(d, id, kADMTextPushButtonType, &r, nullptr, nullptr, 0, &made);
  gDialog->SetDefaultItemID(d, 6);
  return gDialog->SetCancelItemID(d, 5);
}

TEST_F(ToolkitSuites, TheDefaultAndCancelItemsCanBeRenumbered) {
  gDialog = dialog;
  gItems = item;
  struct Person : hostsim::NullFrontEnd {
    std::vector<int32_t> clicks;
    std::vector<int32_t> ids;
    void RunModal(Host& h, ADMDialogRef d) override {
      int32_t ok = 0, cancel = 0;
      gDialog->GetDefaultItemID(d, &ok);
      gDialog->GetCancelItemID(d, &cancel);
      ids = {ok, cancel};
      for (int32_t id : clicks) h.dialogs().Click(d, id);
    }
  };
  auto person = std::make_unique<Person>();
  Person* p = person.get();
  host->SetFrontEnd(std::move(person));
  int32_t hit = 0;
  p->clicks = {1, 2, 6};  // the old numbers end nothing
  ASSERT_EQ(dialog->Modal(self, "Renumbered", 30000, kADMModalDialogStyle, RenumberedButtons, nullptr, 0, &hit), kNoErr);
  EXPECT_EQ(hit, 6);
  EXPECT_EQ(p->ids, (std::vector<int32_t>{6, 5}));
  p->clicks = {};  // left alone: the cancel item is pressed for the person
  ASSERT_EQ(dialog->Modal(self, "Renumbered", 30000, kADMModalDialogStyle, RenumberedButtons, nullptr, 0, &hit), kNoErr);
  EXPECT_EQ(hit, 5);
}

// =============================================================================
// Basic services

struct AnsweringFrontEnd : hostsim::NullFrontEnd {
  std::vector<hostsim::AlertRequest>* seen;
  int32_t answer;
  AnsweringFrontEnd(std::vector<hostsim::AlertRequest>* s, int32_t a) : seen(s), answer(a) {}
  int32_t ShowAlert(const hostsim::AlertRequest& alert) override {
    seen->push_back(alert);
    return answer;
  }
};

TEST_F(ToolkitSuites, AlertsWaitForTheFrontEndsAnswer) {
  std::vector<hostsim::AlertRequest> seen;
  host->SetFrontEnd(std::make_unique<AnsweringFrontEnd>(&seen, 1));
  int32_t answer = -1;
  EXPECT_EQ(basic->YesNoAlert("Replace\x85?", &answer), kNoErr);
  EXPECT_EQ(answer, kADMNoAnswer);
  host->SetFrontEnd(std::make_unique<AnsweringFrontEnd>(&seen, 0));
  EXPECT_EQ(basic->YesNoAlert("Again?", &answer), kNoErr);
  EXPECT_EQ(answer, kADMYesAnswer);
  EXPECT_EQ(basic->ErrorAlert("Deletion impossible."), kNoErr);
  ASSERT_EQ(seen.size(), 3u);
  EXPECT_EQ(seen[0].text, "Replace\u2026?");
  EXPECT_EQ(seen[0].buttons, (std::vector<std::string>{"Yes", "No"}));
  EXPECT_EQ(seen[2].buttons, (std::vector<std::string>{"OK"}));
  EXPECT_EQ(host->events().OfType("alert").size(), 3u);
  EXPECT_NE(basic->YesNoAlert("x", nullptr), kNoErr);
  EXPECT_NE(basic->ErrorAlert(nullptr), kNoErr);
  EXPECT_EQ(seen.size(), 3u);
}

TEST_F(ToolkitSuites, ValuesAreFormattedAndReadInThePlatformEncoding) {
  char text[16] = "";
  EXPECT_EQ(basic->ValueToUnitText(100, kADMPercentUnits, 0, true, 5, text, sizeof text), kNoErr);
  EXPECT_STREQ(text, "100 %");
  EXPECT_EQ(basic->ValueToUnitText(45, kADMDegreeUnits, 1, true, 6, text, sizeof text), kNoErr);
  EXPECT_STREQ(text, "45.0\xB0");
  EXPECT_EQ(basic->ValueToUnitText(-150, kADMDegreeUnits, 1, true, 6, text, sizeof text), kNoErr);
  EXPECT_STREQ(text, "-150.0");
  AIReal value = 0;
  EXPECT_EQ(basic->TextToValue("6 mm", kADMMillimeterUnits, &value), kNoErr);
  EXPECT_NEAR(value, 17.007874f, 1e-5);
  EXPECT_EQ(basic->TextToValue("-30.0\xB0", kADMDegreeUnits, &value), kNoErr);
  EXPECT_EQ(value, -30.0f);
  ADMRect screen{};
  EXPECT_EQ(basic->GetScreenDimensions(&screen), kNoErr);
  EXPECT_EQ(screen.right, 1440);
  EXPECT_EQ(screen.bottom, 900);

  const AIReal nan = std::numeric_limits<AIReal>::quiet_NaN();
  ExpectAllFail({
      {"NaN", [&] { return basic->ValueToUnitText(nan, 0, 0, false, 5, text, sizeof text); }},
      {"unknown units", [&] { return basic->ValueToUnitText(1, 42, 0, false, 5, text, sizeof text); }},
      {"precision 21", [&] { return basic->ValueToUnitText(1, 0, 21, false, 5, text, sizeof text); }},
      {"max 0", [&] { return basic->ValueToUnitText(1, 0, 0, false, 0, text, sizeof text); }},
      {"max 256", [&] { return basic->ValueToUnitText(1, 0, 0, false, 256, text, sizeof text); }},
      {"too wide", [&] { return basic->ValueToUnitText(123456, 0, 0, false, 3, text, sizeof text); }},
      {"null text", [&] { return basic->ValueToUnitText(1, 0, 0, false, 5, nullptr, 8); }},
      {"size 0", [&] { return basic->ValueToUnitText(1, 0, 0, false, 5, text, 0); }},
      {"parse junk", [&] { return basic->TextToValue("twelve", 0, &value); }},
      {"parse null", [&] { return basic->TextToValue(nullptr, 0, &value); }},
      {"parse null out", [&] { return basic->TextToValue("1", 0, nullptr); }},
      {"parse unknown units", [&] { return basic->TextToValue("1", -1, &value); }},
      {"parse past a float", [&] { return basic->TextToValue("1000000000000000000000000000000000000000", 0, &value); }},
      {"screen null", [&] { return basic->GetScreenDimensions(nullptr); }},
  });
  EXPECT_STREQ(text, "");  // a refused format leaves an empty text
}

TEST_F(ToolkitSuites, SettingUpAFieldNeverOverwritesTheTextItShows) {
  const ADMRect r{0, 0, 60, 20};
  ADMItemRef free = nullptr, page = nullptr, letter = nullptr;
  ASSERT_EQ(item->Create(panel, 13, kADMTextEditType, &r, nullptr, nullptr, 0, &free), kNoErr);
  ASSERT_EQ(item->Create(panel, 136, kADMTextStaticType, &r, nullptr, nullptr, 0, &page), kNoErr);
  ASSERT_EQ(item->Create(panel, 11, kADMTextEditType, &r, nullptr, nullptr, 0, &letter), kNoErr);
  char text[32] = "";
  // A text field set up before its text is given stays empty.
  item->SetUnits(letter, kADMNoUnits);
  item->SetPrecision(letter, 0);
  item->SetMaxTextLength(letter, 1);
  item->GetText(letter, text, sizeof text);
  EXPECT_STREQ(text, "");
  // A typed-in text survives later set-up calls.
  item->SetText(free, "Face");
  item->SetItemStyle(free, kADMNoItemStyle);
  item->SetUnits(free, kADMPointUnits);
  item->SetMinIntValue(free, 0);
  item->GetText(free, text, sizeof text);
  EXPECT_STREQ(text, "Face");
  // A value shown in a static follows its formatting.
  item->SetIntValue(page, 3);
  item->SetUnits(page, kADMPercentUnits);
  item->GetText(page, text, sizeof text);
  EXPECT_STREQ(text, "3 %");
  int32_t length = 0;
  item->GetTextLength(page, &length);
  EXPECT_EQ(length, 3);
}

// =============================================================================
// Handles and values refused

ADMNotifierRef gKeptNotifier = nullptr;
ADMTrackerRef gKeptTracker = nullptr;
ADMDrawerRef gKeptDrawer = nullptr;
const ADMItemSuite* gItem = nullptr;
void KeepNotifier(ADMItemRef i, ADMNotifierRef n) {
  gKeptNotifier = n;
  gItem->DefaultNotify(i, n);
}
ASBoolean KeepTracker(ADMItemRef, ADMTrackerRef t) {
  gKeptTracker = t;
  return false;
}
void KeepDrawer(ADMItemRef, ADMDrawerRef d) { gKeptDrawer = d; }

TEST_F(ToolkitSuites, ItemsListsAndEntriesAreRefusedOnceDeadOrForeign) {
  int local = 0;
  const ADMRect r{0, 0, 40, 20};
  ADMItemRef dead = nullptr;
  ASSERT_EQ(item->Create(panel, 70, kADMSpinEditPopupType, &r, nullptr, nullptr, 0, &dead), kNoErr);
  ADMListRef deadList = nullptr;
  ADMEntryRef deadEntry = nullptr;
  ASSERT_EQ(item->GetList(dead, &deadList), kNoErr);
  ASSERT_EQ(list->InsertEntry(deadList, -1, &deadEntry), kNoErr);
  ASSERT_EQ(item->Destroy(dead), kNoErr);
  for (const auto& [what, i] : BadHandles(dead, &local)) {
    int32_t n = -9;
    AIReal f = -9;
    char text[8] = "keep";
    ExpectAllFail({{"SetText", [&] { return item->SetText(i, "x"); }},
                   {"GetText", [&] { return item->GetText(i, text, sizeof text); }},
                   {"SetFloatValue", [&] { return item->SetFloatValue(i, 1); }},
                   {"GetFloatValue", [&] { return item->GetFloatValue(i, &f); }},
                   {"GetIntValue", [&] { return item->GetIntValue(i, &n); }},
                   {"SetUnits", [&] { return item->SetUnits(i, kADMPointUnits); }},
                   {"Show", [&] { return item->Show(i, true); }},
                   {"SetNotifyProc", [&] { return item->SetNotifyProc(i, nullptr); }},
                   {"SendNotify", [&] { return item->SendNotify(i, kADMUserChangedNotifier); }},
                   {"Destroy", [&] { return item->Destroy(i); }},
                   {"GetID", [&] { return item->GetID(i, &n); }}},
                  std::string(" with ") + what);
    EXPECT_TRUE(n == -9 && f == -9 && std::string(text) == "keep") << what;
  }
  for (const auto& [what, l] : BadHandles(deadList, &local)) {
    int32_t n = -9;
    EXPECT_NE(list->NumberOfEntries(l, &n), kNoErr) << what;
    EXPECT_NE(list->SetMenuID(l, 128), kNoErr) << what;
    EXPECT_EQ(n, -9) << what;
  }
  for (const auto& [what, e] : BadHandles(deadEntry, &local)) {
    int32_t n = -9;
    EXPECT_NE(entry->SetText(e, "x"), kNoErr) << what;
    EXPECT_NE(entry->GetID(e, &n), kNoErr) << what;
    EXPECT_NE(entry->Select(e, true), kNoErr) << what;
    EXPECT_EQ(n, -9) << what;
  }
  // A removed entry is dead too, and its neighbours keep their handles.
  ADMItemRef popup = nullptr;
  ASSERT_EQ(item->Create(panel, 71, kADMPopupListType, &r, nullptr, nullptr, 0, &popup), kNoErr);
  ADMListRef l = nullptr;
  ADMEntryRef first = nullptr, second = nullptr;
  item->GetList(popup, &l);
  list->InsertEntry(l, -1, &first);
  list->InsertEntry(l, -1, &second);
  entry->SetID(second, 8);
  ADMEntryRef found = nullptr;
  EXPECT_EQ(list->GetEntry(l, 8, &found), kNoErr);
  EXPECT_EQ(found, second);
  EXPECT_EQ(list->GetEntry(l, 9, &found), kNameNotFoundErr);
  EXPECT_EQ(found, nullptr);
  ASSERT_EQ(list->RemoveEntry(l, 0), kNoErr);
  EXPECT_NE(entry->SetID(first, 5), kNoErr);
  int32_t index = -1;
  EXPECT_EQ(entry->GetIndex(second, &index), kNoErr);
  EXPECT_EQ(index, 0);
}

TEST_F(ToolkitSuites, NotifiersTrackersAndDrawersDieWithTheirCall) {
  gItem = item;
  const ADMRect r{0, 0, 40, 20};
  ADMItemRef button = nullptr;
  ASSERT_EQ(item->Create(panel, 80, kADMTextPushButtonType, &r, nullptr, nullptr, 0, &button), kNoErr);
  item->SetNotifyProc(button, KeepNotifier);
  item->SetTrackProc(button, KeepTracker);
  item->SetDrawProc(button, KeepDrawer);
  ASSERT_EQ(host->dialogs().Click(panel, 80), ActionStatus::kDone);
  ASSERT_EQ(item->SendNotify(button, kADMUserChangedNotifier), kNoErr);
  ASSERT_NE(host->dialogs().Paint(panel), nullptr);
  ASSERT_TRUE(gKeptNotifier && gKeptTracker && gKeptDrawer);
  ADMItemRef got = nullptr;
  ADMPoint p{};
  ADMRect bounds{};
  char type[64] = "";
  ExpectAllFail({
      {"notifier GetItem", [&] { return notifier->GetItem(gKeptNotifier, &got); }},
      {"notifier GetNotifierType", [&] { return notifier->GetNotifierType(gKeptNotifier, type, sizeof type); }},
      {"item DefaultNotify", [&] { return item->DefaultNotify(button, gKeptNotifier); }},
      {"tracker GetPoint", [&] { return tracker->GetPoint(gKeptTracker, &p); }},
      {"tracker Abort", [&] { return tracker->Abort(gKeptTracker); }},
      {"item DefaultTrack", [&] { return item->DefaultTrack(button, gKeptTracker, nullptr); }},
      {"drawer GetBoundsRect", [&] { return drawer->GetBoundsRect(gKeptDrawer, &bounds); }},
      {"drawer DrawLine", [&] { return drawer->DrawLine(gKeptDrawer, &p, &p); }},
      {"item DefaultDraw", [&] { return item->DefaultDraw(button, gKeptDrawer); }},
      {"dialog DefaultDraw", [&] { return dialog->DefaultDraw(panel, gKeptDrawer); }},
  });
  EXPECT_EQ(got, nullptr);
}

TEST_F(ToolkitSuites, ValuesOutsideTheirDomainAreRefusedAndChangeNothing) {
  const ADMRect r{0, 0, 40, 20};
  const ADMRect inverted{10, 0, 5, 20};
  ADMItemRef field = nullptr;
  ASSERT_EQ(item->Create(panel, 90, kADMSpinEditType, &r, nullptr, nullptr, 0, &field), kNoErr);
  item->SetMinFloatValue(field, 0);
  item->SetMaxFloatValue(field, 10);
  item->SetFloatValue(field, 4);
  ADMItemRef made = Raw<ADMItemRef>(1);
  ADMListRef noList = Raw<ADMListRef>(1);
  const AIReal nan = std::numeric_limits<AIReal>::quiet_NaN();
  char name[8];
  int32_t code = 0;
  const ADMItemRef flyout = hostsim::toolkit::Toolkit::HandleOf(*host->dialogs().ItemById(panel, kADMMenuItemID));
  ExpectAllFail({
      {"unknown type", [&] { return item->Create(panel, 1, "ADM Teapot Type", &r, nullptr, nullptr, 0, &made); }},
      {"null type", [&] { return item->Create(panel, 1, nullptr, &r, nullptr, nullptr, 0, &made); }},
      {"inverted bounds", [&] { return item->Create(panel, 1, kADMFrameType, &inverted, nullptr, nullptr, 0, &made); }},
      {"flyout id", [&] { return item->Create(panel, kADMMenuItemID, kADMFrameType, &r, nullptr, nullptr, 0, &made); }},
      {"flyout destroyed", [&] { return item->Destroy(flyout); }},
      {"text not a number", [&] { return item->SetText(field, "lots"); }},
      {"NaN", [&] { return item->SetFloatValue(field, nan); }},
      {"minimum above maximum", [&] { return item->SetMinFloatValue(field, 11); }},
      {"maximum below minimum", [&] { return item->SetMaxIntValue(field, -1); }},
      {"units", [&] { return item->SetUnits(field, 99); }},
      {"precision", [&] { return item->SetPrecision(field, 21); }},
      {"justify", [&] { return item->SetJustify(field, 3); }},
      {"font", [&] { return item->SetFont(field, 14); }},
      {"max text 0", [&] { return item->SetMaxTextLength(field, 0); }},
      {"max text 256", [&] { return item->SetMaxTextLength(field, 256); }},
      {"selection backwards", [&] { return item->SetSelectionRange(field, 1, 0); }},
      {"selection past the text", [&] { return item->SetSelectionRange(field, 0, 99); }},
      {"step 0", [&] { return item->SetSmallIncrement(field, 0); }},
      {"mask bit", [&] { return item->SetMask(field, 1); }},
      {"style bit", [&] { return item->SetItemStyle(field, 8); }},
      {"no list", [&] { return item->GetList(field, &noList); }},
      {"dialog bounds inverted", [&] { return dialog->SetBoundsRect(panel, &inverted); }},
      {"modal of a floating style", [&] { return dialog->Modal(self, "x", 30000, 3, nullptr, nullptr, 0, nullptr); }},
      {"create of style 9", [&] {
         ADMDialogRef d = nullptr;
         return dialog->Create(self, "x", 16400, 9, nullptr, nullptr, 0, &d);
       }},
      {"missing item", [&] { return dialog->GetItem(panel, 12345, &made); }},
      {"dock code negative", [&] { return group->SetDialogGroupInfo(panel, "W", -1); }},
      {"dock name null", [&] { return group->SetDialogGroupInfo(panel, nullptr, 1); }},
      {"dock info null code", [&] { return group->GetDialogGroupInfo(panel, name, sizeof name, nullptr); }},
      {"dock info size 0", [&] { return group->GetDialogGroupInfo(panel, name, 0, &code); }},
      {"menu resource missing", [&] {
         ADMItemRef popup = nullptr;
         ADMListRef l = nullptr;
         item->Create(panel, 91, kADMPopupMenuType, &r, nullptr, nullptr, 0, &popup);
         item->GetList(popup, &l);
         return list->SetMenuID(l, 999);
       }},
  });
  EXPECT_EQ(made, nullptr);
  EXPECT_EQ(noList, Raw<ADMListRef>(1));
  AIReal value = 0;
  ASSERT_EQ(item->GetFloatValue(field, &value), kNoErr);
  EXPECT_EQ(value, 4);
  int32_t units = -1;
  item->GetUnits(field, &units);
  EXPECT_EQ(units, kADMNoUnits);
  EXPECT_EQ(host->Dump()["panel"]["dock"]["code"], 7168);
}

}  // namespace
