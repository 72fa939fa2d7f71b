// A session with a small tree and a fixed-advance measure for the family view
// tests: at 10 points every character is 100 twips wide, so a 2200-twip box
// holds names of up to 20 characters.
#pragma once
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "mainwin/family_view_lists.h"
#include "mainwin/family_view_model.h"
#include "temp_session.h"
#include "tree_builder.h"

namespace vft::test {

class FamilyViewTest : public ::testing::Test {
 protected:
  TempSession t;
  Session& s = t.s;
  TreeBuilder tree{s};
  print::FixedMeasure measure;
  ViewMetrics metrics{2200, 3000, print::Font{"Arial", 10, false, false, false}};
  ViewCursor cursor;

  // Selects p the way a start-up or a record change does.
  FamilyViewModel show(std::int16_t p) {
    s.Config.setLastPerson(p);
    return RefreshFamilyView(s, cursor, measure, metrics);
  }
  FamilyViewModel view() const { return BuildFamilyView(s, cursor, measure, metrics); }

  void set_dates(std::int16_t p, const std::string& birth, const std::string& death) {
    PersonRecord r = tree.read(p);
    r.BirthDate = birth;
    r.DeathDate = death;
    tree.write(r);
  }
  MarriageRecord& fam(std::int16_t m) { return s.Marriages[static_cast<std::size_t>(m)]; }

  // Tom and Eve Hart (persons 1 and 2), named dad and mum, and their family.
  std::int16_t dad = 0, mum = 0;
  std::int16_t parents(const std::string& married = "") {
    dad = tree.person("Tom", "Hart", "M");
    mum = tree.person("Eve", "Hart", "F");
    return tree.family(dad, mum, married);
  }

  // n children "C1".."Cn" in family m, alternately sons and daughters.
  std::vector<std::int16_t> kids(std::int16_t m, int n) {
    std::vector<std::int16_t> out;
    for (int i = 1; i <= n; ++i) out.push_back(tree.child(m, "C" + std::to_string(i), "Kid", i % 2 ? "M" : "F"));
    return out;
  }

  static std::vector<std::int16_t> people_in(const FamilyViewModel& v, Slot first, int count) {
    std::vector<std::int16_t> out;
    for (int i = 0; i < count; ++i) {
      const SlotView& box = v.Slots[SlotIndex(first) + static_cast<std::size_t>(i)];
      if (box.Visible && box.Person) out.push_back(box.Person);
    }
    return out;
  }
  static std::vector<std::int16_t> children(const FamilyViewModel& v) { return people_in(v, Slot::Child0, 4); }
  static std::vector<std::int16_t> siblings(const FamilyViewModel& v) { return people_in(v, Slot::Sibling0, 2); }
};

}  // namespace vft::test
