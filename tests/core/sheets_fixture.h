// A small family for the data sheets and lists (John Smith and Mary Jones
// with their daughter Ann), everything about John recorded, and the texts of
// a finished document read back in writing order.
#pragma once
#include <string>
#include <vector>

#include "chart_fixture.h"
#include "print/print_request.h"
#include "print/sheet_options.h"
#include "store/records.h"

namespace vft::test {

class SheetTest : public ChartTest {
 protected:
  std::int16_t john = 0, mary = 0, ann = 0, family = 0;

  void build_family() {
    john = tree.person("John", "Smith", "M");
    mary = tree.person("Mary", "Jones", "F");
    family = tree.family(john, mary, "5 Jun 1925", "St Mary's, Leeds");
    ann = tree.child(family, "Ann", "Smith", "F");
    PersonRecord j = tree.read(john);
    j.DeathDate = "2 Feb 1970";
    j.BirthPlace = "Leeds";
    j.DeathPlace = "York";
    j.Baptised = "Yes";
    j.DOBap = "7 Jan 1900";
    j.Baptisplace = "Leeds";
    j.InterDate = "5 Feb 1970";
    j.InteredPlace = "York";
    j.Occupation = "Baker";
    j.CurrAddress = "1 High St";
    j.Phone = "555 1234";
    j.Source = "Parish records";
    EXPECT_TRUE(AppendNotes(s.disk, j, "Kept the bakery on Kirkgate.", s.work(recfile::Notes)));
    tree.write(j);
  }

  static print::SheetOptions all_items(int request) {
    print::SheetOptions o;
    o.request = request;
    o.items.fill(true);
    o.items[print::item1::Hidden] = false;
    return o;
  }
  // Every item ticked, printed on paper with the heading on every page.
  print::PrintRequest every_item(int request, std::int16_t person, std::int16_t partner) const {
    print::PrintRequest r;
    r.request = request;
    r.chart = print::LoadChartOptions(s, request);
    r.chart.items.fill(true);
    r.chart.items[print::item3::PrintToFile] = false;
    r.chart.heading = print::HeadingPages::EveryPage;
    r.sheet = all_items(request);
    r.sheet.family_name = "Smith";
    r.person = person;
    r.partner = partner;
    return r;
  }

  std::vector<std::string> texts() const {
    std::vector<std::string> out;
    for (const TextAt& t : texts_of(doc)) out.push_back(t.text);
    return out;
  }
  bool has(const std::string& text) const { return has_text(texts_of(doc), text); }
  int count_of(const std::string& text) const {
    int n = 0;
    for (const TextAt& t : texts_of(doc)) n += t.text == text;
    return n;
  }
};

}  // namespace vft::test
