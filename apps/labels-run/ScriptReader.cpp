#include "apps/labels-run/ScriptReader.h"

#include <string_view>

namespace labelsrun {

const std::string* ScriptReader::Peek() {
  if (ahead_) return &*ahead_;
  if (tooLong_ || !in_.good()) return nullptr;
  std::string line;
  bool any = false;  // a character was read, even if only the newline
  std::streambuf* in = in_.rdbuf();
  for (;;) {
    const int c = in->sbumpc();
    if (c == std::char_traits<char>::eof()) {
      in_.setstate(std::ios::eofbit);
      break;
    }
    any = true;
    if (c == '\n') break;
    if (line.size() == kMaxLineBytes) {
      tooLong_ = true;
      return nullptr;
    }
    line.push_back(static_cast<char>(c));
  }
  if (!any) return nullptr;
  if (!started_) {
    started_ = true;
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    if (std::string_view(line).substr(0, kByteOrderMark.size()) == kByteOrderMark) line.erase(0, kByteOrderMark.size());
  }
  ahead_ = std::move(line);
  return &*ahead_;
}

bool ScriptReader::Next(std::string& line) {
  if (Peek() == nullptr) return false;
  line = std::move(*ahead_);
  ahead_.reset();
  ++lineNumber_;
  return true;
}

}  // namespace labelsrun
