// frmPrintWhat ("Print What?"): the print chooser. Button butCommand_i asks
// for print request i + 1 and closes the chooser; cmdCancel and cmdHelp.
#include "printing/frm_print_what.h"

#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

#include "mainwindow/editing_windows.h"
#include "print/preview_model.h"
#include "qt_text.h"

namespace vft::ui {

frmPrintWhat::frmPrintWhat(Session& s, QWidget* parent) : QDialog(parent), s_(s) {
  setObjectName(QStringLiteral("frmPrintWhat"));
  setWindowTitle(QStringLiteral("Print What?"));
  setModal(true);
  auto* root = new QVBoxLayout(this);
  root->setContentsMargins(18, 14, 18, 12);
  root->setSpacing(6);
  auto* label = new QLabel(QStringLiteral("Select what to Print"), this);
  label->setObjectName(QStringLiteral("lblSelect"));
  label->setStyleSheet(QStringLiteral("font-weight: bold;"));
  root->addWidget(label);
  const QString captions[8] = {QStringLiteral("Print a Data &Sheet for the selected person"),
                               QStringLiteral("Print &Descendants Chart of the selected person"),
                               QStringLiteral("Print &Pedigree Chart of the selected person"),
                               QStringLiteral("Print a Complete &List of all people on record"),
                               QStringLiteral("Print List of all People with the same family &name"),
                               QStringLiteral("Print a &Time Line "),
                               QStringLiteral("P&rint a list of family names"),
                               QStringLiteral("Print a &Family Data Sheet for the displayed family")};
  for (int i = 0; i < 8; ++i) {
    auto* b = new QPushButton(captions[i], this);
    b->setObjectName(QStringLiteral("butCommand_%1").arg(i));
    b->setAutoDefault(false);
    b->setStyleSheet(QStringLiteral("text-align: left; padding: 5px 12px;"));
    root->addWidget(b);
    connect(b, &QPushButton::clicked, this, [this, i] {
      chosen_ = i + 1;
      accept();
    });
  }
  auto* row = new QHBoxLayout;
  auto* help = new QPushButton(QStringLiteral("&Help"), this);
  help->setObjectName(QStringLiteral("cmdHelp"));
  auto* cancel = new QPushButton(QStringLiteral("&Cancel"), this);
  cancel->setObjectName(QStringLiteral("cmdCancel"));
  for (QPushButton* b : {help, cancel}) {
    b->setAutoDefault(false);
    b->setMinimumWidth(86);
  }
  row->addWidget(help);
  row->addStretch(1);
  row->addWidget(cancel);
  root->addSpacing(6);
  root->addLayout(row);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(help, &QPushButton::clicked, this, [this] { s_.help("print_what"); });
  connect(new QShortcut(QKeySequence::HelpContents, this), &QShortcut::activated, this,
          [this] { s_.help("print_what"); });
  setFixedSize(sizeHint());
}

int ChoosePrintRequest(Session& s, QWidget* parent) {
  frmPrintWhat chooser(s, parent);
  if (chooser.exec() != QDialog::Accepted) return 0;
  const int request = chooser.chosen();
  if (request == print::request::FamilyData) {
    Message m = print::NoPartnersMessage(s, s.Rel.Selected);
    if (!m.title.empty()) {
      s.ask(m.title, m.text, m.buttons, m.icon);
      return 0;
    }
  }
  return request;
}

void RunPrintWhat(Session& s, QWidget* parent) {
  if (int request = ChoosePrintRequest(s, parent)) RunPrintPreview(s, parent, request);
}

}  // namespace vft::ui
