#include "hostsim/Blocks.h"

#include <cstdlib>
#include <cstring>
#include <mutex>
#include <unordered_map>

namespace hostsim {
namespace {

struct BlockTable {
  std::mutex mutex;
  std::unordered_map<void*, std::size_t> sizes;
};

// Never destroyed: blocks a plug-in still holds at exit stay reachable, and
// the table outlives every static that might free a block late.
BlockTable& Table() {
  static BlockTable* table = new BlockTable;
  return *table;
}

// Larger requests are refused rather than tried: no plug-in needs such a block,
// and a wild size (a negative count made unsigned) must fail cleanly, not
// exhaust memory or abort a sanitizer build.
constexpr std::size_t kMaxBlockSize = std::size_t{1} << 30;

}  // namespace

void* AllocateBlock(std::size_t size) {
  if (size > kMaxBlockSize) return nullptr;
  void* block = std::calloc(size == 0 ? 1 : size, 1);
  if (block == nullptr) return nullptr;
  BlockTable& t = Table();
  std::lock_guard lock(t.mutex);
  t.sizes[block] = size;
  return block;
}

bool FreeBlock(void* block) {
  if (block == nullptr) return true;
  BlockTable& t = Table();
  std::lock_guard lock(t.mutex);
  auto it = t.sizes.find(block);
  if (it == t.sizes.end()) return false;
  t.sizes.erase(it);
  std::free(block);
  return true;
}

bool ReallocateBlock(void* block, std::size_t newSize, void** newBlock) {
  if (newBlock == nullptr) return false;
  *newBlock = nullptr;
  std::size_t oldSize = 0;
  if (block != nullptr) {
    BlockTable& t = Table();
    std::lock_guard lock(t.mutex);
    auto it = t.sizes.find(block);
    if (it == t.sizes.end()) return false;
    oldSize = it->second;
  }
  void* fresh = AllocateBlock(newSize);
  if (fresh == nullptr) return false;
  if (block != nullptr) {
    std::memcpy(fresh, block, oldSize < newSize ? oldSize : newSize);
    FreeBlock(block);
  }
  *newBlock = fresh;
  return true;
}

bool IsBlock(const void* block) {
  BlockTable& t = Table();
  std::lock_guard lock(t.mutex);
  return t.sizes.count(const_cast<void*>(block)) != 0;
}

std::size_t LiveBlocks() {
  BlockTable& t = Table();
  std::lock_guard lock(t.mutex);
  return t.sizes.size();
}

}  // namespace hostsim
