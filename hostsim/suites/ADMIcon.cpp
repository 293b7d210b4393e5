// ADM Icon Suite: icons made from the plug-in's picture resources.
#include <cstdint>
#include <cstring>
#include <string_view>

#include "host/PluginExports.h"
#include "hostsim/suites/ToolkitSuites.h"
#include "hostsim/suites/ToolkitSupport.h"

namespace hostsim::suites {
namespace {

template <class Body>
ASErr IconOp(const char* op, Body&& body) {
  return Guarded(kADMIconSuite, op, std::forward<Body>(body));
}

// Width and height from a PNG's header, or nothing when the bytes are not a PNG.
bool PngSize(std::string_view png, int32_t* width, int32_t* height) {
  static const unsigned char kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  if (png.size() < 24 || std::memcmp(png.data(), kSignature, 8) != 0 || png.substr(12, 4) != "IHDR") return false;
  auto be32 = [&](std::size_t at) {
    uint32_t v = 0;
    for (std::size_t k = 0; k < 4; ++k) v = (v << 8) | static_cast<unsigned char>(png[at + k]);
    return v;
  };
  const uint32_t w = be32(16);
  const uint32_t h = be32(20);
  if (w == 0 || h == 0 || w > 0x7FFFFFFF || h > 0x7FFFFFFF) return false;
  *width = static_cast<int32_t>(w);
  *height = static_cast<int32_t>(h);
  return true;
}

ASErr GetFromResource(SPPluginRef self, int32_t iconID, int32_t iconIndex, ADMIconRef* icon) {
  return IconOp("GetFromResource", [&](Host& h) -> ASErr {
    if (icon == nullptr) return kBadParameterErr;
    *icon = nullptr;
    // A group's member k is the picture group + k.
    const int64_t picture = int64_t{iconID} + iconIndex;
    if (!h.IsPluginRef(self) || iconIndex < 0 || picture > INT32_MAX) return kBadParameterErr;
    Icon made;
    made.resourceId = static_cast<int32_t>(picture);
    if (auto png = h.PluginResource(kPictureResource, made.resourceId);
        png && !h.icons().Unreadable(iconID) && PngSize(*png, &made.width, &made.height)) {
      made.type = kADMPNGIconType;
    }
    *icon = h.icons().Add(made);
    return kNoErr;
  });
}

ASErr GetType(ADMIconRef icon, int32_t* type) {
  return IconOp("GetType", [&](Host& h) -> ASErr {
    const Icon* i = h.icons().Find(icon);
    if (i == nullptr || type == nullptr) return kBadParameterErr;
    *type = i->type;
    return kNoErr;
  });
}

ASErr GetSize(ADMIconRef icon, int32_t* width, int32_t* height) {
  return IconOp("GetSize", [&](Host& h) -> ASErr {
    const Icon* i = h.icons().Find(icon);
    if (i == nullptr || width == nullptr || height == nullptr) return kBadParameterErr;
    *width = i->width;
    *height = i->height;
    return kNoErr;
  });
}

ASErr Destroy(ADMIconRef icon) {
  return IconOp("Destroy", [&](Host& h) { return Code(h.icons().Remove(icon)); });
}

const ADMIconSuite kSuite = {GetFromResource, GetType, GetSize, Destroy};

}  // namespace

const ADMIconSuite& AdmIconSuite() { return kSuite; }

}  // namespace hostsim::suites
