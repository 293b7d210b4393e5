// The list of a popup, a menu or a spin edit popup: entries in order, at most
// one selected (the selected entry is also the active one).
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

#include "host/ADMSuites.h"

namespace hostsim::toolkit {

struct Entry {
  std::uintptr_t handle = 0;
  int32_t id = 0;
  std::string text;  // UTF-8
  bool enabled = true;
  bool checked = false;
  bool separator = false;
  bool selected = false;
  ADMUserData userData = nullptr;
};

class EntryList {
 public:
  EntryList(std::uintptr_t handle, std::uintptr_t item) : handle_(handle), item_(item) {}

  std::uintptr_t handle() const { return handle_; }
  std::uintptr_t item() const { return item_; }
  int32_t menuId() const { return menuId_; }
  std::size_t size() const { return entries_.size(); }
  const std::vector<Entry>& entries() const { return entries_; }
  Entry& at(std::size_t index) { return entries_.at(index); }
  const Entry& at(std::size_t index) const { return entries_.at(index); }

  // A new entry at index (0..size), with that handle.
  Entry& Insert(std::size_t index, std::uintptr_t handle);
  void Remove(std::size_t index);
  std::optional<std::size_t> IndexOf(std::uintptr_t entryHandle) const;
  std::optional<std::size_t> IndexOfId(int32_t id) const;
  std::optional<std::size_t> IndexOfText(std::string_view text) const;
  std::optional<std::size_t> SelectedIndex() const;
  // Selecting one deselects the others; deselecting leaves none selected.
  void Select(std::size_t index, bool select);
  // The user may pick it: enabled and not a separator.
  bool Pickable(std::size_t index) const;
  // Replaces the entries by a menu resource's lines (see ADMSuites.h:
  // SetMenuID); newHandle gives each new entry its handle.
  template <class NewHandle>
  void LoadMenu(int32_t menuId, std::string_view resource, NewHandle newHandle) {
    entries_.clear();
    menuId_ = menuId;
    int32_t line = 0;
    for (std::string_view text : MenuLines(resource)) {
      if (line++ == 0) continue;  // the menu's title
      Entry& e = Insert(entries_.size(), newHandle());
      if (text == "-") {
        e.separator = true;
      } else {
        e.id = line - 1;
        e.text = std::string(text);
      }
    }
  }

  // [{"id", "text", "enabled", "checked", "separator", "selected"}, ...]
  nlohmann::json Dump() const;

 private:
  static std::vector<std::string_view> MenuLines(std::string_view resource);

  std::uintptr_t handle_;
  std::uintptr_t item_;
  int32_t menuId_ = 0;
  std::vector<Entry> entries_;
};

}  // namespace hostsim::toolkit
