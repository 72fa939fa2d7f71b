#include "store/record_layout.h"

namespace vft {
namespace {

std::int16_t rd16(const std::uint8_t* p) { return static_cast<std::int16_t>(p[0] | (p[1] << 8)); }
std::int32_t rd32(const std::uint8_t* p) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
                                   (static_cast<std::uint32_t>(p[2]) << 16) |
                                   (static_cast<std::uint32_t>(p[3]) << 24));
}
std::string rdtext(const std::uint8_t* p, std::size_t n) { return std::string(reinterpret_cast<const char*>(p), n); }

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
  r.PerNum = rd16(p + 0);
  r.FamName = rdtext(p + 2, 20);
  r.GivenNames = rdtext(p + 22, 30);
  r.Sex = rdtext(p + 52, 1);
  r.BirthDate = rdtext(p + 53, 12);
  r.DeathDate = rdtext(p + 65, 12);
  r.BirthPlace = rdtext(p + 77, 50);
  r.Baptised = rdtext(p + 127, 3);
  r.DOBap = rdtext(p + 130, 12);
  r.Baptisplace = rdtext(p + 142, 50);
  r.DeathPlace = rdtext(p + 192, 50);
  r.InterDate = rdtext(p + 242, 12);
  r.InteredPlace = rdtext(p + 254, 50);
  r.Occupation = rdtext(p + 304, 50);
  r.CurrAddress = rdtext(p + 354, 50);
  r.Phone = rdtext(p + 404, 48);
  r.AutoCap = rd16(p + 452);
  r.Source = rdtext(p + 454, 40);
  r.Deleted = rd16(p + 496);
  r.NotesRec = rd32(p + 498);
  r.NumPartners = rd16(p + 502);
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
  m.MarNum = rd16(p);
  m.Husband = rd16(p + 2);
  m.Wife = rd16(p + 4);
  m.NumKids = rd16(p + 6);
  for (int i = 0; i < kMaxKids; ++i) m.Kids[static_cast<std::size_t>(i)] = rd16(p + 8 + 2 * i);
  m.Divorced = rd16(p + 90);
  m.NotMarried = rd16(p + 92);
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
  return {rd16(p), rd16(p + 2), rdtext(p + 4, 42), rd16(p + 46)};
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

CeremonyRecord blank_ceremony() {
  return {std::string(width::MarriedDate, ' '), std::string(width::MarriedAt, ' ')};
}

}  // namespace vft
