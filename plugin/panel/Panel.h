// The panel: built when the host has finished starting, destroyed at
// shut-down. It shows the values in force for the label being drawn and the
// next ones, enables its items while the label tool is current, keeps its
// place, docking, size and visibility across launches, and offers the
// settings dialogs and the help through its flyout menu.
#pragma once

#include "host/ADMSuites.h"

inline constexpr const char* kPanelName = "KPXEtiquette";
inline constexpr const char* kPanelTitle = "Labels 4.5";

// Builds the panel and sets the values in force from the settings. When the
// host refuses the panel the values in force are set all the same, so that
// the tool, the menu and the About box work without it. Returns the host's
// code.
ASErr BuildPanel();

// Items follow the label tool: enabled while it is current.
void EnablePanel(bool enabled);

// The label tool became current / another tool was chosen.
void PanelToolSelected();
void PanelToolDeselected();

// After a click: the number or letter the label got. After the drag: that,
// the leader's length and angle, and the keyboard focus in the text field.
void ShowLabelIndexInPanel();
void ShowDrawnLabelInPanel();
// Alt-click on the document shows or hides the panel and gives it the focus.
void FocusPanel();
// Shift-click stepped the label shape.
void ShowShapeInPanel();
