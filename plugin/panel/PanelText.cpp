// [SECTION] Text mode
// [SECTION] Letter, number and free text
// [SECTION] Fonts and size
#include "panel/PanelText.h"

#include <cstring>

#include "core/FixedText.h"
#include "core/Ids.h"
#include "core/Settings.h"
#include "core/State.h"
#include "core/Suites.h"
#include "label/LabelArt.h"
#include "label/Rebuild.h"
#include "geometry/FontMatch.h"
#include "panel/HelpPages.h"
#include "panel/PanelDialogs.h"
#include "panel/PanelHelp.h"
#include "panel/PanelIds.h"
#include "panel/PanelUi.h"
#include "panel/TextModes.h"

namespace {

constexpr int32_t kModifyEntry = 6;  // "Modify..." in the preferred texts popup

void SelectEntryWithId(int32_t itemId, int32_t entryId) {
  ADMListRef list = ListOf(itemId);
  ADMEntryRef entry = nullptr;
  if (list != nullptr && sADMList->GetEntry(list, entryId, &entry) == kNoErr && entry != nullptr)
    sADMEntry->Select(entry, true);
}

// Position of the list's active entry, -1 when none.
int32_t ActivePosition(ADMItemRef item) {
  ADMListRef list = nullptr;
  ADMEntryRef entry = nullptr;
  int32_t index = -1;
  if (sADMItem->GetList(item, &list) != kNoErr || list == nullptr) return -1;
  if (sADMList->GetActiveEntry(list, &entry) != kNoErr || entry == nullptr) return -1;
  if (sADMEntry->GetIndex(entry, &index) != kNoErr) return -1;
  return index;
}

TextModeFlags FlagsInForce() {
  const State& g = *gState;
  return {g.TextOn != 0, g.LetterOn != 0, g.NumberOn != 0, g.FreeTextOn != 0};
}

// The name of font `index` of the host's list into `name`; false when the
// host cannot give it.
bool FontName(int32_t index, char (&name)[kFontNameBuffer]) {
  std::memset(name, 0, sizeof name);
  AIFontKey key = nullptr;
  if (sAIFont->IndexFontList(index, &key) != kNoErr) return false;
  if (sAIFont->GetFullFontName(key, name, static_cast<int16_t>(sizeof name)) != kNoErr) return false;
  name[sizeof name - 1] = '\0';
  return true;
}

}  // namespace

//-----------------------------------------------------------------------------
// [SECTION] Text mode
//-----------------------------------------------------------------------------

void FillTextModes() {
  ADMListRef list = ListOf(kItemTextMode);
  if (list == nullptr) return;
  static const char* const kModes[] = {"Auto. Letter", "Auto. Number", "Free text", "Without text"};
  for (int32_t i = 0; i < 4; ++i) AddEntry(list, i, kModes[i]);
  const TextMode mode = TextModeOf(FlagsInForce());
  SelectEntryWithId(kItemTextMode, mode);
  SetItemTip(kItemTextMode, TextModeRowOf(mode).tooltip);
}

void ShowTextModeItems() {
  const TextModeRow& row = TextModeRowOf(TextModeOf(FlagsInForce()));
  for (int32_t id : row.hidden)
    if (id != 0) ShowItem(id, false);
  for (int32_t id : row.shown)
    if (id != 0) ShowItem(id, true);
}

int32_t TextFieldInForce() {
  const int32_t field = TextModeRowOf(TextModeOf(FlagsInForce())).focus;
  return field != 0 ? field : kItemArrowSize;
}

void OnTextMode(ADMItemRef item, ADMNotifierRef notifier) {
  if (!IsUserChange(notifier)) return;
  sADMItem->DefaultNotify(item, notifier);
  State& g = *gState;
  const int32_t picked = ActivePosition(item);
  if (picked < kTextModeLetter || picked > kTextModeNone) return;
  const TextMode before = TextModeOf(FlagsInForce());
  bool changed = false;
  if (picked == kTextModeNone) {
    if (g.TextOn) {
      DisposeArt(g.TextFrame);
      g.TextOn = g.LetterOn = g.NumberOn = g.FreeTextOn = false;
      changed = true;
    }
  } else if (picked != before) {
    // A label without text gets its text frame back, where the rebuild
    // expects the text to stand.
    bool frameReady = true;
    if (!g.TextOn && g.LabelBuilt) {
      frameReady = ArtAlive(g.LabelGroup) &&
                   sAITextFrame->NewPointText(kPlaceInsideOnTop, g.LabelGroup, kHorizontalTextOrientation,
                                              g.TextAnchor, &g.TextFrame) == kNoErr;
      if (!frameReady) g.TextFrame = nullptr;
    }
    if (frameReady) {
      if (picked == kTextModeLetter && g.FreeTextOn) SaveFreeTextHead(g.CurrentFreeText, g.FreeTextHead);
      if (picked == kTextModeFreeText) RestoreFreeTextHead(g.CurrentFreeText, g.FreeTextHead);
      const TextModeFlags& flags = TextModeRowOf(picked).flags;
      g.TextOn = flags.textOn;
      g.LetterOn = flags.letterOn;
      g.NumberOn = flags.numberOn;
      g.FreeTextOn = flags.freeTextOn;
      changed = true;
      if (picked == kTextModeLetter) {
        const char letter[2] = {g.LabelLetter, '\0'};
        SetItemText(kItemLetter, letter);
      } else if (picked == kTextModeNumber) {
        SetItemIntValue(kItemNumber, g.LabelNumber);
      } else {
        SetItemText(kItemFreeText, g.CurrentFreeText);
      }
    }
  }
  if (changed) {
    ShowTextModeItems();
    const TextMode now = TextModeOf(FlagsInForce());
    SetItemTip(kItemTextMode, TextModeRowOf(now).tooltip);
    // The text fields take user input only while the label has a text.
    for (int32_t id : {kItemNumber, kItemFreeText, kItemFreeTextPopup}) EnableItem(id, g.TextOn);
    // The label shows the text of its new mode at once.
    Rebuild();
  }
  // The popup shows the mode in force (a refused frame keeps the old one).
  SelectEntryWithId(kItemTextMode, TextModeOf(FlagsInForce()));
  if (g.TextOn) {
    const int32_t field = TextFieldInForce();
    EnableItem(field, true);
    FocusItem(field);
  }
  RedrawPanel();
}

//-----------------------------------------------------------------------------
// [SECTION] Letter, number and free text
//-----------------------------------------------------------------------------

void OnLetter(ADMItemRef item, ADMNotifierRef notifier) {
  if (!IsUserChange(notifier)) return;
  sADMItem->DefaultNotify(item, notifier);
  State& g = *gState;
  char letter[2] = {};
  sADMItem->GetText(item, letter, sizeof letter);
  // An empty field keeps the letter in force: a label letter is never nothing.
  if (letter[0] == '\0') return;
  std::memcpy(g.CurrentFreeText, letter, sizeof letter);
  g.LabelLetter = letter[0];
  Rebuild();
}

void OnNumber(ADMItemRef item, ADMNotifierRef notifier) {
  if (!IsUserChange(notifier)) return;
  sADMItem->DefaultNotify(item, notifier);
  State& g = *gState;
  int32_t number = 0;
  if (sADMItem->GetIntValue(item, &number) != kNoErr) return;
  g.LabelNumber = number;
  if (g.LabelNumber <= kLargestLabelNumber) Rebuild();
}

// Every notification, so that the label follows the text as it is typed.
void OnFreeText(ADMItemRef item, ADMNotifierRef notifier) {
  sADMItem->DefaultNotify(item, notifier);
  State& g = *gState;
  int32_t length = 0;
  sADMItem->GetTextLength(item, &length);
  sADMItem->GetText(item, g.CurrentFreeText, kFreeTextSize);
  g.CurrentFreeText[kFreeTextSize - 1] = '\0';
  if (length >= kFreeTextSize) {
    length = kFreeTextSize - 1;
    sADMItem->SetText(item, g.CurrentFreeText);
  }
  g.FreeTextLength = length;
  SaveFreeTextHead(g.CurrentFreeText, g.FreeTextHead);
  Rebuild();
}

void OnPreferredText(ADMItemRef item, ADMNotifierRef notifier) {
  if (!IsUserChange(notifier)) return;
  State& g = *gState;
  g.HelpPage = kFreeTextHelpPage;
  ShowHelpPage();
  const int32_t picked = ActivePosition(item);
  if (picked == kModifyEntry) {
    OpenFreeTextDialog();
    return;
  }
  ADMListRef list = nullptr;
  ADMEntryRef entry = nullptr;
  if (picked < 0 || sADMItem->GetList(item, &list) != kNoErr || sADMList->IndexEntry(list, picked, &entry) != kNoErr)
    return;
  char text[kFreeTextSize] = {};
  if (sADMEntry->GetText(entry, text, sizeof text) != kNoErr) return;
  g.FreeTextLength = static_cast<int32_t>(CopyText(g.CurrentFreeText, text));
  // The picked text is the one the letter mode must give back.
  SaveFreeTextHead(g.CurrentFreeText, g.FreeTextHead);
  SetItemText(kItemFreeText, g.CurrentFreeText);
  Rebuild();
}

void FillPreferredTexts() {
  ADMListRef list = ListOf(kItemFreeTextPopup);
  if (list == nullptr) return;
  const State& g = *gState;
  for (int32_t i = 0; i < kFreeTexts; ++i) AddEntry(list, i, g.TexteLibre[i]);
  if (ADMEntryRef separator = AddEntry(list, kModifyEntry - 1, "")) sADMEntry->MakeSeparator(separator, true);
  AddEntry(list, kModifyEntry, "Modify\x85");
}

// 31 and 32 are captions that focus their field.
void OnTextCaption(ADMItemRef item, ADMNotifierRef notifier) {
  if (!IsUserChange(notifier)) return;
  sADMItem->DefaultNotify(item, notifier);
  FocusItem(ItemId(item) == kItemNumberCaption ? kItemNumber : kItemLetter);
}

void DrawTextCaption(ADMItemRef item, ADMDrawerRef drawer) {
  const bool number = ItemId(item) == kItemNumberCaption;
  sADMDrawer->Clear(drawer);
  sADMDrawer->SetADMColor(drawer, kADMBlackColor);
  const ADMPoint at{0, 10};
  sADMDrawer->DrawText(drawer, number ? "Integer:" : "Letter:", &at);
  sADMItem->SetTipString(item, number ? "Integer < 32768." : "Upper case or lower case.");
}

//-----------------------------------------------------------------------------
// [SECTION] Fonts and size
//-----------------------------------------------------------------------------

void FillFontList() {
  State& g = *gState;
  g.FontListIndex = 0;
  ADMListRef list = ListOf(kItemFont);
  int32_t count = 0;
  if (sAIFont->CountFonts(&count) != kNoErr) count = 0;
  for (int32_t i = 0; i < count; ++i) {
    char name[kFontNameBuffer];
    const bool named = FontName(i, name);
    if (named) g.FontListIndex = FoldFontMatch(g.FontListIndex, i, name, g.Police, g.VariablePolice);
    if (list != nullptr) AddEntry(list, i, name);
  }
  SelectEntryWithId(kItemFont, g.FontListIndex);
}

void OnFont(ADMItemRef item, ADMNotifierRef notifier) {
  if (!IsUserChange(notifier)) return;
  sADMItem->DefaultNotify(item, notifier);
  State& g = *gState;
  const int32_t picked = ActivePosition(item);
  if (picked < 0) return;
  char name[kFontNameBuffer];
  if (!FontName(picked, name)) return;
  g.FontListIndex = picked;
  // The name is kept to the 255 characters the setting holds.
  CopyText(g.Police, name);
  StoreSetting(SettingId::Police);
  Rebuild();
}

void OnTextSize(ADMItemRef item, ADMNotifierRef notifier) {
  if (!IsUserChange(notifier)) return;
  sADMItem->DefaultNotify(item, notifier);
  State& g = *gState;
  AIReal size = 0;
  if (sADMItem->GetFloatValue(item, &size) != kNoErr) return;
  g.Corps = size;
  StoreSetting(SettingId::Corps);
  Rebuild();
}
