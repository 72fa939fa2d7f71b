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
  const MarriageRecord& f = s.Marriages[static_cast<std::size_t>(m)];
  return std::find(f.Kids.begin(), f.Kids.begin() + KidCount(f), x) != f.Kids.begin() + KidCount(f);
}

// The text of the first check that x fails in `role`, empty when all pass.
std::string first_failed_check(const Session& s, Role role, std::int16_t x, const PersonRecord& xr,
                               std::int16_t c, const PersonRecord& cr) {
  const std::string X = DisplayName(s, xr), C = DisplayName(s, cr);
  const char x_sex = SexOf(xr), c_sex = SexOf(cr);
  const bool parent = role == Father || role == Mother;
  auto x_c = [&X, &C](std::string_view middle, std::string_view end) { return Sentence({X, middle, C, end}); };

  if (x == c) return "You cannot to connect a person to themself";
  if (x == FatherOf(s, c) || x == MotherOf(s, c)) return x_c("is a parent of", "and cannot be connected.");
  if (role == Mother && x_sex == 'M') return Sentence({X, "is a male and", "cannot be connected as a mother."});
  if (role == Father && x_sex == 'F') return Sentence({X, "is a female and", "cannot be connected as a father."});
  if (role == Partner && x_sex && x_sex == c_sex)
    return Sentence({X, x_sex == 'F' ? "is a female and" : "is a male and", "cannot be connected as a partner."});
  if (role == Partner && !x_sex) return Sentence({"The sex of", X, "is not set and cannot be connected as a partner."});
  if (parent && !x_sex) return Sentence({"The sex of", X, "is not set and cannot be connected as a parent."});
  if (role == Sibling && IsSiblingOfSelected(s, x))
    return x_c("is already a sibling of", "and cannot be connected as a sibling.");
  if (parent && HasParents(s, x) && IsDescendant(s, x, c))
    return x_c("is a direct descendant of", "and can not be connected as a parent.");
  if (role == Partner && IsSiblingOfSelected(s, x))
    return x_c("is a sibling", "and cannot be connected as a partner.");
  if (role == Partner && IsDescendant(s, x, c))
    return x_c("is a direct descendant of", "and can not be connected as a partner.");
  if (parent && IsPartnerOfSelected(s, x))
    return x_c("is already recorded as a partner of", "and cannot be connected as a parent.");
  if (role == Partner && IsAncestor(s, c, x))
    return x_c("is an ancestor of", "and can not be connected as a partner.");
  if (role == Partner && IsPartnerOfSelected(s, x))
    return x_c("is already recorded as a partner of", "and cannot be connected as a partner.");
  // (The second descendant test for a partner can no longer fail here; it
  // keeps its place so the order of the checks stays the one users know.)
  if (role == Partner && IsDescendant(s, x, c))
    return x_c("is a direct descendant of", "and cannot be connected as a partner.");
  if (role == Sibling && IsPartnerOfSelected(s, x))
    return x_c("is already recorded as a partner of", "and cannot be connected as a sibling.");
  if (role == Sibling && IsAncestor(s, c, x))
    return x_c("is an ancestor of", "and can not be connected as a sibling.");
  if (role == Sibling && IsDescendant(s, x, c))
    return x_c("is a direct descendant of", "and can not be connected as a sibling.");
  if (role == Sibling && HasParents(s, c) && HasParents(s, x))
    return Sentence({X, "already has parents and can not be connected as a sibling.", CrLf, "Disconnect", X,
                     "from his or her parents before attempting to connect as a sibling."});
  if (role == Sibling && x_in_family(s, ParentFamilyOf(s, c), x))
    return x_c("is already a sibling of", "and cannot be connected as a sibling.");
  if (role == Child && IsPartnerOfSelected(s, x))
    return x_c("is recorded as a partner of", "and cannot be connected as a child.");
  if (role == Child && IsAncestor(s, c, x))
    return x_c("is an ancestor of", "and can not be connected as a child.");
  if (role == Child && IsDescendant(s, x, c))
    return x_c("is a direct descendant of", "and can not be connected as a child.");
  if (role == Child && HasParents(s, x)) return Sentence({X, "already has parents", "and can not be connected as a child."});
  // The descendant check above does not look through families with one
  // parent; no parent may come from below in any family.
  if (parent && WouldBeOwnAncestor(s, c, x)) return OwnAncestorRefusal(C);
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
    const MarriageRecord& f = s.Marriages[static_cast<std::size_t>(m)];
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
  if (!familywrite::read_person(s, c, xr) || !familywrite::read_person(s, x, xr))
    return ended(s, ConnectStep::Refused);
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
      for (int i = 0; i < r.Partners.count; ++i) out.sequence.push_back(r.Partners.rows[static_cast<std::size_t>(i)].Partner);
      return out;
    }
    case Sibling: {
      // The parentless one joins the other's family; the list shows that family.
      const std::int16_t m = HasParents(s, x) ? ParentFamilyOf(s, x) : ParentFamilyOf(s, c);
      if (m) {
        const MarriageRecord& f = s.Marriages[static_cast<std::size_t>(m)];
        out.sequence.assign(f.Kids.begin(), f.Kids.begin() + KidCount(f));
      }
      out.step = ConnectStep::ChooseSiblingPosition;
      out.caption = Sentence({"Connect", X, "as a Sibling to", C});
      out.prompt = "Enter the position number in the sequence below where the sibling is to inserted (1 - " +
                   std::to_string(out.sequence.size() + 1) + "):";
      return out;
    }
    default:
      out.step = ConnectStep::ChooseChildCouple;
      return out;
  }
}

}  // namespace vft
