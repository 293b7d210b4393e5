// ADM Drawer Suite: what the plug-in draws on an item or a dialog, recorded
// into the display list of the paint in progress.
#include <cmath>

#include "host/PluginExports.h"
#include "hostsim/suites/ToolkitSuites.h"
#include "hostsim/suites/ToolkitSupport.h"

namespace hostsim::suites {
namespace {

using toolkit::DrawOp;
using toolkit::DrawRecord;
using toolkit::PictureRecord;
using toolkit::PointsRecord;
using toolkit::ShapeRecord;
using toolkit::TextAtRecord;
using toolkit::TextRecord;
using toolkit::Toolkit;
using Drawer = Toolkit::DrawerCall;

constexpr int32_t kMaxPolygonPoints = 4096;

template <class Body>
ASErr OnDrawer(const char* op, ADMDrawerRef ref, Body&& body) {
  return Guarded(kADMDrawerSuite, op, [&](Host& h) -> ASErr {
    Drawer* d = h.dialogs().FindDrawer(ref);
    if (d == nullptr) return kBadParameterErr;
    return body(h, *d);
  });
}

ASErr RectOp(const char* op, ADMDrawerRef ref, const ADMRect* rect, DrawOp what) {
  return OnDrawer(op, ref, [&](Host& h, Drawer& d) -> ASErr {
    if (!ValidRect(rect)) return kBadParameterErr;
    h.dialogs().Record(d, ShapeRecord(what, *rect));
    return kNoErr;
  });
}

// Fills with the background colour, keeping the drawer's own colour.
ASErr ClearOp(const char* op, ADMDrawerRef ref, const ADMRect* rect, bool whole) {
  return OnDrawer(op, ref, [&](Host& h, Drawer& d) -> ASErr {
    if (!whole && !ValidRect(rect)) return kBadParameterErr;
    const ADMRect area = whole ? d.area : *rect;
    const Drawer saved = d;
    d.admColor = kADMBackgroundColor;
    d.color = toolkit::ColorOf(kADMBackgroundColor);
    h.dialogs().Record(d, ShapeRecord(DrawOp::Clear, area));
    d.admColor = saved.admColor;
    d.color = saved.color;
    return kNoErr;
  });
}

ASErr PolygonOp(const char* op, ADMDrawerRef ref, const ADMPoint* points, int32_t count, DrawOp what) {
  return OnDrawer(op, ref, [&](Host& h, Drawer& d) -> ASErr {
    if (points == nullptr || count < 1 || count > kMaxPolygonPoints) return kBadParameterErr;
    h.dialogs().Record(d, PointsRecord(what, std::vector<ADMPoint>(points, points + count)));
    return kNoErr;
  });
}

ASErr TextOp(const char* op, ADMDrawerRef ref, const char* text, const ADMRect* rect, DrawOp what, int32_t justify) {
  return OnDrawer(op, ref, [&](Host& h, Drawer& d) -> ASErr {
    if (text == nullptr || !ValidRect(rect)) return kBadParameterErr;
    h.dialogs().Record(d, TextRecord(what, *rect, FromPlatform(text), justify));
    return kNoErr;
  });
}

ASErr GetBoundsRect(ADMDrawerRef ref, ADMRect* bounds) {
  return OnDrawer("GetBoundsRect", ref, [&](Host&, Drawer& d) { return Out(bounds, d.area); });
}

ASErr Clear(ADMDrawerRef ref) { return ClearOp("Clear", ref, nullptr, true); }
ASErr ClearRect(ADMDrawerRef ref, const ADMRect* rect) { return ClearOp("ClearRect", ref, rect, false); }

ASErr SetADMColor(ADMDrawerRef ref, int32_t color) {
  return OnDrawer("SetADMColor", ref, [&](Host&, Drawer& d) -> ASErr {
    if (!toolkit::IsKnownColor(color)) return kBadParameterErr;
    d.admColor = color;
    d.color = toolkit::ColorOf(color);
    return kNoErr;
  });
}

ASErr SetRGBColor(ADMDrawerRef ref, const ADMRGBColor* color) {
  return OnDrawer("SetRGBColor", ref, [&](Host&, Drawer& d) -> ASErr {
    if (color == nullptr) return kBadParameterErr;
    d.admColor = -1;
    d.color = *color;
    return kNoErr;
  });
}

ASErr GetRGBColor(ADMDrawerRef ref, ADMRGBColor* color) {
  return OnDrawer("GetRGBColor", ref, [&](Host&, Drawer& d) { return Out(color, d.color); });
}

ASErr SetFont(ADMDrawerRef ref, int32_t font) {
  return OnDrawer("SetFont", ref, [&](Host&, Drawer& d) -> ASErr {
    if (!toolkit::IsKnownFont(font)) return kBadParameterErr;
    d.font = font;
    return kNoErr;
  });
}

ASErr GetFont(ADMDrawerRef ref, int32_t* font) {
  return OnDrawer("GetFont", ref, [&](Host&, Drawer& d) { return Out(font, d.font); });
}

ASErr DrawLine(ADMDrawerRef ref, const ADMPoint* start, const ADMPoint* end) {
  return OnDrawer("DrawLine", ref, [&](Host& h, Drawer& d) -> ASErr {
    if (start == nullptr || end == nullptr) return kBadParameterErr;
    h.dialogs().Record(d, PointsRecord(DrawOp::Line, {*start, *end}));
    return kNoErr;
  });
}

ASErr DrawRect(ADMDrawerRef r, const ADMRect* rect) { return RectOp("DrawRect", r, rect, DrawOp::FrameRect); }
ASErr FillRect(ADMDrawerRef r, const ADMRect* rect) { return RectOp("FillRect", r, rect, DrawOp::FillRect); }
ASErr DrawSunkenRect(ADMDrawerRef r, const ADMRect* rect) {
  return RectOp("DrawSunkenRect", r, rect, DrawOp::SunkenRect);
}
ASErr DrawRaisedRect(ADMDrawerRef r, const ADMRect* rect) {
  return RectOp("DrawRaisedRect", r, rect, DrawOp::RaisedRect);
}
ASErr DrawOval(ADMDrawerRef r, const ADMRect* rect) { return RectOp("DrawOval", r, rect, DrawOp::FrameOval); }
ASErr FillOval(ADMDrawerRef r, const ADMRect* rect) { return RectOp("FillOval", r, rect, DrawOp::FillOval); }

ASErr DrawPolygon(ADMDrawerRef r, const ADMPoint* points, int32_t count) {
  return PolygonOp("DrawPolygon", r, points, count, DrawOp::FramePolygon);
}
ASErr FillPolygon(ADMDrawerRef r, const ADMPoint* points, int32_t count) {
  return PolygonOp("FillPolygon", r, points, count, DrawOp::FillPolygon);
}

ASErr DrawText(ADMDrawerRef ref, const char* text, const ADMPoint* point) {
  return OnDrawer("DrawText", ref, [&](Host& h, Drawer& d) -> ASErr {
    if (text == nullptr || point == nullptr) return kBadParameterErr;
    h.dialogs().Record(d, TextAtRecord(*point, FromPlatform(text)));
    return kNoErr;
  });
}

ASErr DrawTextLeft(ADMDrawerRef r, const char* text, const ADMRect* rect) {
  return TextOp("DrawTextLeft", r, text, rect, DrawOp::TextInRect, kADMLeftJustify);
}
ASErr DrawTextCentered(ADMDrawerRef r, const char* text, const ADMRect* rect) {
  return TextOp("DrawTextCentered", r, text, rect, DrawOp::TextInRect, kADMCenterJustify);
}
ASErr DrawTextRight(ADMDrawerRef r, const char* text, const ADMRect* rect) {
  return TextOp("DrawTextRight", r, text, rect, DrawOp::TextInRect, kADMRightJustify);
}
ASErr DrawTextInABox(ADMDrawerRef r, const ADMRect* rect, const char* text) {
  return TextOp("DrawTextInABox", r, text, rect, DrawOp::TextInBox, kADMLeftJustify);
}

ASErr DrawIcon(ADMDrawerRef ref, ADMIconRef icon, const ADMPoint* point) {
  return OnDrawer("DrawIcon", ref, [&](Host& h, Drawer& d) -> ASErr {
    const Icon* i = h.icons().Find(icon);
    if (i == nullptr || point == nullptr) return kBadParameterErr;
    h.dialogs().Record(d, PictureRecord(*point, i->resourceId));
    return kNoErr;
  });
}

ASErr DrawResPicture(ADMDrawerRef ref, SPPluginRef self, int32_t pictureID, const ADMPoint* point) {
  return OnDrawer("DrawResPicture", ref, [&](Host& h, Drawer& d) -> ASErr {
    if (!h.IsPluginRef(self) || point == nullptr) return kBadParameterErr;
    if (!h.PluginResource(kPictureResource, pictureID)) return kNameNotFoundErr;
    h.dialogs().Record(d, PictureRecord(*point, pictureID));
    return kNoErr;
  });
}

ASErr GetTextWidth(ADMDrawerRef ref, const char* text, int32_t* width) {
  return OnDrawer("GetTextWidth", ref, [&](Host& h, Drawer& d) -> ASErr {
    if (text == nullptr) return kBadParameterErr;
    return Out(width, h.dialogs().services().TextWidth(d.font, FromPlatform(text)));
  });
}

ASErr GetFontInfo(ADMDrawerRef ref, ADMFontInfo* info) {
  return OnDrawer("GetFontInfo", ref, [&](Host&, Drawer& d) -> ASErr {
    const int32_t px = toolkit::FontOf(d.font).pixels;
    const auto ascent = static_cast<int32_t>(std::lround(px * 0.8));
    const auto descent = static_cast<int32_t>(std::lround(px * 0.25));
    return Out(info, ADMFontInfo{ascent + descent + 1, ascent, descent, 1, px});
  });
}

const ADMDrawerSuite kSuite = {GetBoundsRect, Clear,          ClearRect,      SetADMColor,      SetRGBColor,
                               GetRGBColor,   SetFont,        GetFont,        DrawLine,         DrawRect,
                               FillRect,      DrawSunkenRect, DrawRaisedRect, DrawOval,         FillOval,
                               DrawPolygon,   FillPolygon,    DrawText,       DrawTextLeft,     DrawTextCentered,
                               DrawTextRight, DrawTextInABox, DrawIcon,       DrawResPicture,   GetTextWidth,
                               GetFontInfo};

}  // namespace

const ADMDrawerSuite& AdmDrawerSuite() { return kSuite; }

}  // namespace hostsim::suites
