#include "store/paths.h"

#include <filesystem>
#include <limits>
#include <system_error>

#include "common/cp1252.h"

namespace vft {
namespace {

constexpr char kSep = '/';
constexpr std::size_t kMaxPath = 4095;
constexpr std::string_view kForbidden = ",+|/?*;><=:";

}  // namespace

bool ValidFileName(std::string& name) {
  name = cp1252::upper(cp1252::trim(name));
  if (name.find_first_of(kForbidden) != std::string::npos) return false;
  std::size_t dot = name.find('.');
  if (dot == std::string::npos) return !name.empty() && name.size() <= 255;
  std::size_t ext = name.size() - dot - 1;
  return dot >= 1 && dot <= 8 && ext >= 1 && ext <= 3;
}

bool ValidPath(const std::string& path) {
  std::string p = path;
  if (p.size() > 1 && p.back() == kSep) p.pop_back();
  if (p.empty() || p.front() != kSep || p.size() > kMaxPath) return false;
  // Each component is checked on a copy: ValidFileName upper-cases its
  // argument, and the path must keep its case to reach the file.
  std::size_t start = 1;
  while (start < p.size()) {
    std::size_t end = p.find(kSep, start);
    if (end == std::string::npos) end = p.size();
    std::string component = p.substr(start, end - start);
    if (!ValidFileName(component)) return false;
    start = end + 1;
  }
  return true;
}

std::string FolderOf(const std::string& path) {
  std::size_t last = path.rfind(kSep);
  return last == std::string::npos ? std::string() : path.substr(0, last + 1);
}

std::string FileNameOf(const std::string& path) {
  std::size_t last = path.rfind(kSep);
  return last == std::string::npos ? path : path.substr(last + 1);
}

std::string ShortPathText(const std::string& path, std::size_t max_len) {
  if (path.size() <= max_len) return path;
  const std::string dots = "...";

  // The root part: "/" and the first folder, or the first folder of a
  // relative path. Without a folder there is no root part to keep.
  std::string root;
  std::size_t first = path.find(kSep, path.front() == kSep ? 1 : 0);
  if (first != std::string::npos) root = path.substr(0, first + 1);

  // Whole components from the end, each with its leading separator, while they fit.
  std::string tail;
  std::size_t end = path.size();
  while (end > root.size()) {
    std::size_t sep = path.rfind(kSep, end - 1);
    if (sep == std::string::npos || sep < root.size()) break;
    std::string candidate = path.substr(sep, end - sep) + tail;
    if (root.size() + dots.size() + candidate.size() > max_len) break;
    tail = candidate;
    end = sep;
  }
  if (!tail.empty()) return root + dots + tail;

  // Not even the file name fits: keep as much of its end as the length allows.
  if (max_len <= dots.size()) return path.substr(path.size() - max_len);
  return dots + path.substr(path.size() - (max_len - dots.size()));
}

std::int64_t FreeDiskBytes(const std::string& path) {
  namespace fs = std::filesystem;
  std::error_code ec;
  fs::path p = path.empty() ? fs::path(".") : fs::path(path);
  // A file being saved does not exist yet, and its folder may not either.
  for (int depth = 0; !fs::exists(p, ec); ++depth) {
    fs::path parent = p.parent_path();
    if (parent.empty()) parent = ".";
    if (parent == p || depth > 4096) return -1;
    p = parent;
  }
  if (ec) return -1;
  fs::space_info info = fs::space(p, ec);
  if (ec || info.available == static_cast<std::uintmax_t>(-1)) return -1;
  constexpr auto kMax = static_cast<std::uintmax_t>(std::numeric_limits<std::int64_t>::max());
  return static_cast<std::int64_t>(info.available > kMax ? kMax : info.available);
}

}  // namespace vft
