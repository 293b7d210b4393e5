// Session commands that set up the drawing: zoom, layers, shapes, SVG in and out.
// Shapes go on top of the current layer, stroked black 1 pt, filled grey on request.
#include <cmath>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "apps/labels-run/Commands.h"
#include "hostsim/Encoding.h"
#include "hostsim/Host.h"
#include "hostsim/document/Document.h"
#include "hostsim/document/DocumentApi.h"
#include "hostsim/document/SvgReader.h"

namespace labelsrun {
namespace {

using hostsim::Document;

// Removes the flag word from args; true when it was there.
bool TakeFlag(std::vector<std::string>& args, const std::string& flag) {
  for (auto it = args.begin(); it != args.end(); ++it) {
    if (*it == flag) {
      args.erase(it);
      return true;
    }
  }
  return false;
}

AIPathSegment Corner(double x, double y) {
  const AIRealPoint p{static_cast<AIReal>(x), static_cast<AIReal>(y)};
  return AIPathSegment{p, p, p, true};
}

AIRealPoint Pt(double x, double y) { return {static_cast<AIReal>(x), static_cast<AIReal>(y)}; }

void AddPath(CommandContext& ctx, std::vector<AIPathSegment> segments, bool closed, bool filled) {
  Document& doc = ctx.host.document();
  hostsim::ObjectId id = 0;
  if (doc.NewArt(hostsim::ArtKind::Path, kPlaceAboveAll, 0, &id) != kNoErr) {
    throw ScriptError("the current layer cannot take art");
  }
  hostsim::Art& art = *doc.FindArt(id);
  art.path.segments = std::move(segments);
  art.path.closed = closed;
  art.path.style = hostsim::DefaultPathStyle();  // black 1 pt stroke
  if (filled) {
    art.path.style.fillPaint = true;
    art.path.style.fill.color = hostsim::GrayColor(0.5);
  }
}

void Zoom(CommandContext& ctx) {
  ExpectArgs(ctx, 1, 1, "zoom Z");
  const double zoom = ParseNumber(ctx.args[0]);
  if (zoom <= 0) throw ScriptError("the zoom must be above 0");
  ctx.host.document().zoom = zoom;
}

void AddLayer(CommandContext& ctx) {
  ExpectArgs(ctx, 1, 3, "layer NAME [locked] [hidden]");
  std::vector<std::string> flags(ctx.args.begin() + 1, ctx.args.end());
  const bool locked = TakeFlag(flags, "locked");
  const bool hidden = TakeFlag(flags, "hidden");
  if (!flags.empty()) throw ScriptError("unknown layer flag \"" + flags.front() + "\" (locked, hidden)");
  if (ctx.args[0].empty()) throw ScriptError("a layer needs a name");
  Document& doc = ctx.host.document();
  const hostsim::ObjectId id = doc.InsertLayer(0, hostsim::SanitizeUtf8(ctx.args[0]));
  hostsim::Layer& layer = *doc.FindLayer(id);
  layer.editable = !locked;
  layer.visible = !hidden;
  doc.SetCurrentLayer(id);
}

void Rect(CommandContext& ctx) {
  std::vector<std::string> args = ctx.args;
  const bool filled = TakeFlag(args, "filled");
  if (args.size() != 4) throw ScriptError("usage: rect X Y W H [filled]");
  const double x = ParseNumber(args[0]), y = ParseNumber(args[1]);
  const double w = ParseNumber(args[2]), h = ParseNumber(args[3]);
  AddPath(ctx, {Corner(x, y), Corner(x + w, y), Corner(x + w, y + h), Corner(x, y + h)}, true, filled);
}

void Ellipse(CommandContext& ctx) {
  std::vector<std::string> args = ctx.args;
  const bool filled = TakeFlag(args, "filled");
  if (args.size() != 4) throw ScriptError("usage: ellipse CX CY RX RY [filled]");
  const double cx = ParseNumber(args[0]), cy = ParseNumber(args[1]);
  const double rx = ParseNumber(args[2]), ry = ParseNumber(args[3]);
  constexpr double k = 0.5522848;  // handle length of a quarter circle of radius 1
  const double kx = k * rx, ky = k * ry;
  // Right, top, left, bottom: counter-clockwise, each anchor with its in and out handles.
  std::vector<AIPathSegment> segments = {
      {Pt(cx + rx, cy), Pt(cx + rx, cy - ky), Pt(cx + rx, cy + ky), false},
      {Pt(cx, cy + ry), Pt(cx + kx, cy + ry), Pt(cx - kx, cy + ry), false},
      {Pt(cx - rx, cy), Pt(cx - rx, cy + ky), Pt(cx - rx, cy - ky), false},
      {Pt(cx, cy - ry), Pt(cx - kx, cy - ry), Pt(cx + kx, cy - ry), false},
  };
  AddPath(ctx, std::move(segments), true, filled);
}

void Line(CommandContext& ctx) {
  ExpectArgs(ctx, 4, 4, "line X1 Y1 X2 Y2");
  const double x1 = ParseNumber(ctx.args[0]), y1 = ParseNumber(ctx.args[1]);
  const double x2 = ParseNumber(ctx.args[2]), y2 = ParseNumber(ctx.args[3]);
  AddPath(ctx, {Corner(x1, y1), Corner(x2, y2)}, false, false);
}

void Path(CommandContext& ctx) {
  std::vector<std::string> args = ctx.args;
  const bool closed = !args.empty() && args.front() == "closed";
  if (closed) args.erase(args.begin());
  if (args.size() < 4 || args.size() % 2 != 0) {
    throw ScriptError("usage: path [closed] X Y X Y ... (two points at least)");
  }
  if (args.size() / 2 > 32000) throw ScriptError("a path has at most 32000 points");
  std::vector<AIPathSegment> segments;
  for (std::size_t i = 0; i < args.size(); i += 2) {
    segments.push_back(Corner(ParseNumber(args[i]), ParseNumber(args[i + 1])));
  }
  AddPath(ctx, std::move(segments), closed, false);
}

void Svg(CommandContext& ctx) {
  ExpectArgs(ctx, 1, 1, "svg FILE");
  std::ofstream out(ctx.args[0], std::ios::binary | std::ios::trunc);
  if (out) hostsim::WriteSvg(ctx.host.document(), out);
  out.flush();
  if (!out) throw ScriptError("cannot write \"" + ctx.args[0] + "\"");
}

// Replaces the drawing with the file's; a relative name is taken from the
// script's folder. A file that cannot be read stops the run and changes nothing.
void Open(CommandContext& ctx) {
  ExpectArgs(ctx, 1, 1, "open FILE.svg");
  std::filesystem::path file = ctx.args[0];
  if (file.is_relative() && !ctx.scriptDir.empty()) file = std::filesystem::path(ctx.scriptDir) / file;
  const hostsim::SvgReadResult result = hostsim::OpenSvg(file, ctx.host.document());
  if (!result.ok) throw ScriptError(ctx.args[0] + ": " + result.error);
  for (const std::string& warning : result.warnings) Note(ctx, ctx.args[0] + ": " + warning);
}

}  // namespace

void RegisterDocumentCommands(CommandTable& table) {
  table["zoom"] = Zoom;
  table["layer"] = AddLayer;
  table["rect"] = Rect;
  table["ellipse"] = Ellipse;
  table["line"] = Line;
  table["path"] = Path;
  table["svg"] = Svg;
  table["open"] = Open;
}

}  // namespace labelsrun
