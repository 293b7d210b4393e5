// The label box fits the text it holds after the text changes under a label
// already drawn: the label changed afterwards must come out as a label drawn
// from the start with the same size and text.
#include <string>
#include <vector>

#include "tests/scenario/PanelDump.h"

namespace scenario::panel {
namespace {

double Width(const std::vector<double>& b) { return b[2] - b[0]; }
double Height(const std::vector<double>& b) { return b[3] - b[1]; }
std::vector<double> TextBounds(const json& label) { return TextOf(label)["bounds"].get<std::vector<double>>(); }

struct Case {
  int button;  // shape button 51..54
  bool equalSides;
};
const std::vector<Case> kCases = {{51, false}, {52, false}, {53, false}, {54, false},
                                  {51, true},  {52, true},  {53, true},  {54, true}};

// For each shape, label A is drawn, then `change` (one panel action) alters
// its text; label B is drawn after it with the text as it now is. The script
// dumps both as case<k>.json.
std::string Script(const std::string& start, const std::string& before, const std::string& change) {
  std::string script = "launch\nzoom 1.5\ntool select\nitem 10 pick 2\nitem 13 text \"Upper cover\"\n" + start;
  bool equal = true;  // the default shape has equal sides
  for (std::size_t k = 0; k < kCases.size(); ++k) {
    const double y = 60 + 90.0 * static_cast<double>(k);
    script += "item " + std::to_string(kCases[k].button) + " click\n";
    if (kCases[k].equalSides != equal) script += "item 34 click\n";
    equal = kCases[k].equalSides;
    script += before + DrawLabel({40, y}, {120, y + 30}) + change + DrawLabel({560, y}, {640, y + 30}) + "dump case" +
              std::to_string(k) + ".json\n";
  }
  return script + "quit\n";
}

// Label A, changed after it was drawn, has the box and text place of label B.
void ExpectChangedAsFresh(Session& s) {
  for (std::size_t k = 0; k < kCases.size(); ++k) {
    const std::string what = "button " + std::to_string(kCases[k].button) + (kCases[k].equalSides ? " equal" : "");
    const json dump = s.ReadDump("case" + std::to_string(k) + ".json");
    const auto labels = LabelGroupsOf(dump);
    ASSERT_GE(labels.size(), 2u);
    const json& fresh = *labels[0];  // top first: B, then A
    const json& changed = *labels[1];
    ASSERT_EQ(TextOf(changed)["text"], TextOf(fresh)["text"]) << what;
    ASSERT_EQ(TextOf(changed)["size"], TextOf(fresh)["size"]) << what;
    ASSERT_NEAR(Width(TextBounds(changed)), Width(TextBounds(fresh)), kNear) << what;

    const auto box = AnchorBounds(ShapeOf(changed)), freshBox = AnchorBounds(ShapeOf(fresh));
    EXPECT_NEAR(Width(box), Width(freshBox), kNear) << what;
    EXPECT_NEAR(Height(box), Height(freshBox), kNear) << what;
    EXPECT_GT(Width(box), Width(TextBounds(changed))) << what << ": the text sticks out of its box";
    const auto text = TextBounds(changed), freshText = TextBounds(fresh);
    EXPECT_NEAR(text[0] - box[0], freshText[0] - freshBox[0], kNear) << what;
    EXPECT_NEAR(text[1] - box[1], freshText[1] - freshBox[1], kNear) << what;
  }
}

TEST(LabelBoxFit, ALargerTextSizeGivesTheLabelJustDrawnItsBoxForEveryShape) {
  Session s;
  RunOk(s, Script("", "item 20 value 12\n", "item 20 value 36\n"));
  ExpectChangedAsFresh(s);
}

TEST(LabelBoxFit, AnotherTextModeGivesTheLabelJustDrawnItsBoxForEveryShape) {
  Session s;
  // From a one-digit number to the free text "Upper cover".
  RunOk(s, Script("item 20 value 18\n", "item 10 pick 1\n", "item 10 pick 2\n"));
  ExpectChangedAsFresh(s);
}

}  // namespace
}  // namespace scenario::panel
