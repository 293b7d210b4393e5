#include "apps/labels-studio/DialogView.h"

#include <set>

#include <QPainter>

#include "apps/labels-studio/ItemWidgets.h"
#include "host/PluginExports.h"

namespace studio {

DialogView::DialogView(Studio& studio, ADMDialogRef dialog, QWidget* parent)
    : QWidget(parent), studio_(studio), dialog_(dialog) {
  pictures_ = [&host = studio_.host](int32_t id) { return host.PluginResource(kPictureResource, id); };
  setAutoFillBackground(false);
  Sync();
}

bool DialogView::alive() const { return studio_.host.dialogs().Find(dialog_) != nullptr; }

QSize DialogView::DialogSize() const {
  const hostsim::toolkit::Dialog* d = studio_.host.dialogs().Find(dialog_);
  if (d == nullptr) return {1, 1};
  return {std::max(1, d->bounds.right - d->bounds.left), std::max(1, d->bounds.bottom - d->bounds.top)};
}

void DialogView::Sync() {
  hostsim::toolkit::Toolkit& toolkit = studio_.host.dialogs();
  const hostsim::toolkit::Dialog* d = toolkit.Find(dialog_);
  std::set<std::uintptr_t> live;
  if (d != nullptr) {
    const std::vector<std::uintptr_t> items = d->items;  // procedures below may change the list
    for (std::uintptr_t handle : items) {
      const hostsim::toolkit::Item* item = toolkit.FindItem(reinterpret_cast<ADMItemRef>(handle));
      if (item == nullptr || item->id == kADMMenuItemID) continue;  // the flyout is the panel window's
      live.insert(handle);
      auto it = widgets_.find(handle);
      if (it == widgets_.end()) it = widgets_.emplace(handle, MakeItemWidget(*this, *item)).first;
      it->second->Sync(*item);
    }
    if (size() != DialogSize()) setFixedSize(DialogSize());
  }
  // Widgets of items that are gone leave once the event that may be theirs is over.
  for (auto it = widgets_.begin(); it != widgets_.end();) {
    if (live.count(it->first) != 0) {
      ++it;
      continue;
    }
    it->second->widget()->hide();
    it->second->widget()->deleteLater();
    it = widgets_.erase(it);
  }
  Invalidate(nullptr);
}

void DialogView::Invalidate(ADMItemRef item) {
  stale_ = true;
  if (item == nullptr) {
    update();
    for (auto& [handle, widget] : widgets_) widget->widget()->update();
    return;
  }
  auto it = widgets_.find(reinterpret_cast<std::uintptr_t>(item));
  if (it != widgets_.end()) it->second->widget()->update();
}

const hostsim::toolkit::DialogPicture* DialogView::Picture() {
  if (stale_ && !painting_ && alive()) {
    // Painting runs the plug-in's draw procedures, which may ask for more painting.
    painting_ = true;
    const hostsim::toolkit::DialogPicture* painted = studio_.host.dialogs().Paint(dialog_);
    painting_ = false;
    stale_ = false;
    if (painted != nullptr) picture_ = *painted;
  }
  return picture_ ? &*picture_ : nullptr;
}

const hostsim::toolkit::DisplayList* DialogView::ListOf(std::uintptr_t itemHandle) {
  const hostsim::toolkit::DialogPicture* picture = Picture();
  if (picture == nullptr) return nullptr;
  for (const hostsim::toolkit::ItemPicture& item : picture->items) {
    if (reinterpret_cast<std::uintptr_t>(item.item) == itemHandle) return &item.list;
  }
  return nullptr;
}

void DialogView::Act(const std::function<hostsim::ActionResult()>& action) {
  if (!alive()) return;
  action();
  if (studio_.refresh) studio_.refresh();
}

void DialogView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), QtColor(hostsim::toolkit::ColorOf(kADMBackgroundColor)));
  if (const hostsim::toolkit::DialogPicture* picture = Picture()) {
    PaintDisplayList(painter, picture->background, pictures_);
  }
}

}  // namespace studio
