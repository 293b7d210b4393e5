// The element walk: layers at the top, groups and their children below,
// each element handed to what reads its kind; the root sets page and mapping.
#include "hostsim/document/SvgReaderImpl.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace hostsim::svgread {
namespace {

// Elements that draw nothing by themselves: definitions, metadata, animation.
bool IsSilent(std::string_view name) {
  static const std::unordered_set<std::string_view> kSilent = {
      "defs", "symbol", "clipPath", "mask", "pattern", "linearGradient", "radialGradient", "marker",
      "filter", "title", "desc", "metadata", "script", "cursor", "view", "animate", "animateMotion",
      "animateTransform", "animateColor", "set", "tspan", "textPath", "stop", "font", "font-face",
      "glyph", "missing-glyph", "hkern", "vkern", "color-profile", "altGlyphDef", "mpath"};
  return kSilent.count(name) != 0;
}

// "_x20_" back to the byte it stands for.
std::string DecodeTail(std::string_view tail) {
  std::string out;
  for (std::size_t i = 0; i < tail.size(); ++i) {
    if (tail[i] == '_' && i + 4 < tail.size() && tail[i + 1] == 'x' && tail[i + 4] == '_' &&
        HexDigit(tail[i + 2]) >= 0 && HexDigit(tail[i + 3]) >= 0) {
      out.push_back(static_cast<char>(HexDigit(tail[i + 2]) * 16 + HexDigit(tail[i + 3])));
      i += 4;
    } else {
      out.push_back(tail[i]);
    }
  }
  return out;
}

}  // namespace

// =============================================================================
// The walk
// =============================================================================

void Reader::Read() {
  const pugi::xml_node root = xml_.document_element();
  if (!root || SvgName(root) != "svg") {
    throw ReadError(root ? "not an SVG file: the root element is <" + std::string(root.name()) + ">"
                         : "not an SVG file: it holds no element");
  }
  IndexIds(root);
  CollectStyleSheets(root);
  Context context = RootContext(root);
  for (pugi::xml_node child : root.children()) {
    if (child.type() != pugi::node_element) continue;
    const std::string name = SvgName(child);
    if (IsLayer(child)) {
      loose_ = 0;
      const ObjectId group = NewLayer(child);
      Context layer = Enter(child, context);
      auto source = Source(child, context.ctm, false);
      source->inner = layer.ctm;
      AttachLayer(doc_.FindArt(group)->layer, std::move(source));
      ActiveGuard guard(*this, child);
      for (pugi::xml_node art : child.children()) {
        if (art.type() == pugi::node_element) Walk(art, group, layer);
      }
    } else if (name.empty() || name == "style" || IsSilent(name)) {
      KeepAtRoot(child);  // draws nothing: needs no layer
    } else {
      // Counted as inside the layer it is written into when saved.
      Context loose = context;
      loose.depth += 1;
      Walk(child, LooseLayer(), loose);
    }
  }
  if (!firstLayerTaken_) LooseLayer();  // the drawing's own layer, written straight into the root
  for (ObjectId group : layerGroups_) Reverse(group);  // they were filled bottom first
  const auto& layers = doc_.layers();
  if (!doc_.FindLayer(current_)) current_ = layers.front().id;
  doc_.SetCurrentLayer(current_);
}

void Reader::WalkChildren(pugi::xml_node n, ObjectId group, const Context& c) {
  for (pugi::xml_node child : n.children()) {
    if (child.type() == pugi::node_element) Walk(child, group, c);
  }
  Reverse(group);
}

void Reader::Walk(pugi::xml_node n, ObjectId parent, const Context& parentContext) {
  const std::string name = SvgName(n);
  if (name.empty() || IsSilent(name) || name == "style") return Keep(n, parent, parentContext, std::nullopt);
  CountWork(n, name == "text");
  ActiveGuard guard(*this, n);
  if (name == "g" || name == "a" || name == "switch" || name == "svg") {
    Context c = Enter(n, parentContext);
    if (name == "svg") c.ctm = c.ctm * NestedViewport(n, c);
    Art& group = NewArt(ArtKind::Group, parent, n);
    Common(group, n, OwnEffects(n).displayNone);
    auto source = Source(n, parentContext.ctm, false);
    source->inner = c.ctm;
    Attach(group, std::move(source));
    const ObjectId id = group.id;
    if (name == "switch") {
      // Only the first child that can be drawn is shown; the others are kept.
      bool shown = false;
      for (pugi::xml_node child : n.children()) {
        if (child.type() != pugi::node_element) continue;
        if (shown || SvgName(child) == "foreignObject") {
          Keep(child, id, c, std::nullopt);
        } else {
          Walk(child, id, c);
          shown = true;
        }
      }
      Reverse(id);
    } else {
      WalkChildren(n, id, c);
    }
    return;
  }
  if (name == "use") {
    Warn("use", n);
    return Keep(n, parent, parentContext, UseBox(n, parent, parentContext));
  }
  if (name == "text") return Text(n, parent, Enter(n, parentContext), parentContext.ctm);
  if (name == "path" || name == "rect" || name == "circle" || name == "ellipse" || name == "line" ||
      name == "polyline" || name == "polygon") {
    if (!Shape(name, n, parent, Enter(n, parentContext), parentContext.ctm)) Keep(n, parent, parentContext, std::nullopt);
    return;
  }
  std::optional<AIRealRect> bounds;
  if (name == "image" || name == "foreignObject") {
    const Context c = Enter(n, parentContext);
    const double x = Length(n.attribute("x").value(), viewport_.x, c.style.fontSize).value_or(0);
    const double y = Length(n.attribute("y").value(), viewport_.y, c.style.fontSize).value_or(0);
    const double w = Length(n.attribute("width").value(), viewport_.x, c.style.fontSize).value_or(0);
    const double h = Length(n.attribute("height").value(), viewport_.y, c.style.fontSize).value_or(0);
    if (w > 0 && h > 0) bounds = UserBox(c.ctm, x, y, w, h);
  }
  Warn(name == "image" || name == "foreignObject" ? name : "element", n);
  Keep(n, parent, parentContext, bounds);
}

void Reader::CountWork(pugi::xml_node n, bool withText) {
  std::uintmax_t bytes = 1 + std::strlen(n.name());
  for (pugi::xml_attribute a : n.attributes()) bytes += std::strlen(a.name()) + std::strlen(a.value()) + 1;
  if (withText) {
    for (pugi::xml_node child : n.children()) bytes += std::strlen(child.value()) + 1;
  }
  work_ += bytes;
  if (work_ > text_.size() + limits_.maxCopiedBytes) {
    Fail(n, "the drawing's `use` copies read more than " + std::to_string(limits_.maxCopiedBytes >> 20) +
                " MiB beyond the file's own size");
  }
}

// =============================================================================
// Layers
// =============================================================================

bool Reader::IsLayer(pugi::xml_node n) {
  return SvgName(n) == "g" && std::string_view(n.attribute("inkscape:groupmode").value()) == "layer";
}

// The first layer needed is the new document's own "Layer 1"; later ones go on top.
ObjectId Reader::TakeLayer(const std::string& title) {
  ObjectId id = 0;
  if (!firstLayerTaken_) {
    firstLayerTaken_ = true;
    id = doc_.layers().front().id;
    if (!title.empty()) doc_.FindLayer(id)->title = SanitizeUtf8(title);
  } else {
    id = doc_.InsertLayer(0, SanitizeUtf8(title));
  }
  const ObjectId group = doc_.FindLayer(id)->group;
  layerGroups_.push_back(group);
  GiveRootKeptTo(id);
  return id;
}

ObjectId Reader::NewLayer(pugi::xml_node n) {
  std::string title = n.attribute("data-title").value();
  if (title.empty()) title = n.attribute("inkscape:label").value();
  if (title.empty()) title = n.attribute("id").value();
  const ObjectId id = TakeLayer(title);
  Layer& layer = *doc_.FindLayer(id);
  const std::string_view visible = n.attribute("data-visible").value();
  layer.visible = visible.empty() ? !OwnEffects(n).displayNone : visible == "true";
  const std::string_view editable = n.attribute("data-editable").value();
  layer.editable = editable.empty() ? std::string_view(n.attribute("sodipodi:insensitive").value()) != "true"
                                    : editable == "true";
  if (std::string_view(n.attribute("data-current").value()) == "true") current_ = id;
  return layer.group;
}

// Top-level art outside any layer goes into a layer of its own, one for
// each run of such elements.
ObjectId Reader::LooseLayer() {
  if (!loose_) {
    const ObjectId layer = TakeLayer({});
    loose_ = doc_.FindLayer(layer)->group;
    // No element of its own: its art is written straight into the root.
    auto source = std::make_shared<SourceElement>();
    source->outer = source->inner = rootMapping_;
    AttachLayer(layer, std::move(source));
  }
  return loose_;
}

// =============================================================================
// The root: page and mapping to document coordinates
// =============================================================================

Reader::Context Reader::RootContext(pugi::xml_node root) {
  const auto width = Length(root.attribute("width").value(), -1, 16, Units::Page);
  const auto height = Length(root.attribute("height").value(), -1, 16, Units::Page);
  const char* viewBoxText = root.attribute("viewBox").value();
  // Negative: not given (or a percentage, which has nothing to refer to here).
  double w = width && *width >= 0 ? *width : -1;
  double h = height && *height >= 0 ? *height : -1;
  Matrix mapping;
  AIRealRect page{};
  if (*viewBoxText) {
    std::vector<double> vb;
    if (!ParseNumberList(viewBoxText, vb) || vb.size() != 4) Fail(root, "the viewBox is not four numbers");
    if (!(vb[2] > 0 && vb[3] > 0)) Fail(root, "the viewBox has no area");
    if (w < 0 && h < 0) {
      w = vb[2];
      h = vb[3];
    }
    if (w < 0) w = h * vb[2] / vb[3];
    if (h < 0) h = w * vb[3] / vb[2];
    double sx = w / vb[2], sy = h / vb[3];
    const std::string aspect = Lower(Trim(root.attribute("preserveAspectRatio").value()));
    if (!StartsWith(aspect, "none")) sx = sy = aspect.find("slice") != std::string::npos ? std::max(sx, sy) : std::min(sx, sy);
    // The view box keeps its numbers, scaled to points, with y mirrored inside it.
    mapping = {sx, 0, 0, -sy, 0, sy * (2 * vb[1] + vb[3])};
    page = {static_cast<AIReal>(sx * vb[0]), static_cast<AIReal>(sy * (vb[1] + vb[3])),
            static_cast<AIReal>(sx * (vb[0] + vb[2])), static_cast<AIReal>(sy * vb[1])};
    viewport_ = {vb[2], vb[3]};
  } else {
    const double pw = w < 0 ? 612 : w, ph = h < 0 ? 792 : h;
    // Without a view box a user unit is a CSS pixel of the width given: "612"
    // is 612 points wide, "8.5in" 816 pixels across 612 points.
    double scale = 1;
    const auto userWidth = Length(root.attribute("width").value(), -1, 16, Units::User);
    const auto userHeight = Length(root.attribute("height").value(), -1, 16, Units::User);
    if (w > 0 && userWidth && *userWidth > 0) {
      scale = w / *userWidth;
    } else if (h > 0 && userHeight && *userHeight > 0) {
      scale = h / *userHeight;
    }
    mapping = {scale, 0, 0, -scale, 0, ph};
    page = {0, static_cast<AIReal>(ph), static_cast<AIReal>(pw), 0};
    viewport_ = {pw / scale, ph / scale};
  }
  // A scale so small that the page's sides (nearly) meet leaves no page: a
  // side under a hundredth of a point would not even survive being written.
  constexpr double kSmallestPageSide = 0.01;
  bool inRange = mapping.a > 0 && mapping.d < 0 && page.right - page.left >= kSmallestPageSide &&
                 page.top - page.bottom >= kSmallestPageSide;
  for (double v : {static_cast<double>(page.left), static_cast<double>(page.top), static_cast<double>(page.right),
                   static_cast<double>(page.bottom), mapping.a, mapping.d, mapping.f}) {
    inRange = inRange && std::fabs(v) <= kMaxCoordinate;
  }
  if (!inRange) Fail(root, "the page is empty or out of range (width, height and viewBox)");
  doc_.page = page;
  rootMapping_ = mapping;
  if (const auto zoom = Number(root.attribute("data-zoom").value()); zoom && *zoom > 0 && *zoom <= kMaxCoordinate) {
    doc_.zoom = *zoom;
  }
  zoomRead_ = doc_.zoom;
  Context context;
  context.ctm = mapping;
  context.style = ResolveStyle(root, context.style);
  context.depth = 1;
  return context;
}

// =============================================================================
// Art
// =============================================================================

Art& Reader::NewArt(ArtKind kind, ObjectId parent, pugi::xml_node n) {
  if (++artCount_ > limits_.maxArt) Fail(n, "the drawing has more than " + std::to_string(limits_.maxArt) + " objects");
  ObjectId id = 0;
  doc_.NewArt(kind, kPlaceInsideOnBottom, parent, &id);  // bottom first, reversed once the group is full
  return *doc_.FindArt(id);
}

void Reader::Reverse(Document& doc, ObjectId group) {
  doc.FindArt(group)->children.Reverse();
  doc.ChildrenReordered();
}

// Name, tags and user attributes.
void Reader::Common(Art& art, pugi::xml_node n, bool displayNone) {
  std::string_view name = n.attribute("data-name").value();
  if (name.empty()) name = n.attribute("inkscape:label").value();
  art.name = SanitizeUtf8(name);
  // The types first, by name: a search of every attribute for each tag would
  // take time in the square of their number.
  std::unordered_map<std::string_view, const char*> types;
  for (pugi::xml_attribute a : n.attributes()) {
    const std::string_view name = a.name();
    if (StartsWith(name, "data-tagtype-")) types.emplace(name.substr(13), a.value());
  }
  for (pugi::xml_attribute a : n.attributes()) {
    const std::string_view name = a.name();
    if (!StartsWith(name, "data-tag-")) continue;
    const std::string_view tail = name.substr(9);
    const auto typed = types.find(tail);
    const char* type = typed != types.end() ? typed->second : "";
    art.tags[SanitizeUtf8(DecodeTail(tail))] = Tag{SanitizeUtf8(*type ? type : "string"), SanitizeUtf8(a.value())};
  }
  auto flag = [&](const char* attribute) { return std::string_view(n.attribute(attribute).value()) == "true"; };
  if (flag("data-selected")) art.userAttr |= kArtSelected;
  if (flag("data-locked")) art.userAttr |= kArtLocked;
  if (flag("data-center-visible")) art.userAttr |= kArtCenterVisible;
  if (flag("data-hidden") || displayNone) art.userAttr |= kArtHidden;
}

}  // namespace hostsim::svgread
