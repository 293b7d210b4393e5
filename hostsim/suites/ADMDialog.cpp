// ADM Dialog Suite and ADM Dialog Group Suite: dialogs, their procedures,
// modal runs, bounds, and docking in dialog groups.
#include "hostsim/suites/ToolkitSuites.h"
#include "hostsim/suites/ToolkitSupport.h"
#include "hostsim/toolkit/Units.h"

namespace hostsim::suites {
namespace {

using toolkit::Dialog;
using toolkit::Toolkit;

template <class Body>
ASErr DialogOp(const char* op, ADMDialogRef ref, Body&& body) {
  return Guarded(kADMDialogSuite, op, [&](Host& h) -> ASErr {
    Dialog* d = h.dialogs().Find(ref);
    if (d == nullptr) return kBadParameterErr;
    return body(h.dialogs(), *d);
  });
}

template <class Body>
ASErr GroupOp(const char* op, Body&& body) {
  return Guarded(kADMDialogGroupSuite, op, std::forward<Body>(body));
}

// -----------------------------------------------------------------------------
// Life

ASErr Create(SPPluginRef self, const char* name, int32_t dialogID, int32_t style, ADMDialogInitProc initProc,
             ADMUserData userData, int32_t options, ADMDialogRef* dialog) {
  return Guarded(kADMDialogSuite, "Create", [&](Host& h) -> ASErr {
    if (dialog == nullptr) return kBadParameterErr;
    *dialog = nullptr;
    if (!h.IsPluginRef(self) || style < kADMModalDialogStyle || style > kADMTabbedResizingFloatingDialogStyle) {
      return kBadParameterErr;
    }
    return h.dialogs().CreateDialog({FromPlatform(name), dialogID, style, options, userData}, initProc, dialog);
  });
}

ASErr Modal(SPPluginRef self, const char* name, int32_t dialogID, int32_t style, ADMDialogInitProc initProc,
            ADMUserData userData, int32_t options, int32_t* itemHit) {
  return Guarded(kADMDialogSuite, "Modal", [&](Host& h) -> ASErr {
    if (itemHit != nullptr) *itemHit = 0;
    if (!h.IsPluginRef(self) || (style != kADMModalDialogStyle && style != kADMAlertDialogStyle)) {
      return kBadParameterErr;
    }
    return h.dialogs().RunModalDialog({FromPlatform(name), dialogID, style, options, userData}, initProc, itemHit);
  });
}

ASErr Destroy(ADMDialogRef dialog) {
  return DialogOp("Destroy", dialog, [&](Toolkit& tk, Dialog&) { return Code(tk.DestroyDialog(dialog)); });
}

ASErr IsVisible(ADMDialogRef dialog, ASBoolean* visible) {
  return DialogOp("IsVisible", dialog, [&](Toolkit&, Dialog& d) { return Out(visible, d.visible ? 1 : 0); });
}

ASErr Show(ADMDialogRef dialog, ASBoolean show) {
  return DialogOp("Show", dialog, [&](Toolkit& tk, Dialog&) {
    tk.ShowDialog(dialog, show != 0);
    return kNoErr;
  });
}

ASErr EndModal(ADMDialogRef dialog, int32_t modalResultID, ASBoolean) {
  return DialogOp("EndModal", dialog, [&](Toolkit& tk, Dialog&) { return Code(tk.EndModal(dialog, modalResultID)); });
}

ASErr GetUserData(ADMDialogRef dialog, ADMUserData* data) {
  return DialogOp("GetUserData", dialog, [&](Toolkit&, Dialog& d) { return Out(data, d.userData); });
}

ASErr SetText(ADMDialogRef dialog, const char* text) {
  return DialogOp("SetText", dialog, [&](Toolkit& tk, Dialog& d) -> ASErr {
    if (text == nullptr) return kBadParameterErr;
    d.title = FromPlatform(text);
    tk.Invalidate(dialog, nullptr);
    return kNoErr;
  });
}

ASErr GetText(ADMDialogRef dialog, char* text, int32_t size) {
  return DialogOp("GetText", dialog, [&](Toolkit&, Dialog& d) { return ToPlatform(d.title, text, size); });
}

ASErr GetDialogName(ADMDialogRef dialog, char* name, int32_t size) {
  return DialogOp("GetDialogName", dialog, [&](Toolkit&, Dialog& d) { return ToPlatform(d.name, name, size); });
}

ASErr GetItem(ADMDialogRef dialog, int32_t itemID, ADMItemRef* item) {
  return DialogOp("GetItem", dialog, [&](Toolkit& tk, Dialog&) -> ASErr {
    if (item == nullptr) return kBadParameterErr;
    const toolkit::Item* found = tk.ItemById(dialog, itemID);
    *item = found != nullptr ? Toolkit::HandleOf(*found) : nullptr;
    return found != nullptr ? kNoErr : kNameNotFoundErr;
  });
}

// -----------------------------------------------------------------------------
// Bounds and procedures

ASErr SetBoundsRect(ADMDialogRef dialog, const ADMRect* bounds) {
  return DialogOp("SetBoundsRect", dialog, [&](Toolkit& tk, Dialog&) -> ASErr {
    if (!ValidRect(bounds)) return kBadParameterErr;
    tk.SetDialogBounds(dialog, *bounds);
    return kNoErr;
  });
}

ASErr GetBoundsRect(ADMDialogRef dialog, ADMRect* bounds) {
  return DialogOp("GetBoundsRect", dialog, [&](Toolkit&, Dialog& d) { return Out(bounds, d.bounds); });
}

ASErr GetLocalRect(ADMDialogRef dialog, ADMRect* local) {
  return DialogOp("GetLocalRect", dialog, [&](Toolkit&, Dialog& d) {
    return Out(local, ADMRect{0, 0, d.bounds.right - d.bounds.left, d.bounds.bottom - d.bounds.top});
  });
}

ASErr SetDrawProc(ADMDialogRef dialog, ADMDialogDrawProc proc) {
  return DialogOp("SetDrawProc", dialog, [&](Toolkit&, Dialog& d) {
    d.drawProc = proc;
    return kNoErr;
  });
}

ASErr SetNotifyProc(ADMDialogRef dialog, ADMDialogNotifyProc proc) {
  return DialogOp("SetNotifyProc", dialog, [&](Toolkit&, Dialog& d) {
    d.notifyProc = proc;
    return kNoErr;
  });
}

ASErr SetDestroyProc(ADMDialogRef dialog, ADMDialogDestroyProc proc) {
  return DialogOp("SetDestroyProc", dialog, [&](Toolkit&, Dialog& d) {
    d.destroyProc = proc;
    return kNoErr;
  });
}

ASErr DefaultDraw(ADMDialogRef dialog, ADMDrawerRef drawer) {
  return DialogOp("DefaultDraw", dialog,
                  [&](Toolkit& tk, Dialog&) { return Code(tk.DefaultDrawDialog(dialog, drawer)); });
}

ASErr DefaultNotify(ADMDialogRef dialog, ADMNotifierRef notifier) {
  return DialogOp("DefaultNotify", dialog,
                  [&](Toolkit& tk, Dialog&) { return Code(tk.DefaultNotifyDialog(dialog, notifier)); });
}

ASErr SendNotify(ADMDialogRef dialog, const char* notifierType) {
  return DialogOp("SendNotify", dialog, [&](Toolkit& tk, Dialog&) -> ASErr {
    if (notifierType == nullptr) return kBadParameterErr;
    tk.NotifyDialog(dialog, FromPlatform(notifierType));
    return kNoErr;
  });
}

ASErr Invalidate(ADMDialogRef dialog) {
  return DialogOp("Invalidate", dialog, [&](Toolkit& tk, Dialog&) {
    tk.Invalidate(dialog, nullptr);
    return kNoErr;
  });
}

ASErr SetUserData(ADMDialogRef dialog, ADMUserData data) {
  return DialogOp("SetUserData", dialog, [&](Toolkit&, Dialog& d) {
    d.userData = data;
    return kNoErr;
  });
}

ASErr SetDefaultItemID(ADMDialogRef dialog, int32_t itemID) {
  return DialogOp("SetDefaultItemID", dialog, [&](Toolkit&, Dialog& d) {
    d.defaultItemId = itemID;
    return kNoErr;
  });
}

ASErr GetDefaultItemID(ADMDialogRef dialog, int32_t* itemID) {
  return DialogOp("GetDefaultItemID", dialog, [&](Toolkit&, Dialog& d) { return Out(itemID, d.defaultItemId); });
}

ASErr SetCancelItemID(ADMDialogRef dialog, int32_t itemID) {
  return DialogOp("SetCancelItemID", dialog, [&](Toolkit&, Dialog& d) {
    d.cancelItemId = itemID;
    return kNoErr;
  });
}

ASErr GetCancelItemID(ADMDialogRef dialog, int32_t* itemID) {
  return DialogOp("GetCancelItemID", dialog, [&](Toolkit&, Dialog& d) { return Out(itemID, d.cancelItemId); });
}

ASErr SetIcon(ADMDialogRef dialog, ADMIconRef icon) {
  return Guarded(kADMDialogSuite, "SetIcon", [&](Host& h) -> ASErr {
    Dialog* d = h.dialogs().Find(dialog);
    if (d == nullptr || (icon != nullptr && h.icons().Find(icon) == nullptr)) return kBadParameterErr;
    d->icon = icon;
    return kNoErr;
  });
}

ASErr GetActiveItem(ADMDialogRef dialog, ADMItemRef* item) {
  return DialogOp("GetActiveItem", dialog,
                  [&](Toolkit&, Dialog& d) { return Out(item, reinterpret_cast<ADMItemRef>(d.activeItem)); });
}

const ADMDialogSuite kSuite = {
    Create,        Modal,         Destroy,          IsVisible,        Show,            EndModal,
    GetUserData,   SetText,       GetText,          GetDialogName,    GetItem,         SetBoundsRect,
    GetBoundsRect, GetLocalRect,  SetDrawProc,      SetNotifyProc,    SetDestroyProc,  DefaultDraw,
    DefaultNotify, SendNotify,    Invalidate,       SetUserData,      SetDefaultItemID, GetDefaultItemID,
    SetCancelItemID, GetCancelItemID, SetIcon,      GetActiveItem};

// -----------------------------------------------------------------------------
// Dialog groups

ASErr GetDialogGroupInfo(ADMDialogRef dialog, char* groupName, int32_t size, int32_t* positionCode) {
  return GroupOp("GetDialogGroupInfo", [&](Host& h) -> ASErr {
    const Dialog* d = h.dialogs().Find(dialog);
    if (d == nullptr || d->modal || positionCode == nullptr || groupName == nullptr || size < 1) {
      return kBadParameterErr;
    }
    *positionCode = d->dockCode;
    return ToPlatform(d->dockGroup, groupName, size);
  });
}

ASErr SetDialogGroupInfo(ADMDialogRef dialog, const char* groupName, int32_t positionCode) {
  return GroupOp("SetDialogGroupInfo", [&](Host& h) -> ASErr {
    Dialog* d = h.dialogs().Find(dialog);
    if (d == nullptr || d->modal || groupName == nullptr || positionCode < 0) return kBadParameterErr;
    std::string name = FromPlatform(groupName);
    if (toolkit::CharCount(name) > 255) return kBadParameterErr;
    d->dockGroup = std::move(name);
    d->dockCode = d->dockGroup.empty() ? 0 : positionCode;
    return kNoErr;
  });
}

ASErr ShowAllFloatingDialogs(ASBoolean show) {
  return GroupOp("ShowAllFloatingDialogs", [&](Host& h) {
    h.dialogs().ShowAllFloating(show != 0);
    return kNoErr;
  });
}

ASErr ToggleAllFloatingDialogs() {
  return GroupOp("ToggleAllFloatingDialogs", [&](Host& h) {
    h.dialogs().ToggleAllFloating();
    return kNoErr;
  });
}

const ADMDialogGroupSuite kGroupSuite = {GetDialogGroupInfo, SetDialogGroupInfo, ShowAllFloatingDialogs,
                                         ToggleAllFloatingDialogs};

}  // namespace

const ADMDialogSuite& AdmDialogSuite() { return kSuite; }
const ADMDialogGroupSuite& AdmDialogGroupSuite() { return kGroupSuite; }

}  // namespace hostsim::suites
