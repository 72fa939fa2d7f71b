// Writing a Family file into memory. The bytes must come out the same as they
// always have, so that other programs and older versions read our files:
// unused areas are zeros, texts are trimmed and empty ones left out, and the
// marriage section keeps its 200-space rule (below).
//
// One writer serves both sources: an image (BuildFamilyFile) and the record
// files themselves (PackFamilyFile, the save, which goes straight from the
// record bytes to the file without making strings of every field).
#include <string_view>

#include "store/familyfile_image.h"
#include "store/records.h"

namespace vft {
namespace {

constexpr std::string_view kMagic = "VORLAN FAMILY TREE";
constexpr std::size_t kMarriageSection = 1999;  // offset of position 2000
constexpr std::size_t kSpaceRun = 200;
constexpr std::uint8_t kEndByte = 255;
constexpr std::size_t kTextTags = 15;  // tags 2..16

// The text fields of the Person record (vorlan.Per) in tag order: offset and width.
struct FieldAt {
  std::size_t offset, width;
};
constexpr FieldAt kPersonText[kTextTags] = {{person_at::FamName, width::FamName},
                                            {person_at::GivenNames, width::GivenNames},
                                            {person_at::BirthDate, width::Date},
                                            {person_at::DeathDate, width::Date},
                                            {person_at::BirthPlace, width::Place},
                                            {person_at::Baptised, width::Baptised},
                                            {person_at::DOBap, width::Date},
                                            {person_at::Baptisplace, width::Place},
                                            {person_at::DeathPlace, width::Place},
                                            {person_at::InterDate, width::Date},
                                            {person_at::InteredPlace, width::Place},
                                            {person_at::Occupation, width::Occupation},
                                            {person_at::CurrAddress, width::CurrAddress},
                                            {person_at::Phone, width::Phone},
                                            {person_at::Source, width::Source}};

std::string_view trimmed(std::string_view s) {
  std::size_t b = s.find_first_not_of(' ');
  if (b == std::string_view::npos) return {};
  return s.substr(b, s.find_last_not_of(' ') - b + 1);
}

void put32(Bytes& b, std::size_t at, std::int32_t v) { ByteWriter(b).put_i32_at(at, v); }
void put16(Bytes& b, std::size_t at, std::int16_t v) { ByteWriter(b).put_i16_at(at, v); }
void put_text(Bytes& b, std::size_t at, std::string_view s) {
  for (std::size_t k = 0; k < s.size(); ++k) b[at + k] = static_cast<std::uint8_t>(s[k]);
}

// What the writer needs of a person, whichever source it comes from.
struct PersonView {
  std::int16_t PerNum = 0;
  bool deleted = false;
  std::string_view sex;
  std::array<std::string_view, kTextTags> texts;  // tags 2..16
  std::int16_t NumPartners = 0;
  std::string_view notes;
};

class Writer {
 public:
  Writer(Bytes& out, const FamilyHeader& h)
      : out_(out), count_(h.NumPersons > 0 ? static_cast<std::size_t>(h.NumPersons) : 0) {
    out.assign(kMarriageSection, 0);
    Bytes stamp;
    ByteWriter(stamp).f64(h.TimeStamp);
    std::copy(stamp.begin(), stamp.end(), out.begin());
    put16(out, 8, h.DiskNumber);
    put16(out, 10, h.Continuation);
    put32(out, 16, 1217);
    put_text(out, 32, kMagic);
    put32(out, 50, h.Version);
    put16(out, 100, h.NumPersons);
    put16(out, 104, h.NumMarriages);
    put16(out, 108, h.LastPerson);
    put32(out, 112, h.Version2);
    for (std::size_t k = 0; k < kFunctionKeyCount; ++k) {
      std::string_view text = h.FunctionKeys[k];
      if (text.size() > kFunctionKeyWidth) text = text.substr(0, kFunctionKeyWidth);
      std::size_t at = 256 + 96 * k;
      out[at] = static_cast<std::uint8_t>(text.size());
      put_text(out, at + 1, text);
      for (std::size_t i = text.size(); i < kFunctionKeyWidth; ++i) out[at + 1 + i] = ' ';
    }
    put32(out, 1799, 2000);
    autocap_.assign(count_, 0);
  }

  void marriage(const MarriageRecord& m, std::string_view married_date, std::string_view married_at) {
    // Each record used to be written over a run of 200 spaces laid down at its
    // start; whatever the later sections do not cover of the last run is still
    // there at the end of the file.
    space_end_ = out_.size() + kSpaceRun;
    ByteWriter w(out_);
    std::size_t start = begin_record();
    // A damaged record can claim more children than it has slots; the file
    // holds what the slots hold, so that it still opens.
    int kids = m.NumKids < 0 ? 0 : (m.NumKids > kMaxKids ? kMaxKids : m.NumKids);
    w.i16(m.MarNum);
    w.i16(m.Husband);
    w.i16(m.Wife);
    w.i16(static_cast<std::int16_t>(kids));
    for (int k = 0; k < kids; ++k) w.i16(m.Kids[static_cast<std::size_t>(k)]);
    w.i16(m.Divorced);
    w.i16(m.NotMarried);
    std::string_view date = trimmed(married_date);
    if (!date.empty()) {
      if (date.size() > 255) date = date.substr(0, 255);
      w.u8(1);
      w.u8(static_cast<std::uint8_t>(date.size()));
      w.text(date);
    }
    // Family files have never carried the place of a family without a
    // husband; we keep to that so that every reader finds what it always found.
    std::string_view place = trimmed(married_at);
    if (m.Husband != 0 && !place.empty()) {
      w.u8(2);
      w.i32(static_cast<std::int32_t>(place.size()));
      w.text(place);
    }
    end_record(start);
  }

  void end_marriages() {
    const auto after = static_cast<std::int32_t>(out_.size() + 1);  // 1-based position after the section
    put32(out_, 1803, after - 2001);
    put32(out_, 1807, after);
  }

  void person(const PersonView& p, std::int16_t autocap) {
    if (p.PerNum >= 1 && static_cast<std::size_t>(p.PerNum) <= count_ && autocap == 1)
      autocap_[static_cast<std::size_t>(p.PerNum) - 1] = 1;
    ByteWriter w(out_);
    std::size_t start = begin_record();
    w.i16(p.PerNum);
    if (p.deleted) {
      // Nothing of a deleted person is kept but its number.
      w.u8('D');
      end_record(start);
      return;
    }
    w.u8(p.sex == "M" || p.sex == "F" ? static_cast<std::uint8_t>(p.sex[0]) : 'N');
    for (std::size_t i = 0; i < kTextTags; ++i) {
      std::string_view t = trimmed(p.texts[i]);
      if (t.empty()) continue;
      if (t.size() > 32767) t = t.substr(0, 32767);
      w.u8(static_cast<std::uint8_t>(i + 2));
      w.i16(static_cast<std::int16_t>(t.size()));
      w.text(t);
    }
    w.u8(17);
    w.u8(static_cast<std::uint8_t>(p.NumPartners));
    std::string_view notes = trimmed(p.notes);
    if (!notes.empty()) {
      w.u8(18);
      w.u8(1);
      w.i32(static_cast<std::int32_t>(notes.size()));
      w.text(notes);
    }
    end_record(start);
  }

  // The AutoCap section: one byte per Person number, whatever order the
  // records came in.
  void finish() {
    ByteWriter(out_).text("AutoCap");
    out_.insert(out_.end(), autocap_.begin(), autocap_.end());
    if (out_.size() < space_end_) out_.resize(space_end_, ' ');
  }

 private:
  std::size_t begin_record() {
    std::size_t start = out_.size();
    out_.insert(out_.end(), 4, 0);
    return start;
  }
  void end_record(std::size_t start) {
    put32(out_, start, static_cast<std::int32_t>(out_.size() - start));
    out_.push_back(kEndByte);
  }

  Bytes& out_;
  std::size_t count_;
  Bytes autocap_;
  std::size_t space_end_ = 0;
};

}  // namespace

double FamilyTimeStamp(int year, int month, int day, int hour, int minute, int second) {
  std::int64_t v = year;
  for (int part : {month, day, hour, minute, second}) v = v * 100 + part;
  return static_cast<double>(v);
}

Bytes BuildFamilyFile(const FamilyImage& im) {
  Bytes out;
  std::size_t estimate = kMarriageSection + kSpaceRun + im.Marriages.size() * 64 + im.Persons.size() * 160;
  for (const auto& p : im.Persons) estimate += p.Notes.size();
  out.reserve(estimate);
  Writer w(out, im);
  for (const FamilyMarriage& m : im.Marriages) w.marriage(m.rec, m.MarriedDate, m.MarriedAt);
  w.end_marriages();
  for (const FamilyPerson& fp : im.Persons) {
    const PersonRecord& r = fp.rec;
    w.person({r.PerNum,
              r.Deleted != 0,
              r.Sex,
              {r.FamName, r.GivenNames, r.BirthDate, r.DeathDate, r.BirthPlace, r.Baptised, r.DOBap, r.Baptisplace,
               r.DeathPlace, r.InterDate, r.InteredPlace, r.Occupation, r.CurrAddress, r.Phone, r.Source},
              r.NumPartners,
              fp.Notes},
             r.AutoCap);
  }
  w.finish();
  return out;
}

bool PackFamilyFile(const FamilyHeader& h, const RecordFiles& files, Bytes& out) {
  if (h.NumPersons < 0 || h.NumMarriages < 0 || h.NumMarriages > kMaxMarriages) return false;
  const auto persons = static_cast<std::size_t>(h.NumPersons);
  const auto marriages = static_cast<std::size_t>(h.NumMarriages);
  if (files.per.size() / kPersonLen < persons || files.mar.size() / kMarriageLen < marriages) return false;

  out.clear();
  out.reserve(kMarriageSection + kSpaceRun + marriages * 64 + persons * 160 + files.notes.size());
  Writer w(out, h);
  const std::size_t ceremonies = files.mce.size() / kCeremonyLen;
  for (std::size_t n = 1; n <= marriages; ++n) {
    MarriageRecord m = decode_marriage(files.mar.data() + (n - 1) * kMarriageLen);
    // A ceremony record that was never written has neither date nor place.
    std::string_view date, place;
    if (n <= ceremonies) {
      auto c = reinterpret_cast<const char*>(files.mce.data() + (n - 1) * kCeremonyLen);
      date = std::string_view(c, width::MarriedDate);
      place = std::string_view(c + width::MarriedDate, width::MarriedAt);
    }
    w.marriage(m, date, place);
  }
  w.end_marriages();

  std::string notes;
  for (std::size_t n = 1; n <= persons; ++n) {
    // Read from the record bytes directly, never through ReadPerson: the file
    // keeps family names as stored, whatever the display option says.
    const std::uint8_t* r = person_bytes(files.per, n);
    auto text = [r](std::size_t at, std::size_t width) {
      return std::string_view(reinterpret_cast<const char*>(r + at), width);
    };
    PersonView p;
    // The record's place is its number; a record whose number field was never
    // filled in still goes into the file under the right number.
    p.PerNum = static_cast<std::int16_t>(n);
    p.deleted = read_i16(r + person_at::Deleted) != 0;
    p.sex = text(person_at::Sex, 1);
    for (std::size_t i = 0; i < kTextTags; ++i) p.texts[i] = text(kPersonText[i].offset, kPersonText[i].width);
    p.NumPartners = read_i16(r + person_at::NumPartners);
    // Notes go into the file only when the chain pointer is valid and the
    // chain holds some text: an empty notes item would say nothing.
    const std::int32_t chain = read_i32(r + person_at::NotesRec);
    notes = p.deleted || !has_chain(chain) ? std::string() : ReadNotesFrom(chain, files.notes);
    p.notes = notes;
    w.person(p, read_i16(r + person_at::AutoCap));
  }
  w.finish();
  return true;
}

}  // namespace vft
