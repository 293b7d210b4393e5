// The three path styles of a label, from the colour settings and the line
// width in force: leader lines and hollow heads, the shape, solid heads.
#pragma once

#include "core/State.h"
#include "host/AITypes.h"

// A colour setting as the host's colour: RGB components over 255 when rgb is
// set, else a grey of redOrGray over 100. Components are clamped to 0..1; a
// non-finite one counts as 0.
AIColor SettingColor(bool rgb, float redOrGray, float green, float blue);

struct LabelPathStyles {
  AIPathStyle line;       // no fill; outline stroke
  AIPathStyle shape;      // background fill when filled; outline stroke
  AIPathStyle solidHead;  // outline fill; no stroke
};

// Strokes are round-capped, miter-joined with limit 10, `lineWidth` wide (a
// negative or non-finite width counts as 0).
LabelPathStyles MakePathStyles(const AIColor& outline, const AIColor& background, bool filled, float lineWidth);

AIColor OutlineColor(const State& g);
AIColor BackgroundColor(const State& g);

// LineStyle, ShapeStyle and SolidHeadStyle from the settings and LineWidthInForce.
void UpdatePathStyles();
