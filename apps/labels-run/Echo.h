// Text from a script or a file name, made safe to print on a terminal: words
// are cut to a readable length, and control characters and bytes that are not
// UTF-8 are written as escapes, so a script cannot flood the screen or send
// the terminal commands.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace labelsrun {

// The longest word echoed whole, in bytes; a longer one is cut and marked "...".
inline constexpr std::size_t kEchoedWordBytes = 64;
// The longest message printed whole.
inline constexpr std::size_t kPrintedMessageBytes = 2048;

// text with control characters (C0, DEL, C1) and invalid UTF-8 bytes escaped
// as \n, \t, \r, \e or \xHH, cut after about `limit` bytes (then "...").
std::string Printable(std::string_view text, std::size_t limit = kPrintedMessageBytes);
// A word of the script for a message: Printable, cut to kEchoedWordBytes, in quotes.
std::string Quoted(std::string_view word);

}  // namespace labelsrun
