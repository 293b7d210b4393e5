// The panel's sizes and places: where it opens, how tall and wide each of
// its areas makes it, and where the settings dialogs open by default. Pure
// rectangle arithmetic in screen pixels (y down), no host calls.
#pragma once

#include "host/ADMSuites.h"

constexpr int32_t kPanelWidth = 206;              // controls only
constexpr int32_t kPanelHelpWidth = 412;          // with the help area on the right
constexpr int32_t kPanelCompactHeight = 116;      // text options hidden
constexpr int32_t kPanelBuiltExpandedHeight = 185;  // built with the text options shown
constexpr int32_t kPanelExpandedHeight = 187;     // text options (or help) shown later
constexpr int32_t kPanelDefaultDockCode = 7168;
inline constexpr const char* kPanelDefaultDockGroup = "W";

// Default top-left corner of the panel: centred for its width, a third of
// the way down for a height of 135 (integer division).
ADMPoint DefaultPanelOrigin(const ADMRect& screen);

// Default top-left corner of a dialog of the given size: centred (rounded
// toward minus infinity), a third of the way down (truncated).
ADMPoint DefaultDialogOrigin(const ADMRect& screen, int32_t width, int32_t height);

// The panel's bounds when it is built at `origin`, with the text options
// shown (185 high) or hidden (116 high).
ADMRect BuiltPanelBounds(ADMPoint origin, bool textOptionsShown);

// `bounds` with the bottom set for the text options shown (187) or hidden (116).
ADMRect WithTextOptions(const ADMRect& bounds, bool shown);

// `bounds` with the help area shown (412 wide, 187 high) or hidden (206 wide,
// as high as the text options call for).
ADMRect WithHelp(const ADMRect& bounds, bool helpShown, bool textOptionsShown);
