#include "store/file_io.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

#include <fcntl.h>
#include <unistd.h>

namespace vft::fileio {
namespace fs = std::filesystem;

std::optional<Bytes> read_all(const std::string& path, std::size_t limit) {
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return std::nullopt;
  Bytes out;
  std::uint8_t buf[65536];
  std::size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) {
    if (out.size() + n > limit) {
      std::fclose(f);
      return std::nullopt;
    }
    out.insert(out.end(), buf, buf + n);
  }
  bool bad = std::ferror(f) != 0;
  std::fclose(f);
  if (bad) return std::nullopt;
  return out;
}

namespace {
bool write_fd(int fd, const Bytes& data) {
  std::size_t done = 0;
  while (done < data.size()) {
    ssize_t w = ::write(fd, data.data() + done, data.size() - done);
    if (w < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    done += static_cast<std::size_t>(w);
  }
  return true;
}
}  // namespace

bool write_atomic(const std::string& path, const Bytes& data, std::string* error) {
  std::string tmp = path + ".vft-part";
  int fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) {
    if (error) *error = std::generic_category().message(errno);
    return false;
  }
  bool ok = write_fd(fd, data) && ::fsync(fd) == 0;
  int err = errno;
  ok = (::close(fd) == 0) && ok;
  if (ok && std::rename(tmp.c_str(), path.c_str()) != 0) {
    err = errno;
    ok = false;
  }
  if (!ok) {
    if (error) *error = std::generic_category().message(err);
    ::unlink(tmp.c_str());
  }
  return ok;
}

bool write_all(const std::string& path, const Bytes& data) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  bool ok = data.empty() || std::fwrite(data.data(), 1, data.size(), f) == data.size();
  ok = (std::fclose(f) == 0) && ok;
  return ok;
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

bool copy(const std::string& from, const std::string& to) {
  std::error_code ec;
  fs::copy_file(from, to, fs::copy_options::overwrite_existing, ec);
  return !ec;
}

bool read_record(const std::string& path, long n, std::size_t len, std::uint8_t* out) {
  if (n < 1) return false;
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  auto off = static_cast<off_t>(n - 1) * static_cast<off_t>(len);
  std::size_t got = 0;
  while (got < len) {
    ssize_t r = ::pread(fd, out + got, len - got, off + static_cast<off_t>(got));
    if (r < 0 && errno == EINTR) continue;
    if (r <= 0) break;
    got += static_cast<std::size_t>(r);
  }
  ::close(fd);
  return got == len;
}

bool write_record(const std::string& path, long n, const std::uint8_t* data, std::size_t len) {
  if (n < 1) return false;
  int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  auto off = static_cast<off_t>(n - 1) * static_cast<off_t>(len);
  std::size_t done = 0;
  bool ok = true;
  while (done < len) {
    ssize_t w = ::pwrite(fd, data + done, len - done, off + static_cast<off_t>(done));
    if (w < 0 && errno == EINTR) continue;
    if (w <= 0) {
      ok = false;
      break;
    }
    done += static_cast<std::size_t>(w);
  }
  ok = (::close(fd) == 0) && ok;
  return ok;
}

bool write_at(const std::string& path, std::int64_t offset, const std::uint8_t* data, std::size_t len) {
  if (offset < 0) return false;
  int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  std::size_t done = 0;
  bool ok = true;
  while (done < len) {
    ssize_t w = ::pwrite(fd, data + done, len - done, static_cast<off_t>(offset) + static_cast<off_t>(done));
    if (w < 0 && errno == EINTR) continue;
    if (w <= 0) {
      ok = false;
      break;
    }
    done += static_cast<std::size_t>(w);
  }
  ok = (::close(fd) == 0) && ok;
  return ok;
}

}  // namespace vft::fileio
