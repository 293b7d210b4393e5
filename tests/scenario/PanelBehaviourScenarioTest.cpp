// Panel behaviours no other session covers: the Command-click resets of the
// landing, arrowhead-size and horizontal-gap areas, the fields after the tool
// is put down, a number too large to draw, the tool chosen while help is
// shown, where "Show text options" puts the focus, the leader length without
// arrowheads, item 7's popup and the ranges of the sliders and fields.
// Expected values come from the panel's rules, worked out by hand.
#include <cmath>
#include <string>
#include <vector>

#include "tests/scenario/PanelDump.h"

namespace scenario::panel {
namespace {

const Point kTip{100, 400}, kPlace{220, 460};
const double kTheta = std::atan2(60.0, 120.0);  // from the tip to the place
std::string Session1(const std::string& body) { return "launch\nzoom 2\ntool select\n" + body + "quit\n"; }

std::string LabelText(const json& dump) {
  const json& text = TextOf(OnlyLabel(dump));
  return text.is_object() ? text.value("text", "") : "<none>";
}

Point TextAnchor(const json& text) { return {text["anchor"][0].get<double>(), text["anchor"][1].get<double>()}; }
bool Active(const json& dump, int id) { return ItemOf(dump, id)["active"].get<bool>(); }

TEST(PanelBehaviour, CommandClickOnTheSizeLandingAndHorizontalGapAreasResetsThemToTheSettings) {
  Session s;
  s.SetReal("Pointes", 80);
  s.SetReal("Attaches", 5 * kMillimetre);
  s.SetReal("DecalageHoriz", 3);
  RunOk(s, Session1(DrawLabel(kTip, kPlace) + "item 7 value 0\nitem 9 value 10\nitem 18 value 9\n"
                    "item 24 click cmd\nitem 26 click cmd\ndump typed.json\nitem 30 click cmd\ndump reset.json\n"));
  const json typed = s.ReadDump("typed.json"), reset = s.ReadDump("reset.json");
  EXPECT_NEAR(Value(reset, 7), 80, kNear);
  EXPECT_NEAR(Value(reset, 9), 5, kNear);  // millimetres
  EXPECT_NEAR(Value(reset, 18), 3, kNear);

  const json& label = OnlyLabel(reset);
  EXPECT_TRUE(Arrows(label).empty()) << "the size's reset made arrowhead art";
  ExpectNear(AnchorPoint(Lines(label)[0], 2), {kPlace.x + 5 * kMillimetre, kPlace.y}, "landing of 5 mm");
  // The label stands right of its tip: the text sits the horizontal gap right of its base.
  const double shift = TextAnchor(TextOf(OnlyLabel(typed))).x - TextAnchor(TextOf(label)).x;
  EXPECT_NEAR(shift, 9 - 3, kNear) << "the text did not move back to the stored gap";
}

TEST(PanelBehaviour, PuttingTheToolDownShowsTheSizeWidthAndLandingInForce) {
  Session s;
  s.SetReal("Attaches", 5 * kMillimetre);
  // The landing's reset changes the value in force but not the one shown;
  // putting the tool down shows the one in force.
  RunOk(s, Session1("item 7 value 150\nitem 8 value 1.5\nitem 9 value 10\nitem 26 click cmd\n"
                    "tool deselect\ndump down.json\n"));
  const json down = s.ReadDump("down.json");
  EXPECT_NEAR(Value(down, 7), 150, kNear);
  EXPECT_NEAR(Value(down, 8), 1.5, kNear);
  EXPECT_NEAR(Value(down, 9), 5, kNear);
}

TEST(PanelBehaviour, ANumberOf32768IsKeptInItsFieldWithoutRedrawingTheLabel) {
  Session s;
  RunOk(s, Session1(DrawLabel(kTip, kPlace) + "item 12 value 32768\ndump big.json\nitem 12 value 32767\n"
                    "dump last.json\n"));
  const json big = s.ReadDump("big.json"), last = s.ReadDump("last.json");
  EXPECT_EQ(Value(big, 12), 32768);
  EXPECT_EQ(LabelText(big), "1");
  EXPECT_EQ(LabelText(last), "32767");
}

TEST(PanelBehaviour, ChoosingTheToolWhileHelpIsShownKeepsTheHelpAreaWholeAndTheTextOptionsEntryOff) {
  Session s;
  s.SetInteger("TaillePalette", 0);
  RunOk(s, "launch\ntool select\nflyout 9\ntool deselect\ntool select\ndump again.json\nquit\n");
  const json again = s.ReadDump("again.json");
  const std::vector<int> b = BoundsOf(again);
  ASSERT_EQ(b.size(), 4u);
  EXPECT_EQ(b[2] - b[0], 412);
  EXPECT_EQ(b[3] - b[1], 187);
  EXPECT_EQ(FlyoutEntry(again, 1)["enabled"], false);
  EXPECT_EQ(FlyoutEntry(again, 10)["text"], "Hide help");
  EXPECT_EQ(FlyoutEntry(again, 4)["enabled"], true);
}

TEST(PanelBehaviour, ShowingTheTextOptionsFocusesTheFieldOfTheTextModeAndHidingThemTheSize) {
  Session s;
  s.SetInteger("TaillePalette", 0);
  RunOk(s, Session1("flyout 0\ndump number.json\nitem 10 pick 0\nflyout 0\ndump hidden.json\nflyout 0\n"
                    "dump letter.json\nitem 10 pick 2\nflyout 0\nflyout 0\ndump free.json\nitem 10 pick 3\n"
                    "flyout 0\nitem 25 click\nflyout 0\ndump none.json\n"));
  EXPECT_TRUE(Active(s.ReadDump("number.json"), 12));
  EXPECT_TRUE(Active(s.ReadDump("hidden.json"), 7));
  EXPECT_TRUE(Active(s.ReadDump("letter.json"), 11));
  EXPECT_TRUE(Active(s.ReadDump("free.json"), 13));
  EXPECT_TRUE(Active(s.ReadDump("none.json"), 7));
}

TEST(PanelBehaviour, WithoutArrowheadsTheLineLengthRunsFromTheTip) {
  Session s;
  RunOk(s, Session1(DrawLabel(kTip, kPlace) + "item 7 value 0\nitem 16 value 40\ndump long.json\n"));
  const json dump = s.ReadDump("long.json");
  const json& line = Lines(OnlyLabel(dump))[0];
  ExpectNear(AnchorPoint(line, 0), kTip, "line start");
  ExpectNear(AnchorPoint(line, 1), Polar(kTip, 40 * kMillimetre, kTheta), "40 mm from the tip");
}

TEST(PanelBehaviour, TheSizePopupOffersZeroThenAHundredToThreeHundredAndAPickSetsTheSize) {
  Session s;
  RunOk(s, Session1("dump built.json\nitem 7 pick 6\ndump picked.json\n"));
  const json entries = ItemOf(s.ReadDump("built.json"), 7)["entries"];
  ASSERT_EQ(entries.size(), 11u);
  EXPECT_EQ(entries[1]["separator"], true);
  const std::vector<int> values = {0, -1, 100, 125, 150, 175, 200, 225, 250, 275, 300};
  for (std::size_t i = 0; i < values.size(); ++i) {
    if (values[i] < 0) continue;
    const std::string text = entries[i]["text"];
    const std::string number = std::to_string(values[i]);
    EXPECT_EQ(text.rfind(number, 0), 0u) << text;
    EXPECT_EQ(text.back(), '%') << text;
    EXPECT_LE(text.size(), 5u) << text;
    EXPECT_EQ(entries[i]["id"], i == 0 ? 0 : static_cast<int>(i) - 1) << text;
  }
  EXPECT_NEAR(Value(s.ReadDump("picked.json"), 7), 200, kNear);
}

// Values typed beyond a range are held to it; fields marked "+ or -" take negatives.
TEST(PanelBehaviour, SlidersAndFieldsHoldTypedValuesToTheirRanges) {
  struct Case {
    int item;
    double typed, held;
  };
  const std::vector<Case> cases = {{35, 150, 100}, {35, -5, 0},     {36, -50, -20},  {36, 150, 100},
                                   {7, -10, 0},    {8, -1, 0},      {16, -3, 0},     {15, 200, 180},
                                   {15, -200, -180}, {20, 0.01, 0.1}, {20, 5000, 1296}, {12, -4, 0},
                                   {9, -7, -7},    {17, -2.5, -2.5}, {18, -4, -4}};
  std::string body = "item 34 click\n";  // free proportions: the vertical margin is enabled
  for (std::size_t i = 0; i < cases.size(); ++i)
    body += "item " + std::to_string(cases[i].item) + " value " + Num(cases[i].typed) + "\ndump c" + std::to_string(i) +
            ".json\n";
  Session s;
  RunOk(s, Session1(body));
  for (std::size_t i = 0; i < cases.size(); ++i) {
    const json dump = s.ReadDump("c" + std::to_string(i) + ".json");
    EXPECT_NEAR(Value(dump, cases[i].item), cases[i].held, kNear)
        << "item " << cases[i].item << " typed " << cases[i].typed;
  }
}

}  // namespace
}  // namespace scenario::panel
