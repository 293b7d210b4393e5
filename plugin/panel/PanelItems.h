// The panel's items: one table row each (kind, place, tooltip, units, range,
// steps, pictures and procedures), created in the order the table gives,
// then filled and set to the values in force.
#pragma once

#include "host/ADMSuites.h"

// Creates every item of the panel, fills its lists and shows the values in
// force. Items the host refuses are left out; the others still work.
void CreatePanelItems(ADMDialogRef panel);

// Shows the values in force in the fields (after the defaults are applied,
// at build).
void ShowValuesInForce();
