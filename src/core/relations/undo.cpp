#include "relations/undo.h"

#include <algorithm>
#include <array>
#include <utility>

#include "relations/lookups.h"
#include "store/file_io.h"
#include "store/records.h"

namespace vft {
namespace {

// Record file and its undo copy.
using FilePair = std::pair<const char*, const char*>;
constexpr std::array<FilePair, 5> kPairs{{
    {recfile::Config, undofile::Config},
    {recfile::Person, undofile::Person},
    {recfile::Marriage, undofile::Marriage},
    {recfile::Ceremony, undofile::Ceremony},
    {recfile::Notes, undofile::Notes},
}};

// A Person file can never hold more records than a 16-bit number can name.
constexpr std::size_t kPersonFileLimit = std::size_t{32768} * kPersonLen;
constexpr std::size_t kDeletedOffset = 496;  // Deleted within a Person record

std::int16_t i16_at(const std::uint8_t* p) { return static_cast<std::int16_t>(p[0] | (p[1] << 8)); }

// The old copy goes first: should the new copy fail, undo must not bring back
// a file from an older undo point beside files from this one.
bool take_copy(const std::string& from, const std::string& to) {
  fileio::remove(to);
  if (!fileio::exists(from)) return fileio::write_all(to, Bytes{});
  return fileio::copy(from, to);
}

}  // namespace

bool SaveUndoPoint(Session& s, const std::string& text) {
  bool ok = true;
  for (const auto& [record, copy] : kPairs) ok = take_copy(s.work(record), s.work(copy)) && ok;

  if (s.Rel.Selected.PerNum >= 1) s.Config.setLastPerson(s.Rel.Selected.PerNum);
  ok = fileio::write_record(s.work(undofile::Config), 1, s.Config.raw.data(), kConfigLen) && ok;

  s.UndoText = text;
  s.UndoAvailable = true;
  return ok;
}

bool RestoreUndoPoint(Session& s) {
  if (!s.UndoAvailable) return false;
  for (const auto& [record, copy] : kPairs)
    if (fileio::exists(s.work(copy))) fileio::copy(s.work(copy), s.work(record));

  // Read into a scratch record: a short file must not leave half a record behind.
  ConfigRecord cfg;
  if (fileio::read_record(s.work(recfile::Config), 1, kConfigLen, cfg.raw.data())) s.Config = cfg;
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
    if (i16_at(data->data() + n * kPersonLen + kDeletedOffset) != 0) ++deleted;
  return deleted;
}

}  // namespace vft
