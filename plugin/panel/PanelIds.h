// The panel's item ids and flyout entries. Ids are the toolkit's item ids:
// the runner and the dump address items by them.
#pragma once

#include <cstdint>

enum PanelItemId : int32_t {
  kItemKpxButton = 6,          // apply the default settings; Command-click deletes the pending label
  kItemArrowSize = 7,
  kItemLineWidth = 8,
  kItemLanding = 9,            // tie-line length
  kItemTextMode = 10,
  kItemLetter = 11,
  kItemNumber = 12,
  kItemFreeText = 13,
  kItemFreeTextPopup = 14,     // the preferred free texts
  kItemAngle = 15,
  kItemLeaderLength = 16,
  kItemTextOffsetV = 17,
  kItemTextOffsetH = 18,
  kItemFont = 19,
  kItemTextSize = 20,
  kItemArrowSizeArea = 24,     // the icon areas beside the fields
  kItemLineWidthArea = 25,
  kItemLandingArea = 26,
  kItemDial = 27,
  kItemLeaderLengthArea = 28,
  kItemTextOffsetVArea = 29,
  kItemTextOffsetHArea = 30,
  kItemNumberCaption = 31,     // "Integer:"
  kItemLetterCaption = 32,     // "Letter:"
  kItemTextSizeArea = 33,
  kItemEqualSides = 34,
  kItemMarginH = 35,
  kItemMarginV = 36,
  kItemArrowsOrPoints = 37,
  kItemColors = 38,
  kItemHeadFirst = 41,         // arrowhead kinds 1..4: items 41..44
  kItemHeadLast = 44,
  kItemShapeFirst = 50,        // shape kinds 0..4: items 50..54
  kItemShapeLast = 54,
  kItemHelpText = 60,
  kItemHelpNext = 61,
  kItemHelpPrevious = 62,
  kItemHelpPage = 136,
  kItemHelpSlash = 137,
  kItemHelpCount = 138,
};

// Flyout entries: ids (for their texts) and positions (for picks).
enum FlyoutEntryId : int32_t {
  kFlyoutTextOptions = 1,
  kFlyoutArrowsOrPoints = 2,
  kFlyoutColors = 4,
  kFlyoutArrowsEditor = 5,
  kFlyoutShapeEditor = 6,
  kFlyoutPreferences = 8,
  kFlyoutHelp = 10,
};

enum FlyoutPosition : int32_t {
  kFlyoutPosTextOptions = 0,
  kFlyoutPosArrowsOrPoints = 1,
  kFlyoutPosColors = 3,
  kFlyoutPosArrowsEditor = 4,
  kFlyoutPosShapeEditor = 5,
  kFlyoutPosPreferences = 7,
  kFlyoutPosHelp = 9,
};

inline constexpr const char* kShowTextOptionsText = "Show text options";
inline constexpr const char* kHideTextOptionsText = "Hide text options";
inline constexpr const char* kShowHelpText = "Show help";
inline constexpr const char* kHideHelpText = "Hide help";

// Resources the panel draws with.
constexpr int32_t kPanelIconGroup = 17000;   // icon k of the group is picture 17000 + k
constexpr int32_t kPanelTabIcon = 160;
constexpr int32_t kKpxButtonPicture = 128;   // 129 pressed
constexpr int32_t kDialPicture = 404;
constexpr int32_t kEqualSidesOffIcon = 17200;
constexpr int32_t kEqualSidesOnIcon = 17201;
