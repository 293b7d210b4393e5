#include <gtest/gtest.h>

#include <string>

#include "GeometryExpect.h"
#include "geometry/LabelLayout.h"

TEST(Landing, VanishesWhenTheLeaderIsHorizontalOrTheLengthIsZero) {
  const Point end{10, 20};
  for (float angle : {0.0f, kPi, -kPi}) EXPECT_FALSE(ComputeLanding(end, angle, 17.0f, false, false).present);
  for (float angle : {0.3f, 2.0f, -1.0f}) EXPECT_FALSE(ComputeLanding(end, angle, 0.0f, false, false).present);
}

TEST(Landing, RunsTowardsTheLabelSideAndFlipsWithIt) {
  const Point end{10, 20};
  ExpectNear(ComputeLanding(end, 0.5f, 17.0f, false, false).end, {27, 20});
  ExpectNear(ComputeLanding(end, 2.5f, 17.0f, true, false).end, {-7, 20});
  ExpectNear(ComputeLanding(end, 0.5f, 17.0f, false, true).end, {-7, 20});
  ExpectNear(ComputeLanding(end, 2.5f, 17.0f, true, true).end, {27, 20});
  ExpectNear(ComputeLanding(end, 0.5f, -17.0f, false, false).end, {-7, 20});
}

TEST(LabelBox, TriangleIsHalfALineHeightWiderThanRectangle) {
  const LabelBoxSize rect = ComputeLabelBox(51.457f, 12.0f, 8, 8.0f, kShapeRectangle, false);
  const LabelBoxSize tri = ComputeLabelBox(51.457f, 12.0f, 8, 8.0f, kShapeTriangle, false);
  EXPECT_NEAR(rect.width, 51.457f + 16.0f, 1e-4f);
  EXPECT_NEAR(rect.height, 12.0f * 1.2f + 8.0f, 1e-4f);
  EXPECT_NEAR(tri.width - rect.width, 7.2f, 1e-4f);
}

TEST(LabelBox, EqualSidesMakeASquareOfTheWidth) {
  const LabelBoxSize box = ComputeLabelBox(30.0f, 12.0f, 8, 8.0f, kShapeRectangle, true);
  EXPECT_FLOAT_EQ(box.width, 46.0f);
  EXPECT_FLOAT_EQ(box.height, 46.0f);
}

TEST(LabelSide, CentreLiesOnTheLabelSideOfTheLanding) {
  EXPECT_FLOAT_EQ(LabelCentreX(100, 40, 0.5f, false, false, 17), 120);
  EXPECT_FLOAT_EQ(LabelCentreX(100, 40, 2.5f, false, true, 17), 80);
  EXPECT_FLOAT_EQ(LabelCentreX(100, 40, 0.5f, true, false, 17), 80);   // flipped
  EXPECT_FLOAT_EQ(LabelCentreX(100, 40, 0.5f, false, false, -17), 80); // negative landing swaps
}

TEST(LabelText, AnchorTakesTheOffsetAwayFromTheLine) {
  ExpectNear(TextAnchorFor({0, 0}, 3, 2, 0.5f, false, false), {3, 2});
  ExpectNear(TextAnchorFor({0, 0}, 3, 2, 2.5f, false, true), {-3, 2});
  ExpectNear(TextAnchorFor({0, 0}, 3, 2, 0.5f, true, false), {-3, 2});
  ExpectNear(TextAnchorFor({0, 0}, 3, 2, 2.5f, true, true), {3, 2});
}

TEST(LabelText, BaselineDropsFurtherInAnEquilateralTriangle) {
  EXPECT_FLOAT_EQ(TextBaselineShift(12, kShapeRectangle, true), -4.0f);
  EXPECT_FLOAT_EQ(TextBaselineShift(12, kShapeTriangle, false), -4.0f);
  EXPECT_NEAR(TextBaselineShift(12, kShapeTriangle, true), -7.099996f, 1e-5f);  // -(12 x 0.508333) - 1
  EXPECT_NEAR(TextBaselineShift(30, kShapeTriangle, true), -16.24999f, 1e-4f);  // -(30 x 0.508333) - 1
}

TEST(LabelNames, FollowShapeRadiusAndProportions) {
  EXPECT_EQ(std::string(LabelGroupName(kShapeRectangle, -3, false)), "Label (round rect. -)");
  EXPECT_EQ(std::string(LabelGroupName(kShapeRectangle, 3, true)), "Label (round square +)");
  EXPECT_EQ(std::string(LabelGroupName(kShapeRectangle, 0, false)), "Label (rect.)");
  EXPECT_EQ(std::string(LabelGroupName(kShapeEllipse, 0, false)), "Lable (ellipse)");
  EXPECT_EQ(std::string(LabelGroupName(kShapeTriangle, 0, true)), "Label (triangle)");
  EXPECT_EQ(std::string(LabelGroupName(kShapeNone, 0, true)), "Label (without)");
  EXPECT_EQ(std::string(LabelGroupName(99, 0, true)), "Label (without)");
}

TEST(Numbering, LettersWrapWithinTheirCase) {
  EXPECT_EQ(NextLabelLetter('A'), 'B');
  EXPECT_EQ(NextLabelLetter('Y'), 'Z');
  EXPECT_EQ(NextLabelLetter('Z'), 'A');
  EXPECT_EQ(NextLabelLetter('a'), 'b');
  EXPECT_EQ(NextLabelLetter('y'), 'z');
  EXPECT_EQ(NextLabelLetter('z'), 'a');
  EXPECT_EQ(NumberDigitCount(9), 1);
  EXPECT_EQ(NumberDigitCount(10), 2);
  EXPECT_EQ(NumberDigitCount(32767), 5);
}

TEST(Shapes, FiveShiftClicksReturnToTheFirstShape) {
  for (int32_t start = kShapeNone; start <= kShapeCustom; ++start) {
    int32_t kind = start;
    for (int i = 0; i < 5; ++i) kind = NextShapeKind(kind);
    EXPECT_EQ(kind, start);
  }
  EXPECT_EQ(NextShapeKind(-7), kShapeNone);
}

TEST(Snapping, FootOfThePerpendicularLiesOnTheSegmentLine) {
  ExpectNear(FootOnLine({5, 9}, {0, 0}, {10, 0}), {5, 0});
  ExpectNear(FootOnLine({5, 9}, {2, 0}, {2, 10}), {2, 9});
  ExpectNear(FootOnLine({0, 10}, {0, 0}, {10, 10}), {5, 5});
  ExpectNear(FootOnLine({10, 0}, {2, 2}, {12, 12}), {5, 5});
  ExpectNear(FootOnLine({0, 8}, {4, 0}, {0, 4}), {-2, 6});  // beyond the segment, on its line
}
