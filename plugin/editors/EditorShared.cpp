#include "editors/EditorShared.h"

#include <cmath>
#include <cstdio>
#include <initializer_list>

#include "core/Ids.h"
#include "core/Suites.h"
#include "ui/DialogKit.h"
#include "label/LabelArt.h"

// [SECTION] Which editor, colours
// [SECTION] Grid popup
// [SECTION] Fields, count and redraws
// [SECTION] Selection buttons, next, previous, point number
// [SECTION] Canvas events in add/delete mode
// [SECTION] Drawing

namespace editor {

using edit::Part;

namespace {
Hooks gHooks{};
}

void SetHooks(const Hooks& hooks) { gHooks = hooks; }

//-----------------------------------------------------------------------------
// [SECTION] Which editor, colours
//-----------------------------------------------------------------------------

bool ArrowsOpen() { return gState->ArrowEditorOpen != 0; }

const edit::Mapping& CanvasMapping() { return ArrowsOpen() ? edit::kArrowCanvas : edit::kCornerCanvas; }

ADMRect ActiveArea() { return ArrowsOpen() ? ADMRect{10, 10, 450, 250} : ADMRect{10, 10, 450, 450}; }

namespace {

uint16_t Channel(double value) {
  if (!std::isfinite(value) || value <= 0) return 0;
  if (value >= 65535) return 65535;
  return static_cast<uint16_t>(value);
}

}  // namespace

ADMRGBColor OutlineScreenColor(const State& g) {
  if (g.RVBC) {
    const auto c = [](float v) { return Channel(std::isfinite(v) ? std::trunc(v) * 255.0 : 0.0); };
    return {c(g.RougeGrisC), c(g.VertC), c(g.BleuC)};
  }
  const double grey = std::isfinite(g.RougeGrisC) ? std::trunc(100.0 - g.RougeGrisC) : 100.0;
  const uint16_t level = Channel(std::trunc(grey * 255.0 * 255.0 / 100.0));
  return {level, level, level};
}

ADMRGBColor HostGridColor() {
  static const char* const kKeys[] = {"Grid/Color/Lite/r", "Grid/Color/Lite/g", "Grid/Color/Lite/b"};
  uint16_t c[3] = {52428, 52428, 52428};
  for (int k = 0; k < 3; ++k) {
    double value = 0;
    if (sAIPreference->GetRealPreference(nullptr, kKeys[k], &value) == kNoErr && std::isfinite(value) &&
        value >= 0 && value <= 1)
      c[k] = Channel(value * 65535.0);
  }
  return {c[0], c[1], c[2]};
}

ADMRGBColor LayerMarkColor(AIArtHandle art) {
  AILayerHandle layer = nullptr;
  AIThreeColorStyle c{};
  if (!ArtAlive(art) || sAIArt->GetLayerOfArt(art, &layer) != kNoErr || layer == nullptr ||
      sAILayer->GetLayerColor(layer, &c) != kNoErr)
    return kDefaultMarkColor;
  const auto channel = [](AIReal v) { return Channel(std::isfinite(v) ? static_cast<double>(v) * 65535.0 : 0.0); };
  return {channel(c.red), channel(c.green), channel(c.blue)};
}

void ResetGrid(State& g) {
  g.GridSpacing = 20;
  g.GridShown = 1;
  g.GridMagnetism = 1;
}

//-----------------------------------------------------------------------------
// [SECTION] Grid popup
//-----------------------------------------------------------------------------

namespace {

constexpr int8_t kSpacings[] = {4, 10, 20, 50, 100};

ADMListRef GridList(ADMDialogRef dialog) {
  ADMItemRef item = dlg::Item(dialog, kGridPopup);
  ADMListRef list = nullptr;
  if (item == nullptr || sADMItem->GetList(item, &list) != kNoErr) return nullptr;
  return list;
}

ADMEntryRef GridEntry(ADMDialogRef dialog, int32_t id) {
  ADMListRef list = GridList(dialog);
  ADMEntryRef entry = nullptr;
  if (list == nullptr || sADMList->GetEntry(list, id, &entry) != kNoErr) return nullptr;
  return entry;
}

int32_t SpacingEntry(int8_t spacing) {
  for (int32_t k = 0; k < 5; ++k)
    if (kSpacings[k] == spacing) return k;
  return 2;
}

}  // namespace

void FillGridPopup(ADMDialogRef dialog, const char* spacingLabel) {
  ADMListRef list = GridList(dialog);
  if (list == nullptr) return;
  static const char* const kSizes[] = {"4 pts", "10 pts", "20 pts", "50 pts", "100 pts"};
  for (int32_t k = 0; k <= kGridEntryMagnetism; ++k) {
    ADMEntryRef entry = nullptr;
    if (sADMList->InsertEntry(list, -1, &entry) != kNoErr || entry == nullptr) continue;
    sADMEntry->SetID(entry, k);
    char text[64];
    if (k < 5) {
      std::snprintf(text, sizeof text, "%s%s", spacingLabel, kSizes[k]);
      sADMEntry->SetText(entry, text);
    } else if (k == 5) {
      sADMEntry->MakeSeparator(entry, 1);
    } else {
      sADMEntry->SetText(entry, k == kGridEntryHide ? "Hide grid" : "Magnetism of the grid");
    }
  }
  ShowGridPopup(dialog);
}

void ShowGridPopup(ADMDialogRef dialog) {
  const State& g = *gState;
  if (ADMEntryRef hide = GridEntry(dialog, kGridEntryHide)) sADMEntry->SetText(hide, g.GridShown ? "Hide grid" : "Show grid");
  if (ADMEntryRef magnet = GridEntry(dialog, kGridEntryMagnetism)) sADMEntry->Check(magnet, g.GridMagnetism ? 1 : 0);
  if (ADMEntryRef spacing = GridEntry(dialog, SpacingEntry(g.GridSpacing))) sADMEntry->Select(spacing, 1);
}

void OnGridPopup(ADMItemRef item, ADMNotifierRef notifier) {
  if (!dlg::DefaultThenUserChange(item, notifier)) return;
  State& g = *gState;
  ADMListRef list = nullptr;
  ADMEntryRef entry = nullptr;
  int32_t id = -1;
  if (sADMItem->GetList(item, &list) != kNoErr || sADMList->GetActiveEntry(list, &entry) != kNoErr ||
      entry == nullptr || sADMEntry->GetID(entry, &id) != kNoErr)
    return;
  if (id >= 0 && id < 5) g.GridSpacing = kSpacings[id];
  if (id == kGridEntryHide) g.GridShown = !g.GridShown;
  if (id == kGridEntryMagnetism) g.GridMagnetism = !g.GridMagnetism;
  ADMDialogRef dialog = dlg::DialogOf(item);
  ShowGridPopup(dialog);
  for (int32_t field : {kFieldX, kFieldY}) {
    if (ADMItemRef f = dlg::Item(dialog, field)) sADMItem->SetLargeIncrement(f, g.GridSpacing / edit::kUnitPixels);
  }
  dlg::Redraw(dialog, kCanvas);
}

//-----------------------------------------------------------------------------
// [SECTION] Fields, count and redraws
//-----------------------------------------------------------------------------

void ShowSelectionFields(ADMDialogRef dialog) {
  const State& g = *gState;
  Point shown{};
  switch (edit::PartOf(g.EditSelection)) {
    case Part::Nothing: return;
    case Part::LineStart: shown = {g.EditLineStartX, g.EditLineStartY}; break;
    default: shown = edit::SelectedPoint(g.EditPoints, g.EditSelection); break;
  }
  dlg::SetValue(dialog, kFieldX, shown.x);
  dlg::SetValue(dialog, kFieldY, shown.y);
}

void ShowCount(ADMDialogRef dialog) {
  const State& g = *gState;
  char text[32];
  std::snprintf(text, sizeof text, ArrowsOpen() ? "%d points." : "%d points", g.EditCount);
  dlg::SetText(dialog, kCount, text);
  dlg::SetMax(dialog, kPointNumber, static_cast<float>(g.EditCount - 1));
}

void EnablePointButtons(ADMDialogRef dialog, bool enable) {
  for (int32_t id : {kNextPoint, kPreviousPoint, kPointNumber}) dlg::Enable(dialog, id, enable);
}

void RedrawCanvas(ADMDialogRef dialog) {
  dlg::Redraw(dialog, kCanvas);
  dlg::Redraw(dialog, kSample);
  dlg::RedrawItems(dialog, kSelectAnchor, kSelectLineStart);
}

void ApplyEditMode(ADMDialogRef dialog) {
  const State& g = *gState;
  if (ADMItemRef canvas = dlg::Item(dialog, kCanvas))
    sADMItem->SetMask(canvas, g.EditMode == 1 ? kADMAllActionsMask : kADMDefaultActionMask);
  dlg::Redraw(dialog, kMoveMode);
  dlg::Redraw(dialog, kAddDeleteMode);
}

void OnModeButton(ADMItemRef item, ADMNotifierRef notifier) {
  if (!dlg::DefaultThenUserChange(item, notifier)) return;
  gState->EditMode = dlg::IdOf(item) == kAddDeleteMode ? 1 : 0;
  ApplyEditMode(dlg::DialogOf(item));
}

void OnHotSpot(ADMItemRef item, ADMNotifierRef notifier) {
  if (!dlg::DefaultThenUserChange(item, notifier)) return;
  dlg::Focus(dlg::DialogOf(item), dlg::IdOf(item) == kFieldXHotSpot ? kFieldX : kFieldY);
}

//-----------------------------------------------------------------------------
// [SECTION] Selection buttons, next, previous, point number
//-----------------------------------------------------------------------------

namespace {

// After the selection moved: its fields, point number and marks.
void SelectionMoved(ADMDialogRef dialog) {
  State& g = *gState;
  dlg::SetValue(dialog, kPointNumber, static_cast<float>(edit::PointOf(g.EditSelection)));
  ShowSelectionFields(dialog);
  if (gHooks.reevaluate != nullptr) gHooks.reevaluate(dialog);
  dlg::RedrawItems(dialog, kSelectAnchor, kSelectLineStart);
  dlg::Redraw(dialog, kCanvas);
}

int WrapPoint(int i, int count) { return i < 0 ? count - 1 : (i >= count ? 0 : i); }

}  // namespace

void OnSelectButton(ADMItemRef item, ADMNotifierRef notifier) {
  if (!dlg::DefaultThenUserChange(item, notifier)) return;
  State& g = *gState;
  const int32_t id = dlg::IdOf(item);
  // From the line start or from nothing, the buttons select on point 0.
  const Part from = edit::PartOf(g.EditSelection);
  const int i = from == Part::Anchor || from == Part::In || from == Part::Out ? edit::PointOf(g.EditSelection) : 0;
  const Part to = id == kSelectIn ? Part::In : (id == kSelectOut ? Part::Out : Part::Anchor);
  g.EditSelection = static_cast<int16_t>(edit::Select(to, i));
  ADMDialogRef dialog = dlg::DialogOf(item);
  EnablePointButtons(dialog, true);
  SelectionMoved(dialog);
}

void OnStepPoint(ADMItemRef item, ADMNotifierRef notifier) {
  if (!dlg::DefaultThenUserChange(item, notifier)) return;
  State& g = *gState;
  const int step = dlg::IdOf(item) == kNextPoint ? 1 : -1;
  Part part = edit::PartOf(g.EditSelection);
  if (part == Part::LineStart) return;  // the buttons are disabled then
  // From nothing, the steps go through the anchors from point 0.
  int i = edit::PointOf(g.EditSelection);
  if (part == Part::Nothing) {
    part = Part::Anchor;
    i = step > 0 ? -1 : 0;
  }
  g.EditSelection = static_cast<int16_t>(edit::Select(part, WrapPoint(i + step, g.EditCount)));
  ADMDialogRef dialog = dlg::DialogOf(item);
  SelectionMoved(dialog);
  dlg::Focus(dialog, kPointNumber);
}

void OnPointNumber(ADMItemRef item, ADMNotifierRef notifier) {
  if (!dlg::DefaultThenUserChange(item, notifier)) return;
  State& g = *gState;
  const float typed = dlg::FloatOf(item, 0);
  const int i = typed < 0 ? 0 : (typed > g.EditCount - 1 ? g.EditCount - 1 : static_cast<int>(typed));
  Part part = edit::PartOf(g.EditSelection);
  if (part == Part::Nothing || part == Part::LineStart) part = Part::Anchor;
  g.EditSelection = static_cast<int16_t>(edit::Select(part, i));
  SelectionMoved(dlg::DialogOf(item));
}

//-----------------------------------------------------------------------------
// [SECTION] Canvas events in add/delete mode
//-----------------------------------------------------------------------------

void SetCursor(int32_t cursor) { sADMBasic->SetPlatformCursor(gPluginRef, cursor); }

void Alert(const char* text) {
  State& g = *gState;
  g.AlertShowing = 1;
  sADMBasic->MessageAlert(text);
  if (gState != nullptr) gState->AlertShowing = 0;
}

namespace {

bool Outside(ADMPoint at) {
  const ADMRect a = ActiveArea();
  return at.h < a.left || at.h > a.right || at.v < a.top || at.v > a.bottom;
}

void DeleteAt(ADMDialogRef dialog, int i) {
  State& g = *gState;
  int count = g.EditCount;
  if (!edit::DeletePoint(g.EditPoints, count, i)) {
    Alert("Deletion impossible.");
    return;
  }
  g.EditCount = static_cast<int8_t>(count);
  g.EditSelection = edit::kSelectNothing;
  ShowCount(dialog);
  RedrawCanvas(dialog);
}

void InsertAt(ADMDialogRef dialog, const edit::Hover& hover, ADMPoint at) {
  State& g = *gState;
  const edit::Mapping& m = CanvasMapping();
  const Point unit{(static_cast<float>(at.h) - m.originX) / m.scaleX, (static_cast<float>(at.v) - m.originY) / m.scaleY};
  int count = g.EditCount;
  if (!edit::InsertPoint(g.EditPoints, count, hover.index, hover.t, unit)) {
    Alert("Add a new point is impossible.");
    return;
  }
  g.EditCount = static_cast<int8_t>(count);
  ShowCount(dialog);
  if (gHooks.afterInsert != nullptr) gHooks.afterInsert(dialog, unit);
  RedrawCanvas(dialog);
}

// A hover or a button down in add/delete mode.
void AddDeleteEvent(ADMDialogRef dialog, ADMPoint at, bool down) {
  State& g = *gState;
  g.EditSelection = edit::kSelectNothing;
  if (Outside(at)) {
    SetCursor(kCursorNeutral);
    return;
  }
  const edit::Hover hover = edit::FindHover(g.EditPoints, g.EditCount, ArrowsOpen() && g.EditClosed != 0,
                                            CanvasMapping(), {at.h, at.v});
  switch (hover.kind) {
    case edit::Hover::Anchor:
      SetCursor(kCursorDeletePoint);
      if (down) {
        DeleteAt(dialog, hover.index);
      } else {
        g.EditSelection = static_cast<int16_t>(hover.index);
        dlg::Redraw(dialog, kCanvas);
      }
      return;
    case edit::Hover::Segment:
      SetCursor(kCursorAddPoint);
      if (down) InsertAt(dialog, hover, at);
      return;
    default:
      SetCursor(kCursorNeutral);
      dlg::Redraw(dialog, kCanvas);
      return;
  }
}

}  // namespace

ASBoolean TrackCanvas(ADMItemRef item, ADMTrackerRef tracker) {
  State& g = *gState;
  const int32_t action = dlg::TrackAction(tracker);
  const ADMPoint at = dlg::TrackPoint(tracker);
  ADMDialogRef dialog = dlg::DialogOf(item);
  if (action == kADMButtonUpAction) {
    g.PickArmed = 1;
    SetCursor(kCursorNeutral);
    return 0;
  }
  const bool moving = g.EditMode == 0 || dlg::ModifierHeld(tracker, kADMCommandKeyFlag);
  if (moving) {
    if (action == kADMMouseMovedDownAction && gHooks.drag != nullptr)
      gHooks.drag(item, at, dlg::ModifierHeld(tracker, kADMShiftKeyFlag));
    return 0;
  }
  if (action == kADMMouseMovedUpAction || action == kADMButtonDownAction)
    AddDeleteEvent(dialog, at, action == kADMButtonDownAction);
  return 0;
}

//-----------------------------------------------------------------------------
// [SECTION] Drawing
//-----------------------------------------------------------------------------

void DrawPicture(ADMDrawerRef drawer, int32_t id, ADMPoint at) {
  sADMDrawer->DrawResPicture(drawer, gPluginRef, id, &at);
}

void DrawSelectButton(ADMItemRef item, ADMDrawerRef drawer) {
  const State& g = *gState;
  const int32_t id = dlg::IdOf(item);
  const Part part = edit::PartOf(g.EditSelection);
  const bool selected = (id == kSelectAnchor && part == Part::Anchor) || (id == kSelectIn && part == Part::In) ||
                        (id == kSelectOut && part == Part::Out) || (id == kSelectLineStart && part == Part::LineStart);
  const bool round = id == kSelectIn || id == kSelectOut;
  if (id == kSelectLineStart) {
    sADMDrawer->SetADMColor(drawer, kADMRedColor);
  } else {
    sADMDrawer->SetRGBColor(drawer, &g.MarkColor);
  }
  const ADMRect small{2, 4, 6, 8};
  const ADMRect large{1, 3, 7, 9};
  if (selected) {
    round ? sADMDrawer->DrawOval(drawer, &large) : sADMDrawer->DrawRect(drawer, &large);
  } else {
    round ? sADMDrawer->FillOval(drawer, &small) : sADMDrawer->FillRect(drawer, &small);
  }
}

void DrawModeButton(ADMItemRef item, ADMDrawerRef drawer) {
  const State& g = *gState;
  const int32_t id = dlg::IdOf(item);
  ADMRect bounds{};
  if (sADMDrawer->GetBoundsRect(drawer, &bounds) != kNoErr) return;
  DrawPicture(drawer, id == kMoveMode ? 28000 : 28001, {0, 0});
  const bool current = (g.EditMode == 1) == (id == kAddDeleteMode);
  current ? sADMDrawer->DrawSunkenRect(drawer, &bounds) : sADMDrawer->DrawRaisedRect(drawer, &bounds);
}

void DrawGrid(ADMDrawerRef drawer, int32_t bottom) {
  const State& g = *gState;
  const int32_t s = g.GridSpacing > 0 ? g.GridSpacing : 20;
  sADMDrawer->SetRGBColor(drawer, &g.GridColor);
  for (int32_t k = 0; k <= 400 / s; ++k) {
    const ADMPoint a{30 + s * k, 30}, b{30 + s * k, bottom};
    sADMDrawer->DrawLine(drawer, &a, &b);
  }
  for (int32_t k = 0; k <= (bottom - 30) / s; ++k) {
    const ADMPoint a{30, 30 + s * k}, b{430, 30 + s * k};
    sADMDrawer->DrawLine(drawer, &a, &b);
  }
}

void DrawOutline(ADMDrawerRef drawer, const BezierPointList& p, int count, bool closed, bool filled,
                 const edit::Mapping& m) {
  // Fixed storage: nothing is allocated while the canvas is drawn.
  edit::Pixel flat[edit::kFlatCapacity];
  int firsts[kPointListCapacity + 1];
  const int n = edit::FlattenOutline(p, count, closed, m, flat, edit::kFlatCapacity, firsts);
  if (n < 2) return;
  static_assert(sizeof(edit::Pixel) == sizeof(ADMPoint), "a flattened pixel is the host's point");
  const auto* points = reinterpret_cast<const ADMPoint*>(flat);
  if (filled) {
    sADMDrawer->FillPolygon(drawer, points, n);
    return;
  }
  // Stroked: the pieces of each segment, from its start anchor.
  const int segments = closed ? count : count - 1;
  firsts[count] = n;
  for (int k = 0; k < segments; ++k) {
    const int end = k + 1 < count ? firsts[k + 1] : n;
    for (int q = firsts[k]; q + 1 < end; ++q) sADMDrawer->DrawLine(drawer, &points[q], &points[q + 1]);
  }
}

void DrawHandles(ADMDrawerRef drawer, const BezierPointList& p, int count, const edit::Mapping& m) {
  const State& g = *gState;
  sADMDrawer->SetRGBColor(drawer, &g.MarkColor);
  for (int i = 0; i < count; ++i) {
    const edit::Pixel a = edit::ToPixel(m, edit::AnchorOf(p, i));
    const edit::Pixel in = edit::ToPixel(m, edit::InOf(p, i));
    const edit::Pixel out = edit::ToPixel(m, edit::OutOf(p, i));
    const ADMPoint pa{a.h, a.v}, pin{in.h, in.v}, pout{out.h, out.v};
    sADMDrawer->DrawLine(drawer, &pin, &pa);
    sADMDrawer->DrawLine(drawer, &pout, &pa);
    const ADMRect inDot{in.h - 2, in.v - 2, in.h + 2, in.v + 2};
    const ADMRect outDot{out.h - 2, out.v - 2, out.h + 2, out.v + 2};
    const ADMRect square{a.h - 2, a.v - 2, a.h + 2, a.v + 2};
    sADMDrawer->FillOval(drawer, &inDot);
    sADMDrawer->FillOval(drawer, &outDot);
    sADMDrawer->FillRect(drawer, &square);
  }
  const Part part = edit::PartOf(g.EditSelection);
  if (part == Part::Nothing || part == Part::LineStart || edit::PointOf(g.EditSelection) >= count) return;
  // The selected mark: filled white inside a 6 x 6 frame.
  const Point u = edit::SelectedPoint(p, g.EditSelection);
  const int32_t x = edit::PixelCoordinate(u.x * m.scaleX + m.originX - 2);
  const int32_t y = edit::PixelCoordinate(u.y * m.scaleY + m.originY - 2);
  const ADMRect mark{x, y, x + 4, y + 4};
  const ADMRect frame{x - 1, y - 1, x + 5, y + 5};
  sADMDrawer->SetADMColor(drawer, kADMWhiteColor);
  part == Part::Anchor ? sADMDrawer->FillRect(drawer, &mark) : sADMDrawer->FillOval(drawer, &mark);
  sADMDrawer->SetRGBColor(drawer, &g.MarkColor);
  part == Part::Anchor ? sADMDrawer->DrawRect(drawer, &frame) : sADMDrawer->DrawOval(drawer, &frame);
}

void DrawFieldGlyphs(ADMDrawerRef drawer) {
  sADMDrawer->SetADMColor(drawer, kADMTextColor);
  // Horizontal double arrow around a small circle over item 180.
  const ADMPoint hl{5, 19}, hr{25, 19};
  sADMDrawer->DrawLine(drawer, &hl, &hr);
  for (int32_t d : {-1, 1}) {
    const ADMPoint l{8, 19 + 3 * d}, r{22, 19 + 3 * d};
    sADMDrawer->DrawLine(drawer, &hl, &l);
    sADMDrawer->DrawLine(drawer, &hr, &r);
  }
  const ADMRect hc{13, 17, 18, 22};
  sADMDrawer->DrawOval(drawer, &hc);
  // Vertical double arrow over item 181.
  const ADMPoint vt{96, 9}, vb{96, 29};
  sADMDrawer->DrawLine(drawer, &vt, &vb);
  for (int32_t d : {-1, 1}) {
    const ADMPoint t{96 + 3 * d, 12}, b{96 + 3 * d, 26};
    sADMDrawer->DrawLine(drawer, &vt, &t);
    sADMDrawer->DrawLine(drawer, &vb, &b);
  }
  const ADMRect vc{94, 17, 99, 22};
  sADMDrawer->DrawOval(drawer, &vc);
  // Two strokes fanning out from the anchor selector to the tangent selectors.
  const ADMPoint from{187, 19}, in{202, 13}, out{202, 25};
  sADMDrawer->DrawLine(drawer, &from, &in);
  sADMDrawer->DrawLine(drawer, &from, &out);
}

}  // namespace editor
