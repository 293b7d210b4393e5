#include "hostsim/ToolModel.h"

#include <algorithm>

namespace hostsim {
namespace {
constexpr std::uintptr_t kToolBase = 0x1E0000;

struct HostTool {
  const char* name;
  int32_t number;
  int32_t group;
  int32_t toolset;
};
// The host's own tools that plug-ins place themselves beside.
constexpr HostTool kHostTools[] = {
    {"Selection Tool", 1, 1, 1},
    {"Adobe Pen Tool", 10, 10, 10},
    {"Segment Tool", 20, 20, 20},
    {"Arcs & Circles Tool", 21, 20, 20},
};
}  // namespace

ToolModel::ToolModel() {
  for (const HostTool& h : kHostTools) {
    Tool t;
    t.id = kToolBase + nextId_++;
    t.name = t.title = t.tooltip = h.name;
    t.number = h.number;
    t.group = h.group;
    t.toolset = h.toolset;
    tools_.push_back(t);
  }
  SelectHostTool();
}

const Tool* ToolModel::FindNumber(int32_t number) const {
  auto it = std::find_if(tools_.begin(), tools_.end(), [&](const Tool& t) { return t.number == number; });
  return it == tools_.end() ? nullptr : &*it;
}

ASErr ToolModel::Add(const std::string& name, const std::string& titleUtf8, const std::string& tooltipUtf8,
                     ADMIconRef icon, int32_t sameGroupAs, int32_t sameToolsetAs, int32_t options,
                     AIToolHandle* tool) {
  if (tool != nullptr) *tool = nullptr;
  if (tool == nullptr || name.empty() || FindByName(name) != nullptr) return kBadParameterErr;
  const Tool* groupTool = sameGroupAs == kNoTool ? nullptr : FindNumber(sameGroupAs);
  const Tool* toolsetTool = sameToolsetAs == kNoTool ? nullptr : FindNumber(sameToolsetAs);
  if ((sameGroupAs != kNoTool && groupTool == nullptr) || (sameToolsetAs != kNoTool && toolsetTool == nullptr)) {
    return kBadParameterErr;
  }
  Tool t;
  t.id = kToolBase + nextId_++;
  t.name = name;
  t.title = titleUtf8;
  t.tooltip = tooltipUtf8;
  t.number = nextNumber_++;
  t.group = groupTool != nullptr ? groupTool->group : t.number;
  t.toolset = toolsetTool != nullptr ? toolsetTool->toolset : t.number;
  t.options = options;
  t.icon = icon;
  t.plugin = true;
  tools_.push_back(t);
  *tool = HandleOf(tools_.back());
  return kNoErr;
}

std::optional<int32_t> ToolModel::NumberFromName(const std::string& name) const {
  if (failedLookups_.count(name) != 0) return std::nullopt;
  const Tool* t = FindByName(name);
  if (t == nullptr) return std::nullopt;
  return t->number;
}

Tool* ToolModel::Find(AIToolHandle tool) {
  const auto id = reinterpret_cast<std::uintptr_t>(tool);
  auto it = std::find_if(tools_.begin(), tools_.end(), [&](const Tool& t) { return t.id == id; });
  return it == tools_.end() ? nullptr : &*it;
}

const Tool* ToolModel::FindByName(const std::string& name) const {
  auto it = std::find_if(tools_.begin(), tools_.end(), [&](const Tool& t) { return t.name == name; });
  return it == tools_.end() ? nullptr : &*it;
}

AIToolHandle ToolModel::HandleOf(const Tool& tool) const { return reinterpret_cast<AIToolHandle>(tool.id); }

ASErr ToolModel::Select(AIToolHandle tool) {
  const Tool* t = Find(tool);
  if (t == nullptr) return kBadParameterErr;
  selectedId_ = t->id;
  return kNoErr;
}

AIToolHandle ToolModel::selected() const { return reinterpret_cast<AIToolHandle>(selectedId_); }

const Tool* ToolModel::selectedTool() const {
  auto it = std::find_if(tools_.begin(), tools_.end(), [&](const Tool& t) { return t.id == selectedId_; });
  return it == tools_.end() ? nullptr : &*it;
}

void ToolModel::SelectHostTool() { selectedId_ = tools_.front().id; }

AIToolHandle ToolModel::PluginTool() const {
  auto it = std::find_if(tools_.begin(), tools_.end(), [](const Tool& t) { return t.plugin; });
  return it == tools_.end() ? nullptr : HandleOf(*it);
}

bool ToolModel::PluginToolSelected() const {
  const Tool* t = selectedTool();
  return t != nullptr && t->plugin;
}

void ToolModel::DropPluginEntries() {
  if (PluginToolSelected()) SelectHostTool();
  std::erase_if(tools_, [](const Tool& t) { return t.plugin; });
}

nlohmann::json ToolModel::Dump() const {
  nlohmann::json out = nlohmann::json::array();
  for (const Tool& t : tools_) {
    out.push_back({{"name", t.name},
                   {"title", t.title},
                   {"tooltip", t.tooltip},
                   {"group", t.group},
                   {"toolset", t.toolset},
                   {"selected", t.id == selectedId_}});
  }
  return out;
}

}  // namespace hostsim
