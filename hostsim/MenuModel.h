// The host's menus: its own groups ("Tool Palettes", "About") and the items and
// sub-menu groups plug-ins add. Handles are ids the model looks up, never pointers.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "host/AITypes.h"

namespace hostsim {

struct MenuItem {
  std::uintptr_t id = 0;
  std::string name;
  std::string text;   // UTF-8
  std::string group;  // the group the item is in
  bool enabled = true;
  int32_t options = 0;
};

struct MenuGroup {
  std::uintptr_t id = 0;
  std::string name;
  std::string headItem;  // the item that opens it as a sub-menu; empty for the host's own groups
  int32_t options = 0;
  bool host = false;
};

class MenuModel {
 public:
  MenuModel();

  // kNameNotFoundErr for an unknown group, kBadParameterErr for an empty or
  // taken name.
  ASErr AddItem(const std::string& name, const std::string& groupName, const std::string& textUtf8,
                int32_t options, AIMenuItemHandle* item);
  // kBadParameterErr for a dead item, an item already heading a group, or a taken name.
  ASErr AddSubMenuGroup(const std::string& name, int32_t options, AIMenuItemHandle item, AIMenuGroup* group);

  MenuItem* Find(AIMenuItemHandle item);
  const MenuGroup* Find(AIMenuGroup group) const;
  const MenuItem* FindItem(const std::string& name) const;
  const MenuGroup* FindGroup(const std::string& name) const;
  AIMenuItemHandle HandleOf(const MenuItem& item) const;
  AIMenuGroup HandleOf(const MenuGroup& group) const;

  // The first item inside a sub-menu of the host's "About" group that heads no group.
  const MenuItem* AboutItem() const;

  const std::vector<MenuItem>& items() const { return items_; }
  const std::vector<MenuGroup>& groups() const { return groups_; }

  // Forgets everything plug-ins added (the plug-in is gone).
  void DropPluginEntries();

  // [{name, text, enabled, group}] in the order the items were added.
  nlohmann::json Dump() const;

 private:
  std::vector<MenuGroup> groups_;
  std::vector<MenuItem> items_;
  std::uintptr_t nextId_ = 1;
};

}  // namespace hostsim
