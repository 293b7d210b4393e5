// Session commands for dialog items: what a person does on the front dialog
// (the open modal dialog, else the panel), its flyout menu and close box.
#include <climits>
#include <string>

#include "apps/labels-run/Commands.h"
#include "apps/labels-run/Echo.h"
#include "hostsim/Host.h"
#include "hostsim/UserActions.h"
#include "hostsim/render/DialogPng.h"

namespace labelsrun {
namespace {

constexpr const char* kItemUsage =
    "usage: item ID click [cmd] [opt] [shift] | item ID value V | item ID text \"T\" | item ID pick P | "
    "item ID track down|drag|up|hover X Y [cmd] [opt] [shift]";

// The modifier words from `first` on.
hostsim::ItemModifiers Modifiers(const std::vector<std::string>& args, std::size_t first) {
  hostsim::ItemModifiers m;
  for (std::size_t i = first; i < args.size(); ++i) {
    if (args[i] == "cmd") m.command = true;
    else if (args[i] == "opt") m.option = true;
    else if (args[i] == "shift") m.shift = true;
    else throw ScriptError("unknown modifier " + Quoted(args[i]) + " (cmd, opt, shift)");
  }
  return m;
}

hostsim::TrackAction TrackActionFromWord(const std::string& word) {
  if (word == "down") return hostsim::TrackAction::Down;
  if (word == "drag") return hostsim::TrackAction::Drag;
  if (word == "up") return hostsim::TrackAction::Up;
  if (word == "hover") return hostsim::TrackAction::Hover;
  throw ScriptError("unknown tracking action " + Quoted(word) + " (down, drag, up, hover)");
}

int32_t Pixel(const std::string& word) {
  return ParseInteger(word, -static_cast<int32_t>(kLargestNumber), static_cast<int32_t>(kLargestNumber));
}

void Item(CommandContext& ctx) {
  if (ctx.args.size() < 2) throw ScriptError(kItemUsage);
  const int32_t id = ParseInteger(ctx.args[0], INT32_MIN, INT32_MAX);
  const std::string& action = ctx.args[1];
  const std::string context = "item " + ctx.args[0];
  const auto& a = ctx.args;
  if (action == "click") {
    return Report(ctx, ctx.user.ItemClick(id, Modifiers(a, 2)), context);
  }
  if (action == "value" && a.size() == 3) {
    return Report(ctx, ctx.user.ItemValue(id, ParseNumber(a[2])), context);
  }
  if (action == "text" && a.size() == 3) {
    return Report(ctx, ctx.user.ItemText(id, a[2]), context);
  }
  if (action == "pick" && a.size() == 3) {
    return Report(ctx, ctx.user.ItemPick(id, ParseInteger(a[2], 0, INT32_MAX)), context);
  }
  if (action == "track" && a.size() >= 5) {
    const hostsim::TrackAction track = TrackActionFromWord(a[2]);
    const hostsim::ItemPoint point{Pixel(a[3]), Pixel(a[4])};
    return Report(ctx, ctx.user.ItemTrack(id, track, point, Modifiers(a, 5)), context);
  }
  throw ScriptError(kItemUsage);
}

void Flyout(CommandContext& ctx) {
  ExpectArgs(ctx, 1, 1, "flyout P");
  Report(ctx, ctx.user.FlyoutPick(ParseInteger(ctx.args[0], 0, INT32_MAX)), "flyout " + ctx.args[0]);
}

void CloseBox(CommandContext& ctx) {
  ExpectArgs(ctx, 0, 0, "closebox");
  Report(ctx, ctx.user.CloseBox(), "closebox");
}

// A picture of the panel or of the open modal dialog, as a screen would show
// it, optionally enlarged.
void Png(CommandContext& ctx) {
  ExpectArgs(ctx, 2, 3, "png panel|dialog FILE [SCALE]");
  const std::string& which = ctx.args[0];
  if (which != "panel" && which != "dialog") throw ScriptError("usage: png panel|dialog FILE [SCALE]");
  const int32_t scale = ctx.args.size() == 3 ? ParseInteger(ctx.args[2], 1, 8) : 1;
  std::string problem;
  const std::filesystem::path file = FileOf(ctx, ctx.args[1], false);
  const bool saved = which == "panel" ? hostsim::render::SavePanelPng(ctx.host, file, scale, &problem)
                                      : hostsim::render::SaveDialogPng(ctx.host, file, scale, &problem);
  if (!saved) throw ScriptError(problem);
}

}  // namespace

void RegisterItemCommands(CommandTable& table) {
  table["item"] = Item;
  table["flyout"] = Flyout;
  table["closebox"] = CloseBox;
  table["png"] = Png;
}

}  // namespace labelsrun
