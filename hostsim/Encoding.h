// Conversions between the platform encoding of the suites (Windows-1252) and
// the UTF-8 the host keeps internally, in files and in dumps.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace hostsim {

// Every byte maps to a character; the five bytes Windows-1252 leaves
// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 controls of the same value.
std::string Cp1252ToUtf8(std::string_view text);
// Characters outside Windows-1252, and malformed UTF-8 bytes, become '?'.
std::string Utf8ToCp1252(std::string_view text);

// True when every byte is below 0x80: the text reads the same in both encodings.
bool IsAscii(std::string_view text);
// True when text is well-formed UTF-8.
bool IsValidUtf8(std::string_view text);
// Code points of a UTF-8 string; each malformed byte gives one U+FFFD.
std::vector<char32_t> Utf8CodePoints(std::string_view text);
// The string with every malformed byte replaced by U+FFFD.
std::string SanitizeUtf8(std::string_view text);

// Copies text into a buffer of size bytes: at most size - 1 bytes and a terminator.
// Nothing is written when buffer is null or size < 1. True when all of text fitted.
bool CopyTruncated(std::string_view text, char* buffer, long size);

}  // namespace hostsim
