#include "store/file_claim.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sstream>

#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include "common/cp1252.h"
#include "store/date_words.h"
#include "store/paths.h"
#include "store/session.h"
#include "store/file_io.h"
#include "store/file_write.h"

namespace vft {
namespace {

constexpr std::size_t kMaxFamilyFile = 64u * 1024 * 1024;
constexpr std::size_t kMaxNote = 4096;
constexpr int kLockTries = 4;

std::uint64_t checksum(const Bytes& b) {
  std::uint64_t h = 14695981039346656037ULL;  // FNV-1a
  for (std::uint8_t c : b) h = (h ^ c) * 1099511628211ULL;
  return h;
}

bool stat_file(const std::string& path, std::int64_t& size, std::int64_t& mtime_ns) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return false;
  size = static_cast<std::int64_t>(st.st_size);
  mtime_ns = static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000LL + st.st_mtim.tv_nsec;
  return true;
}

std::string host_name() {
  char buf[256] = {};
  if (::gethostname(buf, sizeof buf - 1) != 0) return {};
  return buf;
}

std::string user_name() {
  if (const passwd* pw = ::getpwuid(::geteuid()); pw && pw->pw_name) return pw->pw_name;
  return std::to_string(::geteuid());
}

std::string time_text(const LocalTime& t) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%02d:%02d on ", t.hour, t.minute);
  return buf + DayMonthYear(t.year, t.month, t.day);
}

std::string read_fd(int fd) {
  std::string out(kMaxNote, '\0');
  ssize_t n = ::pread(fd, out.data(), out.size(), 0);
  out.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
  return out;
}

LockOwner parse_owner(const std::string& text) {
  LockOwner o;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    const std::size_t eq = line.find('=');
    if (eq == std::string::npos) continue;
    const std::string key = line.substr(0, eq), value = line.substr(eq + 1);
    if (key == "host") o.host = value;
    else if (key == "user") o.user = value;
    else if (key == "time") o.time = value;
    else if (key == "pid") o.pid = std::atol(value.c_str());
  }
  return o;
}

// Without the system's locks all we have is the note: a process of this
// host that no longer runs holds nothing; of another host we cannot tell.
bool owner_alive(const LockOwner& o) {
  if (o.host.empty() && o.pid == 0) return false;
  if (o.host != host_name()) return true;
  return o.pid > 0 && (::kill(static_cast<pid_t>(o.pid), 0) == 0 || errno == EPERM);
}

// A lock note (or an empty file): anything else is no lock of ours, and its
// bytes are not ours to cut.
bool looks_like_lock(const std::string& text) {
  for (const char* key : {"host=", "user=", "pid=", "time="})
    if (text.rfind(key, 0) == 0) return true;
  return text.empty();
}

bool no_system_locks(int err) { return err == ENOLCK || err == EOPNOTSUPP || err == ENOTSUP || err == EINVAL; }

}  // namespace

FileIdentity IdentityOf(const std::string& path, const Bytes& content) {
  FileIdentity id;
  id.path = path;
  if (!stat_file(path, id.size, id.mtime_ns)) id.size = -1;
  id.checksum = checksum(content);
  return id;
}

bool ChangedOnDisk(const FileIdentity& known) {
  if (known.path.empty() || known.size < 0) return false;
  std::int64_t size = 0, mtime = 0;
  if (!stat_file(known.path, size, mtime)) return false;
  if (size == known.size && mtime == known.mtime_ns) return false;
  auto data = fileio::read_all(known.path, kMaxFamilyFile);
  return !data || static_cast<std::int64_t>(data->size()) != known.size || checksum(*data) != known.checksum;
}

bool SameFile(const std::string& a, const std::string& b) {
  if (a.empty() || b.empty()) return false;
  namespace fs = std::filesystem;
  std::error_code ea, eb;
  const fs::path ca = fs::weakly_canonical(a, ea), cb = fs::weakly_canonical(b, eb);
  return !ea && !eb ? ca == cb : a == b;
}

std::string LockPathFor(const std::string& family_file) {
  std::string target = fileio::final_target(family_file);
  if (target.empty()) target = family_file;
  const std::size_t slash = target.rfind('/');
  const std::string folder = slash == std::string::npos ? std::string() : target.substr(0, slash + 1);
  return folder + "." + target.substr(slash == std::string::npos ? 0 : slash + 1) + ".lock";
}

FamilyFileLock::Taken FamilyFileLock::take(const std::string& family_file, const LocalTime& now, LockOwner* holder) {
  release();
  const std::string lock = LockPathFor(family_file);
  for (int attempt = 0; attempt < kLockTries; ++attempt) {
    // Never through a link, never waiting on a pipe: only a plain file of one
    // name is a lock (one that names no holder may be an old program's empty
    // lock, or one a crash cut short).
    int fd = ::open(lock.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0644);
    if (fd < 0)
      return errno == ELOOP || errno == EISDIR || errno == ENXIO || errno == ENODEV ? Taken::Odd : Taken::NotPossible;
    struct stat mine {};
    if (::fstat(fd, &mine) != 0 || !S_ISREG(mine.st_mode) || mine.st_nlink != 1 || !looks_like_lock(read_fd(fd))) {
      ::close(fd);
      return Taken::Odd;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
      const int err = errno;
      const LockOwner o = parse_owner(read_fd(fd));
      if (!no_system_locks(err) || owner_alive(o)) {
        if (holder) *holder = o;
        ::close(fd);
        return Taken::HeldByOther;
      }
    } else {
      // A holder that lets go removes the file: the lock must be on the
      // file that has the name now, or a third program could take it too.
      struct stat named {};
      if (::lstat(lock.c_str(), &named) != 0 || mine.st_ino != named.st_ino || mine.st_dev != named.st_dev) {
        ::close(fd);
        continue;
      }
    }
    const std::string note = "host=" + host_name() + "\nuser=" + user_name() + "\npid=" + std::to_string(::getpid()) +
                             "\ntime=" + time_text(now) + "\n";
    if (::ftruncate(fd, 0) != 0 || ::pwrite(fd, note.data(), note.size(), 0) != static_cast<ssize_t>(note.size())) {
      ::close(fd);
      return Taken::NotPossible;
    }
    fd_ = fd;
    lock_path_ = lock;
    file_ = family_file;
    return Taken::Yes;
  }
  return Taken::NotPossible;
}

void FamilyFileLock::release() {
  if (fd_ < 0) return;
  // Only the lock this run made: should something else have taken its name
  // since, it stays.
  struct stat mine {
  }, named{};
  if (::fstat(fd_, &mine) == 0 && ::lstat(lock_path_.c_str(), &named) == 0 && mine.st_ino == named.st_ino &&
      mine.st_dev == named.st_dev)
    ::unlink(lock_path_.c_str());
  ::close(fd_);
  fd_ = -1;
  lock_path_.clear();
  file_.clear();
}

bool FamilyFileLock::holds(const std::string& family_file) const { return fd_ >= 0 && SameFile(family_file, file_); }

std::optional<LockOwner> LockHolder(const std::string& family_file, const FamilyFileLock& mine) {
  if (mine.holds(family_file)) return std::nullopt;
  const int fd = ::open(LockPathFor(family_file).c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  std::optional<LockOwner> out;
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return std::nullopt;
  }
  if (::flock(fd, LOCK_SH | LOCK_NB) != 0) {
    const int err = errno;
    const LockOwner o = parse_owner(read_fd(fd));
    if (!no_system_locks(err) || owner_alive(o)) out = o;
  }
  ::close(fd);
  return out;
}

void RemoveLeftoverLock(const std::string& family_file) {
  const std::string lock = LockPathFor(family_file);
  const int fd = ::open(lock.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return;
  struct stat st {};
  const bool ours = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_nlink == 1 && looks_like_lock(read_fd(fd));
  ::close(fd);
  if (ours) ::unlink(lock.c_str());
}

std::string UnwritablePlace(const std::string& family_file) {
  std::string target = fileio::final_target(family_file);
  if (target.empty()) target = family_file;
  std::string folder = FolderOf(target);
  if (folder.empty()) folder = "./";
  struct statvfs v {};
  if (::statvfs(folder.c_str(), &v) == 0 && (v.f_flag & ST_RDONLY) != 0)
    return "it is on a disk that cannot be written to";
  // A save writes a new file beside the old one and renames it into place:
  // the folder must take new names, whatever the file's own mode.
  if (::access(folder.c_str(), W_OK | X_OK) != 0)
    return "its folder " + cp1252::path_text(folder) + " cannot be written to";
  return {};
}

std::string OddLockText(const std::string& family_file) {
  const std::string lock = cp1252::path_text(FileNameOf(LockPathFor(family_file)));
  return "The Family file " + cp1252::path_text(FileNameOf(family_file)) + " cannot be marked as open: beside it, " +
         lock + " is a link or something other than a lock file, and Vorlan Family Tree does not write through it." +
         CrLf +
         "The family tree is opened read-only. You can keep your changes in a file of your own with Save As; to "
         "edit the file itself, remove " +
         lock + " and open it again.";
}

std::string OwnerText(const LockOwner& o) {
  std::string text = "opened by " + (o.user.empty() ? std::string("another user") : o.user);
  if (!o.host.empty()) text += " on " + o.host;
  if (!o.time.empty()) text += " at " + o.time;
  if (o.pid > 0) text += " (process " + std::to_string(o.pid) + ")";
  return text;
}

Bytes FamilyFileNote(const FileIdentity& id) {
  const std::string text =
      std::to_string(id.size) + " " + std::to_string(id.mtime_ns) + " " + std::to_string(id.checksum) + "\n" + id.path;
  return Bytes(text.begin(), text.end());
}

FileIdentity ReadFamilyFileNote(const std::string& work_folder) {
  FileIdentity id;
  auto data = fileio::read_all(work_folder + kFamilyFileNote, kMaxNote);
  if (!data) return id;
  const std::string text(data->begin(), data->end());
  const std::size_t nl = text.find('\n');
  if (nl == std::string::npos) return id;
  std::istringstream numbers(text.substr(0, nl));
  FileIdentity read;
  if (!(numbers >> read.size >> read.mtime_ns >> read.checksum)) return id;
  read.path = text.substr(nl + 1);
  return read;
}

}  // namespace vft
