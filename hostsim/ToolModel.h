// The host's tool palette: its own tools and those plug-ins add, with groups
// (palette slots) and tool sets, and the selected tool.
#pragma once

#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "host/AISuites.h"

namespace hostsim {

struct Tool {
  std::uintptr_t id = 0;
  std::string name;
  std::string title;    // UTF-8
  std::string tooltip;  // UTF-8
  int32_t number = 0;   // the host's tool number
  int32_t group = 0;    // number of the first tool of its palette slot
  int32_t toolset = 0;  // number of the first tool of its tool set
  int32_t options = 0;
  ADMIconRef icon = nullptr;
  ADMIconRef rolloverIcon = nullptr;
  bool plugin = false;
};

class ToolModel {
 public:
  // The host's own tools; "Selection Tool" is selected.
  ToolModel();

  // sameGroupAs / sameToolsetAs: a tool number or kNoTool. kBadParameterErr for an
  // empty or taken name or an unknown tool number.
  ASErr Add(const std::string& name, const std::string& titleUtf8, const std::string& tooltipUtf8,
            ADMIconRef icon, int32_t sameGroupAs, int32_t sameToolsetAs, int32_t options, AIToolHandle* tool);
  std::optional<int32_t> NumberFromName(const std::string& name) const;
  // Fault injection: looking up this tool's number by name finds nothing.
  void FailLookup(const std::string& name) { failedLookups_.insert(name); }

  Tool* Find(AIToolHandle tool);
  const Tool* FindByName(const std::string& name) const;
  AIToolHandle HandleOf(const Tool& tool) const;

  ASErr Select(AIToolHandle tool);
  AIToolHandle selected() const;
  const Tool* selectedTool() const;
  // The host's own selection tool becomes current.
  void SelectHostTool();

  // The first tool a plug-in added (null handle when none).
  AIToolHandle PluginTool() const;
  bool PluginToolSelected() const;

  const std::vector<Tool>& tools() const { return tools_; }
  void DropPluginEntries();

  // [{name, title, tooltip, group, toolset, selected}], the host's tools first.
  nlohmann::json Dump() const;

 private:
  const Tool* FindNumber(int32_t number) const;
  std::vector<Tool> tools_;
  std::uintptr_t selectedId_ = 0;
  std::uintptr_t nextId_ = 1;
  int32_t nextNumber_ = 100;
  std::set<std::string> failedLookups_;
};

}  // namespace hostsim
