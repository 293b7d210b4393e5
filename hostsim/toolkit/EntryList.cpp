#include "hostsim/toolkit/EntryList.h"

#include <algorithm>

namespace hostsim::toolkit {

Entry& EntryList::Insert(std::size_t index, std::uintptr_t handle) {
  Entry e;
  e.handle = handle;
  index = std::min(index, entries_.size());
  return *entries_.insert(entries_.begin() + static_cast<std::ptrdiff_t>(index), std::move(e));
}

void EntryList::Remove(std::size_t index) {
  if (index < entries_.size()) entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(index));
}

std::optional<std::size_t> EntryList::IndexOf(std::uintptr_t entryHandle) const {
  // From the end: a list is filled by appending an entry and then setting it
  // up, so the entry asked for is most often the last one.
  for (std::size_t i = entries_.size(); i-- > 0;) {
    if (entries_[i].handle == entryHandle) return i;
  }
  return std::nullopt;
}

std::optional<std::size_t> EntryList::IndexOfId(int32_t id) const {
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    if (entries_[i].id == id) return i;
  }
  return std::nullopt;
}

std::optional<std::size_t> EntryList::IndexOfText(std::string_view text) const {
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    if (entries_[i].text == text) return i;
  }
  return std::nullopt;
}

std::optional<std::size_t> EntryList::SelectedIndex() const {
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    if (entries_[i].selected) return i;
  }
  return std::nullopt;
}

void EntryList::Select(std::size_t index, bool select) {
  if (index >= entries_.size()) return;
  if (select) {
    for (Entry& e : entries_) e.selected = false;
  }
  entries_[index].selected = select;
}

bool EntryList::Pickable(std::size_t index) const {
  return index < entries_.size() && entries_[index].enabled && !entries_[index].separator;
}

std::vector<std::string_view> EntryList::MenuLines(std::string_view resource) {
  std::vector<std::string_view> lines;
  while (!resource.empty()) {
    const std::size_t end = resource.find('\n');
    std::string_view line = resource.substr(0, end);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(line);
    if (end == std::string_view::npos) break;
    resource.remove_prefix(end + 1);
  }
  return lines;
}

std::optional<std::pair<int32_t, std::string_view>> EntryList::NumberedEntry(std::string_view line) {
  std::size_t digits = 0;
  int32_t id = 0;
  while (digits < line.size() && digits < 9 && line[digits] >= '0' && line[digits] <= '9')
    id = id * 10 + (line[digits++] - '0');
  if (digits == 0 || id == 0 || digits >= line.size() || line[digits] != ' ') return std::nullopt;
  return std::make_pair(id, line.substr(digits + 1));
}

nlohmann::json EntryList::Dump() const {
  nlohmann::json out = nlohmann::json::array();
  for (const Entry& e : entries_) {
    out.push_back({{"id", e.id},
                   {"text", e.text},
                   {"enabled", e.enabled},
                   {"checked", e.checked},
                   {"separator", e.separator},
                   {"selected", e.selected}});
  }
  return out;
}

}  // namespace hostsim::toolkit
