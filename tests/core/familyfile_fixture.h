// Helpers shared by the Family file tests: building trees through the record
// store, reading positions of a file the way the format counts them (1-based),
// and a hand-assembler for Family files.
#pragma once
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "common/bytes.h"
#include "store/file_io.h"
#include "store/records.h"
#include "temp_session.h"
#include "tree_builder.h"

namespace vft::test {

// The little-endian helpers of the store; their byte order is pinned down by the record layout tests.
inline std::int32_t at32(const Bytes& b, std::size_t position) { return read_i32(b.data() + position - 1); }
inline std::int16_t at16(const Bytes& b, std::size_t position) { return read_i16(b.data() + position - 1); }
inline void set32(Bytes& b, std::size_t offset, std::int32_t v) { ByteWriter(b).put_i32_at(offset, v); }
inline void set16(Bytes& b, std::size_t offset, std::int16_t v) { ByteWriter(b).put_i16_at(offset, v); }

inline void write_file(const std::string& path, const Bytes& b) { ASSERT_TRUE(test::put_file(path, b)); }
inline Bytes read_file(const std::string& path) { return fileio::read_all(path).value_or(Bytes{}); }

struct NewPerson {
  std::string fam{}, given{}, sex{};
  std::string born{}, notes{};
  std::int16_t partners = 0;
  std::int16_t autocap = 0;
};

// Adds a person through the record store (the caller's tree grows by one).
inline void add_person(Session& s, const NewPerson& p) {
  s.Config.setNumPersons(static_cast<std::int16_t>(s.Config.NumPersons() + 1));
  s.Editing.Person2 = blank_person();
  s.Editing.Person2.FamName = p.fam;
  s.Editing.Person2.GivenNames = p.given;
  s.Editing.Person2.Sex = p.sex;
  s.Editing.Person2.BirthDate = p.born;
  s.Editing.Person2.NumPartners = p.partners;
  s.Editing.Person2.AutoCap = p.autocap;
  ASSERT_TRUE(AddPersonRecord(s, s.Editing.Person2, p.notes));
}

inline void add_marriage(Session& s, std::int16_t husband, std::int16_t wife, const std::vector<int>& kids,
                         const std::string& date = "", const std::string& place = "") {
  s.Config.setNumMarriages(static_cast<std::int16_t>(s.Config.NumMarriages() + 1));
  s.Editing.MarBuf = MarriageRecord{};
  s.Editing.MarBuf.Husband = husband;
  s.Editing.MarBuf.Wife = wife;
  for (int k : kids)
    s.Editing.MarBuf.Kids[static_cast<std::size_t>(s.Editing.MarBuf.NumKids++)] = static_cast<std::int16_t>(k);
  s.Editing.CerBuf = blank_ceremony();
  s.Editing.CerBuf.MarriedDate = date;
  s.Editing.CerBuf.MarriedAt = place;
  ASSERT_TRUE(AddMarriageRecord(s, s.Editing.MarBuf, s.Editing.CerBuf));
  ASSERT_TRUE(WriteConfig(s));
}

// Assembles a Family file by hand, field by field, so tests can state the
// bytes they expect (and make files our own writer would never make).
class VflBuilder {
 public:
  VflBuilder(std::int16_t persons, std::int16_t marriages, std::int16_t last, double stamp = 20261205120000.0) {
    ByteWriter(b).f64(stamp);
    b.resize(1999, 0);
    set16(b, 8, 1);
    set32(b, 16, 1217);
    std::string magic = "VORLAN FAMILY TREE";
    std::copy(magic.begin(), magic.end(), b.begin() + 32);
    set32(b, 50, 1630);
    set16(b, 100, persons);
    set16(b, 104, marriages);
    set16(b, 108, last);
    set32(b, 112, 1630);
    for (std::size_t k = 0; k < 10; ++k) function_key(k, "");
    set32(b, 1799, 2000);
  }
  void function_key(std::size_t k, const std::string& text) {
    std::size_t at = 256 + 96 * k;
    b[at] = static_cast<std::uint8_t>(text.size());
    for (std::size_t i = 0; i < 95; ++i) b[at + 1 + i] = i < text.size() ? static_cast<std::uint8_t>(text[i]) : ' ';
  }
  std::size_t begin_record() {
    std::size_t start = b.size();
    b.insert(b.end(), 4, 0);
    return start;
  }
  void end_record(std::size_t start) {
    set32(b, start, static_cast<std::int32_t>(b.size() - start));
    b.push_back(255);
  }
  void u8(std::uint8_t v) { b.push_back(v); }
  void i16(std::int16_t v) { ByteWriter(b).i16(v); }
  void i32(std::int32_t v) { ByteWriter(b).i32(v); }
  void text(const std::string& s) { b.insert(b.end(), s.begin(), s.end()); }

  void marriage(std::int16_t num, std::int16_t husband, std::int16_t wife, std::vector<std::int16_t> kids,
                const std::string& date = "", const std::string& place = "") {
    std::size_t start = begin_record();
    for (std::int16_t v : {num, husband, wife, static_cast<std::int16_t>(kids.size())}) i16(v);
    for (std::int16_t k : kids) i16(k);
    i16(0);
    i16(0);
    if (!date.empty()) u8(1), u8(static_cast<std::uint8_t>(date.size())), text(date);
    if (!place.empty()) u8(2), i32(static_cast<std::int32_t>(place.size())), text(place);
    end_record(start);
  }
  // Sets positions 1804 and 1808 from where the marriage section ended.
  void end_marriages() {
    auto after = static_cast<std::int32_t>(b.size() + 1);
    set32(b, 1803, after - 2001);
    set32(b, 1807, after);
  }
  void item(std::uint8_t tag, const std::string& s) {
    u8(tag);
    i16(static_cast<std::int16_t>(s.size()));
    text(s);
  }
  void notes(const std::string& s) {
    u8(18);
    u8(1);
    i32(static_cast<std::int32_t>(s.size()));
    text(s);
  }
  void autocap(std::vector<std::uint8_t> flags) {
    text("AutoCap");
    b.insert(b.end(), flags.begin(), flags.end());
  }

  Bytes b;
};

}  // namespace vft::test
