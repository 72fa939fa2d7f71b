// The main window's menu tree and button bar, and which of their commands
// can be used in the tree's present state.
#include <QAction>
#include <QFile>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

#include "mainwindow/family_view.h"
#include "mainwindow/frm_famtree.h"
#include "mainwin/commands.h"
#include "dialogs/qt_file_dialogs.h"
#include "qt_text.h"
#include "relations/undo.h"

namespace vft::ui {
namespace {

QMenu* add_menu(QMenuBar* bar, QMenu* parent, const char* name, const char* caption) {
  QMenu* m = parent ? parent->addMenu(QString::fromLatin1(caption)) : bar->addMenu(QString::fromLatin1(caption));
  m->setObjectName(QString::fromLatin1(name));
  m->menuAction()->setObjectName(QString::fromLatin1(name));
  return m;
}

}  // namespace

QAction* frmFamtree::add_action(QMenu* menu, const char* name, const char* caption) {
  QAction* a = menu->addAction(QString::fromLatin1(caption));
  a->setObjectName(QString::fromLatin1(name));
  actions_[a->objectName()] = a;
  return a;
}

void frmFamtree::build_menus() {
  QMenuBar* bar = menuBar();
  bar->setObjectName(QStringLiteral("menuBar"));

  QMenu* file = add_menu(bar, nullptr, "mnuFile", "&Files");
  actions_[QStringLiteral("mnuFile")] = file->menuAction();
  add_action(file, "mnuNew", "&New Family Tree");
  add_action(file, "mnuOpen", "&Open a .VFL file");
  add_action(file, "mnuSave", "&Save");
  add_action(file, "mnuSaveAs", "Save &As ");
  file->addSeparator();
  add_action(file, "mnuBackup", "Backup Family Records");
  add_action(file, "mnuRestore", "Restore Family Records");
  file->addSeparator();
  QMenu* gedcom = add_menu(bar, file, "mnuGedcom", "GEDCOM");
  add_action(gedcom, "mnuGEDIn", "Import a GEDCOM file...");
  add_action(gedcom, "mnuGEDOut", "Export a GEDCOM file...");
  QMenu* print = add_menu(bar, file, "mnuPrint", "&Print");
  actions_[QStringLiteral("mnuPrint")] = print->menuAction();
  add_action(print, "mnuPrintData", "&Person's Data Sheet...");
  add_action(print, "mnuPrintFam", "&Family Data Sheet...");
  add_action(print, "mnuPrintDesc", "&Descendants Chart...");
  add_action(print, "mnuPrintPed", "&Pedigree Chart...");
  QMenu* lists = add_menu(bar, print, "PrintLists", "&Lists");
  add_action(lists, "mnuPrintListAll", "&All People...");
  add_action(lists, "mnuPrintListName", "Same Family &Name...");
  add_action(lists, "mnuFamNames", "All Famil&y Names...");
  add_action(lists, "mnuTimeLine", "&Time Line...");
  print->addSeparator();
  add_action(print, "mnuPrinterSetup", "Printer &Setup ...");
  file->addSeparator();
  add_action(file, "mnuExit", "E&xit ");

  QMenu* edit = add_menu(bar, nullptr, "mnuEdit", "Edit");
  actions_[QStringLiteral("mnuEdit")] = edit->menuAction();
  add_action(edit, "mnuUndo", "Undo")->setShortcut(QKeySequence::Undo);
  // Redo and the history of this session's changes.
  add_action(edit, "mnuRedo", "Redo")
      ->setShortcuts({QKeySequence(QStringLiteral("Ctrl+Y")), QKeySequence(QStringLiteral("Ctrl+Shift+Z"))});
  add_action(edit, "mnuUndoHistory", "Undo History...");

  QMenu* person = add_menu(bar, nullptr, "mnuPerson", "Pe&rson");
  actions_[QStringLiteral("mnuPerson")] = person->menuAction();
  add_action(person, "mnuAddPerson", "&Add a new person...");
  add_action(person, "mnuEditPerson", "&Edit this person...");
  add_action(person, "mnuDeletePerson", "&Delete this person...");
  add_action(person, "mnuSelect", "&Select a person...");
  add_action(person, "mnuConnect", "&Connect an existing person...");
  add_action(person, "mnuDisconnect", "&Disconnect this person...");

  QMenu* family = add_menu(bar, nullptr, "mnuFamily", "Fa&mily");
  actions_[QStringLiteral("mnuFamily")] = family->menuAction();
  add_action(family, "mnuEditMarr", "&Edit Marriage...");
  add_action(family, "mnuArrangeFam", "&Re-arrange Family Members...");

  QMenu* view = add_menu(bar, nullptr, "mnuView", "&View");
  actions_[QStringLiteral("mnuView")] = view->menuAction();
  add_action(view, "mnuCharts", "&Charts...");

  QMenu* tools = add_menu(bar, nullptr, "mnuTools", "Tools");
  actions_[QStringLiteral("mnuTools")] = tools->menuAction();
  add_action(tools, "mnuRelationship", "How Are They Related?...");
  add_action(tools, "mnuDuplicates", "Find Possible Duplicates...");
  add_action(tools, "mnuOrphans", "List Orphan Entries...");
  add_action(tools, "mnuBuildWebPages", "Build Family Web Pages...");
  add_action(tools, "mnuConfig", "Options...");

  QMenu* help = add_menu(bar, nullptr, "mnuHelp", "&Help");
  actions_[QStringLiteral("mnuHelp")] = help->menuAction();
  add_action(help, "mnuVorlanHelp", "&Vorlan Help");
  add_action(help, "mnuContents", "&Contents");
  help->addSeparator();
  add_action(help, "mnuEmailUs", "&Technical Information for Support...");
  add_action(help, "mnuAbout", "&About Vorlan Family Tree...");
}

QPushButton* frmFamtree::add_button(const char* name, const QString& caption, const QString& tip) {
  auto* b = new QPushButton(caption, buttonBar_);
  b->setObjectName(QString::fromLatin1(name));
  b->setToolTip(tip);
  b->setFocusPolicy(Qt::TabFocus);
  b->setAutoDefault(false);
  buttons_[b->objectName()] = b;
  buttonBar_->layout()->addWidget(b);
  return b;
}

void frmFamtree::build_button_bar() {
  buttonBar_ = new QWidget(this);
  buttonBar_->setObjectName(QStringLiteral("KplButtonBar"));
  buttonBar_->setAttribute(Qt::WA_StyledBackground);
  auto* row = new QHBoxLayout(buttonBar_);
  row->setContentsMargins(10, 6, 10, 6);
  row->setSpacing(4);
  auto separator = [&] {
    auto* line = new QFrame(buttonBar_);
    line->setObjectName(QStringLiteral("barSeparator"));
    line->setFrameShape(QFrame::VLine);
    line->setFixedHeight(22);
    row->addSpacing(4);
    row->addWidget(line);
    row->addSpacing(4);
  };
  const MessageTable& m = s_.Messages;
  add_button("butAddPerson", qs(m[275]), {});
  add_button("butConnect", qs(m[278]), {});
  add_button("butDisconnect", qs(m[279]), {});
  add_button("butDelete", qs(m[280]), {});
  separator();
  add_button("butEditMarr", qs(m[276]), {});
  add_button("butSelect", qs(m[277]), QStringLiteral("Select a person from the list of all persons"));
  separator();
  add_button("butSave", QStringLiteral("Save"), QStringLiteral("Save to Disk"));
  add_button("butUndo", QStringLiteral("&Undo"), {});
  add_button("butPrint", qs(m[281]), QStringLiteral("Print Menu"));
  row->addStretch(1);
  add_button("butQuit", qs(m[284]), QStringLiteral("Close Vorlan Family Tree and Exit to Windows"));
}

void frmFamtree::connect_commands() {
  auto on = [this](const char* name, auto slot) { connect(action(name), &QAction::triggered, this, slot); };
  auto press = [this](const char* name, auto slot) { connect(button(name), &QPushButton::clicked, this, slot); };
  auto presses = [this](const char* menu, const char* but) {
    connect(action(menu), &QAction::triggered, button(but), &QPushButton::click);
  };
  on("mnuNew", &frmFamtree::mnuNew_Click);
  on("mnuOpen", &frmFamtree::mnuOpen_Click);
  on("mnuSave", &frmFamtree::mnuSave_Click);
  on("mnuSaveAs", &frmFamtree::mnuSaveAs_Click);
  on("mnuBackup", &frmFamtree::mnuBackup_Click);
  on("mnuRestore", &frmFamtree::mnuRestore_Click);
  on("mnuGEDIn", &frmFamtree::mnuGEDIn_Click);
  on("mnuOrphans", &frmFamtree::mnuOrphans_Click);
  on("mnuRelationship", &frmFamtree::relationship);
  on("mnuDuplicates", &frmFamtree::findDuplicates);
  connect(action("mnuCharts"), &QAction::triggered, this, [this] { showCharts(view_->model().Selected); });
  on("mnuAbout", &frmFamtree::mnuAbout_Click);
  on("mnuEditPerson", &frmFamtree::editSelectedPerson);
  on("mnuArrangeFam", &frmFamtree::arrangeFamily);
  on("mnuRedo", &frmFamtree::redo);
  on("mnuUndoHistory", &frmFamtree::undoHistory);
  on("mnuVorlanHelp", &frmFamtree::help);
  on("mnuContents", &frmFamtree::help);
  connect(action("mnuGEDOut"), &QAction::triggered, this, [this] {
    if (hooks_.gedcom_export) hooks_.gedcom_export();
  });
  connect(action("mnuBuildWebPages"), &QAction::triggered, this, [this] {
    if (hooks_.web_pages) hooks_.web_pages();
  });
  connect(action("mnuEmailUs"), &QAction::triggered, this, [this] {
    if (hooks_.tech_info) hooks_.tech_info();
  });
  connect(action("mnuPrinterSetup"), &QAction::triggered, this, [this] {
    if (hooks_.printer_setup) hooks_.printer_setup();
  });
  connect(action("mnuConfig"), &QAction::triggered, this, [this] {
    if (hooks_.options) hooks_.options();
    RefreshFamilyView();
  });
  const std::pair<const char*, int> requests[] = {{"mnuPrintData", 1}, {"mnuPrintFam", 8},     {"mnuPrintDesc", 2},
                                                  {"mnuPrintPed", 3},  {"mnuPrintListAll", 4}, {"mnuPrintListName", 5},
                                                  {"mnuFamNames", 7},  {"mnuTimeLine", 6}};
  for (const auto& [name, code] : requests)
    connect(action(name), &QAction::triggered, this, [this, code = code] { printRequest(code); });

  presses("mnuExit", "butQuit");
  presses("mnuAddPerson", "butAddPerson");
  presses("mnuDeletePerson", "butDelete");
  presses("mnuSelect", "butSelect");
  presses("mnuConnect", "butConnect");
  presses("mnuDisconnect", "butDisconnect");
  presses("mnuEditMarr", "butEditMarr");
  presses("mnuUndo", "butUndo");

  press("butAddPerson", &frmFamtree::addPerson);
  press("butConnect", &frmFamtree::connectPerson);
  press("butDisconnect", &frmFamtree::disconnectPerson);
  press("butDelete", &frmFamtree::deletePerson);
  press("butEditMarr", &frmFamtree::editMarriage);
  press("butSelect", &frmFamtree::selectPerson);
  press("butSave", &frmFamtree::mnuSave_Click);
  press("butUndo", &frmFamtree::undo);
  press("butPrint", &frmFamtree::printMenu);
  connect(button("butQuit"), &QPushButton::clicked, this, &QWidget::close);
}

void frmFamtree::update_commands() {
  const FamilyViewModel& m = view_->model();
  const bool records = s_.Config.NumPersons() >= 1;
  const bool living = LivingPersons(s_) >= 1;
  const bool shown = living && m.Selected >= 1;
  auto both = [this](const char* act, const char* but, bool on) {
    if (act) action(act)->setEnabled(on);
    if (but) button(but)->setEnabled(on);
  };
  both("mnuAddPerson", "butAddPerson", static_cast<bool>(hooks_.add_person));
  both("mnuConnect", "butConnect", hooks_.connect && shown);
  both("mnuEditPerson", nullptr, hooks_.edit_person && shown);
  both("mnuEditMarr", "butEditMarr", hooks_.edit_marriage && m.EditMarrEnabled);
  both("mnuDisconnect", "butDisconnect", hooks_.disconnect && m.DisconnectEnabled);
  both("mnuDeletePerson", "butDelete", hooks_.delete_person && m.DeleteEnabled);
  if (!hooks_.arrange) action("mnuArrangeFam")->setEnabled(false);
  else if (m.ArrangeEnabled) action("mnuArrangeFam")->setEnabled(*m.ArrangeEnabled);
  both("mnuSelect", "butSelect", living);
  action("mnuRelationship")->setEnabled(shown && LivingPersons(s_) >= 2);
  action("mnuDuplicates")->setEnabled(LivingPersons(s_) >= 2);
  action("mnuCharts")->setEnabled(shown);
  both(nullptr, "butPrint", hooks_.print_menu && living);
  for (const char* p : {"mnuPrintData", "mnuPrintFam", "mnuPrintDesc", "mnuPrintPed", "mnuPrintListAll",
                        "mnuPrintListName", "mnuFamNames", "mnuTimeLine"})
    action(p)->setEnabled(hooks_.print && living);
  action("mnuPrinterSetup")->setEnabled(static_cast<bool>(hooks_.printer_setup));
  action("mnuPrint")->setEnabled(hooks_.print && living);
  action("mnuGEDOut")->setEnabled(hooks_.gedcom_export && living);
  action("mnuBuildWebPages")->setEnabled(hooks_.web_pages && living);
  action("mnuConfig")->setEnabled(static_cast<bool>(hooks_.options));
  action("mnuNew")->setEnabled(records);
  action("mnuSaveAs")->setEnabled(records);
  action("mnuBackup")->setEnabled(records);
  action("mnuOrphans")->setEnabled(records);
  action("mnuEmailUs")->setEnabled(static_cast<bool>(hooks_.tech_info));
  const bool has_help = QFile::exists(from_native(s_.ProgramFolder + "/help/index.html"));
  action("mnuVorlanHelp")->setEnabled(has_help);
  action("mnuContents")->setEnabled(has_help);
  both("mnuUndo", "butUndo", s_.UndoAvailable);
  // While Undo is off its tool tip says why, when there is a reason to give.
  button("butUndo")->setToolTip(qs(s_.UndoText));
  const std::string redo = RedoText(s_);
  action("mnuRedo")->setEnabled(!redo.empty());
  action("mnuRedo")->setText(redo.empty() ? QStringLiteral("Redo")
                                          : qs(redo).replace(QLatin1Char('&'), QStringLiteral("&&")));
  action("mnuUndoHistory")->setEnabled(!s_.History.steps.empty());
  update_save_state();

  // The tool tips that name the selected person.
  const CommandToolTips& tips = m.ToolTips;
  if (shown) {
    button("butAddPerson")->setToolTip(qs(tips.AddPerson));
    button("butConnect")->setToolTip(qs(tips.Connect));
    button("butEditMarr")->setToolTip(qs(tips.EditMarr));
    button("butDisconnect")->setToolTip(qs(tips.Disconnect));
    button("butDelete")->setToolTip(qs(tips.Delete));
  }
}

}  // namespace vft::ui
