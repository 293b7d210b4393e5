// What a drawer recorded: one display list per item and one for the dialog's
// own background. Coordinates are the pixels of what was drawn: item-local
// for an item (its bounds give the place in the dialog), dialog-local for
// the dialog. Colours are 16-bit channels, as the drawer takes them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "host/ADMSuites.h"

namespace hostsim::toolkit {

enum class DrawOp {
  Clear,         // rect filled with the background colour
  Line,          // points[0] to points[1], both ends drawn
  FrameRect,
  FillRect,
  SunkenRect,    // shadow top and left, light bottom and right
  RaisedRect,
  FrameOval,     // the oval inscribed in rect
  FillOval,
  FramePolygon,  // closed, through points
  FillPolygon,
  Text,          // text from points[0], its baseline
  TextInRect,    // one line in rect, justified, centred vertically
  TextInBox,     // wrapped to rect's width from its top-left corner
  Picture,       // picture resource `picture`, top-left at points[0]
};

struct DrawRecord {
  DrawOp op = DrawOp::Clear;
  ADMRect rect{};
  std::vector<ADMPoint> points;
  ADMRGBColor color{};
  int32_t admColor = -1;  // the toolkit colour asked for; -1 for an RGB colour
  int32_t font = kADMDefaultFont;
  int32_t justify = kADMLeftJustify;
  std::string text;       // UTF-8
  int32_t picture = 0;
};

// Records by kind; the drawer adds its colour and font.
DrawRecord ShapeRecord(DrawOp op, const ADMRect& rect);
DrawRecord PointsRecord(DrawOp op, std::vector<ADMPoint> points);
DrawRecord TextRecord(DrawOp op, const ADMRect& rect, std::string text, int32_t justify);
DrawRecord TextAtRecord(ADMPoint at, std::string text);
DrawRecord PictureRecord(ADMPoint at, int32_t picture);

struct DisplayList {
  std::vector<DrawRecord> records;
  // [{"op", "color": [r,g,b], "admColor"?, "rect"?, "points"?, "text"?, "font"?, ...}]
  nlohmann::json ToJson() const;
};

// A painted item: its id, its bounds in the dialog, and what it drew.
struct ItemPicture {
  int32_t id = 0;
  ADMItemRef item = nullptr;
  ADMRect bounds{};
  DisplayList list;
};

// A painted dialog: its size, its background, then its visible items in
// paint order (creation order).
struct DialogPicture {
  int32_t width = 0;
  int32_t height = 0;
  DisplayList background;
  std::vector<ItemPicture> items;
  // {"width", "height", "background": [...], "items": [{"id", "bounds", "list"}]}
  nlohmann::json ToJson() const;
  // The list of the first painted item with that id, or null.
  const DisplayList* ListOf(int32_t id) const;
};

// The toolkit's colours as 16-bit channels (ADMSuites.h gives them as 8-bit).
bool IsKnownColor(int32_t color);
ADMRGBColor ColorOf(int32_t color);

// The toolkit's fonts: face and pixel size.
struct ToolkitFont {
  const char* family;
  int32_t pixels;
  bool bold;
  bool italic;
};
bool IsKnownFont(int32_t font);
ToolkitFont FontOf(int32_t font);

}  // namespace hostsim::toolkit
