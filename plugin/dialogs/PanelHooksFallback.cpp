// Stand-ins for the panel's hooks while the panel does not provide them: the
// dialogs then work without touching a panel. The panel's own definitions
// live in panel/PanelHooks.cpp; once that file exists these step aside.
#include "panel/PanelHooks.h"

#if !__has_include("panel/PanelHooks.cpp")

void PanelRefillFontList() {}
void PanelSetRectanglePicture(int32_t, int32_t) {}
void PanelShowTextGaps() {}
void PanelRedrawTriangleButton() {}
void PanelRefillFreeTexts() {}

#endif
