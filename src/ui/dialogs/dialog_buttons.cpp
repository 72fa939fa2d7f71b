#include "dialogs/dialog_buttons.h"

#include <QShortcut>

#include "dialogs/named_button.h"

namespace vft::ui {

QHBoxLayout* DialogButtons::row(QWidget* lead) const {
  auto* r = new QHBoxLayout;
  if (lead) r->addWidget(lead, 1);
  else r->addStretch(1);
  for (QPushButton* b : {ok, cancel, help})
    if (b) r->addWidget(b);
  return r;
}

DialogButtons dialog_buttons(QDialog* dialog, const Command& ok, const Command& cancel, const Command& help,
                             std::function<void()> on_help, int min_width) {
  auto make = [&](const Command& c) {
    return c.name.isEmpty() ? nullptr : named_button(c.text, c.name, dialog, min_width);
  };
  DialogButtons b{make(ok), make(cancel), make(help)};
  if (b.ok) b.ok->setDefault(true);
  if (b.cancel) QObject::connect(b.cancel, &QPushButton::clicked, dialog, &QDialog::reject);
  if (on_help) {
    if (b.help) QObject::connect(b.help, &QPushButton::clicked, dialog, on_help);
    QObject::connect(new QShortcut(QKeySequence::HelpContents, dialog), &QShortcut::activated, dialog, on_help);
  }
  return b;
}

}  // namespace vft::ui
