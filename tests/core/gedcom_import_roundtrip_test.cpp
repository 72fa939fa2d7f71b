// Our own export, in both flavours, imported into an empty tree gives the same
// persons, families, dates, places and notes (CHR comes back as "Y", and a
// mother without a husband gains an "Unknown Husband").
#include <gtest/gtest.h>

#include "gedcom_import_fixture.h"
#include "interchange/gedcom_export.h"
#include "relations/tree_check.h"

using namespace vft;

namespace {

class GedcomRoundTrip : public test::ImportTest {};

PersonRecord make(const char* fam, const char* given, const char* sex, const char* born) {
  PersonRecord p = blank_person();
  p.FamName = fam;
  p.GivenNames = given;
  p.Sex = sex;
  p.BirthDate = born;
  return p;
}

}  // namespace

TEST_F(GedcomRoundTrip, OurExportReadsBackAsTheSameTree) {
  test::TempSession src;
  std::vector<PersonRecord> ps = {
      make("SMITH", "John", "M", "5 Jan 1901"), make("JONES", "Mary", "F", "? ??? 1905"),
      make("SMITH", "Anne", "F", "3 Mar 1930"), make("SMITH", "Peter", "M", "? ??? ????"),
      make("BROWN", "Carl", "M", "12 ??? 1928"), make("BROWN", "Lucy", "F", "1 Jan 1960"),
      make("WHITE", "Eve", "F", "2 Feb 1940"), make("WHITE", "Tom", "M", "? Jul 1961"),
      make("DOE", "Zo\xEB", "F", "? ??? 1962")};
  ps[0].BirthPlace = "London";
  ps[0].DeathDate = "? Mar 1970";
  ps[0].DeathPlace = "Leeds";
  ps[0].Baptised = "Yes";
  ps[0].DOBap = "? ??? 1901";
  ps[0].Baptisplace = "St Paul's";
  ps[0].InterDate = "12 Apr 1970";
  ps[0].InteredPlace = "Leeds Cemetery";
  ps[0].Occupation = "Baker";
  ps[1].DeathDate = "1 Feb 1990";
  ps[2].CurrAddress = "1 High St";
  ps[2].Phone = "555-1234";
  const std::vector<std::string> texts = {"Two paragraphs\r\nSecond one", "", std::string(100, 'x')};
  for (std::size_t i = 0; i < ps.size(); ++i) {
    ps[i].PerNum = static_cast<std::int16_t>(i + 1);
    if (i < texts.size()) {
      ASSERT_TRUE(AppendNotes(src.s.disk, ps[i], texts[i], src.s.work(recfile::Notes)));
    }
  }
  struct Fam {
    int h, w;
    std::vector<int> kids;
    const char *date, *place;
    bool div, nm;
  } fams[] = {{0, 0, {1}, "", "", false, false},        {1, 2, {3, 4}, "10 Jun 1928", "York", false, false},
              {0, 0, {2}, "", "", false, false},        {5, 3, {6}, "1 May 1955", "Bath", true, false},
              {0, 0, {5}, "", "", false, false},        {0, 7, {8}, "", "", false, false},
              {0, 0, {7}, "", "", false, false},        {4, 9, {}, "", "", false, true},
              {0, 0, {9}, "", "", false, false}};
  for (std::size_t m = 0; m < std::size(fams); ++m) {
    MarriageRecord r;
    r.MarNum = static_cast<std::int16_t>(m + 1);
    r.Husband = static_cast<std::int16_t>(fams[m].h);
    r.Wife = static_cast<std::int16_t>(fams[m].w);
    for (int k : fams[m].kids) r.Kids[static_cast<std::size_t>(r.NumKids++)] = static_cast<std::int16_t>(k);
    r.Divorced = fams[m].div ? -1 : 0;
    r.NotMarried = fams[m].nm ? -1 : 0;
    src.s.MarBuf = r;
    src.s.CerBuf = blank_ceremony();
    src.s.CerBuf.MarriedDate = fams[m].date;
    src.s.CerBuf.MarriedAt = fams[m].place;
    ASSERT_TRUE(WriteMarriage(src.s, r.MarNum));
    for (int p : {fams[m].h, fams[m].w})
      if (p && (fams[m].h && fams[m].w)) ++ps[static_cast<std::size_t>(p - 1)].NumPartners;
  }
  for (const auto& p : ps) ASSERT_TRUE(WritePersonRecord(src.s, p.PerNum, p));
  src.s.Config.setNumPersons(9);
  src.s.Config.setNumMarriages(9);
  LoadMarriages(src.s);

  for (GedcomFlavour flavour : {GedcomFlavour::Standard, GedcomFlavour::Gedcom551}) {
    SCOPED_TRACE(flavour == GedcomFlavour::Standard ? "standard" : "5.5.1");
    test::TempSession dst;
    ExportOptions o;
    o.flavour = flavour;
    o.file_name = "round.ged";
    std::string text;
    ASSERT_TRUE(BuildGedcom(src.s, o, {}, text));
    ImportResult r = ImportGedcomData(dst.s, text, "round.ged", {});
    ASSERT_EQ(r.status, ImportStatus::Imported) << r.message;
    EXPECT_TRUE(dst.prompter.shown.empty());
    // The single mother's family gains an "Unknown Husband" as person 10.
    ASSERT_EQ(dst.s.Config.NumPersons(), 10);
    for (int n = 1; n <= 9; ++n) {
      SCOPED_TRACE(n);
      PersonRecord a = ps[static_cast<std::size_t>(n - 1)], b;
      ASSERT_TRUE(ReadPersonRecord(dst.s, static_cast<std::int16_t>(n), b));
      for (auto f : {&PersonRecord::FamName, &PersonRecord::GivenNames, &PersonRecord::Sex, &PersonRecord::BirthDate,
                     &PersonRecord::DeathDate, &PersonRecord::BirthPlace, &PersonRecord::DOBap,
                     &PersonRecord::Baptisplace, &PersonRecord::DeathPlace, &PersonRecord::InterDate,
                     &PersonRecord::InteredPlace, &PersonRecord::Occupation, &PersonRecord::CurrAddress,
                     &PersonRecord::Phone})
        EXPECT_EQ(T(b.*f), T(a.*f));
      EXPECT_EQ(T(b.Baptised), a.Baptised == "Yes" ? "Y" : "");
      EXPECT_EQ(b.NumPartners, n == 7 ? 1 : a.NumPartners);
      EXPECT_EQ(T(ReadNotes(b.NotesRec, dst.s.work(recfile::Notes))),
                n <= 3 ? texts[static_cast<std::size_t>(n - 1)] : "");
    }
    for (std::size_t m = 0; m < std::size(fams); ++m) {
      SCOPED_TRACE(m + 1);
      const MarriageRecord& b = dst.s.Marriages[m + 1];
      EXPECT_EQ(b.Husband, m == 5 ? 10 : fams[m].h);
      EXPECT_EQ(b.Wife, fams[m].w);
      EXPECT_EQ(std::vector<int>(b.Kids.begin(), b.Kids.begin() + b.NumKids), fams[m].kids);
      EXPECT_EQ(b.Divorced, fams[m].div ? -1 : 0);
      // The 5.5.1 flavour writes no event for a couple that did not marry.
      if (flavour == GedcomFlavour::Standard) {
        EXPECT_EQ(b.NotMarried, fams[m].nm ? -1 : 0);
      }
      ASSERT_TRUE(ReadCeremony(dst.s, static_cast<std::int16_t>(m + 1)));
      EXPECT_EQ(T(dst.s.CerBuf.MarriedDate), fams[m].date);
      EXPECT_EQ(T(dst.s.CerBuf.MarriedAt), fams[m].place);
    }
    for (const auto& v : CheckTree(dst.s)) ADD_FAILURE() << v.text;
  }
}
