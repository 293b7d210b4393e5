#include "label/Messages.h"

#include "core/Ids.h"
#include "core/State.h"
#include "core/HostCode.h"
#include "core/Suites.h"

void ShowToolAlert(const char* text) {
  State& g = *gState;
  g.AlertShowing = true;
  Ignore(sADMBasic->SetPlatformCursor(gPluginRef, kCursorReady), Why::Cosmetic);
  Ignore(sADMBasic->MessageAlert(text), Why::Alert);
  g.AlertShowing = false;
}

void ShowToolMessage(int entry) {
  char text[256] = {};
  if (sADMBasic->GetIndexString(gPluginRef, kMessageStringList, entry, text, sizeof text) != kNoErr) return;
  ShowToolAlert(text);
}
