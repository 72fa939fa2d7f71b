#include "store/record_layout.h"

namespace vft {
namespace {

std::string rdtext(const std::uint8_t* p, std::size_t n) { return std::string(reinterpret_cast<const char*>(p), n); }

// The offsets are the running sum of the field widths the encoder writes.
static_assert(person_at::GivenNames == person_at::FamName + width::FamName);
static_assert(person_at::Sex == person_at::GivenNames + width::GivenNames);
static_assert(person_at::BirthDate == person_at::Sex + width::Sex);
static_assert(person_at::DeathDate == person_at::BirthDate + width::Date);
static_assert(person_at::BirthPlace == person_at::DeathDate + width::Date);
static_assert(person_at::Baptised == person_at::BirthPlace + width::Place);
static_assert(person_at::DOBap == person_at::Baptised + width::Baptised);
static_assert(person_at::Baptisplace == person_at::DOBap + width::Date);
static_assert(person_at::DeathPlace == person_at::Baptisplace + width::Place);
static_assert(person_at::InterDate == person_at::DeathPlace + width::Place);
static_assert(person_at::InteredPlace == person_at::InterDate + width::Date);
static_assert(person_at::Occupation == person_at::InteredPlace + width::Place);
static_assert(person_at::CurrAddress == person_at::Occupation + width::Occupation);
static_assert(person_at::Phone == person_at::CurrAddress + width::CurrAddress);
static_assert(person_at::AutoCap == person_at::Phone + width::Phone);
static_assert(person_at::Source == person_at::AutoCap + 2);
static_assert(person_at::Reserved == person_at::Source + width::Source);
static_assert(person_at::Deleted == person_at::Reserved + 2);
static_assert(person_at::NotesRec == person_at::Deleted + 2);
static_assert(person_at::NumPartners == person_at::NotesRec + 4);
static_assert(kPersonLen == person_at::NumPartners + 2);

}  // namespace

void encode(const PersonRecord& r, Bytes& out) {
  ByteWriter w(out);
  w.i16(r.PerNum);
  w.fixed_text(r.FamName, width::FamName);
  w.fixed_text(r.GivenNames, width::GivenNames);
  w.fixed_text(r.Sex, width::Sex);
  w.fixed_text(r.BirthDate, width::Date);
  w.fixed_text(r.DeathDate, width::Date);
  w.fixed_text(r.BirthPlace, width::Place);
  w.fixed_text(r.Baptised, width::Baptised);
  w.fixed_text(r.DOBap, width::Date);
  w.fixed_text(r.Baptisplace, width::Place);
  w.fixed_text(r.DeathPlace, width::Place);
  w.fixed_text(r.InterDate, width::Date);
  w.fixed_text(r.InteredPlace, width::Place);
  w.fixed_text(r.Occupation, width::Occupation);
  w.fixed_text(r.CurrAddress, width::CurrAddress);
  w.fixed_text(r.Phone, width::Phone);
  w.i16(r.AutoCap);
  w.fixed_text(r.Source, width::Source);
  w.i16(0);
  w.i16(r.Deleted);
  w.i32(r.NotesRec);
  w.i16(r.NumPartners);
}

PersonRecord decode_person(const std::uint8_t* p) {
  PersonRecord r;
  r.PerNum = read_i16(p + person_at::PerNum);
  r.FamName = rdtext(p + person_at::FamName, width::FamName);
  r.GivenNames = rdtext(p + person_at::GivenNames, width::GivenNames);
  r.Sex = rdtext(p + person_at::Sex, width::Sex);
  r.BirthDate = rdtext(p + person_at::BirthDate, width::Date);
  r.DeathDate = rdtext(p + person_at::DeathDate, width::Date);
  r.BirthPlace = rdtext(p + person_at::BirthPlace, width::Place);
  r.Baptised = rdtext(p + person_at::Baptised, width::Baptised);
  r.DOBap = rdtext(p + person_at::DOBap, width::Date);
  r.Baptisplace = rdtext(p + person_at::Baptisplace, width::Place);
  r.DeathPlace = rdtext(p + person_at::DeathPlace, width::Place);
  r.InterDate = rdtext(p + person_at::InterDate, width::Date);
  r.InteredPlace = rdtext(p + person_at::InteredPlace, width::Place);
  r.Occupation = rdtext(p + person_at::Occupation, width::Occupation);
  r.CurrAddress = rdtext(p + person_at::CurrAddress, width::CurrAddress);
  r.Phone = rdtext(p + person_at::Phone, width::Phone);
  r.AutoCap = read_i16(p + person_at::AutoCap);
  r.Source = rdtext(p + person_at::Source, width::Source);
  r.Deleted = read_i16(p + person_at::Deleted);
  r.NotesRec = read_i32(p + person_at::NotesRec);
  r.NumPartners = read_i16(p + person_at::NumPartners);
  return r;
}

void encode(const MarriageRecord& m, Bytes& out) {
  ByteWriter w(out);
  w.i16(m.MarNum);
  w.i16(m.Husband);
  w.i16(m.Wife);
  w.i16(m.NumKids);
  for (auto k : m.Kids) w.i16(k);
  w.i16(m.Divorced);
  w.i16(m.NotMarried);
  out.insert(out.end(), m.Reserved.begin(), m.Reserved.end());
}

MarriageRecord decode_marriage(const std::uint8_t* p) {
  MarriageRecord m;
  m.MarNum = read_i16(p);
  m.Husband = read_i16(p + 2);
  m.Wife = read_i16(p + 4);
  m.NumKids = read_i16(p + 6);
  for (int i = 0; i < kMaxKids; ++i) m.Kids[static_cast<std::size_t>(i)] = read_i16(p + 8 + 2 * i);
  m.Divorced = read_i16(p + 90);
  m.NotMarried = read_i16(p + 92);
  for (std::size_t i = 0; i < 8; ++i) m.Reserved[i] = p[94 + i];
  return m;
}

void encode(const CeremonyRecord& c, Bytes& out) {
  ByteWriter w(out);
  w.fixed_text(c.MarriedDate, width::MarriedDate);
  w.fixed_text(c.MarriedAt, width::MarriedAt);
}

CeremonyRecord decode_ceremony(const std::uint8_t* p) { return {rdtext(p, 12), rdtext(p + 12, 200)}; }

void encode(const NotesRecord& n, Bytes& out) {
  ByteWriter w(out);
  w.i16(n.Owner);
  w.i16(n.ChunkLen);
  w.fixed_text(n.Chunk, width::Chunk);
  w.i16(n.Next);
}

NotesRecord decode_notes(const std::uint8_t* p) {
  return {read_i16(p), read_i16(p + 2), rdtext(p + 4, 42), read_i16(p + 46)};
}

void encode_notes_chain(std::int16_t owner, const std::string& text, long first, Bytes& out) {
  const auto chunk = static_cast<std::size_t>(kNotesChunk);
  if (text.size() <= chunk) {
    encode(NotesRecord{owner, static_cast<std::int16_t>(text.size()), text, -1}, out);
    return;
  }
  long rec = first;
  for (std::size_t pos = 0;; pos += chunk, ++rec) {
    std::string piece = pos < text.size() ? text.substr(pos, chunk) : std::string();
    const bool last = piece.size() != chunk;
    encode(NotesRecord{owner, static_cast<std::int16_t>(piece.size()), piece,
                       static_cast<std::int16_t>(last ? -1 : rec + 1)},
           out);
    if (last) return;
  }
}

PersonRecord blank_person() {
  PersonRecord r;
  r.FamName.assign(width::FamName, ' ');
  r.GivenNames.assign(width::GivenNames, ' ');
  r.Sex.assign(width::Sex, ' ');
  r.BirthDate.assign(width::Date, ' ');
  r.DeathDate.assign(width::Date, ' ');
  r.BirthPlace.assign(width::Place, ' ');
  r.Baptised.assign(width::Baptised, ' ');
  r.DOBap.assign(width::Date, ' ');
  r.Baptisplace.assign(width::Place, ' ');
  r.DeathPlace.assign(width::Place, ' ');
  r.InterDate.assign(width::Date, ' ');
  r.InteredPlace.assign(width::Place, ' ');
  r.Occupation.assign(width::Occupation, ' ');
  r.CurrAddress.assign(width::CurrAddress, ' ');
  r.Phone.assign(width::Phone, ' ');
  r.Source.assign(width::Source, ' ');
  r.NotesRec = -1;
  return r;
}

CeremonyRecord blank_ceremony() { return {std::string(width::MarriedDate, ' '), std::string(width::MarriedAt, ' ')}; }

}  // namespace vft
