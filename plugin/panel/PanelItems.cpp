// [SECTION] The table
// [SECTION] Creation
// [SECTION] Lists and values
#include "panel/PanelItems.h"

#include "core/State.h"
#include "core/Suites.h"
#include "panel/AngleDial.h"
#include "panel/HelpPages.h"
#include "panel/PanelControls.h"
#include "panel/PanelHelp.h"
#include "panel/PanelIds.h"
#include "panel/PanelText.h"
#include "panel/PanelUi.h"

//-----------------------------------------------------------------------------
// [SECTION] The table
//-----------------------------------------------------------------------------

namespace {

constexpr float kPointsPerMillimetre = 2.8346457f;

enum RowFlag : uint32_t {
  kHidden = 1,       // hidden at build
  kDisabled = 2,     // disabled at build
  kNumericText = 4,  // a text edit that holds a number
  kIntegerRange = 8, // the range is set through the integer view
  kHasMin = 16,
  kHasMax = 32,
};

struct ItemRow {
  int32_t id;
  const char* type;
  ADMRect rect;
  const char* tip = nullptr;       // none
  int32_t units = -1;              // not set
  int32_t precision = -1;          // not set
  float min = 0, max = 0;          // with kHasMin / kHasMax
  float smallStep = 0, largeStep = 0;  // 0: not set
  int32_t picture = 0, pressedPicture = 0;
  int32_t font = -1;               // not set
  int32_t maxLength = 0;           // not set
  int32_t justify = -1;            // not set
  uint32_t flags = 0;
  ADMItemNotifyProc notify = nullptr;
  ADMItemDrawProc draw = nullptr;
  ADMItemTrackProc track = nullptr;
  int32_t mask = 0;                // 0: the toolkit's default
};

// Kinds.
#define PICTURE_RADIO kADMPictureRadioButtonType
#define PICTURE_PUSH kADMPicturePushButtonType
#define HIT_AREA kADMPicturePushButtonType

// Procedures, each behind the guard the toolkit needs.
#define NOTIFY(fn) &GuardedNotify<fn>
#define DRAW(fn) &GuardedDraw<fn>
#define TRACK(fn) &GuardedTrack<fn>

constexpr const char* kArrowSizeTip = "Arrowheads size.";
constexpr const char* kLineWidthTip = "Thickness of the lines.";
constexpr const char* kAngleTip = "Line angle (between -180\xB0 and 180\xB0).";
constexpr const char* kLandingTip = "Length of the tie line (+ or -).";
constexpr const char* kLeaderLengthTip = "Line length.";
constexpr const char* kOffsetVTip = "Vertical text gap (+ or -).";
constexpr const char* kOffsetHTip = "Horizontal text gap (+ or -).";
constexpr const char* kTextSizeTip = "Text size.";
constexpr const char* kHeadTip = "Arrowheads shape.";

ItemRow ShapeButton(int32_t id, int32_t left, const char* tip) {
  return {.id = id, .type = PICTURE_RADIO, .rect = {left, 4, left + 22, 22}, .tip = tip,
          .notify = NOTIFY(OnShapeButton), .draw = DRAW(DrawShapeButton), .track = TRACK(TrackShapeButton)};
}

ItemRow HeadButton(int32_t k) {
  const int32_t left = 130 + 17 * (k - 1);
  return {.id = kItemHeadFirst + k - 1, .type = PICTURE_RADIO, .rect = {left, 61, left + 16, 75},
          .tip = k == 4 ? "Arrowheads shape or Arrows Editor dialog...(option key pressed)." : kHeadTip,
          .notify = NOTIFY(OnHeadButton), .draw = DRAW(DrawHeadButton), .track = TRACK(TrackHeadButton)};
}

// A hit area over the panel's own drawing; a click focuses the field beside it.
ItemRow IconArea(int32_t id, ADMRect rect, const char* tip) {
  return {.id = id, .type = HIT_AREA, .rect = rect, .tip = tip, .notify = NOTIFY(OnIconArea),
          .draw = DRAW(DrawNothing), .track = TRACK(TrackIconArea)};
}

// Rows in the order of creation.
const ItemRow kRows[] = {
    {.id = kItemKpxButton, .type = PICTURE_PUSH, .rect = {182, 4, 202, 24}, .picture = kKpxButtonPicture,
     .pressedPicture = kKpxButtonPicture + 1, .notify = NOTIFY(OnKpxButton), .track = TRACK(TrackKpxButton)},
    {.id = kItemEqualSides, .type = PICTURE_RADIO, .rect = {4, 4, 22, 22}, .tip = "Width and height will be equal.",
     .notify = NOTIFY(OnEqualSides), .draw = DRAW(DrawEqualSides)},
    {.id = kItemMarginH, .type = kADMSliderType, .rect = {4, 30, 184, 37}, .tip = "Horizontal margin.",
     .units = kADMPointUnits, .min = 0, .max = 100, .flags = kIntegerRange | kHasMin | kHasMax,
     .notify = NOTIFY(OnMargin)},
    {.id = kItemMarginV, .type = kADMSliderType, .rect = {4, 45, 184, 52}, .tip = "Vertical margin.",
     .units = kADMPointUnits, .min = -20, .max = 100, .flags = kIntegerRange | kHasMin | kHasMax,
     .notify = NOTIFY(OnMargin)},
    {.id = kItemArrowSize, .type = kADMSpinEditPopupType, .rect = {28, 58, 100, 77}, .tip = kArrowSizeTip,
     .units = kADMPercentUnits, .precision = 0, .min = 0, .smallStep = 5, .largeStep = 50, .flags = kHasMin,
     .notify = NOTIFY(OnArrowSize)},
    IconArea(kItemArrowSizeArea, {8, 58, 20, 77}, kArrowSizeTip),
    {.id = kItemArrowsOrPoints, .type = HIT_AREA, .rect = {0, 58, 8, 77}, .tip = "Arrows/Points.",
     .notify = NOTIFY(OnArrowsOrPoints), .draw = DRAW(DrawNothing)},
    {.id = kItemLineWidth, .type = kADMSpinEditType, .rect = {28, 79, 100, 98}, .tip = kLineWidthTip,
     .units = kADMPointUnits, .precision = 2, .min = 0, .smallStep = 0.1f, .largeStep = 1, .flags = kHasMin,
     .notify = NOTIFY(OnLineWidth)},
    IconArea(kItemLineWidthArea, {16, 79, 23, 98}, kLineWidthTip),
    {.id = kItemColors, .type = HIT_AREA, .rect = {1, 79, 14, 98}, .tip = "Colors and options.",
     .notify = NOTIFY(OnColors), .draw = DRAW(DrawNothing)},
    {.id = kItemLanding, .type = kADMSpinEditType, .rect = {28, 100, 100, 119}, .tip = kLandingTip,
     .units = kADMMillimeterUnits, .precision = 1, .smallStep = kPointsPerMillimetre,
     .largeStep = 10 * kPointsPerMillimetre, .notify = NOTIFY(OnLanding)},
    IconArea(kItemLandingArea, {4, 100, 27, 119}, kLandingTip),
    {.id = kItemLetter, .type = kADMTextEditType, .rect = {60, 143, 100, 161}, .maxLength = 1, .flags = kHidden,
     .notify = NOTIFY(OnLetter)},
    {.id = kItemLetterCaption, .type = PICTURE_PUSH, .rect = {5, 146, 60, 158}, .tip = "Upper case or lower case.",
     .font = kADMSmallFont, .flags = kHidden, .notify = NOTIFY(OnTextCaption), .draw = DRAW(DrawTextCaption)},
    {.id = kItemNumber, .type = kADMTextEditType, .rect = {60, 143, 100, 161}, .tip = "Label number.",
     .units = kADMNoUnits, .precision = 0, .min = 0, .flags = kNumericText | kIntegerRange | kHasMin,
     .notify = NOTIFY(OnNumber)},
    {.id = kItemNumberCaption, .type = PICTURE_PUSH, .rect = {5, 146, 60, 158}, .tip = "Integer < 32768.",
     .font = kADMSmallFont, .notify = NOTIFY(OnTextCaption), .draw = DRAW(DrawTextCaption)},
    {.id = kItemFreeTextPopup, .type = kADMPopupMenuType, .rect = {84, 143, 100, 160}, .tip = "Free text",
     .flags = kHidden | kDisabled, .notify = NOTIFY(OnPreferredText)},
    {.id = kItemFreeText, .type = kADMTextEditType, .rect = {3, 143, 84, 161}, .maxLength = 50, .flags = kHidden,
     .notify = NOTIFY(OnFreeText)},
    {.id = kItemAngle, .type = kADMSpinEditPopupType, .rect = {128, 79, 200, 98}, .tip = kAngleTip,
     .units = kADMDegreeUnits, .precision = 1, .min = -180, .max = 180, .smallStep = 1, .largeStep = 10,
     .flags = kHasMin | kHasMax, .notify = NOTIFY(OnAngle)},
    {.id = kItemDial, .type = kADMPictureStaticType, .rect = {104, 80, 122, 98}, .tip = kAngleTip,
     .picture = kDialPicture, .notify = NOTIFY(OnDial), .draw = DRAW(DrawDial), .track = TRACK(TrackDial),
     .mask = kADMButtonDownMask | kADMMouseMovedDownMask},
    {.id = kItemLeaderLength, .type = kADMSpinEditType, .rect = {128, 100, 200, 119}, .tip = kLeaderLengthTip,
     .units = kADMMillimeterUnits, .precision = 1, .min = 0, .smallStep = kPointsPerMillimetre,
     .largeStep = 10 * kPointsPerMillimetre, .flags = kHasMin, .notify = NOTIFY(OnLeaderLength)},
    IconArea(kItemLeaderLengthArea, {104, 102, 127, 121}, kLeaderLengthTip),
    {.id = kItemTextOffsetV, .type = kADMSpinEditType, .rect = {128, 121, 200, 140}, .tip = kOffsetVTip,
     .units = kADMPointUnits, .precision = 1, .smallStep = 0.1f, .largeStep = 1, .notify = NOTIFY(OnTextOffset)},
    IconArea(kItemTextOffsetVArea, {104, 123, 127, 142}, kOffsetVTip),
    {.id = kItemTextOffsetH, .type = kADMSpinEditType, .rect = {128, 142, 200, 161}, .tip = kOffsetHTip,
     .units = kADMPointUnits, .precision = 1, .smallStep = 0.1f, .largeStep = 1, .notify = NOTIFY(OnTextOffset)},
    IconArea(kItemTextOffsetHArea, {104, 144, 127, 163}, kOffsetHTip),
    {.id = kItemTextMode, .type = kADMPopupListType, .rect = {3, 122, 100, 139}, .notify = NOTIFY(OnTextMode)},
    {.id = kItemFont, .type = kADMTextEditScrollingPopupType, .rect = {3, 163, 100, 183},
     .tip = "Names of the installed fonts.", .notify = NOTIFY(OnFont)},
    {.id = kItemTextSize, .type = kADMSpinEditType, .rect = {128, 163, 200, 182}, .tip = kTextSizeTip,
     .units = kADMPointUnits, .precision = 1, .min = 0.1f, .max = 1296, .smallStep = 1, .largeStep = 4,
     .flags = kHasMin | kHasMax, .notify = NOTIFY(OnTextSize)},
    IconArea(kItemTextSizeArea, {104, 164, 127, 183}, kTextSizeTip),
    HeadButton(1),
    HeadButton(2),
    HeadButton(3),
    HeadButton(4),
    ShapeButton(50, 23, "Pas d'\xE9tiquette."),
    ShapeButton(51, 51, "\xC9tiquette rectangulaire."),
    ShapeButton(52, 79, "\xC9tiquette ronde ou ovale."),
    ShapeButton(53, 107, "\xC9tiquette triangulaire ou trap\xE9zo\xEF" "dale."),
    ShapeButton(54, 135, "Customizable label."),
    {.id = kItemHelpText, .type = kADMTextStaticMultiLineType, .rect = {206, 2, 408, 172}, .tip = "Help text.",
     .font = kADMSmallFont, .justify = kADMCenterJustify},
    {.id = kItemHelpNext, .type = PICTURE_PUSH, .rect = {375, 174, 388, 185}, .tip = kNextPageTip, .picture = 400,
     .pressedPicture = 401, .notify = NOTIFY(OnHelpNext)},
    {.id = kItemHelpPrevious, .type = PICTURE_PUSH, .rect = {214, 174, 227, 185}, .tip = kFirstPageTip,
     .picture = 402, .pressedPicture = 403, .flags = kDisabled, .notify = NOTIFY(OnHelpPrevious)},
    {.id = kItemHelpPage, .type = kADMTextStaticType, .rect = {278, 174, 298, 188}, .tip = "Help page number.",
     .units = kADMNoUnits, .precision = 0, .justify = kADMRightJustify},
    {.id = kItemHelpSlash, .type = kADMTextStaticType, .rect = {298, 174, 308, 188}, .units = kADMNoUnits,
     .justify = kADMCenterJustify},
    {.id = kItemHelpCount, .type = kADMTextStaticType, .rect = {308, 174, 328, 188}, .units = kADMNoUnits,
     .precision = 0, .justify = kADMLeftJustify},
};

#undef PICTURE_RADIO
#undef PICTURE_PUSH
#undef HIT_AREA
#undef NOTIFY
#undef DRAW
#undef TRACK

//-----------------------------------------------------------------------------
// [SECTION] Creation
//-----------------------------------------------------------------------------

void SetUp(ADMItemRef item, const ItemRow& row) {
  const ADMItemSuite& s = *sADMItem.get();
  if (row.tip != nullptr) s.SetTipString(item, row.tip);
  if (row.flags & kNumericText) s.SetItemStyle(item, kADMNumericEditStyle);
  if (row.units >= 0) s.SetUnits(item, row.units);
  if (row.units > kADMNoUnits) s.SetShowUnits(item, true);
  if (row.precision >= 0) s.SetPrecision(item, row.precision);
  if (row.flags & kIntegerRange) {
    if (row.flags & kHasMin) s.SetMinIntValue(item, static_cast<int32_t>(row.min));
    if (row.flags & kHasMax) s.SetMaxIntValue(item, static_cast<int32_t>(row.max));
  } else {
    if (row.flags & kHasMin) s.SetMinFloatValue(item, row.min);
    if (row.flags & kHasMax) s.SetMaxFloatValue(item, row.max);
  }
  if (row.smallStep > 0) s.SetSmallIncrement(item, row.smallStep);
  if (row.largeStep > 0) s.SetLargeIncrement(item, row.largeStep);
  if (row.picture != 0) s.SetPictureID(item, row.picture);
  if (row.pressedPicture != 0) s.SetSelectedPictureID(item, row.pressedPicture);
  if (row.font >= 0) s.SetFont(item, row.font);
  if (row.maxLength > 0) s.SetMaxTextLength(item, row.maxLength);
  if (row.justify >= 0) s.SetJustify(item, row.justify);
  if (row.notify != nullptr) s.SetNotifyProc(item, row.notify);
  if (row.draw != nullptr) s.SetDrawProc(item, row.draw);
  if (row.track != nullptr) s.SetTrackProc(item, row.track);
  if (row.mask != 0) s.SetMask(item, row.mask);
  if (row.flags & kHidden) s.Show(item, false);
  if (row.flags & kDisabled) s.Enable(item, false);
}

//-----------------------------------------------------------------------------
// [SECTION] Lists and values
//-----------------------------------------------------------------------------

void AddSeparator(ADMListRef list) {
  if (ADMEntryRef entry = AddEntry(list, 0, "")) sADMEntry->MakeSeparator(entry, true);
}

// The arrowhead sizes offered: 0, then 100 to 300 by 25.
void FillArrowSizes() {
  ADMListRef list = ListOf(kItemArrowSize);
  if (list == nullptr) return;
  char text[16] = {};
  sADMBasic->ValueToUnitText(0, kADMPercentUnits, 0, true, 5, text, sizeof text);
  AddEntry(list, 0, text);
  AddSeparator(list);
  for (int32_t i = 1; i <= 9; ++i) {
    sADMBasic->ValueToUnitText(static_cast<AIReal>(75 + 25 * i), kADMPercentUnits, 0, true, 5, text, sizeof text);
    AddEntry(list, i, text);
  }
}

// The angles offered, every 30 degrees, written one place to the right.
void FillAngles() {
  ADMListRef list = ListOf(kItemAngle);
  if (list == nullptr) return;
  for (int32_t i = 0; i < 12; ++i) {
    char text[16] = {' '};
    sADMBasic->ValueToUnitText(static_cast<AIReal>(-150 + 30 * i), kADMDegreeUnits, 1, true, 6, text + 1,
                               sizeof text - 1);
    AddEntry(list, i, text);
    if (i == 4 || i == 5) AddSeparator(list);
  }
}

}  // namespace

void ShowValuesInForce() {
  const State& g = *gState;
  SetItemIntValue(kItemMarginH, g.TextGapH);
  SetItemIntValue(kItemMarginV, static_cast<int32_t>(g.TextGapV));
  SetItemValue(kItemArrowSize, g.ArrowSizeShown);
  SetItemValue(kItemLineWidth, g.LineWidthShown);
  SetItemValue(kItemAngle, DegreesFromRadians(g.LeaderAngle));
  SetItemValue(kItemLanding, g.LandingLengthShown);
  SetItemValue(kItemLeaderLength, g.LeaderLength);
  SetItemValue(kItemTextOffsetV, g.TextOffsetV);
  SetItemValue(kItemTextOffsetH, g.TextOffsetH);
  SetItemIntValue(kItemNumber, g.LabelNumber);
  const char letter[2] = {g.LabelLetter, '\0'};
  SetItemText(kItemLetter, letter);
  SetItemText(kItemFreeText, g.CurrentFreeText);
  SetItemValue(kItemTextSize, g.Corps);
  if (ADMItemRef item = PanelItem(kItemEqualSides)) sADMItem->SetBooleanValue(item, g.EqualSides);
  ShowShapeButtons();
  ShowHeadButtons();
}

void CreatePanelItems(ADMDialogRef panel) {
  State& g = *gState;
  g.HelpPage = 1;
  g.HelpPageCount = kHelpPageCount;
  for (const ItemRow& row : kRows) {
    ADMItemRef item = nullptr;
    if (sADMItem->Create(panel, row.id, row.type, &row.rect, nullptr, nullptr, 0, &item) != kNoErr || item == nullptr)
      continue;
    SetUp(item, row);
  }
  FillArrowSizes();
  FillAngles();
  FillTextModes();
  FillPreferredTexts();
  FillFontList();
  ShowTextModeItems();
  ShowValuesInForce();
  SetItemText(kItemHelpSlash, "/");
  SetItemIntValue(kItemHelpCount, g.HelpPageCount);
  ShowHelpPage();
  // The previous button's state at build: on page 1 it leads nowhere.
  EnableItem(kItemHelpPrevious, false);
}
