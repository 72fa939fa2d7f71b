#include "editors/frm_connect_questions.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QTimer>
#include <QVBoxLayout>

#include "edit/connect_dialogs.h"
#include "qt_text.h"

namespace vft::ui {

ConnectQuestion::ConnectQuestion(Session& s, const char* name, const std::string& title,
                                 const std::vector<std::string>& lines, QWidget* parent)
    : QDialog(parent), s_(s) {
  setObjectName(QString::fromLatin1(name));
  setModal(true);
  setWindowTitle(qs(title));
  auto* root = new QVBoxLayout(this);
  root->setContentsMargins(20, 18, 20, 14);
  root->setSpacing(10);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    auto* l = new QLabel(qs(lines[i]), this);
    l->setObjectName(QStringLiteral("Label%1").arg(i + 1));
    l->setWordWrap(true);
    root->addWidget(l);
    lines_.push_back(l);
  }
  buttons_ = new QHBoxLayout;
  buttons_->addStretch(1);
  root->addSpacing(6);
  root->addLayout(buttons_);
  setMinimumWidth(440);
}

QPushButton* ConnectQuestion::add_button(const char* name, const QString& text, Answer a, bool closes) {
  auto* b = new QPushButton(text, this);
  b->setObjectName(QString::fromLatin1(name));
  b->setMinimumWidth(88);
  buttons_->addWidget(b);
  if (closes) connect(b, &QPushButton::clicked, this, [this, a] { finish(a); });
  return b;
}

void ConnectQuestion::add_help() {
  auto* b = new QPushButton(QStringLiteral("&Help"), this);
  b->setObjectName(QStringLiteral("cmdHelp"));
  b->setAutoDefault(false);
  b->setMinimumWidth(88);
  buttons_->addWidget(b);
  auto show_help = [this] { s_.help("add_connect"); };
  connect(b, &QPushButton::clicked, this, show_help);
  connect(new QShortcut(QKeySequence::HelpContents, this), &QShortcut::activated, this, show_help);
}

void ConnectQuestion::finish(Answer a) {
  answer_ = a;
  if (a == Answer::Cancel) reject();
  else accept();
}

frmNoSex::frmNoSex(Session& s, QWidget* parent)
    : ConnectQuestion(s, "frmNoSex", "Sex not recorded", {NoSexText(s), NoSexMustText()}, parent) {
  add_button("cmdMale", QStringLiteral("&Male"), Answer::Male);
  add_button("cmdFemale", QStringLiteral("&Female"), Answer::Female);
  add_button("cmdCancel", QStringLiteral("&Cancel"), Answer::Cancel);
  add_help();
}

frmAddChild::frmAddChild(Session& s, bool ask_known, QWidget* parent)
    : ConnectQuestion(s, "frmAddChild", LoadAddChild(s, ask_known).title, {LoadAddChild(s, ask_known).question},
                      parent),
      issue_of_(LoadAddChild(s, ask_known).issue_of) {
  add_button("cmdYes", QStringLiteral("&Yes"), Answer::Yes)->setDefault(true);
  add_button("cmdNo", QStringLiteral("&No"), Answer::No);
  add_button("cmdCancel", QStringLiteral("&Cancel"), Answer::Cancel);
  add_help();
}

frmAddParent::frmAddParent(Session& s, int notice_ms, QWidget* parent)
    : ConnectQuestion(s, "frmAddParent", LoadAddParent(s).title, {LoadAddParent(s).question}, parent) {
  QPushButton* yes = add_button("cmdYes", QStringLiteral("&Yes"), Answer::Yes);
  yes->setDefault(true);
  // No is answered at once, but the window stays a moment to say what
  // happens to the missing parent.
  QPushButton* no = add_button("cmdNo", QStringLiteral("&No"), Answer::No, false);
  add_help();
  connect(no, &QPushButton::clicked, this, [this, yes, no, notice_ms] {
    line(0)->setText(qs(LoadAddParent(s_).adding));
    s_.status(LoadAddParent(s_).adding);
    yes->setEnabled(false);
    no->setEnabled(false);
    QTimer::singleShot(notice_ms, this, [this] { finish(Answer::No); });
  });
}

frmConnectParent::frmConnectParent(Session& s, std::int16_t x, std::int16_t spouse, QWidget* parent)
    : ConnectQuestion(s, "frmConnectParent", LoadConnectParent(s, x, spouse).title,
                      LoadConnectParent(s, x, spouse).lines, parent) {
  add_button("cmdYes", QStringLiteral("&Yes"), Answer::Yes)->setDefault(true);
  add_button("cmdNo", QStringLiteral("&No"), Answer::No);
  add_button("cmdCancel", QStringLiteral("&Cancel"), Answer::Cancel);
  add_help();
}

frmConnectPartner::frmConnectPartner(Session& s, std::int16_t x, std::int16_t family, QWidget* parent)
    : ConnectQuestion(s, "frmConnectPartner", "Connect a Partner", ConnectPartnerLines(s, x, family), parent) {
  add_button("cmdYes", QStringLiteral("&Yes"), Answer::Yes)->setDefault(true);
  add_button("cmdNo", QStringLiteral("&No"), Answer::No);
  add_button("cmdCancel", QStringLiteral("&Cancel"), Answer::Cancel);
  add_help();
}

frmUnrelated::frmUnrelated(Session& s, std::int16_t person, int notice_ms, QWidget* parent)
    : ConnectQuestion(s, "frmUnrelated", "Unrelated person", {UnrelatedNotice(s, person)}, parent) {
  add_button("cmdOK", QStringLiteral("OK"), Answer::OK)->setDefault(true);
  QTimer::singleShot(notice_ms, this, [this] { finish(Answer::OK); });
}

}  // namespace vft::ui
