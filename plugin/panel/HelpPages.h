// The eleven pages of help the panel shows beside its controls, and the text
// of the About box. Texts are in the platform encoding (Windows-1252); lines
// are separated by CR LF, so an empty line is two CR LF in a row.
#pragma once

#include <cstdint>

constexpr int16_t kHelpPageCount = 11;

// Help pages the commands jump to.
constexpr int16_t kFreeTextHelpPage = 6;
constexpr int16_t kArrowsEditorHelpPage = 10;

// The text of help page `page`, 1..kHelpPageCount; null for any other number,
// so that the caller leaves the text it shows unchanged.
const char* HelpPageText(int page);

// The About box: product name, version and what the plug-in does.
const char* AboutText();
