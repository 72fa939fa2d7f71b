// Long seeded random sequences of additions, connections, disconnections,
// deletions, re-arrangements, orphan deletions, undos, redos and jumps through
// the history on generated trees, some with a write that fails. After every
// step the tree must pass the tree check and the marriage table must agree
// with vorlan.mar; a model that keeps the record files after every change
// says what each undo, redo or jump must give back, byte for byte.
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <functional>
#include <string>
#include <vector>

#include "relations/add_person.h"
#include "relations/arrange.h"
#include "relations/connect.h"
#include "relations/delete_person.h"
#include "relations/disconnect.h"
#include "relations/family_ops.h"
#include "relations/lookups.h"
#include "relations/orphans.h"
#include "relations/person_io.h"
#include "relations/tree_check.h"
#include "relations/undo.h"
#include "store/file_io.h"
#include "store/record_transaction.h"
#include "store/records.h"
#include "temp_session.h"
#include "tree_builder.h"
#include "tree_gen.h"
#include "tree_gen_data.h"

using namespace vft;

namespace {

constexpr const char* kStepNames[] = {"add", "connect", "disconnect", "delete", "arrange", "orphans"};
// How often each step is picked, in percent.
constexpr int kStepPercent[] = {30, 25, 15, 10, 13, 7};
// The relations an addition picks from, in the order it numbers them.
constexpr bool RelationState::*kAs[] = {&RelationState::AsFather,  &RelationState::AsMother,
                                        &RelationState::AsSibling, &RelationState::AsChild,
                                        &RelationState::AsPartner, &RelationState::AsUnrelated};

class RandomRun {
 public:
  RandomRun(std::uint64_t seed) : rng_(seed) {
    test::generate_tree(s, {.seed = seed, .persons = 40, .marriages = 30});
    select(s.Config.LastPerson());
  }

  // An operation may well be refused (its box says why); what it must never
  // do on a sound disk is fail a write.
  void ran(bool /*linked*/) { EXPECT_TRUE(faulty_ || s.disk.failure().error == 0) << trace_; }

  // Runs `steps` steps; stops at the first failure so the report names it.
  void run(int steps) {
    const std::function<void()> kinds[] = {[this] { add(); },    [this] { connect(); }, [this] { disconnect(); },
                                           [this] { remove(); }, [this] { arrange(); }, [this] { orphans(); }};
    states_ = {test::snapshot(s)};
    for (step_ = 0; step_ < steps && !::testing::Test::HasFailure(); ++step_) {
      if (chance(25)) {
        move();
        continue;
      }
      int kind = 0;
      for (int r = rng_.below(100); r >= kStepPercent[kind]; ++kind) r -= kStepPercent[kind];
      trace_ = std::string(kStepNames[kind]) + " at step " + std::to_string(step_) + " (selected " +
               std::to_string(c()) + ")";
      expect_config_in_step();
      const std::size_t pos = s.History.pos;
      // Faults only where the operation reports them by its result.
      faulty_ = (kind == 2 || kind == 3) && chance(15);
      if (faulty_) s.disk.fail_at(1 + rng_.below(8), ENOSPC);
      {
        RecordTransaction tx(s);  // one change of the window, one step
        kinds[kind]();
      }
      s.disk.clear_faults();
      t.prompter.answers.clear();
      ResetRelationState(s);
      expect_sound();
      if (s.History.pos == pos + 1 && s.History.steps.size() == pos + 1) {
        states_.resize(pos + 1);
        states_.push_back(test::snapshot(s));
      } else if (faulty_ && s.History.steps.empty()) {
        states_ = {test::snapshot(s)};  // made without Undo, as the user chose
      } else {
        EXPECT_EQ(s.History.pos, pos) << trace_;
        EXPECT_TRUE(test::snapshot(s) == states_.at(pos)) << trace_ << ": no step, but the records changed";
      }
      faulty_ = false;
      reselect();
    }
    if (::testing::Test::HasFailure()) return;
    trace_ = "undo all";
    ASSERT_TRUE(s.History.pos == 0 || MoveToStep(s, 0));
    EXPECT_TRUE(test::snapshot(s) == states_.front()) << trace_;
    trace_ = "redo all";
    ASSERT_TRUE(s.History.steps.empty() || MoveToStep(s, s.History.steps.size()));
    EXPECT_TRUE(test::snapshot(s) == states_.back()) << trace_;
    expect_sound();
  }

  // Undo, Redo or a jump, now and then with a write that fails.
  void move() {
    const std::size_t pos = s.History.pos, count = s.History.steps.size();
    ASSERT_EQ(states_.size(), count + 1);
    if (count == 0) return;
    std::size_t to = rng_.below(static_cast<int>(count) + 1);
    if (chance(70)) to = chance(60) && pos > 0 ? pos - 1 : std::min(pos + 1, count);
    trace_ = "move from " + std::to_string(pos) + " to " + std::to_string(to) + " at step " + std::to_string(step_);
    const bool fault = chance(10);
    if (fault) s.disk.fail_at(1 + rng_.below(6), EIO);
    const bool moved = to == pos - 1 ? UndoLastStep(s) : to == pos + 1 ? RedoNextStep(s) : MoveToStep(s, to);
    s.disk.clear_faults();
    const std::size_t now = moved ? to : pos;
    EXPECT_TRUE(fault || moved == (to != pos)) << trace_;
    EXPECT_EQ(s.History.pos, now) << trace_;
    EXPECT_TRUE(test::snapshot(s) == states_.at(now)) << trace_;
    expect_sound();
    reselect();
  }

 private:
  test::TempSession t;
  Session& s = t.s;
  test::gen::Rng rng_;
  int step_ = 0;
  std::string trace_;
  bool faulty_ = false;
  std::vector<test::RecordFiles> states_;  // the record files after each step of the history

  bool chance(int percent) { return rng_.below(100) < percent; }
  std::int16_t c() const { return s.Rel.Selected.PerNum; }
  int persons() const { return s.Config.NumPersons(); }

  PersonRecord read(std::int16_t p) const {
    PersonRecord r;
    EXPECT_TRUE(ReadStoredPerson(s, p, r)) << trace_;
    return r;
  }
  bool live(std::int16_t p) const {
    PersonRecord r;
    return p >= 1 && p <= persons() && ReadStoredPerson(s, p, r) && r.Deleted == 0;
  }
  std::int16_t random_live() {
    for (int tries = 0; tries < 200; ++tries) {
      auto p = static_cast<std::int16_t>(1 + rng_.below(persons()));
      if (live(p)) return p;
    }
    return 0;
  }
  void select(std::int16_t p) {
    ASSERT_TRUE(SelectPersonForRelations(s, p)) << p;
    s.CurNum = p;
    s.Rel.DisplayedPartner = rng_.below(std::max(s.Rel.Partners.count, 1));
  }
  void reselect() {
    if (chance(60) || !live(c())) {
      if (std::int16_t p = random_live()) select(p);
    } else {
      select(c());
    }
  }

  // ---- checks

  Bytes stored(const char* name) const {
    auto data = fileio::read_all(s.work(name));
    return data ? *data : Bytes{};
  }

  void expect_config_in_step() {
    // Between operations the settings record in memory is the one on disk,
    // apart from the last person, which only the next write records.
    Bytes file = stored(recfile::Config);
    ASSERT_EQ(file.size(), kConfigLen) << trace_;
    Bytes mem(s.Config.raw.begin(), s.Config.raw.end());
    file[16] = mem[16];
    file[17] = mem[17];
    EXPECT_EQ(file, mem) << trace_;
  }

  void expect_sound() {
    for (const TreeViolation& v : CheckTree(s)) ADD_FAILURE() << trace_ << ": " << v.text;
    const Bytes mar = stored(recfile::Marriage);
    ASSERT_GE(mar.size(), static_cast<std::size_t>(FamilyCount(s)) * kMarriageLen) << trace_;
    for (int m = 1; m <= FamilyCount(s); ++m)
      EXPECT_EQ(s.Marriages[static_cast<std::size_t>(m)],
                decode_marriage(mar.data() + static_cast<std::size_t>(m - 1) * kMarriageLen))
          << trace_ << ": family " << m;
    EXPECT_EQ(s.DeletedCount, CountDeletedPersons(s)) << trace_;
  }

  // ---- the person editor's part of an addition: store a new person

  std::int16_t save_new(char sex) {
    if (persons() >= 14990) return 0;
    s.Config.setNumPersons(static_cast<std::int16_t>(persons() + 1));
    s.Editing.Person2 = blank_person();
    s.Editing.Person2.GivenNames = "Given" + std::to_string(persons());
    s.Editing.Person2.FamName = chance(10) ? "Unknown" : "Fam" + std::to_string(rng_.below(20));
    s.Editing.Person2.Sex = std::string(1, sex);
    s.Editing.Person2.BirthDate = "1 Jan 19" + std::to_string(10 + rng_.below(90));
    const std::string notes =
        chance(30) ? "Notes of " + std::to_string(persons()) + std::string(rng_.below(120), 'x') : "";
    EXPECT_TRUE(AddPersonRecord(s, s.Editing.Person2, notes)) << trace_;
    return persons();
  }

  char random_sex() { return "MF "[rng_.below(chance(90) ? 2 : 3)]; }
  static char other(char sex) { return sex == 'M' ? 'F' : 'M'; }

  void marriage_editor() {
    s.Editing.MarBuf.Divorced = chance(20) ? -1 : 0;
    s.Editing.MarBuf.NotMarried = s.Editing.MarBuf.Divorced ? 0 : (chance(20) ? -1 : 0);
    s.Editing.CerBuf = {"2 Feb 19" + std::to_string(30 + rng_.below(70)), "Place " + std::to_string(step_)};
  }

  void add() {
    const char csex = SexOf(s.Rel.Selected);
    // The dialogs ask for the selected person's sex before a parent, partner
    // or child is added; a person without one only gets siblings or strangers.
    const int relation = csex ? rng_.below(6) : (chance(50) ? 2 : 5);
    RelationState& r = s.Rel;
    char sex = random_sex();
    if (relation < 2) sex = "MF"[relation];
    if (relation == 4) sex = other(csex);
    const std::int16_t a = save_new(sex);
    if (!a) return;
    r.AddMode = true;
    r.*kAs[relation] = true;
    if (relation == 2) r.InsertPosition = static_cast<std::int16_t>(rng_.below(ListSiblings(s, c()).size() + 2));
    const std::int16_t p = DisplayedPartnerOf(s);
    if (relation == 3 && p && chance(60)) {
      r.ChildFather = csex == 'M' ? c() : p;
      r.ChildMother = csex == 'M' ? p : c();
      r.InsertPosition = static_cast<std::int16_t>(rng_.below(KidsOfCoupleWithDisplayedPartner(s) + 2));
    }
    LinkResult res = LinkNewPerson(s, a);
    if (res.step == LinkStep::AskOtherParent) {
      if (chance(50)) {
        ran(SupplyUnknownParent(s));
        return;
      }
      const std::int16_t second = save_new(r.AsMother ? 'F' : 'M');
      if (!second) return;
      res = LinkNewPerson(s, second);
    }
    if (res.step == LinkStep::EditPartnership) {
      marriage_editor();
      r.PartnerSequenceMode = r.Selected.NumPartners >= 1 || chance(10);
      r.InsertPosition = static_cast<std::int16_t>(rng_.below(r.Partners.count + 2));
      ran(LinkNewPartner(s, a));
    }
  }

  // ---- connecting a person on record

  void connect() {
    const std::int16_t x = random_live();
    if (!x || !c()) return;
    RelationState& r = s.Rel;
    r.ConnectMode = true;
    switch (rng_.below(5)) {
      case 0: r.AsFather = true; break;
      case 1: r.AsMother = true; break;
      case 2: r.AsSibling = true; break;
      case 3: r.AsPartner = true; break;
      default: r.AsChild = true; break;
    }
    if (chance(10)) t.prompter.answers = {kAnswerNo};
    ConnectOutcome out = ConnectSelectedPerson(s, x);
    t.prompter.answers.clear();
    switch (out.step) {
      case ConnectStep::ChooseParentCouple: {
        PartnerList xs = ListPartners(s, x);
        std::int16_t spouse = 0;
        for (int i = 0; i < xs.count && !spouse; ++i) spouse = xs.rows[static_cast<std::size_t>(i)].Partner;
        if (spouse && chance(50)) ran(FinishConnectParentWithSpouse(s, x, spouse, rng_.below(4)));
        else ran(FinishConnectParentAlone(s, x));
        break;
      }
      case ConnectStep::ChoosePartnerPosition:
        r.InsertPosition = static_cast<std::int16_t>(rng_.below(static_cast<int>(out.sequence.size()) + 1));
        [[fallthrough]];
      case ConnectStep::EditPartnership:
        marriage_editor();
        ran(LinkNewPartner(s, x));
        break;
      case ConnectStep::ChooseSiblingPosition:
        ran(FinishConnectSibling(s, x, rng_.below(static_cast<int>(out.sequence.size()) + 1)));
        break;
      case ConnectStep::ChooseChildCouple:
        if (r.Partners.count > 0)
          ran(FinishConnectChild(s, x, c(), DisplayedPartnerOf(s),
                                 rng_.below(KidsOfCoupleWithDisplayedPartner(s) + 2)));
        break;
      default: break;
    }
  }

  // ---- taking links and persons away

  void disconnect() {
    if (chance(20)) {
      // Straight to the operations, past the dialog's enabling rules.
      if (chance(50)) ran(DisconnectFromParents(s, c()));
      else ran(DisconnectFromPartner(s, c(), DisplayedPartnerOf(s)));
      s.Rel.DisconnectMode = false;
      return;
    }
    ran(DisconnectAs(s, static_cast<DisconnectChoice>(rng_.below(3))));
  }

  void remove() {
    if (PersonsOnRecord(s) <= 3) return;
    const std::int16_t p = chance(50) ? c() : random_live();
    if (!p) return;
    if (chance(15)) t.prompter.answers = {kAnswerNo};
    DeleteOutcome out = DeletePerson(s, p);
    // (A failed write is taken back when the window's change ends, below.)
    EXPECT_TRUE(faulty_ || read(p).Deleted == (out.deleted ? -1 : 0)) << trace_;
  }

  void arrange() {
    ArrangeList l = BuildArrangeList(s, static_cast<ArrangeMode>(1 + rng_.below(3)));
    for (int moves = rng_.below(6); moves > 0; --moves)
      MoveArrangeRow(l, rng_.below(static_cast<int>(l.rows.size())), chance(50));
    EXPECT_TRUE(WriteArrangement(s, l)) << trace_;
  }

  void orphans() {
    std::vector<OrphanRow> rows = FindOrphans(s);
    std::vector<std::int16_t> chosen;
    for (const OrphanRow& row : rows) {
      if (!chance(50)) continue;
      chosen.push_back(row.PerNum);
      if (PersonsOnRecord(s) - static_cast<int>(chosen.size()) <= 3) break;
    }
    OrphanDeletion out = DeleteOrphans(s, chosen);
    EXPECT_EQ(out.deleted, static_cast<int>(chosen.size())) << trace_;
    for (std::int16_t p : chosen) EXPECT_EQ(read(p).Deleted, -1) << trace_;
  }
};

class RelationsProperty : public ::testing::TestWithParam<std::uint64_t> {};

TEST_P(RelationsProperty, RandomEditsKeepTheTreeSoundAndUndoAndRedoExact) {
  RandomRun run(GetParam());
  run.run(500);
}

INSTANTIATE_TEST_SUITE_P(Seeds, RelationsProperty, ::testing::Values(1u, 2u, 3u, 4u, 5u, 6u));

}  // namespace
