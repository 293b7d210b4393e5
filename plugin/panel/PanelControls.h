// What the panel's controls do to the values in force and to the pending
// label: shape, width equals height, margins, arrowheads (size, kind, arrows
// or points), thickness, tie line, angle and its dial, leader length, text
// gaps, the icon areas beside the fields and the KPX button. Each change is
// followed by the label rebuild, so that the label just drawn follows.
#pragma once

#include "host/ADMSuites.h"

// Item procedures (the item table installs them).
void OnShapeButton(ADMItemRef item, ADMNotifierRef notifier);
ASBoolean TrackShapeButton(ADMItemRef item, ADMTrackerRef tracker);
void DrawShapeButton(ADMItemRef item, ADMDrawerRef drawer);
void OnEqualSides(ADMItemRef item, ADMNotifierRef notifier);
void DrawEqualSides(ADMItemRef item, ADMDrawerRef drawer);
void OnMargin(ADMItemRef item, ADMNotifierRef notifier);
void OnArrowSize(ADMItemRef item, ADMNotifierRef notifier);
void OnArrowsOrPoints(ADMItemRef item, ADMNotifierRef notifier);
void OnHeadButton(ADMItemRef item, ADMNotifierRef notifier);
ASBoolean TrackHeadButton(ADMItemRef item, ADMTrackerRef tracker);
void DrawHeadButton(ADMItemRef item, ADMDrawerRef drawer);
void OnLineWidth(ADMItemRef item, ADMNotifierRef notifier);
void OnColors(ADMItemRef item, ADMNotifierRef notifier);
void OnLanding(ADMItemRef item, ADMNotifierRef notifier);
void OnAngle(ADMItemRef item, ADMNotifierRef notifier);
void OnDial(ADMItemRef item, ADMNotifierRef notifier);
ASBoolean TrackDial(ADMItemRef item, ADMTrackerRef tracker);
void DrawDial(ADMItemRef item, ADMDrawerRef drawer);
void OnLeaderLength(ADMItemRef item, ADMNotifierRef notifier);
void OnTextOffset(ADMItemRef item, ADMNotifierRef notifier);
void OnIconArea(ADMItemRef item, ADMNotifierRef notifier);
ASBoolean TrackIconArea(ADMItemRef item, ADMTrackerRef tracker);
void OnKpxButton(ADMItemRef item, ADMNotifierRef notifier);
ASBoolean TrackKpxButton(ADMItemRef item, ADMTrackerRef tracker);
// A hit area: the panel's own drawing shows through it.
void DrawNothing(ADMItemRef item, ADMDrawerRef drawer);

// Arrows mode and points mode swap (item 37 and the flyout).
void ToggleArrowsOrPoints();
// Applies the default settings to the values in force and the pending label.
void ApplyDefaultSettings();
// Gives the label group the name of its shape; with checkAlive, nothing
// happens when no label group exists.
void RenamePendingLabel(bool checkAlive);
// Buttons 50..54 show ShapeKind (Shift-click changes it from the tool).
void ShowShapeButtons();
// Buttons 41..44 show ArrowKind, and the arrowhead tooltips the mode.
void ShowHeadButtons();
