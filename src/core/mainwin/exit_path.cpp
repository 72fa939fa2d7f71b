#include "mainwin/exit_path.h"

#include "common/cp1252.h"
#include "store/date_parse.h"
#include "store/file_io.h"
#include "store/file_write.h"
#include "store/folders.h"
#include "store/ini.h"
#include "store/paths.h"
#include "store/records.h"

namespace vft {
namespace {

// How far past the release date (as yyyymmdd numbers, so a little over
// three years) the upgrade reminder starts.
constexpr long kUpgradeAfter = 30200;
constexpr long kBackupPeriodDays = 30;

constexpr const char* kFirstBackupTitle = "Backup your Vorlan Family Tree Records";
constexpr const char* kCloseTitle = "Close Vorlan Family Tree";

// A stored "yyyymmdd" that is a real calendar date.
bool parse_ymd(const std::string& text, Ymd& out) {
  if (text.size() != 8 || !cp1252::all_digits(text)) return false;
  out.year = std::stoi(text.substr(0, 4));
  out.month = std::stoi(text.substr(4, 2));
  out.day = std::stoi(text.substr(6, 2));
  return out.year >= 1 && out.day >= 1 && out.day <= DaysInMonth(out.year, out.month);
}

std::string join_lines(std::initializer_list<std::string> lines) {
  std::string out;
  for (const std::string& l : lines) out += (out.empty() ? "" : CrLf) + l;
  return out;
}

}  // namespace

bool RewriteSettingsRecord(Session& s) {
  if (cp1252::trim(s.WorkFolder).empty()) return true;
  return fileio::write_file(s.disk, s.work(recfile::Config), fileio::Data(s.Config.raw.data(), s.Config.raw.size()));
}

bool ExitAndSave(Session& s, FileDialogs& dialogs, WindowDocument& doc) {
  return GuardUnsavedWork(s, dialogs, doc, GuardFor::Exit);
}

bool UpgradeReminderDue(const Session& s, long release_date) {
  return TodayNumber(s) - release_date > kUpgradeAfter && IniReadInt(s, "Configure", "AskUpdate") <= 0;
}

std::string BackupDateText(const Session& s, const std::string& yyyymmdd) {
  Ymd d;
  if (!parse_ymd(yyyymmdd, d)) return {};
  return yyyymmdd.substr(6, 2) + " " + s.Messages.month_abbrev(d.month) + " " + yyyymmdd.substr(0, 4);
}

long DaysSinceBackup(const Session& s, const std::string& yyyymmdd) {
  Ymd then;
  if (!parse_ymd(yyyymmdd, then)) return -1;
  const LocalTime t = s.now();
  const long days = DayNumber({t.year, t.month, t.day}) - DayNumber(then);
  return days < 0 ? -1 : days;
}

bool BackupReminder(Session& s, const std::function<bool()>& backup) {
  if (s.Config.NumPersons() < 1) return true;
  auto make_backup = [&] { return backup ? backup() : false; };
  const std::string today = std::to_string(TodayNumber(s));
  const std::string last = cp1252::trim(IniReadText(s, "Backup", "LastBackup"));
  bool backed_up = false;
  if (last.empty()) {
    const std::string text =
        join_lines({"This appears to be the first time you have been asked if you want to ",
                    "make a safety backup of your family tree records.",
                    "Vorlan Family Tree can be set to remind you to make a safety backup ",
                    "every time you exit Vorlan Family Tree after making any changes  ",
                    "or, if you prefer, remind you to make a backup every 30 days.",
                    "Do you wish to make a backup of your Vorlan Family Tree records ", "now (recommended)?"});
    if (s.prompter->ask({kFirstBackupTitle, text, Buttons::YesNo, Icon::Question, 0, "backup"}) == kAnswerYes) {
      backed_up = make_backup();
    } else {
      // Not kept, the question only comes again at the next exit.
      (void)IniWrite(s, "Backup", "LastBackup", today);
      s.ask(kFirstBackupTitle, "You will be reminded again after 30 days.", Buttons::OK, Icon::Information);
    }
  } else if (!cp1252::iequals(last, "No") && DaysSinceBackup(s, last) > kBackupPeriodDays) {
    const std::string text =
        join_lines({"The last time you backed up your Vorlan Family Tree ", "records was on " + BackupDateText(s, last),
                    "Do you wish to backup your records now?"});
    if (s.ask(kCloseTitle, text, Buttons::YesNo, Icon::Question) == kAnswerYes) {
      backed_up = make_backup();
    } else {
      const bool again = s.ask(kCloseTitle, "Do you wish to be reminded again to backup in 30 days time?",
                               Buttons::YesNo, Icon::Question) == kAnswerYes;
      (void)IniWrite(s, "Backup", "LastBackup", again ? today : "No");  // as above
    }
  }
  // A backup made a moment ago holds every change; asking again would only
  // make a second, identical one.
  if (!backed_up && IniReadInt(s, "Backup", "Remind") == 1 && !s.NothingChanged) {
    const int answer =
        s.ask(kCloseTitle, "Do you wish to backup your records now?", Buttons::YesNoCancel, Icon::Question);
    if (answer == kAnswerYes) make_backup();
    else if (answer != kAnswerNo) return false;
  }
  return true;
}

void FinishExit(Session& s) {
  s.Lock.release();
  RemoveWorkFolder(s);
  // The program is ending: all a failure can cost is that the next start does
  // not open this file by itself, which the Open dialog mends.
  (void)IniWriteMany(s, {{"FilePaths", "CurrentFile", FileNameOf(s.CurrentFilePath)},
                         {"FilePaths", "FileLoadPath", FolderOf(s.CurrentFilePath)}});
}

bool EndWithoutAsking(Session& s) {
  if (s.RecordsSaved) {
    FinishExit(s);
    return false;
  }
  s.Lock.release();
  return true;
}

bool RunExitPath(Session& s, FileDialogs& dialogs, WindowDocument& doc, const ExitHooks& hooks) {
  if (!RewriteSettingsRecord(s)) {
    // The save below packs the counts held in memory, so nothing is lost.
  }
  if (!ExitAndSave(s, dialogs, doc)) return false;
  if (UpgradeReminderDue(s) && hooks.upgrade_reminder) hooks.upgrade_reminder();
  if (!BackupReminder(s, hooks.backup)) return false;
  if (hooks.leaving) hooks.leaving();
  FinishExit(s);
  return true;
}

}  // namespace vft
