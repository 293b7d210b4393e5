// libFuzzer target: the session interpreter over the real plug-in. Any bytes
// are a script (after a launch): messages, keys, clicks, drags, item
// actions, menus, dialogs, unload and reload. The run may refuse a line; it
// must never crash, and the sanitizers watch the plug-in and the host.
// Files the script names stay inside a scratch folder.
#include <dlfcn.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <sstream>
#include <string>

#include "apps/labels-run/Runner.h"

namespace {

const std::filesystem::path& Scratch() {
  static const std::filesystem::path folder = [] {
    auto path = std::filesystem::temp_directory_path() / ("kpx-fuzz-session-" + std::to_string(::getpid()));
    std::filesystem::create_directories(path);
    return path;
  }();
  return folder;
}

}  // namespace

// The plug-in stays mapped for the whole run: libFuzzer keeps its coverage
// counters, which must not vanish when the host closes the library. The host
// still opens and closes it for every input (its own reference).
extern "C" int LLVMFuzzerInitialize(int*, char***) {
  if (::dlopen(KPX_FUZZ_PLUGIN, RTLD_NOW | RTLD_NODELETE) == nullptr) __builtin_trap();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // Each input starts over: no preference file, no output left by the last one.
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(Scratch(), ec)) std::filesystem::remove_all(entry, ec);

  labelsrun::RunOptions options;
  options.script = "fuzz.session";
  options.prefsFile = Scratch() / "preferences.json";
  options.pluginFile = KPX_FUZZ_PLUGIN;
  options.sandbox = Scratch();
  std::istringstream script("launch\n" + std::string(reinterpret_cast<const char*>(data), size));
  std::ostringstream err;
  labelsrun::RunSession(options, script, err);
  return 0;
}
