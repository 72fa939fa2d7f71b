// Reading a Family file from memory. The reader trusts nothing: every position,
// count and length is checked against the bytes that are really there before it
// is used, so a damaged file is refused instead of read out of bounds or
// allowed to reserve memory it does not justify.
#include <string_view>

#include "store/familyfile_image.h"

namespace vft {
namespace {

constexpr std::string_view kMagic = "VORLAN FAMILY TREE";
constexpr std::size_t kMagicAt = 32;
constexpr std::size_t kFixedAreaEnd = 1811;   // the last field read is the i32 at 1808
constexpr std::int64_t kMinMarriageLen = 16;  // length, four numbers, two flags
constexpr std::int64_t kMinPersonLen = 7;     // length, number, sex code
constexpr std::uint8_t kEndByte = 255;

constexpr std::uint8_t kTagDate = 1, kTagPlace = 2;
constexpr std::uint8_t kTagPartners = 17, kTagNotes = 18;

// Text of an item cut to the width of the field it fills.
std::string cut(std::string s, std::size_t width) {
  if (s.size() > width) s.resize(width);
  return s;
}

// The field a person text item fills, by tag (2..16), with its width.
std::string* person_field(PersonRecord& p, std::uint8_t tag, std::size_t& width) {
  switch (tag) {
    case 2: width = width::FamName; return &p.FamName;
    case 3: width = width::GivenNames; return &p.GivenNames;
    case 4: width = width::Date; return &p.BirthDate;
    case 5: width = width::Date; return &p.DeathDate;
    case 6: width = width::Place; return &p.BirthPlace;
    case 7: width = width::Baptised; return &p.Baptised;
    case 8: width = width::Date; return &p.DOBap;
    case 9: width = width::Place; return &p.Baptisplace;
    case 10: width = width::Place; return &p.DeathPlace;
    case 11: width = width::Date; return &p.InterDate;
    case 12: width = width::Place; return &p.InteredPlace;
    case 13: width = width::Occupation; return &p.Occupation;
    case 14: width = width::CurrAddress; return &p.CurrAddress;
    case 15: width = width::Phone; return &p.Phone;
    case 16: width = width::Source; return &p.Source;
    default: return nullptr;
  }
}

class Reader {
 public:
  Reader(const std::uint8_t* data, std::size_t size) : r_(data, size), size_(size) {}

  FamilyParse run() {
    if (!header() || !marriages() || !persons() || !autocap()) out_.image = FamilyImage{};
    return std::move(out_);
  }

 private:
  bool fail(FamilyFileError kind, std::size_t offset) {
    out_.error = kind;
    out_.error_offset = offset;
    return false;
  }
  bool damaged(std::size_t offset) { return fail(FamilyFileError::ReadError, offset); }

  // Moves to a 1-based position read from the file.
  bool seek_position(std::int32_t position, std::size_t field_at) {
    if (position < 1 || static_cast<std::size_t>(position) - 1 > size_) return damaged(field_at);
    r_.seek(static_cast<std::size_t>(position) - 1);
    return true;
  }

  bool header() {
    FamilyImage& im = out_.image;
    if (size_ < kMagicAt + kMagic.size()) return fail(FamilyFileError::NotAFamilyFile, kMagicAt);
    r_.seek(kMagicAt);
    if (r_.text(kMagic.size()) != kMagic) return fail(FamilyFileError::NotAFamilyFile, kMagicAt);
    if (size_ < kFixedAreaEnd) return damaged(size_);

    r_.seek(0);
    im.TimeStamp = r_.f64();
    im.DiskNumber = r_.i16();
    im.Continuation = r_.i16();
    r_.seek(50);
    im.Version = r_.i32();
    r_.seek(100);
    im.NumPersons = r_.i16();
    r_.seek(104);
    im.NumMarriages = r_.i16();
    r_.seek(108);
    im.LastPerson = r_.i16();
    r_.seek(112);
    im.Version2 = r_.i32();
    // A file written without counts, or with counts no tree can have, is not
    // opened: every tree with persons has at least Marriage 1.
    if (im.NumPersons < 1 || im.NumMarriages < 1 || im.NumMarriages > kMaxMarriages) return damaged(100);
    // A LastPerson that names nobody loses nothing: the open selects another
    // person (OpeningPerson). Only the zero that files without a tree carry
    // is refused, as always.
    if (im.LastPerson == 0) return damaged(108);

    for (std::size_t k = 0; k < kFunctionKeyCount; ++k) {
      r_.seek(256 + 96 * k);
      std::size_t len = r_.u8();
      if (len > kFunctionKeyWidth) len = kFunctionKeyWidth;
      std::string text = r_.text(len);
      std::size_t b = text.find_first_not_of(' '), e = text.find_last_not_of(' ');
      im.FunctionKeys[k] = b == std::string::npos ? std::string() : text.substr(b, e - b + 1);
    }
    r_.seek(1799);
    marriages_at_ = r_.i32();
    r_.seek(1807);
    persons_at_ = r_.i32();
    return r_.ok() || damaged(r_.pos());
  }

  // Reads the record length at the current position; `end` becomes the offset
  // of the record's end byte, which must lie inside the file.
  bool record_length(std::int64_t min_len, std::size_t& start, std::size_t& end, std::int32_t& len) {
    start = r_.pos();
    len = r_.i32();
    if (!r_.ok()) return damaged(start);
    if (len < min_len || static_cast<std::int64_t>(start) + len >= static_cast<std::int64_t>(size_))
      return damaged(start);
    end = start + static_cast<std::size_t>(len);
    return true;
  }

  bool marriages() {
    FamilyImage& im = out_.image;
    if (!seek_position(marriages_at_, 1799)) return false;
    const auto count = static_cast<std::size_t>(im.NumMarriages);
    if (r_.remaining() / static_cast<std::size_t>(kMinMarriageLen + 1) < count) return damaged(r_.pos());
    im.Marriages.reserve(count);
    for (std::size_t n = 1; n <= count; ++n) {
      std::size_t start = r_.pos(), end = 0;
      std::int32_t len = 0;
      // An end byte followed by a zero length: the rest is on the next disk
      // of a multi-disk set.
      if (n > 1 && r_.remaining() >= 4) {
        std::size_t at = r_.pos();
        if (r_.i32() == 0) return fail(FamilyFileError::MultiDisk, at);
        r_.seek(at);
      }
      if (!record_length(kMinMarriageLen, start, end, len)) return false;
      FamilyMarriage& m = im.Marriages.emplace_back();
      m.rec.MarNum = r_.i16();
      m.rec.Husband = r_.i16();
      m.rec.Wife = r_.i16();
      m.rec.NumKids = r_.i16();
      if (m.rec.NumKids < 0 || m.rec.NumKids > kMaxKids || kMinMarriageLen + 2 * m.rec.NumKids > len)
        return damaged(start + 10);
      for (int k = 0; k < m.rec.NumKids; ++k) m.rec.Kids[static_cast<std::size_t>(k)] = r_.i16();
      m.rec.Divorced = r_.i16();
      m.rec.NotMarried = r_.i16();
      if (!marriage_items(m, end)) return false;
      r_.seek(end + 1);
    }
    return true;
  }

  bool marriage_items(FamilyMarriage& m, std::size_t end) {
    for (;;) {
      std::size_t at = r_.pos();
      std::uint8_t tag = r_.u8();
      if (tag == kEndByte) return true;
      if (at >= end) return damaged(at);  // the end byte is missing
      if (tag == kTagDate) {
        std::size_t n = r_.u8();
        if (r_.pos() + n > end) return damaged(at);
        m.MarriedDate = cut(r_.text(n), width::MarriedDate);
      } else if (tag == kTagPlace) {
        std::int32_t n = r_.i32();
        if (n < 0 || r_.pos() + static_cast<std::size_t>(n) > end) return damaged(at);
        m.MarriedAt = cut(r_.text(static_cast<std::size_t>(n)), width::MarriedAt);
      } else {
        return damaged(at);
      }
      if (!r_.ok()) return damaged(at);
    }
  }

  bool persons() {
    FamilyImage& im = out_.image;
    if (!seek_position(persons_at_, 1807)) return false;
    const auto count = static_cast<std::size_t>(im.NumPersons);
    if (r_.remaining() / static_cast<std::size_t>(kMinPersonLen + 1) < count) return damaged(r_.pos());
    im.Persons.reserve(count);
    seen_.assign(count + 1, false);
    for (std::size_t n = 1; n <= count; ++n) {
      std::size_t start = 0, end = 0;
      std::int32_t len = 0;
      if (!record_length(kMinPersonLen, start, end, len)) return false;
      FamilyPerson& fp = im.Persons.emplace_back();
      PersonRecord& p = fp.rec;
      p.NotesRec = -1;
      p.PerNum = r_.i16();
      // Each Person number 1..NumPersons once, so every record of the
      // persons file is written exactly once.
      if (p.PerNum < 1 || p.PerNum > im.NumPersons || seen_[static_cast<std::size_t>(p.PerNum)])
        return damaged(start + 4);
      seen_[static_cast<std::size_t>(p.PerNum)] = true;
      char code = static_cast<char>(r_.u8());
      if (code == 'D') {
        p.Deleted = -1;
        ++im.DeletedCount;
      } else {
        p.Sex.assign(1, code);
      }
      if (!person_items(fp, end)) return false;
      r_.seek(end + 1);
    }
    return true;
  }

  bool person_items(FamilyPerson& fp, std::size_t end) {
    PersonRecord& p = fp.rec;
    for (;;) {
      std::size_t at = r_.pos();
      std::uint8_t tag = r_.u8();
      if (tag == kEndByte || tag == 0) return r_.ok() || damaged(at);  // a 0 tag ends the items too
      if (at >= end) return damaged(at);
      std::size_t width = 0;
      if (std::string* field = person_field(p, tag, width)) {
        std::int16_t n = r_.i16();
        if (n < 0 || r_.pos() + static_cast<std::size_t>(n) > end) return damaged(at);
        *field = cut(r_.text(static_cast<std::size_t>(n)), width);
        // A zero byte in these two fields comes from files whose records were
        // never filled in; the value means nothing.
        if ((tag == 5 || tag == 15) && field->find('\0') != std::string::npos) field->clear();
      } else if (tag == kTagPartners) {
        if (r_.pos() + 1 > end) return damaged(at);
        p.NumPartners = r_.u8();
      } else if (tag == kTagNotes) {
        std::uint8_t kind = r_.u8();
        std::int32_t n = r_.i32();
        if (kind != 1 || n < 0 || r_.pos() + static_cast<std::size_t>(n) > end) return damaged(at);
        fp.Notes = r_.text(static_cast<std::size_t>(n));
      } else {
        return damaged(at);
      }
      if (!r_.ok()) return damaged(at);
    }
  }

  bool autocap() {
    FamilyImage& im = out_.image;
    if (r_.remaining() < 7) return true;
    std::size_t at = r_.pos();
    if (r_.text(7) != "AutoCap") return true;  // older files have no such section
    const auto count = static_cast<std::size_t>(im.NumPersons);
    if (r_.remaining() < count) return damaged(at);
    std::vector<std::size_t> index(count + 1, 0);
    for (std::size_t i = 0; i < im.Persons.size(); ++i) index[static_cast<std::size_t>(im.Persons[i].rec.PerNum)] = i;
    for (std::size_t n = 1; n <= count; ++n) {
      std::uint8_t b = r_.u8();
      PersonRecord& p = im.Persons[index[n]].rec;
      if (b == 0 || b == 20) p.AutoCap = 0;
      else if (b == 1) p.AutoCap = 1;
    }
    return true;
  }

  ByteReader r_;
  std::size_t size_;
  FamilyParse out_;
  std::int32_t marriages_at_ = 0, persons_at_ = 0;
  std::vector<bool> seen_;
};

}  // namespace

FamilyParse ParseFamilyFile(const std::uint8_t* data, std::size_t size) {
  if (data == nullptr) size = 0;
  return Reader(data, size).run();
}

}  // namespace vft
