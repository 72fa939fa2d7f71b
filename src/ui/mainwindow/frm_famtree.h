// frmFamtree: the main window. The family view fills it; above it the menu
// bar and the button bar (KplButtonBar), below it the status line (Label1).
// It owns the window's document (file name, title), the save state of the
// commands, the start menu of an empty tree and the exit path.
//
// Menus and entries are QActions named as the menu tree names them (mnuFile,
// mnuNew, ... mnuAbout; the sub-menus mnuGedcom, mnuPrint, PrintLists);
// buttons are QPushButtons (butAddPerson, butEditMarr, butSelect, butConnect,
// butDisconnect, butDelete, butPrint, butSave, butUndo, butQuit).
//
// The windows that change, print or convert the tree (the person and marriage
// editors, the connect, disconnect, delete and re-arrange dialogs, printing,
// GEDCOM export, web pages, options) are reached through EditingHooks, which
// install_windows fills and tests replace; a command without its hook is
// disabled. Backup, GEDCOM import, orphans and About open their windows directly.
#pragma once
#include <QMainWindow>
#include <functional>
#include <map>

#include "common/file_dialogs.h"
#include "mainwin/commands.h"
#include "store/session.h"

class QAction;
class QLabel;
class QMenu;
class QPushButton;

namespace vft::ui {

class FamilyView;
class frmCharts;
class frmStartMenu;

// The replaceable windows. Each is called with the main window, which
// refreshes its view afterwards.
struct EditingHooks {
  std::function<void()> edit_person;       // frmEditPerson for the selected person
  std::function<void()> add_person;        // frmConnectAs in AddMode (or the first person)
  std::function<void()> connect;           // frmConnectAs in ConnectMode
  std::function<void()> edit_marriage;     // frmMarriageInput for the displayed partnership
  std::function<void()> disconnect;        // frmDisconnectAs
  std::function<void()> delete_person;     // the delete of the selected person
  std::function<void()> arrange;           // the re-arrange dialog
  std::function<void(int request)> print;  // frmPrintPreview with a print request code
  std::function<void()> print_menu;        // frmPrintWhat
  std::function<void()> gedcom_export;
  std::function<void()> web_pages;
  std::function<void()> options;
  std::function<void()> printer_setup;  // the printer set-up dialog
  std::function<void()> tech_info;      // the technical information for support
};

class frmFamtree : public QMainWindow {
  Q_OBJECT
 public:
  frmFamtree(Session& s, FileDialogs& dialogs, QWidget* parent = nullptr);
  ~frmFamtree() override;

  // The window's load, once: records, colours, title.
  void LoadWindow();
  // Every activation: redraw, welcome text, start menu of an empty tree.
  void OnActivate();
  void RefreshFamilyView();

  // The Undo button's tool tip, and enabled.
  void SetUnDo(const QString& text);
  // The unchanged-since-load flag; every record write clears it.
  void SetVars(bool value);

  void set_hooks(const EditingHooks& hooks);
  const EditingHooks& hooks() const { return hooks_; }
  WindowDocument& document() { return doc_; }
  FamilyView* view() const { return view_; }
  QAction* action(const char* name) const;
  QPushButton* button(const char* name) const;
  bool startTag() const { return start_tag_; }
  // The status line's text.
  QString statusText() const;
  void setStatusText(const QString& text);

  // The keyboard table; true when the key did something.
  bool handleKey(int key, Qt::KeyboardModifiers mods);

  // What the exit path's backup questions open; by default the plain file
  // choice that writes a backup Family file.
  std::function<bool()> backup_for_exit;
  // The window's start menu (tests press its entries); null while closed.
  frmStartMenu* startMenu() const { return start_menu_; }
  // The chart window; null until first opened.
  frmCharts* charts() const { return charts_; }
  // The reminder to look for a newer version, shown at exit while it is due.
  std::function<void()> upgrade_reminder;
  // Help pages; tests and platforms without a browser replace it.
  std::function<void()> open_help;
  // Called once the exit path has run to its end and the window closes.
  std::function<void()> on_exit;
  // Called when the exit is certain, just before the work folder is removed.
  std::function<void()> on_leaving;

 public slots:
  // File menu
  void mnuNew_Click();
  void mnuOpen_Click();
  void mnuSave_Click();
  void mnuSaveAs_Click();
  void mnuBackup_Click();
  void mnuRestore_Click();
  void mnuGEDIn_Click();
  void mnuOrphans_Click();
  void mnuAbout_Click();
  // The button bar and the commands behind the Person and Family menus
  void editSelectedPerson();
  void addPerson();
  void connectPerson();
  void editMarriage();
  void disconnectPerson();
  void deletePerson();
  void undo();
  void redo();
  void undoHistory();  // Edit: Undo History...
  void arrangeFamily();
  void selectPerson();
  void relationship();                   // Tools: How Are They Related?
  void findDuplicates();                 // Tools: Find Possible Duplicates...
  void showCharts(std::int16_t person);  // View: Charts..., the chart window on `person`
  void printMenu();
  void printRequest(int request);
  void help();

 protected:
  bool event(QEvent* e) override;
  void closeEvent(QCloseEvent* e) override;
  bool eventFilter(QObject* watched, QEvent* e) override;

 private:
  Session& s_;
  FileDialogs& dialogs_;
  WindowDocument doc_;
  EditingHooks hooks_;
  FamilyView* view_ = nullptr;
  QLabel* status_ = nullptr;
  QWidget* buttonBar_ = nullptr;
  std::map<QString, QAction*> actions_;
  std::map<QString, QPushButton*> buttons_;
  frmStartMenu* start_menu_ = nullptr;  // while it is open
  frmCharts* charts_ = nullptr;         // once opened, kept for the run
  bool start_tag_ = false;
  bool start_menu_pending_ = false;
  bool activating_ = false;
  bool activation_queued_ = false;
  bool exiting_ = false;
  bool exit_confirmed_ = false;

  void build_menus();
  void build_button_bar();
  QAction* add_action(QMenu* menu, const char* name, const char* caption);
  QPushButton* add_button(const char* name, const QString& caption, const QString& tip);
  void connect_commands();
  void apply_colours();
  void update_title();
  void update_save_state();
  void update_commands();
  void after_load(OpenOutcome outcome);
  void show_start_menu();
  void start_menu_open();
  void start_menu_import();
  void start_menu_exit();
  void start_menu_add_first();
  bool import_gedcom(const std::string& path);
  void after_records_shrank(const std::function<void()>& command);
};

}  // namespace vft::ui
