// ADM Item Suite: dialog items, their text and value views, ranges, pictures,
// procedures and the toolkit's default handling.
#include <climits>
#include <cmath>

#include "hostsim/suites/ToolkitSuites.h"
#include "hostsim/suites/ToolkitSupport.h"
#include "hostsim/toolkit/Units.h"

namespace hostsim::suites {
namespace {

using toolkit::Item;
using toolkit::Toolkit;

// Runs body(toolkit, item) for a live item.
template <class Body>
ASErr OnItem(const char* op, ADMItemRef ref, Body&& body) {
  return Guarded(kADMItemSuite, op, [&](Host& h) -> ASErr {
    Item* item = h.dialogs().FindItem(ref);
    if (item == nullptr) return kBadParameterErr;
    return body(h.dialogs(), *item);
  });
}

// A change the screen should show.
void Changed(Toolkit& tk, const Item& item) {
  tk.Invalidate(reinterpret_cast<ADMDialogRef>(item.dialog), Toolkit::HandleOf(item));
}

int32_t ToInt(double v) {
  const double r = std::round(v);
  if (r <= INT32_MIN) return INT32_MIN;
  if (r >= INT32_MAX) return INT32_MAX;
  return static_cast<int32_t>(r);
}

bool FitsReal(double v) { return std::isfinite(v) && std::fabs(v) <= 3.4e38; }

// Getters of one field.
#define KPX_ITEM_GET(Name, Type, expr)                                                                  \
  ASErr Name(ADMItemRef ref, Type* out) {                                                               \
    return OnItem(#Name, ref, [&](Toolkit&, Item& i) { return Out(out, (expr)); });                     \
  }
// Setters of one field that the screen shows; check is the value's domain.
#define KPX_ITEM_SET(Name, Type, check, assign)                                                         \
  ASErr Name(ADMItemRef ref, Type v) {                                                                  \
    return OnItem(#Name, ref, [&](Toolkit& tk, Item& i) -> ASErr {                                      \
      if (!(check)) return kBadParameterErr;                                                            \
      assign;                                                                                           \
      Changed(tk, i);                                                                                   \
      return kNoErr;                                                                                    \
    });                                                                                                 \
  }

// -----------------------------------------------------------------------------
// Life and identity

ASErr Create(ADMDialogRef dialog, int32_t itemID, const char* itemType, const ADMRect* bounds,
             ADMItemInitProc initProc, ADMUserData userData, int32_t, ADMItemRef* item) {
  return Guarded(kADMItemSuite, "Create", [&](Host& h) -> ASErr {
    if (item == nullptr) return kBadParameterErr;
    *item = nullptr;
    const auto kind = itemType != nullptr ? toolkit::KindOfType(itemType) : std::nullopt;
    if (h.dialogs().Find(dialog) == nullptr || !kind || !ValidRect(bounds) || itemID == kADMMenuItemID) {
      return kBadParameterErr;
    }
    return h.dialogs().CreateItem(dialog, itemID, *kind, *bounds, initProc, userData, item);
  });
}

ASErr Destroy(ADMItemRef ref) {
  return OnItem("Destroy", ref, [&](Toolkit& tk, Item&) { return Code(tk.DestroyItem(ref)); });
}

KPX_ITEM_GET(GetDialog, ADMDialogRef, reinterpret_cast<ADMDialogRef>(i.dialog))
KPX_ITEM_GET(GetID, int32_t, i.id)
KPX_ITEM_GET(GetItemType, const char*, i.info().typeName)
KPX_ITEM_SET(SetItemStyle, int32_t, v >= 0 && (v & ~(kADMNumericEditStyle | kADMPasswordEditStyle)) == 0,
             (i.style = v, i.Numeric() ? toolkit::ApplyValue(i, toolkit::CurrentValue(i)) : toolkit::Reformat(i)))
KPX_ITEM_GET(GetItemStyle, int32_t, i.style)

// -----------------------------------------------------------------------------
// Geometry and state

KPX_ITEM_SET(SetBoundsRect, const ADMRect*, ValidRect(v), i.bounds = *v)
KPX_ITEM_GET(GetBoundsRect, ADMRect, i.bounds)
KPX_ITEM_GET(GetLocalRect, ADMRect, (ADMRect{0, 0, i.bounds.right - i.bounds.left, i.bounds.bottom - i.bounds.top}))
KPX_ITEM_SET(Show, ASBoolean, true, i.visible = v != 0)
KPX_ITEM_GET(IsVisible, ASBoolean, i.visible ? 1 : 0)
KPX_ITEM_SET(Enable, ASBoolean, true, i.enabled = v != 0)
KPX_ITEM_GET(IsEnabled, ASBoolean, i.enabled ? 1 : 0)
KPX_ITEM_SET(Activate, ASBoolean, true, tk.Activate(i, v != 0))

ASErr IsActive(ADMItemRef ref, ASBoolean* active) {
  return OnItem("IsActive", ref, [&](Toolkit& tk, Item& i) {
    const toolkit::Dialog* d = tk.Find(reinterpret_cast<ADMDialogRef>(i.dialog));
    return Out(active, d != nullptr && d->activeItem == i.handle ? 1 : 0);
  });
}

ASErr Invalidate(ADMItemRef ref) {
  return OnItem("Invalidate", ref, [&](Toolkit& tk, Item& i) {
    Changed(tk, i);
    return kNoErr;
  });
}

// -----------------------------------------------------------------------------
// Text

ASErr SetText(ADMItemRef ref, const char* text) {
  return OnItem("SetText", ref, [&](Toolkit& tk, Item& i) -> ASErr {
    if (text == nullptr || !toolkit::ApplyText(i, FromPlatform(text))) return kBadParameterErr;
    Changed(tk, i);
    return kNoErr;
  });
}

ASErr GetText(ADMItemRef ref, char* text, int32_t size) {
  return OnItem("GetText", ref, [&](Toolkit&, Item& i) { return ToPlatform(toolkit::ShownText(i), text, size); });
}

KPX_ITEM_GET(GetTextLength, int32_t, static_cast<int32_t>(toolkit::CharCount(toolkit::ShownText(i))))
KPX_ITEM_SET(SetMaxTextLength, int32_t, v >= 1 && v <= 255,
             (i.maxTextLength = v,
              i.Numeric() ? toolkit::ApplyValue(i, i.value) : (void)(i.text = toolkit::CutChars(i.text, v))))
KPX_ITEM_GET(GetMaxTextLength, int32_t, i.maxTextLength)

ASErr SelectAll(ADMItemRef ref) {
  return OnItem("SelectAll", ref, [&](Toolkit& tk, Item& i) {
    i.selectionStart = 0;
    i.selectionEnd = static_cast<int32_t>(toolkit::CharCount(i.text));
    Changed(tk, i);
    return kNoErr;
  });
}

ASErr SetSelectionRange(ADMItemRef ref, int32_t start, int32_t end) {
  return OnItem("SetSelectionRange", ref, [&](Toolkit& tk, Item& i) -> ASErr {
    const auto length = static_cast<int32_t>(toolkit::CharCount(i.text));
    if (start < 0 || end < start || end > length) return kBadParameterErr;
    i.selectionStart = start;
    i.selectionEnd = end;
    Changed(tk, i);
    return kNoErr;
  });
}

ASErr GetSelectionRange(ADMItemRef ref, int32_t* start, int32_t* end) {
  return OnItem("GetSelectionRange", ref, [&](Toolkit&, Item& i) -> ASErr {
    if (start == nullptr || end == nullptr) return kBadParameterErr;
    *start = i.selectionStart;
    *end = i.selectionEnd;
    return kNoErr;
  });
}

KPX_ITEM_SET(SetJustify, int32_t, v >= kADMLeftJustify && v <= kADMRightJustify, i.justify = v)
KPX_ITEM_GET(GetJustify, int32_t, i.justify)
KPX_ITEM_SET(SetFont, int32_t, toolkit::IsKnownFont(v), i.font = v)
KPX_ITEM_GET(GetFont, int32_t, i.font)

// -----------------------------------------------------------------------------
// Units and values

using toolkit::Reformat;

KPX_ITEM_SET(SetUnits, int32_t, toolkit::IsKnownUnits(v), (i.units = v, Reformat(i)))
KPX_ITEM_GET(GetUnits, int32_t, i.units)
KPX_ITEM_SET(SetPrecision, int32_t, v >= 0 && v <= 20, (i.precision = v, Reformat(i)))
KPX_ITEM_GET(GetPrecision, int32_t, i.precision)
KPX_ITEM_SET(SetShowUnits, ASBoolean, true, (i.showUnits = v != 0, Reformat(i)))
KPX_ITEM_GET(GetShowUnits, ASBoolean, i.showUnits ? 1 : 0)

KPX_ITEM_SET(SetIntValue, int32_t, true, toolkit::ApplyValue(i, v))
KPX_ITEM_GET(GetIntValue, int32_t, ToInt(toolkit::CurrentValue(i)))
KPX_ITEM_SET(SetFloatValue, AIReal, std::isfinite(v), toolkit::ApplyValue(i, v))
KPX_ITEM_GET(GetFloatValue, AIReal, static_cast<AIReal>(toolkit::CurrentValue(i)))
KPX_ITEM_SET(SetBooleanValue, ASBoolean, true, toolkit::ApplyValue(i, v != 0 ? 1 : 0))
KPX_ITEM_GET(GetBooleanValue, ASBoolean, toolkit::CurrentValue(i) != 0 ? 1 : 0)

// A new bound holds the value inside the range.
ASErr SetBound(const char* op, ADMItemRef ref, double v, bool isMin) {
  return OnItem(op, ref, [&](Toolkit& tk, Item& i) -> ASErr {
    if (!FitsReal(v) || (isMin && i.max && v > *i.max) || (!isMin && i.min && v < *i.min)) return kBadParameterErr;
    (isMin ? i.min : i.max) = v;
    Reformat(i);
    Changed(tk, i);
    return kNoErr;
  });
}

ASErr SetMinIntValue(ADMItemRef ref, int32_t v) { return SetBound("SetMinIntValue", ref, v, true); }
ASErr SetMaxIntValue(ADMItemRef ref, int32_t v) { return SetBound("SetMaxIntValue", ref, v, false); }
ASErr SetMinFloatValue(ADMItemRef ref, AIReal v) { return SetBound("SetMinFloatValue", ref, v, true); }
ASErr SetMaxFloatValue(ADMItemRef ref, AIReal v) { return SetBound("SetMaxFloatValue", ref, v, false); }
KPX_ITEM_GET(GetMinIntValue, int32_t, i.min ? ToInt(*i.min) : INT32_MIN)
KPX_ITEM_GET(GetMaxIntValue, int32_t, i.max ? ToInt(*i.max) : INT32_MAX)
KPX_ITEM_GET(GetMinFloatValue, AIReal, i.min ? static_cast<AIReal>(*i.min) : -1e9f)
KPX_ITEM_GET(GetMaxFloatValue, AIReal, i.max ? static_cast<AIReal>(*i.max) : 1e9f)

KPX_ITEM_SET(SetSmallIncrement, AIReal, FitsReal(v) && v > 0, i.smallStep = v)
KPX_ITEM_GET(GetSmallIncrement, AIReal, static_cast<AIReal>(i.smallStep))
KPX_ITEM_SET(SetLargeIncrement, AIReal, FitsReal(v) && v > 0, i.largeStep = v)
KPX_ITEM_GET(GetLargeIncrement, AIReal, static_cast<AIReal>(i.largeStep))

// -----------------------------------------------------------------------------
// Pictures, tooltip, user data

KPX_ITEM_SET(SetPictureID, int32_t, v >= 0, i.picture = v)
KPX_ITEM_GET(GetPictureID, int32_t, i.picture)
KPX_ITEM_SET(SetSelectedPictureID, int32_t, v >= 0, i.selectedPicture = v)
KPX_ITEM_GET(GetSelectedPictureID, int32_t, i.selectedPicture)
KPX_ITEM_SET(SetDisabledPictureID, int32_t, v >= 0, i.disabledPicture = v)
KPX_ITEM_GET(GetDisabledPictureID, int32_t, i.disabledPicture)
KPX_ITEM_SET(SetTipString, const char*, v != nullptr, i.tooltip = FromPlatform(v))

ASErr GetTipString(ADMItemRef ref, char* tip, int32_t size) {
  return OnItem("GetTipString", ref, [&](Toolkit&, Item& i) { return ToPlatform(i.tooltip, tip, size); });
}

KPX_ITEM_SET(SetUserData, ADMUserData, true, i.userData = v)
KPX_ITEM_GET(GetUserData, ADMUserData, i.userData)

// -----------------------------------------------------------------------------
// Procedures and the default handling

KPX_ITEM_SET(SetNotifyProc, ADMItemNotifyProc, true, i.notifyProc = v)
KPX_ITEM_SET(SetDrawProc, ADMItemDrawProc, true, i.drawProc = v)
KPX_ITEM_SET(SetTrackProc, ADMItemTrackProc, true, i.trackProc = v)
KPX_ITEM_SET(SetDestroyProc, ADMItemDestroyProc, true, i.destroyProc = v)

ASErr DefaultNotify(ADMItemRef ref, ADMNotifierRef notifier) {
  return OnItem("DefaultNotify", ref, [&](Toolkit& tk, Item&) { return Code(tk.DefaultNotifyItem(ref, notifier)); });
}

ASErr DefaultDraw(ADMItemRef ref, ADMDrawerRef drawer) {
  return OnItem("DefaultDraw", ref, [&](Toolkit& tk, Item&) { return Code(tk.DefaultDrawItem(ref, drawer)); });
}

ASErr DefaultTrack(ADMItemRef ref, ADMTrackerRef tracker, ASBoolean* changed) {
  return OnItem("DefaultTrack", ref, [&](Toolkit& tk, Item&) -> ASErr {
    bool result = false;
    if (!tk.DefaultTrackItem(ref, tracker, &result)) return kBadParameterErr;
    if (changed != nullptr) *changed = result ? 1 : 0;
    return kNoErr;
  });
}

ASErr SendNotify(ADMItemRef ref, const char* notifierType) {
  return OnItem("SendNotify", ref, [&](Toolkit& tk, Item&) -> ASErr {
    if (notifierType == nullptr) return kBadParameterErr;
    tk.NotifyItem(ref, FromPlatform(notifierType));
    return kNoErr;
  });
}

KPX_ITEM_SET(SetMask, int32_t, (v & ~kADMAllActionsMask) == 0, i.mask = v)
KPX_ITEM_GET(GetMask, int32_t, i.mask)

ASErr GetList(ADMItemRef ref, ADMListRef* list) {
  return OnItem("GetList", ref, [&](Toolkit&, Item& i) -> ASErr {
    if (list == nullptr || !i.list) return kBadParameterErr;
    *list = Toolkit::HandleOf(*i.list);
    return kNoErr;
  });
}

#undef KPX_ITEM_GET
#undef KPX_ITEM_SET

const ADMItemSuite kSuite = {
    Create,           Destroy,          GetDialog,         GetID,
    GetItemType,      SetItemStyle,     GetItemStyle,      SetBoundsRect,
    GetBoundsRect,    GetLocalRect,     Show,              IsVisible,
    Enable,           IsEnabled,        Activate,          IsActive,
    Invalidate,       SetText,          GetText,           GetTextLength,
    SetMaxTextLength, GetMaxTextLength, SelectAll,         SetSelectionRange,
    GetSelectionRange, SetJustify,      GetJustify,        SetFont,
    GetFont,          SetUnits,         GetUnits,          SetPrecision,
    GetPrecision,     SetShowUnits,     GetShowUnits,      SetIntValue,
    GetIntValue,      SetFloatValue,    GetFloatValue,     SetBooleanValue,
    GetBooleanValue,  SetMinIntValue,   GetMinIntValue,    SetMaxIntValue,
    GetMaxIntValue,   SetMinFloatValue, GetMinFloatValue,  SetMaxFloatValue,
    GetMaxFloatValue, SetSmallIncrement, GetSmallIncrement, SetLargeIncrement,
    GetLargeIncrement, SetPictureID,    GetPictureID,      SetSelectedPictureID,
    GetSelectedPictureID, SetDisabledPictureID, GetDisabledPictureID, SetTipString,
    GetTipString,     SetUserData,      GetUserData,       SetNotifyProc,
    SetDrawProc,      SetTrackProc,     SetDestroyProc,    DefaultNotify,
    DefaultDraw,      DefaultTrack,     SendNotify,        SetMask,
    GetMask,          GetList};

}  // namespace

const ADMItemSuite& AdmItemSuite() { return kSuite; }

}  // namespace hostsim::suites
