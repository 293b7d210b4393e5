// The one guard every suite operation of the host runs through: it names the
// operation, refuses calls that arrive with no live host, and keeps every
// exception inside the host.
#pragma once

#include <new>

#include "host/SPBasic.h"
#include "hostsim/Host.h"

namespace hostsim::suites {

// Runs body(host) for the operation `op` of the suite `suite` (the suite's
// name as the plug-in acquires it, e.g. "ADM Item Suite", and the operation's
// field name in its table, e.g. "SetText").
template <class Body>
ASErr Guarded(const char* suite, const char* op, Body&& body) noexcept {
  (void)suite;
  (void)op;
  try {
    Host* host = CurrentHostOrNull();
    if (host == nullptr) return kCantHappenErr;
    return body(*host);
  } catch (const std::bad_alloc&) {
    return kSPOutOfMemoryError;
  } catch (...) {
    return kCantHappenErr;
  }
}

}  // namespace hostsim::suites
