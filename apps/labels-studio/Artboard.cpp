#include "apps/labels-studio/Artboard.h"

#include <algorithm>
#include <cmath>

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include "apps/labels-studio/ArtPainter.h"
#include "hostsim/document/DocumentApi.h"

namespace studio {
namespace {

constexpr double kSelectTolerance = 3;  // screen pixels
constexpr double kFitMargin = 24;       // pixels round the fitted page

}  // namespace

Artboard::Artboard(Studio& studio, QWidget* parent) : QWidget(parent), studio_(studio) {
  setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
  setMinimumSize(320, 240);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void Artboard::SetZoom(double zoom, std::optional<QPointF> anchor) {
  if (!std::isfinite(zoom)) return;
  zoom = std::clamp(zoom, kMinZoom, kMaxZoom);
  const QPointF at = anchor.value_or(QPointF(width() / 2.0, height() / 2.0));
  const QPointF doc = ToDocument(at);
  zoom_ = zoom;
  autoFit_ = false;
  origin_ = at - QPointF(doc.x() * zoom_, -doc.y() * zoom_);
  studio_.user.SetZoom(zoom_);
  update();
}

void Artboard::FitPage() {
  const AIRealRect page = studio_.user.PageBounds();
  const double w = std::max(1.0, static_cast<double>(page.right - page.left));
  const double h = std::max(1.0, static_cast<double>(page.top - page.bottom));
  const double zoom = std::min((width() - 2 * kFitMargin) / w, (height() - 2 * kFitMargin) / h);
  zoom_ = std::clamp(zoom, kMinZoom, kMaxZoom);
  // The page's centre at the widget's centre.
  const QPointF centre((page.left + page.right) / 2.0, (page.top + page.bottom) / 2.0);
  origin_ = QPointF(width() / 2.0 - centre.x() * zoom_, height() / 2.0 + centre.y() * zoom_);
  studio_.user.SetZoom(zoom_);
  autoFit_ = true;
  update();
}

QPointF Artboard::ToDocument(QPointF p) const { return {(p.x() - origin_.x()) / zoom_, (origin_.y() - p.y()) / zoom_}; }

QPointF Artboard::ToWidget(QPointF p) const { return {origin_.x() + p.x() * zoom_, origin_.y() - p.y() * zoom_}; }

AIRealPoint Artboard::Point(QPointF widgetPoint) const {
  const QPointF d = ToDocument(widgetPoint);
  return {static_cast<AIReal>(d.x()), static_cast<AIReal>(d.y())};
}

bool Artboard::PluginToolCurrent() const { return studio_.host.tools().PluginToolSelected(); }

void Artboard::Act(const std::function<hostsim::ActionResult()>& action) {
  action();
  if (studio_.refresh) studio_.refresh();
}

void Artboard::SetPanning(bool panning) {
  panning_ = panning;
  if (!panning_ && !pressed_) unsetCursor();
}

void Artboard::FinishGesture() {
  if (!pressed_) return;
  pressed_ = false;
  if (PluginToolCurrent()) {
    const AIRealPoint at{static_cast<AIReal>(last_.x()), static_cast<AIReal>(last_.y())};
    Act([this, at] { return studio_.user.MouseUp(at); });
  }
  EndHostGesture();
}

void Artboard::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), QColor(0xB8, 0xB8, 0xB8));
  painter.setRenderHint(QPainter::Antialiasing);
  const QTransform toWidget = DocumentToWidget(zoom_, origin_);
  const AIRealRect page = studio_.user.PageBounds();
  const QRectF pageRect = toWidget.mapRect(QRectF(QPointF(page.left, page.bottom), QPointF(page.right, page.top)));
  painter.fillRect(pageRect.translated(3, 3), QColor(0x80, 0x80, 0x80));
  painter.fillRect(pageRect, Qt::white);
  painter.setPen(QPen(Qt::black, 0));
  painter.drawRect(pageRect);

  painter.save();
  painter.setTransform(toWidget);
  PaintLayers(painter, hostsim::DumpLayers(studio_.host.document()));
  painter.restore();

  if (const std::optional<AIRealRect> b = studio_.user.SelectionBounds()) {
    const QRectF box = toWidget.mapRect(QRectF(QPointF(b->left, b->bottom), QPointF(b->right, b->top)));
    painter.setPen(QPen(QColor(0x1E, 0x6F, 0xFF), 1, Qt::DashLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(box.adjusted(-2, -2, 2, 2));
  }
  if (band_) {
    painter.setPen(QPen(QColor(0x1E, 0x6F, 0xFF), 1, Qt::DotLine));
    painter.setBrush(QColor(0x1E, 0x6F, 0xFF, 0x20));
    painter.drawRect(band_->normalized());
  }
}

void Artboard::mousePressEvent(QMouseEvent* e) {
  if (e->button() == Qt::MiddleButton || (e->button() == Qt::LeftButton && panning_)) {
    panFrom_ = e->position();
    setCursor(Qt::ClosedHandCursor);
    return;
  }
  if (e->button() != Qt::LeftButton) return;
  setFocus();
  pressed_ = true;
  last_ = ToDocument(e->position());
  const AIRealPoint at = Point(e->position());
  if (PluginToolCurrent()) {
    stateAtPress_ = studio_.user.DrawingState();
    toolDragged_ = false;
    Act([this, at] { return studio_.user.MouseDown(at); });
  } else {
    // The selection tool's press, drags and release are one step.
    studio_.user.BeginGesture();
    hostGesture_ = true;
    const double tolerance = kSelectTolerance / zoom_;
    if (e->modifiers() & Qt::ShiftModifier) {
      // Shift: the art under the pointer joins or leaves the selection; on nothing, a band adds.
      if (!studio_.user.ToggleAt(at, tolerance).done()) band_ = QRectF(e->position(), e->position());
      bandExtends_ = true;
    } else if (!studio_.user.SelectAt(at, tolerance).done()) {
      band_ = QRectF(e->position(), e->position());  // a press on nothing draws a rubber band
      bandExtends_ = false;
    }
    if (studio_.refresh) studio_.refresh();
  }
}

void Artboard::mouseMoveEvent(QMouseEvent* e) {
  if ((e->buttons() & Qt::MiddleButton) || (panning_ && (e->buttons() & Qt::LeftButton) && !pressed_)) {
    origin_ += e->position() - panFrom_;
    autoFit_ = false;
    panFrom_ = e->position();
    update();
    return;
  }
  const AIRealPoint at = Point(e->position());
  if (pressed_ && (e->buttons() & Qt::LeftButton)) {
    const QPointF doc = ToDocument(e->position());
    if (PluginToolCurrent()) {
      toolDragged_ = true;
      Act([this, at] { return studio_.user.Drag(at); });
    } else if (band_) {
      band_->setBottomRight(e->position());
      update();
    } else if (!(e->modifiers() & Qt::ShiftModifier)) {
      const QPointF by = doc - last_;
      Act([this, by] { return studio_.user.MoveSelection(by.x(), by.y()); });
    }
    last_ = doc;
  } else if (PluginToolCurrent()) {
    Act([this, at] { return studio_.user.PointerMove(at); });
  }
}

void Artboard::mouseReleaseEvent(QMouseEvent* e) {
  if (e->button() == Qt::MiddleButton || (panning_ && !pressed_)) {
    if (panning_) setCursor(Qt::OpenHandCursor);
    else unsetCursor();
    return;
  }
  if (e->button() != Qt::LeftButton || !pressed_) return;
  pressed_ = false;
  last_ = ToDocument(e->position());
  const AIRealPoint at = Point(e->position());
  if (band_) {
    const QPointF a = ToDocument(band_->topLeft()), b = ToDocument(e->position());
    const AIRealRect r{static_cast<AIReal>(a.x()), static_cast<AIReal>(a.y()), static_cast<AIReal>(b.x()),
                       static_cast<AIReal>(b.y())};
    band_.reset();
    Act([this, r] { return studio_.user.SelectInRect(r, bandExtends_); });
  }
  if (PluginToolCurrent()) {
    Act([this, at] { return studio_.user.MouseUp(at); });
    if (toolDragged_ && studio_.user.DrawingState() != stateAtPress_ && onToolStep) onToolStep();
  }
  EndHostGesture();
}

void Artboard::EndHostGesture() {
  if (!hostGesture_) return;
  hostGesture_ = false;
  studio_.user.EndGesture();
  if (studio_.refresh) studio_.refresh();
}

void Artboard::keyPressEvent(QKeyEvent* e) {
  // Arrow keys nudge the selection one point, ten with Shift, as one step each.
  const double step = (e->modifiers() & Qt::ShiftModifier) ? 10 : 1;
  double dx = 0, dy = 0;
  switch (e->key()) {
    case Qt::Key_Left: dx = -step; break;
    case Qt::Key_Right: dx = step; break;
    case Qt::Key_Up: dy = step; break;  // y up
    case Qt::Key_Down: dy = -step; break;
    default: QWidget::keyPressEvent(e); return;
  }
  if (PluginToolCurrent() || pressed_) return;
  Act([this, dx, dy] { return studio_.user.MoveSelection(dx, dy); });
}

void Artboard::wheelEvent(QWheelEvent* e) {
  const double steps = e->angleDelta().y() / 120.0;
  if (steps == 0) return;
  SetZoom(zoom_ * std::pow(kStep, steps), e->position());
}

void Artboard::resizeEvent(QResizeEvent*) {
  if (autoFit_ && width() > 0 && height() > 0) FitPage();
}

}  // namespace studio
