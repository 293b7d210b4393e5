// Artwork and layers a person draws with the host's own tools, and the view's
// zoom: the drawing a label is made on.
#include <cmath>
#include <ostream>

#include "hostsim/Encoding.h"
#include "hostsim/History.h"
#include "hostsim/Host.h"
#include "hostsim/UserActions.h"
#include "hostsim/document/Document.h"
#include "hostsim/document/DocumentApi.h"

namespace hostsim {
namespace {

// Handle length of a quarter circle of radius 1 drawn as one cubic Bezier arc.
constexpr double kQuarterArcHandle = 0.5522848;

AIRealPoint Pt(double x, double y) { return {static_cast<AIReal>(x), static_cast<AIReal>(y)}; }

AIPathSegment Corner(AIRealPoint p) { return AIPathSegment{p, p, p, true}; }

bool Finite(AIRealPoint p) { return std::isfinite(p.h) && std::isfinite(p.v); }

// Every point the document would store is a finite single-precision number.
bool AllFinite(const std::vector<AIPathSegment>& segments) {
  for (const AIPathSegment& s : segments) {
    if (!Finite(s.p) || !Finite(s.in) || !Finite(s.out)) return false;
  }
  return true;
}

// Art drawn, a layer added or a drawing opened changes the selection: the
// plug-ins hear of it as they would after any edit of the user's.
void TellSelectionChanged(Host& host) {
  if (host.launched()) host.Notify(kAIArtSelectionChangedNotifier);
}

ActionResult Status(ActionStatus status) {
  ActionResult result;
  result.status = status;
  return result;
}

}  // namespace

ActionResult UserActions::SetZoom(double zoom) {
  if (!std::isfinite(zoom) || zoom <= 0) return Status(ActionStatus::BadValue);
  host_.document().zoom = zoom;
  return {};
}

ActionResult UserActions::AddLayer(const std::string& titleUtf8, bool locked, bool hidden) {
  if (titleUtf8.empty()) return Status(ActionStatus::BadValue);
  Document& doc = host_.document();
  HistoryStep step(host_.history(), doc);
  const ObjectId id = doc.InsertLayer(0, SanitizeUtf8(titleUtf8));
  Layer& layer = *doc.FindLayer(id);
  layer.editable = !locked;
  layer.visible = !hidden;
  doc.SetCurrentLayer(id);
  TellSelectionChanged(host_);
  return {};
}

ActionResult UserActions::AddPathArt(std::vector<AIPathSegment> segments, bool closed, bool filled) {
  if (!AllFinite(segments)) return Status(ActionStatus::BadValue);
  Document& doc = host_.document();
  HistoryStep step(host_.history(), doc);
  ObjectId id = 0;
  if (doc.NewArt(ArtKind::Path, kPlaceAboveAll, 0, &id) != kNoErr) return Status(ActionStatus::CannotTakeArt);
  Art& art = *doc.FindArt(id);
  art.path.segments = std::move(segments);
  doc.ArtChanged(id);
  art.path.closed = closed;
  art.path.style = DefaultPathStyle();  // black 1 pt stroke
  if (filled) {
    art.path.style.fillPaint = true;
    art.path.style.fill.color = GrayColor(0.5);
  }
  TellSelectionChanged(host_);
  return {};
}

ActionResult UserActions::AddRect(double x, double y, double w, double h, bool filled) {
  return AddPathArt({Corner(Pt(x, y)), Corner(Pt(x + w, y)), Corner(Pt(x + w, y + h)), Corner(Pt(x, y + h))}, true,
                    filled);
}

ActionResult UserActions::AddEllipse(double cx, double cy, double rx, double ry, bool filled) {
  const double kx = kQuarterArcHandle * rx, ky = kQuarterArcHandle * ry;
  // Right, top, left, bottom: counter-clockwise, each anchor with its in and out handles.
  return AddPathArt({{Pt(cx + rx, cy), Pt(cx + rx, cy - ky), Pt(cx + rx, cy + ky), false},
                     {Pt(cx, cy + ry), Pt(cx + kx, cy + ry), Pt(cx - kx, cy + ry), false},
                     {Pt(cx - rx, cy), Pt(cx - rx, cy + ky), Pt(cx - rx, cy - ky), false},
                     {Pt(cx, cy - ry), Pt(cx - kx, cy - ry), Pt(cx + kx, cy - ry), false}},
                    true, filled);
}

ActionResult UserActions::AddLine(AIRealPoint from, AIRealPoint to) {
  return AddPathArt({Corner(from), Corner(to)}, false, false);
}

ActionResult UserActions::AddPath(const std::vector<AIRealPoint>& points, bool closed) {
  if (points.size() < 2 || points.size() > kMaxPathPoints) return Status(ActionStatus::BadValue);
  std::vector<AIPathSegment> segments;
  segments.reserve(points.size());
  for (const AIRealPoint& p : points) segments.push_back(Corner(p));
  return AddPathArt(std::move(segments), closed, false);
}

bool UserActions::SaveSvg(std::ostream& out) const {
  if (out) WriteSvg(host_.document(), out);
  out.flush();
  return static_cast<bool>(out);
}

void UserActions::NewDrawing() {
  DocumentPtr fresh = MakeDocument(host_.fonts());
  const double zoom = host_.document().zoom;  // the view stays as it is
  host_.document().ReplaceDrawing(std::move(*fresh));
  host_.document().zoom = zoom;
  host_.history().Clear(host_.document());
  TellSelectionChanged(host_);
}

SvgReadResult UserActions::OpenSvg(const std::filesystem::path& file) {
  SvgReadResult result = hostsim::OpenSvg(file, host_.document());
  if (result.ok) host_.history().Clear(host_.document());
  TellSelectionChanged(host_);
  return result;
}

}  // namespace hostsim
