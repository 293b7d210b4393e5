// The Colors and options dialog's rules as plain values, without the host:
// a colour's mode switch, its colour on screen and its ramps, the angle and
// gap drags, and the geometry of the dialog's pictures.
#pragma once

#include <cstdint>

#include "host/ADMSuites.h"

namespace dlg {

// A colour as the settings hold it: in grey mode the first component is a
// percentage of black, 0 (white) to 100 (black), and the other two are not
// used; in RGB mode the three components are 0 to 255.
struct ColorValue {
  bool rgb;
  float c[3];
};

constexpr float kGreyFull = 100;
constexpr float kRgbFull = 255;
// Between a grey percentage and an RGB component.
constexpr double kPercentToComponent = 2.55;

// The largest first component in a mode.
inline float FirstComponentMax(bool rgb) { return rgb ? kRgbFull : kGreyFull; }

// The colour switched to the other mode: grey to RGB multiplies the first
// component by 2.55, RGB to grey divides it by 2.55; the other two stay.
ColorValue SwitchMode(const ColorValue& color);

// One channel on screen (16 bits): an RGB component truncated and times 255.
uint16_t ScreenChannel(float component);
// A grey percentage g on screen: truncate(100 - g) * 255 * 255 / 100.
uint16_t ScreenGrey(float percent);
// The colour on screen. Components outside their range count as its nearest end.
ADMRGBColor ScreenColor(const ColorValue& color);

// Colour ramps above the sliders: 33 steps, 3 pixels each, from x = 43; the
// ramp of component k at the top of its slider's row.
constexpr int32_t kRampSteps = 33;
constexpr int32_t kRampStepWidth = 3;
constexpr int32_t kRampLeft = 43;
constexpr int32_t kRampTops[3] = {95, 119, 143};
constexpr int32_t kRampHeight = 5;
// Step `step` (0..32) of the ramp of component k: in RGB mode that component
// runs from 0 to 255 while the other two keep their values; in grey mode the
// one ramp runs from white (step 0) to black (step 32).
ADMRGBColor RampColor(const ColorValue& color, int component, int step);

// Angle drag: moving right (or staying) opens the angle by 2 degrees per
// event, moving left closes it by 2; the result stays within 0..90.
constexpr float kAngleStep = 2;
constexpr float kMaxDialogAngle = 90;
float DraggedAngle(float angle, int32_t lastX, int32_t x);
// The horizontal extent of the events an angle picture acts on.
constexpr int32_t kOpenArrowDragWidth = 24;      // item 107
constexpr int32_t kTriangleArrowDragWidth = 64;  // item 114
// Item 114: the angle above this row, the hollow/solid toggle from it on.
constexpr int32_t kHollowToggleTop = 23;
// Item 114's cursor: the angle cursor down to this row, the toggle's below.
constexpr int32_t kAngleCursorBottom = 21;

// Gap drag on the gap picture: the gaps a point of the picture stands for.
struct TextGaps {
  int32_t h;
  float v;
};
TextGaps GapsAtPoint(int32_t x, int32_t y);

// The gap picture: a frame 136 x 47 holding the label's edge and the text.
constexpr int32_t kGapFrameWidth = 136;
constexpr int32_t kGapFrameHeight = 47;
struct GapPicture {
  int32_t edgeLeft;    // the label's left side
  int32_t textLeft;    // where the text mark starts
  int32_t bandTop;     // the label's top and bottom
  int32_t bandBottom;
};
GapPicture GapPictureOf(int32_t gapH, float gapV);

// The open V arrowhead of item 107 for a half-opening in degrees: a shaft
// and two barbs of 15 from the tip, pointing left.
struct OpenArrowPicture {
  ADMPoint shaftStart, shaftEnd;
  ADMPoint tip, upperBarb, lowerBarb;
};
OpenArrowPicture OpenArrowOf(float angleDegrees);

// The triangular arrowhead of item 114: tip, the two other corners, and the
// shaft from the base to the right.
struct TriangleArrowPicture {
  ADMPoint corners[3];
  ADMPoint shaftStart, shaftEnd;
};
TriangleArrowPicture TriangleArrowOf(float angleDegrees);

}  // namespace dlg
