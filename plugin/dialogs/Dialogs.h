// The three settings dialogs, each modal: the call returns when the dialog
// has closed. A dialog that is already open is not opened again (the call
// then does nothing and returns kNoErr); otherwise the result is the host's
// code for running the dialog.
#pragma once

#include <cstdint>

#include "host/SPBasic.h"

// Names the dialogs are run with (Windows-1252).
inline constexpr const char* kColorsDialogName = "\xC9tiqBidon";
inline constexpr const char* kToolColorsDialogName = "Colors and options";
inline constexpr const char* kSettingsDialogName = "bidon";

// The Preferences dialog: the defaults of new labels and the tool's rules.
ASErr RunPreferencesDialog();
// The Colors and options dialog, from dialog resource resourceId
// (kPanelColorsDialog or kColorsDialog of core/Ids.h): colours,
// arrowhead angles, hollow triangles and text gaps, applied at once on OK.
ASErr RunColorsDialog(int32_t resourceId, const char* name);
// The preferred free text dialog: the five texts of the panel's popup.
ASErr RunFreeTextDialog();
