// The fixture of the tests that change a tree: a session on temporary
// folders, a tree builder, and the checks every such test ends with.
#pragma once
#include <gtest/gtest.h>

#include <cstdint>
#include <stdexcept>
#include <vector>

#include "relations/lookups.h"
#include "relations/tree_check.h"
#include "temp_session.h"
#include "tree_builder.h"

namespace vft::test {

using Kids = std::vector<std::int16_t>;

class TreeFixture : public ::testing::Test {
 protected:
  TempSession t;
  Session& s = t.s;
  TreeBuilder b{s};

  MarriageRecord& fam(std::int16_t m) { return s.Marriages[static_cast<std::size_t>(m)]; }
  Kids kids(std::int16_t m) {
    const MarriageRecord& f = fam(m);
    return Kids(f.Kids.begin(), f.Kids.begin() + f.NumKids);
  }
  int partners(std::int16_t p) { return b.read(p).NumPartners; }
  // The last message box shown; a test that expected one fails at once without it.
  const Message& last_box() {
    if (t.prompter.shown.empty()) throw std::logic_error("no message box was shown");
    return t.prompter.shown.back();
  }

  // Every rule of a sound tree holds.
  void expect_sound() {
    for (const TreeViolation& v : CheckTree(s)) ADD_FAILURE() << v.text;
  }
  // The family table in memory is what vorlan.mar holds.
  void expect_table_matches_file() {
    for (int m = 1; m <= FamilyCount(s); ++m)
      EXPECT_EQ(fam(static_cast<std::int16_t>(m)), stored_family(s, static_cast<std::int16_t>(m))) << m;
  }
  // The operation has ended: no mode, flag or position is left over.
  void expect_reset() {
    const RelationState& r = s.Rel;
    EXPECT_FALSE(r.AddMode || r.ConnectMode || r.AsFather || r.AsMother || r.AsSibling || r.AsPartner || r.AsChild ||
                 r.AsUnrelated || r.PartnerSequenceMode);
    EXPECT_EQ(r.InsertPosition, 0);
  }
};

}  // namespace vft::test
