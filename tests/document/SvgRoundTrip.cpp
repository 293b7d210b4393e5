#include "SvgRoundTrip.h"

#include <png.h>
#include <pugixml.hpp>

#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <vector>

#include "hostsim/FontList.h"
#include "hostsim/document/Document.h"
#include "hostsim/document/DocumentApi.h"
#include "hostsim/document/SvgReader.h"

namespace roundtrip {
namespace fs = std::filesystem;
namespace {

const hostsim::FontList& Fonts() {
  static const hostsim::FontList fonts = hostsim::FontList::FromFontconfig();
  return fonts;
}

struct Image {
  int width = 0, height = 0;
  std::vector<unsigned char> rgba;
};

bool ReadPng(const fs::path& file, Image& image) {
  png_image png{};
  png.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&png, file.c_str())) return false;
  png.format = PNG_FORMAT_RGBA;
  image.width = static_cast<int>(png.width);
  image.height = static_cast<int>(png.height);
  image.rgba.resize(PNG_IMAGE_SIZE(png));
  return png_image_finish_read(&png, nullptr, image.rgba.data(), 0, nullptr) != 0;
}

std::map<std::string, int> CountByTag(const pugi::xml_document& xml) {
  std::map<std::string, int> counts;
  std::vector<pugi::xml_node> stack{xml.document_element()};
  while (!stack.empty()) {
    const pugi::xml_node n = stack.back();
    stack.pop_back();
    ++counts[n.name()];
    for (pugi::xml_node c : n.children()) {
      if (c.type() == pugi::node_element) stack.push_back(c);
    }
  }
  return counts;
}

}  // namespace

bool Render(const fs::path& svg, const fs::path& png) {
  const std::string command = "rsvg-convert -b white -o '" + png.string() + "' '" + svg.string() + "' 2>/dev/null";
  return std::system(command.c_str()) == 0;
}

Result Check(const fs::path& file, const fs::path& workDir, const std::function<void(hostsim::Document&)>& between) {
  Result r;
  auto doc = hostsim::MakeDocument(Fonts());
  const hostsim::SvgReadResult read = hostsim::OpenSvg(file, *doc);
  if (!read.ok) {
    r.refused = true;
    r.problem = "refused: " + read.error;
    return r;
  }
  if (between) between(*doc);
  std::ostringstream text;
  hostsim::WriteSvg(*doc, text);
  fs::create_directories(workDir);
  const fs::path saved = workDir / "saved.svg";
  std::ofstream(saved, std::ios::binary) << text.str();

  pugi::xml_document before, after;
  before.load_file(file.c_str());
  if (!after.load_string(text.str().c_str())) {
    r.problem = "the saved file is not well-formed XML";
    return r;
  }
  const auto countBefore = CountByTag(before), countAfter = CountByTag(after);
  if (!between && countBefore != countAfter) {
    for (const auto& [tag, n] : countBefore) {
      const auto it = countAfter.find(tag);
      const int m = it == countAfter.end() ? 0 : it->second;
      if (m != n) {
        r.problem = "<" + tag + ">: " + std::to_string(n) + " read, " + std::to_string(m) + " written";
        break;
      }
    }
    if (r.problem.empty()) r.problem = "elements written that were not read";
    return r;
  }
  for (const char* a : {"width", "height", "viewBox"}) {
    const pugi::xml_attribute x = before.document_element().attribute(a), y = after.document_element().attribute(a);
    if (static_cast<bool>(x) != static_cast<bool>(y) || std::string(x.value()) != y.value()) {
      r.problem = std::string("the root's ") + a + " is \"" + y.value() + "\", read as \"" + x.value() + "\"";
      return r;
    }
  }
  Image a, b;
  if (!Render(file, workDir / "before.png") || !ReadPng(workDir / "before.png", a)) {
    r.rendered = false;  // rsvg-convert does not draw the original: nothing to compare
    return r;
  }
  if (!Render(saved, workDir / "after.png") || !ReadPng(workDir / "after.png", b)) {
    r.problem = "rsvg-convert does not draw the saved file";
    return r;
  }
  if (a.width != b.width || a.height != b.height) {
    r.problem = "rendered " + std::to_string(b.width) + "x" + std::to_string(b.height) + ", read as " +
                std::to_string(a.width) + "x" + std::to_string(a.height);
    return r;
  }
  std::size_t differ = 0;
  for (std::size_t i = 0; i < a.rgba.size(); i += 4) {
    for (std::size_t k = 0; k < 4; ++k) {
      if (std::abs(a.rgba[i + k] - b.rgba[i + k]) > 16) {
        ++differ;
        break;
      }
    }
  }
  r.differing = a.rgba.empty() ? 0 : static_cast<double>(differ) / static_cast<double>(a.rgba.size() / 4);
  if (r.differing > 0.005) r.problem = std::to_string(r.differing * 100) + " % of the pixels differ";
  return r;
}

}  // namespace roundtrip
