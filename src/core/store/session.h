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
#include "store/record_layout.h"
#include "store/relation_state.h"

namespace vft {

inline constexpr const char* CrLf = "\r\n";

// Progress of a long operation: a status text and a count. Returning false asks
// the operation to stop (the user pressed Cancel).
using Progress = std::function<bool(const std::string& message, long count)>;

class Session {
 public:
  explicit Session(Prompter& prompter) : prompter(&prompter) {}
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  // ---- folders (native separators; AppDataFolder and WorkFolder end with one)
  std::string ProgramFolder;
  std::string AppDataFolder;
  std::string WorkFolder;
  std::string CurrentFilePath;

  // ---- writing, and the Family file the tree belongs to
  fileio::FileSystem disk;  // every write goes through it (store/file_system.h)
  FamilyFileLock Lock;      // held while a Family file is open for editing
  FileIdentity OpenedAs;    // that file as it was when opened or last saved
  bool ReadOnly = false;    // another program had it open: Save goes to Save As

  // ---- flags
  bool RecordsSaved = true;
  bool FirstActivation = true;
  bool AddingFirstPerson = false;
  bool NothingChanged = true;

  // ---- records and working copies
  ConfigRecord Config;                  // the settings record (vorlan.cfg)
  std::vector<MarriageRecord> Marriages =
      std::vector<MarriageRecord>(kMaxMarriages + 1);  // the marriage table, 1..15000
  PersonRecord Person;                  // current Person record
  std::int16_t CurNum = 0;              // its record number
  PersonRecord Person2;                 // the person editor's working copy
  PersonRecord Person3;                 // the person being connected
  std::string NotesText;                // current person's notes
  bool NotesChanged = false;
  MarriageRecord MarBuf;                // the Marriage buffer
  CeremonyRecord CerBuf;                // the ceremony buffer
  int DeletedCount = 0;                 // deleted persons counted when the tree was loaded
  std::int16_t LastAdded = 0;           // last Person number added
  RelationState Rel;                    // the add/connect operation in progress
  bool UndoAvailable = false;           // an undo point has been taken (relations/undo.h)
  std::string UndoText;                 // what the undo command will undo, or why it cannot
  std::array<std::int64_t, 5> UndoSizes{};  // the undo copies' sizes when they were taken
  std::string DisconnectLog;            // a line describing the last disconnection

  // ---- finding persons (they outlive the find and list dialogs for the run)
  std::string SearchGivenNames;  // the texts last entered in the find dialog
  std::string SearchFamName;
  bool PreciseSearch = false;    // names must match whole, not by their start
  bool EditFlag = false;         // the person picked next opens in the person editor

  // ---- options and texts
  MessageTable Messages;
  bool UCaseFamname = false;
  std::array<std::string, 10> FunctionKeys;  // F3..F12
  bool MonthFirst = false;  // numeric dates read month-first (the user's locale says so)
  int StatusWord = 1;       // result of the last settings-file write

  // ---- front-end hooks
  Prompter* prompter;
  Clock now = system_now;
  std::function<void()> on_changed;                   // the tree was marked as changed
  std::function<void(const std::string&)> on_status;  // status line text
  // Opens the help page of a window ("edit_person", "marriage", ...); the
  // front end shows it in the browser, tests record the topic.
  std::function<void(const std::string& topic)> on_help;
  bool CancelFlag = false;

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
};

}  // namespace vft
