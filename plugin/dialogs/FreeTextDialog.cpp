// The preferred free text dialog: the five texts of the panel's popup. It
// edits the settings' fields themselves, so they always hold what the
// entries show; OK stores them and refills the panel's popup.

#include "core/FixedText.h"
#include "core/Ids.h"
#include "core/Settings.h"
#include "core/State.h"
#include "core/Suites.h"
#include "ui/DialogKit.h"
#include "dialogs/Dialogs.h"
#include "panel/PanelHooks.h"

using dlg::ItemRow;

namespace {

enum : int32_t {
  kOk = 1,
  kCancel = 2,
  kDefault = 3,
  kFirstEntry = 10,  // 10..14: TexteLibre1..TexteLibre5
};

constexpr int32_t kFreeTextWidth = 260;
constexpr int32_t kFreeTextHeight = 220;
constexpr int32_t kMaxFreeText = kFreeTextSize - 1;
constexpr const char* kTitle = "Prefered free text (KPX\x95Labels).";
constexpr const char* kNotSaved = "The preferred free texts could not all be saved.";

void OnEntry(ADMItemRef, ADMNotifierRef);
void OnOk(ADMItemRef, ADMNotifierRef);
void OnCancel(ADMItemRef, ADMNotifierRef);
void OnDefault(ADMItemRef, ADMNotifierRef);

#define NOTIFY(fn) &dlg::Notify<fn>

ItemRow Entry(int32_t k, const char* tip) {
  return {.id = kFirstEntry + k, .type = kADMTextEditType, .rect = {15, 10 + 27 * k, 245, 32 + 27 * k}, .tip = tip,
          .maxLength = kMaxFreeText, .notify = NOTIFY(OnEntry)};
}

ItemRow TextButton(int32_t id, ADMRect rect, const char* text, const char* tip, ADMItemNotifyProc notify) {
  return {.id = id, .type = kADMTextPushButtonType, .rect = rect, .tip = tip, .text = text, .notify = notify};
}

const ItemRow kRows[] = {
    Entry(0, "New text for the local menu 1 (30 characters maximum)."),
    Entry(1, "New text for the local menu 2 (30 characters maximum)."),
    Entry(2, "New text for the local menu 3 (30 characters maximum)."),
    Entry(3, "New text for the local menu 4 (30 characters maximum)."),
    Entry(4, "New text for the local menu 5 (30 characters maximum)."),
    TextButton(kCancel, {10, 162, 78, 182}, "Cancel", "No modification.", NOTIFY(OnCancel)),
    TextButton(kDefault, {98, 162, 170, 182}, "Default", "Back to the default strings.", NOTIFY(OnDefault)),
    TextButton(kOk, {191, 162, 249, 182}, "OK", "OK for the new strings.", NOTIFY(OnOk)),
};

#undef NOTIFY

void ShowTexts(ADMDialogRef dialog, const State& g) {
  for (int32_t k = 0; k < kFreeTexts; ++k) dlg::SetText(dialog, kFirstEntry + k, g.TexteLibre[k]);
}

// Each edit of an entry's text goes into its setting at once, at most 50
// characters and the terminator.
void OnEntry(ADMItemRef item, ADMNotifierRef notifier) {
  sADMItem->DefaultNotify(item, notifier);
  if (!dlg::IsNotifier(notifier, kADMIntermediateChangedNotifier) &&
      !dlg::IsNotifier(notifier, kADMTextSelectionChangedNotifier) && !dlg::IsUserChange(notifier)) {
    return;
  }
  const int32_t k = dlg::IdOf(item) - kFirstEntry;
  if (k < 0 || k >= kFreeTexts) return;
  char text[kFreeTextSize] = {};
  if (sADMItem->GetText(item, text, sizeof text) != kNoErr) return;
  CopyText(gState->TexteLibre[k], text);
}

void OnOk(ADMItemRef item, ADMNotifierRef notifier) {
  if (!dlg::DefaultThenUserChange(item, notifier)) return;
  State& g = *gState;
  dlg::RememberBounds(dlg::DialogOf(item), g.FreeTextDialogRect);
  using enum SettingId;
  const bool failed = StoreSettings({TexteLibre1, TexteLibre2, TexteLibre3, TexteLibre4, TexteLibre5}) != kNoErr;
  PanelRefillFreeTexts();
  g.FreeTextDlgOpen = 0;
  if (failed) dlg::ShowNotSaved(kNotSaved);
}

// The texts typed stay in the settings' fields until the host quits, so the
// dialog shows them again; nothing is stored.
void OnCancel(ADMItemRef item, ADMNotifierRef notifier) {
  if (!dlg::DefaultThenUserChange(item, notifier)) return;
  State& g = *gState;
  g.FreeTextDlgOpen = 0;
  dlg::RememberBounds(dlg::DialogOf(item), g.FreeTextDialogRect);
}

void OnDefault(ADMItemRef item, ADMNotifierRef notifier) {
  if (!dlg::DefaultThenUserChange(item, notifier)) return;
  State& g = *gState;
  State defaults{};
  SetDefaultSettings(defaults);
  for (int k = 0; k < kFreeTexts; ++k) CopyText(g.TexteLibre[k], defaults.TexteLibre[k]);
  ShowTexts(dlg::DialogOf(item), g);
}

ASErr InitFreeTexts(ADMDialogRef dialog) {
  State& g = *gState;
  dlg::PlaceDialog(dialog, g.FreeTextDialogRect, kFreeTextWidth, kFreeTextHeight);
  sADMDialog->SetText(dialog, kTitle);
  // An item the host refuses is left out; the others still work.
  for (const ItemRow& row : kRows) dlg::CreateItem(dialog, row);
  ShowTexts(dialog, g);
  dlg::Focus(dialog, kFirstEntry);
  g.FreeTextDlgOpen = 1;
  return kNoErr;
}

}  // namespace

ASErr RunFreeTextDialog() {
  State& g = *gState;
  if (g.FreeTextDlgOpen) return kNoErr;
  int32_t itemHit = 0;
  const ASErr err = sADMDialog->Modal(gPluginRef, kSettingsDialogName, kFreeTextsDialog, kADMModalDialogStyle,
                                      &dlg::Init<InitFreeTexts>, nullptr, 0, &itemHit);
  // However the dialog ended, it is closed now; the run may even have ended meanwhile.
  if (gState != nullptr) gState->FreeTextDlgOpen = 0;
  return err;
}
