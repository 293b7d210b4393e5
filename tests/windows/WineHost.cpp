// A small Windows host for the 32-bit plug-in library, run under Wine: it
// loads kpxlabels.aip as the real host would (LoadLibrary), finds PluginMain
// and the resource lookup, reads the property list both from the file's
// resources and through the lookup (the same bytes), then sends start-up
// with a basic suite that refuses one suite. The library must answer with
// the refusal's code, call nothing of the suites it was given, and give back
// every suite it took.
//   winehost.exe PATH\kpxlabels.aip [REFUSED SUITE]
// Exit code 0 when every check holds; each failure is printed.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "host/PluginExports.h"

namespace {

int gFailures = 0;
void Check(bool ok, const char* what) {
  std::printf("%s %s\n", ok ? "ok  " : "FAIL", what);
  if (!ok) ++gFailures;
}

const char* gRefused = "AI Art Suite";
int gAcquired = 0;
int gReleased = 0;
int gRefusals = 0;
int gTrapped = 0;

int gAdmBasicCalls = 0;

// Stands for every operation of every suite granted: the library must call
// none before its start-up has every suite, except the dialog toolkit's basic
// suite, through which it tells the user which suite is missing. cdecl: extra
// arguments are the caller's to pop, so any operation may land here.
ASErr __cdecl Trap() {
  ++gTrapped;
  return kCantHappenErr;
}
ASErr __cdecl AdmBasicCall() {
  ++gAdmBasicCalls;
  return kNoErr;
}
void* gTrapTable[512];
void* gAdmBasicTable[512];

ASErr __cdecl AcquireSuite(const char* name, int32_t, const void** suite) {
  if (suite == nullptr) return kBadParameterErr;
  if (name != nullptr && std::strcmp(name, gRefused) == 0) {
    ++gRefusals;
    *suite = nullptr;
    return kSPSuiteNotFoundError;
  }
  ++gAcquired;
  *suite = name != nullptr && std::strcmp(name, "ADM Basic Suite") == 0 ? gAdmBasicTable : gTrapTable;
  return kNoErr;
}
ASErr __cdecl ReleaseSuite(const char*, int32_t) {
  ++gReleased;
  return kNoErr;
}
ASBoolean __cdecl IsEqual(const char* a, const char* b) { return a != nullptr && b != nullptr && std::strcmp(a, b) == 0; }
ASErr __cdecl AllocateBlock(size_t size, void** block) {
  *block = std::calloc(1, size == 0 ? 1 : size);
  return *block != nullptr ? kNoErr : kSPOutOfMemoryError;
}
ASErr __cdecl FreeBlock(void* block) {
  std::free(block);
  return kNoErr;
}
ASErr __cdecl ReallocateBlock(void* block, size_t size, void** out) {
  *out = std::realloc(block, size);
  return *out != nullptr ? kNoErr : kSPOutOfMemoryError;
}
ASErr __cdecl Undefined() { return kSPUnimplementedError; }

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::printf("usage: winehost PLUGIN.aip [REFUSED SUITE]\n");
    return 2;
  }
  if (argc > 2) gRefused = argv[2];
  for (void*& slot : gTrapTable) slot = reinterpret_cast<void*>(&Trap);
  for (void*& slot : gAdmBasicTable) slot = reinterpret_cast<void*>(&AdmBasicCall);

  HMODULE library = LoadLibraryA(argv[1]);
  Check(library != nullptr, "the library loads");
  if (library == nullptr) {
    std::printf("LoadLibrary error %lu\n", GetLastError());
    return 1;
  }
  // Through void*: a FARPROC is cast to the procedure's real type, as any host does.
  auto pluginMain =
      reinterpret_cast<PluginMainProc>(reinterpret_cast<void*>(GetProcAddress(library, kPluginMainName)));
  auto lookup =
      reinterpret_cast<PluginResourceProc>(reinterpret_cast<void*>(GetProcAddress(library, kPluginResourceLookupName)));
  Check(pluginMain != nullptr, "PluginMain is exported under its plain name");
  Check(lookup != nullptr, "PluginGetResource is exported under its plain name");
  if (pluginMain == nullptr || lookup == nullptr) return 1;

  // The property list, as the host reads it from the file before loading.
  HRSRC found = FindResourceA(library, MAKEINTRESOURCEA(16000), "PIPL");
  Check(found != nullptr, "property list 16000 is a PIPL resource of the file");
  const void* fileBytes = nullptr;
  DWORD fileSize = 0;
  if (found != nullptr) {
    HGLOBAL loaded = LoadResource(library, found);
    fileBytes = loaded != nullptr ? LockResource(loaded) : nullptr;
    fileSize = SizeofResource(library, found);
  }
  const void* lookupBytes = nullptr;
  uint32_t lookupSize = 0;
  Check(lookup(kPropertyListResource, 16000, &lookupBytes, &lookupSize) == kNoErr, "the lookup serves the property list");
  Check(fileBytes != nullptr && lookupBytes != nullptr && fileSize == lookupSize && lookupSize > 10 &&
            std::memcmp(fileBytes, lookupBytes, lookupSize) == 0,
        "the resource and the lookup hold the same bytes");
  if (lookupBytes != nullptr && lookupSize >= 2) {
    const auto* b = static_cast<const unsigned char*>(lookupBytes);
    Check(b[0] == 1 && b[1] == 0, "the property list starts with the little-endian word 1");
  }
  const void* none = nullptr;
  uint32_t noneSize = 0;
  Check(lookup(kPropertyListResource, 9999, &none, &noneSize) == kNameNotFoundErr, "an unknown resource is refused");

  // Start-up with a host that lacks a suite.
  SPBasicSuite basic{&AcquireSuite, &ReleaseSuite, &IsEqual, &AllocateBlock, &FreeBlock, &ReallocateBlock, &Undefined};
  SPInterfaceMessage message{};
  message.d.self = reinterpret_cast<SPPluginRef>(&message);
  message.d.basic = &basic;
  const ASErr startup = pluginMain(kSPInterfaceCaller, kSPInterfaceStartupSelector, &message);
  std::printf("start-up answered 0x%08lX after %d acquisitions, %d releases, %d refusals, %d alert calls\n",
              static_cast<unsigned long>(startup), gAcquired, gReleased, gRefusals, gAdmBasicCalls);
  Check(gRefusals >= 1, "the library asked for the refused suite");
  Check(startup == kSPSuiteNotFoundError, "start-up answers the refusal's code");
  Check(gTrapped == 0, "no operation of a granted suite was called but the alert's");
  Check(gAcquired == gReleased, "every suite taken is given back");
  // Asked again, the library answers the same and does not report the same missing suite twice.
  const int alertCalls = gAdmBasicCalls;
  Check(pluginMain(kSPInterfaceCaller, kSPInterfaceStartupSelector, &message) == kSPSuiteNotFoundError,
        "a second start-up answers the same code");
  Check(gAdmBasicCalls == alertCalls, "the same missing suite is reported once");
  Check(gAcquired == gReleased && gTrapped == 0, "the second start-up also gives back what it took");
  // A null record is refused, not followed.
  Check(pluginMain(kSPInterfaceCaller, kSPInterfaceStartupSelector, nullptr) != kNoErr, "a null message record is refused");

  Check(FreeLibrary(library) != 0, "the library unloads");
  std::printf("%s\n", gFailures == 0 ? "winehost: OK" : "winehost: FAILED");
  return gFailures == 0 ? 0 : 1;
}
