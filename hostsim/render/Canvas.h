// A small raster canvas for pictures of dialogs: rectangles, lines, ovals,
// polygons, text through FreeType and PNG pictures, blended over an opaque
// background, written out as a PNG. Pixels (x right, y down); a rectangle's
// right and bottom lie outside it.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "host/ADMSuites.h"

namespace hostsim::render {

struct Rgba {
  uint8_t r = 0, g = 0, b = 0, a = 255;
};

// The 16-bit channels of the toolkit as 8-bit ones.
Rgba FromChannels(const ADMRGBColor& color);

// A face of a font file at a size in pixels.
struct TextFace {
  std::string file;
  int faceIndex = 0;
  int pixels = 12;
};

class Canvas {
 public:
  Canvas(int32_t width, int32_t height, Rgba background);

  int32_t width() const { return width_; }
  int32_t height() const { return height_; }
  Rgba At(int32_t x, int32_t y) const;

  // Later drawing is moved by `origin` and cut to `clip` (canvas pixels).
  void SetFrame(ADMPoint origin, const ADMRect& clip);
  void ResetFrame();

  void FillRect(const ADMRect& r, Rgba c);
  void FrameRect(const ADMRect& r, Rgba c);
  void Line(ADMPoint a, ADMPoint b, Rgba c);
  void FillOval(const ADMRect& r, Rgba c);
  void FrameOval(const ADMRect& r, Rgba c);
  void FillPolygon(const std::vector<ADMPoint>& points, Rgba c);
  void FramePolygon(const std::vector<ADMPoint>& points, Rgba c);
  // A PNG file's image with its top-left corner at `at`; false when the
  // bytes are no PNG.
  bool DrawPng(std::string_view png, ADMPoint at);
  // UTF-8 text from `baseline` (its left end); false when the face cannot be
  // loaded. TextWidth measures it the same way.
  bool DrawText(std::string_view utf8, ADMPoint baseline, const TextFace& face, Rgba c);
  static int32_t TextWidth(std::string_view utf8, const TextFace& face);
  // Ascent and descent of the face, in pixels.
  static void FaceMetrics(const TextFace& face, int32_t* ascent, int32_t* descent);

  // Every pixel as a square of `factor` pixels (1..8), for a larger picture.
  Canvas Scaled(int32_t factor) const;

  // How hard the PNG writer compresses: kSmallest filters each row and
  // compresses at zlib's default level; kFastest writes unfiltered rows at
  // zlib's quickest level (the same pixels, a larger file).
  enum class PngCompression { kSmallest, kFastest };
  // The picture as PNG bytes; false (bytes empty) when libpng refuses it.
  bool EncodePng(std::string* bytes, PngCompression compression = PngCompression::kSmallest) const;
  // Encodes, then saves through the atomic writer. The reason on failure.
  std::optional<std::string> WritePng(const std::filesystem::path& file,
                                      PngCompression compression = PngCompression::kSmallest) const;

 private:
  void Blend(int32_t x, int32_t y, Rgba c, uint8_t coverage = 255);
  // The part of a rectangle (in drawing coordinates) that the clip lets through.
  ADMRect Clipped(const ADMRect& r) const;

  int32_t width_, height_;
  std::vector<Rgba> pixels_;
  ADMPoint origin_{0, 0};
  ADMRect clip_;
};

}  // namespace hostsim::render
