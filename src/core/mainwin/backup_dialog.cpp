#include "mainwin/backup_dialog.h"

#include <filesystem>
#include <system_error>

#include "common/cp1252.h"
#include "common/sentence.h"
#include "mainwin/commands.h"
#include "store/familyfile.h"
#include "store/ini.h"
#include "store/paths.h"

namespace vft {
namespace {

constexpr const char* kPathTitle = "Configure Backup Path";
constexpr const char* kResultTitle = "Backup Vorlan Family Tree Records File";

bool is_folder(const std::string& path) {
  std::error_code ec;
  return std::filesystem::is_directory(path, ec);
}

// Step 2: a folder that is not there yet is made only when the user agrees.
BackupNext ensure_folder(Session& s, const std::string& folder) {
  if (is_folder(folder)) return BackupNext::Done;
  if (s.ask("Backup Path", Sentence({"The Folder:", folder, "was not found.", "Do you want to create it?"}),
            Buttons::YesNo, Icon::Question) != kAnswerYes)
    return BackupNext::Stay;
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  if (is_folder(folder)) return BackupNext::Done;
  // A name taken by a file, or a place the user may not write to.
  s.ask("Backup Path", Sentence({"The Folder:", folder, "could not be created."}), Buttons::OK, Icon::Critical);
  return BackupNext::FocusFolder;
}

// Step 3: OK with nothing in the folder box.
BackupNext no_folder(Session& s) {
  if (s.ask(kPathTitle, "You need to enter a drive and folder to store the backup file into.", Buttons::OKCancel,
            Icon::Exclamation) == kAnswerOK)
    return BackupNext::FocusFolder;
  if (s.ask("Configure Backup", "Do you wish wish to cancel the backup?", Buttons::YesNo, Icon::Question) == kAnswerYes)
    return BackupNext::Cancelled;
  return BackupNext::FocusFolder;
}

std::string proposed_name(const Session& s) {
  std::string name = cp1252::trim(FileNameOf(cp1252::trim(s.CurrentFilePath)));
  return name.empty() ? "My Family Backup.vfl" : name;
}

// The settings that remember a backup just written to `path`, in one write.
// The text to add to the success message: empty when they were kept, else why
// the next reminder will not know of this backup.
std::string remember_backup(Session& s, const std::string& path, bool remind) {
  const std::vector<IniValue> values = {{"Backup", "Remind", remind ? "1" : "0"},
                                        {"Backup", "CurBackupPath", FolderOf(path)},
                                        {"Backup", "LastBackup", std::to_string(TodayNumber(s))},
                                        {"Backup", "LastBackupNumPer", std::to_string(LivingPersons(s))}};
  if (IniWriteMany(s, values)) return {};
  return std::string(CrLf) + CrLf + SettingsNotKept(s) + CrLf +
         "The next backup reminder will not know of this backup.";
}

}  // namespace

BackupForm LoadBackupForm(const Session& s) {
  BackupForm f;
  f.StoredFolder = cp1252::trim(IniReadText(s, "Backup", "CurBackupPath"));
  f.Folder = f.StoredFolder;
  f.Remind = IniReadInt(s, "Backup", "Remind") == 1;
  return f;
}

std::string BackupFolderCaption(const BackupForm& f) { return "Current backup folder is: " + f.StoredFolder; }

std::string BackupInstructions(const BackupForm& f) {
  if (cp1252::trim(f.StoredFolder).empty())
    return std::string("Please select a drive and folder to store your backup file to.") + CrLf +
           "To do this click the 'Select' button and navigate to the drive and" + CrLf +
           "folder where you wish to store your backup files then click 'OK'.";
  return std::string(" Click 'OK' to back up your Vorlan Family Tree records or click ") +
         "'Select' to change the backup drive or folder.";
}

std::string SelectBackupFolder(FileDialogs& dialogs, const std::string& folder_box) {
  const std::string start = cp1252::trim(folder_box);
  FileRequest r;
  r.title = kSelectBackupFolderTitle;
  r.folder = is_folder(start) ? start : std::string("/");
  return cp1252::trim(dialogs.choose_folder(r));
}

BackupNext BackupOK(Session& s, FileDialogs& dialogs, const BackupForm& f, const std::function<void()>& close) {
  const std::string folder = cp1252::trim(f.Folder);
  if (folder.empty()) return no_folder(s);
  if (!ValidPath(folder)) {
    s.ask(kPathTitle, "The path name you entered is invalid.", Buttons::OK, Icon::Critical);
    return BackupNext::FocusFolder;
  }
  if (BackupNext n = ensure_folder(s, folder); n != BackupNext::Done) return n;

  FileRequest r{"Backup Family File As", kVflSaveFilter, "vfl", folder, proposed_name(s)};
  const std::string chosen = dialogs.save_file(r);
  if (cp1252::trim(chosen).empty()) return BackupNext::Stay;
  const ExtensionFix fix = CorrectVflExtension(chosen);
  if (!fix.message.empty() &&
      s.ask("Backup Family File", fix.message, Buttons::OKCancel, Icon::Exclamation) != kAnswerOK)
    return BackupNext::Stay;

  // A backup is not the user's document: whether the tree has unsaved
  // changes is the same after it as before.
  const bool saved_before = s.RecordsSaved;
  std::string why;
  const bool ok = SaveFamilyFile(s, s.WorkFolder, fix.path, SaveTarget::Copy, &why) == -1;
  s.RecordsSaved = saved_before;
  if (!ok) {
    // Without a reason the user has been told already, or chose not to write.
    if (!why.empty())
      s.ask(kResultTitle, "Your Vorlan Family Tree records file backup failed." + std::string(CrLf) + why, Buttons::OK,
            Icon::Critical);
    return BackupNext::Stay;
  }
  const std::string unkept = remember_backup(s, fix.path, f.Remind);
  if (close) close();
  s.ask(kResultTitle, std::string(CrLf) + "Your backup was successful." + unkept, Buttons::OK, Icon::Information);
  return BackupNext::Done;
}

}  // namespace vft
