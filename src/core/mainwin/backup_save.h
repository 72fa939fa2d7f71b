// A plain backup: the Family file written into a file the user picks, with
// the settings that remember it. The backup dialog with its folder choice and
// reminder box builds on this; until it exists the Backup entry and the exit
// reminder use the file choice alone.
#pragma once
#include "common/file_dialogs.h"
#include "store/session.h"

namespace vft {

// Asks for the file (starting in the backup folder, proposing the open
// file's name or "My Family Backup.vfl"), corrects its extension after the
// user's OK, writes it and reports the outcome. The tree's own saved state
// does not change: a backup is not the user's document. True when written.
bool BackupToChosenFile(Session& s, FileDialogs& dialogs);

// The settings that remember a backup just written to `path` (its folder, the
// day and the number of living persons; the reminder choice when given), in one
// write. The text to tell after the success message: empty when they were
// kept, else why the next reminder will not know of this backup.
std::string RememberBackup(Session& s, const std::string& path, const bool* remind = nullptr);

}  // namespace vft
