#include "mainwindow/frm_famtree.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>

#include "dialogs/busy_progress.h"
#include "mainwindow/editing_windows.h"
#include "mainwindow/family_view.h"
#include "tools/frm_charts.h"
#include "mainwindow/frm_start_menu.h"
#include "mainwindow/frm_welcome.h"
#include "mainwin/exit_path.h"
#include "mainwin/startup.h"
#include "relations/lookups.h"
#include "dialogs/qt_file_dialogs.h"
#include "qt_text.h"
#include "store/file_io.h"
#include "store/ini.h"
#include "store/settings.h"

namespace vft::ui {

frmFamtree::frmFamtree(Session& s, FileDialogs& dialogs, QWidget* parent)
    : QMainWindow(parent), s_(s), dialogs_(dialogs) {
  setObjectName(QStringLiteral("frmFamtree"));
  setWindowTitle(qs(kEmptyTreeCaption));
  build_menus();

  auto* central = new QWidget(this);
  central->setObjectName(QStringLiteral("centralArea"));
  auto* layout = new QVBoxLayout(central);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  build_button_bar();
  layout->addWidget(buttonBar_);
  view_ = new FamilyView(s_, central);
  layout->addWidget(view_, 1);
  setCentralWidget(central);

  status_ = new QLabel(this);
  status_->setObjectName(QStringLiteral("Label1"));
  statusBar()->addWidget(status_, 1);
  statusBar()->setSizeGripEnabled(false);

  connect(view_, &FamilyView::statusTextChanged, this, &frmFamtree::setStatusText);
  connect(view_, &FamilyView::viewChanged, this, &frmFamtree::update_commands);
  connect(view_, &FamilyView::editPersonRequested, this, &frmFamtree::editSelectedPerson);
  connect(view_, &FamilyView::chartsRequested, this, &frmFamtree::showCharts);
  connect(view_, &FamilyView::editMarriageRequested, this, &frmFamtree::editMarriage);
  connect_commands();

  // Every record write lands here: Save becomes possible.
  s_.on_changed = [this] {
    SetVars(false);
    update_save_state();
  };
  s_.on_status = [this](const std::string& text) { setStatusText(qs(text)); };
  backup_for_exit = [this] { return RunBackup(s_, dialogs_, this); };
  open_help = [this] {
    const QString index = from_native(s_.ProgramFolder + "/help/index.html");
    if (QFile::exists(index)) QDesktopServices::openUrl(QUrl::fromLocalFile(index));
  };
  qApp->installEventFilter(this);
  update_commands();
}

frmFamtree::~frmFamtree() {
  qApp->removeEventFilter(this);
  s_.on_changed = nullptr;
  s_.on_status = nullptr;
}

QAction* frmFamtree::action(const char* name) const {
  auto it = actions_.find(QString::fromLatin1(name));
  return it == actions_.end() ? nullptr : it->second;
}

QPushButton* frmFamtree::button(const char* name) const {
  auto it = buttons_.find(QString::fromLatin1(name));
  return it == buttons_.end() ? nullptr : it->second;
}

QString frmFamtree::statusText() const { return status_->text(); }

void frmFamtree::setStatusText(const QString& text) { status_->setText(text); }

void frmFamtree::set_hooks(const EditingHooks& hooks) {
  hooks_ = hooks;
  update_commands();
}

void frmFamtree::LoadWindow() {
  LoadMainWindowRecords(s_, doc_);
  apply_colours();
  RefreshFamilyView();
  // Keys go to the diagram first, not to whichever button happens to be first.
  view_->setFocus();
}

void frmFamtree::apply_colours() {
  int depth = 24;
  if (QScreen* screen = QApplication::primaryScreen()) depth = screen->depth();
  const int scheme = IniReadInt(s_, section::Configure, "ColourScheme");
  view_->setColours(ColoursForScheme(SchemeColourCount(scheme, depth, 1)));
}

void frmFamtree::update_title() {
  doc_.Caption = WindowCaption(s_, doc_.FileName);
  setWindowTitle(qs(cp1252::trim(doc_.Caption)));
}

void frmFamtree::SetUnDo(const QString& text) {
  QPushButton* undo = button("butUndo");
  undo->setToolTip(text);
  undo->setEnabled(true);
  action("mnuUndo")->setEnabled(true);
}

void frmFamtree::SetVars(bool value) { s_.NothingChanged = value; }

void frmFamtree::update_save_state() {
  // A file another program has open is kept with Save As only.
  const bool can_save = !s_.RecordsSaved && !s_.ReadOnly;
  button("butSave")->setEnabled(can_save);
  action("mnuSave")->setEnabled(can_save);
}

bool frmFamtree::event(QEvent* e) {
  if (e->type() == QEvent::WindowActivate && !activation_queued_ && !exit_confirmed_) {
    // After the event, so that the window is up before a dialog comes.
    activation_queued_ = true;
    QTimer::singleShot(0, this, [this] {
      activation_queued_ = false;
      OnActivate();
    });
  }
  return QMainWindow::event(e);
}

void frmFamtree::OnActivate() {
  if (activating_ || exiting_ || exit_confirmed_) return;
  activating_ = true;
  RefreshFamilyView();
  Activation a = OnMainWindowActivate(s_, WelcomeWanted(s_), start_menu_pending_);
  start_menu_pending_ = false;
  start_tag_ = a.start_tag;
  buttonBar_->setVisible(!start_tag_);
  update_commands();
  if (a.welcome) {
    frmWelcome welcome(s_, this);
    welcome.exec();
  }
  if (a.start_menu) show_start_menu();
  activating_ = false;
}

void frmFamtree::RefreshFamilyView() {
  view_->RefreshFamilyView();
  update_title();
  update_commands();
  if (charts_ && charts_->isVisible()) charts_->refresh();
}

void frmFamtree::showCharts(std::int16_t person) {
  if (!charts_) {
    charts_ = new frmCharts(s_, dialogs_, this);
    // The chart's person becomes the family view's selected person.
    charts_->select_person = [this](std::int16_t p) {
      s_.Config.setLastPerson(p);
      SelectPersonForRelations(s_, p);
      RefreshFamilyView();
    };
    charts_->edit_person = [this](std::int16_t p) {
      charts_->select_person(p);
      editSelectedPerson();
    };
  }
  charts_->showPerson(person);
  charts_->show();
  charts_->raise();
  charts_->activateWindow();
}

void frmFamtree::after_load(OpenOutcome outcome) {
  if (outcome != OpenOutcome::Opened) {
    update_save_state();
    // What the load said while it ran ("Reading Family Data") is over.
    setStatusText(view_->restingStatus());
    return;
  }
  start_tag_ = s_.Config.NumPersons() < 1;
  buttonBar_->setVisible(!start_tag_);
  RefreshFamilyView();
}

void frmFamtree::closeEvent(QCloseEvent* e) {
  if (exiting_) {
    e->ignore();
    return;
  }
  exiting_ = true;
  bool leave = false;
  {
    BusyProgress busy(s_, this, QStringLiteral("Vorlan Family Tree"));
    leave = RunExitPath(s_, dialogs_, doc_, ExitHooks{backup_for_exit, upgrade_reminder, on_leaving});
  }
  exiting_ = false;
  if (!leave) {
    e->ignore();
    update_save_state();
    return;
  }
  exit_confirmed_ = true;
  s_.on_changed = nullptr;
  s_.on_status = nullptr;
  e->accept();
  if (on_exit) on_exit();
}

}  // namespace vft::ui
