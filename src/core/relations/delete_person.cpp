#include "relations/delete_person.h"

#include "common/cp1252.h"
#include "common/sentence.h"
#include "relations/family_ops.h"
#include "relations/family_write.h"
#include "relations/person_io.h"
#include "relations/undo.h"
#include "store/record_transaction.h"
#include "store/records.h"

namespace vft {

std::string DeleteQuestion(const Session& s, const PersonRecord& p) {
  return Sentence({"You are about to permanently DELETE", cp1252::trim(p.GivenNames), display_famname(s, p),
                   "from the records.", "Do you wish to delete this person?"});
}

std::string DeleteHint(const Session& s, const std::string& name) {
  return TidyBlanks(Sentence({s.Messages[msg::DeletePrefix], name, s.Messages[msg::DeleteSuffix]}));
}

bool MarkPersonDeleted(Session& s, std::int16_t p) {
  RecordTransaction tx(s);
  PersonRecord r;
  if (!ReadStoredPerson(s, p, r) || r.Deleted != 0) return false;
  r.Deleted = -1;
  if (!WritePersonRecord(s, p, r)) return false;
  // A working copy written back later must not bring the person back.
  for (PersonRecord* copy : {&s.Person, &s.Editing.Person2, &s.Link.Person3, &s.Rel.Selected})
    if (copy->PerNum == p) copy->Deleted = -1;
  ++s.DeletedCount;
  return RemoveFromParentFamily(s, p) >= 0;
}

DeleteOutcome DeletePerson(Session& s, std::int16_t c) {
  DeleteOutcome out;
  PersonRecord r;
  if (!familywrite::read_person(s, c, r)) return out;
  if (r.Deleted != 0) {
    familywrite::refuse(s, Sentence({"The Person Number", std::to_string(c), "has been", "deleted from the records.",
                                     "Please select another."}));
    return out;
  }
  // No is the default: a slip of the Enter key must not delete anyone.
  if (s.ask("Warning", DeleteQuestion(s, r), Buttons::YesNo, Icon::Critical, 1) != kAnswerYes) return out;

  RecordTransaction tx(s);
  if (!TakeUndoPoint(s, "Undo deletion of " + DisplayName(s, r))) return out;
  out.deleted = MarkPersonDeleted(s, c) && tx.commit();
  if (!out.deleted) return out;
  out.tree_empty = PersonsOnRecord(s) < 1;
  if (!out.tree_empty) out.count_text = PersonsRecordedText(s);
  return out;
}

int PersonsOnRecord(const Session& s) { return s.Config.NumPersons() - s.DeletedCount; }

std::string PersonsRecordedText(const Session& s) { return std::to_string(PersonsOnRecord(s)) + " persons recorded."; }

}  // namespace vft
