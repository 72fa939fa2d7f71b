// The pedigree chart on the page document: the ancestor table, the bands and
// columns, fitted texts, marriage lines, lines to recorded parents only.
#include "chart_fixture.h"
#include "golden.h"
#include "print/chart_text.h"
#include "print/pedigree_chart.h"

using namespace vft;
using namespace vft::print;

namespace {

class Pedigree : public test::ChartTest {
 protected:
  PedigreeResult run(const ChartOptions& o, std::int16_t p, const Progress& progress = {}) {
    return PrintPedigree(s, doc, measure, o, p, progress);
  }
  // A person with every ancestor recorded `depth` generations up; each
  // couple married on "1 Jan" of a year counting up from 1901.
  std::int16_t with_ancestors(int depth, const std::string& tag, const std::string& sex) {
    if (depth == 0) return tree.person(tag, "Anc", sex);
    auto father = with_ancestors(depth - 1, tag + "F", "M");
    auto mother = with_ancestors(depth - 1, tag + "M", "F");
    auto m = tree.family(father, mother, "1 Jan " + std::to_string(1900 + ++couples));
    return tree.child(m, tag, "Anc", sex);
  }
  int couples = 0;
};

TEST(PedigreeText, BrokenOnlyAtBlanksCommasAndHyphensAndShrunkRatherThanSplit) {
  FixedMeasure m;
  Font f;
  f.size = 8;                                                  // 80 twips a character
  const std::string name = "Maximilian Alexander Worthingt";   // 30 characters, 2400 twips
  const std::string divorced = NoBreak("12 Aug 1680 - Div.");  // 18 characters, one piece
  struct Case {
    std::string text;
    double width;
    std::vector<std::string> lines;
    double last_size;
  } cases[] = {
      {name, 2400, {name}, 8},
      {name, 2399, {"Maximilian Alexander", "Worthingt"}, 8},
      {"Montgomery-Smythe", 1000, {"Montgomery-", "Smythe"}, 8},
      {"Penzance, Cornwall", 800, {"Penzance,", "Cornwall"}, 8},
      {"Born 12 Aug - Div.", 799, {"Born 12", "Aug -", "Div."}, 8},  // a lone hyphen is no break
      {"Married on " + NoBreak("12 Aug 1890."), 1000, {"Married on", NoBreak("12 Aug 1890.")}, 8},
      {"Worthingtonshire", 1200, {"Worthingtonshire"}, 7.5},  // a word too wide is written smaller
      {divorced, 1260, {divorced}, 7},
      {divorced, 1259, {divorced}, 0},  // not even at 7 points: marked as not fitting
      {"", 0, {""}, 8},
  };
  for (const Case& c : cases) {
    std::vector<ChartLine> out;
    WrapChartText(c.text, c.width, f, m, out);
    std::vector<std::string> lines;
    for (const ChartLine& l : out) lines.push_back(l.text);
    EXPECT_EQ(lines, c.lines) << c.text << " " << c.width;
    EXPECT_EQ(out.back().size, c.last_size) << c.text << " " << c.width;
  }
}

TEST_F(Pedigree, APersonWithoutParentsFillsTheFirstColumnOnly) {
  auto sophie = tree.person("Sophie", "Smith", "F");
  set_life(sophie, "1962", "Rye", "2020", "Ely");
  ChartOptions o = LoadChartOptions(s, request::Pedigree);  // 8 points
  PedigreeResult r = run(o, sophie);
  ASSERT_TRUE(r.completed);
  EXPECT_EQ(r.persons, 1);
  EXPECT_EQ(r.title, "Pedigree Chart for  Sophie Smith");

  // The heading at the top margin, the bands under it: one line, the name
  // above it and the dates below, at 8 points.
  test::expect_golden("pedigree_alone.txt", test::page_text(doc));
}

TEST_F(Pedigree, TextsThatUsedToBeCutWrapWithinTheirColumn) {
  // A4 portrait at 8 points: columns of 1755 twips, 21 characters.
  auto father = tree.person("Frank", "Hill", "M");
  auto mother = tree.person("Doris", "Smith", "F");
  auto m = tree.family(father, mother, "12 Aug 1890");
  auto child = tree.child(m, "Maximilian Alexander", "Worthingt", "M");
  set_life(child, "1 Jan 1962", "Penzance, Cornwall");
  auto m2 = tree.family(tree.person("Al", "Roe", "M"), tree.person("Bea", "Roe", "F"), "? ??? 1860");
  set_flags(m2, true, false);
  auto child2 = tree.child(m2, "Cy", "Roe", "M");
  ChartOptions o = LoadChartOptions(s, request::Pedigree);
  o.heading = HeadingPages::None;
  // Each run's first column: the long name and the place wrap at a blank, the
  // person number stays on the name's last line, and "Married on" goes on
  // the next line rather than cutting the date.
  std::string docs;
  for (auto [person, number] : {std::pair{child, false}, {child, true}, {child2, false}}) {
    o.items[item3::PersonNumber] = number;
    run(o, person);
    docs += test::page_text(doc) + "===\n";
  }
  test::expect_golden("pedigree_wrapped.txt", docs);
}

TEST_F(Pedigree, PersonNumbersNeedTheNameBoxToo) {
  auto p = tree.person("Ann", "Lee", "F");
  ChartOptions o = LoadChartOptions(s, request::Pedigree);
  o.items[item3::PersonNumber] = true;
  o.items[item3::Name] = false;
  run(o, p);
  EXPECT_TRUE(test::has_text(test::texts_of(doc), "Ann Lee"));
  EXPECT_FALSE(test::has_text(test::texts_of(doc), "Ann Lee  #1"));
}

TEST_F(Pedigree, MarriageLinesOnlyForGenerationsZeroToTwo) {
  auto p = with_ancestors(5, "P", "F");  // ancestors beyond the chart's five generations too
  ChartOptions o = names_only(request::Pedigree);
  o.font.size = 7;  // "Married on 1 Jan 1931." fits the column whole
  PedigreeResult r = run(o, p);
  EXPECT_EQ(r.persons, 31);
  // Parents' marriages of the person (1), of the two parents and of the four
  // grandparents: 7 lines, none for generations 3 and 4. Every person's
  // vertical line reaches both parents' bands.
  test::expect_golden("pedigree_full.txt", test::page_text(doc));
}

TEST_F(Pedigree, MarriageLineWordsAndRecordedParentsOnly) {
  auto father = tree.person("Frank", "Hill", "M");
  auto mother = tree.person("Doris", "Smith", "F");
  auto m = tree.family(father, mother, "6 Jun 1920");
  auto child = tree.child(m, "Brian", "Hill", "M");
  EXPECT_EQ(ParentsMarriageLine(s, child),
            "Married on 6\xA0Jun\xA0"
            "1920.");
  set_flags(m, true, false);
  EXPECT_EQ(ParentsMarriageLine(s, child),
            "Married on 6\xA0Jun\xA0"
            "1920\xA0-\xA0"
            "Div.");
  set_flags(m, false, true);
  EXPECT_EQ(ParentsMarriageLine(s, child), "Not Married");
  auto undated =
      tree.child(tree.family(tree.person("Al", "Roe", "M"), tree.person("Bea", "Roe", "F")), "Cy", "Roe", "M");
  EXPECT_EQ(ParentsMarriageLine(s, undated), "Married.");
  auto single = tree.person("Olive", "Single", "F");
  auto son = tree.child(tree.family(0, single), "Sam", "Single", "M");
  EXPECT_EQ(ParentsMarriageLine(s, son), "");  // no recorded father
  EXPECT_EQ(ParentsMarriageLine(s, father), "");

  // Sam's mother alone: one vertical line, from Sam's band down to hers
  // only, and her name above her line in the lower half.
  run(names_only(request::Pedigree), son);
  test::expect_golden("pedigree_mother_only.txt", test::page_text(doc));
}

TEST_F(Pedigree, NobodyIsHisOwnAncestorOnTheChart) {
  // Ann and Bob are a couple listed as their own children; Ron is the
  // child of his own marriage.
  auto ann = tree.loose_person("Ann", "Loop", "F");
  auto bob = tree.loose_person("Bob", "Loop", "M");
  auto loop = tree.family(bob, ann);
  auto ron = tree.loose_person("Ron", "Root", "M");
  auto own = tree.family(ron, tree.person("Wendy", "Root", "F"));
  for (auto [m, kids] : {std::pair{loop, std::vector{ann, bob}}, std::pair{own, std::vector{ron}}}) {
    MarriageRecord& f = s.Marriages[static_cast<std::size_t>(m)];
    for (std::size_t k = 0; k < kids.size(); ++k) f.Kids[k] = kids[k];
    f.NumKids = static_cast<std::int16_t>(kids.size());
  }
  struct Case {
    std::int16_t person, father, mother;
  } cases[] = {{ann, bob, 0}, {bob, 0, ann}, {ron, 0, 4}};
  for (const Case& c : cases) {
    AncestorTable t = FillAncestors(s, c.person);
    EXPECT_EQ(t[1][0], c.father) << c.person;
    EXPECT_EQ(t[1][1], c.mother) << c.person;
    for (std::size_t g = 2; g < kPedigreeGenerations; ++g)
      for (std::int16_t n : t[g]) EXPECT_EQ(n, 0) << c.person;
    EXPECT_EQ(run(names_only(request::Pedigree), c.person).persons, 2);
  }
}

TEST_F(Pedigree, CancelAbandonsThePage) {
  auto p = with_ancestors(2, "P", "M");
  ChartOptions o = names_only(request::Pedigree);
  int calls = 0;
  PedigreeResult r = run(o, p, [&](const std::string&, long) { return ++calls < 3; });
  EXPECT_FALSE(r.completed);
  EXPECT_EQ(doc.page_count(), 0);
  EXPECT_FALSE(run(o, 0).completed);  // not a person
}

}  // namespace
