// What the plug-in library exports to its host: the entry point and the
// resource lookup that the host's loader resolves beside it.
#pragma once

#include "SPBasic.h"

#ifdef _WIN32
#define KPX_PLUGIN_EXPORT KPX_EXTERN_C __declspec(dllexport)
#define KPX_CDECL __cdecl
#else
#define KPX_PLUGIN_EXPORT KPX_EXTERN_C __attribute__((visibility("default")))
#define KPX_CDECL
#endif

// Resource types, as four-character codes.
enum {
  kStringListResource = KPX_FOURCC('S', 'T', 'R', '#'),  // UTF-8 text, one entry a line
  kPictureResource = KPX_FOURCC('P', 'N', 'G', 'I'),     // PNG image (icons, pictures, bitmaps)
  kCursorResource = KPX_FOURCC('C', 'U', 'R', 'S'),      // PNG image; hot spots in resources/cursors/hotspots.md
  kDialogResource = KPX_FOURCC('D', 'L', 'O', 'G'),      // JSON dialog definition
  kMenuResource = KPX_FOURCC('M', 'E', 'N', 'U'),        // UTF-8 text, one entry a line
  kPropertyListResource = KPX_FOURCC('P', 'i', 'P', 'L'),
};

#define kPluginMainName "PluginMain"
#define kPluginResourceLookupName "PluginGetResource"

typedef ASErr (KPX_CDECL *PluginMainProc)(const char* caller, const char* selector, void* message);
// Returns kNoErr with the resource's bytes (owned by the library, valid while it is loaded),
// or kNameNotFoundErr when the plug-in has no such resource.
typedef ASErr (KPX_CDECL *PluginResourceProc)(int32_t type, int32_t id, const void** data, uint32_t* size);
