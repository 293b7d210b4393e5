// The label tool's answers to the host's tool messages.
#pragma once

#include "host/AIMessages.h"

// "AI Track Cursor": the cursor moved over the document while the tool is current.
ASErr ToolTrackCursor(AIToolMessage* message);
// "AI Mouse Down": a click places a tip or takes up a label.
ASErr ToolMouseDown(AIToolMessage* message);
// "AI Mouse Drag": the label follows the mouse.
ASErr ToolMouseDrag(AIToolMessage* message);
// "AI Mouse Up": the label is finished.
ASErr ToolMouseUp(AIToolMessage* message);
// "AI Select": the tool became current.
ASErr ToolSelect(AIToolMessage* message);
// "AI Deselect": another tool was chosen.
ASErr ToolDeselect(AIToolMessage* message);
