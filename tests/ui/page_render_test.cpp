// The page document drawn by Qt: real font measurement, page images and PDF
// files (through the PDF writer and through a QPrinter).
#include <gtest/gtest.h>

#include <QFile>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QImage>
#include <QPrinter>
#include <QTemporaryDir>
#include <sstream>
#include <string>
#include <vector>

#include "file_facts.h"
#include "printing/page_print.h"
#include "page_render.h"
#include "qt_text_measure.h"

using namespace vft;
using namespace vft::print;

namespace {

bool dark(QRgb c) { return qGray(c) < 128; }

struct Rendered : ::testing::Test {
  ui::QtTextMeasure measure;
  PageDocument doc{measure};
  QTemporaryDir dir;

  // Three pages: a heading on each, table rows, a red line and a green box
  // on page 1, and page 3 in landscape.
  void build() {
    doc.set_page_start_handler([this](int page) { doc.write_text("Heading " + std::to_string(page) + "\n"); });
    doc.set_footer("||Page %d");
    doc.start_doc();
    for (int i = 0; i < 10; ++i) doc.add_table_row("500|4000|3000|~", "|Person " + std::to_string(i) + "|Born 1900");
    doc.set_pen_width(30);
    doc.set_pen_colour(kRed);
    doc.draw_line(2000, 8000, 8000, 8000);
    doc.set_pen_colour(kBlack);
    doc.set_pen_width(0);
    doc.set_fill_colour(kGreen);
    doc.draw_rectangle(2000, 9000, 4000, 10000);
    doc.new_page();
    doc.write_paragraph("A paragraph on the second page.");
    doc.set_orientation(Orientation::Landscape);
    doc.new_page();
    doc.write_paragraph("Landscape page.");
    ASSERT_TRUE(doc.end_doc());
    ASSERT_EQ(doc.page_count(), 3);
  }
};

TEST_F(Rendered, ArialFallsBackToLiberationSansAndMeasuresLikeQt) {
  bool has_arial = QFontDatabase::hasFamily(QStringLiteral("Arial"));
  EXPECT_EQ(ui::font_family("Arial"), has_arial ? QStringLiteral("Arial") : QStringLiteral("Liberation Sans"));
  Font plain;
  QFont qfont = ui::twips_font(plain);
  EXPECT_EQ(qfont.pixelSize(), 200);
  // Letter by letter adds up to what Qt lays out for the whole text.
  for (const char* text : {"Person 1", "Born 12 Mar 1901 at Little Snoring, Norfolk", "AVAWAY To. Wo."})
    EXPECT_NEAR(measure.width(text, plain), QFontMetricsF(qfont).horizontalAdvance(QString::fromLatin1(text)), 0.5)
        << text;
  Font bold = plain, big = plain;
  bold.bold = true;
  big.size = 20;
  EXPECT_GT(measure.width("Person", bold), measure.width("Person", plain));
  EXPECT_NEAR(measure.width("Person", big), 2 * measure.width("Person", plain), 2);
  EXPECT_GT(measure.line_height(plain), 200);  // a line is taller than the font's size
  EXPECT_LT(measure.line_height(plain), 300);
  EXPECT_EQ(measure.width("", plain), 0);
  // CP1252 letters are measured as the letters they are, not as bytes.
  EXPECT_NEAR(measure.width("M\xFC", plain), measure.width("Mu", plain), 1);
}

TEST_F(Rendered, PageImageShowsTextLinesAndBoxesWhereTheyWere) {
  build();
  const double dpi = 144;  // 0.1 pixel a twip
  QImage image = ui::render_page_image(doc, 1, dpi);
  ASSERT_FALSE(image.isNull());
  EXPECT_EQ(image.width(), 1191);
  EXPECT_EQ(image.height(), 1684);

  // The heading's ink starts at the left margin and ends where its measured
  // width says, on every device alike.
  Font plain;
  double heading_end = (1440 + measure.width("Heading 1", plain)) / 10;
  int leftmost = image.width(), rightmost = -1;
  for (int y = 144; y < 144 + 23; ++y) {
    for (int x = 100; x < 400; ++x) {
      if (!dark(image.pixel(x, y))) continue;
      leftmost = std::min(leftmost, x);
      rightmost = std::max(rightmost, x);
    }
  }
  EXPECT_NEAR(leftmost, 144, 3);
  EXPECT_NEAR(rightmost, heading_end, 3);

  // Nothing in the top-left corner, the margins are empty.
  for (int y = 0; y < 100; ++y)
    for (int x = 0; x < 100; ++x) ASSERT_EQ(image.pixel(x, y), qRgb(255, 255, 255)) << x << "," << y;

  EXPECT_EQ(image.pixel(500, 800), qRgb(255, 0, 0));  // the red line, 3 pixels thick
  EXPECT_EQ(image.pixel(300, 950), qRgb(0, 128, 0));  // inside the green box

  QImage landscape = ui::render_page_image(doc, 3, dpi);
  EXPECT_EQ(landscape.width(), 1684);
  EXPECT_EQ(landscape.height(), 1191);
  EXPECT_TRUE(ui::render_page_image(doc, 4, dpi).isNull());
  EXPECT_TRUE(ui::render_page_image(doc, 1, 0).isNull());
  EXPECT_TRUE(ui::render_page_image(doc, 1, 1e6).isNull());  // far too big to allocate
}

TEST_F(Rendered, PdfHasEveryPageOnItsOwnSheet) {
  build();
  QString path = dir.filePath(QStringLiteral("chart.pdf"));
  QString error;
  ASSERT_TRUE(ui::write_pdf(doc, path, &error)) << error.toStdString();
  const std::string pdf = test::file_text(path.toStdString());
  // Two A4 portrait sheets and one A4 landscape, in points.
  EXPECT_EQ(test::pdf_sizes(pdf), (std::vector<std::string>{"595x842", "595x842", "842x595"}));
  // Readers find every object where the cross-reference table says it is.
  const std::size_t xref = pdf.rfind("\nxref\n") + 1;
  EXPECT_EQ(std::stoul(pdf.substr(pdf.rfind("startxref\n") + 10)), xref);
  std::istringstream table(pdf.substr(xref + 5));
  std::size_t first = 0, count = 0, offset = 0;
  std::string generation, kind;
  table >> first >> count >> offset >> generation >> kind;  // object 0, always free
  ASSERT_GT(count, 10u);
  for (std::size_t n = 1; n < count && table >> offset >> generation >> kind; ++n)
    EXPECT_EQ(pdf.compare(offset, std::to_string(n).size() + 6, std::to_string(n) + " 0 obj"), 0) << n;
  // The font goes in with the file, with the characters behind its glyphs.
  EXPECT_NE(pdf.find("/FontFile2"), std::string::npos);
  EXPECT_NE(pdf.find("/ToUnicode"), std::string::npos);
}

TEST_F(Rendered, PdfRefusalsLeaveNoFile) {
  QString path = dir.filePath(QStringLiteral("none.pdf"));
  QString error;
  EXPECT_FALSE(ui::write_pdf(doc, path, &error));  // never started
  EXPECT_EQ(error, QStringLiteral("There is no finished document to save."));
  doc.start_doc();
  EXPECT_FALSE(ui::write_pdf(doc, path, &error));  // still open
  EXPECT_FALSE(QFile::exists(path));
  doc.end_doc();
  QString bad = dir.filePath(QStringLiteral("no/such/folder/x.pdf"));
  EXPECT_FALSE(ui::write_pdf(doc, bad, &error));
  EXPECT_TRUE(error.startsWith(QStringLiteral("The PDF file ") + bad + QStringLiteral(" could not be written: ")))
      << error.toStdString();
}

TEST_F(Rendered, PrintingARangeThroughThePdfDevice) {
  build();
  std::vector<PrintDevice> devices = ui::platform_print_devices();
  ASSERT_FALSE(devices.empty());
  EXPECT_EQ(devices[0].name, "PDF file");
  doc.set_devices(devices);

  QString path = dir.filePath(QStringLiteral("printed.pdf"));
  QPrinter printer(QPrinter::HighResolution);
  ui::select_print_device(printer, doc, path);
  ui::QtPrinterSink sink(printer);
  ASSERT_TRUE(doc.print_pages(sink, 2, 3)) << sink.error().toStdString();
  const std::string pdf = test::file_text(path.toStdString());
  EXPECT_EQ(test::pdf_sizes(pdf), (std::vector<std::string>{"595x842", "842x595"}));
}

}  // namespace
