// References between elements: the id index, `use` copies (with symbols),
// and nested view boxes.
#include "hostsim/document/SvgReaderImpl.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

namespace hostsim::svgread {

void Reader::IndexIds(pugi::xml_node root) {
  std::vector<pugi::xml_node> stack{root};
  while (!stack.empty()) {
    const pugi::xml_node n = stack.back();
    stack.pop_back();
    if (const char* id = n.attribute("id").value(); *id) ids_.emplace(id, n);
    for (pugi::xml_node child = n.last_child(); child; child = child.previous_sibling()) {
      if (child.type() == pugi::node_element) stack.push_back(child);
    }
  }
}

void Reader::Use(pugi::xml_node n, ObjectId parent, const Context& parentContext) {
  std::string_view href = n.attribute("href").value();
  if (href.empty()) href = n.attribute("xlink:href").value();
  if (href.empty() || href.front() != '#') return Warn("reference", n, href.empty() ? "" : "to \"" + std::string(href) + "\"");
  const auto target = ids_.find(std::string(href.substr(1)));
  if (target == ids_.end()) return Warn("reference", n, "to \"" + std::string(href) + "\"");
  const pugi::xml_node element = target->second;
  if (element == n) Fail(n, "refers to itself");
  if (active_.count(element.internal_object())) {
    Fail(n, "refers to \"" + std::string(href) + "\", which contains it: the copy would never end");
  }
  Context c = Enter(n, parentContext);
  const double x = Length(n.attribute("x").value(), viewport_.x, c.style.fontSize).value_or(0);
  const double y = Length(n.attribute("y").value(), viewport_.y, c.style.fontSize).value_or(0);
  c.ctm = c.ctm * Translation(x, y);
  Art& group = NewArt(ArtKind::Group, parent, n);
  Common(group, n, OwnEffects(n).displayNone);
  const ObjectId id = group.id;
  if (SvgName(element) == "symbol") {
    ActiveGuard guard(*this, element);
    Context s = Enter(element, c);
    s.ctm = s.ctm * ViewBoxMatrix(element, n, s);
    WalkChildren(element, id, s);
  } else {
    Walk(element, id, c);
  }
}

// A nested svg element: its position and its own view box.
Matrix Reader::NestedViewport(pugi::xml_node n, const Context& c) {
  const double x = Length(n.attribute("x").value(), viewport_.x, c.style.fontSize).value_or(0);
  const double y = Length(n.attribute("y").value(), viewport_.y, c.style.fontSize).value_or(0);
  return Translation(x, y) * ViewBoxMatrix(n, n, c);
}

// Maps `boxOwner`'s viewBox into the width and height given on `sizeOwner`.
Matrix Reader::ViewBoxMatrix(pugi::xml_node boxOwner, pugi::xml_node sizeOwner, const Context& c) {
  std::vector<double> vb;
  if (!ParseNumberList(boxOwner.attribute("viewBox").value(), vb) || vb.size() != 4 || !(vb[2] > 0 && vb[3] > 0)) {
    return {};
  }
  const auto w = Length(sizeOwner.attribute("width").value(), viewport_.x, c.style.fontSize);
  const auto h = Length(sizeOwner.attribute("height").value(), viewport_.y, c.style.fontSize);
  if (!w || !h || !(*w > 0 && *h > 0)) return Translation(-vb[0], -vb[1]);
  double sx = *w / vb[2], sy = *h / vb[3];
  const std::string aspect = Lower(Trim(boxOwner.attribute("preserveAspectRatio").value()));
  if (!StartsWith(aspect, "none")) sx = sy = std::min(sx, sy);
  return Matrix{sx, 0, 0, sy, 0, 0} * Translation(-vb[0], -vb[1]);
}

}  // namespace hostsim::svgread
