#include "hostsim/document/TextCodec.h"

namespace hostsim {
namespace {

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out.push_back(static_cast<char>(c));
  } else if (c < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (c >> 6)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else if (c < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (c >> 12)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (c >> 18)));
    out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  }
}

}  // namespace

std::vector<char32_t> Utf8CodePoints(std::string_view s) {
  std::vector<char32_t> out;
  out.reserve(s.size());
  std::size_t i = 0;
  while (i < s.size()) {
    const auto b = static_cast<unsigned char>(s[i]);
    std::size_t length = b < 0x80 ? 1 : (b & 0xE0) == 0xC0 ? 2 : (b & 0xF0) == 0xE0 ? 3 : (b & 0xF8) == 0xF0 ? 4 : 0;
    char32_t c = length == 1 ? b : length == 2 ? (b & 0x1F) : length == 3 ? (b & 0x0F) : (b & 0x07);
    bool valid = length > 0 && i + length <= s.size();
    for (std::size_t k = 1; valid && k < length; ++k) {
      const auto cont = static_cast<unsigned char>(s[i + k]);
      valid = (cont & 0xC0) == 0x80;
      c = (c << 6) | (cont & 0x3F);
    }
    // Overlong forms, surrogates and values past U+10FFFF are malformed too.
    if (valid && ((length == 2 && c < 0x80) || (length == 3 && c < 0x800) || (length == 4 && c < 0x10000) ||
                  (c >= 0xD800 && c < 0xE000) || c > 0x10FFFF)) {
      valid = false;
    }
    if (!valid) {
      out.push_back(0xFFFD);
      ++i;
    } else {
      out.push_back(c);
      i += length;
    }
  }
  return out;
}

std::string SanitizeUtf8(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (char32_t c : Utf8CodePoints(utf8)) AppendUtf8(out, c);
  return out;
}

}  // namespace hostsim
