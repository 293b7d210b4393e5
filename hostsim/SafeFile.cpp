#include "hostsim/SafeFile.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <optional>

namespace hostsim {
namespace fs = std::filesystem;

namespace {

std::string Errno(int code) { return std::strerror(code); }

std::string KindOfMode(mode_t mode) {
  if (S_ISREG(mode)) return {};
  if (S_ISDIR(mode)) return "a folder";
  if (S_ISFIFO(mode)) return "a FIFO";
  if (S_ISCHR(mode)) return "a character device";
  if (S_ISBLK(mode)) return "a block device";
  if (S_ISSOCK(mode)) return "a socket";
  return "not a regular file";
}

// Closes a descriptor once, reporting the close's own failure (a full disk
// or a network file system may report a lost write only here).
class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int get() const { return fd_; }
  bool valid() const { return fd_ >= 0; }
  // 0, or the errno of a failed close.
  int Close() {
    const int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0 ? 0 : errno;
  }

 private:
  int fd_;
};

// 0, or the errno of the first failed write.
int WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    if (n == 0) return EIO;
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return 0;
}

bool IsReadOnly(const fs::path& file, const struct stat& st) {
  // The mode bits count even for a user the system lets write anyway (root).
  if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) return true;
  return ::access(file.c_str(), W_OK) != 0 && errno == EACCES;
}

struct SaveFault {
  bool armed = false;
  SaveStep step = SaveStep::kWrite;
  int error = 0;
  std::size_t bytesBefore = 0;
};
SaveFault gSaveFault;

// The error number to fail step with, once, when a test asked for it.
int InjectedFault(SaveStep step) {
  if (!gSaveFault.armed || gSaveFault.step != step) return 0;
  gSaveFault.armed = false;
  return gSaveFault.error;
}

void SyncFolder(const fs::path& folder) {
  Descriptor dir(::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  // Best effort: the rename is done; some file systems cannot sync a folder.
  if (dir.valid()) ::fsync(dir.get());
}

}  // namespace

std::string SizeInWords(std::uintmax_t bytes) {
  constexpr std::uintmax_t kMB = 1024 * 1024;
  if (bytes >= kMB && bytes % kMB == 0) return std::to_string(bytes / kMB) + " MB";
  return std::to_string(bytes) + " bytes";
}

std::string KindOfFile(const fs::path& file) {
  struct stat st {};
  if (::stat(file.c_str(), &st) != 0) return errno == ELOOP ? "a loop of symbolic links" : "missing";
  return KindOfMode(st.st_mode);
}

FileRead ReadRegularFile(const fs::path& file, std::uintmax_t maxBytes) {
  FileRead result;
  struct stat st {};
  if (::stat(file.c_str(), &st) != 0) {
    const int err = errno;
    result.missing = err == ENOENT || err == ENOTDIR;
    result.problem = result.missing ? "does not exist" : "cannot be read (" + Errno(err) + ")";
    return result;
  }
  // Checked before opening: opening a FIFO waits for a writer, a device may act.
  std::string kind = KindOfMode(st.st_mode);
  if (!kind.empty()) {
    result.notRegular = true;
    result.problem = "is " + kind + ", not a regular file";
    return result;
  }
  Descriptor in(::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
  if (!in.valid()) {
    result.problem = "cannot be read (" + Errno(errno) + ")";
    return result;
  }
  // Checked again on what was opened, in case the name changed meanwhile.
  if (::fstat(in.get(), &st) != 0 || !S_ISREG(st.st_mode)) {
    result.notRegular = true;
    result.problem = "is " + KindOfMode(st.st_mode) + ", not a regular file";
    return result;
  }
  if (static_cast<std::uintmax_t>(st.st_size) > maxBytes) {
    result.tooLarge = true;
    result.problem = "is larger than " + SizeInWords(maxBytes);
    return result;
  }
  // One byte beyond the limit tells a file that grew since fstat.
  std::string bytes(static_cast<std::size_t>(st.st_size) + 1, '\0');
  std::size_t got = 0;
  while (got < bytes.size()) {
    const ssize_t n = ::read(in.get(), bytes.data() + got, bytes.size() - got);
    if (n < 0) {
      if (errno == EINTR) continue;
      result.problem = "cannot be read (" + Errno(errno) + ")";
      return result;
    }
    if (n == 0) break;
    got += static_cast<std::size_t>(n);
    if (got > maxBytes) {
      result.tooLarge = true;
      result.problem = "is larger than " + SizeInWords(maxBytes);
      return result;
    }
    if (got == bytes.size()) bytes.resize(std::min<std::uintmax_t>(bytes.size() * 2, maxBytes + 1));
  }
  bytes.resize(got);
  result.bytes = std::move(bytes);
  return result;
}

fs::path FollowLinks(const fs::path& file) {
  fs::path current = file;
  for (int hops = 0; hops < 40; ++hops) {
    struct stat st {};
    if (::lstat(current.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return current;
    std::error_code ec;
    const fs::path target = fs::read_symlink(current, ec);
    if (ec) return current;
    current = target.is_absolute() ? target : current.parent_path() / target;
  }
  return {};
}

fs::path TemporaryNameFor(const fs::path& file) {
  fs::path temp = file;
  temp += ".tmp-" + std::to_string(::getpid());
  return temp;
}

int RemoveStaleTemporaries(const fs::path& file) {
  const fs::path folder = file.has_parent_path() ? file.parent_path() : fs::path(".");
  const std::string prefix = file.filename().string() + ".tmp-";
  int removed = 0;
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string name = it->path().filename().string();
    if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0) continue;
    const std::string digits = name.substr(prefix.size());
    if (digits.size() > 9 || digits.find_first_not_of("0123456789") != std::string::npos) continue;
    const pid_t pid = static_cast<pid_t>(std::stol(digits));
    if (pid <= 0 || pid == ::getpid()) continue;
    // A process that still runs may be saving right now.
    if (::kill(pid, 0) == 0 || errno != ESRCH) continue;
    std::error_code removeError;
    if (fs::remove(it->path(), removeError)) ++removed;
  }
  return removed;
}

void FailNextSave(SaveStep step, int error, std::size_t bytesBefore) {
  gSaveFault = {true, step, error, bytesBefore};
}

void ClearSaveFault() { gSaveFault = {}; }

namespace {

std::optional<std::string> Replace(const fs::path& file, std::string_view bytes, bool createFolder) {
  const fs::path real = FollowLinks(file);
  if (real.empty()) return "too many symbolic links";
  std::optional<mode_t> keptMode;  // the permissions of the file replaced
  struct stat st {};
  if (::stat(real.c_str(), &st) == 0) {
    const std::string kind = KindOfMode(st.st_mode);
    if (!kind.empty()) return "it is " + kind + ", not a regular file, and is left alone";
    if (IsReadOnly(real, st)) return "the file is read-only and is left as it is";
    keptMode = st.st_mode & 07777;
  }
  if (createFolder && real.has_parent_path()) {
    std::error_code ec;
    fs::create_directories(real.parent_path(), ec);
    if (ec) return ec.message();
  }
  RemoveStaleTemporaries(real);

  const fs::path temp = TemporaryNameFor(real);
  int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
  if (fd < 0 && errno == EEXIST) {
    // Left by an earlier process of the same number: nobody writes it now.
    ::unlink(temp.c_str());
    fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
  }
  if (fd < 0) return Errno(errno);
  Descriptor out(fd);
  int err = 0;
  if (gSaveFault.armed && gSaveFault.step == SaveStep::kWrite) {
    // A disk that fills up: some bytes go out, then the write fails.
    err = WriteAll(out.get(), bytes.substr(0, std::min(bytes.size(), gSaveFault.bytesBefore)));
    if (err == 0) err = InjectedFault(SaveStep::kWrite);
  } else {
    err = WriteAll(out.get(), bytes);
  }
  // The file keeps the permissions it had; a new one gets the usual ones.
  if (err == 0) {
    mode_t mode = 0;
    if (keptMode) {
      mode = *keptMode;
    } else {
      const mode_t mask = ::umask(0);
      ::umask(mask);
      mode = 0666 & ~mask;
    }
    if (::fchmod(out.get(), mode) != 0) err = errno;
  }
  if (err == 0) err = InjectedFault(SaveStep::kSync);
  if (err == 0 && ::fsync(out.get()) != 0) err = errno;
  const int closeErr = out.Close();
  if (err == 0) err = closeErr;
  if (err == 0) err = InjectedFault(SaveStep::kRename);
  if (err == 0 && ::rename(temp.c_str(), real.c_str()) != 0) err = errno;
  if (err != 0) {
    ::unlink(temp.c_str());
    return Errno(err);
  }
  SyncFolder(real.parent_path());
  return std::nullopt;
}

}  // namespace

std::optional<std::string> ReplaceFileAtomically(const fs::path& file, std::string_view bytes) {
  return Replace(file, bytes, true);
}

std::optional<std::string> SaveFile(const fs::path& file, std::string_view bytes) {
  struct stat st {};
  // Only what can be written over in place is: a device or a pipe keeps nothing.
  if (::stat(file.c_str(), &st) == 0 && !S_ISREG(st.st_mode) && !S_ISDIR(st.st_mode)) {
    return WriteWholeFile(file, bytes);
  }
  return Replace(file, bytes, false);
}

std::optional<std::string> WriteWholeFile(const fs::path& file, std::string_view bytes) {
  Descriptor out(::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666));
  if (!out.valid()) return Errno(errno);
  int err = WriteAll(out.get(), bytes);
  const int closeErr = out.Close();
  if (err == 0) err = closeErr;
  if (err != 0) return Errno(err);
  return std::nullopt;
}

}  // namespace hostsim
