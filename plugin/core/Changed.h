// The one way up from the layers below the panel: the tool and the settings
// say what changed, and the shell has the panel show the values in force
// again. The shell defines Changed (shell/Changed.cpp); nothing below it
// names a panel function. Each change does nothing while the panel does not
// exist.
#pragma once

enum class Change {
  ToolSelected,     // the label tool became current: items enabled, values in force shown
  ToolDeselected,   // another tool was chosen: items disabled
  LabelIndex,       // a click gave the label its number or letter
  DrawnLabel,       // a drag ended: index, leader length and angle, focus in the text field
  Shape,            // a Shift-click stepped the label shape
  PanelToggleAsked, // an Alt-click: the panel shown or hidden, and given the focus
};

void Changed(Change what);
