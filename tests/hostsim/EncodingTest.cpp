#include "hostsim/Encoding.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

using namespace hostsim;

TEST(Encoding, EveryPlatformByteSurvivesTheTripThroughUtf8) {
  std::string all;
  for (int b = 1; b < 256; ++b) all.push_back(static_cast<char>(b));
  const std::string utf8 = Cp1252ToUtf8(all);
  EXPECT_TRUE(IsValidUtf8(utf8));
  EXPECT_EQ(Utf8ToCp1252(utf8), all);
}

TEST(Encoding, TheLayerTitleIsEightPlatformCharacters) {
  const std::string title = "KPX\u2022\u00C9tiq";
  EXPECT_EQ(Utf8ToCp1252(title), "KPX\x95\xC9tiq");
  EXPECT_EQ(Utf8ToCp1252(title).size(), 8u);
  EXPECT_EQ(Cp1252ToUtf8("Show KPX\x95Labels\x85"), "Show KPX\u2022Labels\u2026");
}

TEST(Encoding, CharactersThePlatformCannotShowBecomeQuestionMarks) {
  EXPECT_EQ(Utf8ToCp1252("a\u4E2Db\U0001F600c"), "a?b?c");
  EXPECT_EQ(Utf8ToCp1252("bad \xC3 end"), "bad ? end");
  EXPECT_FALSE(IsValidUtf8("\xC0\xAF"));     // overlong
  EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));  // surrogate
}

TEST(Encoding, APlainStartDoesNotHideWhatFollowsIt) {
  EXPECT_EQ(Cp1252ToUtf8("Labels Tool"), "Labels Tool");
  EXPECT_EQ(Cp1252ToUtf8("Labels\x80"), "Labels\u20AC");
  EXPECT_EQ(Cp1252ToUtf8("\x80Labels"), "\u20ACLabels");
  EXPECT_EQ(Utf8ToCp1252("Labels\u20AC!"), "Labels\x80!");
  EXPECT_TRUE(IsValidUtf8("Labels Tool"));
  EXPECT_FALSE(IsValidUtf8("Labels Tool\xC3"));
  EXPECT_FALSE(IsValidUtf8("Labels\xFF Tool"));
  // Texts are looked at eight bytes at a time: a character on either side of
  // a block's edge, and one that ends a text, are all found.
  EXPECT_EQ(Cp1252ToUtf8("Labels T\x80"), "Labels T\u20AC");
  EXPECT_EQ(Cp1252ToUtf8("Labels \x80"), "Labels \u20AC");
  EXPECT_EQ(Cp1252ToUtf8("Labels Tool 4.5 \x95 x"), "Labels Tool 4.5 \u2022 x");
  EXPECT_FALSE(IsAscii("Labels Tool 4.5 \x95"));
  EXPECT_TRUE(IsAscii("Labels Tool 4.5 x"));
}

TEST(Encoding, CopiesNeverRunPastTheBuffer) {
  char buffer[6];
  std::memset(buffer, 'X', sizeof buffer);
  EXPECT_FALSE(CopyTruncated("Labels Tool", buffer, 5));
  EXPECT_STREQ(buffer, "Labe");
  EXPECT_EQ(buffer[5], 'X');
  EXPECT_TRUE(CopyTruncated("ok", buffer, 3));
  EXPECT_STREQ(buffer, "ok");
  EXPECT_FALSE(CopyTruncated("x", buffer, 0));
}

}  // namespace
