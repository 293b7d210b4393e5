// Helpers the toolkit's suite files share: text across the boundary and the
// checks every operation starts with.
#pragma once

#include <string>
#include <string_view>

#include "host/ADMSuites.h"
#include "hostsim/Encoding.h"
#include "hostsim/suites/Guard.h"
#include "hostsim/toolkit/Toolkit.h"

namespace hostsim::suites {

// Platform text in, UTF-8 inside.
inline std::string FromPlatform(const char* text) { return Cp1252ToUtf8(text == nullptr ? "" : text); }

// UTF-8 out to a platform buffer of size bytes; kBadParameterErr for no buffer.
inline ASErr ToPlatform(std::string_view utf8, char* buffer, int32_t size) {
  if (buffer == nullptr || size < 1) return kBadParameterErr;
  CopyTruncated(Utf8ToCp1252(utf8), buffer, size);
  return kNoErr;
}

inline bool ValidRect(const ADMRect* r) { return r != nullptr && r->right >= r->left && r->bottom >= r->top; }

// Writes an out value when the pointer is there.
template <class T, class V>
ASErr Out(T* out, V value) {
  if (out == nullptr) return kBadParameterErr;
  *out = static_cast<T>(value);
  return kNoErr;
}

inline ASErr Code(bool ok) { return ok ? kNoErr : kBadParameterErr; }

}  // namespace hostsim::suites
