// The user's settings: every key of the settings file with its default, the
// start-up load into the session (field labels, upper-case family names,
// function keys), and the options dialog's load and OK without the window.
#pragma once
#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "store/password.h"
#include "store/session.h"

namespace vft {

namespace section {
inline constexpr const char* Configure = "Configure";
inline constexpr const char* FieldNames = "Field Names";
inline constexpr const char* Backup = "Backup";
inline constexpr const char* QuickKeys = "QuickKeys";
inline constexpr const char* FilePaths = "FilePaths";
inline constexpr const char* User = "USER";
}  // namespace section

struct SettingKey {
  std::string_view section, key;
  std::string_view default_value;  // what a missing key means; "" = empty or none
};

// Every key the program reads or writes, in the order the default settings
// file lists them.
std::span<const SettingKey> SettingKeys();
// nullptr for a key the program does not know (names compared ignoring case).
const SettingKey* FindSettingKey(std::string_view section, std::string_view key);

// The built-in field labels.
inline constexpr const char* kDefaultFamName = "Family Name";
inline constexpr const char* kDefaultGivenNames = "Given Names";
inline constexpr const char* kDefaultBaptised = "Baptised";

// "F3".."F12" for index 0..9 of the function-key table.
std::string FunctionKeyName(int index);

// Start-up: writes the built-in field labels where the settings file has none,
// puts the labels into the message table, reads UCaseFamname and the ten
// function-key texts.
void LoadSettings(Session& s);
// Writes the session's function-key texts, trimmed; an empty text is written
// as one blank so its key stays in the file. False when the settings file
// could not be written (s.disk says why).
[[nodiscard]] bool StoreFunctionKeys(Session& s);

// Everything the options dialog edits, as its boxes show it.
struct Options {
  bool EnblPrompts = false;      // "On screen prompts"
  bool PasswordEnabled = false;  // "Enable password protect"
  bool AutoCap = true;           // "First letter auto-capitalization names" (checked = on)
  bool UCaseFamname = false;
  bool ColourScheme256 = false;  // the fixed 256-colour scheme
  bool Remind = false;           // backup reminder
  std::string FamName, GivenNames, Baptised;
  std::array<std::string, 10> FunctionKeys;  // F3..F12
  std::string Password;                      // the password box
  std::string OriginalPassword;              // the stored password when the dialog opened
  ConfigRecord Config;                       // working copy of the settings record
};

Options LoadOptions(const Session& s);
// The dialog's OK. Returns false when the dialog must stay open (a message has
// told the user why); nothing is stored then. Otherwise stores every value,
// updates the session (message table, UCaseFamname, settings record, function
// keys) and the password when it changed.
bool ApplyOptions(Session& s, const Options& o, const RandomSource& random);

// Colours a display shows: 2 to the power of (bits per pixel x colour planes),
// the exponent capped at 24 (and taken as 0 when either figure is not positive).
std::int64_t ColourCount(int bits_per_pixel, int planes);
// The colour count the colour scheme is chosen for: 256 when the setting asks
// for the fixed 256-colour scheme, the display's colour count otherwise.
std::int64_t SchemeColourCount(int colour_scheme_setting, int bits_per_pixel, int planes);

}  // namespace vft
