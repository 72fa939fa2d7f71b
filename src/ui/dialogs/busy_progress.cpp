#include "dialogs/busy_progress.h"

#include <QApplication>
#include <QProgressDialog>

#include "qt_text.h"

namespace vft::ui {

BusyProgress::BusyProgress(Session& s, QWidget* parent, const QString& title, bool cancellable)
    : s_(s),
      parent_(parent),
      title_(title),
      cancellable_(cancellable),
      previous_prompter_(s.prompter),
      previous_status_(s.on_status) {
  s_.prompter = this;
  s_.on_status = [this](const std::string& text) {
    if (previous_status_) previous_status_(text);
    show_text(qs(text));
  };
}

BusyProgress::~BusyProgress() {
  s_.on_status = previous_status_;
  s_.prompter = previous_prompter_;
  if (dialog_) {
    dialog_->close();
    QApplication::restoreOverrideCursor();
  }
}

int BusyProgress::ask(const Message& m) {
  // A question never hides behind the progress window.
  if (dialog_) dialog_->hide();
  return previous_prompter_->ask(m);
}

void BusyProgress::show_text(const QString& text) {
  if (!dialog_) {
    dialog_ = std::make_unique<QProgressDialog>(parent_);
    dialog_->setObjectName(QStringLiteral("dlgProgress"));
    dialog_->setWindowTitle(title_);
    dialog_->setWindowModality(Qt::WindowModal);
    dialog_->setMinimumWidth(400);
    dialog_->setRange(0, 0);  // how far along is not known, only that work goes on
    dialog_->setMinimumDuration(0);
    dialog_->setAutoClose(false);
    dialog_->setAutoReset(false);
    if (!cancellable_) dialog_->setCancelButton(nullptr);
    QApplication::setOverrideCursor(Qt::WaitCursor);
  }
  dialog_->setLabelText(text);
  if (!dialog_->isVisible()) dialog_->show();
  shown_ = true;
  QApplication::processEvents();
}

Progress BusyProgress::progress() {
  return [this](const std::string& message, long count) {
    show_text(count > 0 ? qs(message) + QStringLiteral("  ") + QString::number(count) : qs(message));
    return !(dialog_ && dialog_->wasCanceled());
  };
}

bool BusyProgress::cancelled() const { return dialog_ && dialog_->wasCanceled(); }

}  // namespace vft::ui
