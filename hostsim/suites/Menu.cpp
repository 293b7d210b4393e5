// The menu suite: items and sub-menu groups plug-ins add to the host's menus.
#include <string>

#include "host/AISuites.h"
#include "hostsim/Encoding.h"
#include "hostsim/SuiteRegistry.h"
#include "hostsim/suites/Guard.h"
#include "hostsim/suites/PlatformText.h"
#include "hostsim/suites/Registration.h"

namespace hostsim::suites {
namespace {

constexpr const char* kMenu = kAIMenuSuite;

// GetMenuGroupName hands out host storage valid until the next menu call.
std::string gMenuGroupName;

// A test can fail the addition of one item by its name.
AIErr AddMenuItem(SPPluginRef self, const char* name, const char* groupName, const char* text, int32_t options,
                  AIMenuItemHandle* item) {
  return Guarded(kMenu, "AddMenuItem", name, [&](Host& h) -> ASErr {
    if (item != nullptr) *item = nullptr;
    if (!h.IsPluginRef(self) || name == nullptr || groupName == nullptr || text == nullptr || item == nullptr) {
      return kBadParameterErr;
    }
    return h.menus().AddItem(Utf8(name), Utf8(groupName), Utf8(text), options, item);
  });
}

AIErr AddMenuGroupAsSubMenu(const char* name, int32_t options, AIMenuItemHandle item, AIMenuGroup* group) {
  return Guarded(kMenu, "AddMenuGroupAsSubMenu", name, [&](Host& h) -> ASErr {
    if (name == nullptr) return kBadParameterErr;
    return h.menus().AddSubMenuGroup(Utf8(name), options, item, group);
  });
}

AIErr CountMenuGroups(int32_t* count) {
  return Guarded(kMenu, "CountMenuGroups", [&](Host& h) -> ASErr {
    if (count == nullptr) return kBadParameterErr;
    *count = static_cast<int32_t>(h.menus().groups().size());
    return kNoErr;
  });
}

AIErr GetNthMenuGroup(int32_t n, AIMenuGroup* group) {
  return Guarded(kMenu, "GetNthMenuGroup", [&](Host& h) -> ASErr {
    if (group == nullptr) return kBadParameterErr;
    *group = nullptr;
    const auto& groups = h.menus().groups();
    if (n < 0 || static_cast<std::size_t>(n) >= groups.size()) return kBadParameterErr;
    *group = h.menus().HandleOf(groups[static_cast<std::size_t>(n)]);
    return kNoErr;
  });
}

AIErr GetMenuGroupName(AIMenuGroup group, const char** name) {
  return Guarded(kMenu, "GetMenuGroupName", [&](Host& h) -> ASErr {
    if (name == nullptr) return kBadParameterErr;
    *name = nullptr;
    const MenuGroup* g = h.menus().Find(group);
    if (g == nullptr) return kBadParameterErr;
    gMenuGroupName = Utf8ToCp1252(g->name);
    *name = gMenuGroupName.c_str();
    return kNoErr;
  });
}

AIErr SetItemText(AIMenuItemHandle item, const char* text) {
  return Guarded(kMenu, "SetItemText", [&](Host& h) -> ASErr {
    MenuItem* m = h.menus().Find(item);
    if (m == nullptr || text == nullptr) return kBadParameterErr;
    m->text = Utf8(text);
    return kNoErr;
  });
}

AIErr GetItemText(AIMenuItemHandle item, char* text, int32_t size) {
  return Guarded(kMenu, "GetItemText", [&](Host& h) -> ASErr {
    MenuItem* m = h.menus().Find(item);
    if (m == nullptr || text == nullptr || size < 1) return kBadParameterErr;
    CopyTruncated(Utf8ToCp1252(m->text), text, size);
    return kNoErr;
  });
}

ASErr SetEnabled(Host& h, AIMenuItemHandle item, bool enabled) {
  MenuItem* m = h.menus().Find(item);
  if (m == nullptr) return kBadParameterErr;
  m->enabled = enabled;
  return kNoErr;
}
AIErr EnableItem(AIMenuItemHandle item) {
  return Guarded(kMenu, "EnableItem", [&](Host& h) { return SetEnabled(h, item, true); });
}
AIErr DisableItem(AIMenuItemHandle item) {
  return Guarded(kMenu, "DisableItem", [&](Host& h) { return SetEnabled(h, item, false); });
}

const AIMenuSuite kMenuSuite = {AddMenuItem,      AddMenuGroupAsSubMenu, CountMenuGroups,
                                GetNthMenuGroup,  GetMenuGroupName,      SetItemText,
                                GetItemText,      EnableItem,            DisableItem};

}  // namespace

void RegisterMenuSuite(SuiteRegistry& registry) { registry.Add(kAIMenuSuite, kAIMenuSuiteVersion, &kMenuSuite); }

}  // namespace hostsim::suites
