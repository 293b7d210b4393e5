#include "panel/TextModes.h"

namespace {

// Items of the text options area: 11 letter, 32 its caption; 12 number, 31
// its caption; 13 free text, 14 the preferred texts popup.
const TextModeRow kRows[] = {
    {{true, true, false, false}, "Label with automatic letter.", {11, 32}, {12, 31, 13, 14, 0, 0}, 11},
    {{true, false, true, false}, "Label with automatic number.", {12, 31}, {11, 32, 13, 14, 0, 0}, 12},
    {{true, false, false, true}, "Label with free text.", {13, 14}, {11, 32, 12, 31, 0, 0}, 13},
    {{false, false, false, false}, "Label without text.", {0, 0}, {11, 32, 12, 31, 13, 14}, 0},
};

}  // namespace

const TextModeRow& TextModeRowOf(int32_t mode) {
  return mode >= kTextModeLetter && mode <= kTextModeNone ? kRows[mode] : kRows[kTextModeNone];
}

TextMode TextModeOf(const TextModeFlags& flags) {
  if (!flags.textOn) return kTextModeNone;
  if (flags.freeTextOn) return kTextModeFreeText;
  return flags.numberOn ? kTextModeNumber : kTextModeLetter;
}

void SaveFreeTextHead(const char* freeText, char (&head)[2]) {
  head[0] = freeText[0];
  head[1] = freeText[1];
}

void RestoreFreeTextHead(char* freeText, const char (&head)[2]) {
  freeText[0] = head[0];
  freeText[1] = head[1];
}
