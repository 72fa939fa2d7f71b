#include "relations/undo.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "common/cp1252.h"
#include "relations/lookups.h"
#include "store/file_io.h"
#include "store/file_write.h"
#include "store/record_transaction.h"
#include "store/records.h"

namespace vft {
namespace {

// Record file, its undo copy, and the length its size is a multiple of.
struct FilePair {
  const char* record;
  const char* copy;
  std::size_t record_len;
};
constexpr std::array<FilePair, 5> kPairs{{
    {recfile::Config, undofile::Config, kConfigLen},
    {recfile::Person, undofile::Person, kPersonLen},
    {recfile::Marriage, undofile::Marriage, kMarriageLen},
    {recfile::Ceremony, undofile::Ceremony, kCeremonyLen},
    {recfile::Notes, undofile::Notes, kNotesLen},
}};

// A Person file can never hold more records than a 16-bit number can name;
// no record file of ours is larger than this.
constexpr std::size_t kPersonFileLimit = std::size_t{32768} * kPersonLen;
constexpr std::size_t kFileLimit = std::size_t{32768} * 1024;

bool undo_failed(Session& s, const std::string& why) {
  s.ask("Undo", "The last change cannot be undone: " + why + CrLf + "Your family records have not been changed.",
        Buttons::OK, Icon::Exclamation);
  return false;
}

// The copies as they must be: present, of the sizes they were taken with, and
// holding every record the counts in their own settings record name.
bool read_copies(const Session& s, std::array<Bytes, 5>& copies) {
  for (std::size_t i = 0; i < kPairs.size(); ++i) {
    auto data = fileio::read_all(s.work(kPairs[i].copy), kFileLimit);
    if (!data || static_cast<std::int64_t>(data->size()) != s.UndoSizes[i] || data->size() % kPairs[i].record_len)
      return false;
    copies[i] = std::move(*data);
  }
  if (copies[0].size() != kConfigLen) return false;
  ConfigRecord cfg;
  std::memcpy(cfg.raw.data(), copies[0].data(), kConfigLen);
  const auto persons = static_cast<std::size_t>(std::max<int>(cfg.NumPersons(), 0));
  const auto families = static_cast<std::size_t>(std::max<int>(cfg.NumMarriages(), 0));
  return copies[1].size() >= persons * kPersonLen && copies[2].size() >= families * kMarriageLen;
}

}  // namespace

bool SaveUndoPoint(Session& s, const std::string& text) {
  const fileio::WriteFailure earlier = s.disk.failure();
  if (s.Rel.Selected.PerNum >= 1) s.Config.setLastPerson(s.Rel.Selected.PerNum);
  // Off until every new copy is in place: the old copies may already be
  // partly replaced when a rename fails.
  s.UndoAvailable = false;
  std::array<Bytes, 5> copies;
  copies[0].assign(s.Config.raw.begin(), s.Config.raw.end());
  bool ok = true;
  for (std::size_t i = 1; ok && i < kPairs.size(); ++i) {
    const std::string record = s.work(kPairs[i].record);
    if (auto data = fileio::read_all(record, kFileLimit))
      copies[i] = std::move(*data);
    else if (fileio::exists(record))
      ok = s.disk.fail(record, EIO);
  }
  fileio::FileBatch batch(s.disk, fileio::Sync::None, fileio::NewMode::Private, true);
  for (std::size_t i = 0; ok && i < kPairs.size(); ++i) ok = batch.add(s.work(kPairs[i].copy), copies[i]);
  ok = ok && batch.commit();
  if (!ok) {
    s.UndoText = "Undo is off: the copy of the records it needs could not be written (" +
                 cp1252::from_utf8(s.disk.failure().reason()) + ").";
    s.disk.set_failure(earlier);
    return false;
  }
  for (std::size_t i = 0; i < kPairs.size(); ++i) s.UndoSizes[i] = static_cast<std::int64_t>(copies[i].size());
  s.UndoText = text;
  s.UndoAvailable = true;
  return true;
}

void TakeUndoPoint(Session& s, const std::string& text) {
  if (!SaveUndoPoint(s, text)) {
    // The change goes on; Undo stays off and its tool tip says why.
  }
}

bool RestoreUndoPoint(Session& s) {
  if (!s.UndoAvailable) return false;
  std::array<Bytes, 5> copies;
  if (!read_copies(s, copies)) {
    s.UndoAvailable = false;
    s.UndoText = "Undo is off: its copy of the records is incomplete.";
    return undo_failed(s, "its copy of the records is incomplete.");
  }
  fileio::FileBatch batch(s.disk, fileio::Sync::None, fileio::NewMode::Private, true);
  bool ok = true;
  for (std::size_t i = 0; ok && i < kPairs.size(); ++i) ok = batch.add(s.work(kPairs[i].record), copies[i]);
  if (!(ok && batch.commit())) {
    return undo_failed(s, std::string("a record file could not be written.") + CrLf + FailureLines(s.disk.failure()));
  }

  std::memcpy(s.Config.raw.data(), copies[0].data(), kConfigLen);
  LoadMarriages(s);
  s.DeletedCount = CountDeletedPersons(s);

  const std::int16_t last = s.Config.LastPerson();
  s.CurNum = last;
  if (last < 1 || !ReadPersonRecord(s, last, s.Person)) s.Person = blank_person();
  if (last < 1 || !SelectPersonForRelations(s, last)) {
    s.Rel.Selected = blank_person();
    s.Rel.Partners = {};
    s.Rel.Siblings.fill(0);
  }
  s.mark_changed();
  return true;
}

int CountDeletedPersons(const Session& s) {
  const int persons = s.Config.NumPersons();
  if (persons < 1) return 0;
  auto data = fileio::read_all(s.work(recfile::Person), kPersonFileLimit);
  if (!data) return 0;
  const std::size_t records = std::min(data->size() / kPersonLen, static_cast<std::size_t>(persons));
  int deleted = 0;
  for (std::size_t n = 0; n < records; ++n)
    if (read_i16(data->data() + n * kPersonLen + person_at::Deleted) != 0) ++deleted;
  return deleted;
}

}  // namespace vft
