#include "tools/frm_merge_persons.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "common/cp1252.h"
#include "dialogs/dialog_buttons.h"
#include "dialogs/named_button.h"
#include "qt_text.h"
#include "relations/lookups.h"
#include "relations/person_io.h"
#include "store/records.h"

namespace vft::ui {
namespace {

constexpr int kValueWidth = 330;  // pixels of a value's text before it is cut with "..."

QString relatives_text(const Session& s, std::int16_t p) {
  const std::int16_t father = FatherOf(s, p), mother = MotherOf(s, p);
  std::string parents;
  for (std::int16_t q : {father, mother})
    if (q > 0) parents += (parents.empty() ? "" : " and ") + DisplayNameOf(s, q);
  const int partners = CountPartnerships(s, p);
  const auto children = ListAllChildren(s, p).size();
  return QStringLiteral("Parents: %1\nPartners: %2, children: %3")
      .arg(parents.empty() ? QStringLiteral("not recorded") : qs(parents))
      .arg(partners)
      .arg(children);
}

}  // namespace

frmMergePersons::frmMergePersons(Session& s, std::int16_t first, std::int16_t second, QWidget* parent)
    : QDialog(parent), s_(s) {
  setObjectName(QStringLiteral("frmMergePersons"));
  setWindowTitle(QStringLiteral("Merge Two Records of One Person"));
  setModal(true);
  const std::int16_t numbers[2] = {first, second};
  for (int c = 0; c < 2; ++c)
    if (!ReadStoredPerson(s_, numbers[c], records_[static_cast<std::size_t>(c)]))
      records_[static_cast<std::size_t>(c)].PerNum = numbers[c];

  auto* layout = new QVBoxLayout(this);
  auto* intro = new QLabel(
      QStringLiteral("Choose the value to keep for each field. The person kept takes over every link of the other, "
                     "whose record is then deleted. Undo takes the whole merge back."),
      this);
  intro->setObjectName(QStringLiteral("lblIntro"));
  intro->setWordWrap(true);
  layout->addWidget(intro);

  auto* grid = new QGridLayout;
  grid->setColumnMinimumWidth(1, kValueWidth + 30);
  grid->setColumnMinimumWidth(2, kValueWidth + 30);
  grid->setColumnStretch(1, 1);
  grid->setColumnStretch(2, 1);
  auto* keep_group = new QButtonGroup(this);
  for (int c = 0; c < 2; ++c) {
    const PersonRecord& r = records_[static_cast<std::size_t>(c)];
    QRadioButton*& keep = keep_[static_cast<std::size_t>(c)];
    keep = new QRadioButton(QStringLiteral("Keep #%1 %2").arg(r.PerNum).arg(qs(DisplayName(s_, r))), this);
    keep->setObjectName(QStringLiteral("optKeep_%1").arg(c));
    keep->setToolTip(QStringLiteral("This record's Person number lives on"));
    QFont bold = keep->font();
    bold.setBold(true);
    keep->setFont(bold);
    keep_group->addButton(keep, c);
    grid->addWidget(keep, 0, c + 1);
    auto* relatives = new QLabel(relatives_text(s_, r.PerNum), this);
    relatives->setObjectName(QStringLiteral("lblRelatives_%1").arg(c));
    grid->addWidget(relatives, 1, c + 1);
  }
  keep_[0]->setChecked(true);

  int row = 2;
  for (std::size_t i = 0; i < kMergeFields; ++i) {
    const auto field = static_cast<MergeField>(i);
    const std::string values[2] = {cp1252::trim(MergeFieldOf(records_[0], field)),
                                   cp1252::trim(MergeFieldOf(records_[1], field))};
    if (values[0].empty() && values[1].empty()) continue;
    auto* label = new QLabel(QString::fromLatin1(MergeFieldLabel(field)), this);
    label->setObjectName(QStringLiteral("lblField_%1").arg(i));
    grid->addWidget(label, row, 0);
    auto* group = new QButtonGroup(this);
    for (int c = 0; c < 2; ++c) {
      const QString full = values[c].empty() ? QStringLiteral("(empty)") : qs(values[c]);
      auto* option = new QRadioButton(this);
      option->setText(option->fontMetrics().elidedText(full, Qt::ElideRight, kValueWidth));
      if (option->text() != full) option->setToolTip(full);
      option->setObjectName(QStringLiteral("optValue_%1_%2").arg(i).arg(c));
      option->setAccessibleName(QString::fromLatin1(MergeFieldLabel(field)) + QStringLiteral(": ") + full);
      // One value for both: nothing to choose.
      option->setEnabled(values[0] != values[1]);
      group->addButton(option, c);
      grid->addWidget(option, row, c + 1);
      values_[i][static_cast<std::size_t>(c)] = option;
    }
    ++row;
  }
  layout->addLayout(grid);

  auto* notes_label = new QLabel(
      QStringLiteral("Notes: both are kept. The other record's notes are added after these, marked with where they "
                     "came from, unless these already hold them word for word."),
      this);
  notes_label->setObjectName(QStringLiteral("lblNotes"));
  notes_label->setWordWrap(true);
  layout->addWidget(notes_label);
  auto* notes = new QHBoxLayout;
  for (int c = 0; c < 2; ++c) {
    const PersonRecord& r = records_[static_cast<std::size_t>(c)];
    auto* text = new QPlainTextEdit(this);
    text->setObjectName(QStringLiteral("txtNotes_%1").arg(c));
    text->setAccessibleName(QStringLiteral("Notes of #%1").arg(r.PerNum));
    text->setReadOnly(true);
    text->setPlainText(has_chain(r.NotesRec) ? qs(cp1252::trim(ReadNotes(r.NotesRec, s_.work(recfile::Notes))))
                                             : QString());
    text->setPlaceholderText(QStringLiteral("(no notes)"));
    text->setFixedHeight(70);
    notes->addWidget(text);
  }
  layout->addLayout(notes);

  const DialogButtons commands =
      dialog_buttons(this, {QStringLiteral("&Merge"), QStringLiteral("butMerge")},
                     {QStringLiteral("&Cancel"), QStringLiteral("butCancel")},
                     {QStringLiteral("&Help"), QStringLiteral("butHelp")}, [this] { s_.help("merge_persons"); });
  layout->addLayout(commands.row());

  connect(keep_group, &QButtonGroup::idClicked, this, [this] { choose_defaults(); });
  connect(commands.ok, &QPushButton::clicked, this, &frmMergePersons::merge);
  choose_defaults();
}

int frmMergePersons::keep_column() const { return keep_[1]->isChecked() ? 1 : 0; }

void frmMergePersons::choose_defaults() {
  const auto k = static_cast<std::size_t>(keep_column());
  const MergePlan plan = DefaultMergePlan(records_[k], records_[1 - k]);
  for (std::size_t i = 0; i < kMergeFields; ++i)
    if (values_[i][0]) values_[i][plan.from_drop[i] ? 1 - k : k]->setChecked(true);
}

MergePlan frmMergePersons::plan() const {
  const auto k = static_cast<std::size_t>(keep_column());
  MergePlan plan;
  plan.keep = records_[k].PerNum;
  plan.drop = records_[1 - k].PerNum;
  for (std::size_t i = 0; i < kMergeFields; ++i) plan.from_drop[i] = values_[i][0] && values_[i][1 - k]->isChecked();
  return plan;
}

void frmMergePersons::merge() {
  const MergePlan chosen = plan();
  // A refusal has been shown in the core's own words; nothing changed, and
  // the user may choose otherwise or cancel.
  if (!MergePersons(s_, chosen).merged) return;
  kept_ = chosen.keep;
  accept();
}

}  // namespace vft::ui
