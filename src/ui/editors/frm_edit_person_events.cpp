// The person editor's handlers: typing, leaving boxes, the keys, and the
// buttons that save, cancel or move to another person.
#include <QApplication>
#include <QCheckBox>
#include <QEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

#include "editors/frm_edit_person.h"
#include "editors/frm_find_person.h"
#include "qt_text.h"
#include "relations/person_io.h"

namespace vft::ui {

namespace {

const QString kReplaced =
    QStringLiteral("Characters that cannot be stored in the family records were replaced by '?'.");

}  // namespace

QString frmEditPerson::box_text(int index) const {
  if (index == editfield::Notes) {
    QString t = notes_->toPlainText();
    t.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return t;
  }
  return line(index)->text();
}

void frmEditPerson::set_box_text(int index, const QString& text) {
  if (index == editfield::Notes) {
    QString t = text;
    t.remove(QLatin1Char('\r'));
    if (t != notes_->toPlainText()) notes_->setPlainText(t);
    return;
  }
  if (line(index)->text() != text) line(index)->setText(text);
}

int frmEditPerson::focused_box() const {
  QWidget* f = QApplication::focusWidget();
  for (int i = 0; i < kEditFields; ++i)
    if (f && text_[static_cast<std::size_t>(i)] == f) return i;
  return -1;
}

void frmEditPerson::focus_box(int index) {
  if (index < 0 || index >= kEditFields) return;
  text_[static_cast<std::size_t>(index)]->setFocus();
  if (QLineEdit* e = line(index)) e->selectAll();
}

void frmEditPerson::edited(int index) {
  if (loading_) return;
  ed_.Changed();
  guard_cp1252(index);
}

// What the records cannot hold is replaced at once, where the user can see
// it, rather than turned into something else when the record is written.
void frmEditPerson::guard_cp1252(int index) {
  if (index == editfield::Notes) {
    const QString raw = notes_->toPlainText();
    QString fixed = qs(cp(raw));
    const bool too_long = fixed.size() > static_cast<qsizetype>(kMaxEditNotes);
    if (too_long) fixed.truncate(static_cast<qsizetype>(kMaxEditNotes));
    if (fixed == raw) return;
    const int pos = notes_->textCursor().position();
    loading_ = true;
    notes_->setPlainText(fixed);
    QTextCursor c = notes_->textCursor();
    c.setPosition(std::min(pos, static_cast<int>(fixed.size())));
    notes_->setTextCursor(c);
    loading_ = false;
    status(too_long ? QStringLiteral("The notes of one person are limited to %1 characters.").arg(kMaxEditNotes)
                    : kReplaced,
           true);
    return;
  }
  QLineEdit* e = line(index);
  const QString raw = e->text();
  const QString fixed = qs(cp(raw));
  if (fixed == raw) return;
  const int pos = e->cursorPosition();
  e->setText(fixed);
  e->setCursorPosition(std::min(pos, static_cast<int>(fixed.size())));
  status(kReplaced, true);
}

void frmEditPerson::leave(int index) {
  if (leaving_ || loading_ || !ed_.data_changed()) return;
  leaving_ = true;
  const LeaveResult r = ed_.LeaveField(index, cp(box_text(index)));
  loading_ = true;
  set_box_text(index, qs(r.text));
  if (r.refresh)
    for (int i = 0; i < kEditFields; ++i)
      if (i != index && i != editfield::Notes) set_box_text(i, qs(ed_.BoxText(i)));
  loading_ = false;
  show_pictures();
  leaving_ = false;
  // A refused date keeps the focus until it is corrected or cleared.
  if (!r.ok) QTimer::singleShot(0, this, [this, index] { focus_box(index); });
}

void frmEditPerson::function_key(int index) {
  const int box = focused_box();
  if (box < 0 || box == editfield::Sex || box == editfield::Baptised) return;
  const QString text = qs(s_.FunctionKeys[static_cast<std::size_t>(index)]);
  if (text.isEmpty()) return;
  if (box == editfield::Notes) {
    notes_->insertPlainText(text);  // textChanged marks the change
    return;
  }
  line(box)->insert(text);
  edited(box);
}

// Keys with a meaning of their own in a box; true when the key was used.
bool frmEditPerson::special_key(int index, int key) {
  const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
  if (index == editfield::Notes) {
    if (!enter) return false;
    if (QApplication::keyboardModifiers() & Qt::ControlModifier) notes_->insertPlainText(QStringLiteral("\n"));
    else focusNextChild();
    return true;
  }
  if (enter) {
    focusNextChild();
    return true;
  }
  if (index != editfield::Sex && index != editfield::Baptised) return false;
  char letter = 0;
  if (key >= Qt::Key_A && key <= Qt::Key_Z) letter = static_cast<char>('A' + (key - Qt::Key_A));
  else if (key == Qt::Key_Space || key == Qt::Key_Backspace || key == Qt::Key_Delete) letter = ' ';
  else return false;  // Tab, arrows and the like keep their meaning
  const bool sex = index == editfield::Sex;
  const std::string taken = sex ? "FM " : "YN ";
  if (taken.find(letter) == std::string::npos) return true;  // other letters mean nothing here
  const std::string typed(1, letter);
  line(index)->setText(qs(sex ? SexWord(SexFromTyped(typed)) : BaptisedFromTyped(typed)));
  // The answer counts at once, so the sex button and the baptism boxes follow it.
  ed_.Changed();
  leave(index);
  return true;
}

bool frmEditPerson::eventFilter(QObject* watched, QEvent* event) {
  int index = -1;
  for (int i = 0; i < kEditFields; ++i)
    if (text_[static_cast<std::size_t>(i)] == watched) index = i;
  if (index < 0) return QDialog::eventFilter(watched, event);
  switch (event->type()) {
    case QEvent::FocusIn:
      status(index == editfield::Baptised ? QString::fromLatin1(edithint::Baptised)
             : index == editfield::Sex    ? QString::fromLatin1(edithint::SexField)
                                          : QString());
      break;
    case QEvent::FocusOut: {
      // A message box or another program taking the focus is no leaving.
      const Qt::FocusReason why = static_cast<QFocusEvent*>(event)->reason();
      if (why != Qt::ActiveWindowFocusReason && why != Qt::PopupFocusReason) leave(index);
      break;
    }
    case QEvent::KeyPress: {
      auto* k = static_cast<QKeyEvent*>(event);
      if (k->modifiers() & Qt::AltModifier) break;  // accelerators
      if (special_key(index, k->key())) return true;
      break;
    }
    default: break;
  }
  return QDialog::eventFilter(watched, event);
}

void frmEditPerson::ok_pressed() {
  const int box = focused_box();
  const EditorResult r = ed_.Ok(box, box >= 0 ? cp(box_text(box)) : std::string(), cp(box_text(editfield::FamName)));
  if (r.close) {
    outcome_ = {r.saved, r.person, r.link};
    QDialog::accept();
    return;
  }
  if (box >= 0 && r.focus != box) {
    loading_ = true;
    set_box_text(box, qs(ed_.BoxText(box)));
    loading_ = false;
  }
  show_pictures();
  focus_box(r.focus);
}

void frmEditPerson::reject() {
  if (ed_.Cancel()) QDialog::reject();
}

void frmEditPerson::sex_pressed() { line(editfield::Sex)->setText(qs(ed_.CycleSex())); }

void frmEditPerson::autocap_clicked(bool checked) {
  ed_.SetAutoCap(checked);
  show_autocap(false);
}

void frmEditPerson::configure_pressed() {
  if (open_options) open_options();
  ed_.ReloadAutoCapSetting();
  for (int i = 0; i < kEditFields; ++i) label_[static_cast<std::size_t>(i)]->setText(qs(EditFieldLabel(s_, i)));
  show_autocap(true);
}

bool frmEditPerson::leave_record() {
  const int box = focused_box();
  int focus = -1;
  if (ed_.LeaveRecord(box, box >= 0 ? cp(box_text(box)) : std::string(), focus)) return true;
  focus_box(focus);
  return false;
}

void frmEditPerson::go_to(std::int16_t n) {
  if (n >= 1 && ed_.Show(n)) load_all();
}

void frmEditPerson::browse(bool forward) {
  if (!leave_record()) return;
  const std::int16_t n = ed_.StepTarget(forward);
  go_to(n >= 1 ? n : ed_.number());  // alone on record: show it again as stored
  if (n < 1) status(QString::fromLatin1(forward ? edithint::LastPerson : edithint::FirstPerson));
}

void frmEditPerson::relatives(Relatives kind) {
  if (!leave_record()) return;
  const std::vector<std::int16_t> list = ed_.RelativesOf(kind);
  if (list.empty()) return;
  if (kind == Relatives::Children || list.size() == 1) {
    go_to(list.front());
    return;
  }
  // Several parents, partners or siblings: the user picks one.
  QMenu menu(this);
  menu.setObjectName(QStringLiteral("mnuRelatives"));
  for (std::int16_t p : list) menu.addAction(qs(cp1252::trim(DisplayNameOf(s_, p))))->setData(static_cast<int>(p));
  QPushButton* b = kind == Relatives::Parents ? butParents_ : kind == Relatives::Partners ? butPartners_ : butSiblings_;
  const QPoint at = b->mapToGlobal(QPoint(0, b->height()));
  if (QAction* a = menu.exec(at)) go_to(static_cast<std::int16_t>(a->data().toInt()));
}

void frmEditPerson::search_pressed() {
  if (!leave_record()) return;
  const bool edit_flag = s_.View.EditFlag;
  s_.View.EditFlag = true;
  const PickResult p = RunSelectPerson(s_, std::string(), this);
  s_.View.EditFlag = edit_flag;
  if (p.step == PickStep::Selected || p.step == PickStep::Edit) go_to(p.number);
  else go_to(ed_.number());
}

}  // namespace vft::ui
