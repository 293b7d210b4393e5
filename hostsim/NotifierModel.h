// Notifier registrations, kept by type.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "host/AITypes.h"

namespace hostsim {

struct Notifier {
  std::uintptr_t id = 0;
  std::string name;
  std::string type;
};

class NotifierModel {
 public:
  AINotifierHandle Add(const std::string& name, const std::string& type) {
    const std::uintptr_t id = kBase + nextId_++;
    notifiers_.push_back({id, name, type});
    return reinterpret_cast<AINotifierHandle>(id);
  }
  // The handles registered for type, in registration order.
  std::vector<AINotifierHandle> OfType(const std::string& type) const {
    std::vector<AINotifierHandle> out;
    for (const auto& n : notifiers_) {
      if (n.type == type) out.push_back(reinterpret_cast<AINotifierHandle>(n.id));
    }
    return out;
  }
  const std::vector<Notifier>& all() const { return notifiers_; }
  void Clear() { notifiers_.clear(); }

 private:
  static constexpr std::uintptr_t kBase = 0x1A0000;
  std::vector<Notifier> notifiers_;
  std::uintptr_t nextId_ = 1;
};

}  // namespace hostsim
