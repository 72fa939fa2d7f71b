// The descendants chart on the page document: rows and their order, the
// summary, the generation key, connectors, narrow pages, pages that run on
// (open lines, headings), partner rows, cancelling and damaged trees.
#include "chart_fixture.h"
#include "golden.h"
#include "print/descendants_chart.h"

using namespace vft;
using namespace vft::print;
using test::TextAt;

namespace {

constexpr double kLeft = 1440;

class Descendants : public test::ChartTest {
 protected:
  DescendantsResult run(const ChartOptions& o, std::int16_t root, const Progress& progress = {}) {
    return PrintDescendants(s, doc, measure, o, root, progress);
  }
  // The bold texts: with no heading, the names of the person rows.
  std::vector<std::string> name_rows() const {
    std::vector<std::string> out;
    for (const TextAt& t : test::texts_of(doc))
      if (t.bold) out.push_back(t.text);
    return out;
  }
  // Ron and Wendy with `kids` children, each born on 1 Jan 1900.
  std::int16_t big_family(int kids, std::int16_t* last = nullptr) {
    auto r0 = tree.person("Ron", "Root", "M");
    auto f = tree.family(r0, tree.person("Wendy", "Root", "F"));
    for (int k = 1; k <= kids; ++k) {
      auto kid = tree.child(f, "Kid" + std::to_string(k), "Root", k % 2 ? "M" : "F");
      if (last) *last = kid;
    }
    return r0;
  }
  // Ron and Wendy's Adam and Beth; Adam and Xena's Carl. Gives Ron.
  std::int16_t three_generations() {
    auto r0 = tree.person("Ron", "Root", "M");
    auto f1 = tree.family(r0, tree.person("Wendy", "Root", "F"));
    auto a = tree.child(f1, "Adam", "Root", "M");
    tree.child(f1, "Beth", "Root", "F");
    carls = tree.family(a, tree.person("Xena", "Ext", "F"));
    tree.child(carls, "Carl", "Root", "M");
    return r0;
  }
  std::int16_t carls = 0;
};

std::string times(int n, const std::string& column) {
  std::string out;
  for (int i = 0; i < n; ++i) out += column;
  return out;
}

TEST(DescendantRows, FormatsPerDepthEndAtTheRightMargin) {
  struct Case {
    double page, printable;
    int depth;
    std::string format;
  };
  const Case cases[] = {
      {16838, 20000, 0, "7000|" + times(11, "500|") + "~"},  // room for all twelve columns
      {16838, 20000, 5, times(5, "500|") + "6000|" + times(6, "500|") + "~"},
      {16838, 20000, 8, times(8, "500|") + "5000|500|500|500|~"},
      {16838, 20000, 11, times(11, "500|") + "5000|~"},
      {11906, 9026, 4, "500|500|500|500|7000|~"},     // A4 portrait: 9000 wide, no room for a step after
      {11906, 9026, 9, times(9, "500|") + "4526|~"},  // 6000 would cross the margin
      {9990, 6000, 0, "4000|" + times(6, "300|") + "~"},
      {9991, 7500, 11, times(11, "500|") + "2000|~"},  // the steps just keep 2000 for the deepest
      {9991, 7499, 11, times(11, "499|") + "2010|~"},  // one twip less: the steps shrink
  };
  for (const Case& c : cases) {
    const DescendantColumns columns = DescendantLayout(c.page, c.printable, 12);
    EXPECT_EQ(DescendantRowFormat(c.depth, columns), c.format) << c.page << " " << c.printable << " " << c.depth;
  }
  EXPECT_EQ(DescendantLayout(11906, 100, 1).step, 500);  // one generation needs no step

  const Colour by_generation[] = {kRed, kBlue, kGreen, kRed, kBlue, kGreen, kRed, kBlue, kGreen, kRed, kBlue, kGreen};
  for (int g = 1; g <= 12; ++g) EXPECT_EQ(GenerationColour(g), by_generation[g - 1]) << g;
}

TEST_F(Descendants, APersonWithoutPartnersIsAOneRowChart) {
  auto john = tree.person("John", "Smith", "M");
  set_life(john, "12 Mar 1820", "Leeds", "4 Jun 1890");
  DescendantsResult r = run(LoadChartOptions(s, request::Descendants), john);  // the shipped defaults
  ASSERT_TRUE(r.completed);
  EXPECT_EQ(r.summary, "John Smith has 0 recorded descendants in 1 generations");
  EXPECT_EQ(r.title, "Print Descendants of  John Smith");
  EXPECT_FALSE(doc.is_open());
  // The title bold at 13 points, the date ending at the right margin, one key
  // number per generation (four by default) and the rows from 1.4 times the
  // key's height.
  test::expect_golden("descendants_one_row.txt", test::page_text(doc));
}

TEST_F(Descendants, OneGenerationPrintsTheRootAndPartnersOnly) {
  auto john = tree.person("John", "Smith", "M");
  auto mary = tree.person("Mary", "Brown", "F");
  auto m = tree.family(john, mary, "10 May 1845", "St Peter's, Leeds");
  tree.child(m, "Ann", "Smith", "F");
  set_life(mary, "1 Feb 1825", "Bradford", "30 Nov 1880", "York");
  ChartOptions o = LoadChartOptions(s, request::Descendants);
  o.generations = 1;
  DescendantsResult r = run(o, john);
  ASSERT_TRUE(r.completed);
  EXPECT_EQ(r.summary, "John Smith has 0 recorded descendants in 1 generations");
  // Partners are not indented; the key has one number.
  test::expect_golden("descendants_one_generation.txt", test::page_text(doc));
}

TEST_F(Descendants, TwoGenerationsWithTwoPartnersGoPartnerByPartner) {
  auto john = tree.person("John", "Smith", "M");
  auto mary = tree.person("Mary", "Brown", "F");
  auto sarah = tree.person("Sarah", "Wood", "F");
  auto m1 = tree.family(john, mary, "10 May 1845");
  auto ann = tree.child(m1, "Ann", "Smith", "F");
  tree.child(m1, "Bob", "Smith", "M");
  auto m2 = tree.family(john, sarah);
  tree.child(m2, "Carl", "Smith", "M");
  auto tom = tree.person("Tom", "Hill", "M");
  tree.child(tree.family(tom, ann), "Dora", "Hill", "F");  // a grandchild, beyond two generations
  set_flags(m2, false, true);

  ChartOptions o = names_only(request::Descendants);
  o.items[item3::Partners] = o.items[item3::MarriageDetails] = true;
  o.generations = 2;
  DescendantsResult r = run(o, john);
  // Ann's own partner is printed (under her, at her depth); her daughter is not.
  EXPECT_EQ(r.summary, "John Smith has 3 recorded descendants in 2 generations");
  test::expect_golden("descendants_two_partners.txt", test::page_text(doc));
}

TEST_F(Descendants, APersonReachedTwiceIsPrintedOncePerLine) {
  auto r0 = tree.person("Ron", "Root", "M");
  auto w0 = tree.person("Wendy", "Root", "F");
  auto f1 = tree.family(r0, w0);
  auto a = tree.child(f1, "Adam", "Root", "M");
  auto b = tree.child(f1, "Beth", "Root", "F");
  auto x = tree.person("Xena", "Ext", "F");
  auto y = tree.person("Yuri", "Ext", "M");
  auto c = tree.child(tree.family(a, x), "Carl", "Root", "M");
  auto d = tree.child(tree.family(y, b), "Dina", "Ext", "F");
  tree.child(tree.family(c, d), "Eve", "Root", "F");  // a great-grandchild through Adam and through Beth

  ChartOptions o = names_only(request::Descendants);
  o.generations = 4;
  DescendantsResult r = run(o, r0);
  // Eve is one descendant, however many lines lead to her, at depth 3 both times.
  EXPECT_EQ(r.summary, "Ron Root has 5 recorded descendants in 4 generations");
  test::expect_golden("descendants_twice.txt", test::page_text(doc));
}

TEST_F(Descendants, ConnectorsJoinEachChildListToItsParentsColumn) {
  auto r0 = three_generations();
  tree.child(carls, "Cora", "Root", "F");

  // With "Colour": horizontal connectors from the parent's column for depth 2,
  // a vertical line per child list in its generation's colour. Without it the
  // same lines and the key are black.
  ChartOptions o = names_only(request::Descendants);
  o.generations = 3;
  std::string both;
  for (bool colour : {true, false}) {
    o.items[item3::BreakLine] = colour;
    run(o, r0);
    both += test::page_text(doc) + "===\n";
    EXPECT_EQ(doc.pen_width(), 0);
    EXPECT_EQ(doc.pen_colour(), kBlack);
  }
  test::expect_golden("descendants_connectors.txt", both);
}

TEST_F(Descendants, NarrowPagesTakeNarrowFormatsAndNoConnectors) {
  auto r0 = three_generations();
  ASSERT_TRUE(doc.set_paper_code(kPaperA5));  // 8391 twips wide
  ChartOptions o = names_only(request::Descendants);
  o.items[item3::BreakLine] = true;
  o.heading = HeadingPages::FirstPage;
  o.generations = 3;
  run(o, r0);
  // A smaller heading 30 twips lower, 300-twip steps, no lines.
  test::expect_golden("descendants_narrow.txt", test::page_text(doc));
}

TEST_F(Descendants, GenerationsOutsideOneToTwelveAreTakenIntoRange) {
  auto r0 = tree.person("Ron", "Root", "M");
  std::int16_t p = r0;
  for (int g = 0; g < 13; ++g) {  // a line of fourteen generations
    auto wife = tree.person("Wife" + std::to_string(g), "Other", "F");
    p = tree.child(tree.family(p, wife), "Son" + std::to_string(g), "Root", "M");
  }
  ChartOptions o = names_only(request::Descendants);
  o.generations = 0;
  DescendantsResult r = run(o, r0);
  EXPECT_EQ(name_rows(), std::vector<std::string>{"Ron Root"});

  o.generations = 13;
  r = run(o, r0);
  EXPECT_EQ(r.summary, "Ron Root has 11 recorded descendants in 12 generations");
  EXPECT_EQ(test::find_text(test::texts_of(doc), "Son10 Root")->x, kLeft + 11 * 500 + kCellPadding);
}

TEST_F(Descendants, OpenLinesRunToTheBottomMarginAndGoOnOverleaf) {
  auto r0 = big_family(41);
  ChartOptions o = names_only(request::Descendants);
  o.items[item3::DateOfBirth] = o.items[item3::BreakLine] = true;
  o.generations = 2;
  run(o, r0);
  // Two rows a person from 1.4 x the key's height; a person row starts only
  // with three rows' room above the bottom margin, so Kid24 is the last on
  // page 1. The open line runs to the bottom margin and on overleaf, where
  // the key stands but no heading.
  test::expect_golden("descendants_open_lines.txt", test::page_text(doc));
}

TEST_F(Descendants, ALineEndsAtTheLastChildWhenItsRowsSpillOver) {
  std::int16_t kid23 = 0;
  auto r0 = big_family(23, &kid23);  // Ron and Wendy take four rows above the children
  for (int w = 1; w <= 10; ++w) tree.family(kid23, tree.person("Wife" + std::to_string(w), "Other", "F"));
  ChartOptions o = names_only(request::Descendants);
  o.items[item3::DateOfBirth] = o.items[item3::Partners] = true;
  o.generations = 2;
  run(o, r0);
  // Kid23 is the last row on page 1 and his wives run on to page 2. The
  // children's line at x 1440 ends at Kid23's row (220 under its top), not
  // at the bottom margin, and does not go on overleaf.
  test::expect_golden("descendants_last_child.txt", test::page_text(doc));
}

TEST_F(Descendants, HeadingOnTheFirstPageOnEveryPageOrNone) {
  auto r0 = big_family(41);
  ChartOptions o = LoadChartOptions(s, request::Descendants);
  o.generations = 2;
  auto headings = [&] {
    std::vector<int> pages;
    for (const TextAt& t : test::texts_of(doc))
      if (t.text == "Descendants of Ron Root") pages.push_back(t.page);
    return pages;
  };
  run(o, r0);
  ASSERT_GE(doc.page_count(), 2);
  EXPECT_EQ(headings(), std::vector<int>{1});
  o.heading = HeadingPages::EveryPage;
  run(o, r0);
  EXPECT_EQ(headings().size(), static_cast<std::size_t>(doc.page_count()));
  o.heading = HeadingPages::None;
  o.items[item3::PageNumbers] = false;
  run(o, r0);
  EXPECT_TRUE(headings().empty());
  auto texts = test::texts_of(doc);
  EXPECT_FALSE(test::has_text(texts, "Printed: 5 Dec 2026"));
  EXPECT_FALSE(test::has_text(texts, "Page 1"));
}

TEST_F(Descendants, PartnerRowsFollowTheTickedItems) {
  auto john = tree.person("John", "Smith", "M");
  auto mary = tree.person("Mary", "Brown", "F");
  auto kate = tree.person("Kate", "Hall", "F");
  auto m1 = tree.family(john, mary, "2 Jun 1870", "Wakefield");
  tree.family(john, kate);
  tree.child(m1, "Ann", "Smith", "F");
  set_flags(m1, true, false);
  set_life(kate, "", "");

  ChartOptions o = names_only(request::Descendants);
  o.items[item3::PersonNumber] = o.items[item3::Partners] = o.items[item3::MarriageDetails] = true;
  o.items[item3::DateOfBirth] = true;
  // Numbers and births on every row, the divorce in the marriage line and the
  // wedding's place as the partner's marriage notes.
  run(o, john);
  std::string docs = test::page_text(doc) + "===\n";
  // Without marriage details the partners keep only their own rows; without
  // partners the children still follow.
  o.items[item3::MarriageDetails] = false;
  o.items[item3::PersonNumber] = false;
  o.items[item3::DateOfBirth] = false;
  run(o, john);
  docs += test::page_text(doc) + "===\n";
  o.items[item3::Partners] = false;
  run(o, john);
  test::expect_golden("descendants_partner_rows.txt", docs + test::page_text(doc));
}

TEST_F(Descendants, CancelDropsTheDocument) {
  auto r0 = big_family(10);
  ChartOptions o = names_only(request::Descendants);
  int persons = 0;
  DescendantsResult r = run(o, r0, [&](const std::string& message, long) {
    return message.find("Root") == std::string::npos || ++persons < 3;
  });
  EXPECT_FALSE(r.completed);
  EXPECT_EQ(doc.page_count(), 0);

  s.CancelFlag = true;
  r = run(o, r0);
  EXPECT_FALSE(r.completed);
  EXPECT_EQ(doc.page_count(), 0);
}

TEST_F(Descendants, CyclesInDamagedTreesEndWithTrueCounts) {
  // Ron is listed as his own child, and the family lists people who do not exist.
  auto r0 = tree.person("Ron", "Root", "M");
  auto f = tree.family(r0, tree.person("Wendy", "Root", "F"));
  tree.child(f, "Kid", "Root", "M");
  MarriageRecord& m = s.Marriages[static_cast<std::size_t>(f)];
  m.Kids[1] = r0;
  m.Kids[2] = 9999;
  m.Kids[3] = -4;
  m.NumKids = 4;
  // Ann and Bob are a couple listed as their own children: each is the
  // other's parent.
  auto ann = tree.person("Ann", "Loop", "F");
  auto bob = tree.person("Bob", "Loop", "M");
  auto loop = tree.family(bob, ann);
  MarriageRecord& l = s.Marriages[static_cast<std::size_t>(loop)];
  l.Kids[0] = ann;
  l.Kids[1] = bob;
  l.NumKids = 2;
  ChartOptions o = names_only(request::Descendants);
  o.items[item3::Partners] = true;
  o.generations = 12;
  struct Case {
    std::int16_t root;
    int descendants, deepest;
    std::vector<std::string> names;
  };
  const Case cases[] = {{r0, 1, 1, {"Ron Root", "Kid Root"}}, {ann, 1, 1, {"Ann Loop", "Bob Loop"}}};
  for (const Case& c : cases) {
    DescendantsResult r = run(o, c.root);
    ASSERT_TRUE(r.completed);
    EXPECT_EQ(r.descendants, c.descendants) << c.names[0];
    EXPECT_EQ(r.deepest, c.deepest) << c.names[0];
    EXPECT_FALSE(r.truncated);
    EXPECT_EQ(name_rows(), c.names);
  }
  EXPECT_EQ(PrintDescendants(s, doc, measure, o, 0).completed, false);  // not a person
  EXPECT_EQ(PrintDescendants(s, doc, measure, o, 9999).completed, false);
}

TEST(GenerationCount, ZeroAndThirteenAreRefusedWithTheirMessages) {
  EXPECT_EQ(CheckGenerations("0").text, "You must enter the number of generations to print.  ");
  EXPECT_EQ(CheckGenerations("13").text, "You cannot print more than 12 Generations  \r\n on a Descendants chart.");
  for (const char* bad : {"0", "13", "", "abc", "-1", "99999999"}) EXPECT_FALSE(CheckGenerations(bad).ok) << bad;
  for (const char* good : {"1", " 7 ", "12", "5x"}) EXPECT_TRUE(CheckGenerations(good).ok) << good;
  EXPECT_EQ(CheckGenerations(" 7 ").value, 7);
}

}  // namespace
