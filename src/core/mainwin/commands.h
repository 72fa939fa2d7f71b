// The main window's file commands without the window: Save, Save As with its
// extension correction, the guard of unsaved work, Open, Restore, New tree,
// the room check before adding a person and the orphan search. The window
// shows the dialogs through FileDialogs and the boxes through the session's
// prompter, then sets its menus from the outcome and from RecordsSaved.
#pragma once
#include <string>
#include <vector>

#include "common/file_dialogs.h"
#include "relations/add_person.h"  // RoomForAnotherPerson, checked before Add
#include "relations/orphans.h"
#include "store/session.h"

namespace vft {

// The main window's own idea of its document.
struct WindowDocument {
  // The Family file's name without its folder, as "CurrentFile" held it when
  // the window loaded; blank or "Vorlan" when the tree was never saved under a
  // name.
  std::string FileName;
  std::string Caption;  // the window title
};

inline constexpr const char* kVflOpenFilter = "Vorlan Family File (*.vfl)|*.vfl|All Files (*.*)|*.*|";
inline constexpr const char* kVflSaveFilter = "Vorlan Family Tree Files (*.vfl)|*.vfl|";
inline constexpr const char* kGedcomFilter = "GEDCOM Files (*.ged)|*.ged|";
inline constexpr const char* kEmptyTreeCaption = "Vorlan Family Tree ";

// The Family file used last, from the settings file: "FileLoadPath" +
// "CurrentFile". Opening stores the whole path in "CurrentFile" and the exit
// only its name, so a "CurrentFile" that is already a whole path is taken as it is.
std::string LastFilePath(const Session& s);

// Persons on record less the deleted ones.
int LivingPersons(const Session& s);
// The window title: the file name + " Family Tree " once the tree has a living
// person and a name, "Vorlan Family Tree " before.
std::string WindowCaption(const Session& s, const std::string& file_name);
// The status line between commands: the hint to click a box, after a word
// that the tree is read-only when it is.
std::string RestingStatus(const Session& s);

// A name chosen in a Save As or backup dialog whose extension is not "vfl"
// (in any case) gets "Vfl" in place of its extension; `message` then holds the
// text that tells the user so (empty when the name was fine). A name without
// an extension gets ".vfl", as the dialog's default extension would add.
struct ExtensionFix {
  std::string path;
  std::string message;
};
ExtensionFix CorrectVflExtension(const std::string& path);

enum class SaveOutcome {
  Saved,
  Failed,    // the save was tried and did not succeed (the user has been told)
  NotSaved,  // the save dialog was cancelled
};

// Save (mnuSave, butSave): into CurrentFilePath, or through Save As when the
// tree has no name yet.
SaveOutcome SaveCommand(Session& s, FileDialogs& dialogs, WindowDocument& doc);
// Save As (mnuSaveAs).
SaveOutcome SaveAsCommand(Session& s, FileDialogs& dialogs, WindowDocument& doc);

enum class GuardFor { Open, NewTree, Exit };
// Offers to save unsaved changes before a command replaces or leaves the
// tree. True when the command may go on.
bool GuardUnsavedWork(Session& s, FileDialogs& dialogs, WindowDocument& doc, GuardFor what);

enum class OpenOutcome { Opened, Cancelled, Failed };
// Open (mnuOpen): the guard, the open dialog and the load. `guard` is false
// for the start menu, which only appears while there is nothing to lose.
OpenOutcome OpenCommand(Session& s, FileDialogs& dialogs, WindowDocument& doc, bool guard = true);
// Restore (mnuRestore): the same from the backup folder.
OpenOutcome RestoreCommand(Session& s, FileDialogs& dialogs, WindowDocument& doc);
// Loads a chosen Family file into the work folder ("Loading " + its name on
// the status line). The undo copies belong to the tree being replaced and are
// forgotten.
OpenOutcome LoadChosenFile(Session& s, WindowDocument& doc, const std::string& path);

// New tree (mnuNew): after the guard, empties the work folder's records and
// the settings record's counts. False when the guard stopped it.
bool NewFamilyCommand(Session& s, FileDialogs& dialogs, WindowDocument& doc);

// The orphan search of the Tools menu: its status line, and the box that says
// so when there is nothing to list.
std::vector<OrphanRow> SearchOrphans(Session& s);

// The GEDCOM file to import, from the open dialog; empty when cancelled.
std::string ChooseGedcomFile(Session& s, FileDialogs& dialogs);

// Today as the number yyyymmdd.
int TodayNumber(const Session& s);

}  // namespace vft
