// GEDCOM import: the checks and messages, the merge after an existing tree,
// placeholders, the 120-year rule, names and notes chains.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>

#include "gedcom_import_fixture.h"
#include "relations/tree_check.h"

using namespace vft;
using test::crlf;

namespace {

std::string indis(int n, int first = 1) {
  std::string out;
  for (int i = first; i < first + n; ++i) out += crlf({"0 @I" + std::to_string(i) + "@ INDI", "1 NAME A /B/"});
  return out;
}

class GedcomImport : public test::ImportTest {};

}  // namespace

// ---- refusals: each one shows its message and changes nothing

TEST_F(GedcomImport, RefusalsShowTheirMessageAndLeaveTheTreeByteForByte) {
  existing_tree(10, 4);
  const auto before = record_files();
  struct Case {
    std::string bytes, title, text;
  } cases[] = {
      {"<html>\r\n" + file(indis(1)), "Import a GEDCOM File",
       "The file 'test.ged' is not a valid GEDCOM file. (Missing header)"},
      {"", "Import a GEDCOM File", "The file 'test.ged' is not a valid GEDCOM file. (Missing header)"},
      // A truncated file whose last record happens to mention TRLR long before the end.
      {"0 HEAD\r\n1 NOTE TRLR\r\n" + indis(20), "Import a GEDCOM File",
       "This GEDCOM file is incomplete and cannot be imported."},
      {file(crlf({"0 @S1@ SUBM", "1 NAME Someone"})), "Import a GEDCOM File",
       "The file 'test.ged' holds no individuals, so there is nothing to import.\r\n"
       "Your existing Family Files have not been changed."},
  };
  for (const auto& c : cases) {
    prompter.shown.clear();
    ImportResult r = ImportGedcomData(s, c.bytes, "test.ged", {});
    EXPECT_EQ(r.status, ImportStatus::Refused);
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].title, c.title);
    EXPECT_EQ(prompter.shown[0].text, c.text);
    EXPECT_EQ(prompter.shown[0].icon, Icon::Critical);
    EXPECT_EQ(r.message, c.text);
  }
  EXPECT_EQ(record_files(), before);
  EXPECT_EQ(s.Config.NumPersons(), 10);
  EXPECT_TRUE(s.RecordsSaved);
}

TEST_F(GedcomImport, TheLimitCountsExistingPersonsAndPlaceholders) {
  existing_tree(10, 4);
  s.Config.setNumPersons(14998);
  const auto before = record_files();
  ImportResult r = import(indis(2));  // 14998 + 2 reaches 15000
  EXPECT_EQ(r.status, ImportStatus::Refused);
  ASSERT_EQ(prompter.shown.size(), 1u);
  EXPECT_EQ(prompter.shown[0].text,
            "It's not possible to import this file  \r\nto Vorlan Family Tree. \r\n  \r\n"
            "The total number of individuals would exceed  \r\nthe Vorlan Family Tree limit of 15,000.");

  // 14997 + 2 individuals fits, but not with the wife a lone husband needs.
  prompter.shown.clear();
  s.Config.setNumPersons(14997);
  r = import(indis(2) + crlf({"0 @F1@ FAM", "1 HUSB @I1@"}));
  EXPECT_EQ(r.status, ImportStatus::Refused);
  EXPECT_EQ(prompter.shown.size(), 1u);
  EXPECT_EQ(record_files(), before);

  prompter.shown.clear();
  r = imported(indis(2));
  EXPECT_EQ(r.counts.first_person, 14998);
  EXPECT_EQ(s.Config.NumPersons(), 14999);
  EXPECT_EQ(person(14999).PerNum, 14999);
}

TEST_F(GedcomImport, LettersInIdentifiersAskFirst) {
  existing_tree(2, 1);
  const auto before = record_files();
  const std::string body = crlf({"0 @P1@ INDI", "1 NAME Ann /Lee/", "0 @P2@ INDI", "1 NAME Bob /Lee/", "0 @FAM1@ FAM",
                                 "1 HUSB @P2@", "1 WIFE @P1@"});
  prompter.answers = {kAnswerNo};
  ImportResult r = import(body);
  EXPECT_EQ(r.status, ImportStatus::Cancelled);
  ASSERT_EQ(prompter.shown.size(), 1u);
  const Message& q = prompter.shown[0];
  EXPECT_EQ(q.title, "Import GEDCOM File");
  EXPECT_EQ(q.text,
            "This GEDCOM file contains alpha characters (letters) as well as\r\n"
            "numbers in some of its data lines and requires extra processing.\r\n"
            "This could take some time to process. \r\nDo you want to proceed?");
  EXPECT_EQ(q.buttons, Buttons::YesNo);
  EXPECT_EQ(q.icon, Icon::Question);
  EXPECT_EQ(record_files(), before);

  prompter.shown.clear();
  prompter.answers = {kAnswerYes};
  r = import(body);
  ASSERT_EQ(r.status, ImportStatus::Imported);
  EXPECT_EQ(prompter.shown.size(), 1u);
  EXPECT_EQ(family(2).Husband, 4);
  EXPECT_EQ(family(2).Wife, 3);
}

TEST_F(GedcomImport, CancelAtAnyStageAbandonsWithTheMessage) {
  existing_tree(3, 1);
  const auto before = record_files();
  const std::string body = indis(3) + crlf({"0 @F1@ FAM", "1 HUSB @I1@", "1 CHIL @I2@"});
  for (const char* stage :
       {"Reading ", "Counting", "Processing Individuals", "Getting Individuals ", "Processing Families",
        "Checking Families", "Re-numbering Individuals", "Checking Partners"}) {
    prompter.shown.clear();
    Progress cancel_at = [&](const std::string& m, long) { return m != stage; };
    ImportResult r = ImportGedcomData(s, file(body), "test.ged", cancel_at);
    EXPECT_EQ(r.status, ImportStatus::Cancelled) << stage;
    ASSERT_EQ(prompter.shown.size(), 1u) << stage;
  }
  EXPECT_EQ(prompter.shown.back().text,
            "GEDCOM Import abandoned. \r\n  \r\n Your existing Vorlan Family Files      \r\n have not been changed.");
  EXPECT_EQ(record_files(), before);
}

// ---- the merge

TEST_F(GedcomImport, ATreeWithTenPersonsAndFourMarriagesGetsElevenAndFive) {
  existing_tree(10, 4);
  const auto before = record_files();
  ImportResult r =
      imported(crlf({"0 @I1@ INDI", "1 NAME Ann /New/", "1 SEX F", "1 NOTE First new note", "0 @I2@ INDI",
                     "1 NAME Bob /New/", "1 SEX M", "0 @I3@ INDI", "1 NAME Cy /New/", "0 @F1@ FAM", "1 HUSB @I2@",
                     "1 WIFE @I1@", "1 CHIL @I3@", "1 MARR", "2 DATE 3 MAR 1990", "2 PLAC Rome"}));
  EXPECT_EQ(r.counts.first_person, 11);
  EXPECT_EQ(r.counts.first_family, 5);
  EXPECT_EQ(s.Config.NumPersons(), 13);
  // Family 5, then parent families for the two partners (nobody's children).
  EXPECT_EQ(s.Config.NumMarriages(), 7);
  EXPECT_EQ(s.Config.LastPerson(), 3);
  EXPECT_FALSE(s.RecordsSaved);
  const MarriageRecord& f = family(5);
  EXPECT_EQ((std::array<int, 3>{f.MarNum, f.Husband, f.Wife}), (std::array<int, 3>{5, 12, 11}));
  EXPECT_EQ(kids(5), std::vector<int>{13});
  EXPECT_EQ(T(ceremony(5).MarriedDate) + "|" + T(ceremony(5).MarriedAt), "3 Mar 1990|Rome");
  EXPECT_EQ(kids(6), std::vector<int>{11});
  EXPECT_EQ(kids(7), std::vector<int>{12});
  EXPECT_EQ(family(6).Husband + family(6).Wife, 0);
  EXPECT_EQ((std::array<int, 2>{person(11).NumPartners, person(13).NumPartners}), (std::array<int, 2>{1, 0}));
  // The old records are untouched; the new note is chained after the old ones.
  auto after = record_files();
  for (const char* f : {recfile::Person, recfile::Notes, recfile::Marriage}) {
    ASSERT_GE(after[f].size(), before.at(f).size()) << f;
    EXPECT_TRUE(std::equal(before.at(f).begin(), before.at(f).end(), after[f].begin())) << f;
  }
  EXPECT_EQ(notes(11), "First new note");
}

TEST_F(GedcomImport, AnEmptyTreeShowsTheFirstImportedPerson) {
  imported(indis(2));
  EXPECT_EQ(s.Config.LastPerson(), 1);
}

TEST_F(GedcomImport, NotesAreChainedAsAppendNotesDoes) {
  std::string t84(84, 'n');
  t84[0] = 'A';
  imported(
      crlf({"0 @I1@ INDI", "1 NOTE " + t84.substr(0, 50), "2 CONC " + t84.substr(50), "0 @I2@ INDI", "1 NOTE short"}));
  auto bytes = fileio::read_all(s.work(recfile::Notes));
  ASSERT_TRUE(bytes);
  ASSERT_EQ(bytes->size(), 4 * kNotesLen);
  // Owner, length, next: 84 characters end with an empty record.
  std::vector<std::array<int, 3>> recs;
  for (std::size_t i = 0; i < 4; ++i) {
    const NotesRecord r = decode_notes(bytes->data() + i * kNotesLen);
    recs.push_back({r.Owner, r.ChunkLen, r.Next});
  }
  EXPECT_EQ(recs, (std::vector<std::array<int, 3>>{{1, 42, 2}, {1, 42, 3}, {1, 0, -1}, {2, 5, -1}}));
  EXPECT_EQ(person(2).NotesRec, 4);
  EXPECT_EQ(notes(1), t84);
}

TEST_F(GedcomImport, SummaryErrorListAndHeader) {
  ImportResult r = import(crlf({"0 @S9@ SUBM", "1 NAME Sam Sender", "1 ADDR 1 Road", "2 CONT Town", "1 PHON 555",
                                "0 @I1@ INDI", "1 NAME Ann /Lee/", "1 NOTE @N404@", "0 @I2@ INDI", "1 NAME Bob /Lee/",
                                "0 @I3@ INDI", "1 NAME Cy /Lee/", "1 NOTE @N1@", "0 @N1@ NOTE fine"}));
  ASSERT_EQ(r.status, ImportStatus::Imported);
  EXPECT_EQ(r.summary,
            "Finished GEDCOM import.\r\n3 Individuals were found\r\n"
            "Click 'OK' to merge the GEDCOM file with your existing\r\n"
            "Family Files or 'Cancel' to abandon the GEDCOM import.");
  EXPECT_EQ(r.errors,
            "\r\nThe following individuals had unreadable GEDCOM notes:\r\nNumber 1  Ann Lee\r\n"
            "Click 'Print' to print this list.");
  EXPECT_TRUE(prompter.shown.empty());  // the import window shows them
  EXPECT_EQ(notes(1), "");
  EXPECT_EQ((std::vector<std::string>{r.header.Source, r.header.SubmitterName, r.header.SubmitterAddress,
                                      r.header.SubmitterPhone}),
            (std::vector<std::string>{"TEST", "Sam Sender", "1 Road\r\nTown", "555"}));
}

// ---- the edge cases users run into

// GEDCOM 7.0 as other programs write it: "@@" only at the start of a value,
// @VOID@ pointers, a citation without a source record, dates in words, "NO MARR"
// and the unmarried couple's own event; any other family EVEN is left out.
TEST_F(GedcomImport, Gedcom70Structures) {
  ImportResult r = ImportGedcomData(s,
                                    "0 HEAD\n1 GEDC\n2 VERS 7.0\n" + crlf({"0 @I1@ INDI",
                                                                           "1 NAME Ann /Lee/",
                                                                           "1 NOTE @@home a@@b",
                                                                           "1 SOUR @VOID@",
                                                                           "2 PAGE Census 1901",
                                                                           "1 BIRT",
                                                                           "2 DATE",
                                                                           "3 PHRASE Easter 1900",
                                                                           "1 DEAT",
                                                                           "2 DATE 1950",
                                                                           "3 PHRASE in spring",
                                                                           "0 @I2@ INDI",
                                                                           "1 NAME Bob /Lee/",
                                                                           "1 FAMC @VOID@",
                                                                           "0 @F1@ FAM",
                                                                           "1 HUSB @I2@",
                                                                           "1 WIFE @I1@",
                                                                           "1 NO MARR",
                                                                           "1 EVEN",
                                                                           "2 TYPE Unmarried",
                                                                           "2 DATE 1 MAY 1950",
                                                                           "2 PLAC Rome",
                                                                           "0 @F2@ FAM",
                                                                           "1 HUSB @VOID@",
                                                                           "1 WIFE @I1@",
                                                                           "1 EVEN",
                                                                           "2 TYPE Engagement",
                                                                           "2 DATE 1949",
                                                                           "1 DIV",
                                                                           "0 TRLR"}),
                                    "t.ged", {});
  ASSERT_EQ(r.status, ImportStatus::Imported);
  EXPECT_EQ(notes(1), "@home a@@b");
  const PersonRecord p = person(1);
  EXPECT_EQ((std::vector<std::string>{T(p.Source), T(p.BirthDate), T(p.DeathDate)}),
            (std::vector<std::string>{"Census 1901", "Easter 1900", "1950"}));
  EXPECT_EQ((std::array<int, 4>{family(1).NotMarried, family(1).Divorced, family(2).NotMarried, family(2).Divorced}),
            (std::array<int, 4>{-1, 0, 0, -1}));
  EXPECT_EQ(T(ceremony(1).MarriedDate) + "|" + T(ceremony(1).MarriedAt) + "|" + T(ceremony(2).MarriedDate),
            "1 May 1950|Rome|");
  EXPECT_NE(std::find(r.log.begin(), r.log.end(), "Skipped FAM EVEN: 1 (first at line 29)"), r.log.end());
}

TEST_F(GedcomImport, PlaceholderPartners) {
  imported(crlf({"0 @I1@ INDI", "1 SEX M",     "0 @I2@ INDI", "1 SEX F",     "0 @I3@ INDI",
                 "1 SEX M",     "0 @I4@ INDI", "1 SEX F",     "0 @I5@ INDI", "1 SEX M",
                 "0 @I9@ INDI",  // a child
                 "0 @F1@ FAM",  "1 HUSB @I1@", "1 CHIL @I9@", "0 @F2@ FAM",  "1 WIFE @I2@",
                 "1 DIV Y",     "0 @F3@ FAM",  "1 HUSB @I3@", "1 MARR",      "2 DATE NOT MARRIED",
                 "0 @F4@ FAM",  "1 WIFE @I4@", "0 @F5@ FAM",  "1 HUSB @I5@", "1 DIV"}));
  struct Want {
    int family;
    const char* name;
    const char* sex;
  } want[] = {{1, "Unknown Wife", "F"},
              {2, "Unknown Husband (Div", "M"},  // the 20-character field keeps what fits
              {3, "Unknown Partner", "F"},
              {4, "Unknown Husband", "M"},
              {5, "Unknown Wife (Div.)", "F"}};
  for (int i = 0; i < 5; ++i) {
    const int n = 7 + i;
    const MarriageRecord& f = family(want[i].family);
    EXPECT_EQ(std::string(want[i].sex) == "F" ? f.Wife : f.Husband, n);
    PersonRecord p = person(n);
    EXPECT_EQ(T(p.FamName), want[i].name);
    EXPECT_EQ(T(p.BirthDate), "? ??? ????");
  }
  EXPECT_EQ(kids(1), std::vector<int>{6});
  // Everyone but the child gets a parent family of its own, in person order.
  EXPECT_EQ(s.Config.NumMarriages(), 5 + 10);
  EXPECT_EQ(kids(6), std::vector<int>{1});
  EXPECT_EQ(kids(15), std::vector<int>{11});
  EXPECT_TRUE(CheckTree(s).empty());
}

TEST_F(GedcomImport, PersonsBornMoreThan120YearsAgoHaveDied) {
  // "Today" is 5 Dec 2026.
  imported(crlf({"0 @I1@ INDI", "1 BIRT",      "2 DATE 1906",  // 120 years: alive
                 "0 @I2@ INDI", "1 BIRT",      "2 DATE 31 DEC 1905", "0 @I3@ INDI", "1 BIRT Y",    "0 @I4@ INDI",
                 "1 CHR",       "2 DATE 1800",  // no birth year
                 "0 @I5@ INDI", "1 BURI",      "0 @I6@ INDI",        "1 DEAT Y",    "0 @I7@ INDI", "1 BIRT",
                 "2 DATE 1800", "1 DEAT",      "2 DATE 1 JAN 1870",  "0 @I8@ INDI", "1 BIRT",      "2 DATE 44 B.C."}));
  const char* want[] = {"", "? ??? ????", "", "", "? ??? ????", "? ??? ????", "1 Jan 1870", "? ??? ????"};
  for (int n = 1; n <= 8; ++n) EXPECT_EQ(T(person(n).DeathDate), want[n - 1]) << n;
  EXPECT_EQ(T(person(2).BirthDate), "31 Dec 1905");  // the last day of a month is kept
  EXPECT_EQ(T(person(5).InterDate), "? ??? ????");
}

TEST_F(GedcomImport, NamesWithAndWithoutSlashes) {
  imported(crlf({"0 @I1@ INDI", "1 NAME John Smith", "0 @I2@ INDI", "1 NAME /Bestla/", "0 @I3@ INDI", "1 NAME Ann //",
                 "0 @I4@ INDI", "1 NAME Louis /de Bourbon/ XIV", "0 @I5@ INDI", "1 NAME John Smith", "2 GIVN John",
                 "2 SURN Smith", "0 @I6@ INDI", "1 NAME Mary Jones", "2 SURN Jones", "0 @I7@ INDI", "1 NAME",
                 "2 GIVN Eve", "0 @I8@ INDI", "0 @I9@ INDI", "1 NAME First /Name/", "1 NAME Second /Name/",
                 // "/" inside the names: the family name keeps its place
                 "0 @I10@ INDI", "1 NAME Grelod inghen Donnchaidh /? sa /Gruaidh Dungadsdotte/", "0 @I11@ INDI",
                 "1 NAME John /Smith/Jones/", "0 @I12@ INDI", "1 NAME Gerald R/Jr/Ford/"}));
  std::pair<const char*, const char*> want[] = {{"John Smith", "?"},
                                                {"", "Bestla"},
                                                {"Ann", "?"},
                                                {"Louis XIV", "de Bourbon"},
                                                {"John", "Smith"},
                                                {"Mary", "Jones"},
                                                {"Eve", "?"},
                                                {"", "?"},
                                                {"First", "Name"},
                                                {"Grelod inghen Donnchaidh /? sa", "Gruaidh Dungadsdotte"},
                                                {"John", "Smith/Jones"},
                                                {"Gerald R/Jr", "Ford"}};
  for (int n = 1; n <= 12; ++n) {
    EXPECT_EQ(T(person(n).GivenNames), want[n - 1].first) << n;
    EXPECT_EQ(T(person(n).FamName), want[n - 1].second) << n;
  }
}
