// The print preview window, the print chooser and the two set-up dialogs
// wired to the preview model, offscreen: controls found by objectName,
// clicks and typing as a user would, the real font and save dialogs, and
// printing into a PDF file through the "PDF file" device. The model's rules
// and messages are tested in the core tests of the preview model and of
// each printout.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QFontDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QRadioButton>
#include <QScrollArea>
#include <QTemporaryDir>

#include "file_facts.h"
#include "printing/frm_page_setup.h"
#include "printing/frm_print_preview.h"
#include "printing/frm_print_what.h"
#include "print/page_setup_model.h"
#include "qt_text_measure.h"
#include "tree_fixture.h"
#include "widget_find.h"

using namespace vft;
using namespace vft::ui;
using vft::test::child;
using vft::test::click;
using vft::test::label_text;

namespace {

QCheckBox* box(QWidget& w, const char* array, int i) {
  return child<QCheckBox>(w, QStringLiteral("%1_%2").arg(QString::fromLatin1(array)).arg(i));
}
QLineEdit* edit(QWidget& w, const char* name) { return child<QLineEdit>(w, name); }

// Tom and Sue Hill with Ann and Bob; Ann and Joe Oak with three daughters;
// Lee Stone and Ida Mueller alone.
class PrintPreview : public test::TreeFixture {
 protected:
  std::int16_t tom = 0, loner = 0;
  QTemporaryDir dir;

  void SetUp() override {
    tom = b.person("Tom", "Hill", "M");
    auto m = b.family(tom, b.person("Sue", "Dale", "F"), "3 Mar 1950");
    const auto ann = b.child(m, "Ann", "Hill", "F");
    b.child(m, "Bob", "Hill", "M");
    auto m2 = b.family(b.person("Joe", "Oak", "M"), ann);
    for (const char* g : {"Cat", "Dan", "Eve"}) b.child(m2, g, "Oak", "F");
    loner = b.person("Lee", "Stone", "M");
    b.person("Ida", "M\xFCller", "F");  // CP1252 u-umlaut
    b.select(tom);
  }
  // A font big enough for a descendants chart of several pages.
  static void big_font(frmPrintPreview& w) {
    w.font_dialog = [](print::Font& f) {
      f.size = 72;
      return true;
    };
    click(w, "Command1_1");
  }
};

TEST_F(PrintPreview, EachRequestOpensItsPanelAndWaitsForPreview) {
  const struct {
    int request;
    const char* title;
    const char* array;
    int shown;  // a box that must be visible (which ones is the model's)
  } cases[] = {{1, "Print Data Sheet for Tom Hill", "chkPrintStyle1", 9},
               {2, "Set Items to Include in Descendants Chart", "chkPrintStyle3", 13},
               {3, "Set items to include in pedigree chart", "chkPrintStyle3", 9},
               {8, "Set Items to Include in Family Data Sheet", "chkPrintStyle3", 9}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.request);
    frmPrintPreview w(s, c.request);
    w.show();
    QTest::qWait(20);
    EXPECT_EQ(child<QGroupBox>(w, "frmSetItems")->title(), QString::fromLatin1(c.title));
    EXPECT_FALSE(box(w, c.array, c.shown)->isHidden());
    // The shown boxes fill each column from its top, in their own order,
    // before the next column starts: no empty cell between two of them.
    QGridLayout* grid = nullptr;
    for (QGridLayout* l : child<QGroupBox>(w, "frmSetItems")->findChildren<QGridLayout*>())
      if (l->indexOf(box(w, c.array, c.shown)) >= 0) grid = l;
    ASSERT_NE(grid, nullptr);
    int next_row = 0, column = -1, row = 0, col = 0, span = 0;
    for (const char* array : {"chkPrintStyle1", "chkPrintStyle3"})
      for (int i = 0; auto* b = w.findChild<QCheckBox*>(QStringLiteral("%1_%2").arg(QLatin1String(array)).arg(i));
           ++i) {
        if (b->isHidden()) continue;
        grid->getItemPosition(grid->indexOf(b), &row, &col, &span, &span);
        EXPECT_EQ(row, col == column ? next_row : 0) << array << i;
        EXPECT_EQ(col, col == column ? column : column + 1) << array << i;
        column = col, next_row = row + 1;
      }
    EXPECT_FALSE(child<QPushButton>(w, "butSetItems")->isEnabled());  // the bar waits
    EXPECT_EQ(w.document().page_count(), 0);
  }
}

TEST_F(PrintPreview, PagingGoToZoomAndPrintingIntoAPdfFile) {
  frmPrintPreview w(s, 2);
  w.document().set_device(print::kPdfDevice);
  w.show();
  auto* gens = edit(w, "txtNumOfGenerations");
  gens->selectAll();
  QTest::keyClicks(gens, "13");  // refused as typed
  EXPECT_EQ(gens->text(), QStringLiteral("12"));
  gens->selectAll();
  QTest::keyClicks(gens, "4");
  edit(w, "txtStartPage")->setText(QStringLiteral("5"));
  big_font(w);
  EXPECT_EQ(label_text(w, "Label3_4"), QStringLiteral("Font: Arial 72 Pts."));
  click(w, "Command1_4");
  EXPECT_TRUE(child<QScrollArea>(w, "vsViewPort1")->isVisible());
  const int pages = w.document().page_count();
  ASSERT_GE(pages, 3);
  const QString last = QString::number(pages + 4);
  EXPECT_EQ(label_text(w, "lblPage"), QStringLiteral("Page 5/") + last);
  EXPECT_FALSE(child<QPushButton>(w, "butPage_0")->isEnabled());
  click(w, "butPage_1");
  EXPECT_EQ(label_text(w, "lblPage"), QStringLiteral("Page 6/") + last);
  click(w, "butPage_3");
  EXPECT_EQ(w.document().page_shown(), pages);
  QTest::keyClick(&w, Qt::Key_PageUp);
  EXPECT_EQ(w.document().page_shown(), pages - 1);
  click(w, "butPage_2");
  EXPECT_EQ(w.document().page_shown(), 1);

  // Go To in the numbers shown; 4 is refused and the page stays.
  auto* go = edit(w, "Text2");
  go->setText(QStringLiteral("6"));
  click(w, "butPage_4");
  EXPECT_EQ(w.document().page_shown(), 2);
  go->setText(QStringLiteral("4"));
  click(w, "butPage_4");
  EXPECT_EQ(last_box().title, "Go To Page");
  EXPECT_TRUE(go->text().isEmpty());

  for (int i = 0; i < 12; ++i) click(w, "butZoom_0");
  EXPECT_EQ(label_text(w, "Label3_3"), QStringLiteral("Zoom 10%"));  // never below
  click(w, "butZoom_1");
  EXPECT_EQ(label_text(w, "Label3_3"), QStringLiteral("Zoom 20%"));

  const QString whole = dir.filePath(QStringLiteral("whole.pdf")), none = dir.filePath(QStringLiteral("none.pdf"));
  PrintChoice seen;
  w.print_dialog = [&](frmPrintPreview&, PrintChoice& c) {
    seen = c;
    c.pdf_file = whole;
    return true;
  };
  click(w, "cmdPrint");
  EXPECT_EQ(seen.from, 5);  // the range offered is the one shown
  EXPECT_EQ(seen.to, pages + 4);
  EXPECT_EQ(test::pdf_pages(test::file_text(whole.toStdString())), pages);
  EXPECT_EQ(w.document().page_shown(), 2);  // back where it was
  w.print_dialog = [&](frmPrintPreview&, PrintChoice& c) {
    c.pdf_file = none;
    return false;  // cancelled
  };
  click(w, "cmdPrint");
  EXPECT_FALSE(QFile::exists(none));
}

TEST_F(PrintPreview, SaveCfgLoadCfgAndSelectAll) {
  {
    frmPrintPreview w(s, 2);
    box(w, "chkPrintStyle3", 1)->setChecked(true);   // person number
    box(w, "chkPrintStyle3", 6)->setChecked(false);  // place of birth
    child<QRadioButton>(w, "Option1_2")->setChecked(true);
    click(w, "Command1_3");
    // Changed again, then Load Cfg. brings the saved choices back.
    box(w, "chkPrintStyle3", 1)->setChecked(false);
    click(w, "Command1_2");
    EXPECT_TRUE(box(w, "chkPrintStyle3", 1)->isChecked());
  }
  frmPrintPreview again(s, 2);
  EXPECT_FALSE(box(again, "chkPrintStyle3", 6)->isChecked());
  EXPECT_TRUE(child<QRadioButton>(again, "Option1_2")->isChecked());

  frmPrintPreview pedigree(s, 3);  // its own section
  EXPECT_FALSE(box(pedigree, "chkPrintStyle3", 1)->isChecked());
  click(pedigree, "butSelectAllDescend");  // only the boxes the pedigree shows
  EXPECT_TRUE(box(pedigree, "chkPrintStyle3", 1)->isChecked());
  EXPECT_FALSE(box(pedigree, "chkPrintStyle3", 13)->isChecked());
}

TEST_F(PrintPreview, TheFontDialogOpensOnTheDocumentFont) {
  frmPrintPreview w(s, 2);
  QFont opened;
  test::ModalDriver driver;
  driver.on("QFontDialog", [&](QWidget* m) {
    auto* d = test::must(qobject_cast<QFontDialog*>(m), "font dialog");
    opened = d->currentFont();
    QFont bigger = opened;
    bigger.setPointSize(12);  // only the size changes
    d->setCurrentFont(bigger);
    d->accept();
  });
  click(w, "Command1_1");
  EXPECT_EQ(opened.family(), font_family("Arial"));
  EXPECT_EQ(opened.pointSizeF(), 10);
  EXPECT_EQ(w.document().font().size, 12);
}

TEST_F(PrintPreview, CancelWhileGeneratingClosesTheWindow) {
  frmPrintPreview w(s, 2);
  w.show();
  // The first time the generator lets events run, the user presses Cancel.
  QTimer::singleShot(0, &w, [&] {
    auto* cancel = w.findChild<QPushButton*>(QStringLiteral("cmdCancelPrint"));
    if (cancel && cancel->isVisible()) cancel->click();
  });
  click(w, "Command1_4");
  EXPECT_EQ(w.result(), QDialog::Rejected);
  EXPECT_EQ(w.document().page_count(), 0);
  EXPECT_FALSE(s.CancelFlag);
}

TEST_F(PrintPreview, ChooserGivesTheRequestAndRefusesAFamilySheetWithoutAFamily) {
  const struct {
    std::int16_t person;
    const char* button;
    int request;
  } runs[] = {{tom, "butCommand_2", 3}, {loner, "butCommand_7", 0}, {tom, "butCommand_7", 8}, {tom, "cmdCancel", 0}};
  for (const auto& r : runs) {
    b.select(r.person);
    test::ModalDriver d;
    d.on("frmPrintWhat", [&r](QWidget* m) { click(m, r.button); });
    EXPECT_EQ(ChoosePrintRequest(s, nullptr), r.request) << r.button;
  }
  EXPECT_EQ(t.prompter.shown.size(), 1u);
}

TEST_F(PrintPreview, MarginsAndPrinterDialogsChangeTheDocumentOrPutItBack) {
  frmPrintPreview w(s, 8);
  print::PageDocument& doc = w.document();
  {
    frmSetUpPage m(s, doc, print::MarginUnit::Inches);
    edit(m, "Text1_0")->setText(QStringLiteral("0.50"));
    click(m, "Command1_0");
    EXPECT_DOUBLE_EQ(doc.margin_left(), 720);
  }
  {
    frmSetUpPage m(s, doc, print::MarginUnit::Centimetres);
    m.show();
    edit(m, "Text1_0")->setText(QStringLiteral("20"));
    edit(m, "Text1_1")->setText(QStringLiteral("20"));
    click(m, "Command1_0");  // no width left: nothing applied, the dialog stays
    EXPECT_TRUE(m.isVisible());
    EXPECT_EQ(last_box().title, "Set Margins");
    click(m, "Command1_1");
    EXPECT_DOUBLE_EQ(doc.margin_left(), 720);
  }
  doc.set_device(print::kPdfDevice);
  doc.set_paper_code(print::kPaperA5);
  t.prompter.shown.clear();
  {
    frmPrinterSet p(s, doc, 8);
    // A5 in landscape is too narrow for the form.
    EXPECT_EQ(last_box().title, "Print a Family Data Form");
    auto* papers = child<QComboBox>(p, "cmb_PaperSize");
    const int a4 = papers->findData(print::kPaperA4);
    ASSERT_GE(a4, 0);
    papers->setCurrentIndex(a4);
    emit papers->activated(a4);
    EXPECT_EQ(doc.paper_code(), print::kPaperA4);
    child<QRadioButton>(p, "Option1_0")->setChecked(true);  // portrait is not for the form
    EXPECT_EQ(doc.orientation(), print::Orientation::Landscape);
    click(p, "Command2_0");
  }
  EXPECT_EQ(print::LoadPrinterChoice(s).paper, print::kPaperA4);
  EXPECT_EQ(t.prompter.shown.size(), 1u);
}

// Types a file name into the real save dialog and presses Save in one go:
// its folder view loads behind and must not get a turn in between.
void save_as(QWidget& m, const QString& name, const QString& folder) {
  auto* d = test::must(qobject_cast<QFileDialog*>(&m), "save dialog");
  d->setDirectory(folder);
  child<QLineEdit>(d, "fileNameEdit")->setText(name);
  static_cast<QDialog*>(d)->accept();  // what the Save button does
}

TEST_F(PrintPreview, FamilyNamesGoToATextFileThroughTheSaveDialogOrArePrinted) {
  frmPrintPreview w(s, 7);
  w.show();
  int printed = 0;
  w.print_dialog = [&](frmPrintPreview&, PrintChoice&) { return ++printed, false; };
  EXPECT_EQ(child<QPushButton>(w, "Command1_5")->text(), QStringLiteral("&Print"));
  click(w, "Command1_5");
  EXPECT_EQ(printed, 1);  // without Print to File the list is printed

  box(w, "chkPrintStyle3", 10)->setChecked(true);
  child<QRadioButton>(w, "optFormat_0")->setChecked(true);
  QString title;
  test::ModalDriver d;
  d.on("QFileDialog", [&](QWidget* f) {
     title = f->windowTitle();
     save_as(*f, QStringLiteral("names"), dir.path());
   }).on("QFileDialog", [](QWidget* f) { static_cast<QDialog*>(f)->reject(); });  // writes nothing
  EXPECT_EQ(child<QPushButton>(w, "Command1_5")->text(), QStringLiteral("&Prnt to File"));
  click(w, "Command1_5");
  EXPECT_EQ(title, QStringLiteral("Save List of Family Names"));
  // The default extension is added; the umlaut arrives as UTF-8.
  const QString saved = dir.filePath(QStringLiteral("names.txt"));
  EXPECT_EQ(test::file_text(saved.toStdString()), "Dale, Hill, M\xC3\xBCller, Oak, Stone\r\n");

  click(w, "Command1_5");  // cancelled in the dialog: nothing written, nothing said
  EXPECT_EQ(t.prompter.shown.size(), 1u);
  EXPECT_EQ(printed, 1);
}

// What the time line holds is tested with the other printouts.
TEST_F(PrintPreview, TheTimeLineBuildsItselfAsTheWindowOpens) {
  frmPrintPreview w(s, 6);
  w.show();
  EXPECT_TRUE(QTest::qWaitFor([&] { return w.document().page_count() > 0; }, 3000));
}

TEST_F(PrintPreview, TheFamilyFormPaperCheckIsShownOncePerAttempt) {
  frmPrintPreview w(s, 8);
  ASSERT_TRUE(w.document().set_paper_code(print::kPaperA5));
  w.show();
  click(w, "Command1_4");
  EXPECT_EQ(t.prompter.shown.size(), 1u);  // the click's: opening alone says nothing
  EXPECT_EQ(w.document().page_count(), 0);
  int dialogs = 0;
  w.print_dialog = [&](frmPrintPreview&, PrintChoice&) { return ++dialogs, false; };
  click(w, "Command1_5");  // "&Print" from the panel makes the document first
  EXPECT_EQ(t.prompter.shown.size(), 2u);
  EXPECT_EQ(dialogs, 0);
  ASSERT_TRUE(w.document().set_paper_code(print::kPaperLetter));
  click(w, "Command1_4");
  EXPECT_EQ(t.prompter.shown.size(), 2u);
  EXPECT_EQ(w.document().page_count(), 1);
}

}  // namespace
