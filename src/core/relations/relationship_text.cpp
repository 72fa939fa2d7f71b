// The texts of the relationship answer: the check of the two persons, the
// sentences, and the report the command-line tool prints.
#include <string>

#include "common/cp1252.h"
#include "relations/person_io.h"
#include "relations/relationship.h"

namespace vft {
namespace {

// A placeholder has no given names.
std::string name(const Session& s, std::int16_t p) { return cp1252::trim(DisplayNameOf(s, p)); }

std::string couple_text(const Session& s, const std::pair<std::int16_t, std::int16_t>& c) {
  return PersonLabel(s, c.first) + " and " + PersonLabel(s, c.second);
}

}  // namespace

std::string CheckRelationshipPair(const Session& s, long a, long b) {
  for (long n : {a, b}) {
    PersonRecord p;
    if (n < 1 || n > s.Config.NumPersons() || !ReadStoredPerson(s, static_cast<std::int16_t>(n), p))
      return "There is no person number " + std::to_string(n) + ".";
    if (p.Deleted != 0) return "Person number " + std::to_string(n) + " has been deleted.";
  }
  if (a == b) return "Choose two different persons.";
  return {};
}

std::string RelationshipSentence(const Session& s, std::int16_t a, const std::string& words, std::int16_t b) {
  return name(s, a) + " is the " + words + " of " + name(s, b);
}

std::string PersonLabel(const Session& s, std::int16_t p) {
  const std::string n = name(s, p);
  return (n.empty() ? std::string() : n + " ") + "(#" + std::to_string(p) + ")";
}

std::vector<std::string> PathLines(const Session& s, const std::vector<PathStep>& path) {
  std::vector<std::string> out;
  for (const PathStep& step : path)
    out.push_back((step.link.empty() ? "" : step.link + ": ") + PersonLabel(s, step.person));
  return out;
}

std::string CommonAncestorsText(const Session& s, const std::vector<std::int16_t>& ancestors) {
  std::string out;
  for (std::size_t i = 0; i < ancestors.size(); ++i)
    out += (i == 0 ? "" : i + 1 == ancestors.size() ? " and " : ", ") + PersonLabel(s, ancestors[i]);
  return out;
}

std::string CommonAncestorsLine(const Session& s, std::int16_t a, std::int16_t b, const RelationshipWay& w) {
  const std::vector<std::int16_t>& c = w.common_ancestors;
  if (c.empty() || (c.size() == 1 && (c.front() == w.blood_a || c.front() == w.blood_b))) return {};
  std::string head = c.size() == 1 ? "Common ancestor" : "Common ancestors";
  // Through a partnership the ancestors are those of the way's blood part, not of a and b.
  const bool ours = (w.blood_a == a && w.blood_b == b) || (w.blood_a == b && w.blood_b == a);
  if (!ours) head += " of " + PersonLabel(s, w.blood_a) + " and " + PersonLabel(s, w.blood_b);
  return head + ": " + CommonAncestorsText(s, c);
}

std::vector<std::string> RelationshipSummary(const Session& s, std::int16_t a, std::int16_t b, const Relationship& r) {
  if (!r.ways.empty()) {
    std::vector<std::string> out{RelationshipSentence(s, a, r.ways.front().words, b) + ".",
                                 RelationshipSentence(s, b, r.ways.front().reverse_words, a) + "."};
    const std::size_t total = r.ways.size() + static_cast<std::size_t>(r.more_ways);
    if (total > 1 || r.search_cut)
      out.push_back("They are related in " + std::string(r.search_cut ? "at least " : "") + std::to_string(total) +
                    (total == 1 ? " way." : " ways."));
    return out;
  }
  const std::string both = name(s, a) + " and " + name(s, b);
  if (r.chain.empty()) return {"No relationship found.", both + " are not linked in this tree."};
  if (r.couples.empty()) return {"No relationship found.", both + " are linked as shown below."};
  std::string through = r.couples.size() == 1 ? " through the marriage of " : " through the marriages of ";
  for (std::size_t i = 0; i < r.couples.size(); ++i)
    through += (i == 0 ? "" : ", and of ") + couple_text(s, r.couples[i]);
  return {"No relationship found.", both + " are linked" + through + "."};
}

// Ways are listed by group, so those left out may be closer than some listed.
std::string MoreWaysText(const Relationship& r) {
  if (r.more_ways > 0)
    return std::string(r.search_cut ? "(At least " : "(") + std::to_string(r.more_ways) + " more " +
           (r.more_ways == 1 && !r.search_cut ? "way is" : "ways are") + " not listed.)";
  if (r.search_cut && !r.ways.empty()) return "(There may be more ways than are listed.)";
  return {};
}

std::vector<std::string> RelationshipReport(const Session& s, std::int16_t a, std::int16_t b, const Relationship& r) {
  std::vector<std::string> out = RelationshipSummary(s, a, b, r);
  auto path = [&](const std::vector<PathStep>& steps) {
    for (const std::string& line : PathLines(s, steps)) out.push_back("     " + line);
  };
  for (std::size_t i = 0; i < r.ways.size(); ++i) {
    const RelationshipWay& w = r.ways[i];
    out.push_back("");
    out.push_back(std::to_string(i + 1) + ". " + RelationshipSentence(s, a, w.words, b) + "; " +
                  RelationshipSentence(s, b, w.reverse_words, a) + ".");
    if (const std::string via = CommonAncestorsLine(s, a, b, w); !via.empty()) out.push_back("   " + via);
    out.push_back("   Path:");
    path(w.path);
  }
  if (const std::string more = MoreWaysText(r); !more.empty()) out.push_back(more);
  if (!r.chain.empty()) {
    out.push_back("");
    out.push_back("   Chain of links:");
    path(r.chain);
  }
  return out;
}

}  // namespace vft
