// The artboard: the page and the document's art, zoomed and panned. The
// mouse goes to the current tool: the plug-in's (through the host's mouse
// messages) or the host's selection tool (select, move, delete art). The
// zoom is the view's zoom the plug-in reads.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>

#include <QPointF>
#include <QRectF>
#include <QWidget>

#include "apps/labels-studio/Studio.h"

namespace studio {

class Artboard : public QWidget {
 public:
  Artboard(Studio& studio, QWidget* parent = nullptr);

  double zoom() const { return zoom_; }
  // Keeps the document point under the widget point `anchor` where it is.
  void SetZoom(double zoom, std::optional<QPointF> anchor = std::nullopt);
  void ZoomIn() { SetZoom(zoom_ * kStep); }
  void ZoomOut() { SetZoom(zoom_ / kStep); }
  // The whole page in view, and kept so as the window changes size, until
  // the person zooms or pans.
  void FitPage();
  // Document point (y up) of a widget point, and back.
  QPointF ToDocument(QPointF widgetPoint) const;
  QPointF ToWidget(QPointF documentPoint) const;
  // True while the button is down over the artboard.
  bool dragging() const { return pressed_; }
  // Ends a gesture in progress as if the button came up where the pointer last was.
  void FinishGesture();
  void SetPanning(bool panning);
  // Called when a press, drag and release of the plug-in's tool changed the drawing.
  std::function<void()> onToolStep;

  static constexpr double kStep = 1.25;
  static constexpr double kMinZoom = 0.05;
  static constexpr double kMaxZoom = 64;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  bool PluginToolCurrent() const;
  AIRealPoint Point(QPointF widgetPoint) const;
  void Act(const std::function<hostsim::ActionResult()>& action);
  void EndHostGesture();

  Studio& studio_;
  double zoom_ = 1;
  QPointF origin_{40, 832};  // widget pixel of document point (0, 0)
  bool autoFit_ = true;       // the page stays fitted to the window until the person zooms or pans
  bool pressed_ = false;
  bool hostGesture_ = false;
  std::optional<QRectF> band_;  // the rubber band being drawn, widget pixels
  bool bandExtends_ = false;    // Shift held at its start: the band adds to the selection
  bool toolDragged_ = false;         // the plug-in's tool was dragged since the press
  std::uint64_t stateAtPress_ = 0;  // the drawing's place in the history when the plug-in's tool was pressed  // a gesture of the host's selection tool is open in the history
  bool panning_ = false;      // Space held: a drag pans the view
  QPointF panFrom_;
  QPointF last_;              // document point of the last press or drag
};

}  // namespace studio
