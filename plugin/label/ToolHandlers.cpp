// [SECTION] Helpers
// [SECTION] Cursor tracking
// [SECTION] Mouse down
// [SECTION] Mouse drag and mouse up
// [SECTION] Select and deselect
#include "label/ToolHandlers.h"

#include <cmath>
#include <cstring>
#include <vector>

#include "core/Changed.h"
#include "core/HostCode.h"
#include "core/Ids.h"
#include "core/State.h"
#include "core/Suites.h"
#include "label/Keys.h"
#include "label/LabelArt.h"
#include "geometry/LabelLayout.h"
#include "label/Magnet.h"
#include "label/MagnetIndex.h"
#include "label/Messages.h"
#include "label/Rebuild.h"
#include "label/TakeUp.h"

//-----------------------------------------------------------------------------
// [SECTION] Helpers
//-----------------------------------------------------------------------------

namespace {

constexpr float kAngleStep = 0.7853982f;  // Shift snaps the leader to multiples of 45 degrees

void SetCursor(int32_t id) { Ignore(sADMBasic->SetPlatformCursor(gPluginRef, id), Why::Cosmetic); }

// A cursor position the tool can place art at; anything else is ignored.
bool Usable(const AIToolMessage* message) {
  return message != nullptr && std::isfinite(message->cursor.h) && std::isfinite(message->cursor.v);
}

bool PanelVisible() {
  const State& g = *gState;
  ASBoolean visible = false;
  return g.PanelRef != nullptr && sADMDialog->IsVisible(g.PanelRef, &visible) == kNoErr && visible;
}

void ShowInfo(AIRealPoint cursor, const char* text) {
  const int32_t vars[] = {kInfoPageVar1, kInfoPageVar2, kInfoTextVar, kInfoEndOfList};
  AIReal x = cursor.h, y = cursor.v;
  void* values[] = {&x, &y, const_cast<char*>(text)};
  Ignore(sAITool->SetToolInfoVarValues(vars, values), Why::Cosmetic);
}

// The host delivers one message at a time, so nothing needs to wait between
// a click and the next message: the pause after a click takes no time.
void PauseAfterClick() {}

void BeepForClick() {
  const State& g = *gState;
  if (!g.Son) return;
  Beep(g.SnapAnchor ? 9000 : (g.ClickInside ? 9003 : 9001), 100);
}

// A refused click leaves nothing behind: a label still being drawn (leader
// lines placed, never dragged) goes whole; a finished label taken up again
// keeps all but the leader line this click added. With no line counted the
// label group is the previous, finished label, which stays.
void AbandonPendingLabel(bool lineAdded) {
  State& g = *gState;
  if (g.TakenUp) {
    if (lineAdded && g.ArrowCount >= 1 && g.ArrowCount <= kLeaderLineSlots) {
      DisposeArt(g.LinePaths[g.ArrowCount - 1]);
      DisposeArt(g.ArrowPaths[g.ArrowCount - 1]);
    }
  } else if (g.ArrowCount > 0) {
    DisposeArt(g.LabelGroup);
  }
  g.ArrowCount = 0;
  g.ClickAccepted = false;
}

bool IsLabelLayerTitle(const char* title) {
  return std::strlen(title) == 8 && std::strncmp(title, "KPX", 3) == 0 && std::strcmp(title + 5, "tiq") == 0;
}

bool LayerEditable(AILayerHandle layer) {
  ASBoolean editable = false;
  return sAILayer->GetLayerEditable(layer, &editable) == kNoErr && editable;
}

// The layer of new labels: the labels' own layer (found, or made above all
// others) or the current one. Null, with the message shown and `locked` set,
// when it or the current layer is locked; `err` holds a host failure.
AILayerHandle TargetLayer(ASErr& err, bool& locked) {
  const State& g = *gState;
  err = kNoErr;
  locked = false;
  // The current layer is checked first, so that a refused click never leaves
  // a new labels' layer behind.
  AILayerHandle current = nullptr;
  err = sAILayer->GetCurrentLayer(&current);
  if (err != kNoErr) return nullptr;
  if (!LayerEditable(current)) {
    locked = true;
    ShowToolMessage(kMessageLockedLayer);
    return nullptr;
  }
  AILayerHandle labels = nullptr;
  if (g.Calque) {
    // Without the count the labels' layer cannot be found: a second one would
    // be made, so the click is refused instead.
    int32_t count = 0;
    err = sAILayer->CountLayers(&count);
    if (err != kNoErr) return nullptr;
    for (int32_t i = 0; i < count && labels == nullptr; ++i) {
      AILayerHandle layer = nullptr;
      char title[256] = {};
      if (sAILayer->GetNthLayer(i, &layer) == kNoErr && sAILayer->GetLayerTitle(layer, title, sizeof title) == kNoErr &&
          IsLabelLayerTitle(title))
        labels = layer;
    }
    if (labels != nullptr && !LayerEditable(labels)) {
      locked = true;
      ShowToolMessage(kMessageLockedLayer);
      return nullptr;
    }
    if (labels == nullptr) {
      err = sAILayer->InsertLayer(nullptr, kPlaceAboveAll, &labels);
      if (err == kNoErr) err = sAILayer->SetLayerTitle(labels, kLabelLayerTitle);
      if (err != kNoErr) return nullptr;
    }
  }
  return labels != nullptr ? labels : current;
}

struct ClickHit {
  AIToolHitData data{};
  bool hit = false;
};

ClickHit HitTestClick(AIRealPoint point) {
  const State& g = *gState;
  ClickHit result;
  AIHitRef ref = nullptr;
  if (sAIHitTest->HitTestEx(nullptr, &point, static_cast<AIReal>(g.Tolerance), 0, &ref) != kNoErr) return result;
  result.hit = sAIHitTest->IsHit(ref) && sAIHitTest->GetHitData(ref, &result.data) == kNoErr && result.data.hit;
  Ignore(sAIHitTest->Release(ref), Why::Cleanup);
  return result;
}

// The anchors at both ends of a hit segment: the one that ends it and the
// one before it (for anchor 0, the path's last).
void StoreHitSegment(const AIToolHitData& data) {
  State& g = *gState;
  std::vector<AIPathSegment> segments;
  if (ReadPath(data.object, segments) != kNoErr || segments.empty()) return;
  const int count = static_cast<int>(segments.size());
  if (data.segment < 0 || data.segment >= count) return;
  g.SnapSegB = segments[data.segment];
  g.SnapSegA = segments[data.segment == 0 ? count - 1 : data.segment - 1];
}

// Decides whether the click may place a tip; shows the message when not.
bool AcceptClick(const ClickHit& click) {
  State& g = *gState;
  g.ClickInside = false;
  if (!click.hit) {
    if (!g.ClicDansVide) {
      ShowToolMessage(kMessageClickOutsideForbidden);
      return false;
    }
  } else if (click.data.type == kAnchorHitType || click.data.type == kSegmentHitType) {
    if (click.data.type == kSegmentHitType) StoreHitSegment(click.data);
  } else {
    if (!g.InterieurObjet) {
      ShowToolMessage(kMessageClickInsideForbidden);
      return false;
    }
    g.ClickInside = true;
  }
  g.ClickAccepted = true;
  return true;
}

Point TipOfClick(AIRealPoint cursor, const ClickHit& click) {
  const State& g = *gState;
  if (g.SnapAnchor) return ToPoint(g.MagnetSegA.p);
  if (g.SnapStraight) return FootOnLine(ToPoint(cursor), ToPoint(g.MagnetSegA.p), ToPoint(g.MagnetSegB.p));
  return click.hit ? ToPoint(click.data.point) : ToPoint(cursor);
}

// Counts the label's number or letter on its first leader line. False when
// the number would pass its limit (the message is shown).
bool StepLabelIndex() {
  State& g = *gState;
  if (!g.NumberOn && !g.LetterOn) return true;
  if (g.KeepIndexOnce) {
    g.KeepIndexOnce = false;
  } else if (g.ArrowCount == 1) {
    if (g.NumberOn) ++g.LabelNumber;
    else g.LabelLetter = NextLabelLetter(g.LabelLetter);
  }
  if (g.NumberOn && g.LabelNumber > kLargestLabelNumber) {
    g.LabelNumber = kLargestLabelNumber;
    ShowToolMessage(kMessageNumberLimit);
    return false;
  }
  return true;
}

}  // namespace

//-----------------------------------------------------------------------------
// [SECTION] Cursor tracking
//-----------------------------------------------------------------------------

ASErr ToolTrackCursor(AIToolMessage* message) {
  if (!Usable(message)) return kNoErr;
  const State& g = *gState;
  if (g.AlertShowing) return kNoErr;
  const char* info = "";
  if (AltHeld()) {
    SetCursor(kCursorPanelToggle);
    info = PanelVisible() ? "Hide KPX\x95Labels panel." : "Show KPX\x95Labels panel.";
  } else if (ShiftHeld()) {
    info = "Next shape.";
  } else if (!RunMagnetTest(message->cursor)) {
    const ShapeCursor cursor = HoverCursorFor(g.ShapeKind, g.RayonArrondi, g.EqualSides);
    SetCursor(cursor.cursorId);
    info = cursor.info;
  }
  ShowInfo(message->cursor, info);
  return kNoErr;
}

//-----------------------------------------------------------------------------
// [SECTION] Mouse down
//-----------------------------------------------------------------------------

ASErr ToolMouseDown(AIToolMessage* message) {
  if (!Usable(message)) return kNoErr;
  State& g = *gState;
  const bool shift = ShiftHeld(), alt = AltHeld();
  if (g.Dragged) g.ArrowCount = 0;
  g.Dragged = false;
  g.TextAnchor = {0, 0};
  g.LabelBuilt = false;

  if (alt) {
    Changed(Change::PanelToggleAsked);
    g.ClickAccepted = false;
    return kNoErr;
  }
  if (shift) {
    g.ShapeKind = NextShapeKind(g.ShapeKind);
    g.ShapeOn = g.ShapeKind != kShapeNone;
    Changed(Change::Shape);
    g.ClickAccepted = false;
    return kNoErr;
  }

  ASErr err = kNoErr;
  bool locked = false;
  const AILayerHandle layer = TargetLayer(err, locked);
  AIArtHandle layerGroup = nullptr;
  if (layer != nullptr) err = sAIArt->GetFirstArtOfLayer(layer, &layerGroup);
  if (locked) {
    // Refused like a click on a forbidden place.
    AbandonPendingLabel(false);
    return kNoErr;
  }
  if (layer == nullptr || err != kNoErr) {
    g.ClickAccepted = false;
    return err;
  }
  if (ArtAlive(g.LabelGroup) && ChildrenOf(g.LabelGroup).empty()) DisposeArt(g.LabelGroup);

  if (g.ArrowCount == 0 && !g.OverLabelLine) {
    err = StartLabel(layerGroup);
    if (err != kNoErr) {
      g.ClickAccepted = false;
      PauseAfterClick();
      return err;
    }
  }
  ASErr refused = kNoErr;
  LeaderLineAdded added = AddLeaderLine(&refused);
  if (added == LeaderLineAdded::Refused) {
    // Nothing half-made stays: a new label goes, a taken-up one loses the line.
    AbandonPendingLabel(true);
    PauseAfterClick();
    return refused;
  }

  const ClickHit click = HitTestClick(message->cursor);
  if (!AcceptClick(click)) {
    AbandonPendingLabel(added == LeaderLineAdded::Added);
    return kNoErr;
  }
  if (added == LeaderLineAdded::OverLimit) DropUncountedLeaderLine();
  if (g.OverLabelLine) {
    if (click.hit && TakeUpLabel(click.data.object)) return kNoErr;
    // Not a label this tool can take up: the click starts a new one instead.
    g.OverLabelLine = false;
    g.ArrowCount = 0;
    err = StartLabel(layerGroup);
    if (err != kNoErr) {
      g.ClickAccepted = false;
      return err;
    }
    added = AddLeaderLine(&refused);
    if (added == LeaderLineAdded::Refused) {
      AbandonPendingLabel(true);
      return refused;
    }
  }

  const Point tip = TipOfClick(message->cursor, click);
  g.Tips[g.ArrowCount] = SharpSegment(tip);
  g.DownPoint = ToAIPoint(tip);
  g.ArrowSizeInForce = g.ArrowSizeShown;
  g.LineWidthInForce = g.LineWidthShown;
  // Worked out here too, so that a refused host call leaves a usable attach point.
  AIRealPoint attach{g.LeaderLength * std::cos(g.LeaderAngle), g.LeaderLength * std::sin(g.LeaderAngle)};
  Ignore(sAIRealMath->AIRealPointPolar(g.LeaderLength, g.LeaderAngle, &attach), Why::Fallback);
  g.AttachPoint = SharpSegment({tip.x + attach.h, tip.y + attach.v});
  g.LastCursor = g.AttachPoint.p;

  if (!StepLabelIndex()) {
    AbandonPendingLabel(added == LeaderLineAdded::Added);
    return kNoErr;
  }
  Changed(Change::LabelIndex);
  g.LastFlipSide = g.FlipSide;
  BeepForClick();
  err = Rebuild();
  PauseAfterClick();
  return err;
}

//-----------------------------------------------------------------------------
// [SECTION] Mouse drag and mouse up
//-----------------------------------------------------------------------------

ASErr ToolMouseDrag(AIToolMessage* message) {
  if (!Usable(message)) return kNoErr;
  State& g = *gState;
  // A Shift or Alt click places no tip. Dragged after one, a label still
  // waiting for its drag stays pending for the next click instead of being
  // left behind unbuilt.
  if (!g.Dragged && !g.ClickAccepted && g.ArrowCount > 0 && ArtAlive(g.LabelGroup) && ArtAlive(g.LinesGroup))
    return kNoErr;
  g.Dragged = true;
  g.MoveMode = SpaceHeld();
  SetCursor(g.MoveMode ? kCursorMoveText : DragCursorFor(g.ShapeKind, g.RayonArrondi));
  g.FlipSide = CtrlHeld() ? !g.LastFlipSide : g.LastFlipSide;
  if (!g.MoveMode) {
    g.ArrowSizeInForce = g.ArrowSizeShown;
    g.LineWidthInForce = g.LineWidthShown;
    if (!g.OverLabelLine) {
      Point tip = ToPoint(g.DownPoint);
      if (AltHeld() && g.SnapStraight && !g.ClickInside)
        tip = {(g.SnapSegA.p.h + g.SnapSegB.p.h) / 2.0f, (g.SnapSegA.p.v + g.SnapSegB.p.v) / 2.0f};
      g.Tips[0] = SharpSegment(tip);
    }
    AIReal angle = g.LeaderAngle;
    if (sAIRealMath->AIRealPointAngle(&g.Tips[0].p, &message->cursor, &angle) == kNoErr) {
      if (ShiftHeld()) Ignore(sAIRealMath->AIRealMultiple(angle, kAngleStep, true, &angle), Why::Fallback);
      g.LeaderAngle = angle;
    }
    g.AttachPoint = SharpSegment(ToPoint(message->cursor));
  }
  const ASErr err = Rebuild();
  g.LastCursor = message->cursor;
  return err;
}

ASErr ToolMouseUp(AIToolMessage*) {
  State& g = *gState;
  if (!g.Dragged) return kNoErr;
  SetCursor(kCursorReady);
  Changed(Change::DrawnLabel);
  const auto deselect = [](AIArtHandle art) {
    if (ArtAlive(art)) Ignore(sAIArt->SetArtUserAttr(art, kArtSelected, 0), Why::Cosmetic);
  };
  for (int i = 0; i < g.ArrowCount && i < kLeaderLineSlots; ++i) {
    deselect(g.LinePaths[i]);
    deselect(g.ArrowPaths[i]);
  }
  deselect(g.ShapePath);
  deselect(g.TextFrame);
  if (!g.TextOn && !g.OverLabelLine) DisposeArt(g.TextFrame);
  return kNoErr;
}

//-----------------------------------------------------------------------------
// [SECTION] Select and deselect
//-----------------------------------------------------------------------------

ASErr ToolSelect(AIToolMessage*) {
  // Other tools may have changed anything while this one was not current.
  MagnetDocumentChanged();
  Changed(Change::ToolSelected);
  return kNoErr;
}

ASErr ToolDeselect(AIToolMessage*) {
  State& g = *gState;
  // The magnet's map is kept: making it again for a large drawing costs far
  // more than checking it when the tool is chosen again.
  g.ArrowSizeShown = g.ArrowSizeInForce;
  g.LineWidthShown = g.LineWidthInForce;
  g.LandingLengthShown = g.LandingLength;
  Changed(Change::ToolDeselected);
  return kNoErr;
}
