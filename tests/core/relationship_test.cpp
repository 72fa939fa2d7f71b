// How two persons are related, on hand-checked trees: one table of (tree,
// a, b) with the words of every way found (in the order listed), the words the
// other way round, the common ancestors and the path of the first way.
#include <gtest/gtest.h>

#include <cstdio>
#include <map>

#include "common/cp1252.h"
#include "relations/lookups.h"
#include "relations/relationship.h"
#include "temp_session.h"
#include "tree_builder.h"

using namespace vft;

namespace {

using Names = std::map<std::string, std::int16_t>;

// The saga: Adam and Eve (children Bert, Cora, Dan) and Adam's second wife Ava
// (son Hal). Bert and Dan marry the sisters Bella and Dora, daughters of an
// Unknown father and Bianca: their children are double first cousins. Kim's
// sex is not recorded. Ian marries his first cousin Lena; their line runs
// down to Rose; Noah and Nell, children of the cousins, are also second
// cousins. Jill left Jack, who later lived unmarried with Vera (daughter Uma);
// Uma later married Ian, so Olga is Uma's step-sister and her niece by marriage.
// Hanna's son Tom is Hal's step-son. Cid, Carl's brother, is related to none
// of Adam's blood; Zed to nobody at all.
void saga(test::TreeBuilder& b, Session& s, Names& n) {
  auto p = [&](const char* name, const char* sex) { return n[name] = b.person(name, "Saga", sex); };
  auto c = [&](std::int16_t m, const char* name, const char* sex) { return n[name] = b.child(m, name, "Saga", sex); };
  auto flag = [&](std::int16_t m, std::int16_t MarriageRecord::*field) {
    s.Marriages[static_cast<std::size_t>(m)].*field = -1;
    b.write_family(m);
  };
  for (const char* man : {"Adam", "Carl", "Sam", "Jack", "Zed"}) p(man, "M");
  for (const char* woman : {"Eve", "Ava", "Bianca", "Hanna", "Vera"}) p(woman, "F");
  const auto adam_eve = b.family(n["Adam"], n["Eve"]);
  const auto adam_ava = b.family(n["Adam"], n["Ava"]);
  c(adam_eve, "Bert", "M"), c(adam_eve, "Cora", "F"), c(adam_eve, "Dan", "M"), c(adam_ava, "Hal", "M");
  n["Unknown"] = b.person("", "Unknown", "M");
  const auto sisters = b.family(n["Unknown"], n["Bianca"]);
  c(sisters, "Bella", "F"), c(sisters, "Dora", "F");
  const auto bert = b.family(n["Bert"], n["Bella"]);
  c(bert, "Ian", "M"), c(bert, "Jill", "F");
  c(b.family(n["Carl"], n["Cora"]), "Lena", "F");
  c(ParentFamilyOf(s, n["Carl"]), "Cid", "M");
  const auto dan = b.family(n["Dan"], n["Dora"]);
  flag(dan, &MarriageRecord::NotMarried);
  c(dan, "Kim", "");
  c(b.family(n["Sam"], n["Hanna"]), "Tom", "M");
  c(b.family(n["Hal"], n["Hanna"]), "Mia", "F");
  const auto ian = b.family(n["Ian"], n["Lena"]);
  c(ian, "Noah", "M"), c(ian, "Nell", "F");
  c(b.family(n["Noah"], 0), "Paul", "M");
  c(b.family(n["Paul"], 0), "Quinn", "M");
  c(b.family(n["Quinn"], 0), "Rose", "F");
  const auto jill = b.family(n["Jack"], n["Jill"]);
  flag(jill, &MarriageRecord::Divorced);
  c(jill, "Olga", "F");
  flag(b.family(n["Jack"], n["Vera"]), &MarriageRecord::NotMarried);
  c(b.family(0, n["Vera"]), "Uma", "F");
  b.family(n["Ian"], n["Uma"]);
}

// Two lines down from Root: a is `up` generations below Root, b `down`
// (0: Root himself, of a's or b's sex). Half: the second line comes from
// Root's second partner.
void lines(test::TreeBuilder& b, Names& n, const char* shape) {
  char kind = 0, sa = 0, sb = 0;
  int up = 0, down = 0;
  ASSERT_EQ(std::sscanf(shape, "%c%d%c%d%c", &kind, &up, &sa, &down, &sb), 5) << shape;
  auto sex = [](char c) { return std::string(c == '-' ? "" : std::string(1, c)); };
  const char root_sex = up == 0 ? sa : down == 0 ? sb : 'M';
  const auto root = n["Root"] = b.person("Root", "Line", sex(root_sex));
  auto couple = [&] { return root_sex == 'F' ? b.family(b.person("Mate", "Line", "M"), root) : b.family(root, 0); };
  const auto first = couple(), second = kind == 'H' ? couple() : first;
  auto line = [&](int gens, std::int16_t m, const char* name, char last) {
    std::int16_t p = root;
    for (int i = 1; i <= gens; ++i, m = i <= gens ? b.family(p, 0) : m)
      p = b.child(m, i == gens ? name : "x", "Line", i == gens ? sex(last) : "M");
    return n[name] = p;
  };
  if (up) line(up, first, "A", sa);
  if (down) line(down, second, "B", sb);
}

// A damaged tree: X is the father of Y, Y of X and Z. Vic, child of a family
// of his own, is listed among Rex's children too; with Rex's daughter Una he
// has Wes.
void cycle(test::TreeBuilder& b, Session& s, Names& n) {
  n["Vic"] = b.person("Vic", "Loop", "M");
  n["X"] = b.person("X", "Loop", "M");
  n["Y"] = b.child(b.family(n["X"], 0), "Y", "Loop", "M");
  n["Z"] = b.child(b.family(n["Y"], 0), "Z", "Loop", "M");
  auto& top = s.Marriages[static_cast<std::size_t>(ParentFamilyOf(s, n["X"]))];
  top.Husband = n["Y"];
  b.write_family(top.MarNum);
  const auto rex = b.family(n["Rex"] = b.person("Rex", "Loop", "M"), 0);
  n["Tia"] = b.child(rex, "Tia", "Loop", "F");
  n["Una"] = b.child(rex, "Una", "Loop", "F");
  n["Wes"] = b.child(b.family(n["Vic"], n["Una"]), "Wes", "Loop", "M");
  auto& kids = s.Marriages[static_cast<std::size_t>(rex)];
  kids.Kids[static_cast<std::size_t>(kids.NumKids++)] = n["Vic"];
  b.write_family(rex);
}

// Pedigree collapse in every generation, as in old royal houses: below Top
// and Queen `gens` couples of a brother and his sister, each the children of
// the couple before; Z is the child of the last, Top's descendant by 2^gens lines.
void ladder(test::TreeBuilder& b, Names& n, int gens) {
  auto m = b.family(n["Top"] = b.person("Top", "Ladder", "M"), b.person("Queen", "Ladder", "F"));
  for (int i = 0; i < gens; ++i) m = b.family(b.child(m, "S", "Ladder", "M"), b.child(m, "D", "Ladder", "F"));
  n["Z"] = b.child(m, "Z", "Ladder", "M");
}

struct Row {
  const char* tree;  // "saga", "cycle", "ladderN", or lines: L|H, up, a's sex, down, b's sex
  const char *a, *b;
  // Every way's words in order, repeats counted ("x2"); "+N" ways not
  // listed, "cut" when the search reached its bounds; "" for none.
  const char* ways;
  const char* reverse;  // what b is of a, first way
  const char* via;      // its common ancestors line
  const char* path;     // of the closest way, or the chain of links when there is none
};

const Row kRows[] = {
    // lines of descent, siblings, aunts and nephews, cousins, by the saga
    {"saga", "Eve", "Rose", "4th great-grandmother x2", "4th great-granddaughter", "", ""},
    {"saga", "Ian", "Jill", "brother / first cousin by marriage", "sister", "Common ancestors: Bert and Bella",
     "Ian, father Bert, daughter Jill"},
    {"saga", "Hal", "Bert", "half-brother", "half-brother", "Common ancestor: Adam", "Hal, father Adam, son Bert"},
    {"saga", "Cora", "Jill", "aunt", "niece", "Common ancestors: Adam and Eve",
     "Cora, father Adam, son Bert, daughter Jill"},
    {"saga", "Kim", "Bert", "niece or nephew / niece by marriage or nephew by marriage", "uncle",
     "Common ancestors: Adam and Eve", ""},
    {"saga", "Ian", "Kim", "first cousin x2 / first cousin by marriage", "first cousin",
     "Common ancestors: Adam and Eve", "Ian, father Bert, father Adam, son Dan, child Kim"},
    {"saga", "Mia", "Ian", "half first cousin / half first cousin by marriage", "half first cousin",
     "Common ancestor: Adam", ""},
    {"saga", "Noah", "Ian", "son / first cousin once removed", "father", "", "Noah, father Ian"},
    {"saga", "Rose", "Noah", "great-granddaughter", "great-grandfather", "", ""},
    {"saga", "Cid", "Carl", "brother", "brother", "", "Cid, brother Carl"},
    {"saga", "Rose", "Olga", "first cousin three times removed / second cousin three times removed",
     "first cousin three times removed", "Common ancestors: Bert and Bella", ""},
    {"saga", "Unknown", "Ian", "grandfather", "grandson", "", "Unknown, daughter Bella, son Ian"},
    // the child of cousins descends from their grandparents by two lines
    {"saga", "Noah", "Adam", "great-grandson x2", "great-grandfather", "",
     "Noah, father Ian, father Bert, father Adam"},
    {"saga", "Nell", "Noah", "sister / second cousin x2", "brother", "Common ancestors: Ian and Lena", ""},
    {"ladder5", "Z", "Top", "4th great-grandson x20 +12", "4th great-grandfather", "", ""},
    {"ladder6", "Z", "Top", "5th great-grandson x20 +12 cut", "5th great-grandfather", "", ""},
    // partners and relations through one partnership, after the blood ways
    {"saga", "Ian", "Lena", "husband / first cousin", "wife", "", "Ian, wife Lena"},
    {"saga", "Jack", "Jill", "former husband", "former wife", "", ""},
    {"saga", "Dora", "Dan", "partner", "partner", "", ""},
    {"saga", "Cora", "Ian", "aunt / mother-in-law", "nephew", "Common ancestors: Adam and Eve", ""},
    {"saga", "Adam", "Bella", "father-in-law", "daughter-in-law", "", "Adam, son Bert, wife Bella"},
    {"saga", "Bella", "Cora", "sister-in-law", "sister-in-law", "Common ancestors of Bert and Cora: Adam and Eve",
     "Bella, husband Bert, father Adam, daughter Cora"},
    {"saga", "Olga", "Lena", "first cousin once removed / niece by marriage", "first cousin once removed",
     "Common ancestors: Adam and Eve", ""},
    {"saga", "Hal", "Tom", "step-father", "step-son", "", "Hal, wife Hanna, son Tom"},
    {"saga", "Olga", "Uma", "step-sister / niece by marriage", "step-sister", "",
     "Olga, father Jack, partner Vera, daughter Uma"},
    {"saga", "Adam", "Tom", "step-grandfather", "step-grandson", "", "Adam, son Hal, wife Hanna, son Tom"},
    {"saga", "Tom", "Cora", "step-nephew", "step-aunt", "Common ancestor of Hal and Cora: Adam",
     "Tom, mother Hanna, husband Hal, father Adam, daughter Cora"},
    {"saga", "Cid", "Adam", "", "", "", "Cid, brother Carl, wife Cora, father Adam"},
    {"saga", "Zed", "Adam", "", "", "", ""},
    // every generation and degree, and sexes not recorded, on two lines
    {"L0-1-", "Root", "B", "parent", "child", "", "Root, child B"},
    {"L0-2-", "Root", "B", "grandparent", "grandchild", "", ""},
    {"L0M3F", "Root", "B", "great-grandfather", "great-granddaughter", "", ""},
    {"L0M4F", "Root", "B", "2nd great-grandfather", "2nd great-granddaughter", "", ""},
    {"L0F13M", "Root", "B", "11th great-grandmother", "11th great-grandson", "", ""},
    {"L0M15F", "Root", "B", "13th great-grandfather", "13th great-granddaughter", "", ""},
    {"L0M23M", "Root", "B", "21st great-grandfather", "21st great-grandson", "", ""},
    {"L1-1F", "A", "B", "sibling", "sister", "Common ancestor: Root", "A, father Root, daughter B"},
    {"L1-2M", "A", "B", "aunt or uncle", "nephew", "Common ancestor: Root", ""},
    {"L1M5F", "A", "B", "3rd great-uncle", "3rd great-niece", "Common ancestor: Root", ""},
    {"L3M5F", "A", "B", "second cousin twice removed", "second cousin twice removed", "Common ancestor: Root", ""},
    {"L2M12F", "A", "B", "first cousin ten times removed", "first cousin ten times removed", "Common ancestor: Root",
     ""},
    {"L2M13F", "A", "B", "first cousin 11 times removed", "first cousin 11 times removed", "Common ancestor: Root", ""},
    {"L11M11F", "A", "B", "tenth cousin", "tenth cousin", "Common ancestor: Root", ""},
    {"L12M12F", "A", "B", "11th cousin", "11th cousin", "Common ancestor: Root", ""},
    {"H1-1-", "A", "B", "half-sibling", "half-sibling", "Common ancestor: Root", "A, father Root, child B"},
    {"H1M3F", "A", "B", "half great-uncle", "half great-niece", "Common ancestor: Root", ""},
    // a damaged tree in which X is his own grandfather
    {"cycle", "X", "Y", "father / son", "son", "", "X, son Y"},
    {"cycle", "Z", "X", "grandson / half-brother", "grandfather", "", "Z, father Y, father X"},
    {"cycle", "Tia", "Wes", "aunt", "nephew", "Common ancestor: Rex", "Tia, father Rex, daughter Una, son Wes"},
};

// Runs of one word counted: "first cousin x2 / first cousin by marriage".
std::string join(const std::vector<std::string>& parts, const char* sep) {
  std::string out;
  for (std::size_t i = 0, n = 1; i < parts.size(); i += n, n = 1) {
    while (i + n < parts.size() && parts[i + n] == parts[i]) ++n;
    out += (out.empty() ? "" : sep) + parts[i] + (n > 1 ? " x" + std::to_string(n) : "");
  }
  return out;
}

TEST(Relationship, EveryKindOfRelationshipInWords) {
  for (const Row& row : kRows) {
    SCOPED_TRACE(std::string(row.tree) + ": " + row.a + " / " + row.b);
    test::TempSession t;
    test::TreeBuilder b(t.s);
    Names n;
    const std::string tree = row.tree;
    if (tree == "saga") saga(b, t.s, n);
    else if (tree == "cycle") cycle(b, t.s, n);
    else if (tree.starts_with("ladder")) ladder(b, n, tree.back() - '0');
    else lines(b, n, row.tree);
    std::map<std::int16_t, std::string> given;
    for (const auto& [name, p] : n) given[p] = name;

    const Relationship r = FindRelationship(t.s, n.at(row.a), n.at(row.b));
    std::vector<std::string> words;
    for (const RelationshipWay& w : r.ways) words.push_back(w.words);
    EXPECT_EQ(
        join(words, " / ") + (r.more_ways ? " +" + std::to_string(r.more_ways) : "") + (r.search_cut ? " cut" : ""),
        row.ways);
    // Both sentences, and how many ways when more than one.
    const std::vector<std::string> summary = RelationshipSummary(t.s, n.at(row.a), n.at(row.b), r);
    EXPECT_EQ(summary.size(), words.size() > 1 ? 3u : 2u);
    if (r.more_ways > 0) {  // the ladders: 32 lines, or more cut at 32
      EXPECT_EQ(summary.back(),
                r.search_cut ? "They are related in at least 32 ways." : "They are related in 32 ways.");
      EXPECT_EQ(RelationshipReport(t.s, n.at(row.a), n.at(row.b), r).back(),
                std::string(r.search_cut ? "(At least 12" : "(12") + " more ways are not listed.)");
    }
    const RelationshipWay none;
    const RelationshipWay& first = r.ways.empty() ? none : r.ways.front();
    EXPECT_EQ(first.reverse_words, row.reverse);
    std::string via = CommonAncestorsLine(t.s, n.at(row.a), n.at(row.b), first);
    std::vector<std::string> path;
    for (const auto& [name, p] : n)
      for (std::size_t at; (at = via.find(PersonLabel(t.s, p))) != std::string::npos;)
        via.replace(at, PersonLabel(t.s, p).size(), name);
    for (const PathStep& st : r.ways.empty() ? r.chain : first.path)
      path.push_back(st.link.empty() ? given[st.person] : st.link + " " + given[st.person]);
    EXPECT_EQ(via, row.via);
    if (*row.path) { EXPECT_EQ(join(path, ", "), row.path); }
  }
}

}  // namespace
