// The settings dialogs the panel opens: each is modal and opens only while
// it is not open already (its flag in the state block is set while it runs).
#pragma once

#include "host/ADMSuites.h"

void OpenColorsDialog();
void OpenArrowsEditor();
void OpenShapeEditor(const char* dialogName);
void OpenPreferencesDialog();
void OpenFreeTextDialog();

// Dialog names the panel opens the shape editor with (Windows-1252).
inline constexpr const char* kShapeEditorMenuName = "Mod\xE8leBidon";
inline constexpr const char* kShapeEditorClickName = "bidon";
