#include "label/ToolHandlers.h"

// The tool does nothing yet: every message is answered with success.

ASErr ToolTrackCursor(AIToolMessage*) { return kNoErr; }
ASErr ToolMouseDown(AIToolMessage*) { return kNoErr; }
ASErr ToolMouseDrag(AIToolMessage*) { return kNoErr; }
ASErr ToolMouseUp(AIToolMessage*) { return kNoErr; }
ASErr ToolSelect(AIToolMessage*) { return kNoErr; }
ASErr ToolDeselect(AIToolMessage*) { return kNoErr; }
