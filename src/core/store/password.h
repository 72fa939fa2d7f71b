// The optional options password. It is kept in the settings file (Configure/SPW)
// in a scrambled form only this program reads; anything it cannot read back
// (damaged, cut short, written by another build) unscrambles to "Error", which
// counts as no password at all.
#pragma once
#include <cstdint>
#include <functional>
#include <string>

namespace vft {

class Session;

// A source of random numbers; the front ends pass SystemRandom, tests a fixed one.
using RandomSource = std::function<std::uint32_t()>;
std::uint32_t SystemRandom();

// What every unreadable stored value unscrambles to.
inline constexpr const char* kPasswordError = "Error";
// The scrambled form of a longer password would not survive the settings
// reader's 255-character limit; the password box holds at most this many.
inline constexpr std::size_t kMaxPasswordLength = 64;

// Printable ASCII with no blanks, safe as an ini value. The same text
// scrambles differently for different random numbers. Texts longer than
// kMaxPasswordLength are not scrambled (the result unscrambles to "Error").
std::string ScramblePassword(const std::string& text, std::uint32_t random);
std::string UnscramblePassword(const std::string& stored);

// True when the settings file holds a password that can be asked for.
bool PasswordStored(const Session& s);
// True when a password is stored and `typed` is exactly it.
bool CheckPassword(const Session& s, const std::string& typed);

// Whether `text` may become the password; shows why not. The word "ERROR" is
// refused in any mix of cases: stored, it could not be told from a damaged value.
bool PasswordAcceptable(Session& s, const std::string& text);
// Stores `text` scrambled (an empty text clears the password). Refused texts
// are not stored. Returns true when the settings file now holds the new state.
bool StorePassword(Session& s, const std::string& text, const RandomSource& random);
// Removes the key.
bool ClearPassword(Session& s);

// After the start-up has moved an old settings file into place: when that file
// holds a password, tells the user it must be entered anew and replaces it by
// a value that unscrambles to "Error", so no password is asked until a new one
// is set. Returns true when it did so.
bool RenewPasswordAfterMigration(Session& s, const RandomSource& random);

}  // namespace vft
