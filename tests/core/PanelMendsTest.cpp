// The panel's controls with the real library: a refused host call while
// arrowheads come and go never leaves a label the tool cannot take up, and
// the text options toggle never enables a field the tool has not.
#include <string>

#include "ToolSession.h"
#include "hostsim/UserActions.h"

namespace {

using hostsim::ActionStatus;
using hostsim::FaultRule;

class PanelMends : public ToolSessionTest {
 protected:
  hostsim::ActionResult Value(int32_t item, double value) { return hostsim::UserActions(host()).ItemValue(item, value); }

  // The host refuses every new art object while `action` runs.
  template <class Action>
  void WithNewArtRefused(Action&& action) {
    const auto rule = host().faults().Add(FaultRule::Of(kAIArtSuite, "NewArt").Onward());
    action();
    host().faults().Remove(rule);
  }

  // A click on the finished label's leader line, dragged away: the label
  // must be taken up and follow the drag, not a new label begun.
  void ExpectTakenUp(const std::string& what) {
    ASSERT_EQ(Labels().size(), 1u) << what;
    ASSERT_NE(Named(Labels()[0], "Arrows"), nullptr) << what << ": the label lost its \"Arrows\" group";
    Press(140, 130);
    DragTo(300, 220);
    const auto labels = Labels();
    ASSERT_EQ(labels.size(), 1u) << what << ": the click began a new label";
    const auto lines = Children(Named(labels[0], "Lines"));
    ASSERT_EQ(lines.size(), 1u) << what;
    EXPECT_NEAR(Segments(lines[0]).at(1).p.h, 300, 1e-3) << what << ": the leader does not end at the drag";
    EXPECT_NEAR(Segments(lines[0]).at(1).p.v, 220, 1e-3) << what;
  }
};

TEST_F(PanelMends, ARefusedCallWhileHeadsGoAndComeBackLeavesALabelTheToolTakesUp) {
  // Heads taken away while the host refuses new art.
  Start();
  DrawLabel(100, 100);
  WithNewArtRefused([&] { EXPECT_TRUE(Value(7, 0).done()); });
  ExpectTakenUp("size 0 refused");

  // Heads brought back while the host refuses new art.
  Start();
  DrawLabel(100, 100);
  ASSERT_TRUE(Value(7, 0).done());
  WithNewArtRefused([&] { EXPECT_TRUE(Value(7, 100).done()); });
  ExpectTakenUp("size 100 refused");

  // The KPX button brings the stored size back while the host refuses.
  Start();
  DrawLabel(100, 100);
  ASSERT_TRUE(Value(7, 0).done());
  WithNewArtRefused([&] { EXPECT_TRUE(hostsim::UserActions(host()).ItemClick(6, {}).done()); });
  ExpectTakenUp("KPX button refused");
}

TEST_F(PanelMends, HeadsBackAtSizeAboveZeroAreOnePerLeaderInTheSameGroup) {
  Start();
  Press(100, 100);  // a click without a drag: the first leader line's tip
  EXPECT_EQ(Send(kSelectorAIToolMouseUp, 100, 100), kNoErr);
  Press(100, 160);  // the second leader line, then the label's place
  DragTo(200, 220);
  const AIArtHandle arrows = Named(Labels()[0], "Arrows");
  ASSERT_EQ(Children(arrows).size(), 2u);
  ASSERT_TRUE(Value(7, 0).done());
  EXPECT_TRUE(Children(arrows).empty());
  ASSERT_TRUE(Value(7, 100).done());
  EXPECT_EQ(Named(Labels()[0], "Arrows"), arrows);
  const auto heads = Children(arrows);
  ASSERT_EQ(heads.size(), 2u);
  for (AIArtHandle head : heads) EXPECT_EQ(Segments(head).size(), 6u) << "the notched head has six anchors";
}

TEST_F(PanelMends, HidingTheTextOptionsBeforeAnyToolLeavesTheSizeFieldDisabled) {
  for (const bool shownAtStart : {false, true}) {
    FirstStart();
    OpenHost();
    prefs().Put(kSection, "TaillePalette", shownAtStart ? 1 : 0);
    ASSERT_EQ(host().Launch(), kNoErr);
    hostsim::UserActions user(host());
    if (!shownAtStart) {
      ASSERT_TRUE(user.FlyoutPick(0).done());  // show
    }
    ASSERT_TRUE(user.FlyoutPick(0).done());                     // hide
    EXPECT_FALSE(host().Dump()["panel"]["items"]["7"]["enabled"].get<bool>()) << shownAtStart;
    EXPECT_EQ(user.ItemValue(7, 150).status, ActionStatus::Ignored) << shownAtStart;
    EXPECT_EQ(host().Dump()["panel"]["items"]["7"]["value"].get<double>(), 100) << shownAtStart;
  }
}

}  // namespace
