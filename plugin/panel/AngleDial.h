// The panel's angle dial: an 18-pixel picture whose needle shows the leader
// line's angle, and which sets it from where the mouse is. Pure arithmetic
// in the dial's own pixels (y down); angles in radians, 0 to the right,
// counter-clockwise positive.
#pragma once

#include "host/ADMSuites.h"

constexpr float kDialStep = 0.17453294f;  // 10 degrees
constexpr float kDialPi = 3.1415927f;

// Direction from the dial's centre (8, 8) to the pixel (h, v), y flipped so
// that up is positive. 0 at the centre itself.
float DialDirection(int32_t h, int32_t v);

// An angle below -180 degrees brought back by a whole turn (what snapping
// up to a multiple can leave just below -pi); one a rounding above 180
// degrees kept at 180.
float KeepWithinHalfTurn(float angle);

// The needle: from (9, 9) eight pixels toward the angle, each coordinate
// truncated; an angle of exactly +-pi keeps the line horizontal and one of
// exactly +-pi/2 vertical.
struct DialNeedle {
  ADMPoint start, end;
};
DialNeedle NeedleFor(float angle);

float DegreesFromRadians(float radians);
float RadiansFromDegrees(float degrees);
