// Whole exports of a small hand-built tree, line by line, in each flavour.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gedcom_export_fixture.h"

using namespace vft;
using vft::test::ExportTree;

namespace {

// The tree used by both whole-file tests (see ExportTree::build_sample).
const std::vector<std::string> kStandard = {
    "0 HEAD", "1 SOUR Vorlan Family Tree", "2 VERS 1.63", "1 DEST PAF", "1 DATE 5 Dec 2026", "1 CHAR ANSI",
    "1 FILE family.ged", "1 GEDC", "2 VERS 4",
    "0 @S1@ SUBM", "1 NAME A. Researcher", "1 ADDR 10 Long Road", "2 CONT Springfield", "2 CONT ar@example.org",
    "1 PHON 555 0000",
    // 1: every field; his address and phone are withheld after his death
    "0 @I1@ INDI", "1 NAME John /Smith/", "1 SEX M", "1 BIRT", "2 DATE 5 Jan 1901", "2 PLAC London", "1 DEAT",
    "2 DATE ? Mar 1970", "2 PLAC Leeds", "1 CHR", "2 DATE ? ??? 1901", "2 PLAC St Paul's", "1 BURI",
    "2 DATE 12 Mar 1970", "2 PLAC Leeds Cemetery", "1 OCCU Baker",
    "1 SOUR Parish register", "1 NOTE Information Source: Parish register. Born at home.", "2 CONT Served in the war.", "1 FAMS @F1@",
    // 2: living, baptised "Y" without a date, a long note kept on one line
    "0 @I2@ INDI", "1 NAME Mary Ann /M\xFCller/", "1 SEX F", "1 BIRT", "2 DATE ? ??? 1905", "1 CHR", "2 DATE ",
    "1 ADDR 2 Mill Lane", "1 PHON 555 9876", "1 NOTE mail@home " + std::string(245, 'a'), "1 FAMS @F1@",
    // 3 is deleted; 4 has no sex: no FAMS although husband of F7
    "0 @I4@ INDI", "1 NAME Pat /Smith/", "1 SEX ", "1 BIRT", "2 DATE ", "1 FAMC @F1@",
    "0 @I5@ INDI", "1 NAME Ann /Smith/", "1 SEX F", "1 BIRT", "2 DATE 12 ??? ????", "1 NOTE First para",
    "2 CONT ", "2 CONT Third para", "1 FAMS @F2@", "1 FAMC @F1@",
    "0 @I6@ INDI", "1 NAME Peter /Brown/", "1 SEX M", "1 BIRT", "2 DATE ABT 1900", "1 DEAT", "2 DATE ? ??? ????",
    "1 FAMS @F2@",
    "0 @I7@ INDI", "1 NAME \xC9lodie /Dupr\xE9/", "1 SEX F", "1 BIRT", "2 DATE ? ??? ????", "2 PLAC Lyon",
    "1 FAMS @F3@",
    // 8 is a child of F3 and F6: the lower number is the parents' family
    "0 @I8@ INDI", "1 NAME Luc /Dupr\xE9/", "1 SEX M", "1 BIRT", "2 DATE 3 Feb 1950", "1 FAMC @F3@",
    "0 @I9@ INDI", "1 NAME  /Doe/", "1 SEX F", "1 BIRT", "2 DATE ", "1 FAMS @F4@", "1 FAMS @F5@",
    "0 @F1@ FAM", "1 HUSB @I1@", "1 WIFE @I2@", "1 CHIL @I5@", "1 CHIL @I4@", "1 MARR", "2 DATE 12 Jun 1925",
    "2 PLAC St Mary's London", "1 DIV Y",
    "0 @F2@ FAM", "1 HUSB @I6@", "1 WIFE @I5@", "1 MARR", "2 DATE Not Married", "2 PLAC Gretna",
    // single mother: her ceremony is written too
    "0 @F3@ FAM", "1 WIFE @I7@", "1 CHIL @I8@", "1 MARR", "2 DATE 1 May 1949", "2 PLAC Lyon",
    "0 @F4@ FAM", "1 HUSB @I3@", "1 WIFE @I9@", "1 MARR", "2 DATE 1 Jan 1950",
    // F5 (a wife alone) is skipped
    "0 @F6@ FAM", "1 CHIL @I8@", "1 CHIL @I3@",
    "0 @F7@ FAM", "1 HUSB @I4@",
    "0 TRLR"};

const std::vector<std::string> kGedcom551 = {
    "0 HEAD", "1 SOUR VorlanFamilyTree", "2 VERS 1.63", "2 NAME Vorlan Family Tree", "1 DATE 5 DEC 2026",
    "1 SUBM @S1@", "1 FILE family.ged", "1 GEDC", "2 VERS 5.5.1", "2 FORM LINEAGE-LINKED", "1 CHAR UTF-8",
    "0 @S1@ SUBM", "1 NAME A. Researcher", "1 ADDR 10 Long Road", "2 CONT Springfield", "1 PHON 555 0000",
    "1 EMAIL ar@@example.org",
    "0 @I1@ INDI", "1 NAME John /Smith/", "1 SEX M", "1 BIRT", "2 DATE 5 JAN 1901", "2 PLAC London", "1 DEAT",
    "2 DATE MAR 1970", "2 PLAC Leeds", "1 CHR", "2 DATE 1901", "2 PLAC St Paul's", "1 BURI", "2 DATE 12 MAR 1970",
    "2 PLAC Leeds Cemetery", "1 OCCU Baker",
    "1 SOUR Parish register", "1 NOTE Born at home.", "2 CONT Served in the war.", "1 FAMS @F1@",
    // "@" doubled; the note split after 248 characters of the escaped text
    "0 @I2@ INDI", "1 NAME Mary Ann /M\xC3\xBCller/", "1 SEX F", "1 BIRT", "2 DATE 1905", "1 CHR Y", "1 RESI",
    "2 ADDR 2 Mill Lane", "2 PHON 555 9876", "1 NOTE mail@@home " + std::string(237, 'a'),
    "2 CONC " + std::string(8, 'a'), "1 FAMS @F1@",
    // no sex: "U"; F7 (Pat alone, nothing known of it) is not written
    "0 @I4@ INDI", "1 NAME Pat /Smith/", "1 SEX U", "1 FAMC @F1@",
    "0 @I5@ INDI", "1 NAME Ann /Smith/", "1 SEX F", "1 BIRT", "2 DATE (12 ??? ?\?\?\?)", "1 NOTE First para",
    "2 CONT", "2 CONT Third para", "1 FAMS @F2@", "1 FAMC @F1@",
    "0 @I6@ INDI", "1 NAME Peter /Brown/", "1 SEX M", "1 BIRT", "2 DATE ABT 1900", "1 DEAT Y",
    "1 FAMS @F2@",
    "0 @I7@ INDI", "1 NAME \xC3\x89lodie /Dupr\xC3\xA9/", "1 SEX F", "1 BIRT", "2 PLAC Lyon", "1 FAMS @F3@",
    // every family that lists 8 as a child is named, the parents' family first
    "0 @I8@ INDI", "1 NAME Luc /Dupr\xC3\xA9/", "1 SEX M", "1 BIRT", "2 DATE 3 FEB 1950", "1 FAMC @F3@",
    "1 FAMC @F6@",
    // F4 keeps her after her husband was deleted; F5 (her alone, nothing known) is not written
    "0 @I9@ INDI", "1 NAME /Doe/", "1 SEX F", "1 FAMS @F4@",
    "0 @F1@ FAM", "1 HUSB @I1@", "1 WIFE @I2@", "1 CHIL @I5@", "1 CHIL @I4@", "1 MARR", "2 DATE 12 JUN 1925",
    "2 PLAC St Mary's London", "1 DIV Y",
    // not married: the event typed as GEDCOM 5.5.1 readers know it
    "0 @F2@ FAM", "1 HUSB @I6@", "1 WIFE @I5@", "1 MARR", "2 TYPE Unmarried", "2 PLAC Gretna",
    "0 @F3@ FAM", "1 WIFE @I7@", "1 CHIL @I8@", "1 MARR", "2 DATE 1 MAY 1949", "2 PLAC Lyon",
    "0 @F4@ FAM", "1 WIFE @I9@", "1 MARR", "2 DATE 1 JAN 1950",
    "0 @F6@ FAM", "1 CHIL @I8@",
    "0 TRLR"};

// 7.0: the version first, "@" left alone inside a value, no CONC, the source
// cited through "@VOID@", a date in words as a PHRASE, "NO MARR" and the
// couple's place under an event of its own, the deleted husband as "@VOID@".
const std::vector<std::string> kGedcom70 = {
    "0 HEAD", "1 GEDC", "2 VERS 7.0", "1 SOUR VorlanFamilyTree", "2 VERS 1.63", "2 NAME Vorlan Family Tree",
    "1 DATE 5 DEC 2026", "1 SUBM @S1@",
    "0 @S1@ SUBM", "1 NAME A. Researcher", "1 ADDR 10 Long Road", "2 CONT Springfield", "1 PHON 555 0000",
    "1 EMAIL ar@example.org",
    "0 @I1@ INDI", "1 NAME John /Smith/", "1 SEX M", "1 BIRT", "2 DATE 5 JAN 1901", "2 PLAC London", "1 DEAT",
    "2 DATE MAR 1970", "2 PLAC Leeds", "1 CHR", "2 DATE 1901", "2 PLAC St Paul's", "1 BURI", "2 DATE 12 MAR 1970",
    "2 PLAC Leeds Cemetery", "1 OCCU Baker", "1 SOUR @VOID@", "2 PAGE Parish register", "1 NOTE Born at home.",
    "2 CONT Served in the war.", "1 FAMS @F1@",
    "0 @I2@ INDI", "1 NAME Mary Ann /M\xC3\xBCller/", "1 SEX F", "1 BIRT", "2 DATE 1905", "1 CHR Y", "1 RESI",
    "2 ADDR 2 Mill Lane", "2 PHON 555 9876", "1 NOTE mail@home " + std::string(245, 'a'), "1 FAMS @F1@",
    "0 @I4@ INDI", "1 NAME Pat /Smith/", "1 SEX U", "1 FAMC @F1@",
    "0 @I5@ INDI", "1 NAME Ann /Smith/", "1 SEX F", "1 BIRT", "2 DATE", "3 PHRASE 12 ??? ????", "1 NOTE First para",
    "2 CONT", "2 CONT Third para", "1 FAMS @F2@", "1 FAMC @F1@",
    "0 @I6@ INDI", "1 NAME Peter /Brown/", "1 SEX M", "1 BIRT", "2 DATE ABT 1900", "1 DEAT Y", "1 FAMS @F2@",
    "0 @I7@ INDI", "1 NAME \xC3\x89lodie /Dupr\xC3\xA9/", "1 SEX F", "1 BIRT", "2 PLAC Lyon", "1 FAMS @F3@",
    "0 @I8@ INDI", "1 NAME Luc /Dupr\xC3\xA9/", "1 SEX M", "1 BIRT", "2 DATE 3 FEB 1950", "1 FAMC @F3@",
    "1 FAMC @F6@",
    "0 @I9@ INDI", "1 NAME /Doe/", "1 SEX F", "1 FAMS @F4@",
    "0 @F1@ FAM", "1 HUSB @I1@", "1 WIFE @I2@", "1 CHIL @I5@", "1 CHIL @I4@", "1 MARR", "2 DATE 12 JUN 1925",
    "2 PLAC St Mary's London", "1 DIV Y",
    "0 @F2@ FAM", "1 HUSB @I6@", "1 WIFE @I5@", "1 NO MARR", "1 EVEN", "2 TYPE Unmarried", "2 PLAC Gretna",
    "0 @F3@ FAM", "1 WIFE @I7@", "1 CHIL @I8@", "1 MARR", "2 DATE 1 MAY 1949", "2 PLAC Lyon",
    "0 @F4@ FAM", "1 HUSB @VOID@", "1 WIFE @I9@", "1 MARR", "2 DATE 1 JAN 1950",
    "0 @F6@ FAM", "1 CHIL @I8@",
    "0 TRLR"};

std::string joined(const std::vector<std::string>& lines) {
  std::string out;
  for (const std::string& l : lines) out += l + "\r\n";
  return out;
}

}  // namespace

// Every line ends in CR LF; the standard trailer has one more CR before its
// line end, the 7.0 file starts with a byte-order mark. Only the standard
// flavour names pointers to records not written.
TEST(GedcomExportTree, EachFlavourLineByLine) {
  struct Case {
    GedcomFlavour flavour;
    const std::vector<std::string>& lines;
    long families;
  };
  for (const Case& c : {Case{GedcomFlavour::Standard, kStandard, 6}, Case{GedcomFlavour::Gedcom551, kGedcom551, 5},
                        Case{GedcomFlavour::Gedcom70, kGedcom70, 5}}) {
    ExportTree t;
    t.build_sample();
    ExportResult r = t.export_to("family.ged", c.flavour);
    ASSERT_EQ(r.status, ExportStatus::Done) << r.message;
    const std::string file = t.read("family.ged");
    const std::string bom = c.flavour == GedcomFlavour::Gedcom70 ? "\xEF\xBB\xBF" : "";
    EXPECT_EQ(vft::test::crlf_lines(file.substr(bom.size())), c.lines);
    std::string expected = bom + joined(c.lines);
    if (c.flavour == GedcomFlavour::Standard) expected.insert(expected.size() - 2, "\r");
    EXPECT_EQ(file, expected);
    EXPECT_EQ(r.persons, 8);
    EXPECT_EQ(r.families, c.families);
    if (c.flavour != GedcomFlavour::Standard) {
      EXPECT_EQ(vft::test::dangling_pointers(file), std::vector<std::string>{});
    }
  }
}

TEST(GedcomExportTree, UpperCaseFamilyNamesWhenTheOptionIsOn) {
  ExportTree t;
  t.build_sample();
  t.s.UCaseFamname = true;
  t.export_to("family.ged");
  auto lines = vft::test::crlf_lines(t.read("family.ged"));
  EXPECT_NE(std::find(lines.begin(), lines.end(), "1 NAME Mary Ann /M\xDCLLER/"), lines.end());
  EXPECT_NE(std::find(lines.begin(), lines.end(), "1 NAME \xC9lodie /DUPR\xC9/"), lines.end());
  // The stored records keep their case.
  PersonRecord p;
  t.s.UCaseFamname = false;
  ASSERT_TRUE(ReadPersonRecord(t.s, 2, p));
  EXPECT_EQ(cp1252::trim(p.FamName), "M\xFCller");
}
