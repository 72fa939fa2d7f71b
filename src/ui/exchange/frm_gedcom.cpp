#include "exchange/frm_gedcom.h"

#include <QDialogButtonBox>
#include <QFont>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressBar>
#include <QPushButton>
#include <QTextDocument>
#include <QTimer>
#include <QVBoxLayout>

#include "dialogs/dialog_buttons.h"
#include "mainwindow/editing_windows.h"
#include "exchange/gedweb_busy.h"
#include "qt_text.h"

namespace vft::ui {
namespace {

QString lines(const std::string& cp1252_text) {
  QString t = qs(cp1252_text);
  t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  return t;
}

void print_with_dialog(QWidget* parent, const QString& text) {
  QPrinter printer;
  QPrintDialog dialog(&printer, parent);
  if (dialog.exec() != QDialog::Accepted) return;
  QTextDocument doc;
  doc.setPlainText(text);
  doc.print(&printer);
}

}  // namespace

frmGEDCOM::frmGEDCOM(Session& s, const std::string& path, QWidget* parent) : QDialog(parent), s_(s), model_(s, path) {
  setObjectName(QStringLiteral("frmGEDCOM"));
  setWindowTitle(QStringLiteral("GEDCOM Import to Vorlan Family Tree"));
  print_text = [this](const QString& text) { print_with_dialog(this, text); };

  auto* importing = new QLabel(qs(model_.importing_text()), this);
  importing->setObjectName(QStringLiteral("lblImporting"));
  QFont bold = importing->font();
  bold.setBold(true);
  importing->setFont(bold);
  lblWait_ = new QLabel(QStringLiteral("Please Wait"), this);
  lblWait_->setObjectName(QStringLiteral("lblWait"));
  lblStage_ = new QLabel(this);
  lblStage_->setObjectName(QStringLiteral("lblStage"));
  lblStage_->setMinimumHeight(lblStage_->fontMetrics().height() * 2);
  prgImport_ = new QProgressBar(this);
  prgImport_->setObjectName(QStringLiteral("prgImport"));
  prgImport_->setRange(0, 0);
  prgImport_->setTextVisible(false);

  auto* frame = new QGroupBox(QStringLiteral("GEDCOM File Header"), this);
  frame->setObjectName(QStringLiteral("fraHeader"));
  auto* grid = new QGridLayout(frame);
  const auto fields = GedcomHeaderFields({});
  for (std::size_t i = 0; i < fields.size(); ++i) {
    const QString index = QString::number(i);
    auto* caption = new QLabel(qs(fields[i].label), frame);
    caption->setObjectName(QStringLiteral("lblHeaderCaption_") + index);
    caption->setAlignment(Qt::AlignRight | Qt::AlignTop);
    auto* value = new QLabel(frame);
    value->setObjectName(QStringLiteral("lblHeader_") + index);
    value->setTextInteractionFlags(Qt::TextSelectableByMouse);
    value->setTextFormat(Qt::PlainText);
    value->setWordWrap(true);
    value->setMinimumWidth(320);
    lblHeader_[i] = value;
    grid->addWidget(caption, static_cast<int>(i), 0);
    grid->addWidget(value, static_cast<int>(i), 1);
  }
  grid->setColumnStretch(1, 1);

  txtErrors_ = new QPlainTextEdit(this);
  txtErrors_->setObjectName(QStringLiteral("txtErrors"));
  txtErrors_->setReadOnly(true);
  txtErrors_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  txtErrors_->setMinimumHeight(150);

  cmdPrint_ = new QPushButton(QStringLiteral("&Print"), this);
  cmdPrint_->setObjectName(QStringLiteral("cmdPrint"));
  cmdPrint_->setEnabled(false);
  const DialogButtons commands = dialog_buttons(
      this, {QStringLiteral("OK"), QStringLiteral("cmdOK")}, {QStringLiteral("Cancel"), QStringLiteral("cmdCancel")},
      {QStringLiteral("Help"), QStringLiteral("cmdHelp")}, [this] { s_.help("gedcom_import"); });
  cmdOK_ = commands.ok;
  cmdOK_->setEnabled(false);
  cmdCancel_ = commands.cancel;
  QHBoxLayout* buttons = commands.row();
  buttons->insertWidget(0, cmdPrint_);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(18, 14, 18, 14);
  layout->addWidget(importing);
  layout->addWidget(lblWait_);
  layout->addWidget(lblStage_);
  layout->addWidget(prgImport_);
  layout->addWidget(frame);
  layout->addWidget(txtErrors_, 1);
  layout->addLayout(buttons);
  resize(620, 560);

  connect(cmdOK_, &QPushButton::clicked, this, &frmGEDCOM::ok_pressed);
  connect(cmdPrint_, &QPushButton::clicked, this, &frmGEDCOM::print_pressed);
}

void frmGEDCOM::show_header() {
  const auto fields = GedcomHeaderFields(model_.header());
  for (std::size_t i = 0; i < fields.size(); ++i) lblHeader_[i]->setText(lines(fields[i].value));
}

void frmGEDCOM::show_stage(const std::string& text, long count) {
  QString shown = lines(text);
  if (count > 0) shown += QStringLiteral("  ") + QString::number(count);
  lblStage_->setText(shown);
}

void frmGEDCOM::finish_work() {
  working_ = false;
  prgImport_->setRange(0, 1);
  prgImport_->setValue(1);
}

bool frmGEDCOM::convert() {
  if (model_.state() != GedcomImportModel::State::New) return model_.state() == GedcomImportModel::State::Converted;
  working_ = true;
  ImportStatus status = ImportStatus::Refused;
  {
    WorkingScope scope(s_);
    if (model_.open()) {
      show_header();
      status = model_.convert(scope.progress([this](const std::string& t, long n) { show_stage(t, n); }, stop_));
    }
  }
  finish_work();
  if (status != ImportStatus::Converted) {
    done(QDialog::Rejected);
    return false;
  }
  show_header();
  lblWait_->clear();
  lblStage_->clear();
  txtErrors_->setPlainText(lines(ImportReportText(model_.result())));
  cmdPrint_->setEnabled(!model_.result().errors.empty());
  cmdOK_->setText(QStringLiteral("&OK"));
  cmdOK_->setEnabled(true);
  cmdOK_->setDefault(true);
  cmdOK_->setFocus();
  return true;
}

void frmGEDCOM::ok_pressed() {
  if (working_ || model_.state() != GedcomImportModel::State::Converted) return;
  working_ = true;
  cmdOK_->setEnabled(false);
  cmdCancel_->setEnabled(false);
  lblWait_->setText(QStringLiteral("Please Wait"));
  prgImport_->setRange(0, 0);
  bool added = false;
  {
    WorkingScope scope(s_);
    show_stage(GedcomImportModel::merging_text(), 0);
    added = model_.merge(scope.progress([this](const std::string& t, long n) { show_stage(t, n); }, stop_));
  }
  finish_work();
  done(added ? QDialog::Accepted : QDialog::Rejected);
}

void frmGEDCOM::print_pressed() {
  if (print_text) print_text(txtErrors_->toPlainText());
}

void frmGEDCOM::reject() {
  // While converting, Cancel (or closing the window) stops at the next stage;
  // the conversion then says that the import was abandoned.
  if (working_) {
    stop_ = true;
    return;
  }
  model_.abandon();
  QDialog::reject();
}

bool RunGedcomImport(Session& s, QWidget* parent, const std::string& path) {
  frmGEDCOM w(s, path, parent);
  QTimer::singleShot(0, &w, [&w] { w.convert(); });
  w.exec();
  return w.merged();
}

}  // namespace vft::ui
