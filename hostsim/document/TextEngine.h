// Text measuring with the fonts of the host's font list: HarfBuzz shapes the
// text in font units (no hinting, so widths do not depend on a resolution);
// FreeType reads the fonts HarfBuzz cannot. Loaded faces are cached, and so
// is each text's advance per font: bounds and hit tests ask again and again.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>

namespace hostsim {

class FontList;

struct TextMetrics {
  double width = 0;      // advance of the whole text, points
  double ascender = 0;   // above the baseline, points
  double descender = 0;  // below the baseline, points (negative)
};

class TextEngine {
 public:
  explicit TextEngine(const FontList& fonts) : fonts_(fonts) {}
  // Metrics of utf8 set in font `font` (an index into the list) at size points.
  // A font that cannot be read is measured as 0.6 em per character.
  TextMetrics Measure(std::size_t font, std::string_view utf8, double size) const;

 private:
  const FontList& fonts_;
  // Advance in font units by font index and text ("<index>:<text>").
  mutable std::unordered_map<std::string, double> advances_;
};

}  // namespace hostsim
