// The Set Items panel of frmPrintPreview: which boxes the request shows,
// moving the settings into the boxes and back, Load Cfg / Save Cfg, Select
// All, and the generations check.
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>
#include <vector>

#include "printing/frm_print_preview.h"
#include "print/page_setup_model.h"
#include "qt_text.h"

namespace vft::ui {

using namespace print;

namespace {
// The most boxes one column of the panel holds.
constexpr int kPanelRows = 13;
}  // namespace

void frmPrintPreview::prepare_panel() {
  frmSetItems_->setTitle(qs(panel_.title));
  for (int i = 0; i < item1::Count; ++i) {
    const BoxState& b = panel_.sheet[static_cast<std::size_t>(i)];
    QCheckBox* c = chk1_[static_cast<std::size_t>(i)];
    c->setText(qs(b.caption));
    c->setVisible(b.visible);
    c->setEnabled(b.enabled);
  }
  for (int i = 0; i < item3::Count; ++i) {
    const BoxState& b = panel_.chart[static_cast<std::size_t>(i)];
    QCheckBox* c = chk3_[static_cast<std::size_t>(i)];
    c->setText(qs(b.caption));
    c->setVisible(b.visible);
    c->setEnabled(b.enabled);
  }
  // The request's boxes read down one column and on into the next, with
  // no gaps where another request's boxes would be.
  std::vector<QCheckBox*> shown, hidden;
  for (QCheckBox* c : chk1_) (c->isHidden() ? hidden : shown).push_back(c);
  for (QCheckBox* c : chk3_) (c->isHidden() ? hidden : shown).push_back(c);
  const int rows = std::clamp(static_cast<int>(shown.size() + 1) / 2, 1, kPanelRows);
  shown.insert(shown.end(), hidden.begin(), hidden.end());
  for (int k = 0; k < static_cast<int>(shown.size()); ++k) {
    boxes_->removeWidget(shown[static_cast<std::size_t>(k)]);
    boxes_->addWidget(shown[static_cast<std::size_t>(k)], k % rows, k / rows);
  }
  lblGenerations_->setVisible(panel_.generations);
  txtNumOfGenerations_->setVisible(panel_.generations);
  lblFamName_->setVisible(panel_.family_name);
  txtFamName_->setVisible(panel_.family_name);
  fraHeading_->setVisible(panel_.heading_choice);
  fraSort_->setVisible(panel_.sort);
  fraFormat_->setVisible(panel_.list_format);
  butSelectAll_->setVisible(panel_.select_all && panel_.group == ItemGroup::Sheet);
  butSelectAllDescend_->setVisible(panel_.select_all && panel_.group == ItemGroup::Chart);
  Command1_[0]->setVisible(panel_.printer_button);
  // The data sheet's panel is filled from the person's record first.
  Command1_[4]->setEnabled(!panel_.preview_waits);
}

void frmPrintPreview::settings_to_panel() {
  const ChartOptions& c = settings_.chart;
  const SheetOptions& sh = settings_.sheet;
  for (int i = 0; i < item1::Count; ++i) chk1_[static_cast<std::size_t>(i)]->setChecked(sh.ticked(i));
  for (int i = 0; i < item3::Count; ++i) {
    QCheckBox* b = chk3_[static_cast<std::size_t>(i)];
    // A box the user cannot change prints what it always prints: the name.
    b->setChecked(i == item3::Name && !b->isEnabled() ? true : c.ticked(i));
  }
  txtNumOfGenerations_->setText(QString::number(ClampGenerations(c.generations)));
  Option1_[static_cast<std::size_t>(c.heading)]->setChecked(true);
  optSort_[sh.sort == SortBy::Name ? 1 : 0]->setChecked(true);
  optFormat_[static_cast<std::size_t>(sh.format)]->setChecked(true);
  std::string name = sh.family_name.empty() ? cp1252::trim(s_.Rel.Selected.FamName) : sh.family_name;
  txtFamName_->setText(qs(name));
  txtStartPage_->setText(QString::number(c.first_page_number));
  ApplyChartOptions(doc_, c);
  if (request_ == request::FamilyData) doc_.set_orientation(Orientation::Landscape);
  settings_.chart.orientation = doc_.orientation();
  print_to_file_changed();
  update_format_choice();
  Command1_[4]->setEnabled(true);
}

void frmPrintPreview::panel_to_settings() {
  ChartOptions& c = settings_.chart;
  SheetOptions& sh = settings_.sheet;
  c.request = sh.request = request_;
  for (int i = 0; i < item1::Count; ++i)
    sh.items[static_cast<std::size_t>(i)] = chk1_[static_cast<std::size_t>(i)]->isChecked();
  for (int i = 0; i < item3::Count; ++i)
    c.items[static_cast<std::size_t>(i)] = chk3_[static_cast<std::size_t>(i)]->isChecked();
  if (panel_.heading_choice) {
    for (int i = 0; i < 3; ++i)
      if (Option1_[static_cast<std::size_t>(i)]->isChecked()) c.heading = static_cast<HeadingPages>(i);
  } else if (!chk3_[item3::PrintHeading]->isChecked()) {
    c.heading = HeadingPages::None;
  } else if (c.heading == HeadingPages::None) {
    c.heading = HeadingPages::FirstPage;
  }
  c.items[item3::PrintHeading] = c.heading != HeadingPages::None;
  GenerationCheck g = CheckGenerations(cp(txtNumOfGenerations_->text()));
  if (g.ok) c.generations = g.value;
  sh.sort = optSort_[1]->isChecked() ? SortBy::Name : SortBy::Number;
  sh.format = optFormat_[1]->isChecked()   ? ListFormat::FourColumns
              : optFormat_[2]->isChecked() ? ListFormat::ThreeColumns
                                           : ListFormat::Comma;
  sh.family_name = cp1252::trim(cp(txtFamName_->text()));
  bool number = false;
  const int first = txtStartPage_->text().trimmed().toInt(&number);
  c.first_page_number = number ? std::clamp(first, 0, 32767) : 1;
  txtStartPage_->setText(QString::number(c.first_page_number));
  c.font = doc_.font();
  c.orientation = doc_.orientation();
  c.margin_left = doc_.margin_left();
  c.margin_right = doc_.margin_right();
  c.margin_top = doc_.margin_top();
  c.margin_bottom = doc_.margin_bottom();
}

void frmPrintPreview::load_cfg() {
  settings_ = LoadPanelSettings(s_, request_);
  ApplyPrinterChoice(doc_, LoadPrinterChoice(s_));
  settings_to_panel();
  refresh_status();
}

void frmPrintPreview::save_cfg() {
  panel_to_settings();
  if (!SavePanelSettings(s_, settings_))
    s_.ask("Save Cfg", "The print settings could not be written to the settings file.", Buttons::OK, Icon::Exclamation);
}

void frmPrintPreview::select_all(bool on) {
  // The family-names list and the family form offer no "Select All".
  if (!panel_.select_all) return;
  for (QCheckBox* b : chk1_)
    if (!b->isHidden() && b->isEnabled()) b->setChecked(on);
  for (QCheckBox* b : chk3_)
    if (!b->isHidden() && b->isEnabled()) b->setChecked(on);
  select_all_on_ = on;
  const QString caption = QString::fromLatin1(on ? kDeselectAll : kSelectAll);
  butSelectAll_->setText(caption);
  butSelectAllDescend_->setText(caption);
}

void frmPrintPreview::generations_changed() {
  GenerationCheck g = CheckGenerations(cp(txtNumOfGenerations_->text()));
  Command1_[4]->setEnabled(g.ok);
  if (g.ok) return;
  s_.ask(g.title, g.text, Buttons::OK, Icon::Exclamation);
  txtNumOfGenerations_->setText(QString::fromLatin1(kGenerationsAfterRefusal));
}

void frmPrintPreview::print_to_file_changed() {
  PrintCaptions c = PrintButtonCaptions(request_, chk3_[item3::PrintToFile]->isChecked());
  cmdPrint_->setText(qs(c.toolbar));
  Command1_[5]->setText(qs(c.panel));
}

void frmPrintPreview::update_format_choice() {
  const bool four = FourColumnsAllowed(doc_.font().size);
  optFormat_[1]->setEnabled(four);
  if (!four && optFormat_[1]->isChecked()) optFormat_[0]->setChecked(true);
}

}  // namespace vft::ui
