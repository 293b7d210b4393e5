#include "hostsim/PluginLoader.h"

#include <dlfcn.h>

#include <system_error>

namespace hostsim {

std::unique_ptr<PluginLibrary> PluginLibrary::Open(const std::filesystem::path& file, std::string* error) {
  auto fail = [&](std::string message) -> std::unique_ptr<PluginLibrary> {
    if (error != nullptr) *error = std::move(message);
    return nullptr;
  };
  std::error_code ec;
  if (file.empty()) return fail("no plug-in file given");
  if (!std::filesystem::is_regular_file(file, ec)) {
    return fail("plug-in " + file.string() + " does not exist or is not a file");
  }
  // dlopen searches the library path for a bare name; a path with a slash is taken as it is.
  std::string path = file.string();
  if (path.find('/') == std::string::npos) path = "./" + path;
  dlerror();
  void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr) {
    const char* why = dlerror();
    return fail("plug-in " + file.string() + " cannot be loaded: " + (why != nullptr ? why : "unknown reason"));
  }
  std::unique_ptr<PluginLibrary> library(new PluginLibrary);
  library->handle_ = handle;
  library->file_ = file;
  library->main_ = reinterpret_cast<PluginMainProc>(dlsym(handle, kPluginMainName));
  if (library->main_ == nullptr) {
    return fail("plug-in " + file.string() + " has no entry point " kPluginMainName);
  }
  library->resource_ = reinterpret_cast<PluginResourceProc>(dlsym(handle, kPluginResourceLookupName));
  if (library->resource_ == nullptr) {
    return fail("plug-in " + file.string() + " has no resource lookup " kPluginResourceLookupName);
  }
  return library;
}

PluginLibrary::~PluginLibrary() {
  if (handle_ != nullptr) dlclose(handle_);
}

ASErr PluginLibrary::CallMain(const char* caller, const char* selector, void* message) const {
  return main_(caller, selector, message);
}

std::optional<std::string_view> PluginLibrary::Resource(int32_t type, int32_t id) const {
  const uint64_t key = (uint64_t{static_cast<uint32_t>(type)} << 32) | static_cast<uint32_t>(id);
  if (const auto kept = resources_.find(key); kept != resources_.end()) return kept->second;
  const void* data = nullptr;
  uint32_t size = 0;
  std::optional<std::string_view> found;
  if (resource_(type, id, &data, &size) == kNoErr && data != nullptr) found = std::string_view(static_cast<const char*>(data), size);
  resources_.emplace(key, found);
  return found;
}

}  // namespace hostsim
