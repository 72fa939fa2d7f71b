#include "store/records.h"

#include <algorithm>
#include <unordered_set>
#include <vector>

#include "common/cp1252.h"
#include "store/file_io.h"
#include "store/file_write.h"

namespace vft {
namespace {

void limit_message(Session& s) {
  s.ask(
      "Problem",
      std::string("You gave reached the maximum number of marriages permitted.") + CrLf + "Please contact the author.",
      Buttons::OK, Icon::Information);
}

void apply_ucase(const Session& s, PersonRecord& p) { p.FamName = display_famname(s, p.FamName); }

bool write_notes_record(fileio::FileSystem& fs, const std::string& file, long n, const NotesRecord& r) {
  Bytes b;
  encode(r, b);
  return fileio::write_record(fs, file, n, b.data(), b.size());
}

long notes_count(const std::string& file) {
  auto size = fileio::size_of(file);
  return size < 0 ? 0 : static_cast<long>(size / static_cast<std::int64_t>(kNotesLen));
}

// A Next value that can name a notes record at all.
bool valid_next(std::int32_t next) { return next >= 1 && next <= 32767; }

}  // namespace

std::string display_famname(const Session& s, const PersonRecord& p) {
  return display_famname(s, cp1252::trim(p.FamName));
}

std::string display_famname(const Session& s, std::string_view famname) {
  return s.UCaseFamname ? cp1252::upper(famname) : std::string(famname);
}

int CountDeletedIn(const Bytes& person_file, int persons) {
  if (persons < 1) return 0;
  const std::size_t records = std::min(person_file.size() / kPersonLen, static_cast<std::size_t>(persons));
  int deleted = 0;
  for (std::size_t n = 0; n < records; ++n)
    if (read_i16(person_bytes(person_file, n + 1) + person_at::Deleted) != 0) ++deleted;
  return deleted;
}

bool ReadConfig(Session& s) { return fileio::read_record(s.work(recfile::Config), 1, kConfigLen, s.Config.raw.data()); }

bool WriteConfig(Session& s) {
  return fileio::write_record(s.disk, s.work(recfile::Config), 1, s.Config.raw.data(), kConfigLen);
}

bool ReadPersonRecord(const Session& s, std::int16_t n, PersonRecord& out) {
  std::uint8_t buf[kPersonLen];
  if (!fileio::read_record(s.work(recfile::Person), n, kPersonLen, buf)) return false;
  out = decode_person(buf);
  apply_ucase(s, out);
  return true;
}

bool WritePersonRecord(Session& s, std::int16_t n, const PersonRecord& p) {
  Bytes b;
  encode(p, b);
  s.mark_changed();
  return fileio::write_record(s.disk, s.work(recfile::Person), n, b.data(), b.size());
}

bool ReadPerson(Session& s) { return ReadPersonRecord(s, s.CurNum, s.Person); }

bool ReadPersonNew(Session& s, std::int16_t n) {
  if (n < 1) return true;
  if (ReadPersonRecord(s, n, s.Person)) return true;
  s.ask("Vorlan family Tree",
        std::string("Save Error in ReadPersonNew(Pernumm%)") + CrLf + "Please contact Vorlan Solutions for assistance.",
        Buttons::OK, Icon::Critical);
  return false;
}

bool WritePerson(Session& s, std::int16_t n, PersonRecord& p, const std::string& notes, bool notes_changed) {
  s.mark_changed();
  if (p.Deleted == 0) {
    if (!cp1252::trim(notes).empty() && !has_chain(p.NotesRec)) {
      if (!AppendNotes(s.disk, p, notes, s.work(recfile::Notes))) return false;
    } else if (notes_changed && !RewriteNotes(s, p, notes)) {
      return false;
    }
  }
  Bytes b;
  encode(p, b);
  return fileio::write_record(s.disk, s.work(recfile::Person), n, b.data(), b.size());
}

bool AddPersonRecord(Session& s, PersonRecord& p, const std::string& notes) {
  s.mark_changed();
  p.PerNum = s.Config.NumPersons();
  if (!AppendNotes(s.disk, p, notes, s.work(recfile::Notes))) return false;
  Bytes b;
  encode(p, b);
  return fileio::write_record(s.disk, s.work(recfile::Person), p.PerNum, b.data(), b.size()) && WriteConfig(s);
}

void ClearPerson(Session& s) {
  std::int16_t autocap = s.Person.AutoCap, deleted = s.Person.Deleted;
  s.Person = blank_person();
  s.Person.AutoCap = autocap;
  s.Person.Deleted = deleted;
}

bool AddMarriageRecord(Session& s, MarriageRecord& m, const CeremonyRecord& c) {
  if (s.Config.NumMarriages() < 1) s.Config.setNumMarriages(1);
  std::int16_t n = s.Config.NumMarriages();
  m.MarNum = n;
  if (n < 1 || n > kMaxMarriages) {
    limit_message(s);
    return false;
  }
  return WriteMarriage(s, n, m, c);
}

bool WriteMarriage(Session& s, std::int16_t n, const MarriageRecord& m, const CeremonyRecord& c) {
  if (n < 1 || n > kMaxMarriages) {
    limit_message(s);
    return false;
  }
  Bytes mb, cb;
  encode(m, mb);
  encode(c, cb);
  s.mark_changed();
  return fileio::write_record(s.disk, s.work(recfile::Marriage), n, mb.data(), mb.size()) &&
         fileio::write_record(s.disk, s.work(recfile::Ceremony), n, cb.data(), cb.size());
}

bool WriteMarriageOnly(Session& s, std::int16_t n, const MarriageRecord& m) {
  if (n < 1 || n > kMaxMarriages) {
    limit_message(s);
    return false;
  }
  Bytes mb;
  encode(m, mb);
  s.mark_changed();
  return fileio::write_record(s.disk, s.work(recfile::Marriage), n, mb.data(), mb.size());
}

void ShowMarriageLimit(Session& s) { limit_message(s); }

bool ReadCeremony(Session& s, std::int16_t n) {
  std::uint8_t buf[kCeremonyLen];
  if (!fileio::read_record(s.work(recfile::Ceremony), n, kCeremonyLen, buf)) {
    s.Editing.CerBuf = blank_ceremony();
    return false;
  }
  s.Editing.CerBuf = decode_ceremony(buf);
  return true;
}

void LoadMarriages(Session& s) {
  int count = s.Config.NumMarriages();
  if (count > kMaxMarriages) count = kMaxMarriages;
  if (count < 0) count = 0;
  auto data = fileio::read_all(s.work(recfile::Marriage), static_cast<std::size_t>(kMaxMarriages) * kMarriageLen * 2);
  std::size_t have = data ? data->size() / kMarriageLen : 0;
  for (int n = 1; n <= kMaxMarriages; ++n) {
    auto i = static_cast<std::size_t>(n);
    if (n <= count && i <= have) s.family(i) = decode_marriage(data->data() + (i - 1) * kMarriageLen);
    else s.family(i) = MarriageRecord{};
  }
}

std::string ReadNotes(std::int32_t first, const std::string& notes_file) {
  if (!has_chain(first)) return {};
  auto data = fileio::read_all(notes_file);
  if (!data) return {};
  return ReadNotesFrom(first, *data);
}

std::string ReadNotesFrom(std::int32_t first, const Bytes& file) {
  std::string text;
  if (!has_chain(first)) return text;
  const long records = static_cast<long>(file.size() / kNotesLen);
  auto at = [&](long n) { return decode_notes(file.data() + static_cast<std::size_t>(n - 1) * kNotesLen); };
  if (first > records) return text;
  NotesRecord r = at(first);
  int len = r.ChunkLen < 0 ? 0 : (r.ChunkLen > kNotesChunk ? kNotesChunk : r.ChunkLen);
  text = r.Chunk.substr(0, static_cast<std::size_t>(len));
  // A damaged file may chain in a circle; a chain can never be longer than the file.
  long steps = 0;
  while (r.Next != -1) {
    if (!valid_next(r.Next) || r.Next > records || ++steps > records) break;
    r = at(r.Next);
    text += r.Chunk;
  }
  return text;
}

bool AppendNotes(fileio::FileSystem& fs, PersonRecord& owner, const std::string& text, const std::string& notes_file) {
  if (cp1252::trim(text).empty()) return true;
  long n = notes_count(notes_file);
  owner.NotesRec = static_cast<std::int32_t>(n + 1);
  Bytes chain;
  encode_notes_chain(owner.PerNum, text, n + 1, chain);
  for (std::size_t at = 0; at < chain.size(); at += kNotesLen)
    if (!fileio::write_record(fs, notes_file, n + 1 + static_cast<long>(at / kNotesLen), chain.data() + at, kNotesLen))
      return false;
  return true;
}

bool RewriteNotes(Session& s, PersonRecord& owner, const std::string& text) {
  const std::string file = s.work(recfile::Notes);
  if (!has_chain(owner.NotesRec)) return AppendNotes(s.disk, owner, text, file);
  const std::string stored = cp1252::trim(text) + "^";
  const std::size_t pieces = stored.size() / kNotesChunk + (stored.size() % kNotesChunk ? 1 : 0);

  // The old chain's record numbers, as far as they reach and as many as needed.
  auto data = fileio::read_all(file);
  const long records = data ? static_cast<long>(data->size() / kNotesLen) : 0;
  std::vector<long> slots;
  std::unordered_set<long> seen;
  long cur = owner.NotesRec;
  while (slots.size() < pieces && cur >= 1 && cur <= records && seen.insert(cur).second) {
    slots.push_back(cur);
    NotesRecord r = decode_notes(data->data() + static_cast<std::size_t>(cur - 1) * kNotesLen);
    if (r.Next == -1 || !valid_next(r.Next)) break;
    cur = r.Next;
  }
  if (slots.empty()) slots.push_back(owner.NotesRec);
  for (long next = records + 1; slots.size() < pieces; ++next)
    if (next != owner.NotesRec) slots.push_back(next);

  for (std::size_t i = 0; i < pieces; ++i) {
    std::string piece = stored.substr(i * kNotesChunk, kNotesChunk);
    NotesRecord r{owner.PerNum, static_cast<std::int16_t>(kNotesChunk), piece,
                  static_cast<std::int16_t>(i + 1 < pieces ? slots[i + 1] : -1)};
    if (i + 1 == pieces) {
      r.Chunk = piece.substr(0, piece.rfind('^'));  // the marker is always the last byte
      r.ChunkLen = static_cast<std::int16_t>(r.Chunk.size());
    }
    if (!write_notes_record(s.disk, file, slots[i], r)) return false;
  }
  return true;
}

bool MoveOldConfig(Session& s, const std::string& old_folder) {
  const std::string old = old_folder + "Vorlan.Cfg";
  if (fileio::size_of(old) <= 1) return true;
  auto data = fileio::read_all(old, kConfigLen * 4);
  if (!data ||
      !fileio::write_file(s.disk, s.work(recfile::Config), *data, fileio::NewMode::Private, fileio::Links::Replace))
    return false;
  fileio::remove(old);
  return true;
}

}  // namespace vft
