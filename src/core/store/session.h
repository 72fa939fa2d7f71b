// All program-wide state of one run. Nothing in core is global: every operation
// takes the Session it works on, so tests can run many side by side.
#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "common/clock.h"
#include "common/messages.h"
#include "common/prompter.h"
#include "store/file_claim.h"
#include "store/file_system.h"
#include "store/history_state.h"
#include "store/record_layout.h"
#include "store/relation_state.h"

namespace vft {

inline constexpr const char* CrLf = "\r\n";

// Progress of a long operation: a status text and a count. Returning false asks
// the operation to stop (the user pressed Cancel).
using Progress = std::function<bool(const std::string& message, long count)>;

// The editors' buffers: the person editor (edit/person_editor) writes Person2
// and LastAdded, the marriage editor (edit/marriage_editor) and the partner
// operations (relations) MarBuf and CerBuf; the links made after an edit read
// them. Records reach the record writers as parameters, never through here.
struct EditorBuffers {
  PersonRecord Person2;        // the person being edited or added
  std::int16_t LastAdded = 0;  // the Person number just added; the partner link (relations) reads it
  MarriageRecord MarBuf;       // the marriage editor's Divorced and NotMarried flags
  CeremonyRecord CerBuf;       // the marriage editor's date and place
};

// What a connect or disconnect leaves for the window: relations writes, edit
// and the window read.
struct LinkState {
  PersonRecord Person3;       // the person being connected (relations/connect)
  std::string DisconnectLog;  // a line describing the last disconnection
};

// The find dialog's texts and the window's own flag, kept for the run
// (mainwin/find_person and the window write and read them).
struct ViewState {
  std::string SearchGivenNames;
  std::string SearchFamName;
  bool PreciseSearch = false;  // names must match whole, not by their start
  bool EditFlag = false;       // the person picked next opens in the person editor
};

class Session {
 public:
  explicit Session(Prompter& prompter) : prompter(&prompter) {}
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  // Each group says who writes its fields and who reads them. The working
  // buffers are grouped in structs of their own (EditorBuffers, LinkState,
  // ViewState) so that a search for the struct finds everyone using them; new
  // code passes data through parameters and return values instead.

  // ---- folders (native separators; AppDataFolder and WorkFolder end with one).
  // The front end's start-up, store/folders and the recovery write; every file
  // operation reads.
  std::string ProgramFolder;
  std::string AppDataFolder;
  std::string WorkFolder;
  std::string CurrentFilePath;  // the open, save and recovery commands (mainwin, store/familyfile) write

  // ---- writing, and the Family file the tree belongs to.
  // Store's Family file open and save and the commands (mainwin) write; the
  // commands read.
  fileio::FileSystem disk;  // every write goes through it (store/file_system.h)
  FamilyFileLock Lock;      // held while a Family file is open for editing
  FileIdentity OpenedAs;    // that file as it was when opened or last saved
  bool ReadOnly = false;    // another program had it open: Save goes to Save As

  // ---- the tree's state. mark_changed (any record write) and the commands
  // (mainwin) write; the guard of unsaved work and the window's menus read.
  bool RecordsSaved = true;
  bool NothingChanged = true;
  bool FirstActivation = true;     // start-up (mainwin, ui) writes and reads
  bool AddingFirstPerson = false;  // the window's Add sets it; the link step (relations) clears it

  // ---- the records. Store reads and writes them; everything reads them.
  ConfigRecord Config;  // the settings record (vorlan.cfg)
  std::vector<MarriageRecord> Marriages =
      std::vector<MarriageRecord>(kMaxMarriages + 1);  // the marriage table, 1..15000
  // Family m of the marriage table: every use goes through here. A number
  // outside 0..15000 (a damaged record's) lands on slot 0, which stands for no
  // family and is never read from or written to a file, so it can never reach
  // past the table.
  const MarriageRecord& family(int m) const { return Marriages[family_slot(m)]; }
  MarriageRecord& family(int m) { return Marriages[family_slot(m)]; }
  int DeletedCount = 0;  // deleted persons, counted when the tree is loaded (store, mainwin), kept by undo

  // ---- the current person. ReadPerson (store) fills it for whoever selects a
  // person (mainwin, editors, relations); WritePerson (store) stores it.
  PersonRecord Person;
  std::int16_t CurNum = 0;  // its record number

  // ---- the editors' buffers (see EditorBuffers).
  EditorBuffers Editing;

  // ---- link state (relations writes and reads, edit and the window read).
  LinkState Link;
  RelationState Rel;           // the add/connect operation in progress; mainwin and ui start it
  HistoryState History;        // the undo history (store/undo_history.h, relations/undo.h)
  bool UndoAvailable = false;  // a step can be undone; follows History
  std::string UndoText;        // what the undo command will undo, or why it cannot

  // ---- finding persons and the window's pick (see ViewState).
  ViewState View;

  // ---- options and texts. Loading the settings (store) and the options window
  // write; the editors, lists and window read.
  MessageTable Messages;
  bool UCaseFamname = false;
  std::array<std::string, 10> FunctionKeys;  // F3..F12
  // Numeric dates read month-first. The front ends set it from the system's
  // date settings; without them (and in tests) dates read day-first.
  bool MonthFirst = false;
  int StatusWord = 1;  // result of the last settings-file write (store/ini writes and returns it)

  // ---- front-end hooks. The front end sets them; core calls them.
  Prompter* prompter;
  Clock now = system_now;
  std::function<void()> on_changed;                   // the tree was marked as changed
  std::function<void(const std::string&)> on_status;  // status line text
  // Opens the help page of a window ("edit_person", "marriage", ...); the
  // front end shows it in the browser, tests record the topic.
  std::function<void(const std::string& topic)> on_help;
  bool CancelFlag = false;  // the print preview's Cancel (ui) sets it; the printouts (print) stop on it

  // Path of a file in the work folder.
  std::string work(const std::string& name) const { return WorkFolder + name; }
  // The per-user settings folder and file.
  std::string settings_folder() const;
  std::string settings_file() const { return settings_folder() + "Vorlan.Ini"; }

  int ask(const std::string& title, const std::string& text, Buttons b, Icon icon, int def = 0) {
    return prompter->ask({title, text, b, icon, def});
  }
  void status(const std::string& text) {
    if (on_status) on_status(text);
  }
  void help(const std::string& topic) {
    if (on_help) on_help(topic);
  }
  // Marks the tree as changed: unsaved, and the main window told to refresh.
  void mark_changed() {
    RecordsSaved = false;
    NothingChanged = false;
    if (on_changed) on_changed();
  }

 private:
  static std::size_t family_slot(int m) { return m >= 0 && m <= kMaxMarriages ? static_cast<std::size_t>(m) : 0; }
};

}  // namespace vft
