#include "hostsim/DialogModel.h"

#include <algorithm>

namespace hostsim {
namespace {
constexpr std::uintptr_t kDialogBase = 0x1C8000;
}  // namespace

ADMDialogRef DialogModel::Add(Dialog dialog) {
  dialog.id = kDialogBase + nextId_++;
  dialogs_.push_back(std::move(dialog));
  return HandleOf(dialogs_.back());
}

Dialog* DialogModel::Find(ADMDialogRef dialog) {
  const auto id = reinterpret_cast<std::uintptr_t>(dialog);
  auto it = std::find_if(dialogs_.begin(), dialogs_.end(), [&](const Dialog& d) { return d.id == id; });
  return it == dialogs_.end() ? nullptr : &*it;
}

const Dialog* DialogModel::Find(ADMDialogRef dialog) const {
  return const_cast<DialogModel*>(this)->Find(dialog);
}

ADMDialogRef DialogModel::HandleOf(const Dialog& dialog) const { return reinterpret_cast<ADMDialogRef>(dialog.id); }

bool DialogModel::Remove(ADMDialogRef dialog) {
  const auto id = reinterpret_cast<std::uintptr_t>(dialog);
  return std::erase_if(dialogs_, [&](const Dialog& d) { return d.id == id; }) != 0;
}

const Dialog* DialogModel::Panel() const {
  auto it = std::find_if(dialogs_.begin(), dialogs_.end(), [](const Dialog& d) { return !d.modal; });
  return it == dialogs_.end() ? nullptr : &*it;
}

const Dialog* DialogModel::FrontModal() const {
  auto it = std::find_if(dialogs_.rbegin(), dialogs_.rend(), [](const Dialog& d) { return d.modal; });
  return it == dialogs_.rend() ? nullptr : &*it;
}

nlohmann::json DialogModel::DumpPanel() const {
  const Dialog* panel = Panel();
  return {{"exists", panel != nullptr},
          {"visible", panel != nullptr && panel->visible},
          {"bounds", nlohmann::json::array({0, 0, 0, 0})},
          {"items", nlohmann::json::object()},
          {"flyout", nlohmann::json::array()}};
}

nlohmann::json DialogModel::DumpDialog() const {
  const Dialog* d = FrontModal();
  if (d == nullptr) return nullptr;
  return {{"name", d->name},
          {"title", d->title},
          {"bounds", nlohmann::json::array({0, 0, 0, 0})},
          {"items", nlohmann::json::object()}};
}

}  // namespace hostsim
