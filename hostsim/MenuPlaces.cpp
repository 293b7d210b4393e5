#include "hostsim/MenuPlaces.h"

#include <algorithm>
#include <cctype>

#include "host/AISuites.h"

namespace hostsim {
namespace {

// What an entry opens: a menu of the bar, or a group shown as a sub-menu.
struct Target {
  int hostMenu = -1;  // index into kMenuBar, or -1
  std::string group;  // the group, when hostMenu is -1; empty: the menu bar itself
};

// A slot of a host menu: a sub-menu showing a group, or (no text) the group's
// items in the menu itself.
struct HostSlot {
  const char* subMenuText;
  const char* group;
};
struct HostMenu {
  const char* title;
  HostSlot slots[2];
};
constexpr HostMenu kMenuBar[] = {
    {"Window", {{"Tool Palettes", "Tool Palettes"}, {nullptr, "Window"}}},
    {"Help", {{nullptr, "Help"}, {"About", "About"}}},
};

struct Node {
  MenuEntry entry;
  Target opens;
};

std::vector<Node> GroupNodes(const MenuModel& menus, const std::string& groupName) {
  std::vector<Node> nodes;
  const MenuGroup* group = menus.FindGroup(groupName);
  if (group == nullptr) return nodes;
  for (const MenuItem& item : menus.items()) {
    if (item.group != groupName) continue;
    Node node;
    node.entry.text = item.text;
    node.entry.item = &item;
    for (const MenuGroup& g : menus.groups()) {
      if (g.headItem == item.name) {
        node.entry.opensSubMenu = true;
        node.opens.group = g.name;
      }
    }
    nodes.push_back(std::move(node));
  }
  if ((group->options & kMenuGroupSortedAlphabeticallyOption) != 0) {
    std::stable_sort(nodes.begin(), nodes.end(), [](const Node& a, const Node& b) { return a.entry.text < b.entry.text; });
  }
  return nodes;
}

std::vector<Node> Nodes(const MenuModel& menus, const Target& target) {
  std::vector<Node> nodes;
  if (target.hostMenu < 0 && target.group.empty()) {
    for (int i = 0; i < static_cast<int>(std::size(kMenuBar)); ++i) {
      nodes.push_back(Node{MenuEntry{kMenuBar[i].title, nullptr, true}, Target{i, {}}});
    }
    return nodes;
  }
  if (target.hostMenu < 0) return GroupNodes(menus, target.group);
  for (const HostSlot& slot : kMenuBar[target.hostMenu].slots) {
    if (slot.subMenuText != nullptr) {
      nodes.push_back(Node{MenuEntry{slot.subMenuText, nullptr, true}, Target{-1, slot.group}});
    } else {
      for (Node& n : GroupNodes(menus, slot.group)) nodes.push_back(std::move(n));
    }
  }
  return nodes;
}

const Node* Pick(const std::vector<Node>& nodes, const MenuStep& step) {
  if (step.position != 0) {
    const bool inRange = step.position > 0 && static_cast<std::size_t>(step.position) <= nodes.size();
    return inRange ? &nodes[static_cast<std::size_t>(step.position) - 1] : nullptr;
  }
  auto it = std::find_if(nodes.begin(), nodes.end(), [&](const Node& n) { return n.entry.text == step.text; });
  return it == nodes.end() ? nullptr : &*it;
}

std::string Trim(std::string_view text) {
  const auto blank = [](char c) { return c == ' ' || c == '\t'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return std::string(text);
}

}  // namespace

MenuStep MenuStepFromWord(const std::string& word) {
  const bool digits = !word.empty() && word.size() <= 6 &&
                      std::all_of(word.begin(), word.end(), [](unsigned char c) { return std::isdigit(c) != 0; });
  if (!digits) return MenuStep{word, 0};
  // Position 0 matches no entry; it stays a position so that it is refused as one.
  const int position = std::stoi(word);
  return MenuStep{{}, position > 0 ? position : -1};
}

MenuPath ParseMenuPath(std::string_view text) {
  MenuPath path;
  while (true) {
    const std::size_t cut = text.find('>');
    path.push_back(MenuStepFromWord(Trim(text.substr(0, cut))));
    if (cut == std::string_view::npos) break;
    text.remove_prefix(cut + 1);
  }
  return path;
}

std::string MenuPathText(const MenuPath& path) {
  std::string out;
  for (const MenuStep& step : path) {
    if (!out.empty()) out += " > ";
    out += step.position != 0 ? std::to_string(step.position > 0 ? step.position : 0) : step.text;
  }
  return out;
}

std::vector<MenuEntry> MenuEntriesAt(const MenuModel& menus, const MenuPath& path) {
  std::vector<Node> nodes = Nodes(menus, Target{});
  for (const MenuStep& step : path) {
    const Node* node = Pick(nodes, step);
    if (node == nullptr || !node->entry.opensSubMenu) return {};
    const Target next = node->opens;
    nodes = Nodes(menus, next);
  }
  std::vector<MenuEntry> entries;
  for (Node& n : nodes) entries.push_back(std::move(n.entry));
  return entries;
}

MenuPlace FindMenuPlace(const MenuModel& menus, const MenuPath& path) {
  std::vector<Node> nodes = Nodes(menus, Target{});
  for (std::size_t i = 0; i < path.size(); ++i) {
    const Node* node = Pick(nodes, path[i]);
    if (node == nullptr) return {};
    if (node->entry.item != nullptr && !node->entry.item->enabled) return {MenuLookup::Disabled, node->entry.item};
    const bool last = i + 1 == path.size();
    if (last) {
      if (node->entry.opensSubMenu) return {MenuLookup::SubMenu, node->entry.item};
      if (node->entry.item == nullptr) return {};
      return {MenuLookup::Found, node->entry.item};
    }
    if (!node->entry.opensSubMenu) return {};
    const Target next = node->opens;
    nodes = Nodes(menus, next);
  }
  return {};
}

}  // namespace hostsim
