#include "exchange/gedweb_busy.h"

#include <QApplication>

namespace vft::ui {
namespace {

constexpr qint64 kEventsEveryMs = 40;

}  // namespace

WorkingScope::WorkingScope(Session& s) : s_(s), previous_(s.prompter) {
  s_.prompter = this;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  since_events_.start();
}

WorkingScope::~WorkingScope() {
  QApplication::restoreOverrideCursor();
  s_.prompter = previous_;
}

int WorkingScope::ask(const Message& m) {
  QApplication::restoreOverrideCursor();
  const int answer = previous_->ask(m);
  QApplication::setOverrideCursor(Qt::WaitCursor);
  return answer;
}

Progress WorkingScope::progress(std::function<void(const std::string& text, long count)> show, bool& stop) {
  return [this, show = std::move(show), &stop](const std::string& text, long count) {
    const bool changed = text != last_text_;
    if (changed || since_events_.elapsed() >= kEventsEveryMs) {
      last_text_ = text;
      if (show) show(text, count);
      QApplication::processEvents();
      since_events_.restart();
    }
    if (!stop) return true;
    stop = false;
    return false;
  };
}

}  // namespace vft::ui
