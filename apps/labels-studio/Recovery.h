// Where the studio keeps what belongs to the person rather than to a drawing:
// the list of recent files and a recovery copy of each drawing open with
// changes not saved, under the user's state folder ($XDG_STATE_HOME, else
// ~/.local/state). A copy is named after the drawing's file (or, for a
// drawing never saved, after the process and the moment it was made), so two
// drawings never share one; beside it a note says whose it is.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace studio {

// $XDG_STATE_HOME/labels-studio, else ~/.local/state/labels-studio.
std::filesystem::path StateFolder();

// A recovery copy on disk and its note.
struct RecoveryCopy {
  std::filesystem::path copy;      // the drawing, SVG
  std::filesystem::path note;      // beside it: whose it is
  std::filesystem::path drawing;   // the file the drawing came from; empty: never saved
  std::int64_t pid = 0;            // the process that wrote it
  std::string written;             // when, local time, for the person
};

// The copy's name for a drawing: from its file's absolute path, or for a
// drawing without a file, from this process and a number of its own.
std::string RecoveryKey(const std::filesystem::path& drawing, int untitledNumber);

// Writes the copy and its note atomically; the reason on failure.
std::optional<std::string> WriteRecoveryCopy(const std::string& key, const std::filesystem::path& drawing,
                                             const std::string& svg);
void RemoveRecoveryCopy(const std::string& key);
std::filesystem::path RecoveryCopyFile(const std::string& key);

// Copies left by a studio that has ended (its process is gone), oldest first.
std::vector<RecoveryCopy> LeftRecoveryCopies();
void RemoveRecoveryCopy(const RecoveryCopy& copy);

// The recent files, newest first, at most kRecentFiles.
constexpr std::size_t kRecentFiles = 10;
std::vector<std::filesystem::path> RecentFiles();
void NoteRecentFile(const std::filesystem::path& file);

}  // namespace studio
