#include "family_view_sample.h"

#include <string>

#include "tree_builder.h"

namespace vft::test {
namespace {

struct Writer {
  TreeBuilder& t;
  std::int16_t dated(std::int16_t p, const char* born, const char* died = "") {
    PersonRecord r = t.read(p);
    r.BirthDate = born;
    r.DeathDate = died;
    t.write(r);
    return p;
  }
  std::int16_t person(const char* given, const char* fam, const char* sex, const char* born, const char* died = "") {
    return dated(t.person(given, fam, sex), born, died);
  }
  std::int16_t child(std::int16_t m, const char* given, const char* fam, const char* sex, const char* born,
                     const char* died = "") {
    return dated(t.child(m, given, fam, sex), born, died);
  }
};

}  // namespace

SampleFamily BuildSampleFamily(Session& s) {
  TreeBuilder t(s);
  Writer w{t};
  SampleFamily f;
  f.great_grandfather = w.person("Heinrich", "Brandt", "M", "3 Jan 1851", "12 Oct 1920");
  const auto gm_mother = w.person("Rosa", "Vogel", "F", "? ??? 1858", "1931");
  f.grandparents[0] = w.child(t.family(f.great_grandfather, 0), "Walter", "Brandt", "M", "17 Mar 1880", "2 Feb 1951");
  f.grandparents[1] = w.child(t.family(0, gm_mother), "Clara", "Vogel", "F", "9 Aug 1884", "30 Nov 1960");
  f.grandparents[2] = w.person("Arthur", "Wells", "M", "21 May 1878", "4 Apr 1940");
  f.grandparents[3] = w.person("Edith May", "Hargreaves", "F", "1 Dec 1882", "18 Jul 1969");

  const auto brandts = t.family(f.grandparents[0], f.grandparents[1], "5 Sep 1907");
  f.father = w.child(brandts, "Friedrich Wilhelm", "Brandt", "M", "11 Feb 1910", "23 Jan 1985");
  const auto wells = t.family(f.grandparents[2], f.grandparents[3], "28 Apr 1906");
  f.mother = w.child(wells, "Margaret", "Wells", "F", "6 Jun 1913", "14 Mar 2001");

  const auto parents = t.family(f.father, f.mother, "14 Jun 1936");
  f.siblings.push_back(w.child(parents, "Anna Luise", "Brandt", "F", "2 Apr 1937"));
  f.selected = w.child(parents, "Thomas Alexander Georg", "Brandt", "M", "2 Mar 1940");
  f.siblings.push_back(w.child(parents, "Peter", "Brandt", "M", "19 Oct 1942", "8 Aug 2010"));
  f.siblings.push_back(w.child(parents, "Elisabeth", "Brandt", "F", "25 Dec 1945"));

  const auto carters = t.family(w.person("George", "Carter", "M", "1915", "1990"),
                                w.person("Ruth", "Carter", "F", "1918", "2004"), "1939");
  f.first_wife = w.child(carters, "Helen", "Carter", "F", "30 Jul 1942");
  const auto first = t.family(f.selected, f.first_wife, "12 Jun 1965");
  s.Marriages[static_cast<std::size_t>(first)].Divorced = -1;
  t.write_family(first);
  f.children.push_back(w.child(first, "James", "Brandt", "M", "4 May 1966"));
  f.children.push_back(w.child(first, "Laura", "Brandt", "F", "15 Jan 1968"));
  f.children.push_back(w.child(first, "Michael", "Brandt", "M", "2 Nov 1970"));
  f.children.push_back(w.child(first, "Sarah Jane", "Brandt", "F", "20 Mar 1973"));
  f.children.push_back(w.child(first, "Daniel", "Brandt", "M", "9 Sep 1976"));

  f.second_wife = w.person("Susan", "Miller", "F", "14 Feb 1950");
  const auto second = t.family(f.selected, f.second_wife, "3 Oct 1981");
  f.late_child = w.child(second, "Emily", "Brandt", "F", "22 Jul 1983");

  const auto james_wife = w.person("Karen", "Holt", "F", "8 Aug 1968");
  const auto jh = t.family(f.children[0], james_wife, "1 Jun 1991");
  w.child(jh, "Oliver", "Brandt", "M", "12 Dec 1992");
  w.child(jh, "Mia", "Brandt", "F", "3 Mar 1995");
  const auto laura_husband = w.person("Ben", "Okafor", "M", "1965");
  w.child(t.family(laura_husband, f.children[1], "1990"), "Grace", "Okafor", "F", "1994");

  s.Config.setLastPerson(f.selected);
  return f;
}

}  // namespace vft::test
