#include "store/ini.h"

#include <cstdlib>
#include <filesystem>

#include "common/cp1252.h"
#include "common/session.h"
#include "store/file_io.h"

namespace vft {
namespace {

constexpr std::size_t kMaxIniBytes = 4 * 1024 * 1024;
constexpr std::size_t kMaxTextRead = 255;

std::string strip(std::string_view s) {
  std::size_t b = 0, e = s.size();
  while (b < e && (s[b] == ' ' || s[b] == '\t')) ++b;
  while (e > b && (s[e - 1] == ' ' || s[e - 1] == '\t')) --e;
  return std::string(s.substr(b, e - b));
}

}  // namespace

IniFile IniFile::parse(const std::uint8_t* data, std::size_t size) {
  IniFile ini;
  std::string_view all(reinterpret_cast<const char*>(data), size);
  Section* cur = nullptr;
  std::size_t pos = 0;
  while (pos < all.size()) {
    std::size_t eol = all.find('\n', pos);
    std::string_view line = all.substr(pos, eol == std::string_view::npos ? std::string_view::npos : eol - pos);
    pos = eol == std::string_view::npos ? all.size() : eol + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    std::string t = strip(line);
    if (t.empty() || t[0] == ';') continue;
    if (t[0] == '[') {
      std::size_t close = t.find(']');
      std::string name = strip(t.substr(1, close == std::string::npos ? std::string::npos : close - 1));
      cur = nullptr;
      for (auto& s : ini.sections_)
        if (cp1252::iequals(s.name, name)) cur = &s;
      if (!cur) {
        ini.sections_.push_back({name, {}});
        cur = &ini.sections_.back();
      }
      continue;
    }
    std::size_t eq = t.find('=');
    if (!cur || eq == std::string::npos) continue;
    std::string key = strip(t.substr(0, eq));
    std::string value = strip(t.substr(eq + 1));
    if (key.empty()) continue;
    // The first occurrence of a key wins, as the profile reader finds it first.
    bool dup = false;
    for (auto& e : cur->entries)
      if (cp1252::iequals(e.key, key)) dup = true;
    if (!dup) cur->entries.push_back({key, value});
  }
  return ini;
}

Bytes IniFile::serialize() const {
  std::string out;
  for (const auto& s : sections_) {
    if (s.entries.empty()) continue;
    out += "[" + s.name + "]\r\n";
    for (const auto& e : s.entries) out += e.key + "=" + e.value + "\r\n";
  }
  return Bytes(out.begin(), out.end());
}

const std::string* IniFile::find(const std::string& section, const std::string& key) const {
  for (const auto& s : sections_) {
    if (!cp1252::iequals(s.name, section)) continue;
    for (const auto& e : s.entries)
      if (cp1252::iequals(e.key, key)) return &e.value;
  }
  return nullptr;
}

void IniFile::set(const std::string& section, const std::string& key, const std::string& value) {
  Section* sec = nullptr;
  for (auto& s : sections_)
    if (cp1252::iequals(s.name, section)) sec = &s;
  if (!sec) {
    if (value.empty()) return;
    sections_.push_back({section, {}});
    sec = &sections_.back();
  }
  for (auto it = sec->entries.begin(); it != sec->entries.end(); ++it) {
    if (!cp1252::iequals(it->key, key)) continue;
    if (value.empty())
      sec->entries.erase(it);
    else
      it->value = value;
    return;
  }
  if (!value.empty()) sec->entries.push_back({key, value});
}

int ini_to_int(const std::string& value) {
  std::size_t i = 0;
  while (i < value.size() && (value[i] == ' ' || value[i] == '\t')) ++i;
  bool neg = false;
  if (i < value.size() && (value[i] == '-' || value[i] == '+')) neg = value[i++] == '-';
  long long v = 0;
  bool any = false;
  while (i < value.size() && value[i] >= '0' && value[i] <= '9') {
    any = true;
    v = v * 10 + (value[i++] - '0');
    if (v > 2147483647LL) return 0;
  }
  if (!any) return 0;
  return static_cast<int>(neg ? -v : v);
}

namespace {
IniFile load(const std::string& file) {
  auto data = fileio::read_all(file, kMaxIniBytes);
  return data ? IniFile::parse(*data) : IniFile{};
}
}  // namespace

int IniReadIntAt(const std::string& file, const std::string& section, const std::string& key) {
  IniFile ini = load(file);
  const std::string* v = ini.find(section, key);
  return v ? ini_to_int(*v) : 0;
}

std::string IniReadTextAt(const std::string& file, const std::string& section, const std::string& key) {
  IniFile ini = load(file);
  const std::string* v = ini.find(section, key);
  if (!v) return {};
  return v->substr(0, kMaxTextRead);
}

int IniWriteAt(const std::string& file, const std::string& section, const std::string& key,
               const std::string& value) {
  IniFile ini = load(file);
  ini.set(section, key, value);
  std::error_code ec;
  auto parent = std::filesystem::path(file).parent_path();
  if (!parent.empty()) std::filesystem::create_directories(parent, ec);
  return fileio::write_atomic(file, ini.serialize()) ? 1 : 0;
}

int IniReadInt(const Session& s, const std::string& section, const std::string& key) {
  return IniReadIntAt(s.settings_file(), section, key);
}

std::string IniReadText(const Session& s, const std::string& section, const std::string& key) {
  return IniReadTextAt(s.settings_file(), section, key);
}

int IniWrite(Session& s, const std::string& section, const std::string& key, const std::string& value) {
  s.StatusWord = IniWriteAt(s.settings_file(), section, key, value);
  return s.StatusWord;
}

}  // namespace vft
