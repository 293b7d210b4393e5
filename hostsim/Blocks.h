// The host's block allocator, shared by the basic suite and by suites that
// hand blocks to the plug-in (freed by it through the basic suite).
#pragma once

#include <cstddef>

namespace hostsim {

// A zero-filled block of size bytes, or null when it cannot be had (out of
// memory, or more than 1 GiB asked).
void* AllocateBlock(std::size_t size);
// False for a pointer the host did not allocate (nothing is freed then); true for null.
bool FreeBlock(void* block);
// Resizes a block the host allocated (null: a new block), keeping its contents up
// to the smaller size and zero-filling the rest. False for a foreign pointer
// (*newBlock is then null and nothing changes) or when memory runs out.
bool ReallocateBlock(void* block, std::size_t newSize, void** newBlock);
// True for a live block the host allocated.
bool IsBlock(const void* block);
// Number of blocks allocated and not yet freed.
std::size_t LiveBlocks();

}  // namespace hostsim
