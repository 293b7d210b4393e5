// ADM Basic Suite: alerts, cursors, string lists, number formatting and the screen.
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <string_view>

#include "host/PluginExports.h"
#include "hostsim/suites/ToolkitSuites.h"
#include "hostsim/suites/ToolkitSupport.h"
#include "hostsim/toolkit/Units.h"

namespace hostsim::suites {
namespace {

template <class Body>
ASErr Basic(const char* op, Body&& body) {
  return Guarded(kADMBasicSuite, op, std::forward<Body>(body));
}

ASErr MessageAlert(const char* text) {
  return Basic("MessageAlert", [&](Host& h) -> ASErr {
    if (text == nullptr) return kBadParameterErr;
    h.ShowAlert(AlertRequest{FromPlatform(text)});
    return kNoErr;
  });
}

ASErr SetPlatformCursor(SPPluginRef self, int32_t cursorID) {
  return Basic("SetPlatformCursor", [&](Host& h) -> ASErr {
    if (!h.IsPluginRef(self) || !h.PluginResource(kCursorResource, cursorID)) return kBadParameterErr;
    h.SetCursor(cursorID);
    return kNoErr;
  });
}

ASErr GetIndexString(SPPluginRef self, int32_t stringID, int32_t index, char* buffer, int32_t size) {
  return Basic("GetIndexString", [&](Host& h) -> ASErr {
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

ASErr ValueToText(AIReal value, char* text, int32_t size, int32_t precision) {
  return Basic("ValueToText", [&](Host&) -> ASErr {
    if (text == nullptr || size < 1) return kBadParameterErr;
    text[0] = '\0';
    if (!std::isfinite(value) || precision < 0 || precision > 20) return kBadParameterErr;
    char formatted[128];
    std::snprintf(formatted, sizeof formatted, "%.*f", static_cast<int>(precision), static_cast<double>(value));
    CopyTruncated(formatted, text, size);
    return kNoErr;
  });
}

ASErr ErrorAlert(const char* text) {
  return Basic("ErrorAlert", [&](Host& h) -> ASErr {
    if (text == nullptr) return kBadParameterErr;
    h.ShowAlert(AlertRequest{FromPlatform(text)});
    return kNoErr;
  });
}

ASErr YesNoAlert(const char* text, int32_t* answer) {
  return Basic("YesNoAlert", [&](Host& h) -> ASErr {
    if (text == nullptr || answer == nullptr) return kBadParameterErr;
    const int32_t button = h.ShowAlert(AlertRequest{FromPlatform(text), {"Yes", "No"}});
    *answer = button == 0 ? kADMYesAnswer : kADMNoAnswer;
    return kNoErr;
  });
}

ASErr GetScreenDimensions(ADMRect* screen) {
  return Basic("GetScreenDimensions", [&](Host& h) { return Out(screen, h.dialogs().screen()); });
}

ASErr ValueToUnitText(AIReal value, int32_t units, int32_t precision, ASBoolean alwaysAppendUnit, int32_t maxChars,
                      char* text, int32_t size) {
  return Basic("ValueToUnitText", [&](Host&) -> ASErr {
    if (text == nullptr || size < 1) return kBadParameterErr;
    text[0] = '\0';
    if (maxChars > 255) return kBadParameterErr;
    auto formatted = toolkit::FormatValue(value, units, precision, alwaysAppendUnit != 0, maxChars);
    if (!formatted) return kBadParameterErr;
    return ToPlatform(*formatted, text, size);
  });
}

ASErr TextToValue(const char* text, int32_t units, AIReal* value) {
  return Basic("TextToValue", [&](Host&) -> ASErr {
    if (text == nullptr || value == nullptr) return kBadParameterErr;
    auto parsed = toolkit::ParseValue(FromPlatform(text), units);
    if (!parsed || std::fabs(*parsed) > FLT_MAX) return kBadParameterErr;
    *value = static_cast<AIReal>(*parsed);
    return kNoErr;
  });
}

const ADMBasicSuite kSuite = {MessageAlert,        SetPlatformCursor,
                              GetIndexString,      ValueToText,
                              ErrorAlert,          YesNoAlert,
                              GetScreenDimensions, ValueToUnitText,
                              TextToValue};

}  // namespace

const ADMBasicSuite& AdmBasicSuite() { return kSuite; }

}  // namespace hostsim::suites
