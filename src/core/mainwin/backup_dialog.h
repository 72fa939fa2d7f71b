// The backup dialog without its window: what it shows, the Select button's
// folder browser and OK, which checks the folder, asks for the file and
// writes the backup. The window only shows the form and acts on BackupNext.
#pragma once
#include <functional>
#include <string>

#include "common/file_dialogs.h"
#include "store/session.h"

namespace vft {

inline constexpr const char* kBackupDialogTitle = "Backup Vorlan Family Tree Records";
inline constexpr const char* kSelectBackupFolderTitle = "Select the folder where you wish to store your backup.";

struct BackupForm {
  std::string StoredFolder;  // "CurBackupPath" when the dialog opened
  std::string Folder;        // the folder box
  bool Remind = false;       // the reminder box
};

// The form as the dialog opens: the stored folder in the box, the reminder
// box as the settings file has it.
BackupForm LoadBackupForm(const Session& s);
// "Current backup folder is: " + the stored folder.
std::string BackupFolderCaption(const BackupForm& f);
// The instruction text, lines joined with CrLf: how to choose a folder when
// none is stored, how to go on when one is.
std::string BackupInstructions(const BackupForm& f);

// Select: the folder browser, starting in the folder of the box (or at the
// top of the file system). The chosen folder; empty when cancelled.
std::string SelectBackupFolder(FileDialogs& dialogs, const std::string& folder_box);

enum class BackupNext {
  Stay,         // the dialog stays open as it is
  FocusFolder,  // the dialog stays open with the focus in the folder box
  Cancelled,    // the user gave the backup up: the dialog closes
  Done,         // the backup is written: the dialog has been closed
};

// OK. `close` runs once the backup is written, before the success message,
// so the message stands on its own.
BackupNext BackupOK(Session& s, FileDialogs& dialogs, const BackupForm& f, const std::function<void()>& close = {});

}  // namespace vft
