// [SECTION] Starting a label and adding leader lines
// [SECTION] Leader lines and heads
// [SECTION] Label box and shape
// [SECTION] Text
// [SECTION] Rebuild
#include "label/Rebuild.h"

#include <cmath>
#include <cstring>
#include <vector>

#include "core/FixedText.h"
#include "core/Ids.h"
#include "core/State.h"
#include "core/Suites.h"
#include "core/TextWrappers.h"
#include "geometry/Arrowheads.h"
#include "label/LabelArt.h"
#include "geometry/LabelLayout.h"
#include "label/Messages.h"
#include "geometry/Shapes.h"

namespace {

// The label's groups and leader lines must still exist: a label deleted
// behind the plug-in's back is never written to.
bool PendingArtAlive() {
  const State& g = *gState;
  if (g.ArrowCount < 1 || g.ArrowCount > kMostLeaderLines) return false;
  if (!ArtAlive(g.LabelGroup) || !ArtAlive(g.LinesGroup)) return false;
  for (int i = 0; i < g.ArrowCount; ++i)
    if (!ArtAlive(g.LinePaths[i])) return false;
  return true;
}

}  // namespace

//-----------------------------------------------------------------------------
// [SECTION] Starting a label and adding leader lines
//-----------------------------------------------------------------------------

ASErr NameLabelGroup() {
  const State& g = *gState;
  if (!ArtAlive(g.LabelGroup)) return kBadParameterErr;
  return sAIArt->SetArtName(g.LabelGroup, LabelGroupName(g.ShapeKind, g.RayonArrondi, g.EqualSides));
}

ASErr StartLabel(AIArtHandle layerGroup) {
  State& g = *gState;
  g.ArrowsGroup = g.LinesGroup = nullptr;
  g.TakenUp = false;
  ASErr err = NewArt(kGroupArt, kPlaceInsideOnTop, layerGroup, &g.LabelGroup);
  if (err == kNoErr) err = NewArt(kGroupArt, kPlaceInsideOnTop, g.LabelGroup, &g.ArrowsGroup);
  if (err == kNoErr) err = sAIArt->SetArtName(g.ArrowsGroup, kArrowsGroupName);
  if (err == kNoErr) err = NewArt(kGroupArt, kPlaceInsideOnTop, g.LabelGroup, &g.LinesGroup);
  if (err == kNoErr) err = sAIArt->SetArtName(g.LinesGroup, kLinesGroupName);
  if (err == kNoErr) err = NameLabelGroup();
  if (err != kNoErr) {
    // A label without its groups or name is one the tool could never take up.
    DisposeArt(g.LabelGroup);
    g.ArrowsGroup = g.LinesGroup = nullptr;
  }
  return err;
}

// Makes leader line n in the "Lines" group, tagged; on a refusal, nothing.
static ASErr NewLeaderLine(int n, int16_t anchors) {
  State& g = *gState;
  g.LinePaths[n] = nullptr;
  ASErr err = NewPath(kPlaceInsideOnBottom, g.LinesGroup, anchors, &g.LinePaths[n]);
  if (err == kNoErr) err = SetLabelTag(g.LinePaths[n], kLeaderLineTag);
  if (err != kNoErr) DisposeArt(g.LinePaths[n]);
  return err;
}

LeaderLineAdded AddLeaderLine(ASErr* refused) {
  State& g = *gState;
  if (refused != nullptr) *refused = kNoErr;
  if (g.OverLabelLine) return LeaderLineAdded::None;
  ++g.ArrowCount;
  if (g.ArrowCount >= kMostLeaderLines + 1) {
    g.ArrowCount -= 2;
    ShowToolAlert("Too much multiple arrows !");
    return LeaderLineAdded::OverLimit;
  }
  const int n = g.ArrowCount - 1;
  if (n == 0) {
    g.ArrowPaths[0] = nullptr;
    ASErr err = g.ArrowheadsOn ? NewPath(kPlaceInsideOnBottom, g.ArrowsGroup, 6, &g.ArrowPaths[0]) : kNoErr;
    if (err == kNoErr) err = NewLeaderLine(0, 3);
    if (err != kNoErr) {
      DisposeArt(g.ArrowPaths[0]);
      if (refused != nullptr) *refused = err;
      return LeaderLineAdded::Refused;
    }
    if (sAITextFrame->NewPointText(kPlaceInsideOnTop, g.LabelGroup, kHorizontalTextOrientation, g.TextAnchor,
                                   &g.TextFrame) != kNoErr)
      g.TextFrame = nullptr;
    NewPath(kPlaceInsideOnBottom, g.LabelGroup, 0, &g.ShapePath);
  } else {
    // Heads pair with lines by their place: a line without its head would
    // give the lines after it the wrong heads.
    g.ArrowPaths[n] = nullptr;
    ASErr err = NewLeaderLine(n, 2);
    if (err == kNoErr) err = NewPath(kPlaceInsideOnBottom, g.ArrowsGroup, 0, &g.ArrowPaths[n]);
    if (err != kNoErr) {
      DisposeArt(g.LinePaths[n]);
      DisposeArt(g.ArrowPaths[n]);
      if (refused != nullptr) *refused = err;
      return LeaderLineAdded::Refused;
    }
  }
  return LeaderLineAdded::Added;
}

void DropUncountedLeaderLine() {
  State& g = *gState;
  if (g.ArrowCount < 0 || g.ArrowCount >= kMostLeaderLines) return;
  // The rebuild only places the counted lines: one left beyond them would
  // stay where it was, detached from the label, with its head.
  DisposeArt(g.LinePaths[g.ArrowCount]);
  DisposeArt(g.ArrowPaths[g.ArrowCount]);
}

//-----------------------------------------------------------------------------
// [SECTION] Leader lines and heads
//-----------------------------------------------------------------------------

static ASErr PlaceArrowhead(int index, float angle) {
  State& g = *gState;
  if (!(g.ArrowSizeInForce > 0.0f)) return kNoErr;
  AIArtHandle head = g.ArrowPaths[index];
  if (!ArtAlive(head)) return kNoErr;
  if (index == 0) {
    sAITag->RemoveTag(head, kPointHeadTag);
    sAITag->RemoveTag(head, kArrowHeadTag);
    if (const char* tag = HeadTagName(TagForHead(g.ArrowsOn, g.ArrowKind))) SetLabelTag(head, tag);
  }
  const std::vector<Anchor> anchors = PlaceHead(g.HeadPoints, g.ArrowSizeInForce, angle, ToPoint(g.Tips[index].p));
  ASErr err = sAIPathStyle->SetPathStyle(head, g.HeadPoints.HollowHead ? &g.LineStyle : &g.SolidHeadStyle);
  if (err == kNoErr) err = WritePath(head, anchors, g.HeadPoints.HeadClosed);
  return err;
}

static ASErr BuildMainLeaderLine() {
  State& g = *gState;
  const Point start =
      LeaderLineStart(ToPoint(g.Tips[0].p), g.LeaderAngle, g.HeadPoints.HeadLength, g.ArrowSizeInForce);
  g.LineStart = SharpSegment(start);
  AIReal length = 0;
  sAIRealMath->AIRealPointLength(&g.LineStart.p, &g.AttachPoint.p, &length);
  g.LeaderLength = length;
  const Point end{start.x + length * std::cos(g.LeaderAngle), start.y + length * std::sin(g.LeaderAngle)};

  // The side is needed by the landing and the box whether or not there is a text.
  g.LeftSide = LeaderPointsLeft(g.LeaderAngle);
  if (g.TextOn && g.LabelBuilt && ArtAlive(g.TextFrame))
    MoveArt(g.TextFrame, {-g.TextAnchor.h, -g.TextAnchor.v});

  const Landing landing = ComputeLanding(end, g.LeaderAngle, g.LandingLength, g.LeftSide, g.FlipSide);
  g.LandingEnd = SharpSegment(landing.end);
  std::vector<Anchor> anchors{Sharp(start), Sharp(end)};
  if (landing.present) anchors.push_back(Sharp(landing.end));
  ASErr err = WritePath(g.LinePaths[0], anchors, false);
  if (err == kNoErr) err = sAIPathStyle->SetPathStyle(g.LinePaths[0], &g.LineStyle);
  return err;
}

static ASErr BuildOtherLeaderLines() {
  State& g = *gState;
  AIPathSegment commonEnd;
  ASErr err = sAIPath->GetPathSegments(g.LinePaths[0], 1, 1, &commonEnd);
  if (err != kNoErr) return err;
  for (int n = 1; n < g.ArrowCount; ++n) {
    AIReal angle = 0;
    sAIRealMath->AIRealPointAngle(&g.Tips[n].p, &commonEnd.p, &angle);
    const Point start = LeaderLineStart(ToPoint(g.Tips[n].p), angle, g.HeadPoints.HeadLength, g.ArrowSizeInForce);
    err = WriteSegments(g.LinePaths[n], {SharpSegment(start), commonEnd}, false);
    if (err == kNoErr) err = sAIPathStyle->SetPathStyle(g.LinePaths[n], &g.LineStyle);
    PlaceArrowhead(n, angle);
  }
  return err;
}

//-----------------------------------------------------------------------------
// [SECTION] Label box and shape
//-----------------------------------------------------------------------------

static float TextFrameWidth() {
  const State& g = *gState;
  AIRealRect bounds;
  if (!g.TextOn || !ArtAlive(g.TextFrame) || sAIArt->GetArtBounds(g.TextFrame, &bounds) != kNoErr) return 0.0f;
  const float width = bounds.right - bounds.left;
  return std::isfinite(width) && width > 0.0f ? width : 0.0f;
}

static ASErr BuildLabelShape() {
  State& g = *gState;
  const LabelBoxSize box =
      ComputeLabelBox(TextFrameWidth(), g.Corps, g.TextGapH, g.TextGapV, g.ShapeKind, g.EqualSides);
  const Point landingEnd = ToPoint(g.LandingEnd.p);
  g.LabelCenterX = LabelCentreX(landingEnd.x, box.width, g.LeaderAngle, g.FlipSide, g.LeftSide, g.LandingLength);
  // A negative landing puts the label on the other side; the placed shapes follow.
  const bool flipShape = (g.FlipSide != 0) != (g.LandingLength < 0.0f);

  const Point centre{g.LabelCenterX, landingEnd.y};
  std::vector<Anchor> anchors;
  switch (g.ShapeKind) {
    case kShapeRectangle:
      anchors = g.RayonArrondi == 0.0f ? RectangleOutline(box.width, box.height, centre)
                                       : RoundedRectangleOutline(box.width, box.height, g.RayonArrondi, centre);
      if (ArtAlive(g.ShapePath)) sAIArt->SetArtUserAttr(g.ShapePath, kArtCenterVisible, kArtCenterVisible);
      break;
    case kShapeEllipse:
      anchors = EllipseOutline(box.width / 2.0f, box.height / 2.0f, centre);
      break;
    case kShapeTriangle: {
      const PlacedOutline placed = g.EqualSides
                                       ? TriangleOutline(box.width, box.height, landingEnd, g.LeaderAngle, flipShape)
                                       : TrapezoidOutline(box.width, box.height, landingEnd, g.LeaderAngle, flipShape);
      anchors = placed.anchors;
      g.LabelCenterX = placed.centreX;
      break;
    }
    case kShapeCustom:
      anchors = CustomOutline(std::fabs(box.width / 2.0f), std::fabs(box.height / 2.0f), centre, g.NbPtsArrondiEdit,
                              g.PtArEdit, {g.CoinHG != 0, g.CoinHD != 0, g.CoinBG != 0, g.CoinBD != 0});
      break;
    default:
      break;
  }
  if (!ArtAlive(g.ShapePath)) return kNoErr;
  if (g.ShapeKind == kShapeNone) return WritePath(g.ShapePath, {}, false);
  ASErr err = sAIPathStyle->SetPathStyle(g.ShapePath, &g.ShapeStyle);
  if (err == kNoErr) err = WritePath(g.ShapePath, anchors, !anchors.empty());
  return err;
}

//-----------------------------------------------------------------------------
// [SECTION] Text
//-----------------------------------------------------------------------------

// The label's text into `text` (platform encoding); returns its length.
static int32_t LabelText(char (&text)[64]) {
  const State& g = *gState;
  std::memset(text, 0, sizeof text);
  if (g.FreeTextOn) {
    const int32_t stored = static_cast<int32_t>(TextLength(g.CurrentFreeText));
    const int32_t length = g.FreeTextLength >= 0 && g.FreeTextLength < stored ? g.FreeTextLength : stored;
    std::memcpy(text, g.CurrentFreeText, static_cast<size_t>(length));
    return length;
  }
  if (g.NumberOn) {
    if (sADMBasic->ValueToText(static_cast<AIReal>(g.LabelNumber), text, sizeof text, 0) != kNoErr) return 0;
    const int32_t length = static_cast<int32_t>(TextLength(text));
    return length < NumberDigitCount(g.LabelNumber) ? length : NumberDigitCount(g.LabelNumber);
  }
  text[0] = g.LabelLetter;
  return 1;
}

static ASErr UpdateLabelText() {
  State& g = *gState;
  if (!g.LabelBuilt || !ArtAlive(g.TextFrame)) return kNoErr;
  char text[64];
  const int32_t length = LabelText(text);

  TextRange range(g.TextFrame);
  if (range.status() != kNoErr) return range.status();
  ParaFeatures para;
  para.SetJustification(kATECenterJustify);
  if (!g.OverLabelLine) range.Remove();
  CharFeatures chars;
  chars.SetFontSize(g.Corps);
  chars.SetBaselineShift(TextBaselineShift(g.Corps, g.ShapeKind, g.EqualSides));
  if (!g.OverLabelLine) range.InsertAfter(text, length);
  // The font the panel shows; the matching offset was applied when its list was filled.
  const TextFont font(g.FontListIndex);
  if (font.status() == kNoErr) chars.SetFont(font);
  const TextPaint paint(g.LineStyle.stroke.color);
  if (paint.status() == kNoErr) chars.SetFillColor(paint);
  ASErr err = range.SetLocalCharFeatures(chars);
  if (err == kNoErr) err = range.SetLocalParaFeatures(para);

  const Point base = g.MoveMode ? ToPoint(g.LastCursor) : Point{g.LabelCenterX, g.LandingEnd.p.v};
  const Point anchor = TextAnchorFor(base, g.TextOffsetH, g.TextOffsetV, g.LeaderAngle, g.FlipSide, g.LeftSide);
  g.TextAnchor = ToAIPoint(anchor);
  const ASErr moved = MoveArt(g.TextFrame, g.TextAnchor);
  return err != kNoErr ? err : moved;
}

//-----------------------------------------------------------------------------
// [SECTION] Rebuild
//-----------------------------------------------------------------------------

ASErr Rebuild() {
  State& g = *gState;
  if (!g.ClickAccepted || !g.Dragged) return kNoErr;
  if (!PendingArtAlive()) {
    // Deleted behind our back: the label is no longer pending.
    g.ClickAccepted = false;
    return kNoErr;
  }
  g.LineStyle.stroke.width = g.LineWidthInForce;
  g.ShapeStyle.stroke.width = g.LineWidthInForce;

  BuildMainLeaderLine();
  if (g.ArrowCount > 1) BuildOtherLeaderLines();
  if (g.ArrowheadsOn) PlaceArrowhead(0, g.LeaderAngle);
  ASErr err = BuildLabelShape();
  if (err == kNoErr) g.LabelBuilt = true;
  // The text waits for a shape; a shape the host refused is not reported as
  // success because the text had nothing to do.
  if (g.TextOn) {
    const float sizedFor = TextFrameWidth();
    ASErr textErr = UpdateLabelText();
    // The box was sized from the text before it changed (a new size, font or
    // mode): the box is sized again from the text it now holds, and the text
    // placed in it again.
    if (textErr == kNoErr && TextFrameWidth() != sizedFor) {
      MoveArt(g.TextFrame, {-g.TextAnchor.h, -g.TextAnchor.v});
      BuildLabelShape();
      textErr = UpdateLabelText();
    }
    if (err == kNoErr) err = textErr;
  }
  return err;
}
