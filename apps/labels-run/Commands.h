// The session runner's commands: one function per command word.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <iosfwd>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

namespace hostsim {
class Host;
class UserActions;
struct ActionResult;
}  // namespace hostsim

namespace labelsrun {

// A bad line: the runner prints "file:line: message" and stops.
struct ScriptError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

struct CommandContext {
  hostsim::Host& host;            // the plug-in's life, the dump, the host's messages
  hostsim::UserActions& user;     // everything a person does
  std::vector<std::string> args;  // the words after the command word; quoted words unquoted
  std::string scriptDir;          // relative input paths are taken from here; output paths from the working directory
  std::string where;              // "file:line", for notes
  std::ostream* notes = nullptr;  // where notes go (stderr); null: no notes
  bool verbose = false;           // note non-zero plug-in codes too
  const std::filesystem::path* sandbox = nullptr;  // when set, files are plain names inside this folder
};

// The file a command reads (input) or writes. Relative input names are taken
// from the script's folder, output names from the working folder. In a
// sandbox only a plain name (no folder, not hidden) is accepted, inside it.
std::filesystem::path FileOf(const CommandContext& ctx, const std::string& name, bool input);

// A note on the runner's error stream: "file:line: note: text". Not an error.
void Note(const CommandContext& ctx, const std::string& text);
// Notes a non-zero plug-in code when the run is verbose.
void NoteCode(const CommandContext& ctx, const char* what, int32_t code);

using CommandFn = std::function<void(CommandContext&)>;
using CommandTable = std::map<std::string, CommandFn>;

// What became of a person's action: a refusal that makes the line wrong
// (no plug-in launched, no such dialog item, a value the host refuses) is a
// ScriptError; one the session goes on after (no tool, the tool not current,
// nothing at a menu place) is a note, "; nothing sent". Then the plug-in's
// non-zero answers are noted when the run is verbose. `context`, when given,
// is added in brackets (a menu place, an item).
void Report(const CommandContext& ctx, const hostsim::ActionResult& result, const std::string& context = {});

// Numbers in a session: coordinates, sizes and the zoom.
inline constexpr double kLargestNumber = 1e7;
// A finite number within +-kLargestNumber, or ScriptError ("... is not a number",
// "... is out of range").
double ParseNumber(const std::string& word);
// A whole number in [min, max], or ScriptError.
int32_t ParseInteger(const std::string& word, int32_t min, int32_t max);
// Throws ScriptError unless args has between min and max words.
void ExpectArgs(const CommandContext& ctx, std::size_t min, std::size_t max, const char* usage);

// launch, quit, unload, reload, dump, tool, menu, press, release, move, down, drag, up, click
void RegisterHostCommands(CommandTable& table);
// zoom, layer, rect, ellipse, line, path, svg, open
void RegisterDocumentCommands(CommandTable& table);
// item, flyout, closebox
void RegisterItemCommands(CommandTable& table);

}  // namespace labelsrun
