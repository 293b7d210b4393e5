// [SECTION] Helpers
// [SECTION] Shape and width equals height
// [SECTION] Margins, thickness, tie line, gaps
// [SECTION] Arrowheads
// [SECTION] Angle and leader length
// [SECTION] Icon areas
// [SECTION] KPX button
#include "panel/PanelControls.h"

#include <cmath>

#include "core/Ids.h"
#include "core/Settings.h"
#include "core/State.h"
#include "core/Suites.h"
#include "geometry/Arrowheads.h"
#include "label/LabelArt.h"
#include "geometry/LabelLayout.h"
#include "core/PendingLabel.h"
#include "label/Rebuild.h"
#include "panel/AngleDial.h"
#include "panel/PanelDialogs.h"
#include "panel/PanelIds.h"
#include "panel/PanelUi.h"

//-----------------------------------------------------------------------------
// [SECTION] Helpers
//-----------------------------------------------------------------------------

namespace {

constexpr int32_t kHeadSegments = 6;
constexpr int32_t kSelectedShapePictureOffset = 10;  // 170..172 selected: 180..182

float ItemFloat(ADMItemRef item) {
  AIReal value = 0;
  sADMItem->GetFloatValue(item, &value);
  return value;
}

int32_t ItemInt(ADMItemRef item) {
  int32_t value = 0;
  sADMItem->GetIntValue(item, &value);
  return value;
}

// The default handling, and whether the handler acts at all.
bool TakeUserChange(ADMItemRef item, ADMNotifierRef notifier) {
  if (!IsUserChange(notifier)) return false;
  sADMItem->DefaultNotify(item, notifier);
  return true;
}

bool ModifierHeldOnButtonDown(ADMTrackerRef tracker, int32_t flag) {
  return TrackerAction(tracker) == kADMButtonDownAction && (TrackerModifiers(tracker) & flag) != 0;
}

// The rest of a tracked event goes to the toolkit, so the click that follows
// is an ordinary click.
ASBoolean ContinueTracking(ADMItemRef item, ADMTrackerRef tracker) {
  ASBoolean changed = false;
  sADMItem->DefaultTrack(item, tracker, &changed);
  return changed;
}

// The selected frame of a picture button.
void DrawSelection(ADMDrawerRef drawer, bool selected) {
  if (!selected) return;
  ADMRect bounds{};
  sADMDrawer->GetBoundsRect(drawer, &bounds);
  ADMRect frame{0, 0, bounds.right - 1, bounds.bottom - 1};
  sADMDrawer->SetADMColor(drawer, kADMHiliteColor);
  sADMDrawer->DrawRect(drawer, &frame);
}

// The pending label's "Arrows" group, emptied of its heads. The group itself
// stays: the take-up knows a label by it, so a refused call must never leave
// the label without one. It is made below "Lines" only when it is gone
// (nothing without a pending label).
ASErr EmptyArrowsGroup() {
  State& g = *gState;
  for (AIArtHandle& head : g.ArrowPaths) head = nullptr;
  if (ArtAlive(g.ArrowsGroup)) {
    for (AIArtHandle head : ChildrenOf(g.ArrowsGroup)) DisposeArt(head);
    return kNoErr;
  }
  if (!ArtAlive(g.LinesGroup)) return kNoErr;
  ASErr err = NewArt(kGroupArt, kPlaceBelow, g.LinesGroup, &g.ArrowsGroup);
  if (err == kNoErr) err = sAIArt->SetArtName(g.ArrowsGroup, kArrowsGroupName);
  return err;
}

// Arrowhead art follows the size: none at 0 (an empty "Arrows" group), one
// path for each leader line otherwise. Acts only when the size crosses 0;
// returns the code of the first refused creation.
ASErr MatchArrowheadArtToSize() {
  State& g = *gState;
  if (g.ArrowheadsOn && g.ArrowSizeInForce == 0.0f) {
    g.ArrowheadsOn = false;
    return EmptyArrowsGroup();
  }
  if (g.ArrowheadsOn || g.ArrowSizeInForce == 0.0f) return kNoErr;
  g.ArrowheadsOn = true;
  ASErr err = EmptyArrowsGroup();
  if (!ArtAlive(g.ArrowsGroup)) return err;
  for (int i = 0; i < g.ArrowCount && i < kLeaderLineSlots && err == kNoErr; ++i)
    err = NewPath(kPlaceInsideOnBottom, g.ArrowsGroup, kHeadSegments, &g.ArrowPaths[i]);
  return err;
}

void RebuildAndRedrawDocument() {
  Rebuild();
  sAIDocument->RedrawDocument();
}

}  // namespace

void DrawNothing(ADMItemRef, ADMDrawerRef) {}

void RenamePendingLabel(bool checkAlive) {
  State& g = *gState;
  char name[20] = {};
  ASBoolean isDefault = false;
  if (sAIArt->GetArtName(g.LabelGroup, name, sizeof name, &isDefault) != kNoErr && checkAlive) return;
  // A shape kind outside the known ones keeps the name it has.
  if (g.ShapeOn && (g.ShapeKind < kShapeRectangle || g.ShapeKind > kShapeCustom)) {
    sAIArt->SetArtName(g.LabelGroup, name);
    return;
  }
  NameLabelGroup();
}

//-----------------------------------------------------------------------------
// [SECTION] Shape and width equals height
//-----------------------------------------------------------------------------

void ShowShapeButtons() {
  const State& g = *gState;
  for (int32_t id = kItemShapeFirst; id <= kItemShapeLast; ++id) {
    if (ADMItemRef item = PanelItem(id)) sADMItem->SetBooleanValue(item, id - kItemShapeFirst == g.ShapeKind);
  }
  RedrawItems(kItemShapeFirst, kItemShapeLast);
}

void OnShapeButton(ADMItemRef item, ADMNotifierRef notifier) {
  if (!TakeUserChange(item, notifier)) return;
  State& g = *gState;
  g.ShapeKind = ItemId(item) - kItemShapeFirst;
  if (g.ShapeKind == kShapeNone) {
    DisposeArt(g.ShapePath);
    g.ShapeOn = false;
  } else {
    if (!ArtAlive(g.ShapePath) && ArtAlive(g.LabelGroup)) NewArt(kPathArt, kPlaceInsideOnBottom, g.LabelGroup, &g.ShapePath);
    g.ShapeOn = true;
  }
  RenamePendingLabel(true);
  ShowShapeButtons();
  Rebuild();
}

// Option-click on the custom shape opens the shape editor.
ASBoolean TrackShapeButton(ADMItemRef item, ADMTrackerRef tracker) {
  if (ItemId(item) == kItemShapeLast && ModifierHeldOnButtonDown(tracker, kADMOptionKeyFlag))
    OpenShapeEditor(kShapeEditorClickName);
  return ContinueTracking(item, tracker);
}

void DrawShapeButton(ADMItemRef item, ADMDrawerRef drawer) {
  const State& g = *gState;
  const int32_t kind = ItemId(item) - kItemShapeFirst;
  int32_t picture = 169;
  switch (kind) {
    case kShapeRectangle: picture = g.RayonArrondi == 0.0f ? 170 : (g.RayonArrondi > 0.0f ? 171 : 172); break;
    case kShapeEllipse: picture = 173; break;
    case kShapeTriangle: picture = g.EqualSides ? 175 : 174; break;
    case kShapeCustom: picture = 176; break;
    default: break;
  }
  const bool selected = kind == g.ShapeKind;
  // The rectangles have pictures of their own for the selected state.
  if (selected && kind == kShapeRectangle) picture += kSelectedShapePictureOffset;
  const ADMPoint origin{0, 0};
  sADMDrawer->DrawResPicture(drawer, gPluginRef, picture, &origin);
  DrawSelection(drawer, selected);
}

void OnEqualSides(ADMItemRef item, ADMNotifierRef notifier) {
  if (!TakeUserChange(item, notifier)) return;
  State& g = *gState;
  g.EqualSides = !g.EqualSides;
  sADMItem->SetBooleanValue(item, g.EqualSides);
  sADMItem->SetTipString(item, g.EqualSides ? "Width and height will be equal."
                                            : "Label's width will be adapted to the text length.");
  EnableItem(kItemMarginV, !g.EqualSides);
  RedrawItem(kItemEqualSides);
  RedrawItem(kItemShapeFirst + int32_t{kShapeTriangle});
  RenamePendingLabel(true);
  Rebuild();
}

void DrawEqualSides(ADMItemRef, ADMDrawerRef drawer) {
  const ADMPoint origin{0, 0};
  sADMDrawer->DrawResPicture(drawer, gPluginRef, gState->EqualSides ? kEqualSidesOnIcon : kEqualSidesOffIcon, &origin);
}

//-----------------------------------------------------------------------------
// [SECTION] Margins, thickness, tie line, gaps
//-----------------------------------------------------------------------------

// Every notification, so that the label follows the slider while it moves.
void OnMargin(ADMItemRef item, ADMNotifierRef) {
  State& g = *gState;
  if (ItemId(item) == kItemMarginH) g.TextGapH = ItemInt(item);
  else g.TextGapV = static_cast<float>(ItemInt(item));
  RebuildAndRedrawDocument();
  // The values are painted beside the sliders by the panel.
  RedrawPanel();
}

void OnLineWidth(ADMItemRef item, ADMNotifierRef notifier) {
  if (!TakeUserChange(item, notifier)) return;
  State& g = *gState;
  g.LineWidthShown = ItemFloat(item);
  g.LineWidthInForce = g.LineWidthShown;
  Rebuild();
}

void OnLanding(ADMItemRef item, ADMNotifierRef notifier) {
  if (!TakeUserChange(item, notifier)) return;
  State& g = *gState;
  g.LandingLengthShown = ItemFloat(item);
  g.LandingLength = g.LandingLengthShown;
  Rebuild();
}

void OnTextOffset(ADMItemRef item, ADMNotifierRef notifier) {
  if (!TakeUserChange(item, notifier)) return;
  State& g = *gState;
  if (ItemId(item) == kItemTextOffsetV) g.TextOffsetV = ItemFloat(item);
  else g.TextOffsetH = ItemFloat(item);
  Rebuild();
}

void OnColors(ADMItemRef item, ADMNotifierRef notifier) {
  if (!TakeUserChange(item, notifier)) return;
  OpenColorsDialog();
}

//-----------------------------------------------------------------------------
// [SECTION] Arrowheads
//-----------------------------------------------------------------------------

void OnArrowSize(ADMItemRef item, ADMNotifierRef notifier) {
  if (!TakeUserChange(item, notifier)) return;
  State& g = *gState;
  g.ArrowSizeShown = ItemFloat(item);
  g.ArrowSizeInForce = g.ArrowSizeShown;
  MatchArrowheadArtToSize();
  Rebuild();
  FocusItem(kItemArrowSize);
}

void ShowHeadButtons() {
  const State& g = *gState;
  const char* sizeTip = g.ArrowsOn ? "Arrowheads size." : "Points size.";
  SetItemTip(kItemArrowSize, sizeTip);
  SetItemTip(kItemArrowSizeArea, sizeTip);
  for (int32_t id = kItemHeadFirst; id <= kItemHeadLast; ++id) {
    const char* tip = !g.ArrowsOn ? "Points shape."
                      : id == kItemHeadLast ? "Arrowheads shape or Arrows Editor dialog...(option key pressed)."
                                            : "Arrowheads shape.";
    SetItemTip(id, tip);
    if (ADMItemRef item = PanelItem(id)) sADMItem->SetBooleanValue(item, id - kItemHeadFirst + 1 == g.ArrowKind);
  }
  RedrawItem(kItemArrowSizeArea);
  RedrawItem(kItemArrowsOrPoints);
  RedrawItems(kItemHeadFirst, kItemHeadLast);
  // The arrows or points icon is painted by the panel.
  RedrawPanel();
}

void ToggleArrowsOrPoints() {
  State& g = *gState;
  g.ArrowsOn = !g.ArrowsOn;
  ApplyArrowKind(g.ArrowKind);
  ShowHeadButtons();
  Rebuild();
}

void OnArrowsOrPoints(ADMItemRef item, ADMNotifierRef notifier) {
  if (!TakeUserChange(item, notifier)) return;
  ToggleArrowsOrPoints();
}

void OnHeadButton(ADMItemRef item, ADMNotifierRef notifier) {
  if (!TakeUserChange(item, notifier)) return;
  State& g = *gState;
  const int kind = ItemId(item) - kItemHeadFirst + 1;
  if (ChooseArrowOutline(kind)) g.ArrowKind = kind;
  ShowHeadButtons();
  Rebuild();
}

// Option-click on the custom arrowhead opens the arrows editor (arrows only).
ASBoolean TrackHeadButton(ADMItemRef item, ADMTrackerRef tracker) {
  const State& g = *gState;
  if (ItemId(item) == kItemHeadLast && g.ArrowsOn && ModifierHeldOnButtonDown(tracker, kADMOptionKeyFlag))
    OpenArrowsEditor();
  return ContinueTracking(item, tracker);
}

void DrawHeadButton(ADMItemRef item, ADMDrawerRef drawer) {
  const State& g = *gState;
  const int kind = ItemId(item) - kItemHeadFirst + 1;
  static const int32_t kArrowPictures[] = {130, 131, 132, 133};
  static const int32_t kPointPictures[] = {230, 231, 232, 233};
  const int index = (kind - 1) & 3;
  int32_t picture = g.ArrowsOn ? kArrowPictures[index] : kPointPictures[index];
  if (g.ArrowsOn && kind == 3 && g.FlecheCreuse) picture = 134;
  const ADMPoint origin{0, 0};
  sADMDrawer->DrawResPicture(drawer, gPluginRef, picture, &origin);
  DrawSelection(drawer, kind == g.ArrowKind);
}

//-----------------------------------------------------------------------------
// [SECTION] Angle and leader length
//-----------------------------------------------------------------------------

void OnAngle(ADMItemRef item, ADMNotifierRef notifier) {
  if (!TakeUserChange(item, notifier)) return;
  gState->LeaderAngle = RadiansFromDegrees(ItemFloat(item));
  RedrawItem(kItemDial);
  Rebuild();
}

// The dial's value carries no angle: its notifications only repaint it.
void OnDial(ADMItemRef item, ADMNotifierRef notifier) {
  if (!TakeUserChange(item, notifier)) return;
  RedrawItem(kItemDial);
}

ASBoolean TrackDial(ADMItemRef item, ADMTrackerRef tracker) {
  State& g = *gState;
  const int32_t action = TrackerAction(tracker);
  if (action == kADMButtonDownAction || action == kADMMouseMovedDownAction || action == kADMButtonUpAction) {
    ADMPoint at{};
    if (sADMTracker->GetPoint(tracker, &at) == kNoErr) {
      AIReal angle = DialDirection(at.h, at.v);
      sAIRealMath->AIRealMultiple(angle, kDialStep, true, &angle);
      g.LeaderAngle = KeepWithinHalfTurn(angle);
      RedrawItem(kItemDial);
      SetItemValue(kItemAngle, DegreesFromRadians(g.LeaderAngle));
      RebuildAndRedrawDocument();
    }
    if (action == kADMButtonUpAction) FocusItem(kItemAngle);
  }
  return ContinueTracking(item, tracker);
}

void DrawDial(ADMItemRef item, ADMDrawerRef drawer) {
  sADMItem->DefaultDraw(item, drawer);
  const DialNeedle needle = NeedleFor(gState->LeaderAngle);
  sADMDrawer->SetADMColor(drawer, kADMShadowColor);
  sADMDrawer->DrawLine(drawer, &needle.start, &needle.end);
}

void OnLeaderLength(ADMItemRef item, ADMNotifierRef notifier) {
  if (!TakeUserChange(item, notifier)) return;
  State& g = *gState;
  g.LeaderLength = ItemFloat(item);
  const Point tip = ToPoint(g.Tips[0].p);
  const Point start = g.ArrowSizeInForce == 0.0f
                          ? tip
                          : LeaderLineStart(tip, g.LeaderAngle, g.HeadPoints.HeadLength, g.ArrowSizeInForce);
  g.LineStart = SharpSegment(start);
  g.AttachPoint.p = {start.x + g.LeaderLength * std::cos(g.LeaderAngle),
                     start.y + g.LeaderLength * std::sin(g.LeaderAngle)};
  Rebuild();
}

//-----------------------------------------------------------------------------
// [SECTION] Icon areas
//-----------------------------------------------------------------------------

namespace {

// The field each icon area stands beside.
int32_t FieldOfArea(int32_t area) {
  switch (area) {
    case kItemArrowSizeArea: return kItemArrowSize;
    case kItemLineWidthArea: return kItemLineWidth;
    case kItemLandingArea: return kItemLanding;
    case kItemLeaderLengthArea: return kItemLeaderLength;
    case kItemTextOffsetVArea: return kItemTextOffsetV;
    case kItemTextOffsetHArea: return kItemTextOffsetH;
    case kItemTextSizeArea: return kItemTextSize;
    default: return 0;
  }
}

// Command-click: the field's value in force goes back to its setting.
void ResetFieldOfArea(int32_t area) {
  State& g = *gState;
  switch (area) {
    case kItemArrowSizeArea:
      // Only the size: the arrowhead art is left as it is.
      g.ArrowSizeShown = g.Pointes;
      g.ArrowSizeInForce = g.ArrowSizeShown;
      Rebuild();
      SetItemValue(kItemArrowSize, g.ArrowSizeInForce);
      break;
    case kItemLineWidthArea:
      g.LineWidthShown = g.Epaisseur;
      g.LineWidthInForce = g.LineWidthShown;
      Rebuild();
      SetItemValue(kItemLineWidth, g.LineWidthInForce);
      break;
    case kItemLandingArea:
      g.LandingLength = g.Attaches;
      Rebuild();
      SetItemValue(kItemLanding, g.LandingLength);
      break;
    case kItemTextOffsetVArea:
      g.TextOffsetV = g.DecalageVerti;
      Rebuild();
      SetItemValue(kItemTextOffsetV, g.TextOffsetV);
      break;
    case kItemTextOffsetHArea:
      g.TextOffsetH = g.DecalageHoriz;
      Rebuild();
      SetItemValue(kItemTextOffsetH, g.TextOffsetH);
      break;
    default:
      break;
  }
}

}  // namespace

void OnIconArea(ADMItemRef item, ADMNotifierRef notifier) {
  if (!TakeUserChange(item, notifier)) return;
  if (const int32_t field = FieldOfArea(ItemId(item))) FocusItem(field);
}

ASBoolean TrackIconArea(ADMItemRef item, ADMTrackerRef tracker) {
  if (ModifierHeldOnButtonDown(tracker, kADMCommandKeyFlag)) ResetFieldOfArea(ItemId(item));
  return ContinueTracking(item, tracker);
}

//-----------------------------------------------------------------------------
// [SECTION] KPX button
//-----------------------------------------------------------------------------

void ApplyDefaultSettings() {
  State& g = *gState;
  g.MoveMode = false;
  g.ArrowSizeShown = g.Pointes;
  g.ArrowSizeInForce = g.ArrowSizeShown;
  // Every leader line of the pending label loses or gets back its head; a
  // refused creation leaves the other defaults unapplied.
  if (MatchArrowheadArtToSize() != kNoErr) {
    RedrawPanel();
    return;
  }
  g.LineWidthShown = g.LineWidthInForce = g.Epaisseur;
  g.LandingLengthShown = g.LandingLength = g.Attaches;
  SetItemValue(kItemArrowSize, g.ArrowSizeInForce);
  SetItemValue(kItemLineWidth, g.LineWidthInForce);
  SetItemValue(kItemLanding, g.LandingLength);
  g.FlipSide = false;
  g.ArrowKind = g.Fleche;
  for (int32_t id = kItemShapeFirst; id <= kItemShapeLast; ++id) EnableItem(id, true);
  g.ShapeKind = g.Etiquette;
  g.ShapeOn = g.ShapeKind != kShapeNone;
  g.TextOffsetV = g.DecalageVerti;
  SetItemValue(kItemTextOffsetV, g.TextOffsetV);
  g.TextOffsetH = g.DecalageHoriz;
  SetItemValue(kItemTextOffsetH, g.TextOffsetH);
  FocusItem(kItemArrowSize);
  g.ArrowsOn = g.FouP;
  ApplyArrowKind(g.ArrowKind);
  ShowHeadButtons();
  ShowShapeButtons();
  Rebuild();
  RenamePendingLabel(true);
  RedrawPanel();
}

void OnKpxButton(ADMItemRef item, ADMNotifierRef notifier) {
  if (!TakeUserChange(item, notifier)) return;
  ApplyDefaultSettings();
}

// Command-click deletes the pending label; the click that follows applies
// the defaults to the next one.
ASBoolean TrackKpxButton(ADMItemRef item, ADMTrackerRef tracker) {
  State& g = *gState;
  if (ModifierHeldOnButtonDown(tracker, kADMCommandKeyFlag)) {
    DisposeArt(g.LabelGroup);
    // Nothing of the deleted label may be written to again.
    g.LinesGroup = g.ArrowsGroup = g.ShapePath = g.TextFrame = nullptr;
    for (int i = 0; i < kLeaderLineSlots; ++i) g.LinePaths[i] = g.ArrowPaths[i] = nullptr;
    g.ArrowCount = 0;
    g.ClickAccepted = false;
    g.LabelBuilt = false;
  }
  return ContinueTracking(item, tracker);
}
