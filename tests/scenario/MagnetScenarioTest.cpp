// The magnet and the click test as the zoom and the click's place change,
// and the tone of each click, from one click to the next.
#include <string>
#include <vector>

#include "tests/scenario/ScenarioSteps.h"

namespace scenario {
namespace {

struct Click {
  Point at;     // where the user clicks
  Point place;  // where the label is dragged to
};

std::string DrawAll(const std::vector<Click>& clicks) {
  std::string script;
  for (const Click& c : clicks) script += DrawLabel(c.at, c.place);
  return script;
}

// The tip of each label, oldest first, read from its notched arrowhead.
std::vector<Point> Tips(const json& dump) {
  std::vector<Point> tips;
  const auto labels = LabelGroupsOf(dump);
  for (auto it = labels.rbegin(); it != labels.rend(); ++it) tips.push_back(AnchorPoint(Arrows(**it)[0], 0));
  return tips;
}

// A magnet distance of 10 screen points is 5 document points at zoom 2 and
// 20 at zoom 0.5 (closeness is measured along each axis); the click's own hit
// test keeps 10 at every zoom. The outline of `rect 100 100 200 150` has its
// corners at (100, 100), (300, 100), (300, 250) and (100, 250).
TEST(Magnet, SnappingDistanceFollowsTheZoom) {
  Session s;
  s.SetInteger("Tolerance", 10);
  const std::string rect = "rect 100 100 200 150\n";
  const RunResult r = RunOk(s, rect + "zoom 2\n" + DrawAll({{{94, 100}, {150, 700}},     // 6 from a corner: no snap
                                                            {{304, 100}, {250, 700}}}) +  // 4: snaps
                                   "zoom 0.5\n" + DrawAll({{{315, 265}, {350, 700}},     // 15 on each axis: snaps
                                                           {{75, 250}, {450, 700}}}) +   // 25: no snap
                                   "zoom 1\n" + DrawAll({{{100, 256}, {550, 700}}}));    // 6: snaps
  EXPECT_EQ(BeepFrequencies(r.dump), (std::vector<int>{9001, 9000, 9000, 9001, 9000}));
  // Unsnapped, a click within the hit test's reach of a corner is still put
  // on it; one beyond stays where it was made.
  const std::vector<Point> expected = {{100, 100}, {300, 100}, {300, 250}, {75, 250}, {100, 250}};
  const std::vector<Point> tips = Tips(r.dump);
  ASSERT_EQ(tips.size(), expected.size());
  for (std::size_t i = 0; i < tips.size(); ++i) ExpectNear(tips[i], expected[i], "tip " + std::to_string(i));
}

TEST(Magnet, TheClickTestKeepsItsDistanceAtAnyZoom) {
  Session s;
  s.SetInteger("Tolerance", 10);
  s.SetBoolean("ClicDansVide", false);
  const RunResult r = RunOk(s, "rect 100 100 200 150\nzoom 2\n" + DrawLabel({200, 92}, {200, 600}) +  // 8 below
                                   "zoom 0.5\n" + DrawLabel({150, 88}, {150, 600}));               // 12 below
  EXPECT_EQ(AlertTexts(r.dump),
            std::vector<std::string>{"Clicking outside an object is forbidden (see preferences)."});
  EXPECT_EQ(BeepFrequencies(r.dump), std::vector<int>{9001});
  const std::vector<Point> tips = Tips(r.dump);
  ASSERT_EQ(tips.size(), 1u);
  ExpectNear(tips[0], {200, 100}, "tip on the segment the click hit");
}

// With the magnet off nothing snaps: a click near a corner is put on it by
// the click test alone, and Alt does not centre a tip on its segment.
TEST(Magnet, WithTheMagnetOffNothingSnaps) {
  Session s;
  s.SetBoolean("Magnetisme", false);
  const RunResult r = RunOk(s, "rect 100 100 200 150\n" + DrawLabel({103, 97}, {40, 40}) +
                                   "down 140 100.5\npress alt\ndrag 250 300\ndrag 250 300\nrelease alt\nup 250 300\n");
  EXPECT_EQ(BeepFrequencies(r.dump), (std::vector<int>{9001, 9001}));
  EXPECT_FALSE(CursorShown(r.dump, 19000) || CursorShown(r.dump, 19001)) << "a snap cursor with the magnet off";
  const std::vector<Point> tips = Tips(r.dump);
  ASSERT_EQ(tips.size(), 2u);
  ExpectNear(tips[0], {100, 100}, "the corner the click hit");
  ExpectNear(tips[1], {140, 100}, "where the click hit the segment");
}

// Each click's tone follows that click alone: inside a fill 9003, an anchor
// 9000, anything else 9001, in whatever order they come.
TEST(Magnet, EachClickSoundsItsOwnTone) {
  const std::string rect = "rect 100 100 200 150 filled\n";
  const Click inside{{200, 175}, {200, 400}}, inside2{{150, 130}, {150, 600}}, empty{{450, 600}, {500, 700}},
      empty2{{500, 300}, {560, 360}}, corner{{303, 253}, {380, 500}}, corner2{{103, 97}, {40, 40}};
  {
    Session s;
    const RunResult r = RunOk(s, rect + DrawAll({inside, empty, corner, inside2}));
    EXPECT_EQ(BeepFrequencies(r.dump), (std::vector<int>{9003, 9001, 9000, 9003}));
    const std::vector<Point> tips = Tips(r.dump);
    ASSERT_EQ(tips.size(), 4u);
    ExpectNear(tips[0], inside.at, "inside");
    ExpectNear(tips[2], {300, 250}, "corner");
    ExpectNear(tips[3], inside2.at, "inside after a corner");
  }
  {
    Session s;
    const RunResult r = RunOk(s, rect + DrawAll({empty, inside, corner2, empty2}));
    EXPECT_EQ(BeepFrequencies(r.dump), (std::vector<int>{9001, 9003, 9000, 9001}));
    const std::vector<Point> tips = Tips(r.dump);
    ASSERT_EQ(tips.size(), 4u);
    ExpectNear(tips[2], {100, 100}, "corner");
    ExpectNear(tips[3], empty2.at, "empty space after a corner");
  }
  {
    Session s;
    s.SetBoolean("Son", false);
    const RunResult r = RunOk(s, rect + DrawAll({inside, corner}));
    EXPECT_TRUE(BeepFrequencies(r.dump).empty()) << "a tone sounded with the sounds off";
    EXPECT_EQ(Tips(r.dump).size(), 2u);
  }
}

}  // namespace
}  // namespace scenario
