// Text arrives from the plug-in in its platform encoding (Windows-1252); the
// host keeps UTF-8.
#pragma once

#include <string>

#include "hostsim/Encoding.h"

namespace hostsim::suites {

// A null pointer reads as the empty text.
inline std::string Utf8(const char* platformText) { return Cp1252ToUtf8(platformText == nullptr ? "" : platformText); }

}  // namespace hostsim::suites
