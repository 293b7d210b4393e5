// The host's own selection tool: a person picks art on the artboard, moves it
// or deletes it. The plug-in is not told; it finds out, as with the real host,
// the next time it looks at its art.
#include <algorithm>
#include <cmath>

#include "hostsim/History.h"
#include "hostsim/Host.h"
#include "hostsim/UserActions.h"
#include "hostsim/document/Document.h"
#include "hostsim/document/Geometry.h"

namespace hostsim {
namespace {

ActionResult Status(ActionStatus status) {
  ActionResult result;
  result.status = status;
  return result;
}

// The art directly inside a layer's top group that holds `id`.
ObjectId OutermostArt(const Document& doc, ObjectId id) {
  const Art* art = doc.FindArt(id);
  while (art != nullptr && art->parent != 0) {
    const Art* parent = doc.FindArt(art->parent);
    if (parent == nullptr || parent->parent == 0) break;  // the parent is a layer's top group
    art = parent;
  }
  return art != nullptr ? art->id : 0;
}

// Selected art, outermost only (whatever is inside goes along with it).
std::vector<ObjectId> Selected(const Document& doc) {
  std::vector<ObjectId> out;
  doc.ForEachInDocumentOrder([&](const Art& art) {
    if (!(art.userAttr & kArtSelected)) return;
    const Art* parent = art.parent != 0 ? doc.FindArt(art.parent) : nullptr;
    if (parent != nullptr && doc.InheritsAttr(*parent, kArtSelected)) return;
    out.push_back(art.id);
  });
  return out;
}

}  // namespace

AIRealRect UserActions::PageBounds() const { return host_.document().page; }

void UserActions::ClearSelection() {
  Document& doc = host_.document();
  for (ObjectId id : doc.ArtInDocumentOrder()) {
    if (Art* art = doc.FindArt(id)) art->userAttr &= ~kArtSelected;
  }
}

ActionResult UserActions::SelectAt(AIRealPoint p, double tolerance) {
  if (!std::isfinite(p.h) || !std::isfinite(p.v) || !std::isfinite(tolerance)) return Status(ActionStatus::BadValue);
  ClearSelection();
  Document& doc = host_.document();
  const HitResult hit = doc.HitTest(0, p, tolerance);
  if (!hit.hit) return Status(ActionStatus::NoItem);
  Art* art = doc.FindArt(OutermostArt(doc, hit.object));
  if (art == nullptr) return Status(ActionStatus::NoItem);
  art->userAttr |= kArtSelected;
  return {};
}

ActionResult UserActions::ToggleAt(AIRealPoint p, double tolerance) {
  if (!std::isfinite(p.h) || !std::isfinite(p.v) || !std::isfinite(tolerance)) return Status(ActionStatus::BadValue);
  Document& doc = host_.document();
  const HitResult hit = doc.HitTest(0, p, tolerance);
  Art* art = hit.hit ? doc.FindArt(OutermostArt(doc, hit.object)) : nullptr;
  if (art == nullptr) return Status(ActionStatus::NoItem);
  art->userAttr ^= kArtSelected;
  return {};
}

namespace {

// Calls pick(Art&) for each art directly inside a layer shown and unlocked,
// itself neither hidden nor locked.
template <class Pick>
void ForEachSelectable(Document& doc, Pick&& pick) {
  for (const Layer& layer : doc.layers()) {
    if (!layer.visible || !layer.editable) continue;
    const Art* top = doc.FindArt(layer.group);
    if (top == nullptr) continue;
    for (const ChildEntry& child : top->children.entries()) {
      if (child.art->userAttr & (kArtHidden | kArtLocked)) continue;
      pick(*child.art);
    }
  }
}

}  // namespace

ActionResult UserActions::SelectInRect(AIRealRect rect, bool extend) {
  if (!std::isfinite(rect.left) || !std::isfinite(rect.right) || !std::isfinite(rect.top) ||
      !std::isfinite(rect.bottom)) {
    return Status(ActionStatus::BadValue);
  }
  if (!extend) ClearSelection();
  const double left = std::min(rect.left, rect.right), right = std::max(rect.left, rect.right);
  const double bottom = std::min(rect.bottom, rect.top), top = std::max(rect.bottom, rect.top);
  Document& doc = host_.document();
  ForEachSelectable(doc, [&](Art& art) {
    const std::optional<AIRealRect> b = doc.Bounds(art);
    if (b && b->left <= right && b->right >= left && b->bottom <= top && b->top >= bottom) art.userAttr |= kArtSelected;
  });
  return {};
}

ActionResult UserActions::SelectAll() {
  Document& doc = host_.document();
  ForEachSelectable(doc, [](Art& art) { art.userAttr |= kArtSelected; });
  return {};
}

std::optional<AIRealRect> UserActions::SelectionBounds() const {
  const Document& doc = host_.document();
  std::optional<AIRealRect> all;
  for (ObjectId id : Selected(doc)) {
    const std::optional<AIRealRect> b = doc.Bounds(*doc.FindArt(id));
    if (!b) continue;
    if (!all) {
      all = b;
    } else {
      all->left = std::min(all->left, b->left);
      all->right = std::max(all->right, b->right);
      all->bottom = std::min(all->bottom, b->bottom);
      all->top = std::max(all->top, b->top);
    }
  }
  return all;
}

ActionResult UserActions::MoveSelection(double dx, double dy) {
  if (!std::isfinite(dx) || !std::isfinite(dy)) return Status(ActionStatus::BadValue);
  Document& doc = host_.document();
  HistoryStep step(host_.history(), doc);
  const AIRealMatrix move{1, 0, 0, 1, static_cast<AIReal>(dx), static_cast<AIReal>(dy)};
  const std::vector<ObjectId> selected = Selected(doc);
  // All or nothing: no art is moved where its coordinates would not fit.
  if (const std::optional<AIRealRect> b = SelectionBounds()) {
    if (!TransformFits(move, {b->left, b->bottom}) || !TransformFits(move, {b->right, b->top})) {
      return Status(ActionStatus::BadValue);
    }
  }
  for (ObjectId id : selected) doc.Transform(id, move);
  return {};
}

ActionResult UserActions::DeleteSelection() {
  Document& doc = host_.document();
  HistoryStep step(host_.history(), doc);
  const std::vector<ObjectId> selected = Selected(doc);
  if (selected.empty()) return Status(ActionStatus::NoItem);
  for (ObjectId id : selected) doc.DisposeArt(id);
  return {};
}

}  // namespace hostsim
