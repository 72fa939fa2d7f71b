#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <functional>

#include "mainwin/startup.h"
#include "print/page_setup_model.h"
#include "print/preview_model.h"
#include "store/file_io.h"
#include "store/ini.h"
#include "store/password.h"
#include "store/settings.h"
#include "temp_session.h"

using namespace vft;

namespace {

std::string text_of(const Bytes& b) { return std::string(b.begin(), b.end()); }
Bytes bytes_of(const std::string& s) { return Bytes(s.begin(), s.end()); }

class IniOnDisk : public ::testing::Test {
 protected:
  test::TempSession t;
  Session& s = t.s;

  void put(const std::string& content) {
    std::filesystem::create_directories(s.settings_folder());
    ASSERT_TRUE(test::put_file(s.settings_file(), bytes_of(content)));
  }
  std::string file() {
    auto b = fileio::read_all(s.settings_file());
    return b ? text_of(*b) : "<missing>";
  }
};

}  // namespace

TEST(IniParse, ReadsCrLfLfAndLoneCrAlike) {
  for (std::string eol : {"\r\n", "\n", "\r"}) {
    IniFile ini = IniFile::parse(bytes_of("[Configure]" + eol + "AutoStart=2" + eol + "EnblPrompts = 1 " + eol + eol +
                                          "[USER]" + eol + "Name=Ann Smith"));
    SCOPED_TRACE(eol == "\r\n" ? "CRLF" : eol == "\n" ? "LF" : "CR");
    // Blanks around a value are not part of it.
    EXPECT_EQ(ini.find("Configure", "EnblPrompts"), "1");
    // Rewritten with CRLF; values as they were written.
    EXPECT_EQ(text_of(ini.serialize()),
              "[Configure]\r\nAutoStart=2\r\nEnblPrompts= 1 \r\n[USER]\r\nName=Ann Smith\r\n");
  }
}

TEST(IniParse, NamesIgnoreCaseIncludingAccentedLetters) {
  IniFile ini = IniFile::parse(bytes_of("[field NAMES]\r\nbaptised=Christened\r\n[M\xFCller]\r\n\xE9t\xE9=1\r\n"));
  EXPECT_EQ(ini.find("FIELD names", "BAPTISED"), "Christened");
  EXPECT_NE(ini.find("M\xDCLLER", "\xC9T\xC9"), std::nullopt);
  EXPECT_EQ(ini.find("Field Names", "FamName"), std::nullopt);
  EXPECT_EQ(ini.find("Configure", "Baptised"), std::nullopt);
}

TEST(IniParse, RepeatedSectionsMergeAndTheFirstOfTwoKeysWins) {
  IniFile ini = IniFile::parse(bytes_of("[A]\nk=1\n[B]\nx=9\n[a]\nK=2\nj=3\n"));
  EXPECT_EQ(text_of(ini.serialize()), "[A]\r\nk=1\r\nj=3\r\n[B]\r\nx=9\r\n");
  // With the first removed, the dropped duplicate must not come back.
  ini.set("A", "K", "");
  EXPECT_EQ(IniFile::parse(ini.serialize()).find("A", "k"), std::nullopt);
}

TEST(IniParse, CommentsStrayLinesAndASignatureSurvive) {
  IniFile ini = IniFile::parse(
      bytes_of("\xEF\xBB\xBF; my settings\nloose=1\n[Configure]\n; keep me\nnonsense\n=x\nAutoStart=2\n"));
  EXPECT_EQ(ini.find("Configure", ""), std::nullopt);
  ini.set("Configure", "AutoStart", "0");
  EXPECT_EQ(text_of(ini.serialize()),
            "; my settings\r\nloose=1\r\n[Configure]\r\n; keep me\r\nnonsense\r\n=x\r\nAutoStart=0\r\n");
}

TEST(IniParse, HeaderOddities) {
  IniFile ini = IniFile::parse(bytes_of("[ Backup ] trailing words\nRemind=1\n[Open\nk=v\n"));
  EXPECT_EQ(*ini.find("Backup", "Remind"), "1");
  EXPECT_EQ(*ini.find("Open", "k"), "v");
  IniFile signed_late = IniFile::parse(bytes_of("\r\n  \xEF\xBB\xBF [Configure]\r\nAutoStart=2\r\n"));
  EXPECT_EQ(signed_late.find("Configure", "AutoStart"), "2");
}

TEST(IniSet, ValuesWithLineBreaksStayOnOneLine) {
  IniFile ini;
  ASSERT_TRUE(ini.set("USER", "Address1", "1 High St\r\n[Configure]\r\nSPW=x\nAutoStart=2\rend"));
  ASSERT_TRUE(ini.set("USER", "Phone", std::string("555\0hidden", 10)));
  IniFile back = IniFile::parse(ini.serialize());
  EXPECT_EQ(*back.find("USER", "Address1"), "1 High St [Configure] SPW=x AutoStart=2 end");
  EXPECT_EQ(*back.find("USER", "Phone"), "555");
}

TEST(IniSet, RefusesNamesThatWouldBreakTheFile) {
  IniFile ini;
  for (auto [section, key] : {std::pair{"Configure", "a=b"},
                              {"Configure", "[x"},
                              {"Configure", ";x"},
                              {"Configure", "a\nb"},
                              {"Con]figure", "a"},
                              {"", "a"},
                              {"Configure", "  "}})
    EXPECT_FALSE(ini.set(section, key, "1")) << section << " / " << key;
  EXPECT_TRUE(ini.serialize().empty());
}

TEST(IniToInt, ReadsLeadingDigitsOnly) {
  for (auto [text, value] : {std::pair<const char*, int>{"256", 256},
                             {"  42abc", 42},
                             {"-7", -7},
                             {"+3", 3},
                             {"abc", 0},
                             {"", 0},
                             {"-", 0},
                             {"2147483647", 2147483647},
                             {"-2147483648", -2147483647 - 1},
                             {"2147483648", 0},
                             {"99999999999999999999", 0}})
    EXPECT_EQ(ini_to_int(text), value) << '"' << text << '"';
}

TEST_F(IniOnDisk, AMissingFileReadsZeroAndEmpty) {
  EXPECT_EQ(IniReadInt(s, "Configure", "AutoStart"), 0);
  EXPECT_EQ(IniReadText(s, "FilePaths", "CurrentFile"), "");
  put("[Configure]\r\nAutoStart=2\r\nColourScheme=lots\r\n");
  EXPECT_EQ(IniReadInt(s, "Configure", "AutoStart"), 2);
}

TEST_F(IniOnDisk, FirstWriteCreatesFolderAndFile) {
  std::filesystem::remove_all(s.settings_folder());
  EXPECT_EQ(IniWrite(s, "Configure", "AutoStart", "2"), 1);
  EXPECT_EQ(file(), "[Configure]\r\nAutoStart=2\r\n");
  EXPECT_EQ(IniWrite(s, "configure", "AUTOSTART", "0"), 1);
  EXPECT_EQ(IniWrite(s, "Backup", "LastBackup", "20261205"), 1);
  EXPECT_EQ(file(), "[Configure]\r\nAutoStart=0\r\n[Backup]\r\nLastBackup=20261205\r\n");
}

TEST_F(IniOnDisk, EmptyValueRemovesTheKeyButABlankKeepsIt) {
  put("[QuickKeys]\r\nF3=Born in \r\nF4=Died in\r\n");
  EXPECT_EQ(IniWrite(s, "QuickKeys", "F3", ""), 1);
  EXPECT_EQ(file(), "[QuickKeys]\r\nF4=Died in\r\n");
  EXPECT_EQ(IniWrite(s, "QuickKeys", "F4", " "), 1);
  EXPECT_EQ(file(), "[QuickKeys]\r\nF4= \r\n");
  // Removing from a file that does not exist creates nothing.
  std::filesystem::remove(s.settings_file());
  EXPECT_EQ(IniWrite(s, "QuickKeys", "F4", ""), 1);
  EXPECT_FALSE(fileio::exists(s.settings_file()));
}

TEST_F(IniOnDisk, TextsReadAtMost255CharactersButAreKeptWhole) {
  std::string long_path = "/home/ann/" + std::string(290, 'x');
  ASSERT_EQ(IniWrite(s, "FilePaths", "FileLoadPath", long_path), 1);
  EXPECT_EQ(IniReadText(s, "FilePaths", "FileLoadPath"), long_path.substr(0, 255));
  ASSERT_EQ(IniWrite(s, "FilePaths", "CurrentFile", "a.vfl"), 1);
  EXPECT_NE(file().find(long_path + "\r\n"), std::string::npos);
}

TEST_F(IniOnDisk, UnwritableFileGivesStatusWordZero) {
  std::filesystem::create_directories(s.settings_file());  // a folder where the file should be
  EXPECT_EQ(IniWrite(s, "Configure", "AutoStart", "2"), 0);
  EXPECT_EQ(IniReadInt(s, "Configure", "AutoStart"), 0);
  std::filesystem::remove(s.settings_file());
  EXPECT_EQ(IniWrite(s, "Configure", "AutoStart", "2"), 1);
  EXPECT_EQ(IniWrite(s, "Configure", "Auto=Start", "2"), 0);
}

TEST_F(IniOnDisk, AFileTooLargeToReadIsNeverOverwritten) {
  std::string big = "[Configure]\r\nAutoStart=2\r\n" + std::string(1024 * 1024, ';') + "\r\n";
  put(big);
  EXPECT_EQ(IniReadInt(s, "Configure", "AutoStart"), 0);
  EXPECT_EQ(IniWrite(s, "Configure", "AskUpdate", "1"), 0);
  EXPECT_EQ(file(), big);
  // Said once at start-up, naming the file and what happens now.
  EXPECT_EQ(SettingsNotKept(s),
            "Your choices could not be kept in the settings file " + s.settings_file() + ": File too large");
  ChooseStartFile(s, "", "/");
  ASSERT_EQ(t.prompter.shown.size(), 1u);
  EXPECT_EQ(t.prompter.shown[0].text, "The settings file " + s.settings_file() +
                                          " cannot be read: it is larger than 1 MB, far larger than any settings "
                                          "file.\r\nVorlan Family Tree starts with its default settings and leaves "
                                          "that file as it is, so the choices you make now are not kept. Move the "
                                          "file away or mend it to keep your settings again.");
  put("[Configure]\r\n");
  EXPECT_EQ(UnreadableSettingsText(s.settings_file()), "");
  // A link in the file's place is replaced, never written through.
  std::filesystem::remove(s.settings_file());
  ASSERT_TRUE(test::put_file(t.dir.path() + "other", bytes_of("x")));
  std::filesystem::create_symlink(t.dir.path() + "other", s.settings_file());
  EXPECT_EQ(IniWrite(s, "Configure", "AskUpdate", "1"), 1);
  EXPECT_FALSE(std::filesystem::is_symlink(s.settings_file()));
  EXPECT_EQ(text_of(*fileio::read_all(t.dir.path() + "other")), "x");
}

// Each OK of a dialog reads the settings file once and rewrites it once, so a
// full disk or a crash can never leave half of its choices behind.
TEST_F(IniOnDisk, EachDialogSavesInOneWrite) {
  using namespace print;
  const RandomSource random = [] { return 7u; };
  const std::pair<const char*, std::function<bool()>> saves[] = {
      {"chart options", [&] { return SaveChartOptions(s, LoadChartOptions(s, request::Descendants)); }},
      {"sheet options", [&] { return SaveSheetOptions(s, LoadSheetOptions(s, request::FamilyList)); }},
      {"sheet panel", [&] { return SavePanelSettings(s, LoadPanelSettings(s, request::DataSheet)); }},
      {"chart panel", [&] { return SavePanelSettings(s, LoadPanelSettings(s, request::FamilyNames)); }},
      {"panel choices", [&] { return SavePanelChoices(s, request::ListAll, SortBy::Name, ListFormat::Comma); }},
      {"page settings", [&] { return SavePageSettings(s, LoadChartOptions(s, request::TimeLine)); }},
      {"printer",
       [&] {
         return SavePrinterChoice(s, {"Office", 9});
       }},
      {"options and password",
       [&] {
         Options o = LoadOptions(s);
         o.PasswordEnabled = true, o.Password = "secret";
         return ApplyOptions(s, o, random);
       }},
  };
  ASSERT_EQ(IniWrite(s, "Configure", "AutoStart", "2"), 1);  // the folder is there now
  const long start = s.disk.steps();
  ASSERT_EQ(IniWrite(s, "Configure", "AutoStart", "1"), 1);
  const long one_write = s.disk.steps() - start;
  for (const auto& [name, save] : saves) {
    const long before = s.disk.steps();
    EXPECT_TRUE(save()) << name;
    EXPECT_EQ(s.disk.steps() - before, one_write) << name;
  }
  EXPECT_NE(UnscramblePassword(IniReadText(s, "Configure", "SPW")), "Error");
  // Making the folder is a write step too, where a fault can strike.
  std::filesystem::remove_all(s.settings_folder());
  s.disk.fail_at(1, ENOSPC);
  EXPECT_EQ(IniWrite(s, "Configure", "AutoStart", "2"), 0);
  EXPECT_EQ(s.disk.failure().path + "/", s.settings_folder());
  EXPECT_FALSE(std::filesystem::exists(s.settings_folder()));
}
