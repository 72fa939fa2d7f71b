#include "store/file_write.h"

#include <cerrno>
#include <cstdio>
#include <climits>
#include <cstdint>
#include <filesystem>
#include <map>
#include <set>
#include <string_view>
#include <ctime>

#include <fcntl.h>
#include <dirent.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace vft::fileio {
namespace {

constexpr int kMaxLinks = 40;  // as the system itself follows them
constexpr int kNameTries = 100;

std::string folder_of(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

std::string name_of(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Every temporary copy of `target` starts so (in the target's folder).
std::string temp_prefix(const std::string& target) {
  const std::size_t slash = target.rfind('/');
  return (slash == std::string::npos ? std::string() : target.substr(0, slash + 1)) + "." + name_of(target) + ".vft";
}

bool all_hex(std::string_view s) {
  return !s.empty() && s.find_first_not_of("0123456789abcdef") == std::string_view::npos;
}

// The part of a folder entry after ".NAME.vft" names a copy this program
// made: "-PID-XXXXXX", or "XXXXXX" as earlier versions named it. The
// process number, 0 for an earlier version's copy; -1 when it is no copy.
long temp_owner(std::string_view rest) {
  if (rest.size() == 6 && all_hex(rest)) return 0;
  if (rest.size() < 9 || rest[0] != '-') return -1;
  const std::size_t dash = rest.find('-', 1);
  if (dash == std::string_view::npos || rest.size() - dash - 1 != 6 || !all_hex(rest.substr(dash + 1))) return -1;
  long pid = 0;
  for (char c : rest.substr(1, dash - 1)) {
    if (c < '0' || c > '9' || pid > 100000000) return -1;
    pid = pid * 10 + (c - '0');
  }
  return pid > 0 ? pid : -1;
}

bool process_runs(long pid) { return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM; }

// A temporary name in the target's folder that no file has yet:
// ".NAME.vft-PID-XXXXXX". The leading dot keeps it out of folder listings and
// out of the web site's own pages; the process number lets a later save tell
// a copy left by a run that was killed from one a running save is making.
int create_temp(const std::string& target, unsigned mode, std::string& temp, unsigned long& seed) {
  const std::string prefix = temp_prefix(target) + "-" + std::to_string(::getpid()) + "-";
  for (int i = 0; i < kNameTries; ++i) {
    seed = seed * 6364136223846793005ULL + 1442695040888963407ULL;
    char suffix[24];
    std::snprintf(suffix, sizeof suffix, "%06lx", (seed >> 20) & 0xFFFFFFUL);
    temp = prefix + suffix;
    int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  errno = EEXIST;
  return -1;
}

int write_all_fd(int fd, const std::uint8_t* data, std::size_t len) {
  std::size_t done = 0;
  while (done < len) {
    ssize_t w = ::write(fd, data + done, len - done);
    if (w < 0 && errno == EINTR) continue;
    if (w < 0) return errno;
    if (w == 0) return ENOSPC;
    done += static_cast<std::size_t>(w);
  }
  return 0;
}

// So that a power cut cannot lose the new names. Folders whose file system
// cannot sync a folder say so; that is no failure.
int sync_folder(const std::string& folder) {
  int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return 0;
  int err = ::fsync(fd) == 0 ? 0 : errno;
  ::close(fd);
  return err == EINVAL || err == ENOTSUP || err == EROFS ? 0 : err;
}

int sync_file_system(const std::string& folder) {
#ifdef __linux__
  int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return errno;
  int err = ::syncfs(fd) == 0 ? 0 : errno;
  ::close(fd);
  return err;
#else
  (void)folder;
  ::sync();
  return 0;
#endif
}

// Follows links to the file `path` finally names; `st` is that file's status
// (`exists` false when there is none yet). Empty when the links go round.
std::string resolve(const std::string& path, struct stat& st, bool& exists) {
  std::string p = path;
  for (int i = 0; i < kMaxLinks; ++i) {
    exists = ::lstat(p.c_str(), &st) == 0;
    if (!exists || !S_ISLNK(st.st_mode)) return p;
    char buf[PATH_MAX];
    const ssize_t n = ::readlink(p.c_str(), buf, sizeof buf);
    if (n <= 0) return p;
    std::string link(buf, static_cast<std::size_t>(n));
    if (link.front() != '/') {
      const std::size_t slash = p.rfind('/');
      if (slash != std::string::npos) link = p.substr(0, slash + 1) + link;
    }
    p = link;
  }
  return {};
}

// The process's umask, read without changing it (Linux tells it in
// /proc/self/status); when it cannot be read, 0777 makes every file get its
// mode set explicitly.
unsigned current_umask() {
  std::FILE* f = std::fopen("/proc/self/status", "r");
  unsigned mask = 0777;
  if (!f) return mask;
  char line[256];
  while (std::fgets(line, sizeof line, f))
    if (std::sscanf(line, "Umask: %o", &mask) == 1) break;
  std::fclose(f);
  return mask;
}

// The old file back under its name. A hard-linked copy is that file
// already and only loses its second name; a moved one is renamed back (and
// left where it is should even that fail, rather than lost).
void put_back(const std::string& aside, const std::string& target) {
  struct stat a {
  }, now{};
  if (::stat(aside.c_str(), &a) != 0) return;
  if (::stat(target.c_str(), &now) == 0 && a.st_ino == now.st_ino && a.st_dev == now.st_dev) ::unlink(aside.c_str());
  else std::rename(aside.c_str(), target.c_str());
}

}  // namespace

std::string final_target(const std::string& path) {
  struct stat st {};
  bool exists = false;
  return resolve(path, st, exists);
}

FileBatch::FileBatch(FileSystem& fs, Sync sync, NewMode mode, bool all_or_nothing, Links links)
    : fs_(fs),
      sync_(sync),
      mode_(mode),
      all_or_nothing_(all_or_nothing),
      links_(links),
      umask_(current_umask()),
      gid_(::getegid()),
      seed_(static_cast<unsigned long>(::getpid()) * 2654435761UL ^ reinterpret_cast<std::uintptr_t>(this)) {}

FileBatch::~FileBatch() {
  if (!committed_) discard();
}

void FileBatch::discard() {
  for (const File& f : files_) ::unlink(f.temp.c_str());
  files_.clear();
}

bool FileBatch::fail_all(const std::string& path, int error) {
  fs_.fail(path, error);  // first: `path` may be one of the batch's own
  discard();
  return false;
}

bool FileBatch::add(const std::string& path, Data data) {
  if (committed_) return fs_.fail(path, EINVAL);
  File f;
  struct stat st {};
  if (links_ == Links::Follow) {
    f.target = resolve(path, st, f.existed);
    if (f.target.empty()) return fail_all(path, ELOOP);
  } else {
    f.target = path;
    f.existed = ::lstat(path.c_str(), &st) == 0;
  }
  if (f.existed && S_ISDIR(st.st_mode)) return fail_all(path, EISDIR);
  // What the name held is replaced, not inherited from: a link, a pipe or a
  // device lends the new file neither its mode nor its group.
  if (f.existed && !S_ISREG(st.st_mode)) f.existed = false;

  if (int err = fs_.step(f.target)) return fail_all(f.target, err);
  // A new file gets its mode less the umask; an old one keeps its own.
  const unsigned old_mode = f.existed ? st.st_mode & 07777 : 0;
  const unsigned mode = f.existed ? old_mode : mode_ == NewMode::Shared ? 0666 : 0600;
  int fd = create_temp(f.target, mode, f.temp, seed_);
  // The new file is made in the folder: when it cannot be, the folder is
  // what refuses (a read-only folder, a full one), whatever the old file is.
  if (fd < 0) return fail_all(errno == EACCES || errno == EROFS ? folder_of(f.target) : f.target, errno);
  files_.push_back(f);
  int err = 0;
  // The group first: changing it may clear the set-group-ID bit, which the
  // mode then puts back. A group we may not give is no failure: the file then
  // has the user's own group, as any new file would.
  bool regroup = f.existed && st.st_gid != gid_;
  if (regroup && ::fchown(fd, static_cast<uid_t>(-1), st.st_gid) != 0) regroup = false;
  if (f.existed && ((old_mode & umask_) != 0 || regroup) && ::fchmod(fd, old_mode) != 0) err = errno;
  if (!err) err = fs_.step(f.target);
  if (!err) err = write_all_fd(fd, data.data(), data.size());
  if (!err && sync_ == Sync::EachFile && !(err = fs_.step(f.target)) && ::fsync(fd) != 0) err = errno;
  if (::close(fd) != 0 && !err) err = errno;
  if (err) return fail_all(f.target, err);
  return true;
}

bool FileBatch::commit() {
  if (committed_) return true;
  // Old files of an all-or-nothing set stay reachable under a second name
  // until every new one is in place.
  std::size_t asides = 0;
  for (; all_or_nothing_ && asides < files_.size(); ++asides) {
    File& f = files_[asides];
    if (!f.existed) continue;
    f.aside = f.target + ".vft-old";
    ::unlink(f.aside.c_str());
    int err = fs_.step(f.target);
    if (!err && ::link(f.target.c_str(), f.aside.c_str()) != 0) {
      err = errno;
      // A file system without hard links: the old file moves aside instead.
      if ((err == EPERM || err == ENOTSUP || err == EOPNOTSUPP || err == EMLINK) &&
          std::rename(f.target.c_str(), f.aside.c_str()) == 0)
        err = 0;
    }
    if (err) {
      f.aside.clear();
      for (std::size_t i = 0; i < asides; ++i)
        if (!files_[i].aside.empty()) put_back(files_[i].aside, files_[i].target);
      return fail_all(f.target, err);
    }
  }
  std::size_t placed = 0;
  int err = 0;
  std::string failed;
  for (; placed < files_.size(); ++placed) {
    const File& f = files_[placed];
    err = fs_.step(f.target);
    if (!err && std::rename(f.temp.c_str(), f.target.c_str()) != 0) err = errno;
    if (err) {
      failed = f.target;
      break;
    }
  }
  if (err && all_or_nothing_) {
    // Every old file back under its name, and the new ones that had no old
    // one gone.
    for (std::size_t i = 0; i < files_.size(); ++i) {
      const File& f = files_[i];
      if (!f.aside.empty()) put_back(f.aside, f.target);
      else if (i < placed) ::unlink(f.target.c_str());
    }
  }
  for (std::size_t i = placed; i < files_.size(); ++i) ::unlink(files_[i].temp.c_str());
  if (!err)
    for (const File& f : files_)
      if (!f.aside.empty()) ::unlink(f.aside.c_str());
  std::set<std::string> folders;
  for (std::size_t i = 0; i < placed; ++i) folders.insert(folder_of(files_[i].target));
  committed_ = true;
  files_.clear();
  if (err) return fs_.fail(failed, err);
  if (sync_ != Sync::None)
    for (const std::string& folder : folders)
      if (int e = sync_folder(folder)) return fs_.fail(folder, e);
  return true;
}

bool OutputFiles::add(const std::string& path, std::string data) {
  File f;
  f.path = path;
  struct stat st {};
  if (::lstat(path.c_str(), &st) == 0) {
    if (S_ISDIR(st.st_mode)) return fs_.fail(path, EISDIR);
    if (S_ISLNK(st.st_mode) || (S_ISREG(st.st_mode) && st.st_nlink > 1)) f.kind = Kind::Link;
    else if (!S_ISREG(st.st_mode) || st.st_uid != ::geteuid()) f.kind = Kind::Special;
    else f.kind = Kind::Own;
    if (f.kind == Kind::Own) f.old_size = static_cast<long long>(st.st_size);
  }
  f.data = std::move(data);
  files_.push_back(std::move(f));
  return true;
}

// Whole blocks, as the file system counts them, with the old file's blocks
// reused by its new content.
bool OutputFiles::enough_space() {
  constexpr unsigned long long kBlock = 4096;
  auto blocks = [](unsigned long long bytes) { return (bytes + kBlock - 1) / kBlock; };
  std::map<std::string, unsigned long long> need;  // folder -> blocks
  std::map<std::string, std::string> first;        // folder -> its first file, to name in a failure
  for (const File& f : files_) {
    const std::string folder = folder_of(f.path);
    const unsigned long long now = blocks(f.data.size()), before = blocks(static_cast<unsigned long long>(f.old_size));
    need[folder] += now > before ? now - before : 0;
    first.emplace(folder, f.path);
  }
  for (const auto& [folder, n] : need) {
    struct statvfs v {};
    if (::statvfs(folder.c_str(), &v) != 0) return fs_.fail(first[folder], errno);
    // A margin, as the folder's own entries and the file system's records of
    // the new files take room too.
    const unsigned long long free_blocks = v.f_bavail * v.f_frsize / kBlock;
    if (free_blocks < n + n / 64 + 16) return fs_.fail(first[folder], ENOSPC);
  }
  return true;
}

// A new plain file under the name, through a temporary file and a rename:
// the name is replaced, whatever it was, and nothing it led to is touched.
int OutputFiles::replace(const File& f) {
  FileBatch one(fs_, Sync::None, mode_, false, Links::Replace);
  if (!one.add(f.path, f.data) || !one.commit()) return fs_.failure().error;
  ++written_;
  if (f.kind == Kind::Link || f.kind == Kind::Special) ++replaced_;
  if (f.kind == Kind::Special) ++replaced_special_;
  return 0;
}

// The user's own page, open as `fd`: left alone when it holds the bytes
// already, otherwise rewritten in place.
int OutputFiles::rewrite(const File& f, int fd) {
  if (f.old_size == static_cast<long long>(f.data.size())) {
    std::string old(f.data.size(), '\0');
    std::size_t got = 0;
    while (got < old.size()) {
      const ssize_t r = ::pread(fd, old.data() + got, old.size() - got, static_cast<off_t>(got));
      if (r < 0 && errno == EINTR) continue;
      if (r <= 0) break;
      got += static_cast<std::size_t>(r);
    }
    if (got == old.size() && old == f.data) {
      ::close(fd);
      ++unchanged_;
      return 0;
    }
  }
  int err = write_all_fd(fd, reinterpret_cast<const std::uint8_t*>(f.data.data()), f.data.size());
  if (!err && ::ftruncate(fd, static_cast<off_t>(f.data.size())) != 0) err = errno;
  if (::close(fd) != 0 && !err) err = errno;
  if (!err) ++written_;
  return err;
}

// 0 when the file holds `f.data` (or already did), otherwise the error.
int OutputFiles::put(const File& f) {
  if (int err = fs_.step(f.path)) return err;
  if (f.kind == Kind::New) {
    const unsigned mode = mode_ == NewMode::Shared ? 0666 : 0600;
    int fd = ::open(f.path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
    if (fd < 0 && errno == EEXIST) {
      // Something took the name since the folder was looked at: whatever it
      // is, it is replaced, never written through.
      File now = f;
      now.kind = Kind::Special;
      return replace(now);
    }
    if (fd < 0) return errno;
    int err = write_all_fd(fd, reinterpret_cast<const std::uint8_t*>(f.data.data()), f.data.size());
    if (::close(fd) != 0 && !err) err = errno;
    if (err) ::unlink(f.path.c_str());  // no half page under the page's name
    else ++written_;
    return err;
  }
  if (f.kind != Kind::Own) return replace(f);
  // No link is followed and no pipe waited for; what is opened is checked to
  // be still the plain file of one name that the folder showed.
  int fd = ::open(f.path.c_str(), O_RDWR | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    File now = f;
    // Read-only to the user, though in a folder they may write to: replaced,
    // as any program that saves through a temporary file would.
    if (errno == EACCES || errno == EPERM) now.kind = Kind::ReadOnly;
    else if (errno == ELOOP || errno == ENXIO || errno == EISDIR) now.kind = Kind::Special;
    else return errno;
    return replace(now);
  }
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_nlink != 1 || st.st_uid != ::geteuid()) {
    ::close(fd);
    File now = f;
    now.kind = Kind::Special;
    return replace(now);
  }
  return rewrite(f, fd);
}

bool OutputFiles::commit(const std::function<bool(std::size_t settled)>& going) {
  if (files_.empty()) return true;
  if (!enough_space()) return false;
  for (const File& f : files_) {
    if (int err = put(f)) return fs_.fail(f.path, err);
    if (going && &f != &files_.back() && !going(settled())) {
      stopped_ = true;
      break;
    }
  }
  if (written_ > 0) {
    const std::string& first = files_.front().path;
    int err = fs_.step(first);
    if (!err) err = sync_file_system(folder_of(first));
    if (err) return fs_.fail(first, err);
  }
  files_.clear();
  return !stopped_;
}

bool write_file(FileSystem& fs, const std::string& path, Data data, NewMode mode, Links links) {
  const long long started = static_cast<long long>(::time(nullptr));
  FileBatch batch(fs, Sync::EachFile, mode, false, links);
  if (!batch.add(path, data) || !batch.commit()) return false;
  RemoveStaleCopies(path, started);
  return true;
}

bool make_folders(FileSystem& fs, const std::string& folder) {
  if (folder.empty()) return true;
  std::error_code ec;
  if (std::filesystem::is_directory(folder, ec)) return true;
  if (int err = fs.step(folder)) return fs.fail(folder, err);
  std::filesystem::create_directories(folder, ec);
  return !ec || fs.fail(folder, ec.value());
}

int RemoveStaleCopies(const std::string& path, long long before) {
  std::string target = final_target(path);
  if (target.empty()) return 0;
  const std::string prefix = name_of(temp_prefix(target));
  const std::string folder = folder_of(target);
  DIR* dir = ::opendir(folder.c_str());
  if (!dir) return 0;
  int removed = 0;
  while (const dirent* e = ::readdir(dir)) {
    const std::string_view name = e->d_name;
    if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0) continue;
    const long pid = temp_owner(name.substr(prefix.size()));
    if (pid < 0 || (pid > 0 && (pid == ::getpid() || process_runs(pid)))) continue;
    const std::string copy = folder + "/" + std::string(name);
    struct stat st {};
    // Only a plain file of the user's that was there before this save began.
    if (::lstat(copy.c_str(), &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != ::geteuid() ||
        static_cast<long long>(st.st_mtim.tv_sec) >= before)
      continue;
    if (::unlink(copy.c_str()) == 0) ++removed;
  }
  ::closedir(dir);
  return removed;
}

}  // namespace vft::fileio
