#include "hostsim/FontRefs.h"

#include <cstdint>
#include <map>

namespace hostsim {
namespace {

constexpr std::uintptr_t kBase = 0x1F0000;

struct RefTable {
  std::map<std::uintptr_t, std::size_t> live;  // ref id -> font index
  std::uintptr_t next = 1;
};

RefTable& Table() {
  static RefTable table;
  return table;
}

}  // namespace

ATEFontRef MakeFontRef(std::size_t fontIndex) {
  RefTable& t = Table();
  const std::uintptr_t id = kBase + t.next++;
  t.live[id] = fontIndex;
  return reinterpret_cast<ATEFontRef>(id);
}

std::optional<std::size_t> FontIndexFromRef(ATEFontRef ref) {
  const RefTable& t = Table();
  auto it = t.live.find(reinterpret_cast<std::uintptr_t>(ref));
  if (it == t.live.end()) return std::nullopt;
  return it->second;
}

bool ReleaseFontRef(ATEFontRef ref) { return Table().live.erase(reinterpret_cast<std::uintptr_t>(ref)) != 0; }

std::size_t LiveFontRefs() { return Table().live.size(); }

void ResetFontRefs() { Table().live.clear(); }

}  // namespace hostsim
