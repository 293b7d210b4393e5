#include "tests/scenario/ScenarioHarness.h"

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace scenario {
namespace {

constexpr const char* kSection = "KPXEtiquette";

fs::path NewScratchDir(const std::string& hint) {
  static std::atomic<int> serial{0};
  fs::path dir = fs::temp_directory_path() /
                 ("kpx-scenario-" + hint + "-" + std::to_string(::getpid()) + "-" + std::to_string(serial++));
  fs::remove_all(dir);
  fs::create_directories(dir);
  return dir;
}

std::string TestHint() {
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  if (info == nullptr) return "setup";
  std::string hint = std::string(info->test_suite_name()) + "-" + info->name();
  std::replace(hint.begin(), hint.end(), '/', '_');
  return hint;
}

std::string Quoted(const fs::path& p) { return "'" + p.string() + "'"; }

int ExitCode(int status) { return WIFEXITED(status) ? WEXITSTATUS(status) : -1; }

void CollectArt(const json& art, std::vector<const json*>& out) {
  out.push_back(&art);
  if (art.contains("children")) {
    for (const json& child : art["children"]) CollectArt(child, out);
  }
}

bool IsLabelGroupName(const std::string& name) {
  // "Lable (ellipse)" is the plug-in's own spelling of the ellipse label.
  return name.rfind("Label (", 0) == 0 || name.rfind("Lable (", 0) == 0;
}

void CollectLabelGroups(const json& art, std::vector<const json*>& out) {
  if (art.value("type", "") != "group") return;
  if (IsLabelGroupName(art.value("name", ""))) {
    out.push_back(&art);
    return;
  }
  for (const json& child : art["children"]) CollectLabelGroups(child, out);
}

const json& NullJson() {
  static const json kNull;
  return kNull;
}

// KPX_KEEP_SESSIONS=FOLDER keeps a copy of each run's folder as it is just
// before the run (script, preference file, drawings to open), one subfolder
// per run, so that scripts/same-output can replay every scenario session.
void KeepSessionCopy(const fs::path& dir) {
  const char* keep = std::getenv("KPX_KEEP_SESSIONS");
  if (keep == nullptr || *keep == '\0') return;
  static std::atomic<int> serial{0};
  const fs::path copy = fs::path(keep) / (dir.filename().string() + "-run" + std::to_string(serial++));
  std::error_code ec;
  fs::create_directories(copy, ec);
  fs::copy(dir, copy, fs::copy_options::recursive | fs::copy_options::overwrite_existing, ec);
}

}  // namespace

std::string ReadFile(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

void WriteFile(const fs::path& file, const std::string& text) {
  std::ofstream out(file, std::ios::binary);
  out << text;
}

const json& DefaultSettings() {
  static const json settings = [] {
    const fs::path dir = NewScratchDir("defaults");
    WriteFile(dir / "first.session", "launch\nquit\n");
    const std::string command = "cd " + Quoted(dir) + " && " + Quoted(KPX_LABELS_RUN) +
                                " --prefs prefs.json first.session > out.txt 2>&1";
    const int status = std::system(command.c_str());
    json prefs = json::parse(ReadFile(dir / "prefs.json"), nullptr, false);
    fs::remove_all(dir);
    if (ExitCode(status) != 0 || prefs.is_discarded() || !prefs["sections"].contains(kSection)) {
      throw std::runtime_error("the first start of the plug-in wrote no settings");
    }
    return prefs["sections"][kSection];
  }();
  return settings;
}

Session::Session() : dir_(NewScratchDir(TestHint())), settings_(DefaultSettings()) {}

Session::~Session() {
  // KPX_KEEP_SCRATCH=1 keeps the folders of failed tests for a look.
  const char* keep = std::getenv("KPX_KEEP_SCRATCH");
  if (keep != nullptr && *keep != '\0' && ::testing::Test::HasFailure()) return;
  std::error_code ec;
  fs::remove_all(dir_, ec);
}

void Session::SetBoolean(const std::string& key, bool value) { settings_[key] = {{"boolean", value}}; }
void Session::SetInteger(const std::string& key, int value) { settings_[key] = {{"integer", value}}; }
void Session::SetReal(const std::string& key, double value) { settings_[key] = {{"real", value}}; }
void Session::SetString(const std::string& key, const std::string& value) { settings_[key] = {{"string", value}}; }
void Session::SetPoint(const std::string& key, int h, int v) { settings_[key] = {{"point", json::array({h, v})}}; }
void Session::Remove(const std::string& key) { settings_.erase(key); }

void Session::KeepSavedSettings() {
  const json saved = json::parse(ReadFile(dir_ / "prefs.json"), nullptr, false);
  if (saved.is_discarded() || !saved["sections"].contains(kSection)) {
    ADD_FAILURE() << "the last run saved no settings";
    return;
  }
  settings_ = saved["sections"][kSection];
}

RunResult Session::Run(const std::string& script, bool svg) {
  const json prefs = {{"format", 1}, {"sections", {{kSection, settings_}}}};
  WriteFile(dir_ / "prefs.json", preferenceText_.empty() ? prefs.dump(2) : preferenceText_);
  WriteFile(dir_ / "script.session", script);
  fs::remove(dir_ / "end.json");
  KeepSessionCopy(dir_);
  const std::string command = "cd " + Quoted(dir_) + " && " + Quoted(KPX_LABELS_RUN) +
                              " --prefs prefs.json script.session --dump end.json" +
                              (svg ? " --svg end.svg" : "") + " > stdout.txt 2> stderr.txt";
  RunResult result;
  result.exitCode = ExitCode(std::system(command.c_str()));
  result.err = ReadFile(dir_ / "stderr.txt");
  if (fs::exists(dir_ / "end.json")) result.dump = ReadDump("end.json");
  return result;
}

RunResult Session::RunTool(const std::string& body) { return Run("launch\ntool select\n" + body + "quit\n"); }

json Session::ReadDump(const std::string& name) const {
  json dump = json::parse(ReadFile(dir_ / name), nullptr, false);
  if (dump.is_discarded()) ADD_FAILURE() << name << " is not JSON";
  return dump;
}

const json& LayerTitled(const json& dump, const std::string& title) {
  for (const json& layer : dump["layers"]) {
    if (layer.value("title", "") == title) return layer;
  }
  ADD_FAILURE() << "no layer titled " << title;
  return NullJson();
}

std::vector<const json*> LabelGroups(const json& layer) {
  std::vector<const json*> groups;
  if (!layer.contains("art")) return groups;
  for (const json& art : layer["art"]) CollectLabelGroups(art, groups);
  return groups;
}

std::vector<const json*> LabelGroupsOf(const json& dump) {
  std::vector<const json*> groups;
  for (const json& layer : dump["layers"]) {
    for (const json* group : LabelGroups(layer)) groups.push_back(group);
  }
  return groups;
}

const json& ChildNamed(const json& group, const std::string& name) {
  if (group.contains("children")) {
    for (const json& child : group["children"]) {
      if (child.value("name", "") == name) return child;
    }
  }
  ADD_FAILURE() << "no child named " << name << " in " << group.value("name", "?");
  return NullJson();
}

const json& Lines(const json& label) { return ChildNamed(label, "Lines")["children"]; }
const json& Arrows(const json& label) { return ChildNamed(label, "Arrows")["children"]; }

const json& TextOf(const json& label) {
  const json& first = label["children"].front();
  return first.value("type", "") == "text" ? first : NullJson();
}

const json& ShapeOf(const json& label) { return label["children"].back(); }

Point AnchorPoint(const json& path, std::size_t index) {
  const json& anchor = path["anchors"].at(index);
  return {anchor.at(0).get<double>(), anchor.at(1).get<double>()};
}

std::size_t AnchorCount(const json& path) { return path.contains("anchors") ? path["anchors"].size() : 0; }

std::vector<const json*> AllArt(const json& dump) {
  std::vector<const json*> out;
  for (const json& layer : dump["layers"]) {
    for (const json& art : layer["art"]) CollectArt(art, out);
  }
  return out;
}

std::vector<json> EventsOfType(const json& dump, const std::string& type) {
  std::vector<json> out;
  for (const json& e : dump["events"]) {
    if (e.value("type", "") == type) out.push_back(e);
  }
  return out;
}

std::vector<int> BeepFrequencies(const json& dump) {
  std::vector<int> out;
  for (const json& e : EventsOfType(dump, "beep")) out.push_back(e["hz"].get<int>());
  return out;
}

std::vector<std::string> AlertTexts(const json& dump) {
  std::vector<std::string> out;
  for (const json& e : EventsOfType(dump, "alert")) out.push_back(e["text"].get<std::string>());
  return out;
}

std::vector<double> AnchorBounds(const json& path) {
  std::vector<double> b = {1e30, 1e30, -1e30, -1e30};
  for (std::size_t i = 0; i < AnchorCount(path); ++i) {
    const Point p = AnchorPoint(path, i);
    b[0] = std::min(b[0], p.x);
    b[1] = std::min(b[1], p.y);
    b[2] = std::max(b[2], p.x);
    b[3] = std::max(b[3], p.y);
  }
  return b;
}

}  // namespace scenario
