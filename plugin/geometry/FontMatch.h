// Which font of the host's list is the label font (and the entry the
// panel's font list selects): the font whose name is the stored font name,
// or the beginning of it, the last such font of the list winning, moved by
// the font-matching offset. Pure text comparison, no host calls.
#pragma once

#include <cstdint>

// Font names are read from the host into buffers of this size.
constexpr int32_t kFontNameBuffer = 1024;

// True when every character of `name` equals the character at the same
// place of `stored`: the names are equal, or `name` begins `stored`.
bool FontNameMatches(const char* name, const char* stored);

// Folds one font of the list into the match so far: `index` + `offset` when
// its name matches, else `current`. Start from 0 and fold the fonts in order.
int32_t FoldFontMatch(int32_t current, int32_t index, const char* name, const char* stored, int32_t offset);
