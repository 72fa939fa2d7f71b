// While one of the GEDCOM or web-page windows works: the hourglass, and the
// window's own progress line. Pending events run every few milliseconds, so
// the window repaints and its Cancel button can be pressed; a question asked
// meanwhile gets the normal pointer back.
#pragma once
#include <QElapsedTimer>
#include <functional>
#include <string>

#include "common/prompter.h"
#include "store/session.h"

namespace vft::ui {

class WorkingScope : private Prompter {
 public:
  explicit WorkingScope(Session& s);
  ~WorkingScope() override;
  WorkingScope(const WorkingScope&) = delete;
  WorkingScope& operator=(const WorkingScope&) = delete;

  // A Progress that hands each text and count to `show` and asks to stop as
  // soon as `stop` is true (and clears it: an operation that asks "do you
  // really want to stop?" goes on when told No). A changed text is always
  // shown at once; counts under the same text only every so often, so a long
  // run is not slowed.
  Progress progress(std::function<void(const std::string& text, long count)> show, bool& stop);

 private:
  Session& s_;
  Prompter* previous_;
  QElapsedTimer since_events_;
  std::string last_text_;
  int ask(const Message& m) override;
};

}  // namespace vft::ui
