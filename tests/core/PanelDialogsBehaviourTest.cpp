// The real library in the simulated host, where the toolkit's model can be
// read and worked past what a person could type: a free text longer than the
// field allows, a refused text frame, which dialog resource each opener asks
// for, the places the dialogs remember, what the Preferences dialog paints,
// the editors' large step and the shape editor's outline colour.
#include <array>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "PluginHost.h"
#include "host/AllSuites.h"
#include "hostsim/FrontEnd.h"
#include "hostsim/UserActions.h"
#include "hostsim/suites/FaultInjector.h"
#include "hostsim/toolkit/DisplayList.h"
#include "hostsim/toolkit/Toolkit.h"

namespace {

using hostsim::toolkit::DisplayList;
using hostsim::toolkit::DrawOp;
using hostsim::toolkit::DrawRecord;

// Works each modal dialog with the next steps given, in the order they open.
class StepsScreen : public hostsim::NullFrontEnd {
 public:
  std::deque<std::function<void(ADMDialogRef)>> modals;
  void RunModal(hostsim::Host&, ADMDialogRef dialog) override {
    if (modals.empty()) return;
    auto steps = std::move(modals.front());
    modals.pop_front();
    steps(dialog);
  }
};

class PanelDialogsBehaviour : public PluginHostTest {
 protected:
  // Launches with the tool chosen, after `settings` changed the stored ones.
  void Start(const std::function<void(hostsim::PreferenceStore&)>& settings = {}) {
    if (settings) {
      FirstStart();
      OpenHost();
      settings(prefs());
    } else {
      OpenHost();
    }
    auto screen = std::make_unique<StepsScreen>();
    screen_ = screen.get();
    host().SetFrontEnd(std::move(screen));
    ASSERT_EQ(host().Launch(), kNoErr);
    person_ = std::make_unique<hostsim::UserActions>(host());
    ASSERT_TRUE(person_->SelectTool().done());
  }

  hostsim::UserActions& person() { return *person_; }
  hostsim::toolkit::Toolkit& kit() { return host().dialogs(); }
  StepsScreen& screen() { return *screen_; }
  hostsim::toolkit::Item& PanelItem(int32_t id) { return *kit().ItemById(kit().Panel(), id); }
  hostsim::toolkit::Item& DialogItem(ADMDialogRef d, int32_t id) { return *kit().ItemById(d, id); }

  void DrawLabel() {
    ASSERT_TRUE(person().MouseDown({100, 100}).done());
    ASSERT_TRUE(person().Drag({180, 160}).done());
    ASSERT_TRUE(person().Drag({180, 160}).done());
    ASSERT_TRUE(person().MouseUp({180, 160}).done());
  }

  // The pending label's text, or "<none>" when its first part is no text.
  std::string LabelText() {
    const nlohmann::json art = host().Dump()["layers"][0]["art"];
    if (art.empty()) return "<no label>";
    const nlohmann::json& first = art[0]["children"][0];
    return first["type"] == "text" ? first["text"].get<std::string>() : "<none>";
  }

  int32_t ResourceOfNextDialog(const std::function<void()>& open) {
    int32_t resource = 0;
    screen().modals.push_back([&](ADMDialogRef d) {
      resource = kit().Find(d)->resourceId;
      kit().Click(d, 2, 0);
    });
    open();
    EXPECT_TRUE(screen().modals.empty()) << "no dialog opened";
    return resource;
  }

  // Opens a dialog, moves it to `to` and closes it with `closeId`; returns
  // where it opened.
  ADMRect MoveAndClose(const std::function<void()>& open, ADMRect to, int32_t closeId) {
    ADMRect opened{};
    screen().modals.push_back([&](ADMDialogRef d) {
      opened = kit().Find(d)->bounds;
      kit().SetDialogBounds(d, to);
      EXPECT_EQ(kit().Click(d, closeId, 0), hostsim::toolkit::ActionStatus::kDone);
    });
    open();
    EXPECT_TRUE(screen().modals.empty()) << "no dialog opened";
    return opened;
  }

 private:
  StepsScreen* screen_ = nullptr;
  std::unique_ptr<hostsim::UserActions> person_;
};

void ExpectRect(const ADMRect& r, ADMRect expected, const char* what) {
  EXPECT_EQ(r.left, expected.left) << what;
  EXPECT_EQ(r.top, expected.top) << what;
  EXPECT_EQ(r.right, expected.right) << what;
  EXPECT_EQ(r.bottom, expected.bottom) << what;
}

const DrawRecord* Find(const DisplayList& list, const std::function<bool(const DrawRecord&)>& is) {
  for (const DrawRecord& r : list.records)
    if (is(r)) return &r;
  return nullptr;
}

constexpr int32_t kFreeTextField = 13, kTextMode = 10;

//-----------------------------------------------------------------------------
// Panel text
//-----------------------------------------------------------------------------

// A host whose field takes more than its limit (a paste, say): the panel keeps
// the first 50 characters and puts them back into the field.
TEST_F(PanelDialogsBehaviour, AFreeTextOver50CharactersIsCutTo50AndWrittenBack) {
  Start();
  ASSERT_TRUE(person().ItemPick(kTextMode, 2).done());
  DrawLabel();
  const std::string fifty = "Twelve chars" + std::string(37, '-') + "Z";
  ASSERT_EQ(fifty.size(), 50u);
  hostsim::toolkit::Item& field = PanelItem(kFreeTextField);
  field.text = fifty + "0123456789";
  kit().NotifyItem(hostsim::toolkit::Toolkit::HandleOf(field), kADMUserChangedNotifier);
  EXPECT_EQ(PanelItem(kFreeTextField).text, fifty);
  EXPECT_EQ(LabelText(), fifty);
}

TEST_F(PanelDialogsBehaviour, ARefusedTextFrameLeavesTheLabelWithoutText) {
  Start();
  DrawLabel();
  ASSERT_TRUE(person().ItemPick(kTextMode, 3).done());
  ASSERT_EQ(LabelText(), "<none>");
  host().faults().Add(hostsim::FaultRule::Of(kAITextFrameSuite, "NewPointText"));
  ASSERT_TRUE(person().ItemPick(kTextMode, 2).done());
  EXPECT_EQ(PanelItem(kTextMode).tooltip, "Label without text.");
  EXPECT_FALSE(PanelItem(kFreeTextField).visible);
  ASSERT_TRUE(person().ItemValue(8, 2).done());  // a rebuild
  EXPECT_EQ(LabelText(), "<none>");
  // The next pick, not refused, brings the free text.
  ASSERT_TRUE(person().ItemPick(kTextMode, 2).done());
  EXPECT_EQ(PanelItem(kTextMode).tooltip, "Label with free text.");
  EXPECT_TRUE(PanelItem(kFreeTextField).visible);
  EXPECT_NE(LabelText(), "<none>");
}

//-----------------------------------------------------------------------------
// Dialogs: resources and places
//-----------------------------------------------------------------------------

TEST_F(PanelDialogsBehaviour, TheToolsOptionsOpenResource22000AndThePanelsColoursArea19210) {
  Start();
  EXPECT_EQ(ResourceOfNextDialog([&] { EXPECT_TRUE(person().ToolOptions().done()); }), 22000);
  EXPECT_EQ(ResourceOfNextDialog([&] { EXPECT_TRUE(person().ItemClick(38, {}).done()); }), 19210);
}

TEST_F(PanelDialogsBehaviour, TheColorsAndFreeTextDialogsReopenWhereTheyWereLeft) {
  Start();
  const auto colors = [&] { EXPECT_TRUE(person().ItemClick(38, {}).done()); };
  MoveAndClose(colors, {100, 50, 330, 280}, 2);
  ExpectRect(MoveAndClose(colors, {300, 400, 530, 630}, 1), {100, 50, 330, 280}, "colours after Cancel");
  ExpectRect(MoveAndClose(colors, {300, 400, 530, 630}, 2), {300, 400, 530, 630}, "colours after OK");

  ASSERT_TRUE(person().ItemPick(kTextMode, 2).done());
  const auto texts = [&] { EXPECT_TRUE(person().ItemPick(14, 6).done()); };
  MoveAndClose(texts, {40, 60, 300, 280}, 2);
  ExpectRect(MoveAndClose(texts, {500, 70, 760, 290}, 1), {40, 60, 300, 280}, "free texts after Cancel");
  ExpectRect(MoveAndClose(texts, {0, 0, 260, 220}, 2), {500, 70, 760, 290}, "free texts after OK");
}

//-----------------------------------------------------------------------------
// Preferences drawing
//-----------------------------------------------------------------------------

// Icons of group 17000 are pictures 17000 + index.
TEST_F(PanelDialogsBehaviour, ThePreferencesPaintTheModeIconTheOutlineSwatchAndWhenExpandedTheNote) {
  Start([](hostsim::PreferenceStore& p) {
    p.Put(kSection, "RVBC", true);
    p.Put(kSection, "RougeGrisC", 200.9);
    p.Put(kSection, "VertC", 10.5);
    p.Put(kSection, "BleuC", 3.0);
  });
  const auto pictureAt = [](int32_t picture, int h, int v) {
    return [=](const DrawRecord& r) {
      return r.op == DrawOp::Picture && r.picture == picture && r.points.at(0).h == h && r.points.at(0).v == v;
    };
  };
  const auto note = [](const DrawRecord& r) {
    return (r.op == DrawOp::TextInBox || r.op == DrawOp::TextInRect || r.op == DrawOp::Text) &&
           r.text.find("change 1 by 1 until satisfaction.") != std::string::npos;
  };
  screen().modals.push_back([&](ADMDialogRef d) {
    DisplayList collapsed = kit().Paint(d)->background;
    EXPECT_NE(Find(collapsed, pictureAt(17001, 8, 8)), nullptr) << "the arrows icon";
    for (auto [index, h, v] : std::vector<std::array<int, 3>>{{3, 8, 67}, {161, 8, 90}, {6, 14, 117}, {7, 178, 121},
                                                               {13, 179, 144}})
      EXPECT_NE(Find(collapsed, pictureAt(17000 + index, h, v)), nullptr) << "icon " << index;
    const DrawRecord* swatch = Find(collapsed, [](const DrawRecord& r) {
      return r.op == DrawOp::FillRect && r.rect.left == 12 && r.rect.top == 35 && r.rect.right == 22 &&
             r.rect.bottom == 52;
    });
    ASSERT_NE(swatch, nullptr);
    EXPECT_EQ(swatch->color.red, 200 * 255);
    EXPECT_EQ(swatch->color.green, 10 * 255);
    EXPECT_EQ(swatch->color.blue, 3 * 255);
    EXPECT_EQ(Find(collapsed, note), nullptr) << "the note stands in the hidden part";

    EXPECT_EQ(kit().Click(d, 23, 0), hostsim::toolkit::ActionStatus::kDone);  // points mode
    EXPECT_EQ(kit().Click(d, 51, 0), hostsim::toolkit::ActionStatus::kDone);  // expanded
    DisplayList expanded = kit().Paint(d)->background;
    EXPECT_NE(Find(expanded, pictureAt(17009, 8, 8)), nullptr) << "the points icon";
    const DrawRecord* shown = Find(expanded, note);
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(shown->rect.left, 8);
    EXPECT_EQ(shown->rect.top, 257);
    EXPECT_EQ(kit().Click(d, 2, 0), hostsim::toolkit::ActionStatus::kDone);
  });
  ASSERT_TRUE(person().FlyoutPick(7).done());
  EXPECT_TRUE(screen().modals.empty());
}

//-----------------------------------------------------------------------------
// Editors
//-----------------------------------------------------------------------------

TEST_F(PanelDialogsBehaviour, TheGridSpacingSetsTheFieldsLargeStepInUnits) {
  Start();
  screen().modals.push_back([&](ADMDialogRef d) {
    EXPECT_EQ(kit().Pick(d, 17, 4), hostsim::toolkit::ActionStatus::kDone);  // 100 pts
    EXPECT_DOUBLE_EQ(DialogItem(d, 10).largeStep, 5);
    EXPECT_DOUBLE_EQ(DialogItem(d, 11).largeStep, 5);
    EXPECT_EQ(kit().Pick(d, 17, 0), hostsim::toolkit::ActionStatus::kDone);  // 4 pts
    EXPECT_NEAR(DialogItem(d, 10).largeStep, 0.2, 1e-6);
    EXPECT_NEAR(DialogItem(d, 11).largeStep, 0.2, 1e-6);
    EXPECT_EQ(kit().Click(d, 2, 0), hostsim::toolkit::ActionStatus::kDone);
  });
  ASSERT_TRUE(person().FlyoutPick(4).done());
  EXPECT_TRUE(screen().modals.empty());
}

// A grey of 40.6 %: trunc(100 - 40.6) = 59, 59 * 255 * 255 / 100 = 38364.75, kept as 38364.
TEST_F(PanelDialogsBehaviour, TheShapeEditorDrawsTheCornerInTheTruncatedGreyOutline) {
  Start([](hostsim::PreferenceStore& p) {
    p.Put(kSection, "RVBC", false);
    p.Put(kSection, "RougeGrisC", 40.6);
  });
  std::size_t outline = 0;
  screen().modals.push_back([&](ADMDialogRef d) {
    for (const DrawRecord& r : kit().Paint(d)->ListOf(16)->records)
      if (r.op == DrawOp::Line && r.admColor < 0 && r.color.red == 38364 && r.color.green == 38364 &&
          r.color.blue == 38364)
        ++outline;
    EXPECT_EQ(kit().Click(d, 2, 0), hostsim::toolkit::ActionStatus::kDone);
  });
  ASSERT_TRUE(person().FlyoutPick(5).done());
  EXPECT_TRUE(screen().modals.empty());
  EXPECT_GE(outline, 4u) << "the sample label's edges and corners";
}

// 30 degrees: the needle from the dial's centre (9, 9) to
// (9 + trunc(8 cos 30), 9 - trunc(8 sin 30)) = (15, 5).
TEST_F(PanelDialogsBehaviour, TheDialsNeedleRunsFromItsCentreTowardsTheAngle) {
  Start();
  ASSERT_TRUE(person().ItemValue(15, 30).done());
  const auto* list = kit().Paint(kit().Panel())->ListOf(27);
  ASSERT_NE(list, nullptr);
  const DrawRecord* needle = Find(*list, [](const DrawRecord& r) { return r.op == DrawOp::Line; });
  ASSERT_NE(needle, nullptr);
  ASSERT_EQ(needle->points.size(), 2u);
  EXPECT_EQ(needle->points[0].h, 9);
  EXPECT_EQ(needle->points[0].v, 9);
  EXPECT_EQ(needle->points[1].h, 15);
  EXPECT_EQ(needle->points[1].v, 5);
}

}  // namespace
