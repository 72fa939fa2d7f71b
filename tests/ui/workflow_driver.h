// Drives the real main window and the modal windows its commands chain, as a
// user would: each expected window is waited for by objectName, then its
// controls are found by objectName, typed into and clicked. A window nobody
// expects is rejected after a while, so a wrong turn fails instead of hanging.
#pragma once
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "common/cp1252.h"
#include "editing_windows.h"
#include "family_view.h"
#include "frm_famtree.h"
#include "common/file_dialogs.h"
#include "relations/lookups.h"
#include "relations/tree_check.h"
#include "store/records.h"
#include "temp_session.h"
#include "tree_builder.h"

namespace vft::test {

template <typename T = QWidget>
T* find(QWidget* w, const char* name) {
  T* c = w ? w->findChild<T*>(QString::fromLatin1(name)) : nullptr;
  EXPECT_NE(c, nullptr) << "no control " << name << " in "
                        << (w ? w->objectName().toStdString() : std::string("<none>"));
  return c;
}

// Clicks a named button, which must be there, shown and enabled.
inline void click(QWidget* w, const char* name) {
  auto* b = find<QPushButton>(w, name);
  if (!b) return;
  EXPECT_TRUE(b->isEnabled()) << name << " is disabled";
  if (b->isEnabled()) QTest::mouseClick(b, Qt::LeftButton);
}

// Replaces the text of a named box by typing, then leaves it with Tab, so
// the window's leave-field rules run.
inline void type(QWidget* w, const char* name, const QString& text) {
  auto* e = find<QLineEdit>(w, name);
  if (!e) return;
  e->setFocus();
  e->selectAll();
  if (text.isEmpty())
    QTest::keyClick(e, Qt::Key_Delete);
  else
    QTest::keyClicks(e, text);
  if (e->hasFocus()) {
    QTest::keyClick(e, Qt::Key_Tab);
    if (!e->hasFocus()) return;
  }
  // A window that is not active gets no focus changes: leave by hand.
  QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
  QApplication::sendEvent(e, &out);
}
inline void type(QWidget* w, const char* name, const char* latin1) { type(w, name, QString::fromLatin1(latin1)); }

inline QString label_text(QWidget* w, const char* name) {
  auto* l = find<QLabel>(w, name);
  return l ? l->text() : QString();
}

// Selects row `row` of a named list.
inline void pick_row(QWidget* w, const char* name, int row) {
  auto* l = find<QListWidget>(w, name);
  if (!l) return;
  EXPECT_LT(row, l->count()) << name;
  l->setCurrentRow(row);
}

// One action per expected modal window, played in order as each comes up.
// Actions run from their own event so a click that opens a further modal
// window returns only when the script has dealt with that one too.
class ModalDriver : public QObject {
 public:
  using Action = std::function<void(QWidget*)>;
  ModalDriver() {
    connect(&timer_, &QTimer::timeout, this, [this] { poll(); });
    timer_.start(5);
  }
  ~ModalDriver() override { expect_done(); }

  ModalDriver& on(const char* window, Action act) {
    steps_.push_back({QString::fromLatin1(window), std::move(act)});
    return *this;
  }
  void expect_done() {
    if (!steps_.empty()) {
      ADD_FAILURE() << "window never shown: " << steps_.front().window.toStdString();
      steps_.clear();
    }
  }

 private:
  struct Step {
    QString window;
    Action act;
  };
  std::deque<Step> steps_;
  QTimer timer_;
  QElapsedTimer stray_;  // how long a window nobody expects has been up
  QPointer<QWidget> stray_window_;
  bool pending_ = false;

  void poll() {
    QWidget* w = QApplication::activeModalWidget();
    if (!w || pending_ || !w->isVisible()) return;
    if (!steps_.empty() && w->objectName() == steps_.front().window) {
      stray_.invalidate();
      Step st = std::move(steps_.front());
      steps_.pop_front();
      pending_ = true;
      QPointer<QWidget> target(w);
      QTimer::singleShot(0, this, [this, target, act = std::move(st.act)] {
        pending_ = false;
        if (target) act(target.data());
      });
      return;
    }
    // Some windows close themselves after a moment (the notices); others
    // would wait for ever.
    if (!stray_.isValid() || stray_window_ != w) {
      stray_window_ = w;
      stray_.start();
    }
    if (stray_.elapsed() > 5000) {
      ADD_FAILURE() << "unexpected window " << w->objectName().toStdString() << " (expected "
                    << (steps_.empty() ? std::string("none") : steps_.front().window.toStdString()) << ")";
      stray_.invalidate();
      if (auto* d = qobject_cast<QDialog*>(w)) d->reject();
    }
  }
};

// ---- the steps most flows take

// Types a new person into the person editor and presses OK.
inline ModalDriver::Action new_person(const char* given, const char* family = nullptr, const char* sex = nullptr) {
  return [=](QWidget* e) {
    if (family) type(e, "Text_0", family);
    type(e, "Text_1", given);
    if (sex) type(e, "Text_16", sex);
    click(e, "butOKEdit");
  };
}
// A position typed into frmListSequence, then OK.
inline ModalDriver::Action position(const char* digits) {
  return [=](QWidget* l) {
    type(l, "Text1", digits);
    click(l, "Command1");
  };
}
// The person picker: a Person number typed into the family name box finds
// that person at once.
inline ModalDriver::Action pick_number(std::int16_t n) {
  return [=](QWidget* f) {
    type(f, "txtFamName", QString::number(n));
    click(f, "Command1_0");
  };
}

// The real main window on a temporary session, with every window installed.
class Workflow : public ::testing::Test {
 protected:
  TempSession t;
  Session& s = t.s;
  ScriptedPrompter& boxes = t.prompter;
  ScriptedFileDialogs dialogs;
  std::unique_ptr<vft::ui::frmFamtree> w;
  std::vector<std::string> status_lines;
  std::vector<std::string> help_topics;

  // A tree just saved, with p selected, in a freshly opened main window.
  void open_saved_tree_at(std::int16_t p) {
    s.Config.setLastPerson(p);
    EXPECT_TRUE(WriteConfig(s));
    s.RecordsSaved = true;
    open_window();
  }
  // p's partners in partnership order.
  std::vector<std::int16_t> partners(std::int16_t p) {
    std::vector<std::int16_t> out;
    const PartnerList l = ListPartners(s, p);
    for (int i = 0; i < l.count; ++i) out.push_back(l.rows[static_cast<std::size_t>(i)].Partner);
    return out;
  }
  void open_window() {
    s.on_help = [this](const std::string& topic) { help_topics.push_back(topic); };
    w = std::make_unique<vft::ui::frmFamtree>(s, dialogs);
    // The window shows status lines; the test also keeps them.
    s.on_status = [this, shown = s.on_status](const std::string& text) {
      status_lines.push_back(text);
      if (shown) shown(text);
    };
    w->open_help = [] {};
    w->on_exit = [] {};
    vft::ui::install_windows(*w, s, dialogs);
    w->LoadWindow();
    w->resize(1366, 768);
  }
  // Shows p in the main window as the selected person, with its partnership
  // row `partner` displayed.
  void show_person(std::int16_t p, int partner = 0) {
    s.Config.setLastPerson(p);
    s.Rel.DisplayedPartner = partner;
    w->RefreshFamilyView();
    ASSERT_EQ(w->view()->model().Selected, p);
  }
  std::int16_t selected() const { return w->view()->model().Selected; }
  std::int16_t displayed_family() const { return w->view()->model().DisplayedFamily; }

  PersonRecord person(std::int16_t n) {
    PersonRecord p;
    EXPECT_TRUE(ReadPersonRecord(s, n, p)) << n;
    return p;
  }
  std::string given(std::int16_t n) { return cp1252::trim(person(n).GivenNames); }
  std::string fam_name(std::int16_t n) { return cp1252::trim(person(n).FamName); }
  MarriageRecord& fam(std::int16_t m) { return s.Marriages[static_cast<std::size_t>(m)]; }
  std::vector<std::int16_t> kids(std::int16_t m) {
    const MarriageRecord& f = fam(m);
    return std::vector<std::int16_t>(f.Kids.begin(), f.Kids.begin() + f.NumKids);
  }
  // The family whose partners are a and b, either way round; 0 when none.
  std::int16_t family_of(std::int16_t a, std::int16_t b) {
    for (int m = 1; m <= s.Config.NumMarriages(); ++m) {
      const MarriageRecord& f = fam(static_cast<std::int16_t>(m));
      if ((f.Husband == a && f.Wife == b) || (f.Husband == b && f.Wife == a)) return static_cast<std::int16_t>(m);
    }
    return 0;
  }
  // The family in which n is a child; 0 when none.
  std::int16_t parents_of(std::int16_t n) {
    for (int m = 1; m <= s.Config.NumMarriages(); ++m)
      for (std::int16_t k : kids(static_cast<std::int16_t>(m)))
        if (k == n) return static_cast<std::int16_t>(m);
    return 0;
  }
  // Persons whose given names are `name`, by number.
  std::int16_t number_of(const std::string& name) {
    for (int n = 1; n <= s.Config.NumPersons(); ++n)
      if (given(static_cast<std::int16_t>(n)) == name && person(static_cast<std::int16_t>(n)).Deleted == 0)
        return static_cast<std::int16_t>(n);
    return 0;
  }
  void expect_sound_tree() {
    for (const TreeViolation& v : CheckTree(s)) ADD_FAILURE() << v.text;
  }
  // Every box shown so far, for failure messages.
  std::string all_boxes() const {
    std::string out;
    for (const Message& m : boxes.shown) out += "[" + m.title + "] " + m.text + "\n";
    return out;
  }
  std::string box(std::size_t i) const { return i < boxes.shown.size() ? boxes.shown[i].text : "<no box>"; }
};

}  // namespace vft::test
