// The dump's "panel" and "dialog" sections.
#include <cmath>
#include <map>

#include "hostsim/toolkit/Toolkit.h"
#include "hostsim/toolkit/Units.h"

namespace hostsim::toolkit {
namespace {

nlohmann::json Bounds(const ADMRect& r) { return {r.left, r.top, r.right, r.bottom}; }

// Shown values keep six decimals, so 6 mm reads 6 and not 5.9999999.
double Tidy(double v) {
  const double r = std::round(v * 1e6) / 1e6;
  return r == 0 ? 0.0 : r;
}

}  // namespace

nlohmann::json Toolkit::DumpItems(const Dialog& dialog) const {
  nlohmann::json items = nlohmann::json::object();
  std::map<int32_t, int> seen;
  for (std::uintptr_t h : dialog.items) {
    const Item* item = FindItem(reinterpret_cast<ADMItemRef>(h));
    if (item == nullptr || item->id == kADMMenuItemID) continue;
    const int n = ++seen[item->id];
    const std::string key = std::to_string(item->id) + (n > 1 ? "#" + std::to_string(n) : std::string());
    nlohmann::json j = {{"kind", item->info().shortName},
                        {"value", Tidy(ToShown(CurrentValue(*item), item->units))},
                        {"text", ShownText(*item)},
                        {"visible", item->visible},
                        {"enabled", item->enabled},
                        {"tooltip", item->tooltip},
                        {"active", dialog.activeItem == h}};
    if (item->list) j["entries"] = item->list->Dump();
    items[key] = std::move(j);
  }
  return items;
}

nlohmann::json Toolkit::DumpPanel() const {
  const Dialog* panel = Find(Panel());
  if (panel == nullptr) {
    return {{"exists", false},
            {"visible", false},
            {"bounds", Bounds({0, 0, 0, 0})},
            {"items", nlohmann::json::object()},
            {"flyout", nlohmann::json::array()}};
  }
  nlohmann::json flyout = nlohmann::json::array();
  if (const Item* menu = const_cast<Toolkit*>(this)->ItemById(HandleOf(*panel), kADMMenuItemID);
      menu != nullptr && menu->list) {
    for (const Entry& e : menu->list->entries()) {
      flyout.push_back({{"id", e.id},
                        {"text", e.text},
                        {"enabled", e.enabled},
                        {"checked", e.checked},
                        {"separator", e.separator}});
    }
  }
  return {{"exists", true},
          {"visible", panel->visible},
          {"bounds", Bounds(panel->bounds)},
          {"title", panel->title},
          {"dock", {{"group", panel->dockGroup}, {"code", panel->dockCode}}},
          {"items", DumpItems(*panel)},
          {"flyout", std::move(flyout)}};
}

nlohmann::json Toolkit::DumpDialog() const {
  const Dialog* d = Find(FrontModal());
  if (d == nullptr) return nullptr;
  return {{"name", d->name}, {"title", d->title}, {"bounds", Bounds(d->bounds)}, {"items", DumpItems(*d)}};
}

}  // namespace hostsim::toolkit
