// A session with a small saved tree, for the main window's command, start-up
// and exit tests.
#pragma once
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "common/file_dialogs.h"
#include "mainwin/commands.h"
#include "store/familyfile.h"
#include "store/file_io.h"
#include "store/ini.h"
#include "store/records.h"
#include "temp_session.h"
#include "tree_builder.h"

namespace vft::test {

class MainWin : public ::testing::Test {
 protected:
  TempSession t;
  Session& s = t.s;
  ScriptedPrompter& boxes = t.prompter;
  ScriptedFileDialogs dialogs;
  WindowDocument doc;

  std::string path(const std::string& name) const { return t.dir.path() + name; }

  // Three persons (a couple and their daughter) in the work folder,
  // Ann (3) selected, nothing unsaved.
  void build_tree() {
    TreeBuilder b(s);
    auto john = b.person("John", "Smith", "M");
    auto mary = b.person("Mary", "Jones", "F");
    auto m = b.family(john, mary, "4 May 1920");
    b.child(m, "Ann", "Smith", "F");
    s.Config.setLastPerson(3);
    ASSERT_TRUE(WriteConfig(s));
    s.RecordsSaved = true;
    s.NothingChanged = true;
  }
  // The tree saved as a Family file at `file`.
  void save_tree_as(const std::string& file) {
    build_tree();
    ASSERT_EQ(SaveFamilyFile(s, s.WorkFolder, file), -1);
  }
  // A record write: the tree now has unsaved changes.
  void change_something() {
    PersonRecord p;
    ASSERT_TRUE(ReadPersonRecord(s, 1, p));
    p.Occupation = "Baker";
    ASSERT_TRUE(WritePersonRecord(s, 1, p));
    ASSERT_FALSE(s.RecordsSaved);
  }
  std::string ini(const std::string& section, const std::string& key) const { return IniReadText(s, section, key); }
  std::string box_text(std::size_t i) const { return i < boxes.shown.size() ? boxes.shown[i].text : "<no box>"; }
  std::string box_title(std::size_t i) const { return i < boxes.shown.size() ? boxes.shown[i].title : "<no box>"; }
};

}  // namespace vft::test
