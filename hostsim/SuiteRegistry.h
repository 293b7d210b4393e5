// The suites the host offers by name and version, with acquisition counts.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "host/SPBasic.h"

namespace hostsim {

class SuiteRegistry {
 public:
  SuiteRegistry() { offers_.reserve(256); }
  // Offers a table under name and version; both the table and the name are
  // of static storage (the name is kept as given, not copied).
  void Add(const char* name, int32_t version, const void* table);

  // kNoErr and the table, or kSPSuiteNotFoundError.
  ASErr Acquire(const char* name, int32_t version, const void** suite);
  // The table typed, or null when it cannot be acquired (for the host's own
  // tests and tools, which call the suites as the plug-in does).
  template <class Table>
  const Table* AcquireTable(const char* name, int32_t version) {
    const void* table = nullptr;
    return Acquire(name, version, &table) == kNoErr ? static_cast<const Table*>(table) : nullptr;
  }
  // kSPSuiteNotFoundError when the suite is not held.
  ASErr Release(const char* name, int32_t version);

  int64_t acquisitions() const { return acquisitions_; }
  int64_t releases() const { return releases_; }
  // Acquisitions not yet released, over every suite.
  int64_t held() const { return acquisitions_ - releases_; }
  // Acquisitions not yet released, for one suite.
  int32_t HeldCount(const std::string& name, int32_t version) const;
  // Number of distinct (name, version) pairs offered.
  std::size_t size() const { return offers_.size(); }

 private:
  // Every host offers its hundred-odd suites when it is made and the plug-in
  // acquires them all at start-up: a hash over the names as given, with
  // nothing copied.
  struct Key {
    std::string_view name;
    int32_t version;
    bool operator==(const Key&) const = default;
  };
  struct KeyHash {
    std::size_t operator()(const Key& k) const {
      return std::hash<std::string_view>{}(k.name) ^ (static_cast<std::size_t>(static_cast<uint32_t>(k.version)) * 0x9E3779B97F4A7C15u);
    }
  };
  struct Offer {
    const void* table = nullptr;
    int32_t held = 0;  // acquisitions not yet released
  };
  std::unordered_map<Key, Offer, KeyHash> offers_;
  int64_t acquisitions_ = 0;
  int64_t releases_ = 0;
};

}  // namespace hostsim
