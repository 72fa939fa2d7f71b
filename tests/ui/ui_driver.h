// Drives the real main window and the modal windows its commands chain, as a
// user would: each expected window is waited for by objectName (see
// ModalDriver), then its controls are found by objectName, typed into and
// clicked.
#pragma once
#include <gtest/gtest.h>

#include <QAction>
#include <memory>
#include <string>
#include <vector>

#include "common/cp1252.h"
#include "mainwindow/editing_windows.h"
#include "mainwindow/family_view.h"
#include "mainwindow/frm_famtree.h"
#include "common/file_dialogs.h"
#include "relations/lookups.h"
#include "relations/person_io.h"
#include "store/records.h"
#include "tree_fixture.h"
#include "widget_find.h"

namespace vft::test {

// Types a new person into the person editor and presses OK.
inline ModalDriver::Action new_person(const char* given, const char* family = nullptr, const char* sex = nullptr) {
  return [=](QWidget* e) {
    if (family) type(e, "Text_0", family);
    type(e, "Text_1", given);
    if (sex) type(e, "Text_16", sex);
    click(e, "butOKEdit");
  };
}
// A position typed into frmListSequence, then OK.
inline ModalDriver::Action position(const char* digits) {
  return [=](QWidget* l) {
    type(l, "Text1", digits);
    click(l, "Command1");
  };
}
// The person picker: a Person number typed into the family name box finds
// that person at once.
inline ModalDriver::Action pick_number(std::int16_t n) {
  return [=](QWidget* f) {
    type(f, "txtFamName", QString::number(n));
    click(f, "Command1_0");
  };
}
inline ModalDriver::Action press(const char* button) {
  return [=](QWidget* w) { click(w, button); };
}
// A question window: its question shown (the words are the model's), then a button.
inline ModalDriver::Action answer(const char* button) {
  return [=](QWidget* q) {
    EXPECT_FALSE(label_text(q, "Label1").isEmpty());
    click(q, button);
  };
}

// The real main window, with every window installed, over the tree a test
// builds with `b`.
class Workflow : public TreeFixture {
 protected:
  ScriptedPrompter& boxes = t.prompter;
  ScriptedFileDialogs dialogs;
  std::unique_ptr<vft::ui::frmFamtree> w;

  // A tree just saved, with p selected, in a freshly opened main window.
  void open_saved_tree_at(std::int16_t p, bool with_windows = true) {
    s.Config.setLastPerson(p);
    ASSERT_TRUE(WriteConfig(s));
    s.RecordsSaved = true;
    open_window(with_windows);
  }
  // Without the windows, every command that needs one stays disabled.
  void open_window(bool with_windows = true) {
    w = std::make_unique<vft::ui::frmFamtree>(s, dialogs);
    w->open_help = [] {};
    w->on_exit = [] {};
    if (with_windows) vft::ui::install_windows(*w, s, dialogs);
    w->LoadWindow();
    w->resize(1366, 768);
  }
  // Shows p in the main window with its partnership row `partner`.
  void show_person(std::int16_t p, int partner = 0) {
    s.Config.setLastPerson(p);
    s.Rel.DisplayedPartner = partner;
    w->RefreshFamilyView();
    ASSERT_EQ(selected(), p);
  }
  // The main window's buttons and menu commands, which must be there.
  QPushButton* button(const char* name) { return must(w->button(name), name); }
  QAction* action(const char* name) { return must(w->action(name), name); }
  std::int16_t selected() const { return w->view()->model().Selected; }

  // p's partners in partnership order.
  std::vector<std::int16_t> partner_list(std::int16_t p) {
    std::vector<std::int16_t> out;
    const PartnerList l = ListPartners(s, p);
    for (int i = 0; i < l.count; ++i) out.push_back(l.rows[static_cast<std::size_t>(i)].Partner);
    return out;
  }
  // The living person whose given names are `name`; 0 when none.
  std::int16_t number_of(const std::string& name) {
    for (int n = 1; n <= s.Config.NumPersons(); ++n) {
      const PersonRecord p = b.read(static_cast<std::int16_t>(n));
      if (cp1252::trim(p.GivenNames) == name && p.Deleted == 0) return static_cast<std::int16_t>(n);
    }
    return 0;
  }
};

}  // namespace vft::test
