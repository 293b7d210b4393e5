// What the plug-in registers with the host at start-up (menu items, the
// tool, notifiers) and its answers when the host calls them back.
#pragma once

#include "core/Names.h"
#include "host/AIMessages.h"

// The About-plug-ins item, then the tool-palettes group and the panel item.
// Returns the code of the panel item's registration, or of the first refusal.
ASErr RegisterMenus();
// Settings first, then the tool with its icons and placement. '!ico' when the
// tool's icon cannot be loaded.
ASErr RegisterTool();
// The selection notifier and the application-started notifier.
ASErr RegisterNotifiers();

// Shows the panel if hidden, hides it if shown, and names the menu item
// after what it will do next; with selectTool, a shown panel makes the
// label tool current. Nothing happens before the panel exists.
ASErr TogglePanel(bool selectTool);
// "AI Go": shows or hides the panel, or opens the About box.
ASErr MenuCommand(AIMenuMessage* message);
// "AI Notify": the host has started.
ASErr Notification(AINotifierMessage* message);
// "AI Edit Options": the colours and options dialog.
ASErr ToolOptions(AIToolMessage* message);
