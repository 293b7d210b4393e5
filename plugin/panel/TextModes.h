// The four text modes of a label (automatic letter, automatic number, free
// text, none): their flags, the panel items each shows and hides, the
// tooltip of the mode popup, and how the letter borrows the first two bytes
// of the free text. Pure data and byte copies, no host calls.
#pragma once

#include <cstdint>

// Positions of the entries of the mode popup (item 10).
enum TextMode : int32_t {
  kTextModeLetter = 0,
  kTextModeNumber = 1,
  kTextModeFreeText = 2,
  kTextModeNone = 3,
};

struct TextModeFlags {
  bool textOn, letterOn, numberOn, freeTextOn;
};

struct TextModeRow {
  TextModeFlags flags;
  const char* tooltip;      // of the mode popup
  int32_t shown[2];         // items the mode shows (0: none)
  int32_t hidden[6];        // items it hides (0: none)
  int32_t focus;            // the field the mode gives the keyboard focus (0: none)
};

// The row of a mode; the row of kTextModeNone for anything else.
const TextModeRow& TextModeRowOf(int32_t mode);

// The mode the popup shows for a set of flags: none without text, free text
// when that flag is set, else number or letter.
TextMode TextModeOf(const TextModeFlags& flags);

// The letter mode writes the letter and its terminator into the first two
// bytes of the free text; these keep and give back what stood there.
void SaveFreeTextHead(const char* freeText, char (&head)[2]);
void RestoreFreeTextHead(char* freeText, const char (&head)[2]);
