// The time line: only complete valid dates, date order, the event texts,
// person numbers, and the column heading on every page.
#include "golden.h"
#include "print/time_line.h"
#include "sheets_fixture.h"

using namespace vft;
using namespace vft::print;

namespace {

class TimeLine : public test::SheetTest {
 protected:
  ChartOptions chart = [] {
    ChartOptions c;
    c.request = request::TimeLine;
    c.heading = HeadingPages::None;
    return c;
  }();
  PrintResult run() { return PrintTimeLine(s, doc, chart); }
};

TEST_F(TimeLine, EventsInDateOrderWithTheirTexts) {
  build_family();
  PrintResult r = run();
  ASSERT_TRUE(r.completed);
  EXPECT_EQ(r.title, "Print Time Line");
  // Three births on one day keep Person-number order; each event its text.
  test::expect_golden("time_line.txt", test::page_text(doc));
  chart.items[item3::PersonNumber] = true;
  ASSERT_TRUE(run().completed);
  EXPECT_TRUE(has("Marriage of John Smith  (#1) and Mary Jones  (#2)"));
  EXPECT_TRUE(has("Death  of John Smith  (#1)"));
}

TEST_F(TimeLine, OnlyCompleteValidDatesAreOnIt) {
  auto p = tree.person("Yara", "Year", "F");
  PersonRecord r = tree.read(p);
  r.BirthDate = "1901";        // a year alone
  r.DeathDate = "? Mar 1950";  // an unknown day
  r.DOBap = "31 Feb 1901";     // no such day
  r.InterDate = "14/3/1950";   // another spelling of a full date is a date
  r.Baptised = "No";           // the flag does not matter on the time line
  tree.write(r);
  ASSERT_TRUE(run().completed);
  EXPECT_EQ(texts(), (std::vector<std::string>{"Date", "Event", "14 Mar 1950", "Interment of Yara Year"}));
}

TEST_F(TimeLine, DatesFromSortKeysAndTheRenamedBaptismTerm) {
  EXPECT_EQ(TimeLineDate("20261231"), "31 Dec 2026");
  auto a = tree.person("A", "X", "M");
  AllPersons all(s);
  // A renamed baptism term names the baptism events.
  s.Messages.apply_field_labels("Family Name", "Given Names", "Christened");
  TimeLineEvent e{"19000101", EventKind::Baptism, a, 0};
  EXPECT_EQ(TimeLineText(s, all, e, false), "Christened  of A X");
}

TEST_F(TimeLine, EveryPageStartsWithTheColumnHeading) {
  for (int i = 0; i < 100; ++i)
    set_life(tree.person("P" + std::to_string(i), "Many", "M"), "1 Jan 1900", "", "1 Jan 1960");
  chart.items[item3::TodaysDate] = true;
  chart.heading = HeadingPages::FirstPage;
  ASSERT_TRUE(run().completed);
  ASSERT_GT(doc.page_count(), 2);
  EXPECT_EQ(count_of("Date"), doc.page_count());
  EXPECT_EQ(count_of("Printed: 5 Dec 2026"), 1);
  EXPECT_EQ(count_of("Time Line"), 1);
}

}  // namespace
