#include <cmath>
#include <cstring>
#include <string>
#include <limits>

#include "InProcessCore.h"
#include "core/PathStyles.h"
#include "core/PendingLabel.h"
#include "label/ToolHandlers.h"

namespace {

using PendingLabel = InProcessCoreTest;

}  // namespace

TEST_F(PendingLabel, StartsFromTheSettingsWithNoLabelPendingAndNumberOne) {
  WriteDefaultSettings();
  InitPendingLabel();
  const State& s = g();
  EXPECT_EQ(s.ShapeKind, 1);
  EXPECT_TRUE(s.ShapeOn);
  EXPECT_EQ(s.ArrowKind, 1);
  EXPECT_EQ(s.HeadPoints.count, 6);
  EXPECT_EQ(s.ArrowSizeInForce, 100.0f);
  EXPECT_EQ(s.ArrowSizeShown, 100.0f);
  EXPECT_TRUE(s.ArrowheadsOn);
  EXPECT_EQ(s.LineWidthInForce, 0.24f);
  EXPECT_EQ(s.LandingLengthShown, 17.007874f);
  EXPECT_EQ(s.TextGapH, 8);
  EXPECT_FLOAT_EQ(s.LeaderAngle, 0.7853982f);
  EXPECT_EQ(s.ArrowCount, 0);
  EXPECT_FALSE(s.ClickAccepted);
  EXPECT_FALSE(s.LabelBuilt);
  EXPECT_EQ(s.LabelNumber, 1);
  EXPECT_EQ(s.LabelLetter, 'A');
  EXPECT_TRUE(s.NumberOn && s.TextOn && s.KeepIndexOnce && s.EqualSides);
  EXPECT_EQ(s.LineStyle.stroke.width, 0.24f);
}

TEST_F(PendingLabel, NoShapeAndNoArrowheadsFollowTheirSettings) {
  WriteDefaultSettings();
  g().Etiquette = 0;
  g().Pointes = 0;
  g().FouP = 0;
  InitPendingLabel();
  EXPECT_FALSE(g().ShapeOn);
  EXPECT_FALSE(g().ArrowheadsOn);
  EXPECT_FALSE(g().ArrowsOn);
  EXPECT_EQ(g().HeadPoints.count, 4) << "points, not arrowheads: the dot's outline";
}

TEST(PathStyleColour, GreyIsTheLevelOverAHundredAndRgbEachComponentOver255) {
  const AIColor grey = SettingColor(false, 100, 0, 0);
  EXPECT_EQ(grey.kind, kGrayColor);
  EXPECT_EQ(grey.c.g.gray, 1.0f);
  const AIColor red = SettingColor(true, 255, 0, 0);
  EXPECT_EQ(red.kind, kThreeColor);
  EXPECT_EQ(red.c.rgb.red, 1.0f);
  EXPECT_EQ(red.c.rgb.green, 0.0f);
  EXPECT_EQ(red.c.rgb.blue, 0.0f);
}

TEST(PathStyleColour, UnusableComponentsNeverReachTheHost) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const AIColor c = SettingColor(true, nan, 600, -5);
  EXPECT_EQ(c.c.rgb.red, 0.0f);
  EXPECT_EQ(c.c.rgb.green, 1.0f);
  EXPECT_EQ(c.c.rgb.blue, 0.0f);
  const LabelPathStyles s = MakePathStyles(c, c, true, std::numeric_limits<float>::infinity());
  EXPECT_EQ(s.line.stroke.width, 0.0f);
}

TEST(PathStyles, LinesAreStrokedShapesFilledOnlyWithABackgroundHeadsFilledSolid) {
  const AIColor outline = SettingColor(false, 100, 0, 0);
  const AIColor background = SettingColor(true, 0, 0, 255);
  for (bool filled : {false, true}) {
    const LabelPathStyles s = MakePathStyles(outline, background, filled, 0.5f);
    EXPECT_FALSE(s.line.fillPaint);
    EXPECT_TRUE(s.line.strokePaint);
    EXPECT_EQ(s.line.stroke.cap, kAIRoundCap);
    EXPECT_EQ(s.line.stroke.join, kAIMiterJoin);
    EXPECT_EQ(s.line.stroke.miterLimit, 10.0f);
    EXPECT_EQ(s.shape.stroke.width, 0.5f);
    EXPECT_EQ(static_cast<bool>(s.shape.fillPaint), filled);
    EXPECT_EQ(s.shape.fill.color.kind, filled ? kThreeColor : kNoneColor);
    EXPECT_TRUE(s.solidHead.fillPaint);
    EXPECT_FALSE(s.solidHead.strokePaint);
    EXPECT_EQ(s.solidHead.fill.color.c.g.gray, 1.0f);
  }
}

TEST_F(PendingLabel, LabelTextUsesTheStoredFontsPlaceInTheHostsList) {
  WriteDefaultSettings();
  ASSERT_GE(host().fonts().size(), 2u);
  const std::string second = host().fonts().at(1).fullName;
  ASSERT_LT(second.size(), sizeof g().Police);
  std::strcpy(g().Police, second.c_str());
  InitPendingLabel();
  EXPECT_EQ(g().FontListIndex, 1);
  const std::string last = host().fonts().at(host().fonts().size() - 1).fullName;
  ASSERT_EQ(host().fonts().FindByFullName(last), host().fonts().size() - 1) << "the last name is not unique";
  std::strcpy(g().Police, last.c_str());
  InitPendingLabel();
  EXPECT_EQ(g().FontListIndex, static_cast<int32_t>(host().fonts().size() - 1)) << "the last font was not found";
  std::strcpy(g().Police, "No Such Font");
  InitPendingLabel();
  EXPECT_EQ(g().FontListIndex, 0);
}

TEST_F(PendingLabel, DeselectingTheToolGivesThePanelBackTheValuesInForce) {
  WriteDefaultSettings();
  InitPendingLabel();
  g().ArrowSizeInForce = 40;
  g().ArrowSizeShown = 70;
  g().LineWidthInForce = 1.5f;
  g().LineWidthShown = 3;
  g().LandingLength = -5;
  g().LandingLengthShown = 9;
  EXPECT_EQ(ToolDeselect(nullptr), kNoErr);
  EXPECT_EQ(g().ArrowSizeShown, 40.0f);
  EXPECT_EQ(g().LineWidthShown, 1.5f);
  EXPECT_EQ(g().LandingLengthShown, -5.0f);
}
