// Helpers shared by the GEDCOM and web-page window tests.
#pragma once
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "common/prompter.h"
#include "store/file_io.h"
#include "temp_session.h"
#include "widget_find.h"

namespace vft::test {

using vft::test::child;

inline void write_file(const std::string& path, const std::string& text) {
  ASSERT_TRUE(test::put_file(path, Bytes(text.begin(), text.end())));
}

// Types `text` into a box key by key, as a user would (QTest cannot type
// characters beyond ASCII).
inline void type_text(QLineEdit* box, const QString& text) {
  for (QChar c : text) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
    QApplication::sendEvent(box, &press);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
    QApplication::sendEvent(box, &release);
  }
}

// Replaces the text of a box by typing.
inline void retype(QLineEdit* box, const QString& text) {
  box->selectAll();
  box->del();
  type_text(box, text);
}

inline std::string read_file(const std::string& path) {
  auto b = fileio::read_all(path);
  return b ? std::string(b->begin(), b->end()) : std::string();
}

inline std::vector<std::string> texts(const ScriptedPrompter& p) {
  std::vector<std::string> out;
  for (const Message& m : p.shown) out.push_back(m.text);
  return out;
}

// Runs `act` on the active modal window once `ready` holds, checking every
// few milliseconds while a modal loop runs; gives up after five seconds.
inline void when_modal(std::function<bool(QWidget&)> ready, std::function<void(QWidget&)> act) {
  auto* timer = new QTimer;
  auto* clock = new QElapsedTimer;
  clock->start();
  QObject::connect(timer, &QTimer::timeout, [timer, clock, ready, act] {
    QWidget* w = QApplication::activeModalWidget();
    const bool expired = clock->elapsed() > 5000;
    if (!expired && (w == nullptr || !ready(*w))) return;
    timer->stop();
    timer->deleteLater();
    delete clock;
    if (expired) {
      ADD_FAILURE() << "the window never became ready";
      if (w) w->close();
      return;
    }
    act(*w);
  });
  timer->start(5);
}

}  // namespace vft::test
