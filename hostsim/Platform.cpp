// The two platform calls the plug-in makes, over the host's simulated keyboard
// and speaker. Exported from the host so the loaded plug-in resolves them here.
#include "host/Platform.h"

#include "hostsim/Host.h"

extern "C" __attribute__((visibility("default"))) short GetAsyncKeyState(int vKey) {
  hostsim::Host* host = hostsim::CurrentHostOrNull();
  if (host == nullptr) return 0;
  return host->keyboard().IsDown(vKey) ? static_cast<short>(0x8000) : 0;
}

extern "C" __attribute__((visibility("default"))) int Beep(unsigned long frequency, unsigned long duration) {
  hostsim::Host* host = hostsim::CurrentHostOrNull();
  if (host == nullptr) return 0;
  host->Tone(static_cast<uint32_t>(frequency), static_cast<uint32_t>(duration));
  return 1;
}
