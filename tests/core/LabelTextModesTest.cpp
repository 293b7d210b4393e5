// What only the panel switches: the label's text modes (automatic letters,
// the number's upper limit, labels without text) and free proportions. The
// tool's handlers run in the test over the simulated host, so the values in
// force can be set directly.
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "InProcessCore.h"
#include "core/PendingLabel.h"
#include "label/ToolHandlers.h"

namespace {

ASErr RefuseValueToText(AIReal, char*, int32_t, int32_t) { return kCantHappenErr; }
ADMBasicSuite gBasicThatCannotFormat;

class LabelTextModes : public InProcessCoreTest {
 protected:
  // The messages come from the library's string list.
  std::filesystem::path ResourceLibrary() const override { return KPX_PLUGIN_FILE; }

  void SetUp() override {
    InProcessCoreTest::SetUp();
    WriteDefaultSettings();
    InitPendingLabel();
    g().KeepIndexOnce = false;
  }

  static AIToolMessage At(float x, float y) {
    AIToolMessage message{};
    message.cursor = {x, y};
    return message;
  }

  // Click, drag to the label's place twice, release.
  void DrawLabel(float x, float y) {
    AIToolMessage down = At(x, y), place = At(x + 80, y + 60);
    ToolTrackCursor(&down);
    ToolMouseDown(&down);
    ToolMouseDrag(&place);
    ToolMouseDrag(&place);
    ToolMouseUp(&place);
  }

  std::string LabelText() {
    ATETextRangeRef range = nullptr;
    if (sAITextFrame->GetATETextRange(g().TextFrame, &range) != kNoErr) return "<no text frame>";
    char text[64] = {};
    int32_t length = 0;
    sATETextRange->GetContents_AsChar(range, text, sizeof text, &length);
    sATETextRange->Release(range);
    return std::string(text, static_cast<size_t>(length));
  }

  std::vector<std::string> Alerts() {
    std::vector<std::string> alerts;
    const nlohmann::json dump = host().Dump();
    for (const auto& event : dump["events"])
      if (event["type"] == "alert") alerts.push_back(event["text"]);
    return alerts;
  }

  size_t LabelCount() { return host().Dump()["layers"][0]["art"].size(); }

  std::vector<AIPathSegment> ShapeAnchors() {
    int16_t count = 0;
    sAIPath->GetPathSegmentCount(g().ShapePath, &count);
    std::vector<AIPathSegment> anchors(static_cast<size_t>(count));
    if (count > 0) sAIPath->GetPathSegments(g().ShapePath, 0, count, anchors.data());
    return anchors;
  }
  float TextWidth() {
    AIRealRect bounds{};
    sAIArt->GetArtBounds(g().TextFrame, &bounds);
    return bounds.right - bounds.left;
  }
  std::string LabelName() {
    char name[64] = {};
    ASBoolean isDefault = false;
    sAIArt->GetArtName(g().LabelGroup, name, sizeof name, &isDefault);
    return name;
  }
};

void ExpectPoint(const AIPathSegment& s, double x, double y, const char* what) {
  EXPECT_NEAR(s.p.h, x, 1e-3) << what;
  EXPECT_NEAR(s.p.v, y, 1e-3) << what;
}

// Gaps of 3 (sides) and 5 (top and bottom) around 20 pt text, sides free.
class FreeProportions : public LabelTextModes {
 protected:
  void SetUp() override {
    LabelTextModes::SetUp();
    g().DecalageHorizTexte = 3;
    g().DecalageVertiTexte = 5;
    g().Corps = 20;
    InitPendingLabel();
    g().EqualSides = false;
  }
  static constexpr double kHeight = 20 * 1.2 + 5;             // a line and the vertical gap
  static constexpr double kLandingX = 180 + 17.007874;        // the label at (180, 160)
};

}  // namespace

TEST_F(LabelTextModes, LettersRunToZThenWrapToAInTheirOwnCase) {
  g().NumberOn = false;
  g().LetterOn = true;
  g().LabelLetter = 'Y';
  DrawLabel(100, 100);
  EXPECT_EQ(LabelText(), "Z");
  DrawLabel(100, 300);
  EXPECT_EQ(LabelText(), "A");
  g().LabelLetter = 'y';
  DrawLabel(100, 500);
  EXPECT_EQ(LabelText(), "z");
  DrawLabel(100, 700);
  EXPECT_EQ(LabelText(), "a");
}

TEST_F(LabelTextModes, LeaderLinesOfOneLabelShareItsNumber) {
  g().LabelNumber = 6;
  AIToolMessage first = At(100, 100), second = At(130, 100), place = At(200, 200);
  ToolMouseDown(&first);
  ToolMouseDown(&second);
  ToolMouseDrag(&place);
  ToolMouseDrag(&place);
  ToolMouseUp(&place);
  EXPECT_EQ(g().ArrowCount, 2);
  EXPECT_EQ(LabelText(), "7");
}

TEST_F(LabelTextModes, Number32767IsTheLastOneAccepted) {
  g().LabelNumber = 32766;
  DrawLabel(100, 100);
  EXPECT_EQ(LabelText(), "32767");

  AIToolMessage down = At(100, 400), place = At(200, 500);
  ToolMouseDown(&down);
  const std::vector<std::string> alerts = Alerts();
  ASSERT_EQ(alerts.size(), 1u);
  EXPECT_EQ(alerts[0], "You reached the superior limit. The number can not be higher than 32767.");
  EXPECT_EQ(g().LabelNumber, 32767);
  EXPECT_FALSE(g().ClickAccepted);
  // The refused click draws nothing, even when dragged.
  ToolMouseDrag(&place);
  ToolMouseUp(&place);
  EXPECT_EQ(LabelCount(), 1u);
}

TEST_F(LabelTextModes, ANumberTheHostCannotFormatLeavesTheTextEmpty) {
  gBasicThatCannotFormat = *sADMBasic.get();
  gBasicThatCannotFormat.ValueToText = RefuseValueToText;
  sADMBasic.slot = &gBasicThatCannotFormat;
  DrawLabel(100, 100);
  EXPECT_EQ(LabelText(), "");
}

// The text switch follows the label taken up: off for one without text (its
// first part is a group), on for one with text.
TEST_F(LabelTextModes, TakingUpALabelSetsTheTextSwitchByWhetherItHasText) {
  g().TextOn = false;
  DrawLabel(100, 100);  // its leader line runs to (180, 160)
  g().TextOn = true;
  DrawLabel(300, 100);
  AIToolMessage onFirst = At(140, 130), onSecond = At(340, 130);
  ToolTrackCursor(&onFirst);
  ToolMouseDown(&onFirst);
  ASSERT_TRUE(g().OverLabelLine);
  EXPECT_FALSE(g().TextOn);
  ToolTrackCursor(&onSecond);
  ToolMouseDown(&onSecond);
  ASSERT_TRUE(g().OverLabelLine);
  EXPECT_TRUE(g().TextOn);
}

// The text's font is the host's font at the stored font's place plus the
// font-matching offset.
TEST_F(LabelTextModes, TheTextTakesTheFontAfterTheStoredOneByTheOffset) {
  ASSERT_GE(host().fonts().size(), 3u);
  std::strcpy(g().Police, host().fonts().at(1).fullName.c_str());
  g().VariablePolice = 1;
  InitPendingLabel();
  DrawLabel(100, 100);
  EXPECT_EQ(host().Dump()["layers"][0]["art"][0]["children"][0]["font"], host().fonts().at(2).fullName);
}

// A label drawn with heads of size 0 has none; taken up with heads on, it
// gets one per line, made at the take-up and placed at the tips its lines
// begin at by the drag.
TEST_F(LabelTextModes, ALabelWithoutHeadsGetsThemWhenTakenUpWithHeadsOn) {
  g().ArrowheadsOn = false;
  g().ArrowSizeShown = 0;
  DrawLabel(100, 100);
  g().ArrowheadsOn = true;
  g().ArrowSizeShown = 100;
  AIToolMessage onLine = At(140, 130), place = At(240, 100);
  ToolTrackCursor(&onLine);
  ToolMouseDown(&onLine);
  int16_t count = 0;
  ASSERT_EQ(sAIPath->GetPathSegmentCount(g().ArrowPaths[0], &count), kNoErr);
  EXPECT_EQ(count, 6);
  ToolMouseDrag(&place);
  ToolMouseDrag(&place);
  ToolMouseUp(&place);
  AIPathSegment tip{}, start{};
  ASSERT_EQ(sAIPath->GetPathSegments(g().ArrowPaths[0], 0, 1, &tip), kNoErr);
  ASSERT_EQ(sAIPath->GetPathSegments(g().LinePaths[0], 0, 1, &start), kNoErr);
  EXPECT_NEAR(tip.p.h, 100, 1e-3);
  EXPECT_NEAR(tip.p.v, 100, 1e-3);
  EXPECT_NEAR(start.p.h, 107, 1e-3) << "the line begins behind the new head";
  EXPECT_NEAR(start.p.v, 100, 1e-3);
}

// The panel's arrowhead size and line width, changed while the mouse is
// down, are in force from the next drag message.
TEST_F(LabelTextModes, ThePanelsSizeAndWidthChangedDuringTheDragAreDrawn) {
  AIToolMessage down = At(100, 100), place = At(240, 100);
  ToolTrackCursor(&down);
  ToolMouseDown(&down);
  g().ArrowSizeShown = 200;
  g().LineWidthShown = 2;
  ToolMouseDrag(&place);
  ToolMouseDrag(&place);
  ToolMouseUp(&place);
  AIPathSegment start{};
  ASSERT_EQ(sAIPath->GetPathSegments(g().LinePaths[0], 0, 1, &start), kNoErr);
  EXPECT_NEAR(start.p.h, 114, 1e-3) << "the line begins 7 x 200 % behind the tip";
  AIPathStyle line{}, shape{};
  ASSERT_EQ(sAIPathStyle->GetPathStyle(g().LinePaths[0], &line), kNoErr);
  ASSERT_EQ(sAIPathStyle->GetPathStyle(g().ShapePath, &shape), kNoErr);
  EXPECT_EQ(line.stroke.width, 2.0f);
  EXPECT_EQ(shape.stroke.width, 2.0f);
}

TEST_F(LabelTextModes, LabelWithoutTextLosesItsEmptyTextFrame) {
  g().TextOn = false;
  DrawLabel(100, 100);
  ASSERT_EQ(LabelCount(), 1u);
  const nlohmann::json dump = host().Dump();
  for (const auto& part : dump["layers"][0]["art"][0]["children"]) EXPECT_NE(part["type"], "text");
  EXPECT_FALSE(sAIArt->ValidArt(g().TextFrame));
}

TEST_F(FreeProportions, ARectangleIsTheTextAndSideGapsWideAndALineAndTheVerticalGapHigh) {
  DrawLabel(100, 100);
  EXPECT_EQ(LabelName(), "Label (rect.)");
  const double w = TextWidth() + 2 * 3, cx = kLandingX + w / 2;
  const std::vector<AIPathSegment> box = ShapeAnchors();
  ASSERT_EQ(box.size(), 4u);
  ExpectPoint(box[0], cx - w / 2, 160 + kHeight / 2, "top left");
  ExpectPoint(box[2], cx + w / 2, 160 - kHeight / 2, "bottom right");
}

// The trapezoid's slanted sides rise at 60 degrees over the height H: its
// bottom edge is the box width W (widened by half a line), its top W - H,
// and the landing end is the middle of its left side.
TEST_F(FreeProportions, ATrapezoidStandsOnTheBoxWidthWithTheLandingEndOnItsSide) {
  g().ShapeKind = 3;
  DrawLabel(100, 100);
  EXPECT_EQ(LabelName(), "Label (trapezoid)");
  const double w = TextWidth() + 2 * 3 + 12, h = kHeight;
  const double t = h * std::sqrt(3.0) / 4, q = h / 4;
  const std::vector<AIPathSegment> outline = ShapeAnchors();
  ASSERT_EQ(outline.size(), 4u);
  ExpectPoint(outline[0], kLandingX - q, 160 - t, "P0");
  ExpectPoint(outline[1], kLandingX + q, 160 + t, "P1");
  ExpectPoint(outline[2], kLandingX - q + w - h / 2, 160 + t, "P2");
  ExpectPoint(outline[3], kLandingX - q + w, 160 - t, "P3");
}
