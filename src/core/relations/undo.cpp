#include "relations/undo.h"

#include <algorithm>
#include <cstdio>

#include "common/cp1252.h"
#include "relations/lookups.h"
#include "store/date_words.h"
#include "store/file_io.h"
#include "store/record_transaction.h"
#include "store/records.h"
#include "store/undo_history.h"

namespace vft {
namespace {

// A Person file can never hold more records than a 16-bit number can name.
constexpr std::size_t kPersonFileLimit = std::size_t{32768} * kPersonLen;

void select_after_move(Session& s, std::int16_t person) {
  if (person >= 1) s.Config.setLastPerson(person);
  s.CurNum = person;
  if (person < 1 || !ReadPersonRecord(s, person, s.Person)) s.Person = blank_person();
  if (person < 1 || !SelectPersonForRelations(s, person)) {
    s.Rel.Selected = blank_person();
    s.Rel.Partners = {};
    s.Rel.Siblings.fill(0);
  }
}

}  // namespace

bool TakeUndoPoint(Session& s, const std::string& text) {
  s.History.step_text = text;
  const fileio::WriteFailure earlier = s.disk.failure();
  if (ReserveStep(s)) return true;
  const fileio::WriteFailure failure = s.disk.failure();
  // The change has not started: the failed reservation must not stop it.
  s.disk.set_failure(earlier);
  const std::string question = "This change cannot be undone: the undo history could not be written." +
                               std::string(CrLf) + FailureLines(failure) + CrLf + CrLf +
                               "Do you wish to make the change anyway? Changes made before it can then no longer "
                               "be undone either.";
  if (s.ask("Undo", question, Buttons::YesNo, Icon::Exclamation, 1) != kAnswerYes) return false;
  ForgetHistory(s, "Undo is off: the undo history could not be written (" + cp1252::from_utf8(failure.reason()) + ").");
  s.History.skip_step = true;
  return true;
}

bool MoveToStep(Session& s, std::size_t count) {
  HistoryState& h = s.History;
  if (count == h.pos || count > h.steps.size()) return false;
  const bool back = count < h.pos;
  const char* title = back ? "Undo" : "Redo";
  const std::int16_t person = back ? h.steps[count].selected_before : h.steps[count - 1].selected_after;
  std::string why;
  bool ok = false;
  h.moving = true;
  {
    RecordTransaction tx(s, false);
    ok = MoveRecords(s, count, why) && tx.ok();
  }
  h.moving = false;
  if (!ok) {
    if (!why.empty()) {
      ForgetHistory(s, "Undo is off: the records no longer match the undo history.");
      s.ask(title,
            std::string(back ? "The change cannot be undone: " : "The change cannot be redone: ") + why + "." + CrLf +
                "Your family records have not been changed.",
            Buttons::OK, Icon::Exclamation);
    } else {
      s.ask(title,
            std::string(back ? "The change cannot be undone: " : "The change cannot be redone: ") +
                "a record file could not be written." + CrLf + FailureLines(s.disk.failure()) + CrLf +
                "Your family records have not been changed.",
            Buttons::OK, Icon::Exclamation);
    }
    return false;
  }
  LoadMarriages(s);
  s.DeletedCount = CountDeletedPersons(s);
  select_after_move(s, person);
  s.mark_changed();
  return true;
}

bool UndoLastStep(Session& s) { return s.History.pos > 0 && MoveToStep(s, s.History.pos - 1); }

bool RedoNextStep(Session& s) { return s.History.pos < s.History.steps.size() && MoveToStep(s, s.History.pos + 1); }

std::string StepName(const std::string& undo_text) {
  std::string name = undo_text;
  if (name.rfind("Undo ", 0) == 0) name = name.substr(5);
  if (!name.empty()) name[0] = cp1252::upper(name.substr(0, 1))[0];
  return name;
}

std::string RedoText(const Session& s) {
  const HistoryState& h = s.History;
  if (h.pos >= h.steps.size()) return {};
  const std::string& text = h.steps[h.pos].text;
  if (text.rfind("Undo ", 0) == 0) return "Redo " + text.substr(5);
  if (text.rfind("Restore ", 0) == 0) return "Redo deletion of " + text.substr(8);
  return "Redo " + text;
}

std::vector<HistoryRow> HistoryRows(const Session& s) {
  const HistoryState& h = s.History;
  const LocalTime today = s.now();
  std::vector<HistoryRow> rows;
  for (std::size_t k = h.steps.size(); k-- > 0;) {
    const LocalTime& t = h.steps[k].time;
    char hms[12];
    std::snprintf(hms, sizeof hms, "%02d:%02d:%02d", t.hour % 100, t.minute % 100, t.second % 100);
    const bool same_day = t.year == today.year && t.month == today.month && t.day == today.day;
    rows.push_back({same_day ? std::string(hms) : DayMonthYear(t.year, t.month, t.day) + " " + hms,
                    StepName(h.steps[k].text), k + 1, k < h.pos, k + 1 == h.pos});
  }
  rows.push_back({"", h.dropped ? "Before the oldest change kept" : "As the file was opened", 0, true, h.pos == 0});
  return rows;
}

std::string HistoryNote(const Session& s) {
  std::string note = "Up to " + std::to_string(kHistoryLimit) + " changes are kept; older ones are dropped.";
  if (s.History.dropped)
    note += " " + std::to_string(s.History.dropped) +
            (s.History.dropped == 1 ? " older change can" : " older changes can") + " no longer be undone.";
  return note;
}

int CountDeletedPersons(const Session& s) {
  const int persons = s.Config.NumPersons();
  if (persons < 1) return 0;
  auto data = fileio::read_all(s.work(recfile::Person), kPersonFileLimit);
  return data ? CountDeletedIn(*data, persons) : 0;
}

}  // namespace vft
