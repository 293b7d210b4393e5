// What the settings dialogs ask of the panel. The panel implements these in
// panel/PanelHooks.cpp; each does nothing while the panel does not exist.
#pragma once

#include <cstdint>

// Refills the font list (item 19) from the host's fonts, selecting the font
// that matches Police moved on by VariablePolice (after the Preferences
// dialog changed VariablePolice).
void PanelRefillFontList();

// Gives the rectangle-label button (item 51) the picture of a corner radius
// whose sign the Preferences dialog is showing: 170, 171 or 172, with 180,
// 181 or 182 as its selected picture.
void PanelSetRectanglePicture(int32_t pictureId, int32_t selectedPictureId);

// Puts TextGapH and TextGapV into the margin sliders (items 35 and 36) and
// redraws the panel when it is visible (the Colors and options dialog's OK).
void PanelShowTextGaps();

// Redraws the triangular arrowhead button (item 43), whose picture follows
// FlecheCreuse (the Colors and options dialog's Cancel).
void PanelRedrawTriangleButton();

// Redraws the panel, whose colour swatch follows Fond, when it is visible
// (the Colors and options dialog ended without OK).
void PanelRedrawSwatch();

// Refills the preferred-text popup (item 14): entries 0 to 4 take TexteLibre1
// to TexteLibre5 (the preferred free text dialog's OK).
void PanelRefillFreeTexts();
