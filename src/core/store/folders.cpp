#include "store/folders.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "common/cp1252.h"
#include "store/file_io.h"
#include "store/file_write.h"
#include "store/records.h"
#include "store/session.h"

namespace vft {
namespace fs = std::filesystem;
namespace {

constexpr std::size_t kMaxSettingsBytes = 1024 * 1024;
constexpr int kMaxWorkFolderTries = 999;

std::string with_slash(std::string p) {
  if (p.empty() || p.back() != '/') p += '/';
  return p;
}

std::string without_slash(std::string p) {
  while (p.size() > 1 && p.back() == '/') p.pop_back();
  return p;
}

std::optional<std::string> non_empty(const EnvLookup& env, std::string_view name) {
  if (!env) return std::nullopt;
  auto v = env(name);
  if (v && v->empty()) return std::nullopt;
  return v;
}

bool is_folder(const std::string& p) {
  std::error_code ec;
  return !p.empty() && fs::is_directory(p, ec);
}

// "hhmmss" or "hhmmss-n": the only names our work folders have.
bool work_folder_name(const std::string& name) {
  const std::string_view n = name;
  if (n.size() < 6 || !cp1252::all_digits(n.substr(0, 6))) return false;
  return n.size() == 6 || (n[6] == '-' && cp1252::all_digits(n.substr(7)));
}

// A file in `folder` whose name matches `name` ignoring case (an exact match
// first); empty when there is none. The old folder may come from a system that
// did not keep the case of names.
std::string find_file(const std::string& folder, const std::string& name) {
  std::error_code ec;
  if (fs::is_regular_file(fs::path(folder) / name, ec)) return (fs::path(folder) / name).string();
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    std::error_code ec2;
    if (it->is_regular_file(ec2) && cp1252::iequals(it->path().filename().string(), name)) return it->path().string();
  }
  return {};
}

// Copies through memory rather than with copy_file, which would also copy a
// read-only mode from the installed folder.
bool copy_settings(fileio::FileSystem& fs, const std::string& from, const std::string& to) {
  auto data = fileio::read_all(from, kMaxSettingsBytes);
  return data && fileio::write_file(fs, to, *data, fileio::NewMode::Private, fileio::Links::Replace);
}

}  // namespace

// Every file directly in `folder` (not in sub-folders; links are removed, never
// followed), then the folder itself when that left it empty.
bool RemoveFilesAndFolder(const std::string& folder) {
  std::error_code ec;
  std::vector<fs::path> files;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    std::error_code ec2;
    if (it->symlink_status(ec2).type() != fs::file_type::directory) files.push_back(it->path());
  }
  for (const auto& f : files) fs::remove(f, ec);
  return fs::remove(folder, ec);
}

EnvLookup SystemEnvironment() {
  return [](std::string_view name) -> std::optional<std::string> {
    const char* v = std::getenv(std::string(name).c_str());
    if (!v) return std::nullopt;
    return std::string(v);
  };
}

std::string ExecutableFolder() {
  std::error_code ec;
  fs::path exe = fs::read_symlink("/proc/self/exe", ec);
  return ec ? std::string() : exe.parent_path().string();
}

std::string ProgramFolder(const EnvLookup& env, const std::string& executable_folder,
                          const std::string& source_resources) {
  if (auto v = non_empty(env, "VFT_PROGRAM_FOLDER")) return without_slash(*v);
  std::string installed;
  if (!executable_folder.empty())
    installed = without_slash(
        (fs::path(executable_folder) / ".." / "share" / "vorlan-family-tree").lexically_normal().string());
  if (is_folder(installed)) return installed;
  if (is_folder(source_resources)) return without_slash(source_resources);
  return installed.empty() ? without_slash(source_resources) : installed;
}

std::string AppDataFolder(const EnvLookup& env) {
  if (auto v = non_empty(env, "VFT_APPDATA")) return with_slash(*v);
  // Relative values of XDG_DATA_HOME are invalid and must be ignored.
  if (auto v = non_empty(env, "XDG_DATA_HOME"); v && v->front() == '/') return with_slash(*v);
  if (auto v = non_empty(env, "HOME")) return with_slash(*v) + ".local/share/";
  return {};
}

std::string WorkFolderName(const LocalTime& t) {
  auto two = [](int v) { return std::clamp(v, 0, 99); };
  char buf[16];
  std::snprintf(buf, sizeof buf, "%02d%02d%02d", two(t.hour), two(t.minute), two(t.second));
  return buf;
}

bool CreateWorkFolder(Session& s) {
  if (!cp1252::trim(s.WorkFolder).empty()) return true;
  std::error_code ec;
  const std::string base = s.settings_folder();
  fs::create_directories(base, ec);  // already there is fine; a real failure shows below
  const std::string name = WorkFolderName(s.now());
  for (int n = 1; n <= kMaxWorkFolderTries; ++n) {
    std::string candidate = base + name + (n > 1 ? "-" + std::to_string(n) : std::string());
    // create_directory makes the folder only when the name is free, so two
    // programs started in the same second cannot both take it.
    if (fs::create_directory(candidate, ec)) {
      s.WorkFolder = candidate + "/";
      return true;
    }
    std::error_code ec2;
    if (!fs::exists(fs::symlink_status(candidate, ec2))) return false;
  }
  return false;
}

void RemoveWorkFolder(Session& s) {
  if (s.WorkFolder.empty()) return;
  if (RemoveFilesAndFolder(s.WorkFolder)) s.WorkFolder.clear();
}

std::vector<std::string> FindLeftoverWorkFolders(const Session& s) {
  struct Found {
    std::string path;
    fs::file_time_type when;
  };
  std::vector<Found> found;
  std::error_code ec;
  const std::string base = s.settings_folder();
  for (fs::directory_iterator it(base, ec), end; !ec && it != end; it.increment(ec)) {
    std::error_code ec2;
    if (it->symlink_status(ec2).type() != fs::file_type::directory) continue;
    std::string name = it->path().filename().string();
    if (!work_folder_name(name)) continue;
    std::string folder = base + name + "/";
    if (!s.WorkFolder.empty() && fs::equivalent(folder, s.WorkFolder, ec2)) continue;
    fs::path cfg = fs::path(folder) / recfile::Config;
    if (!fs::is_regular_file(cfg, ec2)) continue;
    found.push_back({folder, fs::last_write_time(cfg, ec2)});
  }
  // The most recent run first: that is the one a user wants back.
  std::sort(found.begin(), found.end(),
            [](const Found& a, const Found& b) { return a.when != b.when ? a.when > b.when : a.path < b.path; });
  std::vector<std::string> out;
  for (auto& f : found) out.push_back(std::move(f.path));
  return out;
}

std::string OldSettingsFolder(const Session& s) { return s.AppDataFolder + "VFTTemp/"; }

bool MigrateSettingsFile(Session& s) {
  const std::string target = s.settings_file();
  std::error_code ec;
  if (fs::exists(target, ec) || ec) return false;
  // A folder that cannot be made shows as the copy's failure below.
  (void)fileio::make_folders(s.disk, s.settings_folder());

  const std::string old_folder = OldSettingsFolder(s);
  if (std::string old_file = find_file(old_folder, "Vorlan.Ini"); !old_file.empty()) {
    // The old folder is cleared only once its settings are safe in the new
    // place; after a failed copy the next start tries again.
    if (!copy_settings(s.disk, old_file, target)) return false;
    RemoveFilesAndFolder(old_folder);
    return true;
  }
  // The default file stays in the program folder: on this platform that is
  // the shared, read-only installed folder, and every user of the machine
  // needs it for their own first start.
  if (!copy_settings(s.disk, s.ProgramFolder + "/Vorlan.In~", target)) {
    // A first start works without a settings file; the defaults apply.
  }
  return false;
}

}  // namespace vft
