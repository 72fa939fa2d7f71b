// Connects the windows to the main window's commands. Each window is modal and
// reached through a hook, so the main window knows none of them; the add and
// connect flow gets the real editors and picker as its steps here.
#include "editors/add_connect_flow.h"
#include "mainwindow/editing_windows.h"
#include "mainwindow/family_view.h"
#include "mainwindow/frm_famtree.h"
#include "editors/frm_find_person.h"
#include "dialogs/frm_support.h"

namespace vft::ui {
namespace {

FlowSteps real_steps(Session& s, QWidget* parent, const std::string& fitted_name) {
  FlowSteps steps;
  steps.edit_new_person = [&s, parent] { return RunEditPerson(s, parent, 0); };
  steps.marriage = [&s, parent](MarriageMode mode) { return RunMarriageInput(s, parent, mode); };
  // The picker names the selected person as its box in the family view does.
  steps.pick_person = [&s, parent, fitted_name](const std::string&) -> std::int16_t {
    PickResult r = RunFindPerson(s, fitted_name, parent, {}, [&s] { s.help("find_person"); });
    return r.step == PickStep::Connect ? r.number : std::int16_t{0};
  };
  return steps;
}

std::string selected_box_name(frmFamtree& w) { return w.view()->model().slot(Slot::Selected).Name; }

}  // namespace

void RunAddPerson(Session& s, QWidget* parent) {
  auto* w = qobject_cast<frmFamtree*>(parent);
  RunAddPerson(s, parent, real_steps(s, parent, w ? selected_box_name(*w) : std::string()));
}

void RunConnectPerson(Session& s, QWidget* parent) {
  auto* w = qobject_cast<frmFamtree*>(parent);
  RunConnectPerson(s, parent, real_steps(s, parent, w ? selected_box_name(*w) : std::string()));
}

void install_windows(frmFamtree& w, Session& s, FileDialogs& dialogs) {
  EditingHooks h = w.hooks();
  QWidget* parent = &w;
  h.edit_person = [&s, &w] {
    if (w.view()->model().Selected >= 1) RunEditPerson(s, &w, w.view()->model().Selected);
  };
  h.add_person = [&s, parent] { RunAddPerson(s, parent); };
  h.connect = [&s, parent] { RunConnectPerson(s, parent); };
  h.edit_marriage = [&s, parent] { RunMarriageInput(s, parent, MarriageMode::Edit); };
  h.disconnect = [&s, parent] { RunDisconnect(s, parent); };
  h.delete_person = [&s, parent] { RunDeletePerson(s, parent); };
  h.arrange = [&s, parent] { RunArrange(s, parent); };
  h.print = [&s, parent](int request) { RunPrintPreview(s, parent, request); };
  h.print_menu = [&s, parent] { RunPrintWhat(s, parent); };
  h.printer_setup = [&s, parent] { RunPrinterSetup(s, parent); };
  h.gedcom_export = [&s, &dialogs, parent] { RunGedcomExport(s, dialogs, parent); };
  h.web_pages = [&s, parent] { RunWebPages(s, parent); };
  h.options = [&s, parent] { RunOptions(s, parent); };
  h.tech_info = [&s, parent] { RunTechInfo(s, parent); };
  w.set_hooks(h);
  w.upgrade_reminder = [&s, parent] { RunUpgradeReminder(s, parent); };
  w.open_help = [&s] { s.help("main"); };
}

}  // namespace vft::ui
