// The Family file (*.vfl) in memory: the pure byte-level layer under
// OpenFamilyFile and SaveFamilyFile. Nothing here touches a file or the user.
//
// Layout (positions are 1-based, as the format has always counted them; the
// byte offset is position - 1; integers little-endian):
//     1 f64  save time stamp, the decimal number yyyymmddhhnnss
//     9 i16  disk number (1)           11 i16  continuation flag (0)
//    17 i32  1217, the position after the function-key area
//    33 t18  "VORLAN FAMILY TREE"      51 i32  version 1630
//   101 i16  NumPersons   105 i16  NumMarriages   109 i16  LastPerson
//   113 i32  version 1630
//   257      10 x 96 bytes function-key texts F3..F12: a length byte (0..95)
//            and 95 bytes of text padded with spaces
//  1800 i32  position of the marriage section (2000)
//  1804 i32  size of the marriage section - 1
//  1808 i32  position of the person section (just after the marriages)
//  1812 i32  not written (0), ignored
//  every other byte below position 2000 is 0.
//  2000      marriage section, person section, "AutoCap" and one byte per person.
//
// Marriage record: i32 length (from the length field up to the end byte),
// i16 MarNum, Husband, Wife, NumKids, NumKids x i16 Kids, i16 Divorced,
// NotMarried, optional date item (1, u8 n, n bytes), optional place item
// (2, i32 n, n bytes), end byte 255.
// Person record: i32 length, i16 PerNum, sex code ("D" deleted, "M", "F", "N"),
// text items (tag 2..16, i16 n, n bytes), partner item (17, u8 NumPartners),
// optional notes item (18, 1, i32 n, n bytes), end byte 255.
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "common/bytes.h"
#include "store/record_layout.h"

namespace vft {

constexpr std::int32_t kFamilyFileVersion = 1630;
constexpr std::size_t kFunctionKeyCount = 10;
constexpr std::size_t kFunctionKeyWidth = 95;

struct FamilyMarriage {
  MarriageRecord rec;       // Reserved bytes are not part of the file
  std::string MarriedDate;  // item text (cut to the field width when read)
  std::string MarriedAt;
  bool operator==(const FamilyMarriage&) const = default;
};

struct FamilyPerson {
  // Text fields hold the item texts, unpadded; NotesRec is not part of the
  // file (a chain is made when the person is unpacked into record files).
  PersonRecord rec;
  std::string Notes;
  bool operator==(const FamilyPerson&) const = default;
};

// The fixed-area values of a Family file.
struct FamilyHeader {
  double TimeStamp = 0;
  std::int16_t DiskNumber = 1;
  std::int16_t Continuation = 0;
  std::int32_t Version = kFamilyFileVersion;
  std::int32_t Version2 = kFamilyFileVersion;
  std::int16_t NumPersons = 0;
  std::int16_t NumMarriages = 0;
  std::int16_t LastPerson = 0;
  std::array<std::string, kFunctionKeyCount> FunctionKeys;  // F3..F12, trimmed when read
  bool operator==(const FamilyHeader&) const = default;
};

// Everything a Family file holds.
struct FamilyImage : FamilyHeader {
  std::vector<FamilyMarriage> Marriages;  // Marriage n at index n - 1
  std::vector<FamilyPerson> Persons;      // in file order (Person n at index n - 1 in our files)
  int DeletedCount = 0;                   // "D" records
  bool operator==(const FamilyImage&) const = default;
};

enum class FamilyFileError {
  None,
  NotAFamilyFile,  // the identifying text is missing
  ReadError,       // damaged or truncated
  MultiDisk,       // the marriages continue on another disk
};

struct FamilyParse {
  FamilyFileError error = FamilyFileError::None;
  std::size_t error_offset = 0;  // byte offset where the damage was found
  FamilyImage image;
  bool ok() const { return error == FamilyFileError::None; }
};

// Reads a whole Family file from memory; never throws. Every position, count
// and length is checked against the bytes that remain before it is used or
// anything is reserved, so memory grows with the records really present (at
// most one image record per 8 bytes of file), never with what a damaged
// count or length claims.
FamilyParse ParseFamilyFile(const std::uint8_t* data, std::size_t size);

// The exact bytes of a Family file for an image: texts are written trimmed,
// empty ones left out, and the notes item only when the notes are not empty.
Bytes BuildFamilyFile(const FamilyImage& image);

// The save time stamp for a local time: yyyymmddhhnnss as a number.
double FamilyTimeStamp(int year, int month, int day, int hour, int minute, int second);

// The contents of the five record files.
struct RecordFiles {
  Bytes cfg, per, mar, mce, notes;
};

// Packs record files straight into Family file bytes (the save side), with
// the header's values and counts: persons and marriages are taken as stored,
// without display upper-casing, texts trimmed; a person's notes are the
// trimmed text of its chain. Fails when the record files hold fewer records
// than the counts name or a count is out of range.
bool PackFamilyFile(const FamilyHeader& header, const RecordFiles& files, Bytes& out);

// The person an opened tree shows first: LastPerson when it names a living
// person, otherwise the living person with the lowest number (1 when all are
// deleted).
std::int16_t OpeningPerson(const FamilyImage& image);

// Unpacks an image into record-file contents (the open side): `config` is the
// settings record to carry, with the two counts and OpeningPerson as
// LastPerson; notes become new chains exactly as AppendNotes makes them, in
// the order the persons come.
RecordFiles UnpackFamilyImage(const FamilyImage& image, const ConfigRecord& config);

}  // namespace vft
