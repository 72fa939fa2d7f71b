#include <gtest/gtest.h>

#include <array>
#include <utility>

#include "common/cp1252.h"
#include "familyfile_fixture.h"
#include "store/file_io.h"
#include "store/records.h"
#include "temp_session.h"

using namespace vft;

namespace {

class RecordStore : public ::testing::Test {
 protected:
  test::TempSession t;
  Session& s = t.s;

  void add_person(const std::string& fam, const std::string& given, const std::string& notes) {
    test::add_person(s, {fam, given, "M", "", notes});
  }
  // Person 1's notes edited and written back.
  void rewrite_notes(const std::string& text) {
    s.CurNum = 1;
    ASSERT_TRUE(ReadPerson(s));
    ASSERT_TRUE(WritePerson(s, 1, s.Person, text, true));
  }
  std::string notes_of(std::int32_t first) { return cp1252::trim(ReadNotes(first, s.work(recfile::Notes))); }
  // The notes file as {ChunkLen, Next, Owner} per record.
  std::vector<std::array<int, 3>> pieces() {
    std::vector<std::array<int, 3>> out;
    Bytes data = fileio::read_all(s.work(recfile::Notes)).value_or(Bytes{});
    for (std::size_t off = 0; off + kNotesLen <= data.size(); off += kNotesLen) {
      NotesRecord r = decode_notes(data.data() + off);
      out.push_back({r.ChunkLen, r.Next, r.Owner});
    }
    return out;
  }
};
using Pieces = std::vector<std::array<int, 3>>;

}  // namespace

TEST(RecordLayout, PersonFieldsSitAtTheirOffsets) {
  PersonRecord p = blank_person();
  p.PerNum = 0x0102;
  p.FamName = "Smith-Abcdefghijklmnopq";  // longer than its field
  p.GivenNames = "Ann Mary";
  p.Sex = "F";
  p.BirthDate = "5 Jan 1901";
  p.Baptised = "Yes";
  p.Phone = "555";
  p.AutoCap = 1;
  p.Source = "Census";
  p.Deleted = -1;
  p.NotesRec = 70000;
  p.NumPartners = 3;
  Bytes b;
  encode(p, b);
  ASSERT_EQ(b.size(), kPersonLen);
  EXPECT_EQ(b[0], 0x02);
  EXPECT_EQ(b[1], 0x01);
  EXPECT_EQ(std::string(b.begin() + 2, b.begin() + 24), "Smith-AbcdefghijklmnAn");
  EXPECT_EQ(b[52], 'F');
  EXPECT_EQ(std::string(b.begin() + 53, b.begin() + 65), "5 Jan 1901  ");
  EXPECT_EQ(std::string(b.begin() + 127, b.begin() + 130), "Yes");
  EXPECT_EQ(std::string(b.begin() + 404, b.begin() + 407), "555");
  EXPECT_EQ(b[452], 1);
  EXPECT_EQ(std::string(b.begin() + 454, b.begin() + 460), "Census");
  EXPECT_EQ(b[494], 0);  // reserved, always written as 0
  EXPECT_EQ(b[496], 0xFF);
  EXPECT_EQ(b[497], 0xFF);
  EXPECT_EQ(b[498] | (b[499] << 8) | (b[500] << 16), 70000);
  EXPECT_EQ(b[502], 3);
  Bytes again;
  encode(decode_person(b.data()), again);
  EXPECT_EQ(again, b);
}

TEST(RecordLayout, MarriageKeepsReservedBytesAndKidsOrder) {
  Bytes raw(kMarriageLen, 0);
  raw[0] = 7;
  raw[2] = 3;
  raw[4] = 4;
  raw[6] = 2;
  raw[8] = 9;
  raw[10] = 5;
  raw[90] = raw[91] = 0xFF;
  for (int i = 94; i < 102; ++i) raw[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(i);
  MarriageRecord m = decode_marriage(raw.data());
  EXPECT_EQ(m.MarNum, 7);
  EXPECT_EQ(m.Kids[0], 9);
  EXPECT_EQ(m.Kids[1], 5);
  EXPECT_EQ(m.Divorced, -1);
  Bytes again;
  encode(m, again);
  EXPECT_EQ(again, raw);
}

TEST_F(RecordStore, NotesChainsCut42CharactersAPieceAndAFullLastPieceGetsAnEmptyOne) {
  add_person("Smith", "Ann", std::string(42, 'a'));
  const std::string text = std::string(42, 'a') + std::string(42, 'b');
  add_person("Jones", "Bob", text);
  EXPECT_EQ(pieces(), (Pieces{{42, -1, 1}, {42, 3, 2}, {42, 4, 2}, {0, -1, 2}}));
  EXPECT_EQ(notes_of(2), text);
  add_person("Brown", "Cy", "short");  // the next chain starts after the last
  PersonRecord cy;
  ASSERT_TRUE(ReadPersonRecord(s, 3, cy));
  EXPECT_EQ(cy.NotesRec, 5);
  add_person("Gray", "Di", "   ");  // blanks only: no chain at all
  PersonRecord di;
  ASSERT_TRUE(ReadPersonRecord(s, 4, di));
  EXPECT_EQ(di.NotesRec, -1);
  EXPECT_EQ(pieces().size(), 5u);
}

TEST_F(RecordStore, WritesMarkTheTreeChangedAndEmptyNotesWriteNoFile) {
  int calls = 0;
  s.on_changed = [&] { ++calls; };
  add_person("Smith", "Ann", "   ");
  EXPECT_FALSE(fileio::exists(s.work(recfile::Notes)));
  EXPECT_FALSE(s.RecordsSaved);
  EXPECT_FALSE(s.NothingChanged);
  EXPECT_EQ(calls, 1);
}

TEST_F(RecordStore, RewrittenNotesReuseTheOldChainThenAppend) {
  add_person("Smith", "Ann", std::string(130, 'x'));
  rewrite_notes("now short");  // the head is reused, the tail stays unused
  EXPECT_EQ(pieces(), (Pieces{{9, -1, 1}, {42, 3, 1}, {42, 4, 1}, {4, -1, 1}}));
  EXPECT_EQ(notes_of(1), "now short");
  // The chain is now one piece long: the empty piece after a full one is appended.
  rewrite_notes(std::string(42, 'z'));
  EXPECT_EQ(pieces(), (Pieces{{42, 5, 1}, {42, 3, 1}, {42, 4, 1}, {4, -1, 1}, {0, -1, 1}}));
  rewrite_notes("a" + std::string(39, 'b') + "^");  // a caret typed by the user is kept, also last in a piece
  EXPECT_EQ(notes_of(1), "a" + std::string(39, 'b') + "^");
}

TEST_F(RecordStore, LongerNotesUseTheWholeOldChainThenAppend) {
  add_person("Smith", "Ann", std::string(50, 'a'));  // records 1, 2
  add_person("Jones", "Bob", "bob's");               // record 3
  const std::string text = std::string(42, 'p') + std::string(42, 'q') + "tail";
  rewrite_notes(text);
  EXPECT_EQ(pieces(), (Pieces{{42, 2, 1}, {42, 4, 1}, {5, -1, 2}, {4, -1, 1}}));  // chained on past Bob's
  EXPECT_EQ(notes_of(1), text);
  EXPECT_EQ(notes_of(3), "bob's");
}

TEST_F(RecordStore, DeletedPersonsNotesAreNotTouched) {
  add_person("Smith", "Ann", "keep");
  s.CurNum = 1;
  ASSERT_TRUE(ReadPerson(s));
  s.Person.Deleted = -1;
  ASSERT_TRUE(WritePerson(s, 1, s.Person, "changed", true));
  EXPECT_EQ(notes_of(1), "keep");
}

TEST_F(RecordStore, ReadNotesSurvivesDamagedChains) {
  // A chain pointing at itself, and one pointing past the end of the file.
  Bytes b;
  encode(NotesRecord{1, 5, "hello", 1}, b);
  encode(NotesRecord{1, 99, "world", 40}, b);
  ASSERT_TRUE(test::put_file(s.work(recfile::Notes), b));
  std::string loop = ReadNotes(1, s.work(recfile::Notes));
  EXPECT_EQ(loop.substr(0, 5), "hello");
  EXPECT_LE(loop.size(), 5u + 2 * 42u);
  EXPECT_EQ(cp1252::trim(ReadNotes(2, s.work(recfile::Notes))), "world");
  EXPECT_EQ(ReadNotes(0, s.work(recfile::Notes)), "");
  EXPECT_EQ(ReadNotes(65535, s.work(recfile::Notes)), "");
  EXPECT_EQ(ReadNotes(1, s.work("missing.not")), "");
}

TEST_F(RecordStore, AddMarriageWithNoMarriagesStoresNumberOne) {
  s.Editing.MarBuf = MarriageRecord{};
  s.Editing.CerBuf = blank_ceremony();
  s.Editing.CerBuf.MarriedAt = "Leeds";
  ASSERT_TRUE(AddMarriageRecord(s, s.Editing.MarBuf, s.Editing.CerBuf));
  EXPECT_EQ(s.Editing.MarBuf.MarNum, 1);
  ASSERT_TRUE(ReadCeremony(s, 1));
  EXPECT_EQ(cp1252::trim(s.Editing.CerBuf.MarriedAt), "Leeds");
  EXPECT_EQ(fileio::size_of(s.work(recfile::Ceremony)), static_cast<std::int64_t>(kCeremonyLen));
}

TEST_F(RecordStore, MarriageBeyondTheLimitIsRefused) {
  s.Config.setNumMarriages(15001);
  EXPECT_FALSE(AddMarriageRecord(s, s.Editing.MarBuf, s.Editing.CerBuf));
  EXPECT_FALSE(WriteMarriage(s, 0, s.Editing.MarBuf, s.Editing.CerBuf));
  EXPECT_EQ(t.prompter.shown.size(), 2u);
  EXPECT_FALSE(fileio::exists(s.work(recfile::Marriage)));
}

// Every way to a family and to a record in a whole file is range-checked in one place.
TEST_F(RecordStore, FamilyNumbersOutsideTheTableLandOnSlotZero) {
  s.Marriages[15000].Husband = 7;
  EXPECT_EQ(s.family(15000).Husband, 7);
  for (int m : {-1, 15001, 32767}) EXPECT_EQ(&std::as_const(s).family(m), &s.Marriages[0]) << m;
  Bytes file(2 * kPersonLen + 10);
  EXPECT_EQ(person_bytes(file, 2), file.data() + kPersonLen);
  for (std::size_t n : {0u, 3u}) EXPECT_EQ(person_bytes(file, n), nullptr) << n;
}

TEST_F(RecordStore, LoadMarriagesStopsAtTheEndOfTheFile) {
  for (std::int16_t n = 1; n <= 3; ++n) {
    s.Editing.MarBuf = MarriageRecord{};
    s.Editing.MarBuf.MarNum = n;
    s.Editing.MarBuf.Husband = static_cast<std::int16_t>(10 + n);
    ASSERT_TRUE(WriteMarriageOnly(s, n, s.Editing.MarBuf));
  }
  s.Marriages[5].Husband = 99;  // stale entry from an earlier tree
  s.Config.setNumMarriages(6);
  LoadMarriages(s);
  EXPECT_EQ(s.Marriages[3].Husband, 13);
  EXPECT_EQ(s.Marriages[5].Husband, 0);
}

TEST_F(RecordStore, ReadPersonNewReportsAMissingRecord) {
  EXPECT_TRUE(ReadPersonNew(s, 0));  // below 1: nothing to do
  EXPECT_TRUE(t.prompter.shown.empty());
  EXPECT_FALSE(ReadPersonNew(s, 4));
  ASSERT_EQ(t.prompter.shown.size(), 1u);
  EXPECT_EQ(t.prompter.shown[0].title, "Vorlan family Tree");
  EXPECT_EQ(t.prompter.shown[0].text,
            "Save Error in ReadPersonNew(Pernumm%)\r\nPlease contact Vorlan Solutions for assistance.");
  EXPECT_EQ(t.prompter.shown[0].icon, Icon::Critical);
}

TEST_F(RecordStore, ClearPersonKeepsAutoCapAndDeleted) {
  s.Person.PerNum = 4;
  s.Person.FamName = "X";
  s.Person.AutoCap = 1;
  s.Person.Deleted = -1;
  s.Person.NumPartners = 2;
  s.Person.NotesRec = 8;
  ClearPerson(s);
  EXPECT_EQ(s.Person.FamName, std::string(20, ' '));
  EXPECT_EQ(s.Person.AutoCap, 1);
  EXPECT_EQ(s.Person.Deleted, -1);
  EXPECT_EQ(s.Person.NumPartners, 0);
  EXPECT_EQ(s.Person.NotesRec, -1);
}

TEST_F(RecordStore, MoveOldConfigTakesOnlyARealFile) {
  std::string old = t.dir.path();
  ASSERT_TRUE(test::put_file(old + "Vorlan.Cfg", Bytes{1}));
  ASSERT_TRUE(MoveOldConfig(s, old));
  EXPECT_TRUE(fileio::exists(old + "Vorlan.Cfg"));  // one byte: left alone
  ASSERT_TRUE(test::put_file(old + "Vorlan.Cfg", Bytes(kConfigLen, 5)));
  ASSERT_TRUE(MoveOldConfig(s, old));
  EXPECT_FALSE(fileio::exists(old + "Vorlan.Cfg"));
  EXPECT_EQ(fileio::size_of(s.work(recfile::Config)), static_cast<std::int64_t>(kConfigLen));
}
