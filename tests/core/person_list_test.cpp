#include <gtest/gtest.h>

#include <algorithm>

#include "mainwin/person_list.h"
#include "store/date_parse.h"
#include "store/file_io.h"
#include "store/records.h"
#include "tree_fixture.h"

using namespace vft;

namespace {

std::vector<std::int16_t> numbers(const std::vector<PersonRow>& rows) {
  std::vector<std::int16_t> out;
  for (const PersonRow& r : rows) out.push_back(r.number);
  return out;
}

using Nums = std::vector<std::int16_t>;

class PersonList : public test::TreeFixture {
 protected:
  void set(std::int16_t n, const std::function<void(PersonRecord&)>& change) {
    PersonRecord p = b.read(n);
    change(p);
    b.write(p);
  }
  std::vector<PersonRow> all() { return ListPersons(s, PersonFilter{}); }
};

TEST(BirthSortKey, CompleteDatesDirectlyPartialOnesByYearAndMonthNoneAsZero) {
  struct Row {
    const char* date;
    bool month_first;
    int key;
  } rows[] = {
      {"31 Dec 1899  ", false, 18991231},  // padded as stored
      {"5/1/1901", false, 19010105},       // a numeric date follows the user's day/month order
      {"5/1/1901", true, 19010501},
      {"? mar 1901", false, 19010301},    // a month in any case
      {"Dec Jan 1900", false, 19000101},  // the month first in the year wins
      {"1901", false, 19010101},          // a year alone: 1 January
      {"31 Feb 1901", false, 19010201},   // no such day: month and year still count
      // Without a year the month alone does not count.
      {"12 Mar ????", false, 0},
      {"", false, 0},
      {"unknown", false, 0},
      {"901", false, 0},
  };
  for (const Row& r : rows) EXPECT_EQ(DateSortKey(r.date, r.month_first), r.key) << '"' << r.date << '"';
}

TEST(NameMatches, PrefixOrPreciseBlanksAndCase) {
  struct Row {
    bool precise;
    const char *fam, *given, *rec_fam, *rec_given;
    bool match;
  } rows[] = {
      // A prefix in any case.
      {false, "sm", "", "Smith", "John", true},
      {false, "sm", "", "Asmus", "John", false},
      {false, "sm", "jo", "Smith", "John Henry", true},
      // A trailing blank ends a word; leading blanks are ignored, so blanks alone match everyone.
      {false, "", "John ", "X", "John Henry", true},
      {false, "", "John ", "X", "Johnny", false},
      {false, "", "John   ", "X", "John", true},
      {false, "", "   ", "X", "Anyone", true},
      // Precise wants whole names, case too.
      {true, "Sm", "", "Smith", "", false},
      {true, "Smith", "", "SMITH", "", false},
      {true, "Smith", "", "Smith  ", "Ann", true},
      {true, "Smith", "John", "Smith", "John Henry", false},
      // An empty precise family text only finds persons without a family name.
      {true, "", "", "", "Ann", true},
      {true, "", "", "Smith", "Ann", false},
  };
  for (const Row& r : rows) {
    PersonFilter f;
    f.precise = r.precise;
    f.famname = r.fam;
    f.given = r.given;
    EXPECT_EQ(NameMatches(f, r.rec_fam, r.rec_given), r.match)
        << r.precise << " '" << r.fam << "' '" << r.given << "' ~ '" << r.rec_fam << "' '" << r.rec_given << "'";
  }
}

TEST_F(PersonList, RowsCarryTrimmedFieldsAndSkipDeleted) {
  auto john = b.person("John Henry", "Smith", "M");
  auto mary = b.person("Mary", "Jones", "F");
  auto pat = b.person("Pat", "Small", "");
  set(mary, [](PersonRecord& p) { p.Deleted = -1; });
  set(pat, [](PersonRecord& p) { p.BirthDate = "? Mar 1950"; });
  auto rows = all();
  ASSERT_EQ(numbers(rows), (Nums{john, pat}));
  EXPECT_EQ(rows[0].famname, "Smith");
  EXPECT_EQ(rows[0].given, "John Henry");
  EXPECT_EQ(rows[0].born, "1 Jan 1900");
  EXPECT_EQ(rows[0].sex, 'M');
  EXPECT_EQ(rows[1].sex, 0);
  EXPECT_EQ(rows[1].born_key, 19500301);
  // Any non-zero Deleted value hides the person.
  set(pat, [](PersonRecord& p) { p.Deleted = 1; });
  EXPECT_EQ(numbers(all()), (Nums{john}));
}

// Finding a partner by name leaves out the selected person and the same sex
// (the find tests); a child of either sex may be connected, and a person of
// unknown sex is offered men.
TEST_F(PersonList, ConnectingLeavesOutTheSelectedPersonAndSameSexPartners) {
  auto john = b.person("John", "Smith", "M");
  auto mary = b.person("Mary", "Smith", "F");
  auto paul = b.person("Paul", "Smith", "M");
  auto kim = b.person("Kim", "Smith", "");
  b.select(john);
  s.View.SearchFamName = "Smith";
  s.Rel.ConnectMode = true;
  s.Rel.AsChild = true;
  EXPECT_EQ(numbers(ListPersons(s, StoredSearchFilter(s))), (Nums{mary, paul, kim}));
  s.Rel.AsChild = false;
  s.Rel.AsPartner = true;
  b.select(kim);
  EXPECT_EQ(numbers(ListPersons(s, StoredSearchFilter(s))), (Nums{john, paul}));
}

TEST_F(PersonList, ShortOrMissingPersonsFileListsWhatIsThere) {
  auto a = b.person("Ann", "Able", "F");
  auto c = b.person("Cy", "Cole", "M");
  s.Config.setNumPersons(40);  // counts persons the file does not hold
  EXPECT_EQ(numbers(all()), (Nums{a, c}));
  // A torn last record is not read.
  auto bytes = fileio::read_all(s.work(recfile::Person));
  ASSERT_TRUE(bytes);
  bytes->resize(kPersonLen + 100);
  ASSERT_TRUE(test::put_file(s.work(recfile::Person), *bytes));
  EXPECT_EQ(numbers(all()), (Nums{a}));
  fileio::remove(s.work(recfile::Person));
  EXPECT_TRUE(all().empty());
  s.Config.setNumPersons(-5);
  EXPECT_TRUE(all().empty());
}

TEST_F(PersonList, SortsOnEachColumnWithNumberOrderForTies) {
  auto p1 = b.person("Zoe", "smith", "F");
  auto p2 = b.person("Adam", "Smith", "M");
  auto p3 = b.person("Adam", "Baker", "M");
  auto p4 = b.person("eve", "Baker", "F");
  auto p5 = b.person("Adam", "Smith", "M");
  set(p1, [](PersonRecord& p) { p.BirthDate = "? ??? ????"; });
  set(p2, [](PersonRecord& p) { p.BirthDate = "1901"; });
  set(p3, [](PersonRecord& p) { p.BirthDate = "2 Jan 1901"; });
  set(p4, [](PersonRecord& p) { p.BirthDate = "? Feb 1850"; });
  set(p5, [](PersonRecord& p) { p.BirthDate = ""; });
  auto rows = all();
  SortRows(rows, ListColumn::FamName);
  EXPECT_EQ(numbers(rows), (Nums{p3, p4, p2, p5, p1}));
  SortRows(rows, ListColumn::GivenNames);
  EXPECT_EQ(numbers(rows), (Nums{p3, p2, p5, p4, p1}));
  SortRows(rows, ListColumn::Born);
  EXPECT_EQ(numbers(rows), (Nums{p1, p5, p4, p2, p3}));
  SortRows(rows, ListColumn::Number);
  EXPECT_EQ(numbers(rows), (Nums{p1, p2, p3, p4, p5}));
}

TEST_F(PersonList, AccentedNamesSortWithTheirPlainLetter) {
  auto zoe = b.person("Zo\xeb", "Zed", "F");
  auto asa = b.person("\xc5sa", "Zed", "F");
  auto anna = b.person("Anna", "Zed", "F");
  auto bob = b.person("Bob", "Zed", "M");
  auto zoe_plain = b.person("Zoe", "Zed", "F");
  auto rows = all();
  SortRows(rows, ListColumn::GivenNames);
  // Anna, Åsa, Bob, Zoe, Zoë: the plain spelling first when the folded names tie.
  EXPECT_EQ(numbers(rows), (Nums{anna, asa, bob, zoe_plain, zoe}));
}

TEST(SearchBox, LabelFollowsTheSortedColumnExceptBirthDates) {
  EXPECT_EQ(SearchLabel(ListColumn::Number), "Search VFT Number:");
  EXPECT_EQ(SearchColumnAfter(ListColumn::Number, ListColumn::FamName), ListColumn::Number);
  EXPECT_EQ(SearchColumnAfter(ListColumn::Born, ListColumn::GivenNames), ListColumn::GivenNames);
}

TEST_F(PersonList, IncrementalSearchFindsTheFirstRowInListOrder) {
  b.person("John Henry", "Smith", "M");
  b.person("Johnny", "Small", "M");
  auto baker = b.person("John", "Baker", "M");
  auto rows = all();
  SortRows(rows, ListColumn::FamName);  // Baker, Small, Smith
  EXPECT_EQ(FindRow(rows, ListColumn::FamName, "sm"), 1);
  EXPECT_EQ(FindRow(rows, ListColumn::FamName, "SMI"), 2);
  EXPECT_EQ(FindRow(rows, ListColumn::FamName, "x"), -1);
  EXPECT_EQ(FindRow(rows, ListColumn::FamName, ""), 0);
  // Given names: the trimmed text must end a word.
  EXPECT_EQ(FindRow(rows, ListColumn::GivenNames, "Jo"), -1);
  EXPECT_EQ(rows[static_cast<std::size_t>(FindRow(rows, ListColumn::GivenNames, "john "))].number, baker);
  // Numbers.
  EXPECT_EQ(rows[static_cast<std::size_t>(FindRow(rows, ListColumn::Number, " 3 "))].number, baker);
  EXPECT_EQ(FindRow(rows, ListColumn::Number, "4"), -1);
  EXPECT_EQ(FindRow(rows, ListColumn::Number, "99999999999"), -1);
  EXPECT_EQ(FindRow({}, ListColumn::FamName, ""), -1);
}

TEST_F(PersonList, DetailsNameParentsPartnersAndPlaces) {
  auto dad = b.person("Tom", "Hill", "M");
  auto mum = b.person("Sue", "Dale", "F");
  auto parents = b.family(dad, mum);
  auto kid = b.child(parents, "Ann", "Hill", "F");
  auto hub = b.person("Rob", "Lane", "M");
  b.family(hub, kid);
  auto bf = b.person("Ian", "Moss", "M");
  auto m2 = b.family(bf, kid);
  s.Marriages[static_cast<std::size_t>(m2)].NotMarried = -1;
  b.write_family(m2);
  b.family(0, kid);  // an unknown partner is not listed
  set(kid, [](PersonRecord& p) {
    p.BirthPlace = "Leeds";
    p.DeathDate = "3 May 1990";
    p.DeathPlace = "York";
  });
  EXPECT_EQ(RowDetails(s, kid),
            (std::vector<std::string>{"Fa: Tom Hill", "Mo: Sue Dale", "Hu: Rob Lane", "Pa: Not Married Ian Moss",
                                      "B: 1 Jan 1900", "Born At: Leeds", "D: 3 May 1990", "Died At: York"}));
  EXPECT_EQ(RowDetails(s, hub),
            (std::vector<std::string>{"Fa:  Not Recorded", "Mo: Not Recorded", "Wi: Ann Hill", "B: 1 Jan 1900"}));
  EXPECT_TRUE(RowDetails(s, 99).empty());
}

}  // namespace
