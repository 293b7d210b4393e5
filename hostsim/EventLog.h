// What the user would have seen or heard, in order since the host started:
// alerts, beeps, cursor changes and Info panel values.
#pragma once

#include <string>

#include <nlohmann/json.hpp>

namespace hostsim {

class EventLog {
 public:
  void Add(nlohmann::json event) { events_.push_back(std::move(event)); }
  // Every event so far, a JSON array of objects with a "type".
  const nlohmann::json& all() const { return events_; }
  std::size_t size() const { return events_.size(); }
  // The events of one type, in order.
  nlohmann::json OfType(const std::string& type) const {
    nlohmann::json out = nlohmann::json::array();
    for (const auto& e : events_) {
      if (e.value("type", "") == type) out.push_back(e);
    }
    return out;
  }
  void Clear() { events_ = nlohmann::json::array(); }

 private:
  nlohmann::json events_ = nlohmann::json::array();
};

}  // namespace hostsim
