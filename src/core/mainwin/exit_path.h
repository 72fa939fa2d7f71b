// Closing the main window: the settings record rewritten, the offer to save,
// the upgrade and backup reminders, the work folder removed and the last file
// remembered. Any step may keep the window open; nothing after it runs then.
#pragma once
#include <functional>
#include <string>

#include "common/build_date.h"
#include "mainwin/commands.h"
#include "store/session.h"

namespace vft {

// What the exit path needs of the windows.
struct ExitHooks {
  // Shows the backup dialog; true when a backup was written.
  std::function<bool()> backup;
  // Shows the reminder to look for a newer version (may be empty).
  std::function<void()> upgrade_reminder;
  // Runs once the exit is certain, just before the work folder goes (the
  // window lets go of what it holds there). May be empty.
  std::function<void()> leaving;
};

// Step 1: vorlan.cfg written afresh from the settings record in memory, so
// the Family file saved next holds the current counters and selection. False
// when it could not be written (the old record then stays).
[[nodiscard]] bool RewriteSettingsRecord(Session& s);

// Step 2, the save prompt. True when the exit may go on.
bool ExitAndSave(Session& s, FileDialogs& dialogs, WindowDocument& doc);

// Step 3: the program is more than about three years past its release date
// (yyyymmdd; the day it was built) and the user has not turned the reminder off.
bool UpgradeReminderDue(const Session& s, long release_date = BuildDateNumber());

// "dd MMM yyyy" of a stored yyyymmdd date ("05 Nov 2026"); empty when it is
// not a date.
std::string BackupDateText(const Session& s, const std::string& yyyymmdd);
// Whole days from the stored yyyymmdd date to today; -1 when the text is not
// a date (or lies in the future).
long DaysSinceBackup(const Session& s, const std::string& yyyymmdd);

// Step 4, the backup reminder. `backup` shows the backup dialog. False when
// the user chose to stay in the program.
bool BackupReminder(Session& s, const std::function<bool()>& backup);

// Steps 5 and 6: the work folder emptied and removed, the file's name and
// folder kept for the next start.
void FinishExit(Session& s);
// The program is told to end from outside (log-out, shut-down): nothing can
// be asked. Unsaved changes stay in the work folder for the next start to
// offer back; otherwise the run ends as after Exit. The lock goes either way.
// True when the work folder was kept.
bool EndWithoutAsking(Session& s);

// The whole path in order. False when the window stays open.
bool RunExitPath(Session& s, FileDialogs& dialogs, WindowDocument& doc, const ExitHooks& hooks);

}  // namespace vft
