// What a label looks like in the observation dump, as the tool's take-up
// reads it back: a group named "Label (...)" (or the ellipse's "Lable (...)")
// whose first child is its text (a text or a group), holding a group "Lines"
// of 1 to 29 paths tagged as leader lines, directly followed by a group
// "Arrows" of paths.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

namespace sweep {

inline constexpr int kMostLeaderLines = 29;

inline bool IsLabelName(const std::string& name) { return name.rfind("Label (", 0) == 0 || name.rfind("Lable (", 0) == 0; }

// Why the label group does not have the take-up's structure; empty when it does.
inline std::string LabelProblem(const nlohmann::json& group) {
  const nlohmann::json& parts = group["children"];
  if (parts.empty()) return "no children";
  const std::string firstType = parts[0]["type"];
  if (firstType != "group" && firstType != "text") return "its first child is a " + firstType;
  for (std::size_t i = 0; i < parts.size(); ++i) {
    if (parts[i]["type"] != "group" || parts[i]["name"] != "Lines") continue;
    const nlohmann::json& lines = parts[i]["children"];
    if (lines.empty() || lines.size() > static_cast<std::size_t>(kMostLeaderLines)) {
      return std::to_string(lines.size()) + " leader lines";
    }
    for (const nlohmann::json& line : lines) {
      if (line["type"] != "path") return "a leader line that is a " + line["type"].get<std::string>();
      if (!line["tags"].contains("lab")) return "a leader line without its tag";
      if (line["anchors"].empty()) return "a leader line without anchors";
    }
    if (i + 1 >= parts.size() || parts[i + 1]["type"] != "group") return "no group of heads after the lines";
    for (const nlohmann::json& head : parts[i + 1]["children"]) {
      if (head["type"] != "path") return "a head that is a " + head["type"].get<std::string>();
    }
    return {};
  }
  return "no group of leader lines";
}

// Every label group of the dump's layers, with its layer's index.
inline void ForEachLabel(const nlohmann::json& dump, const std::function<void(const nlohmann::json&)>& visit) {
  std::function<void(const nlohmann::json&)> walk = [&](const nlohmann::json& art) {
    if (art["type"] != "group") return;
    if (art.contains("name") && art["name"].is_string() && IsLabelName(art["name"])) visit(art);
    for (const nlohmann::json& child : art["children"]) walk(child);
  };
  for (const nlohmann::json& layer : dump["layers"]) {
    for (const nlohmann::json& art : layer["art"]) walk(art);
  }
}

inline int CountLabels(const nlohmann::json& dump) {
  int count = 0;
  ForEachLabel(dump, [&](const nlohmann::json&) { ++count; });
  return count;
}

}  // namespace sweep
