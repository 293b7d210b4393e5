// The host's preference store: typed values by section and key, kept in one
// JSON file that is read when the host starts and saved atomically.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <variant>
#include <vector>

#include <nlohmann/json.hpp>

#include "host/SPBasic.h"

namespace hostsim {

struct PrefPoint {
  int32_t h = 0;
  int32_t v = 0;
  bool operator==(const PrefPoint&) const = default;
};

// Strings are UTF-8 here; the suite converts to and from the platform encoding.
using PrefValue = std::variant<bool, int32_t, double, std::string, PrefPoint>;

class PreferenceStore {
 public:
  // $XDG_CONFIG_HOME/kpxlabels/preferences.json, else $HOME/.config/kpxlabels/preferences.json,
  // else ./kpxlabels-preferences.json.
  static std::filesystem::path DefaultFile();

  // Reads file into the store, replacing its contents. A missing file gives an
  // empty store. A symbolic link is followed. Only a regular file of at most
  // 4 MB is read: a folder, FIFO, device or unreadable file is left alone and
  // never written over. A file that is too large, not JSON or not of the
  // store's shape is renamed aside (file.corrupt-N, never deleted). In both
  // cases the store is left empty and the returned message names the file and
  // the problem. A value of an unknown or mismatched type inside a good file
  // ({"real": "150"}) reads as missing but is kept: saved back as it was
  // until its key is stored anew; the returned message names such keys, once
  // per load. Temporary files a crashed save left beside the file are removed.
  std::optional<std::string> Load(const std::filesystem::path& file);
  // Reads the text of a preference file into the store, replacing its
  // contents; the problem ("is not valid JSON", ...) when it is not one, the
  // store then empty.
  std::optional<std::string> Parse(std::string_view text);
  // Writes the store to file atomically (temporary file in the same folder,
  // flush, rename, folder synced); through a symbolic link, the file it names
  // is replaced and the link kept. Creates the parent folder. Returns an error
  // message on failure: a read-only file, or one that is not a regular file,
  // is not replaced, nor a bad file that Load kept.
  std::optional<std::string> Save(const std::filesystem::path& file) const;

  // Stores a value. kBadParameterErr for a non-finite real, a string that is not
  // UTF-8, or an empty section or key (nothing stored).
  ASErr Put(std::string_view section, std::string key, PrefValue value);
  // Null when the key is absent.
  const PrefValue* Find(std::string_view section, std::string_view key) const;

  std::optional<bool> GetBoolean(std::string_view section, std::string_view key) const;
  std::optional<int32_t> GetInteger(std::string_view section, std::string_view key) const;
  std::optional<double> GetReal(std::string_view section, std::string_view key) const;
  std::optional<std::string> GetString(std::string_view section, std::string_view key) const;
  std::optional<PrefPoint> GetPoint(std::string_view section, std::string_view key) const;

  bool Erase(std::string_view section, std::string_view key);
  void Clear() {
    sections_.clear();
    kept_.clear();
  }
  bool empty() const { return sections_.empty(); }
  bool HasSection(std::string_view section) const { return sections_.find(section) != sections_.end(); }
  std::size_t KeyCount(std::string_view section) const;

  // Number of successful Puts since the store was made.
  int64_t storeCount() const { return stores_; }

  // The file's JSON: {"format":1,"sections":{S:{K:{"real":1.5}}}}.
  nlohmann::json ToFileJson() const;
  // The dump's plain view: {S:{K:value}}; points as [h, v].
  nlohmann::json Dump() const;

 private:
  // Every preference call finds its key: hashed. The file and the dump still
  // list keys in order, as JSON objects keep theirs sorted.
  struct TextHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view text) const { return std::hash<std::string_view>{}(text); }
  };
  template <class Value>
  using TextMap = std::unordered_map<std::string, Value, TextHash, std::equal_to<>>;
  TextMap<TextMap<PrefValue>> sections_;
  // Entries of the file that are not a value of their kind, saved back as read.
  TextMap<TextMap<nlohmann::json>> kept_;
  // "section/key" of the entries kept by the last Parse.
  std::vector<std::string> keptNames_;
  int64_t stores_ = 0;
  // A file Load could not read or move aside: never written over.
  std::filesystem::path protected_;
};

}  // namespace hostsim
