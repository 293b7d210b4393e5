// Labelling drawings that exist already: an icon of the system's icon theme
// opened, labelled and saved; a saved label reopened and taken up; files the
// runner refuses.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include <pugixml.hpp>

#ifdef KPX_HAVE_PNG
#include <png.h>
#endif

#include "tests/scenario/ScenarioHarness.h"

namespace scenario {
namespace {

// A plain two-path icon whose first anchor is "m 3 1" in a 16-unit view box:
// (3, 15) in the document, y up.
const fs::path kIcon = "/usr/share/icons/Adwaita/scalable/actions/document-open-symbolic.svg";
const std::string kLabelLayer = "KPX\xE2\x80\xA2\xC3\x89tiq";  // "KPX•Étiq"
constexpr int kZoom = 8;                                       // pixels per point in the renderings

std::string At(const char* command, Point p) {
  return std::string(command) + " " + std::to_string(p.x) + " " + std::to_string(p.y) + "\n";
}

std::string DrawLabel(Point tip, Point to) { return At("down", tip) + At("drag", to) + At("drag", to) + At("up", to); }

struct Image {
  int width = 0, height = 0;
  std::vector<unsigned char> rgb;
  int At(int x, int y, int channel) const { return rgb[(static_cast<std::size_t>(y) * width + x) * 3 + channel]; }
};

// Renders the SVG on white at kZoom; false when it cannot be rendered or read.
bool Render(const fs::path& svg, Image& image) {
#ifdef KPX_HAVE_PNG
  const fs::path png = svg.string() + ".png";
  const std::string command = "rsvg-convert -b white -z " + std::to_string(kZoom) + " -o '" + png.string() + "' '" +
                              svg.string() + "' 2> /dev/null";
  if (std::system(command.c_str()) != 0) return false;
  png_image p{};
  p.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&p, png.c_str())) return false;
  p.format = PNG_FORMAT_RGB;
  image.width = static_cast<int>(p.width);
  image.height = static_cast<int>(p.height);
  image.rgb.resize(PNG_IMAGE_SIZE(p));
  return png_image_finish_read(&p, nullptr, image.rgb.data(), 0, nullptr) != 0;
#else
  (void)svg;
  (void)image;
  return false;
#endif
}

bool CanRender() {
#ifdef KPX_HAVE_PNG
  return std::system("command -v rsvg-convert > /dev/null 2>&1") == 0;
#else
  return false;
#endif
}

// The saved file cut down to the page of the original icon (document
// 0..16 both ways), with the labels' layer hidden: what is left are the
// drawing's own paths, placed as the file places them.
void WriteIconPageOnly(const fs::path& saved, const fs::path& out) {
  pugi::xml_document xml;
  ASSERT_TRUE(xml.load_file(saved.c_str()));
  pugi::xml_node root = xml.document_element();
  double vx = 0, vy = 0, vw = 0, vh = 0;
  ASSERT_EQ(std::sscanf(root.attribute("viewBox").value(), "%lf %lf %lf %lf", &vx, &vy, &vw, &vh), 4);
  // The file mirrors y inside its view box: document y maps to (vy + vy + vh) - y.
  const double top = 2 * vy + vh - 16;
  root.attribute("viewBox").set_value(("0 " + std::to_string(top) + " 16 16").c_str());
  root.attribute("width").set_value("16");
  root.attribute("height").set_value("16");
  bool hidden = false;
  for (pugi::xml_node layer : root.children("g")) {
    if (std::string(layer.attribute("data-title").value()) == kLabelLayer) {
      layer.append_attribute("display").set_value("none");
      hidden = true;
    }
  }
  ASSERT_TRUE(hidden) << "the label is not on its own layer";
  ASSERT_TRUE(xml.save_file(out.c_str()));
}

TEST(OpenDrawing, LabelOnAnIconSnapsToItsAnchorAndTheIconComesOutWhereItWas) {
  if (!fs::exists(kIcon)) GTEST_SKIP() << kIcon << " is not installed (scripts/setup installs it)";
  Session s;
  s.SetBoolean("Calque", true);  // the label on a layer of its own
  fs::copy_file(kIcon, s.dir() / "icon.svg");
  const RunResult r = s.Run("open icon.svg\nzoom " + std::to_string(kZoom) + "\nlaunch\ntool select\n" +
                            DrawLabel({3.2, 14.9}, {-20, 30}) + "svg labelled.svg\nquit\n");
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.err, "") << "the icon opens without warnings";

  const auto labels = LabelGroups(LayerTitled(r.dump, kLabelLayer));
  ASSERT_EQ(labels.size(), 1u);
  const Point tip = AnchorPoint(Arrows(*labels[0])[0], 0);
  EXPECT_EQ(tip.x, 3) << "the tip is on the icon's anchor";
  EXPECT_EQ(tip.y, 15);
  EXPECT_EQ(BeepFrequencies(r.dump), std::vector<int>{9000}) << "the tone of a snap to an anchor";

  if (!CanRender()) GTEST_SKIP() << "rsvg-convert or the PNG reader is missing";
  Image original, labelled, page;
  ASSERT_TRUE(Render(kIcon, original));
  ASSERT_TRUE(Render(s.dir() / "labelled.svg", labelled)) << "the saved drawing does not render";
  ASSERT_NO_FATAL_FAILURE(WriteIconPageOnly(s.dir() / "labelled.svg", s.dir() / "page.svg"));
  ASSERT_TRUE(Render(s.dir() / "page.svg", page));
  ASSERT_EQ(page.width, original.width);
  ASSERT_EQ(page.height, original.height);
  int dark = 0, different = 0;
  for (int y = 0; y < page.height; ++y) {
    for (int x = 0; x < page.width; ++x) {
      dark += original.At(x, y, 1) < 128;
      for (int c = 0; c < 3; ++c) different += std::abs(page.At(x, y, c) - original.At(x, y, c)) > 8 ? 1 : 0;
    }
  }
  EXPECT_GT(dark, 2000) << "the icon itself drew little";
  EXPECT_EQ(different, 0) << "pixel channels that differ from the original's rendering";
  EXPECT_EQ(labelled.width, original.width) << "the page is the icon's, label or not";
  EXPECT_EQ(labelled.height, original.height);
}

TEST(OpenDrawing, SavedLabelReopensUnchangedAndIsTakenUpWithTheSettingsInForce) {
  Session s;
  const Point tip{100, 400}, place{200, 450}, middle{150, 425}, moved{250, 500};
  const RunResult drawn = s.RunTool("rect 50 300 100 200 filled\n" + DrawLabel(tip, place) + "svg drawn.svg\n");
  ASSERT_EQ(drawn.exitCode, 0) << drawn.err;
  // Reopened: the same layers, art, anchors and styles. Then the shape is
  // switched to an ellipse and the label is picked up by its leader line.
  const RunResult r = s.Run("open drawn.svg\ndump opened.json\nlaunch\ntool select\n"
                            "press shift\nclick 500 700\nrelease shift\n" +
                            At("move", middle) + DrawLabel(middle, moved) + "quit\n");
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(s.ReadDump("opened.json")["layers"], drawn.dump["layers"]);

  const auto labels = LabelGroupsOf(r.dump);
  ASSERT_EQ(labels.size(), 1u) << "taking a label up starts no new one";
  const json& line = Lines(*labels[0])[0];
  EXPECT_NEAR(AnchorPoint(line, 1).x, moved.x, 1e-3) << "the leader follows the drag";
  EXPECT_NEAR(AnchorPoint(line, 1).y, moved.y, 1e-3);
  EXPECT_EQ(AnchorPoint(Arrows(*labels[0])[0], 0).x, tip.x) << "the tip stays";
  EXPECT_EQ(TextOf(*labels[0])["text"], "1");
  const json& a = ShapeOf(*labels[0])["anchors"][0];
  EXPECT_FALSE(a[0] == a[2] && a[1] == a[3]) << "the shape did not become the ellipse now in force";
}

TEST(OpenDrawing, FileThatCannotBeReadStopsTheRunWithItsNameAndWhy) {
  Session s;
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"<html/>", "not an SVG file"},
      {"<svg><g><path d='M0 0 L1 1'/>", "not well-formed XML at line 1"},
      {"<svg><path id='p' d='M 0 0 L 5'/></svg>", "path \"p\" (line 1): the path data cannot be read at character 10"},
      {"<svg xmlns:xlink='http://www.w3.org/1999/xlink'><use id='u' xlink:href='#u'/></svg>", "use \"u\" (line 1): refers to itself"},
  };
  for (const auto& [text, message] : cases) {
    WriteFile(s.dir() / "bad.svg", text);
    const RunResult r = s.Run("rect 1 1 5 5\nopen bad.svg\nrect 2 2 5 5\n");
    EXPECT_EQ(r.exitCode, 1) << message;
    EXPECT_NE(r.err.find("script.session:2: bad.svg: " + message), std::string::npos) << r.err;
    EXPECT_TRUE(r.dump.is_null()) << "nothing asked for at the end is written after a bad line";
  }
  {
    std::ofstream(s.dir() / "huge.svg") << "<svg>";
    fs::resize_file(s.dir() / "huge.svg", (64u << 20) + 1);  // sparse: no disk is used
    const RunResult r = s.Run("open huge.svg\n");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("script.session:1: huge.svg: the file is larger than 64 MiB"), std::string::npos) << r.err;
  }
  const RunResult missing = s.Run("open nowhere.svg\n");
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_NE(missing.err.find("script.session:1: nowhere.svg: cannot be read"), std::string::npos) << missing.err;
}

TEST(OpenDrawing, KeptContentIsNotedOncePerKindAndTheRunGoesOn) {
  Session s;
  WriteFile(s.dir() / "photo.svg",
            "<svg xmlns='http://www.w3.org/2000/svg'><image id='a'/><image id='b'/><path d='M0 0 H9'/></svg>");
  const RunResult r = s.Run("open photo.svg\n");
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.err,
            "script.session:1: note: photo.svg: image \"a\" (line 1): images are kept as they are: shown, but not "
            "editable (2 in all)\n");
  ASSERT_EQ(r.dump["layers"].size(), 1u);
  EXPECT_EQ(r.dump["layers"][0]["art"].size(), 3u) << "the path, and the two images kept";
}

}  // namespace
}  // namespace scenario
