// The print preview window, the print chooser and the two set-up dialogs,
// offscreen on a small tree: controls found by objectName, clicks and typing
// as a user would, boxes answered by the scripted prompter, and printing
// into a PDF file through the "PDF file" device.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollArea>
#include <QTemporaryDir>
#include <QTest>
#include <QFontDialog>
#include <QTimer>

#include "frm_page_setup.h"
#include "frm_print_preview.h"
#include "frm_print_what.h"
#include "print/page_setup_model.h"
#include "qt_text.h"
#include "qt_text_measure.h"
#include "store/ini.h"
#include "temp_session.h"
#include "tree_builder.h"

using namespace vft;
using namespace vft::ui;

namespace {

template <typename T>
T* child(QWidget& w, const QString& name) {
  T* c = w.findChild<T*>(name);
  EXPECT_NE(c, nullptr) << name.toStdString();
  return c;
}
QPushButton* button(QWidget& w, const char* name) { return child<QPushButton>(w, QString::fromLatin1(name)); }
QCheckBox* box(QWidget& w, const char* array, int i) {
  return child<QCheckBox>(w, QStringLiteral("%1_%2").arg(QString::fromLatin1(array)).arg(i));
}

int pdf_pages(const QString& path) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return -1;
  static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?![a-zA-Z])"));
  int n = 0;
  for (auto it = page.globalMatch(QString::fromLatin1(f.readAll())); it.hasNext(); it.next()) ++n;
  return n;
}

class PrintPreviewTest : public ::testing::Test {
 protected:
  test::TempSession t;
  Session& s = t.s;
  test::TreeBuilder b{s};
  std::int16_t tom = 0, sue = 0, ann = 0, loner = 0;
  QTemporaryDir dir;

  void SetUp() override {
    tom = b.person("Tom", "Hill", "M");
    sue = b.person("Sue", "Dale", "F");
    auto m = b.family(tom, sue, "3 Mar 1950");
    ann = b.child(m, "Ann", "Hill", "F");
    b.child(m, "Bob", "Hill", "M");
    auto joe = b.person("Joe", "Oak", "M");
    auto m2 = b.family(joe, ann);
    for (const char* g : {"Cat", "Dan", "Eve"}) b.child(m2, g, "Oak", "F");
    loner = b.person("Lee", "Stone", "M");
    b.select(tom);
  }

  // A preview of the descendants chart in a font big enough for several pages.
  void big_font(frmPrintPreview& w) {
    w.font_dialog = [](print::Font& f) {
      f.size = 72;
      return true;
    };
    button(w, "Command1_1")->click();
  }
};

TEST_F(PrintPreviewTest, EachRequestOpensItsPanel) {
  struct Case {
    int request;
    const char* title;
    const char* array;
    int shown;   // a box that must be visible
    int hidden;  // and one that must not
  };
  const Case cases[] = {{1, "Print Data Sheet for Tom Hill", "chkPrintStyle1", 9, 23},
                        {2, "Set Items to Include in Descendants Chart", "chkPrintStyle3", 13, 9},
                        {3, "Set items to include in pedigree chart", "chkPrintStyle3", 9, 13},
                        {4, "Set Items to Include in List of All Recorded People", "chkPrintStyle1", 23, 24},
                        {5, "Set Items to Include in List of Hills", "chkPrintStyle3", 12, 0},
                        {7, "Set Items to Include in List of Family Names", "chkPrintStyle3", 10, 1},
                        {8, "Set Items to Include in Family Data Sheet", "chkPrintStyle3", 9, 13}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.request);
    frmPrintPreview w(s, c.request);
    EXPECT_EQ(child<QGroupBox>(w, QStringLiteral("frmSetItems"))->title(), QString::fromLatin1(c.title));
    EXPECT_FALSE(box(w, c.array, c.shown)->isHidden());
    EXPECT_TRUE(box(w, c.array, c.hidden)->isHidden());
    const char* other = std::string(c.array) == "chkPrintStyle1" ? "chkPrintStyle3" : "chkPrintStyle1";
    EXPECT_TRUE(box(w, other, 0)->isHidden());
    // Set Items open: the button bar waits.
    EXPECT_FALSE(button(w, "butPage_1")->isEnabled());
    EXPECT_FALSE(button(w, "butSetItems")->isEnabled());
  }
  frmPrintPreview d(s, 2);
  EXPECT_EQ(box(d, "chkPrintStyle3", 11)->text(), QStringLiteral("Colour"));
  EXPECT_FALSE(child<QLineEdit>(d, QStringLiteral("txtNumOfGenerations"))->isHidden());
  EXPECT_FALSE(child<QGroupBox>(d, QStringLiteral("fraHeading"))->isHidden());
  EXPECT_EQ(child<QLineEdit>(d, QStringLiteral("txtNumOfGenerations"))->text(), QStringLiteral("4"));
  frmPrintPreview f(s, 8);
  EXPECT_EQ(box(f, "chkPrintStyle3", 9)->text(), QStringLiteral("Print blank form"));
  EXPECT_TRUE(button(f, "Command1_0")->isHidden());  // no "Prin&ter.." for the form
  EXPECT_TRUE(button(f, "butSelectAllDescend")->isHidden());
  EXPECT_EQ(f.document().orientation(), print::Orientation::Landscape);
  frmPrintPreview n(s, 7);
  box(n, "chkPrintStyle3", 10)->setChecked(true);
  EXPECT_EQ(button(n, "cmdPrint")->text(), QStringLiteral("Print to File"));
  EXPECT_EQ(button(n, "Command1_5")->text(), QStringLiteral("&Prnt to File"));
  box(n, "chkPrintStyle3", 10)->setChecked(false);
  EXPECT_EQ(button(n, "cmdPrint")->text(), QStringLiteral("&Print"));
}

TEST_F(PrintPreviewTest, PreviewMakesPagesAndPagingFollows) {
  frmPrintPreview w(s, 2);
  w.show();
  button(w, "Command1_4")->click();
  ASSERT_EQ(w.document().page_count(), 1);
  EXPECT_TRUE(child<QScrollArea>(w, QStringLiteral("vsViewPort1"))->isVisible());
  EXPECT_EQ(child<QLabel>(w, QStringLiteral("lblPage"))->text(), QStringLiteral("Page 1/1"));
  for (int i = 0; i < 4; ++i) EXPECT_FALSE(button(w, QStringLiteral("butPage_%1").arg(i).toLatin1())->isEnabled());
  EXPECT_TRUE(button(w, "butSetItems")->isEnabled());
  EXPECT_EQ(child<QLabel>(w, QStringLiteral("lblSummary"))->text(),
            QStringLiteral("Tom Hill has 5 recorded descendants in 3 generations"));

  // Back to the panel, a first page number of 5 and a font big enough for
  // several pages.
  button(w, "butSetItems")->click();
  EXPECT_FALSE(button(w, "butPage_4")->isEnabled());
  child<QLineEdit>(w, QStringLiteral("txtStartPage"))->setText(QStringLiteral("5"));
  big_font(w);
  EXPECT_EQ(child<QLabel>(w, QStringLiteral("Label3_4"))->text(), QStringLiteral("Font: Arial 72 Pts."));
  button(w, "Command1_4")->click();
  const int pages = w.document().page_count();
  ASSERT_GE(pages, 3);
  const QString last = QString::number(pages + 4);
  auto* label = child<QLabel>(w, QStringLiteral("lblPage"));
  EXPECT_EQ(label->text(), QStringLiteral("Page 5/") + last);
  EXPECT_FALSE(button(w, "butPage_0")->isEnabled());
  EXPECT_FALSE(button(w, "butPage_2")->isEnabled());
  EXPECT_TRUE(button(w, "butPage_1")->isEnabled());
  button(w, "butPage_1")->click();
  EXPECT_EQ(label->text(), QStringLiteral("Page 6/") + last);
  EXPECT_TRUE(button(w, "butPage_0")->isEnabled() && button(w, "butPage_3")->isEnabled());
  button(w, "butPage_3")->click();
  EXPECT_EQ(label->text(), QStringLiteral("Page %1/%1").arg(last));
  EXPECT_FALSE(button(w, "butPage_1")->isEnabled() || button(w, "butPage_3")->isEnabled());
  QTest::keyClick(&w, Qt::Key_PageUp);
  EXPECT_EQ(w.document().page_shown(), pages - 1);
  button(w, "butPage_2")->click();
  EXPECT_EQ(w.document().page_shown(), 1);

  // Go To in the numbers shown; 4 is refused and the page stays.
  auto* go = child<QLineEdit>(w, QStringLiteral("Text2"));
  go->setText(QStringLiteral("6"));
  button(w, "butPage_4")->click();
  EXPECT_EQ(w.document().page_shown(), 2);
  go->setText(QStringLiteral("4"));
  button(w, "butPage_4")->click();
  ASSERT_EQ(t.prompter.shown.size(), 1u);
  EXPECT_EQ(t.prompter.shown[0].title, "Go To Page");
  EXPECT_EQ(t.prompter.shown[0].text, "Page Number Must be between 5 and " + last.toStdString());
  EXPECT_EQ(t.prompter.shown[0].icon, Icon::Critical);
  EXPECT_TRUE(go->text().isEmpty());
  EXPECT_EQ(w.document().page_shown(), 2);

  // Zoom never goes below 10.
  auto* zoom = child<QLabel>(w, QStringLiteral("Label3_3"));
  for (int i = 0; i < 12; ++i) button(w, "butZoom_0")->click();
  EXPECT_EQ(zoom->text(), QStringLiteral("Zoom 10%"));
  button(w, "butZoom_1")->click();
  EXPECT_EQ(zoom->text(), QStringLiteral("Zoom 20%"));
}

TEST_F(PrintPreviewTest, GenerationsAreCheckedAsTyped) {
  frmPrintPreview w(s, 2);
  w.show();
  auto* gens = child<QLineEdit>(w, QStringLiteral("txtNumOfGenerations"));
  auto* preview = button(w, "Command1_4");
  gens->selectAll();
  QTest::keyClicks(gens, "13");
  ASSERT_EQ(t.prompter.shown.size(), 1u);
  EXPECT_EQ(t.prompter.shown[0].title, "Problem");
  EXPECT_EQ(t.prompter.shown[0].text, "You cannot print more than 12 Generations  \r\n on a Descendants chart.");
  EXPECT_EQ(gens->text(), QStringLiteral("12"));
  EXPECT_FALSE(preview->isEnabled());
  gens->selectAll();
  QTest::keyClicks(gens, "0");
  ASSERT_EQ(t.prompter.shown.size(), 2u);
  EXPECT_EQ(t.prompter.shown[1].text, "You must enter the number of generations to print.  ");
  EXPECT_EQ(gens->text(), QStringLiteral("12"));
  gens->selectAll();
  QTest::keyClicks(gens, "2");
  EXPECT_TRUE(preview->isEnabled());
  preview->click();
  EXPECT_EQ(child<QLabel>(w, QStringLiteral("lblSummary"))->text(),
            QStringLiteral("Tom Hill has 2 recorded descendants in 2 generations"));
}

TEST_F(PrintPreviewTest, SaveCfgAndLoadCfgRoundTrip) {
  {
    frmPrintPreview w(s, 2);
    box(w, "chkPrintStyle3", 1)->setChecked(true);   // person number
    box(w, "chkPrintStyle3", 6)->setChecked(false);  // place of birth
    child<QRadioButton>(w, QStringLiteral("Option1_2"))->setChecked(true);
    child<QLineEdit>(w, QStringLiteral("txtNumOfGenerations"))->setText(QStringLiteral("7"));
    child<QLineEdit>(w, QStringLiteral("txtStartPage"))->setText(QStringLiteral("3"));
    big_font(w);
    button(w, "Command1_3")->click();
    EXPECT_EQ(IniReadText(s, "Print Descendants", "PersonNumber"), "1");
    EXPECT_EQ(IniReadText(s, "Print Descendants", "PlaceOfBirth"), "0");
    EXPECT_EQ(IniReadText(s, "Print Descendants", "PrintHeadings"), "2");
    EXPECT_EQ(IniReadText(s, "Print Descendants", "FontSize"), "72");
    EXPECT_EQ(IniReadText(s, "Printing", "StartPageNumber"), "3");

    // Changed again, then Load Cfg. brings the saved choices back.
    box(w, "chkPrintStyle3", 1)->setChecked(false);
    child<QRadioButton>(w, QStringLiteral("Option1_0"))->setChecked(true);
    button(w, "Command1_2")->click();
    EXPECT_TRUE(box(w, "chkPrintStyle3", 1)->isChecked());
    EXPECT_TRUE(child<QRadioButton>(w, QStringLiteral("Option1_2"))->isChecked());
  }
  // A new window opens with them.
  frmPrintPreview again(s, 2);
  EXPECT_TRUE(box(again, "chkPrintStyle3", 1)->isChecked());
  EXPECT_FALSE(box(again, "chkPrintStyle3", 6)->isChecked());
  EXPECT_EQ(child<QLineEdit>(again, QStringLiteral("txtNumOfGenerations"))->text(), QStringLiteral("7"));
  EXPECT_EQ(child<QLineEdit>(again, QStringLiteral("txtStartPage"))->text(), QStringLiteral("3"));
  EXPECT_DOUBLE_EQ(again.document().font().size, 72);
  // Other requests keep their own sections.
  frmPrintPreview pedigree(s, 3);
  EXPECT_FALSE(box(pedigree, "chkPrintStyle3", 1)->isChecked());
}

TEST_F(PrintPreviewTest, SelectAllTogglesTheShownBoxes) {
  frmPrintPreview w(s, 3);
  for (int i = 0; i < 9; ++i) box(w, "chkPrintStyle3", i)->setChecked(false);
  auto* all = button(w, "butSelectAllDescend");
  all->click();
  for (int i = 0; i <= 9; ++i) EXPECT_EQ(box(w, "chkPrintStyle3", i)->isChecked(), i != 8) << i;
  EXPECT_FALSE(box(w, "chkPrintStyle3", 13)->isChecked());  // hidden on the pedigree, as "Partners" is
  EXPECT_EQ(all->text(), QStringLiteral("DeSelect &All"));
  all->click();
  for (int i = 0; i <= 9; ++i) EXPECT_FALSE(box(w, "chkPrintStyle3", i)->isChecked()) << i;
  EXPECT_EQ(all->text(), QStringLiteral("Select &All"));
  QTest::keyClick(&w, Qt::Key_A);  // A selects all
  EXPECT_TRUE(box(w, "chkPrintStyle3", 4)->isChecked());
}

TEST_F(PrintPreviewTest, TheFontDialogOpensOnTheDocumentFont) {
  frmPrintPreview w(s, 2);
  QFont opened;
  QTimer::singleShot(0, [&] {
    auto* d = qobject_cast<QFontDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(d, nullptr);
    opened = d->currentFont();
    QFont bigger = opened;
    bigger.setPointSize(12);  // only the size changes
    d->setCurrentFont(bigger);
    d->accept();
  });
  button(w, "Command1_1")->click();
  EXPECT_EQ(opened.family(), font_family("Arial"));
  EXPECT_EQ(opened.pointSizeF(), 10);
  EXPECT_EQ(w.document().font().name, "Arial");
  EXPECT_EQ(w.document().font().size, 12);
  EXPECT_EQ(child<QLabel>(w, QStringLiteral("Label3_4"))->text(), QStringLiteral("Font: Arial 12 Pts."));
}

TEST_F(PrintPreviewTest, PrintsAllPagesOrARangeIntoAPdfFile) {
  frmPrintPreview w(s, 2);
  w.document().set_device(print::kPdfDevice);
  child<QLineEdit>(w, QStringLiteral("txtStartPage"))->setText(QStringLiteral("5"));
  big_font(w);
  button(w, "Command1_4")->click();
  const int pages = w.document().page_count();
  ASSERT_GE(pages, 3);
  button(w, "butPage_1")->click();

  const QString whole = dir.filePath(QStringLiteral("whole.pdf"));
  PrintChoice seen;
  w.print_dialog = [&](frmPrintPreview&, PrintChoice& c) {
    seen = c;
    c.pdf_file = whole;
    return true;
  };
  button(w, "cmdPrint")->click();
  EXPECT_EQ(seen.from, 5);  // the range offered is the one shown
  EXPECT_EQ(seen.to, pages + 4);
  EXPECT_EQ(pdf_pages(whole), pages);
  EXPECT_EQ(w.document().page_shown(), 2);  // back where it was

  const QString part = dir.filePath(QStringLiteral("part.pdf"));
  w.print_dialog = [&](frmPrintPreview&, PrintChoice& c) {
    c.all = false;
    c.from = 6;
    c.to = 7;
    c.pdf_file = part;
    return true;
  };
  button(w, "cmdPrint")->click();
  EXPECT_EQ(pdf_pages(part), 2);

  const QString none = dir.filePath(QStringLiteral("none.pdf"));
  w.print_dialog = [&](frmPrintPreview&, PrintChoice& c) {
    c.pdf_file = none;
    return false;  // cancelled
  };
  button(w, "cmdPrint")->click();
  EXPECT_FALSE(QFile::exists(none));
}

TEST_F(PrintPreviewTest, CancelWhileGeneratingClosesTheWindow) {
  frmPrintPreview w(s, 2);
  w.show();
  // The first time the generator lets events run, the user presses Cancel.
  QTimer::singleShot(0, &w, [&] {
    auto* cancel = button(w, "cmdCancelPrint");
    if (cancel->isVisible()) cancel->click();
  });
  button(w, "Command1_4")->click();
  EXPECT_EQ(w.result(), QDialog::Rejected);
  EXPECT_FALSE(w.isVisible());
  EXPECT_EQ(w.document().page_count(), 0);
  EXPECT_FALSE(s.CancelFlag);
}

TEST_F(PrintPreviewTest, ChooserButtonsAndTheFamilySheetRefusal) {
  frmPrintWhat c(s);
  EXPECT_EQ(c.windowTitle(), QStringLiteral("Print What?"));
  EXPECT_EQ(button(c, "butCommand_5")->text(), QStringLiteral("Print a &Time Line "));
  EXPECT_EQ(button(c, "butCommand_7")->text(),
            QStringLiteral("Print a &Family Data Sheet for the displayed family"));
  button(c, "butCommand_2")->click();
  EXPECT_EQ(c.chosen(), 3);
  EXPECT_EQ(c.result(), QDialog::Accepted);

  // The family data sheet of a person without partners is refused.
  b.select(loner);
  QTimer::singleShot(0, [] {
    if (auto* m = QApplication::activeModalWidget()) m->findChild<QPushButton*>(QStringLiteral("butCommand_7"))->click();
  });
  EXPECT_EQ(ChoosePrintRequest(s, nullptr), 0);
  ASSERT_EQ(t.prompter.shown.size(), 1u);
  EXPECT_EQ(t.prompter.shown[0].title, "Print a Family Data Sheet");
  EXPECT_EQ(t.prompter.shown[0].text,
            "Lee Stone has no partners or children.\r\nTo print a family data sheet for this family please "
            "\r\nselect one of his parents.");

  // With partners it goes through; Cancel chooses nothing.
  b.select(tom);
  QTimer::singleShot(0, [] {
    if (auto* m = QApplication::activeModalWidget()) m->findChild<QPushButton*>(QStringLiteral("butCommand_7"))->click();
  });
  EXPECT_EQ(ChoosePrintRequest(s, nullptr), 8);
  QTimer::singleShot(0, [] {
    if (auto* m = QApplication::activeModalWidget()) m->findChild<QPushButton*>(QStringLiteral("cmdCancel"))->click();
  });
  EXPECT_EQ(ChoosePrintRequest(s, nullptr), 0);
  EXPECT_EQ(t.prompter.shown.size(), 1u);
}

TEST_F(PrintPreviewTest, MarginsDialogConvertsAndRefuses) {
  frmPrintPreview w(s, 3);
  print::PageDocument& doc = w.document();
  {
    frmSetUpPage m(s, doc, print::MarginUnit::Inches);
    EXPECT_EQ(child<QLabel>(m, QStringLiteral("Label2"))->text(), QStringLiteral("Set Margins in Inchs."));
    EXPECT_EQ(child<QLineEdit>(m, QStringLiteral("Text1_0"))->text(), QStringLiteral("1.00"));
    child<QLineEdit>(m, QStringLiteral("Text1_0"))->setText(QStringLiteral("0.50"));
    child<QLineEdit>(m, QStringLiteral("Text1_3"))->setText(QStringLiteral("2"));
    button(m, "Command1_0")->click();
    EXPECT_EQ(m.result(), QDialog::Accepted);
    EXPECT_DOUBLE_EQ(doc.margin_left(), 720);
    EXPECT_DOUBLE_EQ(doc.margin_bottom(), 2880);
  }
  {
    frmSetUpPage m(s, doc, print::MarginUnit::Centimetres);
    EXPECT_EQ(child<QLabel>(m, QStringLiteral("Label2"))->text(), QStringLiteral("Set Margins in Cm."));
    child<QLineEdit>(m, QStringLiteral("Text1_1"))->setText(QStringLiteral("1.00"));
    button(m, "Command1_0")->click();
    EXPECT_DOUBLE_EQ(doc.margin_right(), 567);
  }
  {
    // Left and right of 6 inches leave no width on A4: refused, nothing applied.
    frmSetUpPage m(s, doc, print::MarginUnit::Inches);
    m.show();
    child<QLineEdit>(m, QStringLiteral("Text1_0"))->setText(QStringLiteral("6"));
    child<QLineEdit>(m, QStringLiteral("Text1_1"))->setText(QStringLiteral("6"));
    button(m, "Command1_0")->click();
    EXPECT_TRUE(m.isVisible());
    ASSERT_EQ(t.prompter.shown.size(), 1u);
    EXPECT_EQ(t.prompter.shown[0].title, "Set Margins");
    EXPECT_EQ(t.prompter.shown[0].text,
              "Margin's cannot be set to these values. \r\n Check that the margins are not to large.");
    child<QLineEdit>(m, QStringLiteral("Text1_0"))->setText(QStringLiteral("abc"));
    button(m, "Command1_0")->click();
    EXPECT_EQ(t.prompter.shown.size(), 2u);
    button(m, "Command1_1")->click();
    EXPECT_DOUBLE_EQ(doc.margin_left(), 720);
    EXPECT_DOUBLE_EQ(doc.margin_right(), 567);
  }
}

TEST_F(PrintPreviewTest, PrinterDialogListsPapersAndGuardsTheFamilyForm) {
  frmPrintPreview w(s, 8);
  print::PageDocument& doc = w.document();
  doc.set_device(print::kPdfDevice);
  doc.set_paper_code(print::kPaperA5);
  {
    frmPrinterSet p(s, doc, 8);
    // A5 in landscape is too narrow for the form.
    ASSERT_EQ(t.prompter.shown.size(), 1u);
    EXPECT_EQ(t.prompter.shown[0].title, "Print a Family Data Form");
    EXPECT_TRUE(child<QRadioButton>(p, QStringLiteral("Option1_1"))->isChecked());
    auto* papers = child<QComboBox>(p, QStringLiteral("cmb_PaperSize"));
    // Names only: the codes travel as the entries' data.
    EXPECT_EQ(papers->currentText(), QStringLiteral("A5, 148 x 210 mm"));
    EXPECT_EQ(papers->currentData().toInt(), print::kPaperA5);
    const int a4 = papers->findText(QStringLiteral("A4, 210 x 297 mm"));
    ASSERT_GE(a4, 0);
    papers->setCurrentIndex(a4);
    emit papers->activated(a4);
    EXPECT_EQ(doc.paper_code(), print::kPaperA4);
    EXPECT_EQ(t.prompter.shown.size(), 1u);  // A4 takes the form
    // Portrait is not allowed for the form.
    child<QRadioButton>(p, QStringLiteral("Option1_0"))->setChecked(true);
    EXPECT_EQ(doc.orientation(), print::Orientation::Landscape);
    button(p, "Command2_0")->click();
  }
  EXPECT_EQ(print::LoadPrinterChoice(s).paper, print::kPaperA4);
  EXPECT_EQ(print::LoadPrinterChoice(s).device, std::string(print::kPdfDevice));
  {
    // Cancel puts paper and orientation back.
    frmPrinterSet p(s, doc, 3);
    auto* papers = child<QComboBox>(p, QStringLiteral("cmb_PaperSize"));
    const int letter = papers->findData(print::kPaperLetter);
    ASSERT_GE(letter, 0);
    emit papers->activated(letter);
    child<QRadioButton>(p, QStringLiteral("Option1_0"))->setChecked(true);
    EXPECT_EQ(doc.paper_code(), print::kPaperLetter);
    EXPECT_EQ(doc.orientation(), print::Orientation::Portrait);
    button(p, "Command2_1")->click();
    EXPECT_EQ(doc.paper_code(), print::kPaperA4);
    EXPECT_EQ(doc.orientation(), print::Orientation::Landscape);
  }
}

}  // namespace
