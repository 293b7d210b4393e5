// The names and texts the plug-in registers with the host: its menu groups
// and items, the tool and the notifier. The shell registers them; the panel
// names its menu item after what it will do next.
#pragma once

// Menu texts, in the platform encoding (Windows-1252: 0x95 bullet, 0x85
// ellipsis, 0xC0 capital A grave).
inline constexpr const char* kAboutGroupName = "SDKAboutPluginsGroupName";
inline constexpr const char* kAboutGroupText = "\xC0 propos des KPX\x95Outils\x85";
inline constexpr const char* kAboutItemText = "KPX\x95Labels\x85";
inline constexpr const char* kToolsGroupName = "KPXOutils";
inline constexpr const char* kToolsGroupText = "KPX\x95Tools";
inline constexpr const char* kPanelItemName = "Outil1";
inline constexpr const char* kShowPanelText = "Show KPX\x95Labels";
inline constexpr const char* kHidePanelText = "Hide KPX\x95Labels";
inline constexpr const char* kToolName = "Labels Tool";
inline constexpr const char* kNotifierName = "notifierName";
