// The one guard every suite operation of the host runs through: it names the
// operation, lets the host's fault injector fail or count the call, refuses
// calls that arrive with no live host, and keeps every exception inside the
// host.
#pragma once

#include <new>

#include "host/SPBasic.h"
#include "hostsim/Host.h"

namespace hostsim::suites {

// kNoErr, or the code the live host's fault injector gives this call (which it
// also counts). With no host (the document's own tests) nothing fails.
inline ASErr InjectedFault(const char* suite, const char* op, const char* detail = nullptr) {
  Host* host = CurrentHostOrNull();
  if (host == nullptr) return kNoErr;
  return host->faults().Check(suite, op, detail == nullptr ? "" : detail);
}

// Runs body() and turns an escaping exception into a code.
template <class Body>
ASErr Contained(Body&& body) noexcept {
  try {
    return body();
  } catch (const std::bad_alloc&) {
    return kSPOutOfMemoryError;
  } catch (...) {
    return kCantHappenErr;
  }
}

// Runs body(host) for the operation `op` of the suite `suite` (the suite's
// name as the plug-in acquires it, e.g. "ADM Item Suite", and the operation's
// field name in its table, e.g. "SetText"). `detail` says what the call is
// about where a test may want to fail only such calls (a preference key, a
// menu item name, a suite name); null for none.
template <class Body>
ASErr Guarded(const char* suite, const char* op, const char* detail, Body&& body) noexcept {
  return Contained([&]() -> ASErr {
    Host* host = CurrentHostOrNull();
    if (host == nullptr) return kCantHappenErr;
    if (const ASErr injected = host->faults().Check(suite, op, detail == nullptr ? "" : detail)) return injected;
    return body(*host);
  });
}

template <class Body>
ASErr Guarded(const char* suite, const char* op, Body&& body) noexcept {
  return Guarded(suite, op, nullptr, static_cast<Body&&>(body));
}

// The guard of operations that need no host: plain geometry, and the
// document's suites, which the document's own tests use without a host. The
// injector is asked when a host is live.
template <class Body>
ASErr GuardedWithoutHost(const char* suite, const char* op, Body&& body) noexcept {
  return Contained([&]() -> ASErr {
    if (const ASErr injected = InjectedFault(suite, op)) return injected;
    return body();
  });
}

}  // namespace hostsim::suites
