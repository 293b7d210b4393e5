// Expected values are worked by hand from the colour, drag and picture rules
// of the Colors and options dialog.
#include <gtest/gtest.h>

#include "dialogs/ColorsRules.h"

namespace {

using dlg::ColorValue;

void ExpectScreen(const ADMRGBColor& c, uint16_t r, uint16_t g, uint16_t b) {
  EXPECT_EQ(c.red, r);
  EXPECT_EQ(c.green, g);
  EXPECT_EQ(c.blue, b);
}

void ExpectPoint(const ADMPoint& p, int32_t h, int32_t v) {
  EXPECT_EQ(p.h, h);
  EXPECT_EQ(p.v, v);
}

}  // namespace

TEST(ColorModeSwitch, GreyFortyBecomesRedOneHundredTwoAndComesBackExactly) {
  const ColorValue grey{false, {40, 7, 9}};
  const ColorValue rgb = dlg::SwitchMode(grey);
  EXPECT_TRUE(rgb.rgb);
  EXPECT_EQ(rgb.c[0], 102.0f);
  EXPECT_EQ(rgb.c[1], 7.0f);  // green and blue are left as they were
  EXPECT_EQ(rgb.c[2], 9.0f);
  const ColorValue back = dlg::SwitchMode(rgb);
  EXPECT_FALSE(back.rgb);
  EXPECT_EQ(back.c[0], 40.0f);
}

TEST(ColorModeSwitch, EndsOfTheScalesMeet) {
  EXPECT_EQ(dlg::SwitchMode({false, {100, 0, 0}}).c[0], 255.0f);
  EXPECT_EQ(dlg::SwitchMode({true, {255, 0, 0}}).c[0], 100.0f);
  EXPECT_FLOAT_EQ(dlg::SwitchMode({false, {50, 0, 0}}).c[0], 127.5f);
  EXPECT_EQ(dlg::SwitchMode({false, {0, 0, 0}}).c[0], 0.0f);
}

TEST(SwatchOnScreen, RgbComponentsAreTruncatedThenScaledTo16Bits) {
  ExpectScreen(dlg::ScreenColor({true, {102.7f, 0, 255}}), 26010, 0, 65025);
  // Out of range counts as the nearest end.
  ExpectScreen(dlg::ScreenColor({true, {300, -4, 1}}), 65025, 0, 255);
}

TEST(SwatchOnScreen, GreyIsAPercentageOfBlack) {
  // truncate(100 - g) * 255 * 255 / 100 in whole numbers.
  ExpectScreen(dlg::ScreenColor({false, {40, 200, 200}}), 39015, 39015, 39015);
  ExpectScreen(dlg::ScreenColor({false, {33.3f, 0, 0}}), 42916, 42916, 42916);
  ExpectScreen(dlg::ScreenColor({false, {0, 0, 0}}), 65025, 65025, 65025);
  ExpectScreen(dlg::ScreenColor({false, {100, 0, 0}}), 0, 0, 0);
  ExpectScreen(dlg::ScreenColor({false, {-5, 0, 0}}), 65025, 65025, 65025);
}

TEST(ColorRamps, EachRgbRampRunsItsComponentAndKeepsTheOthers) {
  const ColorValue color{true, {10, 20, 30}};
  ExpectScreen(dlg::RampColor(color, 1, 0), 2550, 0, 7650);
  ExpectScreen(dlg::RampColor(color, 1, 16), 2550, 32385, 7650);  // 127.5 truncated
  ExpectScreen(dlg::RampColor(color, 1, 32), 2550, 65025, 7650);
  ExpectScreen(dlg::RampColor(color, 0, 32), 65025, 5100, 7650);
  ExpectScreen(dlg::RampColor(color, 2, 0), 2550, 5100, 0);
}

TEST(ColorRamps, GreyRampRunsFromWhiteToBlack) {
  const ColorValue grey{false, {70, 0, 0}};
  ExpectScreen(dlg::RampColor(grey, 0, 0), 65025, 65025, 65025);
  ExpectScreen(dlg::RampColor(grey, 0, 8), 48768, 48768, 48768);  // 25 %
  ExpectScreen(dlg::RampColor(grey, 0, 32), 0, 0, 0);
}

TEST(AngleDrag, MovingRightOrStayingOpensMovingLeftCloses) {
  EXPECT_EQ(dlg::DraggedAngle(17, 5, 6), 19);
  EXPECT_EQ(dlg::DraggedAngle(17, 6, 6), 19);
  EXPECT_EQ(dlg::DraggedAngle(17, 6, 5), 15);
  // At x = 0 the product is 0: the angle opens whatever the last x.
  EXPECT_EQ(dlg::DraggedAngle(17, 20, 0), 19);
}

TEST(AngleDrag, NeverLeavesZeroToNinety) {
  EXPECT_EQ(dlg::DraggedAngle(89, 3, 4), 90);
  EXPECT_EQ(dlg::DraggedAngle(90, 3, 4), 90);
  EXPECT_EQ(dlg::DraggedAngle(1, 4, 3), 0);
  EXPECT_EQ(dlg::DraggedAngle(0, 4, 3), 0);
  // A drag right across the whole picture: one step of 2 per event up to 90.
  float angle = 17;
  int32_t last = 0;
  for (int32_t x = 0; x <= 24; ++x) {
    angle = dlg::DraggedAngle(angle, last, x);
    last = x;
  }
  EXPECT_EQ(angle, 67);  // 25 events
  for (int32_t i = 0; i < 20; ++i) angle = dlg::DraggedAngle(angle, last, last);
  EXPECT_EQ(angle, 90);
}

TEST(GapDrag, PointsOfThePictureGiveTheGaps) {
  auto expect = [](int32_t x, int32_t y, int32_t h, float v) {
    const dlg::TextGaps gaps = dlg::GapsAtPoint(x, y);
    EXPECT_EQ(gaps.h, h) << x << "," << y;
    EXPECT_EQ(gaps.v, v) << x << "," << y;
  };
  expect(126, 46, 0, 7);   // right of the edge and below the band: no horizontal gap, vertical 7
  expect(100, 20, 13, 13);
  expect(101, 21, 12, 12);  // 25 / 2 truncated
  expect(124, 45, 1, 0);
  expect(125, 0, 0, 23);
  expect(-2, 47, 64, 7);
}

TEST(GapPicture, EdgeTextAndBandFollowTheGaps) {
  dlg::GapPicture p = dlg::GapPictureOf(13, 13);
  EXPECT_EQ(p.edgeLeft, 99);
  EXPECT_EQ(p.textLeft, 113);
  EXPECT_EQ(p.bandTop, 10);
  EXPECT_EQ(p.bandBottom, 36);
  p = dlg::GapPictureOf(61, 22);
  EXPECT_EQ(p.edgeLeft, 3);
  EXPECT_EQ(p.textLeft, 65);
  EXPECT_EQ(p.bandTop, 1);
  EXPECT_EQ(p.bandBottom, 45);
  // Past the picture's room the edge stops at 0, the text at 62, the band fills it.
  p = dlg::GapPictureOf(62, 23);
  EXPECT_EQ(p.edgeLeft, 0);
  EXPECT_EQ(p.textLeft, 62);
  EXPECT_EQ(p.bandTop, 0);
  EXPECT_EQ(p.bandBottom, 46);
}

TEST(ArrowPictures, TheAngleIsTheHalfOpeningFromTheShaft) {
  const dlg::OpenArrowPicture open = dlg::OpenArrowOf(90);
  ExpectPoint(open.tip, 0, 15);
  ExpectPoint(open.upperBarb, 0, 0);
  ExpectPoint(open.lowerBarb, 0, 30);
  // 17 degrees: 15 cos 17 = 14.34, 15 sin 17 = 4.39.
  const dlg::OpenArrowPicture usual = dlg::OpenArrowOf(17);
  ExpectPoint(usual.upperBarb, 14, 11);
  ExpectPoint(usual.lowerBarb, 14, 19);

  const dlg::TriangleArrowPicture closed = dlg::TriangleArrowOf(0);
  ExpectPoint(closed.corners[0], 23, 11);
  ExpectPoint(closed.corners[1], 38, 11);
  ExpectPoint(closed.corners[2], 38, 11);
  ExpectPoint(closed.shaftStart, 38, 11);
  ExpectPoint(closed.shaftEnd, 43, 11);
  const dlg::TriangleArrowPicture wide = dlg::TriangleArrowOf(90);
  ExpectPoint(wide.corners[1], 23, -4);
  ExpectPoint(wide.corners[2], 23, 26);
}
