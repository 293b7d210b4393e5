// Paints what the host's drawer recorded for a dialog item (or a dialog's
// background) with QPainter, in the item's own pixels.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>

#include <QPainter>

#include "hostsim/toolkit/DisplayList.h"

namespace studio {

// The plug-in's picture resource (PNG bytes) by id.
using PictureLookup = std::function<std::optional<std::string_view>(int32_t pictureId)>;

QColor QtColor(const ADMRGBColor& color);
// The toolkit's font as a Qt font of the same face and pixel size.
QFont QtFont(int32_t admFont);

void PaintDisplayList(QPainter& painter, const hostsim::toolkit::DisplayList& list, const PictureLookup& pictures);

}  // namespace studio
