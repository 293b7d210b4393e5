// The pure rules of a label's layout: which side it lies on, the landing,
// the label box, the text's place and baseline, the group's name, the
// automatic number and letter, and the cursor of each shape.
#pragma once

#include <cstdint>

#include "geometry/Anchor.h"

// Shape kinds, in the order Shift-click and the panel step through them.
enum ShapeKindValue : int32_t {
  kShapeNone = 0,
  kShapeRectangle = 1,
  kShapeEllipse = 2,
  kShapeTriangle = 3,
  kShapeCustom = 4,
};

constexpr float kHalfPi = 1.5707964f;
constexpr float kPi = 3.1415927f;

// The main leader line points to the left (strictly beyond the vertical).
bool LeaderPointsLeft(float leaderAngle);
// The main leader line points to the right, the vertical included.
bool LeaderPointsRight(float leaderAngle);

// The landing continues the main leader line horizontally from its end. None
// (the end itself) for an exactly horizontal line or a zero length.
struct Landing {
  bool present;
  Point end;
};
Landing ComputeLanding(Point lineEnd, float leaderAngle, float landingLength, bool leftSide, bool flipSide);

// Width and height of the label box around a text of the given width.
struct LabelBoxSize {
  float width, height;
};
LabelBoxSize ComputeLabelBox(float textWidth, float fontSize, int32_t textGapH, float textGapV,
                             int32_t shapeKind, bool equalSides);

// x of the label box's centre, beside the landing end on the label's side.
float LabelCentreX(float landingEndX, float boxWidth, float leaderAngle, bool flipSide, bool leftSide,
                   float landingLength);

// Where the text's baseline anchor goes, from its base point and offsets.
Point TextAnchorFor(Point base, float offsetH, float offsetV, float leaderAngle, bool flipSide, bool leftSide);

// Baseline shift that centres a line of text vertically in the label.
float TextBaselineShift(float fontSize, int32_t shapeKind, bool equalSides);

// Name of the label group, after its shape.
const char* LabelGroupName(int32_t shapeKind, float cornerRadius, bool equalSides);

// Decimal digits of a label number (1 plus one for each of 9, 99, 999, 9999 it exceeds).
int NumberDigitCount(int32_t number);

// The letter after `letter`: "Z" wraps to "A" and "z" to "a".
char NextLabelLetter(char letter);

// The shape after `kind` for Shift-click: none, rectangle, ellipse, triangle, custom, none.
int32_t NextShapeKind(int32_t kind);

// Cursor resource and Info text while hovering with the given shape.
struct ShapeCursor {
  int32_t cursorId;
  const char* info;
};
ShapeCursor HoverCursorFor(int32_t shapeKind, float cornerRadius, bool equalSides);
// Cursor while dragging a label of the given shape.
int32_t DragCursorFor(int32_t shapeKind, float cornerRadius);

// Foot of the perpendicular from `click` onto the line through a and b
// (a's x for a vertical line, a's y for a horizontal one).
Point FootOnLine(Point click, Point a, Point b);
