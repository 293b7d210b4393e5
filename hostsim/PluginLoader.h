// Loads the plug-in library and resolves its entry point and resource lookup.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "host/PluginExports.h"

namespace hostsim {

class PluginLibrary {
 public:
  // Loads the library (RTLD_NOW | RTLD_LOCAL). On failure returns null and sets
  // *error to a message naming the file and what is missing.
  static std::unique_ptr<PluginLibrary> Open(const std::filesystem::path& file, std::string* error);
  ~PluginLibrary();
  PluginLibrary(const PluginLibrary&) = delete;
  PluginLibrary& operator=(const PluginLibrary&) = delete;

  ASErr CallMain(const char* caller, const char* selector, void* message) const;
  // The resource's bytes (valid while the library is loaded), or nothing.
  // Each answer is kept: a library's resources do not change while it is
  // loaded, and the cursor is looked up on every pointer movement.
  std::optional<std::string_view> Resource(int32_t type, int32_t id) const;
  const std::filesystem::path& file() const { return file_; }

 private:
  PluginLibrary() = default;
  void* handle_ = nullptr;
  PluginMainProc main_ = nullptr;
  PluginResourceProc resource_ = nullptr;
  std::filesystem::path file_;
  mutable std::unordered_map<uint64_t, std::optional<std::string_view>> resources_;
};

}  // namespace hostsim
