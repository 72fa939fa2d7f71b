// The person's data sheet: the font question, every line kind with its
// exact text, what unticked boxes and empty fields leave out.
#include "print/data_sheet.h"
#include "golden.h"
#include "sheets_fixture.h"

using namespace vft;
using namespace vft::print;

namespace {

class DataSheet : public test::SheetTest {
 protected:
  PrintResult run(const SheetOptions& o, std::int16_t p) { return PrintDataSheet(s, doc, o, p); }
};

TEST(DataSheetFontQuestion, AskedOnlyWhenTheFontIsTooLargeForThePage) {
  // Narrow pages take up to 8 points.
  auto q = FontSizeQuestion(8500, 10);
  ASSERT_TRUE(q);
  EXPECT_EQ(*q,
            "The current font size setting is10 points.\r\nIt may be necessary to reduce this to 8 points.\r\n"
            "avoid layout problems when printing.\r\n Continue anyway?");
  EXPECT_FALSE(FontSizeQuestion(8500, 8));
  EXPECT_NE(FontSizeQuestion(8999, 8.5).value_or("").find("is8.5 points."), std::string::npos);
  EXPECT_FALSE(FontSizeQuestion(9000, 10));
  // Pages up to 12000 twips take up to 14 points; wider pages anything.
  EXPECT_NE(FontSizeQuestion(11906, 16).value_or("").find("reduce this to 14 points."), std::string::npos);
  EXPECT_FALSE(FontSizeQuestion(11906, 14));
  EXPECT_FALSE(FontSizeQuestion(12000, 20));
}

TEST_F(DataSheet, FontQuestionOnANarrowPageStopsTheSheetWhenAnsweredNo) {
  build_family();
  doc.set_page_size(8500, 12000);
  t.prompter.answers.push_back(kAnswerNo);
  PrintResult r = run(all_items(request::DataSheet), john);
  EXPECT_FALSE(r.completed);
  EXPECT_EQ(doc.page_count(), 0);
  ASSERT_EQ(t.prompter.shown.size(), 1u);
  EXPECT_EQ(t.prompter.shown[0].buttons, Buttons::YesNo);

  // Yes goes on with the sheet; an 8-point font is not asked about at all.
  t.prompter.answers.push_back(kAnswerYes);
  EXPECT_TRUE(run(all_items(request::DataSheet), john).completed);
  EXPECT_EQ(t.prompter.shown.size(), 2u);
  Font small;
  small.size = 8;
  doc.set_font(small);
  EXPECT_TRUE(run(all_items(request::DataSheet), john).completed);
  EXPECT_EQ(t.prompter.shown.size(), 2u);
}

TEST_F(DataSheet, EveryLineKindHasItsExactText) {
  build_family();
  PrintResult r = run(all_items(request::DataSheet), john);
  ASSERT_TRUE(r.completed);
  EXPECT_EQ(r.title, "Print Data Sheet for John Smith");
  EXPECT_TRUE(t.prompter.shown.empty());
  // Every line kind with its exact text; the name line bold; label and value
  // columns sharing the printable width 8000 to 3000.
  test::expect_golden("data_sheet.txt", test::page_text(doc));
}

TEST_F(DataSheet, UntickedBoxesAndEmptyFieldsLeaveNothing) {
  build_family();
  SheetOptions o;
  o.request = request::DataSheet;
  o.items[item1::Sex] = true;
  ASSERT_TRUE(run(o, mary).completed);
  std::string docs = test::page_text(doc) + "===\n";

  // The place of death and the interment have no boxes on the data sheet.
  ASSERT_TRUE(run(o, john).completed);
  docs += test::page_text(doc) + "===\n";

  // Mary has no places, no baptism and no occupation recorded; born 126
  // years ago and not dead, her age is past believing and shown as "?".
  SheetOptions all = all_items(request::DataSheet);
  all.items[item1::Children] = false;
  all.items[item1::Partners] = false;
  ASSERT_TRUE(run(all, mary).completed);
  test::expect_golden("data_sheet_unticked.txt", docs + test::page_text(doc));
}

TEST_F(DataSheet, BaptismAndBurialDatesOfOtherFormsAreIntroducedDifferently) {
  auto p = tree.person("Tom", "Hill", "M");
  PersonRecord r = tree.read(p);
  r.Baptised = " Y ";
  r.DOBap = "Abt 1901";
  r.Baptisplace = "Hull";
  r.InterDate = "12 Mar 1950";  // two-digit day: not of the "? ??? ????" form
  r.InteredPlace = "Hull";
  tree.write(r);
  SheetOptions o;
  o.request = request::DataSheet;
  o.items[item1::BaptismData] = true;
  o.items[item1::BurialData] = true;
  ASSERT_TRUE(run(o, p).completed);
  EXPECT_EQ(texts(), (std::vector<std::string>{"Name: Hill, Tom", "Baptised: Yes", "Baptised Abt 1901 at Hull",
                                               "Interred on 12 Mar 1950 at Hull"}));
  // A renamed baptism term is used throughout.
  s.Messages.apply_field_labels("Family Name", "Given Names", "Christened");
  ASSERT_TRUE(run(o, p).completed);
  EXPECT_TRUE(has("Christened: Yes"));
  EXPECT_TRUE(has("Christened Abt 1901 at Hull"));
}

TEST_F(DataSheet, AMissingPersonOrCancelLeavesNoDocument) {
  build_family();
  EXPECT_FALSE(run(all_items(request::DataSheet), 99).completed);
  EXPECT_EQ(doc.page_count(), 0);
  s.CancelFlag = true;
  EXPECT_FALSE(run(all_items(request::DataSheet), john).completed);
  EXPECT_EQ(doc.page_count(), 0);
}

}  // namespace
