#include "apps/labels-run/Echo.h"

#include <cstdint>
#include <cstdio>

namespace labelsrun {

namespace {

// Bytes of the UTF-8 sequence starting at text[i], 0 when it is not valid.
std::size_t SequenceLength(std::string_view text, std::size_t i) {
  const auto byte = [&](std::size_t k) { return static_cast<uint8_t>(text[k]); };
  const uint8_t lead = byte(i);
  std::size_t length = 0;
  uint32_t code = 0;
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    code = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    code = lead & 0x0F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    code = lead & 0x07;
  } else {
    return 0;
  }
  if (i + length > text.size()) return 0;
  for (std::size_t k = 1; k < length; ++k) {
    if ((byte(i + k) & 0xC0) != 0x80) return 0;
    code = (code << 6) | (byte(i + k) & 0x3F);
  }
  const bool overlong = (length == 3 && code < 0x800) || (length == 4 && code < 0x10000);
  if (overlong || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
  return length;
}

void AppendEscape(std::string& out, uint8_t byte) {
  switch (byte) {
    case '\n': out += "\\n"; return;
    case '\t': out += "\\t"; return;
    case '\r': out += "\\r"; return;
    case 0x1B: out += "\\e"; return;
    default: {
      char hex[5];
      std::snprintf(hex, sizeof hex, "\\x%02X", byte);
      out += hex;
    }
  }
}

}  // namespace

std::string Printable(std::string_view text, std::size_t limit) {
  std::string out;
  std::size_t i = 0;
  while (i < text.size()) {
    if (out.size() >= limit) {
      out += "...";
      break;
    }
    const std::size_t length = SequenceLength(text, i);
    const auto lead = static_cast<uint8_t>(text[i]);
    // C1 controls are the two-byte sequences C2 80 to C2 9F.
    const bool c1 = length == 2 && lead == 0xC2 && static_cast<uint8_t>(text[i + 1]) < 0xA0;
    if (length == 0 || lead < 0x20 || lead == 0x7F) {
      AppendEscape(out, lead);
      ++i;
    } else if (c1) {
      AppendEscape(out, lead);
      AppendEscape(out, static_cast<uint8_t>(text[i + 1]));
      i += 2;
    } else {
      out.append(text.substr(i, length));
      i += length;
    }
  }
  return out;
}

std::string Quoted(std::string_view word) { return "\"" + Printable(word, kEchoedWordBytes) + "\""; }

}  // namespace labelsrun
