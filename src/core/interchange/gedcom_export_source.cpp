#include "interchange/gedcom_export_source.h"

#include <algorithm>
#include <cstdio>

#include "store/records.h"

namespace vft::gedcom_export {
namespace {

// The first `limit` bytes of a file (all of it when shorter); empty when missing.
// Records beyond what a 16-bit number can reach are never needed.
Bytes read_prefix(const std::string& path, std::size_t limit) {
  Bytes out;
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return out;
  std::uint8_t buf[65536];
  while (out.size() < limit) {
    std::size_t want = std::min(sizeof buf, limit - out.size());
    std::size_t n = std::fread(buf, 1, want, f);
    if (n == 0) break;
    out.insert(out.end(), buf, buf + n);
  }
  std::fclose(f);
  return out;
}

constexpr std::size_t kMaxPersonRecords = 32767;
// NotesRec is below 65535 and Next at most 32767: nothing further is reachable.
constexpr std::size_t kMaxNotesRecords = 65534;

}  // namespace

RecordSource::RecordSource(const Session& s) {
  const std::size_t wanted = static_cast<std::size_t>(std::max<int>(0, s.Config.NumPersons()));
  Bytes per = read_prefix(s.work(recfile::Person), std::min(wanted, kMaxPersonRecords) * kPersonLen);
  const std::size_t count = per.size() / kPersonLen;
  persons_.resize(count + 1);
  for (std::size_t n = 1; n <= count; ++n) {
    PersonRecord& p = persons_[n];
    p = decode_person(person_bytes(per, n));
    if (s.UCaseFamname) p.FamName = display_famname(s, p);
  }
  marriages_ = std::clamp<int>(s.Config.NumMarriages(), 0, kMaxMarriages);
  ceremony_file_ = read_prefix(s.work(recfile::Ceremony), static_cast<std::size_t>(marriages_) * kCeremonyLen);
  notes_file_ = read_prefix(s.work(recfile::Notes), kMaxNotesRecords * kNotesLen);
  notes_used_.assign(notes_file_.size() / kNotesLen + 1, false);
}

CeremonyRecord RecordSource::ceremony(int m) const {
  auto i = static_cast<std::size_t>(m);
  if (m < 1 || i * kCeremonyLen > ceremony_file_.size()) return blank_ceremony();
  return decode_ceremony(ceremony_file_.data() + (i - 1) * kCeremonyLen);
}

const std::string& RecordSource::notes(std::int32_t first) {
  auto [it, fresh] = chains_.try_emplace(has_chain(first) ? first : 0);
  std::string& text = it->second;
  if (!fresh || !has_chain(first)) return text;
  const long records = static_cast<long>(notes_file_.size() / kNotesLen);
  long at = first;
  for (bool head = true; at >= 1 && at <= records && !notes_used_[static_cast<std::size_t>(at)]; head = false) {
    notes_used_[static_cast<std::size_t>(at)] = true;
    NotesRecord r = decode_notes(notes_file_.data() + static_cast<std::size_t>(at - 1) * kNotesLen);
    if (head) {
      int len = std::clamp<int>(r.ChunkLen, 0, kNotesChunk);
      text.append(r.Chunk, 0, static_cast<std::size_t>(len));
    } else {
      text += r.Chunk;
    }
    if (r.Next == -1) break;
    at = r.Next;  // a Next outside 1..records ends the loop
  }
  return text;
}

}  // namespace vft::gedcom_export
