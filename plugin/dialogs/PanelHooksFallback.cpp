// Stand-ins for the panel's hooks while the panel does not provide them: the
// dialogs then work without touching a panel. The panel's own definitions
// live in panel/PanelHooks.cpp; once that file exists the build leaves this
// one out (plugin/CMakeLists.txt).
#include "panel/PanelHooks.h"

void PanelRefillFontList() {}
void PanelSetRectanglePicture(int32_t, int32_t) {}
void PanelShowTextGaps() {}
void PanelRedrawTriangleButton() {}
void PanelRefillFreeTexts() {}
