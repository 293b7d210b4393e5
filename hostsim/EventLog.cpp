#include "hostsim/EventLog.h"

namespace hostsim {

void EventLog::Add(Event event) {
  // Once anything has been dropped the last entry is no longer the event
  // before this one, so nothing more joins it.
  if (dropped_ == 0 && !entries_.empty() && Coalesces(event) && entries_.back().event == event) {
    ++entries_.back().count;
    return;
  }
  if (entries_.size() >= limit_) {
    ++dropped_;
    return;
  }
  entries_.push_back(Entry{std::move(event), 1});
}

nlohmann::json EventLog::Json() const {
  nlohmann::json out = nlohmann::json::array();
  for (const Entry& e : entries_) out.push_back(ToJson(e.event, e.count));
  return out;
}

nlohmann::json EventLog::OfType(const std::string& type) const {
  nlohmann::json out = nlohmann::json::array();
  for (const Entry& e : entries_) {
    if (type == EventType(e.event)) out.push_back(ToJson(e.event, e.count));
  }
  return out;
}

void EventLog::Clear() {
  entries_.clear();
  dropped_ = 0;
}

}  // namespace hostsim
