// UTF-8 decoding for measuring and for writing XML.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace hostsim {

// Code points of a UTF-8 string; each malformed byte gives one U+FFFD.
std::vector<char32_t> Utf8CodePoints(std::string_view utf8);
// The string with every malformed byte replaced by U+FFFD.
std::string SanitizeUtf8(std::string_view utf8);

}  // namespace hostsim
