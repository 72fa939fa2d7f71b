#include "store/file_io.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vft::fileio {
namespace fs = std::filesystem;

namespace {

// pwrite until done. A write that makes no progress is a full disk.
int pwrite_all(int fd, const std::uint8_t* data, std::size_t len, std::int64_t offset) {
  std::size_t done = 0;
  while (done < len) {
    ssize_t w = ::pwrite(fd, data + done, len - done, static_cast<off_t>(offset) + static_cast<off_t>(done));
    if (w < 0 && errno == EINTR) continue;
    if (w < 0) return errno;
    if (w == 0) return ENOSPC;
    done += static_cast<std::size_t>(w);
  }
  return 0;
}

std::size_t pread_some(int fd, std::uint8_t* out, std::size_t len, std::int64_t offset) {
  std::size_t got = 0;
  while (got < len) {
    ssize_t r = ::pread(fd, out + got, len - got, static_cast<off_t>(offset) + static_cast<off_t>(got));
    if (r < 0 && errno == EINTR) continue;
    if (r <= 0) break;
    got += static_cast<std::size_t>(r);
  }
  return got;
}

// One range write, without the step: the caller has counted it (or is
// putting bytes back and must not be stopped).
int put_range(const std::string& path, std::int64_t offset, const std::uint8_t* data, std::size_t len) {
  // The work folder's files are the program's own: a link planted under one
  // of their names is refused, never written through.
  int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
  if (fd < 0) return errno;
  int err = pwrite_all(fd, data, len, offset);
  if (::close(fd) != 0 && err == 0) err = errno;
  return err;
}

bool range_write(FileSystem& fsys, const std::string& path, std::int64_t offset, const std::uint8_t* data,
                 std::size_t len) {
  if (offset < 0) return fsys.fail(path, EINVAL);
  if (int err = fsys.step(path)) return fsys.fail(path, err);
  fsys.note_range(path, offset, len);
  if (int err = put_range(path, offset, data, len)) return fsys.fail(path, err);
  return true;
}

}  // namespace

std::string WriteFailure::reason() const { return error ? std::strerror(error) : std::string(); }

// ---- FileSystem

void FileSystem::fail_at(long nth, int error, bool persist) {
  fault_at_ = steps_ + (nth < 1 ? 1 : nth);
  fault_error_ = error;
  fault_persist_ = persist;
}

int FileSystem::step(const std::string&) {
  if (depth_ > 0 && failure_.error) return failure_.error;
  ++steps_;
  if (fault_at_ > 0 && (steps_ == fault_at_ || (fault_persist_ && steps_ > fault_at_))) return fault_error_;
  return 0;
}

bool FileSystem::fail(const std::string& path, int error) {
  // Inside a transaction the first failure is the one to tell: the rest
  // only follow from it.
  if (!(depth_ > 0 && failure_.error)) failure_ = {path, error ? error : EIO};
  return false;
}

void FileSystem::begin_transaction() {
  if (depth_++ > 0) return;
  failure_ = {};
  journal_.clear();
  sizes_.clear();
}

void FileSystem::note_range(const std::string& path, std::int64_t offset, std::size_t len) {
  if (depth_ == 0) return;
  std::int64_t size = -1;
  bool known = false;
  for (const Size& s : sizes_)
    if (s.path == path) known = true;
  size = size_of(path);
  if (!known) sizes_.push_back({path, size});
  // Past the end there is nothing to overwrite (the cut removes it), but the
  // history still needs to know what was written.
  const auto n = static_cast<std::size_t>(std::clamp<std::int64_t>(size - offset, 0, static_cast<std::int64_t>(len)));
  Before b{path, offset, len, Bytes(n)};
  if (n == 0) {
    journal_.push_back(std::move(b));
    return;
  }
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd >= 0) {
    b.bytes.resize(pread_some(fd, b.bytes.data(), n, offset));
    ::close(fd);
  } else {
    b.bytes.clear();
  }
  journal_.push_back(std::move(b));
}

// Bytes already as they were are left alone: a write that failed before it
// changed anything (a file that cannot be opened, a full disk) must not turn
// into a put-back that fails the same way and calls the records damaged.
bool FileSystem::take_back() {
  bool ok = true;
  for (auto it = journal_.rbegin(); it != journal_.rend(); ++it) {
    if (it->bytes.empty()) continue;
    Bytes now(it->bytes.size());
    const int fd = ::open(it->path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd >= 0) {
      now.resize(pread_some(fd, now.data(), now.size(), it->offset));
      ::close(fd);
      if (now == it->bytes) continue;
    }
    if (put_range(it->path, it->offset, it->bytes.data(), it->bytes.size()) != 0) ok = false;
  }
  for (const Size& s : sizes_) {
    const std::int64_t now = size_of(s.path);
    if (now == s.size) continue;
    if (s.size < 0) {
      std::error_code ec;
      fs::remove(s.path, ec);
      if (ec) ok = false;
    } else if (::truncate(s.path.c_str(), static_cast<off_t>(s.size)) != 0) {
      ok = false;
    }
  }
  return ok;
}

std::int64_t FileSystem::size_before(const std::string& path) const {
  for (const Size& s : sizes_)
    if (s.path == path) return s.size;
  return -2;
}

FileSystem::Ended FileSystem::end_transaction() {
  if (depth_ == 0) return Ended::Kept;
  if (--depth_ > 0) return Ended::Nested;
  Ended out = Ended::Kept;
  if (failure_.error) out = take_back() ? Ended::TakenBack : Ended::NotTakenBack;
  journal_.clear();
  sizes_.clear();
  return out;
}

// ---- reading and small helpers

std::optional<Bytes> read_all(const std::string& path, std::size_t limit) {
  // Only a plain file is read: a pipe or a device named where a file is
  // expected would make the program wait for ever.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return std::nullopt;
  }
  Bytes out;
  std::uint8_t buf[65536];
  bool bad = false;
  for (;;) {
    const ssize_t n = ::read(fd, buf, sizeof buf);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) bad = true;
    if (n <= 0) break;
    if (out.size() + static_cast<std::size_t>(n) > limit) {
      bad = true;
      break;
    }
    out.insert(out.end(), buf, buf + n);
  }
  ::close(fd);
  if (bad) return std::nullopt;
  return out;
}

std::int64_t size_of(const std::string& path) {
  std::error_code ec;
  auto s = fs::file_size(path, ec);
  return ec ? -1 : static_cast<std::int64_t>(s);
}

bool exists(const std::string& path) {
  std::error_code ec;
  return fs::exists(path, ec);
}

bool remove(const std::string& path) {
  std::error_code ec;
  return fs::remove(path, ec);
}

bool read_record(const std::string& path, long n, std::size_t len, std::uint8_t* out) {
  if (n < 1) return false;
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  auto off = static_cast<std::int64_t>(n - 1) * static_cast<std::int64_t>(len);
  std::size_t got = pread_some(fd, out, len, off);
  ::close(fd);
  return got == len;
}

bool write_record(FileSystem& fsys, const std::string& path, long n, const std::uint8_t* data, std::size_t len) {
  if (n < 1) return fsys.fail(path, EINVAL);
  return range_write(fsys, path, static_cast<std::int64_t>(n - 1) * static_cast<std::int64_t>(len), data, len);
}

bool write_at(FileSystem& fsys, const std::string& path, std::int64_t offset, const std::uint8_t* data,
              std::size_t len) {
  return range_write(fsys, path, offset, data, len);
}

bool cut_to(FileSystem& fsys, const std::string& path, std::int64_t size) {
  const std::int64_t now = size_of(path);
  if (now < 0 || now <= size) return true;
  if (size < 0) return fsys.fail(path, EINVAL);
  if (int err = fsys.step(path)) return fsys.fail(path, err);
  // What is cut off goes into the journal, so a failed transaction puts it back.
  fsys.note_range(path, size, static_cast<std::size_t>(now - size));
  if (::truncate(path.c_str(), static_cast<off_t>(size)) != 0) return fsys.fail(path, errno);
  return true;
}

}  // namespace vft::fileio
