#include "panel/MenuResource.h"

#include <cstring>

namespace {

// Unicode code points of the Windows-1252 bytes 0x80..0x9F; 0 where the
// encoding leaves the byte unassigned.
constexpr uint16_t kHighControls[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char ToWindows1252(uint32_t codePoint) {
  if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF)) return static_cast<char>(codePoint);
  for (int i = 0; i < 32; ++i) {
    if (kHighControls[i] != 0 && kHighControls[i] == codePoint) return static_cast<char>(0x80 + i);
  }
  return '?';
}

// Decodes one UTF-8 sequence at text[at..end); false for a malformed,
// overlong or surrogate sequence.
bool NextCodePoint(const unsigned char* text, std::size_t end, std::size_t* at, uint32_t* codePoint) {
  const unsigned char lead = text[*at];
  int extra = 0;  // continuation bytes
  if (lead >= 0x80) {
    if ((lead & 0xE0) == 0xC0) extra = 1;
    else if ((lead & 0xF0) == 0xE0) extra = 2;
    else if ((lead & 0xF8) == 0xF0) extra = 3;
    else return false;
  }
  static constexpr uint32_t kLeadMask[4] = {0x7F, 0x1F, 0x0F, 0x07};
  static constexpr uint32_t kMinimum[4] = {0, 0x80, 0x800, 0x10000};
  uint32_t value = lead & kLeadMask[extra];
  if (end - *at <= static_cast<std::size_t>(extra)) return false;
  for (int i = 1; i <= extra; ++i) {
    const unsigned char next = text[*at + i];
    if ((next & 0xC0) != 0x80) return false;
    value = (value << 6) | (next & 0x3F);
  }
  if (value < kMinimum[extra] || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return false;
  *at += 1 + extra;
  *codePoint = value;
  return true;
}

// Converts text[begin..end) into out (kMenuTextSize bytes, terminated).
bool CopyConverted(const unsigned char* text, std::size_t begin, std::size_t end, char* out) {
  int length = 0;
  for (std::size_t at = begin; at < end;) {
    uint32_t codePoint = 0;
    if (!NextCodePoint(text, end, &at, &codePoint) || codePoint == 0) return false;
    if (length + 1 >= kMenuTextSize) return false;
    out[length++] = ToWindows1252(codePoint);
  }
  out[length] = '\0';
  return true;
}

bool StartsWith(const unsigned char* text, std::size_t begin, std::size_t end, const char* prefix) {
  const std::size_t n = std::strlen(prefix);
  return end - begin >= n && std::memcmp(text + begin, prefix, n) == 0;
}

// One line, without its line end.
bool ParseLine(const unsigned char* text, std::size_t begin, std::size_t end, MenuResource* menu) {
  if (begin == end || text[begin] == '#') return true;
  if (StartsWith(text, begin, end, "title ")) {
    if (menu->Count > 0 || menu->Title[0] != '\0') return false;
    return CopyConverted(text, begin + 6, end, menu->Title) && menu->Title[0] != '\0';
  }
  if (menu->Count >= kMenuMaxEntries) return false;
  MenuEntry& entry = menu->Entries[menu->Count];
  if (end - begin == 1 && text[begin] == '-') {
    entry.Id = 0;
    entry.Separator = true;
    entry.Text[0] = '\0';
    ++menu->Count;
    return true;
  }
  int64_t id = 0;
  std::size_t at = begin;
  while (at < end && text[at] >= '0' && text[at] <= '9') {
    id = id * 10 + (text[at] - '0');
    if (id > INT32_MAX) return false;
    ++at;
  }
  if (at == begin || id == 0 || at + 1 >= end || text[at] != ' ') return false;
  entry.Id = static_cast<int32_t>(id);
  entry.Separator = false;
  if (!CopyConverted(text, at + 1, end, entry.Text)) return false;
  ++menu->Count;
  return true;
}

}  // namespace

bool ParseMenuResource(const void* bytes, std::size_t size, MenuResource* menu) {
  if (menu == nullptr) return false;
  std::memset(menu, 0, sizeof *menu);
  if (bytes == nullptr && size != 0) return false;
  const auto* text = static_cast<const unsigned char*>(bytes);
  std::size_t begin = 0;
  while (begin < size) {
    std::size_t end = begin;
    while (end < size && text[end] != '\n') ++end;
    const std::size_t next = end + 1;
    if (end > begin && text[end - 1] == '\r') --end;
    if (!ParseLine(text, begin, end, menu)) {
      std::memset(menu, 0, sizeof *menu);
      return false;
    }
    begin = next;
  }
  return true;
}
