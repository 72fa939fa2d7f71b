#include "exchange/gedweb_text_guard.h"

#include <QLabel>
#include <algorithm>
#include <QLineEdit>

#include "qt_text.h"

namespace vft::ui {

void guard_cp1252(QLineEdit* box, QLabel* warning) {
  QObject::connect(box, &QLineEdit::textEdited, box, [box, warning](const QString& text) {
    if (cp1252::fits_cp1252(text.toStdString())) return;
    const int cursor = box->cursorPosition();
    const int surplus = text.size();
    const QString kept = qs(cp(text));
    box->setText(kept);
    // A character outside the code page may take two UTF-16 units but
    // becomes one "?": keep the cursor after what was typed.
    box->setCursorPosition(std::max(0, cursor - (surplus - static_cast<int>(kept.size()))));
    if (warning) {
      warning->setText(QString::fromLatin1(kReplacedCharacters));
      warning->setVisible(true);
    }
  });
}

}  // namespace vft::ui
