// The document's part of the observation dump: layers top first, art in
// paint order, top first. Numbers are rounded to 4 decimals so that float
// noise does not show in expected results.
#include <cmath>

#include <nlohmann/json.hpp>

#include "hostsim/FontList.h"
#include "hostsim/document/Document.h"
#include "hostsim/document/DocumentApi.h"
#include "hostsim/document/DocumentJson.h"
#include "hostsim/Encoding.h"

namespace hostsim {
namespace {

using nlohmann::json;

double Round(double v) { return std::round(v * 1e4) / 1e4 + 0.0; }

const char* CapName(int32_t cap) {
  return cap == kAIRoundCap ? "round" : cap == kAIProjectingCap ? "square" : "butt";
}
const char* JoinName(int32_t join) { return join == kAIRoundJoin ? "round" : join == kAIBevelJoin ? "bevel" : "miter"; }

json Anchors(const std::vector<AIPathSegment>& segments) {
  json out = json::array();
  for (const AIPathSegment& s : segments) {
    out.push_back({Round(s.p.h), Round(s.p.v), Round(s.in.h), Round(s.in.v), Round(s.out.h), Round(s.out.v)});
  }
  return out;
}

json ArtJson(const Document& doc, const Art& art) {
  json j;
  j["type"] = art.kind == ArtKind::Group  ? "group"
              : art.kind == ArtKind::Path ? "path"
              : art.kind == ArtKind::Text ? "text"
                                          : "kept";
  j["name"] = SanitizeUtf8(art.name);
  json tags = json::object();
  for (const auto& [name, tag] : art.tags) tags[SanitizeUtf8(name)] = SanitizeUtf8(tag.value);
  j["tags"] = tags;
  j["selected"] = (art.userAttr & kArtSelected) != 0;
  j["locked"] = (art.userAttr & kArtLocked) != 0;
  j["hidden"] = (art.userAttr & kArtHidden) != 0;
  switch (art.kind) {
    case ArtKind::Group: {
      json children = json::array();
      for (ObjectId child : art.children) children.push_back(ArtJson(doc, *doc.FindArt(child)));
      j["children"] = children;
      if (art.compound) j["compound"] = true;
      break;
    }
    case ArtKind::Path: {
      const AIPathStyle& s = art.path.style;
      j["closed"] = art.path.closed;
      j["anchors"] = Anchors(art.path.segments);
      j["fill"] = s.fillPaint ? ColorJson(s.fill.color) : json(nullptr);
      json stroke = s.strokePaint ? ColorJson(s.stroke.color) : json(nullptr);
      if (!stroke.is_null()) {
        stroke["width"] = Round(s.stroke.width);
        stroke["cap"] = CapName(s.stroke.cap);
        stroke["join"] = JoinName(s.stroke.join);
        stroke["miter"] = Round(s.stroke.miterLimit);
        if (s.stroke.dash.length > 0) {
          json dash = json::array();
          for (int i = 0; i < s.stroke.dash.length && i < 6; ++i) dash.push_back(Round(s.stroke.dash.array[i]));
          stroke["dash"] = dash;
        }
      }
      j["stroke"] = stroke;
      if (art.path.guide) j["guide"] = true;
      break;
    }
    case ArtKind::Text: {
      const TextData& t = art.text;
      const AIRealRect b = doc.TextBounds(t);
      j["text"] = SanitizeUtf8(t.text);
      j["anchor"] = {Round(t.anchor.h), Round(t.anchor.v)};
      j["font"] = t.font < doc.fonts().size() ? SanitizeUtf8(doc.fonts().at(t.font).fullName) : std::string();
      j["size"] = Round(t.size);
      j["baselineShift"] = Round(t.baselineShift);
      j["justification"] = JustificationName(t.justification);
      j["bounds"] = {Round(b.left), Round(b.bottom), Round(b.right), Round(b.top)};
      j["fill"] = ColorJson(t.fill);
      break;
    }
    case ArtKind::Kept: {
      j["element"] = art.source ? SanitizeUtf8(art.source->name) : std::string();
      const auto b = doc.Bounds(art);
      j["bounds"] = b ? json{Round(b->left), Round(b->bottom), Round(b->right), Round(b->top)} : json(nullptr);
      break;
    }
  }
  return j;
}

}  // namespace

json ColorJson(const AIColor& c) {
  switch (c.kind) {
    case kGrayColor: return json{{"gray", Round(c.c.g.gray)}};
    case kThreeColor: return json{{"rgb", {Round(c.c.rgb.red), Round(c.c.rgb.green), Round(c.c.rgb.blue)}}};
    default: return json(nullptr);
  }
}

const char* JustificationName(int justification) {
  return justification == kJustifyRight ? "right" : justification == kJustifyCenter ? "center" : "left";
}

json DumpLayers(const Document& doc) {
  json layers = json::array();
  for (const Layer& layer : doc.layers()) {
    json art = json::array();
    for (ObjectId child : doc.FindArt(layer.group)->children) art.push_back(ArtJson(doc, *doc.FindArt(child)));
    layers.push_back({{"title", SanitizeUtf8(layer.title)},
                      {"visible", layer.visible},
                      {"editable", layer.editable},
                      {"current", layer.id == doc.currentLayer()},
                      {"art", art}});
  }
  return layers;
}

}  // namespace hostsim
