#include "mainwin/startup.h"

#include <algorithm>
#include <filesystem>
#include <vector>

#include "common/cp1252.h"
#include "relations/lookups.h"
#include "store/familyfile.h"
#include "store/file_io.h"
#include "store/file_write.h"
#include "store/ini.h"
#include "store/paths.h"
#include "store/records.h"

#ifndef VFT_VERSION
#define VFT_VERSION "1.63"
#endif

namespace vft {
namespace fs = std::filesystem;
namespace {

// No welcome text or persons file of ours comes near these sizes.
constexpr std::size_t kMaxWelcomeBytes = 256 * 1024;
constexpr std::size_t kMaxPersonFileBytes = std::size_t{32767} * kPersonLen;

bool blank(const std::string& text) { return cp1252::trim(text).empty(); }

std::string opening_text(const std::string& path) {
  if (IsNetworkPath(path)) return "Opening Network File ";
  return "Opening File  '" + FileNameOf(path) + "'.   Please wait...";
}

// The entry of `folder` whose name matches `name` ignoring case; empty when none.
std::string listed_name(const fs::path& folder, const std::string& name) {
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    std::string entry = it->path().filename().string();
    if (cp1252::iequals(entry, name)) return entry;
  }
  return {};
}

}  // namespace

std::string VersionText() {
  std::string version = VFT_VERSION;
  std::string build = version;
  // The build text spells out major, minor and revision.
  if (std::count(build.begin(), build.end(), '.') < 2) build += ".0";
  return "Vorlan Family Tree Version: " + version + " (" + build + ")";
}

std::string CommandLineFile(const std::string& command_line) {
  std::string file = command_line;
  file.erase(std::remove(file.begin(), file.end(), '"'), file.end());
  return cp1252::trim(file);
}

bool IsNetworkPath(const std::string& path) { return path.rfind("\\\\", 0) == 0 || path.rfind("//", 0) == 0; }

std::string LongPathForm(const std::string& path, const std::string& current_dir) {
  if (path.empty()) return {};
  fs::path p(path);
  if (p.is_relative()) p = fs::path(current_dir) / p;
  p = p.lexically_normal();
  fs::path out = p.root_path();
  if (out.empty()) return {};
  for (const fs::path& part : p.relative_path()) {
    const std::string name = part.string();
    if (name.empty()) continue;  // a trailing separator
    std::error_code ec;
    if (fs::exists(fs::symlink_status(out / part, ec))) {
      out /= part;
      continue;
    }
    std::string found = listed_name(out, name);
    if (found.empty()) return {};
    out /= found;
  }
  return out.string();
}

StartChoice ChooseStartFile(Session& s, const std::string& command_line, const std::string& current_dir) {
  StartChoice c;
  // Once a run, before anything would silently start afresh without them.
  if (const std::string why = UnreadableSettingsText(s.settings_file()); !why.empty())
    s.ask("Vorlan Family Tree", why, Buttons::OK, Icon::Exclamation);
  if (std::string file = CommandLineFile(command_line); !file.empty()) {
    std::string path = IsNetworkPath(file) ? file : LongPathForm(file, current_dir);
    // A file that is not there still goes to the open, whose message names it:
    // starting on an empty tree without a word would leave the user guessing.
    if (path.empty()) path = file;
    c.path = path;
    c.splash_text = opening_text(path);
    c.timer_ms = 100;  // long enough for the splash to paint its message
    return c;
  }
  if (IniReadInt(s, "Configure", "AutoStart") == 2) {
    const std::string current = IniReadText(s, "FilePaths", "CurrentFile");
    const std::string path = LastFilePath(s);
    if (!blank(current) && !fileio::exists(path)) {
      s.ask(
          "Open Vorlan Family Tree File",
          "Cannot find the previously saved Vorlan Family Tree file:" + std::string(CrLf) + cp1252::path_text(current),
          Buttons::OK, Icon::None);
      if (!IniWrite(s, "FilePaths", "CurrentFile", "")) s.status(SettingsNotKept(s));
      s.CurrentFilePath = FolderOf(path);
      return c;
    }
    c.timer_ms = 2000;
    if (!blank(current) && !blank(path) && path != "Error" && s.FirstActivation) {
      s.CurrentFilePath = path;
      c.path = path;
      c.splash_text = opening_text(path);
      c.open_now = true;
      return c;
    }
    s.CurrentFilePath = FolderOf(path);
    return c;
  }
  // No file: the last folder is still where the file dialogs should start.
  s.CurrentFilePath = FolderOf(LastFilePath(s));
  return c;
}

bool OpenStartFile(Session& s, const std::string& path) {
  const bool opened = !blank(path) && OpenFamilyFile(s, path) == -1;
  s.RecordsSaved = true;
  return opened;
}

int RepairPersonRecords(Session& s) {
  const int persons = s.Config.NumPersons();
  if (persons < 1) return 0;
  auto data = fileio::read_all(s.work(recfile::Person), kMaxPersonFileBytes);
  if (!data) return 0;
  const std::size_t records = std::min(data->size() / kPersonLen, static_cast<std::size_t>(persons));
  const int deleted = CountDeletedIn(*data, persons);
  bool changed = false;
  // Byte by byte in place (see the Person record's layout): a whole tree is
  // repaired in one pass over the file, and bytes the pass does not own are
  // never rewritten.
  auto put = [&changed](std::uint8_t* at, std::uint8_t value) {
    if (*at != value) {
      *at = value;
      changed = true;
    }
  };
  for (std::size_t i = 0; i < records; ++i) {
    std::uint8_t* rec = person_bytes(*data, i + 1);
    const auto number = static_cast<std::uint16_t>(i + 1);
    put(rec + person_at::PerNum, static_cast<std::uint8_t>(number & 0xFF));
    put(rec + person_at::PerNum + 1, static_cast<std::uint8_t>(number >> 8));
    const std::string fam =
        display_famname(s, std::string_view(reinterpret_cast<const char*>(rec + person_at::FamName), width::FamName));
    for (std::size_t k = 0; k < width::FamName; ++k)
      put(rec + person_at::FamName + k, static_cast<std::uint8_t>(fam[k]));
    std::string phone(reinterpret_cast<const char*>(rec + person_at::Phone), width::Phone);
    phone = cp1252::trim(phone);
    if (phone.find('\0') != std::string::npos) phone = " ";
    phone = cp1252::fit(phone, width::Phone);
    for (std::size_t k = 0; k < width::Phone; ++k) put(rec + person_at::Phone + k, static_cast<std::uint8_t>(phone[k]));
  }
  // One write of the whole file, and none when every record was in order.
  if (changed && !fileio::write_file(s.disk, s.work(recfile::Person), *data)) {
    // The records stay as they were; every reader copes with them unrepaired.
  }
  return deleted;
}

void LoadMainWindowRecords(Session& s, WindowDocument& doc) {
  doc.FileName = FileNameOf(cp1252::trim(IniReadText(s, "FilePaths", "CurrentFile")));
  ResetRelationState(s.Rel);
  // Old versions left their counters beside the program; ours never does, so
  // this only finds a file someone copied there by hand.
  if (!MoveOldConfig(s, s.ProgramFolder + "/")) {
    // The old file stays where it is, for the next start to try again.
  }
  ReadConfig(s);
  // The deleted persons are counted here afresh (an open counted them too;
  // adding both would count every one twice).
  s.DeletedCount = RepairPersonRecords(s);
  if (s.Config.NumPersons() < 1) {
    s.Config.setEnblPrompts(1);
    if (!WriteConfig(s)) {
      // Kept in memory; the next write of the settings record carries it.
    }
  }
  LoadMarriages(s);
  const std::int16_t last = s.Config.LastPerson();
  if (last >= 1 && last <= s.Config.NumPersons()) SelectPersonForRelations(s, last);
  doc.Caption = WindowCaption(s, doc.FileName);
  s.NothingChanged = true;
}

Activation OnMainWindowActivate(Session& s, bool welcome_wanted, bool start_menu_pending) {
  Activation a;
  a.welcome = s.FirstActivation && welcome_wanted;
  const int records = s.Config.NumPersons();
  if (records < 1) {
    a.start_tag = true;
    a.start_menu = s.FirstActivation || start_menu_pending;
  }
  // One chance each: activations come back after every dialog, and the
  // welcome text or the start menu must not come back with them.
  s.FirstActivation = false;
  return a;
}

bool WelcomeWanted(const Session& s) {
  return fileio::exists(s.ProgramFolder + "/welcome.txt") && IniReadInt(s, "Configure", "HideWelcome") == 0;
}

// Not kept, the welcome only comes again at the next start.
void DeclineWelcome(Session& s) { (void)IniWrite(s, "Configure", "HideWelcome", "1"); }

std::string ReadWelcomeText(const Session& s) {
  auto data = fileio::read_all(s.ProgramFolder + "/welcome.txt", kMaxWelcomeBytes);
  if (!data) return {};
  std::string text(data->begin(), data->end());
  std::vector<std::string> lines;
  for (std::size_t start = 0; start < text.size();) {
    std::size_t end = std::min(text.find('\n', start), text.size());
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(std::move(line));
    start = end + 1;
  }
  std::string out;
  for (std::size_t i = 0; i < lines.size(); ++i) out += (i ? CrLf : "") + lines[i];
  return out;
}

}  // namespace vft
