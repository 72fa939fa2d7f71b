// The family data sheet: the paper check, both form widths, the couple
// blocks and the running text, the children table with its overflow onto a
// further page, and the blank form.
#include "print/family_sheet.h"
#include "golden.h"
#include "sheets_fixture.h"

using namespace vft;
using namespace vft::print;

namespace {

class FamilyForm : public test::SheetTest {
 protected:
  ChartOptions sheet = [] {
    ChartOptions o;
    o.request = request::FamilyData;
    o.items[item3::TodaysDate] = true;
    return o;
  }();
  PrintResult run(std::int16_t p, std::int16_t partner, bool blank = false) {
    return PrintFamilySheet(s, doc, measure, sheet, p, partner, blank);
  }
};

TEST(FamilyFormSizes, WidthsForThePaper) {
  EXPECT_EQ(FamilyFormWidth(16001), 14000);
  EXPECT_EQ(FamilyFormWidth(16000), 13000);
  EXPECT_EQ(FamilyFormWidth(15000), 13000);
  EXPECT_EQ(FamilyFormWidth(14999), 0);
}

TEST_F(FamilyForm, TheCoupleTheirMarriageAndChildrenOnALandscapePage) {
  build_family();
  sheet.items[item3::PersonNumber] = true;
  PrintResult r = run(john, mary);
  ASSERT_TRUE(r.completed);
  EXPECT_EQ(r.title, "Print Family Data Sheet");
  ASSERT_EQ(doc.page_count(), 1);
  EXPECT_EQ(doc.page(1).orientation, Orientation::Landscape);
  // The running text names the displayed partner first; every label and the
  // couple's data; the form centred on the A4 sheet, 14000 twips from x 1419.
  test::expect_golden("family_form.txt", test::page_text(doc));
}

TEST_F(FamilyForm, ChildrenBeyondTheFormGoOnAFurtherPage) {
  build_family();
  for (int k = 2; k <= 30; ++k) tree.child(family, "Kid" + std::to_string(k), "Smith", k % 2 ? "M" : "F");
  ASSERT_TRUE(run(john, mary).completed);
  // 26 rows of 8-point type fit under the couple blocks: 25 children and
  // the count of the rest ("5 More)"). The further page has its own heading
  // ("More Children of John Smith and Mary Jones"), the running text and
  // the children's header again, and Kid26 to Kid30 once each.
  test::expect_golden("family_form_more_children.txt", test::page_text(doc));
}

TEST_F(FamilyForm, TheBlankFormHasEveryLabelAndLineButNoData) {
  build_family();
  PrintResult r = run(john, mary, true);
  ASSERT_TRUE(r.completed);
  // Every label and writing line (eleven in each couple block, two for the
  // marriage, under the header and each of the 26 empty child rows), no data.
  test::expect_golden("family_form_blank.txt", test::page_text(doc));
  // Even a form for nobody prints blank.
  EXPECT_TRUE(run(0, 0, true).completed);
}

}  // namespace
