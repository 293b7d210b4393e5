// The host's menus as a person sees them, and places in them.
//
// The menu bar has two menus. "Window" opens with the sub-menu "Tool Palettes"
// (the host's group of that name) followed by the items of the group
// "Window"; "Help" lists the items of the group "Help" followed by the
// sub-menu "About" (the host's "About" group). An item that heads a group opens
// that group as its sub-menu. A group with the sorted option lists its items
// by text; other groups in the order they were added.
//
// A place is a path from the menu bar: each step is the visible text of an
// entry or its position (1 for the first). The host finds an item by where it
// is, never by the name a plug-in gave it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "hostsim/MenuModel.h"

namespace hostsim {

struct MenuStep {
  std::string text;   // the entry's visible text, when position is 0
  int position = 0;   // 1-based; 0: find the entry by its text
  bool operator==(const MenuStep&) const = default;
};
using MenuPath = std::vector<MenuStep>;

// A word of a path: a word of digits only is a position, any other a text.
MenuStep MenuStepFromWord(const std::string& word);
// "Window > Tool Palettes > 1 > 1": steps parted by ">", blanks around them
// trimmed.
MenuPath ParseMenuPath(std::string_view text);
// The path written the way ParseMenuPath reads it.
std::string MenuPathText(const MenuPath& path);

// One entry of an open menu.
struct MenuEntry {
  std::string text;                 // UTF-8, as shown
  const MenuItem* item = nullptr;   // null for the host's own sub-menus and the menu bar's menus
  bool opensSubMenu = false;
};

enum class MenuLookup {
  Found,       // an item that runs a command
  NoEntry,     // some step matches no entry, or goes on from an entry without a sub-menu
  SubMenu,     // the place is an entry that opens a sub-menu
  Disabled,    // the item, or an item on the way to it, is disabled
};

struct MenuPlace {
  MenuLookup lookup = MenuLookup::NoEntry;
  const MenuItem* item = nullptr;  // the item at the place when Found or Disabled
};

// The entries of the menu a path opens (the menu bar for an empty path);
// empty when the path leads nowhere.
std::vector<MenuEntry> MenuEntriesAt(const MenuModel& menus, const MenuPath& path);

// The entry at a place.
MenuPlace FindMenuPlace(const MenuModel& menus, const MenuPath& path);

}  // namespace hostsim
