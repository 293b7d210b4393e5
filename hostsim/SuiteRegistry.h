// The suites the host offers by name and version, with acquisition counts.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <utility>

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
  std::size_t size() const { return tables_.size(); }

 private:
  using Key = std::pair<std::string, int32_t>;
  std::map<Key, const void*> tables_;
  std::map<Key, int32_t> held_;
  int64_t acquisitions_ = 0;
  int64_t releases_ = 0;
};

}  // namespace hostsim
