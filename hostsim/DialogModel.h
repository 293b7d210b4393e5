// The host's dialogs as far as the toolkit goes today: floating dialogs (the
// panel) and modal dialogs built from the plug-in's dialog resources.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "host/ADMSuites.h"

namespace hostsim {

struct Dialog {
  std::uintptr_t id = 0;
  std::string name;
  int32_t resourceId = 0;
  int32_t style = 0;
  int32_t options = 0;
  ADMUserData userData = nullptr;
  std::string title;  // UTF-8
  bool modal = false;
  bool visible = false;
  bool ended = false;        // EndModal was called
  int32_t modalResult = 0;   // the item that closed a modal dialog
};

class DialogModel {
 public:
  ADMDialogRef Add(Dialog dialog);
  Dialog* Find(ADMDialogRef dialog);
  const Dialog* Find(ADMDialogRef dialog) const;
  ADMDialogRef HandleOf(const Dialog& dialog) const;
  // False for a dead or foreign ref.
  bool Remove(ADMDialogRef dialog);

  // The first floating dialog, or null.
  const Dialog* Panel() const;
  // The modal dialog in front (the last opened), or null.
  const Dialog* FrontModal() const;
  std::size_t size() const { return dialogs_.size(); }
  void Clear() { dialogs_.clear(); }

  // {"exists", "visible", "bounds", "items", "flyout"} of the panel.
  nlohmann::json DumpPanel() const;
  // null, or {"name", "title", "bounds", "items"} of the front modal dialog.
  nlohmann::json DumpDialog() const;

 private:
  std::vector<Dialog> dialogs_;
  std::uintptr_t nextId_ = 1;
};

}  // namespace hostsim
