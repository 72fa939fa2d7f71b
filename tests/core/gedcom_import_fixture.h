// A tree on temporary folders for the import tests, with helpers to write a
// GEDCOM text and to read back what the import stored.
#pragma once
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/cp1252.h"
#include "interchange/gedcom_import.h"
#include "store/file_io.h"
#include "relations/tree_check.h"
#include "store/records.h"
#include "temp_session.h"
#include "tree_builder.h"

namespace vft::test {

// Lines joined with CR LF, each ended by one.
inline std::string crlf(std::initializer_list<std::string> lines) {
  std::string out;
  for (const auto& l : lines) out += l + "\r\n";
  return out;
}

// Every family has both partners or none, every person is a child of exactly
// one family, and the tree check finds nothing.
void expect_consistent_tree(const Session& s);

class ImportTest : public ::testing::Test {
 protected:
  TempSession t;
  Session& s = t.s;
  ScriptedPrompter& prompter = t.prompter;

  // A complete file: header, the given records, trailer.
  static std::string file(const std::string& records) {
    return "0 HEAD\r\n1 SOUR TEST\r\n1 CHAR ANSI\r\n" + records + "0 TRLR\r\n";
  }
  ImportResult import(const std::string& records, const ImportOptions& o = {}) {
    return ImportGedcomData(s, file(records), "test.ged", {}, o);
  }
  // Imports and expects it to work, without any message box.
  ImportResult imported(const std::string& records) {
    ImportResult r = import(records);
    EXPECT_EQ(r.status, ImportStatus::Imported) << r.message;
    EXPECT_TRUE(prompter.shown.empty()) << prompter.shown.front().text;
    return r;
  }

  PersonRecord person(int n) {
    PersonRecord p;
    EXPECT_TRUE(ReadPersonRecord(s, static_cast<std::int16_t>(n), p)) << "person " << n;
    return p;
  }
  static std::string T(const std::string& v) { return cp1252::trim(v); }
  std::string notes(int n) { return T(ReadNotes(person(n).NotesRec, s.work(recfile::Notes))); }
  const MarriageRecord& family(int m) { return s.Marriages[static_cast<std::size_t>(m)]; }
  std::vector<int> kids(int m) {
    const MarriageRecord& f = family(m);
    return std::vector<int>(f.Kids.begin(), f.Kids.begin() + f.NumKids);
  }
  CeremonyRecord ceremony(int m) {
    EXPECT_TRUE(ReadCeremony(s, static_cast<std::int16_t>(m)));
    return s.Editing.CerBuf;
  }
  // The five record files' bytes, to prove an import left them alone.
  RecordFiles record_files() const { return snapshot(s); }
  // An existing tree: `persons` persons (notes on each) and `marriages`
  // couples, counts written.
  void existing_tree(int persons, int marriages);
};

inline void ImportTest::existing_tree(int persons, int marriages) {
  for (int n = 1; n <= persons; ++n) {
    PersonRecord p = blank_person();
    p.PerNum = static_cast<std::int16_t>(n);
    p.FamName = "Old";
    p.GivenNames = "P" + std::to_string(n);
    p.Sex = n % 2 ? "M" : "F";
    p.BirthDate = "1 Jan 1950";
    ASSERT_TRUE(AppendNotes(s.disk, p, "Existing note of " + std::to_string(n), s.work(recfile::Notes)));
    ASSERT_TRUE(WritePersonRecord(s, p.PerNum, p));
  }
  for (int m = 1; m <= marriages; ++m) {
    s.Editing.MarBuf = MarriageRecord{};
    s.Editing.MarBuf.MarNum = static_cast<std::int16_t>(m);
    s.Editing.MarBuf.Husband = static_cast<std::int16_t>(2 * m - 1);
    s.Editing.MarBuf.Wife = static_cast<std::int16_t>(2 * m);
    s.Editing.CerBuf = blank_ceremony();
    s.Editing.CerBuf.MarriedDate = "2 Feb 1970";
    ASSERT_TRUE(WriteMarriage(s, static_cast<std::int16_t>(m), s.Editing.MarBuf, s.Editing.CerBuf));
  }
  s.Config.setNumPersons(static_cast<std::int16_t>(persons));
  s.Config.setNumMarriages(static_cast<std::int16_t>(marriages));
  s.Config.setLastPerson(3);
  ASSERT_TRUE(WriteConfig(s));
  LoadMarriages(s);
  s.RecordsSaved = true;
}

inline void expect_consistent_tree(const Session& s) {
  std::vector<int> child_of(static_cast<std::size_t>(s.Config.NumPersons()) + 1, 0);
  for (int m = 1; m <= s.Config.NumMarriages(); ++m) {
    const MarriageRecord& f = s.Marriages[static_cast<std::size_t>(m)];
    EXPECT_EQ(f.Husband == 0, f.Wife == 0) << "family " << m;
    ASSERT_LE(f.NumKids, kMaxKids);
    for (int i = 0; i < f.NumKids; ++i) {
      int k = f.Kids[static_cast<std::size_t>(i)];
      ASSERT_GE(k, 1);
      ASSERT_LT(static_cast<std::size_t>(k), child_of.size());
      ++child_of[static_cast<std::size_t>(k)];
    }
  }
  for (std::size_t p = 1; p < child_of.size(); ++p) EXPECT_EQ(child_of[p], 1) << "person " << p;
  for (const auto& v : CheckTree(s)) ADD_FAILURE() << v.text;
}

}  // namespace vft::test
