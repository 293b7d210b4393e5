// Stand-ins for the panel's hooks while the panel does not provide them: the
// dialogs then work without touching a panel. Weak, so that the panel's own
// definitions take their place when they are linked in.
#include "panel/PanelHooks.h"

#define KPX_PANEL_HOOK_FALLBACK __attribute__((weak))

KPX_PANEL_HOOK_FALLBACK void PanelRefillFontList() {}
KPX_PANEL_HOOK_FALLBACK void PanelSetRectanglePicture(int32_t, int32_t) {}
KPX_PANEL_HOOK_FALLBACK void PanelShowTextGaps() {}
KPX_PANEL_HOOK_FALLBACK void PanelRedrawTriangleButton() {}
KPX_PANEL_HOOK_FALLBACK void PanelRefillFreeTexts() {}
