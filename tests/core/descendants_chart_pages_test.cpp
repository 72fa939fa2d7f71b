// The descendants chart across pages (open lines, headings), its partner
// rows, cancelling, and trees that are damaged or large.
#include "chart_fixture.h"
#include "golden.h"
#include "print/descendants_chart.h"

using namespace vft;
using namespace vft::print;
using test::LineAt;
using test::TextAt;

namespace {

constexpr double kLeft = 1440;

class DescendantPages : public test::ChartTest {
 protected:
  DescendantsResult run(const ChartOptions& o, std::int16_t root, const Progress& progress = {}) {
    return PrintDescendants(s, doc, measure, o, root, progress);
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
  std::vector<LineAt> lines_at(double x, int page) const {
    std::vector<LineAt> out;
    for (const LineAt& l : test::lines_of(doc))
      if (l.page == page && l.x1 == x && l.x2 == x) out.push_back(l);
    return out;
  }
};

TEST_F(DescendantPages, OpenLinesRunToTheBottomMarginAndGoOnOverleaf) {
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

TEST_F(DescendantPages, ALineEndsAtTheLastChildWhenItsRowsSpillOver) {
  std::int16_t kid23 = 0;
  auto r0 = big_family(23, &kid23);  // Ron and Wendy take four rows above the children
  for (int w = 1; w <= 10; ++w) tree.family(kid23, tree.person("Wife" + std::to_string(w), "Other", "F"));
  ChartOptions o = names_only(request::Descendants);
  o.items[item3::DateOfBirth] = o.items[item3::Partners] = true;
  o.generations = 2;
  run(o, r0);
  ASSERT_EQ(doc.page_count(), 2);

  auto texts = test::texts_of(doc);
  const TextAt* last = test::find_text(texts, "Kid23 Root");
  EXPECT_EQ(last->page, 1);
  EXPECT_EQ(test::find_text(texts, "Wife10 Other")->page, 2);
  auto page1 = lines_at(kLeft, 1);
  ASSERT_EQ(page1.size(), 1u);
  EXPECT_DOUBLE_EQ(page1[0].y2, last->y + 220);  // not down to the bottom margin
  EXPECT_TRUE(lines_at(kLeft, 2).empty());
}

TEST_F(DescendantPages, HeadingOnTheFirstPageOnEveryPageOrNone) {
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

TEST_F(DescendantPages, PartnerRowsFollowTheTickedItems) {
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

TEST_F(DescendantPages, CancelDropsTheDocument) {
  auto r0 = big_family(10);
  ChartOptions o = names_only(request::Descendants);
  int persons = 0;
  DescendantsResult r = run(o, r0, [&](const std::string& message, long) {
    return message.find("Root") == std::string::npos || ++persons < 3;
  });
  EXPECT_FALSE(r.completed);
  EXPECT_EQ(doc.page_count(), 0);
  EXPECT_FALSE(doc.is_open());

  s.CancelFlag = true;
  r = run(o, r0);
  EXPECT_FALSE(r.completed);
  EXPECT_EQ(doc.page_count(), 0);
  s.CancelFlag = false;
  r = run(o, r0);
  EXPECT_TRUE(r.completed);
  EXPECT_EQ(r.descendants, 10);
}

TEST_F(DescendantPages, CyclesInDamagedTreesEndWithTrueCounts) {
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
    std::vector<std::string> names;
    for (const TextAt& t : test::texts_of(doc))
      if (t.bold) names.push_back(t.text);
    EXPECT_EQ(names, c.names);
  }
  EXPECT_EQ(PrintDescendants(s, doc, measure, o, 0).completed, false);  // not a person
  EXPECT_EQ(PrintDescendants(s, doc, measure, o, 9999).completed, false);
}

}  // namespace
