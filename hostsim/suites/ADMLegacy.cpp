// The dialog toolkit's basic, icon and dialog suites as the host first had
// them: alerts, cursors, string lists, number formatting, icons from the
// plug-in's resources, and dialogs that a front end shows and closes.
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

#include "host/ADMSuites.h"
#include "host/PluginExports.h"
#include "hostsim/Encoding.h"
#include "hostsim/SuiteRegistry.h"
#include "hostsim/suites/Guard.h"
#include "hostsim/suites/PlatformText.h"
#include "hostsim/suites/Registration.h"

namespace hostsim::suites {
namespace {

// ---------------------------------------------------------------------------
// [SECTION] ADM Basic

ASErr AdmMessageAlert(const char* text) {
  return Guarded(kADMBasicSuite, "MessageAlert", [&](Host& h) -> ASErr {
    if (text == nullptr) return kBadParameterErr;
    AlertRequest alert;
    alert.text = Utf8(text);
    h.ShowAlert(alert);
    return kNoErr;
  });
}

ASErr AdmSetPlatformCursor(SPPluginRef self, int32_t cursorID) {
  return Guarded(kADMBasicSuite, "SetPlatformCursor", [&](Host& h) -> ASErr {
    if (!h.IsPluginRef(self) || !h.PluginResource(kCursorResource, cursorID)) return kBadParameterErr;
    h.SetCursor(cursorID);
    return kNoErr;
  });
}

ASErr AdmGetIndexString(SPPluginRef self, int32_t stringID, int32_t index, char* buffer, int32_t size) {
  return Guarded(kADMBasicSuite, "GetIndexString", [&](Host& h) -> ASErr {
    if (!h.IsPluginRef(self) || buffer == nullptr || size < 1) return kBadParameterErr;
    buffer[0] = '\0';
    auto list = h.PluginResource(kStringListResource, stringID);
    if (!list) return kNameNotFoundErr;
    if (index < 1) return kBadParameterErr;
    std::string_view rest = *list;
    for (int32_t i = 1;; ++i) {
      if (rest.empty()) return kBadParameterErr;
      const std::size_t end = rest.find('\n');
      std::string_view line = rest.substr(0, end);
      if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
      if (i == index) {
        CopyTruncated(Utf8ToCp1252(line), buffer, size);
        return kNoErr;
      }
      if (end == std::string_view::npos) return kBadParameterErr;
      rest.remove_prefix(end + 1);
    }
  });
}

ASErr AdmValueToText(AIReal value, char* text, int32_t size, int32_t precision) {
  return Guarded(kADMBasicSuite, "ValueToText", [&](Host&) -> ASErr {
    if (text == nullptr || size < 1) return kBadParameterErr;
    text[0] = '\0';
    if (!std::isfinite(value) || precision < 0 || precision > 20) return kBadParameterErr;
    char formatted[128];
    std::snprintf(formatted, sizeof formatted, "%.*f", static_cast<int>(precision), static_cast<double>(value));
    CopyTruncated(formatted, text, size);
    return kNoErr;
  });
}

const ADMBasicSuite kAdmBasicSuite = {AdmMessageAlert, AdmSetPlatformCursor, AdmGetIndexString, AdmValueToText};

// ---------------------------------------------------------------------------
// [SECTION] ADM Icon

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

ASErr IconGetFromResource(SPPluginRef self, int32_t iconID, int32_t, ADMIconRef* icon) {
  return Guarded(kADMIconSuite, "GetFromResource", [&](Host& h) -> ASErr {
    if (icon == nullptr) return kBadParameterErr;
    *icon = nullptr;
    if (!h.IsPluginRef(self)) return kBadParameterErr;
    Icon made;
    made.resourceId = iconID;
    if (auto png = h.PluginResource(kPictureResource, iconID); png && PngSize(*png, &made.width, &made.height)) {
      made.type = kADMPNGIconType;
    }
    *icon = h.icons().Add(made);
    return kNoErr;
  });
}

ASErr IconGetType(ADMIconRef icon, int32_t* type) {
  return Guarded(kADMIconSuite, "GetType", [&](Host& h) -> ASErr {
    const Icon* i = h.icons().Find(icon);
    if (i == nullptr || type == nullptr) return kBadParameterErr;
    *type = i->type;
    return kNoErr;
  });
}

ASErr IconGetSize(ADMIconRef icon, int32_t* width, int32_t* height) {
  return Guarded(kADMIconSuite, "GetSize", [&](Host& h) -> ASErr {
    const Icon* i = h.icons().Find(icon);
    if (i == nullptr || width == nullptr || height == nullptr) return kBadParameterErr;
    *width = i->width;
    *height = i->height;
    return kNoErr;
  });
}

ASErr IconDestroy(ADMIconRef icon) {
  return Guarded(kADMIconSuite, "Destroy",
                 [&](Host& h) { return h.icons().Remove(icon) ? kNoErr : kBadParameterErr; });
}

const ADMIconSuite kAdmIconSuite = {IconGetFromResource, IconGetType, IconGetSize, IconDestroy};

// ---------------------------------------------------------------------------
// [SECTION] ADM Dialog

enum { kCancelItemID = 2 };

ASErr DialogCreate(SPPluginRef self, const char* name, int32_t dialogID, int32_t style, ADMDialogInitProc initProc,
                   ADMUserData userData, int32_t options, ADMDialogRef* dialog) {
  return Guarded(kADMDialogSuite, "Create", [&](Host& h) -> ASErr {
    if (dialog == nullptr) return kBadParameterErr;
    *dialog = nullptr;
    if (!h.IsPluginRef(self)) return kBadParameterErr;
    if (!h.PluginResource(kDialogResource, dialogID)) return kNameNotFoundErr;
    Dialog d;
    d.name = Utf8(name);
    d.resourceId = dialogID;
    d.style = style;
    d.options = options;
    d.userData = userData;
    const ADMDialogRef ref = h.dialogs().Add(std::move(d));
    ASErr err = initProc != nullptr ? initProc(ref) : kNoErr;
    if (err != kNoErr) {
      h.dialogs().Remove(ref);
      return err;
    }
    // The init procedure may have destroyed it.
    if (h.dialogs().Find(ref) == nullptr) return kCantHappenErr;
    *dialog = ref;
    return kNoErr;
  });
}

ASErr DialogModal(SPPluginRef self, const char* name, int32_t dialogID, int32_t style, ADMDialogInitProc initProc,
                  ADMUserData userData, int32_t options, int32_t* itemHit) {
  return Guarded(kADMDialogSuite, "Modal", [&](Host& h) -> ASErr {
    if (itemHit != nullptr) *itemHit = 0;
    if (!h.IsPluginRef(self)) return kBadParameterErr;
    if (!h.PluginResource(kDialogResource, dialogID)) return kNameNotFoundErr;
    Dialog d;
    d.name = Utf8(name);
    d.resourceId = dialogID;
    d.style = style;
    d.options = options;
    d.userData = userData;
    d.modal = true;
    d.visible = true;
    const ADMDialogRef ref = h.dialogs().Add(std::move(d));
    ASErr err = initProc != nullptr ? initProc(ref) : kNoErr;
    if (err == kNoErr && h.dialogs().Find(ref) != nullptr) {
      h.RunModal(ref);
      if (Dialog* open = h.dialogs().Find(ref); open != nullptr && !open->ended) {
        // No one to answer it: the dialog is cancelled.
        open->ended = true;
        open->modalResult = kCancelItemID;
      }
    }
    int32_t result = kCancelItemID;
    if (const Dialog* closed = h.dialogs().Find(ref)) result = closed->modalResult;
    h.dialogs().Remove(ref);
    if (itemHit != nullptr) *itemHit = result;
    return err;
  });
}

ASErr DialogDestroy(ADMDialogRef dialog) {
  return Guarded(kADMDialogSuite, "Destroy",
                 [&](Host& h) { return h.dialogs().Remove(dialog) ? kNoErr : kBadParameterErr; });
}

ASErr DialogIsVisible(ADMDialogRef dialog, ASBoolean* visible) {
  return Guarded(kADMDialogSuite, "IsVisible", [&](Host& h) -> ASErr {
    const Dialog* d = h.dialogs().Find(dialog);
    if (d == nullptr || visible == nullptr) return kBadParameterErr;
    *visible = d->visible ? 1 : 0;
    return kNoErr;
  });
}

ASErr DialogShow(ADMDialogRef dialog, ASBoolean show) {
  return Guarded(kADMDialogSuite, "Show", [&](Host& h) -> ASErr {
    Dialog* d = h.dialogs().Find(dialog);
    if (d == nullptr) return kBadParameterErr;
    d->visible = show != 0;
    return kNoErr;
  });
}

ASErr DialogEndModal(ADMDialogRef dialog, int32_t modalResultID, ASBoolean) {
  return Guarded(kADMDialogSuite, "EndModal", [&](Host& h) -> ASErr {
    Dialog* d = h.dialogs().Find(dialog);
    if (d == nullptr || !d->modal) return kBadParameterErr;
    d->ended = true;
    d->modalResult = modalResultID;
    return kNoErr;
  });
}

ASErr DialogGetUserData(ADMDialogRef dialog, ADMUserData* data) {
  return Guarded(kADMDialogSuite, "GetUserData", [&](Host& h) -> ASErr {
    const Dialog* d = h.dialogs().Find(dialog);
    if (d == nullptr || data == nullptr) return kBadParameterErr;
    *data = d->userData;
    return kNoErr;
  });
}

ASErr DialogSetText(ADMDialogRef dialog, const char* text) {
  return Guarded(kADMDialogSuite, "SetText", [&](Host& h) -> ASErr {
    Dialog* d = h.dialogs().Find(dialog);
    if (d == nullptr || text == nullptr) return kBadParameterErr;
    d->title = Utf8(text);
    return kNoErr;
  });
}

const ADMDialogSuite kAdmDialogSuite = {DialogCreate, DialogModal,     DialogDestroy,     DialogIsVisible,
                                        DialogShow,   DialogEndModal, DialogGetUserData, DialogSetText};

}  // namespace

void RegisterAdmLegacySuites(SuiteRegistry& registry) {
  registry.Add(kADMBasicSuite, kADMBasicSuiteVersion, &kAdmBasicSuite);
  registry.Add(kADMDialogSuite, kADMDialogSuiteVersion, &kAdmDialogSuite);
  registry.Add(kADMIconSuite, kADMIconSuiteVersion1, &kAdmIconSuite);
  registry.Add(kADMIconSuite, kADMIconSuiteVersion2, &kAdmIconSuite);
}

}  // namespace hostsim::suites
