// Connects the windows to the main window's commands. Each window is modal and
// reached through a hook, so the main window knows none of them.
#include "editing_windows.h"
#include "frm_famtree.h"
#include "frm_support.h"

namespace vft::ui {

void install_windows(frmFamtree& w, Session& s, FileDialogs& dialogs) {
  (void)dialogs;
  EditingHooks h = w.hooks();
  h.about = [&s, &w] { RunAbout(s, &w); };
  h.tech_info = [&s, &w] { RunTechInfo(s, &w); };
  w.set_hooks(h);
  w.upgrade_reminder = [&s, &w] { RunUpgradeReminder(s, &w); };
  w.open_help = [&s] { s.help("main"); };
}

}  // namespace vft::ui
