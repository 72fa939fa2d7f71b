#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "store/file_io.h"
#include "store/folders.h"
#include "store/ini.h"
#include "store/password.h"
#include "store/records.h"
#include "temp_session.h"

using namespace vft;
namespace fs = std::filesystem;

namespace {

EnvLookup env_of(std::map<std::string, std::string> vars) {
  return [vars](std::string_view name) -> std::optional<std::string> {
    auto it = vars.find(std::string(name));
    if (it == vars.end()) return std::nullopt;
    return it->second;
  };
}

void write_file(const std::string& path, const std::string& content) {
  fs::create_directories(fs::path(path).parent_path());
  ASSERT_TRUE(test::put_file(path, Bytes(content.begin(), content.end())));
}

std::string read_file(const std::string& path) {
  auto b = fileio::read_all(path);
  return b ? std::string(b->begin(), b->end()) : "<missing>";
}

class Folders : public ::testing::Test {
 protected:
  test::TempSession t;
  Session& s = t.s;
  void SetUp() override { s.WorkFolder.clear(); }
};

}  // namespace

TEST(FolderLookup, AppDataFolder) {
  EXPECT_EQ(AppDataFolder(env_of({{"VFT_APPDATA", "/tmp/vft"}, {"XDG_DATA_HOME", "/x"}, {"HOME", "/home/ann"}})),
            "/tmp/vft/");
  EXPECT_EQ(AppDataFolder(env_of({{"VFT_APPDATA", ""}, {"XDG_DATA_HOME", "/x/data/"}, {"HOME", "/home/ann"}})),
            "/x/data/");
  EXPECT_EQ(AppDataFolder(env_of({{"XDG_DATA_HOME", "relative/data"}, {"HOME", "/home/ann/"}})),
            "/home/ann/.local/share/");
  EXPECT_EQ(AppDataFolder(env_of({})), "");
}

TEST(FolderLookup, ProgramFolderPrefersOverrideThenInstalledThenSourceTree) {
  test::TempDir d;
  const std::string bin = d.path() + "prefix/bin";
  const std::string installed = d.path() + "prefix/share/vorlan-family-tree";
  const std::string source = d.path() + "src/resources/";
  fs::create_directories(bin);
  fs::create_directories(source);
  EXPECT_EQ(ProgramFolder(env_of({{"VFT_PROGRAM_FOLDER", "/opt/vft/"}}), bin, source), "/opt/vft");
  EXPECT_EQ(ProgramFolder(env_of({{"VFT_PROGRAM_FOLDER", ""}}), bin, source), d.path() + "src/resources");
  fs::create_directories(installed);
  EXPECT_EQ(ProgramFolder(env_of({}), bin, source), installed);
  // Nothing found: name the installed place.
  EXPECT_EQ(ProgramFolder(env_of({}), d.path() + "other/bin", d.path() + "nowhere"),
            d.path() + "other/share/vorlan-family-tree");
  EXPECT_EQ(ProgramFolder(env_of({}), "", d.path() + "nowhere/"), d.path() + "nowhere");
}

TEST_F(Folders, WorkFolderIsNamedByTheStartTimeAndNeverReused) {
  s.now = [] { return LocalTime{2026, 12, 5, 9, 7, 5}; };
  ASSERT_TRUE(CreateWorkFolder(s));
  const std::string base = s.AppDataFolder + "Vorlan Family Tree/";
  EXPECT_EQ(s.WorkFolder, base + "090705/");
  ASSERT_TRUE(CreateWorkFolder(s));  // already has one: kept
  EXPECT_EQ(s.WorkFolder, base + "090705/");

  s.WorkFolder.clear();
  ASSERT_TRUE(CreateWorkFolder(s));
  EXPECT_EQ(s.WorkFolder, base + "090705-2/");
  write_file(base + "090705-3", "a file in the way");
  s.WorkFolder.clear();
  ASSERT_TRUE(CreateWorkFolder(s));
  EXPECT_EQ(s.WorkFolder, base + "090705-4/");
}

TEST_F(Folders, RemoveWorkFolderDeletesItsFilesAndTheFolder) {
  ASSERT_TRUE(CreateWorkFolder(s));
  const std::string folder = s.WorkFolder;
  write_file(s.work(recfile::Person), "p");
  write_file(s.work(recfile::Config), "c");
  RemoveWorkFolder(s);
  EXPECT_FALSE(fs::exists(folder));
  EXPECT_EQ(s.WorkFolder, "");
  RemoveWorkFolder(s);  // nothing left to do

  // Something that is not ours inside: it and the folder stay.
  ASSERT_TRUE(CreateWorkFolder(s));
  write_file(s.work("keep/photo.jpg"), "x");
  write_file(s.work(recfile::Notes), "n");
  RemoveWorkFolder(s);
  EXPECT_FALSE(fs::exists(s.work(recfile::Notes)));
  EXPECT_EQ(read_file(s.work("keep/photo.jpg")), "x");
  EXPECT_FALSE(s.WorkFolder.empty());
}

TEST_F(Folders, LeftoverWorkFoldersAreThoseOfOtherRunsWithASettingsRecord) {
  const std::string base = s.settings_folder();
  write_file(base + "101010/vorlan.cfg", "old run");
  write_file(base + "235959-2/vorlan.cfg", "newer run");
  write_file(base + "111111/vorlan.Per", "no settings record");
  write_file(base + "Backups/vorlan.cfg", "not a work folder");
  write_file(base + "12345/vorlan.cfg", "not a work folder");
  write_file(base + "123456-/vorlan.cfg", "not a work folder");
  fs::last_write_time(base + "101010/vorlan.cfg", fs::file_time_type::clock::now() - std::chrono::hours(48));
  ASSERT_TRUE(CreateWorkFolder(s));
  write_file(s.work(recfile::Config), "this run");
  EXPECT_EQ(FindLeftoverWorkFolders(s), (std::vector<std::string>{base + "235959-2/", base + "101010/"}));
}

TEST_F(Folders, FreshStartCopiesTheDefaultSettingsAndLeavesThemInPlace) {
  EXPECT_FALSE(MigrateSettingsFile(s));  // no default file is no error
  EXPECT_FALSE(fileio::exists(s.settings_file()));
  write_file(s.ProgramFolder + "/Vorlan.In~", "[Configure]\r\nAutoStart=2\r\n");
  EXPECT_FALSE(MigrateSettingsFile(s));
  EXPECT_EQ(IniReadInt(s, "Configure", "AutoStart"), 2);
  EXPECT_TRUE(fileio::exists(s.ProgramFolder + "/Vorlan.In~"));

  // An existing settings file is never replaced.
  IniWrite(s, "Configure", "AutoStart", "0");
  write_file(OldSettingsFolder(s) + "Vorlan.Ini", "[Configure]\r\nAutoStart=2\r\n");
  EXPECT_FALSE(MigrateSettingsFile(s));
  EXPECT_EQ(IniReadInt(s, "Configure", "AutoStart"), 0);
  EXPECT_TRUE(fileio::exists(OldSettingsFolder(s) + "Vorlan.Ini"));
}

TEST_F(Folders, OldSettingsAreMovedAndTheirPasswordRenewed) {
  std::string old = "[Configure]\r\nAutoStart=2\r\nSPW=" + ScramblePassword("Rosebud", 9) + "\r\n";
  write_file(OldSettingsFolder(s) + "VORLAN.INI", old);
  write_file(OldSettingsFolder(s) + "vorlan.cfg", "old counters");
  write_file(s.ProgramFolder + "/Vorlan.In~", "[Configure]\r\nAutoStart=0\r\n");
  ASSERT_TRUE(MigrateSettingsFile(s));
  EXPECT_EQ(read_file(s.settings_file()), old);
  EXPECT_FALSE(fs::exists(OldSettingsFolder(s)));
  EXPECT_TRUE(fileio::exists(s.ProgramFolder + "/Vorlan.In~"));

  ASSERT_TRUE(RenewPasswordAfterMigration(s, [] { return 10u; }));
  EXPECT_EQ(IniReadInt(s, "Configure", "AutoStart"), 2);  // the rest of the moved file stays
}

TEST_F(Folders, NoSettingsFolderKeepsTheOldSettingsAndMakesNoWorkFolder) {
  write_file(OldSettingsFolder(s) + "Vorlan.Ini", "[Configure]\r\nAutoStart=2\r\n");
  write_file(s.AppDataFolder + "Vorlan Family Tree", "a file where the folder should be");
  EXPECT_FALSE(MigrateSettingsFile(s));
  EXPECT_FALSE(fileio::exists(s.settings_file()));
  EXPECT_EQ(read_file(OldSettingsFolder(s) + "Vorlan.Ini"), "[Configure]\r\nAutoStart=2\r\n");
  // Nor can a work folder be made: it fails cleanly.
  EXPECT_FALSE(CreateWorkFolder(s));
  EXPECT_EQ(s.WorkFolder, "");
}
