// Text arrives from the plug-in in its platform encoding (Windows-1252); the
// host keeps UTF-8.
#pragma once

#include <string>
#include <string_view>

#include "hostsim/Encoding.h"

namespace hostsim::suites {

// A null pointer reads as the empty text.
inline std::string Utf8(const char* platformText) { return Cp1252ToUtf8(platformText == nullptr ? "" : platformText); }

// The same text for a look-up: the plug-in's own bytes when they are plain
// ASCII (no copy), else the converted text, kept in `converted`.
inline std::string_view Utf8View(const char* platformText, std::string& converted) {
  const std::string_view text = platformText == nullptr ? std::string_view() : std::string_view(platformText);
  if (IsAscii(text)) return text;
  converted = Cp1252ToUtf8(text);
  return converted;
}

}  // namespace hostsim::suites
