// Reading and writing the files a user names, where the name may not be what
// it seems: a folder, a FIFO, a device, a symbolic link, a read-only file, a
// full disk. Reads take regular files only, up to a size; writes report every
// failure, including the one a full disk gives only when the file is closed.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace hostsim {

// What is at a path once symbolic links are followed: "a folder", "a FIFO",
// "a character device", "a loop of symbolic links", ...; empty for a regular
// file; "missing" when nothing is there (a dangling link counts as missing).
std::string KindOfFile(const std::filesystem::path& file);

struct FileRead {
  std::string bytes;
  // Empty when read. Otherwise why not: "is a FIFO, not a regular file",
  // "is larger than 1 MB", "cannot be read (Permission denied)", ...
  std::string problem;
  bool missing = false;  // nothing there (problem says so too)
  bool tooLarge = false;
  bool notRegular = false;
};

// Reads a regular file (symbolic links followed) of at most maxBytes. Never
// blocks on a FIFO nor reads a device: it is refused before its bytes are.
FileRead ReadRegularFile(const std::filesystem::path& file, std::uintmax_t maxBytes);

// The file a path names once every symbolic link on it is followed, the last
// one included, even when it points at nothing yet; the path itself when it
// is no link. Empty when the links loop or go on too long.
std::filesystem::path FollowLinks(const std::filesystem::path& file);

// Replaces file with bytes atomically: a temporary file in the same folder,
// written, flushed to disk, renamed over file, then the folder synced. A
// symbolic link is followed, so the real file is replaced and the link kept.
// Refuses a target that exists and is not a regular file, or is read-only.
// Returns the reason on failure; file is then as it was and no temporary file
// is left.
std::optional<std::string> ReplaceFileAtomically(const std::filesystem::path& file, std::string_view bytes);

// Writes bytes to file (created or truncated; any kind of file, a device
// included), reporting a failed open, write or close. Returns the reason.
std::optional<std::string> WriteWholeFile(const std::filesystem::path& file, std::string_view bytes);

// The one writer for the files a user names as output (drawings, dumps, call
// lists, pictures): a regular file, or a name where nothing is yet, is
// replaced as ReplaceFileAtomically does, except that no folder is created; a
// device, FIFO or socket (/dev/null, /dev/stdout) has nothing to lose and is
// written directly. A folder is refused. Returns the reason on failure; an
// existing file is then as it was.
std::optional<std::string> SaveFile(const std::filesystem::path& file, std::string_view bytes);

// Where an atomic replacement can be made to fail, for tests: the write of
// the temporary file (after `bytesBefore` bytes, as a disk that fills up
// half-way), its sync, or the rename over the target.
enum class SaveStep { kWrite, kSync, kRename };
// Makes the next atomic replacement fail at step with the error number given
// (ENOSPC, EIO, ...). One failure only; ClearSaveFault forgets it unused.
void FailNextSave(SaveStep step, int error, std::size_t bytesBefore = 0);
void ClearSaveFault();

// The temporary name ReplaceFileAtomically uses for file in this process:
// file.tmp-PID.
std::filesystem::path TemporaryNameFor(const std::filesystem::path& file);

// Removes file.tmp-PID files that a process, since ended, left when it died
// during a save. Temporary files of running processes are kept. Returns how
// many were removed.
int RemoveStaleTemporaries(const std::filesystem::path& file);

// A size for messages: "512 bytes", "1 MB".
std::string SizeInWords(std::uintmax_t bytes);

}  // namespace hostsim
