// What the arrows editor and the shape editor share at the host's edge: item
// ids, the selection model (selection buttons, next and previous, the point
// number), the grid popup, the mode buttons, add/delete-mode events on the
// canvas, and the drawing of the canvas's grid, outline and handles. The
// open editor is the arrows editor while ArrowEditorOpen is set.
#pragma once

#include <cstdint>

#include "core/State.h"
#include "geometry/EditGeometry.h"
#include "host/ADMSuites.h"

namespace editor {

enum : int32_t {
  kOk = 1,
  kCancel = 2,
  kDefault = 3,
  kMoveMode = 8,
  kAddDeleteMode = 9,
  kFieldX = 10,
  kFieldY = 11,
  kCanvas = 12,
  kClosedButton = 13,
  kHollowButton = 14,
  kSymmetricButton = 15,
  kSample = 16,
  kGridPopup = 17,
  kPredefinedFirst = 18,  // 18..23
  kNextPoint = 24,
  kPreviousPoint = 25,
  kPointNumber = 26,
  kSelectAnchor = 27,
  kSelectIn = 28,
  kSelectOut = 29,
  kSelectLineStart = 30,
  kCount = 31,
  kAngleButton = 32,
  kFieldXHotSpot = 180,
  kFieldYHotSpot = 181,
  kCornerFirstBox = 182,  // 182 top-left, 183 top-right, 184 bottom-left, 185 bottom-right
};

// Grid popup entries (their ids are their positions).
enum : int32_t { kGridEntryHide = 6, kGridEntryMagnetism = 7 };

constexpr int32_t kCursorAddPoint = 310;
constexpr int32_t kCursorDeletePoint = 311;
constexpr int32_t kCursorDragging = 20008;
constexpr int32_t kCursorNeutral = 20009;

constexpr ADMRGBColor kDefaultMarkColor = {20223, 32767, 65535};

// The arrows editor is the one open.
bool ArrowsOpen();
const edit::Mapping& CanvasMapping();
// The canvas's active area in its own pixels.
ADMRect ActiveArea();

// The outline colour of the labels on screen, from the colour settings.
ADMRGBColor OutlineScreenColor(const State& g);
// The host's light grid colour (grey 80 % when it cannot be read).
ADMRGBColor HostGridColor();
// The marks' colour: that of the layer holding `art`, or kDefaultMarkColor
// when the art is gone or the host cannot give the layer's colour.
ADMRGBColor LayerMarkColor(AIArtHandle art);

// Grid state as an editor opens or goes back to its default.
void ResetGrid(State& g);
// Fills the grid popup with its entries; `spacingLabel` begins entries 0 to 4.
void FillGridPopup(ADMDialogRef dialog, const char* spacingLabel);
// The popup's ticks, names and selected entry after the grid state changed.
void ShowGridPopup(ADMDialogRef dialog);

// Fields 10 and 11 show the selection's coordinates; nothing changes while
// nothing is selected.
void ShowSelectionFields(ADMDialogRef dialog);
// Item 31's text and item 26's range follow the count.
void ShowCount(ADMDialogRef dialog);
// Items 24, 25 and 26 enabled or not.
void EnablePointButtons(ADMDialogRef dialog, bool enable);
// The canvas, its sample and the selection buttons are redrawn.
void RedrawCanvas(ADMDialogRef dialog);
// The editor's mode: which events reach the canvas, both mode buttons redrawn.
void ApplyEditMode(ADMDialogRef dialog);

// Hooks of the open editor that the shared procedures call.
struct Hooks {
  void (*reevaluate)(ADMDialogRef dialog);       // arrows: the angle flag follows the point
  void (*drag)(ADMItemRef canvas, ADMPoint at, bool invert);  // the drag step
  void (*afterInsert)(ADMDialogRef dialog, Point anchor);  // fields and selection after an insertion
};
void SetHooks(const Hooks& hooks);

// Item procedures shared by both editors.
void OnSelectButton(ADMItemRef item, ADMNotifierRef notifier);  // 27, 28, 29
void OnStepPoint(ADMItemRef item, ADMNotifierRef notifier);     // 24, 25
void OnPointNumber(ADMItemRef item, ADMNotifierRef notifier);   // 26
void OnGridPopup(ADMItemRef item, ADMNotifierRef notifier);     // 17
void OnModeButton(ADMItemRef item, ADMNotifierRef notifier);    // 8, 9
void OnHotSpot(ADMItemRef item, ADMNotifierRef notifier);       // 180, 181
ASBoolean TrackCanvas(ADMItemRef item, ADMTrackerRef tracker);  // 12
void DrawSelectButton(ADMItemRef item, ADMDrawerRef drawer);    // 27..30
void DrawModeButton(ADMItemRef item, ADMDrawerRef drawer);      // 8, 9

// Canvas drawing pieces.
void DrawGrid(ADMDrawerRef drawer, int32_t bottom);
// The outline flattened; filled as one polygon or stroked piece by piece.
void DrawOutline(ADMDrawerRef drawer, const BezierPointList& p, int count, bool closed, bool filled,
                 const edit::Mapping& m);
// Tangent lines, tangent dots, anchor squares and the selection's highlight.
void DrawHandles(ADMDrawerRef drawer, const BezierPointList& p, int count, const edit::Mapping& m);
// The decorations both editors draw: the arrow glyphs of the field hot spots
// and the strokes joining the selection buttons.
void DrawFieldGlyphs(ADMDrawerRef drawer);
void DrawPicture(ADMDrawerRef drawer, int32_t id, ADMPoint at);

void SetCursor(int32_t cursor);
void Alert(const char* text);

}  // namespace editor
