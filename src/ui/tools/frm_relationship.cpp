#include "tools/frm_relationship.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

#include "editors/frm_select_person.h"
#include "dialogs/named_button.h"
#include "qt_text.h"
#include "relations/lookups.h"

namespace vft::ui {
namespace {

QLabel* named_label(const QString& text, const char* name, QWidget* parent) {
  auto* l = new QLabel(text, parent);
  l->setObjectName(QString::fromLatin1(name));
  return l;
}

QListWidget* named_list(const char* name, QWidget* parent) {
  auto* l = new QListWidget(parent);
  l->setObjectName(QString::fromLatin1(name));
  l->setSelectionMode(QAbstractItemView::SingleSelection);
  l->setWordWrap(true);
  l->setSpacing(3);
  return l;
}

}  // namespace

frmRelationship::frmRelationship(Session& s, std::int16_t first, QWidget* parent) : QDialog(parent), s_(s) {
  setObjectName(QStringLiteral("frmRelationship"));
  setModal(true);
  setWindowTitle(QStringLiteral("How Are They Related?"));
  resize(760, 560);

  auto* lblFirst = named_label(QStringLiteral("&First person:"), "lblFirst", this);
  auto* lblSecond = named_label(QStringLiteral("&Second person:"), "lblSecond", this);
  lblFirstName_ = named_label({}, "lblFirstName", this);
  lblSecondName_ = named_label({}, "lblSecondName", this);
  // Access keys: F, S, E, O, W, H, C, each once.
  QPushButton* butFirst = named_button(QStringLiteral("Choos&e..."), QStringLiteral("butFirst"), this);
  QPushButton* butSecond = named_button(QStringLiteral("Ch&oose..."), QStringLiteral("butSecond"), this);
  lblFirst->setBuddy(butFirst);
  lblSecond->setBuddy(butSecond);
  lblResult_ = named_label({}, "lblResult", this);
  lblResult_->setWordWrap(true);
  lblResult_->setTextFormat(Qt::PlainText);
  lblResult_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  QFont bold = lblResult_->font();
  bold.setBold(true);
  lblResult_->setFont(bold);
  lstWays_ = named_list("lstWays", this);
  lstPath_ = named_list("lstPath", this);
  butShow_ = named_button(QStringLiteral("Sho&w in Family View"), QStringLiteral("butShow"), this);
  QPushButton* butHelp = named_button(QStringLiteral("&Help"), QStringLiteral("butHelp"), this, 96);
  QPushButton* butClose = named_button(QStringLiteral("&Close"), QStringLiteral("butClose"), this, 96);

  auto* persons = new QGridLayout;
  persons->addWidget(lblFirst, 0, 0);
  persons->addWidget(lblFirstName_, 0, 1);
  persons->addWidget(butFirst, 0, 2);
  persons->addWidget(lblSecond, 1, 0);
  persons->addWidget(lblSecondName_, 1, 1);
  persons->addWidget(butSecond, 1, 2);
  persons->setColumnStretch(1, 1);
  auto* lists = new QHBoxLayout;
  auto* left = new QVBoxLayout;
  left->addWidget(named_label(QStringLiteral("Ways they are related:"), "lblWays", this));
  left->addWidget(lstWays_, 1);
  auto* right = new QVBoxLayout;
  right->addWidget(named_label(QStringLiteral("From one to the other:"), "lblPath", this));
  right->addWidget(lstPath_, 1);
  right->addWidget(butShow_, 0, Qt::AlignRight);
  lists->addLayout(left, 1);
  lists->addLayout(right, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(butHelp);
  buttons->addStretch(1);
  buttons->addWidget(butClose);
  auto* root = new QVBoxLayout(this);
  root->setContentsMargins(16, 14, 16, 14);
  root->setSpacing(12);
  root->addLayout(persons);
  root->addWidget(lblResult_);
  root->addLayout(lists, 1);
  root->addLayout(buttons);

  connect(butFirst, &QPushButton::clicked, this, [this] { choose(true); });
  connect(butSecond, &QPushButton::clicked, this, [this] { choose(false); });
  connect(lstWays_, &QListWidget::currentRowChanged, this, &frmRelationship::way_changed);
  connect(lstPath_, &QListWidget::currentRowChanged, this, [this](int row) { butShow_->setEnabled(row >= 0); });
  connect(lstPath_, &QListWidget::itemDoubleClicked, this, &frmRelationship::show_pressed);
  connect(butShow_, &QPushButton::clicked, this, &frmRelationship::show_pressed);
  connect(butClose, &QPushButton::clicked, this, &QDialog::reject);
  connect(butHelp, &QPushButton::clicked, this, [this] { s_.help("relationship"); });
  connect(new QShortcut(QKeySequence::HelpContents, this), &QShortcut::activated, this,
          [this] { s_.help("relationship"); });
  set_persons(first, 0);
  butSecond->setFocus();
}

void frmRelationship::set_persons(std::int16_t a, std::int16_t b) {
  a_ = a;
  b_ = b;
  const QString none = QStringLiteral("(not chosen)");
  lblFirstName_->setText(a ? qs(PersonLabel(s_, a)) : none);
  lblSecondName_->setText(b ? qs(PersonLabel(s_, b)) : none);
  answer_ = {};
  lstWays_->clear();
  lstPath_->clear();
  butShow_->setEnabled(false);
  if (!a || !b) {
    lblResult_->setText(QStringLiteral("Choose the two persons to compare."));
    return;
  }
  if (const std::string refused = CheckRelationshipPair(s_, a, b); !refused.empty()) {
    lblResult_->setText(qs(refused));
    return;
  }
  answer_ = FindRelationship(s_, a, b);
  QStringList summary;
  for (const std::string& line : RelationshipSummary(s_, a, b, answer_)) summary << qs(line);
  lblResult_->setText(summary.join(QLatin1Char('\n')));
  for (std::size_t i = 0; i < answer_.ways.size(); ++i) {
    const RelationshipWay& w = answer_.ways[i];
    QString row = QString::number(i + 1) + QStringLiteral(". ") + qs(w.words);
    if (const std::string via = CommonAncestorsLine(s_, a, b, w); !via.empty())
      row += QStringLiteral("\n    ") + qs(via);
    auto* item = new QListWidgetItem(row, lstWays_);
    item->setToolTip(
        qs(RelationshipSentence(s_, a, w.words, b) + ".\n" + RelationshipSentence(s_, b, w.reverse_words, a) + "."));
  }
  if (const std::string more = MoreWaysText(answer_); !more.empty())
    (new QListWidgetItem(qs(more), lstWays_))->setFlags(Qt::NoItemFlags);
  lstWays_->setEnabled(!answer_.ways.empty());
  if (!answer_.ways.empty()) lstWays_->setCurrentRow(0);
  else way_changed(-1);
}

void frmRelationship::way_changed(int row) {
  lstPath_->clear();
  const bool way = row >= 0 && static_cast<std::size_t>(row) < answer_.ways.size();
  const std::vector<PathStep>& path = way ? answer_.ways[static_cast<std::size_t>(row)].path : answer_.chain;
  const std::vector<std::string> lines = PathLines(s_, path);
  for (std::size_t i = 0; i < path.size(); ++i)
    (new QListWidgetItem(qs(lines[i]), lstPath_))->setData(Qt::UserRole, static_cast<int>(path[i].person));
  butShow_->setEnabled(false);
}

void frmRelationship::show_pressed() {
  const QListWidgetItem* item = lstPath_->currentItem();
  if (!item) return;
  show_ = static_cast<std::int16_t>(item->data(Qt::UserRole).toInt());
  accept();
}

void frmRelationship::choose(bool first) {
  // The list selects the person it closes on; here it only chooses, so the
  // main window's selection is put back afterwards.
  const std::int16_t last = s_.Config.LastPerson();
  const RelationState rel = s_.Rel;
  const bool edit = s_.View.EditFlag;
  s_.Rel.ConnectMode = false;
  s_.View.EditFlag = false;
  frmSelectPerson list(s_, {}, this);
  list.setWindowTitle(first ? QStringLiteral("Select the First Person") : QStringLiteral("Select the Second Person"));
  if (auto* e = list.findChild<QPushButton*>(QStringLiteral("butEdit"))) e->hide();
  connect(&list, &frmSelectPerson::helpRequested, this, [this] { s_.help("select_person"); });
  list.exec();
  const PickResult picked = list.result_pick();
  s_.Config.setLastPerson(last);
  s_.Rel = rel;
  s_.View.EditFlag = edit;
  if (picked.step != PickStep::Selected) return;
  if (first) set_persons(picked.number, b_);
  else set_persons(a_, picked.number);
}

std::int16_t RunRelationship(Session& s, QWidget* parent, std::int16_t first) {
  frmRelationship w(s, first, parent);
  w.exec();
  return w.person_to_show();
}

}  // namespace vft::ui
