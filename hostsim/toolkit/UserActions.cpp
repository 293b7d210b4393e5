// What a person does to dialogs and items, each as one operation that runs
// the item's procedures in the toolkit's order.
#include <cmath>
#include <cstdio>

#include "hostsim/toolkit/Toolkit.h"
#include "hostsim/toolkit/Units.h"

namespace hostsim::toolkit {
namespace {

// A number as a person would type it: no trailing zeros, no exponent.
std::string Typed(double value) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.6f", value);
  std::string text = buffer;
  while (text.back() == '0') text.pop_back();
  if (text.back() == '.') text.pop_back();
  return text == "-0" ? "0" : text;
}

}  // namespace

ActionStatus Toolkit::Reach(ADMDialogRef dialog, int32_t itemId, Item** out) {
  *out = nullptr;
  const Dialog* d = Find(dialog);
  if (d == nullptr) return ActionStatus::kNoItem;
  if (d->modal && (!d->running || d->ended)) return ActionStatus::kIgnored;
  Item* item = ItemForUser(dialog, itemId);
  if (item == nullptr) return ActionStatus::kNoItem;
  if (!item->visible || !item->enabled) return ActionStatus::kIgnored;
  *out = item;
  return ActionStatus::kDone;
}

ActionStatus Toolkit::Click(ADMDialogRef dialog, int32_t itemId, int32_t modifiers) {
  Item* item = nullptr;
  if (ActionStatus s = Reach(dialog, itemId, &item); s != ActionStatus::kDone) return s;
  const std::uintptr_t h = item->handle;
  const ADMPoint centre{(item->bounds.right - item->bounds.left) / 2, (item->bounds.bottom - item->bounds.top) / 2};
  DeliverTrack(h, kADMButtonDownAction, centre, modifiers);
  // The button comes up wherever the item went meanwhile.
  if (FindItem(reinterpret_cast<ADMItemRef>(h)) != nullptr) DeliverTrack(h, kADMButtonUpAction, centre, modifiers);
  return ActionStatus::kDone;
}

ActionStatus Toolkit::Track(ADMDialogRef dialog, int32_t itemId, int32_t action, ADMPoint point, int32_t modifiers) {
  if (action < kADMButtonDownAction || action > kADMMouseMovedUpAction) return ActionStatus::kBadValue;
  Item* item = nullptr;
  if (ActionStatus s = Reach(dialog, itemId, &item); s != ActionStatus::kDone) return s;
  DeliverTrack(item->handle, action, point, modifiers);
  return ActionStatus::kDone;
}

ActionStatus Toolkit::SetValue(ADMDialogRef dialog, int32_t itemId, double shown) {
  Item* item = nullptr;
  if (ActionStatus s = Reach(dialog, itemId, &item); s != ActionStatus::kDone) return s;
  if (!std::isfinite(shown)) return ActionStatus::kBadValue;
  const KindInfo& k = item->info();
  if (k.checkBox || k.radioButton) {
    if (shown != 0 && shown != 1) return ActionStatus::kBadValue;
    ApplyValue(*item, shown);
  } else if (item->Numeric()) {
    ApplyValue(*item, FromShown(shown, item->units));
  } else if (k.textEdit) {
    return TypeText(dialog, itemId, Typed(shown));
  } else {
    return ActionStatus::kBadValue;
  }
  NotifyItem(HandleOf(*item), kADMUserChangedNotifier);
  return ActionStatus::kDone;
}

ActionStatus Toolkit::TypeText(ADMDialogRef dialog, int32_t itemId, std::string_view utf8) {
  Item* item = nullptr;
  if (ActionStatus s = Reach(dialog, itemId, &item); s != ActionStatus::kDone) return s;
  const KindInfo& k = item->info();
  if (!k.textEdit && !k.spinEdit) return ActionStatus::kBadValue;
  if (!ApplyText(*item, utf8)) return ActionStatus::kBadValue;
  // The caret ends after what was typed.
  item->selectionStart = item->selectionEnd = static_cast<int32_t>(CharCount(item->text));
  const ADMItemRef ref = HandleOf(*item);
  if (k.textEdit) {
    NotifyItem(ref, kADMIntermediateChangedNotifier);
    NotifyItem(ref, kADMTextSelectionChangedNotifier);
  }
  NotifyItem(ref, kADMUserChangedNotifier);
  return ActionStatus::kDone;
}

ActionStatus Toolkit::Pick(ADMDialogRef dialog, int32_t itemId, int32_t position) {
  Item* item = nullptr;
  if (ActionStatus s = Reach(dialog, itemId, &item); s != ActionStatus::kDone) return s;
  if (!item->list || position < 0 || !item->list->Pickable(static_cast<std::size_t>(position))) {
    return ActionStatus::kBadValue;
  }
  const auto index = static_cast<std::size_t>(position);
  item->list->Select(index, true);
  // A field with a list takes the picked text, or its number.
  const std::string picked = item->list->at(index).text;
  if (item->info().spinEdit) {
    if (auto value = ParseValue(picked, item->units)) ApplyValue(*item, *value);
  } else if (item->info().textEdit) {
    ApplyText(*item, picked);
  }
  NotifyItem(HandleOf(*item), kADMUserChangedNotifier);
  return ActionStatus::kDone;
}

ActionStatus Toolkit::CloseBox(ADMDialogRef dialog) {
  const Dialog* d = Find(dialog);
  if (d == nullptr) return ActionStatus::kNoItem;
  if (d->modal && (!d->running || d->ended)) return ActionStatus::kIgnored;
  NotifyDialog(dialog, kADMCloseHitNotifier);
  return ActionStatus::kDone;
}

ActionStatus Toolkit::FlyoutPick(ADMDialogRef dialog, int32_t position) {
  if (Find(dialog) == nullptr || ItemById(dialog, kADMMenuItemID) == nullptr) return ActionStatus::kNoItem;
  return Pick(dialog, kADMMenuItemID, position);
}

ADMDialogRef Toolkit::Panel() const {
  for (const auto& [id, d] : dialogs_) {
    if (!d.modal && !d.destroying) return HandleOf(d);
  }
  return nullptr;
}

ADMDialogRef Toolkit::FrontModal() const {
  for (auto it = dialogs_.rbegin(); it != dialogs_.rend(); ++it) {
    if (it->second.modal && it->second.running && !it->second.ended) return HandleOf(it->second);
  }
  return nullptr;
}

ADMDialogRef Toolkit::FrontDialog() const {
  ADMDialogRef modal = FrontModal();
  return modal != nullptr ? modal : Panel();
}

}  // namespace hostsim::toolkit
