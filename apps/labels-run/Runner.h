// Runs a session script against the simulated host, line by line.
#pragma once

#include <filesystem>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "apps/labels-run/Commands.h"

namespace labelsrun {

struct RunOptions {
  std::filesystem::path script;
  std::filesystem::path prefsFile;   // empty: the host's default file
  std::filesystem::path pluginFile;
  std::optional<std::filesystem::path> svgOut;
  std::optional<std::filesystem::path> dumpOut;
  bool verbose = false;              // notes on stderr for non-zero plug-in codes
};

// The words of one script line: '#' starts a comment outside quotes; "..."
// is one word (\" and \\ escape inside). Throws ScriptError for an open quote.
std::vector<std::string> SplitLine(const std::string& line);

// Commands a modal dialog takes while it is open; any other command closes it
// as cancelled and runs once the dialog has returned.
bool IsModalCommand(const std::string& word);

// Runs the script; messages go to err. Returns the process exit code:
// 0 on success, 1 for a bad line, 2 when the script cannot be read.
int RunScript(const RunOptions& options, std::ostream& err);

}  // namespace labelsrun
