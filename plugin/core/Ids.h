// The numbers and names the plug-in shares with its resources, with the art
// it leaves in documents and across its own files: resource ids, cursor ids,
// tags, group and layer names, and limits. Each is written here once.
// Constants only, so that the host-free geometry can use them too.
#pragma once

#include <cstdint>

//-----------------------------------------------------------------------------
// Resources (plugin/resources/)
//-----------------------------------------------------------------------------

constexpr int32_t kToolStringList = 16100;     // 1: the tool's title, 2: its tooltip
constexpr int32_t kMessageStringList = 19000;  // the tool's messages (label/Messages.h)
constexpr int32_t kToolIcon = 16051;
constexpr int32_t kToolRolloverIcon = 18001;
constexpr int32_t kFlyoutMenu = 128;           // the panel's flyout menu

// Dialogs.
constexpr int32_t kPanelDialog = 16400;
constexpr int32_t kPreferencesDialog = 16600;
constexpr int32_t kColorsDialog = 22000;       // colours and options, from the tool's options
constexpr int32_t kPanelColorsDialog = 19210;  // colours and options, from the panel and the Preferences dialog
constexpr int32_t kFreeTextsDialog = 27200;
constexpr int32_t kArrowsEditorDialog = 27000;
constexpr int32_t kShapeEditorDialog = 28000;
constexpr int32_t kAboutDialog = 30000;

// Cursors (plugin/resources/cursors/hotspots.md says when each is shown).
constexpr int32_t kCursorRectangle = 17001;         // rectangular label, square corners
constexpr int32_t kCursorConvexRectangle = 17002;   // ... convex (rounded) corners
constexpr int32_t kCursorConcaveRectangle = 17003;  // ... concave corners
constexpr int32_t kCursorCircle = 17004;            // round label (width equals height)
constexpr int32_t kCursorOval = 17011;              // oval label
constexpr int32_t kCursorEquilateral = 17005;       // equilateral triangle
constexpr int32_t kCursorTrapezoid = 17012;         // triangle of free proportions
constexpr int32_t kCursorNoShape = 17006;
constexpr int32_t kCursorCustomShape = 17007;
constexpr int32_t kCursorPanelToggle = 17008;       // Alt held: a click shows or hides the panel
constexpr int32_t kCursorSnapCurve = 17009;         // snapped to a curved segment
constexpr int32_t kCursorSnapAnchor = 19000;        // ... to an anchor point
constexpr int32_t kCursorSnapStraight = 19001;      // ... to a straight segment
constexpr int32_t kCursorLabelLine = 20007;         // over the leader line of a finished label
constexpr int32_t kCursorMoveText = 20008;          // Space held: the drag moves the text
constexpr int32_t kCursorReady = 20009;             // after a message and after mouse up
constexpr int32_t kCursorHeadAngle = 1850;          // colours and options: the arrowhead angle picture
constexpr int32_t kCursorSolidHead = 1851;          // ... the solid head picture
constexpr int32_t kCursorHollowHead = 1852;         // ... the hollow head picture

//-----------------------------------------------------------------------------
// Art conventions: what later clicks recognise a label by
//-----------------------------------------------------------------------------

inline constexpr const char* kLeaderLineTag = "lab";  // on every leader line
inline constexpr const char* kPointHeadTag = "FlPo";  // on head 0 of points: tip between anchors 0 and 2
inline constexpr const char* kArrowHeadTag = "FlEl";  // on head 0 of kinds 1 and 4: tip at anchor 0
inline constexpr const char* kTagType = "string";
inline constexpr const char* kTagValue = "jj";
inline constexpr const char* kLinesGroupName = "Lines";
inline constexpr const char* kArrowsGroupName = "Arrows";
// The labels' own layer, in the platform encoding (0x95 bullet, 0xC9 E acute).
inline constexpr const char* kLabelLayerTitle = "KPX\x95\xC9tiq";

//-----------------------------------------------------------------------------
// Limits
//-----------------------------------------------------------------------------

constexpr int kMostLeaderLines = 29;                    // leader lines of one label
constexpr int kLeaderLineSlots = kMostLeaderLines + 1;  // per-line arrays of the state block
constexpr int32_t kLargestLabelNumber = 32767;

// A user-drawn point list (custom arrowhead, custom corner).
constexpr int kPointListCapacity = 20;
constexpr int kPointListMinCount = 2;
constexpr int kPointListBlock = 10;  // entries are stored and read ten at a time

// Fixed text buffers of the state block, terminator included.
constexpr int kFreeTexts = 5;
constexpr int kFreeTextSize = 51;   // 50 characters
constexpr int kFontNameSize = 256;  // 255 characters
