#include "hostsim/MenuModel.h"

#include <algorithm>

namespace hostsim {
namespace {
constexpr std::uintptr_t kItemBase = 0x1B0000;
constexpr std::uintptr_t kGroupBase = 0x1D0000;
}  // namespace

MenuModel::MenuModel() {
  // The host's own groups come first; group 0 is the tool palettes' group.
  for (const char* name : {"Tool Palettes", "About", "Window", "Help"}) {
    MenuGroup g;
    g.id = kGroupBase + nextId_++;
    g.name = name;
    g.host = true;
    groups_.push_back(g);
  }
}

ASErr MenuModel::AddItem(const std::string& name, const std::string& groupName, const std::string& textUtf8,
                         int32_t options, AIMenuItemHandle* item) {
  if (item != nullptr) *item = nullptr;
  if (item == nullptr || name.empty()) return kBadParameterErr;
  if (FindGroup(groupName) == nullptr) return kNameNotFoundErr;
  if (FindItem(name) != nullptr) return kBadParameterErr;
  MenuItem m;
  m.id = kItemBase + nextId_++;
  m.name = name;
  m.text = textUtf8;
  m.group = groupName;
  m.options = options;
  items_.push_back(m);
  *item = HandleOf(items_.back());
  return kNoErr;
}

ASErr MenuModel::AddSubMenuGroup(const std::string& name, int32_t options, AIMenuItemHandle item, AIMenuGroup* group) {
  if (group != nullptr) *group = nullptr;
  const MenuItem* head = Find(item);
  if (head == nullptr || name.empty() || FindGroup(name) != nullptr) return kBadParameterErr;
  const bool alreadyHead =
      std::any_of(groups_.begin(), groups_.end(), [&](const MenuGroup& g) { return g.headItem == head->name; });
  if (alreadyHead) return kBadParameterErr;
  MenuGroup g;
  g.id = kGroupBase + nextId_++;
  g.name = name;
  g.headItem = head->name;
  g.options = options;
  groups_.push_back(g);
  if (group != nullptr) *group = HandleOf(groups_.back());
  return kNoErr;
}

MenuItem* MenuModel::Find(AIMenuItemHandle item) {
  const auto id = reinterpret_cast<std::uintptr_t>(item);
  auto it = std::find_if(items_.begin(), items_.end(), [&](const MenuItem& m) { return m.id == id; });
  return it == items_.end() ? nullptr : &*it;
}

const MenuGroup* MenuModel::Find(AIMenuGroup group) const {
  const auto id = reinterpret_cast<std::uintptr_t>(group);
  auto it = std::find_if(groups_.begin(), groups_.end(), [&](const MenuGroup& g) { return g.id == id; });
  return it == groups_.end() ? nullptr : &*it;
}

const MenuItem* MenuModel::FindItem(const std::string& name) const {
  auto it = std::find_if(items_.begin(), items_.end(), [&](const MenuItem& m) { return m.name == name; });
  return it == items_.end() ? nullptr : &*it;
}

const MenuGroup* MenuModel::FindGroup(const std::string& name) const {
  auto it = std::find_if(groups_.begin(), groups_.end(), [&](const MenuGroup& g) { return g.name == name; });
  return it == groups_.end() ? nullptr : &*it;
}

AIMenuItemHandle MenuModel::HandleOf(const MenuItem& item) const { return reinterpret_cast<AIMenuItemHandle>(item.id); }
AIMenuGroup MenuModel::HandleOf(const MenuGroup& group) const { return reinterpret_cast<AIMenuGroup>(group.id); }

const MenuItem* MenuModel::AboutItem() const {
  // Walks up from each item's group through the items that head groups.
  auto underAbout = [&](const std::string& groupName) {
    std::string current = groupName;
    for (std::size_t depth = 0; depth <= groups_.size(); ++depth) {
      if (current == "About") return depth > 0;
      const MenuGroup* g = FindGroup(current);
      if (g == nullptr || g->headItem.empty()) return false;
      const MenuItem* head = FindItem(g->headItem);
      if (head == nullptr) return false;
      current = head->group;
    }
    return false;
  };
  for (const MenuItem& m : items_) {
    const bool heads =
        std::any_of(groups_.begin(), groups_.end(), [&](const MenuGroup& g) { return g.headItem == m.name; });
    if (!heads && underAbout(m.group)) return &m;
  }
  return nullptr;
}

void MenuModel::DropPluginEntries() {
  items_.clear();
  std::erase_if(groups_, [](const MenuGroup& g) { return !g.host; });
}

nlohmann::json MenuModel::Dump() const {
  nlohmann::json out = nlohmann::json::array();
  for (const MenuItem& m : items_) {
    out.push_back({{"name", m.name}, {"text", m.text}, {"enabled", m.enabled}, {"group", m.group}});
  }
  return out;
}

}  // namespace hostsim
