// Outline points stored far beyond anything an editor makes are refused at
// start-up like any other unusable setting: the list keeps its defaults.
#include "PluginHost.h"

namespace {

using FarOutlinePoints = PluginHostTest;

TEST_F(FarOutlinePoints, AFarPointGivesTheDefaultListAndANearOneIsKept) {
  FirstStart();
  auto& h = OpenHost();
  h.prefs().Put(kSection, "PtFlEditX1", 1e20);        // the arrowhead: far out
  h.prefs().Put(kSection, "ArINOUTEditOY1", -1e6);    // the corner: far out the other way
  ASSERT_EQ(h.Launch(), kNoErr);
  // Stored values are coordinates + 6: anchor 1 of the arrowhead is (11, ..), O-handle 1 of the corner (.., 12).
  EXPECT_EQ(h.prefs().GetReal(kSection, "PtFlEditX1"), 17.0);
  EXPECT_EQ(h.prefs().GetReal(kSection, "ArINOUTEditOY1"), 18.0);
  CloseHost();

  auto& again = OpenHost();
  again.prefs().Put(kSection, "PtFlEditX1", 506.0);
  ASSERT_EQ(again.Launch(), kNoErr);
  again.Quit();
  EXPECT_EQ(again.prefs().GetReal(kSection, "PtFlEditX1"), 506.0) << "a point 500 out was taken for a far one";
}

}  // namespace
