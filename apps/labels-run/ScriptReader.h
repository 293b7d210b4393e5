// The lines of a session script, read one at a time as the run needs them, so
// that a script of millions of lines costs no more memory than one line.
#pragma once

#include <cstddef>
#include <istream>
#include <optional>
#include <string>

namespace labelsrun {

class ScriptReader {
 public:
  explicit ScriptReader(std::istream& in) : in_(in) {}

  // The next line without taking it; null at the end of the script.
  const std::string* Peek();
  // Takes the next line; false at the end of the script.
  bool Next(std::string& line);
  // The number of the line Next gave last, 1 for the first.
  std::size_t lineNumber() const { return lineNumber_; }
  // True when reading stopped on an error of the stream rather than at its end.
  bool failed() const { return in_.bad(); }

 private:
  std::istream& in_;
  std::optional<std::string> ahead_;
  std::size_t lineNumber_ = 0;
};

}  // namespace labelsrun
