// The document's dump and its SVG, the SVG rendered by rsvg-convert and read
// back pixel by pixel.
#include <png.h>

#include <cstdio>
#include <cstdlib>
#include <unistd.h>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

#include <nlohmann/json.hpp>

#include "DocumentFixture.h"

namespace doctest {
namespace {

namespace fs = std::filesystem;

struct Image {
  int width = 0, height = 0;
  std::vector<uint8_t> rgb;
  int Gray(int x, int y) const {  // mean of the channels, 0 black .. 255 white
    const std::size_t i = (static_cast<std::size_t>(y) * width + x) * 3;
    return (rgb[i] + rgb[i + 1] + rgb[i + 2]) / 3;
  }
};

bool ReadPng(const fs::path& file, Image& image) {
  png_image png{};
  png.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&png, file.c_str())) return false;
  png.format = PNG_FORMAT_RGB;
  image.width = static_cast<int>(png.width);
  image.height = static_cast<int>(png.height);
  image.rgb.resize(PNG_IMAGE_SIZE(png));
  return png_image_finish_read(&png, nullptr, image.rgb.data(), 0, nullptr) != 0;
}

class Output : public DocumentTest {
 protected:
  void SetUp() override {
#ifdef KPX_NO_RSVG_CONVERT
    GTEST_SKIP() << "rsvg-convert is not installed";
#endif
    DocumentTest::SetUp();
    dir = fs::temp_directory_path() / ("kpx-doc-test-" + std::to_string(::getpid()) + "-" +
                                       ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(dir);
  }
  void TearDown() override {
    if (!dir.empty()) fs::remove_all(dir);
  }

  fs::path WriteSvgFile() {
    const fs::path svg = dir / "doc.svg";
    std::ofstream out(svg);
    hostsim::WriteSvg(*doc, out);
    return svg;
  }

  // Renders the SVG on white, at 72 dpi one pixel per point.
  Image Render(const fs::path& svg, int dpi = 72) {
    const fs::path png = dir / "doc.png";
    const std::string d = std::to_string(dpi);
    const std::string command =
        "rsvg-convert --dpi-x " + d + " --dpi-y " + d + " -b white -o '" + png.string() + "' '" + svg.string() + "'";
    Image image;
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
    EXPECT_TRUE(ReadPng(png, image));
    return image;
  }

  std::string SvgText() {
    std::ifstream in(WriteSvgFile());
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }

  fs::path dir;
};

TEST_F(Output, StrokedRectangleRendersWhereItIsWithYTurnedDown) {
  AIArtHandle rect = NewPath(LayerGroup(), {{100, 100}, {300, 100}, {300, 200}, {100, 200}}, true);
  AIPathStyle s{};
  ASSERT_EQ(style->GetPathStyle(rect, &s), kNoErr);
  s.stroke.width = 3;
  ASSERT_EQ(style->SetPathStyle(rect, &s), kNoErr);
  NewPath(LayerGroup(), {{400, 600}, {500, 600}, {500, 700}, {400, 700}}, true, true);

  const Image image = Render(WriteSvgFile());
  ASSERT_EQ(image.width, 612);
  ASSERT_EQ(image.height, 792);
  EXPECT_LT(image.Gray(200, 792 - 100), 60) << "bottom edge at y = 100";
  EXPECT_LT(image.Gray(200, 792 - 200), 60) << "top edge at y = 200";
  EXPECT_LT(image.Gray(100, 792 - 150), 60) << "left edge";
  EXPECT_GT(image.Gray(200, 792 - 150), 250) << "the rectangle is not filled";
  EXPECT_GT(image.Gray(200, 150), 250) << "nothing where an unflipped rectangle would be";
  const int grey = image.Gray(450, 792 - 650);
  EXPECT_GT(grey, 100) << "a 50 % grey fill";
  EXPECT_LT(grey, 160);
}

TEST_F(Output, TextRendersAboveItsBaseline) {
  AIArtHandle text = nullptr;
  ASSERT_EQ(frames->NewPointText(kPlaceInsideOnTop, LayerGroup(), kHorizontalTextOrientation, {100, 400}, &text),
            kNoErr);
  ATETextRangeRef range = nullptr;
  ASSERT_EQ(frames->GetATETextRange(text, &range), kNoErr);
  ASSERT_EQ(ranges->InsertAfter_AsChar(range, "MMMM", 4), kNoErr);
  ASSERT_EQ(ranges->Release(range), kNoErr);
  const Image image = Render(WriteSvgFile());
  int darkAbove = 0, darkBelow = 0;
  for (int x = 100; x < 140; ++x) {
    for (int y = 1; y < 8; ++y) {
      darkAbove += image.Gray(x, 392 - y) < 128;  // just above the baseline (svg y = 392)
      darkBelow += image.Gray(x, 392 + 2 + y) < 128;
    }
  }
  EXPECT_GT(darkAbove, 40);
  EXPECT_EQ(darkBelow, 0);
}

TEST_F(Output, SvgKeepsNamesTagsLayersAndEscapesMarkup) {
  AIArtHandle group = NewGroup(LayerGroup());
  ASSERT_EQ(art->SetArtName(group, "Label <rect.> & \"co\""), kNoErr);
  AIArtHandle line = NewPath(group, {{0, 0}, {10, 10}});
  ASSERT_EQ(tags->SetTag(line, "lab", "string", "jj"), kNoErr);
  ASSERT_EQ(tags->SetTag(line, "odd name", "string", "<x>"), kNoErr);
  AIArtHandle hidden = NewPath(group, {{0, 0}, {5, 5}});
  ASSERT_EQ(art->SetArtUserAttr(hidden, kArtHidden, kArtHidden), kNoErr);
  AILayerHandle layer = nullptr;
  ASSERT_EQ(layers->InsertLayer(nullptr, kPlaceAboveAll, &layer), kNoErr);
  ASSERT_EQ(layers->SetLayerTitle(layer, "KPX\x95\xC9tiq"), kNoErr);
  ASSERT_EQ(layers->SetLayerVisible(layer, false), kNoErr);

  const fs::path svg = WriteSvgFile();
  std::ifstream in(svg);
  std::stringstream text;
  text << in.rdbuf();
  const std::string s = text.str();
  EXPECT_NE(s.find("data-name=\"Label &lt;rect.&gt; &amp; &quot;co&quot;\""), std::string::npos);
  EXPECT_NE(s.find("data-tag-lab=\"jj\""), std::string::npos);
  EXPECT_NE(s.find("data-tag-odd_x20_name=\"&lt;x&gt;\""), std::string::npos);
  EXPECT_NE(s.find("inkscape:label=\"KPX\u2022\u00C9tiq\""), std::string::npos);
  EXPECT_NE(s.find("data-hidden=\"true\" display=\"none\""), std::string::npos);
  EXPECT_LT(s.find("layer2"), s.find("layer1")) << "the bottom layer is painted first";
  if (std::system("command -v xmllint >/dev/null 2>&1") == 0) {
    EXPECT_EQ(std::system(("xmllint --noout '" + svg.string() + "'").c_str()), 0);
  }
  Render(svg);
}

// One unit of the drawing is one point: at 96 dpi (a browser's inch) the
// Letter page is 8.5 x 11 in of 96 pixels and a 3 pt line is 4 pixels wide,
// and a PDF of it has a Letter page of 612 x 792 pt.
TEST_F(Output, PageAndLineWidthsKeepTheirSizeInPoints) {
  // The bottom edge at y = 102 pt lies 690 pt = 920 px below the top, so the
  // 3 pt line covers the rows 918 to 921 exactly.
  AIArtHandle rect = NewPath(LayerGroup(), {{100, 102}, {300, 102}, {300, 201}, {100, 201}}, true);
  AIPathStyle s{};
  ASSERT_EQ(style->GetPathStyle(rect, &s), kNoErr);
  s.stroke.width = 3;
  ASSERT_EQ(style->SetPathStyle(rect, &s), kNoErr);
  const std::string svg = SvgText();
  EXPECT_NE(svg.find("width=\"612pt\" height=\"792pt\" viewBox=\"0 0 612 792\""), std::string::npos);

  const Image image = Render(dir / "doc.svg", 96);
  ASSERT_EQ(image.width, 816);
  ASSERT_EQ(image.height, 1056);
  int lineWidth = 0;
  for (int y = 910; y < 930; ++y) lineWidth += image.Gray(268, y) < 128;
  EXPECT_EQ(lineWidth, 4);
  EXPECT_LT(image.Gray(268, 918), 60);
  EXPECT_LT(image.Gray(268, 921), 60);

  const fs::path pdf = dir / "doc.pdf";
  const std::string command =
      "rsvg-convert --format=pdf -o '" + pdf.string() + "' '" + (dir / "doc.svg").string() + "'";
  ASSERT_EQ(std::system(command.c_str()), 0) << command;
  std::ifstream in(pdf, std::ios::binary);
  std::stringstream bytes;
  bytes << in.rdbuf();
  std::smatch box;
  const std::string content = bytes.str();
  ASSERT_TRUE(std::regex_search(content, box, std::regex(R"(/MediaBox\s*\[\s*(\S+)\s+(\S+)\s+(\S+)\s+(\S+)\s*\])")));
  EXPECT_NEAR(std::stod(box[3]) - std::stod(box[1]), 612, 0.01);
  EXPECT_NEAR(std::stod(box[4]) - std::stod(box[2]), 792, 0.01);
}

// The page is the drawing's: art beyond it stays beyond it, and the file
// keeps the page's own size and view box.
TEST_F(Output, ArtOutsideThePageLeavesThePageAsItIs) {
  NewPath(LayerGroup(), {{-50, 400}, {700, 400}});
  NewPath(LayerGroup(), {{300, 820}, {300, 830}});
  const std::string svg = SvgText();
  EXPECT_NE(svg.find("width=\"612pt\" height=\"792pt\" viewBox=\"0 0 612 792\""), std::string::npos)
      << svg.substr(0, 300);
  const Image image = Render(dir / "doc.svg");
  EXPECT_EQ(image.width, 612);
  EXPECT_EQ(image.height, 792);
  EXPECT_LT(image.Gray(100, 792 - 400), 128) << "the line at y = 400 is 392 pt below the top";
}

// The family is named first, then the kind of face a reader without it
// should use instead; a name with quotes or backslashes stays one name.
TEST_F(Output, TextNamesItsFamilyThenAGenericFallback) {
  auto textIn = [](const hostsim::FontList& fonts, std::size_t font) {
    auto document = hostsim::MakeDocument(fonts);
    hostsim::ObjectId id = 0;
    EXPECT_EQ(document->NewArt(hostsim::ArtKind::Text, kPlaceAboveAll, 0, &id), kNoErr);
    document->FindArt(id)->text.text = "12";
    document->FindArt(id)->text.font = font;
    std::ostringstream out;
    hostsim::WriteSvg(*document, out);
    std::smatch family;
    const std::string svg = out.str();
    if (!std::regex_search(svg, family, std::regex("font-family=\"([^\"]*)\""))) return std::string();
    std::string value = family[1];
    for (std::size_t at; (at = value.find("&apos;")) != std::string::npos;) value.replace(at, 6, "'");
    return value;
  };
  const std::pair<const char*, const char*> faces[] = {{"DejaVu Sans", "'DejaVu Sans', sans-serif"},
                                                       {"DejaVu Serif", "'DejaVu Serif', serif"},
                                                       {"DejaVu Sans Mono", "'DejaVu Sans Mono', monospace"}};
  for (const auto& [name, expected] : faces) {
    const auto index = Fonts().FindByFullName(name);
    if (!index) {
      ADD_FAILURE() << name << " is not installed";
      continue;
    }
    EXPECT_EQ(textIn(Fonts(), *index), expected);
  }

  const auto sans = Fonts().FindByFullName("DejaVu Sans");
  ASSERT_TRUE(sans);
  hostsim::ToolkitFont odd = Fonts().at(*sans);
  odd.family = "O'Neil \\ Sans";
  odd.fullName = odd.family;
  const hostsim::FontList oddFonts({odd});
  EXPECT_EQ(textIn(oddFonts, 0), "'O\\'Neil \\\\ Sans', sans-serif");
}

class Dump : public DocumentTest {};

TEST_F(Dump, HasTheLayersAndArtInPaintOrder) {
  AIArtHandle group = NewGroup(LayerGroup());
  ASSERT_EQ(art->SetArtName(group, "Lines"), kNoErr);
  AIArtHandle p = NewPath(group, {{1, 2}, {3, 4}}, false, true);
  ASSERT_EQ(tags->SetTag(p, "lab", "string", "jj"), kNoErr);
  AIArtHandle text = nullptr;
  ASSERT_EQ(frames->NewPointText(kPlaceInsideOnTop, LayerGroup(), kHorizontalTextOrientation, {10, 20}, &text),
            kNoErr);

  const nlohmann::json layers = hostsim::DumpLayers(*doc);
  ASSERT_EQ(layers.size(), 1u);
  EXPECT_EQ(layers[0]["title"], "Layer 1");
  EXPECT_EQ(layers[0]["current"], true);
  const auto& arts = layers[0]["art"];
  ASSERT_EQ(arts.size(), 2u);
  EXPECT_EQ(arts[0]["type"], "text");
  EXPECT_EQ(arts[0]["anchor"], nlohmann::json({10, 20}));
  EXPECT_EQ(arts[0]["text"], "");
  EXPECT_EQ(arts[0]["justification"], "left");
  EXPECT_EQ(arts[1]["type"], "group");
  EXPECT_EQ(arts[1]["name"], "Lines");
  const auto& path = arts[1]["children"][0];
  EXPECT_EQ(path["tags"]["lab"], "jj");
  EXPECT_EQ(path["closed"], false);
  EXPECT_EQ(path["anchors"][1], nlohmann::json({3, 4, 3, 4, 3, 4}));
  EXPECT_EQ(path["fill"], nlohmann::json({{"gray", 0.5}}));
  EXPECT_EQ(path["stroke"]["gray"], 1);
  EXPECT_EQ(path["stroke"]["width"], 1);
  EXPECT_EQ(path["stroke"]["cap"], "butt");
  EXPECT_EQ(path["selected"], false);
}

}  // namespace
}  // namespace doctest
