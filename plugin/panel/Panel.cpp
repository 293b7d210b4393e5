// [SECTION] Build
// [SECTION] Init procedure
// [SECTION] Enabling and the label tool
// [SECTION] Close box and destroy
// [SECTION] Draw procedure
// [SECTION] Flyout menu
// [SECTION] What the tool shows in the panel
#include "panel/Panel.h"

#include <cstdlib>

#include "core/FixedText.h"
#include "core/Ids.h"
#include "core/Names.h"
#include "core/Settings.h"
#include "core/State.h"
#include "core/Suites.h"
#include "core/PendingLabel.h"
#include "panel/AngleDial.h"
#include "panel/HelpPages.h"
#include "panel/PanelControls.h"
#include "panel/PanelDialogs.h"
#include "panel/PanelGeometry.h"
#include "panel/PanelHelp.h"
#include "panel/PanelIds.h"
#include "panel/PanelItems.h"
#include "panel/PanelText.h"
#include "panel/PanelUi.h"
#include "panel/SwatchColor.h"
#include "panel/TextModes.h"

namespace {

constexpr int32_t kPanelCreationOptions = 1;
// A stored position farther out than this is no place on any screen.
constexpr int32_t kFarthestPosition = 1 << 24;

void PanelNotify(ADMDialogRef dialog, ADMNotifierRef notifier);
void PanelDraw(ADMDialogRef dialog, ADMDrawerRef drawer);
void PanelDestroy(ADMDialogRef dialog);
void OnFlyout(ADMItemRef item, ADMNotifierRef notifier);

// Where each settings dialog opens until the user moves it.
struct DialogPlace {
  ADMRect State::*rect;
  int32_t width, height;
};
const DialogPlace kDialogPlaces[] = {
    {&State::PrefsDialogRect, 284, 277},    {&State::ArrowsEditorRect, 500, 410},
    {&State::FreeTextDialogRect, 260, 220}, {&State::ShapeEditorRect, 500, 600},
    {&State::ColorsDialogRect, 185, 165},
};

ADMRect ScreenBounds() {
  ADMRect screen{};
  sADMBasic->GetScreenDimensions(&screen);
  return screen;
}

void PlaceDialogs() {
  State& g = *gState;
  const ADMRect screen = ScreenBounds();
  for (const DialogPlace& place : kDialogPlaces) {
    const ADMPoint origin = DefaultDialogOrigin(screen, place.width, place.height);
    g.*place.rect = {origin.h, origin.v, origin.h + place.width, origin.v + place.height};
  }
}

void ReleasePanelAccess() {
  State& g = *gState;
  if (g.PanelAccess != nullptr) sSPAccess->ReleasePlugin(g.PanelAccess);
  g.PanelAccess = nullptr;
}

ADMRect PanelBounds() {
  ADMRect bounds{};
  sADMDialog->GetBoundsRect(gState->PanelRef, &bounds);
  return bounds;
}

void SetPanelBounds(const ADMRect& bounds) { sADMDialog->SetBoundsRect(gState->PanelRef, &bounds); }

bool PanelVisible() {
  ASBoolean visible = false;
  return sADMDialog->IsVisible(gState->PanelRef, &visible) == kNoErr && visible;
}

}  // namespace

//-----------------------------------------------------------------------------
// [SECTION] Init procedure
//-----------------------------------------------------------------------------

namespace {

// The stored place, docking and size, or the defaults.
void DockAndSize(ADMDialogRef panel) {
  char group[kFontNameSize] = {};
  if (!ReadString(keys::DockGroup, group, sizeof group) || group[0] == '\0') CopyText(group, kPanelDefaultDockGroup);
  int32_t dockCode = kPanelDefaultDockCode;
  ReadInteger(keys::DockCode, dockCode);

  ADMPoint origin = DefaultPanelOrigin(ScreenBounds());
  AIPoint stored{};
  if (sAIPreference->GetPointPreference(kSettingsSection, keys::PositionPalette, &stored) == kNoErr &&
      std::abs(static_cast<int64_t>(stored.h)) <= kFarthestPosition &&
      std::abs(static_cast<int64_t>(stored.v)) <= kFarthestPosition)
    origin = {stored.h, stored.v};
  int32_t size = 0;
  ReadInteger(keys::TaillePalette, size);
  if (size != 0) SetFlyoutText(kFlyoutTextOptions, kHideTextOptionsText);
  const ADMRect bounds = BuiltPanelBounds(origin, size != 0);
  sADMDialog->SetBoundsRect(panel, &bounds);
  sADMDialogGroup->SetDialogGroupInfo(panel, group, dockCode);
}

ASErr PanelInit(ADMDialogRef panel) {
  State& g = *gState;
  g.PanelRef = panel;
  g.ArrowCount = 0;
  g.PrefsOpen = g.ArrowEditorOpen = g.FreeTextDlgOpen = false;
  PlaceDialogs();
  InitPendingLabel();
  SaveFreeTextHead(g.CurrentFreeText, g.FreeTextHead);

  // The panel's procedures are called outside any message: the library and
  // its suites stay while it exists.
  if (sSPAccess->AcquirePlugin(gPluginRef, &g.PanelAccess) != kNoErr) g.PanelAccess = nullptr;
  AcquireSuites();

  sADMDialog->SetDestroyProc(panel, PanelDestroy);
  sADMDialog->SetDrawProc(panel, PanelDraw);
  sADMDialog->SetNotifyProc(panel, PanelNotify);
  if (ADMItemRef flyout = PanelItem(kADMMenuItemID)) {
    sADMItem->SetNotifyProc(flyout, &GuardedNotify<OnFlyout>);
    ADMListRef list = nullptr;
    if (sADMItem->GetList(flyout, &list) == kNoErr && list != nullptr) sADMList->SetMenuID(list, kFlyoutMenu);
  }

  CreatePanelItems(panel);
  DockAndSize(panel);

  ADMIconRef icon = nullptr;
  if (sADMIcon->GetFromResource(gPluginRef, kPanelTabIcon, 0, &icon) == kNoErr && icon != nullptr)
    sADMDialog->SetIcon(panel, icon);
  FocusItem(kItemArrowSize);
  return kNoErr;
}

ASErr GuardedPanelInit(ADMDialogRef panel) {
  try {
    return gState != nullptr ? PanelInit(panel) : kBadParameterErr;
  } catch (...) {
    return kCantHappenErr;
  }
}

}  // namespace

//-----------------------------------------------------------------------------
// [SECTION] Build
//-----------------------------------------------------------------------------

ASErr BuildPanel() {
  State& g = *gState;
  ASBoolean visible = false;
  ReadBoolean(keys::Visible, visible);
  sAIMenu->SetItemText(g.PanelMenuItem, visible ? kHidePanelText : kShowPanelText);

  ADMDialogRef panel = nullptr;
  const ASErr err = sADMDialog->Create(gPluginRef, kPanelName, kPanelDialog, kADMTabbedFloatingDialogStyle,
                                       GuardedPanelInit, nullptr, kPanelCreationOptions, &panel);
  if (err != kNoErr || panel == nullptr) {
    // No panel: the values in force still come from the settings, and the
    // menu item offers nothing it cannot show.
    g.PanelRef = nullptr;
    ReleasePanelAccess();
    g.ArrowCount = 0;
    InitPendingLabel();
    sAIMenu->SetItemText(g.PanelMenuItem, kShowPanelText);
    return err != kNoErr ? err : kCantHappenErr;
  }
  g.PanelRef = panel;
  sADMDialog->SetText(panel, kPanelTitle);
  sADMDialog->Show(panel, visible);
  EnablePanel(false);
  // The user's first close already names the menu item after what it does.
  g.CloseArmed = true;
  return kNoErr;
}

//-----------------------------------------------------------------------------
// [SECTION] Enabling and the label tool
//-----------------------------------------------------------------------------

void EnablePanel(bool enabled) {
  const State& g = *gState;
  static const int32_t kFollowTheTool[] = {
      kItemEqualSides,      kItemMarginH,         kItemTextSizeArea,    kItemTextOffsetVArea, kItemTextOffsetHArea,
      kItemLeaderLengthArea, kItemLandingArea,    kItemLineWidthArea,   kItemArrowSizeArea,   kItemArrowSize,
      kItemLineWidth,       kItemColors,          kItemArrowsOrPoints,  kItemLanding,         kItemTextOffsetV,
      kItemTextOffsetH,     kItemAngle,           kItemDial,            kItemLeaderLength,    kItemKpxButton,
      kItemTextMode,        kItemFont,            kItemTextSize,        kItemNumberCaption,   kItemLetterCaption};
  for (int32_t id : kFollowTheTool) EnableItem(id, enabled);
  for (int32_t id = kItemShapeFirst; id <= kItemShapeLast; ++id) EnableItem(id, enabled);
  for (int32_t id = kItemHeadFirst; id <= kItemHeadLast; ++id) EnableItem(id, enabled);
  EnableItem(kItemMarginV, enabled && !g.EqualSides);
  for (int32_t id : {kItemFreeText, kItemFreeTextPopup, kItemNumber}) EnableItem(id, enabled && g.TextOn);
}

namespace {

// Every entry of the flyout, or those with an id in first..last.
void EnableFlyoutEntries(bool enabled, int32_t firstId, int32_t lastId) {
  ADMItemRef flyout = PanelItem(kADMMenuItemID);
  ADMListRef list = nullptr;
  int32_t count = 0;
  if (flyout == nullptr || sADMItem->GetList(flyout, &list) != kNoErr || list == nullptr) return;
  if (sADMList->NumberOfEntries(list, &count) != kNoErr) return;
  for (int32_t i = 0; i < count; ++i) {
    ADMEntryRef entry = nullptr;
    int32_t id = 0;
    if (sADMList->IndexEntry(list, i, &entry) != kNoErr || sADMEntry->GetID(entry, &id) != kNoErr) continue;
    if (id >= firstId && id <= lastId) sADMEntry->Enable(entry, enabled);
  }
}

}  // namespace

void PanelToolSelected() {
  State& g = *gState;
  if (g.PanelRef == nullptr) return;
  const bool help = HelpShown();
  EnableFlyoutEntries(true, INT32_MIN, INT32_MAX);
  // The help area keeps the text options toggle off and the panel tall.
  if (help) EnableFlyoutEntry(kFlyoutTextOptions, false);
  EnablePanel(true);
  const ADMRect bounds = PanelBounds();
  SetPanelBounds(help ? WithHelp(bounds, true, TextOptionsShown()) : WithTextOptions(bounds, TextOptionsShown()));
  g.CloseArmed = true;
  if (PanelVisible()) {
    g.CloseArmed = false;
    sADMDialog->SendNotify(g.PanelRef, kADMCloseHitNotifier);
    sADMDialog->Show(g.PanelRef, true);
  }
}

void PanelToolDeselected() {
  const State& g = *gState;
  if (g.PanelRef == nullptr) return;
  EnableFlyoutEntries(false, 1, 10);
  EnablePanel(false);
  SetItemValue(kItemArrowSize, g.ArrowSizeShown);
  SetItemValue(kItemLineWidth, g.LineWidthShown);
  SetItemValue(kItemLanding, g.LandingLengthShown);
}

//-----------------------------------------------------------------------------
// [SECTION] Close box and destroy
//-----------------------------------------------------------------------------

namespace {

void PanelNotify(ADMDialogRef dialog, ADMNotifierRef notifier) {
  try {
    if (gState == nullptr) return;
    State& g = *gState;
    sADMDialog->DefaultNotify(dialog, notifier);
    ASBoolean closeHit = false;
    if (sADMNotifier->IsNotifierType(notifier, kADMCloseHitNotifier, &closeHit) != kNoErr || !closeHit) return;
    // The close the panel sends itself at tool selection only re-arms.
    if (!g.CloseArmed) {
      g.CloseArmed = true;
      return;
    }
    sAIMenu->SetItemText(g.PanelMenuItem, kShowPanelText);
  } catch (...) {
  }
}

void PanelDestroy(ADMDialogRef dialog) {
  try {
    if (gState == nullptr) return;
    State& g = *gState;
    char group[kFontNameSize] = {};
    int32_t dockCode = 0;
    if (sADMDialogGroup->GetDialogGroupInfo(dialog, group, sizeof group, &dockCode) == kNoErr) {
      StoreInteger(keys::DockCode, dockCode);
      StoreString(keys::DockGroup, group);
    }
    ADMRect bounds{};
    if (sADMDialog->GetBoundsRect(dialog, &bounds) == kNoErr) {
      const AIPoint position{bounds.left, bounds.top};
      sAIPreference->PutPointPreference(kSettingsSection, keys::PositionPalette, &position);
    }
    ASBoolean visible = false;
    if (sADMDialog->IsVisible(dialog, &visible) == kNoErr) StoreBoolean(keys::Visible, visible);
    StoreInteger(keys::TaillePalette, TextOptionsShown() ? 1 : 0);
    g.PanelRef = nullptr;
    ReleasePanelAccess();
  } catch (...) {
  }
}

}  // namespace

//-----------------------------------------------------------------------------
// [SECTION] Draw procedure
//-----------------------------------------------------------------------------

namespace {

void FillRect(ADMDrawerRef drawer, int32_t left, int32_t top, int32_t right, int32_t bottom) {
  const ADMRect r{left, top, right, bottom};
  sADMDrawer->FillRect(drawer, &r);
}

void ClearRect(ADMDrawerRef drawer, int32_t left, int32_t top, int32_t right, int32_t bottom) {
  const ADMRect r{left, top, right, bottom};
  sADMDrawer->ClearRect(drawer, &r);
}

// The outline colour in a frame, the background colour (or "none") inside it.
void DrawSwatch(ADMDrawerRef drawer) {
  const State& g = *gState;
  const ADMRect frame{9, 81, 19, 98};
  sADMDrawer->SetADMColor(drawer, kADMBlackColor);
  sADMDrawer->DrawRect(drawer, &frame);
  const ADMRGBColor outline = SwatchColor(g.RVBC, g.RougeGrisC, g.VertC, g.BleuC);
  sADMDrawer->SetRGBColor(drawer, &outline);
  FillRect(drawer, 10, 82, 18, 97);
  if (g.Fond) {
    const ADMRGBColor background = SwatchColor(g.RVBF, g.RougeGrisF, g.VertF, g.BleuF);
    sADMDrawer->SetRGBColor(drawer, &background);
    FillRect(drawer, 12, 84, 16, 95);
  } else {
    sADMDrawer->SetADMColor(drawer, kADMWhiteColor);
    FillRect(drawer, 12, 84, 16, 95);
    sADMDrawer->SetADMColor(drawer, kADMRedColor);
    const ADMPoint from{12, 94}, to{15, 84};
    sADMDrawer->DrawLine(drawer, &from, &to);
  }
}

void DrawNumber(ADMDrawerRef drawer, float value, int32_t h, int32_t v) {
  char text[16] = {};
  if (sADMBasic->ValueToUnitText(value, kADMNoUnits, 0, false, 5, text, sizeof text) != kNoErr) return;
  const ADMPoint at{h, v};
  sADMDrawer->DrawText(drawer, text, &at);
}

void DrawIcon(ADMDrawerRef drawer, int32_t index, int32_t h, int32_t v) {
  const ADMPoint at{h, v};
  sADMDrawer->DrawResPicture(drawer, gPluginRef, kPanelIconGroup + index, &at);
}

void PanelDraw(ADMDialogRef dialog, ADMDrawerRef drawer) {
  try {
    if (gState == nullptr) return;
    const State& g = *gState;
    sADMDialog->DefaultDraw(dialog, drawer);
    SetItemIntValue(kItemHelpPage, g.HelpPage);
    DrawSwatch(drawer);

    // The margins beside their sliders.
    ClearRect(drawer, 186, 26, 203, 52);
    sADMDrawer->SetFont(drawer, kADMPaletteFont);
    sADMDrawer->SetADMColor(drawer, kADMBlackColor);
    DrawNumber(drawer, static_cast<float>(g.TextGapH), 186, 35);
    DrawNumber(drawer, g.TextGapV, 186, 50);

    // Icons under the hit areas.
    ClearRect(drawer, 5, 60, 25, 74);
    DrawIcon(drawer, g.ArrowsOn ? 1 : 9, 5, 60);
    DrawIcon(drawer, 6, 113, 124);
    DrawIcon(drawer, 7, 109, 149);
    DrawIcon(drawer, 3, 6, 104);
    DrawIcon(drawer, 5, 110, 104);
    DrawIcon(drawer, 8, 111, 166);
    if (!g.TextOn) ClearRect(drawer, 4, 143, 49, 155);
  } catch (...) {
  }
}

}  // namespace

//-----------------------------------------------------------------------------
// [SECTION] Flyout menu
//-----------------------------------------------------------------------------

namespace {

void ToggleTextOptions() {
  const ADMRect bounds = PanelBounds();
  const bool show = !TextOptionsShown();
  SetFlyoutText(kFlyoutTextOptions, show ? kHideTextOptionsText : kShowTextOptionsText);
  SetPanelBounds(WithTextOptions(bounds, show));
  // The focus goes to a field the user can see. Showing the text options
  // enables their field; hiding them only focuses the size field, whose
  // enabled state follows the tool.
  const int32_t field = show ? TextFieldInForce() : kItemArrowSize;
  if (show) EnableItem(field, true);
  FocusItem(field);
}

void ToggleHelp() {
  State& g = *gState;
  const ADMRect bounds = PanelBounds();
  const bool show = !HelpShown();
  SetFlyoutText(kFlyoutHelp, show ? kHideHelpText : kShowHelpText);
  EnableFlyoutEntry(kFlyoutTextOptions, !show);
  if (show) {
    g.HelpPage = 1;
    ShowHelpPage();
  }
  SetPanelBounds(WithHelp(bounds, show, TextOptionsShown()));
}

void OnFlyout(ADMItemRef item, ADMNotifierRef notifier) {
  if (!IsUserChange(notifier)) return;
  sADMItem->DefaultNotify(item, notifier);
  State& g = *gState;
  ADMListRef list = nullptr;
  ADMEntryRef entry = nullptr;
  int32_t position = -1;
  if (sADMItem->GetList(item, &list) != kNoErr || sADMList->GetActiveEntry(list, &entry) != kNoErr ||
      entry == nullptr || sADMEntry->GetIndex(entry, &position) != kNoErr)
    return;
  switch (position) {
    case kFlyoutPosTextOptions: ToggleTextOptions(); break;
    case kFlyoutPosArrowsOrPoints: ToggleArrowsOrPoints(); break;
    case kFlyoutPosColors: OpenColorsDialog(); break;
    case kFlyoutPosArrowsEditor:
      if (g.ArrowEditorOpen) break;
      g.HelpPage = kArrowsEditorHelpPage;
      ShowHelpPage();
      OpenArrowsEditor();
      break;
    case kFlyoutPosShapeEditor: OpenShapeEditor(kShapeEditorMenuName); break;
    case kFlyoutPosPreferences: OpenPreferencesDialog(); break;
    case kFlyoutPosHelp: ToggleHelp(); break;
    default: break;
  }
}

}  // namespace

//-----------------------------------------------------------------------------
// [SECTION] What the tool shows in the panel
//-----------------------------------------------------------------------------

void ShowLabelIndexInPanel() {
  const State& g = *gState;
  if (g.NumberOn) {
    SetItemIntValue(kItemNumber, g.LabelNumber);
  } else if (g.LetterOn) {
    const char letter[2] = {g.LabelLetter, '\0'};
    SetItemText(kItemLetter, letter);
  }
}

void ShowDrawnLabelInPanel() {
  const State& g = *gState;
  if (g.PanelRef == nullptr) return;
  ShowLabelIndexInPanel();
  SetItemValue(kItemLeaderLength, g.LeaderLength);
  SetItemValue(kItemAngle, DegreesFromRadians(g.LeaderAngle));
  RedrawPanel();
  FocusItem(TextFieldInForce());
}

void FocusPanel() { FocusItem(kItemArrowSize); }

void ShowShapeInPanel() { ShowShapeButtons(); }
