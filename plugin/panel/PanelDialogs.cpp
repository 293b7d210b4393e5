#include "panel/PanelDialogs.h"

#include "core/Ids.h"
#include "core/State.h"
#include "core/Suites.h"
#include "dialogs/Dialogs.h"

namespace {

// Runs the dialog with its flag set, so that no second one opens meanwhile.
void RunModal(ASBoolean State::*open, int32_t dialogId, const char* name) {
  State& g = *gState;
  if (g.*open) return;
  g.*open = true;
  int32_t itemHit = 0;
  sADMDialog->Modal(gPluginRef, name, dialogId, kADMModalDialogStyle, nullptr, nullptr, 0, &itemHit);
  // The dialog may have ended the plug-in's run (quit while open): look again.
  if (gState != nullptr) gState->*open = false;
}

}  // namespace

void OpenColorsDialog() { RunColorsDialog(kPanelColorsDialog, kColorsDialogName); }
void OpenArrowsEditor() { RunModal(&State::ArrowEditorOpen, kArrowsEditorDialog, "bidon"); }
void OpenShapeEditor(const char* dialogName) { RunModal(&State::ShapeEditorOpen, kShapeEditorDialog, dialogName); }
void OpenPreferencesDialog() { RunPreferencesDialog(); }
void OpenFreeTextDialog() { RunFreeTextDialog(); }
