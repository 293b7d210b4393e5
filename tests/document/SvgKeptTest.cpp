// Drawings from elsewhere survive open and save: what the host cannot model
// is kept in place, styles are read as SVG reads them, the page stays the
// drawing's, and nothing outside the file is ever read.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "DocumentFixture.h"
#include "SvgRoundTrip.h"
#include "hostsim/document/DocumentJson.h"
#include "hostsim/document/SvgReader.h"

namespace doctest {
namespace {

namespace fs = std::filesystem;
using nlohmann::json;

const char* kRoot =
    "<svg xmlns='http://www.w3.org/2000/svg' xmlns:xlink='http://www.w3.org/1999/xlink' "
    "xmlns:my='urn:example:mine' width='65cm' height='24cm' viewBox='40 80 1300 480'>";

class SvgKept : public DocumentTest {
 protected:
  fs::path dir = fs::temp_directory_path() / ("svg-kept-" + std::to_string(::getpid()));
  void TearDown() override { fs::remove_all(dir); }

  fs::path Write(const std::string& name, const std::string& text) {
    fs::create_directories(dir);
    std::ofstream(dir / name, std::ios::binary) << text;
    return dir / name;
  }
  std::string Saved() {
    std::ostringstream out;
    hostsim::WriteSvg(*doc, out);
    return out.str();
  }
};

// Each construct the host cannot model, alone in a file on a page that is not
// Letter: open, save with nothing drawn, and it renders and counts the same.
TEST_F(SvgKept, EveryConstructComesBackAsItRendersWithTheRootAsRead) {
  const std::vector<std::string> bodies = {
      "<text x='100' y='200' font-size='40'>Two<tspan x='100' dy='48' fill='red'>lines</tspan></text>",
      "<defs><linearGradient id='g'><stop offset='0' stop-color='red'/><stop offset='1' stop-color='blue'/>"
      "</linearGradient></defs><rect x='100' y='100' width='600' height='300' fill='url(#g)'/>",
      "<defs><pattern id='p' width='20' height='20' patternUnits='userSpaceOnUse'><circle cx='10' cy='10' r='6'/>"
      "</pattern></defs><rect x='100' y='100' width='400' height='300' fill='url(#p)'/>",
      "<defs><marker id='m' markerWidth='10' markerHeight='10' refX='5' refY='5'><circle cx='5' cy='5' r='5'/>"
      "</marker></defs><path d='M100 300 L900 300' stroke='black' stroke-width='4' marker-end='url(#m)'/>",
      "<clipPath id='c'><circle cx='400' cy='300' r='120'/></clipPath>"
      "<rect x='100' y='100' width='600' height='400' fill='green' clip-path='url(#c)'/>",
      "<mask id='k'><rect x='0' y='0' width='2000' height='2000' fill='white'/><circle cx='400' cy='300' r='90'/></mask>"
      "<rect x='100' y='100' width='600' height='400' fill='navy' mask='url(#k)'/>",
      "<image x='200' y='150' width='100' height='100' href='data:image/png;base64,iVBORw0KGgoAAAANSUhEUgAAAAEAAAABCAIAAACQd1PeAAAADElEQVR4nGP4z8AAAAMBAQDJ/pLvAAAAAElFTkSuQmCC'/>",
      "<defs><path id='u' d='M0 0 H80 V80 Z' fill='purple'/></defs><use href='#u' x='300' y='200'/>"
      "<use xlink:href='#u' transform='translate(600 150) scale(2)'/>",
      "<filter id='f'><feGaussianBlur stdDeviation='6'/></filter>"
      "<rect x='300' y='200' width='300' height='200' fill='orange' filter='url(#f)'/>",
      "<metadata><my:note>kept</my:note></metadata><title>t</title><desc>d</desc>"
      "<rect x='100' y='100' width='100' height='100'/>",
      "<style>.a { fill: #c00 } #b { stroke: blue; stroke-width: 12 } rect { fill: gray }</style>"
      "<rect class='a' x='100' y='100' width='200' height='200'/><circle id='b' cx='600' cy='300' r='100'/>"
      "<rect x='800' y='100' width='100' height='100'/>",
      "<g id='outer' class='x' data-who='me' my:flag='1' transform='translate(50 20) rotate(5)' opacity='0.5'>"
      "<path d='M100 100 L500 300 L100 400' fill='teal' stroke='black' stroke-width='6'/>"
      "<frobnicate size='3'/><text x='700' y='300' font-size='50' style='fill:currentColor' color='#3a3'>Plain</text></g>",
      "<g style='color:#00f;stroke:#7f7f7f;fill:none;stroke-width:1.5;font-size:40'>"
      "<text x='200' y='300'>Outlined by the group</text></g>",
  };
  for (std::size_t i = 0; i < bodies.size(); ++i) {
    const fs::path file = Write("c" + std::to_string(i) + ".svg", std::string(kRoot) + bodies[i] + "</svg>");
    const roundtrip::Result r = roundtrip::Check(file, dir / "work");
    EXPECT_TRUE(r.problem.empty()) << bodies[i] << "\n" << r.problem;
    EXPECT_TRUE(r.rendered) << bodies[i];
  }
}

TEST_F(SvgKept, ChangedArtIsWrittenInItsGroupsFrameWithWhatTheHostDoesNotModel) {
  ASSERT_TRUE(hostsim::ReadSvg(std::string(kRoot) +
                                   "<g transform='translate(100 50)'><path id='p' class='c' data-x='1' my:y='2' "
                                   "d='M0 0 L100 0' stroke='black' style='stroke-width:2;cursor:pointer'/></g></svg>",
                               *doc)
                  .ok);
  // 65 cm across 1300 units: a unit is 65 / 1300 cm = 72 / 2.54 * 0.05 points.
  const double unit = 72 / 2.54 * 0.05;
  hostsim::Art& group = *doc->FindArt(doc->FindArt(doc->layers()[0].group)->children[0]);
  const hostsim::ObjectId pathId = group.children[0];
  doc->Transform(pathId, AIRealMatrix{1, 0, 0, 1, static_cast<AIReal>(10 * unit), 0});  // 10 units right
  const std::string saved = Saved();
  EXPECT_NE(saved.find("id=\"p\""), std::string::npos) << saved;
  EXPECT_NE(saved.find("class=\"c\""), std::string::npos);
  EXPECT_NE(saved.find("data-x=\"1\""), std::string::npos);
  EXPECT_NE(saved.find("my:y=\"2\""), std::string::npos);
  EXPECT_NE(saved.find("style=\"cursor:pointer;\""), std::string::npos) << "the modelled width leaves the style";
  EXPECT_NE(saved.find("<g transform='translate(100 50)'>"), std::string::npos) << "the unchanged group as read";
  auto reopened = hostsim::MakeDocument(Fonts());
  ASSERT_TRUE(hostsim::ReadSvg(saved, *reopened).ok);
  const json path = hostsim::DumpLayers(*reopened)[0]["art"][0]["children"][0];
  // The view box keeps its numbers, scaled to points, y mirrored inside it
  // (80 .. 560 up): the start at x 100 + 10, y 50 is at (110, 80 + 560 - 50) units.
  const double x = (100 + 10) * unit, y = (80 + 560 - 50) * unit;
  EXPECT_NEAR(path["anchors"][0][0].get<double>(), x, 1e-3);
  EXPECT_NEAR(path["anchors"][0][1].get<double>(), y, 1e-3);
  EXPECT_NEAR(path["stroke"]["width"].get<double>(), 2 * unit, 1e-3);
}

TEST_F(SvgKept, StylesCascadeAsSvgHasThem) {
  const auto r = hostsim::ReadSvg(
      std::string(kRoot) +
          "<style>rect { fill: #010101 } .warm { fill: #ff0000 } #hot { fill: #00ff00 } rect.warm { stroke: #0000ff }"
          " g rect { fill: #123456 }</style>"
          "<rect class='cold warm' width='10' height='10' fill='#ffffff'/>"
          "<rect id='hot' class='warm' width='10' height='10'/>"
          "<rect id='hot2' class='warm' width='10' height='10' style='fill: #00ffff'/>"
          "<g fill='#ffff00' color='#ff00ff'><rect width='10' height='10' style='fill: inherit'/>"
          "<text x='1' y='2'>Inherited</text><text x='1' y='2' fill='currentColor'>Current</text></g></svg>",
      *doc);
  ASSERT_TRUE(r.ok) << r.error;
  const json art = hostsim::DumpLayers(*doc)[0]["art"];
  ASSERT_EQ(art.size(), 4u);
  EXPECT_EQ(art[3]["fill"], json({{"rgb", {1, 0, 0}}})) << "a class rule outranks a type rule and the attribute";
  EXPECT_EQ(art[3]["stroke"]["rgb"], json({0, 0, 1})) << "type and class together";
  EXPECT_EQ(art[2]["fill"], json({{"rgb", {0, 1, 0}}})) << "an id rule outranks a class rule";
  EXPECT_EQ(art[1]["fill"], json({{"rgb", {0, 1, 1}}})) << "the style attribute outranks every rule";
  const json& group = art[0]["children"];
  EXPECT_EQ(group[2]["fill"], json({{"rgb", {1, 1, 0}}})) << "inherit takes the group's over the type rule";
  EXPECT_EQ(group[1]["fill"], json({{"rgb", {1, 1, 0}}})) << "a text's fill is its group's";
  EXPECT_EQ(group[0]["fill"], json({{"rgb", {1, 0, 1}}})) << "currentColor is the inherited colour";
}

TEST_F(SvgKept, KeptContentIsHitByItsBoundsAndIsNoArtAPlugInEdits) {
  ASSERT_TRUE(hostsim::ReadSvg("<svg xmlns='http://www.w3.org/2000/svg' width='200' height='100'>"
                               "<image x='20' y='10' width='40' height='30' href='x.png'/></svg>",
                               *doc)
                  .ok);
  const hostsim::ObjectId id = doc->FindArt(doc->layers()[0].group)->children[0];
  auto handle = reinterpret_cast<AIArtHandle>(static_cast<std::uintptr_t>(id));
  int16_t type = -1;
  ASSERT_EQ(art->GetArtType(handle, &type), kNoErr);
  EXPECT_EQ(type, kUnknownArt);
  // The image spans x 20..60 and, y turned up on a 100 pt page, 60..90.
  EXPECT_EQ(doc->HitTest(0, {25, 85}, 0).object, id);
  EXPECT_EQ(doc->HitTestByWalk({25, 85}, 0).object, id);
  EXPECT_FALSE(doc->HitTest(0, {25, 55}, 2).hit);
  const auto nodes = hostsim::KeptNodes(*doc);
  ASSERT_EQ(nodes.size(), 1u);
  EXPECT_EQ(nodes[0].element, "image");
  EXPECT_TRUE(nodes[0].markup.starts_with("<image x='20'"));
  const std::string alone = hostsim::KeptNodeSvg(*doc, id);
  EXPECT_NE(alone.find("viewBox=\"20 -90 40 30\""), std::string::npos) << alone;
}

TEST_F(SvgKept, NothingOutsideTheFileIsReadAndARefusedFileLeavesTheDrawing) {
  const fs::path secret = Write("secret.txt", "TOP-SECRET-42");
  const fs::path file = Write(
      "evil.svg", "<?xml version='1.0'?>\n<!DOCTYPE svg [<!ENTITY leak SYSTEM 'file://" + secret.string() +
                      "'><!ENTITY boom 'aaaaaaaaaa'>]>\n"
                      "<svg xmlns='http://www.w3.org/2000/svg' xmlns:xlink='http://www.w3.org/1999/xlink' "
                      "width='100' height='100'><text x='1' y='20'>&leak;&boom;</text>"
                      "<use xlink:href='" + secret.string() + "#x'/><image href='file://" + secret.string() +
                      "' width='5' height='5'/><script>document.title = 'ran'</script></svg>");
  const auto r = hostsim::OpenSvg(file, *doc);
  ASSERT_TRUE(r.ok) << r.error;
  const std::string saved = Saved();
  EXPECT_EQ(saved.find("TOP-SECRET"), std::string::npos);
  EXPECT_NE(saved.find(">&leak;&boom;</text>"), std::string::npos) << "entities are not expanded";
  EXPECT_EQ(saved.find("aaaaaaaaaa"), saved.rfind("aaaaaaaaaa")) << "only the declaration's bytes, kept";
  EXPECT_NE(saved.find("<script>document.title = 'ran'</script>"), std::string::npos) << "kept, never run";
  EXPECT_EQ(hostsim::DumpLayers(*doc).dump().find("TOP-SECRET"), std::string::npos);

  const std::string before = saved;
  const auto refused = hostsim::ReadSvg("<svg xmlns='http://www.w3.org/2000/svg'><path d='M0 0 L'/></svg>", *doc);
  EXPECT_FALSE(refused.ok);
  EXPECT_EQ(Saved(), before) << "the open drawing, its page and its file are untouched";
}

// Labels drawn into an opened drawing: the file's art comes back as read
// around them, and they read back as the art that was drawn.
TEST_F(SvgKept, ArtDrawnIntoAnOpenedDrawingReadsBackAndTheRestStays) {
  const fs::path file = Write("base.svg", std::string(kRoot) +
                                              "<defs><linearGradient id='g'><stop offset='0' stop-color='red'/>"
                                              "</linearGradient></defs><g id='L'><rect x='100' y='100' width='300' "
                                              "height='200' fill='url(#g)'/><text x='500' y='300'>A<tspan>B</tspan>"
                                              "</text></g></svg>");
  ASSERT_TRUE(hostsim::OpenSvg(file, *doc).ok);
  for (int i = 0; i < 3; ++i) {
    AIArtHandle group = NewGroup(LayerGroup());
    ASSERT_EQ(tags->SetTag(group, "label", "string", std::to_string(i).c_str()), kNoErr);
    NewPath(group, {{static_cast<AIReal>(50 + 40 * i), 100}, {static_cast<AIReal>(90 + 40 * i), 150}});
  }
  const std::string saved = Saved();
  EXPECT_NE(saved.find("width='65cm' height='24cm' viewBox='40 80 1300 480'"), std::string::npos);
  EXPECT_NE(saved.find("<text x='500' y='300'>A<tspan>B</tspan></text>"), std::string::npos);
  auto reopened = hostsim::MakeDocument(Fonts());
  ASSERT_TRUE(hostsim::ReadSvg(saved, *reopened).ok);
  const json art = hostsim::DumpLayers(*reopened)[0]["art"];
  ASSERT_EQ(art.size(), 4u) << "three labels on top of the file's group";
  for (int i = 0; i < 3; ++i) {
    const json& label = art[static_cast<std::size_t>(2 - i)];
    EXPECT_EQ(label["tags"]["label"], std::to_string(i));
    const json& a = label["children"][0]["anchors"];
    EXPECT_NEAR(a[0][0].get<double>(), 50 + 40 * i, 1e-3);
    EXPECT_NEAR(a[0][1].get<double>(), 100, 1e-3);
    EXPECT_NEAR(a[1][1].get<double>(), 150, 1e-3);
  }
  EXPECT_EQ(art[3]["children"][0]["type"], "kept");
}

// Our own file read back: untouched it is written byte for byte; a layer made
// current since is said to be current.
TEST_F(SvgKept, OwnFileComesBackByteForByteAndTheCurrentLayerFollows) {
  NewPath(LayerGroup(), {{10, 20}, {30, 40}});
  AILayerHandle added = nullptr;
  ASSERT_EQ(layers->InsertLayer(nullptr, kPlaceAboveAll, &added), kNoErr);
  const std::string first = Saved();
  ASSERT_TRUE(hostsim::ReadSvg(first, *doc).ok);
  EXPECT_EQ(Saved(), first);
  ASSERT_TRUE(doc->SetCurrentLayer(doc->layers()[1].id));
  auto reopened = hostsim::MakeDocument(Fonts());
  ASSERT_TRUE(hostsim::ReadSvg(Saved(), *reopened).ok);
  EXPECT_EQ(reopened->currentLayer(), reopened->layers()[1].id);
}

}  // namespace
}  // namespace doctest
