#include "hostsim/Encoding.h"

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace hostsim {
namespace {

// Code points of bytes 0x80..0x9F; the rest of Windows-1252 equals Latin-1.
constexpr char32_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

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

// Decodes the character at text[i]: its code point and byte length, or a
// length of 0 for a malformed byte (bad lead or continuation, truncated,
// overlong, surrogate, past U+10FFFF).
std::size_t DecodeAt(std::string_view text, std::size_t i, char32_t& c) {
  const auto b = static_cast<unsigned char>(text[i]);
  const std::size_t length = b < 0x80 ? 1 : (b & 0xE0) == 0xC0 ? 2 : (b & 0xF0) == 0xE0 ? 3 : (b & 0xF8) == 0xF0 ? 4 : 0;
  if (length == 0 || i + length > text.size()) return 0;
  c = length == 1 ? b : length == 2 ? (b & 0x1F) : length == 3 ? (b & 0x0F) : (b & 0x07);
  for (std::size_t k = 1; k < length; ++k) {
    const auto cont = static_cast<unsigned char>(text[i + k]);
    if ((cont & 0xC0) != 0x80) return 0;
    c = (c << 6) | (cont & 0x3F);
  }
  const char32_t minimum = length == 1 ? 0 : length == 2 ? 0x80 : length == 3 ? 0x800 : 0x10000;
  if (c < minimum || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return 0;
  return length;
}

char ToCp1252(char32_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<char>(c);
  for (int i = 0; i < 32; ++i) {
    if (kHighControls[i] == c) return static_cast<char>(0x80 + i);
  }
  return '?';
}

// The length of the leading run of ASCII bytes, which read the same in both
// encodings: most texts are ASCII throughout and are copied whole.
std::size_t AsciiPrefix(std::string_view text) {
  // Eight bytes at a time: the first byte with its high bit set ends the run.
  constexpr uint64_t kHighBits = 0x8080808080808080u;
  for (std::size_t i = 0; i < text.size(); i += 8) {
    uint64_t word = 0;
    std::memcpy(&word, text.data() + i, std::min<std::size_t>(8, text.size() - i));
    if (const uint64_t high = word & kHighBits; high != 0) {
      if constexpr (std::endian::native == std::endian::little) return i + static_cast<std::size_t>(std::countr_zero(high)) / 8;
      std::size_t k = i;
      while (static_cast<unsigned char>(text[k]) < 0x80) ++k;
      return k;
    }
  }
  return text.size();
}

}  // namespace

std::string Cp1252ToUtf8(std::string_view text) {
  const std::size_t ascii = AsciiPrefix(text);
  if (ascii == text.size()) return std::string(text);
  std::string out;
  out.reserve(text.size() + (text.size() - ascii) * 2);
  out.append(text.substr(0, ascii));
  for (char ch : text.substr(ascii)) {
    const auto b = static_cast<unsigned char>(ch);
    AppendUtf8(out, b >= 0x80 && b < 0xA0 ? kHighControls[b - 0x80] : char32_t{b});
  }
  return out;
}

std::string Utf8ToCp1252(std::string_view text) {
  std::size_t i = AsciiPrefix(text);
  if (i == text.size()) return std::string(text);
  std::string out;
  out.reserve(text.size());
  out.append(text.substr(0, i));
  char32_t c = 0;
  while (i < text.size()) {
    const std::size_t length = DecodeAt(text, i, c);
    out.push_back(length == 0 ? '?' : ToCp1252(c));
    i += length == 0 ? 1 : length;
  }
  return out;
}

bool IsAscii(std::string_view text) { return AsciiPrefix(text) == text.size(); }

bool IsValidUtf8(std::string_view text) {
  char32_t c = 0;
  for (std::size_t i = AsciiPrefix(text); i < text.size();) {
    const std::size_t length = DecodeAt(text, i, c);
    if (length == 0) return false;
    i += length;
  }
  return true;
}

std::vector<char32_t> Utf8CodePoints(std::string_view text) {
  std::vector<char32_t> out;
  out.reserve(text.size());
  char32_t c = 0;
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t length = DecodeAt(text, i, c);
    out.push_back(length == 0 ? char32_t{0xFFFD} : c);
    i += length == 0 ? 1 : length;
  }
  return out;
}

std::string SanitizeUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char32_t c : Utf8CodePoints(text)) AppendUtf8(out, c);
  return out;
}

bool CopyTruncated(std::string_view text, char* buffer, long size) {
  if (buffer == nullptr || size < 1) return text.empty();
  const std::size_t room = static_cast<std::size_t>(size - 1);
  const std::size_t n = text.size() < room ? text.size() : room;
  text.copy(buffer, n);
  buffer[n] = '\0';
  return n == text.size();
}

}  // namespace hostsim
