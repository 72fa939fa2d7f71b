// Names fitted to the boxes, the tool tips that name the selected person, the
// hover texts and the overflow lists of the family view.
#include "family_view_fixture.h"

using namespace vft;

namespace {

// Like FixedMeasure, but a text longer than 20 characters is drawn 5
// characters wider (as tight kerning pairs would): the whole given names can
// then fit beside the family name while the full name does not.
class KernedMeasure : public print::TextMeasure {
 public:
  double width(std::string_view text, const print::Font&) const override {
    return 100.0 * static_cast<double>(text.size()) + (text.size() > 20 ? 500 : 0);
  }
  double line_height(const print::Font&) const override { return 240; }
};

class FamilyViewText : public test::FamilyViewTest {
 protected:
  std::string fit(double width, std::int16_t p) { return FitName(s, measure, metrics.name_font, width, p); }
};

TEST_F(FamilyViewText, FitNameDropsGivenNamesFromTheRight) {
  auto p = tree.person("John Paul George", "Smith", "M");  // 22 characters in all
  EXPECT_EQ(fit(2400, p), "John Paul George Smith");       // 2200 available: exactly fits
  EXPECT_EQ(fit(2399, p), "John Paul Smith");
  EXPECT_EQ(fit(1700, p), "John Paul Smith");  // " John Paul" fills the 1000 left beside "Smith"
  EXPECT_EQ(fit(1699, p), "John Smith");
  EXPECT_EQ(fit(1199, p), " Smith");  // no given word fits: a single leading blank

  // Whole words only; extra blanks between given names do not make words.
  auto r = tree.person("Ann   Marie Louise", "Roe", "F");
  EXPECT_EQ(fit(1500, r), "Ann Marie Roe");
  EXPECT_EQ(fit(0, 99), "");  // not on record
}

TEST_F(FamilyViewText, FitNameNeverAddsTheLastGivenName) {
  // All three given names would fit beside the family name, yet the full
  // name is too wide: the short form still leaves the last one out.
  auto p = tree.person("John Paul George", "Smith", "M");
  KernedMeasure kerned;
  EXPECT_EQ(FitName(s, kerned, metrics.name_font, 2900, p), "John Paul George Smith");
  EXPECT_EQ(FitName(s, kerned, metrics.name_font, 2400, p), "John Paul Smith");
}

TEST_F(FamilyViewText, ToolTipsNameTheSelectedPerson) {
  auto me = tree.person("Ann", "Hart", "F");
  FamilyViewModel v = show(me);
  EXPECT_EQ(v.ToolTips.AddPerson, "Add a NEW person to Ann Hart as a relation");

  auto h = tree.person("Bob", "Ash", "M");
  tree.family(h, me);
  EXPECT_EQ(show(me).ToolTips.EditMarr, "Edit the marriage of Ann Hart and Bob Ash");

  // Names are fitted to 3000 twips: 28 characters here.
  auto annabel = tree.person("Annabel Maria Theresa Louisa", "Hart", "F");
  EXPECT_EQ(show(annabel).ToolTips.AddPerson, "Add a NEW person to Annabel Maria Theresa Hart as a relation");
}

TEST_F(FamilyViewText, HoverTextsNameTheBoxAndTheDescription) {
  auto me = tree.child(parents(), "Ann", "Hart", "F");
  set_dates(dad, "3 Apr 1850", "");
  FamilyViewModel v = show(me);
  EXPECT_EQ(SlotHoverStatus(s, v, Slot::Father), "Father is Tom Hart  (#1),   3 Apr 1850 - ");
  EXPECT_EQ(SlotHoverStatus(s, v, Slot::GrandParent0), "");  // an empty box says nothing
}

TEST_F(FamilyViewText, OverflowListsOfSiblingsPartnersAndChildren) {
  auto pm = parents();
  auto me = tree.child(pm, "Ann", "Hart", "F");
  auto bro = tree.child(pm, "Bo", "Hart", "M");
  auto sis = tree.child(pm, "Cy", "Hart", "F");
  set_dates(sis, "2 Feb 1902", "9 Sep 1990");
  auto m1 = tree.family(tree.person("Rob", "Ash", "M"), me);
  auto h2 = tree.person("Sam", "Orr", "M");
  tree.family(h2, me);
  auto kid = tree.child(m1, "Di", "Ash", "F");

  FamilyViewModel v = show(me);
  OverflowList list = BuildOverflowList(s, v, listkind::Siblings);
  EXPECT_EQ(list.Caption, "Two Siblings...");
  ASSERT_EQ(list.Rows.size(), 2u);
  EXPECT_EQ(list.Rows[0].Text, "\\2\\ Bo Hart   1 Jan 1900 -    #" + std::to_string(bro));
  EXPECT_EQ(list.Rows[1].Text, "\\1\\ Cy Hart   2 Feb 1902 - 9 Sep 1990   #" + std::to_string(sis));

  list = BuildOverflowList(s, v, listkind::Partners);
  EXPECT_EQ(list.Caption, "Two Partners...");
  ASSERT_EQ(list.Rows.size(), 2u);
  EXPECT_EQ(list.Rows[1].Person, h2);

  list = BuildOverflowList(s, v, listkind::Children);
  EXPECT_EQ(list.Caption, "One Children...");
  ASSERT_EQ(list.Rows.size(), 1u);
  EXPECT_EQ(RowPersonNumber(list.Rows[0].Text), kid);

  // Kinds that have nothing to list.
  EXPECT_TRUE(BuildOverflowList(s, v, listkind::ChildsChildren0 + 1).Rows.empty());
  EXPECT_TRUE(BuildOverflowList(s, v, 0).Rows.empty());
  EXPECT_TRUE(BuildOverflowList(s, v, 13).Caption.empty());
}

TEST_F(FamilyViewText, ChildButtonsAndTheOverflowListOfAChildsChildren) {
  auto pm = parents();
  auto son = tree.child(pm, "Bo", "Hart", "M");
  auto daughter = tree.child(pm, "Cy", "Hart", "F");
  tree.child(pm, "Ed", "Hart", "M");  // no children of his own
  tree.child(tree.family(tree.person("Hy", "Orr", "M"), daughter), "Fay", "Orr", "F");
  auto w = tree.person("Di", "Ash", "F");
  auto m = tree.family(son, w);
  auto g1 = tree.child(m, "Al", "Hart", "M");
  auto g2 = tree.child(m, "Bea", "Hart", "F");
  auto g3 = tree.child(tree.family(son, 0), "Cid", "Hart", "");

  FamilyViewModel v = show(dad);
  ASSERT_EQ(v.ChildButtons[0].Caption, "Three Children");
  EXPECT_EQ(v.ChildButtons[1].Caption, "One Child");
  EXPECT_FALSE(v.ChildButtons[2].Visible);
  EXPECT_FALSE(v.ChildButtons[3].Visible);  // no fourth child at all
  OverflowList list = BuildOverflowList(s, v, ListKindForChildButton(0));
  EXPECT_EQ(list.Caption, "Bo Hart has Three Children...");
  ASSERT_EQ(list.Rows.size(), 3u);
  EXPECT_EQ(list.Rows[0].Text, "\\2\\ Son: Al Hart   1 Jan 1900 -    #" + std::to_string(g1));
  EXPECT_EQ(list.Rows[1].Text, "\\1\\ Daughter: Bea Hart   1 Jan 1900 -    #" + std::to_string(g2));
  // No sex recorded: no colour marker.
  EXPECT_EQ(list.Rows[2].Text, "Child: Cid Hart   1 Jan 1900 -    #" + std::to_string(g3));

  set_dates(son, "1 Jan 1900", "5 May 1950");
  fam(m).NumKids = 0;
  v = show(dad);
  EXPECT_EQ(BuildOverflowList(s, v, ListKindForChildButton(0)).Caption, "Bo Hart had One Child...");
}

TEST_F(FamilyViewText, OverflowListsOfGreatGrandParents) {
  auto ggf = tree.person("Old", "Hart", "M");
  auto ggm = tree.person("Ida", "Hart", "F");
  auto gf = tree.child(tree.family(ggf, ggm), "Gus", "Hart", "M");
  auto dad = tree.child(tree.family(gf, 0), "Tom", "Hart", "M");
  auto mf = tree.person("Max", "Pike", "M");
  auto mum = tree.child(tree.family(mf, 0), "Eve", "Pike", "F");
  auto me = tree.child(tree.family(dad, mum), "Ann", "Hart", "F");

  FamilyViewModel v = show(me);
  OverflowList list = BuildOverflowList(s, v, ListKindForMarker(0));
  EXPECT_EQ(list.Caption, "Paternal Great Grand Parents are... ");
  ASSERT_EQ(list.Rows.size(), 2u);
  EXPECT_EQ(list.Rows[0].Person, ggf);
  EXPECT_EQ(list.Rows[1].Person, ggm);
  list = BuildOverflowList(s, v, ListKindForMarker(2));
  EXPECT_EQ(list.Caption, "Maternal Great Grand Parents are... ");
  EXPECT_TRUE(list.Rows.empty());  // Max Pike's parents are not recorded

  // From the father's side the partner marker lists the mother's parents.
  v = show(dad);
  list = BuildOverflowList(s, v, ListKindForMarker(kPartnerMarker));
  EXPECT_EQ(list.Caption, "Partners Parents are... ");
  ASSERT_EQ(list.Rows.size(), 1u);
  EXPECT_EQ(list.Rows[0].Person, mf);
}

TEST_F(FamilyViewText, RowNumbersAreReadAfterTheLastHash) {
  EXPECT_EQ(RowPersonNumber("\\1\\ Ann #2 Hart   #7"), 7);
  EXPECT_EQ(RowPersonNumber("# 15"), 15);
  EXPECT_EQ(RowPersonNumber("no number"), 0);
  EXPECT_EQ(RowPersonNumber("#abc"), 0);
  EXPECT_EQ(RowPersonNumber("#0"), 0);
  EXPECT_EQ(RowPersonNumber("#99999"), 0);
  EXPECT_EQ(RowPersonNumber("#99999999999999999999"), 0);
}

}  // namespace
