// Modifier keys, read from the keyboard at the moment of the message.
#pragma once

#include "host/Platform.h"

inline bool KeyHeld(int virtualKey) { return (GetAsyncKeyState(virtualKey) & 0x8000) != 0; }
inline bool ShiftHeld() { return KeyHeld(VK_SHIFT); }
inline bool AltHeld() { return KeyHeld(VK_MENU); }
inline bool CtrlHeld() { return KeyHeld(VK_CONTROL); }
inline bool SpaceHeld() { return KeyHeld(VK_SPACE); }
