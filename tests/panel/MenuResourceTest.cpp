#include <gtest/gtest.h>

#include <string>

#include "panel/MenuResource.h"

namespace {

bool Parse(const std::string& text, MenuResource* menu) { return ParseMenuResource(text.data(), text.size(), menu); }

}  // namespace

TEST(MenuResource, ReadsTitleEntriesAndSeparatorsInOrder) {
  MenuResource menu;
  ASSERT_TRUE(Parse("# a comment\ntitle Pick one\n1 First\n-\n\n12 Second entry...\n", &menu));
  EXPECT_STREQ(menu.Title, "Pick one");
  ASSERT_EQ(menu.Count, 3);
  EXPECT_EQ(menu.Entries[0].Id, 1);
  EXPECT_FALSE(menu.Entries[0].Separator);
  EXPECT_STREQ(menu.Entries[0].Text, "First");
  EXPECT_EQ(menu.Entries[1].Id, 0);
  EXPECT_TRUE(menu.Entries[1].Separator);
  EXPECT_STREQ(menu.Entries[1].Text, "");
  EXPECT_EQ(menu.Entries[2].Id, 12);
  EXPECT_STREQ(menu.Entries[2].Text, "Second entry...");
}

TEST(MenuResource, AcceptsCrLfAndAMissingLastLineEnd) {
  MenuResource menu;
  ASSERT_TRUE(Parse("title T\r\n3 Three\r\n-\r\n4 Four", &menu));
  EXPECT_STREQ(menu.Title, "T");
  ASSERT_EQ(menu.Count, 3);
  EXPECT_STREQ(menu.Entries[0].Text, "Three");
  EXPECT_TRUE(menu.Entries[1].Separator);
  EXPECT_STREQ(menu.Entries[2].Text, "Four");
}

TEST(MenuResource, EmptyResourceIsAnEmptyMenu) {
  MenuResource menu;
  ASSERT_TRUE(ParseMenuResource(nullptr, 0, &menu));
  EXPECT_EQ(menu.Count, 0);
  EXPECT_STREQ(menu.Title, "");
}

TEST(MenuResource, Utf8TextsArriveInThePlatformEncoding) {
  MenuResource menu;
  ASSERT_TRUE(Parse("6 Modify\xE2\x80\xA6\n7 \xC3\x89tiq \xE2\x82\xAC\n8 \xE6\x97\xA5 \xF0\x9F\x98\x80\n", &menu));
  ASSERT_EQ(menu.Count, 3);
  EXPECT_STREQ(menu.Entries[0].Text, "Modify\x85");
  EXPECT_STREQ(menu.Entries[1].Text, "\xC9tiq \x80");
  EXPECT_STREQ(menu.Entries[2].Text, "? ?") << "characters the encoding lacks";
}

TEST(MenuResource, TextsFillTheirBufferButNoMore) {
  MenuResource menu;
  const std::string fits(kMenuTextSize - 1, 'a');
  ASSERT_TRUE(Parse("1 " + fits + "\n", &menu));
  EXPECT_EQ(std::string(menu.Entries[0].Text), fits);
  EXPECT_FALSE(Parse("1 " + fits + "a\n", &menu));
  // A two-byte UTF-8 character counts once.
  EXPECT_TRUE(Parse("1 " + std::string(kMenuTextSize - 2, 'a') + "\xC3\xA9\n", &menu));
}

TEST(MenuResource, EntriesBeyondTheLimitAreRefused) {
  std::string text;
  for (int i = 1; i <= kMenuMaxEntries; ++i) text += std::to_string(i) + " E\n";
  MenuResource menu;
  ASSERT_TRUE(Parse(text, &menu));
  EXPECT_EQ(menu.Count, kMenuMaxEntries);
  EXPECT_FALSE(Parse(text + "-\n", &menu));
  EXPECT_EQ(menu.Count, 0);
}

TEST(MenuResource, MalformedResourceLeavesTheMenuEmpty) {
  const std::pair<const char*, std::string> bad[] = {
      {"id 0 is the separator's", "0 Zero\n"},
      {"id not a number", "x Text\n"},
      {"negative id", "-3 Text\n"},
      {"id without text", "5\n"},
      {"id with empty text", "5 \n"},
      {"leading space", " 5 Text\n"},
      {"id past 31 bits", "2147483648 Big\n"},
      {"separator with text", "- x\n"},
      {"two titles", "title A\ntitle B\n"},
      {"title after an entry", "1 A\ntitle B\n"},
      {"empty title", "title \n"},
      {"truncated UTF-8", "1 Caf\xC3\n"},
      {"overlong UTF-8", "1 \xC0\xAF\n"},
      {"UTF-8 surrogate", "1 \xED\xA0\x80\n"},
      {"stray continuation byte", "1 \x80\n"},
      {"NUL in a text", std::string("1 A\0B\n", 6)},
  };
  for (const auto& [why, text] : bad) {
    MenuResource menu;
    EXPECT_FALSE(Parse(text, &menu)) << why;
    EXPECT_EQ(menu.Count, 0) << why;
  }
  MenuResource menu;
  EXPECT_FALSE(Parse("title T\n1 Good\n-\nx Bad\n", &menu));
  EXPECT_EQ(menu.Count, 0) << "entries read before the bad line stay";
  EXPECT_STREQ(menu.Title, "");
  EXPECT_FALSE(ParseMenuResource("1 A", 3, nullptr));
}
