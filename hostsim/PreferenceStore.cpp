#include "hostsim/PreferenceStore.h"

#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <limits>
#include <sstream>

#include "hostsim/Encoding.h"

namespace hostsim {
namespace fs = std::filesystem;
using nlohmann::json;

namespace {

constexpr int kFormat = 1;

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

std::optional<std::string> PreferenceStore::Load(const fs::path& file) {
  sections_.clear();
  protected_.clear();
  std::error_code ec;
  if (!fs::exists(file, ec)) return std::nullopt;

  std::string problem;
  json doc;
  {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
      problem = "cannot be read";
    } else {
      std::stringstream text;
      text << in.rdbuf();
      doc = json::parse(text.str(), nullptr, /*allow_exceptions=*/false);
      if (doc.is_discarded()) problem = "is not valid JSON";
    }
  }
  if (problem.empty()) {
    if (!doc.is_object()) {
      problem = "is not a preference file (not a JSON object)";
    } else if (!doc.contains("format") || doc["format"] != kFormat) {
      problem = "is not a preference file of format 1";
    } else if (!doc.contains("sections") || !doc["sections"].is_object()) {
      problem = "is not a preference file (no \"sections\" object)";
    } else {
      for (const auto& [name, section] : doc["sections"].items()) {
        if (!section.is_object()) {
          problem = "is not a preference file (section \"" + name + "\" is not an object)";
          break;
        }
      }
    }
  }

  if (!problem.empty()) {
    const fs::path aside = AsideName(file);
    fs::rename(file, aside, ec);
    if (ec) {
      protected_ = file;
      return "preference file " + file.string() + " " + problem + "; it could not be moved aside (" +
             ec.message() + ") and will not be written over; starting with no preferences";
    }
    return "preference file " + file.string() + " " + problem + "; moved aside to " + aside.string() +
           "; starting with no preferences";
  }

  for (const auto& [name, section] : doc["sections"].items()) {
    for (const auto& [key, value] : section.items()) {
      if (key.empty()) continue;
      if (auto v = ValueFromJson(value)) sections_[name][key] = std::move(*v);
    }
  }
  return std::nullopt;
}

std::optional<std::string> PreferenceStore::Save(const fs::path& file) const {
  if (!protected_.empty() && fs::path(file).lexically_normal() == protected_.lexically_normal()) {
    return "preference file " + file.string() + " was not saved: the unreadable file there was kept";
  }
  std::error_code ec;
  if (file.has_parent_path()) fs::create_directories(file.parent_path(), ec);
  if (ec) return "preference file " + file.string() + " was not saved: " + ec.message();

  const std::string text = ToFileJson().dump(2) + "\n";
  fs::path temp = file;
  temp += ".tmp-" + std::to_string(::getpid());
  std::FILE* out = std::fopen(temp.c_str(), "wb");
  if (out == nullptr) {
    return "preference file " + file.string() + " was not saved: " + std::strerror(errno);
  }
  bool ok = std::fwrite(text.data(), 1, text.size(), out) == text.size();
  ok = std::fflush(out) == 0 && ok;
  ok = ::fsync(::fileno(out)) == 0 && ok;
  const int savedErrno = errno;
  ok = std::fclose(out) == 0 && ok;
  if (!ok) {
    fs::remove(temp, ec);
    return "preference file " + file.string() + " was not saved: " + std::strerror(savedErrno);
  }
  fs::rename(temp, file, ec);
  if (ec) {
    std::error_code ignored;
    fs::remove(temp, ignored);
    return "preference file " + file.string() + " was not saved: " + ec.message();
  }
  return std::nullopt;
}

ASErr PreferenceStore::Put(const std::string& section, const std::string& key, PrefValue value) {
  if (section.empty() || key.empty()) return kBadParameterErr;
  if (const double* d = std::get_if<double>(&value); d != nullptr && !std::isfinite(*d)) return kBadParameterErr;
  if (const auto* s = std::get_if<std::string>(&value); s != nullptr && !IsValidUtf8(*s)) return kBadParameterErr;
  sections_[section][key] = std::move(value);
  ++stores_;
  return kNoErr;
}

const PrefValue* PreferenceStore::Find(const std::string& section, const std::string& key) const {
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

std::optional<bool> PreferenceStore::GetBoolean(const std::string& section, const std::string& key) const {
  return Typed<bool>(Find(section, key));
}
std::optional<int32_t> PreferenceStore::GetInteger(const std::string& section, const std::string& key) const {
  return Typed<int32_t>(Find(section, key));
}
std::optional<double> PreferenceStore::GetReal(const std::string& section, const std::string& key) const {
  return Typed<double>(Find(section, key));
}
std::optional<std::string> PreferenceStore::GetString(const std::string& section, const std::string& key) const {
  return Typed<std::string>(Find(section, key));
}
std::optional<PrefPoint> PreferenceStore::GetPoint(const std::string& section, const std::string& key) const {
  return Typed<PrefPoint>(Find(section, key));
}

bool PreferenceStore::Erase(const std::string& section, const std::string& key) {
  auto s = sections_.find(section);
  if (s == sections_.end()) return false;
  const bool erased = s->second.erase(key) != 0;
  if (s->second.empty()) sections_.erase(s);
  return erased;
}

std::size_t PreferenceStore::KeyCount(const std::string& section) const {
  auto s = sections_.find(section);
  return s == sections_.end() ? 0 : s->second.size();
}

json PreferenceStore::ToFileJson() const {
  json sections = json::object();
  for (const auto& [name, keys] : sections_) {
    json section = json::object();
    for (const auto& [key, value] : keys) section[key] = TypedJson(value);
    sections[name] = std::move(section);
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
