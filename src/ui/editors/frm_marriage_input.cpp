#include "editors/frm_marriage_input.h"

#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "mainwindow/editing_windows.h"
#include "qt_text.h"
#include "store/dates.h"

namespace vft::ui {

namespace {

constexpr std::size_t kPlaceLength = 200;

// Keeps the characters a CP1252 record can hold; `dropped` tells whether any
// were left out so the window can say so.
QString storable(const QString& text, bool& dropped) {
  dropped = false;
  QString out;
  out.reserve(text.size());
  for (char32_t c : text.toUcs4()) {
    if (c == U'\n' || cp1252::from_unicode(c) >= 0) {
      out.append(QString::fromUcs4(&c, 1));
    } else {
      dropped = true;
    }
  }
  return out;
}

const QString kDropped = QStringLiteral("Characters that cannot be stored in the records were left out.");

}  // namespace

frmMarriageInput::frmMarriageInput(Session& s, MarriageEditMode mode, QWidget* parent)
    : QDialog(parent), s_(s), editor_(s, mode) {
  setObjectName(QStringLiteral("frmMarriageInput"));
  setModal(true);
  build();
  loaded_ = editor_.Load();
  if (!loaded_) return;
  const MarriageView& v = editor_.view();
  setWindowTitle(qs(v.title));
  lblCaption_->setText(qs(v.caption));
  lblSelectedPerson_->setText(qs(v.selected_name));
  lblConnectedPerson_->setText(qs(v.connected_name));
  txtMarriedDate_->setText(qs(v.date));
  {
    const QSignalBlocker block(txtMarriedAt_);
    txtMarriedAt_->setPlainText(qs(PlaceForBox(v.place)));
  }
  show_state();
  txtMarriedDate_->setFocus();
}

frmMarriageInput::~frmMarriageInput() {
  // The boxes lose the focus while the window is torn down; by then there is
  // nothing left to check.
  for (QWidget* w : {static_cast<QWidget*>(txtMarriedDate_), static_cast<QWidget*>(txtMarriedAt_),
                     static_cast<QWidget*>(chkDivorced_), static_cast<QWidget*>(chkNotMarried_)}) {
    w->removeEventFilter(this);
    w->disconnect(this);
  }
}

void frmMarriageInput::build() {
  lblCaption_ = new QLabel(this);
  lblCaption_->setObjectName(QStringLiteral("lblCaption"));
  lblCaption_->setWordWrap(true);
  QFont big = lblCaption_->font();
  big.setBold(true);
  lblCaption_->setFont(big);

  lblSelectedPerson_ = new QLabel(this);
  lblSelectedPerson_->setObjectName(QStringLiteral("lblSelectedPerson"));
  lblConnectedPerson_ = new QLabel(this);
  lblConnectedPerson_->setObjectName(QStringLiteral("lblConnectedPerson"));
  for (QLabel* l : {lblSelectedPerson_, lblConnectedPerson_}) {
    l->setFrameShape(QFrame::StyledPanel);
    l->setMinimumWidth(220);
    l->setContentsMargins(6, 3, 6, 3);
  }
  auto* lblAnd = new QLabel(QStringLiteral("and"), this);
  lblAnd->setObjectName(QStringLiteral("lblAnd"));

  auto* lblOn = new QLabel(QStringLiteral("on"), this);
  lblOn->setObjectName(QStringLiteral("lblOn"));
  txtMarriedDate_ = new QLineEdit(this);
  txtMarriedDate_->setObjectName(QStringLiteral("txtMarriedDate"));
  txtMarriedDate_->setMaxLength(kDateBoxChars);
  txtMarriedDate_->setMaximumWidth(140);
  lblOn->setBuddy(txtMarriedDate_);

  auto* lblAt = new QLabel(QStringLiteral("at:"), this);
  lblAt->setObjectName(QStringLiteral("lblAt"));
  txtMarriedAt_ = new QPlainTextEdit(this);
  txtMarriedAt_->setObjectName(QStringLiteral("txtMarriedAt"));
  txtMarriedAt_->setTabChangesFocus(true);
  // 200 characters fill about four lines of this width.
  txtMarriedAt_->setFixedHeight(txtMarriedAt_->fontMetrics().lineSpacing() * 5 + 14);
  lblAt->setBuddy(txtMarriedAt_);

  chkDivorced_ = new QCheckBox(QStringLiteral("Divorced"), this);
  chkDivorced_->setObjectName(QStringLiteral("chkDivorced"));
  chkDivorced_->setToolTip(qs(MarriageDivorcedHint()));
  // "Not Married" stays where it is while "Divorced" is hidden.
  QSizePolicy keep = chkDivorced_->sizePolicy();
  keep.setRetainSizeWhenHidden(true);
  chkDivorced_->setSizePolicy(keep);
  chkNotMarried_ = new QCheckBox(QStringLiteral("Not Married"), this);
  chkNotMarried_->setObjectName(QStringLiteral("chkNotMarried"));
  chkNotMarried_->setToolTip(qs(MarriageNotMarriedHint()));

  lblHint_ = new QLabel(this);
  lblHint_->setObjectName(QStringLiteral("lblHint"));
  lblHint_->setWordWrap(true);
  lblHint_->setStyleSheet(QStringLiteral("color: #555b66;"));
  lblHint_->setMinimumHeight(lblHint_->fontMetrics().lineSpacing() * 2);

  butOKAddMarr_ = new QPushButton(QStringLiteral("&OK"), this);
  butOKAddMarr_->setObjectName(QStringLiteral("butOKAddMarr"));
  butOKAddMarr_->setDefault(true);
  auto* butCancel = new QPushButton(QStringLiteral("&Cancel"), this);
  butCancel->setObjectName(QStringLiteral("butCancel"));
  auto* butHelp = new QPushButton(QStringLiteral("&Help"), this);
  butHelp->setObjectName(QStringLiteral("butHelp"));
  // A click on a button leaves the focus where it is: OK checks the date
  // itself, and Cancel must not set off a date check on its way out.
  for (QPushButton* b : {butOKAddMarr_, butCancel, butHelp}) {
    b->setFocusPolicy(Qt::TabFocus);
    b->setMinimumWidth(92);
  }
  butCancel->setAutoDefault(false);
  butHelp->setAutoDefault(false);

  auto* names = new QHBoxLayout;
  names->addWidget(lblSelectedPerson_, 1);
  names->addWidget(lblAnd);
  names->addWidget(lblConnectedPerson_, 1);

  auto* grid = new QGridLayout;
  grid->setHorizontalSpacing(10);
  grid->setVerticalSpacing(8);
  grid->addWidget(lblOn, 0, 0, Qt::AlignRight);
  auto* date_row = new QHBoxLayout;
  date_row->addWidget(txtMarriedDate_);
  date_row->addSpacing(16);
  date_row->addWidget(chkDivorced_);
  date_row->addWidget(chkNotMarried_);
  date_row->addStretch(1);
  grid->addLayout(date_row, 0, 1);
  grid->addWidget(lblAt, 1, 0, Qt::AlignRight | Qt::AlignTop);
  grid->addWidget(txtMarriedAt_, 1, 1);
  grid->setColumnStretch(1, 1);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(butHelp);
  buttons->addStretch(1);
  buttons->addWidget(butOKAddMarr_);
  buttons->addWidget(butCancel);

  auto* root = new QVBoxLayout(this);
  root->setContentsMargins(18, 16, 18, 14);
  root->setSpacing(12);
  root->addWidget(lblCaption_);
  root->addLayout(names);
  root->addLayout(grid);
  root->addWidget(lblHint_);
  root->addLayout(buttons);
  setMinimumWidth(560);

  setTabOrder(txtMarriedDate_, chkDivorced_);
  setTabOrder(chkDivorced_, chkNotMarried_);
  setTabOrder(chkNotMarried_, txtMarriedAt_);
  setTabOrder(txtMarriedAt_, butOKAddMarr_);
  setTabOrder(butOKAddMarr_, butCancel);
  setTabOrder(butCancel, butHelp);

  for (QWidget* w : {static_cast<QWidget*>(txtMarriedDate_), static_cast<QWidget*>(txtMarriedAt_),
                     static_cast<QWidget*>(chkDivorced_), static_cast<QWidget*>(chkNotMarried_)})
    w->installEventFilter(this);

  connect(chkDivorced_, &QCheckBox::clicked, this, [this](bool on) {
    editor_.SetDivorced(on);
    show_state();
  });
  connect(chkNotMarried_, &QCheckBox::clicked, this, [this](bool on) {
    editor_.SetNotMarried(on);
    if (on) txtMarriedDate_->clear();
    show_state();
  });
  connect(txtMarriedDate_, &QLineEdit::editingFinished, this, &frmMarriageInput::date_left);
  connect(txtMarriedDate_, &QLineEdit::textEdited, this, &frmMarriageInput::date_edited);
  connect(txtMarriedAt_, &QPlainTextEdit::textChanged, this, &frmMarriageInput::place_changed);
  connect(butOKAddMarr_, &QPushButton::clicked, this, &frmMarriageInput::ok_pressed);
  connect(butCancel, &QPushButton::clicked, this, &frmMarriageInput::reject);
  auto help = [this] { s_.help("marriage"); };
  connect(butHelp, &QPushButton::clicked, this, help);
  connect(new QShortcut(QKeySequence::HelpContents, this), &QShortcut::activated, this, help);
}

void frmMarriageInput::show_state() {
  const MarriageView& v = editor_.view();
  const QSignalBlocker b1(chkDivorced_), b2(chkNotMarried_);
  chkDivorced_->setChecked(v.divorced);
  chkNotMarried_->setChecked(v.not_married);
  chkNotMarried_->setEnabled(v.not_married_enabled);
  chkDivorced_->setVisible(v.divorced_visible);
  txtMarriedDate_->setEnabled(v.date_enabled);
}

void frmMarriageInput::hint(const std::string& text) {
  s_.status(text);
  lblHint_->setText(qs(text));
}

bool frmMarriageInput::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::FocusIn) {
    if (watched == txtMarriedDate_) hint(MarriageDateHint());
    if (watched == txtMarriedAt_) hint(MarriagePlaceHint());
    if (watched == chkDivorced_) hint(MarriageDivorcedHint());
    if (watched == chkNotMarried_) hint(MarriageNotMarriedHint());
  }
  if (event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    if (enter && watched == txtMarriedDate_) {
      // Enter moves on from the date, so the date is checked before anything
      // else happens.
      date_left();
      focusNextChild();
      return true;
    }
    if (enter && watched == txtMarriedAt_) {
      if (key->modifiers() & Qt::ControlModifier) {
        txtMarriedAt_->insertPlainText(QStringLiteral("\n"));
      } else {
        ok_pressed();
      }
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void frmMarriageInput::date_edited(const QString& text) {
  bool dropped = false;
  const QString keep = storable(text, dropped);
  if (dropped) {
    txtMarriedDate_->setText(keep);
    lblHint_->setText(kDropped);
  }
  editor_.TextEdited();
}

void frmMarriageInput::date_left() {
  if (closing_ || !isVisible()) return;
  closing_ = true;  // a box shown by the check takes the focus again
  const QString shown = qs(editor_.LeaveDate(cp(txtMarriedDate_->text())));
  if (shown != txtMarriedDate_->text()) txtMarriedDate_->setText(shown);
  closing_ = false;
}

std::string frmMarriageInput::place_text() const { return PlaceFromBox(cp(txtMarriedAt_->toPlainText())); }

void frmMarriageInput::place_changed() {
  editor_.TextEdited();
  bool dropped = false;
  QString text = storable(txtMarriedAt_->toPlainText(), dropped);
  const std::string stored = PlaceFromBox(cp(text));
  const bool too_long = stored.size() > kPlaceLength;
  if (!dropped && !too_long) return;
  if (too_long) text = qs(PlaceForBox(FitMarriedAt(stored)));
  const QSignalBlocker block(txtMarriedAt_);
  txtMarriedAt_->setPlainText(text);
  txtMarriedAt_->moveCursor(QTextCursor::End);
  lblHint_->setText(too_long ? QStringLiteral("The place and notes of a marriage can hold 200 characters.") : kDropped);
}

void frmMarriageInput::finish(MarriageResult r) {
  if (r == MarriageResult::Stay) {
    closing_ = false;
    txtMarriedDate_->setFocus();
    txtMarriedDate_->selectAll();
    return;
  }
  result_ = r;
  if (r == MarriageResult::Cancelled) QDialog::reject();
  else accept();
}

void frmMarriageInput::ok_pressed() {
  if (closing_) return;
  closing_ = true;
  const MarriageResult r = editor_.Ok(cp(txtMarriedDate_->text()), place_text());
  if (r == MarriageResult::Stay) txtMarriedDate_->setText(qs(editor_.view().date));
  finish(r);
}

void frmMarriageInput::reject() {
  if (closing_) return;
  closing_ = true;
  finish(editor_.Cancel(cp(txtMarriedDate_->text()), place_text()));
}

MarriageNext RunMarriageInput(Session& s, QWidget* parent, MarriageMode mode) {
  MarriageEditMode m = MarriageEditMode::Edit;
  if (mode == MarriageMode::AddParents) m = MarriageEditMode::AddParents;
  if (mode == MarriageMode::AddPartner) m = MarriageEditMode::AddPartner;
  frmMarriageInput w(s, m, parent);
  if (!w.loaded()) return MarriageNext::Cancelled;
  w.exec();
  switch (w.result_step()) {
    case MarriageResult::Done: return MarriageNext::Done;
    case MarriageResult::AddChild: return MarriageNext::AddChild;
    case MarriageResult::Stay:
    case MarriageResult::Cancelled: break;
  }
  return MarriageNext::Cancelled;
}

}  // namespace vft::ui
