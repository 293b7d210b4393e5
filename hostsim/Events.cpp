#include "hostsim/Events.h"

#include <nlohmann/json.hpp>

namespace hostsim {
namespace {

template <class... Fs>
struct Overloaded : Fs... {
  using Fs::operator()...;
};
template <class... Fs>
Overloaded(Fs...) -> Overloaded<Fs...>;

nlohmann::json OrNull(const std::optional<double>& v) { return v ? nlohmann::json(*v) : nlohmann::json(nullptr); }

}  // namespace

const char* EventType(const Event& event) {
  return std::visit(Overloaded{[](const AlertEvent&) { return "alert"; },
                               [](const BeepEvent&) { return "beep"; },
                               [](const CursorEvent&) { return "cursor"; },
                               [](const InfoEvent&) { return "info"; }},
                    event);
}

bool Coalesces(const Event& event) {
  return std::holds_alternative<CursorEvent>(event) || std::holds_alternative<InfoEvent>(event);
}

nlohmann::json ToJson(const Event& event, uint64_t count) {
  nlohmann::json out = std::visit(
      Overloaded{[](const AlertEvent& e) { return nlohmann::json{{"text", e.text}}; },
                 [](const BeepEvent& e) { return nlohmann::json{{"hz", e.hz}, {"ms", e.ms}}; },
                 [](const CursorEvent& e) { return nlohmann::json{{"id", e.id}}; },
                 [](const InfoEvent& e) {
                   return nlohmann::json{{"x", OrNull(e.x)},
                                         {"y", OrNull(e.y)},
                                         {"text", e.text ? nlohmann::json(*e.text) : nlohmann::json(nullptr)}};
                 }},
      event);
  out["type"] = EventType(event);
  if (count > 1) out["count"] = count;
  return out;
}

}  // namespace hostsim
