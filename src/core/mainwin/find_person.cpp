#include "mainwin/find_person.h"

#include <algorithm>

#include "common/cp1252.h"
#include "common/sentence.h"
#include "mainwin/person_list.h"
#include "relations/lookups.h"
#include "relations/person_io.h"
#include "store/records.h"

namespace vft {

namespace {

void problem(Session& s, const std::string& text) { s.ask("Problem", text, Buttons::OK, Icon::Exclamation); }

// The name the questions repeat back: what was typed in the two boxes.
std::string typed_name(const std::string& given, const std::string& famname) {
  const std::string g = cp1252::trim(given), f = cp1252::trim(famname);
  if (g.empty()) return f;
  if (f.empty()) return g;
  return g + " " + f;
}

PickResult refused() { return {PickStep::Refused, 0}; }

}  // namespace

std::optional<TypedNumber> ParseTypedNumber(std::string_view text) {
  std::string t = cp1252::trim(text);
  if (!cp1252::all_digits(t)) return std::nullopt;
  t.erase(0, std::min(t.find_first_not_of('0'), t.size()));
  if (t.empty()) return std::nullopt;  // 0 is no Person number
  TypedNumber n;
  n.value = t.size() > 9 ? 999999999L : std::stol(t);
  n.digits = std::move(t);
  return n;
}

bool CheckPersonNumber(Session& s, const TypedNumber& n) {
  const std::string higher =
      Sentence({"The Person Number", n.digits, "is higher than the", "number of people stored in the records."});
  if (n.value > s.Config.NumPersons()) {
    problem(s, higher);
    return false;
  }
  PersonRecord p;
  if (!ReadStoredPerson(s, static_cast<std::int16_t>(n.value), p)) {
    // The settings record counts a person the file does not hold: a damaged
    // tree, and that person is as good as never stored.
    problem(s, higher);
    return false;
  }
  if (p.Deleted != 0) {
    problem(s, Sentence(
                   {"The Person Number", n.digits, "has been", "deleted from the records.", "Please select another."}));
    return false;
  }
  return true;
}

namespace {

// The messages repeat the number as it was typed, however long.
PickResult pick_number(Session& s, const TypedNumber& typed) {
  const long number = typed.value;
  if (s.Rel.ConnectMode && number == s.Rel.Selected.PerNum) {
    problem(s, "You tried to connect a person to themself");
    return refused();
  }
  if (!CheckPersonNumber(s, typed)) return refused();
  const auto n = static_cast<std::int16_t>(number);
  if (s.Rel.ConnectMode) return {PickStep::Connect, n};
  s.Config.setLastPerson(n);
  SelectPersonForRelations(s, n);
  if (s.View.EditFlag) return {PickStep::Edit, n};
  s.Rel.ConnectMode = false;
  return {PickStep::Selected, n};
}

}  // namespace

PickResult SelectPerson(Session& s, long number) {
  if (number < 1) return {};
  return pick_number(s, TypedNumber{std::to_string(number), number});
}

std::string FamNameBoxText(const Session& s, const std::string& typed) { return display_famname(s, typed); }

FindResult FindPerson(Session& s, const std::string& given, const std::string& famname) {
  if (auto n = ParseTypedNumber(famname)) {
    PickResult pick = pick_number(s, *n);
    if (pick.step == PickStep::Refused) return {FindStep::StayOpen, pick};
    return {FindStep::Picked, pick};
  }
  const std::vector<PersonRow> rows = ListPersons(s, SearchFilter(s, given, famname));
  const std::string name = typed_name(given, famname);
  if (rows.size() == 1) {
    PickResult pick = SelectPerson(s, rows.front().number);
    return {pick.step == PickStep::Refused ? FindStep::StayOpen : FindStep::Picked, pick};
  }
  if (rows.size() > 1) {
    const int a = s.ask("Select Person",
                        Sentence({"There are", std::to_string(rows.size()), "persons named", name,
                                  "listed in the records.", "Do you wish to list them?"}),
                        Buttons::YesNo, Icon::Question);
    if (a != kAnswerYes) return {FindStep::StayOpen, {}};
    StoreSearchTexts(s, given, famname);
    return {FindStep::OpenList, {}};
  }
  const int a =
      s.ask("Select a Person", Sentence({"There is no match for the name", name, "In the records.", "Try again?"}),
            Buttons::YesNo, Icon::Question);
  return {a == kAnswerNo ? FindStep::Close : FindStep::StayOpen, {}};
}

void StoreSearchTexts(Session& s, const std::string& given, const std::string& famname) {
  s.View.SearchGivenNames = given;
  s.View.SearchFamName = ParseTypedNumber(famname) ? std::string() : famname;
}

PersonFilter ListFilter(const Session& s, bool filtered) {
  if (filtered) return StoredSearchFilter(s);
  PersonFilter f = SearchFilter(s, {}, {});
  f.precise = false;
  return f;
}

std::string FilterNotice(const Session& s, std::size_t shown) {
  return Sentence({"Showing", std::to_string(shown), shown == 1 ? "person named" : "persons named",
                   typed_name(s.View.SearchGivenNames, s.View.SearchFamName)});
}

std::string ConnectRoleWord(const Session& s) {
  const RelationState& r = s.Rel;
  if (r.AsFather) return "Father";
  if (r.AsMother) return "Mother";
  if (r.AsPartner) return "Partner";
  if (r.AsSibling) return "Sibling";
  if (r.AsChild) return "Child";
  return {};
}

std::string FindCaption(const Session& s, const std::string& fitted_name) {
  if (!s.Rel.ConnectMode) return "Select a Person";
  const std::string role = ConnectRoleWord(s);
  return Sentence({"Select a person to Connect to", fitted_name, role.empty() ? "" : "as a " + role});
}

std::string SelectCaption(const Session& s, const std::string& fitted_name) {
  const std::string role = s.Rel.ConnectMode ? ConnectRoleWord(s) : std::string();
  if (!role.empty()) return Sentence({fitted_name, "Select a " + role + " to Connect to"});
  return s.View.EditFlag ? "Select Person to Edit" : "Select Person to Edit or View";
}

}  // namespace vft
