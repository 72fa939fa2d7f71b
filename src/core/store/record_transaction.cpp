#include "store/record_transaction.h"

#include "common/cp1252.h"
#include "store/undo_history.h"

namespace vft {

struct RecordTransaction::Snapshot {
  ConfigRecord Config;
  std::vector<MarriageRecord> Marriages;
  PersonRecord Person;
  std::int16_t CurNum;
  bool RecordsSaved, NothingChanged;
  EditorBuffers Editing;
  LinkState Link;
  int DeletedCount;
  RelationState Rel;

  explicit Snapshot(const Session& s)
      : Config(s.Config),
        Marriages(s.Marriages),
        Person(s.Person),
        CurNum(s.CurNum),
        RecordsSaved(s.RecordsSaved),
        NothingChanged(s.NothingChanged),
        Editing(s.Editing),
        Link(s.Link),
        DeletedCount(s.DeletedCount),
        Rel(s.Rel) {}

  void restore(Session& s) {
    s.Config = Config;
    s.Marriages = std::move(Marriages);
    s.Person = Person;
    s.CurNum = CurNum;
    s.Editing = Editing;
    s.Link = Link;
    s.DeletedCount = DeletedCount;
    // The view comes back with the records; the operation's own modes stay
    // as it left them, for it ends (or offers another try) its own way.
    s.Rel.Selected = Rel.Selected;
    s.Rel.Partners = Rel.Partners;
    s.Rel.DisplayedPartner = Rel.DisplayedPartner;
    s.Rel.Siblings = Rel.Siblings;
    s.RecordsSaved = RecordsSaved;
    s.NothingChanged = NothingChanged;
    // The undo history needs nothing: a step enters it only once written.
  }
};

RecordTransaction::RecordTransaction(Session& s, bool tell) : s_(s), tell_(tell) {
  if (!s.disk.in_transaction()) {
    before_ = std::make_unique<Snapshot>(s);
    s.History.step_text.clear();
    s.History.step_selected = s.Rel.Selected.PerNum;
    s.History.skip_step = false;
  }
  s.disk.begin_transaction();
}

RecordTransaction::~RecordTransaction() {
  if (!ended_) (void)commit();
}

bool RecordTransaction::commit() {
  if (ended_) return ok();
  ended_ = true;
  // The change becomes a step of the undo history inside the transaction, so
  // a step that cannot be written takes the change back with it.
  if (before_ && ok() && !RecordStep(s_)) {
    // The failure is remembered; the transaction ends as failed.
  }
  if (before_) s_.History.skip_step = false;
  const fileio::WriteFailure failure = s_.disk.failure();
  const auto ended = s_.disk.end_transaction();
  if (ended == fileio::FileSystem::Ended::Nested || ended == fileio::FileSystem::Ended::Kept || !before_)
    return failure.error == 0;
  before_->restore(s_);
  if (tell_)
    s_.ask("Vorlan Family Tree",
           WriteFailedText(failure, ended == fileio::FileSystem::Ended::TakenBack, s_.UndoAvailable), Buttons::OK,
           Icon::Critical);
  return false;
}

bool RecordTransaction::ok() const { return s_.disk.failure().error == 0; }

std::string FailureLines(const fileio::WriteFailure& failure) {
  return "Writing " + cp1252::path_text(failure.path) + " failed:" + CrLf + cp1252::from_utf8(failure.reason());
}

std::string WriteFailedText(const fileio::WriteFailure& failure, bool taken_back, bool undo_available) {
  const char* advice = taken_back ? "Your family records are as they were before the change."
                       : undo_available
                           ? "Part of the change could not be taken back either. Undo the last change, or open your "
                             "Family file again, before you go on."
                           : "Part of the change could not be taken back either. Open your Family file again before "
                             "you go on.";
  return std::string("The change could not be written to your family records, so it has not been made.") + CrLf +
         FailureLines(failure) + CrLf + CrLf + advice;
}

}  // namespace vft
