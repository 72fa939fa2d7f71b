#include "tree_builder.h"

#include <stdexcept>

#include "common/cp1252.h"
#include "relations/lookups.h"
#include "store/file_io.h"
#include "store/records.h"

namespace vft::test {

TreeBuilder::TreeBuilder(Session& s) : s_(s) {
  s_.Config.setNumPersons(0);
  s_.Config.setNumMarriages(0);
  if (!WriteConfig(s_)) throw std::runtime_error("settings record not written");
  LoadMarriages(s_);
}

std::int16_t TreeBuilder::add_person(const std::string& given, const std::string& fam, const std::string& sex) {
  auto n = static_cast<std::int16_t>(s_.Config.NumPersons() + 1);
  s_.Config.setNumPersons(n);
  PersonRecord p = blank_person();
  p.PerNum = n;
  p.GivenNames = given;
  p.FamName = fam;
  p.Sex = sex;
  p.BirthDate = "1 Jan 1900";
  write(p);
  if (!WriteConfig(s_)) throw std::runtime_error("settings record not written");
  return n;
}

std::int16_t TreeBuilder::add_family(const MarriageRecord& f, const CeremonyRecord& c) {
  auto m = static_cast<std::int16_t>(s_.Config.NumMarriages() + 1);
  s_.Config.setNumMarriages(m);
  s_.Marriages[static_cast<std::size_t>(m)] = f;
  s_.Marriages[static_cast<std::size_t>(m)].MarNum = m;
  if (!WriteMarriage(s_, m, s_.Marriages[static_cast<std::size_t>(m)], c))
    throw std::runtime_error("family not written");
  s_.Editing.CerBuf = blank_ceremony();
  s_.Editing.MarBuf = MarriageRecord{};
  if (!WriteConfig(s_)) throw std::runtime_error("settings record not written");
  return m;
}

std::int16_t TreeBuilder::person(const std::string& given, const std::string& fam, const std::string& sex) {
  std::int16_t p = add_person(given, fam, sex);
  MarriageRecord f;
  f.Kids[0] = p;
  f.NumKids = 1;
  add_family(f, blank_ceremony());
  return p;
}

std::int16_t TreeBuilder::child(std::int16_t m, const std::string& given, const std::string& fam,
                                const std::string& sex) {
  std::int16_t p = add_person(given, fam, sex);
  MarriageRecord& f = s_.Marriages[static_cast<std::size_t>(m)];
  f.Kids[static_cast<std::size_t>(f.NumKids)] = p;
  ++f.NumKids;
  write_family(m);
  return p;
}

std::int16_t TreeBuilder::loose_person(const std::string& given, const std::string& fam, const std::string& sex) {
  return add_person(given, fam, sex);
}

std::int16_t TreeBuilder::family(std::int16_t h, std::int16_t w, const std::string& date, const std::string& place) {
  MarriageRecord f;
  f.Husband = h;
  f.Wife = w;
  std::int16_t m = add_family(f, {cp1252::fit(date, width::MarriedDate), cp1252::fit(place, width::MarriedAt)});
  if (h && w) {
    for (std::int16_t p : {h, w}) {
      PersonRecord r = read(p);
      ++r.NumPartners;
      write(r);
    }
  }
  return m;
}

std::int16_t TreeBuilder::empty_family() { return add_family(MarriageRecord{}, blank_ceremony()); }

PersonRecord TreeBuilder::read(std::int16_t p) const {
  std::uint8_t buf[kPersonLen];
  if (!fileio::read_record(s_.work(recfile::Person), p, kPersonLen, buf)) throw std::runtime_error("no such person");
  return decode_person(buf);
}

void TreeBuilder::write(const PersonRecord& p) {
  if (!WritePersonRecord(s_, p.PerNum, p)) throw std::runtime_error("person not written");
}

void TreeBuilder::write_family(std::int16_t m) {
  if (!WriteMarriageOnly(s_, m, s_.Marriages[static_cast<std::size_t>(m)]))
    throw std::runtime_error("family not written");
  s_.Editing.MarBuf = MarriageRecord{};
}

void TreeBuilder::set_counts(int persons, int families) {
  s_.Config.setNumPersons(static_cast<std::int16_t>(persons));
  s_.Config.setNumMarriages(static_cast<std::int16_t>(families));
  if (!WriteConfig(s_)) throw std::runtime_error("settings record not written");
}

void TreeBuilder::select(std::int16_t p) {
  if (!SelectPersonForRelations(s_, p)) throw std::runtime_error("cannot select");
}

RecordFiles snapshot(const Session& s) {
  RecordFiles files;
  for (const char* name : {recfile::Person, recfile::Marriage, recfile::Ceremony, recfile::Notes, recfile::Config}) {
    auto data = fileio::read_all(s.work(name));
    files[name] = data ? *data : Bytes{};
  }
  return files;
}

CeremonyRecord stored_ceremony(const Session& s, std::int16_t m) {
  std::uint8_t buf[kCeremonyLen];
  if (!fileio::read_record(s.work(recfile::Ceremony), m, kCeremonyLen, buf)) throw std::runtime_error("no ceremony");
  return decode_ceremony(buf);
}

MarriageRecord stored_family(const Session& s, std::int16_t m) {
  std::uint8_t buf[kMarriageLen];
  if (!fileio::read_record(s.work(recfile::Marriage), m, kMarriageLen, buf)) throw std::runtime_error("no family");
  return decode_marriage(buf);
}

}  // namespace vft::test
