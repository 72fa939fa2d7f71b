#include "editors/frm_connect_as.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

#include "qt_text.h"

namespace vft::ui {

frmConnectAs::frmConnectAs(Session& s, QWidget* parent) : QDialog(parent), s_(s) {
  setObjectName(QStringLiteral("frmConnectAs"));
  setModal(true);
  const ConnectAsView v = LoadConnectAs(s_);
  setWindowTitle(qs(v.title));

  auto* label = new QLabel(qs(v.label), this);
  label->setObjectName(QStringLiteral("Label1"));
  label->setWordWrap(true);
  auto* hint = new QLabel(qs(s_.Messages[msg::SelectRelationship]), this);
  hint->setObjectName(QStringLiteral("Label2"));
  hint->setStyleSheet(QStringLiteral("color: #555b66;"));

  const QString captions[] = {QStringLiteral("&Father"),  QStringLiteral("&Mother"), QStringLiteral("&Sibling"),
                              QStringLiteral("&Partner"), QStringLiteral("Chil&d"),  QStringLiteral("&Unrelated")};
  const bool enabled[] = {v.father, v.mother, v.sibling, v.partner, v.child, true};
  auto* grid = new QGridLayout;
  grid->setSpacing(8);
  for (int i = 0; i < 6; ++i) {
    auto* b = new QPushButton(captions[i], this);
    b->setObjectName(QStringLiteral("Command1_%1").arg(i));
    b->setMinimumWidth(110);
    b->setAutoDefault(false);
    b->setEnabled(enabled[i]);
    grid->addWidget(b, i / 3, i % 3);
    connect(b, &QPushButton::clicked, this, [this, i] {
      choice_ = static_cast<Relation>(i);
      accept();
    });
    if (i == 5) b->setVisible(v.unrelated_visible);
  }

  auto* cancel = new QPushButton(QStringLiteral("&Cancel"), this);
  cancel->setObjectName(QStringLiteral("cmdCancel"));
  auto* help = new QPushButton(QStringLiteral("&Help"), this);
  help->setObjectName(QStringLiteral("cmdHelp"));
  help->setAutoDefault(false);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(help);
  buttons->addStretch(1);
  buttons->addWidget(cancel);

  auto* root = new QVBoxLayout(this);
  root->setContentsMargins(18, 16, 18, 14);
  root->setSpacing(12);
  root->addWidget(label);
  root->addWidget(hint);
  root->addLayout(grid);
  root->addLayout(buttons);
  setMinimumWidth(420);

  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  auto show_help = [this] { s_.help("add_connect"); };
  connect(help, &QPushButton::clicked, this, show_help);
  connect(new QShortcut(QKeySequence::HelpContents, this), &QShortcut::activated, this, show_help);
}

}  // namespace vft::ui
