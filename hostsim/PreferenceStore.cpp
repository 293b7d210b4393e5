#include "hostsim/PreferenceStore.h"

#include <cmath>
#include <cstdlib>
#include <limits>

#include "hostsim/Encoding.h"
#include "hostsim/SafeFile.h"

namespace hostsim {
namespace fs = std::filesystem;
using nlohmann::json;

namespace {

constexpr int kFormat = 1;
// A preference file holds a few hundred keys; anything far larger is not one.
constexpr std::uintmax_t kMaxFileBytes = 4 * 1024 * 1024;

bool IsInt32(const json& j) {
  if (j.is_number_unsigned()) return j.get<uint64_t>() <= uint64_t{std::numeric_limits<int32_t>::max()};
  if (!j.is_number_integer()) return false;
  const int64_t v = j.get<int64_t>();
  return v >= std::numeric_limits<int32_t>::min() && v <= std::numeric_limits<int32_t>::max();
}

// A typed value of the file, or nothing when it is not one of the five kinds.
std::optional<PrefValue> ValueFromJson(const json& j) {
  if (!j.is_object() || j.size() != 1) return std::nullopt;
  const std::string& kind = j.begin().key();
  const json& v = j.begin().value();
  if (kind == "boolean" && v.is_boolean()) return PrefValue{v.get<bool>()};
  if (kind == "integer" && IsInt32(v)) return PrefValue{static_cast<int32_t>(v.get<int64_t>())};
  if (kind == "real" && v.is_number()) {
    const double d = v.get<double>();
    if (std::isfinite(d)) return PrefValue{d};
  }
  if (kind == "string" && v.is_string()) return PrefValue{v.get<std::string>()};
  if (kind == "point" && v.is_array() && v.size() == 2 && IsInt32(v[0]) && IsInt32(v[1])) {
    return PrefValue{PrefPoint{static_cast<int32_t>(v[0].get<int64_t>()), static_cast<int32_t>(v[1].get<int64_t>())}};
  }
  return std::nullopt;
}

json TypedJson(const PrefValue& value) {
  return std::visit(
      [](const auto& v) -> json {
        using T = std::decay_t<decltype(v)>;
        if constexpr (std::is_same_v<T, bool>) return {{"boolean", v}};
        if constexpr (std::is_same_v<T, int32_t>) return {{"integer", v}};
        if constexpr (std::is_same_v<T, double>) return {{"real", v}};
        if constexpr (std::is_same_v<T, std::string>) return {{"string", v}};
        if constexpr (std::is_same_v<T, PrefPoint>) return {{"point", json::array({v.h, v.v})}};
      },
      value);
}

json PlainJson(const PrefValue& value) {
  return std::visit(
      [](const auto& v) -> json {
        using T = std::decay_t<decltype(v)>;
        if constexpr (std::is_same_v<T, PrefPoint>) {
          return json::array({v.h, v.v});
        } else {
          return json(v);
        }
      },
      value);
}

// The first of file.corrupt-1, file.corrupt-2, ... that does not exist.
fs::path AsideName(const fs::path& file) {
  for (int n = 1;; ++n) {
    fs::path candidate = file;
    candidate += ".corrupt-" + std::to_string(n);
    std::error_code ec;
    if (!fs::exists(candidate, ec) && !ec) return candidate;
    if (n > 100000) return candidate;
  }
}

}  // namespace

fs::path PreferenceStore::DefaultFile() {
  const char* xdg = std::getenv("XDG_CONFIG_HOME");
  if (xdg != nullptr && *xdg != '\0' && fs::path(xdg).is_absolute()) {
    return fs::path(xdg) / "kpxlabels" / "preferences.json";
  }
  const char* home = std::getenv("HOME");
  if (home != nullptr && *home != '\0') return fs::path(home) / ".config" / "kpxlabels" / "preferences.json";
  return fs::path("kpxlabels-preferences.json");
}

std::optional<std::string> PreferenceStore::Parse(std::string_view text) {
  Clear();
  keptNames_.clear();
  const json doc = json::parse(text, nullptr, /*allow_exceptions=*/false);
  if (doc.is_discarded()) return "is not valid JSON";
  if (!doc.is_object()) return "is not a preference file (not a JSON object)";
  if (!doc.contains("format") || doc["format"] != kFormat) return "is not a preference file of format 1";
  if (!doc.contains("sections") || !doc["sections"].is_object()) {
    return "is not a preference file (no \"sections\" object)";
  }
  for (const auto& [section, content] : doc["sections"].items()) {
    if (!content.is_object()) return "is not a preference file (section \"" + section + "\" is not an object)";
  }
  for (const auto& [section, content] : doc["sections"].items()) {
    for (const auto& [key, value] : content.items()) {
      if (key.empty()) continue;
      if (auto v = ValueFromJson(value)) {
        sections_[section][key] = std::move(*v);
      } else if (json::parse(value.dump(), nullptr, false) == value) {
        // Kept only when it writes back as it was read (1e400 would come back null).
        kept_[section][key] = value;
        keptNames_.push_back(section + "/" + key);
      }
    }
  }
  return std::nullopt;
}

std::optional<std::string> PreferenceStore::Load(const fs::path& file) {
  Clear();
  keptNames_.clear();
  protected_.clear();
  const std::string name = "preference file " + file.string();
  // A link is followed: the file it names is read, and moved aside if bad.
  const fs::path real = FollowLinks(file);
  if (real.empty()) {
    protected_ = file;
    return name + " is a loop of symbolic links; it will not be written over; starting with no preferences";
  }
  RemoveStaleTemporaries(real);
  const FileRead read = ReadRegularFile(real, kMaxFileBytes);
  if (read.missing) return std::nullopt;
  if (read.notRegular || (!read.tooLarge && !read.problem.empty())) {
    // Not ours to move or replace: a folder, a FIFO, a device, a file we may not read.
    protected_ = file;
    return name + " " + read.problem + "; it will not be written over; starting with no preferences";
  }

  std::string problem = read.tooLarge ? read.problem : Parse(read.bytes).value_or("");
  if (!problem.empty()) {
    std::error_code ec;
    const fs::path aside = AsideName(real);
    fs::rename(real, aside, ec);
    if (ec) {
      protected_ = file;
      return name + " " + problem + "; it could not be moved aside (" + ec.message() +
             ") and will not be written over; starting with no preferences";
    }
    return name + " " + problem + "; moved aside to " + aside.string() + "; starting with no preferences";
  }
  if (keptNames_.empty()) return std::nullopt;
  std::string keys;
  constexpr std::size_t kNamed = 5;
  for (std::size_t i = 0; i < keptNames_.size() && i < kNamed; ++i) keys += (i == 0 ? "" : ", ") + keptNames_[i];
  if (keptNames_.size() > kNamed) keys += " and " + std::to_string(keptNames_.size() - kNamed) + " more";
  return name + ": " + keys + (keptNames_.size() == 1 ? " is" : " are") +
         " not a value of the kind named; kept in the file as written, read as missing";
}

std::optional<std::string> PreferenceStore::Save(const fs::path& file) const {
  if (!protected_.empty() && fs::path(file).lexically_normal() == protected_.lexically_normal()) {
    return "preference file " + file.string() + " was not saved: the file there could not be read and was kept";
  }
  if (auto problem = ReplaceFileAtomically(file, ToFileJson().dump(2) + "\n")) {
    return "preference file " + file.string() + " was not saved: " + *problem;
  }
  return std::nullopt;
}

ASErr PreferenceStore::Put(std::string_view section, std::string key, PrefValue value) {
  if (section.empty() || key.empty()) return kBadParameterErr;
  if (const double* d = std::get_if<double>(&value); d != nullptr && !std::isfinite(*d)) return kBadParameterErr;
  if (const auto* s = std::get_if<std::string>(&value); s != nullptr && !IsValidUtf8(*s)) return kBadParameterErr;
  auto keys = sections_.find(section);
  if (keys == sections_.end()) keys = sections_.emplace(std::string(section), TextMap<PrefValue>()).first;
  if (auto kept = kept_.find(section); kept != kept_.end()) {
    kept->second.erase(key);
    if (kept->second.empty()) kept_.erase(kept);
  }
  keys->second.insert_or_assign(std::move(key), std::move(value));
  ++stores_;
  return kNoErr;
}

const PrefValue* PreferenceStore::Find(std::string_view section, std::string_view key) const {
  auto s = sections_.find(section);
  if (s == sections_.end()) return nullptr;
  auto k = s->second.find(key);
  return k == s->second.end() ? nullptr : &k->second;
}

namespace {
template <typename T>
std::optional<T> Typed(const PrefValue* value) {
  if (value == nullptr) return std::nullopt;
  if (const T* v = std::get_if<T>(value)) return *v;
  return std::nullopt;
}
}  // namespace

std::optional<bool> PreferenceStore::GetBoolean(std::string_view section, std::string_view key) const {
  return Typed<bool>(Find(section, key));
}
std::optional<int32_t> PreferenceStore::GetInteger(std::string_view section, std::string_view key) const {
  return Typed<int32_t>(Find(section, key));
}
std::optional<double> PreferenceStore::GetReal(std::string_view section, std::string_view key) const {
  return Typed<double>(Find(section, key));
}
std::optional<std::string> PreferenceStore::GetString(std::string_view section, std::string_view key) const {
  return Typed<std::string>(Find(section, key));
}
std::optional<PrefPoint> PreferenceStore::GetPoint(std::string_view section, std::string_view key) const {
  return Typed<PrefPoint>(Find(section, key));
}

bool PreferenceStore::Erase(std::string_view section, std::string_view key) {
  if (auto kept = kept_.find(section); kept != kept_.end()) {
    if (auto k = kept->second.find(key); k != kept->second.end()) kept->second.erase(k);
    if (kept->second.empty()) kept_.erase(kept);
  }
  auto s = sections_.find(section);
  if (s == sections_.end()) return false;
  const auto k = s->second.find(key);
  const bool erased = k != s->second.end();
  if (erased) s->second.erase(k);
  if (s->second.empty()) sections_.erase(s);
  return erased;
}

std::size_t PreferenceStore::KeyCount(std::string_view section) const {
  auto s = sections_.find(section);
  return s == sections_.end() ? 0 : s->second.size();
}

json PreferenceStore::ToFileJson() const {
  json sections = json::object();
  for (const auto& [name, keys] : kept_) {
    for (const auto& [key, value] : keys) sections[name][key] = value;
  }
  for (const auto& [name, keys] : sections_) {
    json& section = sections[name];
    if (!section.is_object()) section = json::object();
    for (const auto& [key, value] : keys) section[key] = TypedJson(value);
  }
  return {{"format", kFormat}, {"sections", std::move(sections)}};
}

json PreferenceStore::Dump() const {
  json out = json::object();
  for (const auto& [name, keys] : sections_) {
    json section = json::object();
    for (const auto& [key, value] : keys) section[key] = PlainJson(value);
    out[name] = std::move(section);
  }
  return out;
}

}  // namespace hostsim
