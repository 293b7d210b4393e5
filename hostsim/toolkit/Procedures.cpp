// Calls into the plug-in's procedures: notifications, tracking and painting,
// each with a notifier, tracker or drawer handle that lives for that call.
#include <algorithm>

#include "hostsim/toolkit/Toolkit.h"

namespace hostsim::toolkit {
namespace {

constexpr std::uintptr_t kNotifierBase = 0x50000000;
constexpr std::uintptr_t kTrackerBase = 0x60000000;
constexpr std::uintptr_t kDrawerBase = 0x70000000;

std::uintptr_t Raw(const void* handle) { return reinterpret_cast<std::uintptr_t>(handle); }

// Keeps a call's handle live for the scope: pushed now, removed at the end
// whatever happens in between.
template <class Call>
class LiveCall {
 public:
  LiveCall(std::vector<Call>& calls, Call call) : calls_(calls), handle_(call.handle) { calls_.push_back(std::move(call)); }
  ~LiveCall() {
    std::erase_if(calls_, [&](const Call& c) { return c.handle == handle_; });
  }
  LiveCall(const LiveCall&) = delete;
  LiveCall& operator=(const LiveCall&) = delete;
  template <class Ref>
  Ref handle() const {
    return reinterpret_cast<Ref>(handle_);
  }

 private:
  std::vector<Call>& calls_;
  std::uintptr_t handle_;
};

int32_t MaskOf(int32_t action) {
  switch (action) {
    case kADMButtonDownAction: return kADMButtonDownMask;
    case kADMButtonUpAction: return kADMButtonUpMask;
    case kADMMouseMovedDownAction: return kADMMouseMovedDownMask;
    case kADMMouseMovedUpAction: return kADMMouseMovedUpMask;
    default: return 0;
  }
}

}  // namespace

// -----------------------------------------------------------------------------
// Notifications

void Toolkit::NotifyItem(ADMItemRef ref, std::string_view type) {
  Item* item = FindItem(ref);
  if (item == nullptr || item->destroying) return;
  LiveCall<NotifierCall> call(notifiers_, {NewHandle(kNotifierBase), item->dialog, item->handle, std::string(type)});
  if (ADMItemNotifyProc proc = item->notifyProc) {
    proc(ref, call.handle<ADMNotifierRef>());
  } else {
    NotifyDefault(item->handle, type);
  }
}

void Toolkit::NotifyDialog(ADMDialogRef ref, std::string_view type) {
  Dialog* d = Find(ref);
  if (d == nullptr || d->destroying) return;
  LiveCall<NotifierCall> call(notifiers_, {NewHandle(kNotifierBase), d->id, 0, std::string(type)});
  if (ADMDialogNotifyProc proc = d->notifyProc) {
    proc(ref, call.handle<ADMNotifierRef>());
  } else {
    DefaultNotifyDialog(ref, call.handle<ADMNotifierRef>());
  }
}

const Toolkit::NotifierCall* Toolkit::FindNotifier(ADMNotifierRef notifier) const {
  for (const NotifierCall& c : notifiers_) {
    if (c.handle == Raw(notifier)) return &c;
  }
  return nullptr;
}

bool Toolkit::DefaultNotifyItem(ADMItemRef item, ADMNotifierRef notifier) {
  const NotifierCall* call = FindNotifier(notifier);
  if (call == nullptr || call->item != Raw(item) || FindItem(item) == nullptr) return false;
  NotifyDefault(Raw(item), std::string(call->type));
  return true;
}

bool Toolkit::DefaultNotifyDialog(ADMDialogRef dialog, ADMNotifierRef notifier) {
  const NotifierCall* call = FindNotifier(notifier);
  Dialog* d = Find(dialog);
  if (call == nullptr || call->item != 0 || call->dialog != Raw(dialog) || d == nullptr) return false;
  if (call->type == kADMCloseHitNotifier) {
    // The close box cancels a modal dialog and hides any other.
    if (d->modal) {
      EndModal(dialog, d->cancelItemId);
    } else {
      ShowDialog(dialog, false);
    }
  }
  return true;
}

// -----------------------------------------------------------------------------
// Tracking

bool Toolkit::DeliverTrack(std::uintptr_t h, int32_t action, ADMPoint point, int32_t modifiers) {
  const auto ref = reinterpret_cast<ADMItemRef>(h);
  Item* item = FindItem(ref);
  if (item == nullptr) return false;
  bool through = (item->mask & MaskOf(action)) != 0;
  if (action == kADMButtonDownAction) {
    item->aborted = false;
    item->stepped = false;
    item->captured = through;
  } else if (action == kADMButtonUpAction && item->captured) {
    through = true;
  }
  if (item->aborted && (action == kADMButtonUpAction || action == kADMMouseMovedDownAction)) through = false;
  if (!through) {
    if (action == kADMButtonUpAction) item->captured = item->pressed = false;
    return false;
  }
  bool changed = false;
  {
    LiveCall<TrackerCall> call(trackers_, {NewHandle(kTrackerBase), h, action, point, modifiers});
    if (ADMItemTrackProc proc = item->trackProc) {
      changed = proc(ref, call.handle<ADMTrackerRef>()) != 0;
    } else {
      const TrackerCall copy = *FindTracker(call.handle<ADMTrackerRef>());
      changed = TrackDefault(*item, copy);
    }
  }
  item = FindItem(ref);
  if (item == nullptr) return true;
  if (action == kADMButtonUpAction) item->captured = item->pressed = item->stepped = false;
  if (changed) NotifyItem(ref, kADMUserChangedNotifier);
  return true;
}

const Toolkit::TrackerCall* Toolkit::FindTracker(ADMTrackerRef tracker) const {
  for (const TrackerCall& c : trackers_) {
    if (c.handle == Raw(tracker)) return &c;
  }
  return nullptr;
}

void Toolkit::AbortTracking(const TrackerCall& call) {
  if (Item* item = FindItem(reinterpret_cast<ADMItemRef>(call.item))) {
    item->aborted = true;
    item->captured = item->pressed = false;
  }
}

bool Toolkit::DefaultTrackItem(ADMItemRef ref, ADMTrackerRef tracker, bool* changed) {
  const TrackerCall* call = FindTracker(tracker);
  Item* item = FindItem(ref);
  if (call == nullptr || item == nullptr || call->item != Raw(ref)) return false;
  const TrackerCall copy = *call;  // the default tracking may notify, which may track again
  const bool result = TrackDefault(*item, copy);
  if (changed != nullptr) *changed = result;
  return true;
}

// -----------------------------------------------------------------------------
// Painting

Toolkit::DrawerCall* Toolkit::FindDrawer(ADMDrawerRef drawer) {
  for (DrawerCall& c : drawers_) {
    if (c.handle == Raw(drawer)) return &c;
  }
  return nullptr;
}

void Toolkit::Record(DrawerCall& drawer, DrawRecord record) {
  record.color = drawer.color;
  record.admColor = drawer.admColor;
  record.font = drawer.font;
  drawer.list->records.push_back(std::move(record));
}

bool Toolkit::DefaultDrawItem(ADMItemRef ref, ADMDrawerRef drawer) {
  DrawerCall* call = FindDrawer(drawer);
  Item* item = FindItem(ref);
  if (call == nullptr || item == nullptr || call->item != Raw(ref)) return false;
  DrawDefault(*item, *call);
  return true;
}

bool Toolkit::DefaultDrawDialog(ADMDialogRef dialog, ADMDrawerRef drawer) {
  DrawerCall* call = FindDrawer(drawer);
  if (call == nullptr || call->item != 0 || call->dialog != Raw(dialog) || Find(dialog) == nullptr) return false;
  const int32_t color = call->admColor;
  const ADMRGBColor rgb = call->color;
  call->admColor = kADMBackgroundColor;
  call->color = ColorOf(kADMBackgroundColor);
  Record(*call, ShapeRecord(DrawOp::Clear, call->area));
  call->admColor = color;
  call->color = rgb;
  return true;
}

const DialogPicture* Toolkit::Paint(ADMDialogRef ref) {
  Dialog* d = Find(ref);
  if (d == nullptr) return nullptr;
  DialogPicture picture;
  picture.width = d->bounds.right - d->bounds.left;
  picture.height = d->bounds.bottom - d->bounds.top;
  const int32_t dialogFont = d->floating() ? kADMPaletteFont : kADMDialogFont;
  {
    const ADMRect area{0, 0, picture.width, picture.height};
    DrawerCall drawer{NewHandle(kDrawerBase), d->id, 0, area, &picture.background, ColorOf(kADMBlackColor),
                      kADMBlackColor, dialogFont};
    LiveCall<DrawerCall> call(drawers_, drawer);
    if (ADMDialogDrawProc proc = d->drawProc) {
      proc(ref, call.handle<ADMDrawerRef>());
    } else {
      DefaultDrawDialog(ref, call.handle<ADMDrawerRef>());
    }
  }
  d = Find(ref);
  const std::vector<std::uintptr_t> items = d != nullptr ? d->items : std::vector<std::uintptr_t>();
  for (std::uintptr_t h : items) {
    const auto itemRef = reinterpret_cast<ADMItemRef>(h);
    Item* item = FindItem(itemRef);
    if (item == nullptr || !item->visible || item->id == kADMMenuItemID) continue;
    ItemPicture painted{item->id, itemRef, item->bounds, {}};
    const ADMRect area{0, 0, item->bounds.right - item->bounds.left, item->bounds.bottom - item->bounds.top};
    {
      DrawerCall drawer{NewHandle(kDrawerBase), item->dialog, h, area, &painted.list, ColorOf(kADMBlackColor),
                        kADMBlackColor, item->font};
      LiveCall<DrawerCall> call(drawers_, drawer);
      if (ADMItemDrawProc proc = item->drawProc) {
        proc(itemRef, call.handle<ADMDrawerRef>());
      } else {
        DefaultDrawItem(itemRef, call.handle<ADMDrawerRef>());
      }
    }
    picture.items.push_back(std::move(painted));
  }
  d = Find(ref);
  if (d == nullptr) return nullptr;
  d->picture = std::move(picture);
  return &*d->picture;
}

}  // namespace hostsim::toolkit
