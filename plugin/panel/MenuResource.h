// Menu resources: the panel's flyout menu comes from one, read into fixed
// storage in the platform encoding before its entries go to the host.
//
// The resource is UTF-8 text, one line each:
//   # ...         a comment; blank lines are skipped too
//   title TEXT    the popup's own title, not an entry; at most once, before the entries
//   ID TEXT       an entry: a positive decimal id, one space, the text
//   -             a separator (id 0)
// Lines end in LF or CR LF.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr int kMenuTextSize = 64;    // bytes of an entry's text, terminator included
constexpr int kMenuMaxEntries = 32;

struct MenuEntry {
  int32_t Id;                        // 0 for a separator
  bool    Separator;
  char    Text[kMenuTextSize];       // Windows-1252; empty for a separator
};

struct MenuResource {
  char      Title[kMenuTextSize];    // empty when the resource names none
  int32_t   Count;                   // entries in use
  MenuEntry Entries[kMenuMaxEntries];
};

// Reads `size` bytes of a menu resource into `menu`. False, with `menu` left
// empty, when a line is malformed, an id is not a positive 31-bit number, a text
// is not UTF-8 or longer than kMenuTextSize - 1 bytes once converted, or there
// are more than kMenuMaxEntries entries. Characters Windows-1252 lacks become '?'.
bool ParseMenuResource(const void* bytes, std::size_t size, MenuResource* menu);
