// The host's own selection tool: a person picks art on the artboard, moves it
// or deletes it. The plug-in is not told; it finds out, as with the real host,
// the next time it looks at its art.
#include <cmath>

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
  const std::vector<ObjectId> selected = Selected(doc);
  if (selected.empty()) return Status(ActionStatus::NoItem);
  for (ObjectId id : selected) doc.DisposeArt(id);
  return {};
}

}  // namespace hostsim
