#include "core/State.h"

#include <new>

#include "core/HostCode.h"
#include "core/Suites.h"

State* gState = nullptr;

ASErr AllocateState() {
  void* block = nullptr;
  const ASErr err = sSPBasic->AllocateBlock(sizeof(State), &block);
  if (err != kNoErr) return err;
  if (block == nullptr) return kSPOutOfMemoryError;
  // The allocator's contents are unspecified: start from a cleared block.
  gState = new (block) State{};
  return kNoErr;
}

void FreeState() {
  if (gState == nullptr) return;
  Ignore(sSPBasic->FreeBlock(gState), Why::Cleanup);
  gState = nullptr;
}
