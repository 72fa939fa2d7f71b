// How two persons are related: by blood (through the ancestors their lines
// meet in), as partners, or through one partnership (in-laws, step-relations).
// Every way is found: partners first, then blood ways, then the ways through
// a partnership, each group closest first; when there is none, the shortest
// chain of links between the two.
//
// The lines are followed through families, not only persons: children of one
// family are siblings even when it records no parent, and a placeholder
// ("Unknown") parent or partner is a link like anyone else. Two lines meet
// either in a family (the two come down through different children: a full
// relationship, the couple as common ancestors) or in a person (through two
// of his or her families: a half relationship). Each pair of lines up to a
// meeting point is a way of its own when the two share no person below it:
// under pedigree collapse the child of two cousins descends from their
// grandfather through her father and through her mother. Lines that cross
// below the meeting point are the way found where they cross. No line holds
// a node twice, so a damaged tree in which someone is his own ancestor still
// ends; an inbred tree is bounded by the limits in relationship_search.h.
#pragma once
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "store/session.h"

namespace vft {

// At most this many ways are listed; Relationship::more_ways counts the rest.
inline constexpr int kMaxRelationshipWays = 20;

enum class WayKind {
  Blood,
  Partners,
  RelativeOfPartner,  // a is a blood relative of b's partner (father-in-law, step-son)
  PartnerOfRelative,  // a is the partner of b's blood relative (son-in-law, step-father)
  StepSiblings,       // a parent of a is a partner of a parent of b, and they share none
  // Through a step-parent (a partner of one's parent who is not one's parent):
  StepParentsRelative,  // a is an ancestor or an uncle of b's step-parent (step-grandfather, step-aunt)
  RelativesStepChild,   // b is that of a's step-parent (step-grandson, step-niece)
};

struct PathStep {
  std::int16_t person = 0;
  // What this person is of the one before ("father", "daughter", "wife");
  // empty for the first.
  std::string link;
};

struct RelationshipWay {
  WayKind kind = WayKind::Blood;
  std::string words;          // what a is of b ("second cousin once removed")
  std::string reverse_words;  // what b is of a
  // The ancestors where the blood lines meet (one person, a couple, or none
  // for the children of a family without parents, and for partners). They
  // are the ancestors of the two persons of the way's blood part: a and b in
  // a blood way, else one of them and the other's partner or step-parent.
  std::vector<std::int16_t> common_ancestors;
  std::vector<PathStep> path;             // from a to b
  int links = 0;                          // parent, child, sibling and partner links on the path
  std::int16_t blood_a = 0, blood_b = 0;  // the two persons of the blood part, if any
};

struct Relationship {
  std::vector<RelationshipWay> ways;  // in the order of the file comment
  int more_ways = 0;                  // found beyond kMaxRelationshipWays
  // The bounds of the search were reached: there may be more ways still.
  bool search_cut = false;
  // Only without ways: the shortest chain of links from a to b (empty when
  // the two are not linked at all), and the couples it passes through.
  std::vector<PathStep> chain;
  std::vector<std::pair<std::int16_t, std::int16_t>> couples;
};

// An empty text when a and b may be compared, else why not ("There is no
// person number 40.", "Person number 7 has been deleted.", "Choose two
// different persons.").
std::string CheckRelationshipPair(const Session& s, long a, long b);

// How a is related to b. a and b are living persons, a != b.
Relationship FindRelationship(const Session& s, std::int16_t a, std::int16_t b);

// ---- texts (CP1252, names as DisplayName gives them)

// "Ann Smith is the second cousin once removed of Peter Clark"
std::string RelationshipSentence(const Session& s, std::int16_t a, const std::string& words, std::int16_t b);
// "Ann Smith (#12)"
std::string PersonLabel(const Session& s, std::int16_t p);
// One line per step: "Ann Smith (#12)", "father: Tom Smith (#5)", ...
std::vector<std::string> PathLines(const Session& s, const std::vector<PathStep>& path);
// "John Smith (#1) and Mary Jones (#2)"; empty when there are none.
std::string CommonAncestorsText(const Session& s, const std::vector<std::int16_t>& ancestors);
// "Common ancestors: John Smith (#1) and Mary Jones (#2)" ("Common ancestor: "
// for one); for a way through a partnership whose blood part is not a and b
// "Common ancestors of Tom Smith (#3) and Ann Smith (#4): ...". Empty when
// there is none, or when it is one of the blood part (a line of descent).
std::string CommonAncestorsLine(const Session& s, std::int16_t a, std::int16_t b, const RelationshipWay& w);
// The headline: both sentences of the closest way, or "No relationship found."
// with how the two are linked, if at all.
std::vector<std::string> RelationshipSummary(const Session& s, std::int16_t a, std::int16_t b, const Relationship& r);
// "(12 more ways are not listed.)", "(At least 12 ...)" when the search was
// cut, "(There may be more ways than are listed.)"; empty when all are listed.
std::string MoreWaysText(const Relationship& r);
// The whole answer as text lines: the summary, then every way with its
// common ancestors and path, or the chain of links.
std::vector<std::string> RelationshipReport(const Session& s, std::int16_t a, std::int16_t b, const Relationship& r);

}  // namespace vft
