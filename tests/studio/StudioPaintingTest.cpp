// How the studio paints: the document's art from the host's dump (y up,
// children listed top first), the drawer's display lists in item pixels,
// and the plug-in's cursors with their hot spots.
#include <QImage>
#include <QPainter>
#include <QtTest>

#include "apps/labels-studio/ArtPainter.h"
#include "apps/labels-studio/Cursors.h"
#include "apps/labels-studio/DisplayListPainter.h"

using nlohmann::json;

namespace {

json Square(double x, double y, double side, json fill) {
  auto corner = [](double px, double py) { return json::array({px, py, px, py, px, py}); };
  return json{{"type", "path"},
              {"closed", true},
              {"anchors", {corner(x, y), corner(x + side, y), corner(x + side, y + side), corner(x, y + side)}},
              {"fill", fill},
              {"stroke", nullptr}};
}

// A 100 x 100 picture of the layers at zoom 1, document (0, 0) at the bottom left.
QImage Paint(const json& layers) {
  QImage image(100, 100, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  painter.setTransform(studio::DocumentToWidget(1, QPointF(0, 100)));
  studio::PaintLayers(painter, layers);
  return image;
}

json OneLayer(json art, bool visible = true) {
  return json::array({json{{"title", "L"}, {"visible", visible}, {"art", art}}});
}

}  // namespace

class StudioPaintingTest : public QObject {
  Q_OBJECT

 private slots:
  void DocumentPointsTurnYUpIntoWidgetPixels() {
    const QTransform t = studio::DocumentToWidget(2, QPointF(10, 500));
    QCOMPARE(t.map(QPointF(5, 20)), QPointF(20, 460));
    QCOMPARE(t.map(QPointF(0, 0)), QPointF(10, 500));
  }

  void APathRunsFromEachAnchorsOutHandleToTheNextOnesInHandle() {
    const json path{{"closed", true},
                    {"anchors", {{0, 0, -1, -1, 10, 0}, {20, 10, 20, 5, 20, 15}}}};
    const QPainterPath p = studio::PathOf(path);
    // moveTo, then a curve (3 elements) per segment, the closing one included.
    QCOMPARE(p.elementCount(), 7);
    QCOMPARE(QPointF(p.elementAt(1)), QPointF(10, 0));   // anchor 0's out handle
    QCOMPARE(QPointF(p.elementAt(2)), QPointF(20, 5));   // anchor 1's in handle
    QCOMPARE(QPointF(p.elementAt(3)), QPointF(20, 10));
    QCOMPARE(QPointF(p.elementAt(4)), QPointF(20, 15));  // back: anchor 1's out handle
    QCOMPARE(QPointF(p.elementAt(5)), QPointF(-1, -1));  // anchor 0's in handle
    // An open path has no closing segment; malformed anchors end it.
    QCOMPARE(studio::PathOf(json{{"closed", false}, {"anchors", path["anchors"]}}).elementCount(), 4);
    QCOMPARE(studio::PathOf(json{{"anchors", {{0, 0, 0, 0, 0, 0}, {1, 2}}}}).elementCount(), 1);
    QVERIFY(studio::PathOf(json{{"anchors", "no"}}).isEmpty());
  }

  void GreyIsTheAmountOfBlackAndOddColoursAreBlack() {
    QCOMPARE(studio::ColorOf(json{{"gray", 0.25}}).red(), 191);
    QCOMPARE(studio::ColorOf(json{{"gray", 1}}).rgb(), QColor(Qt::black).rgb());
    QCOMPARE(studio::ColorOf(json{{"rgb", {1, 0, 0.5}}}).rgb(), QColor(255, 0, 128).rgb());
    QCOMPARE(studio::ColorOf(json{{"rgb", {2, -1, 0}}}).rgb(), QColor(255, 0, 0).rgb());  // held to 0..1
    QCOMPARE(studio::ColorOf(json{{"rgb", {1, 0}}}).rgb(), QColor(Qt::black).rgb());
    QCOMPARE(studio::ColorOf(json("red")).rgb(), QColor(Qt::black).rgb());
  }

  void TheFirstChildIsOnTopAndYGoesUp() {
    // Red over blue where they overlap; the red square sits low on the page.
    const json red = Square(10, 10, 40, json{{"rgb", {1, 0, 0}}});
    const json blue = Square(30, 30, 40, json{{"rgb", {0, 0, 1}}});
    const QImage image = Paint(OneLayer({json{{"type", "group"}, {"children", {red, blue}}}}));
    QCOMPARE(image.pixelColor(40, 60), QColor(Qt::red));    // document (40, 40): both
    QCOMPARE(image.pixelColor(60, 40), QColor(Qt::blue));   // document (60, 60): blue only
    QCOMPARE(image.pixelColor(15, 85), QColor(Qt::red));    // document (15, 15)
    QCOMPARE(image.pixelColor(15, 15), QColor(Qt::white));  // document (15, 85): nothing
  }

  void HiddenLayersAndHiddenArtAreNotPainted() {
    json hidden = Square(0, 0, 100, json{{"gray", 1}});
    hidden["hidden"] = true;
    QCOMPARE(Paint(OneLayer({hidden})).pixelColor(50, 50), QColor(Qt::white));
    QCOMPARE(Paint(OneLayer({Square(0, 0, 100, json{{"gray", 1}})}, false)).pixelColor(50, 50), QColor(Qt::white));
    QCOMPARE(Paint(OneLayer({Square(0, 0, 100, json{{"gray", 1}})})).pixelColor(50, 50), QColor(Qt::black));
  }

  void ADisplayListPaintsInItemPixelsLeavingOutRightAndBottomEdges() {
    hostsim::toolkit::DisplayList list;
    hostsim::toolkit::DrawRecord fill = hostsim::toolkit::ShapeRecord(hostsim::toolkit::DrawOp::FillRect, {2, 3, 12, 8});
    fill.color = ADMRGBColor{0xFFFF, 0, 0};
    list.records.push_back(fill);
    hostsim::toolkit::DrawRecord line = hostsim::toolkit::PointsRecord(hostsim::toolkit::DrawOp::Line, {{0, 15}, {19, 15}});
    line.color = ADMRGBColor{0, 0, 0xFFFF};
    list.records.push_back(line);
    QImage image(20, 20, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
      QPainter painter(&image);
      studio::PaintDisplayList(painter, list, {});
    }
    QCOMPARE(image.pixelColor(2, 3), QColor(Qt::red));
    QCOMPARE(image.pixelColor(11, 7), QColor(Qt::red));
    QCOMPARE(image.pixelColor(12, 7), QColor(Qt::white));
    QCOMPARE(image.pixelColor(11, 8), QColor(Qt::white));
    QCOMPARE(image.pixelColor(19, 15), QColor(Qt::blue));  // both ends of a line are drawn
  }

  void CursorsPointWithTheirDrawnHotSpots() {
    QCOMPARE(studio::CursorHotSpot(1850), QPoint(1, 1));
    QCOMPARE(studio::CursorHotSpot(1852), QPoint(1, 1));
    QCOMPARE(studio::CursorHotSpot(17001), QPoint(8, 8));
    QCOMPARE(studio::CursorHotSpot(20009), QPoint(8, 8));
    QVERIFY(!studio::CursorFromPng("not a png", 17001).has_value());
  }
};

QTEST_MAIN(StudioPaintingTest)
#include "StudioPaintingTest.moc"
