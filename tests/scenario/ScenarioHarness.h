// Runs session scripts through the real labels-run binary in a scratch folder
// and reads back what it wrote: the dump (JSON) and the SVG.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include <nlohmann/json.hpp>

namespace scenario {

using nlohmann::json;
namespace fs = std::filesystem;

struct Point {
  double x = 0, y = 0;
};

std::string ReadFile(const fs::path& file);
void WriteFile(const fs::path& file, const std::string& text);

// The preference section a first start writes, read once per test program.
const json& DefaultSettings();

struct RunResult {
  int exitCode = -1;
  std::string err;  // the runner's error stream
  json dump;        // the dump written at the end (null when none)
};

// A scratch folder with its own preference file. Tests change settings
// before the run, then run a script whose relative paths land in the folder.
class Session {
 public:
  Session();
  ~Session();
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  // Settings of the section "KPXEtiquette", typed as the host stores them.
  void SetBoolean(const std::string& key, bool value);
  void SetInteger(const std::string& key, int value);
  void SetReal(const std::string& key, double value);
  // The whole preference file as a person would write it; the settings set
  // above are then not written.
  void SetPreferenceText(std::string text) { preferenceText_ = std::move(text); }

  // Runs the script with --prefs, --dump end.json and, when svg is true,
  // --svg end.svg.
  RunResult Run(const std::string& script, bool svg = false);
  // "launch", "tool select", the body, "quit".
  RunResult RunTool(const std::string& body);

  const fs::path& dir() const { return dir_; }
  json ReadDump(const std::string& name) const;

 private:
  fs::path dir_;
  json settings_;
  std::string preferenceText_;
};

// --- Reading the dump --------------------------------------------------------

const json& LayerTitled(const json& dump, const std::string& title);
// Label groups of a layer's art tree, at any depth, in paint order.
std::vector<const json*> LabelGroups(const json& layer);
std::vector<const json*> LabelGroupsOf(const json& dump);
const json& ChildNamed(const json& group, const std::string& name);
const json& Lines(const json& label);
const json& Arrows(const json& label);
// The label's text frame (its first child), or null json when it has none.
const json& TextOf(const json& label);
// The label's shape (its last child).
const json& ShapeOf(const json& label);
Point AnchorPoint(const json& path, std::size_t index);
std::size_t AnchorCount(const json& path);
// Every art object of the document, groups included.
std::vector<const json*> AllArt(const json& dump);
std::vector<json> EventsOfType(const json& dump, const std::string& type);
std::vector<int> BeepFrequencies(const json& dump);
std::vector<std::string> AlertTexts(const json& dump);
// Bounding box of a path's anchor points: {left, bottom, right, top}.
std::vector<double> AnchorBounds(const json& path);

}  // namespace scenario
