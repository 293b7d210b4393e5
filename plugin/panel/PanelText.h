// The panel's text options: the text mode (letter, number, free text, none),
// the letter, number and free-text fields, the preferred free texts, the
// font list and the text size.
#pragma once

#include "host/ADMSuites.h"

// Item procedures (the item table installs them).
void OnTextMode(ADMItemRef item, ADMNotifierRef notifier);
void OnLetter(ADMItemRef item, ADMNotifierRef notifier);
void OnNumber(ADMItemRef item, ADMNotifierRef notifier);
void OnFreeText(ADMItemRef item, ADMNotifierRef notifier);
void OnPreferredText(ADMItemRef item, ADMNotifierRef notifier);
void OnFont(ADMItemRef item, ADMNotifierRef notifier);
void OnTextSize(ADMItemRef item, ADMNotifierRef notifier);
void OnTextCaption(ADMItemRef item, ADMNotifierRef notifier);
void DrawTextCaption(ADMItemRef item, ADMDrawerRef drawer);

// Fills the mode popup and selects the mode in force.
void FillTextModes();
// Fills the preferred free texts popup from the settings.
void FillPreferredTexts();
// Fills the font popup with the host's fonts and selects the label font:
// FontListIndex becomes the place of the last font matching the stored
// name, moved by the font-matching offset (0 when none matches).
void FillFontList();

// Shows the items of the mode in force and hides the others.
void ShowTextModeItems();
// The field the text mode writes in (number, letter or free text), or the
// arrowhead size when the label has no text.
int32_t TextFieldInForce();
