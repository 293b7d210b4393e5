#include "panel/PanelDialogs.h"

#include "core/Ids.h"
#include "dialogs/Dialogs.h"
#include "editors/Editors.h"

void OpenColorsDialog() { RunColorsDialog(kPanelColorsDialog, kColorsDialogName); }
void OpenArrowsEditor() { RunArrowsEditor(); }
void OpenShapeEditor(const char* dialogName) { RunShapeEditor(dialogName); }
void OpenPreferencesDialog() { RunPreferencesDialog(); }
void OpenFreeTextDialog() { RunFreeTextDialog(); }
