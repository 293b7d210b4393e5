// Lookup, life of dialogs, items and entries, and the changes that notify.
//
// [SECTION] Lookup
// [SECTION] Life
// [SECTION] Changes with notifications
// [SECTION] Dialog groups
#include "hostsim/toolkit/Toolkit.h"

#include <algorithm>
#include <cmath>

#include "host/PluginExports.h"
#include "hostsim/toolkit/Units.h"

namespace hostsim::toolkit {
namespace {

// Each kind of handle has its own range, so one is never taken for another.
constexpr std::uintptr_t kDialogBase = 0x10000000;
constexpr std::uintptr_t kItemBase = 0x20000000;
constexpr std::uintptr_t kListBase = 0x30000000;
constexpr std::uintptr_t kEntryBase = 0x40000000;

std::uintptr_t Raw(const void* handle) { return reinterpret_cast<std::uintptr_t>(handle); }

// "title" and "bounds" of a dialog resource, when it gives them as JSON.
void ReadResource(std::string_view resource, Dialog& d) {
  const nlohmann::json j = nlohmann::json::parse(resource, nullptr, false);
  if (!j.is_object()) return;
  if (auto t = j.find("title"); t != j.end() && t->is_string()) d.title = t->get<std::string>();
  if (auto b = j.find("bounds"); b != j.end() && b->is_array() && b->size() == 4) {
    int32_t v[4];
    for (std::size_t i = 0; i < 4; ++i) {
      if (!(*b)[i].is_number_integer()) return;
      v[i] = (*b)[i].get<int32_t>();
    }
    if (v[2] >= v[0] && v[3] >= v[1]) d.bounds = {v[0], v[1], v[2], v[3]};
  }
}

}  // namespace

int32_t ToolkitServices::TextWidth(int32_t font, std::string_view utf8) const {
  return static_cast<int32_t>(std::lround(static_cast<double>(CharCount(utf8)) * FontOf(font).pixels * 0.55));
}

//-----------------------------------------------------------------------------
// [SECTION] Lookup
//-----------------------------------------------------------------------------

Dialog* Toolkit::Find(ADMDialogRef dialog) {
  auto it = dialogs_.find(Raw(dialog));
  return it == dialogs_.end() ? nullptr : &it->second;
}

const Dialog* Toolkit::Find(ADMDialogRef dialog) const { return const_cast<Toolkit*>(this)->Find(dialog); }

Item* Toolkit::FindItem(ADMItemRef item) {
  auto it = items_.find(Raw(item));
  return it == items_.end() ? nullptr : &it->second;
}

const Item* Toolkit::FindItem(ADMItemRef item) const { return const_cast<Toolkit*>(this)->FindItem(item); }

Item* Toolkit::FindListItem(ADMListRef list) {
  auto it = listItems_.find(Raw(list));
  if (it == listItems_.end()) return nullptr;
  Item* item = FindItem(reinterpret_cast<ADMItemRef>(it->second));
  return item != nullptr && item->list ? item : nullptr;
}

std::optional<Toolkit::EntryPlace> Toolkit::FindEntry(ADMEntryRef entry) {
  auto it = entryItems_.find(Raw(entry));
  if (it == entryItems_.end()) return std::nullopt;
  Item* item = FindItem(reinterpret_cast<ADMItemRef>(it->second));
  if (item == nullptr || !item->list) return std::nullopt;
  auto index = item->list->IndexOf(Raw(entry));
  if (!index) return std::nullopt;
  return EntryPlace{item, &*item->list, *index, &item->list->at(*index)};
}

Item* Toolkit::ItemById(ADMDialogRef dialog, int32_t id) {
  Dialog* d = Find(dialog);
  if (d == nullptr) return nullptr;
  const auto first = d->firstWithId.find(id);
  return first == d->firstWithId.end() ? nullptr : FindItem(reinterpret_cast<ADMItemRef>(first->second));
}

Item* Toolkit::ItemForUser(ADMDialogRef dialog, int32_t id) {
  Dialog* d = Find(dialog);
  if (d == nullptr) return nullptr;
  Item* last = nullptr;
  for (auto it = d->items.rbegin(); it != d->items.rend(); ++it) {
    Item* item = FindItem(reinterpret_cast<ADMItemRef>(*it));
    if (item == nullptr || item->id != id) continue;
    if (item->visible) return item;
    if (last == nullptr) last = item;
  }
  return last;
}

std::vector<ADMDialogRef> Toolkit::Dialogs() const {
  std::vector<ADMDialogRef> out;
  for (const auto& [id, d] : dialogs_) out.push_back(HandleOf(d));
  return out;
}

//-----------------------------------------------------------------------------
// [SECTION] Life
//-----------------------------------------------------------------------------

ASErr Toolkit::MakeDialog(const DialogRequest& request, bool modal, ADMDialogInitProc init, ADMDialogRef* out) {
  *out = nullptr;
  const auto resource = services_.Resource(kDialogResource, request.resourceId);
  if (!resource) return kNameNotFoundErr;
  Dialog d;
  d.id = NewHandle(kDialogBase);
  d.name = request.name;
  d.resourceId = request.resourceId;
  d.style = request.style;
  d.options = request.options;
  d.userData = request.userData;
  d.modal = modal;
  ReadResource(*resource, d);
  const std::uintptr_t id = d.id;
  Dialog& made = dialogs_.emplace(id, std::move(d)).first->second;
  if (made.floating()) {
    ADMItemRef flyout = nullptr;
    CreateItem(HandleOf(made), kADMMenuItemID, ItemKind::PopupMenu, ADMRect{0, 0, 0, 0}, nullptr, nullptr, &flyout);
  }
  const ADMDialogRef ref = reinterpret_cast<ADMDialogRef>(id);
  const ASErr err = init != nullptr ? init(ref) : kNoErr;
  Dialog* after = Find(ref);
  if (err != kNoErr) {
    // Abandoned: its procedures are not run, it simply goes.
    if (after != nullptr && !after->destroying) {
      // A copy: each forget takes its item out of the dialog's list.
      const std::vector<std::uintptr_t> items = after->items;
      for (std::uintptr_t h : items) ForgetItem(h);
      dialogs_.erase(id);
    }
    return err;
  }
  if (after == nullptr) return kCantHappenErr;  // the init procedure destroyed it
  *out = ref;
  return kNoErr;
}

ASErr Toolkit::CreateDialog(const DialogRequest& request, ADMDialogInitProc init, ADMDialogRef* dialog) {
  return MakeDialog(request, false, init, dialog);
}

ASErr Toolkit::RunModalDialog(const DialogRequest& request, ADMDialogInitProc init, int32_t* itemHit) {
  ADMDialogRef ref = nullptr;
  const ASErr err = MakeDialog(request, true, init, &ref);
  if (err != kNoErr) return err;
  Dialog* d = Find(ref);
  d->running = true;
  ShowDialog(ref, true);
  if (d = Find(ref); d != nullptr && !d->ended) services_.RunModal(ref);
  // Left without an answer: the person pressed Escape, which is the cancel item.
  if (d = Find(ref); d != nullptr && !d->ended) {
    Item* cancel = ItemForUser(ref, d->cancelItemId);
    if (cancel != nullptr && cancel->visible && cancel->enabled) Click(ref, d->cancelItemId);
    if (d = Find(ref); d != nullptr && !d->ended) EndModal(ref, d->cancelItemId);
  }
  int32_t result = kADMCancelItemID;
  if (d = Find(ref); d != nullptr) {
    result = d->modalResult;
    d->running = false;
    d->visible = false;
    DestroyDialog(ref);
  }
  if (itemHit != nullptr) *itemHit = result;
  return kNoErr;
}

bool Toolkit::DestroyDialog(ADMDialogRef dialog) {
  Dialog* d = Find(dialog);
  if (d == nullptr || d->destroying) return false;
  if (d->running) return EndModal(dialog, d->cancelItemId);
  d->destroying = true;
  if (ADMDialogDestroyProc proc = d->destroyProc) proc(dialog);
  d = Find(dialog);
  const std::vector<std::uintptr_t> items = d->items;
  for (std::uintptr_t h : items) {
    Item* item = FindItem(reinterpret_cast<ADMItemRef>(h));
    if (item == nullptr || item->destroying) continue;
    item->destroying = true;
    if (ADMItemDestroyProc proc = item->destroyProc) proc(reinterpret_cast<ADMItemRef>(h));
  }
  d = Find(dialog);
  // A copy: each forget takes its item out of the dialog's list.
  const std::vector<std::uintptr_t> left = d->items;
  for (std::uintptr_t h : left) ForgetItem(h);
  dialogs_.erase(Raw(dialog));
  return true;
}

ASErr Toolkit::CreateItem(ADMDialogRef dialog, int32_t id, ItemKind kind, const ADMRect& bounds,
                          ADMItemInitProc init, ADMUserData userData, ADMItemRef* out) {
  *out = nullptr;
  Dialog* d = Find(dialog);
  if (d == nullptr || d->destroying) return kBadParameterErr;
  if (id == kADMUniqueItemID) {
    id = -101;
    while (ItemById(dialog, id) != nullptr) --id;
  }
  Item item;
  item.handle = NewHandle(kItemBase);
  item.dialog = d->id;
  item.id = id;
  item.kind = kind;
  item.bounds = bounds;
  item.userData = userData;
  item.font = d->floating() ? kADMPaletteFont : kADMDialogFont;
  if (Info(kind).hasList) {
    const std::uintptr_t list = NewHandle(kListBase);
    item.list.emplace(list, item.handle);
    listItems_[list] = item.handle;
  }
  if (item.ShowsValueAsText() && item.Numeric()) item.text = FormatText(item);
  const std::uintptr_t h = item.handle;
  items_.emplace(h, std::move(item));
  d->items.push_back(h);
  d->firstWithId.try_emplace(id, h);
  const ADMItemRef ref = reinterpret_cast<ADMItemRef>(h);
  const ASErr err = init != nullptr ? init(ref) : kNoErr;
  if (FindItem(ref) == nullptr) return err != kNoErr ? err : kCantHappenErr;
  if (err != kNoErr) {
    ForgetItem(h);
    return err;
  }
  *out = ref;
  return kNoErr;
}

bool Toolkit::DestroyItem(ADMItemRef ref) {
  Item* item = FindItem(ref);
  if (item == nullptr || item->destroying || item->id == kADMMenuItemID) return false;
  item->destroying = true;
  if (ADMItemDestroyProc proc = item->destroyProc) proc(ref);
  ForgetItem(Raw(ref));
  return true;
}

void Toolkit::ForgetItem(std::uintptr_t h) {
  auto it = items_.find(h);
  if (it == items_.end()) return;
  if (it->second.list) {
    for (const Entry& e : it->second.list->entries()) entryItems_.erase(e.handle);
    listItems_.erase(it->second.list->handle());
  }
  if (Dialog* d = Find(reinterpret_cast<ADMDialogRef>(it->second.dialog))) {
    std::erase(d->items, h);
    if (d->activeItem == h) d->activeItem = 0;
    // The next item with the same id, if any, becomes the one found by it.
    const int32_t id = it->second.id;
    if (const auto first = d->firstWithId.find(id); first != d->firstWithId.end() && first->second == h) {
      d->firstWithId.erase(first);
      for (std::uintptr_t other : d->items) {
        const auto found = items_.find(other);
        if (found != items_.end() && found->second.id == id) {
          d->firstWithId.emplace(id, other);
          break;
        }
      }
    }
  }
  items_.erase(it);
}

Entry& Toolkit::InsertEntry(EntryList& list, std::size_t index) {
  const std::uintptr_t h = NewHandle(kEntryBase);
  entryItems_[h] = list.item();
  return list.Insert(index, h);
}

void Toolkit::RemoveEntry(EntryList& list, std::size_t index) {
  if (index >= list.size()) return;
  entryItems_.erase(list.at(index).handle);
  list.Remove(index);
}

bool Toolkit::LoadMenu(EntryList& list, int32_t menuId) {
  const auto resource = services_.Resource(kMenuResource, menuId);
  if (!resource) return false;
  for (const Entry& e : list.entries()) entryItems_.erase(e.handle);
  list.LoadMenu(menuId, *resource, [&] {
    const std::uintptr_t h = NewHandle(kEntryBase);
    entryItems_[h] = list.item();
    return h;
  });
  return true;
}

void Toolkit::Clear() {
  dialogs_.clear();
  items_.clear();
  listItems_.clear();
  entryItems_.clear();
  notifiers_.clear();
  trackers_.clear();
  drawers_.clear();
}

//-----------------------------------------------------------------------------
// [SECTION] Changes with notifications
//-----------------------------------------------------------------------------

void Toolkit::ShowDialog(ADMDialogRef dialog, bool show) {
  Dialog* d = Find(dialog);
  if (d == nullptr) return;
  d->hiddenByToggle = false;
  if (d->visible == show) return;
  d->visible = show;
  Invalidate(dialog, nullptr);
  NotifyDialog(dialog, show ? kADMWindowShowNotifier : kADMWindowHideNotifier);
}

void Toolkit::SetDialogBounds(ADMDialogRef dialog, const ADMRect& bounds) {
  Dialog* d = Find(dialog);
  if (d == nullptr) return;
  const ADMRect& old = d->bounds;
  if (old.left == bounds.left && old.top == bounds.top && old.right == bounds.right && old.bottom == bounds.bottom) {
    return;
  }
  d->bounds = bounds;
  Invalidate(dialog, nullptr);
  NotifyDialog(dialog, kADMBoundsChangedNotifier);
}

bool Toolkit::EndModal(ADMDialogRef dialog, int32_t id) {
  Dialog* d = Find(dialog);
  if (d == nullptr || !d->modal || !d->running) return false;
  d->ended = true;
  d->modalResult = id;
  return true;
}

void Toolkit::Activate(Item& item, bool activate) {
  Dialog* d = Find(reinterpret_cast<ADMDialogRef>(item.dialog));
  if (d == nullptr) return;
  if (activate) {
    d->activeItem = item.handle;
  } else if (d->activeItem == item.handle) {
    d->activeItem = 0;
  }
}

void Toolkit::Invalidate(ADMDialogRef dialog, ADMItemRef item) {
  // A change made while the dialog is being painted (a draw procedure setting
  // a value) is not sent back to the screen: that would paint it again, and again.
  for (const DrawerCall& c : drawers_) {
    if (c.dialog == Raw(dialog)) return;
  }
  services_.Redraw(dialog, item);
}

//-----------------------------------------------------------------------------
// [SECTION] Dialog groups
//-----------------------------------------------------------------------------

void Toolkit::ShowAllFloating(bool show) {
  for (ADMDialogRef ref : Dialogs()) {
    Dialog* d = Find(ref);
    if (d == nullptr || !d->floating() || d->visible == show) continue;
    ShowDialog(ref, show);
    if (Dialog* again = Find(ref); again != nullptr && !show) again->hiddenByToggle = true;
  }
}

void Toolkit::ToggleAllFloating() {
  bool anyShown = false;
  for (const auto& [id, d] : dialogs_) anyShown = anyShown || (d.floating() && d.visible);
  if (anyShown) {
    ShowAllFloating(false);
    return;
  }
  for (ADMDialogRef ref : Dialogs()) {
    Dialog* d = Find(ref);
    if (d != nullptr && d->hiddenByToggle) ShowDialog(ref, true);
  }
}

}  // namespace hostsim::toolkit
