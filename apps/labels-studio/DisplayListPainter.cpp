#include "apps/labels-studio/DisplayListPainter.h"

#include <QFontMetrics>
#include <QImage>
#include <QPolygon>

namespace studio {
namespace {

using hostsim::toolkit::DrawOp;
using hostsim::toolkit::DrawRecord;

QColor Toolkit(int32_t color) { return QtColor(hostsim::toolkit::ColorOf(color)); }

// The toolkit's rectangles leave out their right and bottom edges.
QRect Inside(const ADMRect& r) { return QRect(r.left, r.top, r.right - r.left, r.bottom - r.top); }

QPolygon PolygonOf(const std::vector<ADMPoint>& points) {
  QPolygon polygon;
  for (const ADMPoint& p : points) polygon << QPoint(p.h, p.v);
  return polygon;
}

void Bevel(QPainter& p, const ADMRect& r, bool sunken) {
  if (r.right <= r.left || r.bottom <= r.top) return;
  p.setPen(Toolkit(sunken ? kADMShadowColor : kADMLightColor));
  p.drawLine(r.left, r.top, r.right - 1, r.top);
  p.drawLine(r.left, r.top, r.left, r.bottom - 1);
  p.setPen(Toolkit(sunken ? kADMLightColor : kADMShadowColor));
  p.drawLine(r.left, r.bottom - 1, r.right - 1, r.bottom - 1);
  p.drawLine(r.right - 1, r.top, r.right - 1, r.bottom - 1);
}

Qt::Alignment Alignment(int32_t justify) {
  if (justify == kADMCenterJustify) return Qt::AlignHCenter;
  if (justify == kADMRightJustify) return Qt::AlignRight;
  return Qt::AlignLeft;
}

void Paint(QPainter& p, const DrawRecord& r, const PictureLookup& pictures) {
  const QColor color = QtColor(r.color);
  p.setPen(color);
  p.setBrush(Qt::NoBrush);
  switch (r.op) {
    case DrawOp::Clear: p.fillRect(Inside(r.rect), Toolkit(kADMBackgroundColor)); break;
    case DrawOp::Line:
      if (r.points.size() == 2) p.drawLine(r.points[0].h, r.points[0].v, r.points[1].h, r.points[1].v);
      break;
    case DrawOp::FrameRect: p.drawRect(Inside(r.rect).adjusted(0, 0, -1, -1)); break;
    case DrawOp::FillRect: p.fillRect(Inside(r.rect), color); break;
    case DrawOp::SunkenRect: Bevel(p, r.rect, true); break;
    case DrawOp::RaisedRect: Bevel(p, r.rect, false); break;
    case DrawOp::FrameOval: p.drawEllipse(Inside(r.rect).adjusted(0, 0, -1, -1)); break;
    case DrawOp::FillOval:
      p.setPen(Qt::NoPen);
      p.setBrush(color);
      p.drawEllipse(Inside(r.rect));
      break;
    case DrawOp::FramePolygon: p.drawPolygon(PolygonOf(r.points)); break;
    case DrawOp::FillPolygon:
      p.setBrush(color);
      p.drawPolygon(PolygonOf(r.points));
      break;
    case DrawOp::Text:
      if (!r.points.empty()) {
        p.setFont(QtFont(r.font));
        p.drawText(QPoint(r.points[0].h, r.points[0].v), QString::fromStdString(r.text));
      }
      break;
    case DrawOp::TextInRect:
      p.setFont(QtFont(r.font));
      p.drawText(Inside(r.rect), Alignment(r.justify) | Qt::AlignVCenter | Qt::TextSingleLine,
                 QString::fromStdString(r.text));
      break;
    case DrawOp::TextInBox:
      p.setFont(QtFont(r.font));
      p.drawText(Inside(r.rect), Alignment(r.justify) | Qt::AlignTop | Qt::TextWordWrap,
                 QString::fromStdString(r.text));
      break;
    case DrawOp::Picture:
      if (r.points.empty() || !pictures) break;
      if (auto png = pictures(r.picture)) {
        QImage image;
        if (image.loadFromData(reinterpret_cast<const uchar*>(png->data()), static_cast<int>(png->size()), "PNG")) {
          p.drawImage(QPoint(r.points[0].h, r.points[0].v), image);
        }
      }
      break;
  }
}

}  // namespace

QColor QtColor(const ADMRGBColor& c) { return QColor(c.red >> 8, c.green >> 8, c.blue >> 8); }

QFont QtFont(int32_t admFont) {
  const hostsim::toolkit::ToolkitFont face = hostsim::toolkit::FontOf(admFont);
  QFont font(QString::fromUtf8(face.family));
  font.setPixelSize(face.pixels);
  font.setBold(face.bold);
  font.setItalic(face.italic);
  return font;
}

void PaintDisplayList(QPainter& painter, const hostsim::toolkit::DisplayList& list, const PictureLookup& pictures) {
  painter.save();
  for (const DrawRecord& record : list.records) Paint(painter, record, pictures);
  painter.restore();
}

}  // namespace studio
