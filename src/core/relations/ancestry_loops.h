// Links that would make a person his or her own ancestor: a child listed in
// a family whose partner is that child, or one of its descendants. Such
// loops come only from outside (a damaged file, another program's GEDCOM);
// the connect checks never make one. Every walk up or down the tree relies on
// there being none.
#pragma once
#include <string>
#include <vector>

#include "store/records.h"
#include "store/session.h"

namespace vft {

struct LoopLink {
  int child = 0;   // the person listed as a child
  int family = 0;  // the family that lists it
};

// `families` holds families 1..count (families[0] is family 1); partners and
// children outside 1..persons are ignored. The links returned close every
// loop: without them no person is his or her own ancestor. They are found by
// one depth-first walk down from each person in number order, so the same
// tree always gives the same links.
std::vector<LoopLink> FindAncestryLoops(const MarriageRecord* families, int count, int persons);

// True when making `child` a child of `parent` would make someone his or her
// own ancestor: `parent` is `child` or descends from it, through every
// family of the tree (one parent or two).
bool WouldBeOwnAncestor(const Session& s, int child, int parent);
// The refusal shown then, naming the child.
std::string OwnAncestorRefusal(const std::string& child_name);

}  // namespace vft
