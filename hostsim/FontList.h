// The host's font list, read from fontconfig once at start.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace hostsim {

struct ToolkitFont {
  std::string fullName;    // UTF-8, as the host shows it ("DejaVu Sans Bold")
  std::string family;      // UTF-8
  std::string file;        // path of the font file
  int faceIndex = 0;       // face within the file
};

class FontList {
 public:
  // Every scalable font fontconfig lists, sorted by full name, duplicates removed.
  static FontList FromFontconfig();
  explicit FontList(std::vector<ToolkitFont> faces) : faces_(std::move(faces)) {}

  std::size_t size() const { return faces_.size(); }
  const ToolkitFont& at(std::size_t index) const { return faces_.at(index); }
  std::optional<std::size_t> FindByFullName(const std::string& fullName) const;

 private:
  std::vector<ToolkitFont> faces_;
};

}  // namespace hostsim
