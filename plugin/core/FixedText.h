// Copies into the state block's fixed character buffers, which count
// characters as the platform's 8-bit encoding does.
#pragma once

#include <cstddef>
#include <cstring>

// At most size - 1 bytes of text and a terminator; nothing when size is 0.
// A null text gives an empty string. Returns the length copied.
inline std::size_t CopyText(char* buffer, std::size_t size, const char* text) {
  if (buffer == nullptr || size == 0) return 0;
  std::size_t length = 0;
  if (text != nullptr) {
    while (length + 1 < size && text[length] != '\0') ++length;
    std::memcpy(buffer, text, length);
  }
  buffer[length] = '\0';
  return length;
}

template <std::size_t N>
std::size_t CopyText(char (&buffer)[N], const char* text) {
  return CopyText(buffer, N, text);
}

// Length of a buffer's text, never reading past its end.
template <std::size_t N>
std::size_t TextLength(const char (&buffer)[N]) {
  std::size_t length = 0;
  while (length < N && buffer[length] != '\0') ++length;
  return length;
}
