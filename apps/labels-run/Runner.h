// Runs a session script against the simulated host, line by line.
#pragma once

#include <filesystem>
#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "apps/labels-run/Commands.h"
#include "hostsim/suites/FaultInjector.h"

namespace labelsrun {

struct RunOptions {
  std::filesystem::path script;
  std::filesystem::path prefsFile;   // empty: the host's default file
  std::filesystem::path pluginFile;
  std::optional<std::filesystem::path> svgOut;
  std::optional<std::filesystem::path> dumpOut;
  bool verbose = false;              // notes on stderr for non-zero plug-in codes
  std::vector<hostsim::FaultRule> faults;       // host calls failed on purpose, counted from the start
  std::optional<std::filesystem::path> callsOut;  // the session's host calls per operation, as JSON
  // For sweeps and tests run in-process: called once the host exists, before
  // the first line, and once the script has ended (however it ended), while
  // the host still lives.
  std::function<void(hostsim::Host&)> onStart;
  std::function<void(hostsim::Host&, hostsim::UserActions&)> onEnd;
  // Files the script names are plain names inside this folder (fuzzing).
  std::optional<std::filesystem::path> sandbox;
  // `png` pictures written with the quickest compression: the same pixels, larger files.
  bool quickPng = false;
};

// "SUITE/OP/N" fails the Nth call of the operation OP of the suite SUITE;
// "SUITE/OP/N+" that call and every later one. Nothing when malformed.
std::optional<hostsim::FaultRule> ParseFaultRule(const std::string& text);

// The words of one script line: '#' starts a comment outside quotes; "..."
// is one word (\" and \\ escape inside). Throws ScriptError for an open quote.
std::vector<std::string> SplitLine(const std::string& line);

// Commands a modal dialog takes while it is open; any other command closes it
// as cancelled and runs once the dialog has returned.
bool IsModalCommand(const std::string& word);

// Runs the script; messages go to err. Returns the process exit code:
// 0 on success, 1 for a bad line or an output that cannot be written, 2 when
// the script cannot be read (missing, unreadable, not a regular file).
int RunScript(const RunOptions& options, std::ostream& err);
// The same over a script already open; options.script only names it.
int RunSession(const RunOptions& options, std::istream& script, std::ostream& err);

}  // namespace labelsrun
