// A dialog item: what the plug-in set on it, its list when it has one, and
// the state of the mouse gesture going on over it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "host/ADMSuites.h"
#include "hostsim/toolkit/EntryList.h"
#include "hostsim/toolkit/ItemKind.h"

namespace hostsim::toolkit {

struct Item {
  std::uintptr_t handle = 0;
  std::uintptr_t dialog = 0;
  int32_t id = 0;
  ItemKind kind = ItemKind::User;
  ADMRect bounds{};                        // dialog pixels
  int32_t style = kADMNoItemStyle;
  std::string text;                        // UTF-8
  double value = 0;                        // in the value's terms (points for lengths)
  bool valueFromText = false;              // a plain text item's value is read from its text
  bool valueShown = false;                 // a value was set into a plain text item and shows as its text
  std::optional<double> min;
  std::optional<double> max;
  double smallStep = 1;
  double largeStep = 10;
  int32_t units = kADMNoUnits;
  int32_t precision = 0;
  bool showUnits = true;
  int32_t maxTextLength = 255;
  int32_t selectionStart = 0;
  int32_t selectionEnd = 0;
  int32_t justify = kADMLeftJustify;
  int32_t font = kADMDefaultFont;
  std::string tooltip;                     // UTF-8
  bool visible = true;
  bool enabled = true;
  int32_t picture = 0;
  int32_t selectedPicture = 0;
  int32_t disabledPicture = 0;
  ADMUserData userData = nullptr;
  ADMItemNotifyProc notifyProc = nullptr;
  ADMItemDrawProc drawProc = nullptr;
  ADMItemTrackProc trackProc = nullptr;
  ADMItemDestroyProc destroyProc = nullptr;
  int32_t mask = kADMDefaultActionMask;
  std::optional<EntryList> list;

  // The gesture in progress.
  bool pressed = false;   // a push button held down
  bool captured = false;  // took the button-down: its button-up comes here too
  bool aborted = false;   // the plug-in ended the gesture
  bool stepped = false;   // a spin edit's arrows changed the value
  bool destroying = false;

  const KindInfo& info() const { return Info(kind); }
  // Spin edits, sliders and numeric-style text edits: the text shows the value.
  bool Numeric() const;
  // Items whose text shows a value set into them.
  bool ShowsValueAsText() const;
};

// The value held to the item's range.
double Clamp(const Item& item, double value);
// Sets the value (clamped) and, for items that show it, the text.
void ApplyValue(Item& item, double value);
// After a change of units, precision or range: the value held to the range
// and shown again, where the text shows the value (never over a typed text).
void Reformat(Item& item);
// Sets the text; a numeric item parses it and refuses (false) what is no number.
bool ApplyText(Item& item, std::string_view utf8);
// The value as its views read it (a plain text item's value parsed from its text, 0 when none).
double CurrentValue(const Item& item);
// The value formatted as the item shows it.
std::string FormatText(const Item& item);
// What the item shows as text (a popup list: its selected entry's).
std::string ShownText(const Item& item);

}  // namespace hostsim::toolkit
