// Shared by the disconnect, delete, re-arrange and orphan window tests: a
// small family on a temporary session, and helpers that find controls by
// objectName and act on the modal dialog that a Run... function opens.
#pragma once
#include <gtest/gtest.h>

#include <QApplication>
#include <QTimer>
#include <functional>
#include <string>
#include <vector>

#include "common/cp1252.h"
#include "store/records.h"
#include "temp_session.h"
#include "tree_builder.h"
#include "widget_find.h"

namespace vft::test {

using vft::test::child;

// Runs `act` on the modal dialog that the next exec() opens, looking for it
// every few milliseconds up to `tries` times (a dialog opened while another
// is closing comes a moment later). `seen` counts the dialogs reached, so a
// test can tell that none was opened; such tests pass tries = 1 and wait a
// moment for the look to happen.
inline void on_modal(std::function<void(QWidget&)> act, int* seen = nullptr, int tries = 200) {
  QTimer::singleShot(tries > 1 ? 5 : 0, [act = std::move(act), seen, tries]() mutable {
    QWidget* w = QApplication::activeModalWidget();
    if (!w || !w->isVisible()) {
      if (tries > 1) on_modal(std::move(act), seen, tries - 1);
      return;
    }
    if (seen) ++*seen;
    act(*w);
  });
}

// Dan + Meg (family 3) with children Ann, Bob, Cy; Bob + Eve (family 5) with
// children Kim and Lee.
class FamilyWindows : public ::testing::Test {
 protected:
  TempSession t;
  Session& s = t.s;
  TreeBuilder b{s};
  std::int16_t dan = 0, meg = 0, ann = 0, bob = 0, cy = 0, eve = 0, kim = 0, lee = 0, parents = 0, couple = 0;
  std::vector<std::string> status_lines;
  std::vector<std::string> help_topics;

  void SetUp() override {
    dan = b.person("Dan", "Dale", "M");
    meg = b.person("Meg", "Moss", "F");
    parents = b.family(dan, meg, "1 May 1950", "Leeds");
    ann = b.child(parents, "Ann", "Dale", "F");
    bob = b.child(parents, "Bob", "Dale", "M");
    cy = b.child(parents, "Cy", "Dale", "M");
    eve = b.person("Eve", "East", "F");
    couple = b.family(bob, eve, "2 Jun 1975", "York");
    kim = b.child(couple, "Kim", "Dale", "F");
    lee = b.child(couple, "Lee", "Dale", "M");
    s.on_status = [this](const std::string& text) { status_lines.push_back(text); };
    s.on_help = [this](const std::string& topic) { help_topics.push_back(topic); };
    s.RecordsSaved = true;
  }
  void select(std::int16_t p) {
    b.select(p);
    s.Config.setLastPerson(p);
  }
  MarriageRecord& fam(std::int16_t m) { return s.Marriages[static_cast<std::size_t>(m)]; }
  std::vector<std::int16_t> kids(std::int16_t m) {
    return std::vector<std::int16_t>(fam(m).Kids.begin(), fam(m).Kids.begin() + fam(m).NumKids);
  }
  std::string box_text(std::size_t i) const {
    return i < t.prompter.shown.size() ? t.prompter.shown[i].text : "<no box>";
  }
};

}  // namespace vft::test
