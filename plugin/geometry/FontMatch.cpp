#include "geometry/FontMatch.h"

bool FontNameMatches(const char* name, const char* stored) {
  if (name == nullptr || stored == nullptr) return false;
  for (; *name != '\0'; ++name, ++stored)
    if (*name != *stored) return false;
  return true;
}

int32_t FoldFontMatch(int32_t current, int32_t index, const char* name, const char* stored, int32_t offset) {
  return FontNameMatches(name, stored) ? index + offset : current;
}
