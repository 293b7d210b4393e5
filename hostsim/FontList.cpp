#include "hostsim/FontList.h"

#include <fontconfig/fontconfig.h>

#include <algorithm>

namespace hostsim {
namespace {

std::string StringOf(FcPattern* pattern, const char* object) {
  FcChar8* value = nullptr;
  if (FcPatternGetString(pattern, object, 0, &value) != FcResultMatch || value == nullptr) return {};
  return reinterpret_cast<const char*>(value);
}

}  // namespace

FontList FontList::FromFontconfig() {
  std::vector<ToolkitFont> faces;
  FcConfig* config = FcInitLoadConfigAndFonts();
  if (config == nullptr) return FontList(std::move(faces));
  FcPattern* pattern = FcPatternCreate();
  FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
  FcObjectSet* objects = FcObjectSetBuild(FC_FULLNAME, FC_FAMILY, FC_STYLE, FC_FILE, FC_INDEX, nullptr);
  FcFontSet* set = FcFontList(config, pattern, objects);
  if (set != nullptr) {
    for (int i = 0; i < set->nfont; ++i) {
      FcPattern* font = set->fonts[i];
      ToolkitFont face;
      face.family = StringOf(font, FC_FAMILY);
      face.fullName = StringOf(font, FC_FULLNAME);
      if (face.fullName.empty()) {
        const std::string style = StringOf(font, FC_STYLE);
        face.fullName = style.empty() ? face.family : face.family + " " + style;
      }
      face.file = StringOf(font, FC_FILE);
      int index = 0;
      if (FcPatternGetInteger(font, FC_INDEX, 0, &index) == FcResultMatch) face.faceIndex = index;
      if (face.fullName.empty() || face.file.empty()) continue;
      faces.push_back(std::move(face));
    }
    FcFontSetDestroy(set);
  }
  FcObjectSetDestroy(objects);
  FcPatternDestroy(pattern);
  FcConfigDestroy(config);

  // Sorted by name, then file, so the same name always keeps the same face.
  std::sort(faces.begin(), faces.end(), [](const ToolkitFont& a, const ToolkitFont& b) {
    if (a.fullName != b.fullName) return a.fullName < b.fullName;
    if (a.file != b.file) return a.file < b.file;
    return a.faceIndex < b.faceIndex;
  });
  faces.erase(std::unique(faces.begin(), faces.end(),
                          [](const ToolkitFont& a, const ToolkitFont& b) { return a.fullName == b.fullName; }),
              faces.end());
  return FontList(std::move(faces));
}

std::optional<std::size_t> FontList::FindByFullName(const std::string& fullName) const {
  auto it = std::lower_bound(faces_.begin(), faces_.end(), fullName,
                             [](const ToolkitFont& f, const std::string& name) { return f.fullName < name; });
  if (it == faces_.end() || it->fullName != fullName) {
    // Lists built by hand need not be sorted.
    it = std::find_if(faces_.begin(), faces_.end(), [&](const ToolkitFont& f) { return f.fullName == fullName; });
    if (it == faces_.end()) return std::nullopt;
  }
  return static_cast<std::size_t>(it - faces_.begin());
}

}  // namespace hostsim
