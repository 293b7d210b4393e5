// The label's text modes, which only the panel switches: automatic letters,
// the number's upper limit, and labels without text. The tool's handlers run
// in the test over the simulated host, so the modes can be set directly.
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "InProcessCore.h"
#include "label/PendingLabel.h"
#include "label/ToolHandlers.h"

namespace {

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
  g().LabelLetter = 'z';
  DrawLabel(100, 500);
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

TEST_F(LabelTextModes, LabelWithoutTextLosesItsEmptyTextFrame) {
  g().TextOn = false;
  DrawLabel(100, 100);
  ASSERT_EQ(LabelCount(), 1u);
  const nlohmann::json dump = host().Dump();
  for (const auto& part : dump["layers"][0]["art"][0]["children"]) EXPECT_NE(part["type"], "text");
  EXPECT_FALSE(sAIArt->ValidArt(g().TextFrame));
}
