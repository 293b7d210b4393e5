// What the person at the screen saw or heard, as typed values: alerts, tones,
// cursor changes and Info panel values. They become JSON only in the dump.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <variant>

#include <nlohmann/json_fwd.hpp>

namespace hostsim {

struct AlertEvent {
  std::string text;  // UTF-8
  bool operator==(const AlertEvent&) const = default;
};

struct BeepEvent {
  uint32_t hz = 0;
  uint32_t ms = 0;
  bool operator==(const BeepEvent&) const = default;
};

struct CursorEvent {
  int32_t id = 0;  // the plug-in's cursor resource
  bool operator==(const CursorEvent&) const = default;
};

// Values the Info panel shows; a missing value is one the plug-in did not set.
struct InfoEvent {
  std::optional<double> x;
  std::optional<double> y;
  std::optional<std::string> text;  // UTF-8
  bool operator==(const InfoEvent&) const = default;
};

using Event = std::variant<AlertEvent, BeepEvent, CursorEvent, InfoEvent>;

// The dump's name of the event's kind: "alert", "beep", "cursor" or "info".
const char* EventType(const Event& event);

// Cursor and Info events repeat on every movement of the pointer; a run of
// equal ones is kept once, with a count. Alerts and tones are each kept.
bool Coalesces(const Event& event);

// {"type", ...the event's values...}, with "count" when the event stands for
// more than one.
nlohmann::json ToJson(const Event& event, uint64_t count = 1);

}  // namespace hostsim
