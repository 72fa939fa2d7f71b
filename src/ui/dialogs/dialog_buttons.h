// The command buttons at the foot of a dialog, made alike everywhere: each has
// the caption and object name its dialog gives it, none is pressed by Enter in
// a text box unless it is the default, Cancel closes the dialog unchanged, and
// Help answers F1 too, even where the dialog shows no Help button.
#pragma once
#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>
#include <functional>

namespace vft::ui {

struct Command {
  QString text;
  QString name;  // empty: the dialog has no such button
};

struct DialogButtons {
  QPushButton* ok = nullptr;
  QPushButton* cancel = nullptr;
  QPushButton* help = nullptr;

  // The usual row: `lead` (a status text or a check box) takes the room on the
  // left, then OK, Cancel and Help.
  QHBoxLayout* row(QWidget* lead = nullptr) const;
};

// `ok` becomes the default button and is left for the dialog to connect.
DialogButtons dialog_buttons(QDialog* dialog, const Command& ok, const Command& cancel, const Command& help,
                             std::function<void()> on_help, int min_width = 0);

}  // namespace vft::ui
