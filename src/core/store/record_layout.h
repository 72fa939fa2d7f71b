// In-memory forms of the five fixed-length records and their exact byte codecs.
//
// Text fields hold the stored CP1252 bytes as read (padding included); encode
// pads or cuts them to the field width, so decode followed by encode gives the
// same bytes back. Use cp1252::trim() wherever a value is shown or compared.
#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "common/bytes.h"

namespace vft {

constexpr std::size_t kPersonLen = 504;
constexpr std::size_t kMarriageLen = 102;
constexpr std::size_t kCeremonyLen = 212;
constexpr std::size_t kNotesLen = 48;
constexpr std::size_t kConfigLen = 913;

constexpr int kMaxMarriages = 15000;
constexpr int kMaxKids = 41;
constexpr int kNotesChunk = 42;

// Person record, vorlan.Per, 504 bytes:
//   0 i16 PerNum        2 t20 FamName      22 t30 GivenNames   52 t1 Sex
//  53 t12 BirthDate    65 t12 DeathDate    77 t50 BirthPlace  127 t3 Baptised
// 130 t12 DOBap       142 t50 Baptisplace 192 t50 DeathPlace  242 t12 InterDate
// 254 t50 InteredPlace 304 t50 Occupation 354 t50 CurrAddress 404 t48 Phone
// 452 i16 AutoCap     454 t40 Source     494 i16 reserved (written 0)
// 496 i16 Deleted     498 i32 NotesRec   502 i16 NumPartners
struct PersonRecord {
  std::int16_t PerNum = 0;
  std::string FamName, GivenNames, Sex, BirthDate, DeathDate, BirthPlace, Baptised, DOBap, Baptisplace, DeathPlace,
      InterDate, InteredPlace, Occupation, CurrAddress, Phone;
  std::int16_t AutoCap = 0;
  std::string Source;
  std::int16_t Deleted = 0;
  std::int32_t NotesRec = -1;
  std::int16_t NumPartners = 0;

  bool operator==(const PersonRecord&) const = default;
};

// Marriage record, vorlan.mar, 102 bytes:
//   0 i16 MarNum  2 i16 Husband  4 i16 Wife  6 i16 NumKids  8 i16x41 Kids
//  90 i16 Divorced  92 i16 NotMarried  94 8 bytes reserved, kept as found
struct MarriageRecord {
  std::int16_t MarNum = 0, Husband = 0, Wife = 0, NumKids = 0;
  std::array<std::int16_t, kMaxKids> Kids{};
  std::int16_t Divorced = 0, NotMarried = 0;
  std::array<std::uint8_t, 8> Reserved{};

  bool operator==(const MarriageRecord&) const = default;
};

// Ceremony record, vorlan.mce, 212 bytes: 0 t12 MarriedDate, 12 t200 MarriedAt.
struct CeremonyRecord {
  std::string MarriedDate, MarriedAt;
  bool operator==(const CeremonyRecord&) const = default;
};

// Notes record, vorlan.not, 48 bytes: 0 i16 Owner, 2 i16 ChunkLen, 4 t42 Chunk, 46 i16 Next.
struct NotesRecord {
  std::int16_t Owner = 0, ChunkLen = 0;
  std::string Chunk;
  std::int16_t Next = -1;
};

// Settings record, vorlan.cfg, 913 bytes (record 1 only). The fields this
// program interprets are named; every other byte is carried unchanged.
//   0 i16 option   2 i16 EnblPrompts   4 t8 legacy   12 i16 NumPersons
//  14 i16 NumMarriages  16 i16 LastPerson  18.. options, colour tables
// 657 i16 set to -1 after an open, save or new tree
struct ConfigRecord {
  std::array<std::uint8_t, kConfigLen> raw{};

  std::int16_t get16(std::size_t off) const { return read_i16(raw.data() + off); }
  void set16(std::size_t off, std::int16_t v) {
    auto u = static_cast<std::uint16_t>(v);
    raw[off] = static_cast<std::uint8_t>(u & 0xFF);
    raw[off + 1] = static_cast<std::uint8_t>(u >> 8);
  }
  std::int16_t EnblPrompts() const { return get16(2); }
  void setEnblPrompts(std::int16_t v) { set16(2, v); }
  std::int16_t NumPersons() const { return get16(12); }
  void setNumPersons(std::int16_t v) { set16(12, v); }
  std::int16_t NumMarriages() const { return get16(14); }
  void setNumMarriages(std::int16_t v) { set16(14, v); }
  std::int16_t LastPerson() const { return get16(16); }
  void setLastPerson(std::int16_t v) { set16(16, v); }
  void markFileTouched() { set16(657, -1); }
  // The 8-byte legacy text, emptied when a new tree is started.
  void clearLegacy() {
    for (std::size_t i = 4; i < 12; ++i) raw[i] = ' ';
  }
};

// Field widths of the Person record, in field order (used by encoders and by
// anyone who must cut a value before storing it).
namespace width {
constexpr std::size_t FamName = 20, GivenNames = 30, Sex = 1, Date = 12, Place = 50, Baptised = 3, Occupation = 50,
                      CurrAddress = 50, Phone = 48, Source = 40, MarriedDate = 12, MarriedAt = 200, Chunk = 42;
}

// Where each Person record field starts, for readers that pick a few fields
// straight from the bytes (a list of 15,000 persons) instead of decoding all.
namespace person_at {
constexpr std::size_t PerNum = 0, FamName = 2, GivenNames = 22, Sex = 52, BirthDate = 53, DeathDate = 65,
                      BirthPlace = 77, Baptised = 127, DOBap = 130, Baptisplace = 142, DeathPlace = 192,
                      InterDate = 242, InteredPlace = 254, Occupation = 304, CurrAddress = 354, Phone = 404,
                      AutoCap = 452, Source = 454, Reserved = 494, Deleted = 496, NotesRec = 498, NumPartners = 502;
}

void encode(const PersonRecord& p, Bytes& out);     // appends 504 bytes
PersonRecord decode_person(const std::uint8_t* p);  // reads 504 bytes
void encode(const MarriageRecord& m, Bytes& out);   // appends 102 bytes
MarriageRecord decode_marriage(const std::uint8_t* p);
void encode(const CeremonyRecord& c, Bytes& out);  // appends 212 bytes
CeremonyRecord decode_ceremony(const std::uint8_t* p);
void encode(const NotesRecord& n, Bytes& out);  // appends 48 bytes
NotesRecord decode_notes(const std::uint8_t* p);
// Appends the Notes records of `text` as one chain owned by person `owner`,
// numbered from `first`: 42-byte pieces, each pointing at the next, the last
// with Next -1 (and with ChunkLen 0 when the text is an exact multiple of 42
// long). A text of 42 bytes or less is a single record. Whether a blank text
// gets a chain at all is the caller's rule.
void encode_notes_chain(std::int16_t owner, const std::string& text, long first, Bytes& out);

// Person record n (1-based) of a whole vorlan.Per held in memory; nullptr
// when the file does not hold all of it. Every reader of a whole file finds a
// record here, so none reads past the end.
inline const std::uint8_t* person_bytes(const Bytes& file, std::size_t n) {
  return n >= 1 && n <= file.size() / kPersonLen ? file.data() + (n - 1) * kPersonLen : nullptr;
}
inline std::uint8_t* person_bytes(Bytes& file, std::size_t n) {
  return const_cast<std::uint8_t*>(person_bytes(static_cast<const Bytes&>(file), n));
}

// A Person record with every text field blank (spaces) and NotesRec -1.
PersonRecord blank_person();
CeremonyRecord blank_ceremony();

}  // namespace vft
