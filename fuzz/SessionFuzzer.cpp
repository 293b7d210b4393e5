// libFuzzer target: the session interpreter over the real plug-in. Any bytes
// are a script (after a launch): messages, keys, clicks, drags, item
// actions, menus, dialogs, unload and reload. The run may refuse a line; it
// must never crash, and the sanitizers watch the plug-in and the host.
// Files the script names stay inside a scratch folder.
#include <dlfcn.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <string_view>

#include "apps/labels-run/Runner.h"

namespace {

namespace fs = std::filesystem;

// Where the scratch folder goes: memory (/dev/shm) when the machine has it.
// Every input starts without a preference file, so its launch writes every
// default and its quit saves the file with an fsync of the file and of its
// folder; on a disk those syncs cost most of an input's time, in memory
// nearly nothing, and the same save code runs either way.
fs::path ScratchParent() {
  std::error_code ec;
  const fs::path memory = "/dev/shm";
  if (fs::is_directory(memory, ec) && ::access(memory.c_str(), W_OK | X_OK) == 0) return memory;
  return fs::temp_directory_path();
}

const fs::path& Scratch() {
  static const fs::path folder = [] {
    fs::path path = ScratchParent() / ("kpx-fuzz-session-" + std::to_string(::getpid()));
    fs::create_directories(path);
    return path;
  }();
  return folder;
}

// Memory is not given back by itself: the folder goes when the run ends.
// Registered after the folder's name is made, so it runs before that name
// is destroyed.
void RemoveScratch() {
  std::error_code ec;
  fs::remove_all(Scratch(), ec);
}

// The harness launches the plug-in itself. A script whose first command is
// its own `launch` (as every example's is, and so every seed's) would stop
// there, the plug-in being launched already: that line is the harness's
// launch. Blank and comment lines before it are skipped, as the runner does.
bool StartsWithLaunch(std::string_view text) {
  constexpr std::string_view kBlanks = " \t\r";
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    const std::size_t first = line.find_first_not_of(kBlanks);
    line = first == std::string_view::npos ? std::string_view() : line.substr(first);
    if (!line.empty() && line.front() != '#') {
      constexpr std::string_view kLaunch = "launch";
      return line.substr(0, kLaunch.size()) == kLaunch &&
             (line.size() == kLaunch.size() || std::string_view(" \t\r#").find(line[kLaunch.size()]) != std::string_view::npos);
    }
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return false;
}

}  // namespace

// The plug-in stays mapped for the whole run: libFuzzer keeps its coverage
// counters, which must not vanish when the host closes the library. The host
// still opens and closes it for every input (its own reference).
extern "C" int LLVMFuzzerInitialize(int*, char***) {
  if (::dlopen(KPX_FUZZ_PLUGIN, RTLD_NOW | RTLD_NODELETE) == nullptr) __builtin_trap();
  Scratch();
  std::atexit(RemoveScratch);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // Each input starts over: no preference file, no output left by the last one.
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(Scratch(), ec)) fs::remove_all(entry, ec);

  labelsrun::RunOptions options;
  options.script = "fuzz.session";
  options.prefsFile = Scratch() / "preferences.json";
  options.pluginFile = KPX_FUZZ_PLUGIN;
  options.sandbox = Scratch();
  // Pictures are thrown away: their pixels are made as ever, the encoding kept cheap.
  options.quickPng = true;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  std::istringstream script(StartsWithLaunch(text) ? std::string(text) : "launch\n" + std::string(text));
  std::ostringstream err;
  labelsrun::RunSession(options, script, err);
  return 0;
}
