#include "panel/PanelUi.h"

#include "core/State.h"
#include "core/Suites.h"
#include "panel/PanelIds.h"

ADMItemRef PanelItem(int32_t id) {
  if (gState == nullptr || gState->PanelRef == nullptr) return nullptr;
  ADMItemRef item = nullptr;
  if (sADMDialog->GetItem(gState->PanelRef, id, &item) != kNoErr) return nullptr;
  return item;
}

ADMListRef ListOf(int32_t id) {
  ADMItemRef item = PanelItem(id);
  ADMListRef list = nullptr;
  if (item == nullptr || sADMItem->GetList(item, &list) != kNoErr) return nullptr;
  return list;
}

ADMEntryRef AddEntry(ADMListRef list, int32_t id, const char* text) {
  ADMEntryRef entry = nullptr;
  if (sADMList->InsertEntry(list, -1, &entry) != kNoErr || entry == nullptr) return nullptr;
  sADMEntry->SetID(entry, id);
  sADMEntry->SetText(entry, text);
  return entry;
}

int32_t ItemId(ADMItemRef item) {
  int32_t id = 0;
  if (item == nullptr || sADMItem->GetID(item, &id) != kNoErr) return 0;
  return id;
}

void ShowItem(int32_t id, bool show) {
  if (ADMItemRef item = PanelItem(id)) sADMItem->Show(item, show);
}

void EnableItem(int32_t id, bool enable) {
  if (ADMItemRef item = PanelItem(id)) sADMItem->Enable(item, enable);
}

void SetItemValue(int32_t id, float value) {
  if (ADMItemRef item = PanelItem(id)) sADMItem->SetFloatValue(item, value);
}

void SetItemIntValue(int32_t id, int32_t value) {
  if (ADMItemRef item = PanelItem(id)) sADMItem->SetIntValue(item, value);
}

void SetItemText(int32_t id, const char* text) {
  if (ADMItemRef item = PanelItem(id)) sADMItem->SetText(item, text);
}

void SetItemTip(int32_t id, const char* tip) {
  if (ADMItemRef item = PanelItem(id)) sADMItem->SetTipString(item, tip);
}

void RedrawItem(int32_t id) {
  if (ADMItemRef item = PanelItem(id)) sADMItem->Invalidate(item);
}

void RedrawItems(int32_t firstId, int32_t lastId) {
  for (int32_t id = firstId; id <= lastId; ++id) RedrawItem(id);
}

void FocusItem(int32_t id) {
  if (ADMItemRef item = PanelItem(id)) {
    sADMItem->Activate(item, true);
    sADMItem->SelectAll(item);
  }
}

void RedrawPanel() {
  if (gState != nullptr && gState->PanelRef != nullptr) sADMDialog->Invalidate(gState->PanelRef);
}

ADMEntryRef FlyoutEntry(int32_t entryId) {
  ADMItemRef menu = PanelItem(kADMMenuItemID);
  ADMListRef list = nullptr;
  ADMEntryRef entry = nullptr;
  if (menu == nullptr || sADMItem->GetList(menu, &list) != kNoErr || list == nullptr) return nullptr;
  if (sADMList->GetEntry(list, entryId, &entry) != kNoErr) return nullptr;
  return entry;
}

void SetFlyoutText(int32_t entryId, const char* text) {
  if (ADMEntryRef entry = FlyoutEntry(entryId)) sADMEntry->SetText(entry, text);
}

void EnableFlyoutEntry(int32_t entryId, bool enable) {
  if (ADMEntryRef entry = FlyoutEntry(entryId)) sADMEntry->Enable(entry, enable);
}

char FlyoutInitial(int32_t entryId) {
  char text[64] = {};
  ADMEntryRef entry = FlyoutEntry(entryId);
  if (entry == nullptr || sADMEntry->GetText(entry, text, sizeof text) != kNoErr) return '\0';
  return text[0];
}

bool TextOptionsShown() { return FlyoutInitial(kFlyoutTextOptions) == 'H'; }
bool HelpShown() { return FlyoutInitial(kFlyoutHelp) == 'H'; }

bool IsUserChange(ADMNotifierRef notifier) {
  ASBoolean is = false;
  return notifier != nullptr && sADMNotifier->IsNotifierType(notifier, kADMUserChangedNotifier, &is) == kNoErr && is;
}

int32_t TrackerModifiers(ADMTrackerRef tracker) {
  int32_t modifiers = 0;
  if (sADMTracker->GetModifiers(tracker, &modifiers) != kNoErr) return 0;
  return modifiers;
}

int32_t TrackerAction(ADMTrackerRef tracker) {
  int32_t action = kADMNoAction;
  if (sADMTracker->GetAction(tracker, &action) != kNoErr) return kADMNoAction;
  return action;
}
