// The plug-in's cursors as Qt cursors: the PNG of its cursor resource with
// the hot spot its drawings put there.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include <QCursor>
#include <QPoint>

namespace studio {

// Where a cursor of the plug-in points: the tip of the arrow pointers
// (1850-1852) or the centre of the crosshair (all the others).
QPoint CursorHotSpot(int32_t cursorId);

// Nothing when the bytes are no image.
std::optional<QCursor> CursorFromPng(std::string_view png, int32_t cursorId);

}  // namespace studio
