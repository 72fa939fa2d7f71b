// The preview window's paths that only show when the whole window runs: the
// family-names list saved through the real save dialog, the time line that
// builds itself as the window opens, and the family form's paper check,
// which the user must see once per attempt, not once per layer that checks.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QFileDialog>
#include <QGroupBox>
#include <QLineEdit>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <functional>

#include "frm_print_preview.h"
#include "relations/person_io.h"
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
QCheckBox* box3(QWidget& w, int i) { return child<QCheckBox>(w, QStringLiteral("chkPrintStyle3_%1").arg(i)); }

// Runs `act` on the first modal dialog of type T once it is up (a modal
// dialog's exec() only returns to the test through the event loop). The
// polling timer goes away with the first answer or after three seconds.
template <typename T>
void when_modal(std::function<void(T*)> act) {
  auto* timer = new QTimer(qApp);
  timer->setInterval(10);
  QObject::connect(timer, &QTimer::timeout, timer, [timer, act, tries = 0]() mutable {
    auto* d = qobject_cast<T*>(QApplication::activeModalWidget());
    if (!d && ++tries < 300) return;
    timer->stop();
    timer->deleteLater();
    if (d) act(d);
  });
  timer->start();
}

// Types a file name into the dialog's name box, in the test's folder, and
// presses Save, all in one go: the dialog's folder view loads behind and
// must not get a turn to put its own choice into the box in between.
void save_as(QFileDialog* d, const QString& name, const QString& folder) {
  d->setDirectory(folder);
  auto* edit = d->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
  ASSERT_NE(edit, nullptr);
  edit->setText(name);
  static_cast<QDialog*>(d)->accept();  // what the Save button does
}

QByteArray file_bytes(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class Printouts : public ::testing::Test {
 protected:
  test::TempSession t;
  Session& s = t.s;
  test::TreeBuilder b{s};
  std::int16_t tom = 0, sue = 0, ann = 0;
  QTemporaryDir dir;

  void SetUp() override {
    tom = b.person("Tom", "Hill", "M");
    sue = b.person("Sue", "Dale", "F");
    const auto m = b.family(tom, sue, "3 Mar 1950");
    ann = b.child(m, "Ann", "Hill", "F");
    const auto joe = b.person("Joe", "Oak", "M");
    b.family(joe, ann);
    b.person("Lee", "Stone", "M");
    b.person("Ida", "M\xFCller", "F");  // CP1252 u-umlaut
    b.select(tom);
  }

  void set_birth(std::int16_t n, const char* date) {
    PersonRecord p;
    ASSERT_TRUE(ReadStoredPerson(s, n, p));
    p.BirthDate = date;
    b.write(p);
  }
};

TEST_F(Printouts, FamilyNamesGoToATextFileThroughTheSaveDialog) {
  frmPrintPreview w(s, 7);
  w.show();
  bool printed = false;
  w.print_dialog = [&](frmPrintPreview&, PrintChoice&) { return printed = true, false; };
  box3(w, 10)->setChecked(true);
  child<QRadioButton>(w, QStringLiteral("optFormat_0"))->setChecked(true);

  QString title, suffix;
  QStringList filters;
  const QString target = dir.filePath(QStringLiteral("names"));
  when_modal<QFileDialog>([&](QFileDialog* d) {
    title = d->windowTitle();
    filters = d->nameFilters();
    suffix = d->defaultSuffix();
    save_as(d, QStringLiteral("names"), dir.path());
  });
  // The bar waits while the panel is open; the panel's own button saves.
  EXPECT_FALSE(button(w, "cmdPrint")->isEnabled());
  EXPECT_EQ(button(w, "Command1_5")->text(), QStringLiteral("&Prnt to File"));
  button(w, "Command1_5")->click();
  EXPECT_FALSE(printed);
  EXPECT_EQ(title, QStringLiteral("Save List of Family Names"));
  EXPECT_EQ(filters, (QStringList{QStringLiteral("Text Files (*.txt)"), QStringLiteral("All Files (*.*)")}));
  EXPECT_EQ(suffix, QStringLiteral("txt"));

  // The default extension is added; names are distinct and sorted, and the
  // umlaut arrives as UTF-8 like the file `vft print --text` writes.
  const QString saved = target + QStringLiteral(".txt");
  EXPECT_EQ(file_bytes(saved), QByteArray("Dale, Hill, M\xC3\xBCller, Oak, Stone\r\n"));
  ASSERT_EQ(t.prompter.shown.size(), 1u);
  EXPECT_EQ(t.prompter.shown[0].title, "Save Family Names to File");
  EXPECT_EQ(t.prompter.shown[0].text, "The list of Family Names has been saved  as " + saved.toStdString());
  EXPECT_EQ(t.prompter.shown[0].icon, Icon::Information);
  // Saving makes no pages: the window stays on its panel.
  EXPECT_EQ(w.document().page_count(), 0);

  // From the preview, the bar's button saves too, under its own caption.
  button(w, "Command1_4")->click();
  EXPECT_EQ(w.document().page_count(), 1);
  ASSERT_TRUE(button(w, "cmdPrint")->isEnabled());
  EXPECT_EQ(button(w, "cmdPrint")->text(), QStringLiteral("Print to File"));
  const QString again = dir.filePath(QStringLiteral("again.txt"));
  w.save_dialog = [&](const QString& t) { return t == title ? again : QString(); };
  button(w, "cmdPrint")->click();
  EXPECT_FALSE(printed);
  EXPECT_EQ(file_bytes(again), file_bytes(saved));
  ASSERT_EQ(t.prompter.shown.size(), 2u);
  EXPECT_EQ(t.prompter.shown[1].text, "The list of Family Names has been saved  as " + again.toStdString());
}

TEST_F(Printouts, ThreeColumnsAndACancelledDialog) {
  frmPrintPreview w(s, 7);
  w.show();
  box3(w, 10)->setChecked(true);
  child<QRadioButton>(w, QStringLiteral("optFormat_2"))->setChecked(true);
  const QString target = dir.filePath(QStringLiteral("three.txt"));
  when_modal<QFileDialog>([&](QFileDialog* d) {
    save_as(d, QStringLiteral("three.txt"), dir.path());
  });
  button(w, "Command1_5")->click();  // the panel's "&Prnt to File"
  const QList<QByteArray> lines = file_bytes(target).split('\n');
  ASSERT_EQ(lines.size(), 3);  // five names, three to a line, each line closed
  EXPECT_TRUE(lines[2].isEmpty());
  EXPECT_EQ(lines[0].simplified(), QByteArray("Dale Hill M\xC3\xBCller"));
  EXPECT_TRUE(lines[0].endsWith('\r') && lines[1].endsWith('\r'));
  EXPECT_EQ(lines[1].simplified(), QByteArray("Oak Stone"));
  // The columns line up: the second line's second name starts where the
  // first line's does.
  EXPECT_EQ(QString::fromUtf8(lines[1]).indexOf(QStringLiteral("Stone")),
            QString::fromUtf8(lines[0]).indexOf(QStringLiteral("Hill")));
  ASSERT_EQ(t.prompter.shown.size(), 1u);

  // Cancel in the dialog writes nothing and says nothing.
  const QString other = dir.filePath(QStringLiteral("other.txt"));
  when_modal<QFileDialog>([&](QFileDialog* d) {
    d->selectFile(QStringLiteral("other.txt"));
    d->reject();
  });
  button(w, "Command1_5")->click();
  EXPECT_FALSE(QFile::exists(other));
  EXPECT_EQ(t.prompter.shown.size(), 1u);
}

TEST_F(Printouts, WithoutPrintToFileTheListIsPrinted) {
  frmPrintPreview w(s, 7);
  w.show();
  int dialogs = 0;
  w.print_dialog = [&](frmPrintPreview&, PrintChoice&) { return ++dialogs, false; };
  w.save_dialog = [&](const QString&) { return ADD_FAILURE() << "no file for a printed list", QString(); };
  box3(w, 10)->setChecked(false);
  EXPECT_EQ(button(w, "Command1_5")->text(), QStringLiteral("&Print"));
  button(w, "Command1_5")->click();
  EXPECT_EQ(dialogs, 1);
  EXPECT_EQ(w.document().page_count(), 1);
  EXPECT_TRUE(t.prompter.shown.empty());
}

TEST_F(Printouts, TheTimeLineBuildsItselfAsTheWindowOpens) {
  set_birth(tom, "12 Mar 1920");
  set_birth(sue, "1925");  // a year alone stays off the time line
  set_birth(ann, "2 Feb 1951");
  frmPrintPreview w(s, 6);
  EXPECT_EQ(w.document().page_count(), 0);  // not before it is shown
  w.show();
  ASSERT_TRUE(QTest::qWaitFor([&] { return w.document().page_count() > 0; }, 3000));
  EXPECT_EQ(w.windowTitle(), QStringLiteral("Print Time Line"));
  EXPECT_TRUE(child<QScrollArea>(w, QStringLiteral("vsViewPort1"))->isVisible());
  EXPECT_FALSE(child<QGroupBox>(w, QStringLiteral("frmSetItems"))->isVisible());
  EXPECT_EQ(child<QLabel>(w, QStringLiteral("lblPage"))->text(), QStringLiteral("Page 1/1"));
  EXPECT_TRUE(button(w, "butSetItems")->isEnabled());

  std::vector<std::string> texts;
  const print::PageDocument& doc = w.document();
  for (const print::Item& item : doc.page_items(1))
    if (item.kind == print::Item::Kind::Text) texts.emplace_back(doc.item_text(item));
  auto has = [&](const std::string& x) { return std::find(texts.begin(), texts.end(), x) != texts.end(); };
  EXPECT_TRUE(has("Birth of Tom Hill"));
  EXPECT_TRUE(has("Birth of Ann Hill"));
  EXPECT_TRUE(has("Marriage of Tom Hill and Sue Dale"));
  EXPECT_FALSE(has("Birth of Sue Dale"));
  EXPECT_TRUE(has("12 Mar 1920") && has("3 Mar 1950") && has("2 Feb 1951"));

  // Shown again, the window does not build the time line a second time.
  w.hide();
  const int pages = doc.page_count();
  w.show();
  QTest::qWait(30);
  EXPECT_EQ(doc.page_count(), pages);
  EXPECT_TRUE(t.prompter.shown.empty());
}

TEST_F(Printouts, OtherRequestsWaitForPreview) {
  for (int request : {1, 2, 3, 4, 7, 8}) {
    SCOPED_TRACE(request);
    frmPrintPreview w(s, request);
    w.show();
    QTest::qWait(20);
    EXPECT_EQ(w.document().page_count(), 0);
    EXPECT_TRUE(child<QGroupBox>(w, QStringLiteral("frmSetItems"))->isVisible());
  }
}

TEST_F(Printouts, TheFamilyFormPaperCheckIsShownOncePerAttempt) {
  frmPrintPreview w(s, 8);
  ASSERT_TRUE(w.document().set_paper_code(print::kPaperA5));
  w.show();
  EXPECT_TRUE(t.prompter.shown.empty());  // opening alone says nothing
  button(w, "Command1_4")->click();
  ASSERT_EQ(t.prompter.shown.size(), 1u);
  EXPECT_EQ(t.prompter.shown[0].title, "Print a Family Data Form");
  EXPECT_EQ(t.prompter.shown[0].text,
            "The selected paper is too small for the \r\n Family Data Form. \r\n Please choose either A4, US Letter "
            "or larger.");
  EXPECT_EQ(t.prompter.shown[0].icon, Icon::Information);
  EXPECT_EQ(w.document().page_count(), 0);
  EXPECT_TRUE(child<QGroupBox>(w, QStringLiteral("frmSetItems"))->isVisible());
  EXPECT_FALSE(button(w, "butSetItems")->isEnabled());

  // "&Print" from the panel makes the document first: the same one message.
  int dialogs = 0;
  w.print_dialog = [&](frmPrintPreview&, PrintChoice&) { return ++dialogs, false; };
  button(w, "Command1_5")->click();
  EXPECT_EQ(t.prompter.shown.size(), 2u);
  EXPECT_EQ(dialogs, 0);

  // On US Letter the form is made, landscape, with no word said.
  ASSERT_TRUE(w.document().set_paper_code(print::kPaperLetter));
  button(w, "Command1_4")->click();
  EXPECT_EQ(t.prompter.shown.size(), 2u);
  EXPECT_EQ(w.document().page_count(), 1);
  EXPECT_EQ(w.document().orientation(), print::Orientation::Landscape);
  EXPECT_TRUE(child<QScrollArea>(w, QStringLiteral("vsViewPort1"))->isVisible());
}

}  // namespace
