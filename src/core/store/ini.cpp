#include "store/ini.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <limits>
#include <optional>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

#include "common/cp1252.h"
#include "store/file_io.h"
#include "store/file_write.h"
#include "store/session.h"

#include <fcntl.h>
#include <unistd.h>

namespace vft {
namespace {

// A settings file is a few kilobytes; anything far beyond that is not ours,
// and refusing it keeps a hostile file from costing unbounded memory.
constexpr std::size_t kMaxIniBytes = 1024 * 1024;
constexpr std::size_t kMaxTextRead = 255;
constexpr std::size_t kNone = static_cast<std::size_t>(-1);

bool blank(char c) { return c == ' ' || c == '\t'; }

std::string_view strip(std::string_view s) {
  while (!s.empty() && blank(s.front())) s.remove_prefix(1);
  while (!s.empty() && blank(s.back())) s.remove_suffix(1);
  return s;
}

bool has_line_break(std::string_view s) { return s.find_first_of(std::string_view("\r\n\0", 3)) != s.npos; }

bool valid_section_name(std::string_view s) { return !s.empty() && !has_line_break(s) && s.find(']') == s.npos; }

bool valid_key_name(std::string_view k) {
  return !k.empty() && !has_line_break(k) && k.find('=') == k.npos && k.front() != '[' && k.front() != ';';
}

// The value as it can live on one line: a NUL ends it, as it would end the
// string the system call receives; each line break becomes one blank.
std::string one_line(std::string_view v) {
  v = v.substr(0, v.find('\0'));
  std::string out;
  out.reserve(v.size());
  for (std::size_t i = 0; i < v.size(); ++i) {
    if (v[i] == '\r' || v[i] == '\n') {
      if (v[i] == '\r' && i + 1 < v.size() && v[i + 1] == '\n') ++i;
      out += ' ';
    } else {
      out += v[i];
    }
  }
  return out;
}

}  // namespace

IniFile IniFile::parse(const std::uint8_t* data, std::size_t size) {
  IniFile ini;
  std::string_view all(reinterpret_cast<const char*>(data), size);

  std::unordered_map<std::string, std::size_t> by_name;  // upper-cased name -> section
  std::vector<std::unordered_set<std::string>> keys;     // per section, upper-cased keys
  std::size_t cur = kNone;
  bool first_text = true;

  auto add_raw = [&](std::string_view line) {
    if (cur == kNone) {
      // No header seen yet: these lines keep their own unnamed section, which
      // is therefore always the first.
      if (ini.sections_.empty()) {
        ini.sections_.push_back({{}, {}, false});
        keys.emplace_back();
      }
      ini.sections_.front().entries.push_back({std::string(line), {}, true});
      return;
    }
    ini.sections_[cur].entries.push_back({std::string(line), {}, true});
  };

  std::size_t pos = 0;
  while (pos < all.size()) {
    std::size_t eol = all.find_first_of("\r\n", pos);
    if (eol == all.npos) eol = all.size();
    const std::string_view whole = all.substr(pos, eol - pos);
    pos = eol;
    if (pos < all.size()) pos += (all[pos] == '\r' && pos + 1 < all.size() && all[pos + 1] == '\n') ? 2 : 1;
    std::string_view line = strip(whole);
    if (first_text) {
      // An editor may have put a UTF-8 signature before the first line; left
      // there, it would hide the first section header and all its keys.
      while (line.starts_with("\xEF\xBB\xBF")) line = strip(line.substr(3));
      first_text = line.empty();
    }
    if (line.empty()) continue;

    if (line.front() == '[') {
      std::size_t close = line.find(']');
      std::string name(strip(line.substr(1, close == line.npos ? line.npos : close - 1)));
      std::string folded = cp1252::upper(name);
      auto it = by_name.find(folded);
      if (it == by_name.end()) {
        ini.sections_.push_back({name, {}, true});
        keys.emplace_back();
        it = by_name.emplace(folded, ini.sections_.size() - 1).first;
      }
      cur = it->second;
      continue;
    }

    std::size_t eq = line.find('=');
    std::string_view key = eq == line.npos ? std::string_view() : strip(line.substr(0, eq));
    if (cur == kNone || line.front() == ';' || key.empty()) {
      add_raw(line);
      continue;
    }
    // The profile reader finds the first of two equal keys, so a later one is
    // never read. It is dropped rather than kept: kept, it would come back to
    // life the moment the first one is removed (a cleared password, say).
    if (!keys[cur].insert(cp1252::upper(key)).second) continue;
    // The value is kept as written, trailing blanks included, so that a key
    // holding one blank still does after another key is rewritten.
    std::string_view value = whole.substr(whole.find('=') + 1);
    ini.sections_[cur].entries.push_back({std::string(key), std::string(value), false});
  }
  return ini;
}

Bytes IniFile::serialize() const {
  std::string out;
  for (const auto& s : sections_) {
    if (s.header) out += "[" + s.name + "]\r\n";
    for (const auto& e : s.entries) {
      out += e.raw ? e.key : e.key + "=" + e.value;
      out += "\r\n";
    }
  }
  return Bytes(out.begin(), out.end());
}

std::optional<std::string> IniFile::find(const std::string& section, const std::string& key) const {
  for (const auto& s : sections_) {
    if (!s.header || !cp1252::iequals(s.name, section)) continue;
    for (const auto& e : s.entries)
      if (!e.raw && cp1252::iequals(e.key, key)) return std::string(strip(e.value));
    return std::nullopt;  // parse merged equal sections, so there is no other
  }
  return std::nullopt;
}

bool IniFile::set(const std::string& section_name, const std::string& key_name, const std::string& raw_value) {
  std::string_view section = strip(section_name), key = strip(key_name);
  if (!valid_section_name(section) || !valid_key_name(key)) return false;
  std::string value = one_line(raw_value);

  Section* sec = nullptr;
  for (auto& s : sections_)
    if (s.header && cp1252::iequals(s.name, section)) {
      sec = &s;
      break;
    }
  if (!sec) {
    if (value.empty()) return true;
    sections_.push_back({std::string(section), {}, true});
    sec = &sections_.back();
  }
  for (auto it = sec->entries.begin(); it != sec->entries.end(); ++it) {
    if (it->raw || !cp1252::iequals(it->key, key)) continue;
    if (value.empty()) sec->entries.erase(it);
    else it->value = value;
    return true;
  }
  if (!value.empty()) sec->entries.push_back({std::string(key), value, false});
  return true;
}

int ini_to_int(const std::string& value) {
  std::size_t i = 0;
  while (i < value.size() && blank(value[i])) ++i;
  bool neg = false;
  if (i < value.size() && (value[i] == '-' || value[i] == '+')) neg = value[i++] == '-';
  constexpr long long kLimit = static_cast<long long>(std::numeric_limits<int>::max()) + 1;
  long long v = 0;
  bool any = false;
  while (i < value.size() && value[i] >= '0' && value[i] <= '9') {
    any = true;
    v = v * 10 + (value[i++] - '0');
    if (v > kLimit) return 0;
  }
  if (!any || (!neg && v == kLimit)) return 0;
  return static_cast<int>(neg ? -v : v);
}

namespace {

enum class Loaded { Missing, Ok, Unreadable };

Loaded load(const std::string& file, IniFile& out) {
  if (auto data = fileio::read_all(file, kMaxIniBytes)) {
    out = IniFile::parse(*data);
    return Loaded::Ok;
  }
  std::error_code ec;
  bool there = std::filesystem::exists(file, ec);
  return (there || ec) ? Loaded::Unreadable : Loaded::Missing;
}

// Why a settings file that is there could not be read: too large, or the
// system's reason.
int unreadable_error(const std::string& file) {
  std::error_code ec;
  const auto size = std::filesystem::file_size(file, ec);
  if (!ec && size > kMaxIniBytes) return EFBIG;
  if (!std::filesystem::is_regular_file(file, ec)) return EINVAL;
  const int fd = ::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return errno;
  ::close(fd);
  return EIO;
}

}  // namespace

std::string UnreadableSettingsText(const std::string& file) {
  IniFile ini;
  if (load(file, ini) != Loaded::Unreadable) return {};
  const int err = unreadable_error(file);
  const std::string why = err == EFBIG    ? "it is larger than 1 MB, far larger than any settings file"
                          : err == EINVAL ? "it is not a plain file"
                                          : cp1252::from_utf8(std::strerror(err));
  return "The settings file " + cp1252::path_text(file) + " cannot be read: " + why + "." + CrLf +
         "Vorlan Family Tree starts with its default settings and leaves that file as it is, so the choices you "
         "make now are not kept. Move the file away or mend it to keep your settings again.";
}

int IniReadIntAt(const std::string& file, const std::string& section, const std::string& key) {
  IniFile ini;
  load(file, ini);
  auto v = ini.find(section, key);
  return v ? ini_to_int(*v) : 0;
}

std::string IniReadTextAt(const std::string& file, const std::string& section, const std::string& key) {
  IniFile ini;
  load(file, ini);
  auto v = ini.find(section, key);
  if (!v) return {};
  return v->substr(0, kMaxTextRead);
}

namespace {

// One read and one atomic rewrite for any number of values.
int write_values(fileio::FileSystem& fs, const std::string& file, const std::vector<IniValue>& values) {
  IniFile ini;
  Loaded state = load(file, ini);
  // Writing over a file we could not read would throw away every other key.
  if (state == Loaded::Unreadable) {
    fs.fail(file, unreadable_error(file));
    return 0;
  }
  for (const IniValue& v : values)
    if (!ini.set(v.section, v.key, v.value)) return 0;
  // Removing keys from a file that is not there leaves nothing to write.
  if (state == Loaded::Missing && ini.sections().empty()) return 1;
  if (!fileio::make_folders(fs, std::filesystem::path(file).parent_path().string())) return 0;
  return fileio::write_file(fs, file, ini.serialize(), fileio::NewMode::Private, fileio::Links::Replace) ? 1 : 0;
}

}  // namespace

int IniWriteAt(fileio::FileSystem& fs, const std::string& file, const std::string& section, const std::string& key,
               const std::string& value) {
  return write_values(fs, file, {{section, key, value}});
}

int IniReadInt(const Session& s, const std::string& section, const std::string& key) {
  return IniReadIntAt(s.settings_file(), section, key);
}

std::string IniReadText(const Session& s, const std::string& section, const std::string& key) {
  return IniReadTextAt(s.settings_file(), section, key);
}

int IniWriteMany(Session& s, const std::vector<IniValue>& values) {
  s.StatusWord = write_values(s.disk, s.settings_file(), values);
  return s.StatusWord;
}

int IniWrite(Session& s, const std::string& section, const std::string& key, const std::string& value) {
  s.StatusWord = IniWriteAt(s.disk, s.settings_file(), section, key, value);
  return s.StatusWord;
}

std::string SettingsNotKept(const Session& s) {
  return "Your choices could not be kept in the settings file " + cp1252::path_text(s.settings_file()) + ": " +
         cp1252::from_utf8(s.disk.failure().reason());
}

}  // namespace vft
