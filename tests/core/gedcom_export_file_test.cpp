// The export as the user runs it: the submitter lines, the file handling
// (free space, Cancel, failures) and damaged records.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <regex>

#include "gedcom_export_fixture.h"
#include "store/file_io.h"
#include "store/ini.h"

using namespace vft;
using vft::test::crlf_lines;
using vft::test::ExportTree;
using vft::test::make_person;
using Lines = std::vector<std::string>;

namespace {

// The lines of one record, "0 @I1@ INDI" up to the next level-0 line.
Lines record(const std::string& file, const std::string& xref) {
  Lines out;
  bool in = false;
  for (const std::string& l : crlf_lines(file)) {
    if (l.compare(0, 2, "0 ") == 0) in = l.compare(2, xref.size() + 1, xref + " ") == 0;
    if (in) out.push_back(l);
  }
  return out;
}

// The header and submitter lines, up to the first record after them.
Lines head(const std::string& file) {
  Lines out;
  for (const std::string& l : crlf_lines(file)) {
    if (l.compare(0, 3, "0 @") == 0 && l != "0 @S1@ SUBM") break;
    if (l == "0 TRLR") break;
    out.push_back(l);
  }
  return out;
}

std::string build(ExportTree& t, const ExportOptions& o) {
  LoadMarriages(t.s);
  std::string out;
  EXPECT_TRUE(BuildGedcom(t.s, o, {}, out));
  return out;
}

}  // namespace

TEST(GedcomExportHeader, SubmitterLinesEachHaveTheirOwnCondition) {
  ExportTree t;
  ExportOptions o = t.options("x.ged");
  auto header = [&](const SubmitterDetails& d, GedcomFlavour f) {
    o.submitter = d;
    o.flavour = f;
    Lines h = head(build(t, o));
    return Lines(h.begin() + (f == GedcomFlavour::Standard ? 9 : f == GedcomFlavour::Gedcom551 ? 11 : 7), h.end());
  };
  const auto std_ = GedcomFlavour::Standard, g551 = GedcomFlavour::Gedcom551, g70 = GedcomFlavour::Gedcom70;
  EXPECT_EQ(header({}, std_), Lines{});
  EXPECT_EQ(header({"", "", "", "", "", "me@x"}, std_), (Lines{"1 ADDR me@x"}));
  EXPECT_EQ(header({"", "", "Flat 2", "", "99", ""}, std_), (Lines{"2 CONT Flat 2", "1 PHON 99"}));
  // Both grammars require a submitter's name.
  EXPECT_EQ(header({}, g551), (Lines{"0 @S1@ SUBM", "1 NAME Unknown"}));
  EXPECT_EQ(header({"", "", "Flat 2", "Town", "99", "me@x"}, g551),
            (Lines{"0 @S1@ SUBM", "1 NAME Unknown", "1 ADDR Flat 2", "2 CONT Town", "1 PHON 99", "1 EMAIL me@@x"}));
  // 7.0 names a submitter only when there is one.
  EXPECT_EQ(header({}, g70), Lines{});
  EXPECT_EQ(header({"", "", "", "", "99", "@me"}, g70),
            (Lines{"1 SUBM @S1@", "0 @S1@ SUBM", "1 NAME Unknown", "1 PHON 99", "1 EMAIL @@me"}));
}

// The export window's test reads the message, the stored folder and what a
// Cancel leaves; here the file itself and the old file a Cancel keeps.
TEST(GedcomExportFile, DoneWritesTheBuiltFileAndCancelKeepsTheOldOne) {
  ExportTree t;
  t.build_sample();
  std::ofstream(t.out_dir() + "Temp.Ged", std::ios::binary) << "mine";  // somebody's file of that name
  ExportResult r = t.export_to("family.ged");
  ASSERT_EQ(r.status, ExportStatus::Done);
  EXPECT_EQ(t.read("Temp.Ged"), "mine");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(t.out_dir()), {}), 2);
  ASSERT_EQ(t.prompter.shown.size(), 1u);
  const Message& m = t.prompter.shown[0];
  EXPECT_EQ(m.title, "Export GEDCOM File");
  EXPECT_EQ(m.text, "GEDCOM file 'family.ged' has been created and stored in the folder: " + t.out_dir());
  EXPECT_EQ(m.buttons, Buttons::OK);
  EXPECT_EQ(r.message, m.text);
  SubmitterDetails d = LoadSubmitterDetails(t.s);
  EXPECT_EQ((Lines{d.Name, d.Address1, d.Address2, d.Address3, d.Phone, d.Email}),
            (Lines{"A. Researcher", "10 Long Road", "", "Springfield", "555 0000", "ar@example.org"}));

  std::ofstream(t.out_dir() + "old.ged", std::ios::binary) << "old contents";
  Lines seen;
  r = t.export_to("old.ged", GedcomFlavour::Gedcom551, [&](const std::string& msg, long n) {
    seen.push_back(msg + "#" + std::to_string(n));
    return n < 3;
  });
  EXPECT_EQ(r.status, ExportStatus::Cancelled);
  EXPECT_EQ(seen.back(), "Generating GEDCOM file: old.ged#3");
  EXPECT_EQ(t.read("old.ged"), "old contents");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(t.out_dir()), {}), 3);  // no temporary file stays
}

TEST(GedcomExportFile, DiskFullAsksAgainUntilCancelled) {
  ExportTree t;
  t.build_sample();
  std::ofstream(t.out_dir() + "old.ged", std::ios::binary) << "old contents";
  ExportOptions o = t.options("old.ged");
  std::vector<std::string> asked;
  o.free_bytes = [&](const std::string& folder) -> std::int64_t {
    asked.push_back(folder);
    return 100;
  };
  t.prompter.answers = {kAnswerOK, kAnswerCancel};
  ExportResult r = ExportGedcom(t.s, o, {});
  EXPECT_EQ(r.status, ExportStatus::Cancelled);
  EXPECT_EQ(asked, (std::vector<std::string>{t.out_dir(), t.out_dir()}));
  ASSERT_EQ(t.prompter.shown.size(), 2u);
  const Message& m = t.prompter.shown[0];
  EXPECT_EQ(m.text, "The disk is full on drive   " + t.out_dir() +
                        "  \r\nFree some space on this disk/drive  \r\n"
                        "or save the file to a different disk.\r\nClick 'OK' to try again.");
  EXPECT_EQ(m.buttons, Buttons::OKCancel);
  EXPECT_EQ(t.read("old.ged"), "old contents");
  EXPECT_FALSE(t.exists("Temp.Ged"));

  // Room made after the first warning: OK goes on and writes the file.
  const std::string want = build(t, t.options("old.ged"));
  std::int64_t room = 100;  // then exactly the file's size
  o.free_bytes = [&](const std::string&) { return std::exchange(room, static_cast<std::int64_t>(want.size())); };
  t.prompter.shown.clear();
  r = ExportGedcom(t.s, o, {});
  EXPECT_EQ(r.status, ExportStatus::Done);
  EXPECT_EQ(t.prompter.shown.size(), 2u);
  EXPECT_EQ(t.read("old.ged"), want);
}

TEST(GedcomExportFile, UnwritableTargetFailsWithAMessage) {
  ExportTree t;
  t.build_sample();
  ExportOptions o = t.options("x.ged");
  o.file_name = t.out_dir() + "missing-folder/x.ged";
  ExportResult r = ExportGedcom(t.s, o, {});
  EXPECT_EQ(r.status, ExportStatus::Failed);
  ASSERT_EQ(t.prompter.shown.size(), 1u);
  EXPECT_EQ(t.prompter.shown[0].icon, Icon::Critical);
  EXPECT_EQ(t.prompter.shown[0].text.rfind("The GEDCOM file '" + o.file_name + "' could not be written.\r\n", 0), 0u);
  EXPECT_EQ(IniReadText(t.s, "FilePaths", "GEDCOMSavePath"), "");
}

TEST(GedcomExportDamaged, RecordsOutOfRangeNeitherCrashNorPointNowhereIn551) {
  ExportTree t;
  // A two-record chain whose last record points back at the first, and a second
  // person whose chain starts inside it.
  const std::string text = std::string(42, 'a') + "bbbbbbbb";
  t.person(1, make_person("Lee", "Bob", "M"), text);
  Bytes notes = *fileio::read_all(t.s.work(recfile::Notes));
  ASSERT_EQ(notes.size(), 2 * kNotesLen);
  notes[kNotesLen + 46] = 1;
  notes[kNotesLen + 47] = 0;
  test::put_file(t.s.work(recfile::Notes), notes);
  PersonRecord p2 = make_person("Lee", "Ada", "F");
  p2.NotesRec = 2;
  t.person(2, p2);
  t.marriage(1, 1, 2, {0, -5, 999, 2, 2, 1});
  t.marriage(2, 999, 0, {});
  t.s.Config.setNumPersons(40);  // beyond the end of the file
  const std::string std_file = build(t, t.options("x.ged"));
  EXPECT_EQ(record(std_file, "@F1@"), (Lines{"0 @F1@ FAM", "1 HUSB @I1@", "1 WIFE @I2@", "1 CHIL @I0@", "1 CHIL @I-5@",
                                             "1 CHIL @I999@", "1 CHIL @I2@", "1 CHIL @I2@", "1 CHIL @I1@"}));
  EXPECT_EQ(record(std_file, "@I1@")[5], "1 NOTE " + text);
  // No notes for 2: its records were read already.
  EXPECT_EQ(record(std_file, "@I2@"),
            (Lines{"0 @I2@ INDI", "1 NAME Ada /Lee/", "1 SEX F", "1 BIRT", "2 DATE ", "1 FAMS @F1@", "1 FAMC @F1@"}));
  const std::string g = build(t, t.options("x.ged", GedcomFlavour::Gedcom551));
  EXPECT_EQ(vft::test::dangling_pointers(g), std::vector<std::string>{});
  EXPECT_EQ(record(g, "@F1@"), (Lines{"0 @F1@ FAM", "1 HUSB @I1@", "1 WIFE @I2@"}));
  EXPECT_EQ(record(g, "@F2@"), Lines{});
}

TEST(GedcomExportDamaged, RandomRecordFilesStillGiveWellFormedLines) {
  std::mt19937 rng(4711);
  auto noise = [&](std::size_t n) {
    Bytes b(n);
    for (auto& x : b) x = static_cast<std::uint8_t>(rng());
    return b;
  };
  const std::regex line_form(R"(^(0|[1-9]) (@[^@ ]+@ )?[A-Z]+( .*)?$)");
  for (int round = 0; round < 12; ++round) {
    ExportTree t;
    Bytes per = noise(kPersonLen * 30);
    for (std::size_t off = 0; off < per.size(); off += kPersonLen)  // most of them live
      per[off + 496] = per[off + 497] = (rng() % 5 == 0) ? 0xFF : 0;
    test::put_file(t.s.work(recfile::Person), per);
    test::put_file(t.s.work(recfile::Notes), noise(kNotesLen * 200));
    test::put_file(t.s.work(recfile::Ceremony), noise(kCeremonyLen * 30));
    Bytes mar = noise(kMarriageLen * 30);
    // Small numbers, so that the marriages point at the persons that are there.
    for (std::size_t i = 0; i + 1 < mar.size(); i += 2) mar[i + 1] = (rng() % 8 == 0) ? 0xFF : 0;
    test::put_file(t.s.work(recfile::Marriage), mar);
    t.s.Config.setNumPersons(static_cast<std::int16_t>(round * 3));  // some beyond the file
    t.s.Config.setNumMarriages(30);
    for (GedcomFlavour f : {GedcomFlavour::Standard, GedcomFlavour::Gedcom551, GedcomFlavour::Gedcom70}) {
      // 7.0's byte-order mark stays out of the line checks.
      const std::string file = build(t, t.options("x.ged", f)).substr(f == GedcomFlavour::Gedcom70 ? 3 : 0);
      if (round > 4) { EXPECT_NE(file.find(" INDI\r\n"), std::string::npos); }
      EXPECT_EQ(file.find('\0'), std::string::npos);
      for (const std::string& l : crlf_lines(file)) {
        EXPECT_EQ(l.find_first_of("\r\n"), std::string::npos) << l;
        EXPECT_TRUE(std::regex_match(l, line_form)) << '"' << l << '"';
      }
      if (f != GedcomFlavour::Standard) { EXPECT_EQ(vft::test::dangling_pointers(file), std::vector<std::string>{}); }
    }
  }
}
