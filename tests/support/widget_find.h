// Finding and working a window's controls by objectName in the widget tests.
// A control that is missing, disabled or out of range throws ControlError:
// in a test body gtest reports it and the test ends there; inside the event
// loop (a timer, a modal window's turn) `guarded` reports it and closes the
// modal window, since an exception must never cross Qt's loop. Either way the
// test fails at once and never goes on with a null pointer.
// Header only: the support library itself is built without Qt.
#pragma once
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <deque>
#include <functional>
#include <stdexcept>
#include <string>

namespace vft::test {

struct ControlError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// Any pointer a test goes on to use: null is a ControlError.
template <typename T>
T* must(T* p, const std::string& what) {
  if (!p) throw ControlError("missing: " + what);
  return p;
}

template <typename T = QWidget>
T* child(QWidget* w, const QString& name) {
  T* c = w ? w->findChild<T*>(name) : nullptr;
  if (!c)
    throw ControlError("no " + std::string(T::staticMetaObject.className()) + " " + name.toStdString() + " in " +
                       (w ? w->objectName().toStdString() : std::string("<no window>")));
  return c;
}
template <typename T = QWidget>
T* child(QWidget& w, const QString& name) {
  return child<T>(&w, name);
}

// Clicks a named button, which must be there and enabled: with the mouse
// when it is shown, else as its shortcut would.
inline void click(QWidget* w, const char* name) {
  auto* b = child<QAbstractButton>(w, name);
  if (!b->isEnabled()) throw ControlError(std::string(name) + " is disabled");
  if (b->isVisible()) QTest::mouseClick(b, Qt::LeftButton);
  else b->click();
}
inline void click(QWidget& w, const char* name) { click(&w, name); }

// Moves the focus out of a box as Tab would, so its leave-field rules run.
inline void leave(QWidget* box) {
  QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
  QApplication::sendEvent(box, &out);
}

// Replaces the text of a named box by typing, then leaves it, so the
// window's leave-field rules run (a window that is not active gets no focus
// changes from Tab: those leave by hand).
inline void type(QWidget* w, const char* name, const QString& text) {
  auto* e = child<QLineEdit>(w, name);
  e->setFocus();
  e->selectAll();
  if (text.isEmpty()) QTest::keyClick(e, Qt::Key_Delete);
  else QTest::keyClicks(e, text);
  if (e->hasFocus()) {
    QTest::keyClick(e, Qt::Key_Tab);
    if (!e->hasFocus()) return;
  }
  leave(e);
}
inline void type(QWidget* w, const char* name, const char* latin1) { type(w, name, QString::fromLatin1(latin1)); }

// Types characters QTest cannot name (beyond ASCII) key by key, as a keyboard
// that has them would.
inline void type_keys(QWidget* box, const QString& text) {
  for (QChar c : text) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
    QApplication::sendEvent(box, &press);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
    QApplication::sendEvent(box, &release);
  }
}

// Replaces a box's text as a user would: select all, delete, type.
inline void retype(QLineEdit* box, const QString& text) {
  box->setFocus();
  box->selectAll();
  box->del();
  type_keys(box, text);
}

inline QString label_text(QWidget* w, const char* name) { return child<QLabel>(w, name)->text(); }
inline QString label_text(QWidget& w, const char* name) { return label_text(&w, name); }

// Selects row `row` of a named list, which must have it.
inline void pick_row(QWidget* w, const char* name, int row) {
  auto* l = child<QListWidget>(w, name);
  if (row >= l->count()) throw ControlError(std::string(name) + " has no row " + std::to_string(row));
  l->setCurrentRow(row);
}

// Runs a step from inside the event loop; see the top of this file.
inline void guarded(const std::function<void()>& step) {
  try {
    step();
  } catch (const std::exception& e) {
    ADD_FAILURE() << e.what();
    QWidget* m = QApplication::activeModalWidget();
    if (auto* d = qobject_cast<QDialog*>(m)) d->reject();
    else if (m) m->close();
  }
}

// One action per expected modal window (named by objectName, or by class for
// Qt's own dialogs), played in order as each comes up and, when a step has
// a `ready` test, once that holds. Actions run from their own event so a
// click that opens a further modal window returns only when the script has
// dealt with that one too. A window nobody expects is rejected after five
// seconds, so a wrong turn fails instead of hanging.
class ModalDriver : public QObject {
 public:
  using Action = std::function<void(QWidget*)>;
  using Ready = std::function<bool(QWidget&)>;
  ModalDriver() {
    connect(&timer_, &QTimer::timeout, this, [this] { poll(); });
    timer_.start(5);
  }
  ~ModalDriver() override {
    if (!steps_.empty()) ADD_FAILURE() << "window never shown: " << steps_.front().window.toStdString();
  }
  ModalDriver& on(const char* window, Action act, Ready ready = nullptr) {
    steps_.push_back({QString::fromLatin1(window), std::move(act), std::move(ready)});
    return *this;
  }

 private:
  struct Step {
    QString window;
    Action act;
    Ready ready;
  };
  std::deque<Step> steps_;
  QTimer timer_;
  QElapsedTimer stray_;  // how long a window nobody expects has been up
  QPointer<QWidget> stray_window_;
  bool pending_ = false;

  bool expected(QWidget* w) {
    if (steps_.empty()) return false;
    const Step& st = steps_.front();
    if (w->objectName() != st.window && QLatin1String(w->metaObject()->className()) != st.window) return false;
    bool ready = true;
    if (st.ready) guarded([&] { ready = st.ready(*w); });
    return ready;
  }
  void poll() {
    QWidget* w = QApplication::activeModalWidget();
    if (!w || pending_ || !w->isVisible()) return;
    if (expected(w)) {
      stray_.invalidate();
      Step st = std::move(steps_.front());
      steps_.pop_front();
      pending_ = true;
      QPointer<QWidget> target(w);
      QTimer::singleShot(0, this, [this, target, act = std::move(st.act)] {
        pending_ = false;
        if (target) guarded([&] { act(target.data()); });
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

}  // namespace vft::test
