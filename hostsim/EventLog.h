// What the user would have seen or heard, in order since the host started:
// alerts, beeps, cursor changes and Info panel values.
//
// The log does not grow with the number of messages: a run of equal cursor or
// Info events (the pointer resting, or the same shape under it) is one entry
// with a count, and past `limit` entries further events are only counted as
// dropped. The dump shows both.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "hostsim/Events.h"

namespace hostsim {

class EventLog {
 public:
  // 10 000 entries of at most a few hundred bytes each: the dump stays readable
  // and the log stays small however long the session runs.
  static constexpr std::size_t kDefaultLimit = 10000;

  struct Entry {
    Event event;
    uint64_t count = 1;  // how many equal events in a row this entry stands for
  };

  explicit EventLog(std::size_t limit = kDefaultLimit) : limit_(limit) {}

  void Add(Event event);

  const std::vector<Entry>& entries() const { return entries_; }
  // Entries kept (a coalesced run counts once).
  std::size_t size() const { return entries_.size(); }
  // Events left out because the log was full.
  uint64_t dropped() const { return dropped_; }
  std::size_t limit() const { return limit_; }

  // The events of one kind, in order, without their counts.
  template <class T>
  std::vector<T> All() const {
    std::vector<T> out;
    for (const Entry& e : entries_) {
      if (const T* t = std::get_if<T>(&e.event)) out.push_back(*t);
    }
    return out;
  }

  // The dump's "events": an array of objects with a "type".
  nlohmann::json Json() const;
  // The dump's objects of one type ("alert", "beep", "cursor", "info"), in order.
  nlohmann::json OfType(const std::string& type) const;

  void Clear();

 private:
  std::vector<Entry> entries_;
  uint64_t dropped_ = 0;
  std::size_t limit_;
};

}  // namespace hostsim
