#include "tests/scenario/Raster.h"

#include <algorithm>

#ifdef KPX_HAVE_PNG
#include <png.h>
#endif

namespace scenario {

Picture Picture::Crop(int w, int h) const {
  Picture out;
  out.width = std::clamp(w, 0, width);
  out.height = std::clamp(h, 0, height);
  out.pixels.reserve(static_cast<std::size_t>(out.width) * out.height);
  for (int y = 0; y < out.height; ++y) {
    for (int x = 0; x < out.width; ++x) out.pixels.push_back(At(x, y));
  }
  return out;
}

bool ReadPng(const std::filesystem::path& file, Picture& picture) {
#ifdef KPX_HAVE_PNG
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, file.c_str())) return false;
  image.format = PNG_FORMAT_RGB;  // transparent pixels are composed on black; both renderers paint white
  std::vector<png_byte> bytes(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, bytes.data(), 0, nullptr)) return false;
  picture.width = static_cast<int>(image.width);
  picture.height = static_cast<int>(image.height);
  picture.pixels.resize(static_cast<std::size_t>(picture.width) * picture.height);
  for (std::size_t i = 0; i < picture.pixels.size(); ++i) {
    picture.pixels[i] = {bytes[3 * i], bytes[3 * i + 1], bytes[3 * i + 2]};
  }
  return true;
#else
  (void)file;
  (void)picture;
  return false;
#endif
}

long CountDark(const Picture& picture, int dark, PixelBox box) {
  box.left = std::max(box.left, 0);
  box.top = std::max(box.top, 0);
  box.right = std::min(box.right, picture.width);
  box.bottom = std::min(box.bottom, picture.height);
  long count = 0;
  for (int y = box.top; y < box.bottom; ++y) {
    for (int x = box.left; x < box.right; ++x) count += picture.Gray(x, y) < dark;
  }
  return count;
}

long CountDark(const Picture& picture, int dark) {
  return CountDark(picture, dark, {0, 0, picture.width, picture.height});
}

long UnmatchedDark(const Picture& a, const Picture& b, int dark, int near, int radius, PixelBox box) {
  long unmatched = 0;
  for (int y = std::max(box.top, 0); y < std::min(box.bottom, a.height); ++y) {
    for (int x = std::max(box.left, 0); x < std::min(box.right, a.width); ++x) {
      if (a.Gray(x, y) >= dark) continue;
      const PixelBox around{x - radius, y - radius, x + radius + 1, y + radius + 1};
      if (CountDark(b, near, around) == 0) ++unmatched;
    }
  }
  return unmatched;
}

long UnmatchedDark(const Picture& a, const Picture& b, int dark, int near, int radius) {
  return UnmatchedDark(a, b, dark, near, radius, {0, 0, a.width, a.height});
}

}  // namespace scenario
