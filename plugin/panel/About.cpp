#include "panel/About.h"

#include "core/Ids.h"
#include "core/State.h"
#include "core/Suites.h"
#include "panel/HelpPages.h"
#include "panel/PanelGeometry.h"

namespace {

constexpr int32_t kAboutTextItem = 3;
inline constexpr const char* kAboutTitle = "About KPX\x95Labels";

constexpr int32_t kAboutWidth = 320;
constexpr int32_t kAboutHeight = 120;

ASErr AboutInit(ADMDialogRef dialog) {
  try {
    ADMRect screen{};
    sADMBasic->GetScreenDimensions(&screen);
    const ADMPoint origin = DefaultDialogOrigin(screen, kAboutWidth, kAboutHeight);
    const ADMRect bounds{origin.h, origin.v, origin.h + kAboutWidth, origin.v + kAboutHeight};
    sADMDialog->SetBoundsRect(dialog, &bounds);
    sADMDialog->SetText(dialog, kAboutTitle);
    const ADMRect textBounds{12, 10, 308, 88};
    ADMItemRef text = nullptr;
    if (sADMItem->Create(dialog, kAboutTextItem, kADMTextStaticMultiLineType, &textBounds, nullptr, nullptr, 0,
                         &text) == kNoErr)
      sADMItem->SetText(text, AboutText());
    const ADMRect okBounds{234, 92, 308, 112};
    ADMItemRef ok = nullptr;
    if (sADMItem->Create(dialog, kADMDefaultItemID, kADMTextPushButtonType, &okBounds, nullptr, nullptr, 0, &ok) ==
        kNoErr)
      sADMItem->SetText(ok, "OK");
    return kNoErr;
  } catch (...) {
    return kCantHappenErr;
  }
}

}  // namespace

void ShowAboutBox() {
  if (gState == nullptr || gState->ArrowEditorOpen) return;
  // Informational only: a box the host cannot show is not an error.
  int32_t itemHit = 0;
  sADMDialog->Modal(gPluginRef, kAboutTitle, kAboutDialog, kADMModalDialogStyle, AboutInit, nullptr, 0, &itemHit);
}
