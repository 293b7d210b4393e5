#include "hostsim/SuiteRegistry.h"

namespace hostsim {

void SuiteRegistry::Add(const std::string& name, int32_t version, const void* table) {
  tables_[{name, version}] = table;
}

ASErr SuiteRegistry::Acquire(const char* name, int32_t version, const void** suite) {
  if (suite != nullptr) *suite = nullptr;
  if (name == nullptr || suite == nullptr) return kSPBadParameterError;
  const Key key{name, version};
  auto it = tables_.find(key);
  if (it == tables_.end()) return kSPSuiteNotFoundError;
  *suite = it->second;
  ++held_[key];
  ++acquisitions_;
  return kNoErr;
}

ASErr SuiteRegistry::Release(const char* name, int32_t version) {
  if (name == nullptr) return kSPBadParameterError;
  auto it = held_.find({name, version});
  if (it == held_.end() || it->second <= 0) return kSPSuiteNotFoundError;
  if (--it->second == 0) held_.erase(it);
  ++releases_;
  return kNoErr;
}

int32_t SuiteRegistry::HeldCount(const std::string& name, int32_t version) const {
  auto it = held_.find({name, version});
  return it == held_.end() ? 0 : it->second;
}

}  // namespace hostsim
