// Any bytes must parse; what we write back must parse to the same thing and be
// written back identically, or a rewrite of the settings file could drift or
// lose keys over time.
#include <cstdint>
#include <cstdlib>

#include <string>

#include "common/cp1252.h"
#include "store/ini.h"

namespace {

bool same(const vft::IniFile& a, const vft::IniFile& b) {
  const auto& x = a.sections();
  const auto& y = b.sections();
  if (x.size() != y.size()) return false;
  for (std::size_t i = 0; i < x.size(); ++i) {
    if (x[i].name != y[i].name || x[i].header != y[i].header || x[i].entries.size() != y[i].entries.size())
      return false;
    for (std::size_t j = 0; j < x[i].entries.size(); ++j) {
      const auto& e = x[i].entries[j];
      const auto& f = y[i].entries[j];
      if (e.key != f.key || e.value != f.value || e.raw != f.raw) return false;
    }
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  vft::IniFile first = vft::IniFile::parse(data, size);
  vft::Bytes written = first.serialize();
  vft::IniFile second = vft::IniFile::parse(written);
  if (!same(first, second)) std::abort();
  if (second.serialize() != written) std::abort();

  // Every key that was read must still be found, and setting a value full of
  // line breaks must change that one key and nothing else.
  // (Look-ups are linear, so only the first few hundred keys are checked.)
  int checks = 300;
  for (const auto& s : first.sections()) {
    if (!s.header) continue;
    for (const auto& e : s.entries)
      if (!e.raw && checks-- > 0 && !second.find(s.name, e.key)) std::abort();
  }
  std::string value(reinterpret_cast<const char*>(data), size);
  vft::IniFile edited = second;
  if (!edited.set("Fuzz", "Value", value)) std::abort();
  vft::IniFile again = vft::IniFile::parse(edited.serialize());
  checks = 300;
  for (const auto& s : second.sections()) {
    if (!s.header) continue;
    for (const auto& e : s.entries) {
      if (e.raw || checks-- <= 0 || (vft::cp1252::iequals(s.name, "Fuzz") && vft::cp1252::iequals(e.key, "Value")))
        continue;
      if (again.find(s.name, e.key) != second.find(s.name, e.key)) std::abort();
    }
  }
  // What the reader gets back: the value up to a NUL, line breaks as blanks,
  // outer blanks and tabs gone; no key at all when nothing was left to write.
  std::string cut = value.substr(0, value.find('\0')), line;
  for (std::size_t i = 0; i < cut.size(); ++i) {
    if (cut[i] == '\r' && i + 1 < cut.size() && cut[i + 1] == '\n') ++i;
    line += (cut[i] == '\r' || cut[i] == '\n') ? ' ' : cut[i];
  }
  std::size_t b = line.find_first_not_of(" \t"), e = line.find_last_not_of(" \t");
  std::string expect = b == std::string::npos ? std::string() : line.substr(b, e - b + 1);
  auto got = again.find("Fuzz", "Value");
  if (line.empty() ? got.has_value() : got != expect) std::abort();
  return 0;
}
