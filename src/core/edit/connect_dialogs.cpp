#include "edit/connect_dialogs.h"

#include <algorithm>
#include <cctype>

#include "common/cp1252.h"
#include "common/sentence.h"
#include "relations/connect.h"
#include "relations/family_ops.h"
#include "relations/family_write.h"
#include "relations/lookups.h"
#include "relations/person_io.h"
#include "store/record_transaction.h"
#include "store/records.h"

namespace vft {
namespace {

const std::string kChildPrompt =
    "Enter the position number in the sequence below where the child is to be inserted: (1 - ";

std::string selected_name(const Session& s) { return DisplayName(s, s.Rel.Selected); }

std::string name_or_unknown(const Session& s, std::int16_t p) {
  const std::string n = p > 0 ? DisplayNameOf(s, p) : std::string();
  return n.empty() ? s.Messages[msg::Unknown] : n;
}

std::vector<std::int16_t> kids_of(const Session& s, std::int16_t m) {
  if (m < 1 || m > FamilyCount(s)) return {};
  const MarriageRecord& f = s.family(m);
  return {f.Kids.begin(), f.Kids.begin() + KidCount(f)};
}

const PartnerRow* displayed_row(const Session& s) {
  const RelationState& r = s.Rel;
  if (r.Partners.count < 1) return nullptr;
  const int i = std::clamp(r.DisplayedPartner, 0, r.Partners.count - 1);
  return &r.Partners.rows[static_cast<std::size_t>(i)];
}

void clear_relation_flags(RelationState& r) {
  r.AsFather = r.AsMother = r.AsSibling = r.AsPartner = r.AsChild = r.AsUnrelated = false;
  r.PartnerSequenceMode = false;
  r.InsertPosition = 0;
  r.ChildFather = r.ChildMother = 0;
}

DialogStep cancelled(Session& s) {
  ResetRelationState(s);
  return {};
}

DialogStep step(DialogNext n) { return {n, {}, {}, {}}; }

// The child joins family m: choose a place among its children, if it has any.
DialogStep child_position(Session& s, std::int16_t m) {
  RelationState& r = s.Rel;
  const std::vector<std::int16_t> kids = kids_of(s, m);
  if (kids.empty()) {
    r.InsertPosition = 0;
    return step(r.AddMode ? DialogNext::EditNewPerson : DialogNext::ConnectChild);
  }
  DialogStep out = step(DialogNext::ListSequence);
  out.list.caption = Sentence({r.AddMode ? "Add a Child for" : "Connect a Child to", selected_name(s)});
  out.list.prompt = kChildPrompt + std::to_string(kids.size() + 1) + "):";
  out.list.persons = kids;
  return out;
}

}  // namespace

// ---- frmConnectAs

ConnectAsView LoadConnectAs(Session& s) {
  RelationState& r = s.Rel;
  clear_relation_flags(r);
  if (r.Selected.PerNum >= 1) SelectPersonForRelations(s, r.Selected.PerNum);
  ConnectAsView v;
  v.title = r.AddMode ? "Add a person" : "Connect a person";
  v.label = Sentence({r.AddMode ? "Add a person to " : "Connect a person to ", selected_name(s), "as a"});
  // More than 32 shown children leave no room the family view could show.
  v.child = KidsOfCoupleWithDisplayedPartner(s) <= 32;
  const std::int16_t pf = ParentFamilyOf(s, r.Selected.PerNum);
  const MarriageRecord* parents = pf ? &s.family(pf) : nullptr;
  v.sibling = !parents || KidCount(*parents) <= 32;
  v.partner = r.Selected.NumPartners <= 19;
  const bool has_parent = parents && (parents->Husband != 0 || parents->Wife != 0);
  v.father = v.mother = !has_parent;
  v.unrelated_visible = !r.ConnectMode;
  return v;
}

DialogStep ChooseRelation(Session& s, Relation rel) {
  RelationState& r = s.Rel;
  clear_relation_flags(r);
  switch (rel) {
    case Relation::Father: r.AsFather = true; break;
    case Relation::Mother: r.AsMother = true; break;
    case Relation::Sibling: r.AsSibling = true; break;
    case Relation::Partner: r.AsPartner = true; break;
    case Relation::Child: r.AsChild = true; break;
    case Relation::Unrelated: r.AsUnrelated = true; break;
  }
  const bool sex_set = SexOf(r.Selected) != 0;
  const std::int16_t c = r.Selected.PerNum;
  if (r.ConnectMode) {
    if ((rel == Relation::Partner || rel == Relation::Child) && !sex_set) return step(DialogNext::NoSex);
    if (rel == Relation::Unrelated) return cancelled(s);  // hidden while connecting
    return step(DialogNext::PickPerson);
  }
  if (!r.AddMode) return cancelled(s);
  switch (rel) {
    case Relation::Sibling: {
      std::vector<std::int16_t> kids = kids_of(s, ParentFamilyOf(s, c));
      if (kids.empty()) return step(DialogNext::EditNewPerson);
      DialogStep out = step(DialogNext::ListSequence);
      out.list.caption = Sentence({"Add a Sibling to", selected_name(s)});
      out.list.prompt = "Enter the position number in the sequence below where the sibling is to inserted (1 - " +
                        std::to_string(kids.size() + 1) + "):";
      out.list.persons = std::move(kids);
      return out;
    }
    case Relation::Partner: {
      const int n = r.Selected.NumPartners;
      if (n < 1) return step(sex_set ? DialogNext::EditNewPerson : DialogNext::NoSex);
      r.PartnerSequenceMode = true;
      DialogStep out = step(DialogNext::ListSequence);
      for (int i = 0; i < r.Partners.count; ++i)
        out.list.persons.push_back(r.Partners.rows[static_cast<std::size_t>(i)].Partner);
      out.list.caption = Sentence({"Add a", PartnerOrdinal(n), "Partner for", selected_name(s)});
      out.list.prompt = "Enter the position number in the sequence below where the partner is to be inserted: (1 - " +
                        std::to_string(out.list.persons.size() + 1) + "):";
      return out;
    }
    case Relation::Child:
      if (!sex_set) return step(DialogNext::NoSex);
      s.Config.setLastPerson(c);
      return step(DialogNext::AddChild);
    default: return step(DialogNext::EditNewPerson);
  }
}

// ---- frmNoSex

std::string NoSexText(const Session& s) { return Sentence({"The sex of ", selected_name(s), "is not recorded."}); }
std::string NoSexMustText() { return "You must enter the sex of the person to continue."; }

DialogStep StoreSelectedSex(Session& s, char sex) {
  RecordTransaction tx(s);
  RelationState& r = s.Rel;
  const std::int16_t c = r.Selected.PerNum;
  PersonRecord p;
  if ((sex != 'M' && sex != 'F') || !ReadStoredPerson(s, c, p)) return cancelled(s);
  p.Sex = std::string(1, sex);
  if (!WritePersonRecord(s, c, p)) return cancelled(s);
  for (PersonRecord* copy : {&s.Person, &s.Editing.Person2, &s.Link.Person3, &r.Selected})
    if (copy->PerNum == c) copy->Sex = p.Sex;
  s.mark_changed();
  if (r.AddMode && r.AsChild) {
    s.Config.setLastPerson(c);
    return step(DialogNext::AddChild);
  }
  if (r.AddMode && r.AsPartner) return step(DialogNext::EditNewPerson);
  if (r.ConnectMode && (r.AsPartner || r.AsChild)) return step(DialogNext::PickPerson);
  return cancelled(s);
}

// ---- frmAddChild

AddChildView LoadAddChild(const Session& s, bool ask_known) {
  const RelationState& r = s.Rel;
  AddChildView v;
  v.title = r.AddMode ? "Add a Child" : "Connect a Child";
  const std::string verb = r.AddMode ? "Added" : "Connected";
  if (r.Selected.NumPartners < 1 || ask_known || !displayed_row(s)) {
    const std::string other = SexOf(r.Selected) == 'F' ? "Is the Father of the child" : "Is the Mother of the child";
    v.question = Sentence({other, "to be " + verb + " known?"});
    return v;
  }
  v.issue_of = true;
  v.question = Sentence({"Is the child to be " + verb + " the issue of", selected_name(s), " and ",
                         name_or_unknown(s, displayed_row(s)->Partner), "?"});
  return v;
}

void SetChildCouple(Session& s, std::int16_t partner) {
  RelationState& r = s.Rel;
  const std::int16_t c = r.Selected.PerNum;
  const bool c_male = SexOf(r.Selected) == 'M';
  r.ChildFather = c_male ? c : partner;
  r.ChildMother = c_male ? partner : c;
}

DialogStep AnswerIssueOf(Session& s, bool yes) {
  RelationState& r = s.Rel;
  const PartnerRow* shown = displayed_row(s);
  if (!shown) return step(DialogNext::AskKnown);
  if (yes) {
    SetChildCouple(s, shown->Partner);
    return child_position(s, shown->Family);
  }
  DialogStep out = step(DialogNext::SelectOther);
  for (int i = 0; i < r.Partners.count; ++i) {
    const PartnerRow& row = r.Partners.rows[static_cast<std::size_t>(i)];
    if (&row != shown && row.Partner != 0) out.partners.push_back(row);
  }
  if (out.partners.empty()) return step(DialogNext::AskKnown);
  out.header = SelectOtherHeader(SexOf(r.Selected) == 'M');
  return out;
}

DialogStep ChooseOtherParent(Session& s, std::int16_t partner) {
  const std::int16_t m = FamilyBetween(s, s.Rel.Selected.PerNum, partner);
  if (!m) return cancelled(s);
  SetChildCouple(s, partner);
  return child_position(s, m);
}

DialogStep SupplyUnknownOtherParent(Session& s, std::string& status) {
  RelationState& r = s.Rel;
  const bool c_male = SexOf(r.Selected) == 'M';
  r.AsFather = r.AsMother = false;
  r.PartnerSequenceMode = false;
  const std::int16_t p = CreateUnknownPerson(s, c_male ? 'F' : 'M');
  const std::int16_t m = p ? FamilyBetween(s, r.Selected.PerNum, p) : 0;
  if (!m) return cancelled(s);
  status = Sentence({"Vorlan Family Tree has added 'Unknown' as a",
                     c_male ? "Mother to the family Tree" : "Father to the family Tree"});
  // The placeholder was made as a partner; the operation is about the child.
  r.AsPartner = false;
  r.AsChild = true;
  SelectPersonForRelations(s, r.Selected.PerNum);
  SetChildCouple(s, p);
  r.InsertPosition = static_cast<std::int16_t>(kids_of(s, m).size());
  return step(r.AddMode ? DialogNext::EditNewPerson : DialogNext::ConnectChild);
}

DialogStep StartOtherParentAsPartner(Session& s) {
  RelationState& r = s.Rel;
  r.AddMode = true;
  r.ConnectMode = false;
  r.AsChild = false;
  r.AsPartner = true;
  r.PartnerForChild = true;
  r.ChildFather = r.ChildMother = 0;
  r.InsertPosition = 0;
  const int n = r.Selected.NumPartners;
  if (n < 1) return step(DialogNext::EditNewPerson);
  r.PartnerSequenceMode = true;
  DialogStep out = step(DialogNext::ListSequence);
  for (int i = 0; i < r.Partners.count; ++i)
    out.list.persons.push_back(r.Partners.rows[static_cast<std::size_t>(i)].Partner);
  out.list.caption = Sentence({"Add a", PartnerOrdinal(n), "Partner for", selected_name(s)});
  out.list.prompt = "Enter the position number in the sequence below where the partner is to be inserted: (1 - " +
                    std::to_string(out.list.persons.size() + 1) + "):";
  return out;
}

bool ConnectChildToDisplayedCouple(Session& s, std::int16_t x) {
  const PartnerRow* shown = displayed_row(s);
  const std::int16_t m = shown ? shown->Family : 0;
  if (m < 1 || m > FamilyCount(s)) {
    ResetRelationState(s);
    return false;
  }
  const MarriageRecord& f = s.family(m);
  s.Rel.AddMode = false;
  s.Rel.ConnectMode = true;
  return FinishConnectChild(s, x, f.Husband, f.Wife, KidCount(f));
}

// ---- frmAddParent

AddParentView LoadAddParent(const Session& s) {
  const bool mother = s.Rel.AsMother;
  const std::string c = selected_name(s);
  return {mother ? "Add a Mother" : "Add a Father",
          Sentence({mother ? "Is the Mother of" : "Is the Father of", c, "known?"}),
          Sentence({mother ? "Vorlan Family Tree is adding a Mother to" : "Vorlan Family Tree is adding a Father to", c,
                    "as 'Unknown'"})};
}

// ---- frmConnectParent

ConnectParentView LoadConnectParent(const Session& s, std::int16_t x, std::int16_t spouse) {
  PersonRecord sp;
  const bool spouse_female = ReadStoredPerson(s, spouse, sp) && SexOf(sp) == 'F';
  const std::string c = selected_name(s);
  const MessageTable& t = s.Messages;
  ConnectParentView v;
  v.title = t[msg::ConnectAParent];
  // The question is about the other parent: the spouse of x.
  v.lines.push_back(Sentence({t[spouse_female ? 43 : 42], c, t[44]}));
  v.lines.push_back(name_or_unknown(s, x) + t[45]);
  v.lines.push_back(t[spouse_female ? 46 : 47] + name_or_unknown(s, spouse) + t[48]);
  v.lines.push_back(t[spouse_female ? 49 : 50] + c + t[51]);
  return v;
}

std::vector<PartnerRow> ParentCandidates(const Session& s, std::int16_t x) {
  const PartnerList list = ListPartners(s, x);
  std::vector<PartnerRow> out;
  for (int i = 0; i < list.count; ++i)
    if (list.rows[static_cast<std::size_t>(i)].Partner != 0) out.push_back(list.rows[static_cast<std::size_t>(i)]);
  return out;
}

SequenceList ParentCoupleSequence(const Session& s, std::int16_t x, std::int16_t spouse) {
  SequenceList l;
  l.persons = kids_of(s, FamilyBetween(s, x, spouse));
  l.caption = Sentence({"Connect Parents to", selected_name(s)});
  l.prompt = kChildPrompt + std::to_string(l.persons.size() + 1) + "):";
  return l;
}

// ---- frmConnectPartner

std::int16_t UnknownPartnerFamily(const Session& s) {
  const RelationState& r = s.Rel;
  for (int i = 0; i < r.Partners.count; ++i) {
    const PartnerRow& row = r.Partners.rows[static_cast<std::size_t>(i)];
    PersonRecord p;
    if (row.Partner > 0 && ReadStoredPerson(s, row.Partner, p) && IsPlaceholder(s, p) &&
        !kids_of(s, row.Family).empty())
      return row.Family;
  }
  return 0;
}

std::vector<std::string> ConnectPartnerLines(const Session& s, std::int16_t x, std::int16_t family) {
  PersonRecord xr;
  const bool x_male = !ReadStoredPerson(s, x, xr) || SexOf(xr) != 'F';
  const std::string c = selected_name(s), X = name_or_unknown(s, x);
  std::vector<std::string> lines;
  lines.push_back(Sentence({c, "has an Unknown partner with children."}));
  lines.push_back(Sentence({"Is ", X, x_male ? "the father of those children?" : " the mother of those children?"}));
  std::string names;
  for (std::int16_t k : kids_of(s, family)) names += (names.empty() ? "" : ", ") + name_or_unknown(s, k);
  lines.push_back(names);
  lines.push_back(Sentence(
      {"Please display the 'Unknown' partner who is currently  ",
       x_male ? "shown to be the father of the children of whom " : "shown to be the mother of the children of whom ",
       X, " will replace when connected."}));
  return lines;
}

bool ReplaceUnknownPartner(Session& s, std::int16_t x, std::int16_t family) {
  RecordTransaction tx(s);
  s.History.step_text = "Undo connection of " + DisplayNameOf(s, x);
  RelationState& r = s.Rel;
  const std::int16_t c = r.Selected.PerNum;
  PersonRecord xr, old;
  const char sex = familywrite::read_person(s, x, xr) ? SexOf(xr) : 0;
  bool ok = sex != 0 && family >= 1 && family <= FamilyCount(s);
  if (ok) {
    MarriageRecord& f = s.family(family);
    std::int16_t& slot = familywrite::slot_for(f, sex);
    ok = slot > 0 && slot != c && ReadStoredPerson(s, slot, old) && IsPlaceholder(s, old);
    if (!ok) {
      familywrite::refuse(s, Sentence({DisplayName(s, xr), "cannot take the place of that partner."}));
    } else {
      const std::int16_t placeholder = slot;
      slot = x;
      ok = familywrite::store(s, family) && AddToNumPartners(s, x, +1) && AddToNumPartners(s, placeholder, -1);
      if (ok) s.mark_changed();
    }
  }
  ResetRelationState(s);
  SelectPersonForRelations(s, c);
  return ok;
}

// ---- frmListSequence

std::string SequenceLine(const Session& s, int position, std::int16_t person) {
  PersonRecord p;
  std::string line = std::to_string(position) + "  ";
  if (person < 1 || !ReadStoredPerson(s, person, p)) return line + s.Messages[msg::Unknown];
  line += cp1252::trim(p.GivenNames) + "  " + display_famname(s, p);
  const std::string born = cp1252::trim(p.BirthDate), died = cp1252::trim(p.DeathDate);
  if (!born.empty() || !died.empty()) line += "  " + born;
  if (!died.empty()) line += "  " + died;
  return line;
}

long ReadTypedNumber(const std::string& text) {
  std::size_t i = text.find_first_not_of(" \t");
  if (i == std::string::npos) return 0;
  bool negative = false;
  if (text[i] == '-' || text[i] == '+') negative = text[i++] == '-';
  long v = 0;
  // Anything past a few digits is out of every range; stop growing there.
  for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i)
    v = std::min(v * 10 + (text[i] - '0'), 1000000L);
  return negative ? -v : v;
}

bool SequenceOkEnabled(const std::string& text) { return text.find_first_not_of(" \t") != std::string::npos; }

std::optional<int> CheckSequencePosition(Session& s, const std::string& text, int last) {
  const long n = ReadTypedNumber(text);
  const std::string range = " Please enter a number between 1 and " + std::to_string(last);
  if (n < 1) {
    s.ask("Problem", "You entered a number less than one. " + range, Buttons::OK, Icon::Exclamation);
    return std::nullopt;
  }
  if (n > last) {
    s.ask("Problem", "You entered a number greater than " + std::to_string(last) + ". " + range, Buttons::OK,
          Icon::Exclamation);
    return std::nullopt;
  }
  return static_cast<int>(n - 1);
}

// ---- frmSelectOther

std::string PartnerLine(const Session& s, const PartnerRow& row) {
  const char* state = row.Divorced ? "Divorced" : row.NotMarried ? "Not Married" : "";
  return Sentence({name_or_unknown(s, row.Partner), state});
}

std::string SelectOtherHeader(bool mother) {
  return mother ? " Select a Partner as Mother of Child. " : " Select a Partner as Father of Child. ";
}

// ---- frmUnrelated

std::string UnrelatedNotice(const Session& s, std::int16_t person) {
  return Sentence({name_or_unknown(s, person), "has been added to the records as an Unrelated person."});
}

}  // namespace vft
