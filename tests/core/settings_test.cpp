#include <gtest/gtest.h>

#include <filesystem>

#include "common/cp1252.h"
#include "common/messages.h"
#include "store/file_io.h"
#include "store/ini.h"
#include "store/records.h"
#include "store/settings.h"
#include "temp_session.h"

using namespace vft;

namespace {

const std::string kResources = VFT_RESOURCES_DIR;

RandomSource fixed(std::uint32_t v) {
  return [v] { return v; };
}

class Settings : public ::testing::Test {
 protected:
  test::TempSession t;
  Session& s = t.s;

  std::string file() {
    auto b = fileio::read_all(s.settings_file());
    return b ? std::string(b->begin(), b->end()) : "<missing>";
  }
};

}  // namespace

TEST(SettingsTable, ShippedDefaultFileHoldsEveryKeyWithItsDefault) {
  auto data = fileio::read_all(kResources + "/Vorlan.In~");
  ASSERT_TRUE(data) << kResources;
  std::string text(data->begin(), data->end());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n') {
      ASSERT_TRUE(i > 0 && text[i - 1] == '\r') << "bare LF at " << i;
    } else if (text[i] == '\r') {
      ASSERT_TRUE(i + 1 < text.size() && text[i + 1] == '\n') << "bare CR at " << i;
    }
  }
  IniFile ini = IniFile::parse(*data);
  std::size_t keys = 0;
  for (const auto& sec : ini.sections())
    for (const auto& e : sec.entries) {
      ASSERT_FALSE(e.raw) << e.key;
      ASSERT_NE(FindSettingKey(sec.name, e.key), nullptr) << sec.name << "/" << e.key;
      ++keys;
    }
  EXPECT_EQ(keys, SettingKeys().size());
  for (const auto& k : SettingKeys()) {
    auto v = ini.find(std::string(k.section), std::string(k.key));
    ASSERT_TRUE(v) << k.key;
    EXPECT_EQ(*v, k.default_value) << k.key;
  }
}

TEST_F(Settings, FirstStartWritesTheDefaultLabels) {
  LoadSettings(s);
  EXPECT_EQ(IniReadText(s, "Field Names", "FamName"), "Family Name");
  for (const auto& k : s.FunctionKeys) EXPECT_EQ(k, "");
}

TEST_F(Settings, RenamedLabelsReachTheMessageTable) {
  IniWrite(s, "Field Names", "Baptised", "Christened");
  IniWrite(s, "Field Names", "FamName", " Surname ");
  IniWrite(s, "Configure", "UCaseFamname", "1");
  IniWrite(s, "QuickKeys", "F3", "  Born in Leeds  ");
  IniWrite(s, "QuickKeys", "F12", "Died at sea");
  LoadSettings(s);
  EXPECT_EQ(s.Messages[163], " on Christened");
  EXPECT_EQ(s.Messages[413], "Enter Surname to List: ");
  EXPECT_EQ(IniReadText(s, "Field Names", "Baptised"), "Christened");  // not overwritten
  EXPECT_TRUE(s.UCaseFamname);
  EXPECT_EQ(s.FunctionKeys[0], "Born in Leeds");
  EXPECT_EQ(s.FunctionKeys[9], "Died at sea");
}

TEST_F(Settings, UnwritableSettingsStillGiveTheDefaultLabels) {
  std::filesystem::create_directories(s.settings_file());
  LoadSettings(s);
  EXPECT_EQ(s.StatusWord, 0);
  EXPECT_EQ(s.Messages[372], "Family Name");
}

TEST_F(Settings, UCaseFamnameIsHonouredByEveryPersonRead) {
  PersonRecord p = blank_person();
  p.FamName = "McDonald-\xF6hman";
  p.GivenNames = "Ann";
  ASSERT_TRUE(WritePersonRecord(s, 1, p));
  s.Config.setNumPersons(1);

  Options o = LoadOptions(s);

  o.UCaseFamname = true;
  ASSERT_TRUE(ApplyOptions(s, o, fixed(1)));
  EXPECT_EQ(IniReadInt(s, "Configure", "UCaseFamname"), 1);
  ASSERT_TRUE(ReadPersonNew(s, 1));
  EXPECT_EQ(cp1252::trim(s.Person.FamName), "MCDONALD-\xD6HMAN");

  // Switching off shows the stored spelling again, unless a record was
  // written back while the option was on.
  o.UCaseFamname = false;
  ASSERT_TRUE(ApplyOptions(s, o, fixed(1)));
  ASSERT_TRUE(ReadPersonNew(s, 1));
  EXPECT_EQ(cp1252::trim(s.Person.FamName), "McDonald-\xF6hman");

  o.UCaseFamname = true;
  ASSERT_TRUE(ApplyOptions(s, o, fixed(1)));
  ASSERT_TRUE(ReadPersonNew(s, 1));
  ASSERT_TRUE(WritePerson(s, 1, s.Person, "", false));
  o.UCaseFamname = false;
  ASSERT_TRUE(ApplyOptions(s, o, fixed(1)));
  ASSERT_TRUE(ReadPersonNew(s, 1));
  EXPECT_EQ(cp1252::trim(s.Person.FamName), "MCDONALD-\xD6HMAN");
}

TEST_F(Settings, OkStoresEveryValue) {
  s.Config.setNumPersons(7);
  Options o = LoadOptions(s);
  EXPECT_TRUE(o.AutoCap);
  EXPECT_EQ(o.Baptised, "Baptised");
  o.AutoCap = false;
  o.EnblPrompts = true;
  o.ColourScheme256 = true;
  o.Remind = true;
  o.Baptised = "Christened";
  o.GivenNames = "";  // falls back to the built-in label
  o.FunctionKeys[4] = " Mother of ";
  o.FunctionKeys[1] = "   ";
  IniWrite(s, "QuickKeys", "F4", "old text");
  ASSERT_TRUE(ApplyOptions(s, o, fixed(5)));
  EXPECT_TRUE(t.prompter.shown.empty());
  EXPECT_EQ(IniReadText(s, "Field Names", "GivenNames"), "Given Names");
  EXPECT_EQ(s.Messages[163], " on Christened");
  EXPECT_EQ(s.Config.EnblPrompts(), 1);
  EXPECT_EQ(s.Config.NumPersons(), 7);
  EXPECT_EQ(s.FunctionKeys[4], "Mother of");
  EXPECT_EQ(IniReadText(s, "QuickKeys", "F7"), "Mother of");
  // An empty key is stored as one blank and read back as nothing.
  EXPECT_NE(file().find("F3= \r\n"), std::string::npos);
  EXPECT_NE(file().find("F4= \r\n"), std::string::npos);
  EXPECT_EQ(s.FunctionKeys[1], "");

  Options back = LoadOptions(s);
  EXPECT_FALSE(back.AutoCap);
  EXPECT_TRUE(back.EnblPrompts && back.ColourScheme256 && back.Remind);
  EXPECT_EQ(back.Baptised, "Christened");
  EXPECT_FALSE(back.PasswordEnabled);
}

TEST_F(Settings, PasswordThroughTheDialog) {
  Options o = LoadOptions(s);
  o.PasswordEnabled = true;
  o.EnblPrompts = true;
  EXPECT_FALSE(ApplyOptions(s, o, fixed(1)));
  ASSERT_EQ(t.prompter.shown.size(), 1u);
  EXPECT_EQ(t.prompter.shown[0].text,
            "'Enable Password' has been checked. \r\nYou must enter a password or uncheck \r\n'Enable Password'.");
  EXPECT_EQ(s.Config.EnblPrompts(), 0);
  // A refused password keeps it open too.
  o.Password = "error";
  EXPECT_FALSE(ApplyOptions(s, o, fixed(3)));
  EXPECT_FALSE(fileio::exists(s.settings_file()));

  o.Password = "Rosebud";
  ASSERT_TRUE(ApplyOptions(s, o, fixed(3)));
  EXPECT_TRUE(CheckPassword(s, "Rosebud"));
  std::string stored = IniReadText(s, "Configure", "SPW");

  // Unchanged password: the stored value is left as it was.
  Options again = LoadOptions(s);
  EXPECT_TRUE(again.PasswordEnabled);
  EXPECT_EQ(again.Password, "Rosebud");
  ASSERT_TRUE(ApplyOptions(s, again, fixed(99)));
  EXPECT_EQ(IniReadText(s, "Configure", "SPW"), stored);

  again.PasswordEnabled = false;
  ASSERT_TRUE(ApplyOptions(s, again, fixed(99)));
  EXPECT_FALSE(PasswordStored(s));
  EXPECT_EQ(file().find("SPW"), std::string::npos);
}

TEST(ColourCount, TwoToTheBitsTimesPlanesCappedAt24) {
  EXPECT_EQ(ColourCount(4, 4), 65536);
  EXPECT_EQ(ColourCount(24, 1), 16777216);
  EXPECT_EQ(ColourCount(32, 1), 16777216);
  EXPECT_EQ(ColourCount(-8, -4), 1);
  EXPECT_EQ(SchemeColourCount(256, 32, 1), 256);
  EXPECT_EQ(SchemeColourCount(255, 16, 1), 65536);
}
