#pragma once
#include <functional>
#include <string>

#include "common/prompter.h"

class QMessageBox;
class QWidget;

namespace vft::ui {

// Shows core's message requests as modal message boxes over `parent`. Texts
// are shown as plain text (a name is never read as markup), on the lines the
// program broke them into; a text too long for the screen keeps its
// beginning in the box and the whole in a scrollable details area.
class QtPrompter : public Prompter {
 public:
  explicit QtPrompter(QWidget* parent = nullptr) : parent_(parent) {}
  void set_parent(QWidget* parent) { parent_ = parent; }
  int ask(const Message& m) override;

  // Opens a help page for a box's Help button.
  std::function<void(const std::string& topic)> open_help;

 private:
  QWidget* parent_;
};

// Lays a box's text out: plain text, wide enough for its longest line (up to
// what the screen allows), long texts in the details area.
void SetMessageText(QMessageBox& box, const std::string& text);
// The width a box's text gets for its widest line on a screen this wide: the
// line when it fits, never more than the box may grow to (lines wider wrap).
int MessageLabelWidth(int widest_line, int screen_width);

}  // namespace vft::ui
