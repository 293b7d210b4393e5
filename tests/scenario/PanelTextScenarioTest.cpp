// The panel's text options through whole sessions: text modes, the letter,
// the free text and the preferred texts, the font list and the text size,
// checked in the panel and in the labels drawn.
#include <string>
#include <vector>

#include "tests/scenario/PanelDump.h"

namespace scenario::panel {
namespace {

const Point kTip{100, 400}, kPlace{220, 460};
std::string Session1(const std::string& body) { return "launch\nzoom 0.5\ntool select\n" + body + "quit\n"; }

std::vector<std::string> LabelTexts(const json& dump) {
  std::vector<std::string> texts;
  for (const json* label : LabelGroupsOf(dump)) {
    const json& text = TextOf(*label);
    texts.push_back(text.is_object() ? text.value("text", "") : "<none>");
  }
  return texts;  // the newest label first
}

TEST(PanelText, LettersRunFromAAndTheLetterFieldChangesThePendingLabel) {
  Session s;
  const RunResult r = RunOk(s, Session1("item 10 pick 0\ndump mode.json\n" + DrawLabel({50, 50}, {90, 90}) +
                                        DrawLabel(kTip, kPlace) + "dump drawn.json\nitem 11 text \"q\"\n"
                                        "dump typed.json\n" + DrawLabel({300, 100}, {350, 150})));
  const json mode = s.ReadDump("mode.json");
  EXPECT_EQ(ItemOf(mode, 11)["visible"], true);
  EXPECT_EQ(ItemOf(mode, 12)["visible"], false);
  EXPECT_EQ(ItemOf(mode, 13)["visible"], false);
  EXPECT_EQ(ItemOf(mode, 10)["tooltip"], "Label with automatic letter.");
  EXPECT_EQ(LabelTexts(s.ReadDump("drawn.json")), (std::vector<std::string>{"B", "A"}));
  EXPECT_EQ(ItemOf(s.ReadDump("drawn.json"), 11)["text"], "B");
  EXPECT_EQ(LabelTexts(s.ReadDump("typed.json")), (std::vector<std::string>{"q", "A"}));
  EXPECT_EQ(LabelTexts(r.dump), (std::vector<std::string>{"r", "q", "A"}));
}

TEST(PanelText, LetterThenFreeTextThenLetterKeepsTheFreeTextWhole) {
  Session s;
  s.SetString("TexteLibre1", "Garage");
  const RunResult r = RunOk(s, Session1("item 10 pick 2\ndump free.json\nitem 10 pick 0\nitem 11 text \"q\"\n"
                                        "item 10 pick 2\ndump again.json\n" +
                                        DrawLabel(kTip, kPlace)));
  EXPECT_EQ(ItemOf(s.ReadDump("free.json"), 13)["text"], "Garage");
  const json again = s.ReadDump("again.json");
  EXPECT_EQ(ItemOf(again, 13)["text"], "Garage") << "the letter's two bytes were not given back";
  EXPECT_EQ(ItemOf(again, 13)["visible"], true);
  EXPECT_EQ(ItemOf(again, 14)["visible"], true);
  EXPECT_EQ(LabelTexts(r.dump), std::vector<std::string>{"Garage"});
}

TEST(PanelText, AFreeTextTypedLongerThanTheOldOneIsDrawnWhole) {
  Session s;
  s.SetString("TexteLibre1", "Face");
  const RunResult r = RunOk(s, Session1("item 10 pick 2\n" + DrawLabel(kTip, kPlace) +
                                        "item 13 text \"Upper cover plate\"\n"));
  EXPECT_EQ(LabelTexts(r.dump), std::vector<std::string>{"Upper cover plate"});
}

TEST(PanelText, APreferredTextReplacesTheFreeTextAndTurnsTheHelpToPage6) {
  Session s;
  s.SetString("TexteLibre4", "Quatre");
  const RunResult r = RunOk(s, Session1("flyout 9\nitem 10 pick 2\nitem 14 pick 3\ndump picked.json\n"
                                        "item 10 pick 0\nitem 11 text \"z\"\nitem 10 pick 2\n" +
                                        DrawLabel(kTip, kPlace)));
  const json picked = s.ReadDump("picked.json");
  EXPECT_EQ(ItemOf(picked, 13)["text"], "Quatre");
  EXPECT_EQ(Value(picked, 136), 6);
  EXPECT_EQ(ItemOf(picked, 60)["text"].get<std::string>().rfind("FREE TEXT\r\n", 0), 0u);
  EXPECT_EQ(LabelTexts(r.dump), std::vector<std::string>{"Quatre"}) << "the letter spoilt the picked text";
}

TEST(PanelText, WithoutTextTheLabelLosesItsTextAndChoosingItAgainChangesNothing) {
  Session s;
  RunOk(s, Session1(DrawLabel(kTip, kPlace) + "item 10 pick 3\ndump none.json\nitem 10 pick 3\ndump again.json\n"
                    "item 10 pick 1\ndump number.json\n"));
  const json none = s.ReadDump("none.json"), again = s.ReadDump("again.json"), number = s.ReadDump("number.json");
  EXPECT_EQ(LabelTexts(none), std::vector<std::string>{"<none>"});
  EXPECT_EQ(ItemOf(none, 10)["tooltip"], "Label without text.");
  EXPECT_EQ(ItemOf(none, 13)["enabled"], false);
  for (int id : {11, 12, 13, 14, 31, 32}) EXPECT_EQ(ItemOf(none, id)["visible"], false) << "item " << id;
  EXPECT_EQ(again["panel"], none["panel"]);
  EXPECT_EQ(LabelTexts(number), std::vector<std::string>{"1"}) << "the number comes back to the label";
  EXPECT_EQ(ItemOf(number, 12)["visible"], true);
}

// The texts of the font popup's entries, in the host's order.
std::vector<std::string> FontNames(const json& dump) {
  std::vector<std::string> names;
  for (const json& e : ItemOf(dump, 19)["entries"]) names.push_back(e["text"]);
  return names;
}

// The text of the font popup's selected entry.
std::string SelectedFont(const json& dump) {
  for (const json& e : ItemOf(dump, 19)["entries"])
    if (e["selected"].get<bool>()) return e["text"];
  return "";
}

int PlaceOf(const std::vector<std::string>& names, const std::string& name) {
  for (std::size_t i = 0; i < names.size(); ++i)
    if (names[i] == name) return static_cast<int>(i);
  return -1;
}

TEST(PanelText, TheTextSizeAndTheFontPickedAreUsedAndStoredWhole) {
  Session s;
  s.SetReal("Corps", 9);
  RunOk(s, "launch\ndump fonts.json\nquit\n");
  const std::vector<std::string> names = FontNames(s.ReadDump("fonts.json"));
  const int bold = PlaceOf(names, "DejaVu Sans Bold"), sans = PlaceOf(names, "DejaVu Sans");
  if (bold < 0 || sans < 0) GTEST_SKIP() << "the DejaVu fonts are not installed";
  // A longer name first, then a shorter one: the shorter is stored exactly.
  const RunResult r = RunOk(s, Session1("item 19 pick " + std::to_string(bold) + "\nitem 20 value 16\n" +
                                        DrawLabel(kTip, kPlace) + "dump bold.json\nitem 19 pick " +
                                        std::to_string(sans) + "\n"));
  const json bolded = s.ReadDump("bold.json");
  const json& text = TextOf(OnlyLabel(bolded));
  EXPECT_EQ(text["font"], "DejaVu Sans Bold");
  EXPECT_NEAR(text["size"].get<double>(), 16, kNear);
  EXPECT_EQ(Pref(bolded, "Police"), "DejaVu Sans Bold");
  EXPECT_NEAR(Pref(bolded, "Corps").get<double>(), 16, kNear);
  EXPECT_EQ(Pref(r.dump, "Police"), "DejaVu Sans");
  EXPECT_EQ(TextOf(OnlyLabel(r.dump))["font"], "DejaVu Sans");
}

TEST(PanelText, TheLaterMatchingFontWinsAndTheMatchingOffsetMovesTheSelection) {
  Session s;
  RunOk(s, "launch\ndump fonts.json\nquit\n");
  const std::vector<std::string> names = FontNames(s.ReadDump("fonts.json"));
  const int exact = PlaceOf(names, "DejaVu Sans Bold");
  // "DejaVu Sans" begins "DejaVu Sans Bold" and comes before it in the list.
  if (exact < 1 || PlaceOf(names, "DejaVu Sans") < 0 || exact + 1 >= static_cast<int>(names.size()))
    GTEST_SKIP() << "the DejaVu fonts are not installed";
  s.SetString("Police", "DejaVu Sans Bold");
  RunOk(s, Session1("dump matched.json\n" + DrawLabel(kTip, kPlace)));
  EXPECT_EQ(SelectedFont(s.ReadDump("matched.json")), "DejaVu Sans Bold");
  s.SetInteger("VariablePolice", 1);
  const RunResult r = RunOk(s, Session1("dump moved.json\n" + DrawLabel(kTip, kPlace)));
  EXPECT_EQ(SelectedFont(s.ReadDump("moved.json")), names[static_cast<std::size_t>(exact) + 1]);
  EXPECT_EQ(TextOf(OnlyLabel(r.dump))["font"], names[static_cast<std::size_t>(exact) + 1])
      << "the label uses the font the panel shows";
}

TEST(PanelText, AnAngleOfTheListIsPickedAsItsNumber) {
  Session s;
  RunOk(s, Session1("item 15 pick 0\ndump first.json\nitem 15 pick 6\ndump zero.json\n"));
  EXPECT_NEAR(Value(s.ReadDump("first.json"), 15), -150, kNear);
  // -150 -120 -90 -60 -30, a separator, 0, a separator, 30 ...
  EXPECT_NEAR(Value(s.ReadDump("zero.json"), 15), 0, kNear);
}

}  // namespace
}  // namespace scenario::panel
