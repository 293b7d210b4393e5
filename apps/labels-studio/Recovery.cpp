#include "apps/labels-studio/Recovery.h"

#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <ctime>
#include <functional>
#include <sstream>

#include <nlohmann/json.hpp>

#include "hostsim/SafeFile.h"

namespace studio {
namespace fs = std::filesystem;

namespace {

constexpr std::uintmax_t kMaxNote = 64 * 1024;

fs::path RecoveryFolder() { return StateFolder() / "recovery"; }
fs::path RecentList() { return StateFolder() / "recent-files.json"; }

bool ProcessRunning(std::int64_t pid) {
  if (pid <= 0) return false;
  return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
}

std::string Now() {
  const std::time_t t = std::time(nullptr);
  std::tm local{};
  localtime_r(&t, &local);
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%d %H:%M", &local);
  return text;
}

std::optional<nlohmann::json> ReadJson(const fs::path& file) {
  const hostsim::FileRead read = hostsim::ReadRegularFile(file, kMaxNote);
  if (!read.problem.empty()) return std::nullopt;
  nlohmann::json j = nlohmann::json::parse(read.bytes, nullptr, false);
  if (j.is_discarded()) return std::nullopt;
  return j;
}

}  // namespace

fs::path StateFolder() {
  const char* state = std::getenv("XDG_STATE_HOME");
  if (state != nullptr && *state == '/') return fs::path(state) / "labels-studio";
  const char* home = std::getenv("HOME");
  return fs::path(home != nullptr && *home != '\0' ? home : "/tmp") / ".local" / "state" / "labels-studio";
}

std::string RecoveryKey(const fs::path& drawing, int untitledNumber) {
  std::ostringstream key;
  if (!drawing.empty()) {
    std::error_code ec;
    const fs::path absolute = fs::absolute(drawing, ec).lexically_normal();
    key << drawing.stem().string() << '-' << std::hex << std::hash<std::string>{}(absolute.string());
  } else {
    const auto started = std::chrono::system_clock::now().time_since_epoch();
    key << "untitled-" << ::getpid() << '-' << std::chrono::duration_cast<std::chrono::seconds>(started).count() << '-'
        << untitledNumber;
  }
  return key.str();
}

fs::path RecoveryCopyFile(const std::string& key) { return RecoveryFolder() / (key + ".svg"); }

std::optional<std::string> WriteRecoveryCopy(const std::string& key, const fs::path& drawing, const std::string& svg) {
  std::error_code ec;
  fs::create_directories(RecoveryFolder(), ec);
  if (ec) return "cannot make " + RecoveryFolder().string() + ": " + ec.message();
  if (auto problem = hostsim::ReplaceFileAtomically(RecoveryCopyFile(key), svg)) return problem;
  const nlohmann::json note = {{"drawing", drawing.empty() ? std::string() : fs::absolute(drawing, ec).string()},
                               {"pid", static_cast<std::int64_t>(::getpid())},
                               {"written", Now()}};
  return hostsim::ReplaceFileAtomically(RecoveryFolder() / (key + ".json"), note.dump(2) + "\n");
}

void RemoveRecoveryCopy(const std::string& key) {
  std::error_code ec;
  fs::remove(RecoveryCopyFile(key), ec);
  fs::remove(RecoveryFolder() / (key + ".json"), ec);
}

std::vector<RecoveryCopy> LeftRecoveryCopies() {
  std::vector<RecoveryCopy> found;
  std::error_code ec;
  for (const fs::directory_entry& entry : fs::directory_iterator(RecoveryFolder(), ec)) {
    if (entry.path().extension() != ".json") continue;
    RecoveryCopy copy;
    copy.note = entry.path();
    copy.copy = fs::path(entry.path()).replace_extension(".svg");
    const std::optional<nlohmann::json> note = ReadJson(copy.note);
    if (!note || !note->is_object() || !fs::is_regular_file(copy.copy, ec)) continue;
    copy.drawing = note->value("drawing", std::string());
    copy.pid = note->value("pid", std::int64_t(0));
    copy.written = note->value("written", std::string());
    if (ProcessRunning(copy.pid)) continue;  // another studio's drawing, still open
    found.push_back(std::move(copy));
  }
  std::sort(found.begin(), found.end(), [](const RecoveryCopy& a, const RecoveryCopy& b) {
    return a.written != b.written ? a.written < b.written : a.copy < b.copy;
  });
  return found;
}

void RemoveRecoveryCopy(const RecoveryCopy& copy) {
  std::error_code ec;
  fs::remove(copy.copy, ec);
  fs::remove(copy.note, ec);
}

std::vector<fs::path> RecentFiles() {
  std::vector<fs::path> files;
  const std::optional<nlohmann::json> list = ReadJson(RecentList());
  if (!list || !list->is_array()) return files;
  for (const nlohmann::json& f : *list) {
    if (f.is_string() && files.size() < kRecentFiles) files.emplace_back(f.get<std::string>());
  }
  return files;
}

void NoteRecentFile(const fs::path& file) {
  std::error_code ec;
  const fs::path absolute = fs::absolute(file, ec).lexically_normal();
  std::vector<fs::path> files = RecentFiles();
  files.erase(std::remove(files.begin(), files.end(), absolute), files.end());
  files.insert(files.begin(), absolute);
  if (files.size() > kRecentFiles) files.resize(kRecentFiles);
  nlohmann::json list = nlohmann::json::array();
  for (const fs::path& f : files) list.push_back(f.string());
  fs::create_directories(StateFolder(), ec);
  // A recent list that cannot be written only costs the person the menu entry.
  (void)hostsim::ReplaceFileAtomically(RecentList(), list.dump(2) + "\n");
}

}  // namespace studio
