// The runner's handling of raw script text, without a host: the words it
// echoes, the lines it reads, the fault rules it parses.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "apps/labels-run/Echo.h"
#include "apps/labels-run/Runner.h"
#include "apps/labels-run/ScriptReader.h"

namespace {

using labelsrun::Printable;
using labelsrun::Quoted;
using labelsrun::ScriptReader;

TEST(EchoedText, ControlCharactersAndBadUtf8BecomeEscapesAndGoodUtf8Stays) {
  EXPECT_EQ(Printable("plain words"), "plain words");
  EXPECT_EQ(Printable("a\tb\nc\rd\x1B[2J\x07\x7F"), "a\\tb\\nc\\rd\\e[2J\\x07\\x7F");
  EXPECT_EQ(Printable(std::string("nul\0x", 5)), "nul\\x00x");
  // Two-, three- and four-byte characters pass; C1 controls (U+0080..U+009F) do not.
  EXPECT_EQ(Printable("\xC3\xA9\xE2\x80\xA2\xF0\x9F\x99\x82"), "\xC3\xA9\xE2\x80\xA2\xF0\x9F\x99\x82");
  EXPECT_EQ(Printable("\xC2\x9B" "1m"), "\\xC2\\x9B1m");
  EXPECT_EQ(Printable("\xC2\xA0"), "\xC2\xA0");  // the first character past the C1 range
  // Stray, truncated, overlong, surrogate and out-of-range sequences are bytes, escaped one by one.
  EXPECT_EQ(Printable("\x80"), "\\x80");
  EXPECT_EQ(Printable("\xC3"), "\\xC3");
  EXPECT_EQ(Printable("\xE2\x80"), "\\xE2\\x80");
  EXPECT_EQ(Printable("\xC0\xAF"), "\\xC0\\xAF");
  EXPECT_EQ(Printable("\xE0\x80\xAF"), "\\xE0\\x80\\xAF");
  EXPECT_EQ(Printable("\xED\xA0\x80"), "\\xED\\xA0\\x80");
  EXPECT_EQ(Printable("\xF4\x90\x80\x80"), "\\xF4\\x90\\x80\\x80");
  EXPECT_EQ(Printable("\xF5\x80\x80\x80"), "\\xF5\\x80\\x80\\x80");
}

TEST(EchoedText, LongTextIsCutAtTheLimitAndMarked) {
  EXPECT_EQ(Printable(std::string(10, 'x'), 10), std::string(10, 'x'));
  EXPECT_EQ(Printable(std::string(11, 'x'), 10), std::string(10, 'x') + "...");
  const std::string word(1000000, 'w');
  EXPECT_EQ(Quoted(word), "\"" + std::string(labelsrun::kEchoedWordBytes, 'w') + "...\"");
  EXPECT_EQ(Quoted("short"), "\"short\"");
  EXPECT_EQ(Printable(word).size(), labelsrun::kPrintedMessageBytes + 3);
  // A cut never splits a character.
  std::string accents;
  for (int i = 0; i < 40; ++i) accents += "\xC3\xA9";
  const std::string cut = Printable(accents, 5);
  EXPECT_EQ(cut, "\xC3\xA9\xC3\xA9\xC3\xA9...");
}

std::vector<std::string> Lines(const std::string& text, bool* tooLong = nullptr) {
  std::istringstream in(text);
  ScriptReader reader(in);
  std::vector<std::string> lines;
  std::string line;
  while (reader.Next(line)) lines.push_back(line);
  if (tooLong != nullptr) *tooLong = reader.tooLong();
  return lines;
}

TEST(ScriptLines, AByteOrderMarkIsDroppedFromTheFirstLineOnly) {
  EXPECT_EQ(Lines("\xEF\xBB\xBFlaunch\n\xEF\xBB\xBFquit\n"),
            (std::vector<std::string>{"launch", "\xEF\xBB\xBFquit"}));
  EXPECT_EQ(Lines("\xEF\xBB\xBF"), (std::vector<std::string>{""}));
  EXPECT_EQ(Lines("\xEF\xBBlaunch\n"), (std::vector<std::string>{"\xEF\xBBlaunch"}));
  EXPECT_EQ(Lines("a\n\nb"), (std::vector<std::string>{"a", "", "b"}));
  EXPECT_EQ(Lines(""), (std::vector<std::string>{}));
}

TEST(ScriptLines, ALineOfTheLimitIsReadAndOneByteMoreStopsTheReading) {
  bool tooLong = true;
  const std::string longest(ScriptReader::kMaxLineBytes, 'x');
  EXPECT_EQ(Lines("a\n" + longest + "\nb\n", &tooLong).size(), 3u);
  EXPECT_FALSE(tooLong);
  const std::vector<std::string> read = Lines("a\n" + longest + "x\nb\n", &tooLong);
  EXPECT_EQ(read, (std::vector<std::string>{"a"}));
  EXPECT_TRUE(tooLong);
}

TEST(FaultRuleOption, NamesSuiteOperationAndCallAndOnwardWithAPlus) {
  auto rule = labelsrun::ParseFaultRule("AI Art Suite/NewArt/3");
  ASSERT_TRUE(rule);
  EXPECT_EQ(rule->suite, "AI Art Suite");
  EXPECT_EQ(rule->op, "NewArt");
  EXPECT_EQ(rule->nth, 3);
  EXPECT_FALSE(rule->onward);
  rule = labelsrun::ParseFaultRule("ADM Item Suite/SetText/12+");
  ASSERT_TRUE(rule);
  EXPECT_EQ(rule->op, "SetText");
  EXPECT_EQ(rule->nth, 12);
  EXPECT_TRUE(rule->onward);
  // Twelve digits are the most a call number has.
  rule = labelsrun::ParseFaultRule("AI Art Suite/NewArt/999999999999");
  ASSERT_TRUE(rule);
  EXPECT_EQ(rule->nth, 999999999999);
  EXPECT_FALSE(labelsrun::ParseFaultRule("AI Art Suite/NewArt/1000000000000"));
  for (const char* bad : {"", "AI Art Suite", "AI Art Suite/NewArt", "/NewArt/1", "AI Art Suite/NewArt/0",
                          "AI Art Suite/NewArt/-1", "AI Art Suite/NewArt/+", "AI Art Suite/NewArt/1x",
                          "AI Art Suite/NewArt/99999999999999"}) {
    EXPECT_FALSE(labelsrun::ParseFaultRule(bad)) << bad;
  }
}

}  // namespace
