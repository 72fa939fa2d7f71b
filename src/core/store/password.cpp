#include "store/password.h"

#include <random>

#include "common/cp1252.h"
#include "store/ini.h"
#include "store/session.h"

namespace vft {
namespace {

// Stored form: 'V', the random number as 8 hex digits, each scrambled byte as
// 2 hex digits, and an 8-digit check value over the random number and the
// plain text. Upper-case hex only, so the value has no blank, quote, '=' or
// ';' that the settings file could take for something else. The check value is
// what turns a damaged or foreign value into "Error" instead of a wrong password.
constexpr char kTag = 'V';
constexpr std::size_t kHead = 1 + 8, kTail = 8;
constexpr const char* kHex = "0123456789ABCDEF";

std::uint32_t next(std::uint32_t& state) {
  state ^= state << 13;
  state ^= state >> 17;
  state ^= state << 5;
  return state;
}

std::uint32_t first_state(std::uint32_t random) {
  std::uint32_t s = random ^ 0x9E3779B9u;
  return s ? s : 0x6D2B79F5u;  // the shift generator must never hold 0
}

std::uint32_t check_value(std::uint32_t random, const std::string& plain) {
  std::uint32_t h = 2166136261u;
  auto mix = [&h](std::uint8_t b) {
    h ^= b;
    h *= 16777619u;
  };
  for (int i = 0; i < 4; ++i) mix(static_cast<std::uint8_t>(random >> (8 * i)));
  for (char c : plain) mix(static_cast<std::uint8_t>(c));
  mix(static_cast<std::uint8_t>(plain.size()));
  return h;
}

void put_hex(std::string& out, std::uint32_t v, int digits) {
  for (int i = digits - 1; i >= 0; --i) out += kHex[(v >> (4 * i)) & 0xF];
}

int hex_digit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Reads `digits` hex digits at `pos`; false on anything else.
bool get_hex(const std::string& s, std::size_t pos, int digits, std::uint32_t& out) {
  out = 0;
  for (int i = 0; i < digits; ++i) {
    int d = hex_digit(s[pos + static_cast<std::size_t>(i)]);
    if (d < 0) return false;
    out = (out << 4) | static_cast<std::uint32_t>(d);
  }
  return true;
}

constexpr const char* kConfigure = "Configure";
constexpr const char* kSPW = "SPW";
constexpr const char* kEnterTitle = "Enter a Password";

}  // namespace

std::uint32_t SystemRandom() {
  std::random_device rd;
  return rd();
}

std::string ScramblePassword(const std::string& text, std::uint32_t random) {
  if (text.size() > kMaxPasswordLength) return ScramblePassword(kPasswordError, random);
  std::string out(1, kTag);
  put_hex(out, random, 8);
  std::uint32_t state = first_state(random);
  for (char c : text) put_hex(out, (static_cast<std::uint8_t>(c) ^ (next(state) >> 24)) & 0xFF, 2);
  put_hex(out, check_value(random, text), 8);
  return out;
}

std::string UnscramblePassword(const std::string& stored) {
  const std::size_t n = stored.size();
  if (n < kHead + kTail || stored[0] != kTag || (n - kHead - kTail) % 2 != 0 ||
      (n - kHead - kTail) / 2 > kMaxPasswordLength)
    return kPasswordError;
  std::uint32_t random = 0, check = 0;
  if (!get_hex(stored, 1, 8, random) || !get_hex(stored, n - kTail, 8, check)) return kPasswordError;
  std::string plain;
  std::uint32_t state = first_state(random);
  for (std::size_t pos = kHead; pos < n - kTail; pos += 2) {
    std::uint32_t b = 0;
    if (!get_hex(stored, pos, 2, b)) return kPasswordError;
    plain += static_cast<char>((b ^ (next(state) >> 24)) & 0xFF);
  }
  if (check != check_value(random, plain)) return kPasswordError;
  return plain;
}

namespace {
// The stored password, or empty when there is none that can be asked for.
std::string stored_password(const Session& s) {
  std::string stored = IniReadText(s, kConfigure, kSPW);
  if (stored.empty()) return {};
  std::string plain = UnscramblePassword(stored);
  return plain == kPasswordError ? std::string() : plain;
}
}  // namespace

bool PasswordStored(const Session& s) { return !stored_password(s).empty(); }

bool CheckPassword(const Session& s, const std::string& typed) {
  std::string plain = stored_password(s);
  return !plain.empty() && typed == plain;
}

bool PasswordAcceptable(Session& s, const std::string& text) {
  if (cp1252::iequals(text, "ERROR")) {
    s.ask(kEnterTitle, "Sorry, you can't use the word 'ERROR' as a password", Buttons::OK, Icon::Exclamation);
    return false;
  }
  if (text.size() > kMaxPasswordLength) {
    s.ask(kEnterTitle, "Sorry, a password can't be longer than " + std::to_string(kMaxPasswordLength) + " characters",
          Buttons::OK, Icon::Exclamation);
    return false;
  }
  return true;
}

bool StorePassword(Session& s, const std::string& text, const RandomSource& random) {
  if (text.empty()) return ClearPassword(s);
  if (!PasswordAcceptable(s, text)) return false;
  return IniWrite(s, kConfigure, kSPW, ScramblePassword(text, random())) != 0;
}

bool ClearPassword(Session& s) { return IniWrite(s, kConfigure, kSPW, "") != 0; }

bool RenewPasswordAfterMigration(Session& s, const RandomSource& random) {
  if (!PasswordStored(s)) return false;
  s.ask("Password Update",
        std::string("For security reasons your password needs to be  ") + CrLf + "renewed. " + CrLf +
            "If you wish to continue using a password please " + CrLf + "click on the Vorlan Family Tree menu  " +
            CrLf + "bar 'Options' and enter a new password.",
        Buttons::OK, Icon::Information);
  if (!IniWrite(s, kConfigure, kSPW, ScramblePassword(kPasswordError, random())))
    s.ask("Password Update", SettingsNotKept(s), Buttons::OK, Icon::Exclamation);
  return true;
}

}  // namespace vft
