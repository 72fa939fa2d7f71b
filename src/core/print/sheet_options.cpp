#include "print/sheet_options.h"

#include <optional>

#include "common/cp1252.h"
#include "store/file_io.h"
#include "store/ini.h"
#include "store/session.h"
#include "store/settings.h"

namespace vft::print {
namespace {

// Boxes 3 and 4 of the data sheet are the name parts; the one-family list
// offers them as its single "Birth and death dates" box, kept under "Dates",
// which leaves "FamilyName" in that section free for the name to list.
constexpr std::string_view kItem1Keys[item1::Count] = {
    "PersonNumber", "TodaysDate",     "Sex",          "FamilyName",
    "GivenNames",   "DateOfBirth",    "DateOfDeath",  "Age",
    "PlaceOfBirth", "BaptismData",    "PlaceOfDeath", "Burial/Crem",
    "Occupation",   "CurrentAddress", "Phone",        "",
    "Children",     "AllPartners",    "MarriageDate", "MarriageNotes",
    "Source",       "Notes",          "PageNumbers",  "PrintBreakLine",
    "PrintToFile"};

constexpr const char* kSortKey = "SortBy";
constexpr const char* kFormatKey = "Format";
constexpr const char* kFamilyNameKey = "FamilyName";

constexpr std::size_t kMaxSettingsFile = 4u << 20;

std::optional<std::string> value_of(const IniFile& ini, std::string_view section, std::string_view key) {
  if (auto v = ini.find(std::string(section), std::string(key))) return v;
  if (const SettingKey* k = FindSettingKey(section, key)) return std::string(k->default_value);
  return std::nullopt;
}

int int_of(const IniFile& ini, std::string_view section, std::string_view key) {
  auto v = value_of(ini, section, key);
  return v ? ini_to_int(*v) : 0;
}

void add(std::vector<IniValue>& values, std::string_view section, std::string_view key, const std::string& value) {
  values.push_back({std::string(section), std::string(key), value});
}

}  // namespace

std::string_view Item1Key(int request, int index) {
  if (index < 0 || index >= item1::Count) return {};
  if (request == request::FamilyList && (index == item1::BirthAndDeath || index == item1::BirthAndDeath2))
    return "Dates";
  return kItem1Keys[index];
}

SheetOptions LoadSheetOptions(const IniFile& ini, int request) {
  SheetOptions o;
  o.request = request;
  std::string_view section = PrintSection(request);
  if (section.empty()) return o;
  for (int i = 0; i < item1::Count; ++i) {
    std::string_view key = Item1Key(request, i);
    if (!key.empty()) o.items[static_cast<std::size_t>(i)] = int_of(ini, section, key) != 0;
  }
  o.sort = int_of(ini, section, kSortKey) == 1 ? SortBy::Name : SortBy::Number;
  int format = int_of(ini, section, kFormatKey);
  o.format = format == 1 ? ListFormat::FourColumns : format == 2 ? ListFormat::ThreeColumns : ListFormat::Comma;
  if (request == request::FamilyList)
    o.family_name = cp1252::trim(value_of(ini, section, kFamilyNameKey).value_or(std::string()));
  return o;
}

SheetOptions LoadSheetOptionsFrom(const std::string& settings_file, int request) {
  std::optional<Bytes> data = fileio::read_all(settings_file, kMaxSettingsFile);
  return LoadSheetOptions(data ? IniFile::parse(*data) : IniFile(), request);
}

SheetOptions LoadSheetOptions(const Session& s, int request) {
  return LoadSheetOptionsFrom(s.settings_file(), request);
}

bool SaveSheetOptions(Session& s, const SheetOptions& o) {
  std::vector<IniValue> values;
  return AddSheetOptions(values, o) && IniWriteMany(s, values) == 1;
}

bool AddSheetOptions(std::vector<IniValue>& values, const SheetOptions& o) {
  std::string_view section = PrintSection(o.request);
  if (section.empty()) return false;
  for (int i = 0; i < item1::Count; ++i) {
    std::string_view key = Item1Key(o.request, i);
    // Box 4 shares its key with box 3 on the one-family list; box 3 decides.
    if (key.empty() || (o.request == request::FamilyList && i == item1::BirthAndDeath2)) continue;
    add(values, section, key, o.ticked(i) ? "1" : "0");
  }
  add(values, section, kSortKey, o.sort == SortBy::Name ? "1" : "0");
  add(values, section, kFormatKey, std::to_string(static_cast<int>(o.format)));
  if (o.request == request::FamilyList) {
    // An empty value would remove the key and bring back the default; a blank
    // keeps the key and reads back empty.
    std::string name = cp1252::trim(o.family_name);
    add(values, section, kFamilyNameKey, name.empty() ? std::string(" ") : name);
  }
  return true;
}

}  // namespace vft::print
