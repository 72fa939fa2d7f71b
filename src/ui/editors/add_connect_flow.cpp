#include "editors/add_connect_flow.h"

#include "edit/connect_dialogs.h"
#include "editors/frm_connect_as.h"
#include "editors/frm_connect_questions.h"
#include "editors/frm_list_sequence.h"
#include "relations/connect.h"
#include "relations/family_ops.h"

namespace vft::ui {
namespace {

const std::string kPickCaption = "Enter all or part of the Name of the person to Connect";

class Flow {
 public:
  Flow(Session& s, QWidget* parent, const FlowSteps& steps) : s_(s), parent_(parent), steps_(steps) {}

  void start() {
    frmConnectAs as(s_, parent_);
    as.exec();
    if (!as.choice()) return cancel();
    run(ChooseRelation(s_, *as.choice()));
  }

 private:
  Session& s_;
  QWidget* parent_;
  const FlowSteps& steps_;
  std::int16_t connecting_ = 0;  // the person on record being connected as a child

  void cancel() { ResetRelationState(s_); }

  // -1 when cancelled (the state is then reset).
  int position_in(const SequenceList& list) {
    frmListSequence d(s_, list, parent_);
    d.exec();
    if (d.position() < 0) cancel();
    return d.position();
  }

  void run(DialogStep st) {
    for (;;) {
      switch (st.next) {
        case DialogNext::Cancelled: return;
        case DialogNext::NoSex: {
          frmNoSex d(s_, parent_);
          d.exec();
          if (d.answer() != Answer::Male && d.answer() != Answer::Female) return cancel();
          st = StoreSelectedSex(s_, d.answer() == Answer::Male ? 'M' : 'F');
          break;
        }
        case DialogNext::AddChild:
        case DialogNext::AskKnown: {
          frmAddChild d(s_, st.next == DialogNext::AskKnown, parent_);
          d.exec();
          if (d.answer() != Answer::Yes && d.answer() != Answer::No) return cancel();
          const bool yes = d.answer() == Answer::Yes;
          if (d.issue_of()) {
            st = AnswerIssueOf(s_, yes);
          } else if (yes) {
            st = StartOtherParentAsPartner(s_);
          } else {
            std::string status;
            st = SupplyUnknownOtherParent(s_, status);
            if (!status.empty()) s_.status(status);
          }
          break;
        }
        case DialogNext::SelectOther: {
          frmSelectOther d(s_, st.header, st.partners, parent_);
          d.exec();
          if (!d.partner()) return cancel();
          st = ChooseOtherParent(s_, d.partner());
          break;
        }
        case DialogNext::ListSequence: {
          const int k = position_in(st.list);
          if (k < 0) return;
          s_.Rel.InsertPosition = static_cast<std::int16_t>(k);
          st = DialogStep{s_.Rel.AddMode ? DialogNext::EditNewPerson : DialogNext::ConnectChild, {}, {}, {}};
          break;
        }
        case DialogNext::EditNewPerson: return edited(steps_.edit_new_person());
        case DialogNext::PickPerson: return picked(steps_.pick_person(kPickCaption));
        case DialogNext::ConnectChild: {
          const RelationState& r = s_.Rel;
          return last_step(FinishConnectChild(s_, connecting_, r.ChildFather, r.ChildMother, r.InsertPosition));
        }
      }
    }
  }

  // The person editor has closed on a new person: go on by its link step.
  void edited(const EditPersonOutcome& out) {
    if (!out.saved) return cancel();
    switch (out.link.step) {
      case LinkStep::AskOtherParent: {
        frmAddParent d(s_, steps_.notice_ms, parent_);
        d.exec();
        if (d.answer() == Answer::Yes) return edited(steps_.edit_new_person());
        if (d.answer() == Answer::No) return last_step(SupplyUnknownParent(s_) != 0);
        return cancel();
      }
      case LinkStep::EditParentsMarriage: steps_.marriage(MarriageMode::AddParents); return;
      case LinkStep::EditPartnership: {
        const MarriageNext next = steps_.marriage(MarriageMode::AddPartner);
        if (next != MarriageNext::AddChild) return;
        // The partner was the child's other parent; now the child itself.
        if (connecting_) return last_step(ConnectChildToDisplayedCouple(s_, connecting_));
        return edited(steps_.edit_new_person());
      }
      case LinkStep::UnrelatedNotice: {
        frmUnrelated d(s_, out.person, steps_.notice_ms, parent_);
        d.exec();
        return;
      }
      case LinkStep::Done:
      case LinkStep::Refused: return;
    }
  }

  // The flow's last step has run. A refusal or a record that could not be
  // written has been told in its own box, and the records are whole either
  // way, so the flow ends the same.
  static void last_step(bool /*linked*/) {}

  // The person picker has chosen x to be connected.
  void picked(std::int16_t x) {
    if (x < 1) return cancel();
    const ConnectOutcome out = ConnectSelectedPerson(s_, x);
    switch (out.step) {
      case ConnectStep::ChooseParentCouple: return connect_parent(x);
      case ConnectStep::ChoosePartnerPosition:
      case ConnectStep::EditPartnership: return connect_partner(x, out);
      case ConnectStep::ChooseSiblingPosition: {
        int k = 0;
        if (!out.sequence.empty()) k = position_in({out.caption, out.prompt, out.sequence});
        if (k >= 0) last_step(FinishConnectSibling(s_, x, k));
        return;
      }
      case ConnectStep::ChooseChildCouple: connecting_ = x; return run(DialogStep{DialogNext::AddChild, {}, {}, {}});
      default: return;  // refused, declined or already done
    }
  }

  void connect_parent(std::int16_t x) {
    const std::vector<PartnerRow> spouses = ParentCandidates(s_, x);
    if (spouses.empty()) return cancel();
    std::int16_t spouse = spouses.front().Partner;
    if (spouses.size() > 1) {
      frmSelectOther pick(s_, SelectOtherHeader(s_.Rel.AsFather), spouses, parent_);
      pick.exec();
      spouse = pick.partner();
      if (!spouse) return cancel();
    }
    frmConnectParent d(s_, x, spouse, parent_);
    d.exec();
    if (d.answer() == Answer::No) return last_step(FinishConnectParentAlone(s_, x));
    if (d.answer() != Answer::Yes) return cancel();
    const SequenceList list = ParentCoupleSequence(s_, x, spouse);
    int k = 0;
    if (!list.persons.empty() && (k = position_in(list)) < 0) return;
    last_step(FinishConnectParentWithSpouse(s_, x, spouse, k));
  }

  void connect_partner(std::int16_t x, const ConnectOutcome& out) {
    if (const std::int16_t fam = UnknownPartnerFamily(s_)) {
      frmConnectPartner d(s_, x, fam, parent_);
      d.exec();
      if (d.answer() == Answer::Yes) return last_step(ReplaceUnknownPartner(s_, x, fam));
      if (d.answer() != Answer::No) return cancel();
    }
    if (out.step == ConnectStep::ChoosePartnerPosition) {
      const int k = position_in({out.caption, out.prompt, out.sequence});
      if (k < 0) return;
      s_.Rel.InsertPosition = static_cast<std::int16_t>(k);
    }
    steps_.marriage(MarriageMode::AddPartner);
  }
};

}  // namespace

void RunAddPerson(Session& s, QWidget* parent, const FlowSteps& steps) {
  if (s.AddingFirstPerson || s.Config.NumPersons() < 1) {
    const EditPersonOutcome out = steps.edit_new_person();
    if (!out.saved) ResetRelationState(s);
    return;
  }
  s.Rel.AddMode = true;
  s.Rel.ConnectMode = false;
  Flow(s, parent, steps).start();
}

void RunConnectPerson(Session& s, QWidget* parent, const FlowSteps& steps) {
  s.Rel.ConnectMode = true;
  s.Rel.AddMode = false;
  Flow(s, parent, steps).start();
}

}  // namespace vft::ui
