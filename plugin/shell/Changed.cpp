// The shell's side of the change seam: each change the layers below report
// becomes the panel's showing of it.
#include "core/Changed.h"

#include "panel/Panel.h"
#include "shell/Registration.h"

void Changed(Change what) {
  switch (what) {
    case Change::ToolSelected: PanelToolSelected(); return;
    case Change::ToolDeselected: PanelToolDeselected(); return;
    case Change::LabelIndex: ShowLabelIndexInPanel(); return;
    case Change::DrawnLabel: ShowDrawnLabelInPanel(); return;
    case Change::Shape: ShowShapeInPanel(); return;
    case Change::PanelToggleAsked:
      TogglePanel(false);
      FocusPanel();
      return;
  }
}
