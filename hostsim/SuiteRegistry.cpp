#include "hostsim/SuiteRegistry.h"

namespace hostsim {

void SuiteRegistry::Add(const char* name, int32_t version, const void* table) {
  offers_[Key{name, version}].table = table;
}

ASErr SuiteRegistry::Acquire(const char* name, int32_t version, const void** suite) {
  if (suite != nullptr) *suite = nullptr;
  if (name == nullptr || suite == nullptr) return kSPBadParameterError;
  const auto it = offers_.find(Key{name, version});
  if (it == offers_.end()) return kSPSuiteNotFoundError;
  *suite = it->second.table;
  ++it->second.held;
  ++acquisitions_;
  return kNoErr;
}

ASErr SuiteRegistry::Release(const char* name, int32_t version) {
  if (name == nullptr) return kSPBadParameterError;
  const auto it = offers_.find(Key{name, version});
  if (it == offers_.end() || it->second.held <= 0) return kSPSuiteNotFoundError;
  --it->second.held;
  ++releases_;
  return kNoErr;
}

int32_t SuiteRegistry::HeldCount(const std::string& name, int32_t version) const {
  const auto it = offers_.find(Key{name, version});
  return it == offers_.end() ? 0 : it->second.held;
}

}  // namespace hostsim
