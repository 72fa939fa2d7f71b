#include "mainwin/backup_save.h"

#include "common/cp1252.h"
#include "mainwin/commands.h"
#include "store/familyfile.h"
#include "store/ini.h"
#include "store/paths.h"

namespace vft {

bool BackupToChosenFile(Session& s, FileDialogs& dialogs) {
  std::string proposed = cp1252::trim(FileNameOf(s.CurrentFilePath));
  if (proposed.empty()) proposed = "My Family Backup.vfl";
  FileRequest r{"Backup Family File As", kVflSaveFilter, "vfl", IniReadText(s, "Backup", "CurBackupPath"), proposed};
  const std::string chosen = dialogs.save_file(r);
  if (cp1252::trim(chosen).empty()) return false;
  ExtensionFix fix = CorrectVflExtension(chosen);
  if (!fix.message.empty() &&
      s.ask("Backup Family File", fix.message, Buttons::OKCancel, Icon::Exclamation) != kAnswerOK)
    return false;

  const bool saved_before = s.RecordsSaved;
  std::string why;
  const bool ok = SaveFamilyFile(s, s.WorkFolder, fix.path, SaveTarget::Copy, &why) == -1;
  s.RecordsSaved = saved_before;
  const char* title = "Backup Vorlan Family Tree Records File";
  if (!ok) {
    // Without a reason the user has been told already, or chose not to write.
    if (!why.empty())
      s.ask(title, "Your Vorlan Family Tree records file backup failed." + std::string(CrLf) + why, Buttons::OK,
            Icon::Critical);
    return false;
  }
  s.ask(title, std::string(CrLf) + "Your backup was successful." + RememberBackup(s, fix.path), Buttons::OK,
        Icon::Information);
  return true;
}

std::string RememberBackup(Session& s, const std::string& path, const bool* remind) {
  std::vector<IniValue> values;
  if (remind) values.push_back({"Backup", "Remind", *remind ? "1" : "0"});
  values.push_back({"Backup", "CurBackupPath", FolderOf(path)});
  values.push_back({"Backup", "LastBackup", std::to_string(TodayNumber(s))});
  values.push_back({"Backup", "LastBackupNumPer", std::to_string(LivingPersons(s))});
  if (IniWriteMany(s, values)) return {};
  return std::string(CrLf) + CrLf + SettingsNotKept(s) + CrLf + "The next backup reminder will not know of this backup.";
}

}  // namespace vft
