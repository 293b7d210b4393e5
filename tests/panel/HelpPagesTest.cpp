#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "panel/HelpPages.h"

namespace {

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t begin = 0;
  for (;;) {
    std::size_t end = text.find("\r\n", begin);
    lines.push_back(text.substr(begin, end == std::string::npos ? std::string::npos : end - begin));
    if (end == std::string::npos) return lines;
    begin = end + 2;
  }
}

std::string Page(int page) {
  const char* text = HelpPageText(page);
  return text != nullptr ? text : "";
}

}  // namespace

TEST(HelpPages, EachPageHasItsLengthInEightBitCharacters) {
  const std::size_t kLengths[kHelpPageCount] = {405, 265, 212, 261, 418, 312, 359, 394, 172, 237, 255};
  for (int page = 1; page <= kHelpPageCount; ++page) {
    SCOPED_TRACE(page);
    ASSERT_NE(HelpPageText(page), nullptr);
    EXPECT_EQ(std::strlen(HelpPageText(page)), kLengths[page - 1]);
  }
}

TEST(HelpPages, NumbersOutsideTheBookGiveNoText) {
  for (int page : {-1, 0, kHelpPageCount + 1, 1000}) EXPECT_EQ(HelpPageText(page), nullptr) << page;
}

TEST(HelpPages, LinesEndInCrLfOnlyAndEmptyLinesAreTwoPairs) {
  for (int page = 1; page <= kHelpPageCount; ++page) {
    SCOPED_TRACE(page);
    const std::string text = Page(page);
    for (std::size_t i = 0; i < text.size(); ++i) {
      if (text[i] == '\r') {
        EXPECT_EQ(text.substr(i, 2), "\r\n") << "lone CR at " << i;
      } else if (text[i] == '\n') {
        EXPECT_TRUE(i > 0 && text[i - 1] == '\r') << "lone LF at " << i;
      }
    }
    EXPECT_EQ(text.find("\r\n\r\n\r\n"), std::string::npos) << "two empty lines in a row";
    EXPECT_NE(text.substr(text.size() - 2), "\r\n") << "text ends with a line break";
  }
  EXPECT_EQ(Page(2).substr(0, 26), "SIMPLE LABELS\r\n\r\nDrawing a");
}

TEST(HelpPages, PagesReadAsWritten) {
  auto first = Lines(Page(1));
  ASSERT_EQ(first.size(), 11u);
  EXPECT_EQ(first[0], "OPTION-CLICK");
  EXPECT_EQ(first[10], "Clicking the KPX button, with the COMMAND key pressed, destroy the pending label.");

  auto keys = Lines(Page(8));
  ASSERT_EQ(keys.size(), 15u);
  EXPECT_EQ(keys[10],
            "To constrain the label's angle (0\xB0, 45\xB0, 90\xB0, 135\xB0, 180\xB0, 225\xB0, 270\xB0 or 315\xB0) "
            "while dragging.");
  EXPECT_EQ(keys[14], "To change the label's direction while dragging.");

  auto editor = Lines(Page(kArrowsEditorHelpPage));
  ASSERT_EQ(editor.size(), 6u);
  EXPECT_EQ(editor[0], "ARROWS EDITOR");
  EXPECT_EQ(editor[5], "OPTION-CLIC on this arrow in the panel open directly the Arrows Editor\x85");

  EXPECT_EQ(Lines(Page(kFreeTextHelpPage))[0], "FREE TEXT");
  EXPECT_EQ(Lines(Page(11)).back(), "OPTION-CLIC on this shape in the panel open directly the Shape Editor\x85");
}

TEST(HelpPages, TextsAreEightBitNotUtf8) {
  // A UTF-8 sequence for a bullet, degree or ellipsis would count as 2 or 3 characters.
  for (int page = 1; page <= kHelpPageCount; ++page) {
    for (unsigned char c : Page(page)) EXPECT_FALSE(c == 0xC2 || c == 0xE2) << "page " << page;
  }
  const std::string about = AboutText();
  EXPECT_EQ(about.rfind("KPX\x95Labels 4.5\r\n", 0), 0u) << about;
  for (unsigned char c : about) EXPECT_FALSE(c == 0xC2 || c == 0xE2);
}
