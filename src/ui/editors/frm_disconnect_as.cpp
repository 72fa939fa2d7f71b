#include "editors/frm_disconnect_as.h"
#include "dialogs/named_button.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

#include "mainwindow/editing_windows.h"
#include "qt_text.h"
#include "relations/disconnect.h"
#include "relations/person_io.h"

namespace vft::ui {

namespace {

QPushButton* button(const QString& text, const QString& name, QWidget* parent) {
  return named_button(text, name, parent, 96);
}

}  // namespace

frmDisconnectAs::frmDisconnectAs(Session& s, QWidget* parent) : QDialog(parent), s_(s) {
  setObjectName(QStringLiteral("frmDisconnectAs"));
  setModal(true);
  const std::string name = DisplayName(s_, s_.Rel.Selected);
  setWindowTitle(QStringLiteral("Disconnect a Person"));

  auto* lblPrompt = new QLabel(QStringLiteral("Disconnect"), this);
  lblPrompt->setObjectName(QStringLiteral("lblPrompt"));
  auto* lblPersonName = new QLabel(qs(name), this);
  lblPersonName->setObjectName(QStringLiteral("lblPersonName"));
  QFont bold = lblPersonName->font();
  bold.setBold(true);
  bold.setPointSizeF(bold.pointSizeF() * 1.15);
  lblPersonName->setFont(bold);
  lblPersonName->setTextInteractionFlags(Qt::TextSelectableByMouse);
  auto* lblFrom = new QLabel(QStringLiteral("from"), this);

  const char* captions[3] = {"&Parents and Siblings", "&Spouse and Children", "&All"};
  const std::int16_t c = s_.Rel.Selected.PerNum;
  const bool parents = c >= 1 && CanDisconnectFromParents(s_, c);
  const bool partner = c >= 1 && CanDisconnectFromPartner(s_);
  const bool enabled[3] = {parents, partner, parents && partner};
  auto* choices = new QVBoxLayout;
  choices->setSpacing(8);
  for (int i = 0; i < 3; ++i) {
    QPushButton* b = button(QString::fromLatin1(captions[i]), QStringLiteral("Command1_%1").arg(i), this);
    b->setMinimumHeight(34);
    b->setToolTip(qs(DisconnectHint(name, static_cast<DisconnectChoice>(i))));
    b->setEnabled(enabled[i]);
    connect(b, &QPushButton::clicked, this, [this, i] { button_pressed(i); });
    choices->addWidget(b);
    Command1_[i] = b;
  }

  QPushButton* cmdCancel = button(QStringLiteral("&Cancel"), QStringLiteral("cmdCancel"), this);
  QPushButton* cmdHelp = button(QStringLiteral("&Help"), QStringLiteral("cmdHelp"), this);
  auto* bottom = new QHBoxLayout;
  bottom->addWidget(cmdHelp);
  bottom->addStretch(1);
  bottom->addWidget(cmdCancel);

  auto* root = new QVBoxLayout(this);
  root->setContentsMargins(20, 16, 20, 14);
  root->setSpacing(10);
  root->addWidget(lblPrompt);
  root->addWidget(lblPersonName);
  root->addWidget(lblFrom);
  root->addLayout(choices);
  root->addSpacing(6);
  root->addLayout(bottom);
  setMinimumWidth(380);
  setFixedHeight(sizeHint().height());

  connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(cmdHelp, &QPushButton::clicked, this, [this] { s_.help("disconnect"); });
  connect(new QShortcut(QKeySequence::HelpContents, this), &QShortcut::activated, this,
          [this] { s_.help("disconnect"); });
  // Escape and the close box cancel; focus starts on the first button on offer.
  for (QPushButton* b : Command1_)
    if (b->isEnabled()) {
      b->setFocus();
      break;
    }
}

void frmDisconnectAs::button_pressed(int index) {
  if (index < 0 || index > 2 || !Command1_[index]->isEnabled()) return;
  disconnected_ = DisconnectAs(s_, static_cast<DisconnectChoice>(index));
  accept();
}

void RunDisconnect(Session& s, QWidget* parent) {
  if (s.Rel.Selected.PerNum < 1) return;
  frmDisconnectAs dialog(s, parent);
  dialog.exec();
}

}  // namespace vft::ui
