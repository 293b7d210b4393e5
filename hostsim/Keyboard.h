// The simulated keyboard behind GetAsyncKeyState: which virtual keys are held.
#pragma once

#include <optional>
#include <set>
#include <string>

#include "host/Platform.h"

namespace hostsim {

class Keyboard {
 public:
  void Press(int virtualKey) { held_.insert(virtualKey); }
  void Release(int virtualKey) { held_.erase(virtualKey); }
  void ReleaseAll() { held_.clear(); }
  bool IsDown(int virtualKey) const { return held_.count(virtualKey) != 0; }

  // "shift", "alt", "ctrl", "space" -> the virtual key; nothing for another word.
  static std::optional<int> KeyFromName(const std::string& name) {
    if (name == "shift") return VK_SHIFT;
    if (name == "alt") return VK_MENU;
    if (name == "ctrl") return VK_CONTROL;
    if (name == "space") return VK_SPACE;
    return std::nullopt;
  }

 private:
  std::set<int> held_;
};

}  // namespace hostsim
