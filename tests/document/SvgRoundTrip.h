// Open an SVG file, save it with nothing drawn, and compare the two: pixels
// as rsvg-convert renders them, elements counted by tag, the root's width,
// height and viewBox.
#pragma once

#include <filesystem>
#include <functional>
#include <string>

namespace hostsim {
class Document;
}

namespace roundtrip {

struct Result {
  bool refused = false;    // the reader would not read it
  std::string problem;     // why the round trip failed (or was refused); empty: it held
  double differing = 0;    // share of pixels that differ
  bool rendered = true;    // rsvg-convert drew the original
};

// `between` runs on the opened document before it is saved (labels drawn...).
Result Check(const std::filesystem::path& file, const std::filesystem::path& workDir,
             const std::function<void(hostsim::Document&)>& between = {});

// The file's text saved after reading: what Check compares.
bool Render(const std::filesystem::path& svg, const std::filesystem::path& png);

}  // namespace roundtrip
