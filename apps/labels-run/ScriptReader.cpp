#include "apps/labels-run/ScriptReader.h"

namespace labelsrun {

const std::string* ScriptReader::Peek() {
  if (!ahead_) {
    std::string line;
    if (!std::getline(in_, line)) return nullptr;
    ahead_ = std::move(line);
  }
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
