// GEDCOM import of files as other programs write them: identifier forms,
// encodings and line forms, skipped structures, notes, divorces, addresses,
// dates, long values, large and doubly-linked families, partners' sexes, a
// full notes file, and hostile input.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "date_forms_table.h"
#include "gedcom_import_fixture.h"
#include "interchange/gedcom_import_internal.h"

using namespace vft;
using test::crlf;
using test::expect_consistent_tree;

namespace {

class GedcomRobust : public test::ImportTest {};

}  // namespace

TEST_F(GedcomRobust, IdentifiersOfAnyFormAreNumberedInFileOrder) {
  imported(crlf({"0 @I500001@ INDI", "1 SEX M", "0 @I0001@ INDI", "1 SEX F", "0 @I7@ INDI", "0 @FAM_7@ FAM",
                 "1 HUSB @I500001@", "1 WIFE @I0001@", "1 CHIL @I1@", "1 CHIL @I7@", "0 @F2@ FAM", "1 HUSB @I999@",
                 "1 CHIL @I0001@"}));
  EXPECT_EQ(family(1).Husband, 1);
  EXPECT_EQ(kids(1), std::vector<int>{3});  // "@I1@" is not "@I0001@"
  EXPECT_EQ(family(2).Husband, 0);          // nobody is "@I999@"
  EXPECT_EQ(kids(2), std::vector<int>{2});
  expect_consistent_tree(s);
}

// The lexer's tests read each line form; here a whole file of them, with a
// header ended by CR alone and blank lines after the trailer, imports.
TEST_F(GedcomRobust, LineEndsIndentsAndBlankLinesAroundTheRecords) {
  const std::string body =
      "0 @I1@ INDI\n  1 NAME Ann /Lee/\r\r\n\t1 ADDR me@@home.org\r1 SEX F\n\n\n"
      "0 @I2@ INDI\r\n1 NAME Bob /Lee/\n";
  ASSERT_EQ(ImportGedcomData(s, "0 HEAD\r" + body + "0 TRLR\n\n\n", "t.ged", {}).status, ImportStatus::Imported);
  EXPECT_EQ(T(person(1).CurrAddress), "me@home.org");
  EXPECT_EQ(T(person(2).FamName), "Lee");
}

TEST_F(GedcomRobust, OtherStructuresAreSkippedWithEverythingBelowThem) {
  ImportResult r = imported(crlf({"0 @I1@ INDI",
                                  "1 BIRT Y",
                                  "1 CHAN",
                                  "2 DATE 1 JAN 2020",
                                  "1 EVEN",
                                  "2 DATE 1900",
                                  "2 PLAC Nowhere",
                                  "1 RESI",
                                  "2 PLAC Paris",
                                  "2 DATE 1950",
                                  "1 DEAT",
                                  "2 SOUR @S1@",
                                  "3 DATE 1 JAN 1999",
                                  "3 PLAC Deep",
                                  "1 _CUSTOM x",
                                  "2 NAME Other /Name/",
                                  "3 DATE 1800",
                                  "1 NAME Real /Name/",
                                  "0 @S1@ SOUR",
                                  "1 TITL x",
                                  "2 DATE 1700",
                                  "0 _MYOWNTAG",
                                  "1 NAME Not /A Person/",
                                  "0 @F1@ FAM",
                                  "1 CHAN",
                                  "2 DATE 2 FEB 2002",
                                  "1 MARR Y",
                                  "1 CHIL @I1@"}));
  PersonRecord p = person(1);
  EXPECT_EQ(T(p.BirthDate), "? ??? ????");
  EXPECT_EQ(T(p.BirthPlace), "");
  EXPECT_EQ(T(p.DeathDate), "? ??? ????");
  EXPECT_EQ(T(p.DeathPlace), "");
  EXPECT_EQ(T(p.GivenNames), "Real");
  EXPECT_EQ(s.Config.NumPersons(), 1);
  EXPECT_EQ(T(ceremony(1).MarriedDate), "? ??? ????");
  // The log names what was left out, with the first line it was found on.
  auto has = [&](const std::string& text) { return std::find(r.log.begin(), r.log.end(), text) != r.log.end(); };
  EXPECT_TRUE(has("Skipped INDI CHAN: 1 (first at line 6)"));
  EXPECT_TRUE(has("Skipped INDI DEAT SOUR: 1 (first at line 15)"));
  EXPECT_TRUE(has("Skipped record _MYOWNTAG: 1 (first at line 25)"));
}

TEST_F(GedcomRobust, LoopsAndDuplicateIdentifiersAreLeftOutAndListed) {
  ImportResult r = imported(
      crlf({"0 @I1@ INDI", "1 NAME Self /Loop/", "1 SEX M",     "0 @I2@ INDI", "1 NAME Ann /Cycle/", "1 SEX F",
            "0 @I3@ INDI", "1 NAME Bob /Cycle/", "1 SEX M",     "0 @I2@ INDI", "1 NAME Twin /Copy/", "0 @F1@ FAM",
            "1 HUSB @I1@", "1 CHIL @I1@",                        // his own child
            "0 @F2@ FAM",  "1 WIFE @I2@",        "1 CHIL @I3@",  // Ann is Bob's mother
            "0 @F3@ FAM",  "1 HUSB @I3@",        "1 CHIL @I2@",  // and Bob is Ann's father
            "0 @F1@ FAM",  "1 HUSB @I3@"}));
  EXPECT_EQ(r.counts.individuals, 3);
  EXPECT_EQ(r.counts.families, 3);
  EXPECT_EQ(r.problems, 4u);
  EXPECT_NE(r.errors.find("\r\nThe following records have an identifier an earlier record already has; they were "
                          "left out:\r\n@I2@  (line 13)\r\n@F1@  (line 24)\r\n"),
            std::string::npos)
      << r.errors;
  EXPECT_NE(r.errors.find("\r\nThe following individuals would have been their own ancestors; these links were "
                          "left out:\r\nNumber 1  Self Loop  (as a child of Family 1)\r\n"
                          "Number 2  Ann Cycle  (as a child of Family 3)\r\n"),
            std::string::npos)
      << r.errors;
  EXPECT_EQ(kids(2), std::vector<int>{3});  // Bob stays Ann's son
  EXPECT_EQ(kids(3), std::vector<int>{});
  EXPECT_TRUE(CheckTree(s).empty());
}

TEST_F(GedcomRobust, TheSummaryCountsWhatWasNotKept) {
  ImportResult r = imported(crlf({"0 @I1@ INDI",
                                  "no level",
                                  "1 NAME Ann /Lee/",
                                  "2 NICK Annie",
                                  "1 NAME Anna /Lee/",
                                  "1 TITL Dr",
                                  "1 SOUR @S1@",
                                  "2 PAGE 5",
                                  "1 BIRT",
                                  "2 DATE 29 FEB 1901",
                                  "2 SOUR @S1@",
                                  "1 OBJE @O1@",
                                  "1 CENS",
                                  "1 BURI",
                                  "2 DATE ABT 31 DEC 1997",
                                  "0 @I2@ INDI",
                                  "1 NAME \xD0\x98\xD0\xB2\xD0\xB0\xD0\xBD /Lee/",
                                  "1 NOTE \xC5\x81\xC3\xB3"
                                  "d\xC5\xBA",
                                  "0 @F1@ FAM",
                                  "1 WIFE @I1@",
                                  "1 MARR",
                                  "2 NOTE In church",
                                  "1 DIV",
                                  "2 DATE 1950",
                                  "0 @S1@ SOUR",
                                  "1 TITL Register",
                                  "0 @S2@ SOUR",
                                  "1 TITL Cited by nobody",
                                  "0 @I3@ INDI",
                                  "1 NAME Cy /Lee/",
                                  "1 NOTE @N1@",
                                  "0 @N1@ NOTE \xC5\x81"}));
  const std::vector<std::string> not_kept = {
      "1 source citation, 1 source record, 1 media link, 1 title, 1 alternative name, 1 part of a name (prefix, "
      "nickname, suffix), 1 other event or fact of a person, 1 note on an event or a family, 1 detail of a divorce "
      "(date, place) were not imported.",
      "1 line could not be read and was left out: line 5.",
      "3 texts held characters this program cannot store; they were replaced by ?.",
      "1 date was shortened to fit the date field; the full text is in the notes."};
  EXPECT_EQ(r.not_kept, not_kept);
  EXPECT_NE(r.summary.find("3 Individuals were found\r\n" + not_kept[0] + "\r\n"), std::string::npos) << r.summary;
  EXPECT_NE(r.errors.find("have a day their month does not have; they were kept as written:\r\n"
                          "Number 1  Ann Lee  (Birth date 29 Feb 1901)\r\n"),
            std::string::npos);
  EXPECT_NE(r.errors.find("cannot store; they were replaced by ?:\r\nNumber 2  ???? Lee\r\nNumber 3  Cy Lee\r\n"),
            std::string::npos);
  EXPECT_EQ(T(person(1).Source), "Register, 5");  // the source record cited, with the page
  EXPECT_EQ(notes(2),
            "?\xF3"
            "d?");
}

TEST_F(GedcomRobust, NotesInlineLinkedAndAsGedcom7SharedNotes) {
  imported(crlf({"0 @I1@ INDI", "1 NOTE First line", "2 CONT second ", "2 CONC line", "1 NOTE @N0001@", "0 @I2@ INDI",
                 "1 NOTE", "2 CONC joined", "2 CONT next", "1 SNOTE @X9@", "0 @I3@ INDI", "1 NOTE @N0001@",
                 "0 @N0001@ NOTE Linked", "1 CONC  text", "1 CONT more", "1 CHAN", "2 DATE 1 JAN 2000",
                 "0 @X9@ SNOTE Shared", "0 @NI5@ NOTE unused"}));
  EXPECT_EQ(notes(1), "First line\r\nsecond line\r\nLinked text\r\nmore");
  EXPECT_EQ(notes(2), "joined\r\nnext\r\nShared");
  EXPECT_EQ(notes(3), "Linked text\r\nmore");
}

TEST_F(GedcomRobust, AWrittenOutSourceIsTheSourceAndOurNoteDoesNotRepeatIt) {
  imported(crlf({"0 @I1@ INDI", "1 SOUR Parish register", "1 NOTE Information Source: Parish register. Born.",
                 "2 CONT Died.", "0 @I2@ INDI", "1 SOUR Census", "1 NOTE Information Source: Census.", "0 @I3@ INDI",
                 "1 SOUR Census", "1 NOTE Information Source: Parish register. Kept.", "1 SOUR Second"}));
  const std::pair<const char*, const char*> want[] = {
      {"Parish register", "Born.\r\nDied."}, {"Census", ""}, {"Census", "Information Source: Parish register. Kept."}};
  for (int n = 1; n <= 3; ++n) {
    EXPECT_EQ(T(person(n).Source), want[n - 1].first) << n;
    EXPECT_EQ(notes(n), want[n - 1].second) << n;
  }
}

TEST_F(GedcomRobust, DivorceInAnyFormAndMarriageEvents) {
  std::string body = crlf({"0 @M@ INDI", "1 NAME Max /Man/", "1 SEX M", "0 @W@ INDI", "1 NAME Wil /Wife/", "1 SEX F"});
  const char* fams[] = {"1 DIV Y",
                        "1 DIV\r\n2 DATE 1990\r\n2 PLAC Court",
                        "1 DIV N",
                        "1 MARR\r\n2 DATE not married\r\n2 PLAC Here",
                        "1 MARR\r\n2 PLAC Church",
                        "1 MARR\r\n2 DATE @#DJULIAN@ 5 JAN 1700",
                        "1 MARR\r\n2 TYPE Unmarried\r\n2 PLAC There"};
  int n = 0;
  for (const char* f : fams) body += crlf({"0 @F" + std::to_string(++n) + "@ FAM", "1 HUSB @M@", "1 WIFE @W@", f});
  prompter.answers = {kAnswerYes};
  ASSERT_EQ(import(body).status, ImportStatus::Imported);
  for (int m = 1; m <= 3; ++m) {
    EXPECT_EQ(family(m).Divorced, -1) << m;
    EXPECT_EQ(T(ceremony(m).MarriedAt), "") << m;  // a divorce's place is not the wedding's
  }
  EXPECT_EQ(family(4).Divorced, 0);
  EXPECT_EQ(family(4).NotMarried, -1);
  EXPECT_EQ(T(ceremony(4).MarriedDate), "");
  EXPECT_EQ(T(ceremony(4).MarriedAt), "Here");
  EXPECT_EQ(T(ceremony(5).MarriedDate), "? ??? ????");
  EXPECT_EQ(T(ceremony(5).MarriedAt), "Church");
  EXPECT_EQ(T(ceremony(6).MarriedDate), "5 Jan 1700");
  EXPECT_EQ(family(7).NotMarried, -1);
  EXPECT_EQ(T(ceremony(7).MarriedDate), "");
  EXPECT_EQ(T(ceremony(7).MarriedAt), "There");
  EXPECT_EQ(person(1).NumPartners, 7);
  // The Julian date's original goes to both partners' notes.
  EXPECT_EQ(notes(1), "Marriage date (Wil Wife): @#DJULIAN@ 5 JAN 1700");
  EXPECT_EQ(notes(2), "Marriage date (Max Man): @#DJULIAN@ 5 JAN 1700");
}

TEST_F(GedcomRobust, AddressesFromResidencesWhenThereIsNoAddress) {
  imported(crlf({"0 @I1@ INDI",   "1 RESI",       "2 ADDR 12 Main St",
                 "3 CONT Town",   "2 PHON 123",   "0 @I2@ INDI",
                 "1 ADDR 1 Here", "1 RESI",       "2 ADDR 2 There",
                 "0 @I3@ INDI",   "1 RESI",       "2 ADDR",
                 "3 ADR1 5 Elm",  "3 CITY Ville", "0 @I4@ INDI",
                 "1 RESI",        "2 ADDR Old",   "1 RESI",
                 "2 ADDR New",    "0 @I5@ INDI",  "1 ADDR",
                 "2 ADR1 7 Oak",  "2 CITY Burg",  "1 PHON 9",
                 "1 RESI",        "2 PHON 8"}));
  const char* want[] = {"12 Main St, Town", "1 Here", "5 Elm, Ville", "New", "7 Oak, Burg"};
  for (int n = 1; n <= 5; ++n) EXPECT_EQ(T(person(n).CurrAddress), want[n - 1]) << n;
  EXPECT_EQ(T(person(1).Phone), "123");
  EXPECT_EQ(T(person(5).Phone), "9");
}

TEST(GedcomDates, OtherProgramsDateFormsToOurs) {
  for (const test::RealDate& c : test::kRealDates) {
    gedcom::ConvertedDate d = gedcom::ConvertDate(c.in);
    EXPECT_EQ(d.stored, c.stored) << c.in;
    EXPECT_EQ(d.to_notes, !c.whole) << c.in;
    EXPECT_EQ(d.impossible_day, c.impossible) << c.in;
  }
  // What only a date box reads as shorthand is kept as a file wrote it.
  const char* as_written[] = {"5/1/1901", "5 JAN 19", "1 2 1901", "ABT 05", " 5 1 1901 ", "1901/1920"};
  for (const char* in : as_written) EXPECT_EQ(gedcom::ConvertDate(in).stored, cp1252::trim(in)) << in;
  // The year the 120-year rule may count from: none when only a lower bound is known.
  const std::pair<const char*, int> years[] = {{"ABT 1850", 1850}, {"BEF 1850", 1850},  {"AFT 1850", 0},
                                               {"FROM 1850", 0},   {"1850-1855", 1855}, {"44 B.C.", -44},
                                               {"Easter 1850", 0}, {"10 ??? ????", 0}};
  for (auto [in, year] : years) EXPECT_EQ(gedcom::ConvertDate(in).year, year) << in;
}

TEST_F(GedcomRobust, LongValuesAreCutAndKeptWholeInTheNotes) {
  const std::string place(60, 'p'), occu(70, 'o'), given(40, 'g'), fam(25, 'f'), wed(250, 'w');
  imported(crlf({"0 @I1@ INDI", "1 NAME " + given + " /" + fam + "/", "1 SEX M", "1 NOTE Own note first", "1 BIRT",
                 "2 DATE BET 2 SEP 1715 AND 16 FEB 1723", "2 PLAC " + place, "1 OCCU " + occu, "0 @I2@ INDI",
                 "1 NAME Mary /Wed/", "1 SEX F", "0 @F1@ FAM", "1 HUSB @I1@", "1 WIFE @I2@", "1 MARR",
                 "2 DATE 1 JAN 1740", "2 PLAC " + wed}));
  PersonRecord p = person(1);
  EXPECT_EQ(T(p.GivenNames), given.substr(0, 30));
  EXPECT_EQ(T(p.FamName), fam.substr(0, 20));
  EXPECT_EQ(T(p.BirthDate), "1715-1723");
  EXPECT_EQ(T(p.BirthPlace), place.substr(0, 50));
  EXPECT_EQ(T(p.Occupation), occu.substr(0, 50));
  EXPECT_EQ(notes(1), "Own note first\r\nGiven names: " + given + "\r\nFamily name: " + fam +
                          "\r\nBirth date: BET 2 SEP 1715 AND 16 FEB 1723\r\nBirth place: " + place +
                          "\r\nOccupation: " + occu + "\r\nMarriage place (Mary Wed): " + wed);
  EXPECT_EQ(T(ceremony(1).MarriedAt), wed.substr(0, 200));
  EXPECT_EQ(notes(2), "Marriage place (" + given.substr(0, 30) + " " + fam.substr(0, 20) + "): " + wed);
}

TEST_F(GedcomRobust, MoreThanFortyOneChildrenAreLeftOutAndListed) {
  std::string body = crlf({"0 @D@ INDI", "1 NAME Dad /Many/", "1 SEX M"});
  std::string fam = crlf({"0 @F1@ FAM", "1 HUSB @D@"});
  for (int k = 1; k <= 43; ++k) {
    body += crlf({"0 @K" + std::to_string(k) + "@ INDI", "1 NAME Kid" + std::to_string(k) + " /Many/"});
    fam += crlf({"1 CHIL @K" + std::to_string(k) + "@"});
  }
  prompter.answers = {kAnswerYes};
  ImportResult r = import(body + fam);
  ASSERT_EQ(r.status, ImportStatus::Imported);
  EXPECT_EQ(family(1).NumKids, 41);
  EXPECT_EQ(kids(1).back(), 42);
  EXPECT_EQ(r.errors,
            "\r\nThe following children were left out of families that already had 41 children:\r\n"
            "Number 43  Kid42 Many  (Family 1)\r\nNumber 44  Kid43 Many  (Family 1)\r\n"
            "Click 'Print' to print this list.");
  expect_consistent_tree(s);
}

TEST_F(GedcomRobust, EachChildStaysInItsFirstFamilyAndOneSidedLinksCount) {
  ImportResult r =
      imported(crlf({"0 @I1@ INDI", "1 SEX M", "1 FAMS @F2@", "0 @I2@ INDI", "1 SEX F", "0 @I3@ INDI", "1 NAME Kid /A/",
                     "1 FAMC @F1@", "0 @I4@ INDI", "1 NAME Adopted /B/", "0 @F1@ FAM", "1 HUSB @I1@", "1 WIFE @I2@",
                     "1 CHIL @I4@", "1 CHIL @I4@", "0 @F2@ FAM", "1 WIFE @I2@", "1 CHIL @I4@"}));
  EXPECT_EQ(kids(1), (std::vector<int>{4, 3}));  // listed first, then the FAMC-only child
  EXPECT_EQ(family(2).Husband, 1);               // from I1's FAMS
  EXPECT_EQ(kids(2), std::vector<int>{});
  EXPECT_EQ(r.errors,
            "\r\nThe following individuals are children in more than one family; only the first one keeps them:"
            "\r\nNumber 4  Adopted B  (not in Family 2)\r\nClick 'Print' to print this list.");
  expect_consistent_tree(s);
}

TEST_F(GedcomRobust, PartnersAreSettledBySex) {
  ImportResult r = imported(
      crlf({"0 @I1@ INDI",     "1 NAME Un /Known/", "0 @I2@ INDI", "1 SEX F",         "0 @I3@ INDI", "1 SEX F",
            "0 @I4@ INDI",     "1 SEX M",           "0 @I5@ INDI", "1 NAME Al /Man/", "1 SEX M",     "0 @I6@ INDI",
            "1 NAME Bo /Man/", "1 SEX M",           "0 @F1@ FAM",  "1 HUSB @I1@",     "1 WIFE @I2@", "0 @F2@ FAM",
            "1 HUSB @I3@",     "1 WIFE @I4@",       "0 @F3@ FAM",  "1 HUSB @I5@",     "1 WIFE @I6@"}));
  EXPECT_EQ(person(1).Sex, "M");    // unknown, given by the place
  EXPECT_EQ(family(2).Husband, 4);  // written the wrong way round
  EXPECT_EQ(family(2).Wife, 3);
  EXPECT_EQ(family(3).Husband, 5);
  EXPECT_EQ(family(3).Wife, 7);
  EXPECT_EQ(r.errors,
            "\r\nThe following individuals could not be partners in a family because of their sex:\r\n"
            "Number 6  Bo Man  (Family 3)\r\nClick 'Print' to print this list.");
  expect_consistent_tree(s);
}

TEST_F(GedcomRobust, NotesStopWhereTheNotesFileIsFull) {
  // Room for seven more records: chains use 16-bit record numbers.
  Bytes full(static_cast<std::size_t>(gedcom::kMaxNotesRecords - 7) * kNotesLen, 0);
  ASSERT_TRUE(test::put_file(s.work(recfile::Notes), full));
  const std::string long_note(500, 'z');
  ImportResult r = import(crlf(
      {"0 @I1@ INDI", "1 NAME Long /Note/", "1 NOTE " + long_note, "0 @I2@ INDI", "1 NAME Short /Note/", "1 NOTE hi"}));
  ASSERT_EQ(r.status, ImportStatus::Imported);
  EXPECT_EQ(notes(1), long_note.substr(0, 6 * 42 + 41));
  EXPECT_EQ(fileio::size_of(s.work(recfile::Notes)), gedcom::kMaxNotesRecords * 48);
  EXPECT_EQ(person(2).NotesRec, -1);
  EXPECT_EQ(r.errors,
            "\r\nThe notes of the following individuals were shortened because the notes file is full:\r\n"
            "Number 1  Long Note\r\nNumber 2  Short Note\r\nClick 'Print' to print this list.");
}

TEST_F(GedcomRobust, ASharedNoteIsNotCopiedBeyondWhatTheNotesFileHolds) {
  // 3000 persons point at one 20,000-character note: 60 MB if copied for
  // each, while the notes file holds about 1.4 MB in all.
  std::string body;
  for (int n = 1; n <= 3000; ++n) body += crlf({"0 @I" + std::to_string(n) + "@ INDI", "1 NOTE @N1@"});
  body += "0 @N1@ NOTE " + std::string(20000, 'q') + "\r\n";
  ImportResult r = imported(body);
  EXPECT_EQ(notes(1), std::string(20000, 'q'));
  EXPECT_LE(fileio::size_of(s.work(recfile::Notes)), gedcom::kMaxNotesRecords * 48);
  EXPECT_EQ(person(3000).NotesRec, -1);
  EXPECT_NE(r.errors.find("Number 3000  ?\r\nClick 'Print' to print this list."), std::string::npos);
  expect_consistent_tree(s);
}

TEST_F(GedcomRobust, HostileInputNeverCrashesOrBreaksTheTree) {
  std::mt19937 rng(12345);
  std::vector<std::string> bodies;
  // Random bytes between a header and a trailer.
  for (int i = 0; i < 20; ++i) {
    std::string b;
    for (int k = 0; k < 2000; ++k) b.push_back(static_cast<char>(rng() % 256));
    bodies.push_back(b + "\r\n");
  }
  // Random lines made of the tags the handlers know.
  const char* words[] = {"0",    "1",    "2",    "3",    "@I1@", "@I2@", "@F1@", "@N1@", "INDI", "FAM",   "NOTE",
                         "CHIL", "HUSB", "WIFE", "FAMC", "FAMS", "CONT", "CONC", "NAME", "/x/",  "DATE",  "PLAC",
                         "RESI", "ADDR", "DIV",  "MARR", "BIRT", "SEX",  "M",    "F",    "@@",   "SNOTE", "1850"};
  for (int i = 0; i < 120; ++i) {
    std::string b = "0 @I9@ INDI\r\n";  // a file without individuals is refused
    for (int line = 0; line < 60; ++line) {
      int n = 1 + static_cast<int>(rng() % 4);
      for (int w = 0; w < n; ++w) b += std::string(w ? " " : "") + words[rng() % std::size(words)];
      b += rng() % 3 ? "\r\n" : "\n";
    }
    bodies.push_back(b);
  }
  // Deep nesting, a thousand children of one family, a self-referencing person.
  std::string deep = "0 @I1@ INDI\r\n";
  for (int l = 1; l < 999; ++l) deep += std::to_string(l) + " NOTE x\r\n";
  bodies.push_back(deep);
  std::string many = "0 @I1@ INDI\r\n1 FAMS @F1@\r\n1 FAMC @F1@\r\n0 @F1@ FAM\r\n1 HUSB @I1@\r\n";
  for (int k = 0; k < 1000; ++k) many += "1 CHIL @I1@\r\n1 WIFE @I1@\r\n";
  bodies.push_back(many);

  int imports = 0;
  for (const auto& b : bodies) {
    test::TempSession fresh;
    ImportResult r = ImportGedcomData(fresh.s, file(b), "h.ged", {});
    ASSERT_TRUE(r.status == ImportStatus::Imported || r.status == ImportStatus::Refused);
    if (r.status != ImportStatus::Imported) continue;
    ++imports;
    expect_consistent_tree(fresh.s);
    if (HasFailure()) {
      ADD_FAILURE() << "input:\n" << b;
      return;
    }
  }
  // Header and trailer are intact, so nearly everything imports.
  EXPECT_GT(imports, 120);
}
