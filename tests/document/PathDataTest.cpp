// Path data against geometry worked out by hand: every command, absolute and
// relative, implicit repeats, smooth and quadratic curves, and elliptical arcs.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "hostsim/document/PathData.h"

namespace {

using hostsim::Vec2;

constexpr double kNear = 1e-4;
constexpr double k = 0.5522847498;  // 4/3 tan(pi/8): a quarter circle's handle per unit of radius

// One sink call: 'M', 'L', 'C' (six numbers) or 'Z'.
struct Op {
  char op;
  std::vector<double> v;
};

class Recorder : public hostsim::PathSink {
 public:
  void MoveTo(Vec2 p) override { ops.push_back({'M', {p.x, p.y}}); }
  void LineTo(Vec2 p) override { ops.push_back({'L', {p.x, p.y}}); }
  void CurveTo(Vec2 a, Vec2 b, Vec2 p) override { ops.push_back({'C', {a.x, a.y, b.x, b.y, p.x, p.y}}); }
  void ClosePath() override { ops.push_back({'Z', {}}); }
  std::vector<Op> ops;
};

std::string Show(const std::vector<Op>& ops) {
  std::ostringstream s;
  for (const Op& o : ops) {
    s << o.op;
    for (double v : o.v) s << ' ' << v;
    s << "; ";
  }
  return s.str();
}

std::vector<Op> Parse(const std::string& d) {
  Recorder r;
  const auto err = hostsim::ParsePathData(d, r);
  EXPECT_FALSE(err) << d << ": " << (err ? err->message : "");
  return r.ops;
}

void ExpectOps(const std::string& d, const std::vector<Op>& expected) {
  const std::vector<Op> actual = Parse(d);
  ASSERT_EQ(actual.size(), expected.size()) << d << "\n got " << Show(actual) << "\nwant " << Show(expected);
  for (std::size_t i = 0; i < actual.size(); ++i) {
    ASSERT_EQ(actual[i].op, expected[i].op) << d << " at op " << i;
    for (std::size_t j = 0; j < actual[i].v.size(); ++j) {
      EXPECT_NEAR(actual[i].v[j], expected[i].v[j], kNear) << d << " op " << i << " number " << j;
    }
  }
}

hostsim::PathDataError ParseError(const std::string& d) {
  Recorder r;
  const auto err = hostsim::ParsePathData(d, r);
  EXPECT_TRUE(err) << d << " parsed";
  return err.value_or(hostsim::PathDataError{});
}

// -----------------------------------------------------------------------------
// Lines, moves and closing
// -----------------------------------------------------------------------------

TEST(PathGrammar, AbsoluteAndRelativeLinesReachTheSamePoints) {
  ExpectOps("M 10 20 l 5 0 L 30 40 h 5 H 0 v -10 V 100 z",
            {{'M', {10, 20}}, {'L', {15, 20}}, {'L', {30, 40}}, {'L', {35, 40}}, {'L', {0, 40}}, {'L', {0, 30}},
             {'L', {0, 100}}, {'Z', {}}});
}

TEST(PathGrammar, NumbersAfterAMoveAreLinesAndOtherCommandsRepeat) {
  ExpectOps("m 1 2 3 4 5 6", {{'M', {1, 2}}, {'L', {4, 6}}, {'L', {9, 12}}});
  ExpectOps("M1,2 3,4", {{'M', {1, 2}}, {'L', {3, 4}}});
  ExpectOps("M0 0 c 1 1 2 2 3 3 1 1 2 2 3 3", {{'M', {0, 0}}, {'C', {1, 1, 2, 2, 3, 3}}, {'C', {4, 4, 5, 5, 6, 6}}});
  ExpectOps("M0 0 h 1 2 v 3", {{'M', {0, 0}}, {'L', {1, 0}}, {'L', {3, 0}}, {'L', {3, 3}}});
}

TEST(PathGrammar, CompactNumbersSplitWhereTheSyntaxSays) {
  ExpectOps("M.5.5-1-1e1", {{'M', {0.5, 0.5}}, {'L', {-1, -10}}});
  ExpectOps("M1+2L3E1-4e-1", {{'M', {1, 2}}, {'L', {30, -0.4}}});
  ExpectOps("   ", {});
}

TEST(PathGrammar, AfterACloseTheNextCommandStartsAtTheSubpathStart) {
  ExpectOps("M 10 10 L 20 10 Z l 0 5", {{'M', {10, 10}}, {'L', {20, 10}}, {'Z', {}}, {'M', {10, 10}}, {'L', {10, 15}}});
  ExpectOps("M 10 10 L 20 10 z m 1 1 l 1 0",
            {{'M', {10, 10}}, {'L', {20, 10}}, {'Z', {}}, {'M', {11, 11}}, {'L', {12, 11}}});
}

// -----------------------------------------------------------------------------
// Curves
// -----------------------------------------------------------------------------

TEST(PathCurves, SmoothCubicReflectsThePreviousControlOrStartsAtTheCurrentPoint) {
  // The first control of S mirrors (20, 10) through (30, 10).
  const std::vector<Op> expected = {{'M', {0, 0}}, {'C', {10, 0, 20, 10, 30, 10}}, {'C', {40, 10, 50, 20, 60, 20}}};
  ExpectOps("M 0 0 C 10 0 20 10 30 10 S 50 20 60 20", expected);
  ExpectOps("M 0 0 C 10 0 20 10 30 10 s 20 10 30 10", expected);
  ExpectOps("M 0 0 L 10 0 S 20 10 30 10", {{'M', {0, 0}}, {'L', {10, 0}}, {'C', {10, 0, 20, 10, 30, 10}}});
}

TEST(PathCurves, QuadraticsAreRaisedToCubicsTwoThirdsTowardsTheirControl) {
  // Q 30 30 60 0 from the origin: controls 0 + 2/3 (30, 30) and (60, 0) + 2/3 (-30, 30).
  // T mirrors (30, 30) through (60, 0) to (90, -30).
  ExpectOps("M 0 0 Q 30 30 60 0 T 120 0",
            {{'M', {0, 0}}, {'C', {20, 20, 40, 20, 60, 0}}, {'C', {80, -20, 100, -20, 120, 0}}});
  ExpectOps("M 0 0 Q 30 30 60 0 t 60 0", Parse("M 0 0 Q 30 30 60 0 T 120 0"));
  ExpectOps("m 10 10 q 30 30 60 0", {{'M', {10, 10}}, {'C', {30, 30, 50, 30, 70, 10}}});
  // T without a quadratic before it has its control on the current point: a straight cubic.
  ExpectOps("M 0 0 L 10 0 T 40 0", {{'M', {0, 0}}, {'L', {10, 0}}, {'C', {10, 0, 20, 0, 40, 0}}});
}

// -----------------------------------------------------------------------------
// Arcs (y grows downwards in SVG; sweep 1 turns clockwise on screen)
// -----------------------------------------------------------------------------

TEST(PathArcs, SweepFlagChoosesTheSideOfAHalfCircle) {
  const double h = 5 * k;
  ExpectOps("M 0 0 A 5 5 0 0 1 10 0",
            {{'M', {0, 0}}, {'C', {0, -h, 5 - h, -5, 5, -5}}, {'C', {5 + h, -5, 10, -h, 10, 0}}});
  ExpectOps("M 0 0 A 5 5 0 0 0 10 0",
            {{'M', {0, 0}}, {'C', {0, h, 5 - h, 5, 5, 5}}, {'C', {5 + h, 5, 10, h, 10, 0}}});
  // Negative radii count as positive; relative end points too.
  ExpectOps("M 0 0 a -5 -5 0 0 1 10 0",
            {{'M', {0, 0}}, {'C', {0, -h, 5 - h, -5, 5, -5}}, {'C', {5 + h, -5, 10, -h, 10, 0}}});
}

TEST(PathArcs, LargeArcAndSweepFlagsPickOneOfFourArcsBetweenTwoPoints) {
  // From (5, 0) to (0, 5) with radius 5: the centres are (0, 0) and (5, 5).
  const double h = 5 * k;
  ExpectOps("M 5 0 A 5 5 0 0 1 0 5", {{'M', {5, 0}}, {'C', {5, h, h, 5, 0, 5}}});            // centre (0, 0)
  ExpectOps("M 5 0 A 5 5 0 0 0 0 5", {{'M', {5, 0}}, {'C', {5 - h, 0, 0, 5 - h, 0, 5}}});    // centre (5, 5)
  // Three quarters around (5, 5): through (10, 5) and (5, 10).
  ExpectOps("M 5 0 A 5 5 0 1 1 0 5", {{'M', {5, 0}},
                                      {'C', {5 + h, 0, 10, 5 - h, 10, 5}},
                                      {'C', {10, 5 + h, 5 + h, 10, 5, 10}},
                                      {'C', {5 - h, 10, 0, 5 + h, 0, 5}}});
  // Three quarters around (0, 0): through (0, -5) and (-5, 0).
  ExpectOps("M 5 0 A 5 5 0 1 0 0 5", {{'M', {5, 0}},
                                      {'C', {5, -h, h, -5, 0, -5}},
                                      {'C', {-h, -5, -5, -h, -5, 0}},
                                      {'C', {-5, h, -h, 5, 0, 5}}});
}

TEST(PathArcs, RadiiTooSmallGrowUntilTheyJustSpanTheChord) {
  const double h = 5 * k;
  const std::vector<Op> half = {{'M', {0, 0}}, {'C', {0, -h, 5 - h, -5, 5, -5}}, {'C', {5 + h, -5, 10, -h, 10, 0}}};
  ExpectOps("M 0 0 A 1 1 0 0 1 10 0", half);
  ExpectOps("M 0 0 A 1 1 0 1 1 10 0", half);  // the large-arc flag cannot matter for a half circle
}

TEST(PathArcs, ZeroRadiusIsAStraightLineAndAnArcToItsStartDrawsNothing) {
  ExpectOps("M 0 0 A 0 5 0 0 1 10 0", {{'M', {0, 0}}, {'L', {10, 0}}});
  ExpectOps("M 0 0 A 5 0 30 1 0 10 0", {{'M', {0, 0}}, {'L', {10, 0}}});
  ExpectOps("M 3 3 A 5 5 0 1 1 3 3 L 4 4", {{'M', {3, 3}}, {'L', {4, 4}}});
}

TEST(PathArcs, RotationTurnsTheEllipseAxes) {
  // An ellipse 10 by 5 turned a quarter: its long axis runs down the chord
  // from (0, 0) to (0, 20), so the arc bulges 5 to the right, through (5, 10).
  const double h5 = 5 * k, h10 = 10 * k;
  ExpectOps("M 0 0 A 10 5 90 0 1 0 20",
            {{'M', {0, 0}}, {'C', {h5, 0, 5, 10 - h10, 5, 10}}, {'C', {5, 10 + h10, h5, 20, 0, 20}}});
}

TEST(PathArcs, FlagsNeedNoSeparators) {
  ExpectOps("M5 0a5 5 0 015-5", Parse("M 5 0 a 5 5 0 0 1 5 -5"));
  ExpectOps("M5 0A5,5,0,0,1,10,5", Parse("M 5 0 A 5 5 0 0 1 10 5"));
}

// -----------------------------------------------------------------------------
// Broken data
// -----------------------------------------------------------------------------

TEST(PathErrors, BrokenDataNamesTheCharacterAndKeepsWhatCameBefore) {
  struct Case {
    const char* d;
    std::size_t offset;
    const char* message;
  };
  const Case cases[] = {
      {"L 1 2", 0, "must begin with a move"},
      {"M 1 2 L 3", 9, "ends in the middle"},
      {"M 1 2 X 3", 6, "unknown path command"},
      {"M 1 2 A 1 1 0 2 0 3 3", 14, "arc flag"},
      {"M 1,,2", 4, "a number is expected"},
      {"M 1 2,", 6, "after the comma"},
      {"M 1 2 L 1e999 0", 8, "malformed or out of range"},
      {"M 1 2 3", 7, "ends in the middle"},
  };
  for (const Case& c : cases) {
    const hostsim::PathDataError err = ParseError(c.d);
    EXPECT_EQ(err.offset, c.offset) << c.d;
    EXPECT_NE(err.message.find(c.message), std::string::npos) << c.d << ": " << err.message;
  }
  Recorder r;
  ASSERT_TRUE(hostsim::ParsePathData("M 1 2 L 3 4 L 5", r));
  ASSERT_EQ(r.ops.size(), 2u) << "the move and the first line were written before the error";
}

TEST(PathErrors, NumberListsTakeCommasAndSpacesButNotEmptyEntries) {
  std::vector<double> v;
  EXPECT_TRUE(hostsim::ParseNumberList(" 1,2 3 ,4 -5-6", v));
  EXPECT_EQ(v, (std::vector<double>{1, 2, 3, 4, -5, -6}));
  for (const char* bad : {"1,,2", "1 2,", "1 x", ",1"}) {
    v.clear();
    EXPECT_FALSE(hostsim::ParseNumberList(bad, v)) << bad;
  }
}

}  // namespace
