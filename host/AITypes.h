// Plain value types and opaque handles shared by the drawing host's suites.
// Coordinates are document points, y growing upwards.
#pragma once

#include "SPBasic.h"

typedef float AIReal;
typedef double AIDouble;

typedef struct AIRealPoint { AIReal h, v; } AIRealPoint;
typedef struct AIPoint { int32_t h, v; } AIPoint;
typedef struct AIRealRect { AIReal left, top, right, bottom; } AIRealRect;
typedef struct AIRealMatrix { AIReal a, b, c, d, tx, ty; } AIRealMatrix;  // x' = a x + c y + tx; y' = b x + d y + ty
typedef struct AIRealBezier { AIRealPoint p0, p1, p2, p3; } AIRealBezier;

// One path anchor: point, in handle (arriving), out handle (leaving), corner flag.
typedef struct AIPathSegment {
  AIRealPoint p;
  AIRealPoint in;
  AIRealPoint out;
  ASBoolean corner;
} AIPathSegment;

// Opaque handles. The host never dereferences them: a stale or foreign handle
// is looked up, found missing and answered with kBadParameterErr.
typedef struct _t_AIArtOpaque* AIArtHandle;
typedef struct _t_AILayerOpaque* AILayerHandle;
typedef struct _t_AIMenuItemOpaque* AIMenuItemHandle;
typedef struct _t_AIMenuGroupOpaque* AIMenuGroup;
typedef struct _t_AIToolOpaque* AIToolHandle;
typedef struct _t_AINotifierOpaque* AINotifierHandle;
typedef struct _t_AIHitRefOpaque* AIHitRef;
typedef struct _t_AIFontKeyOpaque* AIFontKey;
typedef struct _t_AIDocumentViewOpaque* AIDocumentViewHandle;

// Art types.
enum {
  kUnknownArt = 0,
  kGroupArt = 1,
  kPathArt = 2,
  kTextFrameArt = 13,
};

// Paint orders for new or moved art, relative to a prepositioned art.
enum {
  kPlaceAbove = 1,
  kPlaceBelow = 2,
  kPlaceInsideOnTop = 3,
  kPlaceInsideOnBottom = 4,
  kPlaceAboveAll = 5,
  kPlaceBelowAll = 6,
};

// User attributes of art.
enum {
  kArtLocked = 2,
  kArtHidden = 4,
  kArtSelected = 8,
  kArtCenterVisible = 16,  // the shape's centre point is shown
};

// Colours.
enum {
  kGrayColor = 0,
  kThreeColor = 5,  // RGB
  kNoneColor = 6,
};
typedef struct AIGrayColorStyle { AIReal gray; } AIGrayColorStyle;  // amount of black: 0 white .. 1 black
typedef struct AIThreeColorStyle { AIReal red, green, blue; } AIThreeColorStyle;  // 0 .. 1 each
typedef struct AIColor {
  int32_t kind;  // kGrayColor, kThreeColor or kNoneColor
  union {
    AIGrayColorStyle g;
    AIThreeColorStyle rgb;
  } c;
} AIColor;

enum { kAIButtCap = 0, kAIRoundCap = 1, kAIProjectingCap = 2 };
enum { kAIMiterJoin = 0, kAIRoundJoin = 1, kAIBevelJoin = 2 };

typedef struct AIDashStyle {
  AIReal offset;
  int16_t length;  // 0: solid
  AIReal array[6];
} AIDashStyle;

typedef struct AIFillStyle {
  AIColor color;
  ASBoolean overprint;
} AIFillStyle;

typedef struct AIStrokeStyle {
  AIColor color;
  ASBoolean overprint;
  AIReal width;
  AIDashStyle dash;
  int32_t cap;
  int32_t join;
  AIReal miterLimit;
} AIStrokeStyle;

typedef struct AIPathStyle {
  ASBoolean fillPaint;
  AIFillStyle fill;
  ASBoolean strokePaint;
  AIStrokeStyle stroke;
  ASBoolean evenodd;
} AIPathStyle;
