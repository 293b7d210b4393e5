// The Preferences dialog: the defaults new labels start from and the tool's
// rules. It works on copies of the settings and commits and stores them on
// OK only; the label being drawn and the panel's values in force are left
// alone. VariablePolice is the exception: it changes at once, so that the
// panel's font list can be checked while the dialog is open.
//
// [SECTION] Items
// [SECTION] Working copies
// [SECTION] Item handlers
// [SECTION] Drawing
// [SECTION] OK, Cancel, Default
// [SECTION] Opening

#include <algorithm>
#include <cmath>

#include "core/Ids.h"
#include "core/Settings.h"
#include "core/State.h"
#include "core/Suites.h"
#include "dialogs/ColorsRules.h"
#include "ui/DialogKit.h"
#include "dialogs/Dialogs.h"
#include "dialogs/PreferencesRules.h"
#include "panel/PanelHooks.h"

using dlg::ItemRow;

namespace {

//-----------------------------------------------------------------------------
// [SECTION] Items
//-----------------------------------------------------------------------------

enum : int32_t {
  kOk = 1,
  kCancel = 2,
  kDefault = 3,
  kSizeArea = 3,  // the click area beside the size field shares the Default button's id
  kThicknessArea = 4,
  kLandingArea = 5,
  kRadiusArea = 6,
  kOffsetVArea = 7,
  kOffsetHArea = 8,
  kToleranceArea = 9,
  kSize = 13,
  kThickness = 14,
  kLanding = 15,
  kRadius = 16,
  kOffsetV = 17,
  kOffsetH = 18,
  kLayer = 19,
  kSound = 20,
  kInside = 21,
  kOutside = 22,
  kArrowsOrPoints = 23,
  kMagnet = 24,
  kTolerance = 25,
  kGrouped = 26,
  kNote = 27,
  kColors = 28,
  kHeadFirst = 30,
  kHeadLast = 33,
  kShapeFirst = 35,
  kShapeLast = 38,
  kExpand = 51,
  kFontShift = 52,
  kFontShiftArea = 53,
};

constexpr float kPointsPerMillimetre = 2.8346457f;
constexpr int32_t kMaxFontShift = 255;

constexpr const char* kTitle = "Preferences (KPX\x95Labels)";
constexpr const char* kThicknessTip = "Thickness by default.";
constexpr const char* kLandingTip = "Longueur de la ligne d'attache par d\xE9" "faut (+ ou -).";
constexpr const char* kRadiusTip = "Rayon de l'arrondi des Labels rectangulaires par d\xE9" "faut (+ ou -).";
constexpr const char* kOffsetVTip = "Vertical text gap by default (+ or -).";
constexpr const char* kOffsetHTip = "Horizontal text gap by default (+ or -).";
constexpr const char* kFontShiftTip = "Change 1 by 1.";
constexpr const char* kNoteMark = "*";
constexpr const char* kNoteText = "* At the next launching of Illustrator.";
constexpr const char* kFontShiftNote =
    "If the font indicated in the panel does not matche the font really used, change 1 by 1 until satisfaction.";
constexpr const char* kNotSaved = "The preferences could not all be saved.";

// Icons of the host's icon group painted under the click areas.
constexpr int32_t kIconGroup = 17000;
constexpr int32_t kArrowsIcon = 1;
constexpr int32_t kPointsIcon = 9;
struct IconPlace {
  int32_t index;
  ADMPoint at;
};
constexpr IconPlace kFixedIcons[] = {{3, {8, 67}}, {161, {8, 90}}, {6, {14, 117}}, {7, {178, 121}}, {13, {179, 144}}};
constexpr ADMPoint kSizeIconAt = {8, 8};
constexpr ADMRect kSwatchRect = {12, 35, 22, 52};
constexpr ADMRect kFontShiftNoteRect = {8, 257, 178, 307};

void OnSize(ADMItemRef, ADMNotifierRef);
void OnThickness(ADMItemRef, ADMNotifierRef);
void OnLanding(ADMItemRef, ADMNotifierRef);
void OnRadius(ADMItemRef, ADMNotifierRef);
void OnOffsetV(ADMItemRef, ADMNotifierRef);
void OnOffsetH(ADMItemRef, ADMNotifierRef);
void OnFocusArea(ADMItemRef, ADMNotifierRef);
void OnArrowsOrPoints(ADMItemRef, ADMNotifierRef);
void OnHead(ADMItemRef, ADMNotifierRef);
void OnShape(ADMItemRef, ADMNotifierRef);
void OnColors(ADMItemRef, ADMNotifierRef);
void OnSound(ADMItemRef, ADMNotifierRef);
void OnInside(ADMItemRef, ADMNotifierRef);
void OnOutside(ADMItemRef, ADMNotifierRef);
void OnMagnet(ADMItemRef, ADMNotifierRef);
void OnTolerance(ADMItemRef, ADMNotifierRef);
void OnLayer(ADMItemRef, ADMNotifierRef);
void OnGrouped(ADMItemRef, ADMNotifierRef);
void OnExpand(ADMItemRef, ADMNotifierRef);
void OnFontShift(ADMItemRef, ADMNotifierRef);
void OnOk(ADMItemRef, ADMNotifierRef);
void OnCancel(ADMItemRef, ADMNotifierRef);
void OnDefault(ADMItemRef, ADMNotifierRef);
void DrawHead(ADMItemRef, ADMDrawerRef);
void DrawShape(ADMItemRef, ADMDrawerRef);
void DrawNote(ADMItemRef, ADMDrawerRef);
void DrawExpand(ADMItemRef, ADMDrawerRef);

#define NOTIFY(fn) &dlg::Notify<fn>
#define DRAW(fn) &dlg::Draw<fn>

// A spin edit of a length in points, steps 0.1 and 1.
ItemRow PointField(int32_t id, ADMRect rect, const char* tip, ADMItemNotifyProc notify, bool signedValue) {
  return {.id = id, .type = kADMSpinEditType, .rect = rect, .tip = tip, .units = kADMPointUnits, .precision = 2,
          .hasMin = !signedValue, .min = 0, .smallStep = 0.1f, .largeStep = 1, .notify = notify};
}

// A click area over an icon the dialog paints: gives the field beside it the focus.
ItemRow FocusArea(int32_t id, ADMRect rect, const char* tip) {
  return {.id = id, .type = kADMPicturePushButtonType, .rect = rect, .tip = tip, .notify = NOTIFY(OnFocusArea),
          .draw = DRAW(dlg::DrawNothing)};
}

ItemRow CheckBox(int32_t id, ADMRect rect, const char* text, const char* tip, ADMItemNotifyProc notify) {
  return {.id = id, .type = kADMTextCheckBoxType, .rect = rect, .tip = tip, .text = text, .notify = notify};
}

ItemRow HeadButton(int32_t k) {
  return {.id = kHeadFirst + k, .type = kADMPictureRadioButtonType, .rect = {180 + 23 * k, 7, 196 + 23 * k, 23},
          .notify = NOTIFY(OnHead), .draw = DRAW(DrawHead)};
}

ItemRow ShapeButton(int32_t k) {
  return {.id = kShapeFirst + k, .type = kADMPictureRadioButtonType, .rect = {178 + 23 * k, 34, 200 + 23 * k, 53},
          .notify = NOTIFY(OnShape), .draw = DRAW(DrawShape)};
}

ItemRow TextButton(int32_t id, ADMRect rect, const char* text, const char* tip, ADMItemNotifyProc notify) {
  return {.id = id, .type = kADMTextPushButtonType, .rect = rect, .tip = tip, .text = text, .notify = notify};
}

// Rows in the order of creation. Tooltips that follow the working copies are
// set after the items are made.
const ItemRow kRows[] = {
    {.id = kSize, .type = kADMSpinEditType, .rect = {30, 5, 94, 27}, .units = kADMPercentUnits, .precision = 0,
     .hasMin = true, .min = 0, .smallStep = 5, .largeStep = 50, .notify = NOTIFY(OnSize)},
    FocusArea(kSizeArea, {13, 7, 29, 27}, nullptr),
    {.id = kArrowsOrPoints, .type = kADMPicturePushButtonType, .rect = {8, 8, 25, 21}, .tip = "Arrows/Points by default.",
     .notify = NOTIFY(OnArrowsOrPoints), .draw = DRAW(dlg::DrawNothing)},
    HeadButton(0), HeadButton(1), HeadButton(2), HeadButton(3),
    ShapeButton(0), ShapeButton(1), ShapeButton(2), ShapeButton(3),
    PointField(kThickness, {30, 32, 94, 54}, kThicknessTip, NOTIFY(OnThickness), false),
    FocusArea(kThicknessArea, {15, 34, 28, 54}, kThicknessTip),
    {.id = kColors, .type = kADMPicturePushButtonType, .rect = {0, 34, 15, 54}, .tip = "Colors and options.",
     .notify = NOTIFY(OnColors), .draw = DRAW(dlg::DrawNothing)},
    {.id = kLanding, .type = kADMSpinEditType, .rect = {30, 59, 94, 81}, .tip = kLandingTip,
     .units = kADMMillimeterUnits, .precision = 1, .smallStep = kPointsPerMillimetre,
     .largeStep = 10 * kPointsPerMillimetre, .notify = NOTIFY(OnLanding)},
    FocusArea(kLandingArea, {0, 61, 28, 81}, kLandingTip),
    PointField(kRadius, {30, 86, 94, 108}, kRadiusTip, NOTIFY(OnRadius), true),
    FocusArea(kRadiusArea, {0, 89, 28, 108}, kRadiusTip),
    PointField(kOffsetV, {30, 113, 94, 135}, kOffsetVTip, NOTIFY(OnOffsetV), true),
    FocusArea(kOffsetVArea, {0, 114, 28, 135}, kOffsetVTip),
    PointField(kOffsetH, {201, 113, 265, 135}, kOffsetHTip, NOTIFY(OnOffsetH), true),
    FocusArea(kOffsetHArea, {172, 116, 200, 135}, kOffsetHTip),
    CheckBox(kSound, {118, 34, 172, 50}, "Sound", "Enable/Disable the sound of KPX\x95Labels.", NOTIFY(OnSound)),
    CheckBox(kInside, {118, 62, 248, 78}, "Click the background.", "Enable/Disable clicking the object background.",
             NOTIFY(OnInside)),
    CheckBox(kOutside, {118, 90, 248, 106}, "Click outside.", "Enable/Disable clicking outside objects.",
             NOTIFY(OnOutside)),
    CheckBox(kMagnet, {10, 140, 114, 156}, "Magn\xE9tisme", "Magn\xE9tisme ou non par d\xE9" "faut.", NOTIFY(OnMagnet)),
    {.id = kTolerance, .type = kADMSpinEditType, .rect = {201, 139, 265, 161}, .tip = "Distance du magn\xE9tisme.",
     .units = kADMPointUnits, .precision = 0, .hasMin = true, .min = 1, .smallStep = 1, .largeStep = 10,
     .notify = NOTIFY(OnTolerance)},
    FocusArea(kToleranceArea, {173, 139, 201, 161}, "Distance du magn\xE9tisme par d\xE9" "faut."),
    CheckBox(kLayer, {10, 160, 267, 176}, "Artworks will be on a separated layer.", nullptr, NOTIFY(OnLayer)),
    CheckBox(kGrouped, {10, 180, 223, 196}, "Grouped with the pen tool.",
             "Independent tools or grouped with the pen tool.", NOTIFY(OnGrouped)),
    {.id = kNote, .type = kADMTextStaticType, .rect = {18, 182, 238, 213}, .draw = DRAW(DrawNote)},
    {.id = kExpand, .type = kADMPicturePushButtonType, .rect = {261, 201, 270, 214},
     .tip = "Open if you have a problem with fonts.", .picture = dlg::kCollapsedPicture, .notify = NOTIFY(OnExpand),
     .draw = DRAW(DrawExpand)},
    {.id = kFontShift, .type = kADMSpinEditType, .rect = {209, 262, 273, 284}, .tip = kFontShiftTip,
     .units = kADMNoUnits, .precision = 0, .hasMin = true, .min = 0, .hasMax = true, .max = kMaxFontShift,
     .smallStep = 1, .notify = NOTIFY(OnFontShift)},
    FocusArea(kFontShiftArea, {12, 262, 199, 284}, kFontShiftTip),
    TextButton(kCancel, {10, 219, 78, 239}, "Cancel", "No modification.", NOTIFY(OnCancel)),
    TextButton(kDefault, {104, 219, 186, 239}, "Default", "Back to the original settings.", NOTIFY(OnDefault)),
    TextButton(kOk, {215, 219, 273, 239}, "OK", "Validation of the new default settings.", NOTIFY(OnOk)),
};

// The row of the size field's click area.
constexpr std::size_t kSizeAreaRow = 1;

#undef NOTIFY
#undef DRAW

//-----------------------------------------------------------------------------
// [SECTION] Working copies
//-----------------------------------------------------------------------------

void TakeWorkingCopies(State& g) {
  g.PrefsFouP = g.FouP;
  g.PrefsPointes = g.Pointes;
  g.PrefsFleche = g.Fleche;
  g.PrefsEtiquette = g.Etiquette;
  g.PrefsEpaisseur = g.Epaisseur;
  g.PrefsAttaches = g.Attaches;
  g.PrefsRayonArrondi = g.RayonArrondi;
  g.PrefsDecalageVerti = g.DecalageVerti;
  g.PrefsDecalageHoriz = g.DecalageHoriz;
  g.PrefsSon = g.Son;
  g.PrefsInterieurObjet = g.InterieurObjet ? 1.0f : 0.0f;
  g.PrefsClicDansVide = g.ClicDansVide;
  g.PrefsMagnetisme = g.Magnetisme;
  g.PrefsTolerance = g.Tolerance;
  g.PrefsCalque = g.Calque;
  g.PrefsOutilsGroupe = g.OutilsGroupe;
}

// The factory defaults of the settings the dialog edits (VariablePolice aside).
void TakeFactoryDefaults(State& g) {
  State defaults{};
  SetDefaultSettings(defaults);
  g.PrefsPointes = defaults.Pointes;
  g.PrefsEpaisseur = defaults.Epaisseur;
  g.PrefsAttaches = defaults.Attaches;
  g.PrefsFleche = defaults.Fleche;
  g.PrefsEtiquette = defaults.Etiquette;
  g.PrefsDecalageVerti = defaults.DecalageVerti;
  g.PrefsDecalageHoriz = defaults.DecalageHoriz;
  g.PrefsRayonArrondi = defaults.RayonArrondi;
  g.PrefsSon = defaults.Son;
  g.PrefsInterieurObjet = defaults.InterieurObjet ? 1.0f : 0.0f;
  g.PrefsClicDansVide = defaults.ClicDansVide;
  g.PrefsFouP = defaults.FouP;
  g.PrefsMagnetisme = defaults.Magnetisme;
  g.PrefsTolerance = defaults.Tolerance;
  g.PrefsCalque = defaults.Calque;
  g.PrefsOutilsGroupe = defaults.OutilsGroupe;
}

// The working copies in their items, with the tooltips and the enabling
// that follow them.
void ShowWorkingCopies(ADMDialogRef dialog, const State& g) {
  dlg::SetBoolean(dialog, kGrouped, g.PrefsOutilsGroupe);
  dlg::SetBoolean(dialog, kMagnet, g.PrefsMagnetisme);
  dlg::SetBoolean(dialog, kLayer, g.PrefsCalque);
  dlg::SetBoolean(dialog, kSound, g.PrefsSon);
  dlg::SetBoolean(dialog, kInside, g.PrefsInterieurObjet != 0);
  dlg::SetBoolean(dialog, kOutside, g.PrefsClicDansVide);
  dlg::SetValue(dialog, kSize, g.PrefsPointes);
  dlg::SetValue(dialog, kThickness, g.PrefsEpaisseur);
  dlg::SetValue(dialog, kLanding, g.PrefsAttaches);
  dlg::SetValue(dialog, kOffsetV, g.PrefsDecalageVerti);
  dlg::SetValue(dialog, kOffsetH, g.PrefsDecalageHoriz);
  dlg::SetValue(dialog, kRadius, g.PrefsRayonArrondi);
  dlg::SetValue(dialog, kTolerance, g.PrefsTolerance);
  dlg::Enable(dialog, kTolerance, g.PrefsMagnetisme);
  for (int32_t id = kHeadFirst; id <= kHeadLast; ++id) dlg::SetBoolean(dialog, id, id - kHeadFirst + 1 == g.PrefsFleche);
  for (int32_t id = kShapeFirst; id <= kShapeLast; ++id) dlg::SetBoolean(dialog, id, id - kShapeFirst == g.PrefsEtiquette);
  dlg::SetTip(dialog, kLayer, dlg::LayerTip(g.PrefsCalque));
}

// Tooltips and pictures that follow arrows or points.
void ShowArrowsOrPoints(ADMDialogRef dialog, const State& g) {
  const bool arrows = g.PrefsFouP != 0;
  dlg::SetTip(dialog, kSize, dlg::SizeTip(arrows));
  // The size field's click area shares its id with Default: it is reached
  // by the reference kept when it was made, never looked up by id.
  if (g.PrefsSizeArea != nullptr) sADMItem->SetTipString(g.PrefsSizeArea, dlg::SizeTip(arrows));
  for (int32_t id = kHeadFirst; id <= kHeadLast; ++id) dlg::SetTip(dialog, id, dlg::HeadTip(arrows));
  if (g.PrefsSizeArea != nullptr) sADMItem->Invalidate(g.PrefsSizeArea);
  dlg::Redraw(dialog, kArrowsOrPoints);
  dlg::RedrawItems(dialog, kHeadFirst, kHeadLast);
  // The arrows or points icon is painted by the dialog under the click areas.
  dlg::RedrawDialog(dialog);
}

// Item 36 and the panel's rectangle button follow the sign of the radius.
void ShowRadius(ADMDialogRef dialog, float radius) {
  dlg::Redraw(dialog, kShapeFirst + 1);
  const int32_t picture = dlg::RectanglePicture(radius);
  PanelSetRectanglePicture(picture, picture + dlg::kSelectedShapeOffset);
}

//-----------------------------------------------------------------------------
// [SECTION] Item handlers
//-----------------------------------------------------------------------------

void OnSize(ADMItemRef item, ADMNotifierRef notifier) {
  if (!dlg::DefaultThenUserChange(item, notifier)) return;
  State& g = *gState;
  g.PrefsPointes = dlg::FloatOf(item, g.PrefsPointes);
}

void OnThickness(ADMItemRef item, ADMNotifierRef notifier) {
  if (!dlg::DefaultThenUserChange(item, notifier)) return;
  State& g = *gState;
  g.PrefsEpaisseur = dlg::FloatOf(item, g.PrefsEpaisseur);
}

void OnLanding(ADMItemRef item, ADMNotifierRef notifier) {
  if (!dlg::DefaultThenUserChange(item, notifier)) return;
  State& g = *gState;
  g.PrefsAttaches = dlg::FloatOf(item, g.PrefsAttaches);
}

void OnRadius(ADMItemRef item, ADMNotifierRef notifier) {
  if (!dlg::DefaultThenUserChange(item, notifier)) return;
  State& g = *gState;
  g.PrefsRayonArrondi = dlg::FloatOf(item, g.PrefsRayonArrondi);
  ShowRadius(dlg::DialogOf(item), g.PrefsRayonArrondi);
}

void OnOffsetV(ADMItemRef item, ADMNotifierRef notifier) {
  if (!dlg::DefaultThenUserChange(item, notifier)) return;
  State& g = *gState;
  g.PrefsDecalageVerti = dlg::FloatOf(item, g.PrefsDecalageVerti);
}

void OnOffsetH(ADMItemRef item, ADMNotifierRef notifier) {
  if (!dlg::DefaultThenUserChange(item, notifier)) return;
  State& g = *gState;
  g.PrefsDecalageHoriz = dlg::FloatOf(item, g.PrefsDecalageHoriz);
}

void OnFocusArea(ADMItemRef item, ADMNotifierRef notifier) {
  if (!dlg::DefaultThenUserChange(item, notifier)) return;
  int32_t field = 0;
  switch (dlg::IdOf(item)) {
    case kSizeArea: field = kSize; break;
    case kThicknessArea: field = kThickness; break;
    case kLandingArea: field = kLanding; break;
    case kRadiusArea: field = kRadius; break;
    case kOffsetVArea: field = kOffsetV; break;
    case kOffsetHArea: field = kOffsetH; break;
    case kToleranceArea: field = kTolerance; break;
    case kFontShiftArea: field = kFontShift; break;
    default: return;
  }
  dlg::Focus(dlg::DialogOf(item), field);
}

void OnArrowsOrPoints(ADMItemRef item, ADMNotifierRef notifier) {
  if (!dlg::DefaultThenUserChange(item, notifier)) return;
  State& g = *gState;
  g.PrefsFouP = !g.PrefsFouP;
  ShowArrowsOrPoints(dlg::DialogOf(item), g);
}

// Radio buttons and check boxes act on every notification.
void OnHead(ADMItemRef item, ADMNotifierRef notifier) {
  sADMItem->DefaultNotify(item, notifier);
  const int32_t kind = dlg::IdOf(item) - kHeadFirst + 1;
  if (kind < 1 || kind > 4) return;
  gState->PrefsFleche = kind;
  dlg::RedrawItems(dlg::DialogOf(item), kHeadFirst, kHeadLast);
}

void OnShape(ADMItemRef item, ADMNotifierRef notifier) {
  if (!dlg::DefaultThenUserChange(item, notifier)) return;
  const int32_t kind = dlg::IdOf(item) - kShapeFirst;
  if (kind < 0 || kind > 3) return;
  gState->PrefsEtiquette = kind;
  dlg::RedrawItems(dlg::DialogOf(item), kShapeFirst, kShapeLast);
}

void OnColors(ADMItemRef item, ADMNotifierRef notifier) {
  if (!dlg::DefaultThenUserChange(item, notifier)) return;
  RunColorsDialog(kPanelColorsDialog, kColorsDialogName);
}

void OnSound(ADMItemRef item, ADMNotifierRef notifier) {
  sADMItem->DefaultNotify(item, notifier);
  State& g = *gState;
  g.PrefsSon = dlg::BooleanOf(item, g.PrefsSon != 0) ? 1 : 0;
}

void OnInside(ADMItemRef item, ADMNotifierRef notifier) {
  sADMItem->DefaultNotify(item, notifier);
  State& g = *gState;
  g.PrefsInterieurObjet = dlg::BooleanOf(item, g.PrefsInterieurObjet != 0) ? 1.0f : 0.0f;
  dlg::Focus(dlg::DialogOf(item), kThickness);
}

void OnOutside(ADMItemRef item, ADMNotifierRef notifier) {
  sADMItem->DefaultNotify(item, notifier);
  State& g = *gState;
  g.PrefsClicDansVide = dlg::BooleanOf(item, g.PrefsClicDansVide != 0) ? 1 : 0;
  dlg::Focus(dlg::DialogOf(item), kThickness);
}

void OnMagnet(ADMItemRef item, ADMNotifierRef notifier) {
  sADMItem->DefaultNotify(item, notifier);
  State& g = *gState;
  g.PrefsMagnetisme = dlg::BooleanOf(item, g.PrefsMagnetisme != 0) ? 1 : 0;
  ADMDialogRef dialog = dlg::DialogOf(item);
  dlg::Enable(dialog, kTolerance, g.PrefsMagnetisme);
  dlg::Focus(dialog, g.PrefsMagnetisme ? kTolerance : kThickness);
}

void OnTolerance(ADMItemRef item, ADMNotifierRef notifier) {
  sADMItem->DefaultNotify(item, notifier);
  State& g = *gState;
  const float value = dlg::FloatOf(item, g.PrefsTolerance);
  g.PrefsTolerance = static_cast<int16_t>(std::clamp(std::lround(value), 1L, 32767L));
  dlg::Focus(dlg::DialogOf(item), kThickness);
}

void OnLayer(ADMItemRef item, ADMNotifierRef notifier) {
  sADMItem->DefaultNotify(item, notifier);
  State& g = *gState;
  g.PrefsCalque = dlg::BooleanOf(item, g.PrefsCalque != 0) ? 1 : 0;
  sADMItem->SetTipString(item, dlg::LayerTip(g.PrefsCalque));
  dlg::Focus(dlg::DialogOf(item), kThickness);
}

void OnGrouped(ADMItemRef item, ADMNotifierRef notifier) {
  sADMItem->DefaultNotify(item, notifier);
  State& g = *gState;
  g.PrefsOutilsGroupe = dlg::BooleanOf(item, g.PrefsOutilsGroupe != 0) ? 1 : 0;
  dlg::Redraw(dlg::DialogOf(item), kNote);
}

bool Collapsed(const ADMRect& bounds) { return bounds.bottom - bounds.top < dlg::kPrefsCollapsedBelow; }

// The font shift field and its click area lie below the collapsed dialog's
// edge: hidden, so neither shows nor answers, until it is expanded.
void ShowFontShift(ADMDialogRef dialog, bool shown) {
  dlg::Show(dialog, kFontShift, shown);
  dlg::Show(dialog, kFontShiftArea, shown);
}

void OnExpand(ADMItemRef item, ADMNotifierRef notifier) {
  if (!dlg::DefaultThenUserChange(item, notifier)) return;
  State& g = *gState;
  ADMDialogRef dialog = dlg::DialogOf(item);
  dlg::RememberBounds(dialog, g.PrefsDialogRect);
  ADMRect& r = g.PrefsDialogRect;
  const bool expand = Collapsed(r);
  r.right = r.left + dlg::kPrefsWidth;
  r.bottom = r.top + (expand ? dlg::kPrefsExpandedHeight : dlg::kPrefsHeight);
  sADMItem->SetPictureID(item, expand ? dlg::kExpandedPicture : dlg::kCollapsedPicture);
  sADMDialog->SetBoundsRect(dialog, &r);
  ShowFontShift(dialog, expand);
  dlg::Focus(dialog, expand ? kFontShift : kSize);
}

void OnFontShift(ADMItemRef item, ADMNotifierRef notifier) {
  sADMItem->DefaultNotify(item, notifier);
  State& g = *gState;
  const float value = dlg::FloatOf(item, static_cast<float>(g.VariablePolice));
  g.VariablePolice = static_cast<int32_t>(std::clamp(std::lround(value), 0L, static_cast<long>(kMaxFontShift)));
  PanelRefillFontList();
}

//-----------------------------------------------------------------------------
// [SECTION] Drawing
//-----------------------------------------------------------------------------

// The frame of a selected picture button.
void DrawSelection(ADMDrawerRef drawer) {
  ADMRect bounds{};
  if (sADMDrawer->GetBoundsRect(drawer, &bounds) != kNoErr) return;
  const ADMRect frame{0, 0, bounds.right - 1, bounds.bottom - 1};
  sADMDrawer->SetADMColor(drawer, kADMHiliteColor);
  sADMDrawer->DrawRect(drawer, &frame);
}

void DrawHead(ADMItemRef item, ADMDrawerRef drawer) {
  const State& g = *gState;
  const int32_t kind = dlg::IdOf(item) - kHeadFirst + 1;
  const ADMPoint origin{0, 0};
  sADMDrawer->DrawResPicture(drawer, gPluginRef, dlg::HeadPicture(kind, g.PrefsFouP != 0, g.FlecheCreuse != 0),
                             &origin);
  if (kind == g.PrefsFleche) DrawSelection(drawer);
}

void DrawShape(ADMItemRef item, ADMDrawerRef drawer) {
  const State& g = *gState;
  const int32_t kind = dlg::IdOf(item) - kShapeFirst;
  const bool selected = kind == g.PrefsEtiquette;
  int32_t picture = dlg::ShapePicture(kind, g.PrefsRayonArrondi);
  // The rectangles have selected pictures of their own.
  if (selected && kind == 1) picture += dlg::kSelectedShapeOffset;
  const ADMPoint origin{0, 0};
  sADMDrawer->DrawResPicture(drawer, gPluginRef, picture, &origin);
  if (selected) DrawSelection(drawer);
}

// The note that the tools' grouping changes at the next launch only.
void DrawNote(ADMItemRef, ADMDrawerRef drawer) {
  const State& g = *gState;
  if ((g.PrefsOutilsGroupe != 0) == (g.OutilsGroupe != 0)) return;
  sADMDrawer->SetADMColor(drawer, kADMShadowColor);
  sADMDrawer->SetFont(drawer, kADMPaletteFont);
  const ADMPoint mark{207, 12};
  const ADMPoint note{12, 24};
  sADMDrawer->DrawText(drawer, kNoteMark, &mark);
  sADMDrawer->DrawText(drawer, kNoteText, &note);
}

// The disclosure mark: a triangle pointing right while the dialog is
// collapsed, down while it is expanded, drawn a pixel row or column at a time.
void DrawExpand(ADMItemRef item, ADMDrawerRef drawer) {
  ADMRect bounds{};
  const bool collapsed = sADMDialog->GetBoundsRect(dlg::DialogOf(item), &bounds) != kNoErr || Collapsed(bounds);
  sADMDrawer->SetADMColor(drawer, kADMBlackColor);
  for (int32_t i = 0; i < 5; ++i) {
    const ADMRect line = collapsed ? ADMRect{2 + i, 2 + i, 3 + i, 11 - i} : ADMRect{i, 4 + i, 9 - i, 5 + i};
    sADMDrawer->FillRect(drawer, &line);
  }
}

void DrawIcon(ADMDrawerRef drawer, int32_t index, ADMPoint at) {
  ADMIconRef icon = nullptr;
  if (sADMIcon->GetFromResource(gPluginRef, kIconGroup, index, &icon) != kNoErr || icon == nullptr) return;
  sADMDrawer->DrawIcon(drawer, icon, &at);
  sADMIcon->Destroy(icon);
}

void DrawPrefs(ADMDialogRef dialog, ADMDrawerRef drawer) {
  const State& g = *gState;
  sADMDialog->DefaultDraw(dialog, drawer);
  DrawIcon(drawer, g.PrefsFouP ? kArrowsIcon : kPointsIcon, kSizeIconAt);
  for (const IconPlace& icon : kFixedIcons) DrawIcon(drawer, icon.index, icon.at);

  // The outline colour in force, framed, under the colours click area.
  const dlg::ColorValue outline{g.RVBC != 0, {g.RougeGrisC, g.VertC, g.BleuC}};
  const ADMRGBColor swatch = dlg::ScreenColor(outline);
  sADMDrawer->SetRGBColor(drawer, &swatch);
  sADMDrawer->FillRect(drawer, &kSwatchRect);
  sADMDrawer->SetADMColor(drawer, kADMBlackColor);
  sADMDrawer->DrawRect(drawer, &kSwatchRect);

  ADMRect bounds{};
  if (sADMDialog->GetBoundsRect(dialog, &bounds) == kNoErr && !Collapsed(bounds)) {
    sADMDrawer->SetADMColor(drawer, kADMBlackColor);
    sADMDrawer->SetFont(drawer, kADMPaletteFont);
    sADMDrawer->DrawTextInABox(drawer, &kFontShiftNoteRect, kFontShiftNote);
  }
}

//-----------------------------------------------------------------------------
// [SECTION] OK, Cancel, Default
//-----------------------------------------------------------------------------

// The commit of OK: settings are committed and stored one by one. A failed
// store of a setting whose failure matters ends the commit and puts that
// setting back, so that memory and store agree; the settings after it keep
// their previous values. Any failed store is reported once, at the end.
struct CommitRun {
  bool ended = false;
  bool failed = false;
};

enum class OnFailure { Continue, End };

template <class Field>
void Commit(CommitRun& run, Field& field, Field value, SettingId id, OnFailure onFailure) {
  if (run.ended) return;
  const Field previous = field;
  field = value;
  if (StoreSetting(id) == kNoErr) return;
  run.failed = true;
  if (onFailure == OnFailure::End) {
    field = previous;
    run.ended = true;
  }
}

void OnOk(ADMItemRef item, ADMNotifierRef notifier) {
  if (!dlg::DefaultThenUserChange(item, notifier)) return;
  State& g = *gState;
  dlg::RememberBounds(dlg::DialogOf(item), g.PrefsDialogRect);

  using enum SettingId;
  constexpr OnFailure kGoOn = OnFailure::Continue;
  constexpr OnFailure kEnd = OnFailure::End;
  CommitRun run;
  Commit(run, g.OutilsGroupe, g.PrefsOutilsGroupe, OutilsGroupe, kGoOn);
  Commit(run, g.Pointes, g.PrefsPointes, Pointes, kEnd);
  Commit(run, g.Epaisseur, g.PrefsEpaisseur, Epaisseur, kEnd);
  Commit(run, g.Attaches, g.PrefsAttaches, Attaches, kEnd);
  Commit(run, g.Fleche, g.PrefsFleche, Fleche, kEnd);
  Commit(run, g.Etiquette, g.PrefsEtiquette, Etiquette, kEnd);
  Commit(run, g.DecalageVerti, g.PrefsDecalageVerti, DecalageVerti, kEnd);
  Commit(run, g.DecalageHoriz, g.PrefsDecalageHoriz, DecalageHoriz, kEnd);
  Commit(run, g.RayonArrondi, g.PrefsRayonArrondi, RayonArrondi, kEnd);
  Commit(run, g.Calque, g.PrefsCalque, Calque, kGoOn);
  Commit(run, g.Magnetisme, g.PrefsMagnetisme, Magnetisme, kEnd);
  Commit(run, g.Tolerance, g.PrefsTolerance, Tolerance, kGoOn);
  Commit(run, g.FouP, g.PrefsFouP, FouP, kGoOn);
  Commit(run, g.Son, g.PrefsSon, Son, kEnd);
  // The float copy truncated, as the setting is a flag.
  Commit(run, g.InterieurObjet, static_cast<ASBoolean>(static_cast<int32_t>(g.PrefsInterieurObjet) != 0),
         InterieurObjet, kEnd);
  Commit(run, g.ClicDansVide, g.PrefsClicDansVide, ClicDansVide, kEnd);
  Commit(run, g.VariablePolice, g.VariablePolice, VariablePolice, kGoOn);

  g.PrefsOpen = 0;
  if (run.failed) dlg::ShowNotSaved(kNotSaved);
}

void OnCancel(ADMItemRef item, ADMNotifierRef notifier) {
  if (!dlg::DefaultThenUserChange(item, notifier)) return;
  State& g = *gState;
  dlg::RememberBounds(dlg::DialogOf(item), g.PrefsDialogRect);
  g.PrefsOpen = 0;
}

void OnDefault(ADMItemRef item, ADMNotifierRef notifier) {
  if (!dlg::DefaultThenUserChange(item, notifier)) return;
  State& g = *gState;
  ADMDialogRef dialog = dlg::DialogOf(item);
  const float radiusBefore = g.PrefsRayonArrondi;
  TakeFactoryDefaults(g);
  ShowWorkingCopies(dialog, g);
  // Tooltips and pictures follow the reset working copies as they follow
  // the user's own changes.
  ShowArrowsOrPoints(dialog, g);
  if (dlg::RectanglePicture(radiusBefore) != dlg::RectanglePicture(g.PrefsRayonArrondi)) {
    ShowRadius(dialog, g.PrefsRayonArrondi);
  }
  dlg::RedrawItems(dialog, kShapeFirst, kShapeLast);
  dlg::Redraw(dialog, kNote);
  dlg::Focus(dialog, kSize);
}

//-----------------------------------------------------------------------------
// [SECTION] Opening
//-----------------------------------------------------------------------------

ASErr InitPrefs(ADMDialogRef dialog) {
  State& g = *gState;
  g.PrefsDialog = dialog;
  dlg::PlaceDialog(dialog, g.PrefsDialogRect, dlg::kPrefsWidth, dlg::kPrefsHeight);
  sADMDialog->SetText(dialog, kTitle);
  sADMDialog->SetDrawProc(dialog, &dlg::DrawDialog<DrawPrefs>);

  TakeWorkingCopies(g);
  // An item the host refuses is left out; the others still work.
  for (const ItemRow& row : kRows) {
    ADMItemRef item = nullptr;
    dlg::CreateItem(dialog, row, &item);
    if (&row == &kRows[kSizeAreaRow]) g.PrefsSizeArea = item;
  }
  ShowWorkingCopies(dialog, g);
  ShowArrowsOrPoints(dialog, g);
  dlg::SetValue(dialog, kFontShift, static_cast<float>(g.VariablePolice));
  ADMRect bounds{};
  ShowFontShift(dialog, sADMDialog->GetBoundsRect(dialog, &bounds) == kNoErr && !Collapsed(bounds));

  g.PrefsOpen = 1;
  return kNoErr;
}

}  // namespace

ASErr RunPreferencesDialog() {
  State& g = *gState;
  if (g.PrefsOpen) return kNoErr;
  int32_t itemHit = 0;
  const ASErr err = sADMDialog->Modal(gPluginRef, kSettingsDialogName, kPreferencesDialog, kADMModalDialogStyle,
                                      &dlg::Init<InitPrefs>, nullptr, 0, &itemHit);
  // However the dialog ended (OK, Cancel, the close box, a refused start),
  // it is closed now; the run may even have ended meanwhile.
  if (gState != nullptr) {
    gState->PrefsOpen = 0;
    gState->PrefsDialog = nullptr;
    gState->PrefsSizeArea = nullptr;
  }
  return err;
}
