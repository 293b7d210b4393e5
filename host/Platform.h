// The two platform calls the plug-in makes itself. On Windows they are the
// system's; elsewhere the simulated host provides them with the same meaning.
#pragma once

#ifdef _WIN32
#include <windows.h>
// windows.h makes DrawText a macro for DrawTextA, which would rename the
// drawer suite's DrawText operation wherever both are seen.
#undef DrawText
#else
#ifdef __cplusplus
extern "C" {
#endif
// Bit 15 set while the virtual key is held down.
short GetAsyncKeyState(int vKey);
// Plays a tone of frequency Hz for duration ms; nonzero on success.
int Beep(unsigned long frequency, unsigned long duration);
#ifdef __cplusplus
}
#endif
enum { VK_SHIFT = 0x10, VK_CONTROL = 0x11, VK_MENU = 0x12, VK_SPACE = 0x20 };
#endif
