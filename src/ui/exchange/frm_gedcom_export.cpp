#include "exchange/frm_gedcom_export.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialogs/dialog_buttons.h"
#include "mainwindow/editing_windows.h"
#include "exchange/gedweb_busy.h"
#include "exchange/gedweb_text_guard.h"
#include "interchange/gedcom_export_dialog.h"
#include "qt_text.h"

namespace vft::ui {
namespace {

struct BoxSpec {
  const char* name;
  const char* label;
};
constexpr std::array<BoxSpec, 6> kBoxes = {{{"txtName", "&Name:"},
                                            {"txtAddress1", "&Address:"},
                                            {"txtAddress2", ""},
                                            {"txtAddress3", ""},
                                            {"txtPhone", "&Phone:"},
                                            {"txtEmail", "&Email:"}}};
// The settings file reads values of at most 255 characters.
constexpr int kMaxDetail = 255;

}  // namespace

frmGEDCOMExport::frmGEDCOMExport(Session& s, FileDialogs& dialogs, QWidget* parent)
    : QDialog(parent), s_(s), dialogs_(dialogs) {
  setObjectName(QStringLiteral("frmGEDCOMExport"));
  setWindowTitle(QStringLiteral("Export GEDCOM File"));

  auto* caption0 = new QLabel(QStringLiteral("Enter the submitter details."), this);
  caption0->setObjectName(QStringLiteral("lblCaption_0"));
  QFont bold = caption0->font();
  bold.setBold(true);
  caption0->setFont(bold);
  auto* caption1 = new QLabel(QStringLiteral("These will be included at the head of the generated GEDCOM file."), this);
  caption1->setObjectName(QStringLiteral("lblCaption_1"));
  caption1->setWordWrap(true);

  auto* warning = new QLabel(this);
  warning->setObjectName(QStringLiteral("lblCharWarning"));
  warning->setStyleSheet(QStringLiteral("color: #a00000"));
  warning->setWordWrap(true);
  warning->setVisible(false);

  const SubmitterDetails stored = LoadSubmitterDetails(s_);
  const std::array<const std::string*, 6> values = {&stored.Name,     &stored.Address1, &stored.Address2,
                                                    &stored.Address3, &stored.Phone,    &stored.Email};
  auto* form = new QFormLayout;
  for (std::size_t i = 0; i < kBoxes.size(); ++i) {
    auto* box = new QLineEdit(qs(cp1252::trim(*values[i])), this);
    box->setObjectName(QString::fromLatin1(kBoxes[i].name));
    box->setMaxLength(kMaxDetail);
    box->setMinimumWidth(340);
    guard_cp1252(box, warning);
    boxes_[i] = box;
    auto* label = new QLabel(QString::fromLatin1(kBoxes[i].label), this);
    label->setBuddy(box);
    form->addRow(label, box);
  }

  chkOtherPrograms_ = new QCheckBox(QStringLiteral("GEDCOM 5.5.1 for other programs"), this);
  chkOtherPrograms_->setObjectName(QStringLiteral("chkOtherPrograms"));
  chkOtherPrograms_->setToolTip(
      QStringLiteral("Writes UTF-8 text in the form most other genealogy programs read without complaint."));
  chkGedcom7_ = new QCheckBox(QStringLiteral("GEDCOM 7.0 for newer programs"), this);
  chkGedcom7_->setObjectName(QStringLiteral("chkGedcom7"));
  chkGedcom7_->setToolTip(QStringLiteral("Writes the current GEDCOM version, for programs that read GEDCOM 7.0."));
  // One flavour at a time; neither ticked is the standard form.
  connect(chkOtherPrograms_, &QCheckBox::toggled, this, [this](bool on) {
    if (on) chkGedcom7_->setChecked(false);
  });
  connect(chkGedcom7_, &QCheckBox::toggled, this, [this](bool on) {
    if (on) chkOtherPrograms_->setChecked(false);
  });

  lblStatus_ = new QLabel(this);
  lblStatus_->setObjectName(QStringLiteral("lblStatus"));
  lblStatus_->setTextFormat(Qt::PlainText);

  const DialogButtons commands =
      dialog_buttons(this, {QStringLiteral("&Export"), QStringLiteral("cmdExport")},
                     {QStringLiteral("Cancel"), QStringLiteral("cmdCancel")},
                     {QStringLiteral("Help"), QStringLiteral("cmdHelp")}, [this] { s_.help("gedcom_export"); });
  cmdExport_ = commands.ok;
  QHBoxLayout* buttons = commands.row();
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(20, 16, 20, 14);
  layout->addWidget(caption0);
  layout->addWidget(caption1);
  layout->addSpacing(6);
  layout->addLayout(form);
  layout->addWidget(warning);
  layout->addSpacing(4);
  layout->addWidget(chkOtherPrograms_);
  layout->addWidget(chkGedcom7_);
  layout->addWidget(lblStatus_);
  layout->addLayout(buttons);

  connect(cmdExport_, &QPushButton::clicked, this, &frmGEDCOMExport::export_pressed);
}

SubmitterDetails frmGEDCOMExport::typed() const {
  auto text = [this](std::size_t i) { return cp(boxes_[i]->text()); };
  return {text(0), text(1), text(2), text(3), text(4), text(5)};
}

void frmGEDCOMExport::export_pressed() {
  if (working_) return;
  const std::string file = dialogs_.save_file(GedcomSaveRequest(s_));
  if (cp1252::trim(file).empty()) return;  // the dialog stays for another try
  const GedcomFlavour flavour = chkGedcom7_->isChecked()         ? GedcomFlavour::Gedcom70
                                : chkOtherPrograms_->isChecked() ? GedcomFlavour::Gedcom551
                                                                 : GedcomFlavour::Standard;
  const ExportOptions options = GedcomDialogOptions(typed(), flavour, file);
  working_ = true;
  stop_ = false;
  cmdExport_->setEnabled(false);
  for (auto* box : boxes_) box->setEnabled(false);
  ExportResult r;
  {
    WorkingScope scope(s_);
    r = ExportGedcom(s_, options,
                     scope.progress([this](const std::string& t, long) { lblStatus_->setText(qs(t)); }, stop_));
  }
  working_ = false;
  status_ = r.status;
  lblStatus_->clear();
  cmdExport_->setEnabled(true);
  for (auto* box : boxes_) box->setEnabled(true);
  // A file that could not be written leaves the dialog open for another
  // place; done or stopped, it closes.
  if (r.status == ExportStatus::Done) accept();
  else if (r.status == ExportStatus::Cancelled) QDialog::reject();
}

void frmGEDCOMExport::reject() {
  if (working_) {
    stop_ = true;
    return;
  }
  QDialog::reject();
}

void RunGedcomExport(Session& s, FileDialogs& dialogs, QWidget* parent) {
  frmGEDCOMExport w(s, dialogs, parent);
  w.exec();
}

}  // namespace vft::ui
