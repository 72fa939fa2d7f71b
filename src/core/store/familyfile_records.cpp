// From a Family file image to the contents of the five record files, all in
// memory: a tree of 15,000 persons is unpacked with one write per file.
#include <algorithm>
#include <vector>

#include "store/familyfile_image.h"

namespace vft {
namespace {

// AppendNotes on a notes file held in memory: the same records, numbered from
// the end of the file, each piece pointing at the next, the last with Next -1
// (and with ChunkLen 0 when the text is an exact multiple of 42 long).
// Returns the owner's new NotesRec (-1 when no chain was made).
std::int32_t append_notes(Bytes& file, std::int16_t owner, const std::string& text) {
  if (text.find_first_not_of(' ') == std::string::npos) return -1;
  const auto first = static_cast<std::int32_t>(file.size() / kNotesLen + 1);
  encode_notes_chain(owner, text, first, file);
  return first;
}

}  // namespace

std::int16_t OpeningPerson(const FamilyImage& im) {
  std::vector<bool> living(static_cast<std::size_t>(std::max<int>(im.NumPersons, 0)) + 1, false);
  for (const FamilyPerson& fp : im.Persons)
    if (fp.rec.PerNum >= 1 && fp.rec.PerNum <= im.NumPersons && fp.rec.Deleted == 0)
      living[static_cast<std::size_t>(fp.rec.PerNum)] = true;
  if (im.LastPerson >= 1 && im.LastPerson <= im.NumPersons && living[static_cast<std::size_t>(im.LastPerson)])
    return im.LastPerson;
  for (std::size_t n = 1; n < living.size(); ++n)
    if (living[n]) return static_cast<std::int16_t>(n);
  return 1;
}

RecordFiles UnpackFamilyImage(const FamilyImage& im, const ConfigRecord& config) {
  RecordFiles f;
  ConfigRecord cfg = config;
  cfg.setNumPersons(im.NumPersons);
  cfg.setNumMarriages(im.NumMarriages);
  cfg.setLastPerson(OpeningPerson(im));
  f.cfg.assign(cfg.raw.begin(), cfg.raw.end());

  // Notes chains are made in the order the persons come in the file; the
  // persons file is then written in Person-number order, straight into place.
  const std::size_t persons = im.NumPersons > 0 ? static_cast<std::size_t>(im.NumPersons) : 0;
  std::vector<std::int32_t> chain(im.Persons.size(), -1);
  std::vector<const FamilyPerson*> by_number(persons + 1, nullptr);
  for (std::size_t i = 0; i < im.Persons.size(); ++i) {
    const FamilyPerson& fp = im.Persons[i];
    if (fp.rec.PerNum < 1 || static_cast<std::size_t>(fp.rec.PerNum) > persons) continue;
    chain[i] = append_notes(f.notes, fp.rec.PerNum, fp.Notes);
    by_number[static_cast<std::size_t>(fp.rec.PerNum)] = &fp;
  }
  f.per.reserve(persons * kPersonLen);
  for (std::size_t n = 1; n <= persons; ++n) {
    const FamilyPerson* fp = by_number[n];
    if (!fp) {  // no record for this number: a file of ours always has one
      f.per.insert(f.per.end(), kPersonLen, 0);
      continue;
    }
    const std::size_t at = f.per.size();
    encode(fp->rec, f.per);
    ByteWriter(f.per).put_i32_at(at + person_at::NotesRec, chain[static_cast<std::size_t>(fp - im.Persons.data())]);
  }

  f.mar.reserve(im.Marriages.size() * kMarriageLen);
  f.mce.reserve(im.Marriages.size() * kCeremonyLen);
  for (const FamilyMarriage& m : im.Marriages) {
    encode(m.rec, f.mar);
    ByteWriter w(f.mce);
    w.fixed_text(m.MarriedDate, width::MarriedDate);
    w.fixed_text(m.MarriedAt, width::MarriedAt);
  }
  return f;
}

}  // namespace vft
