// The colours of the panel's swatch as the drawer takes them: 16-bit
// channels from the colour settings (RGB 0..255, or a grey as a percentage
// of black).
#pragma once

#include "host/ADMSuites.h"

// An RGB component v (0..255) as v * 255; values outside 0..255 are clamped.
uint16_t RgbChannel(float v);

// A grey of g percent black as trunc(trunc(100 - g) * 255 * 255 / 100) on
// each channel; g is clamped to 0..100.
uint16_t GreyChannel(float g);

// A colour setting: RGB components when rgb is set, else a grey of redOrGrey.
ADMRGBColor SwatchColor(bool rgb, float redOrGrey, float green, float blue);
