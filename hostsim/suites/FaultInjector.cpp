#include "hostsim/suites/FaultInjector.h"

#include <dlfcn.h>
#include <execinfo.h>

#include <algorithm>
#include <cstring>

#include "host/AISuites.h"
#include "hostsim/HostSuites.h"

namespace hostsim {
namespace {

std::string CountKey(std::string_view suite, std::string_view op) {
  std::string key(suite);
  key.append(1, '/').append(op);
  return key;
}

// The first return address on the stack inside the library named `module`, as
// an offset from its base; 0 when none is.
uintptr_t CallerIn(const std::string& module) {
  void* frames[48];
  const int depth = ::backtrace(frames, 48);
  for (int i = 0; i < depth; ++i) {
    Dl_info info{};
    if (::dladdr(frames[i], &info) == 0 || info.dli_fname == nullptr) continue;
    const char* slash = std::strrchr(info.dli_fname, '/');
    if (module == (slash != nullptr ? slash + 1 : info.dli_fname)) {
      return reinterpret_cast<uintptr_t>(frames[i]) - reinterpret_cast<uintptr_t>(info.dli_fbase);
    }
  }
  return 0;
}

}  // namespace

FaultRule MissingSuite(std::string name) {
  return FaultRule::Of(kBasicSuiteName, "AcquireSuite").About(std::move(name)).Onward().WithCode(kSPSuiteNotFoundError);
}

FaultRule FailedStore(std::string key) {
  return FaultRule::Of(kAIPreferenceSuite, "Put*").About(std::move(key)).Onward();
}

FaultInjector::RuleId FaultInjector::Add(FaultRule rule) {
  const RuleId id = nextId_++;
  rules_.push_back(Entry{id, std::move(rule)});
  return id;
}

bool FaultInjector::Remove(RuleId id) {
  const auto it = std::find_if(rules_.begin(), rules_.end(), [&](const Entry& e) { return e.id == id; });
  if (it == rules_.end()) return false;
  rules_.erase(it);
  return true;
}

int64_t FaultInjector::Failures(RuleId id) const {
  for (const Entry& e : rules_) {
    if (e.id == id) return e.failures;
  }
  return 0;
}

bool FaultInjector::Matches(const FaultRule& rule, std::string_view suite, std::string_view op,
                            std::string_view detail) {
  if (rule.suite.empty() || rule.suite != suite) return false;
  if (!rule.detail.empty() && rule.detail != detail) return false;
  if (rule.op.empty()) return true;
  if (rule.op.back() == '*') {
    const std::string_view prefix(rule.op.data(), rule.op.size() - 1);
    return op.substr(0, prefix.size()) == prefix;
  }
  return rule.op == op;
}

ASErr FaultInjector::Check(std::string_view suite, std::string_view op, std::string_view detail) {
  if (counting_) {
    std::string key = CountKey(suite, op);
    auto [it, added] = index_.try_emplace(std::move(key), counts_.size());
    if (added) counts_.push_back(CallCount{std::string(suite), std::string(op), 0});
    ++counts_[it->second].calls;
    if (!siteModule_.empty()) {
      if (const uintptr_t site = CallerIn(siteModule_)) {
        sitesCounted_.try_emplace(Site{CountKey(suite, op), site}, counts_[it->second].calls);
      }
    }
  }
  // Every matching rule sees the call, so that each keeps its own count even
  // when an earlier one fails it.
  ASErr result = kNoErr;
  for (Entry& e : rules_) {
    if (e.rule.nth < 1 || !Matches(e.rule, suite, op, detail)) continue;
    ++e.seen;
    const bool fails = e.rule.onward ? e.seen >= e.rule.nth : e.seen == e.rule.nth;
    if (!fails || result != kNoErr) continue;
    ++e.failures;
    result = e.rule.code;
    if (!siteModule_.empty()) {
      if (const uintptr_t site = CallerIn(siteModule_)) sitesFailed_.emplace(CountKey(suite, op), site);
    }
  }
  return result;
}

void FaultInjector::ResetCounts() {
  counts_.clear();
  index_.clear();
}

int64_t FaultInjector::Count(std::string_view suite, std::string_view op) const {
  const auto it = index_.find(CountKey(suite, op));
  return it == index_.end() ? 0 : counts_[it->second].calls;
}

}  // namespace hostsim
