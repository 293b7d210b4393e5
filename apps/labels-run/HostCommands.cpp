// Session commands that drive the host: the plug-in's life, tools, menus,
// keys, mouse and the observation dump.
#include <fstream>
#include <string>

#include "apps/labels-run/Commands.h"
#include "hostsim/Host.h"

namespace labelsrun {
namespace {

void RefuseWhileBusy(const CommandContext& ctx, const char* what) {
  if (ctx.host.busy()) throw ScriptError(std::string("cannot ") + what + " while a modal dialog is open");
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
}

void RequireLaunched(const CommandContext& ctx) {
  if (!ctx.host.launched()) throw ScriptError("the plug-in is not launched (use launch first)");
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
  std::ofstream out(ctx.args[0], std::ios::binary);
  if (out) out << ctx.host.Dump().dump(2, ' ', false, nlohmann::json::error_handler_t::replace) << "\n";
  if (!out) throw ScriptError("cannot write " + ctx.args[0]);
}

void ToolCommand(CommandContext& ctx) {
  ExpectArgs(ctx, 1, 1, "tool select|deselect|options");
  RequireLaunched(ctx);
  const std::string& what = ctx.args[0];
  if (what != "select" && what != "deselect" && what != "options") {
    throw ScriptError("usage: tool select|deselect|options");
  }
  if (ctx.host.tools().PluginTool() == nullptr) {
    Note(ctx, "the plug-in has no tool; nothing sent");
    return;
  }
  if (what == "select") NoteCode(ctx, "tool select", ctx.host.SelectTool(true));
  if (what == "deselect") NoteCode(ctx, "tool deselect", ctx.host.SelectTool(false));
  if (what == "options") NoteCode(ctx, "tool options", ctx.host.ToolOptions());
}

void MenuCommand(CommandContext& ctx) {
  ExpectArgs(ctx, 1, 1, "menu panel|about");
  RequireLaunched(ctx);
  const std::string& which = ctx.args[0];
  if (which != "panel" && which != "about" && ctx.host.menus().FindItem(which) == nullptr) {
    throw ScriptError("usage: menu panel|about");
  }
  if (ctx.host.MenuCommandItem(which) == nullptr) {
    Note(ctx, "the plug-in has no menu item for \"" + which + "\"; nothing sent");
    return;
  }
  NoteCode(ctx, "menu command", ctx.host.MenuCommand(which));
}

std::vector<int> Keys(const CommandContext& ctx, const char* usage) {
  if (ctx.args.empty()) throw ScriptError(std::string("usage: ") + usage);
  std::vector<int> keys;
  for (const std::string& word : ctx.args) {
    auto key = hostsim::Keyboard::KeyFromName(word);
    if (!key) throw ScriptError("unknown key \"" + word + "\" (shift, alt, ctrl, space)");
    keys.push_back(*key);
  }
  return keys;
}

void Press(CommandContext& ctx) {
  for (int key : Keys(ctx, "press shift|alt|ctrl|space ...")) ctx.host.keyboard().Press(key);
}

void Release(CommandContext& ctx) {
  if (ctx.args.size() == 1 && ctx.args[0] == "all") {
    ctx.host.keyboard().ReleaseAll();
    return;
  }
  for (int key : Keys(ctx, "release shift|alt|ctrl|space ... | release all")) ctx.host.keyboard().Release(key);
}

AIRealPoint Point(const CommandContext& ctx, const char* usage) {
  ExpectArgs(ctx, 2, 2, usage);
  return {static_cast<AIReal>(ParseNumber(ctx.args[0])), static_cast<AIReal>(ParseNumber(ctx.args[1]))};
}

// Mouse messages go to the tool only while it is the current tool.
bool ToolIsCurrent(const CommandContext& ctx) {
  RequireLaunched(ctx);
  if (ctx.host.tools().PluginToolSelected()) return true;
  Note(ctx, "the plug-in's tool is not the current tool; nothing sent");
  return false;
}

CommandFn Mouse(const char* selector, const char* usage) {
  return [selector, usage](CommandContext& ctx) {
    const AIRealPoint p = Point(ctx, usage);
    if (ToolIsCurrent(ctx)) NoteCode(ctx, selector, ctx.host.SendTool(selector, p));
  };
}

// The pointer reaches the point before the button goes down, as with a real
// mouse: the tool sees the cursor there first (its magnet test runs then).
void MouseDown(CommandContext& ctx, AIRealPoint p) {
  NoteCode(ctx, kSelectorAITrackToolCursor, ctx.host.SendTool(kSelectorAITrackToolCursor, p));
  NoteCode(ctx, kSelectorAIToolMouseDown, ctx.host.SendTool(kSelectorAIToolMouseDown, p));
}

void Down(CommandContext& ctx) {
  const AIRealPoint p = Point(ctx, "down X Y");
  if (ToolIsCurrent(ctx)) MouseDown(ctx, p);
}

void Click(CommandContext& ctx) {
  const AIRealPoint p = Point(ctx, "click X Y");
  if (!ToolIsCurrent(ctx)) return;
  MouseDown(ctx, p);
  NoteCode(ctx, kSelectorAIToolMouseUp, ctx.host.SendTool(kSelectorAIToolMouseUp, p));
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
  table["move"] = Mouse(kSelectorAITrackToolCursor, "move X Y");
  table["down"] = Down;
  table["drag"] = Mouse(kSelectorAIToolMouseDrag, "drag X Y");
  table["up"] = Mouse(kSelectorAIToolMouseUp, "up X Y");
  table["click"] = Click;
}

}  // namespace labelsrun
