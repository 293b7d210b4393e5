// Failing suite calls on purpose, and counting them. Every suite operation of
// the host asks the injector, through its guard, whether this call fails. A
// rule names the calls it watches (a suite, one of its operations or all of
// them, optionally only calls about one detail), counts them from the moment
// it is added, and fails the Nth of them, alone or with every later one.
#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "host/SPBasic.h"

namespace hostsim {

struct FaultRule {
  std::string suite;  // the suite as acquired: "AI Preference Suite"
  // The operation as named in its table ("PutRealPreference"); empty: every
  // operation of the suite; a trailing '*' matches by prefix ("Put*").
  std::string op;
  // Empty: any call. Otherwise only calls about this: the key of a preference
  // call, the name of a menu item, menu group or tool added, the type of a
  // notifier added, the name of a suite acquired or released.
  std::string detail;
  int64_t nth = 1;       // the first matching call that fails, 1-based
  bool onward = false;   // false: only the Nth call fails; true: it and every later one
  ASErr code = kInjectedFailureErr;  // what the failed call returns; not kNoErr

  // Rules read as sentences: FaultRule::Of(kAIArtSuite, "NewArt").At(3).Onward().WithCode(kCantHappenErr).
  static FaultRule Of(std::string suite, std::string op = {}) {
    FaultRule r;
    r.suite = std::move(suite);
    r.op = std::move(op);
    return r;
  }
  FaultRule At(int64_t n) const {
    FaultRule r = *this;
    r.nth = n;
    return r;
  }
  FaultRule Onward() const {
    FaultRule r = *this;
    r.onward = true;
    return r;
  }
  FaultRule About(std::string d) const {
    FaultRule r = *this;
    r.detail = std::move(d);
    return r;
  }
  FaultRule WithCode(ASErr c) const {
    FaultRule r = *this;
    r.code = c;
    return r;
  }
};

// One call counted: the operation op of the suite suite was called `calls` times.
struct CallCount {
  std::string suite;
  std::string op;
  int64_t calls = 0;
};

// Common rules, by what they mean.
// The suite `name` (any version) cannot be acquired, as if the host lacked it.
FaultRule MissingSuite(std::string name);
// Every store of the preference key (any type, any section) fails.
FaultRule FailedStore(std::string key);

class FaultInjector {
 public:
  using RuleId = uint64_t;

  // Adds a rule; its count of matching calls starts at zero. A rule with no
  // suite or an nth below 1 matches nothing.
  RuleId Add(FaultRule rule);
  // False when no such rule is in force.
  bool Remove(RuleId id);
  // Removes every rule (counts of calls stay).
  void ClearRules() { rules_.clear(); }
  std::size_t ruleCount() const { return rules_.size(); }
  // How many calls the rule has failed so far (0 for an unknown rule).
  int64_t Failures(RuleId id) const;

  // Asked once per suite call, before the operation runs: kNoErr, or the code
  // of the first rule in force that fails this call. Counts the call when
  // counting is on. detail may be empty.
  ASErr Check(std::string_view suite, std::string_view op, std::string_view detail);

  // -- Counting ------------------------------------------------------------------
  void SetCounting(bool on) { counting_ = on; }
  bool counting() const { return counting_; }
  void ResetCounts();
  // Every operation called since counting began, in the order of its first call.
  // Failing call N of an entry with a rule {suite, op, nth = N} added before the
  // same session runs again fails the same call, as the host is deterministic.
  const std::vector<CallCount>& counts() const { return counts_; }
  // Calls of one operation counted so far.
  int64_t Count(std::string_view suite, std::string_view op) const;

  // -- Call sites -----------------------------------------------------------------
  // A place in the caller's code that calls an operation: "suite/op" and the
  // return address, as an offset into the calling library.
  using Site = std::pair<std::string, uintptr_t>;
  // When `module` is not empty, every counted call and every failed call is
  // traced back to the library of that file name ("libkpxlabels.so"): the
  // first return address on the stack inside it. Off by default: it walks
  // the stack on every call.
  void TrackSites(std::string module) { siteModule_ = std::move(module); }
  // Sites seen while counting, each with the number of the operation's first
  // call made there (a rule At that number fails the call at that site).
  const std::map<Site, int64_t>& sitesCounted() const { return sitesCounted_; }
  // Sites of the calls rules failed.
  const std::set<Site>& sitesFailed() const { return sitesFailed_; }

 private:
  struct Entry {
    RuleId id = 0;
    FaultRule rule;
    int64_t seen = 0;      // matching calls since the rule was added
    int64_t failures = 0;  // of which failed
  };
  static bool Matches(const FaultRule& rule, std::string_view suite, std::string_view op, std::string_view detail);

  std::vector<Entry> rules_;
  RuleId nextId_ = 1;
  bool counting_ = false;
  std::vector<CallCount> counts_;
  std::map<std::string, std::size_t> index_;  // "suite/op" -> place in counts_
  std::string siteModule_;
  std::map<Site, int64_t> sitesCounted_;
  std::set<Site> sitesFailed_;
};

}  // namespace hostsim
