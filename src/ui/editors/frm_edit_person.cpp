#include "editors/frm_edit_person.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QShortcut>
#include <QVBoxLayout>

#include "qt_text.h"
#include "relations/delete_person.h"
#include "relations/lookups.h"
#include "relations/person_io.h"
#include "store/dates.h"

namespace vft::ui {

namespace {

QPushButton* button(const char* name, const QString& caption, QWidget* parent) {
  auto* b = new QPushButton(caption, parent);
  b->setObjectName(QString::fromLatin1(name));
  b->setAutoDefault(false);
  b->setMinimumWidth(84);
  return b;
}

QLabel* picture(const char* name, QWidget* parent) {
  auto* l = new QLabel(parent);
  l->setObjectName(QString::fromLatin1(name));
  l->setWordWrap(true);
  l->setTextFormat(Qt::PlainText);
  return l;
}

// Names of persons for the picture areas, joined by commas.
QString names(const Session& s, const std::vector<std::int16_t>& people) {
  QStringList out;
  for (std::int16_t p : people) out << qs(cp1252::trim(DisplayNameOf(s, p)));
  return out.join(QStringLiteral(", "));
}

}  // namespace

frmEditPerson::frmEditPerson(Session& s, std::int16_t person, QWidget* parent) : QDialog(parent), s_(s), ed_(s) {
  setObjectName(QStringLiteral("frmEditPerson"));
  setModal(true);
  build();
  if (person >= 1) {
    loaded_ = ed_.OpenPerson(person);
  } else {
    ed_.OpenNew();
    loaded_ = true;
  }
  if (loaded_) load_all();
}

QLineEdit* frmEditPerson::line(int index) const {
  return index == editfield::Notes ? nullptr : static_cast<QLineEdit*>(text_[static_cast<std::size_t>(index)]);
}

void frmEditPerson::build() {
  picTopBar_ = picture("picTopBar", this);
  picTopBar_->setStyleSheet(
      QStringLiteral("background: #27466e; color: white; font-weight: bold; font-size: 12pt; padding: 6px 10px;"));
  picRecords_ = picture("picRecords", this);
  picRecords_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  picAge_ = picture("picAge", this);
  picParents_ = picture("picParents", this);
  picFamily_ = picture("picFamily", this);
  for (QLabel* l : {picParents_, picFamily_})
    l->setStyleSheet(QStringLiteral("background: #f2f4f7; border: 1px solid #d5d9e0; padding: 4px;"));
  lblStatus_ = picture("lblStatus", this);
  lblStatus_->setMinimumHeight(22);

  for (int i = 0; i < kEditFields; ++i) {
    const auto at = static_cast<std::size_t>(i);
    QWidget* box;
    if (i == editfield::Notes) {
      notes_ = new QPlainTextEdit(this);
      notes_->setTabChangesFocus(true);
      notes_->setMinimumHeight(70);
      connect(notes_, &QPlainTextEdit::textChanged, this, [this] { edited(editfield::Notes); });
      box = notes_;
    } else {
      auto* e = new QLineEdit(this);
      // The sex box shows a word for the one letter it stores.
      if (EditField(i).date_code != 0) e->setMaxLength(kDateBoxChars);
      else if (i != editfield::Sex) e->setMaxLength(static_cast<int>(EditField(i).width));
      connect(e, &QLineEdit::textEdited, this, [this, i] { edited(i); });
      box = e;
    }
    box->setObjectName(QStringLiteral("Text_%1").arg(i));
    box->installEventFilter(this);
    text_[at] = box;
    label_[at] = new QLabel(this);
    label_[at]->setObjectName(QStringLiteral("Label_%1").arg(i));
    label_[at]->setBuddy(box);
  }
  // The answer boxes take single letters; they are narrow.
  line(editfield::Baptised)->setMaximumWidth(60);
  line(editfield::Sex)->setMaximumWidth(90);
  for (int i : {editfield::BirthDate, editfield::DeathDate, editfield::BaptismDate, editfield::BurialDate})
    line(i)->setMaximumWidth(120);

  butSex_ = button("butSex", QStringLiteral("Se&x"), this);
  butSex_->setToolTip(QString::fromLatin1(edithint::SexButton));
  butSex_->setMinimumWidth(50);
  chkAutoCap_ = new QCheckBox(this);
  chkAutoCap_->setObjectName(QStringLiteral("chkAutoCap"));
  lblAutoCap_ = picture("lblAutoCap", this);
  butOKEdit_ = button("butOKEdit", QStringLiteral("&OK"), this);
  butCancel_ = button("butCancel", QStringLiteral("&Cancel"), this);
  butBack_ = button("butBack", QStringLiteral("<< &Back"), this);
  butForward_ = button("butForward", QStringLiteral("&Forward >>"), this);
  butSearch_ = button("butSearch", QStringLiteral("&Search"), this);
  butParents_ = button("butParents", QStringLiteral("Pa&rents"), this);
  butPartners_ = button("butPartners", QStringLiteral("Par&tners"), this);
  butChildren_ = button("butChildren", QStringLiteral("C&hildren"), this);
  butSiblings_ = button("butSiblings", QStringLiteral("S&iblings"), this);
  butConfigure_ = button("butConfigure", QStringLiteral("O&ptions"), this);
  butHelp_ = button("butHelp", QStringLiteral("&Help"), this);

  // Rows as a form is read: names, birth, baptism, death, burial, then the rest.
  auto* grid = new QGridLayout;
  grid->setHorizontalSpacing(8);
  grid->setVerticalSpacing(6);
  auto put = [&](int row, int col, int index, int span = 1) {
    const auto at = static_cast<std::size_t>(index);
    grid->addWidget(label_[at], row, col, Qt::AlignRight | Qt::AlignVCenter);
    grid->addWidget(text_[at], row, col + 1, 1, span);
  };
  put(0, 0, editfield::FamName);
  put(0, 2, editfield::GivenNames, 3);
  put(1, 0, editfield::BirthDate);
  put(1, 2, editfield::BirthPlace, 3);
  put(2, 0, editfield::Baptised);
  put(2, 2, editfield::BaptismDate);
  put(2, 4, editfield::BaptismPlace);
  put(3, 0, editfield::DeathDate);
  put(3, 2, editfield::DeathPlace, 3);
  put(4, 0, editfield::BurialDate);
  put(4, 2, editfield::BurialPlace, 3);
  put(5, 0, editfield::Occupation, 5);
  put(6, 0, editfield::CurrAddress, 5);
  put(7, 0, editfield::Phone);
  put(7, 2, editfield::Source, 3);
  auto* sex_row = new QHBoxLayout;
  sex_row->addWidget(text_[editfield::Sex]);
  sex_row->addWidget(butSex_);
  sex_row->addSpacing(16);
  sex_row->addWidget(picAge_, 1);
  grid->addWidget(label_[editfield::Sex], 8, 0, Qt::AlignRight | Qt::AlignVCenter);
  grid->addLayout(sex_row, 8, 1, 1, 5);
  grid->addWidget(label_[editfield::Notes], 9, 0, Qt::AlignRight | Qt::AlignTop);
  grid->addWidget(notes_, 9, 1, 1, 5);
  grid->setColumnStretch(1, 2);
  grid->setColumnStretch(3, 1);
  grid->setColumnStretch(5, 3);

  auto* autocap_row = new QHBoxLayout;
  autocap_row->addWidget(chkAutoCap_);
  autocap_row->addWidget(lblAutoCap_);
  autocap_row->addStretch(1);
  autocap_row->addWidget(butConfigure_);

  auto* relatives_row = new QHBoxLayout;
  for (QPushButton* b : {butBack_, butForward_, butSearch_, butParents_, butPartners_, butChildren_, butSiblings_})
    relatives_row->addWidget(b);
  relatives_row->addStretch(1);
  auto* ok_row = new QHBoxLayout;
  ok_row->addWidget(butHelp_);
  ok_row->addStretch(1);
  ok_row->addWidget(butOKEdit_);
  ok_row->addWidget(butCancel_);

  auto* head = new QHBoxLayout;
  head->addWidget(picTopBar_, 1);
  auto* root = new QVBoxLayout(this);
  root->setContentsMargins(14, 12, 14, 10);
  root->setSpacing(8);
  root->addLayout(head);
  root->addWidget(picRecords_);
  // A long list of relatives scrolls inside its box; the form keeps its room.
  auto* family = new QHBoxLayout;
  for (QLabel* pic : {picParents_, picFamily_}) {
    auto* scroll = new QScrollArea(this);
    scroll->setObjectName(pic->objectName() + QStringLiteral("Scroll"));
    scroll->setWidget(pic);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setFocusPolicy(Qt::NoFocus);
    scroll->setFixedHeight(4 * fontMetrics().lineSpacing() + 12);
    family->addWidget(scroll, 1);
  }
  root->addLayout(family);
  root->addLayout(grid);
  root->addLayout(autocap_row);
  root->addLayout(relatives_row);
  root->addWidget(lblStatus_);
  root->addLayout(ok_row);
  resize(900, 600);

  // Tab follows the boxes' order on screen.
  const int order[] = {0, 1, 2, 4, 5, 6, 7, 3, 8, 9, 10, 11, 12, 13, 14, 16, 15};
  for (std::size_t i = 1; i < std::size(order); ++i)
    setTabOrder(text_[static_cast<std::size_t>(order[i - 1])], text_[static_cast<std::size_t>(order[i])]);

  connect(butOKEdit_, &QPushButton::clicked, this, &frmEditPerson::ok_pressed);
  connect(butCancel_, &QPushButton::clicked, this, &frmEditPerson::reject);
  connect(butSex_, &QPushButton::clicked, this, &frmEditPerson::sex_pressed);
  connect(chkAutoCap_, &QCheckBox::clicked, this, &frmEditPerson::autocap_clicked);
  connect(butConfigure_, &QPushButton::clicked, this, &frmEditPerson::configure_pressed);
  connect(butBack_, &QPushButton::clicked, this, [this] { browse(false); });
  connect(butForward_, &QPushButton::clicked, this, [this] { browse(true); });
  connect(butSearch_, &QPushButton::clicked, this, &frmEditPerson::search_pressed);
  connect(butParents_, &QPushButton::clicked, this, [this] { relatives(Relatives::Parents); });
  connect(butPartners_, &QPushButton::clicked, this, [this] { relatives(Relatives::Partners); });
  connect(butChildren_, &QPushButton::clicked, this, [this] { relatives(Relatives::Children); });
  connect(butSiblings_, &QPushButton::clicked, this, [this] { relatives(Relatives::Siblings); });
  auto help = [this] { s_.help("edit_person"); };
  connect(butHelp_, &QPushButton::clicked, this, help);
  connect(new QShortcut(QKeySequence::HelpContents, this), &QShortcut::activated, this, help);
  for (int k = 0; k < 10; ++k) {
    auto* sc = new QShortcut(QKeySequence(Qt::Key_F3 + k), this);
    connect(sc, &QShortcut::activated, this, [this, k] { function_key(k); });
  }
}

void frmEditPerson::load_all() {
  loading_ = true;
  for (int i = 0; i < kEditFields; ++i) set_box_text(i, qs(ed_.BoxText(i)));
  for (int i = 0; i < kEditFields; ++i) label_[static_cast<std::size_t>(i)]->setText(qs(EditFieldLabel(s_, i)));
  loading_ = false;
  const QString title = qs(ed_.Title());
  setWindowTitle(title);
  picTopBar_->setText(title.trimmed());
  show_autocap(false);
  show_pictures();
  update_buttons();
  status(QString());
  focus_box(editfield::FamName);
}

void frmEditPerson::show_autocap(bool configured) {
  const bool hidden = ed_.autocap() == AutoCapView::OptionsOff;
  chkAutoCap_->setVisible(!hidden);
  lblAutoCap_->setVisible(hidden);
  if (hidden) {
    lblAutoCap_->setText(qs(ed_.AutoCapCaption()));
    return;
  }
  chkAutoCap_->setChecked(ed_.autocap() == AutoCapView::On);
  chkAutoCap_->setText(qs(ed_.AutoCapCaption()));
  chkAutoCap_->setToolTip(qs(ed_.AutoCapHint(configured)));
}

void frmEditPerson::show_pictures() {
  picRecords_->setText(qs(PersonsRecordedText(s_)) +
                       (ed_.number() >= 1 ? QStringLiteral("   VFT # %1").arg(ed_.number()) : QString()));
  const QString age = qs(ed_.Age());
  picAge_->setText(age.isEmpty() ? QString() : QStringLiteral("Age: ") + age.trimmed());
  if (ed_.adding()) {
    const std::int16_t c = s_.Rel.Selected.PerNum;
    picParents_->setText(s_.Rel.AddMode && c >= 1 && !s_.AddingFirstPerson
                             ? QStringLiteral("A new person, added to ") + qs(cp1252::trim(DisplayNameOf(s_, c)))
                             : QStringLiteral("A new person"));
    picFamily_->setText(QString());
    return;
  }
  const std::vector<std::int16_t> parents = ed_.RelativesOf(Relatives::Parents);
  picParents_->setText(QStringLiteral("Parents: ") +
                       (parents.empty() ? QStringLiteral("not recorded") : names(s_, parents)));
  const auto partners = ed_.RelativesOf(Relatives::Partners);
  const auto children = ed_.RelativesOf(Relatives::Children);
  QString family = QStringLiteral("Partners: ") + (partners.empty() ? QStringLiteral("none") : names(s_, partners));
  family += QStringLiteral("\nChildren: ") + (children.empty() ? QStringLiteral("none") : names(s_, children));
  picFamily_->setText(family);
}

void frmEditPerson::update_buttons() {
  const bool browsing = !ed_.adding();
  for (QPushButton* b : {butBack_, butForward_, butSearch_}) b->setEnabled(browsing);
  const std::pair<QPushButton*, Relatives> rel[] = {{butParents_, Relatives::Parents},
                                                    {butPartners_, Relatives::Partners},
                                                    {butChildren_, Relatives::Children},
                                                    {butSiblings_, Relatives::Siblings}};
  for (const auto& [b, kind] : rel) {
    b->setEnabled(browsing && !ed_.RelativesOf(kind).empty());
    b->setToolTip(qs(ed_.RelativesHint(kind)));
  }
  if (!browsing) return;
  butBack_->setToolTip(ed_.AtFirst() ? QString::fromLatin1(edithint::FirstPerson)
                                     : QStringLiteral("Display the previous person in the records"));
  butForward_->setToolTip(ed_.AtLast() ? QString::fromLatin1(edithint::LastPerson)
                                       : QStringLiteral("Display the next person in the records"));
}

void frmEditPerson::status(const QString& text, bool warning) {
  lblStatus_->setStyleSheet(warning ? QStringLiteral("color: #b00020; font-weight: bold;")
                                    : QStringLiteral("color: #444a55;"));
  lblStatus_->setText(text);
}

EditPersonOutcome RunEditPerson(Session& s, QWidget* parent, std::int16_t person) {
  frmEditPerson w(s, person, parent);
  if (!w.loaded()) {
    ResetRelationState(s.Rel);
    s.View.EditFlag = false;
    return {};
  }
  w.open_options = [&s, &w] { RunOptions(s, &w); };
  w.exec();
  // The person picked next is only selected again, not edited.
  s.View.EditFlag = false;
  return w.outcome();
}

}  // namespace vft::ui
