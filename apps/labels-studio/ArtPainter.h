// Paints the document's layers, as the host's dump describes them, with
// QPainter: paths as QPainterPaths, point texts in their fonts. Document
// points have y up; the painter's transform turns them into the screen's.
#pragma once

#include <QPainter>
#include <QPainterPath>
#include <QTransform>

#include <nlohmann/json.hpp>

namespace studio {

// Document points (y up) to widget pixels for a zoom and an offset: the
// widget pixel of document point (0, 0) is `origin`.
QTransform DocumentToWidget(double zoom, QPointF origin);

// The outline of a path dump ({"anchors": [[px,py,inx,iny,outx,outy]...], "closed"}).
QPainterPath PathOf(const nlohmann::json& path);

// A colour dump ({"gray": g} the amount of black, or {"rgb": [r,g,b]}); black for anything else.
QColor ColorOf(const nlohmann::json& color);

// Paints the dump's "layers" (top layer first) bottom up, skipping hidden
// layers and hidden art. The painter is already in document coordinates.
void PaintLayers(QPainter& painter, const nlohmann::json& layers);

}  // namespace studio
