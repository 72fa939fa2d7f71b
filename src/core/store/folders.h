// Where the program's files live, and the life of the work folder.
//
// Start-up order (the splash load): AppDataFolder and ProgramFolder into the
// session, CreateWorkFolder, MigrateSettingsFile, RenewPasswordAfterMigration
// when a migration happened, the password prompt when a password is stored,
// then LoadSettings. At exit, RemoveWorkFolder.
#pragma once
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/clock.h"

namespace vft {

class Session;

// Looks up an environment variable; nullopt when it is not set. Core never
// reads the environment itself, so tests can give any.
using EnvLookup = std::function<std::optional<std::string>(std::string_view name)>;
// The process environment, for the front ends.
EnvLookup SystemEnvironment();
// Folder of the running executable (no trailing separator), empty when the
// system will not say.
std::string ExecutableFolder();

// The program's own files (help, welcome text, the default settings file), no
// trailing separator: VFT_PROGRAM_FOLDER when set; else the installed
// share/vorlan-family-tree beside the executable's folder
// (`executable_folder`/../share/vorlan-family-tree); else `source_resources`
// (the source tree's resources/ when run from a build tree). When neither
// folder exists the installed one is named, so messages show where the files
// belong.
std::string ProgramFolder(const EnvLookup& env, const std::string& executable_folder,
                          const std::string& source_resources);
// The per-user data folder, ending with "/": VFT_APPDATA, else $XDG_DATA_HOME
// (when absolute), else $HOME/.local/share. Empty (the current folder) when
// none of them is known.
std::string AppDataFolder(const EnvLookup& env);

// "hhmmss" of a time.
std::string WorkFolderName(const LocalTime& t);
// When the session has no work folder yet: creates the settings folder
// (AppDataFolder + "Vorlan Family Tree/") and in it a new work folder named by
// the start time, "hhmmss/", or "hhmmss-2/", "hhmmss-3/", ... when that name is
// taken (two starts in one second, or a folder left by a crashed run).
// False when no folder could be made; the session's WorkFolder is then blank.
bool CreateWorkFolder(Session& s);
// Exit: deletes every file in the work folder and removes the folder.
// Sub-folders are never touched (nothing of ours lives there).
void RemoveWorkFolder(Session& s);
// Work folders of other runs that still hold a settings record (a run that
// ended abnormally), full paths ending with "/", the most recently used
// first; the session's own work folder is never listed.
std::vector<std::string> FindLeftoverWorkFolders(const Session& s);

// The old place of the settings file, kept for users who come from the
// program's earlier home: AppDataFolder + "VFTTemp/".
std::string OldSettingsFolder(const Session& s);
// When the settings file does not exist yet: moves it from the old folder if
// there is one there (then deletes that folder's files and the folder), else
// copies the program folder's default "Vorlan.In~". Returns true when a file
// was moved from the old folder, so the password renewal must run. Errors are
// ignored: a first start works without any settings file.
bool MigrateSettingsFile(Session& s);

// Removes every file directly in `folder` (links are removed, never followed;
// sub-folders are left alone), then the folder itself when that emptied it.
bool RemoveFilesAndFolder(const std::string& folder);

}  // namespace vft
