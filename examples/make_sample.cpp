// Writes the sample Family file shipped in examples/: a fictional family of
// five generations with remarriages, a divorce, a couple who never married, a
// single parent, a family of six children, notes, places and accented names.
// Build the target `make_sample` and run it with the output file name.
#include <cstdio>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <vector>

#include "common/prompter.h"
#include "store/familyfile.h"
#include "store/records.h"
#include "store/session.h"

using namespace vft;

namespace {

struct Family {
  int husband = 0, wife = 0;
  std::vector<int> kids;
  std::string date, place;
  bool divorced = false, not_married = false;
};

struct Builder {
  std::vector<PersonRecord> persons;
  std::vector<std::string> notes;
  std::vector<Family> families;

  int person(const char* fam, const char* given, const char* sex, const char* born, const char* place,
             const char* died = "", const char* occupation = "", const char* note = "") {
    PersonRecord p = blank_person();
    p.FamName = fam;
    p.GivenNames = given;
    p.Sex = sex;
    p.BirthDate = born;
    p.BirthPlace = place;
    p.DeathDate = died;
    p.Occupation = occupation;
    persons.push_back(p);
    notes.emplace_back(note);
    return static_cast<int>(persons.size());
  }
  void family(int h, int w, std::initializer_list<int> kids, const char* date = "", const char* place = "",
              bool divorced = false, bool not_married = false) {
    families.push_back({h, w, kids, date, place, divorced, not_married});
  }
};

void build(Builder& b) {
  // Generation 1
  int john = b.person("Smith", "John", "M", "12 Mar 1820", "Leeds, Yorkshire", "4 Jun 1890", "Weaver",
                      "Worked at the Armley mill for forty years.\r\nA keen gardener and a lay preacher.");
  int mary = b.person("Brown", "Mary", "F", "1 Feb 1825", "Bradford, Yorkshire", "30 Nov 1880");
  int sarah = b.person("Wood", "Sarah", "F", "? ??? 1840", "Otley", "2 Jan 1910", "Housekeeper");
  // Generation 2: six children of John and Mary
  int william = b.person("Smith", "William", "M", "3 Apr 1846", "Leeds, Yorkshire", "8 Sep 1915", "Engine fitter");
  int elizabeth = b.person("Smith", "Elizabeth", "F", "? Jul 1848", "Leeds, Yorkshire", "1921");
  int thomas = b.person("Smith", "Thomas", "M", "17 Aug 1850", "Leeds, Yorkshire", "2 Jan 1920", "Miner");
  int ann = b.person("Smith", "Ann", "F", "5 May 1852", "Leeds, Yorkshire", "14 Feb 1930", "Seamstress");
  int james = b.person("Smith", "James Edward", "M", "22 Oct 1855", "Leeds, Yorkshire", "3 Mar 1933", "Grocer");
  int jane = b.person("Smith", "Jane", "F", "9 Dec 1858", "Leeds, Yorkshire", "19 Apr 1940", "Schoolmistress",
                      "Taught at the board school in Armley from 1880 until 1920. Never married; kept house for "
                      "her brother James after his wife died.");
  int ann_taylor = b.person("Taylor", "Ann", "F", "9 Sep 1848", "Wakefield", "1 Jan 1912");
  int robert = b.person("Jones", "Robert", "M", "? ??? 1845", "Cardiff", "", "Sailor",
                        "Went to sea again after the divorce; nothing more is known of him.");
  int henry_clark = b.person("Clark", "Henry", "M", "11 Nov 1842", "York", "6 Jun 1900", "Clerk");
  int margarethe = b.person("M\xFCller", "Margarethe", "F", "? Mar 1852", "K\xF6ln", "1919");
  int emma = b.person("Hall", "Emma", "F", "30 Jan 1858", "Harrogate", "12 Aug 1899");
  // Generation 3
  int george = b.person("Smith", "George", "M", "21 Jan 1871", "Leeds, Yorkshire", "5 May 1944", "Foreman");
  int edith = b.person("Smith", "Edith", "F", "14 Jul 1873", "Leeds, Yorkshire", "1950");
  int albert = b.person("Smith", "Albert", "M", "2 Feb 1876", "Leeds, Yorkshire", "1 Jul 1916", "Soldier",
                        "Killed on the first day of the Somme.");
  int alice = b.person("Jones", "Alice", "F", "6 Jun 1869", "Cardiff", "1948");
  int david = b.person("Jones", "David", "M", "? ??? 1872", "Cardiff");
  int florence = b.person("Clark", "Florence", "F", "18 Mar 1884", "York", "1970", "Nurse");
  int henry = b.person("Smith", "Henry", "M", "2 Feb 1878", "Leeds, Yorkshire", "1955", "Miner");
  int lucy = b.person("Smith", "Lucy", "F", "25 Dec 1875", "Leeds, Yorkshire", "1960", "Milliner");
  int frederick = b.person("Smith", "Frederick", "M", "4 Apr 1881", "Leeds, Yorkshire", "1962", "Grocer");
  int harriet = b.person("Smith", "Harriet", "F", "16 Sep 1883", "Leeds, Yorkshire", "1971");
  int mabel = b.person("Green", "Mabel", "F", "3 Mar 1874", "Pudsey", "1950");
  int charles = b.person("Baker", "Charles", "M", "? ??? 1870", "Halifax", "1939", "Baker");
  int joseph = b.person("Evans", "Joseph", "M", "12 Dec 1866", "Swansea", "1930", "Collier");
  int rose = b.person("White", "Rose", "F", "7 Jul 1879", "Leeds, Yorkshire", "1958");
  int nellie = b.person("King", "Nellie", "F", "1 May 1883", "Selby", "1965");
  // Generation 4
  int arthur = b.person("Smith", "Arthur", "M", "10 Oct 1896", "Leeds, Yorkshire", "1975", "Draughtsman");
  int doris = b.person("Smith", "Doris", "F", "19 Feb 1899", "Leeds, Yorkshire", "1988");
  int walter = b.person("Smith", "Walter", "M", "8 Aug 1902", "Leeds, Yorkshire", "1980", "Bus driver");
  int ethel = b.person("Baker", "Ethel", "F", "? ??? 1898", "Halifax", "1979");
  int gwen = b.person("Evans", "Gwen", "F", "2 Jun 1891", "Swansea", "1977");
  int dylan = b.person("Evans", "Dylan", "M", "14 Nov 1894", "Swansea", "1966", "Teacher");
  int leonard = b.person("Smith", "Leonard", "M", "20 Mar 1901", "Leeds, Yorkshire", "1984", "Electrician");
  int stanley = b.person("Smith", "Stanley", "M", "6 Jan 1906", "Leeds, Yorkshire", "1991", "Grocer");
  int joan = b.person("Smith", "Joan", "F", "30 Sep 1909", "Leeds, Yorkshire", "2001");
  int irene = b.person("Scott", "Irene", "F", "11 Apr 1899", "Bradford, Yorkshire", "1986");
  int frank = b.person("Hill", "Frank", "M", "? ??? 1897", "Keighley", "1970", "Postman");
  int owen = b.person("Price", "Owen", "M", "5 May 1889", "Neath", "1960", "Chapel minister");
  int vera = b.person("Lane", "Vera", "F", "28 Feb 1903", "Leeds, Yorkshire", "1999");
  int betty = b.person("Ward", "Betty", "F", "13 Jun 1910", "Hull", "2005", "Shop assistant");
  // Generation 5
  int peter = b.person("Smith", "Peter", "M", "9 Jan 1922", "Leeds, Yorkshire", "2010", "Engineer");
  int margaret = b.person("Smith", "Margaret", "F", "23 Apr 1925", "Leeds, Yorkshire");
  int brian = b.person("Hill", "Brian", "M", "17 Jul 1923", "Keighley", "1996", "Postman");
  int megan = b.person("Price", "Megan", "F", "1 Mar 1917", "Neath", "2008");
  int kenneth = b.person("Smith", "Kenneth", "M", "12 Dec 1927", "Leeds, Yorkshire", "2015");
  int susan = b.person("Smith", "Susan", "F", "4 Aug 1932", "Hull", "", "Librarian");
  int michael = b.person("Smith", "Michael", "M", "19 May 1935", "Hull", "2020");
  int carol = b.person("Young", "Carol", "F", "2 Oct 1926", "Wetherby", "2018");
  int paul = b.person("Adams", "Paul", "M", "7 Feb 1930", "Beverley", "2012", "Solicitor");
  int chloe = b.person("Dubois", "Chlo\xE9", "F", "15 Jun 1938", "Lyon", "", "Translator",
                       "Met Michael in Paris in 1960.");
  // Generation 6
  int richard = b.person("Smith", "Richard", "M", "3 Mar 1950", "Leeds, Yorkshire", "", "Architect");
  int helen = b.person("Smith", "Helen", "F", "27 Nov 1953", "Leeds, Yorkshire");
  int sarah_a = b.person("Adams", "Sarah", "F", "8 Aug 1957", "Beverley", "", "Doctor");
  int sophie = b.person("Smith", "Sophie", "F", "1 Jan 1962", "Paris");

  // Families; the founders' and in-laws' own parent families come after.
  b.family(john, mary, {william, elizabeth, thomas, ann, james, jane}, "10 May 1845", "St Peter's, Leeds");
  b.family(john, sarah, {}, "? ??? 1882", "Otley");
  b.family(william, ann_taylor, {george, edith, albert}, "2 Jun 1870", "Wakefield");
  b.family(robert, elizabeth, {alice, david}, "? ??? 1868", "Cardiff", true);
  b.family(henry_clark, elizabeth, {florence}, "4 Apr 1882", "York Minster");
  b.family(thomas, margarethe, {henry}, "", "", false, true);
  b.family(0, ann, {lucy});
  b.family(james, emma, {frederick, harriet}, "? Jun 1880", "Harrogate");
  b.family(george, mabel, {arthur, doris, walter}, "1 Jan 1895", "Pudsey");
  b.family(charles, edith, {ethel}, "? ??? 1897", "Halifax");
  b.family(joseph, alice, {gwen, dylan}, "12 Aug 1890", "Swansea");
  b.family(henry, rose, {leonard}, "3 Sep 1900", "Leeds, Yorkshire");
  b.family(frederick, nellie, {stanley, joan}, "? ??? 1905", "Selby");
  b.family(arthur, irene, {peter, margaret}, "6 Jun 1920", "Bradford, Yorkshire");
  b.family(frank, doris, {brian}, "? ??? 1921", "Keighley");
  b.family(owen, gwen, {megan}, "5 May 1915", "Neath");
  b.family(leonard, vera, {kenneth}, "? ??? 1925", "Leeds, Yorkshire");
  b.family(stanley, betty, {susan, michael}, "14 Feb 1930", "Hull");
  b.family(peter, carol, {richard, helen}, "? ??? 1948", "Wetherby");
  b.family(paul, susan, {sarah_a}, "20 Jul 1955", "Beverley");
  b.family(michael, chloe, {sophie}, "1 Jun 1961", "Paris");
  // Everyone not yet a child somewhere gets a parent family of their own.
  std::vector<bool> is_child(b.persons.size() + 1, false);
  for (const auto& f : b.families)
    for (int k : f.kids) is_child[static_cast<std::size_t>(k)] = true;
  for (int p = 1; p <= static_cast<int>(b.persons.size()); ++p)
    if (!is_child[static_cast<std::size_t>(p)]) b.family(0, 0, {p});
  for (const auto& f : b.families)
    if (f.husband && f.wife) {
      ++b.persons[static_cast<std::size_t>(f.husband - 1)].NumPartners;
      ++b.persons[static_cast<std::size_t>(f.wife - 1)].NumPartners;
    }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fputs("usage: make_sample OUT.vfl\n", stderr);
    return 2;
  }
  ScriptedPrompter prompter;
  Session s(prompter);
  std::string root = (std::filesystem::temp_directory_path() / "vft-make-sample").string() + "/";
  std::filesystem::remove_all(root);
  s.WorkFolder = root + "work/";
  s.AppDataFolder = root + "appdata/";
  std::filesystem::create_directories(s.WorkFolder);

  Builder b;
  build(b);
  for (std::size_t i = 0; i < b.persons.size(); ++i) {
    s.Config.setNumPersons(static_cast<std::int16_t>(i + 1));
    s.Person2 = b.persons[i];
    s.NotesText = b.notes[i];
    if (!AddPersonRecord(s)) return 1;
  }
  for (const Family& f : b.families) {
    s.Config.setNumMarriages(static_cast<std::int16_t>(s.Config.NumMarriages() + 1));
    s.MarBuf = MarriageRecord{};
    s.MarBuf.Husband = static_cast<std::int16_t>(f.husband);
    s.MarBuf.Wife = static_cast<std::int16_t>(f.wife);
    for (int k : f.kids) s.MarBuf.Kids[static_cast<std::size_t>(s.MarBuf.NumKids++)] = static_cast<std::int16_t>(k);
    s.MarBuf.Divorced = f.divorced ? -1 : 0;
    s.MarBuf.NotMarried = f.not_married ? -1 : 0;
    s.CerBuf = blank_ceremony();
    s.CerBuf.MarriedDate = f.date;
    s.CerBuf.MarriedAt = f.place;
    if (!AddMarriageRecord(s)) return 1;
  }
  s.Config.setLastPerson(1);
  if (!WriteConfig(s)) return 1;
  LoadMarriages(s);
  int rc = SaveFamilyFile(s, s.WorkFolder, argv[1]) == -1 ? 0 : 1;
  std::filesystem::remove_all(root);
  return rc;
}
