// Printouts as a whole on real paper sizes: the sheets' row layouts are
// wider than a portrait page holds between one-inch margins, so they are
// narrowed in proportion; a list entry taller than a page is not pushed on;
// and the family form's paper refusal is said by the generator alone.
#include <algorithm>
#include <cmath>
#include <limits>

#include "print/family_sheet.h"
#include "print/page_document_layout.h"
#include "print/sheet_text.h"
#include "store/records.h"
#include "sheets_fixture.h"

using namespace vft;
using namespace vft::print;

namespace {

constexpr RowLayout kLayouts[] = {RowLayout::LabelValue, RowLayout::Indented, RowLayout::NarrowIndent,
                                  RowLayout::ListEntry};

std::vector<double> widths_of(const std::string& format) {
  TableFormatResult r = parse_table_format(format);
  EXPECT_TRUE(r.ok()) << format << ": " << r.error;
  std::vector<double> out;
  for (const TableColumn& c : r.format.columns) out.push_back(c.width);
  return out;
}

double sum(const std::vector<double>& v) {
  double total = 0;
  for (double w : v) total += w;
  return total;
}

TEST(SheetRows, ColumnsAreNarrowedInProportionOnlyWhenTheyDoNotFit) {
  const double inf = std::numeric_limits<double>::infinity(), nan = std::numeric_limits<double>::quiet_NaN();
  for (RowLayout layout : kLayouts)
    for (bool wide : {true, false}) {
      const std::vector<double> given = widths_of(SheetRowFormat(layout, wide));
      const double total = sum(given), count = static_cast<double>(given.size());
      // Exactly the room, one twip less, A4 and Letter portrait, a page with
      // wide margins, almost and no room at all.
      for (double printable : {inf, nan, total, total - 1, 9026.0, 9360.0, 5000.0, 700.0, 1.0, 0.0, -500.0}) {
        SCOPED_TRACE(std::to_string(printable) + " " + SheetRowFormat(layout, wide));
        const std::vector<double> fitted = widths_of(SheetRowFormat(layout, wide, printable));
        ASSERT_EQ(fitted.size(), given.size());
        if (!(printable < total)) {
          EXPECT_EQ(fitted, given);  // the narrow indent (9150) fits on Letter (9360)
          continue;
        }
        // Whole twips, rounded down, and never a column narrower than one
        // twip; with room for them, at most one twip lost per column.
        const double room = std::max(printable, count);
        for (std::size_t i = 0; i < given.size(); ++i)
          EXPECT_NEAR(fitted[i], std::max(1.0, given[i] * room / total), 1.0) << i;
        if (printable < count) continue;
        EXPECT_LE(sum(fitted), printable);
        EXPECT_GE(sum(fitted), printable - count);
      }
    }
}

// The last cell with text takes the room of the empty cells after it and,
// as far as it needs, of the cell before it (A5 portrait holds 5511 twips
// between one-inch margins, A4 9026).
TEST(SheetRows, TheLastCellWithTextTakesTheRoomItNeeds) {
  const double inf = std::numeric_limits<double>::infinity();
  const struct {
    RowLayout layout;
    bool wide;
    double printable;
    std::size_t filled;
    double needs;
    std::vector<double> widths;
  } cases[] = {
      {RowLayout::ListEntry, false, 5511, 2, 0, {234, 5274, 1}},  // a child's entry
      {RowLayout::ListEntry, true, inf, 2, 0, {700, 9999, 1}},
      {RowLayout::Indented, true, 9026, 3, 0, {590, 4217, 4217}},  // a marriage's notes
      {RowLayout::Indented, true, 9026, 2, 0, {590, 8433, 1}},
      {RowLayout::LabelValue, false, 5511, 1, 3000, {5510, 1}},  // no value to make room for
      {RowLayout::LabelValue, false, 5511, 2, 1503, {4008, 1503}},
      {RowLayout::LabelValue, false, 5511, 2, 1503.5, {4007, 1504}},
      {RowLayout::LabelValue, false, 5511, 2, 5000, {511, 5000}},
      {RowLayout::LabelValue, false, 5511, 2, 6000, {1, 5510}},  // never wider than the row
  };
  for (const auto& c : cases)
    EXPECT_EQ(widths_of(SheetRowFormat(c.layout, c.wide, c.printable, c.filled, c.needs)), c.widths)
        << static_cast<int>(c.layout) << " " << c.filled << " " << c.needs;
}

class WholePrintouts : public test::SheetTest {
 protected:
  PrintRequest request_for(int request) const { return every_item(request, john, mary); }
};

// The notes are written inset by the table's cell padding; the margins are
// given back for whatever the document writes next.
TEST_F(WholePrintouts, TheDataSheetGivesBackTheMarginsOfItsNotes) {
  build_family();
  ASSERT_TRUE(RunPrintRequest(s, doc, measure, request_for(request::DataSheet)).completed);
  EXPECT_EQ(doc.margin_left(), kDefaultMargin);
  EXPECT_EQ(doc.margin_right(), kDefaultMargin);
}

// Entries of the person lists go over the leaf whole unless one alone is
// taller than a page: that one starts where the room is.
TEST_F(WholePrintouts, AnEntryTallerThanAPageIsNotPushedOn) {
  std::string notes;
  for (int l = 0; l < 120; ++l) notes += "Line " + std::to_string(l) + "\r\n";  // more than an A4 page holds
  for (int i = 0; i < 3; ++i) {
    PersonRecord p = tree.read(tree.person("Person" + std::to_string(i), "Smith", "M"));
    if (i == 2) { ASSERT_TRUE(AppendNotes(s.disk, p, notes, s.work(recfile::Notes))); }
    tree.write(p);
  }
  ASSERT_TRUE(RunPrintRequest(s, doc, measure, request_for(request::ListAll)).completed);
  const auto all = test::texts_of(doc);
  const test::TextAt* long_one = test::find_text(all, "#3, Smith, Person2");
  EXPECT_EQ(long_one->page, 1);
  ASSERT_TRUE(test::has_text(all, "Line 119"));
  EXPECT_GE(doc.page_count(), 3);
  EXPECT_EQ(count_of("3 People Listed"), 1);
}

TEST_F(WholePrintouts, TheFamilyFormRefusesSmallPaperWithOneMessage) {
  build_family();
  PrintRequest r = request_for(request::FamilyData);
  ASSERT_TRUE(doc.set_paper_code(kPaperA5));
  EXPECT_FALSE(RunPrintRequest(s, doc, measure, r).completed);
  EXPECT_EQ(t.prompter.shown.size(), 1u);
  EXPECT_EQ(doc.page_count(), 0);
}

}  // namespace
