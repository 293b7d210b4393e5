#include "apps/labels-studio/Cursors.h"

#include <QPixmap>

namespace studio {

QPoint CursorHotSpot(int32_t cursorId) {
  if (cursorId >= 1850 && cursorId <= 1852) return {1, 1};
  return {8, 8};
}

std::optional<QCursor> CursorFromPng(std::string_view png, int32_t cursorId) {
  QPixmap pixmap;
  if (!pixmap.loadFromData(reinterpret_cast<const uchar*>(png.data()), static_cast<uint>(png.size()), "PNG")) {
    return std::nullopt;
  }
  const QPoint hot = CursorHotSpot(cursorId);
  return QCursor(pixmap, hot.x(), hot.y());
}

}  // namespace studio
