// Pictures read back from PNG files, and the comparisons that tell whether
// two renderers drew the same thing: dark pixels matched within a few pixels,
// so that anti-aliasing and font hinting do not count as differences.
#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

namespace scenario {

struct Rgb {
  uint8_t r = 0, g = 0, b = 0;
};

struct Picture {
  int width = 0, height = 0;
  std::vector<Rgb> pixels;  // rows top first

  const Rgb& At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
  // Mean of the channels: 0 black .. 255 white.
  int Gray(int x, int y) const {
    const Rgb& p = At(x, y);
    return (p.r + p.g + p.b) / 3;
  }
  // The top-left part of the picture, w x h pixels (clamped to the picture).
  Picture Crop(int w, int h) const;
};

// False when the file cannot be read as a PNG (or the build has no libpng).
bool ReadPng(const std::filesystem::path& file, Picture& picture);

// Pixel rectangle, right and bottom excluded.
struct PixelBox {
  int left = 0, top = 0, right = 0, bottom = 0;
};

// Pixels of the box whose grey is below `dark`.
long CountDark(const Picture& picture, int dark, PixelBox box);
long CountDark(const Picture& picture, int dark);

// Pixels of `a` darker than `dark` with no pixel of `b` darker than `near`
// within `radius` pixels (horizontally and vertically), over the box of `a`
// or all of it. Pixels outside `b` count as white.
long UnmatchedDark(const Picture& a, const Picture& b, int dark, int near, int radius, PixelBox box);
long UnmatchedDark(const Picture& a, const Picture& b, int dark, int near, int radius);

}  // namespace scenario
