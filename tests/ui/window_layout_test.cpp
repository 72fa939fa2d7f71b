// Every window laid out on a 1280 x 720 screen, with a family whose lists
// are long: the window fits the screen, no control is cut by its parent or
// smaller than its text needs, no two controls overlap, labels show plain
// text, and Tab moves in reading order (down the window, left to right along
// a row).
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <functional>
#include <memory>

#include "mainwindow/editing_windows.h"
#include "editors/frm_arrange.h"
#include "exchange/frm_backup.h"
#include "editors/frm_connect_as.h"
#include "editors/frm_connect_questions.h"
#include "editors/frm_disconnect_as.h"
#include "tools/frm_duplicates.h"
#include "editors/frm_edit_person.h"
#include "mainwindow/frm_famtree.h"
#include "tools/frm_find_orphans.h"
#include "editors/frm_find_person.h"
#include "exchange/frm_gedcom_export.h"
#include "editors/frm_list_sequence.h"
#include "editors/frm_marriage_input.h"
#include "tools/frm_merge_persons.h"
#include "dialogs/frm_options.h"
#include "printing/frm_page_setup.h"
#include "dialogs/frm_password.h"
#include "printing/frm_print_preview.h"
#include "printing/frm_print_what.h"
#include "editors/frm_select_person.h"
#include "mainwindow/frm_splash.h"
#include "mainwindow/frm_start_menu.h"
#include "dialogs/frm_support.h"
#include "exchange/frm_web_colours.h"
#include "exchange/frm_web_pages.h"
#include "mainwindow/frm_welcome.h"
#include "relations/lookups.h"
#include "tree_fixture.h"

using namespace vft;
using namespace vft::ui;

namespace {

constexpr int kScreenW = 1280, kScreenH = 720 - 30;  // less a title bar

// The controls a user sees and reads: no container, nothing inside a list's viewport.
bool is_control(const QWidget* w, const QWidget* window) {
  if (w->objectName().startsWith(QStringLiteral("qt_"))) return false;
  for (const QWidget* p = w->parentWidget(); p && p != window; p = p->parentWidget())
    if (qobject_cast<const QAbstractScrollArea*>(p) || qobject_cast<const QAbstractSpinBox*>(p) ||
        qobject_cast<const QComboBox*>(p))
      return false;
  return qobject_cast<const QAbstractButton*>(w) || qobject_cast<const QLabel*>(w) ||
         qobject_cast<const QLineEdit*>(w) || qobject_cast<const QAbstractScrollArea*>(w) ||
         qobject_cast<const QAbstractSpinBox*>(w) || qobject_cast<const QComboBox*>(w);
}

QRect in_window(const QWidget* w, const QWidget* window) { return QRect(w->mapTo(window, QPoint(0, 0)), w->size()); }

void check_layout(QWidget& win, const std::string& name) {
  SCOPED_TRACE(name);
  win.show();
  if (win.width() > kScreenW || win.height() > kScreenH)
    win.resize(std::min(win.width(), kScreenW), std::min(win.height(), kScreenH));
  QApplication::processEvents();
  EXPECT_LE(win.width(), kScreenW);
  EXPECT_LE(win.height(), kScreenH);
  EXPECT_GE(win.minimumSizeHint().height(), 0);
  EXPECT_LE(win.minimumSizeHint().height(), kScreenH);
  std::vector<QWidget*> controls;
  for (QWidget* w : win.findChildren<QWidget*>())
    if (w->isVisible() && is_control(w, &win)) controls.push_back(w);
  for (QWidget* w : controls) {
    const std::string who = w->objectName().toStdString() + " (" + w->metaObject()->className() + ")";
    // Not cut by any parent on the way up.
    const QRect r = in_window(w, &win);
    for (QWidget* p = w->parentWidget(); p; p = p == &win ? nullptr : p->parentWidget())
      EXPECT_TRUE(in_window(p, &win).adjusted(-1, -1, 1, 1).contains(r))
          << who << " cut by " << p->objectName().toStdString();
    // Big enough for its text.
    auto* label = qobject_cast<QLabel*>(w);
    if (label) { EXPECT_NE(label->textFormat(), Qt::AutoText) << who << ": a name would be read as markup"; }
    if (label && label->wordWrap()) {
      EXPECT_GE(w->height() + 2, label->heightForWidth(w->width())) << who;
    } else if (!qobject_cast<QAbstractScrollArea*>(w)) {
      EXPECT_GE(w->width() + 1, w->minimumSizeHint().width()) << who;
      EXPECT_GE(w->height() + 1, w->minimumSizeHint().height()) << who;
    }
    for (QWidget* o : controls) {
      if (o < w && !o->isAncestorOf(w) && !w->isAncestorOf(o)) {
        EXPECT_FALSE(r.adjusted(1, 1, -1, -1).intersects(in_window(o, &win)))
            << who << " overlaps " << o->objectName().toStdString();
      }
    }
  }
  // Tab order: each next control starts below the last or to its right on
  // the same row, but for the one step that goes round to the top again.
  QWidget* first = win.nextInFocusChain();
  while (first != &win && !(is_control(first, &win) && first->isVisible() && first->isEnabled() &&
                            (first->focusPolicy() & Qt::TabFocus)))
    first = first->nextInFocusChain();
  QWidget* at = first;
  std::vector<std::string> back;
  for (int step = 0; step < 80 && at; ++step) {
    QWidget* next = at->nextInFocusChain();
    while (next != first && (!next->isVisible() || !next->isEnabled() || !(next->focusPolicy() & Qt::TabFocus) ||
                             !win.isAncestorOf(next) || !is_control(next, &win)))
      next = next->nextInFocusChain();
    const QRect a = in_window(at, &win), b = in_window(next, &win);
    const bool same_row = b.top() < a.bottom() && a.top() < b.bottom();
    if (!(b.top() >= a.bottom() - 4 || (same_row && b.left() >= a.right() - 4)))
      back.push_back(at->objectName().toStdString() + " > " + next->objectName().toStdString());
    if (next == first) break;
    at = next;
  }
  EXPECT_LE(back.size(), 1u) << ::testing::PrintToString(back);
}

class WindowLayout : public test::TreeFixture {
 protected:
  ScriptedFileDialogs dialogs;
  std::int16_t tom = 0, sue = 0, ann = 0, m = 0;
  void SetUp() override {
    tom = b.person("Bartholomew Alexander Maximilian", "Featherstonehaugh-Wy", "M");
    sue = b.person("Georgiana Philippa", "Cholmondeley", "F");
    m = b.family(tom, sue, "12 Jun 1865", "St Mary's Church, Little Snoring, Norfolk");
    for (int i = 0; i < 40; ++i)
      b.child(m, "Child Number " + std::to_string(i + 1), "Featherstonehaugh-Wy", i % 2 ? "F" : "M");
    ann = b.person("Ann", "Hill", "F");
    b.family(tom, ann);
    b.select(tom);
    s.Config.setLastPerson(tom);
  }
};

TEST_F(WindowLayout, EveryWindowFitsTheScreenWithoutOverlapsOrCutControls) {
  frmPrintPreview preview(s, 2);
  print::PageDocument& doc = preview.document();
  const std::vector<std::int16_t> kids = ListAllChildren(s, tom);
  using Make = std::function<std::unique_ptr<QWidget>()>;
  const std::vector<std::pair<std::string, Make>> windows = {
      {"frmFamtree",
       [&] {
         auto w = std::make_unique<frmFamtree>(s, dialogs);
         w->LoadWindow();
         w->resize(kScreenW, kScreenH);
         return w;
       }},
      {"frmEditPerson", [&] { return std::make_unique<frmEditPerson>(s, tom); }},
      {"frmMarriageInput", [&] { return std::make_unique<frmMarriageInput>(s, MarriageEditMode::Edit); }},
      {"frmConnectAs", [&] { return std::make_unique<frmConnectAs>(s); }},
      {"frmNoSex", [&] { return std::make_unique<frmNoSex>(s); }},
      {"frmAddChild", [&] { return std::make_unique<frmAddChild>(s, true); }},
      {"frmAddParent", [&] { return std::make_unique<frmAddParent>(s, 0); }},
      {"frmConnectParent", [&] { return std::make_unique<frmConnectParent>(s, tom, sue); }},
      {"frmConnectPartner", [&] { return std::make_unique<frmConnectPartner>(s, ann, m); }},
      {"frmListSequence",
       [&] {
         return std::make_unique<frmListSequence>(s, SequenceList{"Add a Child for Tom", "Enter the position", kids});
       }},
      {"frmDisconnectAs", [&] { return std::make_unique<frmDisconnectAs>(s); }},
      {"frmArrange", [&] { return std::make_unique<frmArrange>(s); }},
      {"frmFindOphans", [&] { return std::make_unique<frmFindOphans>(s); }},
      {"frmFindPerson", [&] { return std::make_unique<frmFindPerson>(s, "Tom"); }},
      {"frmDuplicates", [&] { return std::make_unique<frmDuplicates>(s, nullptr); }},
      {"frmMergePersons", [&] { return std::make_unique<frmMergePersons>(s, tom, sue); }},
      {"frmSelectPerson", [&] { return std::make_unique<frmSelectPerson>(s, "", nullptr, true); }},
      {"frmOptions", [&] { return std::make_unique<frmOptions>(s); }},
      {"frmBackup", [&] { return std::make_unique<frmBackup>(s, dialogs); }},
      {"frmPassword", [&] { return std::make_unique<frmPassword>(s); }},
      {"frmPrintWhat", [&] { return std::make_unique<frmPrintWhat>(s); }},
      {"frmPrintPreview", [&] { return std::make_unique<frmPrintPreview>(s, 2); }},
      {"frmSetUpPage", [&] { return std::make_unique<frmSetUpPage>(s, doc); }},
      {"frmPrinterSet", [&] { return std::make_unique<frmPrinterSet>(s, doc, 2); }},
      {"frmGEDCOMExport", [&] { return std::make_unique<frmGEDCOMExport>(s, dialogs); }},
      {"frmWebPages", [&] { return std::make_unique<frmWebPages>(s, t.dir.path()); }},
      {"frmWebColours", [&] { return std::make_unique<frmWebColours>(s, WebColours{}); }},
      {"frmWelcome", [&] { return std::make_unique<frmWelcome>(s); }},
      {"frmStartMenu", [&] { return std::make_unique<frmStartMenu>(); }},
      {"frmSplash", [&] { return std::make_unique<frmSplash>(); }},
      {"frmTechInfo", [&] { return std::make_unique<frmTechInfo>(s, "tree.vfl"); }},
      {"frmUpgradeReminder", [&] { return std::make_unique<frmUpgradeReminder>(s); }},
  };
  for (const auto& [name, make] : windows) {
    std::unique_ptr<QWidget> w = make();
    check_layout(*w, name);
  }
}

}  // namespace
