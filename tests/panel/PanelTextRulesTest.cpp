// The text options' pure rules: which font of the host's list the panel
// selects, and the four text modes with the bytes the letter borrows.
#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "geometry/FontMatch.h"
#include "panel/TextModes.h"

namespace {

int32_t Match(const std::vector<std::string>& fonts, const char* stored, int32_t offset) {
  int32_t match = 0;
  for (std::size_t i = 0; i < fonts.size(); ++i)
    match = FoldFontMatch(match, static_cast<int32_t>(i), fonts[i].c_str(), stored, offset);
  return match;
}

}  // namespace

TEST(FontMatch, ANameMatchesWhenItEqualsOrBeginsTheStoredName) {
  EXPECT_TRUE(FontNameMatches("DejaVu Sans", "DejaVu Sans"));
  EXPECT_TRUE(FontNameMatches("DejaVu", "DejaVu Sans"));
  EXPECT_FALSE(FontNameMatches("DejaVu Sans Bold", "DejaVu Sans")) << "a longer name is another font";
  EXPECT_FALSE(FontNameMatches("Arial", "DejaVu Sans"));
  EXPECT_FALSE(FontNameMatches("dejavu sans", "DejaVu Sans")) << "case counts";
}

TEST(FontMatch, TheLaterMatchWinsAndTheOffsetMovesIt) {
  const std::vector<std::string> fonts = {"Arial", "DejaVu", "DejaVu Sans", "DejaVu Sans Mono", "Zapf"};
  EXPECT_EQ(Match(fonts, "DejaVu Sans", 0), 2) << "the exact name after its beginning";
  EXPECT_EQ(Match(fonts, "DejaVu Sans", 1), 3) << "the entry after the match";
  EXPECT_EQ(Match(fonts, "DejaVu Serif", 0), 1) << "only a beginning matches";
  EXPECT_EQ(Match(fonts, "Nothing Like It", 5), 0) << "no match keeps the first font, offset or not";
}

TEST(TextModes, ThePopupShowsTheModeOfTheFlags) {
  EXPECT_EQ(TextModeOf({true, true, false, false}), kTextModeLetter);
  EXPECT_EQ(TextModeOf({true, false, true, false}), kTextModeNumber);
  EXPECT_EQ(TextModeOf({true, false, false, true}), kTextModeFreeText);
  EXPECT_EQ(TextModeOf({true, false, true, true}), kTextModeFreeText) << "free text before number";
  EXPECT_EQ(TextModeOf({false, true, true, true}), kTextModeNone) << "no text whatever the rest";
}

TEST(TextModes, EachModeShowsItsOwnFieldsAndHidesEveryOther) {
  const std::set<int32_t> textItems = {11, 12, 13, 14, 31, 32};
  const std::vector<std::set<int32_t>> shown = {{11, 32}, {12, 31}, {13, 14}, {}};
  for (int32_t mode = kTextModeLetter; mode <= kTextModeNone; ++mode) {
    const TextModeRow& row = TextModeRowOf(mode);
    std::set<int32_t> s, h;
    for (int32_t id : row.shown)
      if (id) s.insert(id);
    for (int32_t id : row.hidden)
      if (id) h.insert(id);
    EXPECT_EQ(s, shown[static_cast<std::size_t>(mode)]) << "mode " << mode;
    std::set<int32_t> all = s;
    all.insert(h.begin(), h.end());
    EXPECT_EQ(all, textItems) << "mode " << mode << " leaves an item as it was";
    EXPECT_EQ(s.size() + h.size(), textItems.size()) << "mode " << mode << " both shows and hides an item";
    EXPECT_EQ(row.flags.textOn, mode != kTextModeNone);
    EXPECT_EQ(TextModeOf(row.flags), mode) << "a mode's flags read back as another mode";
  }
  EXPECT_STREQ(TextModeRowOf(kTextModeLetter).tooltip, "Label with automatic letter.");
  EXPECT_STREQ(TextModeRowOf(kTextModeNone).tooltip, "Label without text.");
  EXPECT_EQ(TextModeRowOf(7).flags.textOn, false) << "an unknown mode is no text";
}

TEST(TextModes, TheLetterBorrowsTwoBytesOfTheFreeTextAndGivesThemBack) {
  char freeText[51] = "Face";
  char head[2] = {};
  SaveFreeTextHead(freeText, head);
  freeText[0] = 'B';  // the letter field writes the letter and its terminator
  freeText[1] = '\0';
  EXPECT_STREQ(freeText, "B");
  RestoreFreeTextHead(freeText, head);
  EXPECT_STREQ(freeText, "Face");
}
