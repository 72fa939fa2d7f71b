// ConnectSelectedPerson: the checks, in their fixed order, and the confirmation.
#include "relations/connect.h"

#include <algorithm>

#include "common/sentence.h"
#include "relations/ancestry_loops.h"
#include "relations/family_ops.h"
#include "relations/family_write.h"
#include "relations/lookups.h"
#include "relations/person_io.h"

namespace vft {
namespace {

enum Role { Father, Mother, Sibling, Partner, Child, NoRole };

Role chosen_role(const RelationState& r) {
  if (r.AsFather) return Father;
  if (r.AsMother) return Mother;
  if (r.AsSibling) return Sibling;
  if (r.AsPartner) return Partner;
  if (r.AsChild) return Child;
  return NoRole;
}

bool x_in_family(const Session& s, std::int16_t m, std::int16_t x) {
  if (!m) return false;
  const MarriageRecord& f = s.family(m);
  return std::find(f.Kids.begin(), f.Kids.begin() + KidCount(f), x) != f.Kids.begin() + KidCount(f);
}

// What the connect checks look at: x is to be connected to c.
struct Facts {
  const Session& s;
  std::int16_t x, c;
  const std::string X, C;  // their names as shown
  char x_sex, c_sex;
};

constexpr unsigned bit(Role r) { return 1u << r; }
constexpr unsigned kParent = bit(Father) | bit(Mother);
constexpr unsigned kAnyRole = kParent | bit(Sibling) | bit(Partner) | bit(Child);

// One connect check: for which roles it is made, what makes x fail it, and
// what the user is told: "X <middle> C <end>", or a text of its own.
struct Check {
  unsigned roles;
  bool (*fails)(const Facts&);
  std::string_view middle, end;
  std::string (*text)(const Facts&) = nullptr;
};

bool parent_of_c(const Facts& f) { return f.x == FatherOf(f.s, f.c) || f.x == MotherOf(f.s, f.c); }
bool sibling_of_c(const Facts& f) { return IsSiblingOfSelected(f.s, f.x); }
bool partner_of_c(const Facts& f) { return IsPartnerOfSelected(f.s, f.x); }
bool descendant_of_c(const Facts& f) { return IsDescendant(f.s, f.x, f.c); }
bool ancestor_of_c(const Facts& f) { return IsAncestor(f.s, f.c, f.x); }
bool x_has_parents(const Facts& f) { return HasParents(f.s, f.x); }
bool sex_unset(const Facts& f) { return !f.x_sex; }

// In the order users know: the first check that fails is the one told.
// clang-format off
const Check kChecks[] = {
    {kAnyRole, [](const Facts& f) { return f.x == f.c; }, {}, {},
     [](const Facts&) { return std::string("You cannot to connect a person to themself"); }},
    {kAnyRole, parent_of_c, "is a parent of", "and cannot be connected."},
    {bit(Mother), [](const Facts& f) { return f.x_sex == 'M'; }, {}, {},
     [](const Facts& f) { return Sentence({f.X, "is a male and", "cannot be connected as a mother."}); }},
    {bit(Father), [](const Facts& f) { return f.x_sex == 'F'; }, {}, {},
     [](const Facts& f) { return Sentence({f.X, "is a female and", "cannot be connected as a father."}); }},
    {bit(Partner), [](const Facts& f) { return f.x_sex && f.x_sex == f.c_sex; }, {}, {},
     [](const Facts& f) {
       return Sentence(
           {f.X, f.x_sex == 'F' ? "is a female and" : "is a male and", "cannot be connected as a partner."});
     }},
    {bit(Partner), sex_unset, {}, {},
     [](const Facts& f) { return Sentence({"The sex of", f.X, "is not set and cannot be connected as a partner."}); }},
    {kParent, sex_unset, {}, {},
     [](const Facts& f) { return Sentence({"The sex of", f.X, "is not set and cannot be connected as a parent."}); }},
    {bit(Sibling), sibling_of_c, "is already a sibling of", "and cannot be connected as a sibling."},
    {kParent, [](const Facts& f) { return x_has_parents(f) && descendant_of_c(f); }, "is a direct descendant of",
     "and can not be connected as a parent."},
    {bit(Partner), sibling_of_c, "is a sibling", "and cannot be connected as a partner."},
    {bit(Partner), descendant_of_c, "is a direct descendant of", "and can not be connected as a partner."},
    {kParent, partner_of_c, "is already recorded as a partner of", "and cannot be connected as a parent."},
    {bit(Partner), ancestor_of_c, "is an ancestor of", "and can not be connected as a partner."},
    {bit(Partner), partner_of_c, "is already recorded as a partner of", "and cannot be connected as a partner."},
    // (The second descendant test for a partner can no longer fail here; it
    // keeps its place so the order of the checks stays the one users know.)
    {bit(Partner), descendant_of_c, "is a direct descendant of", "and cannot be connected as a partner."},
    {bit(Sibling), partner_of_c, "is already recorded as a partner of", "and cannot be connected as a sibling."},
    {bit(Sibling), ancestor_of_c, "is an ancestor of", "and can not be connected as a sibling."},
    {bit(Sibling), descendant_of_c, "is a direct descendant of", "and can not be connected as a sibling."},
    {bit(Sibling), [](const Facts& f) { return HasParents(f.s, f.c) && x_has_parents(f); }, {}, {},
     [](const Facts& f) {
       return Sentence({f.X, "already has parents and can not be connected as a sibling.", CrLf, "Disconnect", f.X,
                        "from his or her parents before attempting to connect as a sibling."});
     }},
    {bit(Sibling), [](const Facts& f) { return x_in_family(f.s, ParentFamilyOf(f.s, f.c), f.x); },
     "is already a sibling of", "and cannot be connected as a sibling."},
    {bit(Child), partner_of_c, "is recorded as a partner of", "and cannot be connected as a child."},
    {bit(Child), ancestor_of_c, "is an ancestor of", "and can not be connected as a child."},
    {bit(Child), descendant_of_c, "is a direct descendant of", "and can not be connected as a child."},
    {bit(Child), x_has_parents, {}, {},
     [](const Facts& f) { return Sentence({f.X, "already has parents", "and can not be connected as a child."}); }},
    // The descendant check above does not look through families with one
    // parent; no parent may come from below in any family.
    {kParent, [](const Facts& f) { return WouldBeOwnAncestor(f.s, f.c, f.x); }, {}, {},
     [](const Facts& f) { return OwnAncestorRefusal(f.C); }},
};
// clang-format on

// The text of the first check that x fails in `role`, empty when all pass.
std::string first_failed_check(const Session& s, Role role, std::int16_t x, const PersonRecord& xr, std::int16_t c,
                               const PersonRecord& cr) {
  const Facts f{s, x, c, DisplayName(s, xr), DisplayName(s, cr), SexOf(xr), SexOf(cr)};
  for (const Check& check : kChecks) {
    if (!(check.roles & bit(role)) || !check.fails(f)) continue;
    return check.text ? check.text(f) : Sentence({f.X, check.middle, f.C, check.end});
  }
  return {};
}

struct Confirmation {
  const char* title;
  const char* as;
};

Confirmation confirmation(Role role) {
  switch (role) {
    case Father: return {"Connect Parents", "as a father to "};
    case Mother: return {"Connect Parents", "as a mother to "};
    case Partner: return {"Connect a Partner", "as a partner to "};
    case Sibling: return {"Connect a Sibling", "as a sibling to "};
    default: return {"Connect a Child", "as a child to "};
  }
}

bool has_real_partner(const Session& s, std::int16_t x) {
  for (int m = 1; m <= FamilyCount(s); ++m) {
    const MarriageRecord& f = s.family(m);
    if ((f.Husband == x && f.Wife != 0) || (f.Wife == x && f.Husband != 0)) return true;
  }
  return false;
}

ConnectOutcome ended(Session& s, ConnectStep step) {
  ResetRelationState(s);
  return {step, {}, {}, {}};
}

}  // namespace

std::string PartnerOrdinal(int existing) {
  switch (existing) {
    case 1: return " second ";
    case 2: return " third ";
    case 3: return " fourth ";
    default: return " " + std::to_string(existing + 1) + "th ";
  }
}

ConnectOutcome ConnectSelectedPerson(Session& s, std::int16_t x) {
  RelationState& r = s.Rel;
  const Role role = chosen_role(r);
  if (!r.ConnectMode || role == NoRole) return {};
  const std::int16_t c = r.Selected.PerNum;
  PersonRecord xr;
  if (!familywrite::read_person(s, c, xr) || !familywrite::read_person(s, x, xr)) return ended(s, ConnectStep::Refused);
  SelectPersonForRelations(s, c);  // the checks must see the lists as the table has them now
  const PersonRecord& cr = r.Selected;

  std::string problem = first_failed_check(s, role, x, xr, c, cr);
  if (!problem.empty()) {
    r.Answer = s.ask("Problem", problem, Buttons::OK, Icon::Exclamation);
    return ended(s, ConnectStep::Refused);
  }
  const std::string X = DisplayName(s, xr), C = DisplayName(s, cr);
  const Confirmation ask = confirmation(role);
  r.Answer = s.ask(ask.title, Sentence({"Connect", X, ask.as, C}), Buttons::YesNo, Icon::Question);
  if (r.Answer == kAnswerNo) return ended(s, ConnectStep::Declined);

  s.Link.Person3 = xr;
  r.NewPerson = x;
  ConnectOutcome out;
  switch (role) {
    case Father:
    case Mother:
      if (has_real_partner(s, x)) {
        out.step = ConnectStep::ChooseParentCouple;
        return out;
      }
      {
        const bool linked = role == Father ? SetFather(s, c, x) : SetMother(s, c, x);
        SelectPersonForRelations(s, c);
        return ended(s, linked ? ConnectStep::Done : ConnectStep::Refused);
      }
    case Partner: {
      const int n = cr.NumPartners;
      if (n < 1) {
        out.step = ConnectStep::EditPartnership;
        return out;
      }
      r.PartnerSequenceMode = true;
      out.step = ConnectStep::ChoosePartnerPosition;
      out.caption = Sentence({"Add a", PartnerOrdinal(n), "Partner for", C});
      out.prompt = "Enter the position number in the sequence below where the partner is to be inserted: (1 - " +
                   std::to_string(n + 1) + "):";
      for (int i = 0; i < r.Partners.count; ++i)
        out.sequence.push_back(r.Partners.rows[static_cast<std::size_t>(i)].Partner);
      return out;
    }
    case Sibling: {
      // The parentless one joins the other's family; the list shows that family.
      const std::int16_t m = HasParents(s, x) ? ParentFamilyOf(s, x) : ParentFamilyOf(s, c);
      if (m) {
        const MarriageRecord& f = s.family(m);
        out.sequence.assign(f.Kids.begin(), f.Kids.begin() + KidCount(f));
      }
      out.step = ConnectStep::ChooseSiblingPosition;
      out.caption = Sentence({"Connect", X, "as a Sibling to", C});
      out.prompt = "Enter the position number in the sequence below where the sibling is to inserted (1 - " +
                   std::to_string(out.sequence.size() + 1) + "):";
      return out;
    }
    default: out.step = ConnectStep::ChooseChildCouple; return out;
  }
}

}  // namespace vft
