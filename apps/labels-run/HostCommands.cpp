// Session commands that drive the host: the plug-in's life, tools, menus,
// keys, mouse and the observation dump. Each turns a line into one call of the
// host's user actions; what the action means is the host's.
#include <fstream>
#include <string>

#include "apps/labels-run/Commands.h"
#include "apps/labels-run/Echo.h"
#include "hostsim/SafeFile.h"
#include "hostsim/Host.h"
#include "hostsim/UserActions.h"

namespace labelsrun {
namespace {

void RefuseWhileBusy(const CommandContext& ctx, const char* what) {
  if (ctx.host.busy()) throw ScriptError(std::string("cannot ") + what + " while a modal dialog is open");
}

void RequireLaunched(const CommandContext& ctx) {
  if (!ctx.host.launched()) throw ScriptError("the plug-in is not launched (use launch first)");
}

void Launch(CommandContext& ctx) {
  ExpectArgs(ctx, 0, 0, "launch");
  if (ctx.host.launched()) throw ScriptError("the plug-in is already launched");
  const ASErr err = ctx.host.Launch();
  if (!ctx.host.launched()) {
    std::string why = "the plug-in cannot be loaded";
    for (const std::string& m : ctx.host.TakeMessages()) why = m;
    throw ScriptError(why);
  }
  NoteCode(ctx, "start-up", err);
}

void Quit(CommandContext& ctx) {
  ExpectArgs(ctx, 0, 0, "quit");
  RefuseWhileBusy(ctx, "quit");
  NoteCode(ctx, "shut-down", ctx.host.Quit());
  // The user's settings would be lost without a word: the run fails.
  if (!ctx.host.prefsSaved()) throw ScriptError("the preference file was not saved");
}

void Unload(CommandContext& ctx) {
  ExpectArgs(ctx, 0, 0, "unload");
  RefuseWhileBusy(ctx, "unload");
  RequireLaunched(ctx);
  if (!ctx.host.loaded()) throw ScriptError("the plug-in is already unloaded");
  NoteCode(ctx, "unload", ctx.host.Unload());
}

void Reload(CommandContext& ctx) {
  ExpectArgs(ctx, 0, 0, "reload");
  RefuseWhileBusy(ctx, "reload");
  RequireLaunched(ctx);
  if (ctx.host.loaded()) throw ScriptError("the plug-in is loaded (use unload first)");
  const ASErr err = ctx.host.Reload();
  if (!ctx.host.loaded()) {
    std::string why = "the plug-in cannot be reloaded";
    for (const std::string& m : ctx.host.TakeMessages()) why = m;
    throw ScriptError(why);
  }
  NoteCode(ctx, "reload", err);
}

void Dump(CommandContext& ctx) {
  ExpectArgs(ctx, 1, 1, "dump FILE");
  const std::string text = ctx.host.Dump().dump(2, ' ', false, nlohmann::json::error_handler_t::replace) + "\n";
  if (auto problem = hostsim::SaveFile(FileOf(ctx, ctx.args[0], false), text)) {
    throw ScriptError("cannot write " + Quoted(ctx.args[0]) + ": " + *problem);
  }
}

void ToolCommand(CommandContext& ctx) {
  ExpectArgs(ctx, 1, 1, "tool select|deselect|options");
  const std::string& what = ctx.args[0];
  if (what == "select") return Report(ctx, ctx.user.SelectTool());
  if (what == "deselect") return Report(ctx, ctx.user.DeselectTool());
  if (what == "options") return Report(ctx, ctx.user.ToolOptions());
  throw ScriptError("usage: tool select|deselect|options");
}

// `menu panel` and `menu about` name the two places a labels plug-in puts its
// commands: the first item of the first sub-menu it adds to the host's tool
// palettes, and the first item of the sub-menu it adds to the About group.
// Any other place is given as its path, one word a step.
hostsim::MenuPath MenuPlace(const CommandContext& ctx) {
  constexpr const char* kUsage = "usage: menu panel|about, or menu MENU ENTRY ... (entry texts or positions from 1)";
  if (ctx.args.size() == 1 && ctx.args[0] == "panel") return hostsim::ParseMenuPath("Window > Tool Palettes > 1 > 1");
  if (ctx.args.size() == 1 && ctx.args[0] == "about") return hostsim::ParseMenuPath("Help > About > 1 > 1");
  if (ctx.args.size() < 2) throw ScriptError(kUsage);
  hostsim::MenuPath path;
  for (const std::string& word : ctx.args) path.push_back(hostsim::MenuStepFromWord(word));
  return path;
}

void MenuCommand(CommandContext& ctx) {
  const hostsim::MenuPath place = MenuPlace(ctx);
  Report(ctx, ctx.user.ChooseMenu(place), "menu " + hostsim::MenuPathText(place));
}

std::vector<int> Keys(const CommandContext& ctx, const char* usage) {
  if (ctx.args.empty()) throw ScriptError(std::string("usage: ") + usage);
  std::vector<int> keys;
  for (const std::string& word : ctx.args) {
    auto key = hostsim::Keyboard::KeyFromName(word);
    if (!key) throw ScriptError("unknown key " + Quoted(word) + " (shift, alt, ctrl, space)");
    keys.push_back(*key);
  }
  return keys;
}

void Press(CommandContext& ctx) {
  for (int key : Keys(ctx, "press shift|alt|ctrl|space ...")) ctx.user.PressKey(key);
}

void Release(CommandContext& ctx) {
  if (ctx.args.size() == 1 && ctx.args[0] == "all") return ctx.user.ReleaseAllKeys();
  for (int key : Keys(ctx, "release shift|alt|ctrl|space ... | release all")) ctx.user.ReleaseKey(key);
}

using PointerAction = hostsim::ActionResult (hostsim::UserActions::*)(AIRealPoint);

CommandFn Pointer(PointerAction action, const char* usage) {
  return [action, usage](CommandContext& ctx) {
    ExpectArgs(ctx, 2, 2, usage);
    const AIRealPoint p{static_cast<AIReal>(ParseNumber(ctx.args[0])), static_cast<AIReal>(ParseNumber(ctx.args[1]))};
    Report(ctx, (ctx.user.*action)(p));
  };
}

}  // namespace

void RegisterHostCommands(CommandTable& table) {
  table["launch"] = Launch;
  table["quit"] = Quit;
  table["unload"] = Unload;
  table["reload"] = Reload;
  table["dump"] = Dump;
  table["tool"] = ToolCommand;
  table["menu"] = MenuCommand;
  table["press"] = Press;
  table["release"] = Release;
  table["move"] = Pointer(&hostsim::UserActions::PointerMove, "move X Y");
  table["down"] = Pointer(&hostsim::UserActions::MouseDown, "down X Y");
  table["drag"] = Pointer(&hostsim::UserActions::Drag, "drag X Y");
  table["up"] = Pointer(&hostsim::UserActions::MouseUp, "up X Y");
  table["click"] = Pointer(&hostsim::UserActions::Click, "click X Y");
}

}  // namespace labelsrun
