#include "apps/labels-run/Runner.h"
#include "apps/labels-run/Echo.h"

#include <cerrno>
#include <cmath>
#include <cstring>
#include <fstream>
#include <iostream>
#include <set>
#include <sstream>

#include "apps/labels-run/ScriptReader.h"
#include "hostsim/Host.h"
#include "hostsim/SafeFile.h"
#include "hostsim/UserActions.h"

namespace labelsrun {
namespace fs = std::filesystem;

double ParseNumber(const std::string& word) {
  std::istringstream in(word);
  in.imbue(std::locale::classic());
  double value = 0;
  in >> value;
  if (word.empty() || in.fail() || !in.eof() || !std::isfinite(value)) {
    throw ScriptError(Quoted(word) + " is not a number");
  }
  // Coordinates are single-precision in the document; sums of two must stay finite.
  if (std::fabs(value) > kLargestNumber) {
    throw ScriptError(Quoted(word) + " is out of range (numbers are at most 10000000 in size)");
  }
  return value;
}

int32_t ParseInteger(const std::string& word, int32_t min, int32_t max) {
  std::istringstream in(word);
  in.imbue(std::locale::classic());
  long long value = 0;
  in >> value;
  if (word.empty() || in.fail() || !in.eof()) {
    throw ScriptError(Quoted(word) + " is not a whole number");
  }
  if (value < min || value > max) {
    throw ScriptError(Quoted(word) + " is out of range (" + std::to_string(min) + " to " + std::to_string(max) + ")");
  }
  return static_cast<int32_t>(value);
}

std::filesystem::path FileOf(const CommandContext& ctx, const std::string& name, bool input) {
  if (ctx.sandbox != nullptr) {
    if (name.empty() || name.front() == '.' || name.find('/') != std::string::npos) {
      throw ScriptError("only plain file names are allowed here, not " + Quoted(name));
    }
    return *ctx.sandbox / name;
  }
  fs::path file = name;
  if (input && file.is_relative() && !ctx.scriptDir.empty()) file = fs::path(ctx.scriptDir) / file;
  return file;
}

void ExpectArgs(const CommandContext& ctx, std::size_t min, std::size_t max, const char* usage) {
  if (ctx.args.size() < min || ctx.args.size() > max) throw ScriptError(std::string("usage: ") + usage);
}

void Note(const CommandContext& ctx, const std::string& text) {
  if (ctx.notes != nullptr) *ctx.notes << Printable(ctx.where + ": note: " + text) << "\n";
}

void NoteCode(const CommandContext& ctx, const char* what, int32_t code) {
  if (code == kNoErr || !ctx.verbose) return;
  std::ostringstream text;
  text << what << " returned " << code;
  const auto u = static_cast<uint32_t>(code);
  char four[5] = {static_cast<char>(u >> 24), static_cast<char>(u >> 16), static_cast<char>(u >> 8),
                  static_cast<char>(u), 0};
  bool printable = true;
  for (int i = 0; i < 4; ++i) printable = printable && four[i] >= 0x20 && four[i] < 0x7F;
  if (printable) text << " ('" << four << "')";
  Note(ctx, text.str());
}

void Report(const CommandContext& ctx, const hostsim::ActionResult& result, const std::string& context) {
  using hostsim::ActionStatus;
  const std::string bracketed = context.empty() ? "" : " (" + context + ")";
  switch (result.status) {
    case ActionStatus::Done:
      for (const hostsim::SentMessage& m : result.sent) NoteCode(ctx, m.selector, m.code);
      return;
    case ActionStatus::NotLaunched:
      throw ScriptError("the plug-in is not launched (use launch first)");
    case ActionStatus::NoTool:
    case ActionStatus::ToolNotCurrent:
    case ActionStatus::NoMenuEntry:
    case ActionStatus::SubMenu:
    case ActionStatus::MenuDisabled:
    case ActionStatus::Ignored:
    case ActionStatus::NothingToUndo:
      Note(ctx, hostsim::Describe(result.status) + bracketed + "; nothing sent");
      return;
    case ActionStatus::NoDialog:
    case ActionStatus::NoItem:
    case ActionStatus::CannotTakeArt:
    case ActionStatus::BadValue:
      throw ScriptError(hostsim::Describe(result.status) + bracketed);
  }
}

std::vector<std::string> SplitLine(const std::string& line) {
  std::vector<std::string> words;
  std::size_t i = 0;
  while (i < line.size()) {
    const char c = line[i];
    if (c == ' ' || c == '\t' || c == '\r') {
      ++i;
    } else if (c == '#') {
      break;
    } else if (c == '"') {
      std::string word;
      ++i;
      bool closed = false;
      while (i < line.size()) {
        if (line[i] == '\\' && i + 1 < line.size() && (line[i + 1] == '"' || line[i + 1] == '\\')) {
          word.push_back(line[i + 1]);
          i += 2;
        } else if (line[i] == '"') {
          closed = true;
          ++i;
          break;
        } else {
          word.push_back(line[i++]);
        }
      }
      if (!closed) throw ScriptError("a quoted word is not closed");
      if (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r' && line[i] != '#') {
        throw ScriptError("a quoted word must be followed by a blank");
      }
      words.push_back(std::move(word));
    } else {
      std::string word;
      while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r' && line[i] != '#') {
        if (line[i] == '"') throw ScriptError("a quote inside a word");
        word.push_back(line[i++]);
      }
      words.push_back(std::move(word));
    }
  }
  return words;
}

bool IsModalCommand(const std::string& word) {
  static const std::set<std::string> kModal = {"item", "dump", "svg", "png", "press", "release"};
  return kModal.count(word) != 0;
}

namespace {

class Session;

// The runner's screen: a modal dialog is fed the script lines that follow;
// alerts are answered with their first button; nothing is shown.
class ScriptFrontEnd : public hostsim::NullFrontEnd {
 public:
  explicit ScriptFrontEnd(Session& session) : session_(session) {}
  void RunModal(hostsim::Host& host, ADMDialogRef dialog) override;

 private:
  Session& session_;
};

class Session {
 public:
  Session(const RunOptions& options, std::ostream& err, std::istream& script)
      : options_(options), err_(err), reader_(script) {
    RegisterHostCommands(commands_);
    RegisterDocumentCommands(commands_);
    RegisterItemCommands(commands_);
    scriptName_ = options.script.string();
    scriptDir_ = options.script.parent_path().string();
  }

  int Run() {
    hostsim::HostOptions hostOptions;
    hostOptions.prefsFile = options_.prefsFile;
    hostOptions.pluginFile = options_.pluginFile;
    hostOptions.quickPng = options_.quickPng;
    try {
      hostOwner_ = std::make_unique<hostsim::Host>(hostOptions);
    } catch (const std::exception& e) {
      err_ << "labels-run: the host cannot start: " << e.what() << "\n";
      return 2;
    }
    host_ = hostOwner_.get();
    for (const hostsim::FaultRule& rule : options_.faults) host_->faults().Add(rule);
    host_->faults().SetCounting(options_.callsOut.has_value());
    user_ = std::make_unique<hostsim::UserActions>(*host_);
    if (options_.onStart) options_.onStart(*host_);
    FlushMessages();
    // A modal dialog takes the lines that follow until it closes.
    host_->SetFrontEnd(std::make_unique<ScriptFrontEnd>(*this));

    std::string line;
    while (!failure_ && reader_.Next(line)) RunLine(line);
    if (!failure_ && reader_.tooLong()) {
      failure_ = scriptName_ + ":" + std::to_string(reader_.lineNumber() + 1) + ": the line is longer than " +
                 hostsim::SizeInWords(ScriptReader::kMaxLineBytes);
    }
    // Counted whatever became of the run: a sweep needs the calls of a failed one too.
    const bool counted = WriteCallCounts();
    if (options_.onEnd) {
      host_->SetFrontEnd(std::make_unique<hostsim::NullFrontEnd>());
      options_.onEnd(*host_, *user_);
    }
    if (failure_) {
      err_ << Printable(*failure_) << "\n";
      return 1;
    }
    if (reader_.failed()) {
      err_ << Printable("labels-run: cannot read script " + scriptName_ + " after line " +
                        std::to_string(reader_.lineNumber()))
           << "\n";
      return 2;
    }
    return WriteOutputs() && counted ? 0 : 1;
  }

 private:
  std::string Where() const { return scriptName_ + ":" + std::to_string(reader_.lineNumber()); }

  // Runs the line Next gave last.
  void RunLine(const std::string& line) {
    // Taken now: a modal dialog the line opens reads the lines after it.
    const std::string where = Where();
    try {
      std::vector<std::string> words = SplitLine(line);
      if (words.empty()) return;
      auto command = commands_.find(words.front());
      if (command == commands_.end()) throw ScriptError("unknown command " + Quoted(words.front()));
      CommandContext ctx{*host_, *user_, {words.begin() + 1, words.end()}, scriptDir_, where, &err_,
                         options_.verbose, options_.sandbox ? &*options_.sandbox : nullptr};
      command->second(ctx);
    } catch (const ScriptError& e) {
      if (!failure_) failure_ = where + ": " + e.what();
    } catch (const std::exception& e) {
      if (!failure_) failure_ = where + ": " + e.what();
    }
    FlushMessages();
  }

  // Runs lines while the modal dialog stays open. A line that is not for a
  // dialog closes it as cancelled (the user pressed Escape) and runs after
  // the dialog has returned. No exception may cross the plug-in from here.
  friend class ScriptFrontEnd;
  void FeedModal(ADMDialogRef dialog) {
    std::string line;
    while (user_->ModalOpen(dialog) && !failure_) {
      const std::string* next = reader_.Peek();
      if (next == nullptr) return;
      bool forTheDialog = true;
      try {
        const std::vector<std::string> words = SplitLine(*next);
        forTheDialog = words.empty() || IsModalCommand(words.front());
      } catch (const ScriptError&) {
        // A bad line is reported where it stands, by running it.
      }
      if (!forTheDialog) return;
      reader_.Next(line);
      RunLine(line);
    }
  }

  void FlushMessages() {
    if (host_ == nullptr) return;
    for (const std::string& m : host_->TakeMessages()) err_ << Printable("labels-run: " + m) << "\n";
  }

  // Writes one output file; false, with a message, when any part of it is lost.
  bool WriteOutput(const fs::path& file, const std::string& bytes) {
    if (auto problem = hostsim::SaveFile(file, bytes)) {
      err_ << Printable("labels-run: cannot write " + file.string() + ": " + *problem) << "\n";
      return false;
    }
    return true;
  }

  bool WriteOutputs() {
    bool ok = true;
    if (options_.svgOut) {
      std::ostringstream svg;
      user_->SaveSvg(svg);
      ok = WriteOutput(*options_.svgOut, svg.str()) && ok;
    }
    if (options_.dumpOut) {
      ok = WriteOutput(*options_.dumpOut,
                       host_->Dump().dump(2, ' ', false, nlohmann::json::error_handler_t::replace) + "\n") &&
           ok;
    }
    return ok;
  }

  bool WriteCallCounts() {
    if (!options_.callsOut) return true;
    nlohmann::json calls = nlohmann::json::array();
    for (const hostsim::CallCount& c : host_->faults().counts()) {
      calls.push_back({{"suite", c.suite}, {"op", c.op}, {"calls", c.calls}});
    }
    return WriteOutput(*options_.callsOut, calls.dump(1) + "\n");
  }

  const RunOptions& options_;
  std::ostream& err_;
  ScriptReader reader_;
  CommandTable commands_;
  std::string scriptName_;
  std::string scriptDir_;
  std::unique_ptr<hostsim::Host> hostOwner_;
  hostsim::Host* host_ = nullptr;  // hostOwner_, while the session runs
  std::unique_ptr<hostsim::UserActions> user_;
  std::optional<std::string> failure_;
};

void ScriptFrontEnd::RunModal(hostsim::Host&, ADMDialogRef dialog) { session_.FeedModal(dialog); }

}  // namespace

int RunScript(const RunOptions& options, std::ostream& err) {
  const auto cannotRead = [&](const std::string& why) {
    err << Printable("labels-run: cannot read script " + options.script.string() + ": " + why) << "\n";
    return 2;
  };
  // Only a regular file: a FIFO would block, a device never end, a folder read as empty.
  const std::string kind = hostsim::KindOfFile(options.script);
  if (kind == "missing") return cannotRead("no such file");
  if (!kind.empty()) return cannotRead("it is " + kind + ", not a regular file");
  std::ifstream in(options.script, std::ios::binary);
  if (!in) return cannotRead(std::strerror(errno));
  return RunSession(options, in, err);
}

int RunSession(const RunOptions& options, std::istream& script, std::ostream& err) {
  Session session(options, err, script);
  return session.Run();
}

std::optional<hostsim::FaultRule> ParseFaultRule(const std::string& text) {
  // SUITE/OP/N or SUITE/OP/N+; the suite's name has blanks but no slash.
  const std::size_t first = text.find('/');
  const std::size_t last = text.rfind('/');
  if (first == std::string::npos || first == last || first == 0) return std::nullopt;
  std::string number = text.substr(last + 1);
  const bool onward = !number.empty() && number.back() == '+';
  if (onward) number.pop_back();
  if (number.empty() || number.size() > 12 || number.find_first_not_of("0123456789") != std::string::npos) {
    return std::nullopt;
  }
  const int64_t nth = std::stoll(number);
  if (nth < 1) return std::nullopt;
  hostsim::FaultRule rule = hostsim::FaultRule::Of(text.substr(0, first), text.substr(first + 1, last - first - 1)).At(nth);
  return onward ? rule.Onward() : rule;
}

}  // namespace labelsrun
