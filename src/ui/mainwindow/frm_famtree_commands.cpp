// The main window's commands: the file commands through core, the start
// menu of an empty tree, the keyboard table, and the hooks of the editing
// windows that later work plugs in.
#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>

#include "dialogs/busy_progress.h"
#include "mainwindow/editing_windows.h"
#include "mainwindow/family_view.h"
#include "tools/frm_duplicates.h"
#include "mainwindow/frm_famtree.h"
#include "editors/frm_find_person.h"
#include "tools/frm_relationship.h"
#include "mainwindow/frm_start_menu.h"
#include "tools/frm_undo_history.h"
#include "mainwin/startup.h"
#include "qt_text.h"
#include "relations/lookups.h"
#include "relations/undo.h"

namespace vft::ui {

// ---- File menu

void frmFamtree::mnuNew_Click() {
  if (!NewFamilyCommand(s_, dialogs_, doc_)) {
    update_save_state();
    return;
  }
  // An empty tree: the start menu comes back on the next activation.
  start_tag_ = true;
  start_menu_pending_ = true;
  buttonBar_->setVisible(false);
  RefreshFamilyView();
  setWindowTitle(qs(doc_.Caption));
  QTimer::singleShot(0, this, &frmFamtree::OnActivate);
}

void frmFamtree::mnuOpen_Click() {
  OpenOutcome out;
  {
    BusyProgress busy(s_, this, QStringLiteral("Open Vorlan Family Tree File"));
    out = OpenCommand(s_, dialogs_, doc_);
  }
  after_load(out);
}

void frmFamtree::mnuRestore_Click() {
  OpenOutcome out;
  {
    BusyProgress busy(s_, this, QStringLiteral("Restore Family Records"));
    out = RestoreCommand(s_, dialogs_, doc_);
  }
  after_load(out);
}

void frmFamtree::mnuSave_Click() {
  {
    BusyProgress busy(s_, this, QStringLiteral("Save Family File"));
    SaveCommand(s_, dialogs_, doc_);
  }
  // What the save said ("Saving Family Data", "Cancelled") is over now.
  setStatusText(view_->restingStatus());
  update_title();
  update_commands();
}

void frmFamtree::mnuSaveAs_Click() {
  {
    BusyProgress busy(s_, this, QStringLiteral("Save Family File As"));
    SaveAsCommand(s_, dialogs_, doc_);
  }
  // What the save said ("Saving Family Data", "Cancelled") is over now.
  setStatusText(view_->restingStatus());
  update_title();
  update_commands();
}

void frmFamtree::mnuBackup_Click() {
  RunBackup(s_, dialogs_, this);
  update_commands();
}

void frmFamtree::mnuGEDIn_Click() {
  const std::string file = ChooseGedcomFile(s_, dialogs_);
  if (file.empty()) return;
  import_gedcom(file);
}

bool frmFamtree::import_gedcom(const std::string& path) {
  const bool added = RunGedcomImport(s_, this, path);
  if (added) {
    start_tag_ = false;
    buttonBar_->setVisible(true);
  }
  RefreshFamilyView();
  return added;
}

void frmFamtree::mnuOrphans_Click() {
  after_records_shrank([this] { RunFindOrphans(s_, this); });
}

void frmFamtree::mnuAbout_Click() { RunAbout(s_, this); }

// ---- the start menu

void frmFamtree::show_start_menu() {
  frmStartMenu menu(this);
  start_menu_ = &menu;
  buttonBar_->setVisible(false);
  if (hooks_.add_person) menu.set_action(frmStartMenu::AddFirstPerson, [this] { start_menu_add_first(); });
  menu.set_action(frmStartMenu::OpenFile, [this] { start_menu_open(); });
  menu.set_action(frmStartMenu::ImportGedcom, [this] { start_menu_import(); });
  menu.set_action(frmStartMenu::Exit, [this] { start_menu_exit(); });
  if (action("mnuVorlanHelp")->isEnabled()) menu.set_help([this] { help(); });
  menu.exec();
  start_menu_ = nullptr;
  buttonBar_->setVisible(!start_tag_);
}

void frmFamtree::start_menu_add_first() {
  s_.Config.setLastPerson(static_cast<std::int16_t>(s_.Config.NumPersons() + 1));
  s_.AddingFirstPerson = true;
  start_menu_->close_from_code();
  if (hooks_.add_person) hooks_.add_person();
  s_.AddingFirstPerson = false;
  // With the first person the empty tree's start state ends; without one
  // the start menu is the way on again.
  start_tag_ = s_.Config.NumPersons() < 1;
  buttonBar_->setVisible(!start_tag_);
  RefreshFamilyView();
  if (start_tag_) {
    start_menu_pending_ = true;
    QTimer::singleShot(0, this, &frmFamtree::OnActivate);
  }
}

void frmFamtree::start_menu_open() {
  OpenOutcome out;
  {
    BusyProgress busy(s_, this, QStringLiteral("Open Vorlan Family Tree File"));
    out = OpenCommand(s_, dialogs_, doc_, false);
  }
  // A failed or cancelled open leaves the start menu for another choice.
  if (out != OpenOutcome::Opened) {
    setStatusText(view_->restingStatus());
    return;
  }
  start_menu_->close_from_code();
  s_.RecordsSaved = true;
  after_load(out);
}

void frmFamtree::start_menu_import() {
  const std::string file = ChooseGedcomFile(s_, dialogs_);
  if (file.empty()) return;
  start_menu_->close_from_code();
  // Nothing was there before, so a cancelled import leaves nothing to save.
  if (!import_gedcom(file)) s_.RecordsSaved = true;
  update_save_state();
  // Still no tree: the start menu is the way on.
  if (s_.Config.NumPersons() < 1) {
    start_menu_pending_ = true;
    QTimer::singleShot(0, this, &frmFamtree::OnActivate);
  }
}

void frmFamtree::start_menu_exit() {
  start_menu_->close_from_code();
  s_.RecordsSaved = true;
  QTimer::singleShot(0, this, &QWidget::close);
}

// ---- the editing windows' hooks

void frmFamtree::editSelectedPerson() {
  if (!hooks_.edit_person || view_->model().Selected < 1) return;
  hooks_.edit_person();
  RefreshFamilyView();
}

void frmFamtree::addPerson() {
  if (!hooks_.add_person || !RoomForAnotherPerson(s_)) return;
  ResetRelationState(s_.Rel);
  s_.Rel.AddMode = true;
  s_.View.EditFlag = false;
  hooks_.add_person();
  RefreshFamilyView();
}

void frmFamtree::connectPerson() {
  if (!hooks_.connect) return;
  ResetRelationState(s_.Rel);
  s_.Rel.ConnectMode = true;
  hooks_.connect();
  RefreshFamilyView();
}

void frmFamtree::editMarriage() {
  if (!hooks_.edit_marriage) return;
  hooks_.edit_marriage();
  RefreshFamilyView();
}

void frmFamtree::disconnectPerson() {
  if (!hooks_.disconnect) return;
  hooks_.disconnect();
  RefreshFamilyView();
}

void frmFamtree::deletePerson() {
  if (!hooks_.delete_person) return;
  after_records_shrank([this] { hooks_.delete_person(); });
}

void frmFamtree::arrangeFamily() {
  if (!hooks_.arrange) return;
  hooks_.arrange();
  RefreshFamilyView();
}

void frmFamtree::undo() {
  if (button("butUndo")->text() != QStringLiteral("&Undo")) return;
  after_records_shrank([this] {
    if (!UndoLastStep(s_)) {
      // Its box has said why; the records are as they were.
    }
  });
}

void frmFamtree::redo() {
  after_records_shrank([this] {
    if (!RedoNextStep(s_)) {
      // Its box has said why (or there was nothing to redo).
    }
  });
}

void frmFamtree::undoHistory() {
  frmUndoHistory history(
      s_,
      [this](std::size_t count) {
        after_records_shrank([this, count] {
          if (!MoveToStep(s_, count)) {
            // Its box has said why, or the records are there already.
          }
        });
      },
      this);
  history.exec();
}

// A delete, an orphan clean-up or an undo may leave the records empty (the
// start menu's state) or bring them back from it; and what the command said on
// the status line ("7 persons recorded.") outlives the redraw.
void frmFamtree::after_records_shrank(const std::function<void()>& command) {
  const QString before = statusText();
  command();
  const QString said = statusText();
  RefreshFamilyView();
  if (said != before) setStatusText(said);
  const bool empty = s_.Config.NumPersons() < 1;
  if (empty == start_tag_) return;
  start_tag_ = empty;
  buttonBar_->setVisible(!empty);
  if (empty) {
    start_menu_pending_ = true;
    QTimer::singleShot(0, this, &frmFamtree::OnActivate);
  }
}

void frmFamtree::selectPerson() {
  if (LivingPersons(s_) < 1) return;
  std::function<void()> help_hook;
  if (action("mnuVorlanHelp")->isEnabled()) help_hook = [this] { help(); };
  PickResult pick = RunSelectPerson(s_, {}, this, {}, help_hook);
  if (pick.step == PickStep::None) return;
  RefreshFamilyView();
  if (pick.step == PickStep::Edit) editSelectedPerson();
}

void frmFamtree::relationship() {
  const std::int16_t show = RunRelationship(s_, this, view_->model().Selected);
  if (show < 1) return;
  s_.Config.setLastPerson(show);
  SelectPersonForRelations(s_, show);
  RefreshFamilyView();
}

void frmFamtree::findDuplicates() {
  // After each merge the family view shows the person kept, while the list
  // stays open for the next pair.
  frmDuplicates window(
      s_,
      [this](std::int16_t kept) {
        after_records_shrank([this, kept] {
          s_.Config.setLastPerson(kept);
          SelectPersonForRelations(s_, kept);
        });
      },
      this);
  window.exec();
}

void frmFamtree::printMenu() {
  if (hooks_.print_menu) hooks_.print_menu();
}

void frmFamtree::printRequest(int request) {
  if (hooks_.print) hooks_.print(request);
}

void frmFamtree::help() {
  if (open_help) open_help();
}

// ---- keys: the window sees every key first

bool frmFamtree::eventFilter(QObject* watched, QEvent* e) {
  if (e->type() != QEvent::KeyPress) return QMainWindow::eventFilter(watched, e);
  auto* w = qobject_cast<QWidget*>(watched);
  if (!w || w->window() != this || QApplication::activeModalWidget() || QApplication::activePopupWidget() ||
      qobject_cast<QMenuBar*>(w))
    return QMainWindow::eventFilter(watched, e);
  auto* k = static_cast<QKeyEvent*>(e);
  if (handleKey(k->key(), k->modifiers())) return true;
  return QMainWindow::eventFilter(watched, e);
}

bool frmFamtree::handleKey(int key, Qt::KeyboardModifiers mods) {
  if ((mods & ~(Qt::KeypadModifier | Qt::ShiftModifier)) != Qt::NoModifier) return false;
  if (start_tag_) return false;
  // A button acts only while it is shown and enabled.
  auto press = [this](const char* name) {
    QPushButton* b = button(name);
    if (b->isVisibleTo(this) && b->isEnabled()) b->click();
    return true;
  };
  switch (key) {
    case Qt::Key_A: return press("butAddPerson");
    case Qt::Key_E: return press("butEditMarr");
    case Qt::Key_S: return press("butSelect");
    case Qt::Key_C: return press("butConnect");
    case Qt::Key_D: return press("butDisconnect");
    case Qt::Key_L: return press("butDelete");
    case Qt::Key_P: return press("butPrint");
    case Qt::Key_H:
    case Qt::Key_F1: help(); return true;
    default: break;
  }
  // Home, Page Up, Left, Right, End, Insert, Down, Page Down, Enter, R, O, M.
  return view_->handleKey(key);
}

}  // namespace vft::ui
