#include "label/Messages.h"

#include "core/State.h"
#include "core/Suites.h"

constexpr int32_t kMessageList = 19000;
constexpr int32_t kCursorAfterMessage = 20009;

void ShowToolAlert(const char* text) {
  State& g = *gState;
  g.AlertShowing = true;
  sADMBasic->SetPlatformCursor(gPluginRef, kCursorAfterMessage);
  sADMBasic->MessageAlert(text);
  g.AlertShowing = false;
}

void ShowToolMessage(int entry) {
  char text[256] = {};
  if (sADMBasic->GetIndexString(gPluginRef, kMessageList, entry, text, sizeof text) != kNoErr) return;
  ShowToolAlert(text);
}
