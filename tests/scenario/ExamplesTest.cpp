// Every example session runs cleanly and its drawing renders: what a new
// user runs first must work.
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "tests/scenario/Raster.h"
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

bool Has(const std::string& program) {
  return std::system(("command -v " + program + " > /dev/null 2>&1").c_str()) == 0;
}

// Runs a shell command in the folder; false (and the command's error output
// in `log`) when it fails.
bool RunIn(const fs::path& dir, const std::string& command, std::string& log) {
  const int status = std::system(("cd '" + dir.string() + "' && " + command + " > tool-log.txt 2>&1").c_str());
  log = ReadFile(dir / "tool-log.txt");
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
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

  if (!Has("rsvg-convert")) GTEST_SKIP() << "rsvg-convert is not installed";
  std::string log;
  ASSERT_TRUE(RunIn(scratch.dir(), "rsvg-convert -b white -o out.png out.svg", log)) << log;
  if (!drawing) return;
  Picture picture;
  if (!ReadPng(scratch.dir() / "out.png", picture)) GTEST_SKIP() << "no PNG reader in this build";
  EXPECT_GT(CountDark(picture, 128), 100) << "the rendered drawing is blank";
}

// --- The page as other programs read it ------------------------------------

constexpr double kMmPerInch = 25.4;
constexpr double kLetterWidthIn = 8.5, kLetterHeightIn = 11;

// An attribute of the root element, or "" when it has none.
std::string RootAttribute(const std::string& svg, const std::string& name) {
  std::smatch root, value;
  if (!std::regex_search(svg, root, std::regex("<svg\\b[^>]*>"))) return "";
  const std::string tag = root.str();
  if (!std::regex_search(tag, value, std::regex("\\s" + name + "=\"([^\"]*)\""))) return "";
  return value[1];
}

// An SVG length in millimetres, with CSS's units (a bare number is a CSS
// pixel, 1/96 in); NaN for anything else.
double LengthInMm(const std::string& length) {
  std::smatch m;
  if (!std::regex_match(length, m, std::regex(R"(\s*([-+]?[0-9]*\.?[0-9]+)\s*(px|pt|pc|mm|cm|in)?\s*)"))) return NAN;
  const double v = std::stod(m[1]);
  const std::string unit = m[2];
  if (unit.empty() || unit == "px") return v * kMmPerInch / 96;
  if (unit == "pt") return v * kMmPerInch / 72;
  if (unit == "pc") return v * kMmPerInch / 6;
  if (unit == "mm") return v;
  if (unit == "cm") return v * 10;
  return v * kMmPerInch;
}

std::vector<double> NumberList(const std::string& text) {
  std::vector<double> out;
  std::istringstream in(text);
  for (double v = 0; in >> v;) out.push_back(v);
  return out;
}

// The page an example's drawing should have: US Letter in points, or, for an
// example that opens a drawing, that drawing's own root (its width, height and
// view box come back as they were read).
struct ExpectedPage {
  double widthIn, heightIn;
  std::string opened;  // the opened drawing's text, empty for a new drawing
};

ExpectedPage ExpectedPageOf(const std::string& name) {
  std::ifstream script(fs::path(KPX_EXAMPLES_DIR) / (name + ".session"));
  for (std::string line; std::getline(script, line);) {
    if (line.rfind("open ", 0) != 0) continue;
    const std::string drawing = ReadFile(fs::path(KPX_EXAMPLES_DIR) / line.substr(5));
    return {LengthInMm(RootAttribute(drawing, "width")) / kMmPerInch,
            LengthInMm(RootAttribute(drawing, "height")) / kMmPerInch, drawing};
  }
  return {kLetterWidthIn, kLetterHeightIn, {}};
}

// Every example fits on a US Letter page (or on the page of the drawing it
// opens), so that is the page each reader must find: in the root's lengths,
// in the PDF rsvg-convert makes, and in rsvg-convert's pixels at 72 and at 96
// dots per inch. A new drawing's unit is a point; an opened one keeps its own.
TEST_P(Example, PageIsLetterInPointsToEveryReader) {
  const ExampleRun run = RunExample(scratch.dir(), GetParam());
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const std::string svg = ReadFile(run.svg);
  const ExpectedPage expected = ExpectedPageOf(GetParam());
  const double kLetterWidthIn = expected.widthIn, kLetterHeightIn = expected.heightIn;

  const double widthMm = LengthInMm(RootAttribute(svg, "width"));
  const double heightMm = LengthInMm(RootAttribute(svg, "height"));
  EXPECT_NEAR(widthMm, kLetterWidthIn * kMmPerInch, 0.1) << RootAttribute(svg, "width");
  EXPECT_NEAR(heightMm, kLetterHeightIn * kMmPerInch, 0.1) << RootAttribute(svg, "height");
  const std::vector<double> viewBox = NumberList(RootAttribute(svg, "viewBox"));
  ASSERT_EQ(viewBox.size(), 4u);
  if (!expected.opened.empty()) {
    EXPECT_EQ(RootAttribute(svg, "width"), RootAttribute(expected.opened, "width"));
    EXPECT_EQ(RootAttribute(svg, "height"), RootAttribute(expected.opened, "height"));
    EXPECT_EQ(RootAttribute(svg, "viewBox"), RootAttribute(expected.opened, "viewBox"));
  } else {
    EXPECT_NEAR(widthMm / viewBox[2], kMmPerInch / 72, 1e-6) << "a unit of the drawing is not a point across";
    EXPECT_NEAR(heightMm / viewBox[3], kMmPerInch / 72, 1e-6) << "a unit of the drawing is not a point down";
  }

  if (!Has("rsvg-convert")) GTEST_SKIP() << "rsvg-convert is not installed";
  std::string log;
  ASSERT_TRUE(RunIn(scratch.dir(), "rsvg-convert --format=pdf -o out.pdf out.svg", log)) << log;
  std::smatch box;
  const std::string pdf = ReadFile(scratch.dir() / "out.pdf");
  ASSERT_TRUE(std::regex_search(pdf, box, std::regex(R"(/MediaBox\s*\[\s*(\S+)\s+(\S+)\s+(\S+)\s+(\S+)\s*\])")));
  EXPECT_NEAR((std::stod(box[3]) - std::stod(box[1])) * kMmPerInch / 72, kLetterWidthIn * kMmPerInch, 0.1);
  EXPECT_NEAR((std::stod(box[4]) - std::stod(box[2])) * kMmPerInch / 72, kLetterHeightIn * kMmPerInch, 0.1);

  // A length in px stays so many pixels whatever the resolution: an opened
  // drawing in px is checked at 96 dots per inch only.
  const bool pixelLengths = !std::regex_search(RootAttribute(svg, "width"), std::regex("(pt|pc|mm|cm|in)\\s*$"));
  for (const int dpi : {72, 96}) {
    if (pixelLengths && dpi != 96) continue;
    const std::string d = std::to_string(dpi);
    const std::string render = "rsvg-convert --dpi-x " + d + " --dpi-y " + d + " -b white -o page.png out.svg";
    ASSERT_TRUE(RunIn(scratch.dir(), render, log)) << log;
    Picture page;
    if (!ReadPng(scratch.dir() / "page.png", page)) GTEST_SKIP() << "no PNG reader in this build";
    EXPECT_EQ(page.width, std::lround(kLetterWidthIn * dpi)) << "at " << dpi << " dpi";
    EXPECT_EQ(page.height, std::lround(kLetterHeightIn * dpi)) << "at " << dpi << " dpi";
  }
}

// --- The same drawing in a browser ------------------------------------------

// The page's backdrop in the browser: no example draws in pure green, so the
// page's extent is where it stops.
bool IsBackdrop(const Rgb& p) { return p.g > 200 && p.r < 60 && p.b < 60; }

// Screenshots the SVG in headless Chromium, shown as an image at its own
// size on a green backdrop in a window `margin` pixels larger than `width` x
// `height`. Empty string on success, else what went wrong.
std::string ChromiumScreenshot(const fs::path& dir, const std::string& svgName, int width, int height, int margin) {
  WriteFile(dir / "page.html",
            "<!DOCTYPE html><html><head><style>html, body { margin: 0; padding: 0; background: #00ff00; }"
            " img { display: block; background: #ffffff; }</style></head><body><img src=\"" + svgName +
                "\"></body></html>\n");
  const std::string command =
      "timeout 90 chromium --headless --no-sandbox --disable-gpu --disable-quic --no-first-run"
      " --disable-background-networking --disable-component-update --disable-sync --disable-dev-shm-usage"
      " --user-data-dir=profile"
      " --hide-scrollbars --force-device-scale-factor=1 --window-size=" + std::to_string(width + margin) + "," +
      std::to_string(height + margin) + " --screenshot='" + (dir / "chromium.png").string() + "' 'file://" +
      (dir / "page.html").string() + "'";
  std::string log;
  const bool ran = RunIn(dir, command, log);
  if (!fs::exists(dir / "chromium.png")) return "chromium made no screenshot" + (ran ? "" : ": " + log);
  return "";
}

struct SvgText {
  std::string text;
  double x = 0, y = 0, size = 0;
};

// The SVG's text elements with their anchor and size, in user units.
std::vector<SvgText> TextsOf(const std::string& svg) {
  std::vector<SvgText> out;
  const std::regex element(R"(<text\b([^>]*)>([^<]*)</text>)");
  for (auto it = std::sregex_iterator(svg.begin(), svg.end(), element); it != std::sregex_iterator(); ++it) {
    const std::string attributes = (*it)[1];
    auto attribute = [&](const std::string& name) {
      std::smatch m;
      return std::regex_search(attributes, m, std::regex("\\s" + name + "=\"([^\"]*)\"")) ? std::stod(m[1]) : NAN;
    };
    out.push_back({(*it)[2], attribute("x"), attribute("y"), attribute("font-size")});
  }
  return out;
}

// The dump's text art whose anchor and text are those of the SVG element.
const json* DumpTextFor(const json& dump, const SvgText& t) {
  for (const json* art : AllArt(dump)) {
    if (art->value("type", "") == "text" && art->value("text", "") == t.text &&
        std::fabs((*art)["anchor"][0].get<double>() - t.x) < 0.01) {
      return art;
    }
  }
  return nullptr;
}

// Chromium and rsvg-convert agree on the page's size and draw the same
// thing on it: the dark pixels of each lie within 2 pixels of dark pixels of
// the other, and every label text shows in both where the SVG puts it.
TEST_P(Example, ChromiumDrawsWhatRsvgDraws) {
  const ExpectedPage expected = ExpectedPageOf(GetParam());
  const double kLetterWidthIn = expected.widthIn, kLetterHeightIn = expected.heightIn;
  if (!Has("chromium")) GTEST_SKIP() << "chromium is not installed (scripts/setup installs it)";
  if (!Has("rsvg-convert")) GTEST_SKIP() << "rsvg-convert is not installed";
  const fs::path dir = scratch.dir();
  const ExampleRun run = RunExample(dir, GetParam());
  ASSERT_EQ(run.exitCode, 0) << run.err;
  std::string log;
  ASSERT_TRUE(RunIn(dir, "rsvg-convert -b white -o rsvg.png out.svg", log)) << log;
  Picture rsvg, screen;
  if (!ReadPng(dir / "rsvg.png", rsvg)) GTEST_SKIP() << "no PNG reader in this build";

  constexpr int kMargin = 40;
  const std::string failure = ChromiumScreenshot(dir, "out.svg", rsvg.width, rsvg.height, kMargin);
  ASSERT_EQ(failure, "");
  ASSERT_TRUE(ReadPng(dir / "chromium.png", screen));
  ASSERT_EQ(screen.width, rsvg.width + kMargin) << "the window is not the size asked for";
  int pageWidth = 0, pageHeight = 0;
  while (pageWidth < screen.width && !IsBackdrop(screen.At(pageWidth, 0))) ++pageWidth;
  while (pageHeight < screen.height && !IsBackdrop(screen.At(0, pageHeight))) ++pageHeight;
  EXPECT_EQ(pageWidth, std::lround(kLetterWidthIn * 96)) << "Chromium's page is not Letter wide";
  EXPECT_EQ(pageHeight, std::lround(kLetterHeightIn * 96)) << "Chromium's page is not Letter high";
  EXPECT_EQ(pageWidth, rsvg.width);
  EXPECT_EQ(pageHeight, rsvg.height);
  const Picture page = screen.Crop(pageWidth, pageHeight);

  // Ink is any pixel below 230 (lines, fills, text); it is matched by a pixel
  // below 250 in the other picture, so that a line one renderer blends a
  // little lighter still counts as drawn.
  const long inkRsvg = CountDark(rsvg, 230), inkChromium = CountDark(page, 230);
  const long missing = UnmatchedDark(rsvg, page, 230, 250, 2), extra = UnmatchedDark(page, rsvg, 230, 250, 2);
  EXPECT_LE(missing, 20 + inkRsvg / 1000) << "drawn by rsvg-convert, not by Chromium (of " << inkRsvg << ")";
  EXPECT_LE(extra, 20 + inkChromium / 1000) << "drawn by Chromium, not by rsvg-convert (of " << inkChromium << ")";

  const std::string svg = ReadFile(run.svg);
  const std::vector<double> viewBox = NumberList(RootAttribute(svg, "viewBox"));
  ASSERT_EQ(viewBox.size(), 4u);
  const double scale = rsvg.width / viewBox[2];
  for (const SvgText& t : TextsOf(svg)) {
    if (t.text.empty()) continue;
    const json* art = DumpTextFor(run.dump, t);
    ASSERT_NE(art, nullptr) << "no text \"" << t.text << "\" at x = " << t.x << " in the dump";
    // From the baseline up to a little below the height of a capital, over
    // the text's measured width.
    const json& bounds = (*art)["bounds"];
    const PixelBox box{static_cast<int>(std::lround((bounds[0].get<double>() - viewBox[0]) * scale)),
                       static_cast<int>(std::lround((t.y - 0.65 * t.size - viewBox[1]) * scale)),
                       static_cast<int>(std::lround((bounds[2].get<double>() - viewBox[0]) * scale)),
                       static_cast<int>(std::lround((t.y - viewBox[1]) * scale))};
    const long area = static_cast<long>(box.right - box.left) * (box.bottom - box.top);
    const long inRsvg = CountDark(rsvg, 128, box), inChromium = CountDark(page, 128, box);
    EXPECT_GE(inRsvg, area / 10) << "\"" << t.text << "\" hardly shows in rsvg-convert's picture";
    EXPECT_GE(inChromium, area / 10) << "\"" << t.text << "\" hardly shows in Chromium's picture";
    // Of the same weight (a bold face has over half as much ink again) and
    // the same shape, pixel by pixel with one pixel of slack.
    const long greyRsvg = CountDark(rsvg, 200, box), greyChromium = CountDark(page, 200, box);
    EXPECT_LE(2 * std::max(greyRsvg, greyChromium), 3 * std::min(greyRsvg, greyChromium))
        << "\"" << t.text << "\" is drawn much heavier in one picture";
    const PixelBox around{box.left - 3, box.top - 3, box.right + 3, box.bottom + 3};
    const long textMissing = UnmatchedDark(rsvg, page, 128, 192, 1, around);
    const long textExtra = UnmatchedDark(page, rsvg, 128, 192, 1, around);
    EXPECT_LE(textMissing, 2 + inRsvg / 10) << "\"" << t.text << "\" is not drawn alike";
    EXPECT_LE(textExtra, 2 + inChromium / 10) << "\"" << t.text << "\" is not drawn alike";
  }
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
