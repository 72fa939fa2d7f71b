// The person lists: all persons with the data-sheet items, one family name
// in short entries, the sort orders, break lines, the count and the refusal
// of a family name nobody has.
#include "print/person_lists.h"
#include "golden.h"
#include "sheets_fixture.h"

using namespace vft;
using namespace vft::print;

namespace {

class Lists : public test::SheetTest {
 protected:
  ChartOptions chart = [] {
    ChartOptions c;
    c.heading = HeadingPages::FirstPage;
    return c;
  }();
  PrintResult run(int request, const SheetOptions& o) { return PrintPersonList(s, doc, request, chart, o); }
  static SheetOptions names_only(int request) {
    SheetOptions o;
    o.request = request;
    return o;
  }
};

TEST_F(Lists, AllPersonsByNumberAndByName) {
  build_family();
  SheetOptions o = names_only(request::ListAll);
  o.items[item1::PersonNumber] = true;
  ASSERT_TRUE(run(request::ListAll, o).completed);
  std::string both = test::page_text(doc) + "===\n";
  o.sort = SortBy::Name;
  ASSERT_TRUE(run(request::ListAll, o).completed);
  // The heading in the document font enlarged by 1.3 and bold, the name lines
  // bold, the count plain; by number, then by name.
  test::expect_golden("list_all_names.txt", both + test::page_text(doc));
}

TEST_F(Lists, EntriesOfTheListOfAllPersonsCarryEveryTickedItem) {
  build_family();
  PersonRecord m = tree.read(mary);
  m.Sex = "?";
  tree.write(m);
  SheetOptions o = all_items(request::ListAll);
  o.items[item1::BreakLine] = false;
  ASSERT_TRUE(run(request::ListAll, o).completed);
  // The data sheet's lines per person, Mary's unknown sex "Not Set", the count at the end.
  test::expect_golden("list_all.txt", test::page_text(doc));
}

TEST_F(Lists, ABaptismDateOnlyWithTheFlagAndAYearOnlyBirth) {
  auto p = tree.person("Tom", "Hill", "M");
  PersonRecord r = tree.read(p);
  r.DOBap = "3 Mar 1901";
  r.Baptisplace = "Hull";
  r.BirthDate = "1901";
  r.DeathDate = "1950";
  tree.write(r);
  SheetOptions o = names_only(request::ListAll);
  o.items[item1::BaptismData] = true;
  // "Y" counts, "yes" in other spellings does not.
  for (auto [flag, listed] : {std::pair{"Y", true}, {"yes", false}}) {
    r.Baptised = flag;
    tree.write(r);
    ASSERT_TRUE(run(request::ListAll, o).completed);
    EXPECT_EQ(has("Baptised on 3 Mar 1901 at Hull"), listed) << flag;
  }
  o.items[item1::DateOfBirth] = o.items[item1::DateOfDeath] = o.items[item1::Age] = true;
  ASSERT_TRUE(run(request::ListAll, o).completed);
  EXPECT_TRUE(has("Born 1901,  Died 1950,  Age 49 (approx.)"));
}

TEST_F(Lists, BreakLinesRunAcrossThePrintableWidthAfterEachPerson) {
  build_family();
  SheetOptions o = names_only(request::ListAll);
  o.items[item1::BreakLine] = true;
  chart.heading = HeadingPages::None;
  ASSERT_TRUE(run(request::ListAll, o).completed);
  // Without a heading John's name comes first; a level line from margin to
  // margin after each of the three persons.
  test::expect_golden("list_break_lines.txt", test::page_text(doc));
}

TEST_F(Lists, OneFamilyNameInShortEntries) {
  build_family();
  tree.person("Bob", "smith", "M");  // the name matches in any case
  SheetOptions o = names_only(request::FamilyList);
  o.family_name = " Smith ";
  o.items[item1::PersonNumber] = true;
  o.items[item1::Sex] = true;
  o.items[item1::BirthAndDeath] = true;
  o.items[item1::Age] = true;
  o.items[item1::TodaysDate] = true;
  o.sort = SortBy::Name;
  PrintResult r = run(request::FamilyList, o);
  ASSERT_TRUE(r.completed);
  EXPECT_EQ(r.title, "Print List of Smith's");
  // Short entries: sex, dates and age under each name, nothing the list of
  // all persons would add.
  test::expect_golden("list_family_name.txt", test::page_text(doc));
}

TEST_F(Lists, AFamilyNameNobodyHasIsRefused) {
  build_family();
  SheetOptions o = names_only(request::FamilyList);
  o.family_name = "Brown";
  PrintResult r = run(request::FamilyList, o);
  EXPECT_FALSE(r.completed);
  EXPECT_EQ(doc.page_count(), 0);
  ASSERT_EQ(t.prompter.shown.size(), 1u);
  EXPECT_EQ(t.prompter.shown[0].title, "Problem");
  EXPECT_EQ(t.prompter.shown[0].text, "Vorlan Family Tree couldn't find the Family Name Brown");
  o.family_name = "  ";
  EXPECT_FALSE(run(request::FamilyList, o).completed);
  EXPECT_EQ(t.prompter.shown.size(), 2u);
}

TEST_F(Lists, ManyPersonsBreakOntoNumberedPagesAndCancelDropsTheDocument) {
  for (int i = 0; i < 120; ++i) tree.person("P" + std::to_string(i), "Many", "M");
  SheetOptions o = names_only(request::ListAll);
  o.items[item1::PageNumbers] = true;
  ASSERT_TRUE(run(request::ListAll, o).completed);
  EXPECT_TRUE(has("Page 2"));
  EXPECT_EQ(count_of("List of All Recorded People"), 1);  // first page only
  EXPECT_TRUE(has("120 People Listed"));

  int calls = 0;
  PrintResult r = PrintPersonList(s, doc, request::ListAll, chart, o, [&](const std::string& msg, long) {
    return !(msg == "Preparing List" && ++calls == 10);
  });
  EXPECT_FALSE(r.completed);
  EXPECT_EQ(doc.page_count(), 0);
}

}  // namespace
