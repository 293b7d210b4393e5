// The arrows editor: a modal dialog in which the user draws the custom
// arrowhead (arrowhead kind 4) on a zoomed canvas. It works on a copy of the
// saved arrowhead; OK stores it, puts it in force when the custom arrowhead
// is the current one, and rebuilds the pending label.
//
// [SECTION] Items
// [SECTION] Working copy and the angle flag
// [SECTION] Fields and buttons
// [SECTION] Drag step
// [SECTION] Drawing
// [SECTION] OK, Cancel, Default
// [SECTION] Opening

#include <algorithm>
#include <initializer_list>

#include "core/Ids.h"
#include "core/Settings.h"
#include "core/State.h"
#include "core/Suites.h"
#include "ui/DialogKit.h"
#include "editors/EditorShared.h"
#include "editors/Editors.h"
#include "core/PendingLabel.h"
#include "label/Rebuild.h"

using dlg::ItemRow;
using edit::Part;
using namespace editor;

namespace {

//-----------------------------------------------------------------------------
// [SECTION] Items
//-----------------------------------------------------------------------------

constexpr int32_t kWidth = 500;
constexpr int32_t kHeight = 410;
constexpr const char* kTitle = "Arrows editor (KPX\x95Labels).";
constexpr const char* kToRounded = "Transform the selected point into a rounded point.";
constexpr const char* kToAngle = "Transform the selected point into an angle point.";
constexpr const char* kSymmetricTip = "Symmetrical movement of points.";
constexpr const char* kIndependentTip = "Independent movement of points.";
constexpr const char* kNotSaved = "The arrowhead could not be saved.";

void OnFieldX(ADMItemRef, ADMNotifierRef);
void OnFieldY(ADMItemRef, ADMNotifierRef);
void OnLineStartButton(ADMItemRef, ADMNotifierRef);
void OnToggle(ADMItemRef, ADMNotifierRef);
void OnAngleButton(ADMItemRef, ADMNotifierRef);
void OnPredefined(ADMItemRef, ADMNotifierRef);
void OnOk(ADMItemRef, ADMNotifierRef);
void OnCancel(ADMItemRef, ADMNotifierRef);
void OnDefault(ADMItemRef, ADMNotifierRef);
void DrawCanvas(ADMItemRef, ADMDrawerRef);
void DrawSample(ADMItemRef, ADMDrawerRef);
void DrawToggleIcon(ADMItemRef, ADMDrawerRef);

#define NOTIFY(fn) &dlg::Notify<fn>
#define DRAW(fn) &dlg::Draw<fn>

ItemRow Field(int32_t id, ADMRect rect, const char* tip, float min, float max, ADMItemNotifyProc notify) {
  return {.id = id, .type = kADMSpinEditType, .rect = rect, .tip = tip, .units = kADMPointUnits, .precision = 2,
          .hasMin = true, .min = min, .hasMax = true, .max = max, .smallStep = 0.1f, .largeStep = 1,
          .notify = notify};
}

ItemRow Button(int32_t id, ADMRect rect, const char* tip, ADMItemNotifyProc notify, ADMItemDrawProc draw) {
  return {.id = id, .type = kADMPicturePushButtonType, .rect = rect, .tip = tip, .notify = notify, .draw = draw};
}

ItemRow Picture(int32_t id, ADMRect rect, const char* tip, int32_t picture, ADMItemNotifyProc notify) {
  return {.id = id, .type = kADMPicturePushButtonType, .rect = rect, .tip = tip, .picture = picture,
          .notify = notify};
}

ItemRow Predefined(int32_t k, const char* tip) {
  return Picture(kPredefinedFirst + k, {6, 175 + 20 * k, 25, 194 + 20 * k}, tip, 28002 + k, NOTIFY(OnPredefined));
}

ItemRow TextButton(int32_t id, ADMRect rect, const char* text, const char* tip, ADMItemNotifyProc notify) {
  return {.id = id, .type = kADMTextPushButtonType, .rect = rect, .tip = tip, .text = text, .notify = notify};
}

const char* const kXTip = "Horizontal position of the selected point.";
const char* const kYTip = "Vertical position of the selected point.";

const ItemRow kRows[] = {
    Field(kFieldX, {30, 8, 95, 30}, kXTip, -6, 16, NOTIFY(OnFieldX)),
    Button(kFieldXHotSpot, {2, 8, 28, 30}, kXTip, NOTIFY(OnHotSpot), DRAW(dlg::DrawNothing)),
    Field(kFieldY, {110, 8, 175, 30}, kYTip, -6, 6, NOTIFY(OnFieldY)),
    Button(kFieldYHotSpot, {82, 8, 110, 30}, kYTip, NOTIFY(OnHotSpot), DRAW(dlg::DrawNothing)),
    Button(kSelectAnchor, {177, 14, 187, 24}, "Selection of a control point.", NOTIFY(OnSelectButton),
           DRAW(DrawSelectButton)),
    Button(kSelectLineStart, {290, 14, 300, 24}, "Selection of the beginning point of the line.",
           NOTIFY(OnLineStartButton), DRAW(DrawSelectButton)),
    Button(kSelectIn, {202, 8, 212, 18}, "Selection of a tangent point (in).", NOTIFY(OnSelectButton),
           DRAW(DrawSelectButton)),
    Button(kSelectOut, {202, 20, 212, 30}, "Selection of a tangent point (out).", NOTIFY(OnSelectButton),
           DRAW(DrawSelectButton)),
    {.id = kGridPopup, .type = kADMPopupListType, .rect = {310, 8, 490, 30}, .tip = "Grid spacing =\t",
     .notify = NOTIFY(OnGridPopup)},
    {.id = kMoveMode, .type = kADMPictureRadioButtonType, .rect = {6, 35, 25, 54}, .tip = "Move points.",
     .picture = 28000, .notify = NOTIFY(OnModeButton), .draw = DRAW(DrawModeButton)},
    {.id = kAddDeleteMode, .type = kADMPictureRadioButtonType, .rect = {6, 55, 25, 74},
     .tip = "Add or delete points.", .picture = 28001, .notify = NOTIFY(OnModeButton), .draw = DRAW(DrawModeButton)},
    Button(kSymmetricButton, {6, 75, 25, 94}, kSymmetricTip, NOTIFY(OnToggle), DRAW(DrawToggleIcon)),
    Button(kClosedButton, {6, 102, 25, 121}, "Opened or closed.", NOTIFY(OnToggle), DRAW(DrawToggleIcon)),
    Button(kHollowButton, {6, 122, 25, 141}, "Solid or hollow.", NOTIFY(OnToggle), DRAW(DrawToggleIcon)),
    Button(kAngleButton, {6, 142, 25, 161}, kToAngle, NOTIFY(OnAngleButton), DRAW(DrawToggleIcon)),
    Predefined(0, "Arrow 1."), Predefined(1, "Arrow 2."), Predefined(2, "Arrow 3."),
    Predefined(3, "Arrow 4."), Predefined(4, "Arrow 5."), Predefined(5, "Arrow 6."),
    {.id = kCount, .type = kADMTextStaticType, .rect = {210, 295, 290, 313},
     .tip = "Number of control points of the arrow (<21 and >1)."},
    {.id = kSample, .type = kADMPictureStaticType, .rect = {30, 314, 490, 342}, .draw = DRAW(DrawSample)},
    {.id = kCanvas, .type = kADMPicturePushButtonType, .rect = {30, 35, 490, 295}, .draw = DRAW(DrawCanvas),
     .track = &dlg::Track<TrackCanvas>},
    {.id = kNextPoint, .type = kADMPicturePushButtonType, .rect = {264, 14, 277, 25}, .tip = "Modify the next point.",
     .picture = 400, .notify = NOTIFY(OnStepPoint)},
    {.id = kPreviousPoint, .type = kADMPicturePushButtonType, .rect = {223, 14, 236, 25},
     .tip = "Modify the previous point.", .picture = 402, .notify = NOTIFY(OnStepPoint)},
    {.id = kPointNumber, .type = kADMTextEditType, .rect = {238, 8, 262, 30}, .units = kADMNoUnits, .precision = 0,
     .hasMin = true, .min = 0, .style = kADMNumericEditStyle, .notify = NOTIFY(OnPointNumber)},
    TextButton(kCancel, {10, 352, 78, 372}, "Cancel", "No modification.", NOTIFY(OnCancel)),
    TextButton(kDefault, {218, 352, 290, 372}, "Default", "Back to the last default arrow.", NOTIFY(OnDefault)),
    TextButton(kOk, {431, 352, 489, 372}, "OK", "Validation of the new default arrow.", NOTIFY(OnOk)),
};

#undef NOTIFY
#undef DRAW

//-----------------------------------------------------------------------------
// [SECTION] Working copy and the angle flag
//-----------------------------------------------------------------------------

void LoadSaved(State& g) {
  g.EditCount = IsValidPointCount(g.NbPtsFlEdit) ? g.NbPtsFlEdit : kPointListMinCount;
  g.EditPoints = g.PtFlEdit;
  g.EditClosed = g.FouOEdit;
  g.EditHollow = g.CouPEdit;
  g.EditSymmetric = g.SymetriEdit;
  g.EditLineStartX = g.DebEditSegX;
  g.EditLineStartY = g.DebEditSegY;
  g.EditSelection = 0;
}

// The point the angle switch and the re-evaluation act on: item 26's number.
int CurrentPoint(ADMDialogRef dialog) {
  const State& g = *gState;
  const float shown = dlg::FloatOf(dlg::Item(dialog, kPointNumber), 0);
  return std::clamp(static_cast<int>(shown), 0, g.EditCount - 1);
}

void Reevaluate(ADMDialogRef dialog) {
  State& g = *gState;
  g.AngleFlag = edit::IsAnglePoint(g.EditPoints, CurrentPoint(dialog)) ? 1 : 0;
  dlg::SetTip(dialog, kAngleButton, g.AngleFlag ? kToRounded : kToAngle);
  dlg::Redraw(dialog, kAngleButton);
}

void ShowFlags(ADMDialogRef dialog) {
  dlg::SetTip(dialog, kSymmetricButton, gState->EditSymmetric ? kSymmetricTip : kIndependentTip);
  dlg::RedrawItems(dialog, kClosedButton, kSymmetricButton);
}

// Everything that follows a new working copy: fields, count, point number,
// flags, the angle switch and the drawings.
void ShowWorkingCopy(ADMDialogRef dialog) {
  ShowCount(dialog);
  dlg::SetValue(dialog, kPointNumber, 0);
  ShowSelectionFields(dialog);
  Reevaluate(dialog);
  ShowFlags(dialog);
  EnablePointButtons(dialog, true);
  RedrawCanvas(dialog);
}

//-----------------------------------------------------------------------------
// [SECTION] Fields and buttons
//-----------------------------------------------------------------------------

void AfterFieldEdit(ADMDialogRef dialog) {
  Reevaluate(dialog);
  dlg::Redraw(dialog, kCanvas);
  dlg::Redraw(dialog, kSample);
}

void OnFieldX(ADMItemRef item, ADMNotifierRef notifier) {
  if (!dlg::DefaultThenUserChange(item, notifier)) return;
  State& g = *gState;
  if (g.EditSelection == edit::kSelectNothing) return;
  const float v = dlg::FloatOf(item, 0);
  if (g.EditSelection == edit::kSelectLineStart) {
    g.EditLineStartX = v;
  } else {
    edit::TypeArrowX(g.EditPoints, g.EditCount, g.EditSelection, v, g.EditSymmetric != 0);
  }
  AfterFieldEdit(dlg::DialogOf(item));
}

void OnFieldY(ADMItemRef item, ADMNotifierRef notifier) {
  if (!dlg::DefaultThenUserChange(item, notifier)) return;
  State& g = *gState;
  if (g.EditSelection == edit::kSelectNothing) return;
  const float v = dlg::FloatOf(item, 0);
  if (g.EditSelection == edit::kSelectLineStart) {
    g.EditLineStartY = v;
  } else {
    const float shown = edit::TypeArrowY(g.EditPoints, g.EditCount, g.EditSelection, v, g.EditSymmetric != 0);
    if (shown != v) sADMItem->SetFloatValue(item, shown);
  }
  AfterFieldEdit(dlg::DialogOf(item));
}

void OnLineStartButton(ADMItemRef item, ADMNotifierRef notifier) {
  if (!dlg::DefaultThenUserChange(item, notifier)) return;
  gState->EditSelection = edit::kSelectLineStart;
  ADMDialogRef dialog = dlg::DialogOf(item);
  EnablePointButtons(dialog, false);
  ShowSelectionFields(dialog);
  RedrawCanvas(dialog);
}

// 13 closed, 14 hollow, 15 symmetric.
void OnToggle(ADMItemRef item, ADMNotifierRef notifier) {
  if (!dlg::DefaultThenUserChange(item, notifier)) return;
  State& g = *gState;
  const int32_t id = dlg::IdOf(item);
  ASBoolean& flag = id == kClosedButton ? g.EditClosed : (id == kHollowButton ? g.EditHollow : g.EditSymmetric);
  flag = !flag;
  ADMDialogRef dialog = dlg::DialogOf(item);
  ShowFlags(dialog);
  if (id != kSymmetricButton) {
    dlg::RedrawDialog(dialog);
    RedrawCanvas(dialog);
  }
}

void OnAngleButton(ADMItemRef item, ADMNotifierRef notifier) {
  if (!dlg::DefaultThenUserChange(item, notifier)) return;
  State& g = *gState;
  ADMDialogRef dialog = dlg::DialogOf(item);
  if (g.EditSelection == edit::kSelectLineStart) return;
  const int i = CurrentPoint(dialog);
  g.AngleFlag = !g.AngleFlag;
  if (g.AngleFlag) {
    edit::MakeArrowPointAngle(g.EditPoints, g.EditCount, i, g.EditSymmetric != 0);
  } else {
    edit::MakeArrowPointRounded(g.EditPoints, g.EditCount, i, g.EditSymmetric != 0);
  }
  dlg::SetTip(dialog, kAngleButton, g.AngleFlag ? kToRounded : kToAngle);
  ShowSelectionFields(dialog);
  dlg::RedrawDialog(dialog);
  RedrawCanvas(dialog);
}

void OnPredefined(ADMItemRef item, ADMNotifierRef notifier) {
  if (!dlg::DefaultThenUserChange(item, notifier)) return;
  State& g = *gState;
  const edit::Predefined& arrow = edit::PredefinedArrow(dlg::IdOf(item) - kPredefinedFirst);
  g.EditCount = static_cast<int8_t>(arrow.count);
  g.EditPoints = arrow.points;
  g.EditLineStartX = arrow.lineStartX;
  g.EditLineStartY = 0;
  g.EditClosed = 1;
  g.EditHollow = 0;
  g.EditSymmetric = 1;
  g.EditSelection = 0;
  ShowWorkingCopy(dlg::DialogOf(item));
}

//-----------------------------------------------------------------------------
// [SECTION] Drag step
//-----------------------------------------------------------------------------

void DragStep(ADMItemRef canvas, ADMPoint at, bool invert) {
  State& g = *gState;
  ADMDialogRef dialog = dlg::DialogOf(canvas);
  at.h = std::clamp(at.h, 10, 450);
  at.v = std::clamp(at.v, 10, 250);
  if (g.PickArmed) {
    const Point lineStart{g.EditLineStartX, g.EditLineStartY};
    const int hit = edit::PickMark(g.EditPoints, g.EditCount, edit::kArrowCanvas, {at.h, at.v}, 6, &lineStart);
    if (hit >= 0) {
      g.EditSelection = static_cast<int16_t>(hit);
      g.PickArmed = 0;
      if (hit != edit::kSelectLineStart) dlg::SetValue(dialog, kPointNumber, static_cast<float>(edit::PointOf(hit)));
      SetCursor(kCursorDragging);
    }
  }
  if (g.EditSelection != edit::kSelectNothing) {
    const bool snap = (g.GridMagnetism != 0) != invert;
    if (g.EditSelection == edit::kSelectLineStart) {
      g.EditLineStartX = edit::ArrowUnits(std::clamp(at.h, 30, 430) - 130, g.GridSpacing, snap);
      g.EditLineStartY = edit::ArrowUnits(std::clamp(at.v, 30, 230) - 130, g.GridSpacing, snap);
      EnablePointButtons(dialog, false);
    } else {
      const Point to{edit::ArrowUnits(at.h - 130, g.GridSpacing, snap), edit::ArrowUnits(at.v - 130, g.GridSpacing, snap)};
      edit::DragArrowTo(g.EditPoints, g.EditCount, g.EditSelection, to, g.EditSymmetric != 0);
      Reevaluate(dialog);
      EnablePointButtons(dialog, true);
    }
    ShowSelectionFields(dialog);
  }
  dlg::Redraw(dialog, kAngleButton);
  RedrawCanvas(dialog);
}

// The new anchor in the fields; nothing stays selected.
void AfterInsert(ADMDialogRef dialog, Point anchor) {
  dlg::SetValue(dialog, kFieldX, anchor.x);
  dlg::SetValue(dialog, kFieldY, anchor.y);
}

//-----------------------------------------------------------------------------
// [SECTION] Drawing
//-----------------------------------------------------------------------------

void DrawCanvas(ADMItemRef, ADMDrawerRef drawer) {
  const State& g = *gState;
  const ADMRect whole{0, 0, 460, 260};
  sADMDrawer->SetADMColor(drawer, kADMWhiteColor);
  sADMDrawer->FillRect(drawer, &whole);
  sADMDrawer->DrawSunkenRect(drawer, &whole);
  if (g.GridShown) DrawGrid(drawer, 230);

  sADMDrawer->SetRGBColor(drawer, &g.EditOutlineColor);
  DrawOutline(drawer, g.EditPoints, g.EditCount, g.EditClosed != 0, g.EditHollow == 0, edit::kArrowCanvas);

  sADMDrawer->SetADMColor(drawer, kADMShadowColor);
  const ADMRect area{10, 10, 450, 250};
  sADMDrawer->DrawRect(drawer, &area);
  // The origin mark: two 3-pixel strokes crossing at the tip.
  for (int32_t d = -1; d <= 1; ++d) {
    const ADMPoint a{124 + d, 124}, b{136 + d, 136}, c{124 + d, 136}, e{136 + d, 124};
    sADMDrawer->DrawLine(drawer, &a, &b);
    sADMDrawer->DrawLine(drawer, &c, &e);
  }

  DrawHandles(drawer, g.EditPoints, g.EditCount, edit::kArrowCanvas);

  // The leader line from the line start, in red.
  const edit::Pixel s = edit::ToPixel(edit::kArrowCanvas, {g.EditLineStartX, g.EditLineStartY});
  sADMDrawer->SetADMColor(drawer, kADMRedColor);
  const ADMPoint from{s.h, s.v}, to{430, s.v};
  sADMDrawer->DrawLine(drawer, &from, &to);
  const ADMRect mark{s.h - 2, s.v - 2, s.h + 2, s.v + 2};
  if (g.EditSelection == edit::kSelectLineStart) {
    const ADMRect frame{s.h - 3, s.v - 3, s.h + 3, s.v + 3};
    sADMDrawer->SetADMColor(drawer, kADMWhiteColor);
    sADMDrawer->FillRect(drawer, &mark);
    sADMDrawer->SetADMColor(drawer, kADMRedColor);
    sADMDrawer->DrawRect(drawer, &frame);
  } else {
    sADMDrawer->FillRect(drawer, &mark);
  }
}

// The arrowhead at both ends of a short leader line, at 2 pixels a unit.
void DrawSample(ADMItemRef, ADMDrawerRef drawer) {
  const State& g = *gState;
  constexpr edit::Mapping kLeft = {12, 14, 2, 2};
  constexpr edit::Mapping kRight = {446, 14, -2, 2};
  sADMDrawer->SetRGBColor(drawer, &g.EditOutlineColor);
  DrawOutline(drawer, g.EditPoints, g.EditCount, g.EditClosed != 0, g.EditHollow == 0, kLeft);
  DrawOutline(drawer, g.EditPoints, g.EditCount, g.EditClosed != 0, g.EditHollow == 0, kRight);
  const Point start{g.EditLineStartX, g.EditLineStartY};
  const edit::Pixel a = edit::ToPixel(kLeft, start), b = edit::ToPixel(kRight, start);
  const ADMPoint pa{a.h, a.v}, pb{b.h, b.v};
  sADMDrawer->DrawLine(drawer, &pa, &pb);
}

void DrawToggleIcon(ADMItemRef item, ADMDrawerRef drawer) {
  const State& g = *gState;
  int32_t icon = 0;
  switch (dlg::IdOf(item)) {
    case kClosedButton: icon = g.EditClosed ? 25001 : 25000; break;
    case kHollowButton: icon = g.EditHollow ? 25003 : 25002; break;
    case kSymmetricButton: icon = g.EditSymmetric ? 25005 : 25004; break;
    case kAngleButton: icon = g.AngleFlag ? 25007 : 25006; break;
    default: return;
  }
  DrawPicture(drawer, icon, {0, 0});
}

void DrawDecorations(ADMDialogRef dialog, ADMDrawerRef drawer) {
  sADMDialog->DefaultDraw(dialog, drawer);
  DrawFieldGlyphs(drawer);
}

//-----------------------------------------------------------------------------
// [SECTION] OK, Cancel, Default
//-----------------------------------------------------------------------------

void OnOk(ADMItemRef item, ADMNotifierRef notifier) {
  if (!dlg::DefaultThenUserChange(item, notifier)) return;
  State& g = *gState;
  dlg::RememberBounds(dlg::DialogOf(item), g.ArrowsEditorRect);
  g.NbPtsFlEdit = g.EditCount;
  g.FouOEdit = g.EditClosed;
  g.CouPEdit = g.EditHollow;
  g.SymetriEdit = g.EditSymmetric;
  g.DebEditSegX = g.EditLineStartX;
  g.DebEditSegY = g.EditLineStartY;
  g.PtFlEdit = g.EditPoints;
  using enum SettingId;
  // The symmetric flag is one field under two keys: both are stored, so the
  // next start reads back what was chosen here whichever key it reads last.
  ASErr err = StoreSettings({NbPtsFlEdit, FouOEdit, CouPEdit, SymetriEdit, SymetrieArrondiEdit, DebEditSegX,
                             DebEditSegY});
  const ASErr points = StoreArrowheadPoints();
  if (err == kNoErr) err = points;
  if (g.ArrowKind == 4 && g.ArrowsOn) ChooseArrowOutline(4);
  g.ArrowEditorOpen = 0;
  Rebuild();
  if (err != kNoErr && gState != nullptr) dlg::ShowNotSaved(kNotSaved);
}

void OnCancel(ADMItemRef item, ADMNotifierRef notifier) {
  if (!dlg::DefaultThenUserChange(item, notifier)) return;
  State& g = *gState;
  dlg::RememberBounds(dlg::DialogOf(item), g.ArrowsEditorRect);
  g.ArrowEditorOpen = 0;
}

void OnDefault(ADMItemRef item, ADMNotifierRef notifier) {
  if (!dlg::DefaultThenUserChange(item, notifier)) return;
  State& g = *gState;
  LoadSaved(g);
  ResetGrid(g);
  ADMDialogRef dialog = dlg::DialogOf(item);
  ShowGridPopup(dialog);
  for (int32_t field : {kFieldX, kFieldY}) {
    if (ADMItemRef f = dlg::Item(dialog, field)) sADMItem->SetLargeIncrement(f, 1);
  }
  ShowWorkingCopy(dialog);
}

//-----------------------------------------------------------------------------
// [SECTION] Opening
//-----------------------------------------------------------------------------

ASErr InitArrows(ADMDialogRef dialog) {
  State& g = *gState;
  sADMDialog->SetDrawProc(dialog, &dlg::DrawDialog<DrawDecorations>);
  dlg::PlaceDialog(dialog, g.ArrowsEditorRect, kWidth, kHeight);
  sADMDialog->SetText(dialog, kTitle);

  g.EditOutlineColor = OutlineScreenColor(g);
  // The marks take the colour of the layer holding the pending label's first leader line.
  g.MarkColor = LayerMarkColor(g.LinePaths[0]);
  g.GridColor = HostGridColor();
  LoadSaved(g);
  ResetGrid(g);
  g.EditMode = 0;
  SetHooks({&Reevaluate, &DragStep, &AfterInsert});

  for (const ItemRow& row : kRows) dlg::CreateItem(dialog, row);
  if (ADMItemRef next = dlg::Item(dialog, kNextPoint)) sADMItem->SetSelectedPictureID(next, 401);
  if (ADMItemRef previous = dlg::Item(dialog, kPreviousPoint)) sADMItem->SetSelectedPictureID(previous, 403);
  if (ADMItemRef count = dlg::Item(dialog, kCount)) sADMItem->SetJustify(count, kADMCenterJustify);
  if (ADMItemRef number = dlg::Item(dialog, kPointNumber)) sADMItem->SetJustify(number, kADMCenterJustify);
  FillGridPopup(dialog, "Grid spacing =\t");
  ApplyEditMode(dialog);
  ShowWorkingCopy(dialog);
  g.PickArmed = 1;
  return kNoErr;
}

}  // namespace

ASErr RunArrowsEditor() {
  State& g = *gState;
  // One editor at a time: both work on the same working copy.
  if (g.ArrowEditorOpen || g.ShapeEditorOpen) return kNoErr;
  g.ArrowEditorOpen = 1;
  int32_t itemHit = 0;
  const ASErr err = sADMDialog->Modal(gPluginRef, "bidon", kArrowsEditorDialog, kADMModalDialogStyle,
                                      &dlg::Init<InitArrows>, nullptr, 0, &itemHit);
  // However the dialog ended, it is closed now; the run may even have ended meanwhile.
  if (gState != nullptr) gState->ArrowEditorOpen = 0;
  return err;
}
