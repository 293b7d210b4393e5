// Session commands that set up the drawing: zoom, layers, shapes, SVG in and out.
// The host builds and reads the art; these only read the words.
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "apps/labels-run/Commands.h"
#include "apps/labels-run/Echo.h"
#include "hostsim/SafeFile.h"
#include "hostsim/UserActions.h"

namespace labelsrun {
namespace {

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

AIRealPoint Point(const std::string& x, const std::string& y) {
  return {static_cast<AIReal>(ParseNumber(x)), static_cast<AIReal>(ParseNumber(y))};
}

// The words as numbers, read left to right so that the first bad one is named.
std::vector<double> Numbers(const std::vector<std::string>& words) {
  std::vector<double> out;
  for (const std::string& w : words) out.push_back(ParseNumber(w));
  return out;
}

void Zoom(CommandContext& ctx) {
  ExpectArgs(ctx, 1, 1, "zoom Z");
  const double zoom = ParseNumber(ctx.args[0]);
  if (zoom <= 0) throw ScriptError("the zoom must be above 0");
  Report(ctx, ctx.user.SetZoom(zoom));
}

void AddLayer(CommandContext& ctx) {
  ExpectArgs(ctx, 1, 3, "layer NAME [locked] [hidden]");
  std::vector<std::string> flags(ctx.args.begin() + 1, ctx.args.end());
  const bool locked = TakeFlag(flags, "locked");
  const bool hidden = TakeFlag(flags, "hidden");
  if (!flags.empty()) throw ScriptError("unknown layer flag " + Quoted(flags.front()) + " (locked, hidden)");
  if (ctx.args[0].empty()) throw ScriptError("a layer needs a name");
  Report(ctx, ctx.user.AddLayer(ctx.args[0], locked, hidden));
}

void Rect(CommandContext& ctx) {
  std::vector<std::string> args = ctx.args;
  const bool filled = TakeFlag(args, "filled");
  if (args.size() != 4) throw ScriptError("usage: rect X Y W H [filled]");
  const std::vector<double> v = Numbers(args);
  Report(ctx, ctx.user.AddRect(v[0], v[1], v[2], v[3], filled));
}

void Ellipse(CommandContext& ctx) {
  std::vector<std::string> args = ctx.args;
  const bool filled = TakeFlag(args, "filled");
  if (args.size() != 4) throw ScriptError("usage: ellipse CX CY RX RY [filled]");
  const std::vector<double> v = Numbers(args);
  Report(ctx, ctx.user.AddEllipse(v[0], v[1], v[2], v[3], filled));
}

void Line(CommandContext& ctx) {
  ExpectArgs(ctx, 4, 4, "line X1 Y1 X2 Y2");
  const AIRealPoint from = Point(ctx.args[0], ctx.args[1]);
  const AIRealPoint to = Point(ctx.args[2], ctx.args[3]);
  Report(ctx, ctx.user.AddLine(from, to));
}

void Path(CommandContext& ctx) {
  std::vector<std::string> args = ctx.args;
  const bool closed = !args.empty() && args.front() == "closed";
  if (closed) args.erase(args.begin());
  if (args.size() < 4 || args.size() % 2 != 0) {
    throw ScriptError("usage: path [closed] X Y X Y ... (two points at least)");
  }
  if (args.size() / 2 > hostsim::UserActions::kMaxPathPoints) {
    throw ScriptError("a path has at most " + std::to_string(hostsim::UserActions::kMaxPathPoints) + " points");
  }
  std::vector<AIRealPoint> points;
  for (std::size_t i = 0; i < args.size(); i += 2) points.push_back(Point(args[i], args[i + 1]));
  Report(ctx, ctx.user.AddPath(points, closed));
}

void Svg(CommandContext& ctx) {
  ExpectArgs(ctx, 1, 1, "svg FILE");
  std::ostringstream svg;
  ctx.user.SaveSvg(svg);
  if (auto problem = hostsim::SaveFile(FileOf(ctx, ctx.args[0], false), svg.str())) {
    throw ScriptError("cannot write " + Quoted(ctx.args[0]) + ": " + *problem);
  }
}

// Replaces the drawing with the file's; a relative name is taken from the
// script's folder. A file that cannot be read stops the run and changes nothing.
void Open(CommandContext& ctx) {
  ExpectArgs(ctx, 1, 1, "open FILE.svg");
  const std::filesystem::path file = FileOf(ctx, ctx.args[0], true);
  const hostsim::SvgReadResult result = ctx.user.OpenSvg(file);
  if (!result.ok) throw ScriptError(Printable(ctx.args[0], kEchoedWordBytes) + ": " + result.error);
  for (const std::string& warning : result.warnings) Note(ctx, Printable(ctx.args[0], kEchoedWordBytes) + ": " + warning);
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
