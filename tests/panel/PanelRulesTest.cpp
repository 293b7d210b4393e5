// The panel's pure rules: where it and the dialogs open, its sizes, the
// angle dial, the swatch's colour channels. Expected numbers are worked out
// by hand from the screen sizes and angles used.
#include <gtest/gtest.h>

#include <cmath>

#include "panel/AngleDial.h"
#include "panel/PanelGeometry.h"
#include "panel/SwatchColor.h"

namespace {

void ExpectRect(const ADMRect& r, int32_t left, int32_t top, int32_t right, int32_t bottom) {
  EXPECT_EQ(r.left, left);
  EXPECT_EQ(r.top, top);
  EXPECT_EQ(r.right, right);
  EXPECT_EQ(r.bottom, bottom);
}

}  // namespace

TEST(PanelPlace, DefaultIsCentredForItsWidthAThirdDownForAHeightOf135) {
  // (1025 - 206) / 2 = 409.5 -> 409; (768 - 135) / 3 = 211.
  const ADMPoint p = DefaultPanelOrigin({0, 0, 1025, 768});
  EXPECT_EQ(p.h, 409);
  EXPECT_EQ(p.v, 211);
  const ADMPoint wide = DefaultPanelOrigin({0, 0, 1920, 1080});
  EXPECT_EQ(wide.h, 857);
  EXPECT_EQ(wide.v, 315);
}

TEST(PanelPlace, DialogsCentreRoundingDownAndSitAThirdDownTruncated) {
  // Preferences 284 x 277 on 1920 x 1080: (1636) / 2 = 818, 803 / 3 = 267.67 -> 267.
  const ADMPoint prefs = DefaultDialogOrigin({0, 0, 1920, 1080}, 284, 277);
  EXPECT_EQ(prefs.h, 818);
  EXPECT_EQ(prefs.v, 267);
  // A dialog larger than the screen: -99 / 2 rounds down to -50; -301 / 3
  // truncates to -100.
  const ADMPoint big = DefaultDialogOrigin({0, 0, 401, 300}, 500, 601);
  EXPECT_EQ(big.h, -50);
  EXPECT_EQ(big.v, -100);
  // The screen's own origin counts in the spare room, not in the place.
  const ADMPoint offset = DefaultDialogOrigin({100, 50, 1100, 650}, 500, 410);
  EXPECT_EQ(offset.h, 250);
  EXPECT_EQ(offset.v, 63);
}

TEST(PanelSize, BuiltWithTextOptionsIs185HighOtherwise116AndAlways206Wide) {
  ExpectRect(BuiltPanelBounds({10, 20}, false), 10, 20, 216, 136);
  ExpectRect(BuiltPanelBounds({10, 20}, true), 10, 20, 216, 205);
}

TEST(PanelSize, TogglingTextOptionsLaterGives187Or116FromTheTop) {
  const ADMRect built{30, 40, 236, 225};
  ExpectRect(WithTextOptions(built, false), 30, 40, 236, 156);
  ExpectRect(WithTextOptions(WithTextOptions(built, false), true), 30, 40, 236, 227);
}

TEST(PanelSize, HelpWidensTo412And187HighWhateverTheTextOptions) {
  const ADMRect compact{5, 6, 211, 122};
  ExpectRect(WithHelp(compact, true, false), 5, 6, 417, 193);
  ExpectRect(WithHelp(compact, true, true), 5, 6, 417, 193);
  // Hiding it restores the width and the height the text options call for.
  ExpectRect(WithHelp(WithHelp(compact, true, false), false, false), 5, 6, 211, 122);
  ExpectRect(WithHelp(WithHelp(compact, true, true), false, true), 5, 6, 211, 193);
}

TEST(AngleDial, DirectionIsCounterClockwiseFromTheRightWithYUp) {
  EXPECT_NEAR(DialDirection(16, 8), 0.0, 1e-6);
  EXPECT_NEAR(DialDirection(8, 0), M_PI / 2, 1e-6);
  EXPECT_NEAR(DialDirection(0, 8), M_PI, 1e-6);
  EXPECT_NEAR(DialDirection(8, 16), -M_PI / 2, 1e-6);
  EXPECT_NEAR(DialDirection(2, 14), -3 * M_PI / 4, 1e-6);
  EXPECT_EQ(DialDirection(8, 8), 0.0f) << "the centre itself has no direction";
}

TEST(AngleDial, AnglesStayWithinPlusOrMinus180) {
  EXPECT_NEAR(KeepWithinHalfTurn(-3.2f), -3.2 + 2 * M_PI, 1e-5) << "below -180: a whole turn back";
  EXPECT_EQ(KeepWithinHalfTurn(-kDialPi), -kDialPi) << "-180 itself stays";
  EXPECT_EQ(KeepWithinHalfTurn(2.0f), 2.0f);
  // Snapping up to 18 steps of 10 degrees can land a rounding above pi.
  EXPECT_EQ(KeepWithinHalfTurn(3.1416f), kDialPi);
}

TEST(AngleDial, NeedleRunsEightPixelsFromNineNineTruncated) {
  // 0: (9 + 8, 9 - 0).
  DialNeedle n = NeedleFor(0.0f);
  EXPECT_EQ(n.start.h, 9);
  EXPECT_EQ(n.start.v, 9);
  EXPECT_EQ(n.end.h, 17);
  EXPECT_EQ(n.end.v, 9);
  // 45 degrees: 8 cos = 5.66 -> 5 each way: (14, 4).
  n = NeedleFor(0.7853982f);
  EXPECT_EQ(n.end.h, 14);
  EXPECT_EQ(n.end.v, 4);
  // -135 degrees: truncation toward zero gives -5 and -5: (4, 14).
  n = NeedleFor(-2.3561945f);
  EXPECT_EQ(n.end.h, 4);
  EXPECT_EQ(n.end.v, 14);
  // 180 degrees: a horizontal line to the left.
  n = NeedleFor(kDialPi);
  EXPECT_EQ(n.end.h, 1);
  EXPECT_EQ(n.start.v, n.end.v);
}

TEST(AngleDial, DegreesAndRadiansUseTheSamePi) {
  EXPECT_NEAR(DegreesFromRadians(0.7853982f), 45.0, 1e-4);
  EXPECT_NEAR(RadiansFromDegrees(-150.0f), -2.6179939, 1e-6);
}

TEST(SwatchColor, RgbComponentsAreTimes255) {
  EXPECT_EQ(RgbChannel(255), 65025);
  EXPECT_EQ(RgbChannel(0), 0);
  EXPECT_EQ(RgbChannel(127.5f), 32512);  // 32512.5 truncated
  const ADMRGBColor c = SwatchColor(true, 255, 10, 1);
  EXPECT_EQ(c.red, 65025);
  EXPECT_EQ(c.green, 2550);
  EXPECT_EQ(c.blue, 255);
}

TEST(SwatchColor, GreyIsThePercentOfWhiteTruncatedTwice) {
  EXPECT_EQ(GreyChannel(100), 0) << "100 % grey is black";
  EXPECT_EQ(GreyChannel(0), 65025);
  // trunc(100 - 33.3) = 66; 66 * 65025 / 100 = 42916.5 -> 42916.
  EXPECT_EQ(GreyChannel(33.3f), 42916);
  const ADMRGBColor c = SwatchColor(false, 50, 255, 255);
  EXPECT_EQ(c.red, 32512);
  EXPECT_EQ(c.green, 32512) << "a grey ignores the other two components";
  EXPECT_EQ(c.blue, 32512);
}

TEST(SwatchColor, SettingsOutOfRangeNeverWrapAChannel) {
  EXPECT_EQ(RgbChannel(300), 65025);
  EXPECT_EQ(RgbChannel(-4), 0);
  EXPECT_EQ(GreyChannel(-5), 65025);
  EXPECT_EQ(GreyChannel(150), 0);
  EXPECT_EQ(RgbChannel(std::nanf("")), 0);
}
