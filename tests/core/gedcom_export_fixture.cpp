#include "gedcom_export_fixture.h"

#include <filesystem>
#include <set>

#include <gtest/gtest.h>

#include "store/file_io.h"

namespace vft::test {

ExportTree::ExportTree() { std::filesystem::create_directories(out_dir()); }

PersonRecord make_person(const std::string& fam, const std::string& given, const std::string& sex) {
  PersonRecord p = blank_person();
  p.FamName = fam;
  p.GivenNames = given;
  p.Sex = sex;
  return p;
}

std::int32_t ExportTree::person(std::int16_t n, PersonRecord p, const std::string& notes) {
  p.PerNum = n;
  EXPECT_TRUE(AppendNotes(s.disk, p, notes, s.work(recfile::Notes)));
  EXPECT_TRUE(WritePersonRecord(s, n, p));
  if (s.Config.NumPersons() < n) s.Config.setNumPersons(n);
  return p.NotesRec;
}

void ExportTree::marriage(std::int16_t m, std::int16_t husband, std::int16_t wife,
                          std::initializer_list<std::int16_t> kids, const std::string& date, const std::string& place,
                          bool divorced, bool not_married) {
  s.Editing.MarBuf = MarriageRecord{};
  s.Editing.MarBuf.MarNum = m;
  s.Editing.MarBuf.Husband = husband;
  s.Editing.MarBuf.Wife = wife;
  for (std::int16_t k : kids) s.Editing.MarBuf.Kids[static_cast<std::size_t>(s.Editing.MarBuf.NumKids++)] = k;
  s.Editing.MarBuf.Divorced = divorced ? -1 : 0;
  s.Editing.MarBuf.NotMarried = not_married ? -1 : 0;
  s.Editing.CerBuf = blank_ceremony();
  s.Editing.CerBuf.MarriedDate = date;
  s.Editing.CerBuf.MarriedAt = place;
  EXPECT_TRUE(WriteMarriage(s, m, s.Editing.MarBuf, s.Editing.CerBuf));
  if (s.Config.NumMarriages() < m) s.Config.setNumMarriages(m);
}

void ExportTree::build_sample() {
  PersonRecord p = make_person("Smith", "John", "M");
  p.BirthDate = "5 Jan 1901";
  p.BirthPlace = "London";
  p.DeathDate = "? Mar 1970";
  p.DeathPlace = "Leeds";
  p.Baptised = "Yes";
  p.DOBap = "? ??? 1901";
  p.Baptisplace = "St Paul's";
  p.InterDate = "12 Mar 1970";
  p.InteredPlace = "Leeds Cemetery";
  p.Occupation = "Baker";
  p.CurrAddress = "1 High St";
  p.Phone = "555 1234";
  p.Source = "Parish register";
  person(1, p, "Born at home.\r\nServed in the war.");

  p = make_person("M\xFCller", "Mary Ann", "F");
  p.BirthDate = "? ??? 1905";
  p.Baptised = "Y";
  p.CurrAddress = "2 Mill Lane";
  p.Phone = "555 9876";
  person(2, p, "mail@home " + std::string(245, 'a'));

  p = make_person("Smith", "Ghost", "M");
  p.BirthDate = "1 Jan 1900";
  p.Deleted = -1;
  person(3, p, "Deleted notes");

  person(4, make_person("Smith", "Pat", " "));

  p = make_person("Smith", "Ann", "F");
  p.BirthDate = "12 ??? ????";
  person(5, p, "  First para  \r\n\r\nThird para  ");

  p = make_person("Brown", "Peter", "M");
  p.BirthDate = "ABT 1900";
  p.DeathDate = "? ??? ????";
  p.CurrAddress = "Old address";
  p.Phone = "111";
  const std::int32_t shared = person(6, p, "@Both\r\nof them");

  p = make_person("Dupr\xE9", "\xC9lodie", "F");
  p.BirthDate = "? ??? ????";
  p.BirthPlace = "Lyon";
  p.Source = "Census 1901";
  person(7, p);

  p = make_person("Dupr\xE9", "Luc", "M");
  p.BirthDate = "3 Feb 1950";
  p.NotesRec = shared;  // as a damaged or merged tree can have it
  person(8, p);

  p = make_person("Doe", "", "F");
  p.DeathPlace = "Paris";  // with no date: no death in the standard flavour
  person(9, p, std::string("bad\0note", 8));

  marriage(1, 1, 2, {5, 4}, "12 Jun 1925", "St Mary's\r\nLondon", true);
  marriage(2, 6, 5, {}, "", "Gretna", false, true);
  marriage(3, 0, 7, {8}, "1 May 1949", "Lyon");
  marriage(4, 3, 9, {}, "1 Jan 1950");
  marriage(5, 0, 9, {});
  marriage(6, 0, 0, {8, 3});
  marriage(7, 4, 0, {});
  marriage(8, 6, 7, {}, "Easter 1960", "", false, true);
  marriage(9, 8, 5, {}, "", "Rome");
  marriage(10, 8, 9, {}, "1 May 1960", std::string("Ro\0me", 5), true);
  marriage(11, 1, 7, {}, "? ??? ????");
}

ExportOptions ExportTree::options(const std::string& name, GedcomFlavour f) const {
  ExportOptions o;
  o.flavour = f;
  o.file_name = out_dir() + name;
  o.submitter = {"A. Researcher", "10 Long Road", "", "Springfield", "555 0000", "ar@example.org"};
  return o;
}

ExportResult ExportTree::export_to(const std::string& name, GedcomFlavour f, const Progress& progress) {
  return ExportGedcom(s, options(name, f), progress);
}

std::string ExportTree::read(const std::string& name) const {
  auto b = fileio::read_all(out_dir() + name);
  return b ? std::string(b->begin(), b->end()) : std::string();
}

bool ExportTree::exists(const std::string& name) const { return fileio::exists(out_dir() + name); }

std::vector<std::string> crlf_lines(const std::string& file) {
  std::vector<std::string> out;
  std::size_t pos = 0;
  while (pos < file.size()) {
    std::size_t end = file.find("\r\n", pos);
    if (end == std::string::npos) end = file.size();
    out.push_back(file.substr(pos, end - pos));
    pos = end + 2;
  }
  if (!out.empty() && !out.back().empty() && out.back().back() == '\r') out.back().pop_back();
  return out;
}

std::vector<std::string> dangling_pointers(const std::string& file) {
  std::set<std::string> defined;
  std::vector<std::string> used, missing;
  for (const std::string& line : crlf_lines(file)) {
    std::size_t sp = line.find(' ');
    if (sp == std::string::npos) continue;
    std::string rest = line.substr(sp + 1);
    if (line.compare(0, 2, "0 ") == 0 && !rest.empty() && rest[0] == '@') {
      defined.insert(rest.substr(0, rest.find(' ')));
      continue;
    }
    std::size_t sp2 = rest.find(' ');
    if (sp2 == std::string::npos) continue;
    std::string v = rest.substr(sp2 + 1);
    if (v.size() > 2 && v.front() == '@' && v.back() == '@' && v.find("@@") == std::string::npos && v != "@VOID@")
      used.push_back(v);
  }
  for (const std::string& u : used)
    if (!defined.count(u)) missing.push_back(u);
  return missing;
}

}  // namespace vft::test
