// From the entry point to a main window with a tree: the version text of the
// splash, the choice of the Family file to start with (command line, else the
// last file when AutoStart is set, else none), the main window's load of the
// records, what each activation of the main window brings up, and the
// welcome window's wishes.
#pragma once
#include <string>

#include "mainwin/commands.h"
#include "store/session.h"

namespace vft {

// "Vorlan Family Tree Version: 1.63 (1.63.0)".
std::string VersionText();

// The command line's file: every double quote removed, outer blanks trimmed.
std::string CommandLineFile(const std::string& command_line);
// A path that names another machine ("\\server\share..." or "//server/...").
bool IsNetworkPath(const std::string& path);
// The path as the file system spells it: made absolute against `current_dir`
// and walked one component at a time, each one taken from the folder's own
// listing (so a name typed in the wrong case finds the file). Empty when a
// component is not there.
std::string LongPathForm(const std::string& path, const std::string& current_dir);

// What the splash does next.
struct StartChoice {
  std::string path;         // the Family file to open; empty = start without one
  std::string splash_text;  // shown in the splash while it opens
  int timer_ms = 1;         // the splash's timer before the main window is built
  bool open_now = false;    // open before the timer (AutoStart), not when it fires
};

// LoadAVflFile: decides the start file. With AutoStart and a last file that
// is gone, tells the user once, forgets "CurrentFile" and starts without a
// file. Sets CurrentFilePath where no file is opened.
StartChoice ChooseStartFile(Session& s, const std::string& command_line, const std::string& current_dir);

// Opens the Family file at `path` when it is not blank; the records count as
// saved afterwards either way. True when a tree was opened.
bool OpenStartFile(Session& s, const std::string& path);

// The record repair pass of the main window's load: every Person record
// 1..NumPersons gets its own number in PerNum, a trimmed phone number (a
// single blank when it holds a NUL) and, with the option on, its family name
// in capitals. Returns the number of deleted persons.
int RepairPersonRecords(Session& s);

// The main window's load, records part: an old counters file, the repair
// pass, prompts on for an empty tree, the marriage table and the selected
// person's partnerships, the window's file name and title. The tree counts as
// unchanged afterwards.
void LoadMainWindowRecords(Session& s, WindowDocument& doc);

// What one activation of the main window brings up.
struct Activation {
  bool welcome = false;     // show frmWelcome
  bool start_menu = false;  // show frmStartMenu
  bool start_tag = false;   // the window's Tag is "Start": no tree, button bar hidden
};
// `welcome_wanted` is WelcomeWanted(); `start_menu_pending` is set by New
// tree, whose empty tree brings the start menu back. Clears FirstActivation
// once the start menu or the welcome text has had its one chance.
Activation OnMainWindowActivate(Session& s, bool welcome_wanted, bool start_menu_pending);

// The welcome text is shown at start while its file exists and the user has
// not asked to stop seeing it.
bool WelcomeWanted(const Session& s);
// The welcome window's check box. The text lies in the program folder, which
// all users of the machine share; the choice is kept per user instead of
// deleting the file for everyone.
void DeclineWelcome(Session& s);
// The welcome text's lines joined with CrLf.
std::string ReadWelcomeText(const Session& s);

}  // namespace vft
