#include <gtest/gtest.h>

#include <cctype>

#include "store/file_io.h"
#include "store/ini.h"
#include "store/password.h"
#include "temp_session.h"

using namespace vft;

namespace {

RandomSource fixed(std::uint32_t v) {
  return [v] { return v; };
}

class Password : public ::testing::Test {
 protected:
  test::TempSession t;
  Session& s = t.s;
};

const char* kRenewal =
    "For security reasons your password needs to be  \r\n"
    "renewed. \r\n"
    "If you wish to continue using a password please \r\n"
    "click on the Vorlan Family Tree menu  \r\n"
    "bar 'Options' and enter a new password.";

}  // namespace

TEST(PasswordScramble, RoundTripsAnyTextAsPlainAscii) {
  const std::string texts[] = {"a",
                               "Rosebud",
                               "two words ",
                               " lead",
                               "M\xFCller\xA3\x80",
                               std::string(64, 'z'),
                               std::string("nul\0in", 6),
                               "Errors",
                               "error!",
                               ""};
  for (std::uint32_t r : {0u, 1u, 0x9E3779B9u, 0xFFFFFFFFu}) {
    for (const auto& text : texts) {
      std::string stored = ScramblePassword(text, r);
      EXPECT_EQ(UnscramblePassword(stored), text) << r;
      for (char c : stored) ASSERT_TRUE(c > ' ' && c < 127 && c != '=' && c != ';' && c != '"') << stored;
      EXPECT_EQ(stored.find(text.empty() ? "\x01" : text), std::string::npos) << "plain text visible";
    }
  }
  EXPECT_NE(ScramblePassword("Rosebud", 1), ScramblePassword("Rosebud", 2));
}

TEST(PasswordScramble, DamagedTruncatedOrForeignValuesGiveError) {
  const std::string good = ScramblePassword("Rosebud", 12345);
  EXPECT_EQ(UnscramblePassword("Rosebud"), "Error");
  for (std::size_t cut = 0; cut < good.size(); ++cut)
    EXPECT_EQ(UnscramblePassword(good.substr(0, cut)), "Error") << cut;
  for (std::size_t i = 0; i < good.size(); ++i) {
    std::string bad = good;
    bad[i] = bad[i] == 'A' ? 'B' : 'A';
    EXPECT_EQ(UnscramblePassword(bad), "Error") << i;
  }
  std::string lower = good;
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  EXPECT_EQ(UnscramblePassword(lower), "Error");
  EXPECT_EQ(UnscramblePassword(good + "00"), "Error");
  EXPECT_EQ(UnscramblePassword(ScramblePassword(std::string(65, 'x'), 3)), "Error");
}

TEST_F(Password, StoreCheckAndClear) {
  EXPECT_FALSE(PasswordStored(s));
  EXPECT_FALSE(CheckPassword(s, ""));
  ASSERT_TRUE(StorePassword(s, "Rosebud", fixed(42)));
  EXPECT_EQ(IniReadText(s, "Configure", "SPW"), ScramblePassword("Rosebud", 42));
  EXPECT_TRUE(PasswordStored(s));
  EXPECT_TRUE(CheckPassword(s, "Rosebud"));
  EXPECT_FALSE(CheckPassword(s, "rosebud"));
  EXPECT_FALSE(CheckPassword(s, "Rosebud "));
  ASSERT_TRUE(ClearPassword(s));
  EXPECT_FALSE(PasswordStored(s));
  EXPECT_EQ(IniReadText(s, "Configure", "SPW"), "");
  // A damaged stored value counts as no password.
  IniWrite(s, "Configure", "SPW", ScramblePassword("Rosebud", 42).substr(0, 20));
  EXPECT_FALSE(PasswordStored(s));
  EXPECT_FALSE(CheckPassword(s, "Rosebud"));
  EXPECT_FALSE(CheckPassword(s, "Error"));
}

TEST_F(Password, TheWordErrorIsRefusedInAnyCase) {
  EXPECT_FALSE(StorePassword(s, "eRrOr", fixed(1)));
  ASSERT_EQ(t.prompter.shown.size(), 1u);
  EXPECT_EQ(t.prompter.shown[0].text, "Sorry, you can't use the word 'ERROR' as a password");
  EXPECT_FALSE(fileio::exists(s.settings_file()));
  EXPECT_TRUE(PasswordAcceptable(s, "Errors"));
  EXPECT_TRUE(PasswordAcceptable(s, std::string(64, 'p')));
  EXPECT_FALSE(PasswordAcceptable(s, std::string(65, 'p')));
  ASSERT_EQ(t.prompter.shown.size(), 2u);
  EXPECT_EQ(t.prompter.shown[1].text, "Sorry, a password can't be longer than 64 characters");
}

TEST_F(Password, RenewalAfterMigrationTellsTheUserAndForgetsThePassword) {
  ASSERT_TRUE(StorePassword(s, "Rosebud", fixed(42)));
  EXPECT_TRUE(RenewPasswordAfterMigration(s, fixed(43)));
  ASSERT_EQ(t.prompter.shown.size(), 1u);
  EXPECT_EQ(t.prompter.shown[0].title, "Password Update");
  EXPECT_EQ(t.prompter.shown[0].text, kRenewal);
  EXPECT_EQ(UnscramblePassword(IniReadText(s, "Configure", "SPW")), "Error");
  EXPECT_FALSE(PasswordStored(s));
  // Already renewed, or never set: nothing to tell.
  EXPECT_FALSE(RenewPasswordAfterMigration(s, fixed(44)));
  ClearPassword(s);
  EXPECT_FALSE(RenewPasswordAfterMigration(s, fixed(44)));
  EXPECT_EQ(t.prompter.shown.size(), 1u);
}
