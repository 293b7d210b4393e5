// Messages of the label tool, shown in the host's message alert. Cursor
// tracking stays quiet while one is on screen.
#pragma once

enum ToolMessage {
  kMessageClickOutsideForbidden = 1,
  kMessageClickInsideForbidden = 2,
  kMessageLockedLayer = 3,
  kMessageNumberLimit = 4,
};

// Entry n of the string list 19000.
void ShowToolMessage(int entry);
// A literal text.
void ShowToolAlert(const char* text);
