#include "label/TakeUp.h"

#include <vector>

#include "core/Ids.h"
#include "core/State.h"
#include "core/Suites.h"
#include "geometry/Arrowheads.h"
#include "label/LabelArt.h"

namespace {

bool IsGroup(AIArtHandle art) { return art != nullptr && ArtType(art) == kGroupArt; }

HeadTag TagOf(AIArtHandle head) {
  if (HasTag(head, kPointHeadTag)) return HeadTag::Point;
  if (HasTag(head, kArrowHeadTag)) return HeadTag::Arrow;
  return HeadTag::None;
}

// The start of a leader line stands in for its tip when the label has no heads.
bool LineStartOf(AIArtHandle line, AIPathSegment& tip) {
  std::vector<AIPathSegment> anchors;
  if (ReadPath(line, anchors) != kNoErr || anchors.empty()) return false;
  tip = SharpSegment(ToPoint(anchors[0].p));
  return true;
}

// A head's tip, by the tag of the first head. A head never drawn (no anchors,
// as with heads of size 0) falls back to its line; a malformed one fails.
bool TipOf(AIArtHandle head, HeadTag tag, AIArtHandle line, AIPathSegment& tip) {
  std::vector<AIPathSegment> segments;
  if (ReadPath(head, segments) != kNoErr) return false;
  if (segments.empty()) return LineStartOf(line, tip);
  std::vector<Anchor> anchors;
  for (const AIPathSegment& s : segments) anchors.push_back(ToAnchor(s));
  Point found;
  if (!FindTip(anchors, tag, found)) return false;
  tip = SharpSegment(found);
  return true;
}

}  // namespace

bool TakeUpLabel(AIArtHandle hitLine) {
  State& g = *gState;
  if (!ArtAlive(hitLine) || ArtType(hitLine) != kPathArt || !HasTag(hitLine, kLeaderLineTag)) return false;
  AIArtHandle lines = nullptr, label = nullptr, arrows = nullptr;
  if (sAIArt->GetArtParent(hitLine, &lines) != kNoErr || !IsGroup(lines)) return false;
  if (sAIArt->GetArtParent(lines, &label) != kNoErr || !IsGroup(label)) return false;
  if (sAIArt->GetArtSibling(lines, &arrows) != kNoErr || !IsGroup(arrows)) return false;

  const std::vector<AIArtHandle> lineArt = ChildrenOf(lines);
  const std::vector<AIArtHandle> heads = ChildrenOf(arrows);
  const std::vector<AIArtHandle> parts = ChildrenOf(label);
  if (lineArt.empty() || lineArt.size() > static_cast<size_t>(kMostLeaderLines) || parts.empty()) return false;
  for (AIArtHandle line : lineArt)
    if (ArtType(line) != kPathArt) return false;
  const AIArtHandle first = parts.front();
  const int16_t firstType = ArtType(first);
  if (firstType != kGroupArt && firstType != kTextFrameArt) return false;

  // Every tip is found before anything changes.
  std::vector<AIPathSegment> tips(lineArt.size());
  if (!heads.empty()) {
    const HeadTag tag = TagOf(heads[0]);
    for (size_t i = 0; i < lineArt.size(); ++i) {
      const bool found = i < heads.size() ? TipOf(heads[i], tag, lineArt[i], tips[i]) : LineStartOf(lineArt[i], tips[i]);
      if (!found) return false;
    }
  } else {
    for (size_t i = 0; i < lineArt.size(); ++i)
      if (!LineStartOf(lineArt[i], tips[i])) return false;
  }

  // What the heads need is made before anything changes: when the host
  // refuses it, what was made goes and the label stays as it was.
  AIArtHandle freshArrows = nullptr;  // an empty "Arrows" group, for a label losing its heads
  std::vector<AIArtHandle> newHeads;  // the heads the label lacks, when it gets heads
  if (!heads.empty() && !g.ArrowheadsOn) {
    if (NewArt(kGroupArt, kPlaceBelow, lines, &freshArrows) != kNoErr ||
        sAIArt->SetArtName(freshArrows, kArrowsGroupName) != kNoErr) {
      DisposeArt(freshArrows);
      return false;
    }
  } else if (g.ArrowheadsOn) {
    for (size_t i = heads.size(); i < lineArt.size(); ++i) {
      AIArtHandle head = nullptr;
      if (NewPath(kPlaceInsideOnBottom, arrows, 6, &head) != kNoErr) {
        DisposeArt(head);
        for (AIArtHandle& made : newHeads) DisposeArt(made);
        return false;
      }
      newHeads.push_back(head);
    }
  }

  g.LabelGroup = label;
  g.LinesGroup = lines;
  g.ArrowsGroup = arrows;
  if (firstType == kGroupArt) {
    g.TextOn = false;
    g.TextFrame = nullptr;
  } else {
    g.TextOn = true;
    g.TextFrame = first;
    AIRealPoint anchor{0, 0};
    if (sAITextFrame->GetPointTextAnchor(first, &anchor) == kNoErr) MoveArt(first, {-anchor.h, -anchor.v});
  }

  g.ArrowCount = static_cast<int8_t>(lineArt.size());
  for (size_t i = 0; i < lineArt.size(); ++i) {
    g.LinePaths[i] = lineArt[i];
    g.ArrowPaths[i] = i < heads.size() ? heads[i] : nullptr;
    g.Tips[i] = tips[i];
  }

  if (freshArrows != nullptr) {
    DisposeArt(g.ArrowsGroup);
    g.ArrowsGroup = freshArrows;
    for (size_t i = 0; i < lineArt.size(); ++i) g.ArrowPaths[i] = nullptr;
  } else {
    // One head per line: those the label lacked (all of them, or the last
    // ones of a label drawn without its first head) were made above.
    for (size_t k = 0; k < newHeads.size(); ++k) g.ArrowPaths[heads.size() + k] = newHeads[k];
  }

  const AIArtHandle last = parts.back();
  g.ShapePath = nullptr;
  if (ArtType(last) == kPathArt && last != first) {
    if (g.ShapeOn) {
      g.ShapePath = last;
    } else {
      AIArtHandle unwanted = last;
      DisposeArt(unwanted);
    }
  } else if (g.ShapeOn) {
    NewPath(kPlaceInsideOnBottom, label, 0, &g.ShapePath);
  }

  // A click that adds a leader line makes its own tip the main one; the old
  // main tip then belongs to the new line, which reads it from this slot.
  g.Tips[g.ArrowCount] = g.Tips[0];
  g.DownPoint = g.Tips[0].p;
  g.TakenUp = true;
  g.LabelBuilt = true;
  return true;
}
