// A library with the resource lookup but no entry point: the loader must refuse it.
#include "host/PluginExports.h"

KPX_PLUGIN_EXPORT ASErr KPX_CDECL PluginGetResource(int32_t, int32_t, const void** data, uint32_t* size) {
  if (data != nullptr) *data = nullptr;
  if (size != nullptr) *size = 0;
  return kNameNotFoundErr;
}
