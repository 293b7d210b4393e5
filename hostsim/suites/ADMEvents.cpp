// ADM Tracker Suite and ADM Notifier Suite: the mouse event and the
// notification handed to an item's or a dialog's procedure.
#include "hostsim/suites/ToolkitSuites.h"
#include "hostsim/suites/ToolkitSupport.h"

namespace hostsim::suites {
namespace {

using toolkit::Toolkit;
using Tracker = Toolkit::TrackerCall;
using Notifier = Toolkit::NotifierCall;

template <class Body>
ASErr OnTracker(const char* op, ADMTrackerRef ref, Body&& body) {
  return Guarded(kADMTrackerSuite, op, [&](Host& h) -> ASErr {
    const Tracker* t = h.dialogs().FindTracker(ref);
    if (t == nullptr) return kBadParameterErr;
    return body(h.dialogs(), *t);
  });
}

template <class Body>
ASErr OnNotifier(const char* op, ADMNotifierRef ref, Body&& body) {
  return Guarded(kADMNotifierSuite, op, [&](Host& h) -> ASErr {
    const Notifier* n = h.dialogs().FindNotifier(ref);
    if (n == nullptr) return kBadParameterErr;
    return body(*n);
  });
}

// -----------------------------------------------------------------------------
// Tracker

ASErr GetPoint(ADMTrackerRef ref, ADMPoint* point) {
  return OnTracker("GetPoint", ref, [&](Toolkit&, const Tracker& t) { return Out(point, t.point); });
}

ASErr GetAction(ADMTrackerRef ref, int32_t* action) {
  return OnTracker("GetAction", ref, [&](Toolkit&, const Tracker& t) { return Out(action, t.action); });
}

ASErr TestAction(ADMTrackerRef ref, int32_t action, ASBoolean* isAction) {
  return OnTracker("TestAction", ref,
                   [&](Toolkit&, const Tracker& t) { return Out(isAction, t.action == action ? 1 : 0); });
}

ASErr GetModifiers(ADMTrackerRef ref, int32_t* modifiers) {
  return OnTracker("GetModifiers", ref, [&](Toolkit&, const Tracker& t) { return Out(modifiers, t.modifiers); });
}

ASErr TestModifier(ADMTrackerRef ref, int32_t modifier, ASBoolean* isHeld) {
  return OnTracker("TestModifier", ref, [&](Toolkit&, const Tracker& t) {
    return Out(isHeld, (t.modifiers & modifier) == modifier ? 1 : 0);
  });
}

ASErr Abort(ADMTrackerRef ref) {
  return OnTracker("Abort", ref, [&](Toolkit& tk, const Tracker& t) {
    tk.AbortTracking(t);
    return kNoErr;
  });
}

const ADMTrackerSuite kTrackerSuite = {GetPoint, GetAction, TestAction, GetModifiers, TestModifier, Abort};

// -----------------------------------------------------------------------------
// Notifier

ASErr GetItem(ADMNotifierRef ref, ADMItemRef* item) {
  return OnNotifier("GetItem", ref, [&](const Notifier& n) { return Out(item, reinterpret_cast<ADMItemRef>(n.item)); });
}

ASErr GetDialog(ADMNotifierRef ref, ADMDialogRef* dialog) {
  return OnNotifier("GetDialog", ref,
                    [&](const Notifier& n) { return Out(dialog, reinterpret_cast<ADMDialogRef>(n.dialog)); });
}

ASErr IsNotifierType(ADMNotifierRef ref, const char* type, ASBoolean* isType) {
  return OnNotifier("IsNotifierType", ref, [&](const Notifier& n) -> ASErr {
    if (type == nullptr) return kBadParameterErr;
    return Out(isType, n.type == FromPlatform(type) ? 1 : 0);
  });
}

ASErr GetNotifierType(ADMNotifierRef ref, char* type, int32_t size) {
  return OnNotifier("GetNotifierType", ref, [&](const Notifier& n) { return ToPlatform(n.type, type, size); });
}

const ADMNotifierSuite kNotifierSuite = {GetItem, GetDialog, IsNotifierType, GetNotifierType};

}  // namespace

const ADMTrackerSuite& AdmTrackerSuite() { return kTrackerSuite; }
const ADMNotifierSuite& AdmNotifierSuite() { return kNotifierSuite; }

}  // namespace hostsim::suites
