#include "edit/person_editor_fields.h"

#include <array>

#include "common/cp1252.h"
#include "relations/person_io.h"
#include "store/dates.h"
#include "store/records.h"

namespace vft {

namespace {

constexpr std::array<EditFieldInfo, kEditFields> kFields{{
    {width::FamName, 0, true},
    {width::GivenNames, 0, true},
    {width::Date, datefield::Birth, false},
    {width::Date, datefield::Death, false},
    {width::Place, 0, false},
    {width::Baptised, 0, false},
    {width::Date, datefield::Baptism, false},
    {width::Place, 0, false},
    {width::Place, 0, false},
    {width::Date, datefield::Burial, false},
    {width::Place, 0, false},
    {width::Occupation, 0, false},
    {width::CurrAddress, 0, false},
    {width::Phone, 0, false},
    {width::Source, 0, false},
    {0, 0, false},
    {width::Sex, 0, false},
}};

// The record field behind each box; the notes box has none.
template <typename P>
auto field_of(P& p, int index) -> decltype(&p.FamName) {
  switch (index) {
    case editfield::FamName: return &p.FamName;
    case editfield::GivenNames: return &p.GivenNames;
    case editfield::BirthDate: return &p.BirthDate;
    case editfield::DeathDate: return &p.DeathDate;
    case editfield::BirthPlace: return &p.BirthPlace;
    case editfield::Baptised: return &p.Baptised;
    case editfield::BaptismDate: return &p.DOBap;
    case editfield::BaptismPlace: return &p.Baptisplace;
    case editfield::DeathPlace: return &p.DeathPlace;
    case editfield::BurialDate: return &p.InterDate;
    case editfield::BurialPlace: return &p.InteredPlace;
    case editfield::Occupation: return &p.Occupation;
    case editfield::CurrAddress: return &p.CurrAddress;
    case editfield::Phone: return &p.Phone;
    case editfield::Source: return &p.Source;
    case editfield::Sex: return &p.Sex;
    default: return nullptr;
  }
}

char first_upper(const std::string& typed) {
  std::string t = cp1252::trim(typed);
  return t.empty() ? '\0' : cp1252::upper(t[0]);
}

}  // namespace

const EditFieldInfo& EditField(int index) {
  if (index < 0 || index >= kEditFields) return kFields[editfield::Notes];
  return kFields[static_cast<std::size_t>(index)];
}

std::string EditFieldLabel(const Session& s, int index) {
  switch (index) {
    case editfield::FamName: return s.Messages[msg::FamNameLabel];
    case editfield::GivenNames: return s.Messages[msg::GivenNamesLabel];
    case editfield::BirthDate: return "Date of birth";
    case editfield::DeathDate: return "Date of death";
    case editfield::BirthPlace: return "Place of birth";
    case editfield::Baptised: return s.Messages[msg::BaptisedLabel];
    case editfield::BaptismDate: return "on";
    case editfield::BaptismPlace: return "at";
    case editfield::DeathPlace: return "Place of death";
    case editfield::BurialDate: return "Buried or cremated";
    case editfield::BurialPlace: return "at";
    case editfield::Occupation: return "Occupation";
    case editfield::CurrAddress: return "Current Address";
    case editfield::Phone: return "Phone";
    case editfield::Source: return "Source";
    case editfield::Notes: return "Notes";
    case editfield::Sex: return "Sex";
    default: return {};
  }
}

std::string FieldValue(const PersonRecord& p, int index) {
  const std::string* f = field_of(p, index);
  return f ? cp1252::trim(*f) : std::string();
}

void SetFieldValue(PersonRecord& p, int index, const std::string& value) {
  if (std::string* f = field_of(p, index)) {
    std::string t = cp1252::trim(value);
    const std::size_t w = EditField(index).width;
    *f = t.size() > w ? t.substr(0, w) : t;
  }
}

std::string AutoCapitalise(const std::string& text) {
  std::string out = text;
  for (std::size_t i = 0; i < out.size(); ++i)
    if (i == 0 || out[i - 1] == ' ') out[i] = cp1252::upper(out[i]);
  return out;
}

std::string SexFromTyped(const std::string& typed) {
  switch (first_upper(typed)) {
    case 'F': return "F";
    case 'M': return "M";
    default: return " ";
  }
}

std::string SexWord(const std::string& sex) {
  switch (first_upper(sex)) {
    case 'F': return "Female";
    case 'M': return "Male";
    default: return "Not Set";
  }
}

std::string NextSex(const std::string& sex) {
  switch (first_upper(sex)) {
    case 'M': return "F";
    case 'F': return " ";
    default: return "M";
  }
}

std::string BaptisedFromTyped(const std::string& typed) {
  switch (first_upper(typed)) {
    case 'Y': return "Yes";
    case 'N': return "No";
    default: return {};
  }
}

std::string DateOrderMessage(const Session& s, const PersonRecord& p) {
  const std::string baptised = cp1252::lower(s.Messages[msg::BaptisedLabel]);
  const std::string birth = cp1252::trim(p.BirthDate), death = cp1252::trim(p.DeathDate), bap = cp1252::trim(p.DOBap),
                    burial = cp1252::trim(p.InterDate);
  if (!DatesInOrder(birth, death)) return "The birthdate is after the date of death.";
  if (!DatesInOrder(birth, bap)) return "The birthdate is after the " + baptised + " date.";
  if (!DatesInOrder(birth, burial)) return "The birthdate is after the interment date.";
  if (!DatesInOrder(bap, death)) return "The " + baptised + " is after the date of death.";
  if (!DatesInOrder(bap, burial)) return "The " + baptised + " date is after the interment date.";
  if (!DatesInOrder(death, burial)) return "The date of death is after the interment date.";
  return {};
}

bool CheckDateOrder(Session& s, const PersonRecord& p) {
  const std::string m = DateOrderMessage(s, p);
  if (m.empty()) return true;
  s.ask("Date Error", m, Buttons::OK, Icon::Exclamation);
  return false;
}

std::string EditTitle(const Session& s, bool editing, const std::string& edited) {
  if (editing) return " Edit the Record of " + edited;
  const RelationState& r = s.Rel;
  const std::string c = DisplayName(s, r.Selected);
  if (r.AddMode && !s.AddingFirstPerson && r.Selected.PerNum >= 1) {
    if (r.AsChild) return " Add a Child for " + c;
    if (r.AsPartner) return " Add a Partner for " + c;
    if (r.AsSibling) return " Add a Sibling for " + c;
    if (r.AsMother) return " Add a Mother for " + c;
    if (r.AsFather) return " Add a Father for " + c;
  }
  return " Add an Unrelated Person ";
}

PersonRecord NewPersonPreset(const Session& s) {
  PersonRecord p = blank_person();
  for (int i = 0; i < kEditFields; ++i) SetFieldValue(p, i, "");
  p.Sex = " ";
  const RelationState& r = s.Rel;
  if (!r.AddMode || s.AddingFirstPerson || r.Selected.PerNum < 1) return p;
  const PersonRecord& c = r.Selected;
  const char csex = SexOf(c);

  std::string fam;
  if (r.AsSibling || (r.AsChild && csex == 'M')) {
    fam = c.FamName;
  } else if (r.AsChild && csex == 'F') {
    // The father settled for the child wins; otherwise the partner shown
    // beside her is taken as the father.
    std::int16_t father = r.ChildFather;
    if (father < 1 && r.DisplayedPartner >= 0 && r.DisplayedPartner < r.Partners.count)
      father = r.Partners.rows[static_cast<std::size_t>(r.DisplayedPartner)].Partner;
    PersonRecord f;
    if (father >= 1 && ReadStoredPerson(s, father, f)) fam = f.FamName;
  }
  fam = cp1252::trim(fam);
  SetFieldValue(p, editfield::FamName, display_famname(s, fam));

  if (r.AsMother) p.Sex = "F";
  else if (r.AsFather) p.Sex = "M";
  else if (r.AsPartner) p.Sex = csex == 'M' ? "F" : csex == 'F' ? "M" : " ";
  // A new person follows the capitalisation the selected person was given.
  p.AutoCap = c.AutoCap == 1 ? 1 : 0;
  return p;
}

}  // namespace vft
