// GEDCOM import of a generated 14,000-person file (places, occupations, notes
// inline and linked, marriages, divorces and remarriages) into an empty tree.
// Target: the whole import, file read to merged records, at most 1 s median.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "interchange/gedcom_import.h"
#include "store/file_io.h"
#include "temp_session.h"

using namespace vft;

namespace {

constexpr int kPersons = 14000;

struct GenPerson {
  char sex;
  int famc = 0;
  std::vector<int> fams;
};
struct GenFamily {
  int husb, wife;
  std::vector<int> kids;
};

// Founder couples have children; grown children marry each other, and every
// tenth husband marries again.
std::string generate() {
  std::vector<GenPerson> persons(1);  // from 1
  std::vector<GenFamily> families(1);
  auto add_person = [&](char sex, int famc) {
    persons.push_back({sex, famc, {}});
    return static_cast<int>(persons.size() - 1);
  };
  auto add_family = [&](int h, int w) {
    families.push_back({h, w, {}});
    int f = static_cast<int>(families.size() - 1);
    persons[static_cast<std::size_t>(h)].fams.push_back(f);
    persons[static_cast<std::size_t>(w)].fams.push_back(f);
    return f;
  };
  for (int i = 0; i < 600; ++i) add_family(add_person('M', 0), add_person('F', 0));
  std::vector<int> single_men, single_women;
  for (std::size_t f = 1; f < families.size() && static_cast<int>(persons.size()) <= kPersons; ++f) {
    int n = 1 + static_cast<int>(f % 4);
    for (int k = 0; k < n && static_cast<int>(persons.size()) <= kPersons; ++k) {
      char sex = (f + static_cast<std::size_t>(k)) % 2 ? 'M' : 'F';
      int c = add_person(sex, static_cast<int>(f));
      families[f].kids.push_back(c);
      (sex == 'M' ? single_men : single_women).push_back(c);
    }
    while (!single_men.empty() && !single_women.empty() && static_cast<int>(persons.size()) <= kPersons) {
      int h = single_men.front(), w = single_women.back();
      single_men.erase(single_men.begin());
      single_women.pop_back();
      int nf = add_family(h, w);
      if (nf % 10 == 0 && static_cast<int>(persons.size()) < kPersons) add_family(h, add_person('F', 0));
    }
  }
  persons.resize(kPersons + 1);

  std::string g = "0 HEAD\r\n1 SOUR BENCH\r\n1 CHAR ANSI\r\n1 GEDC\r\n2 VERS 5.5.1\r\n";
  g.reserve(static_cast<std::size_t>(kPersons) * 330);
  for (int n = 1; n <= kPersons; ++n) {
    const GenPerson& p = persons[static_cast<std::size_t>(n)];
    const std::string id = std::to_string(n);
    g += "0 @I" + id + "@ INDI\r\n1 NAME Given" + id + " Middle /Family" + std::to_string(n % 700) + "/\r\n";
    g += std::string("1 SEX ") + (p.sex ? p.sex : 'F') + "\r\n";
    g += "1 BIRT\r\n2 DATE " + std::to_string(1 + n % 28) + " MAR " + std::to_string(1800 + n % 200) +
         "\r\n2 PLAC Town " + std::to_string(n % 300) + ", County " + std::to_string(n % 40) + ", Country\r\n";
    if (n % 2) g += "1 DEAT\r\n2 DATE ABT " + std::to_string(1870 + n % 150) + "\r\n2 PLAC City " + id + "\r\n";
    if (n % 5 == 0) g += "1 OCCU Farmer and carpenter\r\n";
    if (n % 3 == 0)
      g += "1 NOTE Born in the old house by the river, the " + id +
           "th of the family line.\r\n2 CONT Moved to the city later and \r\n2 CONC worked there for years.\r\n";
    if (n % 50 == 0) g += "1 NOTE @N" + id + "@\r\n";
    g += "1 CHAN\r\n2 DATE 1 JAN 2020\r\n";
    for (int f : p.fams) g += "1 FAMS @F" + std::to_string(f) + "@\r\n";
    if (p.famc) g += "1 FAMC @F" + std::to_string(p.famc) + "@\r\n";
  }
  for (std::size_t f = 1; f < families.size(); ++f) {
    const GenFamily& fam = families[f];
    if (fam.husb > kPersons || fam.wife > kPersons) continue;
    g += "0 @F" + std::to_string(f) + "@ FAM\r\n1 HUSB @I" + std::to_string(fam.husb) + "@\r\n1 WIFE @I" +
         std::to_string(fam.wife) + "@\r\n";
    for (int k : fam.kids)
      if (k <= kPersons) g += "1 CHIL @I" + std::to_string(k) + "@\r\n";
    g += "1 MARR\r\n2 DATE " + std::to_string(1820 + f % 180) + "\r\n2 PLAC Church of St " + std::to_string(f % 90) +
         "\r\n";
    if (f % 17 == 0) g += "1 DIV Y\r\n";
  }
  for (int n = 50; n <= kPersons; n += 50)
    g += "0 @N" + std::to_string(n) + "@ NOTE A note record shared by the family.\r\n1 CONT Second line.\r\n";
  g += "0 TRLR\r\n";
  return g;
}

void BM_ImportGedcom(benchmark::State& state) {
  test::TempDir dir;
  const std::string path = dir.path() + "bench.ged";
  const std::string text = generate();
  if (!vft::test::put_file(path, Bytes(text.begin(), text.end()))) state.SkipWithError("cannot write the file");
  long persons = 0;
  for (auto _ : state) {
    state.PauseTiming();
    auto t = std::make_unique<test::TempSession>();
    state.ResumeTiming();
    ImportResult r = ImportGedcom(t->s, path, {}, {.remember_folder = false});
    state.PauseTiming();
    if (r.status != ImportStatus::Imported) state.SkipWithError("import failed");
    persons = t->s.Config.NumPersons();
    t.reset();
    state.ResumeTiming();
  }
  state.counters["persons"] = static_cast<double>(persons);
  state.counters["MB"] = static_cast<double>(text.size()) / 1e6;
}
BENCHMARK(BM_ImportGedcom)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5)->ReportAggregatesOnly(true);

// Conversion alone, in memory: decode, lex, handlers, checks.
void BM_ConvertGedcom(benchmark::State& state) {
  const std::string text = generate();
  test::TempSession t;
  for (auto _ : state) {
    GedcomConversion c;
    ImportResult r = ConvertGedcom(t.s, text, "bench.ged", {}, c);
    if (r.status != ImportStatus::Converted) state.SkipWithError("conversion failed");
    benchmark::DoNotOptimize(c.persons.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(text.size()));
}
BENCHMARK(BM_ConvertGedcom)->Unit(benchmark::kMillisecond);

}  // namespace
