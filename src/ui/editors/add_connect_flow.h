// The whole add and connect operations: frmConnectAs and the small dialogs
// after it, ending in the person editor, the marriage editor, the person
// picker or a link operation. The editors and the picker are steps passed in,
// so the flow can be driven with stand-ins.
#pragma once
#include <cstdint>
#include <functional>
#include <string>

#include "store/session.h"
#include "mainwindow/editing_windows.h"

class QWidget;

namespace vft::ui {

struct FlowSteps {
  std::function<EditPersonOutcome()> edit_new_person;                   // frmEditPerson for the new person
  std::function<MarriageNext(MarriageMode)> marriage;                   // frmMarriageInput
  std::function<std::int16_t(const std::string& caption)> pick_person;  // person picker, 0 = cancelled
  int notice_ms = 1500;                                                 // how long the self-closing notices stay up
};

// AddMode is set by the caller; with no person on record (or while the first
// person is being added) the person editor opens directly.
void RunAddPerson(Session& s, QWidget* parent, const FlowSteps& steps);
// ConnectMode is set by the caller.
void RunConnectPerson(Session& s, QWidget* parent, const FlowSteps& steps);

}  // namespace vft::ui
