// The merge: a converted file appended to the record files.
//
// Persons go to vorlan.Per from record NumPersons + 1, families to vorlan.mar
// and vorlan.mce from NumMarriages + 1 with every person reference raised by
// NumPersons, notes to the end of vorlan.not as AppendNotes chains them. Each
// file gets one write of all its new records and the settings record with the
// new counts comes last; a failure on the way cuts every file back to its old
// length, so the records are as they were.
#include <algorithm>
#include <string>

#include "common/cp1252.h"
#include "interchange/gedcom_import_internal.h"
#include "store/file_io.h"
#include "store/record_transaction.h"
#include "store/records.h"

namespace vft {
namespace {

std::int16_t raised(std::int16_t n, int by) { return n == 0 ? 0 : static_cast<std::int16_t>(n + by); }

}  // namespace

namespace gedcom {
std::string MergeFailedText() {
  return std::string("The converted GEDCOM file could not be added to your Family Files.") + CrLf +
         "Your existing Vorlan Family Files have not been changed.";
}
}  // namespace gedcom

bool MergeGedcom(Session& s, const GedcomConversion& c, const Progress& progress) {
  if (progress)
    progress(
        std::string("Adding the converted GEDCOM file to the Vorlan Family Tree Records. ") + CrLf + "Please wait.", 0);
  const int P = std::max<int>(0, s.Config.NumPersons());
  const int M = std::max<int>(0, s.Config.NumMarriages());
  const int persons = static_cast<int>(c.persons.size());
  const int families = static_cast<int>(c.families.size());
  auto fail = [&](const std::string& why = {}) {
    std::string text = gedcom::MergeFailedText();
    if (!why.empty()) text += CrLf + why;
    s.ask("GEDCOM Import", text, Buttons::OK, Icon::Critical);
    return false;
  };
  // ConvertGedcom has checked both limits against the same counts.
  if (P + persons >= 15000 || M + families > kMaxMarriages) return fail();

  const std::string notes_file = s.work(recfile::Notes);
  const std::int64_t notes_size = std::max<std::int64_t>(0, fileio::size_of(notes_file));
  const long notes_before = static_cast<long>(notes_size / static_cast<std::int64_t>(kNotesLen));
  long next_note = notes_before + 1;

  Bytes per, notes, mar, mce;
  per.reserve(static_cast<std::size_t>(persons) * kPersonLen);
  for (int i = 0; i < persons; ++i) {
    PersonRecord p = c.persons[static_cast<std::size_t>(i)];
    p.PerNum = static_cast<std::int16_t>(P + i + 1);
    p.NotesRec = -1;
    const std::string& text = c.notes[static_cast<std::size_t>(i)];
    long need = gedcom::NotesRecordsFor(text.size());
    if (!cp1252::trim(text).empty() && next_note + need - 1 <= gedcom::kMaxNotesRecords) {
      p.NotesRec = static_cast<std::int32_t>(next_note);
      encode_notes_chain(p.PerNum, text, next_note, notes);
      next_note += need;
    }
    encode(p, per);
  }
  mar.reserve(static_cast<std::size_t>(families) * kMarriageLen);
  mce.reserve(static_cast<std::size_t>(families) * kCeremonyLen);
  for (int j = 0; j < families; ++j) {
    MarriageRecord m = c.families[static_cast<std::size_t>(j)];
    m.MarNum = static_cast<std::int16_t>(M + j + 1);
    m.Husband = raised(m.Husband, P);
    m.Wife = raised(m.Wife, P);
    for (auto& k : m.Kids) k = raised(k, P);
    encode(m, mar);
    encode(c.ceremonies[static_cast<std::size_t>(j)], mce);
  }

  auto put = [&s](const std::string& file, std::int64_t offset, const Bytes& b) {
    return b.empty() || fileio::write_at(s.disk, file, offset, b.data(), b.size());
  };
  bool ok = false;
  {
    RecordTransaction tx(s, false);
    ok = put(notes_file, notes_before * static_cast<std::int64_t>(kNotesLen), notes) &&
         put(s.work(recfile::Person), static_cast<std::int64_t>(P) * kPersonLen, per) &&
         put(s.work(recfile::Marriage), static_cast<std::int64_t>(M) * kMarriageLen, mar) &&
         put(s.work(recfile::Ceremony), static_cast<std::int64_t>(M) * kCeremonyLen, mce);
    s.Config.setNumPersons(static_cast<std::int16_t>(P + persons));
    s.Config.setNumMarriages(static_cast<std::int16_t>(M + families));
    // A tree that was empty shows the first imported person.
    if (s.Config.LastPerson() < 1 && persons > 0) s.Config.setLastPerson(static_cast<std::int16_t>(P + 1));
    ok = ok && WriteConfig(s);
    s.History.step_text = "Undo the GEDCOM import";
    ok = tx.commit() && ok;
  }
  if (!ok) { return fail(FailureLines(s.disk.failure())); }
  LoadMarriages(s);
  s.mark_changed();
  return true;
}

}  // namespace vft
