// A long operation (open, save, import) shown in a small progress window.
// The window comes up with the operation's first status text, so a command
// that is cancelled in its file dialog never shows it, and it steps aside
// whenever the operation asks the user something. Every status text and count
// lets pending events run, so the main window repaints and Cancel works.
#pragma once
#include <QString>
#include <functional>
#include <memory>
#include <string>

#include "common/prompter.h"
#include "store/session.h"

class QProgressDialog;
class QWidget;

namespace vft::ui {

class BusyProgress : private Prompter {
 public:
  // Without `cancellable` the window has no Cancel button (the open and the
  // save cannot stop half way).
  BusyProgress(Session& s, QWidget* parent, const QString& title, bool cancellable = false);
  ~BusyProgress() override;
  BusyProgress(const BusyProgress&) = delete;
  BusyProgress& operator=(const BusyProgress&) = delete;

  // For operations that report a count and ask whether to go on.
  Progress progress();
  bool cancelled() const;
  // True once the window has been shown.
  bool shown() const { return shown_; }

 private:
  Session& s_;
  QWidget* parent_;
  QString title_;
  bool cancellable_;
  bool shown_ = false;
  std::unique_ptr<QProgressDialog> dialog_;
  Prompter* previous_prompter_;
  std::function<void(const std::string&)> previous_status_;

  int ask(const Message& m) override;
  void show_text(const QString& text);
};

}  // namespace vft::ui
