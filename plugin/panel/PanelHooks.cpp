// What the settings dialogs ask of the panel (panel/PanelHooks.h). Each does
// nothing while the panel or the item does not exist.
#include "panel/PanelHooks.h"

#include "core/State.h"
#include "core/Suites.h"
#include "panel/PanelIds.h"
#include "panel/PanelText.h"
#include "panel/PanelUi.h"

namespace {

ADMListRef PanelList(int32_t id) {
  ADMItemRef item = PanelItem(id);
  ADMListRef list = nullptr;
  if (item == nullptr || sADMItem->GetList(item, &list) != kNoErr) return nullptr;
  return list;
}

// Removes every entry, the last first.
void EmptyList(ADMListRef list) {
  int32_t count = 0;
  if (sADMList->NumberOfEntries(list, &count) != kNoErr) return;
  for (int32_t i = count - 1; i >= 0; --i) sADMList->RemoveEntry(list, i);
}

bool PanelShown() {
  const State& g = *gState;
  ASBoolean visible = 0;
  return g.PanelRef != nullptr && sADMDialog->IsVisible(g.PanelRef, &visible) == kNoErr && visible;
}

}  // namespace

void PanelRefillFontList() {
  ADMListRef list = PanelList(kItemFont);
  if (list == nullptr) return;
  EmptyList(list);
  FillFontList();
}

void PanelSetRectanglePicture(int32_t pictureId, int32_t selectedPictureId) {
  ADMItemRef item = PanelItem(kItemShapeFirst + 1);
  if (item == nullptr) return;
  sADMItem->SetPictureID(item, pictureId);
  sADMItem->SetSelectedPictureID(item, selectedPictureId);
  sADMItem->Invalidate(item);
}

void PanelShowTextGaps() {
  const State& g = *gState;
  SetItemIntValue(kItemMarginH, g.TextGapH);
  SetItemIntValue(kItemMarginV, static_cast<int32_t>(g.TextGapV));
  if (PanelShown()) RedrawPanel();
}

void PanelRedrawTriangleButton() { RedrawItem(kItemHeadFirst + 2); }

void PanelRedrawSwatch() {
  if (PanelShown()) RedrawPanel();
}

void PanelRefillFreeTexts() {
  ADMListRef list = PanelList(kItemFreeTextPopup);
  if (list == nullptr) return;
  const State& g = *gState;
  for (int32_t i = 0; i < kFreeTexts; ++i) {
    ADMEntryRef entry = nullptr;
    if (sADMList->IndexEntry(list, i, &entry) == kNoErr && entry != nullptr) sADMEntry->SetText(entry, g.TexteLibre[i]);
  }
}
