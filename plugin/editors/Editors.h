// The two graphic editors, each a modal dialog: the call returns when the
// dialog has closed. An editor does not open while either is open (they
// share one working copy); the call then does nothing and returns kNoErr.
#pragma once

#include "host/SPBasic.h"

// The custom arrowhead (arrowhead kind 4).
ASErr RunArrowsEditor();
// The custom label corner and the corners that use it, from the dialog
// resource of the shape editor under the panel's dialog name.
ASErr RunShapeEditor(const char* dialogName);
