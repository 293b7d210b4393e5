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
  // Offers a table (static storage) under name and version.
  void Add(const std::string& name, int32_t version, const void* table);

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
  // acquires them all at start-up: a hash, looked up by the caller's name
  // without copying it.
  struct Key {
    std::string name;
    int32_t version;
  };
  struct KeyView {
    std::string_view name;
    int32_t version;
  };
  struct KeyHash {
    using is_transparent = void;
    std::size_t operator()(KeyView k) const {
      return std::hash<std::string_view>{}(k.name) ^ (static_cast<std::size_t>(static_cast<uint32_t>(k.version)) * 0x9E3779B97F4A7C15u);
    }
    std::size_t operator()(const Key& k) const { return (*this)(KeyView{k.name, k.version}); }
  };
  struct KeyEqual {
    using is_transparent = void;
    static KeyView View(const Key& k) { return {k.name, k.version}; }
    static KeyView View(KeyView k) { return k; }
    template <class A, class B>
    bool operator()(const A& a, const B& b) const {
      return View(a).version == View(b).version && View(a).name == View(b).name;
    }
  };
  struct Offer {
    const void* table = nullptr;
    int32_t held = 0;  // acquisitions not yet released
  };
  std::unordered_map<Key, Offer, KeyHash, KeyEqual> offers_;
  int64_t acquisitions_ = 0;
  int64_t releases_ = 0;
};

}  // namespace hostsim
