// The basic suite handed to the plug-in in every message (suites by name,
// blocks, string equality), and the blocks and access suites.
#include <cstring>

#include "hostsim/Blocks.h"
#include "hostsim/Encoding.h"
#include "hostsim/HostSuites.h"
#include "hostsim/SuiteRegistry.h"
#include "hostsim/suites/Guard.h"
#include "hostsim/suites/Registration.h"

namespace hostsim::suites {
namespace {

// Blocks, shared by the basic and blocks suites.

ASErr AllocateInto(size_t size, void** block) {
  if (block == nullptr) return kSPBadParameterError;
  *block = AllocateBlock(size);
  return *block == nullptr ? kSPOutOfMemoryError : kNoErr;
}

ASErr Free(void* block) { return FreeBlock(block) ? kNoErr : kSPBadParameterError; }

ASErr ReallocateInto(void* block, size_t newSize, void** newBlock) {
  if (newBlock == nullptr) return kSPBadParameterError;
  *newBlock = nullptr;
  if (block != nullptr && !IsBlock(block)) return kSPBadParameterError;
  return ReallocateBlock(block, newSize, newBlock) ? kNoErr : kSPOutOfMemoryError;
}

// Basic suite

ASErr BasicAcquireSuite(const char* name, int32_t version, const void** suite) {
  // A failed acquisition leaves a null table, whatever made it fail.
  if (suite != nullptr) *suite = nullptr;
  return Guarded(kBasicSuiteName, "AcquireSuite", name,
                 [&](Host& h) { return h.suites().Acquire(name, version, suite); });
}

ASErr BasicReleaseSuite(const char* name, int32_t version) {
  return Guarded(kBasicSuiteName, "ReleaseSuite", name, [&](Host& h) { return h.suites().Release(name, version); });
}

// Answers a boolean, so no failure can be reported: it does not go through the guard.
ASBoolean BasicIsEqual(const char* a, const char* b) {
  return a != nullptr && b != nullptr && std::strcmp(a, b) == 0;
}

ASErr BasicAllocateBlock(size_t size, void** block) {
  return Guarded(kBasicSuiteName, "AllocateBlock", [&](Host&) { return AllocateInto(size, block); });
}

ASErr BasicFreeBlock(void* block) {
  return Guarded(kBasicSuiteName, "FreeBlock", [&](Host&) { return Free(block); });
}

ASErr BasicReallocateBlock(void* block, size_t newSize, void** newBlock) {
  return Guarded(kBasicSuiteName, "ReallocateBlock", [&](Host&) { return ReallocateInto(block, newSize, newBlock); });
}

ASErr BasicUndefined() {
  return Guarded(kBasicSuiteName, "Undefined", [&](Host&) -> ASErr { return kSPUnimplementedError; });
}

SPBasicSuite gBasicSuite = {BasicAcquireSuite, BasicReleaseSuite,    BasicIsEqual,    BasicAllocateBlock,
                            BasicFreeBlock,    BasicReallocateBlock, BasicUndefined};

// Blocks suite

ASErr BlocksAllocate(size_t size, const char*, void** block) {
  return Guarded(kSPBlocksSuite, "AllocateBlock", [&](Host&) { return AllocateInto(size, block); });
}
ASErr BlocksFree(void* block) {
  return Guarded(kSPBlocksSuite, "FreeBlock", [&](Host&) { return Free(block); });
}
ASErr BlocksReallocate(void* block, size_t newSize, const char*, void** newBlock) {
  return Guarded(kSPBlocksSuite, "ReallocateBlock", [&](Host&) { return ReallocateInto(block, newSize, newBlock); });
}
const SPBlocksSuite kBlocksSuite = {BlocksAllocate, BlocksFree, BlocksReallocate};

// Access suite

ASErr AccessGetPluginName(SPPluginRef plugin, char* name, int32_t size) {
  return Guarded(kSPAccessSuite, "GetPluginName", [&](Host& h) -> ASErr {
    if (!h.IsPluginRef(plugin) || name == nullptr || size < 1) return kBadParameterErr;
    CopyTruncated(h.options().pluginFile.filename().string(), name, size);
    return kNoErr;
  });
}
ASErr AccessAcquirePlugin(SPPluginRef plugin, SPAccessRef* access) {
  return Guarded(kSPAccessSuite, "AcquirePlugin", [&](Host& h) -> ASErr {
    if (access == nullptr) return kBadParameterErr;
    *access = nullptr;
    if (!h.IsPluginRef(plugin)) return kBadParameterErr;
    *access = h.AcquireAccess();
    return kNoErr;
  });
}
ASErr AccessReleasePlugin(SPAccessRef access) {
  return Guarded(kSPAccessSuite, "ReleasePlugin",
                 [&](Host& h) { return h.ReleaseAccess(access) ? kNoErr : kBadParameterErr; });
}
const SPAccessSuite kAccessSuite = {AccessGetPluginName, AccessAcquirePlugin, AccessReleasePlugin};

}  // namespace

void RegisterBasicSuites(SuiteRegistry& registry) {
  registry.Add(kSPBlocksSuite, kSPBlocksSuiteVersion, &kBlocksSuite);
  registry.Add(kSPAccessSuite, kSPAccessSuiteVersion, &kAccessSuite);
}

}  // namespace hostsim::suites

namespace hostsim {

SPBasicSuite* HostBasicSuite() { return &suites::gBasicSuite; }

}  // namespace hostsim
