#include "apps/labels-studio/ArtPainter.h"

#include <algorithm>

#include <QFont>
#include <QFontMetricsF>

namespace studio {
namespace {

double Number(const nlohmann::json& j, double fallback = 0) { return j.is_number() ? j.get<double>() : fallback; }

QPointF At(const nlohmann::json& anchor, int index) {
  return {Number(anchor[index]), Number(anchor[index + 1])};
}

QPen PenOf(const nlohmann::json& stroke) {
  QPen pen(ColorOf(stroke));
  pen.setWidthF(std::max(0.0, Number(stroke.value("width", nlohmann::json(1.0)), 1.0)));
  const std::string cap = stroke.value("cap", "butt");
  pen.setCapStyle(cap == "round" ? Qt::RoundCap : cap == "square" ? Qt::SquareCap : Qt::FlatCap);
  const std::string join = stroke.value("join", "miter");
  pen.setJoinStyle(join == "round" ? Qt::RoundJoin : join == "bevel" ? Qt::BevelJoin : Qt::MiterJoin);
  pen.setMiterLimit(Number(stroke.value("miter", nlohmann::json(10.0)), 10.0));
  if (stroke.contains("dash") && stroke["dash"].is_array() && pen.widthF() > 0) {
    QList<qreal> dashes;
    for (const auto& d : stroke["dash"]) dashes.push_back(std::max(0.01, Number(d)) / pen.widthF());
    if (dashes.size() % 2 == 1) dashes += dashes;
    pen.setDashPattern(dashes);
  }
  pen.setCosmetic(false);
  return pen;
}

void PaintPath(QPainter& painter, const nlohmann::json& art) {
  if (art.value("guide", false)) return;
  const QPainterPath path = PathOf(art);
  const nlohmann::json& fill = art["fill"];
  if (!fill.is_null() && art.value("closed", false)) painter.fillPath(path, ColorOf(fill));
  const nlohmann::json& stroke = art["stroke"];
  if (!stroke.is_null()) painter.strokePath(path, PenOf(stroke));
}

// The text's own font family, or the first word of its full name.
QFont FontOf(const nlohmann::json& text) {
  const std::string fullName = text.value("font", "");
  QFont font(QString::fromStdString(fullName));
  font.setPointSizeF(std::max(0.1, Number(text["size"], 12)));
  const QString name = QString::fromStdString(fullName);
  font.setBold(name.contains("Bold"));
  font.setItalic(name.contains("Italic") || name.contains("Oblique"));
  return font;
}

void PaintText(QPainter& painter, const nlohmann::json& art) {
  const auto& anchor = art["anchor"];
  if (!anchor.is_array() || anchor.size() != 2) return;
  const QString text = QString::fromStdString(art.value("text", ""));
  QFont font = FontOf(art);
  // Text is drawn in points at a zoom of 1 and scaled by the painter: the
  // font's pixel size is the point size.
  const double size = std::max(0.1, Number(art["size"], 12));
  font.setPixelSize(std::max(1, static_cast<int>(size * 16 + 0.5)));
  const double scale = size / font.pixelSize();
  const QFontMetricsF metrics(font);
  double x = Number(anchor[0]);
  const double width = metrics.horizontalAdvance(text) * scale;
  const std::string justification = art.value("justification", "left");
  if (justification == "center") x -= width / 2;
  if (justification == "right") x -= width;
  const double baseline = Number(anchor[1]) + Number(art["baselineShift"]);
  painter.save();
  // Back to y down around the baseline, so that glyphs stand upright.
  painter.translate(x, baseline);
  painter.scale(scale, -scale);
  painter.setFont(font);
  painter.setPen(art.contains("fill") && !art["fill"].is_null() ? ColorOf(art["fill"]) : QColor(Qt::black));
  painter.drawText(QPointF(0, 0), text);
  painter.restore();
}

void PaintArt(QPainter& painter, const nlohmann::json& art) {
  if (art.value("hidden", false)) return;
  const std::string type = art.value("type", "");
  if (type == "group") {
    const auto& children = art["children"];
    if (art.value("compound", false)) {
      // One shape: the paths' outlines together, painted with the first path's style.
      QPainterPath all;
      all.setFillRule(Qt::OddEvenFill);
      const nlohmann::json* style = nullptr;
      for (const auto& child : children) {
        if (child.value("type", "") != "path") continue;
        all.addPath(PathOf(child));
        if (style == nullptr) style = &child;
      }
      if (style != nullptr) {
        if (!(*style)["fill"].is_null()) painter.fillPath(all, ColorOf((*style)["fill"]));
        if (!(*style)["stroke"].is_null()) painter.strokePath(all, PenOf((*style)["stroke"]));
      }
      return;
    }
    // Children are listed top first: paint from the last.
    for (auto it = children.rbegin(); it != children.rend(); ++it) PaintArt(painter, *it);
  } else if (type == "path") {
    PaintPath(painter, art);
  } else if (type == "text") {
    PaintText(painter, art);
  }
}

}  // namespace

QTransform DocumentToWidget(double zoom, QPointF origin) {
  return QTransform(zoom, 0, 0, -zoom, origin.x(), origin.y());
}

QPainterPath PathOf(const nlohmann::json& path) {
  QPainterPath out;
  const auto& anchors = path["anchors"];
  if (!anchors.is_array() || anchors.empty()) return out;
  auto valid = [](const nlohmann::json& a) { return a.is_array() && a.size() == 6; };
  if (!valid(anchors[0])) return out;
  out.moveTo(At(anchors[0], 0));
  auto segment = [&](const nlohmann::json& from, const nlohmann::json& to) {
    out.cubicTo(At(from, 4), At(to, 2), At(to, 0));
  };
  for (std::size_t i = 1; i < anchors.size(); ++i) {
    if (!valid(anchors[i])) return out;
    segment(anchors[i - 1], anchors[i]);
  }
  if (path.value("closed", false)) {
    segment(anchors.back(), anchors[0]);
    out.closeSubpath();
  }
  return out;
}

QColor ColorOf(const nlohmann::json& color) {
  if (color.is_object() && color.contains("gray")) {
    const double black = std::clamp(Number(color["gray"]), 0.0, 1.0);
    return QColor::fromRgbF(1 - black, 1 - black, 1 - black);
  }
  if (color.is_object() && color.contains("rgb") && color["rgb"].is_array() && color["rgb"].size() == 3) {
    const auto& c = color["rgb"];
    return QColor::fromRgbF(std::clamp(Number(c[0]), 0.0, 1.0), std::clamp(Number(c[1]), 0.0, 1.0),
                            std::clamp(Number(c[2]), 0.0, 1.0));
  }
  return Qt::black;
}

void PaintLayers(QPainter& painter, const nlohmann::json& layers) {
  if (!layers.is_array()) return;
  for (auto layer = layers.rbegin(); layer != layers.rend(); ++layer) {
    if (!layer->value("visible", true)) continue;
    const auto& art = (*layer)["art"];
    for (auto it = art.rbegin(); it != art.rend(); ++it) PaintArt(painter, *it);
  }
}

}  // namespace studio
