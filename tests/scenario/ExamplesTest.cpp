// Every example session runs cleanly and its drawing renders: what a new
// user runs first must work.
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <string>
#include <vector>

#ifdef KPX_HAVE_PNG
#include <png.h>
#endif

#include "tests/scenario/ScenarioHarness.h"

namespace scenario {
namespace {

std::vector<std::string> ExampleNames() {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(KPX_EXAMPLES_DIR)) {
    if (entry.path().extension() == ".session") names.push_back(entry.path().stem().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

struct ExampleRun {
  int exitCode = -1;
  std::string err;
  json dump;
  fs::path svg;
};

// Runs examples/NAME.session with --svg and --dump; an example that needs
// settings of its own comes with NAME.prefs.json, used through a copy so
// that the example stays as it is.
ExampleRun RunExample(const fs::path& dir, const std::string& name) {
  const fs::path examples = KPX_EXAMPLES_DIR;
  const fs::path prefs = examples / (name + ".prefs.json");
  if (fs::exists(prefs)) fs::copy_file(prefs, dir / "prefs.json", fs::copy_options::overwrite_existing);
  const std::string command = "cd '" + dir.string() + "' && '" KPX_LABELS_RUN "' --prefs prefs.json '" +
                              (examples / (name + ".session")).string() +
                              "' --svg out.svg --dump out.json > stdout.txt 2> stderr.txt";
  const int status = std::system(command.c_str());
  ExampleRun run;
  run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  run.err = ReadFile(dir / "stderr.txt");
  run.dump = json::parse(ReadFile(dir / "out.json"), nullptr, false);
  run.svg = dir / "out.svg";
  return run;
}

bool HasRsvgConvert() { return std::system("command -v rsvg-convert > /dev/null 2>&1") == 0; }

// Number of pixels darker than mid-grey in a PNG, or -1 when it cannot be read.
long DarkPixels(const fs::path& png) {
#ifdef KPX_HAVE_PNG
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, png.c_str())) return -1;
  image.format = PNG_FORMAT_GRAY;
  std::vector<png_byte> pixels(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr)) return -1;
  return static_cast<long>(std::count_if(pixels.begin(), pixels.end(), [](png_byte v) { return v < 128; }));
#else
  (void)png;
  return -1;
#endif
}

bool DrawsSomething(const json& dump) {
  for (const json* art : AllArt(dump)) {
    if (AnchorCount(*art) > 0 || art->value("type", "") == "text") return true;
  }
  return false;
}

class Example : public ::testing::TestWithParam<std::string> {
 protected:
  Session scratch;  // only its folder is used
};

TEST_P(Example, RunsCleanlyAndItsDrawingRenders) {
  const ExampleRun run = RunExample(scratch.dir(), GetParam());
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.err, "") << "the example leaves notes or messages";
  ASSERT_FALSE(run.dump.is_discarded());
  ASSERT_TRUE(fs::exists(run.svg));

  if (!HasRsvgConvert()) GTEST_SKIP() << "rsvg-convert is not installed";
  const fs::path png = scratch.dir() / "out.png";
  const std::string render = "rsvg-convert -b white -o '" + png.string() + "' '" + run.svg.string() + "' 2> render.txt";
  ASSERT_EQ(std::system(("cd '" + scratch.dir().string() + "' && " + render).c_str()), 0)
      << ReadFile(scratch.dir() / "render.txt");
  if (!DrawsSomething(run.dump)) return;
  const long dark = DarkPixels(png);
  if (dark < 0) GTEST_SKIP() << "no PNG reader in this build";
  EXPECT_GT(dark, 100) << "the rendered drawing is blank";
}

std::string TestName(const ::testing::TestParamInfo<std::string>& info) {
  std::string name = info.param;
  std::replace_if(name.begin(), name.end(), [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); }, '_');
  return name;
}

INSTANTIATE_TEST_SUITE_P(Examples, Example, ::testing::ValuesIn(ExampleNames()), TestName);

// The two examples that come with settings of their own show them.
TEST(ExampleSettings, PointsExampleEndsItsLeadersInPointsAndOwnLayerExampleUsesTheLabelsLayer) {
  {
    Session scratch;
    const ExampleRun run = RunExample(scratch.dir(), "points-instead-of-arrowheads");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const auto labels = LabelGroupsOf(run.dump);
    ASSERT_FALSE(labels.empty());
    for (const json* label : labels) EXPECT_TRUE(Arrows(*label)[0]["tags"].contains("FlPo"));
  }
  {
    Session scratch;
    const ExampleRun run = RunExample(scratch.dir(), "own-layer");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.dump["layers"][0]["title"], "KPX\xE2\x80\xA2\xC3\x89tiq");
    EXPECT_FALSE(LabelGroups(run.dump["layers"][0]).empty());
  }
}

}  // namespace
}  // namespace scenario
