// The runner given scripts and output names that are not what they seem:
// folders, devices and FIFOs for scripts, a byte-order mark, words of a
// hundred megabytes, terminal escapes, a full disk for every kind of output.
// Drives the real labels-run binary with the fixture plug-in.
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <fstream>

#include <nlohmann/json.hpp>

#include "TestSupport.h"

namespace {

namespace fs = std::filesystem;
using hostsim_test::ReadFile;
using hostsim_test::ScratchDir;
using hostsim_test::WriteFile;

struct Result {
  int exitCode = -1;
  std::string err;
};

class RunnerInput : public ::testing::Test {
 protected:
  void SetUp() override { ::alarm(120); }
  void TearDown() override { ::alarm(0); }
  ScratchDir dir;

  // Runs labels-run on `script` (a path, relative to the scratch folder) with extra arguments.
  Result RunFile(const std::string& script, const std::string& extra = "") {
    const std::string command = "cd '" + dir.path().string() + "' && '" KPX_LABELS_RUN "' --prefs prefs.json --plugin '" +
                                std::string(KPX_FIXTURE_PLUGIN) + "' '" + script + "' " + extra +
                                " 2> stderr.txt > stdout.txt";
    const int status = std::system(command.c_str());
    Result r;
    r.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    r.err = ReadFile(dir / "stderr.txt");
    return r;
  }
  Result Run(const std::string& text, const std::string& extra = "") {
    WriteFile(dir / "script.session", text);
    return RunFile("script.session", extra);
  }
};

TEST_F(RunnerInput, AScriptThatIsNotARegularFileIsExitTwoWithWhatItIs) {
  fs::create_directory(dir / "folder.session");
  ASSERT_EQ(::mkfifo((dir / "fifo.session").c_str(), 0600), 0);
  fs::create_symlink("loop.session", dir / "loop.session");
  const struct {
    std::string script;
    std::string says;
  } cases[] = {{"folder.session", "is a folder, not a regular file"},
               {"/dev/zero", "is a character device, not a regular file"},
               {"fifo.session", "is a FIFO, not a regular file"},
               {"none.session", "no such file"},
               {"loop.session", "is a loop of symbolic links"}};
  for (const auto& c : cases) {
    const auto start = std::chrono::steady_clock::now();
    const Result r = RunFile(c.script);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(20)) << c.script;
    EXPECT_EQ(r.exitCode, 2) << c.script;
    EXPECT_NE(r.err.find("cannot read script"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find(c.says), std::string::npos) << r.err;
  }
}

TEST_F(RunnerInput, AScriptWeMayNotReadIsExitTwo) {
  if (::geteuid() == 0) GTEST_SKIP() << "root reads any file";
  WriteFile(dir / "secret.session", "launch\n");
  ::chmod((dir / "secret.session").c_str(), 0);
  const Result r = RunFile("secret.session");
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_NE(r.err.find("Permission denied"), std::string::npos) << r.err;
}

TEST_F(RunnerInput, AByteOrderMarkBeforeTheFirstLineIsSkippedAndOnlyThere) {
  const Result r = Run("\xEF\xBB\xBFlaunch\r\ndump out.json\r\nquit\r\n");
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_TRUE(nlohmann::json::parse(ReadFile(dir / "out.json"))["panel"]["exists"].is_boolean());
  // A mark later on is a character of the word like any other.
  const Result later = Run("launch\n\xEF\xBB\xBFquit\n");
  EXPECT_EQ(later.exitCode, 1);
  EXPECT_NE(later.err.find("script.session:2: unknown command"), std::string::npos) << later.err;
}

TEST_F(RunnerInput, AHugeWordIsEchoedCutAndAHugeLineIsRefusedWithItsNumber) {
  // A 500 000-byte word, within the line limit: the message shows its start only.
  const Result word = Run("launch\n" + std::string(500000, 'w') + " 1 2\n");
  EXPECT_EQ(word.exitCode, 1);
  EXPECT_LT(word.err.size(), 300u);
  EXPECT_NE(word.err.find("script.session:2: unknown command \"wwww"), std::string::npos) << word.err;
  EXPECT_NE(word.err.find("...\""), std::string::npos) << word.err;
  // A number of 400 000 digits.
  const Result number = Run("rect " + std::string(400000, '7') + " 0 1 1\n");
  EXPECT_EQ(number.exitCode, 1);
  EXPECT_LT(number.err.size(), 300u) << number.err.substr(0, 300);

  // A 100 MB line with no end: refused at the limit, not read to its end.
  {
    std::ofstream out(dir / "huge.session", std::ios::binary);
    out << "launch\n";
    const std::string chunk(1 << 20, 'x');
    for (int i = 0; i < 100; ++i) out << chunk;
  }
  const Result huge = RunFile("huge.session", "--svg out.svg");
  EXPECT_EQ(huge.exitCode, 1);
  EXPECT_LT(huge.err.size(), 300u);
  EXPECT_NE(huge.err.find("huge.session:2: the line is longer than 1 MB"), std::string::npos) << huge.err;
  EXPECT_FALSE(fs::exists(dir / "out.svg")) << "a stopped run writes no output";
}

TEST_F(RunnerInput, ControlCharactersOfTheScriptReachTheTerminalOnlyAsEscapes) {
  // An escape that would clear the screen, a bell, C1 controls and bytes that are not UTF-8.
  const Result r = Run("\x1B[2J\x07hello\xC2\x9B\xFF\xC3\xA9 1\n");
  EXPECT_EQ(r.exitCode, 1);
  for (char c : r.err) {
    const auto byte = static_cast<unsigned char>(c);
    EXPECT_TRUE(byte == '\n' || (byte >= 0x20 && byte != 0x7F)) << "control byte " << int(byte) << " in " << r.err;
  }
  EXPECT_EQ(r.err.find("\xC2\x9B"), std::string::npos);
  EXPECT_NE(r.err.find("unknown command \"\\e[2J\\x07hello\\xC2\\x9B\\xFF\xC3\xA9\""), std::string::npos) << r.err;
  // The same for a key name, a layer flag, and the name of a file that cannot be opened.
  EXPECT_EQ(Run("press \x1B]0;title\x07\n").err.find('\x1B'), std::string::npos);
  EXPECT_EQ(Run("layer L \x1B[31m\n").err.find('\x1B'), std::string::npos);
  const Result open = Run("open \"\x1B[5m.svg\"\n");
  EXPECT_EQ(open.exitCode, 1);
  EXPECT_EQ(open.err.find('\x1B'), std::string::npos) << open.err;
}

TEST_F(RunnerInput, EveryOutputWrittenToAFullDiskIsAnErrorWithANonZeroExit) {
  const struct {
    std::string script;
    std::string extra;
  } cases[] = {
      {"launch\nquit\n", "--svg /dev/full"},
      {"launch\nquit\n", "--dump /dev/full"},
      {"launch\nquit\n", "--calls /dev/full"},
      {"launch\nsvg /dev/full\nquit\n", ""},
      {"launch\ndump /dev/full\nquit\n", ""},
      {"launch\npng panel /dev/full\nquit\n", ""},
  };
  for (const auto& c : cases) {
    const Result r = Run(c.script, c.extra);
    EXPECT_NE(r.exitCode, 0) << c.script << c.extra;
    EXPECT_NE(r.err.find("cannot write"), std::string::npos) << c.script << c.extra << ": " << r.err;
    EXPECT_NE(r.err.find("/dev/full"), std::string::npos) << r.err;
  }
  // An output that can be written still is, beside one that cannot.
  const Result both = Run("launch\nquit\n", "--svg /dev/full --dump ok.json");
  EXPECT_EQ(both.exitCode, 1);
  EXPECT_NO_THROW(nlohmann::json::parse(ReadFile(dir / "ok.json")));
}

TEST_F(RunnerInput, FaultRulesFromTheCommandLineFailThoseCallsAndTheCallsAreCounted) {
  // The fixture acquires suites at start-up; counted, then the first acquisition refused.
  const Result counted = Run("launch\nquit\n", "--calls calls.json");
  ASSERT_EQ(counted.exitCode, 0) << counted.err;
  const auto calls = nlohmann::json::parse(ReadFile(dir / "calls.json"));
  ASSERT_TRUE(calls.is_array());
  ASSERT_FALSE(calls.empty());
  const auto acquire = std::find_if(calls.begin(), calls.end(), [](const auto& c) { return c["op"] == "AcquireSuite"; });
  ASSERT_NE(acquire, calls.end()) << calls.dump();
  EXPECT_GE((*acquire)["calls"].get<int>(), 2);

  const Result failed = Run("launch\nquit\n", "--verbose --calls calls2.json --fail 'SP Basic Suite/AcquireSuite/1+'");
  EXPECT_NE(failed.err.find("returned"), std::string::npos) << "the start-up answers an error: " << failed.err;
  EXPECT_NE(ReadFile(dir / "calls2.json"), ReadFile(dir / "calls.json"));

  for (const char* bad : {"'AI Art Suite/NewArt'", "'NewArt/3'", "'AI Art Suite/NewArt/0'", "'AI Art Suite/NewArt/x'"}) {
    const Result r = Run("launch\n", std::string("--fail ") + bad);
    EXPECT_EQ(r.exitCode, 2) << bad;
    EXPECT_NE(r.err.find("--fail takes"), std::string::npos) << r.err;
  }
}

TEST_F(RunnerInput, AReadOnlyPreferenceFileIsKeptAndTheRunFailsSayingSo) {
  const std::string text = R"({"format": 1, "sections": {}})";
  WriteFile(dir / "prefs.json", text);
  ::chmod((dir / "prefs.json").c_str(), 0444);
  const Result r = Run("launch\nquit\n");
  EXPECT_EQ(r.exitCode, 1) << r.err;
  EXPECT_NE(r.err.find("read-only"), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("script.session:2: the preference file was not saved"), std::string::npos) << r.err;
  EXPECT_EQ(ReadFile(dir / "prefs.json"), text);
}

}  // namespace
