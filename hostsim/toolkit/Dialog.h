// A dialog of the toolkit: floating (a panel) or modal, with its items in
// creation order, its procedures and its place in a dock group.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "host/ADMSuites.h"
#include "hostsim/toolkit/DisplayList.h"

namespace hostsim::toolkit {

struct Dialog {
  std::uintptr_t id = 0;                 // the handle
  std::string name;                      // UTF-8
  int32_t resourceId = 0;
  int32_t style = 0;
  int32_t options = 0;
  ADMUserData userData = nullptr;
  std::string title;                     // UTF-8
  ADMRect bounds{};                      // screen pixels
  bool modal = false;                    // made by Modal
  bool visible = false;
  bool running = false;                  // inside Modal, not yet returned
  bool ended = false;                    // EndModal, or a user change of its default or cancel item
  int32_t modalResult = 0;               // the item id that ended it
  bool destroying = false;
  std::vector<std::uintptr_t> items;     // creation order
  std::unordered_map<int32_t, std::uintptr_t> firstWithId;  // the first of `items` with each id
  std::uintptr_t activeItem = 0;         // keyboard focus
  int32_t defaultItemId = kADMDefaultItemID;
  int32_t cancelItemId = kADMCancelItemID;
  ADMDialogDrawProc drawProc = nullptr;
  ADMDialogNotifyProc notifyProc = nullptr;
  ADMDialogDestroyProc destroyProc = nullptr;
  ADMIconRef icon = nullptr;
  std::string dockGroup;                 // UTF-8; empty: not docked
  int32_t dockCode = 0;
  bool hiddenByToggle = false;           // hidden by ShowAll/ToggleAll, to be shown again
  std::optional<DialogPicture> picture;  // what the last paint recorded

  bool floating() const { return !modal && style >= kADMFloatingDialogStyle; }
};

}  // namespace hostsim::toolkit
