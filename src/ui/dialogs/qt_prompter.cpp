#include "dialogs/qt_prompter.h"

#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>

#include "common/sentence.h"
#include "qt_text.h"

namespace vft::ui {
namespace {

// More lines than this go to the details area; the box keeps the first ones.
constexpr int kMaxBoxLines = 24;
constexpr int kKeptLines = 16;

}  // namespace

void SetMessageText(QMessageBox& box, const std::string& text) {
  std::string tidy = TidyBlanks(text);
  // Message texts join their lines with CR LF; Qt wants plain line feeds.
  for (std::size_t p; (p = tidy.find("\r\n")) != std::string::npos;) tidy.erase(p, 1);
  QString shown = qs(tidy);
  QStringList lines = shown.split(QLatin1Char('\n'));
  if (lines.size() > kMaxBoxLines) {
    box.setDetailedText(shown);
    lines = lines.mid(0, kKeptLines);
    lines << QStringLiteral("\u2026");
    shown = lines.join(QLatin1Char('\n'));
  }
  box.setTextFormat(Qt::PlainText);
  box.setText(shown);
  // A box re-wraps lines wider than about half the screen; as wide as its
  // longest line, it keeps the program's own line breaks. But never wider
  // than the box itself may grow (at most the screen less 480 pixels, or
  // 1000): a label wider than its box is cut at the edge, and a long name
  // would push the question off it. Lines longer than that wrap.
  if (auto* label = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))) {
    int widest = 0;
    for (const QString& line : lines) widest = std::max(widest, label->fontMetrics().horizontalAdvance(line));
    const QScreen* screen = box.screen();
    label->setWordWrap(true);
    label->setMinimumWidth(MessageLabelWidth(widest, screen ? screen->availableGeometry().width() : 1280));
  }
}

int MessageLabelWidth(int widest_line, int screen_width) {
  // As the box itself computes its largest width; the rest is the icon's and
  // the margins' room.
  const int box_limit = screen_width <= 1024 ? screen_width : std::min(screen_width - 480, 1000);
  return std::max(200, std::min(widest_line + 4, box_limit - 120));
}

int QtPrompter::ask(const Message& m) {
  QMessageBox box(parent_);
  box.setWindowTitle(qs(cp1252::trim(TidyBlanks(m.title))));
  SetMessageText(box, m.text);
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
  if (!m.help.empty()) {
    QAbstractButton* help = box.addButton(QMessageBox::Help);
    help->setObjectName(QStringLiteral("butHelp"));
    // Help opens the page and leaves the question open: the box must not
    // take the click as its answer.
    help->disconnect();
    QObject::connect(help, &QAbstractButton::clicked, &box, [this, topic = m.help] {
      if (open_help) open_help(topic);
    });
  }
  box.exec();
  QAbstractButton* clicked = box.clickedButton();
  for (const auto& c : choices)
    if (clicked && box.standardButton(clicked) == c.button) return c.code;
  // Closing the box with Escape or its close button counts as its cancelling answer.
  return m.buttons == Buttons::YesNo ? kAnswerNo : (m.buttons == Buttons::OK ? kAnswerOK : kAnswerCancel);
}

}  // namespace vft::ui
