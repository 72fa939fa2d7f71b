// The descendants chart on the page document: rows and their order, the
// summary, the generation key, connectors, page breaks and narrow pages.
#include <algorithm>

#include "chart_fixture.h"
#include "print/descendants_chart.h"
#include "tree_gen.h"

using namespace vft;
using namespace vft::print;
using test::LineAt;
using test::TextAt;

namespace {

constexpr double kLeft = 1440;
constexpr double kA4Bottom = 16838 - 1440;  // page height less the bottom margin

class Descendants : public test::ChartTest {
 protected:
  DescendantsResult run(const ChartOptions& o, std::int16_t root) { return PrintDescendants(s, doc, measure, o, root); }

  // The chart's rows below the generation key, page by page, footers left out.
  std::vector<TextAt> body() const {
    std::vector<TextAt> all = test::texts_of(doc), out;
    std::vector<double> key_y(static_cast<std::size_t>(doc.page_count()) + 1, 0);
    for (const TextAt& t : all)
      if (t.text == " <- Gens.") key_y[static_cast<std::size_t>(t.page)] = t.y;
    for (const TextAt& t : all)
      if (t.y > key_y[static_cast<std::size_t>(t.page)] && t.y < kA4Bottom && t.text != " <- Gens.") out.push_back(t);
    return out;
  }
  std::vector<std::string> body_texts() const {
    std::vector<std::string> out;
    for (const TextAt& t : body()) out.push_back(t.text);
    return out;
  }
  std::vector<std::string> name_rows() const {
    std::vector<std::string> out;
    for (const TextAt& t : body())
      if (t.bold) out.push_back(t.text);
    return out;
  }
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
      {16838, 20000, 2, "500|500|7000|" + times(9, "500|") + "~"},
      {16838, 20000, 5, times(5, "500|") + "6000|" + times(6, "500|") + "~"},
      {16838, 20000, 8, times(8, "500|") + "5000|500|500|500|~"},
      {16838, 20000, 11, times(11, "500|") + "5000|~"},
      {11906, 9026, 4, "500|500|500|500|7000|~"},  // A4 portrait: 9000 wide, no room for a step after
      {11906, 9026, 9, times(9, "500|") + "4526|~"},  // 6000 would cross the margin
      {11906, 9026, 11, times(11, "500|") + "3526|~"},
      {9990, 6000, 0, "4000|" + times(6, "300|") + "~"},
      {9991, 7500, 11, times(11, "500|") + "2000|~"},  // the steps just keep 2000 for the deepest
      {9991, 7499, 11, times(11, "499|") + "2010|~"},  // one twip less: the steps shrink
      {9990, 5000, 11, times(11, "272|") + "2008|~"},
  };
  for (const Case& c : cases) {
    const DescendantColumns columns = DescendantLayout(c.page, c.printable, 12);
    EXPECT_EQ(DescendantRowFormat(c.depth, columns), c.format) << c.page << " " << c.printable << " " << c.depth;
    EXPECT_LE(parse_table_format(c.format).format.total_width(), c.printable);
  }
  EXPECT_EQ(DescendantLayout(11906, 9026, 12).wide, true);
  EXPECT_EQ(DescendantLayout(9990, 9026, 12).wide, false);
  EXPECT_EQ(DescendantLayout(11906, 100, 1).step, 500);  // one generation needs no step

  EXPECT_EQ(DescendantRowCells(0, "Ann"), "Ann|||||||||||");
  EXPECT_EQ(DescendantRowCells(3, "Ann"), "|||Ann||||||||");
  EXPECT_EQ(DescendantRowCells(11, "Ann"), "|||||||||||Ann");

  const Colour by_generation[] = {kRed, kBlue, kGreen, kRed, kBlue, kGreen, kRed, kBlue, kGreen, kRed, kBlue, kGreen};
  for (int g = 1; g <= 12; ++g) EXPECT_EQ(GenerationColour(g), by_generation[g - 1]) << g;
}

TEST_F(Descendants, APersonWithoutPartnersIsAOneRowChart) {
  auto john = tree.person("John", "Smith", "M");
  set_life(john, "12 Mar 1820", "Leeds", "4 Jun 1890");
  ChartOptions o = LoadChartOptions(s, request::Descendants);  // the shipped defaults
  DescendantsResult r = run(o, john);

  ASSERT_TRUE(r.completed);
  EXPECT_EQ(r.descendants, 0);
  EXPECT_EQ(r.deepest, 0);
  EXPECT_EQ(r.summary, "John Smith has 0 recorded descendants in 1 generations");
  EXPECT_EQ(r.title, "Print Descendants of  John Smith");
  ASSERT_EQ(doc.page_count(), 1);
  EXPECT_FALSE(doc.is_open());
  EXPECT_TRUE(test::lines_of(doc).empty());

  auto texts = test::texts_of(doc);
  // Heading: title (bold, 13 points) at the top margin; the date ends at the right margin.
  const TextAt* title = test::find_text(texts, "Descendants of John Smith");
  ASSERT_NE(title, nullptr);
  EXPECT_EQ(title->x, kLeft);
  EXPECT_EQ(title->y, 1440);
  EXPECT_TRUE(title->bold);
  EXPECT_EQ(title->size, 13);
  const TextAt* date = test::find_text(texts, "Printed: 5 Dec 2026");
  ASSERT_NE(date, nullptr);
  EXPECT_DOUBLE_EQ(date->right, 11906 - 1440);
  // Key: one number per generation (four by default) below the heading.
  const Colour colours[] = {kRed, kBlue, kGreen, kRed};
  for (int g = 1; g <= 4; ++g) {
    const TextAt* n = test::find_text(texts, std::to_string(g));
    ASSERT_NE(n, nullptr) << g;
    EXPECT_EQ(n->x, kLeft + (g - 1) * 500);
    EXPECT_EQ(n->y, 1440 + 312);
    EXPECT_EQ(n->colour, colours[g - 1]);
  }
  EXPECT_EQ(test::find_text(texts, "5"), nullptr);
  const TextAt* gens = test::find_text(texts, " <- Gens.");
  ASSERT_NE(gens, nullptr);
  EXPECT_EQ(gens->x, kLeft + 1500 + 100);
  EXPECT_EQ(gens->colour, kBlack);
  ASSERT_NE(test::find_text(texts, "Page 1"), nullptr);

  // The rows start at 1.4 times the key's height on the page.
  auto rows = body();
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0].text, "John Smith");
  EXPECT_TRUE(rows[0].bold);
  EXPECT_DOUBLE_EQ(rows[0].y, (1440 + 312) * 1.4);
  EXPECT_EQ(rows[0].x, kLeft + kCellPadding);
  EXPECT_EQ(rows[1].text, "Born 12 Mar 1820 at Leeds");
  EXPECT_FALSE(rows[1].bold);
  EXPECT_EQ(rows[2].text, "Died 4 Jun 1890");
  EXPECT_DOUBLE_EQ(rows[2].y, rows[0].y + 480);
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
  EXPECT_EQ(body_texts(), (std::vector<std::string>{"John Smith", "Born 1 Jan 1900", "Married on 10 May 1845",
                                                     "Mary Brown", "Born 1 Feb 1825 at Bradford",
                                                     "Died 30 Nov 1880 at York",
                                                     "Marriage notes: St Peter's, Leeds"}));
  for (const TextAt& t : body()) EXPECT_EQ(t.x, kLeft + kCellPadding) << t.text;  // partners are not indented
  EXPECT_EQ(r.summary, "John Smith has 0 recorded descendants in 1 generations");
  EXPECT_EQ(test::find_text(test::texts_of(doc), "2"), nullptr);  // the key has one number
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
  EXPECT_EQ(body_texts(), (std::vector<std::string>{"John Smith", "Married on 10 May 1845", "Mary Brown", "Ann Smith",
                                                     "Married", "Tom Hill", "Bob Smith", "Not Married", "Sarah Wood",
                                                     "Carl Smith"}));
  auto rows = body();
  const double depth_of[] = {0, 0, 0, 1, 1, 1, 1, 0, 0, 1};
  for (std::size_t i = 0; i < rows.size() && i < 10; ++i)
    EXPECT_EQ(rows[i].x, kLeft + depth_of[i] * 500 + kCellPadding) << rows[i].text;
  EXPECT_EQ(r.descendants, 3);
  EXPECT_EQ(r.deepest, 1);
  EXPECT_EQ(r.summary, "John Smith has 3 recorded descendants in 2 generations");
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
  EXPECT_EQ(name_rows(),
            (std::vector<std::string>{"Ron Root", "Adam Root", "Carl Root", "Eve Root", "Beth Root", "Dina Ext",
                                      "Eve Root"}));
  // Eve is one descendant, however many lines lead to her.
  EXPECT_EQ(r.descendants, 5);
  EXPECT_EQ(r.summary, "Ron Root has 5 recorded descendants in 4 generations");
  // Eve sits at depth 3 both times.
  auto rows = body();
  for (const TextAt& t : rows)
    if (t.text == "Eve Root") {
      EXPECT_EQ(t.x, kLeft + 3 * 500 + kCellPadding);
    }
}

TEST_F(Descendants, ConnectorsJoinEachChildListToItsParentsColumn) {
  auto r0 = tree.person("Ron", "Root", "M");
  auto w0 = tree.person("Wendy", "Root", "F");
  auto f1 = tree.family(r0, w0);
  auto a = tree.child(f1, "Adam", "Root", "M");
  tree.child(f1, "Beth", "Root", "F");
  auto x = tree.person("Xena", "Ext", "F");
  auto f2 = tree.family(a, x);
  tree.child(f2, "Carl", "Root", "M");
  tree.child(f2, "Cora", "Root", "F");

  ChartOptions o = names_only(request::Descendants);
  o.items[item3::BreakLine] = true;  // "Colour"
  o.generations = 3;
  run(o, r0);
  auto rows = body();
  auto connector = [&](const std::string& name) { return test::find_text(rows, name)->y + 240 - 20; };

  std::vector<LineAt> lines = test::lines_of(doc);
  ASSERT_EQ(lines.size(), 4u);
  for (const LineAt& l : lines) EXPECT_EQ(l.pen, 15);
  // Carl and Cora (depth 2) get horizontal connectors from their parent's column.
  EXPECT_EQ(lines[0].x1, kLeft + 500 + 550);
  EXPECT_EQ(lines[0].x2, kLeft + 500);
  EXPECT_EQ(lines[0].y1, connector("Carl Root"));
  EXPECT_EQ(lines[0].y2, lines[0].y1);
  EXPECT_EQ(lines[0].colour, kBlue);
  EXPECT_EQ(lines[1].y1, connector("Cora Root"));
  // Adam's children: a blue line at Adam's column from Carl to Cora.
  EXPECT_EQ(lines[2].x1, kLeft + 500);
  EXPECT_EQ(lines[2].x2, kLeft + 500);
  EXPECT_EQ(lines[2].y1, connector("Carl Root"));
  EXPECT_EQ(lines[2].y2, connector("Cora Root"));
  EXPECT_EQ(lines[2].colour, kBlue);
  // Ron's children (depth 1): no horizontal connectors, a red line at the left margin.
  EXPECT_EQ(lines[3].x1, kLeft);
  EXPECT_EQ(lines[3].y1, connector("Adam Root"));
  EXPECT_EQ(lines[3].y2, connector("Beth Root"));
  EXPECT_EQ(lines[3].colour, kRed);
  EXPECT_EQ(doc.pen_width(), 0);
  EXPECT_EQ(doc.pen_colour(), kBlack);

  // Without "Colour" the same lines are black, and so is the key.
  o.items[item3::BreakLine] = false;
  run(o, r0);
  for (const LineAt& l : test::lines_of(doc)) EXPECT_EQ(l.colour, kBlack);
  EXPECT_EQ(test::find_text(test::texts_of(doc), "2")->colour, kBlack);
}

TEST_F(Descendants, NarrowPagesTakeNarrowFormatsAndNoConnectors) {
  auto r0 = tree.person("Ron", "Root", "M");
  auto f1 = tree.family(r0, tree.person("Wendy", "Root", "F"));
  auto a = tree.child(f1, "Adam", "Root", "M");
  tree.child(f1, "Beth", "Root", "F");
  tree.child(tree.family(a, tree.person("Xena", "Ext", "F")), "Carl", "Root", "M");
  ASSERT_TRUE(doc.set_paper_code(kPaperA5));  // 8391 twips wide
  ChartOptions o = names_only(request::Descendants);
  o.items[item3::BreakLine] = true;
  o.heading = HeadingPages::FirstPage;
  o.generations = 3;
  run(o, r0);

  EXPECT_TRUE(test::lines_of(doc).empty());
  auto texts = test::texts_of(doc);
  // The heading is smaller than on wide pages and starts 30 twips lower.
  const TextAt* title = test::find_text(texts, "Descendants of Ron Root");
  ASSERT_NE(title, nullptr);
  EXPECT_EQ(title->y, 1440 + 30);
  EXPECT_DOUBLE_EQ(title->size, 11);
  for (int g = 1; g <= 3; ++g) EXPECT_EQ(test::find_text(texts, std::to_string(g))->x, kLeft + (g - 1) * 300);
  EXPECT_EQ(test::find_text(body(), "Adam Root")->x, kLeft + 300 + kCellPadding);
  EXPECT_EQ(test::find_text(body(), "Carl Root")->x, kLeft + 600 + kCellPadding);
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
  EXPECT_EQ(r.summary, "Ron Root has 0 recorded descendants in 1 generations");
  EXPECT_EQ(test::find_text(test::texts_of(doc), "2"), nullptr);

  o.generations = 13;
  r = run(o, r0);
  EXPECT_EQ(name_rows().size(), 12u);
  EXPECT_EQ(r.deepest, 11);
  EXPECT_EQ(r.summary, "Ron Root has 11 recorded descendants in 12 generations");
  auto texts = test::texts_of(doc);
  EXPECT_NE(test::find_text(texts, "12"), nullptr);
  EXPECT_EQ(test::find_text(texts, "13"), nullptr);
  auto rows = body();
  const TextAt* deepest = test::find_text(rows, "Son10 Root");
  ASSERT_NE(deepest, nullptr);
  EXPECT_EQ(deepest->x, kLeft + 11 * 500 + kCellPadding);
}

TEST(GenerationCount, ZeroAndThirteenAreRefusedWithTheirMessages) {
  GenerationCheck c = CheckGenerations("0");
  EXPECT_FALSE(c.ok);
  EXPECT_EQ(c.title, "Problem");
  EXPECT_EQ(c.text, "You must enter the number of generations to print.  ");
  c = CheckGenerations("13");
  EXPECT_FALSE(c.ok);
  EXPECT_EQ(c.title, "Problem");
  EXPECT_EQ(c.text, "You cannot print more than 12 Generations  \r\n on a Descendants chart.");
  EXPECT_STREQ(kGenerationsAfterRefusal, "12");
  for (const char* bad : {"", "  ", "abc", "-1", "99999999"}) EXPECT_FALSE(CheckGenerations(bad).ok) << bad;
  for (const char* good : {"1", " 7 ", "12", "5x"}) EXPECT_TRUE(CheckGenerations(good).ok) << good;
  EXPECT_EQ(CheckGenerations(" 7 ").value, 7);
  EXPECT_EQ(ClampGenerations(0), 1);
  EXPECT_EQ(ClampGenerations(13), 12);
}

}  // namespace
