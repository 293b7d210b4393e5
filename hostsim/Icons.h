// Icons the dialog toolkit made from the plug-in's picture resources.
#pragma once

#include <cstdint>
#include <map>
#include <set>

#include "host/ADMSuites.h"

namespace hostsim {

struct Icon {
  int32_t resourceId = 0;
  int32_t type = kADMUnknownIconType;
  int32_t width = 0;
  int32_t height = 0;
};

class IconTable {
 public:
  ADMIconRef Add(Icon icon) {
    const std::uintptr_t id = kBase + nextId_++;
    icons_[id] = icon;
    return reinterpret_cast<ADMIconRef>(id);
  }
  const Icon* Find(ADMIconRef ref) const {
    auto it = icons_.find(reinterpret_cast<std::uintptr_t>(ref));
    return it == icons_.end() ? nullptr : &it->second;
  }
  bool Remove(ADMIconRef ref) { return icons_.erase(reinterpret_cast<std::uintptr_t>(ref)) != 0; }
  std::size_t size() const { return icons_.size(); }
  void Clear() { icons_.clear(); }
  // Fault injection: an icon made from this resource is of unknown type, as
  // when the resource is not a picture the toolkit can read.
  void MakeUnreadable(int32_t resourceId) { unreadable_.insert(resourceId); }
  bool Unreadable(int32_t resourceId) const { return unreadable_.count(resourceId) != 0; }

 private:
  static constexpr std::uintptr_t kBase = 0x1C0000;
  std::map<std::uintptr_t, Icon> icons_;
  std::set<int32_t> unreadable_;
  std::uintptr_t nextId_ = 1;
};

}  // namespace hostsim
