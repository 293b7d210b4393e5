#include "hostsim/toolkit/DisplayList.h"

#include <iterator>

namespace hostsim::toolkit {
namespace {

const char* OpName(DrawOp op) {
  switch (op) {
    case DrawOp::Clear: return "clear";
    case DrawOp::Line: return "line";
    case DrawOp::FrameRect: return "frameRect";
    case DrawOp::FillRect: return "fillRect";
    case DrawOp::SunkenRect: return "sunkenRect";
    case DrawOp::RaisedRect: return "raisedRect";
    case DrawOp::FrameOval: return "frameOval";
    case DrawOp::FillOval: return "fillOval";
    case DrawOp::FramePolygon: return "framePolygon";
    case DrawOp::FillPolygon: return "fillPolygon";
    case DrawOp::Text: return "text";
    case DrawOp::TextInRect: return "textInRect";
    case DrawOp::TextInBox: return "textInBox";
    case DrawOp::Picture: return "picture";
  }
  return "?";
}

bool HasRect(DrawOp op) {
  return op != DrawOp::Line && op != DrawOp::FramePolygon && op != DrawOp::FillPolygon && op != DrawOp::Text &&
         op != DrawOp::Picture;
}

nlohmann::json Rect(const ADMRect& r) { return {r.left, r.top, r.right, r.bottom}; }

constexpr uint16_t Wide(int v) { return static_cast<uint16_t>(v * 257); }

struct ColorRow {
  int32_t code;
  int r, g, b;
};
constexpr ColorRow kColors[] = {
    {kADMBlackColor, 0, 0, 0},           {kADMWhiteColor, 255, 255, 255},
    {kADMHiliteColor, 0, 90, 200},       {kADMHiliteTextColor, 255, 255, 255},
    {kADMLightColor, 240, 240, 240},     {kADMBackgroundColor, 214, 214, 214},
    {kADMShadowColor, 128, 128, 128},    {kADMDisabledColor, 160, 160, 160},
    {kADMButtonUpColor, 225, 225, 225},  {kADMButtonDownColor, 190, 190, 190},
    {kADMButtonDownShadeColor, 150, 150, 150}, {kADMToolTipBackgroundColor, 255, 255, 225},
    {kADMToolTipForegroundColor, 0, 0, 0}, {kADMWindowColor, 255, 255, 255},
    {kADMForegroundColor, 0, 0, 0},      {kADMTextColor, 0, 0, 0},
    {kADMRedColor, 220, 0, 0},           {kADMTabBackgroundColor, 200, 200, 200},
    {kADMActiveTabColor, 214, 214, 214}, {kADMInactiveTabColor, 180, 180, 180},
};

// A condensed face, so that every text the plug-in gives an item fits the
// rectangle it gives it, as in the platform's own dialog font.
constexpr ToolkitFont kFonts[] = {
    {"DejaVu Sans Condensed", 11, false, false},  // default: the dialog font
    {"DejaVu Sans Condensed", 11, false, false},  // dialog
    {"DejaVu Sans Condensed", 9, false, false},   // palette
    {"DejaVu Sans Condensed", 11, false, true},   // italic dialog
    {"DejaVu Sans Condensed", 9, false, true},    // italic palette
    {"DejaVu Sans Condensed", 11, true, false},   // bold dialog
    {"DejaVu Sans Condensed", 9, true, false},    // bold palette
    {"DejaVu Sans Condensed", 11, true, true},    // bold italic dialog
    {"DejaVu Sans Condensed", 9, true, true},     // bold italic palette
    {"DejaVu Sans Mono", 11, false, false},       // fixed width
    {"DejaVu Sans Mono", 11, false, true},
    {"DejaVu Sans Mono", 11, true, false},
    {"DejaVu Sans Mono", 11, true, true},
    {"DejaVu Sans Condensed", 8, false, false},   // small
};

}  // namespace

DrawRecord ShapeRecord(DrawOp op, const ADMRect& rect) {
  DrawRecord r;
  r.op = op;
  r.rect = rect;
  return r;
}

DrawRecord PointsRecord(DrawOp op, std::vector<ADMPoint> points) {
  DrawRecord r;
  r.op = op;
  r.points = std::move(points);
  return r;
}

DrawRecord TextRecord(DrawOp op, const ADMRect& rect, std::string text, int32_t justify) {
  DrawRecord r = ShapeRecord(op, rect);
  r.text = std::move(text);
  r.justify = justify;
  return r;
}

DrawRecord TextAtRecord(ADMPoint at, std::string text) {
  DrawRecord r = PointsRecord(DrawOp::Text, {at});
  r.text = std::move(text);
  return r;
}

DrawRecord PictureRecord(ADMPoint at, int32_t picture) {
  DrawRecord r = PointsRecord(DrawOp::Picture, {at});
  r.picture = picture;
  return r;
}

nlohmann::json DisplayList::ToJson() const {
  nlohmann::json out = nlohmann::json::array();
  for (const DrawRecord& r : records) {
    nlohmann::json j = {{"op", OpName(r.op)}, {"color", {r.color.red, r.color.green, r.color.blue}}};
    if (r.admColor >= 0) j["admColor"] = r.admColor;
    if (HasRect(r.op)) j["rect"] = Rect(r.rect);
    if (!r.points.empty()) {
      nlohmann::json points = nlohmann::json::array();
      for (const ADMPoint& p : r.points) points.push_back({p.h, p.v});
      j["points"] = std::move(points);
    }
    if (r.op == DrawOp::Text || r.op == DrawOp::TextInRect || r.op == DrawOp::TextInBox) {
      j["text"] = r.text;
      j["font"] = r.font;
      if (r.op != DrawOp::Text) j["justify"] = r.justify;
    }
    if (r.op == DrawOp::Picture) j["picture"] = r.picture;
    out.push_back(std::move(j));
  }
  return out;
}

nlohmann::json DialogPicture::ToJson() const {
  nlohmann::json items_ = nlohmann::json::array();
  for (const ItemPicture& i : items) {
    items_.push_back({{"id", i.id}, {"bounds", Rect(i.bounds)}, {"list", i.list.ToJson()}});
  }
  return {{"width", width}, {"height", height}, {"background", background.ToJson()}, {"items", std::move(items_)}};
}

const DisplayList* DialogPicture::ListOf(int32_t id) const {
  for (const ItemPicture& i : items) {
    if (i.id == id) return &i.list;
  }
  return nullptr;
}

bool IsKnownColor(int32_t color) {
  for (const ColorRow& c : kColors) {
    if (c.code == color) return true;
  }
  return false;
}

ADMRGBColor ColorOf(int32_t color) {
  for (const ColorRow& c : kColors) {
    if (c.code == color) return {Wide(c.r), Wide(c.g), Wide(c.b)};
  }
  return {0, 0, 0};
}

bool IsKnownFont(int32_t font) { return font >= 0 && font < static_cast<int32_t>(std::size(kFonts)); }

ToolkitFont FontOf(int32_t font) { return IsKnownFont(font) ? kFonts[font] : kFonts[0]; }

}  // namespace hostsim::toolkit
