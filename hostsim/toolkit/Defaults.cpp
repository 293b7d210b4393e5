// The toolkit's own handling of items: default tracking, default
// notification and default drawing, kind by kind (ADMSuites.h says what each does).
#include <algorithm>
#include <cmath>
#include <set>

#include "hostsim/toolkit/Toolkit.h"
#include "hostsim/toolkit/Units.h"

namespace hostsim::toolkit {
namespace {

constexpr int32_t kArrowWidth = 12;  // the arrows of spin edits and popups, at the right

int32_t Width(const Item& item) { return item.bounds.right - item.bounds.left; }
int32_t Height(const Item& item) { return item.bounds.bottom - item.bounds.top; }

// A small filled triangle centred in box, pointing up or down.
std::vector<ADMPoint> Triangle(const ADMRect& box, bool up) {
  const int32_t cx = (box.left + box.right) / 2;
  const int32_t cy = (box.top + box.bottom) / 2;
  if (up) return {{cx - 3, cy + 1}, {cx + 3, cy + 1}, {cx, cy - 2}};
  return {{cx - 3, cy - 1}, {cx + 3, cy - 1}, {cx, cy + 2}};
}

}  // namespace

// -----------------------------------------------------------------------------
// Tracking

bool Toolkit::TrackDefault(Item& item, const TrackerCall& call) {
  const ADMItemRef ref = HandleOf(item);
  const int32_t w = Width(item);
  const int32_t h = Height(item);
  const ADMPoint p = call.point;
  const bool inside = p.h >= 0 && p.v >= 0 && p.h < w && p.v < h;
  const bool down = call.action == kADMButtonDownAction;
  const bool up = call.action == kADMButtonUpAction;
  const bool drag = call.action == kADMMouseMovedDownAction;
  const KindInfo& k = item.info();

  if (k.pushButton || k.checkBox || k.radioButton) {
    if (down) item.pressed = true;
    if (drag) item.pressed = item.captured && inside;
    if (!up) return false;
    const bool hit = item.pressed && inside;
    item.pressed = false;
    if (!hit) return false;
    if (k.checkBox) ApplyValue(item, CurrentValue(item) != 0 ? 0 : 1);
    if (k.radioButton) ApplyValue(item, 1);
    return true;
  }
  if (item.kind == ItemKind::Slider) {
    if (down || drag) {
      // The value under the pointer, at the item's precision.
      const double lo = item.min.value_or(0);
      const double hi = item.max.value_or(100);
      const double t = std::clamp(static_cast<double>(p.h) / std::max(1, w), 0.0, 1.0);
      const double scale = std::pow(10.0, item.precision);
      ApplyValue(item, std::round((lo + t * (hi - lo)) * scale) / scale);
      NotifyItem(ref, kADMIntermediateChangedNotifier);
      return false;
    }
    return up;
  }
  if (k.spinEdit) {
    if (down && inside && p.h >= w - kArrowWidth) {
      const double step = (call.modifiers & kADMShiftKeyFlag) != 0 ? item.largeStep : item.smallStep;
      ApplyValue(item, CurrentValue(item) + (p.v < h / 2 ? step : -step));
      item.stepped = true;
      return false;
    }
    if (down) Activate(item, true);
    return up && item.stepped;
  }
  if (k.textEdit && down) Activate(item, true);
  return false;
}

// -----------------------------------------------------------------------------
// Notification

void Toolkit::NotifyDefault(std::uintptr_t h, std::string_view type) {
  Item* item = FindItem(reinterpret_cast<ADMItemRef>(h));
  if (item == nullptr || type != kADMUserChangedNotifier) return;
  const KindInfo& k = item->info();
  if (k.radioButton) {
    ApplyValue(*item, 1);
    RadioRunOff(*item);
  } else if (k.pushButton) {
    const auto dialog = reinterpret_cast<ADMDialogRef>(item->dialog);
    const Dialog* d = Find(dialog);
    if (d != nullptr && d->modal && !d->ended && (item->id == d->defaultItemId || item->id == d->cancelItemId)) {
      EndModal(dialog, item->id);
    }
  } else if (item->Numeric()) {
    ApplyValue(*item, CurrentValue(*item));
  }
}

// Radio buttons whose ids follow one another form a group: one is on.
void Toolkit::RadioRunOff(Item& item) {
  Dialog* d = Find(reinterpret_cast<ADMDialogRef>(item.dialog));
  if (d == nullptr) return;
  std::set<int32_t> radios;
  for (std::uintptr_t h : d->items) {
    const Item* other = FindItem(reinterpret_cast<ADMItemRef>(h));
    if (other != nullptr && other->info().radioButton) radios.insert(other->id);
  }
  int32_t lo = item.id;
  int32_t hi = item.id;
  while (lo > INT32_MIN && radios.count(lo - 1) != 0) --lo;
  while (hi < INT32_MAX && radios.count(hi + 1) != 0) ++hi;
  for (std::uintptr_t h : d->items) {
    Item* other = FindItem(reinterpret_cast<ADMItemRef>(h));
    if (other == nullptr || other == &item || !other->info().radioButton) continue;
    if (other->id >= lo && other->id <= hi) ApplyValue(*other, 0);
  }
}

// -----------------------------------------------------------------------------
// Drawing

void Toolkit::DrawDefault(Item& item, DrawerCall& drawer) {
  const int32_t savedColor = drawer.admColor;
  const ADMRGBColor savedRgb = drawer.color;
  const int32_t w = drawer.area.right;
  const int32_t h = drawer.area.bottom;
  const KindInfo& k = item.info();
  auto color = [&](int32_t c) {
    drawer.admColor = c;
    drawer.color = ColorOf(c);
  };
  auto shape = [&](DrawOp op, ADMRect r) { Record(drawer, ShapeRecord(op, r)); };
  auto text = [&](DrawOp op, ADMRect r, const std::string& t, int32_t justify) {
    Record(drawer, TextRecord(op, r, t, justify));
  };
  auto polygon = [&](std::vector<ADMPoint> points) {
    Record(drawer, PointsRecord(DrawOp::FillPolygon, std::move(points)));
  };
  const int32_t textColor = item.enabled ? kADMTextColor : kADMDisabledColor;
  std::string shown = ShownText(item);
  if ((item.style & kADMPasswordEditStyle) != 0) {
    std::string bullets;
    for (std::size_t i = CharCount(shown); i > 0; --i) bullets += "\xE2\x80\xA2";
    shown = bullets;
  }
  const ADMRect all{0, 0, w, h};

  if (k.picture) {
    const bool on = item.pressed || ((k.checkBox || k.radioButton) && CurrentValue(item) != 0);
    int32_t picture = item.picture;
    if (!item.enabled && item.disabledPicture != 0) {
      picture = item.disabledPicture;
    } else if (on && item.selectedPicture != 0) {
      picture = item.selectedPicture;
    }
    if (picture != 0) {
      Record(drawer, PictureRecord({0, 0}, picture));
      if (on && item.selectedPicture == 0 && item.kind != ItemKind::PictureStatic) shape(DrawOp::SunkenRect, all);
    } else if (item.kind != ItemKind::PictureStatic) {
      shape(on ? DrawOp::SunkenRect : DrawOp::RaisedRect, all);
    }
  } else {
    switch (item.kind) {
      case ItemKind::Frame:
        shape(DrawOp::SunkenRect, all);
        break;
      case ItemKind::TextStatic:
      case ItemKind::TextStaticMultiLine:
        color(textColor);
        text(item.kind == ItemKind::TextStatic ? DrawOp::TextInRect : DrawOp::TextInBox, all, shown, item.justify);
        break;
      case ItemKind::TextPushButton:
        color(item.pressed ? kADMButtonDownColor : kADMButtonUpColor);
        shape(DrawOp::FillRect, all);
        shape(item.pressed ? DrawOp::SunkenRect : DrawOp::RaisedRect, all);
        color(textColor);
        text(DrawOp::TextInRect, all, shown, kADMCenterJustify);
        break;
      case ItemKind::TextCheckBox:
      case ItemKind::TextRadioButton: {
        const bool on = CurrentValue(item) != 0;
        const ADMRect box{0, (h - 12) / 2, 12, (h - 12) / 2 + 12};
        const bool radio = item.kind == ItemKind::TextRadioButton;
        color(kADMWindowColor);
        shape(radio ? DrawOp::FillOval : DrawOp::FillRect, box);
        color(kADMShadowColor);
        shape(radio ? DrawOp::FrameOval : DrawOp::SunkenRect, box);
        color(textColor);
        if (on && radio) shape(DrawOp::FillOval, {box.left + 3, box.top + 3, box.right - 3, box.bottom - 3});
        if (on && !radio) {
          Record(drawer, PointsRecord(DrawOp::Line, {{2, box.top + 6}, {5, box.top + 9}}));
          Record(drawer, PointsRecord(DrawOp::Line, {{5, box.top + 9}, {10, box.top + 3}}));
        }
        text(DrawOp::TextInRect, {16, 0, std::max(16, w), h}, shown, kADMLeftJustify);
        break;
      }
      case ItemKind::Slider: {
        color(kADMShadowColor);
        shape(DrawOp::SunkenRect, {0, h / 2 - 2, w, h / 2 + 2});
        const double lo = item.min.value_or(0);
        const double hi = item.max.value_or(100);
        const double t = hi > lo ? std::clamp((CurrentValue(item) - lo) / (hi - lo), 0.0, 1.0) : 0.0;
        const auto x = static_cast<int32_t>(std::lround(t * std::max(0, w - 6)));
        color(item.enabled ? kADMButtonUpColor : kADMDisabledColor);
        shape(DrawOp::FillRect, {x, 0, x + 6, h});
        shape(DrawOp::RaisedRect, {x, 0, x + 6, h});
        break;
      }
      case ItemKind::PopupList:
      case ItemKind::ScrollingPopupList:
      case ItemKind::PopupMenu: {
        color(kADMButtonUpColor);
        shape(DrawOp::FillRect, all);
        shape(DrawOp::RaisedRect, all);
        color(textColor);
        if (item.kind != ItemKind::PopupMenu) {
          text(DrawOp::TextInRect, {4, 0, std::max(4, w - kArrowWidth - 2), h}, shown, kADMLeftJustify);
        }
        polygon(Triangle({w - kArrowWidth, 0, w, h}, false));
        break;
      }
      case ItemKind::User:
        break;
      default: {  // text edits and spin edits
        const bool arrows = k.spinEdit || k.hasList;
        const int32_t field = arrows ? std::max(0, w - kArrowWidth) : w;
        color(kADMWindowColor);
        shape(DrawOp::FillRect, {0, 0, field, h});
        color(kADMShadowColor);
        shape(DrawOp::SunkenRect, {0, 0, field, h});
        color(textColor);
        const ADMRect inset{3, 0, std::max(3, field - 3), h};
        text(item.kind == ItemKind::TextEditMultiLine ? DrawOp::TextInBox : DrawOp::TextInRect, inset, shown,
             item.justify);
        const Dialog* d = Find(reinterpret_cast<ADMDialogRef>(item.dialog));
        if (d != nullptr && d->activeItem == item.handle) {
          color(kADMHiliteColor);
          shape(DrawOp::FrameRect, {0, 0, field, h});
          color(textColor);
        }
        if (k.spinEdit) {
          polygon(Triangle({field, 0, w, h / 2}, true));
          polygon(Triangle({field, h / 2, w, h}, false));
        } else if (arrows) {
          polygon(Triangle({field, 0, w, h}, false));
        }
        break;
      }
    }
  }
  drawer.admColor = savedColor;
  drawer.color = savedRgb;
}

}  // namespace hostsim::toolkit
