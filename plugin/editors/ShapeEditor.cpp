// The shape editor: a modal dialog in which the user draws the custom label
// corner (the outline that replaces a corner of the custom label's box) and
// chooses the corners that use it. A twin of the arrows editor over a square
// canvas; OK stores the corner and rebuilds the pending label.
//
// [SECTION] Items
// [SECTION] Working copy
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
#include "label/Rebuild.h"

using dlg::ItemRow;
using namespace editor;

namespace {

//-----------------------------------------------------------------------------
// [SECTION] Items
//-----------------------------------------------------------------------------

constexpr int32_t kWidth = 500;
constexpr int32_t kHeight = 600;
constexpr const char* kTitle = "Shape editor (KPX\x95Labels)";
constexpr const char* kSymmetricTip = "Symmetrical movement of points.";
constexpr const char* kIndependentTip = "Independent movement of points.";
constexpr const char* kNotSaved = "The label corner could not be saved.";
// The fields keep to the canvas's active area (pixels 10 to 450 from the origin at 110).
constexpr float kFieldMin = -5;
constexpr float kFieldMax = 17;

void OnFieldX(ADMItemRef, ADMNotifierRef);
void OnFieldY(ADMItemRef, ADMNotifierRef);
void OnSymmetric(ADMItemRef, ADMNotifierRef);
void OnCornerBox(ADMItemRef, ADMNotifierRef);
void OnPredefined(ADMItemRef, ADMNotifierRef);
void OnOk(ADMItemRef, ADMNotifierRef);
void OnCancel(ADMItemRef, ADMNotifierRef);
void OnDefault(ADMItemRef, ADMNotifierRef);
void DrawCanvas(ADMItemRef, ADMDrawerRef);
void DrawSample(ADMItemRef, ADMDrawerRef);
void DrawSymmetricIcon(ADMItemRef, ADMDrawerRef);

#define NOTIFY(fn) &dlg::Notify<fn>
#define DRAW(fn) &dlg::Draw<fn>

ItemRow Field(int32_t id, ADMRect rect, const char* tip, ADMItemNotifyProc notify) {
  return {.id = id, .type = kADMSpinEditType, .rect = rect, .tip = tip, .units = kADMPointUnits, .precision = 2,
          .hasMin = true, .min = kFieldMin, .hasMax = true, .max = kFieldMax, .smallStep = 0.1f, .largeStep = 1,
          .notify = notify};
}

ItemRow Button(int32_t id, ADMRect rect, const char* tip, ADMItemNotifyProc notify, ADMItemDrawProc draw) {
  return {.id = id, .type = kADMPicturePushButtonType, .rect = rect, .tip = tip, .notify = notify, .draw = draw};
}

ItemRow Predefined(int32_t k, const char* tip) {
  return {.id = kPredefinedFirst + k, .type = kADMPicturePushButtonType, .rect = {6, 165 + 22 * k, 25, 184 + 22 * k},
          .tip = tip, .picture = 29002 + k, .notify = NOTIFY(OnPredefined)};
}

ItemRow CornerBox(int32_t k, ADMRect rect) {
  return {.id = kCornerFirstBox + k, .type = kADMTextCheckBoxType, .rect = rect, .notify = NOTIFY(OnCornerBox)};
}

ItemRow TextButton(int32_t id, ADMRect rect, const char* text, const char* tip, ADMItemNotifyProc notify) {
  return {.id = id, .type = kADMTextPushButtonType, .rect = rect, .tip = tip, .text = text, .notify = notify};
}

const char* const kXTip = "Horizontal position of the selected point.";
const char* const kYTip = "Vertical position of the selected point.";

const ItemRow kRows[] = {
    Field(kFieldX, {30, 8, 95, 30}, kXTip, NOTIFY(OnFieldX)),
    Button(kFieldXHotSpot, {2, 8, 28, 30}, kXTip, NOTIFY(OnHotSpot), DRAW(dlg::DrawNothing)),
    Field(kFieldY, {110, 8, 175, 30}, kYTip, NOTIFY(OnFieldY)),
    Button(kFieldYHotSpot, {82, 8, 110, 30}, kYTip, NOTIFY(OnHotSpot), DRAW(dlg::DrawNothing)),
    Button(kSelectAnchor, {177, 14, 187, 24}, "Selection of a control point.", NOTIFY(OnSelectButton),
           DRAW(DrawSelectButton)),
    Button(kSelectIn, {202, 8, 212, 18}, "Selection of a tangent point (in).", NOTIFY(OnSelectButton),
           DRAW(DrawSelectButton)),
    Button(kSelectOut, {202, 20, 212, 30}, "Selection of a tangent point (out).", NOTIFY(OnSelectButton),
           DRAW(DrawSelectButton)),
    {.id = kGridPopup, .type = kADMPopupListType, .rect = {310, 8, 490, 30}, .tip = "Choice of the grid spacing.",
     .notify = NOTIFY(OnGridPopup)},
    {.id = kMoveMode, .type = kADMPictureRadioButtonType, .rect = {6, 35, 25, 54}, .tip = "Move points.",
     .picture = 28000, .notify = NOTIFY(OnModeButton), .draw = DRAW(DrawModeButton)},
    {.id = kAddDeleteMode, .type = kADMPictureRadioButtonType, .rect = {6, 57, 25, 76},
     .tip = "Add or delete points.", .picture = 28001, .notify = NOTIFY(OnModeButton), .draw = DRAW(DrawModeButton)},
    Button(kSymmetricButton, {6, 79, 25, 98}, kSymmetricTip, NOTIFY(OnSymmetric), DRAW(DrawSymmetricIcon)),
    Predefined(0, "Predefined shape 1."), Predefined(1, "Predefined shape 2."), Predefined(2, "Predefined shape 3."),
    Predefined(3, "Predefined shape 4."), Predefined(4, "Predefined shape 5."), Predefined(5, "Predefined shape 6."),
    {.id = kCount, .type = kADMTextStaticType, .rect = {210, 498, 290, 512},
     .tip = "Number of control points of the shape (<21 and >1)."},
    {.id = kSample, .type = kADMPictureStaticType, .rect = {205, 510, 297, 562}, .draw = DRAW(DrawSample)},
    {.id = kCanvas, .type = kADMPictureStaticType, .rect = {30, 35, 490, 495}, .draw = DRAW(DrawCanvas),
     .track = &dlg::Track<TrackCanvas>},
    {.id = kNextPoint, .type = kADMPicturePushButtonType, .rect = {264, 14, 277, 25}, .tip = "Modify the next point.",
     .picture = 400, .notify = NOTIFY(OnStepPoint)},
    {.id = kPreviousPoint, .type = kADMPicturePushButtonType, .rect = {223, 14, 236, 25},
     .tip = "Modify the previous point.", .picture = 402, .notify = NOTIFY(OnStepPoint)},
    {.id = kPointNumber, .type = kADMTextEditType, .rect = {238, 8, 262, 30}, .units = kADMNoUnits, .precision = 0,
     .hasMin = true, .min = 0, .style = kADMNumericEditStyle, .notify = NOTIFY(OnPointNumber)},
    CornerBox(0, {185, 502, 205, 516}), CornerBox(1, {299, 502, 319, 516}),
    CornerBox(2, {185, 555, 205, 569}), CornerBox(3, {299, 555, 319, 569}),
    TextButton(kCancel, {10, 542, 78, 562}, "Cancel", "No modification.", NOTIFY(OnCancel)),
    TextButton(kDefault, {100, 542, 172, 562}, "Default", "Back to the last default shape.", NOTIFY(OnDefault)),
    TextButton(kOk, {431, 542, 489, 562}, "OK", "Validation of the new default shape.", NOTIFY(OnOk)),
};

#undef NOTIFY
#undef DRAW

//-----------------------------------------------------------------------------
// [SECTION] Working copy
//-----------------------------------------------------------------------------

// The corner flags in the order of the boxes 182..185.
ASBoolean* SavedCorner(State& g, int k) {
  ASBoolean* const flags[] = {&g.CoinHG, &g.CoinHD, &g.CoinBG, &g.CoinBD};
  return flags[k];
}

void LoadSaved(State& g) {
  g.EditCount = IsValidPointCount(g.NbPtsArrondiEdit) ? g.NbPtsArrondiEdit : kPointListMinCount;
  g.EditPoints = g.PtArEdit;
  g.EditSymmetric = g.SymetriEdit;
  for (int k = 0; k < 4; ++k) g.EditCorners[k] = *SavedCorner(g, k) ? 1 : 0;
  g.EditClosed = 0;
  g.EditSelection = 0;
}

void ShowSymmetric(ADMDialogRef dialog) {
  dlg::SetTip(dialog, kSymmetricButton, gState->EditSymmetric ? kSymmetricTip : kIndependentTip);
  dlg::Redraw(dialog, kSymmetricButton);
}

void ShowWorkingCopy(ADMDialogRef dialog) {
  ShowCount(dialog);
  dlg::SetValue(dialog, kPointNumber, 0);
  ShowSelectionFields(dialog);
  ShowSymmetric(dialog);
  EnablePointButtons(dialog, true);
  RedrawCanvas(dialog);
}

void ShowCornerBoxes(ADMDialogRef dialog) {
  for (int k = 0; k < 4; ++k) dlg::SetBoolean(dialog, kCornerFirstBox + k, gState->EditCorners[k] != 0);
}

//-----------------------------------------------------------------------------
// [SECTION] Fields and buttons
//-----------------------------------------------------------------------------

void OnField(ADMItemRef item, ADMNotifierRef notifier, bool x) {
  if (!dlg::DefaultThenUserChange(item, notifier)) return;
  State& g = *gState;
  if (edit::PartOf(g.EditSelection) == edit::Part::Nothing) return;
  const float v = std::clamp(dlg::FloatOf(item, 0), kFieldMin, kFieldMax);
  if (x) {
    edit::TypeCornerX(g.EditPoints, g.EditCount, g.EditSelection, v, g.EditSymmetric != 0);
  } else {
    edit::TypeCornerY(g.EditPoints, g.EditCount, g.EditSelection, v, g.EditSymmetric != 0);
  }
  ADMDialogRef dialog = dlg::DialogOf(item);
  dlg::Redraw(dialog, kCanvas);
  dlg::Redraw(dialog, kSample);
}

void OnFieldX(ADMItemRef item, ADMNotifierRef notifier) { OnField(item, notifier, true); }
void OnFieldY(ADMItemRef item, ADMNotifierRef notifier) { OnField(item, notifier, false); }

void OnSymmetric(ADMItemRef item, ADMNotifierRef notifier) {
  if (!dlg::DefaultThenUserChange(item, notifier)) return;
  gState->EditSymmetric = !gState->EditSymmetric;
  ADMDialogRef dialog = dlg::DialogOf(item);
  ShowSymmetric(dialog);
  dlg::RedrawDialog(dialog);
}

void OnCornerBox(ADMItemRef item, ADMNotifierRef notifier) {
  if (!dlg::DefaultThenUserChange(item, notifier)) return;
  State& g = *gState;
  const int k = dlg::IdOf(item) - kCornerFirstBox;
  if (k < 0 || k > 3) return;
  g.EditCorners[k] = dlg::BooleanOf(item, g.EditCorners[k] != 0) ? 1 : 0;
  dlg::Redraw(dlg::DialogOf(item), kSample);
}

void OnPredefined(ADMItemRef item, ADMNotifierRef notifier) {
  if (!dlg::DefaultThenUserChange(item, notifier)) return;
  State& g = *gState;
  const edit::Predefined& corner = edit::PredefinedCorner(dlg::IdOf(item) - kPredefinedFirst);
  g.EditCount = static_cast<int8_t>(corner.count);
  g.EditPoints = corner.points;
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
  at.v = std::clamp(at.v, 10, 450);
  if (g.PickArmed) {
    const int hit = edit::PickMark(g.EditPoints, g.EditCount, edit::kCornerCanvas, {at.h, at.v}, 6, nullptr);
    if (hit >= 0) {
      g.EditSelection = static_cast<int16_t>(hit);
      g.PickArmed = 0;
      dlg::SetValue(dialog, kPointNumber, static_cast<float>(edit::PointOf(hit)));
      SetCursor(kCursorDragging);
    }
  }
  if (edit::PartOf(g.EditSelection) != edit::Part::Nothing) {
    const bool snap = (g.GridMagnetism != 0) != invert;
    const Point to{edit::CornerUnits(at.h - 110, g.GridSpacing, snap), edit::CornerUnits(at.v - 110, g.GridSpacing, snap)};
    edit::DragCornerTo(g.EditPoints, g.EditCount, g.EditSelection, to, g.EditSymmetric != 0, snap);
    ShowSelectionFields(dialog);
    EnablePointButtons(dialog, true);
  }
  RedrawCanvas(dialog);
}

// The first point is selected and shown after an insertion.
void AfterInsert(ADMDialogRef dialog, Point) {
  gState->EditSelection = 0;
  dlg::SetValue(dialog, kPointNumber, 0);
  ShowSelectionFields(dialog);
}

//-----------------------------------------------------------------------------
// [SECTION] Drawing
//-----------------------------------------------------------------------------

// The two reference arcs (convex and concave quarter circles) and the mirror
// diagonal, in canvas pixels.
void DrawReferences(ADMDrawerRef drawer) {
  constexpr edit::Mapping kPixels = {0, 0, 1, 1};
  constexpr float kHandle = 217.45166f;
  BezierPointList arcs{};
  arcs.X[0] = 110, arcs.Y[0] = 350, arcs.X[1] = 350, arcs.Y[1] = 110;
  arcs.IX[0] = 110, arcs.IY[0] = kHandle, arcs.OX[1] = kHandle, arcs.OY[1] = 110;
  DrawOutline(drawer, arcs, 2, false, false, kPixels);
  arcs.IX[0] = 327.45166f, arcs.IY[0] = 350, arcs.OX[1] = 350, arcs.OY[1] = kHandle;
  DrawOutline(drawer, arcs, 2, false, false, kPixels);
  const ADMPoint a{30, 30}, b{430, 430};
  sADMDrawer->DrawLine(drawer, &a, &b);
}

void DrawCanvas(ADMItemRef, ADMDrawerRef drawer) {
  const State& g = *gState;
  const ADMRect whole{0, 0, 460, 460};
  sADMDrawer->SetADMColor(drawer, kADMWhiteColor);
  sADMDrawer->FillRect(drawer, &whole);
  sADMDrawer->DrawSunkenRect(drawer, &whole);
  if (g.GridShown) {
    DrawGrid(drawer, 430);
  } else {
    sADMDrawer->SetADMColor(drawer, kADMWhiteColor);
  }
  DrawReferences(drawer);

  sADMDrawer->SetRGBColor(drawer, &g.EditOutlineColor);
  DrawOutline(drawer, g.EditPoints, g.EditCount, false, false, edit::kCornerCanvas);
  sADMDrawer->SetADMColor(drawer, kADMShadowColor);
  const ADMRect area{10, 10, 450, 450};
  sADMDrawer->DrawRect(drawer, &area);

  // The box edges that meet the corner.
  sADMDrawer->SetRGBColor(drawer, &g.EditOutlineColor);
  const edit::Pixel first = edit::ToPixel(edit::kCornerCanvas, edit::AnchorOf(g.EditPoints, 0));
  const edit::Pixel last = edit::ToPixel(edit::kCornerCanvas, edit::AnchorOf(g.EditPoints, g.EditCount - 1));
  const ADMPoint leftTop{110, last.v}, leftBottom{110, 430}, topLeft{first.h, 110}, topRight{430, 110};
  sADMDrawer->DrawLine(drawer, &leftTop, &leftBottom);
  sADMDrawer->DrawLine(drawer, &topLeft, &topRight);

  DrawHandles(drawer, g.EditPoints, g.EditCount, edit::kCornerCanvas);
}

// A small label box with the corner at each corner whose box is ticked.
void DrawSample(ADMItemRef, ADMDrawerRef drawer) {
  const State& g = *gState;
  static constexpr edit::Mapping kCorners[] = {{6, 6, 1, 1}, {86, 6, -1, 1}, {6, 46, 1, -1}, {86, 46, -1, -1}};
  sADMDrawer->SetRGBColor(drawer, &g.EditOutlineColor);
  for (int k = 0; k < 4; ++k) {
    if (g.EditCorners[k]) DrawOutline(drawer, g.EditPoints, g.EditCount, false, false, kCorners[k]);
  }
  const edit::SampleEdges e = edit::SampleLabelEdges(g.EditPoints.X[0], g.EditPoints.Y[g.EditCount - 1],
                                                     g.EditCorners[0] != 0, g.EditCorners[1] != 0,
                                                     g.EditCorners[2] != 0, g.EditCorners[3] != 0);
  for (const edit::Pixel* edge : {e.top, e.bottom, e.left, e.right}) {
    const ADMPoint a{edge[0].h, edge[0].v}, b{edge[1].h, edge[1].v};
    sADMDrawer->DrawLine(drawer, &a, &b);
  }
}

void DrawSymmetricIcon(ADMItemRef, ADMDrawerRef drawer) {
  DrawPicture(drawer, gState->EditSymmetric ? 26005 : 26004, {0, 0});
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
  dlg::RememberBounds(dlg::DialogOf(item), g.ShapeEditorRect);
  g.NbPtsArrondiEdit = g.EditCount;
  g.SymetriEdit = g.EditSymmetric;
  for (int k = 0; k < 4; ++k) *SavedCorner(g, k) = g.EditCorners[k];
  g.PtArEdit = g.EditPoints;
  using enum SettingId;
  // Both keys of the shared symmetric flag, so the next start reads this choice.
  ASErr err = StoreSettings({NbPtsArrondiEdit, SymetrieArrondiEdit, SymetriEdit, CoinHG, CoinBG, CoinBD, CoinHD});
  const ASErr points = StoreCornerPoints();
  if (err == kNoErr) err = points;
  g.ShapeEditorOpen = 0;
  Rebuild();
  if (err != kNoErr && gState != nullptr) dlg::ShowNotSaved(kNotSaved);
}

void OnCancel(ADMItemRef item, ADMNotifierRef notifier) {
  if (!dlg::DefaultThenUserChange(item, notifier)) return;
  State& g = *gState;
  dlg::RememberBounds(dlg::DialogOf(item), g.ShapeEditorRect);
  g.ShapeEditorOpen = 0;
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
  ShowCornerBoxes(dialog);
  ShowWorkingCopy(dialog);
}

//-----------------------------------------------------------------------------
// [SECTION] Opening
//-----------------------------------------------------------------------------

ASErr InitShape(ADMDialogRef dialog) {
  State& g = *gState;
  sADMDialog->SetDrawProc(dialog, &dlg::DrawDialog<DrawDecorations>);
  dlg::PlaceDialog(dialog, g.ShapeEditorRect, kWidth, kHeight);
  sADMDialog->SetText(dialog, kTitle);

  g.EditOutlineColor = OutlineScreenColor(g);
  // The marks take the colour of the layer holding the pending label's shape.
  g.MarkColor = LayerMarkColor(g.ShapePath);
  g.GridColor = HostGridColor();
  LoadSaved(g);
  ResetGrid(g);
  g.EditMode = 0;
  SetHooks({nullptr, &DragStep, &AfterInsert});

  for (const ItemRow& row : kRows) dlg::CreateItem(dialog, row);
  if (ADMItemRef next = dlg::Item(dialog, kNextPoint)) sADMItem->SetSelectedPictureID(next, 401);
  if (ADMItemRef previous = dlg::Item(dialog, kPreviousPoint)) sADMItem->SetSelectedPictureID(previous, 403);
  if (ADMItemRef count = dlg::Item(dialog, kCount)) sADMItem->SetJustify(count, kADMCenterJustify);
  if (ADMItemRef number = dlg::Item(dialog, kPointNumber)) sADMItem->SetJustify(number, kADMCenterJustify);
  FillGridPopup(dialog, "Pas de la grille = ");
  ShowCornerBoxes(dialog);
  ApplyEditMode(dialog);
  ShowWorkingCopy(dialog);
  g.PickArmed = 1;
  return kNoErr;
}

}  // namespace

ASErr RunShapeEditor(const char* dialogName) {
  State& g = *gState;
  if (g.ArrowEditorOpen || g.ShapeEditorOpen) return kNoErr;
  g.ShapeEditorOpen = 1;
  int32_t itemHit = 0;
  const ASErr err = sADMDialog->Modal(gPluginRef, dialogName, kShapeEditorDialog, kADMModalDialogStyle,
                                      &dlg::Init<InitShape>, nullptr, 0, &itemHit);
  if (gState != nullptr) gState->ShapeEditorOpen = 0;
  return err;
}
