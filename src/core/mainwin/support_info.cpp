#include "mainwin/support_info.h"

#include <cstdio>

#include "common/cp1252.h"
#include "store/ini.h"

namespace vft {
namespace {

constexpr const char* kCrLf = "\r\n";

bool safe_topic(const std::string& topic) {
  if (topic.empty() || topic.size() > 64) return false;
  for (char c : topic)
    if (!((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_')) return false;
  return true;
}

}  // namespace

std::string AboutText() {
  return "Vorlan Family Tree keeps the records of one family: its people, their partnerships and "
         "children, with dates, places and notes. It draws the family around any person, prints "
         "charts, lists and data sheets, exchanges trees with other programs through GEDCOM files "
         "and builds family web pages.";
}

std::string FreeSpaceText(std::int64_t bytes) {
  if (bytes < 0) return "Unknown";
  char buf[32];
  const double kb = 1024.0, mb = kb * 1024, gb = mb * 1024;
  const auto b = static_cast<double>(bytes);
  if (b >= gb) std::snprintf(buf, sizeof buf, "%.1f GB", b / gb);
  else if (b >= mb) std::snprintf(buf, sizeof buf, "%.0f MB", b / mb);
  else std::snprintf(buf, sizeof buf, "%.0f KB", b / kb);
  return buf;
}

std::string TechInfoText(const TechInfoValues& v) {
  auto or_none = [](const std::string& text, const char* none) { return text.empty() ? std::string(none) : text; };
  std::string out;
  auto line = [&out](const std::string& label, const std::string& value) { out += label + ": " + value + kCrLf; };
  out += v.version + kCrLf;
  line("Program folder", or_none(v.program_folder, "Unknown"));
  line("Settings folder", or_none(v.settings_folder, "Unknown"));
  line("Work folder", or_none(v.work_folder, "Unknown"));
  line("Family file", or_none(v.family_file, "None (not saved yet)"));
  line("Persons on record", std::to_string(v.persons));
  line("Families on record", std::to_string(v.families));
  line("Default printer", or_none(v.printer, "None installed (printing goes to PDF files)"));
  line("Free disk space", FreeSpaceText(v.free_bytes));
  line("System", or_none(v.system, "Unknown"));
  line("Qt", or_none(v.toolkit, "Unknown"));
  return out;
}

std::string HelpPagePath(const std::string& program_folder, const std::string& topic,
                         const std::function<bool(const std::string&)>& exists) {
  std::string folder = program_folder;
  if (!folder.empty() && folder.back() != '/') folder += '/';
  folder += "help/";
  if (safe_topic(topic) && exists(folder + topic + ".html")) return folder + topic + ".html";
  if (exists(folder + "index.html")) return folder + "index.html";
  return {};
}

bool StopUpgradeReminder(Session& s) { return IniWrite(s, "Configure", "AskUpdate", "1") != 0; }

}  // namespace vft
