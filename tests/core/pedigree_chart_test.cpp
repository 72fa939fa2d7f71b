// The pedigree chart on the page document: the ancestor table, the bands and
// columns, fitted texts, marriage lines, lines to recorded parents only.
#include <cmath>

#include "chart_fixture.h"
#include "print/pedigree_chart.h"

using namespace vft;
using namespace vft::print;
using test::LineAt;
using test::TextAt;

namespace {

// A4 portrait with one-inch margins.
constexpr double kLeft = 1440, kTop = 1440;
constexpr double kW = 11906 - 2 * 1440, kH = 16838 - 2 * 1440;
double x_of(int g) { return kLeft + kW / 8.5 + g * kW / 5; }
double band(int g) { return kH / std::pow(2.0, g); }
double middle(int g, int p) { return kTop + (p + 1) * band(g) - band(g) / 2; }

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

TEST(PedigreeText, LongTextsAreCutToTwentyCharactersOrFewer) {
  FixedMeasure m;
  Font f;
  f.size = 8;  // 80 twips a character
  const std::string name = "Maximilian Alexander Worthingt";  // 30 characters, 2400 twips
  EXPECT_EQ(FitChartText(name, 2400, f, m), name);
  EXPECT_EQ(FitChartText(name, 2399, f, m), "Maximilian Alexander..");  // 22 characters: 1760
  EXPECT_EQ(FitChartText(name, 1760, f, m), "Maximilian Alexander..");
  EXPECT_EQ(FitChartText(name, 1759, f, m), "Maximilian Alexande..");
  EXPECT_EQ(FitChartText(name, 500, f, m), "Maxi..");
  EXPECT_EQ(FitChartText(name, 100, f, m), "..");  // nothing fits: the dots alone
  EXPECT_EQ(FitChartText("Ann Lee", 100, f, m), "..");
  EXPECT_EQ(FitChartText("Ann Lee", 560, f, m), "Ann Lee");
  EXPECT_EQ(FitChartText("Ann Lee", 559, f, m), "Ann ..");  // "Ann L.." is 560 wide
  EXPECT_EQ(FitChartText("", 0, f, m), "");
}

TEST_F(Pedigree, TheAncestorTableHoldsFathersAtEvenAndMothersAtOddPositions) {
  auto stanley = tree.person("Stanley", "Smith", "M");
  auto betty = tree.person("Betty", "Ward", "F");
  auto michael = tree.child(tree.family(stanley, betty), "Michael", "Smith", "M");
  auto chloe = tree.person("Chloe", "Dubois", "F");
  auto sophie = tree.child(tree.family(michael, chloe), "Sophie", "Smith", "F");
  auto single = tree.person("Olive", "Single", "F");
  auto son = tree.child(tree.family(0, single), "Sam", "Single", "M");

  AncestorTable t = FillAncestors(s, sophie);
  EXPECT_EQ(t[0][0], sophie);
  EXPECT_EQ(t[1][0], michael);
  EXPECT_EQ(t[1][1], chloe);
  EXPECT_EQ(t[2][0], stanley);
  EXPECT_EQ(t[2][1], betty);
  EXPECT_EQ(t[2][2], 0);
  EXPECT_EQ(t[2][3], 0);
  for (std::size_t p = 0; p < kAncestorSlots; ++p) EXPECT_EQ(t[4][p], 0);
  AncestorTable u = FillAncestors(s, son);
  EXPECT_EQ(u[1][0], 0);
  EXPECT_EQ(u[1][1], single);
}

TEST_F(Pedigree, APersonWithoutParentsFillsTheFirstColumnOnly) {
  auto sophie = tree.person("Sophie", "Smith", "F");
  set_life(sophie, "1962", "Rye", "2020", "Ely");
  ChartOptions o = LoadChartOptions(s, request::Pedigree);  // 8 points
  PedigreeResult r = run(o, sophie);
  ASSERT_TRUE(r.completed);
  EXPECT_EQ(r.persons, 1);
  EXPECT_EQ(r.title, "Pedigree Chart for  Sophie Smith");
  ASSERT_EQ(doc.page_count(), 1);

  std::vector<LineAt> lines = test::lines_of(doc);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_DOUBLE_EQ(lines[0].x1, kLeft);
  EXPECT_DOUBLE_EQ(lines[0].x2, x_of(0) + kW / 12);
  EXPECT_DOUBLE_EQ(lines[0].y1, middle(0, 0));
  EXPECT_DOUBLE_EQ(lines[0].y2, middle(0, 0));
  EXPECT_EQ(lines[0].pen, 10);

  auto texts = test::texts_of(doc);
  const TextAt* name = test::find_text(texts, "Sophie Smith");
  ASSERT_NE(name, nullptr);
  EXPECT_DOUBLE_EQ(name->x, x_of(0) - kW / 9);
  EXPECT_DOUBLE_EQ(name->y, middle(0, 0) - 1.7 * 192);
  EXPECT_EQ(name->size, 8);
  const TextAt* born = test::find_text(texts, "Born 1962 at Rye");
  const TextAt* died = test::find_text(texts, "Died 2020 at Ely");
  ASSERT_TRUE(born && died);
  EXPECT_DOUBLE_EQ(born->y, middle(0, 0) + 30);
  EXPECT_DOUBLE_EQ(died->y, born->y + 192);

  // The heading sits in the top margin, its date at the right margin.
  const TextAt* title = test::find_text(texts, "Pedigree of Sophie Smith");
  ASSERT_NE(title, nullptr);
  EXPECT_DOUBLE_EQ(title->y + 8 * 1.3 * 24 + 60, kTop);
  EXPECT_DOUBLE_EQ(test::find_text(texts, "Printed: 5 Dec 2026")->right, 11906 - 1440);
  EXPECT_NE(test::find_text(texts, "Page 1"), nullptr);
}

TEST_F(Pedigree, AThirtyCharacterNameIsCutToItsFirstTwentyCharacters) {
  auto p = tree.person("Maximilian Alexander", "Worthingt", "M");
  ChartOptions o = LoadChartOptions(s, request::Pedigree);
  // Margins that make the column text 1800 twips wide (W / 5 - 50).
  ASSERT_TRUE(doc.set_margin_left(1328) && doc.set_margin_right(1328));
  run(o, p);
  EXPECT_NE(test::find_text(test::texts_of(doc), "Maximilian Alexander.."), nullptr);

  // The number goes after the cut name, in full.
  o.items[item3::PersonNumber] = true;
  run(o, p);
  EXPECT_NE(test::find_text(test::texts_of(doc), "Maximilian Alexa..  #1"), nullptr);
}

TEST_F(Pedigree, PersonNumbersNeedTheNameBoxToo) {
  auto p = tree.person("Ann", "Lee", "F");
  ChartOptions o = LoadChartOptions(s, request::Pedigree);
  o.items[item3::PersonNumber] = true;
  run(o, p);
  EXPECT_NE(test::find_text(test::texts_of(doc), "Ann Lee  #1"), nullptr);
  o.items[item3::Name] = false;
  run(o, p);
  auto texts = test::texts_of(doc);
  EXPECT_NE(test::find_text(texts, "Ann Lee"), nullptr);
  EXPECT_EQ(test::find_text(texts, "Ann Lee  #1"), nullptr);
}

TEST_F(Pedigree, MarriageLinesOnlyForGenerationsZeroToTwo) {
  auto p = with_ancestors(5, "P", "F");  // ancestors beyond the chart's five generations too
  ChartOptions o = names_only(request::Pedigree);
  o.font.size = 7;  // "Married on 1 Jan 1931." fits the column whole
  PedigreeResult r = run(o, p);
  EXPECT_EQ(r.persons, 31);
  std::vector<std::string> marriages;
  for (const TextAt& t : test::texts_of(doc))
    if (t.text.rfind("Married", 0) == 0) marriages.push_back(t.text);
  // Parents' marriages of the person (1), of the two parents and of the four
  // grandparents: 7 lines, none for generations 3 and 4.
  EXPECT_EQ(marriages.size(), 7u);
  EXPECT_EQ(ParentsMarriageLine(s, p), "Married on 1 Jan 1931.");
  AncestorTable t = FillAncestors(s, p);
  EXPECT_NE(ParentsMarriageLine(s, t[3][0]), "");  // recorded, but not printed
  auto texts = test::texts_of(doc);
  EXPECT_NE(test::find_text(texts, ParentsMarriageLine(s, t[2][3])), nullptr);
  EXPECT_EQ(test::find_text(texts, ParentsMarriageLine(s, t[3][0])), nullptr);
  EXPECT_EQ(test::find_text(texts, ParentsMarriageLine(s, t[4][15])), nullptr);

  // Every person's vertical line reaches both parents' bands.
  int verticals = 0;
  for (const LineAt& l : test::lines_of(doc)) verticals += l.x1 == l.x2;
  EXPECT_EQ(verticals, 2 * 15);
}

TEST_F(Pedigree, MarriageLineWordsAndRecordedParentsOnly) {
  auto father = tree.person("Frank", "Hill", "M");
  auto mother = tree.person("Doris", "Smith", "F");
  auto m = tree.family(father, mother, "6 Jun 1920");
  auto child = tree.child(m, "Brian", "Hill", "M");
  EXPECT_EQ(ParentsMarriageLine(s, child), "Married on 6 Jun 1920.");
  set_flags(m, true, false);
  EXPECT_EQ(ParentsMarriageLine(s, child), "Married on 6 Jun 1920 - Div.");
  set_flags(m, false, true);
  EXPECT_EQ(ParentsMarriageLine(s, child), "Not Married");
  auto undated = tree.child(tree.family(tree.person("Al", "Roe", "M"), tree.person("Bea", "Roe", "F")), "Cy", "Roe", "M");
  EXPECT_EQ(ParentsMarriageLine(s, undated), "Married.");
  auto single = tree.person("Olive", "Single", "F");
  auto son = tree.child(tree.family(0, single), "Sam", "Single", "M");
  EXPECT_EQ(ParentsMarriageLine(s, son), "");  // no recorded father
  EXPECT_EQ(ParentsMarriageLine(s, father), "");

  // Sam's mother alone: the line runs down to her band only.
  ChartOptions o = names_only(request::Pedigree);
  run(o, son);
  std::vector<LineAt> verticals;
  for (const LineAt& l : test::lines_of(doc))
    if (l.x1 == l.x2) verticals.push_back(l);
  ASSERT_EQ(verticals.size(), 1u);
  EXPECT_DOUBLE_EQ(verticals[0].x1, x_of(0) + kW / 12);
  EXPECT_DOUBLE_EQ(verticals[0].y1, middle(0, 0));
  EXPECT_DOUBLE_EQ(verticals[0].y2, middle(0, 0) + band(0) / 4);
  EXPECT_EQ(test::find_text(test::texts_of(doc), "Olive Single")->y, middle(1, 1) - 1.7 * 240);
}

TEST_F(Pedigree, TextsStayInsideTheirBandsOnTightPages) {
  auto p = with_ancestors(4, "Person", "M");
  for (std::int16_t n = 1; n <= s.Config.NumPersons(); ++n) set_life(n, "12 Dec 1850", "Leeds", "1 Jan 1920", "York");
  ChartOptions o = LoadChartOptions(s, request::Pedigree);
  o.font.size = 12;  // too big for the outer bands: those generations get a smaller size
  doc.set_orientation(Orientation::Landscape);
  run(o, p);
  const double w = 16838 - 2880, h = 11906 - 2880;
  int placed = 0;
  for (const TextAt& t : test::texts_of(doc)) {
    if (t.y < kTop || t.y >= 11906 - 1440) continue;  // heading and page number
    int g = static_cast<int>(std::lround((t.x - kLeft - w / 8.5 + w / 9) / (w / 5)));
    ASSERT_GE(g, 0);
    ASSERT_LT(g, 5);
    double b = h / std::pow(2.0, g);
    int pos = static_cast<int>((t.y - kTop) / b);
    EXPECT_LE(t.y + t.size * 24, kTop + (pos + 1) * b + 1e-6) << t.text << " g" << g;
    EXPECT_LE(t.right - t.x, w / 5 - 50 + 1e-6) << t.text;
    ++placed;
  }
  EXPECT_GE(placed, 31 * 3);
}

TEST_F(Pedigree, CancelAbandonsThePage) {
  auto p = with_ancestors(2, "P", "M");
  ChartOptions o = names_only(request::Pedigree);
  int calls = 0;
  PedigreeResult r = run(o, p, [&](const std::string&, long) { return ++calls < 3; });
  EXPECT_FALSE(r.completed);
  EXPECT_EQ(doc.page_count(), 0);
  EXPECT_FALSE(run(o, 0).completed);  // not a person
  EXPECT_TRUE(run(o, p).completed);
}

}  // namespace
