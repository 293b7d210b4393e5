#include "hostsim/document/TextEngine.h"

#include <map>
#include <memory>
#include <mutex>

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_ADVANCES_H
#include <hb.h>

#include "hostsim/FontList.h"
#include "hostsim/Encoding.h"

namespace hostsim {
namespace {

struct HbFontDeleter { void operator()(hb_font_t* f) const { hb_font_destroy(f); } };
struct FtFaceDeleter { void operator()(FT_FaceRec_* f) const { FT_Done_Face(f); } };

// One font file's face, measured in font units.
struct LoadedFace {
  std::unique_ptr<hb_font_t, HbFontDeleter> hb;  // set when HarfBuzz reads the file
  std::unique_ptr<FT_FaceRec_, FtFaceDeleter> ft; // fallback for other formats
  double upem = 1000;
  double ascender = 800;
  double descender = -200;
};

FT_Library FreeTypeLibrary() {
  static FT_Library library = [] {
    FT_Library lib = nullptr;
    if (FT_Init_FreeType(&lib) != 0) lib = nullptr;
    return lib;
  }();
  return library;
}

std::unique_ptr<LoadedFace> LoadFace(const std::string& file, int index) {
  auto face = std::make_unique<LoadedFace>();
  hb_blob_t* blob = hb_blob_create_from_file_or_fail(file.c_str());
  if (blob) {
    hb_face_t* hbFace = hb_face_create(blob, static_cast<unsigned>(index));
    hb_blob_destroy(blob);
    if (hb_face_get_glyph_count(hbFace) > 0) {
      const unsigned upem = hb_face_get_upem(hbFace);
      face->hb.reset(hb_font_create(hbFace));
      hb_face_destroy(hbFace);
      hb_font_set_scale(face->hb.get(), static_cast<int>(upem), static_cast<int>(upem));
      face->upem = upem;
      hb_font_extents_t extents{};
      if (hb_font_get_h_extents(face->hb.get(), &extents)) {
        face->ascender = extents.ascender;
        face->descender = extents.descender;
      }
      return face;
    }
    hb_face_destroy(hbFace);
  }
  FT_Library lib = FreeTypeLibrary();
  FT_Face ft = nullptr;
  if (!lib || FT_New_Face(lib, file.c_str(), index, &ft) != 0) return nullptr;
  face->ft.reset(ft);
  if (ft->units_per_EM > 0) {
    face->upem = ft->units_per_EM;
    face->ascender = ft->ascender;
    face->descender = ft->descender;
  }
  return face;
}

// Faces stay loaded for the life of the process: fonts do not change under us.
const LoadedFace* CachedFace(const ToolkitFont& font) {
  static std::mutex mutex;
  static std::map<std::pair<std::string, int>, std::unique_ptr<LoadedFace>> cache;
  std::lock_guard lock(mutex);
  auto key = std::make_pair(font.file, font.faceIndex);
  auto it = cache.find(key);
  if (it == cache.end()) it = cache.emplace(key, LoadFace(font.file, font.faceIndex)).first;
  return it->second.get();
}

double AdvanceInFontUnits(const LoadedFace& face, std::string_view utf8) {
  const std::vector<char32_t> cps = Utf8CodePoints(utf8);
  if (face.hb) {
    hb_buffer_t* buffer = hb_buffer_create();
    const std::vector<hb_codepoint_t> codepoints(cps.begin(), cps.end());
    const int n = static_cast<int>(codepoints.size());
    hb_buffer_add_codepoints(buffer, codepoints.data(), n, 0, n);
    hb_buffer_guess_segment_properties(buffer);
    hb_shape(face.hb.get(), buffer, nullptr, 0);
    unsigned count = 0;
    const hb_glyph_position_t* pos = hb_buffer_get_glyph_positions(buffer, &count);
    double total = 0;
    for (unsigned i = 0; i < count; ++i) total += pos[i].x_advance;
    hb_buffer_destroy(buffer);
    return total;
  }
  double total = 0;
  for (char32_t cp : cps) {
    FT_Fixed advance = 0;
    const FT_UInt glyph = FT_Get_Char_Index(face.ft.get(), cp);
    if (FT_Get_Advance(face.ft.get(), glyph, FT_LOAD_NO_SCALE, &advance) == 0) total += static_cast<double>(advance);
  }
  return total;
}

}  // namespace

namespace {
constexpr std::size_t kCachedAdvances = 1 << 16;
}  // namespace

TextMetrics TextEngine::Measure(std::size_t font, std::string_view utf8, double size) const {
  const LoadedFace* face = font < fonts_.size() ? CachedFace(fonts_.at(font)) : nullptr;
  TextMetrics m;
  if (!face) {
    m.width = 0.6 * size * static_cast<double>(Utf8CodePoints(utf8).size());
    m.ascender = 0.8 * size;
    m.descender = -0.2 * size;
    return m;
  }
  const double scale = size / face->upem;
  std::string key = std::to_string(font);
  key += ':';
  key.append(utf8);
  auto cached = advances_.find(key);
  if (cached == advances_.end()) {
    // A document's texts are few next to what a long session could add: the
    // cache starts again rather than grow without end.
    if (advances_.size() >= kCachedAdvances) advances_.clear();
    cached = advances_.emplace(std::move(key), AdvanceInFontUnits(*face, utf8)).first;
  }
  m.width = cached->second * scale;
  m.ascender = face->ascender * scale;
  m.descender = face->descender * scale;
  return m;
}

}  // namespace hostsim
