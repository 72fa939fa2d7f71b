// The entry points of the windows that change the tree, print or convert it.
// Each is modal and returns when its window has closed. The main window
// reaches them through its EditingHooks (installed by install_windows), so a
// window can be tested on its own and the flows that chain windows (adding a
// partner on the way to a child, say) take them as replaceable steps.
#pragma once
#include <cstdint>
#include <string>

#include "common/file_dialogs.h"
#include "relations/add_person.h"
#include "store/session.h"

class QWidget;

namespace vft::ui {

class frmFamtree;

// ---- person editor (frmEditPerson)
struct EditPersonOutcome {
  bool saved = false;       // OK was pressed and the record written
  std::int16_t person = 0;  // the person saved (the new Person number when added)
  LinkResult link;          // for a new person: how the link step ended
};
// person >= 1 edits that person; 0 types in a new person for the operation in
// s.Rel (AddMode, a relation flag, InsertPosition), or the first person when
// s.AddingFirstPerson is set. For a new person OK saves the record and runs
// LinkNewPerson; the caller continues with the returned link step.
EditPersonOutcome RunEditPerson(Session& s, QWidget* parent, std::int16_t person);

// ---- marriage editor (frmMarriageInput)
enum class MarriageMode {
  Edit,        // the displayed partnership of the selected person
  AddParents,  // both parents of the selected person are known now
  AddPartner,  // s.Rel.NewPerson becomes a partner of the selected person
};
enum class MarriageNext {
  Done,       // OK: written (and linked)
  Cancelled,  // Cancel: its take-back questions have run, the state is reset
  AddChild,   // OK on the way to a child in AddMode: AsChild is set again and
              // the person editor opens for the child
};
MarriageNext RunMarriageInput(Session& s, QWidget* parent, MarriageMode mode);

// ---- adding and connecting (frmConnectAs and the small dialogs after it)
void RunAddPerson(Session& s, QWidget* parent);      // AddMode is set by the caller
void RunConnectPerson(Session& s, QWidget* parent);  // ConnectMode is set by the caller

// ---- disconnect, delete, re-arrange, orphans
void RunDisconnect(Session& s, QWidget* parent);
void RunDeletePerson(Session& s, QWidget* parent);
void RunArrange(Session& s, QWidget* parent);
void RunFindOrphans(Session& s, QWidget* parent);

// ---- options and backup
// True when an option the main window shows (labels, colours, capitals) changed.
bool RunOptions(Session& s, QWidget* parent);
// The backup dialog; true when a backup was written.
bool RunBackup(Session& s, FileDialogs& dialogs, QWidget* parent);

// ---- printing
void RunPrintPreview(Session& s, QWidget* parent, int request);
void RunPrintWhat(Session& s, QWidget* parent);
void RunPrinterSetup(Session& s, QWidget* parent);

// ---- GEDCOM and web pages
// The import window for `path`; true when records were added.
bool RunGedcomImport(Session& s, QWidget* parent, const std::string& path);
void RunGedcomExport(Session& s, FileDialogs& dialogs, QWidget* parent);
void RunWebPages(Session& s, QWidget* parent);

// ---- help menu
void RunAbout(Session& s, QWidget* parent);
void RunTechInfo(Session& s, QWidget* parent);

// Connects every window above that is built to the main window's commands.
void install_windows(frmFamtree& w, Session& s, FileDialogs& dialogs);

}  // namespace vft::ui
