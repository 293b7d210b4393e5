// The Colors and options dialog: the outline and background colours (grey or
// RGB), whether the label shape is filled, the two arrowhead angles, hollow
// or solid triangles, and the gaps between the text and the label's edge.
// It works on copies; OK commits, stores and applies them at once (path
// styles, the triangle's look, the panel's margins, the pending label).
// The background switch is the exception: it changes Fond itself, and a
// dialog ended any other way than by OK puts Fond back.
//
// [SECTION] Items
// [SECTION] Working copies and the colour controls
// [SECTION] Angles, hollow triangle and gaps
// [SECTION] Colours
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
#include "core/PathStyles.h"
#include "label/Rebuild.h"
#include "panel/PanelHooks.h"

using dlg::ColorValue;
using dlg::ItemRow;

namespace {

//-----------------------------------------------------------------------------
// [SECTION] Items
//-----------------------------------------------------------------------------

enum : int32_t {
  kOk = 1,
  kCancel = 2,
  kDefault = 3,
  kOpenArrow = 107,
  kAngle1 = 108,
  kAngle2 = 110,
  kGapH = 111,
  kGapV = 112,
  kGapPicture = 113,
  kTriangleArrow = 114,
  kSliderFirst = 120,  // 120 first component, 121 green, 122 blue
  kBackgroundSwatch = 125,
  kOutlineSwatch = 126,
  kEditFirst = 127,    // 127 first component, 128 green, 129 blue
  kLetterFirst = 130,  // 130 "R" or "B", 131 "G", 132 "B"
  kPercent = 133,
  kBackgroundSwitch = 134,
};

constexpr int32_t kColorsWidth = 230;
constexpr int32_t kColorsHeight = 230;
constexpr const char* kTitle = "Colors (KPX\x95Labels).";
constexpr const char* kAngle1Tip = "Arrowhead angle (from 0\xB0 to 90\xB0).";
constexpr const char* kGapPictureTip = "Click and drag to modify the gap between the text and the edge of the label.";
constexpr const char* kNotSaved = "The colors and options could not all be saved.";


constexpr ADMRect kBackgroundSwatchRect = {5, 90, 22, 107};
constexpr ADMRect kOutlineSwatchRect = {14, 99, 31, 116};
constexpr ADMRect kBackgroundSwitchRect = {13, 119, 21, 127};
constexpr ADMPoint kDegreeSigns[] = {{93, 14}, {206, 14}};

void OnAngle1(ADMItemRef, ADMNotifierRef);
void OnAngle2(ADMItemRef, ADMNotifierRef);
void OnGapH(ADMItemRef, ADMNotifierRef);
void OnGapV(ADMItemRef, ADMNotifierRef);
void OnSwatch(ADMItemRef, ADMNotifierRef);
void OnBackgroundSwitch(ADMItemRef, ADMNotifierRef);
void OnSlider(ADMItemRef, ADMNotifierRef);
void OnEdit(ADMItemRef, ADMNotifierRef);
void OnLetter(ADMItemRef, ADMNotifierRef);
void OnOk(ADMItemRef, ADMNotifierRef);
void OnCancel(ADMItemRef, ADMNotifierRef);
void OnDefault(ADMItemRef, ADMNotifierRef);
ASBoolean TrackOpenArrow(ADMItemRef, ADMTrackerRef);
ASBoolean TrackTriangleArrow(ADMItemRef, ADMTrackerRef);
ASBoolean TrackGapPicture(ADMItemRef, ADMTrackerRef);
void DrawOpenArrow(ADMItemRef, ADMDrawerRef);
void DrawTriangleArrow(ADMItemRef, ADMDrawerRef);
void DrawGapPicture(ADMItemRef, ADMDrawerRef);
void DrawLetter(ADMItemRef, ADMDrawerRef);

#define NOTIFY(fn) &dlg::Notify<fn>
#define DRAW(fn) &dlg::Draw<fn>
#define TRACK(fn) &dlg::Track<fn>

ItemRow AngleField(int32_t id, ADMRect rect, ADMItemNotifyProc notify) {
  return {.id = id, .type = kADMSpinEditType, .rect = rect, .units = kADMNoUnits, .precision = 0, .hasMin = true,
          .min = 0, .hasMax = true, .max = dlg::kMaxDialogAngle, .notify = notify};
}

// A picture the dialog draws and follows the pointer over.
ItemRow TrackedPicture(int32_t id, ADMRect rect, const char* tip, ADMItemDrawProc draw, ADMItemTrackProc track) {
  return {.id = id, .type = kADMPicturePushButtonType, .rect = rect, .tip = tip, .mask = kADMAllActionsMask,
          .draw = draw, .track = track};
}

ItemRow ClickArea(int32_t id, ADMRect rect, const char* tip, ADMItemNotifyProc notify) {
  return {.id = id, .type = kADMPicturePushButtonType, .rect = rect, .tip = tip, .notify = notify,
          .draw = DRAW(dlg::DrawNothing)};
}

ItemRow Slider(int32_t k) {
  return {.id = kSliderFirst + k, .type = kADMSliderType, .rect = {38, 100 + 24 * k, 146, 106 + 24 * k},
          .units = kADMNoUnits, .hasMin = true, .min = 0, .hasMax = true, .max = dlg::kRgbFull,
          .notify = NOTIFY(OnSlider)};
}

ItemRow ComponentEdit(int32_t k, ADMRect rect) {
  return {.id = kEditFirst + k, .type = kADMTextEditType, .rect = rect, .units = kADMNoUnits, .precision = 0,
          .hasMin = true, .min = 0, .hasMax = true, .max = dlg::kRgbFull, .style = kADMNumericEditStyle,
          .notify = NOTIFY(OnEdit)};
}

ItemRow Letter(int32_t k, ADMRect rect, const char* tip) {
  return {.id = kLetterFirst + k, .type = kADMPicturePushButtonType, .rect = rect, .tip = tip,
          .notify = NOTIFY(OnLetter), .draw = DRAW(DrawLetter)};
}

ItemRow TextButton(int32_t id, ADMRect rect, const char* text, const char* tip, ADMItemNotifyProc notify) {
  return {.id = id, .type = kADMTextPushButtonType, .rect = rect, .tip = tip, .text = text, .notify = notify};
}

// Rows in the order of creation: the angles and gaps, then the colour
// controls, then the buttons. Values, tooltips and enabling that follow the
// working copies are set after the items are made.
const ItemRow kRows[] = {
    AngleField(kAngle1, {38, 7, 92, 29}, NOTIFY(OnAngle1)),
    TrackedPicture(kOpenArrow, {10, 2, 34, 32}, kAngle1Tip, DRAW(DrawOpenArrow), TRACK(TrackOpenArrow)),
    AngleField(kAngle2, {150, 7, 204, 29}, NOTIFY(OnAngle2)),
    TrackedPicture(kTriangleArrow, {97, 6, 146, 32}, "Solid/hollow arrowhead.", DRAW(DrawTriangleArrow),
                   TRACK(TrackTriangleArrow)),
    {.id = kGapH, .type = kADMSpinEditType, .rect = {150, 32, 204, 54},
     .tip = "Horizontal gap between the text and the edge of the label.", .units = kADMPointUnits, .precision = 0,
     .hasMin = true, .min = 0, .smallStep = 1, .largeStep = 10, .notify = NOTIFY(OnGapH)},
    TrackedPicture(kGapPicture, {7, 32, 145, 79}, kGapPictureTip, DRAW(DrawGapPicture), TRACK(TrackGapPicture)),
    {.id = kGapV, .type = kADMSpinEditType, .rect = {150, 57, 204, 79},
     .tip = "Vertical gap between the text and the edge of the label.", .units = kADMPointUnits, .precision = 0,
     .smallStep = 1, .largeStep = 10, .notify = NOTIFY(OnGapV)},
    ClickArea(kBackgroundSwitch, kBackgroundSwitchRect, "With/without background.", NOTIFY(OnBackgroundSwitch)),
    Slider(0), Slider(1), Slider(2),
    ClickArea(kBackgroundSwatch, kBackgroundSwatchRect, "Grey levels or RVB colors for the background.",
              NOTIFY(OnSwatch)),
    ClickArea(kOutlineSwatch, kOutlineSwatchRect, "Grey levels or RVB colors for the outline.", NOTIFY(OnSwatch)),
    {.id = kPercent, .type = kADMTextStaticType, .rect = {206, 92, 216, 106}, .text = "%"},
    ComponentEdit(0, {164, 87, 204, 109}),
    Letter(0, {150, 89, 160, 111}, nullptr),
    ComponentEdit(1, {164, 112, 204, 134}),
    Letter(1, {150, 114, 160, 136}, "Green"),
    ComponentEdit(2, {164, 136, 204, 158}),
    Letter(2, {150, 138, 160, 160}, "Blue"),
    TextButton(kCancel, {6, 172, 74, 192}, "Cancel", "No modification.", NOTIFY(OnCancel)),
    TextButton(kDefault, {91, 172, 151, 192}, "Default", "Back to the original settings.", NOTIFY(OnDefault)),
    TextButton(kOk, {166, 172, 220, 192}, "OK", "Validation of the new default settings.", NOTIFY(OnOk)),
};

#undef NOTIFY
#undef DRAW
#undef TRACK

//-----------------------------------------------------------------------------
// [SECTION] Working copies and the colour controls
//-----------------------------------------------------------------------------

ColorValue WorkingOutline(const State& g) {
  return {g.ColorsRgbOutline != 0, {g.ColorsOutline[0], g.ColorsOutline[1], g.ColorsOutline[2]}};
}

ColorValue WorkingBackground(const State& g) {
  return {g.ColorsRgbBackground != 0, {g.ColorsBackground[0], g.ColorsBackground[1], g.ColorsBackground[2]}};
}

// The colour the controls edit.
ColorValue EditedColor(const State& g) { return g.EditingOutline ? WorkingOutline(g) : WorkingBackground(g); }

void SetEditedColor(State& g, const ColorValue& color) {
  ASBoolean& rgb = g.EditingOutline ? g.ColorsRgbOutline : g.ColorsRgbBackground;
  float* c = g.EditingOutline ? g.ColorsOutline : g.ColorsBackground;
  rgb = color.rgb ? 1 : 0;
  for (int k = 0; k < 3; ++k) c[k] = color.c[k];
}

void TakeWorkingCopies(State& g) {
  g.ColorsRgbOutline = g.RVBC;
  g.ColorsOutline[0] = g.RougeGrisC;
  g.ColorsOutline[1] = g.VertC;
  g.ColorsOutline[2] = g.BleuC;
  g.ColorsRgbBackground = g.RVBF;
  g.ColorsBackground[0] = g.RougeGrisF;
  g.ColorsBackground[1] = g.VertF;
  g.ColorsBackground[2] = g.BleuF;
  g.ColorsAngle1 = g.AnglePointe1;
  g.ColorsAngle2 = g.AnglePointe2;
  g.ColorsHollow = g.FlecheCreuse;
  g.ColorsGapH = g.TextGapH;
  g.ColorsGapV = g.TextGapV;
  g.EditingOutline = 1;
}

const char* FirstComponentTip(bool outline, bool rgb) {
  if (outline) return rgb ? "Red level for the outline (from 0 to 255)." : "Grey level for the outline (from 0 % to 100 %).";
  return rgb ? "Red level for the background (from 0 to 255)." : "Grey level for the background (from 0 % to 100 %).";
}

const char* GreenTip(bool outline) {
  return outline ? "Green level for the outline (from 0 to 255)." : "Green level for the background (from 0 to 255).";
}

const char* BlueTip(bool outline) {
  return outline ? "Blue level for the outline (from 0 to 255)." : "Blue level for the background (from 0 to 255).";
}

const char* HollowTip(bool hollow) {
  return hollow ? "Angle of the hollow arrow (from 0\xB0 to 90\xB0)." : "Angle of the solid arrow (from 0\xB0 to 90\xB0).";
}

// The edited colour in the sliders and edits, with everything that follows
// it: the first component's maximum, the green and blue controls or the "%"
// label, the letter and the tooltips. The controls are enabled while they
// edit the outline or a background that is on; the background switch only
// while the background is edited.
void ShowEditedColor(ADMDialogRef dialog, const State& g) {
  const ColorValue color = EditedColor(g);
  const bool outline = g.EditingOutline != 0;
  const bool controlsOn = outline || g.Fond != 0;
  const float max = dlg::FirstComponentMax(color.rgb);
  // The maximum first, so that a value set afterwards is not cut by the old one.
  dlg::SetMax(dialog, kSliderFirst, max);
  dlg::SetMax(dialog, kEditFirst, max);
  for (int32_t k = 0; k < 3; ++k) {
    dlg::SetValue(dialog, kSliderFirst + k, color.c[k]);
    dlg::SetValue(dialog, kEditFirst + k, color.c[k]);
    dlg::Enable(dialog, kSliderFirst + k, controlsOn);
    dlg::Enable(dialog, kEditFirst + k, controlsOn);
  }
  for (int32_t k = 1; k < 3; ++k) {
    dlg::Show(dialog, kSliderFirst + k, color.rgb);
    dlg::Show(dialog, kEditFirst + k, color.rgb);
    dlg::Show(dialog, kLetterFirst + k, color.rgb);
  }
  dlg::Show(dialog, kPercent, !color.rgb);
  dlg::Enable(dialog, kBackgroundSwitch, !outline);

  const char* firstTip = FirstComponentTip(outline, color.rgb);
  dlg::SetTip(dialog, kSliderFirst, firstTip);
  dlg::SetTip(dialog, kEditFirst, firstTip);
  dlg::SetTip(dialog, kSliderFirst + 1, GreenTip(outline));
  dlg::SetTip(dialog, kEditFirst + 1, GreenTip(outline));
  dlg::SetTip(dialog, kSliderFirst + 2, BlueTip(outline));
  dlg::SetTip(dialog, kEditFirst + 2, BlueTip(outline));
  dlg::SetTip(dialog, kLetterFirst, color.rgb ? "Red" : "Black");
  dlg::Redraw(dialog, kLetterFirst);
  dlg::RedrawDialog(dialog);
}

// The angles, gaps and hollow choice in their fields.
void ShowOptions(ADMDialogRef dialog, const State& g) {
  dlg::SetValue(dialog, kAngle1, g.ColorsAngle1);
  dlg::SetValue(dialog, kAngle2, g.ColorsAngle2);
  dlg::SetValue(dialog, kGapH, static_cast<float>(g.ColorsGapH));
  dlg::SetValue(dialog, kGapV, g.ColorsGapV);
  dlg::SetTip(dialog, kAngle1, kAngle1Tip);
  dlg::SetTip(dialog, kAngle2, HollowTip(g.ColorsHollow != 0));
  dlg::Redraw(dialog, kOpenArrow);
  dlg::Redraw(dialog, kTriangleArrow);
  dlg::Redraw(dialog, kGapPicture);
}

//-----------------------------------------------------------------------------
// [SECTION] Angles, hollow triangle and gaps
//-----------------------------------------------------------------------------

void OnAngle1(ADMItemRef item, ADMNotifierRef notifier) {
  if (!dlg::DefaultThenUserChange(item, notifier)) return;
  State& g = *gState;
  g.ColorsAngle1 = std::clamp(dlg::FloatOf(item, g.ColorsAngle1), 0.0f, dlg::kMaxDialogAngle);
  dlg::Redraw(dlg::DialogOf(item), kOpenArrow);
}

void OnAngle2(ADMItemRef item, ADMNotifierRef notifier) {
  if (!dlg::DefaultThenUserChange(item, notifier)) return;
  State& g = *gState;
  g.ColorsAngle2 = std::clamp(dlg::FloatOf(item, g.ColorsAngle2), 0.0f, dlg::kMaxDialogAngle);
  dlg::Redraw(dlg::DialogOf(item), kTriangleArrow);
}

void OnGapH(ADMItemRef item, ADMNotifierRef notifier) {
  if (!dlg::DefaultThenUserChange(item, notifier)) return;
  State& g = *gState;
  const float value = dlg::FloatOf(item, static_cast<float>(g.ColorsGapH));
  // Truncated toward zero into the whole-point gap; never below 0.
  g.ColorsGapH = static_cast<int32_t>(std::clamp(value, 0.0f, 1e6f));
  dlg::Redraw(dlg::DialogOf(item), kGapPicture);
}

void OnGapV(ADMItemRef item, ADMNotifierRef notifier) {
  if (!dlg::DefaultThenUserChange(item, notifier)) return;
  State& g = *gState;
  g.ColorsGapV = dlg::FloatOf(item, g.ColorsGapV);
  dlg::Redraw(dlg::DialogOf(item), kGapPicture);
}

bool IsDragEvent(int32_t action) { return action == kADMButtonDownAction || action == kADMMouseMovedDownAction; }

void SetCursor(int32_t cursor) { sADMBasic->SetPlatformCursor(gPluginRef, cursor); }

// The angle after the picture, its field and the focus.
void ShowAngle(ADMDialogRef dialog, int32_t picture, int32_t field, float angle) {
  dlg::Redraw(dialog, picture);
  dlg::SetValue(dialog, field, angle);
  dlg::Focus(dialog, field);
}

// One event of an angle drag. The Command key undoes the drag: the angle
// goes back to the stored one.
void DragAngle(ADMTrackerRef tracker, float& angle, float stored, int32_t x) {
  State& g = *gState;
  if (dlg::ModifierHeld(tracker, kADMCommandKeyFlag)) {
    angle = std::clamp(std::isfinite(stored) ? stored : 0.0f, 0.0f, dlg::kMaxDialogAngle);
    return;
  }
  angle = dlg::DraggedAngle(angle, g.AngleDragX, x);
  g.AngleDragX = x;
}

ASBoolean TrackOpenArrow(ADMItemRef item, ADMTrackerRef tracker) {
  State& g = *gState;
  SetCursor(kCursorHeadAngle);
  const ADMPoint p = dlg::TrackPoint(tracker);
  if (IsDragEvent(dlg::TrackAction(tracker)) && p.h >= 0 && p.h <= dlg::kOpenArrowDragWidth) {
    DragAngle(tracker, g.ColorsAngle1, g.AnglePointe1, p.h);
    ShowAngle(dlg::DialogOf(item), kOpenArrow, kAngle1, g.ColorsAngle1);
  }
  return dlg::DefaultTrack(item, tracker);
}

// The upper part of the triangle picture drags angle 2; a press on its lower
// part switches between hollow and solid triangles.
ASBoolean TrackTriangleArrow(ADMItemRef item, ADMTrackerRef tracker) {
  State& g = *gState;
  const ADMPoint p = dlg::TrackPoint(tracker);
  SetCursor(p.v <= dlg::kAngleCursorBottom ? kCursorHeadAngle
                                          : (g.ColorsHollow ? kCursorHollowHead : kCursorSolidHead));
  const int32_t action = dlg::TrackAction(tracker);
  if (IsDragEvent(action) && p.h >= 0 && p.h <= dlg::kTriangleArrowDragWidth) {
    ADMDialogRef dialog = dlg::DialogOf(item);
    if (p.v < dlg::kHollowToggleTop) {
      DragAngle(tracker, g.ColorsAngle2, g.AnglePointe2, p.h);
      ShowAngle(dialog, kTriangleArrow, kAngle2, g.ColorsAngle2);
    } else if (action == kADMButtonDownAction) {
      g.ColorsHollow = !g.ColorsHollow;
      dlg::SetTip(dialog, kAngle2, HollowTip(g.ColorsHollow != 0));
      ShowAngle(dialog, kTriangleArrow, kAngle2, g.ColorsAngle2);
    }
  }
  return dlg::DefaultTrack(item, tracker);
}

ASBoolean TrackGapPicture(ADMItemRef item, ADMTrackerRef tracker) {
  State& g = *gState;
  SetCursor(kCursorHeadAngle);
  if (IsDragEvent(dlg::TrackAction(tracker))) {
    const ADMPoint p = dlg::TrackPoint(tracker);
    const dlg::TextGaps gaps = dlg::GapsAtPoint(p.h, p.v);
    g.ColorsGapH = gaps.h;
    g.ColorsGapV = gaps.v;
    ADMDialogRef dialog = dlg::DialogOf(item);
    dlg::Redraw(dialog, kGapPicture);
    dlg::SetValue(dialog, kGapH, static_cast<float>(g.ColorsGapH));
    dlg::SetValue(dialog, kGapV, g.ColorsGapV);
    dlg::Focus(dialog, kGapH);
  }
  return dlg::DefaultTrack(item, tracker);
}

//-----------------------------------------------------------------------------
// [SECTION] Colours
//-----------------------------------------------------------------------------

// A click on a swatch edits that colour; a click on the colour already
// edited switches it between grey and RGB.
void OnSwatch(ADMItemRef item, ADMNotifierRef notifier) {
  if (!dlg::DefaultThenUserChange(item, notifier)) return;
  State& g = *gState;
  const bool outline = dlg::IdOf(item) == kOutlineSwatch;
  if (outline != (g.EditingOutline != 0)) {
    g.EditingOutline = outline ? 1 : 0;
  } else {
    SetEditedColor(g, dlg::SwitchMode(EditedColor(g)));
  }
  ShowEditedColor(dlg::DialogOf(item), g);
}

void OnBackgroundSwitch(ADMItemRef item, ADMNotifierRef notifier) {
  if (!dlg::DefaultThenUserChange(item, notifier)) return;
  State& g = *gState;
  g.Fond = !g.Fond;
  ShowEditedColor(dlg::DialogOf(item), g);
}

// Component k of the edited colour from a slider or an edit, shown in the other.
void SetComponent(ADMDialogRef dialog, int32_t k, float value, int32_t otherId) {
  State& g = *gState;
  ColorValue color = EditedColor(g);
  const float max = k == 0 ? dlg::FirstComponentMax(color.rgb) : dlg::kRgbFull;
  color.c[k] = std::clamp(value, 0.0f, max);
  SetEditedColor(g, color);
  dlg::SetValue(dialog, otherId, color.c[k]);
  dlg::RedrawDialog(dialog);
}

// Sliders follow a drag: they act on every notification.
void OnSlider(ADMItemRef item, ADMNotifierRef notifier) {
  sADMItem->DefaultNotify(item, notifier);
  const int32_t k = dlg::IdOf(item) - kSliderFirst;
  if (k < 0 || k > 2) return;
  SetComponent(dlg::DialogOf(item), k, dlg::FloatOf(item, EditedColor(*gState).c[k]), kEditFirst + k);
}

void OnEdit(ADMItemRef item, ADMNotifierRef notifier) {
  if (!dlg::DefaultThenUserChange(item, notifier)) return;
  const int32_t k = dlg::IdOf(item) - kEditFirst;
  if (k < 0 || k > 2) return;
  SetComponent(dlg::DialogOf(item), k, dlg::FloatOf(item, EditedColor(*gState).c[k]), kSliderFirst + k);
}

void OnLetter(ADMItemRef item, ADMNotifierRef notifier) {
  if (!dlg::DefaultThenUserChange(item, notifier)) return;
  const int32_t k = dlg::IdOf(item) - kLetterFirst;
  if (k < 0 || k > 2) return;
  dlg::Focus(dlg::DialogOf(item), kEditFirst + k);
}

//-----------------------------------------------------------------------------
// [SECTION] Drawing
//-----------------------------------------------------------------------------

void SetColor(ADMDrawerRef drawer, const ADMRGBColor& color) { sADMDrawer->SetRGBColor(drawer, &color); }

void DrawOpenArrow(ADMItemRef, ADMDrawerRef drawer) {
  const State& g = *gState;
  SetColor(drawer, dlg::ScreenColor(WorkingOutline(g)));
  const dlg::OpenArrowPicture p = dlg::OpenArrowOf(g.ColorsAngle1);
  sADMDrawer->DrawLine(drawer, &p.shaftStart, &p.shaftEnd);
  sADMDrawer->DrawLine(drawer, &p.tip, &p.upperBarb);
  sADMDrawer->DrawLine(drawer, &p.tip, &p.lowerBarb);
}

void DrawTriangleArrow(ADMItemRef, ADMDrawerRef drawer) {
  const State& g = *gState;
  SetColor(drawer, dlg::ScreenColor(WorkingOutline(g)));
  const dlg::TriangleArrowPicture p = dlg::TriangleArrowOf(g.ColorsAngle2);
  if (!g.ColorsHollow) sADMDrawer->FillPolygon(drawer, p.corners, 3);
  sADMDrawer->DrawPolygon(drawer, p.corners, 3);
  sADMDrawer->DrawLine(drawer, &p.shaftStart, &p.shaftEnd);
}

// A frame holding the label's edge and a text mark, placed by the gaps.
void DrawGapPicture(ADMItemRef, ADMDrawerRef drawer) {
  const State& g = *gState;
  SetColor(drawer, dlg::ScreenColor(WorkingOutline(g)));
  const ADMRect frame{0, 0, dlg::kGapFrameWidth, dlg::kGapFrameHeight};
  sADMDrawer->DrawRect(drawer, &frame);
  const dlg::GapPicture p = dlg::GapPictureOf(g.ColorsGapH, g.ColorsGapV);
  const ADMRect label{p.edgeLeft, std::min(p.bandTop, p.bandBottom), dlg::kGapFrameWidth,
                      std::max(p.bandTop, p.bandBottom) + 1};
  sADMDrawer->DrawRect(drawer, &label);
  const ADMRect text{p.textLeft, 20, dlg::kGapFrameWidth - 1, 27};
  if (text.right > text.left) sADMDrawer->FillRect(drawer, &text);
}

void DrawLetter(ADMItemRef item, ADMDrawerRef drawer) {
  const State& g = *gState;
  const int32_t k = dlg::IdOf(item) - kLetterFirst;
  const bool rgb = EditedColor(g).rgb;
  static const char* const kLetters[] = {"R", "G", "B"};
  static const char* const kNames[] = {"Red", "Green", "Blue"};
  if (k < 0 || k > 2) return;
  const char* letter = k == 0 && !rgb ? "B" : kLetters[k];
  sADMItem->SetTipString(item, k == 0 && !rgb ? "Black" : kNames[k]);
  ADMRect bounds{};
  if (sADMDrawer->GetBoundsRect(drawer, &bounds) != kNoErr) return;
  sADMDrawer->SetADMColor(drawer, kADMTextColor);
  sADMDrawer->DrawTextCentered(drawer, letter, &bounds);
}

// A swatch, framed; a background that is off is white with a diagonal stroke.
void DrawSwatch(ADMDrawerRef drawer, const ADMRect& rect, const ColorValue& color, bool off) {
  if (off) {
    sADMDrawer->SetADMColor(drawer, kADMWhiteColor);
  } else {
    SetColor(drawer, dlg::ScreenColor(color));
  }
  sADMDrawer->FillRect(drawer, &rect);
  sADMDrawer->SetADMColor(drawer, kADMBlackColor);
  sADMDrawer->DrawRect(drawer, &rect);
  if (off) {
    const ADMPoint from{rect.left, rect.bottom - 1};
    const ADMPoint to{rect.right - 1, rect.top};
    sADMDrawer->DrawLine(drawer, &from, &to);
  }
}

void DrawRamps(ADMDrawerRef drawer, const ColorValue& color) {
  const int ramps = color.rgb ? 3 : 1;
  for (int k = 0; k < 3; ++k) {
    const int32_t top = dlg::kRampTops[k];
    if (k >= ramps) {
      const ADMRect area{dlg::kRampLeft, top, dlg::kRampLeft + dlg::kRampSteps * dlg::kRampStepWidth,
                         top + dlg::kRampHeight};
      sADMDrawer->ClearRect(drawer, &area);
      continue;
    }
    for (int step = 0; step < dlg::kRampSteps; ++step) {
      const int32_t left = dlg::kRampLeft + step * dlg::kRampStepWidth;
      const ADMRect cell{left, top, left + dlg::kRampStepWidth, top + dlg::kRampHeight};
      SetColor(drawer, dlg::RampColor(color, k, step));
      sADMDrawer->FillRect(drawer, &cell);
    }
  }
}

void DrawColors(ADMDialogRef dialog, ADMDrawerRef drawer) {
  const State& g = *gState;
  sADMDialog->DefaultDraw(dialog, drawer);
  const bool backgroundOff = g.Fond == 0;
  // The colour being edited in front.
  if (g.EditingOutline) {
    DrawSwatch(drawer, kBackgroundSwatchRect, WorkingBackground(g), backgroundOff);
    DrawSwatch(drawer, kOutlineSwatchRect, WorkingOutline(g), false);
  } else {
    DrawSwatch(drawer, kOutlineSwatchRect, WorkingOutline(g), false);
    DrawSwatch(drawer, kBackgroundSwatchRect, WorkingBackground(g), backgroundOff);
  }
  // The background switch: filled while the background is on.
  sADMDrawer->SetADMColor(drawer, kADMBlackColor);
  sADMDrawer->DrawRect(drawer, &kBackgroundSwitchRect);
  if (!backgroundOff) {
    const ADMRect inside{kBackgroundSwitchRect.left + 2, kBackgroundSwitchRect.top + 2,
                         kBackgroundSwitchRect.right - 2, kBackgroundSwitchRect.bottom - 2};
    sADMDrawer->FillRect(drawer, &inside);
  }
  DrawRamps(drawer, EditedColor(g));
  sADMDrawer->SetADMColor(drawer, kADMTextColor);
  for (const ADMPoint& at : kDegreeSigns) sADMDrawer->DrawText(drawer, "\xB0", &at);
}

//-----------------------------------------------------------------------------
// [SECTION] OK, Cancel, Default
//-----------------------------------------------------------------------------

// Puts the colours in force into the three path styles: the outline into the
// strokes and the solid heads' fill, the background into the shape's fill,
// which is on exactly when Fond is set.
void ApplyColors(State& g) {
  const AIColor outline = OutlineColor(g);
  g.LineStyle.stroke.color = outline;
  g.ShapeStyle.stroke.color = outline;
  g.SolidHeadStyle.fill.color = outline;
  g.ShapeStyle.fill.color = BackgroundColor(g);
  g.ShapeStyle.fillPaint = g.Fond ? 1 : 0;
}

void OnOk(ADMItemRef item, ADMNotifierRef notifier) {
  if (!dlg::DefaultThenUserChange(item, notifier)) return;
  State& g = *gState;
  g.ColorsOpen = 0;
  g.AnglePointe1 = g.ColorsAngle1;
  g.AnglePointe2 = g.ColorsAngle2;
  g.FlecheCreuse = g.ColorsHollow;
  g.TextGapH = g.ColorsGapH;
  g.TextGapV = g.ColorsGapV;
  g.RVBC = g.ColorsRgbOutline;
  g.RougeGrisC = g.ColorsOutline[0];
  g.VertC = g.ColorsOutline[1];
  g.BleuC = g.ColorsOutline[2];
  g.RVBF = g.ColorsRgbBackground;
  g.RougeGrisF = g.ColorsBackground[0];
  g.VertF = g.ColorsBackground[1];
  g.BleuF = g.ColorsBackground[2];

  // The gaps are stored as the settings of the next start.
  g.DecalageHorizTexte = g.TextGapH;
  g.DecalageVertiTexte = g.TextGapV;

  // Every store is tried; a failure is reported once the changes are applied.
  using enum SettingId;
  const bool failed = StoreSettings({AnglePointe1, AnglePointe2, FlecheCreuse, DecalageHorizTexte,
                                     DecalageVertiTexte, RVBC, RougeGrisC, VertC, BleuC, RVBF, RougeGrisF, VertF,
                                     BleuF, Fond}) != kNoErr;

  ApplyColors(g);
  PanelShowTextGaps();
  if (g.PrefsOpen) dlg::RedrawDialog(g.PrefsDialog);
  // The triangle in force takes the new hollow choice; points keep theirs.
  if (g.ArrowKind == 3 && g.ArrowsOn) g.HeadPoints.HollowHead = g.FlecheCreuse ? 1 : 0;
  dlg::RememberBounds(dlg::DialogOf(item), g.ColorsDialogRect);
  Rebuild();
  if (failed && gState != nullptr) dlg::ShowNotSaved(kNotSaved);
}

void OnCancel(ADMItemRef item, ADMNotifierRef notifier) {
  if (!dlg::DefaultThenUserChange(item, notifier)) return;
  State& g = *gState;
  dlg::RememberBounds(dlg::DialogOf(item), g.ColorsDialogRect);
  PanelRedrawTriangleButton();
  g.ColorsOpen = 0;
}

void OnDefault(ADMItemRef item, ADMNotifierRef notifier) {
  if (!dlg::DefaultThenUserChange(item, notifier)) return;
  State& g = *gState;
  State defaults{};
  SetDefaultSettings(defaults);
  g.ColorsAngle1 = defaults.AnglePointe1;
  g.ColorsAngle2 = defaults.AnglePointe2;
  g.ColorsHollow = defaults.FlecheCreuse;
  g.ColorsGapH = defaults.DecalageHorizTexte;
  g.ColorsGapV = defaults.DecalageVertiTexte;
  // The outline goes back to black; the background's colour is kept.
  g.ColorsRgbOutline = defaults.RVBC;
  g.ColorsOutline[0] = defaults.RougeGrisC;
  g.Fond = defaults.Fond;
  g.EditingOutline = 1;
  ADMDialogRef dialog = dlg::DialogOf(item);
  ShowOptions(dialog, g);
  ShowEditedColor(dialog, g);
  dlg::Focus(dialog, kAngle1);
}

//-----------------------------------------------------------------------------
// [SECTION] Opening
//-----------------------------------------------------------------------------

ASErr InitColors(ADMDialogRef dialog) {
  State& g = *gState;
  g.ColorsDialog = dialog;
  sADMDialog->SetDrawProc(dialog, &dlg::DrawDialog<DrawColors>);
  TakeWorkingCopies(g);
  dlg::PlaceDialog(dialog, g.ColorsDialogRect, kColorsWidth, kColorsHeight);
  sADMDialog->SetText(dialog, kTitle);

  // An item the host refuses is left out; the others still work.
  for (const ItemRow& row : kRows) dlg::CreateItem(dialog, row);
  ShowOptions(dialog, g);
  ShowEditedColor(dialog, g);
  dlg::Focus(dialog, kAngle1);

  g.ColorsOpen = 1;
  return kNoErr;
}

}  // namespace

ASErr RunColorsDialog(int32_t resourceId, const char* name) {
  State& g = *gState;
  // One at a time: a second one would take over the working copies.
  if (g.ColorsOpen) return kNoErr;
  const ASBoolean fondBefore = g.Fond;
  int32_t itemHit = 0;
  const ASErr err = sADMDialog->Modal(gPluginRef, name, resourceId, kADMModalDialogStyle, &dlg::Init<InitColors>,
                                      nullptr, 0, &itemHit);
  // However the dialog ended, it is closed now; the run may even have ended meanwhile.
  if (gState != nullptr) {
    gState->ColorsOpen = 0;
    gState->ColorsDialog = nullptr;
    // Cancel leaves everything as it was: the panel's swatch and the next
    // labels' fill agree again.
    if (itemHit != kOk && gState->Fond != fondBefore) {
      gState->Fond = fondBefore;
      PanelRedrawSwatch();
    }
  }
  return err;
}
