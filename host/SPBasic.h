// Basic host interface: error codes, the plug-in's message records, and the
// basic, blocks and access suites through which every other suite is reached.
// Strings passed across this interface are in the platform encoding
// (Windows-1252) unless an operation says otherwise.
#pragma once

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
#define KPX_EXTERN_C extern "C"
#else
#define KPX_EXTERN_C
#endif

typedef int32_t ASErr;
typedef int32_t ASBoolean;  // 32-bit boolean: 0 false, anything else true
typedef int32_t AIErr;

// Four-character codes, most significant byte first: KPX_FOURCC('S','!','F','d') == 0x53214664.
#define KPX_FOURCC(a, b, c, d) \
  ((int32_t)(((uint32_t)(uint8_t)(a) << 24) | ((uint32_t)(uint8_t)(b) << 16) | ((uint32_t)(uint8_t)(c) << 8) | (uint32_t)(uint8_t)(d)))

enum {
  kNoErr = 0,
  kSPSuiteNotFoundError = KPX_FOURCC('S', '!', 'F', 'd'),  // 0x53214664: no suite of that name and version
  kSPOutOfMemoryError = KPX_FOURCC('!', 'M', 'E', 'M'),
  kSPBadParameterError = KPX_FOURCC('P', 'R', 'M', '?'),
  kSPUnimplementedError = KPX_FOURCC('!', 'I', 'M', 'P'),
  kBadParameterErr = KPX_FOURCC('P', 'A', 'R', 'M'),      // dead or foreign handle, bad argument
  kNoSuchKeyErr = KPX_FOURCC('!', 'K', 'e', 'y'),         // preference key absent or of another type
  kNoSuchTagErr = KPX_FOURCC('!', 'T', 'a', 'g'),
  kNameNotFoundErr = KPX_FOURCC('!', 'N', 'a', 'm'),
  kCantHappenErr = KPX_FOURCC('C', 'A', 'N', 'T'),
  kInjectedFailureErr = KPX_FOURCC('!', 'I', 'N', 'J'),   // the simulated host was told to fail this call
  kToolIconErr = KPX_FOURCC('!', 'i', 'c', 'o'),          // 0x2169636F: the plug-in's own code, tool icon missing
};

typedef struct _t_SPPlugin* SPPluginRef;

// Basic suite: handed to the plug-in in every message record.
typedef struct SPBasicSuite {
  // Returns kNoErr and the suite's function table in *suite, or kSPSuiteNotFoundError
  // (*suite is then null). Each successful acquisition must be balanced by ReleaseSuite.
  ASErr (*AcquireSuite)(const char* name, int32_t version, const void** suite);
  // Returns kNoErr, or kSPSuiteNotFoundError when the suite is not held.
  ASErr (*ReleaseSuite)(const char* name, int32_t version);
  // True when the two zero-terminated strings are equal; false for a null argument.
  ASBoolean (*IsEqual)(const char* token1, const char* token2);
  // Returns kNoErr and a zero-filled block of size bytes owned by the caller until FreeBlock,
  // or kSPOutOfMemoryError (also for sizes over 1 GiB).
  ASErr (*AllocateBlock)(size_t size, void** block);
  // Returns kNoErr; a null block is accepted; a block the host did not allocate gives kSPBadParameterError.
  ASErr (*FreeBlock)(void* block);
  // Returns kNoErr and the resized block (contents kept up to the smaller size);
  // kSPBadParameterError for a foreign block, kSPOutOfMemoryError when it cannot grow
  // (the old block is then kept).
  ASErr (*ReallocateBlock)(void* block, size_t newSize, void** newblock);
  // Reserved: always kSPUnimplementedError.
  ASErr (*Undefined)(void);
} SPBasicSuite;

#define kSPBlocksSuite "SP Blocks Suite"
#define kSPBlocksSuiteVersion 2
typedef struct SPBlocksSuite {
  // As the basic suite's AllocateBlock; debug names the block for leak reports.
  ASErr (*AllocateBlock)(size_t size, const char* debug, void** block);
  // Frees a block from AllocateBlock; kSPBadParameterError for a foreign one.
  ASErr (*FreeBlock)(void* block);
  // As the basic suite's ReallocateBlock; debug names the block.
  ASErr (*ReallocateBlock)(void* block, size_t newSize, const char* debug, void** newblock);
} SPBlocksSuite;

#define kSPAccessSuite "SP Access Suite"
#define kSPAccessSuiteVersion 3
typedef struct _t_SPAccess* SPAccessRef;
typedef struct SPAccessSuite {
  // Returns kNoErr and the plug-in's file name (UTF-8) into a buffer of size bytes.
  ASErr (*GetPluginName)(SPPluginRef plugin, char* name, int32_t size);
  // Takes an access reference on the plug-in: while one is held the host keeps the
  // library in memory (an "Unload" message still parks the globals). kBadParameterErr
  // for a foreign plug-in ref.
  ASErr (*AcquirePlugin)(SPPluginRef plugin, SPAccessRef* access);
  // Gives the reference back; kBadParameterErr for one not held.
  ASErr (*ReleasePlugin)(SPAccessRef access);
} SPAccessSuite;

// Message records. Every record starts with SPMessageData.
typedef struct SPMessageData {
  int32_t SPCheck;       // not used by the plug-in
  SPPluginRef self;      // the plug-in's own reference, passed back on registrations
  void* globals;         // where the host parks the plug-in's globals while it is unloaded
  SPBasicSuite* basic;   // the basic suite
} SPMessageData;

typedef struct SPInterfaceMessage { SPMessageData d; } SPInterfaceMessage;
typedef struct SPAccessMessage { SPMessageData d; } SPAccessMessage;

#define kSPInterfaceCaller "SP Interface"
#define kSPInterfaceStartupSelector "Startup"
#define kSPInterfaceShutdownSelector "Shutdown"
#define kSPInterfaceAboutSelector "About"
#define kSPAccessCaller "SP Access"
#define kSPAccessUnloadSelector "Unload"
#define kSPAccessReloadSelector "Reload"
