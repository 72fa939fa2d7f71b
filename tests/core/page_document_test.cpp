// The page document with the fixed measure: at 10 points a character is 100
// twips wide (110 bold) and a line 240 high. A4 portrait is 11906 x 16838
// twips; with the default one-inch margins text runs from x 1440 to 10466
// and from y 1440 down to 15398.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "golden.h"
#include "print/page_document.h"

using namespace vft::print;

namespace {

struct Placed {
  std::string text;
  double x, y;
  friend bool operator==(const Placed&, const Placed&) = default;
};

std::ostream& operator<<(std::ostream& os, const Placed& p) {
  return os << "{\"" << p.text << "\", " << p.x << ", " << p.y << "}";
}

struct RecordingSink : PageSink {
  std::vector<std::pair<int, int>> calls;
  bool print_pages(const PageDocument&, int first, int last) override {
    calls.emplace_back(first, last);
    return true;
  }
};

struct PageDoc : ::testing::Test {
  FixedMeasure measure;
  PageDocument doc{measure};

  std::vector<Placed> texts(int page) const {
    std::vector<Placed> out;
    for (const Item& item : doc.page_items(page)) {
      if (item.kind == Item::Kind::Text) out.push_back({std::string(doc.item_text(item)), item.x1, item.y1});
    }
    return out;
  }
  // A handler writing a one-line heading, so content starts at y 1680. It
  // runs for every page before anything is on it.
  void with_heading() {
    doc.set_page_start_handler([this](int page) {
      EXPECT_EQ(doc.page_count(), page);
      EXPECT_TRUE(doc.page_items(page).empty());
      EXPECT_EQ(doc.current_y(), doc.margin_top());
      doc.write_text("Heading " + std::to_string(page) + "\n");
    });
  }
};

// ---- Document life ----

TEST_F(PageDoc, StartEndKillAndNothingOutsideADocument) {
  EXPECT_FALSE(doc.write_text("x"));
  EXPECT_FALSE(doc.draw_line(0, 0, 1, 1));
  EXPECT_FALSE(doc.new_page());
  EXPECT_FALSE(doc.end_doc());
  EXPECT_EQ(doc.add_table_row("500|~", "x").error, "No document is open for the table row.");

  doc.start_doc();
  doc.write_text("one");
  doc.new_page();
  doc.new_page();
  EXPECT_EQ(doc.page_shown(), 0);  // nothing to show while it is written
  EXPECT_TRUE(doc.end_doc());
  EXPECT_EQ(doc.page_count(), 3);
  EXPECT_EQ(doc.page_shown(), 1);

  doc.start_doc();  // the previous document goes
  EXPECT_EQ(doc.page_count(), 1);
  EXPECT_TRUE(texts(1).empty());
  doc.kill_doc();
  EXPECT_EQ(doc.page_count(), 0);
  RecordingSink sink;
  EXPECT_FALSE(doc.print_document(sink));
}

TEST_F(PageDoc, HandlerCannotStartPagesButMayCancel) {
  std::vector<bool> refused;
  doc.set_page_start_handler([&](int page) {
    refused.push_back(!doc.new_page());
    doc.start_doc();
    refused.push_back(!doc.end_doc());
    if (page == 2) doc.kill_doc();
  });
  doc.start_doc();
  EXPECT_EQ(refused, (std::vector<bool>{true, true}));
  // Rows run into page 2, whose handler cancels the document mid-row.
  RowResult r;
  for (int i = 0; i < 100 && doc.is_open(); ++i) r = doc.add_table_row("4000|~", "Row");
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(r.error, "The document was closed while the table row was written.");
  EXPECT_FALSE(doc.is_open());
  EXPECT_EQ(doc.page_count(), 0);
}

TEST_F(PageDoc, RunawayWriterStopsAtThePageLimit) {
  doc.start_doc();
  int pages = 1;
  while (doc.new_page()) ++pages;
  EXPECT_EQ(pages, kMaxPages);
  EXPECT_TRUE(doc.truncated());
  EXPECT_FALSE(doc.write_text("more"));
  EXPECT_EQ(doc.add_table_row("500|~", "x").error, "The document has reached its limit of 20000 pages.");
  EXPECT_TRUE(doc.end_doc());
  doc.start_doc();
  EXPECT_FALSE(doc.truncated());
}

TEST_F(PageDoc, PrintingZoomAndPageShownNeedAnEndedDocumentAndAValidRange) {
  for (auto [asked, zoom] : {std::pair{15, 15}, {5, kMinZoom}, {100000, kMaxZoom}}) {
    doc.set_zoom(asked);
    EXPECT_EQ(doc.zoom(), zoom) << asked;
  }
  RecordingSink sink;
  doc.start_doc();
  doc.new_page();
  doc.new_page();
  EXPECT_FALSE(doc.print_document(sink));  // still open
  doc.end_doc();
  EXPECT_TRUE(doc.print_document(sink));
  doc.set_page_shown(2);
  EXPECT_TRUE(doc.print_current_page(sink));
  EXPECT_TRUE(doc.print_pages(sink, 2, 3));
  EXPECT_FALSE(doc.print_pages(sink, 0, 2));
  EXPECT_FALSE(doc.print_pages(sink, 3, 2));
  EXPECT_FALSE(doc.print_pages(sink, 2, 4));
  EXPECT_EQ(sink.calls, (std::vector<std::pair<int, int>>{{1, 3}, {2, 2}, {2, 3}}));
  for (auto [asked, shown] : {std::pair{3, 3}, {9, 3}, {-1, 1}}) {
    doc.set_page_shown(asked);
    EXPECT_EQ(doc.page_shown(), shown) << asked;
  }
}

// ---- Page and device ----

TEST_F(PageDoc, PaperOrientationAndPageSize) {
  EXPECT_EQ(doc.paper_code(), kPaperA4);
  EXPECT_EQ(doc.page_width(), 11906);
  doc.set_orientation(Orientation::Landscape);
  EXPECT_EQ(doc.page_width(), 16838);
  EXPECT_TRUE(doc.set_paper_code(kPaperLetter));
  EXPECT_EQ(doc.page_width(), 15840);
  EXPECT_FALSE(doc.set_paper_code(42));
  EXPECT_EQ(doc.paper_code(), kPaperLetter);
  EXPECT_TRUE(doc.set_paper_code(kPaperUserDefined));
  EXPECT_EQ(doc.page_width(), 15840);  // the sheet stays as it was

  EXPECT_TRUE(doc.set_page_size(8000, 5000));
  EXPECT_EQ(doc.page_width(), 8000);  // still landscape
  doc.set_orientation(Orientation::Portrait);
  EXPECT_EQ(doc.page_width(), 5000);
  EXPECT_FALSE(doc.set_page_size(100, 5000));
  EXPECT_FALSE(doc.set_page_size(5000, 200000));
  EXPECT_EQ(doc.page_height(), 8000);
}

TEST_F(PageDoc, MarginsRefuseNonsense) {
  EXPECT_TRUE(doc.set_margin_left(567) && doc.set_margin_right(0) && doc.set_margin_top(720) &&
              doc.set_margin_bottom(1000));
  EXPECT_FALSE(doc.set_margin_left(-1) || doc.set_margin_left(11906));
  EXPECT_FALSE(doc.set_margin_right(11906));
  EXPECT_FALSE(doc.set_margin_top(16838));
  EXPECT_FALSE(doc.set_margin_bottom(INFINITY));
  EXPECT_FALSE(doc.set_margin_left(NAN));
  EXPECT_EQ((std::vector<double>{doc.margin_left(), doc.margin_right(), doc.margin_top(), doc.margin_bottom()}),
            (std::vector<double>{567, 0, 720, 1000}));
  doc.start_doc();
  EXPECT_EQ(doc.current_x(), 567);
  EXPECT_EQ(doc.current_y(), 720);
}

TEST_F(PageDoc, OrientationChangeMidDocumentWaitsForTheNextPage) {
  doc.start_doc();
  doc.set_orientation(Orientation::Landscape);  // page 1 is still empty: it turns
  EXPECT_EQ(doc.page(1).width, 16838);
  EXPECT_EQ(doc.page(1).orientation, Orientation::Landscape);
  doc.write_text("on it");
  doc.set_orientation(Orientation::Portrait);
  EXPECT_EQ(doc.page_width(), 16838);  // the page being written
  doc.new_page();
  EXPECT_EQ(doc.page(2).width, 11906);
  EXPECT_EQ(doc.page(2).orientation, Orientation::Portrait);
  doc.set_paper_code(kPaperLetter);
  doc.end_doc();
  EXPECT_EQ(doc.page(2).paper_code, kPaperLetter);
  EXPECT_EQ(doc.page(1).paper_code, kPaperA4);
}

TEST_F(PageDoc, DevicesAndTheirPapers) {
  EXPECT_EQ(doc.device(), "PDF file");
  EXPECT_TRUE(doc.paper_supported(41));
  EXPECT_FALSE(doc.paper_supported(kPaperUserDefined));

  doc.set_devices({{"PDF file", {}}, {"Office Laser", {kPaperLetter, kPaperA4}}});
  EXPECT_EQ(doc.device(), "PDF file");  // kept: the new list has it
  EXPECT_TRUE(doc.set_device("Office Laser"));
  EXPECT_TRUE(doc.paper_supported(kPaperA4));
  EXPECT_FALSE(doc.paper_supported(kPaperA5));
  EXPECT_FALSE(doc.set_device("office laser"));
  EXPECT_EQ(doc.device_name(2), "");
  doc.set_devices({{"Label Printer", {kPaperA5}}});
  EXPECT_EQ(doc.device(), "Label Printer");  // the old one is gone
  doc.set_devices({});
  ASSERT_EQ(doc.device_count(), 1);
  EXPECT_EQ(doc.device(), "PDF file");
}

// ---- Text ----

TEST_F(PageDoc, TextAtThePositionAndMeasurement) {
  EXPECT_EQ(doc.text_width("ab\r\ncdef"), 400);
  EXPECT_EQ(doc.text_height("ab\r\ncdef"), 480);

  doc.start_doc();
  doc.set_current_x(2000);
  doc.set_current_y(3000);
  doc.set_text_colour(kRed);
  doc.write_text("Abc");
  doc.set_text_colour(kBlack);
  EXPECT_TRUE(doc.set_font_size(20));
  EXPECT_FALSE(doc.set_font_size(0));
  doc.set_font(Font{"", 0, false, false, true});  // no name, no size: only underline is taken
  EXPECT_EQ(doc.font(), (Font{"Arial", 20, false, false, true}));
  doc.write_text("de\nfgh");
  EXPECT_EQ(doc.current_x(), 1440 + 600);
  EXPECT_EQ(doc.current_y(), 3000 + 480);
  EXPECT_EQ(doc.fonts().size(), 2u);
  doc.end_doc();
  // "Abc" red from the position set, "de" after it, "fgh" under at the margin.
  vft::test::expect_golden("page_text.txt", vft::test::page_text(doc));
}

TEST_F(PageDoc, ParagraphsWrapBetweenTheMarginsAndAlign) {
  doc.set_margin_right(11906 - 1440 - 1000);  // 1000 twips to write in
  doc.start_doc();
  doc.set_current_x(5000);  // paragraphs start at the left margin whatever x is
  doc.write_paragraph("aaaa bbbb cccc");
  EXPECT_EQ(doc.current_x(), 1440);
  doc.write_paragraph("");
  doc.set_paragraph_align(Align::Centre);
  doc.write_paragraph("cccc");
  doc.set_paragraph_align(Align::Right);
  doc.write_paragraph("dd");
  doc.end_doc();
  // "aaaa bbbb" and "cccc" from the left margin, a blank line, "cccc"
  // centred and "dd" at the right of the 1000 twips.
  vft::test::expect_golden("page_paragraphs.txt", vft::test::page_text(doc));
}

TEST_F(PageDoc, ParagraphLinesBelowTheBottomMarginGoOverleaf) {
  with_heading();
  doc.set_margin_right(11906 - 1440 - 1000);
  doc.start_doc();
  doc.set_current_y(15000);  // one line fits above 15398, the next does not
  doc.write_paragraph("aaaa bbbb cccc dddd");
  EXPECT_EQ(texts(1), (std::vector<Placed>{{"Heading 1", 1440, 1440}, {"aaaa bbbb", 1440, 15000}}));
  EXPECT_EQ(texts(2), (std::vector<Placed>{{"Heading 2", 1440, 1440}, {"cccc dddd", 1440, 1680}}));
}

TEST_F(PageDoc, RunningHeaderAndFooterInTheMargins) {
  doc.set_header("L|Centre|Right");
  doc.set_footer("|Page %d|");
  doc.set_first_page_number(5);
  doc.start_doc();
  doc.new_page();
  doc.set_header("Changed||");  // page 2 is finished with this one
  doc.end_doc();
  doc.set_header("");  // after the document: changes nothing on it
  // Page 1: "L", "Centre" and "Right" in the top margin, "Page 5" centred in
  // the bottom one; page 2: "Changed" and "Page 6".
  vft::test::expect_golden("page_running_texts.txt", vft::test::page_text(doc));
}

TEST_F(PageDoc, RunningTextsKeepAPrintersDistanceFromTheEdge) {
  doc.set_header("H");
  doc.set_footer("F");
  Font small;
  small.size = 8;  // lines 192 high: a margin of 552 or more keeps them 360 from the edge
  doc.set_header_font(small);
  // Centred in wide margins; a margin narrower than 360 + 192 + 60 grows to
  // that at the start. One set afterwards is taken as it is: from 360 + 192
  // on the texts keep 360 from the edge, below that they are centred.
  const struct {
    double margin, top;
    bool after_start;
  } cases[] = {{1440, 624, false}, {720, 360, false}, {612, 360, false}, {611, 360, false},
               {100, 360, false},  {552, 360, true},  {551, 179.5, true}};
  for (auto [margin, top, after_start] : cases) {
    if (!after_start) { ASSERT_TRUE(doc.set_margin_top(margin) && doc.set_margin_bottom(margin)); }
    doc.start_doc();
    if (after_start) { ASSERT_TRUE(doc.set_margin_top(margin) && doc.set_margin_bottom(margin)); }
    doc.end_doc();
    EXPECT_EQ(texts(1), (std::vector<Placed>{{"H", 1440, top}, {"F", 1440, 16838 - top - 192}})) << margin;
    for (const Item& item : doc.page_items(1)) EXPECT_TRUE(item.running && doc.item_font(item).size == 8);
  }
}

TEST_F(PageDoc, ABlockEndingOnTheBottomMarginStaysAndOneTwipMoreMoves) {
  with_heading();  // content from 1680
  struct Case {
    double y, height;
    bool moves;
  } cases[] = {{15398 - 480, 480, false},
               {15398 - 480, 481, true},
               {15398 - 479, 480, true},
               {1680, 20000, false},  // the first thing under the heading stays: a new page gains nothing
               {1681, 20000, true}};
  for (const Case& c : cases) {
    doc.start_doc();
    doc.set_current_y(c.y);
    EXPECT_EQ(doc.fits_on_page(c.height), !c.moves) << c.y << " " << c.height;
    EXPECT_EQ(doc.keep_together(c.height), c.moves) << c.y << " " << c.height;
    EXPECT_EQ(doc.page_count(), c.moves ? 2 : 1);
  }
  // Row heights are known before the row is written.
  EXPECT_EQ(doc.row_height("1000|500|~", "Two words|"), 480);
  EXPECT_EQ(doc.row_height("1000|~", "Text|in a cell that is not there"), 0);
  // No-break blanks keep a date on one line and print as blanks.
  doc.start_doc();
  doc.add_table_row("1300|~", "Died " + NoBreak("12 Aug 1890"));
  EXPECT_EQ(texts(doc.page_count()).back(), (Placed{"12 Aug 1890", 1500, 1920}));
}

// ---- Tables ----

TEST_F(PageDoc, RowCellsGoInTheirColumns) {
  doc.start_doc();
  doc.set_font_bold(true);
  RowResult r = doc.add_table_row("500|500|7000|500|500|500|500|500|500|500|500|500|~", "||John Smith|||||||||");
  ASSERT_TRUE(r.ok) << r.error;
  EXPECT_EQ(doc.current_x(), 1440);
  doc.set_font_bold(false);
  ASSERT_TRUE(doc.add_table_row("^1000|>1000|~", "ab|cd").ok);
  doc.end_doc();
  // The bold name padded into the third column (x 2500 to 3600); "ab"
  // centred in the first column, "cd" right-aligned in the second.
  vft::test::expect_golden("page_table_cells.txt", vft::test::page_text(doc));
}

TEST_F(PageDoc, WrappedCellsMakeTheRowTaller) {
  doc.start_doc();
  RowResult r = doc.add_table_row("1000|2000|~", "aaaa bbbb cccc|short");  // 880 to write in
  ASSERT_TRUE(r.ok);
  EXPECT_EQ(r.height, 720);
  r = doc.add_table_row("1000|~", "one\r\ntwo");
  EXPECT_EQ(r.height, 480);
  r = doc.add_table_row("1000|2000|~", "");  // an empty row is still a line
  EXPECT_EQ(r.height, 240);
  doc.end_doc();
  // "aaaa", "bbbb" and "cccc" under one another in the first cell, "short"
  // beside "aaaa" in the second.
  vft::test::expect_golden("page_wrapped_cells.txt", vft::test::page_text(doc));
}

TEST_F(PageDoc, CellCountsAndBadFormatsAreCaught) {
  doc.start_doc();
  EXPECT_TRUE(doc.add_table_row("500|500|500|~", "a").ok);
  EXPECT_TRUE(doc.add_table_row("500|500|~", "a|b||").ok);
  std::size_t items = doc.page_items(1).size();
  double y = doc.current_y();

  RowResult r = doc.add_table_row("500|500|~", "a|b|c");
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(r.error, "The table row has text in cell 3 but its format has only 2 columns.");
  EXPECT_FALSE(doc.add_table_row("500|x|~", "a|b").ok);  // a bad format: its reasons are the layout test's
  EXPECT_EQ(doc.page_items(1).size(), items);
  EXPECT_EQ(doc.current_y(), y);

  r = doc.add_table_row("500|4000|~|John");
  ASSERT_TRUE(r.ok);
  EXPECT_EQ(texts(1).back(), (Placed{"John", 1440 + 500 + 60, y}));
}

TEST_F(PageDoc, RowsThatDoNotFitStartANewPage) {
  with_heading();
  doc.start_doc();
  // Content from 1680; 57 rows of 240 end at 15360, the 58th would cross 15398.
  for (int i = 1; i <= 57; ++i) ASSERT_EQ(doc.add_table_row("4000|~", "Row").top, 1680 + (i - 1) * 240.0);
  doc.add_table_row("4000|~", "Row 58");
  ASSERT_EQ(doc.page_count(), 2);
  EXPECT_EQ(texts(2), (std::vector<Placed>{{"Heading 2", 1440, 1440}, {"Row 58", 1500, 1680}}));
}

// ---- Drawing ----

TEST_F(PageDoc, LinesRectanglesPensAndColours) {
  doc.start_doc();
  doc.set_pen_width(15);
  doc.set_pen_colour(kBlue);
  EXPECT_TRUE(doc.draw_line(100, 200, 300, 400));
  doc.set_pen_width(-3);
  doc.set_pen_colour(0xFF0000FF);  // only 24 bits count
  EXPECT_TRUE(doc.draw_rectangle(500, 600, 100, 50));
  doc.set_fill_colour(kGreen);
  EXPECT_TRUE(doc.draw_rectangle(0, 0, 10, 10));
  doc.set_fill_transparent();
  EXPECT_TRUE(doc.draw_rectangle(0, 0, 10, 10));
  EXPECT_FALSE(doc.draw_line(NAN, 0, 1, 1));
  EXPECT_FALSE(doc.draw_rectangle(0, 0, INFINITY, 1));
  doc.end_doc();
  // A blue line of pen 15, then red rectangles of pen 0 from their corners
  // (100, 50)-(500, 600): empty, filled green, empty again.
  vft::test::expect_golden("page_drawing.txt", vft::test::page_text(doc));
}

}  // namespace
