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
  // The longest line taken, in bytes; a longer one stops the reading.
  static constexpr std::size_t kMaxLineBytes = 1024 * 1024;

  explicit ScriptReader(std::istream& in) : in_(in) {}

  // The next line without taking it; null at the end of the script, or where
  // a line is too long. A UTF-8 byte-order mark before the first line (as
  // some editors save) is skipped.
  const std::string* Peek();
  // Takes the next line; false at the end of the script.
  bool Next(std::string& line);
  // The number of the line Next gave last, 1 for the first.
  std::size_t lineNumber() const { return lineNumber_; }
  // True when reading stopped on an error of the stream rather than at its end.
  bool failed() const { return in_.bad(); }
  // True when reading stopped at a line longer than kMaxLineBytes (the line
  // after lineNumber()).
  bool tooLong() const { return tooLong_; }

 private:
  std::istream& in_;
  std::optional<std::string> ahead_;
  std::size_t lineNumber_ = 0;
  bool started_ = false;
  bool tooLong_ = false;
};

}  // namespace labelsrun
