#include "qt_prompter.h"

#include <QMessageBox>
#include <QPushButton>

#include "qt_text.h"

namespace vft::ui {

int QtPrompter::ask(const Message& m) {
  QMessageBox box(parent_);
  box.setWindowTitle(qs(m.title));
  std::string text = m.text;
  // Message texts join their lines with CR LF; Qt wants plain line feeds.
  for (std::size_t p; (p = text.find("\r\n")) != std::string::npos;) text.erase(p, 1);
  box.setText(qs(text));
  switch (m.icon) {
    case Icon::Critical: box.setIcon(QMessageBox::Critical); break;
    case Icon::Question: box.setIcon(QMessageBox::Question); break;
    case Icon::Exclamation: box.setIcon(QMessageBox::Warning); break;
    case Icon::Information: box.setIcon(QMessageBox::Information); break;
    case Icon::None: box.setIcon(QMessageBox::NoIcon); break;
  }
  struct Choice {
    QMessageBox::StandardButton button;
    int code;
  };
  std::vector<Choice> choices;
  switch (m.buttons) {
    case Buttons::OK: choices = {{QMessageBox::Ok, kAnswerOK}}; break;
    case Buttons::OKCancel: choices = {{QMessageBox::Ok, kAnswerOK}, {QMessageBox::Cancel, kAnswerCancel}}; break;
    case Buttons::YesNo: choices = {{QMessageBox::Yes, kAnswerYes}, {QMessageBox::No, kAnswerNo}}; break;
    case Buttons::YesNoCancel:
      choices = {{QMessageBox::Yes, kAnswerYes}, {QMessageBox::No, kAnswerNo}, {QMessageBox::Cancel, kAnswerCancel}};
      break;
  }
  QMessageBox::StandardButtons all;
  for (const auto& c : choices) all |= c.button;
  box.setStandardButtons(all);
  auto def = static_cast<std::size_t>(m.default_button);
  if (def < choices.size()) box.setDefaultButton(choices[def].button);
  int result = box.exec();
  for (const auto& c : choices)
    if (c.button == result) return c.code;
  // Closing the box with Escape or its close button counts as its cancelling answer.
  return m.buttons == Buttons::YesNo ? kAnswerNo : (m.buttons == Buttons::OK ? kAnswerOK : kAnswerCancel);
}

}  // namespace vft::ui
