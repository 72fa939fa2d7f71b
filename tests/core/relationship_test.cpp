// How two persons are related, on hand-checked trees: one table of (tree,
// a, b) with the words of every way found (closest first), the words the
// other way round, the common ancestors and the path of the closest way.
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
// down to Rose. Jill left Jack, who later lived unmarried with Vera (daughter Uma);
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
  c(b.family(n["Ian"], n["Lena"]), "Noah", "M");
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

struct Row {
  const char* tree;     // "saga", "cycle", or lines: L|H, up, a's sex, down, b's sex
  const char *a, *b;
  const char* ways;     // every way's words, closest first; "" for none
  const char* reverse;  // what b is of a, closest way
  const char* via;      // common ancestors of the closest way
  const char* path;     // of the closest way, or the chain of links when there is none
};

const Row kRows[] = {
    // lines of descent, siblings, aunts and nephews, cousins, by the saga
    {"saga", "Eve", "Rose", "4th great-grandmother", "4th great-granddaughter", "Eve", ""},
    {"saga", "Ian", "Jill", "brother / first cousin by marriage", "sister", "Bert+Bella", "Ian, father Bert, daughter Jill"},
    {"saga", "Hal", "Bert", "half-brother", "half-brother", "Adam", "Hal, father Adam, son Bert"},
    {"saga", "Cora", "Jill", "aunt", "niece", "Adam+Eve", "Cora, father Adam, son Bert, daughter Jill"},
    {"saga", "Kim", "Bert", "niece or nephew / niece by marriage or nephew by marriage", "uncle", "Adam+Eve", ""},
    {"saga", "Ian", "Kim", "first cousin / first cousin / first cousin by marriage", "first cousin", "Adam+Eve",
     "Ian, father Bert, father Adam, son Dan, child Kim"},
    {"saga", "Mia", "Ian", "half first cousin / half first cousin by marriage", "half first cousin", "Adam", ""},
    {"saga", "Noah", "Ian", "son / first cousin once removed", "father", "Ian", "Noah, father Ian"},
    {"saga", "Rose", "Noah", "great-granddaughter", "great-grandfather", "Noah", ""},
    {"saga", "Cid", "Carl", "brother", "brother", "", "Cid, brother Carl"},
    {"saga", "Rose", "Olga", "first cousin three times removed / second cousin three times removed",
     "first cousin three times removed", "Bert+Bella", ""},
    {"saga", "Unknown", "Ian", "grandfather", "grandson", "Unknown", "Unknown, daughter Bella, son Ian"},
    // partners and relations through one partnership
    {"saga", "Ian", "Lena", "husband / first cousin", "wife", "", "Ian, wife Lena"},
    {"saga", "Jack", "Jill", "former husband", "former wife", "", ""},
    {"saga", "Dora", "Dan", "partner", "partner", "", ""},
    {"saga", "Cora", "Ian", "mother-in-law / aunt", "son-in-law", "Cora", "Cora, daughter Lena, husband Ian"},
    {"saga", "Adam", "Bella", "father-in-law", "daughter-in-law", "Adam", "Adam, son Bert, wife Bella"},
    {"saga", "Bella", "Cora", "sister-in-law", "sister-in-law", "Adam+Eve", "Bella, husband Bert, father Adam, daughter Cora"},
    {"saga", "Olga", "Lena", "niece by marriage / first cousin once removed", "aunt by marriage", "Bert+Bella",
     "Olga, mother Jill, father Bert, son Ian, wife Lena"},
    {"saga", "Hal", "Tom", "step-father", "step-son", "Hanna", "Hal, wife Hanna, son Tom"},
    {"saga", "Olga", "Uma", "step-sister / niece by marriage", "step-sister", "",
     "Olga, father Jack, partner Vera, daughter Uma"},
    {"saga", "Cid", "Adam", "", "", "", "Cid, brother Carl, wife Cora, father Adam"},
    {"saga", "Zed", "Adam", "", "", "", ""},
    // every generation and degree, and sexes not recorded, on two lines
    {"L0-1-", "Root", "B", "parent", "child", "Root", "Root, child B"},
    {"L0-2-", "Root", "B", "grandparent", "grandchild", "Root", ""},
    {"L0M3F", "Root", "B", "great-grandfather", "great-granddaughter", "Root", ""},
    {"L0M4F", "Root", "B", "2nd great-grandfather", "2nd great-granddaughter", "Root", ""},
    {"L0F13M", "Root", "B", "11th great-grandmother", "11th great-grandson", "Root", ""},
    {"L0M15F", "Root", "B", "13th great-grandfather", "13th great-granddaughter", "Root", ""},
    {"L0M23M", "Root", "B", "21st great-grandfather", "21st great-grandson", "Root", ""},
    {"L1-1F", "A", "B", "sibling", "sister", "Root", "A, father Root, daughter B"},
    {"L1-2M", "A", "B", "aunt or uncle", "nephew", "Root", ""},
    {"L1M5F", "A", "B", "3rd great-uncle", "3rd great-niece", "Root", ""},
    {"L3M5F", "A", "B", "second cousin twice removed", "second cousin twice removed", "Root", ""},
    {"L2M12F", "A", "B", "first cousin ten times removed", "first cousin ten times removed", "Root", ""},
    {"L2M13F", "A", "B", "first cousin 11 times removed", "first cousin 11 times removed", "Root", ""},
    {"L11M11F", "A", "B", "tenth cousin", "tenth cousin", "Root", ""},
    {"L12M12F", "A", "B", "11th cousin", "11th cousin", "Root", ""},
    {"H1-1-", "A", "B", "half-sibling", "half-sibling", "Root", "A, father Root, child B"},
    {"H1M3F", "A", "B", "half great-uncle", "half great-niece", "Root", ""},
    // a damaged tree in which X is his own grandfather
    {"cycle", "X", "Y", "father / son", "son", "X", "X, son Y"},
    {"cycle", "Z", "X", "grandson / half-brother", "grandfather", "X", "Z, father Y, father X"},
    {"cycle", "Tia", "Wes", "aunt", "nephew", "Rex", "Tia, father Rex, daughter Una, son Wes"},
};

std::string join(const std::vector<std::string>& parts, const char* sep) {
  std::string out;
  for (const std::string& p : parts) out += (out.empty() ? "" : sep) + p;
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
    else lines(b, n, row.tree);
    std::map<std::int16_t, std::string> given;
    for (const auto& [name, p] : n) given[p] = name;

    const Relationship r = FindRelationship(t.s, n.at(row.a), n.at(row.b));
    std::vector<std::string> words;
    for (const RelationshipWay& w : r.ways) words.push_back(w.words);
    EXPECT_EQ(join(words, " / "), row.ways);
    EXPECT_EQ(r.more_ways, 0);
    // Both sentences, and how many ways when more than one.
    EXPECT_EQ(RelationshipSummary(t.s, n.at(row.a), n.at(row.b), r).size(), words.size() > 1 ? 3u : 2u);
    const RelationshipWay none;
    const RelationshipWay& first = r.ways.empty() ? none : r.ways.front();
    EXPECT_EQ(first.reverse_words, row.reverse);
    std::vector<std::string> via, path;
    for (std::int16_t p : first.common_ancestors) via.push_back(given[p]);
    for (const PathStep& st : r.ways.empty() ? r.chain : first.path)
      path.push_back(st.link.empty() ? given[st.person] : st.link + " " + given[st.person]);
    EXPECT_EQ(join(via, "+"), row.via);
    if (*row.path) {
      EXPECT_EQ(join(path, ", "), row.path);
    }
  }
}

}  // namespace
