// Whole exports of a small hand-built tree (see ExportTree::build_sample) in
// each flavour, against the files kept beside this test. What the files show:
// John's address and phone are withheld after his death; Mary's "@" is doubled
// and her long note split by CONC in 5.5.1; person 3 is deleted, 4 has no sex
// (no FAMS although husband of F7, "SEX U" in 5.5.1); Luc is a child of F3 and
// F6, the lower number being his parents' family; F5 (a wife alone) is skipped;
// the standard trailer has one more CR before its line end. The standard file
// is the classic form line by line (checked by hand against its table, not
// regenerated): a source only as the note's "Information Source: ...",
// Elodie's alone making a note; nothing but WIFE and CHIL for F3, which has no
// husband; F9's marriage with a place alone has no DATE line; Doe's death
// place without a date is written in 5.5.1 and 7.0 only. Doe's note with
// a zero byte and F10's place with one are left out; 5.5.1 writes F11's
// unknown date as "MARR Y".
// Peter and Luc share one notes chain: each has it as his note, as the record
// store reads each person's notes; 7.0 writes it once, as one shared note.
// 7.0 starts with a byte-order mark, writes no CONC, cites the source
// through @VOID@, puts a date in words into a PHRASE, writes "NO MARR" with the
// couple's place or date in words under an event of its own, and the deleted
// husband as @VOID@.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "gedcom_export_fixture.h"
#include "golden.h"

using namespace vft;
using vft::test::ExportTree;

TEST(GedcomExportTree, WholeFilesInEachFlavour) {
  struct Case {
    GedcomFlavour flavour;
    const char* golden;
    int persons, families;
  };
  for (const Case& c :
       {Case{GedcomFlavour::Standard, "standard.ged", 8, 10}, Case{GedcomFlavour::Gedcom551, "gedcom551.ged", 8, 9},
        Case{GedcomFlavour::Gedcom70, "gedcom70.ged", 8, 9}}) {
    SCOPED_TRACE(c.golden);
    ExportTree t;
    t.build_sample();
    ExportResult r = t.export_to("family.ged", c.flavour);
    ASSERT_EQ(r.status, ExportStatus::Done) << r.message;
    test::expect_golden(c.golden, t.read("family.ged"));
    EXPECT_EQ(r.persons, c.persons);
    EXPECT_EQ(r.families, c.families);
  }
}

TEST(GedcomExportTree, UpperCaseFamilyNamesWhenTheOptionIsOn) {
  ExportTree t;
  t.build_sample();
  t.s.UCaseFamname = true;
  t.export_to("family.ged");
  auto lines = vft::test::crlf_lines(t.read("family.ged"));
  EXPECT_NE(std::find(lines.begin(), lines.end(), "1 NAME Mary Ann /M\xDCLLER/"), lines.end());
  // The stored records keep their case.
  PersonRecord p;
  t.s.UCaseFamname = false;
  ASSERT_TRUE(ReadPersonRecord(t.s, 2, p));
  EXPECT_EQ(cp1252::trim(p.FamName), "M\xFCller");
}
