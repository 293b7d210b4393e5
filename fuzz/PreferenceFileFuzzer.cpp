// libFuzzer target: the preference-file reader over any bytes. A file it
// accepts is written back and read again, which must give the same store:
// every value survives a save.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "hostsim/PreferenceStore.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  hostsim::PreferenceStore store;
  if (store.Parse(text)) {
    if (!store.empty()) __builtin_trap();  // a refused file leaves nothing behind
    return 0;
  }
  const std::string saved = store.ToFileJson().dump(2);
  hostsim::PreferenceStore again;
  if (again.Parse(saved)) __builtin_trap();
  if (again.ToFileJson() != store.ToFileJson()) __builtin_trap();
  // The dump's view of every value is JSON a test can read.
  (void)store.Dump().dump(-1, ' ', false, nlohmann::json::error_handler_t::strict);
  return 0;
}
