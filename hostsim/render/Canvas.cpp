// [SECTION] Fonts, glyphs and PNG input
// [SECTION] Shapes
// [SECTION] Pictures and text
// [SECTION] Scaling and PNG output

#include "hostsim/render/Canvas.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include <png.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <functional>
#include <map>
#include <memory>
#include <unordered_map>

#include "hostsim/Encoding.h"
#include "hostsim/SafeFile.h"

namespace hostsim::render {
namespace {

//-----------------------------------------------------------------------------
// [SECTION] Fonts, glyphs and PNG input
//-----------------------------------------------------------------------------

// One FreeType library and one face per file, size and index, kept for the run.
FT_Library Library() {
  static FT_Library library = [] {
    FT_Library lib = nullptr;
    return FT_Init_FreeType(&lib) == 0 ? lib : nullptr;
  }();
  return library;
}

FT_Face Face(const TextFace& wanted) {
  static std::map<std::string, FT_Face> faces;
  const std::string key = wanted.file + "#" + std::to_string(wanted.faceIndex) + "@" + std::to_string(wanted.pixels);
  if (auto it = faces.find(key); it != faces.end()) return it->second;
  FT_Face face = nullptr;
  if (Library() == nullptr || FT_New_Face(Library(), wanted.file.c_str(), wanted.faceIndex, &face) != 0) return nullptr;
  if (FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(std::max(1, wanted.pixels))) != 0) {
    FT_Done_Face(face);
    return nullptr;
  }
  faces[key] = face;
  return face;
}

// A character of a face as FreeType draws it: its coverage bitmap, where
// that sits from the pen, and how far the pen then moves. `drawn` is false
// when FreeType cannot load the character (it is then skipped).
struct Glyph {
  bool drawn = false;
  int32_t left = 0, top = 0, advance = 0;
  uint32_t width = 0, rows = 0;
  std::vector<uint8_t> coverage;  // rows * width
};

// Loading and rasterising a glyph is most of a picture's cost, and pictures
// repeat the same few characters: each is made once per face. `render`
// false gives the advance alone, as measuring loads it. Kept for the run, cut
// back when texts of many different characters have filled it.
const Glyph& CachedGlyph(FT_Face face, char32_t code, bool render) {
  struct Key {
    FT_Face face;
    char32_t code;
    bool render;
    bool operator==(const Key&) const = default;
  };
  struct KeyHash {
    std::size_t operator()(const Key& k) const {
      return std::hash<const void*>{}(k.face) ^ (std::size_t{k.code} << 1) ^ std::size_t{k.render};
    }
  };
  constexpr std::size_t kMaxGlyphs = 1 << 16;
  static std::unordered_map<Key, Glyph, KeyHash> glyphs;
  const Key key{face, code, render};
  if (auto it = glyphs.find(key); it != glyphs.end()) return it->second;
  if (glyphs.size() >= kMaxGlyphs) glyphs.clear();
  Glyph glyph;
  if (FT_Load_Char(face, code, render ? FT_LOAD_RENDER : FT_LOAD_DEFAULT) == 0) {
    const FT_GlyphSlot g = face->glyph;
    glyph.drawn = true;
    glyph.advance = static_cast<int32_t>(g->advance.x >> 6);
    if (render) {
      const FT_Bitmap& bitmap = g->bitmap;
      glyph.left = g->bitmap_left;
      glyph.top = g->bitmap_top;
      glyph.width = bitmap.width;
      glyph.rows = bitmap.rows;
      glyph.coverage.resize(static_cast<std::size_t>(bitmap.width) * bitmap.rows);
      const auto pitch = static_cast<unsigned>(std::abs(bitmap.pitch));
      for (unsigned row = 0; row < bitmap.rows; ++row)
        std::copy_n(bitmap.buffer + static_cast<std::size_t>(row) * pitch, bitmap.width,
                    glyph.coverage.data() + static_cast<std::size_t>(row) * bitmap.width);
    }
  }
  return glyphs.emplace(key, std::move(glyph)).first->second;
}

struct PngReadState {
  std::string_view bytes;
  std::size_t at = 0;
};

void ReadFromMemory(png_structp png, png_bytep out, png_size_t count) {
  auto* state = static_cast<PngReadState*>(png_get_io_ptr(png));
  if (state->at + count > state->bytes.size()) png_error(png, "truncated");
  std::memcpy(out, state->bytes.data() + state->at, count);
  state->at += count;
}

}  // namespace

//-----------------------------------------------------------------------------
// [SECTION] Shapes
//-----------------------------------------------------------------------------

Rgba FromChannels(const ADMRGBColor& c) {
  return {static_cast<uint8_t>(c.red >> 8), static_cast<uint8_t>(c.green >> 8), static_cast<uint8_t>(c.blue >> 8), 255};
}

Canvas::Canvas(int32_t width, int32_t height, Rgba background)
    : width_(std::max(0, width)),
      height_(std::max(0, height)),
      pixels_(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), background),
      clip_{0, 0, width_, height_} {}

Rgba Canvas::At(int32_t x, int32_t y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return {};
  return pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x)];
}

void Canvas::SetFrame(ADMPoint origin, const ADMRect& clip) {
  origin_ = origin;
  clip_ = {std::max(0, clip.left), std::max(0, clip.top), std::min(width_, clip.right), std::min(height_, clip.bottom)};
}

void Canvas::ResetFrame() {
  origin_ = {0, 0};
  clip_ = {0, 0, width_, height_};
}

void Canvas::Blend(int32_t x, int32_t y, Rgba c, uint8_t coverage) {
  x += origin_.h;
  y += origin_.v;
  if (x < clip_.left || y < clip_.top || x >= clip_.right || y >= clip_.bottom) return;
  Rgba& p = pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x)];
  const int alpha = c.a * coverage / 255;
  const auto mix = [alpha](uint8_t under, uint8_t over) {
    return static_cast<uint8_t>((over * alpha + under * (255 - alpha) + 127) / 255);
  };
  p = {mix(p.r, c.r), mix(p.g, c.g), mix(p.b, c.b), 255};
}

void Canvas::FillRect(const ADMRect& r, Rgba c) {
  for (int32_t y = std::max(r.top, clip_.top - origin_.v); y < std::min(r.bottom, clip_.bottom - origin_.v); ++y)
    for (int32_t x = std::max(r.left, clip_.left - origin_.h); x < std::min(r.right, clip_.right - origin_.h); ++x)
      Blend(x, y, c);
}

void Canvas::FrameRect(const ADMRect& r, Rgba c) {
  if (r.right <= r.left || r.bottom <= r.top) return;
  Line({r.left, r.top}, {r.right - 1, r.top}, c);
  Line({r.left, r.bottom - 1}, {r.right - 1, r.bottom - 1}, c);
  Line({r.left, r.top}, {r.left, r.bottom - 1}, c);
  Line({r.right - 1, r.top}, {r.right - 1, r.bottom - 1}, c);
}

void Canvas::Line(ADMPoint a, ADMPoint b, Rgba c) {
  // Bresenham, both ends drawn; long lines are cut to the canvas first.
  int64_t x = a.h, y = a.v;
  const int64_t dx = std::llabs(int64_t{b.h} - a.h), dy = -std::llabs(int64_t{b.v} - a.v);
  const int64_t sx = a.h < b.h ? 1 : -1, sy = a.v < b.v ? 1 : -1;
  if (std::max(dx, -dy) > 4 * (int64_t{width_} + height_) + 4096) return;
  int64_t err = dx + dy;
  for (;;) {
    Blend(static_cast<int32_t>(x), static_cast<int32_t>(y), c);
    if (x == b.h && y == b.v) break;
    const int64_t e2 = 2 * err;
    if (e2 >= dy) { err += dy; x += sx; }
    if (e2 <= dx) { err += dx; y += sy; }
  }
}

// An oval's centre and radii, in double so that no sum of far edges overflows.
struct OvalShape {
  double cx, cy, rx, ry;
  explicit OvalShape(const ADMRect& r)
      : cx((static_cast<double>(r.left) + r.right) / 2), cy((static_cast<double>(r.top) + r.bottom) / 2),
        rx((static_cast<double>(r.right) - r.left) / 2), ry((static_cast<double>(r.bottom) - r.top) / 2) {}
};

ADMRect Canvas::Clipped(const ADMRect& r) const {
  return {std::max(r.left, clip_.left - origin_.h), std::max(r.top, clip_.top - origin_.v),
          std::min(r.right, clip_.right - origin_.h), std::min(r.bottom, clip_.bottom - origin_.v)};
}

void Canvas::FillOval(const ADMRect& r, Rgba c) {
  const auto [cx, cy, rx, ry] = OvalShape(r);
  if (rx <= 0 || ry <= 0) return;
  const ADMRect cut = Clipped(r);
  for (int32_t y = cut.top; y < cut.bottom; ++y)
    for (int32_t x = cut.left; x < cut.right; ++x) {
      const double u = (x + 0.5 - cx) / rx, v = (y + 0.5 - cy) / ry;
      if (u * u + v * v <= 1.0) Blend(x, y, c);
    }
}

void Canvas::FrameOval(const ADMRect& r, Rgba c) {
  const auto [cx, cy, rx, ry] = OvalShape(r);
  if (rx <= 0 || ry <= 0) return;
  const ADMRect cut = Clipped(r);
  for (int32_t y = cut.top; y < cut.bottom; ++y)
    for (int32_t x = cut.left; x < cut.right; ++x) {
      const double u = (x + 0.5 - cx) / rx, v = (y + 0.5 - cy) / ry;
      const double d = std::sqrt(u * u + v * v);
      // About one pixel wide along the edge.
      if (d <= 1.0 && d >= 1.0 - 1.0 / std::min(rx, ry)) Blend(x, y, c);
    }
}

void Canvas::FillPolygon(const std::vector<ADMPoint>& points, Rgba c) {
  if (points.size() < 3) return;
  int32_t top = points[0].v, bottom = points[0].v;
  for (const ADMPoint& p : points) {
    top = std::min(top, p.v);
    bottom = std::max(bottom, p.v);
  }
  top = std::max(top, clip_.top - origin_.v);
  bottom = std::min(bottom, clip_.bottom - origin_.v);
  // Spans are cut to the clip before they are walked: a far point costs no time.
  const double left = clip_.left - origin_.h, right = clip_.right - origin_.h;
  std::vector<double> crossings;
  for (int32_t y = top; y <= bottom; ++y) {
    const double sy = y + 0.5;
    crossings.clear();
    for (std::size_t i = 0; i < points.size(); ++i) {
      const ADMPoint& p = points[i];
      const ADMPoint& q = points[(i + 1) % points.size()];
      if ((p.v <= sy) == (q.v <= sy)) continue;
      crossings.push_back(p.h + (sy - p.v) * (q.h - p.h) / static_cast<double>(q.v - p.v));
    }
    std::sort(crossings.begin(), crossings.end());
    for (std::size_t i = 0; i + 1 < crossings.size(); i += 2) {
      const double from = std::max(std::ceil(crossings[i] - 0.5), left);
      const double to = std::min(std::ceil(crossings[i + 1] - 0.5), right);
      if (!(from < to)) continue;
      for (int32_t x = static_cast<int32_t>(from); x < static_cast<int32_t>(to); ++x) Blend(x, y, c);
    }
  }
}

void Canvas::FramePolygon(const std::vector<ADMPoint>& points, Rgba c) {
  for (std::size_t i = 0; i < points.size(); ++i) Line(points[i], points[(i + 1) % points.size()], c);
}

//-----------------------------------------------------------------------------
// [SECTION] Pictures and text
//-----------------------------------------------------------------------------

bool Canvas::DrawPng(std::string_view bytes, ADMPoint at) {
  if (bytes.size() < 8 || png_sig_cmp(reinterpret_cast<png_const_bytep>(bytes.data()), 0, 8) != 0) return false;
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (png == nullptr) return false;
  png_infop info = png_create_info_struct(png);
  std::vector<png_byte> image;
  std::vector<png_bytep> rows;
  PngReadState state{bytes};
  if (info == nullptr || setjmp(png_jmpbuf(png))) {
    png_destroy_read_struct(&png, info != nullptr ? &info : nullptr, nullptr);
    return false;
  }
  png_set_read_fn(png, &state, ReadFromMemory);
  png_read_info(png, info);
  png_set_expand(png);
  png_set_strip_16(png);
  png_set_gray_to_rgb(png);
  png_set_add_alpha(png, 0xFF, PNG_FILLER_AFTER);
  png_read_update_info(png, info);
  const png_uint_32 w = png_get_image_width(png, info), h = png_get_image_height(png, info);
  if (w == 0 || h == 0 || w > 4096 || h > 4096) png_error(png, "size");
  image.resize(static_cast<std::size_t>(w) * h * 4);
  rows.resize(h);
  for (png_uint_32 y = 0; y < h; ++y) rows[y] = image.data() + static_cast<std::size_t>(y) * w * 4;
  png_read_image(png, rows.data());
  png_destroy_read_struct(&png, &info, nullptr);
  for (png_uint_32 y = 0; y < h; ++y)
    for (png_uint_32 x = 0; x < w; ++x) {
      const png_byte* p = rows[y] + static_cast<std::size_t>(x) * 4;
      Blend(at.h + static_cast<int32_t>(x), at.v + static_cast<int32_t>(y), {p[0], p[1], p[2], 255}, p[3]);
    }
  return true;
}

bool Canvas::DrawText(std::string_view utf8, ADMPoint baseline, const TextFace& wanted, Rgba c) {
  FT_Face face = Face(wanted);
  if (face == nullptr) return false;
  int32_t pen = baseline.h;
  for (char32_t code : Utf8CodePoints(utf8)) {
    const Glyph& g = CachedGlyph(face, code, true);
    if (!g.drawn) continue;
    for (uint32_t row = 0; row < g.rows; ++row)
      for (uint32_t col = 0; col < g.width; ++col) {
        const uint8_t coverage = g.coverage[static_cast<std::size_t>(row) * g.width + col];
        if (coverage != 0)
          Blend(pen + g.left + static_cast<int32_t>(col), baseline.v - g.top + static_cast<int32_t>(row), c, coverage);
      }
    pen += g.advance;
  }
  return true;
}

int32_t Canvas::TextWidth(std::string_view utf8, const TextFace& wanted) {
  FT_Face face = Face(wanted);
  if (face == nullptr) return 0;
  int32_t width = 0;
  for (char32_t code : Utf8CodePoints(utf8)) {
    const Glyph& g = CachedGlyph(face, code, false);
    if (g.drawn) width += g.advance;
  }
  return width;
}

void Canvas::FaceMetrics(const TextFace& wanted, int32_t* ascent, int32_t* descent) {
  FT_Face face = Face(wanted);
  *ascent = face != nullptr ? static_cast<int32_t>(face->size->metrics.ascender >> 6) : wanted.pixels;
  *descent = face != nullptr ? static_cast<int32_t>(-(face->size->metrics.descender >> 6)) : 0;
}

//-----------------------------------------------------------------------------
// [SECTION] Scaling and PNG output
//-----------------------------------------------------------------------------

Canvas Canvas::Scaled(int32_t factor) const {
  factor = std::clamp(factor, 1, 8);
  if (factor == 1) return *this;
  Canvas out(width_ * factor, height_ * factor, {});
  const auto outWidth = static_cast<std::size_t>(out.width_);
  // Each source row is widened once, then copied down for the other rows of its square.
  for (int32_t y = 0; y < height_; ++y) {
    const Rgba* from = pixels_.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width_);
    Rgba* first = out.pixels_.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(factor) * outWidth;
    Rgba* to = first;
    for (int32_t x = 0; x < width_; ++x, to += factor) std::fill(to, to + factor, from[x]);
    for (int32_t k = 1; k < factor; ++k) std::copy(first, first + outWidth, first + static_cast<std::size_t>(k) * outWidth);
  }
  return out;
}

namespace {

// libpng hands the encoded bytes here. A failure to keep them is raised as
// libpng's own error, once the try block is left: its longjmp must not cross
// a live C++ object.
void AppendPngBytes(png_structp png, png_bytep data, png_size_t length) {
  auto* bytes = static_cast<std::string*>(png_get_io_ptr(png));
  bool kept = true;
  try {
    bytes->append(reinterpret_cast<const char*>(data), length);
  } catch (...) {
    kept = false;
  }
  if (!kept) png_error(png, "out of memory");
}

void FlushNothing(png_structp) {}

// Encodes the picture into *bytes. libpng's errors longjmp back to the setjmp
// here: this frame and every one the jump skips hold only plain values, so
// nothing is left undestroyed; the caller frees what libpng made.
bool EncodeRgbRows(png_structp png, png_infop info, const Rgba* pixels, int32_t width, int32_t height,
                   png_byte* row, bool fastest, std::string* bytes) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_set_write_fn(png, bytes, AppendPngBytes, FlushNothing);
  if (fastest) {
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
    png_set_compression_level(png, 1);
  }
  png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8, PNG_COLOR_TYPE_RGB,
               PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  for (int32_t y = 0; y < height; ++y) {
    const Rgba* from = pixels + static_cast<std::size_t>(y) * static_cast<std::size_t>(width);
    png_byte* to = row;
    for (int32_t x = 0; x < width; ++x, to += 3) {
      to[0] = from[x].r;
      to[1] = from[x].g;
      to[2] = from[x].b;
    }
    png_write_row(png, row);
  }
  png_write_end(png, nullptr);
  return true;
}

}  // namespace

bool Canvas::EncodePng(std::string* bytes, PngCompression compression) const {
  bytes->clear();
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (png == nullptr) return false;
  png_infop info = png_create_info_struct(png);
  std::vector<png_byte> row(static_cast<std::size_t>(std::max(width_, 0)) * 3 + 1);
  const bool encoded = info != nullptr && EncodeRgbRows(png, info, pixels_.data(), width_, height_, row.data(),
                                                        compression == PngCompression::kFastest, bytes);
  png_destroy_write_struct(&png, info != nullptr ? &info : nullptr);
  if (!encoded) bytes->clear();
  return encoded;
}

std::optional<std::string> Canvas::WritePng(const std::filesystem::path& file, PngCompression compression) const {
  std::string bytes;
  if (!EncodePng(&bytes, compression)) return "the picture cannot be encoded as PNG";
  return SaveFile(file, bytes);
}

}  // namespace hostsim::render
