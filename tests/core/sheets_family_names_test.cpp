// The list of family names: distinct and sorted, each format on paper and as
// a text file, 4 columns only below 11 points, and the save texts.
#include "golden.h"
#include "print/family_names.h"
#include "print/print_request.h"
#include "sheets_fixture.h"

using namespace vft;
using namespace vft::print;

namespace {

class FamilyNames : public test::SheetTest {
 protected:
  ChartOptions chart;
  SheetOptions sheet;
  void names() {
    for (const char* n : {"Smith", "Adams", "Smith", "  Brown ", "Zed", "Cole", "adams", "Dunn"})
      tree.person("X", n, "M");
    chart.request = request::FamilyNames;
    sheet.request = request::FamilyNames;
  }
};

TEST_F(FamilyNames, DistinctAndSorted) {
  names();
  tree.person("Nobody", "", "M");  // an empty name is not a family name
  EXPECT_EQ(CollectFamilyNames(s),
            (std::vector<std::string>{"Adams", "Brown", "Cole", "Dunn", "Smith", "Zed", "adams"}));
  s.UCaseFamname = true;  // names as displays show them
  EXPECT_EQ(CollectFamilyNames(s), (std::vector<std::string>{"ADAMS", "BROWN", "COLE", "DUNN", "SMITH", "ZED"}));
}

// The print tool's test writes each format of a real list to a file; here the
// empty list and the font size that turns four columns into three.
TEST(FamilyNamesText, EmptyListsAndFourColumnsOnlyBelowElevenPoints) {
  EXPECT_EQ(FamilyNamesText({}, ListFormat::Comma), "");
  EXPECT_EQ(FamilyNamesText({}, ListFormat::FourColumns), "");
  EXPECT_EQ(EffectiveListFormat(ListFormat::FourColumns, 10.5), ListFormat::FourColumns);
  EXPECT_EQ(EffectiveListFormat(ListFormat::FourColumns, 11), ListFormat::ThreeColumns);
  EXPECT_EQ(EffectiveListFormat(ListFormat::FourColumns, 0), ListFormat::FourColumns);  // counts as 10
}

TEST_F(FamilyNames, PrintToFileGivesTheTextInsteadOfPages) {
  names();
  chart.items[item3::PrintToFile] = true;
  sheet.format = ListFormat::Comma;
  PrintResult r = PrintFamilyNames(s, doc, chart, sheet);
  ASSERT_TRUE(r.completed);
  EXPECT_TRUE(r.as_text);
  EXPECT_EQ(r.text, "Adams, Brown, Cole, Dunn, Smith, Zed, adams\r\n");
  EXPECT_EQ(r.title, "Print Family Names List");
  EXPECT_EQ(doc.page_count(), 0);

  // The same through the one entry point, with a 12-point font: 4 columns become 3.
  PrintRequest req;
  req.request = request::FamilyNames;
  req.chart = chart;
  req.chart.font.size = 12;
  req.sheet = sheet;
  req.sheet.format = ListFormat::FourColumns;
  r = RunPrintRequest(s, doc, measure, req);
  ASSERT_TRUE(r.as_text);
  EXPECT_EQ(r.text, "Adams  Brown  Cole\r\nDunn   Smith  Zed\r\nadams\r\n");
}

TEST_F(FamilyNames, OnPaperInColumnsOrCommaSeparated) {
  names();
  chart.heading = HeadingPages::None;
  sheet.format = ListFormat::FourColumns;
  ASSERT_TRUE(PrintFamilyNames(s, doc, chart, sheet).completed);
  std::string both = test::page_text(doc) + "===\n";
  sheet.format = ListFormat::Comma;
  ASSERT_TRUE(PrintFamilyNames(s, doc, chart, sheet).completed);
  // Four columns sharing the printable width, a row of four names after
  // another; then one line.
  test::expect_golden("family_names.txt", both + test::page_text(doc));
}

TEST_F(FamilyNames, SaveDialogAndMessageTexts) {
  s.Messages.apply_field_labels("Surname", "Given Names", "Baptised");
  EXPECT_EQ(SaveFamilyNamesTitle(s), "Save List of Surnames");
  EXPECT_EQ(SavedFamilyNamesText(s, "names.txt"), "The list of Surnames has been saved  as names.txt");
}

}  // namespace
