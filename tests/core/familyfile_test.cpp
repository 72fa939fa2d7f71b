// The Family file's exact bytes and the open/save behaviour around them.
#include <gtest/gtest.h>

#include <filesystem>
#include <tuple>

#include "common/cp1252.h"
#include "familyfile_fixture.h"
#include "store/familyfile.h"
#include "store/ini.h"

using namespace vft;
using namespace vft::test;

namespace {

class FamilyFile : public ::testing::Test {
 protected:
  TempSession t;
  Session& s = t.s;
  TempSession other;  // opens what `s` saved
  std::vector<std::string> statuses;
  void SetUp() override {
    s.on_status = [this](const std::string& text) { statuses.push_back(text); };
  }
  std::string path(const std::string& name) const { return t.dir.path() + name; }
};

// The record starting at a 1-based position: its bytes up to and including the end byte.
Bytes record_at(const Bytes& f, std::size_t position) {
  auto len = static_cast<std::size_t>(at32(f, position));
  return Bytes(f.begin() + static_cast<std::ptrdiff_t>(position - 1),
               f.begin() + static_cast<std::ptrdiff_t>(position + len));
}

// 1-based positions of the records of a section, found by their lengths.
std::vector<std::size_t> record_positions(const Bytes& f, std::size_t first, int count) {
  std::vector<std::size_t> out;
  for (int i = 0; i < count; ++i) {
    out.push_back(first);
    first += static_cast<std::size_t>(at32(f, first)) + 1;
  }
  return out;
}

}  // namespace

TEST_F(FamilyFile, TinyTreeIsWrittenByteForByte) {
  add_person(s, {"Smith", "Ann", "F", "5 Jan 1901", "Hi", 0, 1});
  add_marriage(s, 0, 0, {1}, "2 Jun 1904", "Leeds");
  s.Config.setLastPerson(1);
  s.FunctionKeys[0] = "Smith";
  s.FunctionKeys[9] = std::string(100, 'k');
  ASSERT_EQ(SaveFamilyFile(s, s.WorkFolder, path("tiny.vfl")), -1);
  const Bytes f = read_file(path("tiny.vfl"));

  VflBuilder want(1, 1, 1);
  want.function_key(0, "Smith");
  want.function_key(9, std::string(95, 'k'));
  want.marriage(1, 0, 0, {1}, "2 Jun 1904");  // no husband: the place is not written
  want.end_marriages();
  std::size_t p = want.begin_record();
  want.i16(1);
  want.u8('F');
  want.item(2, "Smith");
  want.item(3, "Ann");
  want.item(4, "5 Jan 1901");
  want.u8(17), want.u8(0);
  want.notes("Hi");
  want.end_record(p);
  want.autocap({1});
  want.b.resize(1999 + 200, ' ');
  EXPECT_EQ(f, want.b);
}

TEST_F(FamilyFile, DeletedSexlessAndHusbandlessRecords) {
  s.UCaseFamname = true;  // a display option only: the file keeps the stored case
  add_person(s, {"M\xFCller", "John", "M", "", "", 1});
  add_person(s, {"Brown", "Mary", "F", "", "", 1});
  add_person(s, {"Gone", "Who", "M", "1 Jan 1900", "Notes of a deleted person"});
  add_person(s, {"Smith", "Baby", " "});
  PersonRecord gone;
  ASSERT_TRUE(ReadPersonRecord(s, 3, gone));
  gone.Deleted = -1;
  ASSERT_TRUE(WritePersonRecord(s, 3, gone));
  add_marriage(s, 0, 0, {1}, "", "Leeds");
  add_marriage(s, 0, 0, {2});
  add_marriage(s, 1, 2, {4}, "2 Jun 1904", "St Peter's, Leeds");
  s.Config.setLastPerson(1);
  ASSERT_EQ(SaveFamilyFile(s, s.WorkFolder, path("t.vfl")), -1);
  const Bytes f = read_file(path("t.vfl"));

  auto mar = record_positions(f, 2000, 3);
  VflBuilder third(0, 0, 0);
  third.b.clear();
  third.marriage(3, 1, 2, {4}, "2 Jun 1904", "St Peter's, Leeds");
  EXPECT_EQ(record_at(f, mar[2]), third.b);

  auto per = record_positions(f, static_cast<std::size_t>(at32(f, 1808)), 4);
  const auto name_at = f.begin() + static_cast<std::ptrdiff_t>(per[0] + 9);  // after length, number, code, tag, size
  EXPECT_EQ(std::string(name_at, name_at + 6), "M\xFCller");
  EXPECT_EQ(record_at(f, per[2]), (Bytes{7, 0, 0, 0, 3, 0, 'D', 255}));
  EXPECT_EQ(f[per[3] + 5], 'N');

  // What the reader makes of these records is checked on generated trees; the
  // notes of a deleted person are not kept at all.
  ASSERT_EQ(OpenFamilyFile(other.s, path("t.vfl")), -1);
  EXPECT_TRUE(read_file(other.s.work(recfile::Notes)).empty());
}

TEST_F(FamilyFile, UnpackedNotesAreLaidOutAsAppendNotesLaysThemOut) {
  FamilyImage im;
  im.NumPersons = 140;
  std::string notes_file = path("append.not");
  fileio::FileSystem fs;
  std::vector<std::int32_t> chains;
  for (int n = 1; n <= im.NumPersons; ++n) {
    FamilyPerson& fp = im.Persons.emplace_back();
    fp.rec.PerNum = static_cast<std::int16_t>(n);
    // Every length from 0 to 139 (chains of one piece, of full pieces and an
    // empty one, of a short last piece), blanks-only texts among them.
    fp.Notes = n % 17 == 0 ? std::string(static_cast<std::size_t>(n % 5), ' ')
                           : std::string(static_cast<std::size_t>(n - 1), 'x');
    PersonRecord owner = blank_person();
    owner.PerNum = fp.rec.PerNum;
    ASSERT_TRUE(AppendNotes(fs, owner, fp.Notes, notes_file));
    chains.push_back(owner.NotesRec);
  }
  vft::RecordFiles files = UnpackFamilyImage(im, ConfigRecord{});
  EXPECT_EQ(files.notes, read_file(notes_file));
  for (int n = 1; n <= im.NumPersons; ++n)
    EXPECT_EQ(decode_person(files.per.data() + static_cast<std::size_t>(n - 1) * kPersonLen).NotesRec,
              chains[static_cast<std::size_t>(n - 1)])
        << n;
}

TEST_F(FamilyFile, OpeningReplacesTheTreeAndUpdatesTheSession) {
  add_person(s, {"Smith", "Ann", "F"});
  add_marriage(s, 0, 0, {1});
  s.Config.setLastPerson(1);
  s.FunctionKeys[0] = "  Smith  ";
  s.FunctionKeys[2] = std::string(94, 'a') + "bcdef";
  ASSERT_EQ(SaveFamilyFile(s, s.WorkFolder, path("o.vfl")), -1);

  Session& o = other.s;
  o.on_status = [this](const std::string& text) { statuses.push_back(text); };
  o.Config.raw[700] = 0x5A;  // an option byte of the running program, carried over
  o.RecordsSaved = false;
  IniWrite(o, "Configure", "EnblPrompts", "1");
  statuses.clear();
  ASSERT_EQ(OpenFamilyFile(o, path("o.vfl")), -1);
  EXPECT_EQ(statuses, (std::vector<std::string>{"Opening " + path("o.vfl"), "Reading Family Data"}));
  EXPECT_TRUE(o.RecordsSaved);
  EXPECT_EQ(o.CurrentFilePath, path("o.vfl"));
  EXPECT_EQ(IniReadText(o, "FilePaths", "FileLoadPath"), t.dir.path());
  EXPECT_EQ(IniReadText(o, "FilePaths", "CurrentFile"), path("o.vfl"));
  const Bytes cfg = read_file(o.work(recfile::Config));
  ASSERT_EQ(cfg.size(), kConfigLen);
  EXPECT_EQ(cfg[700], 0x5A);
  EXPECT_EQ(at16(cfg, 3), 1);  // EnblPrompts from the settings file
  EXPECT_EQ(at16(cfg, 658), -1);
  EXPECT_TRUE(std::equal(cfg.begin(), cfg.end(), o.Config.raw.begin()));  // the session holds what was written
  for (const char* temp : {"temp.cfg", "temp.per", "temp.mar", "temp.mce", "temp.not"})
    EXPECT_FALSE(fileio::exists(o.work(temp))) << temp;

  // The function key texts, cut to 95 characters, reach the session and the settings.
  EXPECT_EQ(o.FunctionKeys[0], "Smith");
  EXPECT_EQ(o.FunctionKeys[2], std::string(94, 'a') + "b");
  EXPECT_EQ(IniReadText(o, "QuickKeys", "F5"), std::string(94, 'a') + "b");
  // An empty text is stored as a blank, so the key is there and its default does not return.
  IniFile ini = IniFile::parse(read_file(o.settings_file()));
  EXPECT_EQ(ini.find("QuickKeys", "F4"), "");
  EXPECT_TRUE(ini.find("QuickKeys", "F12"));
}

TEST_F(FamilyFile, FailedSaveLeavesTheOldFileIntact) {
  add_person(s, {"Smith", "Ann", "F"});
  add_marriage(s, 0, 0, {1});
  s.Config.setLastPerson(1);
  const Bytes old = {'o', 'l', 'd'};
  write_file(path("keep.vfl"), old);
  // A failure in making the temporary file, in writing it (flushing fails the
  // same way) and in renaming it: the old file stays, nothing else is left,
  // and the reason is the system's.
  for (const auto& [step, error, reason] :
       {std::tuple{1, ENOSPC, "No space left on device"}, std::tuple{2, EIO, "Input/output error"},
        std::tuple{4, EACCES, "Permission denied"}}) {
    statuses.clear();
    s.disk.fail_at(step, error);
    std::string why;
    EXPECT_EQ(SaveFamilyFile(s, s.WorkFolder, path("keep.vfl"), SaveTarget::Copy, &why), 0) << step;
    EXPECT_EQ(why, reason);
    EXPECT_EQ(read_file(path("keep.vfl")), old);
    // Nothing but work/, appdata/, program/ and keep.vfl.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(t.dir.path()), {}), 4) << step;
    EXPECT_EQ(statuses.back(), "Cancelled");
    EXPECT_FALSE(s.RecordsSaved);
  }
  EXPECT_TRUE(t.prompter.shown.empty());

  EXPECT_EQ(SaveFamilyFile(s, s.WorkFolder, path("no/such/folder/x.vfl")), 0);
  // Work files that hold fewer persons than counted cannot be packed.
  s.Config.setNumPersons(5);
  EXPECT_EQ(SaveFamilyFile(s, s.WorkFolder, path("short.vfl")), 0);
  EXPECT_FALSE(fileio::exists(path("short.vfl")));
}

TEST_F(FamilyFile, SavingMarksTheTreeSavedUnlessFreeSpaceIsTooLittle) {
  add_person(s, {"Smith", "Ann", "F"});
  add_marriage(s, 0, 0, {1});
  s.Config.setLastPerson(1);
  statuses.clear();
  ASSERT_EQ(SaveFamilyFile(s, s.WorkFolder, path("size.vfl")), -1);
  EXPECT_EQ(statuses, (std::vector<std::string>{"Saving " + path("size.vfl"), "Saving Family Data"}));
  EXPECT_TRUE(s.RecordsSaved);
  EXPECT_EQ(at16(read_file(s.work(recfile::Config)), 658), -1);
  s.RecordsSaved = false;
  const auto size = static_cast<std::int64_t>(read_file(path("size.vfl")).size());
  std::string asked;
  auto disk_with = [&](std::int64_t free) {
    return [&asked, free](const std::string& folder) -> std::int64_t {
      asked = folder;
      return free;
    };
  };
  // One byte short of the file is refused; exactly its size is enough.
  EXPECT_EQ(SaveFamilyFileWith(s, s.WorkFolder, path("full.vfl"), disk_with(size - 1)), 0);
  EXPECT_EQ(asked, t.dir.path());
  ASSERT_EQ(t.prompter.shown.size(), 1u);
  const Message& m = t.prompter.shown[0];
  EXPECT_EQ(m.title, "Save Vorlan Family Tree File");
  EXPECT_EQ(m.text, "The disk is full on drive " + t.dir.path() +
                        ". \r\n Free some space on this disk/drive  \r\n"
                        " or save the file to a different disk.");
  EXPECT_EQ(m.icon, Icon::Exclamation);
  EXPECT_FALSE(fileio::exists(path("full.vfl")));
  EXPECT_EQ(SaveFamilyFileWith(s, s.WorkFolder, path("fits.vfl"), disk_with(size)), -1);
  EXPECT_EQ(t.prompter.shown.size(), 1u);
}

TEST_F(FamilyFile, AFamilyOfFortyOneChildrenComesBackWhole) {
  std::vector<int> kids;
  for (int n = 1; n <= kMaxKids; ++n) {
    add_person(s, {"Kid", "K" + std::to_string(n), n % 2 ? "M" : "F"});
    kids.push_back(n);
  }
  add_marriage(s, 0, 0, kids);
  s.Config.setLastPerson(1);
  ASSERT_EQ(SaveFamilyFile(s, s.WorkFolder, path("big.vfl")), -1);
  ASSERT_EQ(OpenFamilyFile(other.s, path("big.vfl")), -1);
  const MarriageRecord& f = other.s.Marriages[1];
  ASSERT_EQ(f.NumKids, kMaxKids);
  for (int k = 0; k < kMaxKids; ++k) EXPECT_EQ(f.Kids[static_cast<std::size_t>(k)], k + 1) << k;
}

TEST_F(FamilyFile, ReaderCutsLongTextsAndBlanksZeroBytes) {
  VflBuilder v(3, 1, 2);
  v.marriage(1, 0, 0, {1, 2, 3}, "a date far too long for its field", std::string(230, 'p'));
  v.end_marriages();
  std::size_t r = v.begin_record();
  v.i16(1), v.u8('M');
  v.item(2, "Abcdefghijklmnopqrstuvwxyz");
  v.item(5, std::string("1 Jan\0 1900", 11));
  v.item(15, std::string("0123\0", 5));
  v.item(4, std::string("2 Feb\0", 6));  // only death date and phone are blanked
  v.end_record(r);
  r = v.begin_record();
  v.i16(2), v.u8('F');
  v.item(3, "Ann");
  v.u8(0);  // a zero tag ends the items; the record length still leads on
  v.item(13, "never read");
  v.end_record(r);
  r = v.begin_record();
  v.i16(3), v.u8('?');
  v.u8(17), v.u8(200);
  v.end_record(r);
  v.autocap({20, 1, 7});
  FamilyParse p = ParseFamilyFile(v.b.data(), v.b.size());
  ASSERT_TRUE(p.ok()) << p.error_offset;
  const auto& persons = p.image.Persons;
  ASSERT_EQ(persons.size(), 3u);
  EXPECT_EQ(persons[0].rec.FamName, "Abcdefghijklmnopqrst");
  EXPECT_EQ(persons[0].rec.DeathDate, "");
  EXPECT_EQ(persons[0].rec.Phone, "");
  EXPECT_EQ(persons[0].rec.BirthDate, std::string("2 Feb\0", 6));
  EXPECT_EQ(persons[1].rec.Occupation, "");
  EXPECT_EQ(persons[2].rec.Sex, "?");
  EXPECT_EQ(persons[2].rec.NumPartners, 200);
  EXPECT_EQ(persons[1].rec.AutoCap, 1);
  EXPECT_EQ(persons[2].rec.AutoCap, 0);  // other values leave it as read
  EXPECT_EQ(p.image.Marriages[0].MarriedDate, "a date far t");
  EXPECT_EQ(p.image.Marriages[0].MarriedAt, std::string(200, 'p'));
}

TEST_F(FamilyFile, PersonsInAnotherOrderGoToTheirOwnRecords) {
  VflBuilder v(2, 1, 1);
  v.marriage(1, 0, 0, {1, 2});
  v.end_marriages();
  for (std::int16_t n : {2, 1}) {
    std::size_t r = v.begin_record();
    v.i16(n), v.u8(n == 1 ? 'M' : 'F');
    v.item(3, n == 1 ? "One" : "Two");
    v.notes(n == 1 ? "first person's notes" : "second person's notes");
    v.end_record(r);
  }
  v.autocap({0, 1});  // by Person number: person 2 has AutoCap
  write_file(path("order.vfl"), v.b);
  ASSERT_EQ(OpenFamilyFile(s, path("order.vfl")), -1);
  PersonRecord one, two;
  ASSERT_TRUE(ReadPersonRecord(s, 1, one));
  ASSERT_TRUE(ReadPersonRecord(s, 2, two));
  EXPECT_EQ(one.AutoCap, 0);
  EXPECT_EQ(two.AutoCap, 1);
  EXPECT_EQ(two.NotesRec, 1);  // chains are made in file order
  EXPECT_EQ(cp1252::trim(ReadNotes(one.NotesRec, s.work(recfile::Notes))), "first person's notes");
}
