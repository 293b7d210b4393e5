// Which entry of the panel's font list shows the label font: the font whose
// name is the stored font name, or the beginning of it, the last such font
// of the list winning, moved by the font-matching offset.
#pragma once

#include <cstdint>

// True when every character of `name` equals the character at the same
// place of `stored`: the names are equal, or `name` begins `stored`.
bool FontNameMatches(const char* name, const char* stored);

// Folds one font of the list into the match so far: `index` + `offset` when
// its name matches, else `current`. Start from 0 and fold the fonts in order.
int32_t FoldFontMatch(int32_t current, int32_t index, const char* name, const char* stored, int32_t offset);
