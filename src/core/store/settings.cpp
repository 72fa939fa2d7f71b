#include "store/settings.h"

#include <array>
#include <vector>

#include "common/cp1252.h"
#include "store/ini.h"

namespace vft {
namespace {

constexpr SettingKey kKeys[] = {
    {"Configure", "AutoCapFirstChar", "0"},
    {"Configure", "EnblPrompts", "0"},
    {"Configure", "UCaseFamname", "0"},
    {"Configure", "ColourScheme", "0"},
    {"Configure", "AutoStart", "0"},
    {"Configure", "AskUpdate", "0"},
    {"Configure", "SPW", ""},
    {"Field Names", "FamName", kDefaultFamName},
    {"Field Names", "GivenNames", kDefaultGivenNames},
    {"Field Names", "Baptised", kDefaultBaptised},
    {"Backup", "Remind", "0"},
    {"Backup", "CurBackupPath", ""},
    {"Backup", "LastBackup", ""},
    {"Backup", "LastBackupNumPer", ""},
    {"QuickKeys", "F3", ""},
    {"QuickKeys", "F4", ""},
    {"QuickKeys", "F5", ""},
    {"QuickKeys", "F6", ""},
    {"QuickKeys", "F7", ""},
    {"QuickKeys", "F8", ""},
    {"QuickKeys", "F9", ""},
    {"QuickKeys", "F10", ""},
    {"QuickKeys", "F11", ""},
    {"QuickKeys", "F12", ""},
    {"FilePaths", "FileLoadPath", ""},
    {"FilePaths", "CurrentFile", ""},
    {"FilePaths", "GEDCOMSavePath", ""},
    {"FilePaths", "GEDCOMLoadPath", ""},
    {"USER", "Name", ""},
    {"USER", "Address1", ""},
    {"USER", "Address2", ""},
    {"USER", "Address3", ""},
    {"USER", "Phone", ""},
    {"USER", "Email", ""},
    // The print sections: what a first printout of each chart shows.
    {"Print Descendants", "Name", "1"},
    {"Print Descendants", "PersonNumber", "0"},
    {"Print Descendants", "TodaysDate", "1"},
    {"Print Descendants", "PageNumbers", "1"},
    {"Print Descendants", "DateOfBirth", "1"},
    {"Print Descendants", "DateOfDeath", "1"},
    {"Print Descendants", "PlaceOfBirth", "1"},
    {"Print Descendants", "PlaceOfDeath", "1"},
    {"Print Descendants", "Partners", "1"},
    {"Print Descendants", "PrintHeadings", "1"},
    {"Print Descendants", "Colour", "1"},
    {"Print Descendants", "Marriage", "1"},
    {"Print Descendants", "Generations", "4"},
    {"Print Descendants", "FontName", "Arial"},
    {"Print Descendants", "FontSize", "10"},
    {"Print Descendants", "FontBold", "0"},
    {"Print Descendants", "FontItalic", "0"},
    {"Print Descendants", "Orientation", "0"},
    {"Print Pedigree", "Name", "1"},
    {"Print Pedigree", "PersonNumber", "0"},
    {"Print Pedigree", "TodaysDate", "1"},
    {"Print Pedigree", "PageNumbers", "1"},
    {"Print Pedigree", "DateOfBirth", "1"},
    {"Print Pedigree", "DateOfDeath", "1"},
    {"Print Pedigree", "PlaceOfBirth", "1"},
    {"Print Pedigree", "PlaceOfDeath", "1"},
    {"Print Pedigree", "Partners", "1"},
    {"Print Pedigree", "PrintHeadings", "1"},
    {"Print Pedigree", "FontName", "Arial"},
    {"Print Pedigree", "FontSize", "8"},
    {"Print Pedigree", "FontBold", "0"},
    {"Print Pedigree", "FontItalic", "0"},
    {"Print Pedigree", "Orientation", "0"},
    // The data sheets and lists: names, dates and places, partners and
    // marriages, page numbers and today's date.
    {"Print Data", "PersonNumber", "0"},
    {"Print Data", "TodaysDate", "1"},
    {"Print Data", "Sex", "0"},
    {"Print Data", "FamilyName", "1"},
    {"Print Data", "GivenNames", "1"},
    {"Print Data", "DateOfBirth", "1"},
    {"Print Data", "DateOfDeath", "1"},
    {"Print Data", "Age", "0"},
    {"Print Data", "PlaceOfBirth", "1"},
    {"Print Data", "BaptismData", "0"},
    {"Print Data", "PlaceOfDeath", "1"},
    {"Print Data", "Burial/Crem", "0"},
    {"Print Data", "Occupation", "0"},
    {"Print Data", "CurrentAddress", "0"},
    {"Print Data", "Phone", "0"},
    {"Print Data", "Children", "1"},
    {"Print Data", "AllPartners", "1"},
    {"Print Data", "MarriageDate", "1"},
    {"Print Data", "MarriageNotes", "1"},
    {"Print Data", "Source", "0"},
    {"Print Data", "Notes", "0"},
    {"Print Data", "PageNumbers", "1"},
    {"Print Data", "FontName", "Arial"},
    {"Print Data", "FontSize", "10"},
    {"Print Data", "FontBold", "0"},
    {"Print Data", "FontItalic", "0"},
    {"Print Data", "Orientation", "0"},
    {"Print All List", "PersonNumber", "0"},
    {"Print All List", "TodaysDate", "1"},
    {"Print All List", "Sex", "0"},
    {"Print All List", "FamilyName", "1"},
    {"Print All List", "GivenNames", "1"},
    {"Print All List", "DateOfBirth", "1"},
    {"Print All List", "DateOfDeath", "1"},
    {"Print All List", "Age", "0"},
    {"Print All List", "PlaceOfBirth", "1"},
    {"Print All List", "BaptismData", "0"},
    {"Print All List", "PlaceOfDeath", "1"},
    {"Print All List", "Burial/Crem", "0"},
    {"Print All List", "Occupation", "0"},
    {"Print All List", "CurrentAddress", "0"},
    {"Print All List", "Phone", "0"},
    {"Print All List", "Children", "1"},
    {"Print All List", "AllPartners", "1"},
    {"Print All List", "MarriageDate", "1"},
    {"Print All List", "MarriageNotes", "1"},
    {"Print All List", "Source", "0"},
    {"Print All List", "Notes", "0"},
    {"Print All List", "PageNumbers", "1"},
    {"Print All List", "PrintBreakLine", "0"},
    {"Print All List", "SortBy", "0"},
    {"Print All List", "PrintHeadings", "1"},
    {"Print All List", "FontName", "Arial"},
    {"Print All List", "FontSize", "10"},
    {"Print All List", "FontBold", "0"},
    {"Print All List", "FontItalic", "0"},
    {"Print All List", "Orientation", "0"},
    {"Print Family List", "PersonNumber", "0"},
    {"Print Family List", "TodaysDate", "1"},
    {"Print Family List", "Sex", "0"},
    {"Print Family List", "Dates", "1"},
    {"Print Family List", "Age", "0"},
    {"Print Family List", "PageNumbers", "1"},
    {"Print Family List", "PrintBreakLine", "0"},
    {"Print Family List", "SortBy", "0"},
    {"Print Family List", "FamilyName", ""},
    {"Print Family List", "PrintHeadings", "1"},
    {"Print Family List", "FontName", "Arial"},
    {"Print Family List", "FontSize", "10"},
    {"Print Family List", "FontBold", "0"},
    {"Print Family List", "FontItalic", "0"},
    {"Print Family List", "Orientation", "0"},
    {"Print TimeLine", "PersonNumber", "0"},
    {"Print TimeLine", "TodaysDate", "1"},
    {"Print TimeLine", "PageNumbers", "1"},
    {"Print TimeLine", "PrintHeadings", "1"},
    {"Print TimeLine", "FontName", "Arial"},
    {"Print TimeLine", "FontSize", "10"},
    {"Print TimeLine", "FontBold", "0"},
    {"Print TimeLine", "FontItalic", "0"},
    {"Print TimeLine", "Orientation", "0"},
    {"Print Family Names", "TodaysDate", "1"},
    {"Print Family Names", "PageNumbers", "1"},
    {"Print Family Names", "PrintHeadings", "1"},
    {"Print Family Names", "PrintToFile", "0"},
    {"Print Family Names", "Format", "0"},
    {"Print Family Names", "FontName", "Arial"},
    {"Print Family Names", "FontSize", "10"},
    {"Print Family Names", "FontBold", "0"},
    {"Print Family Names", "FontItalic", "0"},
    {"Print Family Names", "Orientation", "0"},
    {"Print Family Data", "PersonNumber", "0"},
    {"Print Family Data", "TodaysDate", "1"},
    {"Print Family Data", "FontName", "Arial"},
    {"Print Family Data", "FontSize", "10"},
    {"Print Family Data", "FontBold", "0"},
    {"Print Family Data", "FontItalic", "0"},
    {"Print Family Data", "Orientation", "1"},
    {"Printing", "StartPageNumber", "1"},
    {"Printing", "LMarg", "1440"},
    {"Printing", "RMarg", "1440"},
    {"Printing", "TMarg", "1440"},
    {"Printing", "BMarg", "1440"},
};

struct Label {
  const char* key;
  const char* fallback;
};
constexpr Label kFamName{"FamName", kDefaultFamName};
constexpr Label kGivenNames{"GivenNames", kDefaultGivenNames};
constexpr Label kBaptised{"Baptised", kDefaultBaptised};

// A label left empty falls back to the built-in one: an empty label would
// remove its key and leave the editor with a nameless field.
std::string label_or_default(const std::string& text, const Label& l) {
  std::string t = cp1252::trim(text);
  return t.empty() ? l.fallback : t;
}

std::string read_label(const Session& s, const Label& l) {
  return cp1252::trim(IniReadText(s, section::FieldNames, l.key));
}

int flag(bool b) { return b ? 1 : 0; }

}  // namespace

std::span<const SettingKey> SettingKeys() { return kKeys; }

const SettingKey* FindSettingKey(std::string_view section, std::string_view key) {
  for (const auto& k : kKeys)
    if (cp1252::iequals(k.section, section) && cp1252::iequals(k.key, key)) return &k;
  return nullptr;
}

std::string FunctionKeyName(int index) { return "F" + std::to_string(index + 3); }

void LoadSettings(Session& s) {
  std::string labels[3];
  const Label* which[3] = {&kBaptised, &kGivenNames, &kFamName};
  std::vector<IniValue> missing;
  for (int i = 0; i < 3; ++i) {
    labels[i] = read_label(s, *which[i]);
    if (labels[i].empty()) {
      labels[i] = which[i]->fallback;
      missing.push_back({section::FieldNames, which[i]->key, labels[i]});
    }
  }
  // Written so that the user can find and change them; when the file cannot
  // be written the labels are still the defaults, and the status word says so.
  if (!missing.empty()) (void)IniWriteMany(s, missing);
  s.Messages.apply_field_labels(labels[2], labels[1], labels[0]);
  s.UCaseFamname = IniReadInt(s, section::Configure, "UCaseFamname") != 0;
  for (int i = 0; i < 10; ++i)
    s.FunctionKeys[static_cast<std::size_t>(i)] = cp1252::trim(IniReadText(s, section::QuickKeys, FunctionKeyName(i)));
}

namespace {

// Trims the texts and gives their settings; an empty text is kept as one blank
// so its key stays in the file.
void add_function_keys(std::array<std::string, 10>& keys, std::vector<IniValue>& values) {
  for (int i = 0; i < 10; ++i) {
    std::string& text = keys[static_cast<std::size_t>(i)];
    text = cp1252::trim(text);
    values.push_back({section::QuickKeys, FunctionKeyName(i), text.empty() ? " " : text});
  }
}

}  // namespace

bool StoreFunctionKeys(Session& s) {
  std::vector<IniValue> values;
  add_function_keys(s.FunctionKeys, values);
  return IniWriteMany(s, values) != 0;
}

Options LoadOptions(const Session& s) {
  Options o;
  o.AutoCap = IniReadInt(s, section::Configure, "AutoCapFirstChar") == 0;
  o.EnblPrompts = IniReadInt(s, section::Configure, "EnblPrompts") != 0;
  o.UCaseFamname = IniReadInt(s, section::Configure, "UCaseFamname") != 0;
  o.ColourScheme256 = IniReadInt(s, section::Configure, "ColourScheme") == 256;
  o.Remind = IniReadInt(s, section::Backup, "Remind") != 0;
  o.FamName = label_or_default(read_label(s, kFamName), kFamName);
  o.GivenNames = label_or_default(read_label(s, kGivenNames), kGivenNames);
  o.Baptised = label_or_default(read_label(s, kBaptised), kBaptised);
  for (int i = 0; i < 10; ++i)
    o.FunctionKeys[static_cast<std::size_t>(i)] = cp1252::trim(IniReadText(s, section::QuickKeys, FunctionKeyName(i)));
  o.PasswordEnabled = PasswordStored(s);
  if (o.PasswordEnabled) {
    o.OriginalPassword = UnscramblePassword(IniReadText(s, section::Configure, "SPW"));
    o.Password = o.OriginalPassword;
  }
  o.Config = s.Config;
  return o;
}

bool ApplyOptions(Session& s, const Options& o, const RandomSource& random) {
  if (o.PasswordEnabled && o.Password.empty()) {
    s.ask("Configure",
          std::string("'Enable Password' has been checked. ") + CrLf + "You must enter a password or uncheck " + CrLf +
              "'Enable Password'.",
          Buttons::OK, Icon::Exclamation);
    return false;
  }
  const std::string password = o.PasswordEnabled ? o.Password : std::string();
  const bool password_changed = password != o.OriginalPassword;
  // Refused before anything is written, so the user can correct the password
  // with every other change still in the dialog.
  if (password_changed && !password.empty() && !PasswordAcceptable(s, password)) return false;

  const std::string fam = label_or_default(o.FamName, kFamName);
  const std::string given = label_or_default(o.GivenNames, kGivenNames);
  const std::string bap = label_or_default(o.Baptised, kBaptised);
  std::vector<IniValue> values = {{section::Configure, "AutoCapFirstChar", std::to_string(o.AutoCap ? 0 : 1)},
                                  {section::Configure, "EnblPrompts", std::to_string(flag(o.EnblPrompts))},
                                  {section::Configure, "UCaseFamname", std::to_string(flag(o.UCaseFamname))},
                                  {section::Configure, "ColourScheme", o.ColourScheme256 ? "256" : "0"},
                                  {section::FieldNames, kFamName.key, fam},
                                  {section::FieldNames, kGivenNames.key, given},
                                  {section::FieldNames, kBaptised.key, bap},
                                  {section::Backup, "Remind", std::to_string(flag(o.Remind))}};
  std::array<std::string, 10> keys = o.FunctionKeys;
  add_function_keys(keys, values);
  if (password_changed)
    values.push_back(
        {section::Configure, "SPW", password.empty() ? std::string() : ScramblePassword(password, random())});
  // In one write: the dialog stays open with every entry when it fails.
  if (!IniWriteMany(s, values)) {
    std::string text = "Your options could not be stored in the settings file" + std::string(CrLf) +
                       cp1252::path_text(s.settings_file());
    if (s.disk.failure().error) text += CrLf + cp1252::from_utf8(s.disk.failure().reason());
    s.ask("Configure", text, Buttons::OK, Icon::Exclamation);
    return false;
  }
  s.Messages.apply_field_labels(fam, given, bap);
  ConfigRecord working = o.Config;
  working.setEnblPrompts(static_cast<std::int16_t>(flag(o.EnblPrompts)));
  s.UCaseFamname = o.UCaseFamname;
  s.Config = working;
  s.FunctionKeys = keys;
  return true;
}

std::int64_t ColourCount(int bits_per_pixel, int planes) {
  long long exponent = (bits_per_pixel > 0 && planes > 0) ? static_cast<long long>(bits_per_pixel) * planes : 0;
  if (exponent > 24) exponent = 24;
  return std::int64_t{1} << exponent;
}

std::int64_t SchemeColourCount(int colour_scheme_setting, int bits_per_pixel, int planes) {
  return colour_scheme_setting == 256 ? 256 : ColourCount(bits_per_pixel, planes);
}

}  // namespace vft
