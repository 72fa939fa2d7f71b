// What the Help menu's support windows say: the about text, the technical
// information a user sends with a support request, the help page a window's
// Help button opens, and the answer to the reminder to look for a newer
// version. The windows gather the system's values; composing them is here.
#pragma once
#include <cstdint>
#include <functional>
#include <string>

#include "store/session.h"

namespace vft {

std::string AboutText();

struct TechInfoValues {
  std::string version;  // VersionText()
  std::string program_folder;
  std::string settings_folder;
  std::string work_folder;
  std::string family_file;  // the Family file open now; empty when none
  long persons = 0;         // persons on record, deleted ones included
  long families = 0;
  std::string printer;           // the default printer; empty when none
  std::int64_t free_bytes = -1;  // free space where the work folder lives; -1 unknown
  std::string system;            // the operating system's name and version
  std::string toolkit;           // the window toolkit's version
};

// One "Label: value" line per item, CRLF between lines, ready for the
// clipboard or an e-mail.
std::string TechInfoText(const TechInfoValues& v);
// "12.3 GB", "512 MB", "800 KB", "Unknown".
std::string FreeSpaceText(std::int64_t bytes);

// The page a window's help opens: help/<topic>.html in the program folder,
// else help/index.html when the topic has no page; empty when neither
// exists. `exists` asks the file system.
std::string HelpPagePath(const std::string& program_folder, const std::string& topic,
                         const std::function<bool(const std::string&)>& exists);

// The upgrade reminder's "do not remind me again": stored as AskUpdate 1, so
// UpgradeReminderDue stays false from then on.
bool StopUpgradeReminder(Session& s);

}  // namespace vft
