// The runner's quick pictures (what the session fuzzer writes): the panel's
// PNG at zlib's quickest level must hold the very pixels of the usual one.
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "apps/labels-run/Runner.h"
#include "hostsim/render/Canvas.h"

namespace {

namespace fs = std::filesystem;
using hostsim::render::Canvas;
using hostsim::render::Rgba;

std::string ReadAll(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

// Runs the script in `dir` from no preference file; the exit code.
int RunFromScratch(const fs::path& dir, const std::string& text, bool quickPng, std::string* err) {
  labelsrun::RunOptions options;
  options.script = dir / "s.session";
  options.prefsFile = dir / "preferences.json";
  options.pluginFile = KPX_PLUGIN_FILE;
  options.sandbox = dir;
  options.quickPng = quickPng;
  fs::remove(options.prefsFile);
  std::istringstream in(text);
  std::ostringstream messages;
  const int code = labelsrun::RunSession(options, in, messages);
  *err = messages.str();
  return code;
}

TEST(QuickPictures, ThePanelAtTheQuickestCompressionHasTheSamePixelsInALargerFile) {
  const fs::path dir = fs::temp_directory_path() / ("kpx-quick-png-" + std::to_string(::getpid()));
  fs::remove_all(dir);
  fs::create_directories(dir);
  std::string err;
  // Scaled by 3, with the help page open: text, pictures and the scaling all show.
  ASSERT_EQ(RunFromScratch(dir, "launch\ntool select\nflyout 9\npng panel usual.png 3\nquit\n", false, &err), 0) << err;
  ASSERT_EQ(RunFromScratch(dir, "launch\ntool select\nflyout 9\npng panel quick.png 3\nquit\n", true, &err), 0) << err;
  const Rgba kMarker{1, 2, 3, 255};
  Canvas usual(1300, 600, kMarker), quick(1300, 600, kMarker);
  ASSERT_TRUE(usual.DrawPng(ReadAll(dir / "usual.png"), {0, 0}));
  ASSERT_TRUE(quick.DrawPng(ReadAll(dir / "quick.png"), {0, 0}));
  int differing = 0, covered = 0;
  for (int32_t y = 0; y < 600; ++y)
    for (int32_t x = 0; x < 1300; ++x) {
      const Rgba a = usual.At(x, y), b = quick.At(x, y);
      if (a.r != b.r || a.g != b.g || a.b != b.b) ++differing;
      if (a.r != kMarker.r || a.g != kMarker.g || a.b != kMarker.b) ++covered;
    }
  EXPECT_EQ(differing, 0);
  EXPECT_EQ(covered, 3 * 412 * 3 * 187) << "the panel with its help, three times as wide and high";
  EXPECT_GT(fs::file_size(dir / "quick.png"), fs::file_size(dir / "usual.png"))
      << "the quick picture is the one compressed less";
  fs::remove_all(dir);
}

}  // namespace
