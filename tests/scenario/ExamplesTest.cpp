// Every example session runs cleanly and its drawing renders: what a new
// user runs first must work.
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <set>
#include <sstream>
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

// Examples that show something other than a drawing.
const std::set<std::string> kExamplesWithoutDrawing = {"first-start"};

// At least one label with a leader line of some length and a text.
bool DrawsALabel(const json& dump) {
  for (const json* label : LabelGroupsOf(dump)) {
    const json& lines = Lines(*label);
    if (lines.empty() || AnchorCount(lines[0]) < 2) continue;
    const Point start = AnchorPoint(lines[0], 0), end = AnchorPoint(lines[0], 1);
    if ((start.x != end.x || start.y != end.y) && TextOf(*label).is_object()) return true;
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
  const bool drawing = kExamplesWithoutDrawing.count(GetParam()) == 0;
  EXPECT_EQ(DrawsALabel(run.dump), drawing) << (drawing ? "the example draws no label" : "the example draws");

  if (!HasRsvgConvert()) GTEST_SKIP() << "rsvg-convert is not installed";
  const fs::path png = scratch.dir() / "out.png";
  const std::string render = "rsvg-convert -b white -o '" + png.string() + "' '" + run.svg.string() + "' 2> render.txt";
  ASSERT_EQ(std::system(("cd '" + scratch.dir().string() + "' && " + render).c_str()), 0)
      << ReadFile(scratch.dir() / "render.txt");
  if (!drawing) return;
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

// The session lines of a text, without comments and blank lines, each trimmed.
std::vector<std::string> CommandLines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    const std::size_t first = line.find_first_not_of(" \t");
    if (first == std::string::npos || line[first] == '#') continue;
    const std::size_t last = line.find_last_not_of(" \t\r");
    lines.push_back(line.substr(first, last - first + 1));
  }
  return lines;
}

// Where the project's README quotes an example ("(`examples/NAME.session`):"
// followed by an indented block), the block is that example's session.
TEST(ExampleDocs, TheReadmeQuotesEachExampleAsItIs) {
  const std::string readme = ReadFile(fs::path(KPX_EXAMPLES_DIR).parent_path() / "README.md");
  ASSERT_FALSE(readme.empty());
  int quoted = 0;
  for (std::size_t at = readme.find("(`examples/"); at != std::string::npos; at = readme.find("(`examples/", at + 1)) {
    const std::size_t nameEnd = readme.find(".session`):", at);
    if (nameEnd == std::string::npos) continue;
    const std::string name = readme.substr(at + 11, nameEnd - at - 11);
    std::size_t line = readme.find('\n', nameEnd) + 1;
    std::string block;
    // The indented block after a blank line.
    while (line < readme.size() && readme[line] == '\n') ++line;
    while (line < readme.size() && readme.compare(line, 4, "    ") == 0) {
      const std::size_t end = readme.find('\n', line);
      block += readme.substr(line, end - line) + "\n";
      line = end == std::string::npos ? readme.size() : end + 1;
    }
    ++quoted;
    EXPECT_EQ(CommandLines(block), CommandLines(ReadFile(fs::path(KPX_EXAMPLES_DIR) / (name + ".session"))))
        << "the README's " << name << " is not examples/" << name << ".session";
  }
  EXPECT_GE(quoted, 1) << "the README quotes no example";
}

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
