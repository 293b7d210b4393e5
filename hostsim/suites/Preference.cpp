// The preference suite: typed values by section and key in the host's store.
// Every operation names its key to the guard, so that a test can fail the
// store or the read of one key.
#include <cstring>
#include <optional>
#include <utility>

#include "host/AISuites.h"
#include "hostsim/SuiteRegistry.h"
#include "hostsim/suites/Guard.h"
#include "hostsim/suites/PlatformText.h"
#include "hostsim/suites/Registration.h"

namespace hostsim::suites {
namespace {

constexpr const char* kPrefs = kAIPreferenceSuite;

// A null prefix names the host's own section (the empty name), whose keys
// fall back to these values.
struct HostDefault {
  const char* key;
  double value;
};
constexpr HostDefault kHostRealDefaults[] = {
    {"Grid/Color/Lite/r", 0.8},
    {"Grid/Color/Lite/g", 0.8},
    {"Grid/Color/Lite/b", 0.8},
};

template <class T, class Out, class Convert>
AIErr GetPref(const char* op, const char* prefix, const char* suffix, Out* value, Convert convert) {
  return Guarded(kPrefs, op, suffix, [&](Host& h) -> ASErr {
    if (suffix == nullptr || value == nullptr) return kBadParameterErr;
    std::string section, key;
    const PrefValue* stored = h.prefs().Find(Utf8View(prefix, section), Utf8View(suffix, key));
    const T* typed = stored == nullptr ? nullptr : std::get_if<T>(stored);
    if (typed == nullptr) return kNoSuchKeyErr;
    *value = convert(*typed);
    return kNoErr;
  });
}

// make() gives the value to store, or nothing for an argument that holds none.
template <class Make>
AIErr PutPref(const char* op, const char* prefix, const char* suffix, Make&& make) {
  return Guarded(kPrefs, op, suffix, [&](Host& h) -> ASErr {
    if (suffix == nullptr) return kBadParameterErr;
    std::optional<PrefValue> value = make();
    if (!value) return kBadParameterErr;
    std::string section;
    return h.prefs().Put(Utf8View(prefix, section), Utf8(suffix), std::move(*value));
  });
}

AIErr GetBooleanPreference(const char* prefix, const char* suffix, ASBoolean* value) {
  return GetPref<bool>("GetBooleanPreference", prefix, suffix, value, [](bool v) { return v ? 1 : 0; });
}
AIErr PutBooleanPreference(const char* prefix, const char* suffix, ASBoolean value) {
  return PutPref("PutBooleanPreference", prefix, suffix, [&] { return std::optional<PrefValue>(value != 0); });
}
AIErr GetIntegerPreference(const char* prefix, const char* suffix, int32_t* value) {
  return GetPref<int32_t>("GetIntegerPreference", prefix, suffix, value, [](int32_t v) { return v; });
}
AIErr PutIntegerPreference(const char* prefix, const char* suffix, int32_t value) {
  return PutPref("PutIntegerPreference", prefix, suffix, [&] { return std::optional<PrefValue>(value); });
}
AIErr GetRealPreference(const char* prefix, const char* suffix, double* value) {
  const AIErr err = GetPref<double>("GetRealPreference", prefix, suffix, value, [](double v) { return v; });
  if (err == kNoSuchKeyErr && prefix == nullptr && suffix != nullptr && value != nullptr) {
    for (const HostDefault& d : kHostRealDefaults) {
      if (std::strcmp(d.key, suffix) == 0) {
        *value = d.value;
        return kNoErr;
      }
    }
  }
  return err;
}
AIErr PutRealPreference(const char* prefix, const char* suffix, double value) {
  return PutPref("PutRealPreference", prefix, suffix, [&] { return std::optional<PrefValue>(value); });
}
AIErr GetStringPreference(const char* prefix, const char* suffix, char* value, int32_t size) {
  return Guarded(kPrefs, "GetStringPreference", suffix, [&](Host& h) -> ASErr {
    if (suffix == nullptr || value == nullptr || size < 1) return kBadParameterErr;
    std::string section, key;
    auto stored = h.prefs().GetString(Utf8View(prefix, section), Utf8View(suffix, key));
    if (!stored) return kNoSuchKeyErr;
    CopyTruncated(Utf8ToCp1252(*stored), value, size);
    return kNoErr;
  });
}
AIErr PutStringPreference(const char* prefix, const char* suffix, const char* value) {
  return PutPref("PutStringPreference", prefix, suffix, [&] {
    return value == nullptr ? std::nullopt : std::optional<PrefValue>(Utf8(value));
  });
}
AIErr GetPointPreference(const char* prefix, const char* suffix, AIPoint* value) {
  return GetPref<PrefPoint>("GetPointPreference", prefix, suffix, value,
                            [](PrefPoint p) { return AIPoint{p.h, p.v}; });
}
AIErr PutPointPreference(const char* prefix, const char* suffix, const AIPoint* value) {
  return PutPref("PutPointPreference", prefix, suffix, [&] {
    return value == nullptr ? std::nullopt : std::optional<PrefValue>(PrefPoint{value->h, value->v});
  });
}

const AIPreferenceSuite kPreferenceSuite = {
    GetBooleanPreference, PutBooleanPreference, GetIntegerPreference, PutIntegerPreference,
    GetRealPreference,    PutRealPreference,    GetStringPreference,  PutStringPreference,
    GetPointPreference,   PutPointPreference};

}  // namespace

void RegisterPreferenceSuite(SuiteRegistry& registry) {
  registry.Add(kAIPreferenceSuite, kAIPreferenceSuiteVersion, &kPreferenceSuite);
}

}  // namespace hostsim::suites
