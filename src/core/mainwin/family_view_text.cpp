#include "mainwin/family_view_text.h"

#include <vector>

#include "common/cp1252.h"
#include "relations/delete_person.h"
#include "relations/lookups.h"
#include "relations/person_io.h"
#include "store/dates.h"
#include "store/file_io.h"
#include "store/records.h"

namespace vft {
namespace {

const MarriageRecord* family_at(const Session& s, std::int16_t m) {
  if (m < 1 || m > FamilyCount(s)) return nullptr;
  return &s.family(m);
}

}  // namespace

std::string NumberWord(int n) {
  static const char* const kWords[] = {"One", "Two", "Three", "Four", "Five", "Six", "Seven", "Eight", "Nine"};
  if (n >= 1 && n <= 9) return kWords[n - 1];
  return std::to_string(n);
}

std::string DateLine(const PersonRecord& p, bool selected_box) {
  std::string birth = cp1252::trim(p.BirthDate);
  if (birth.empty() && selected_box) birth = UnknownDate;
  return birth + " - " + cp1252::trim(p.DeathDate);
}

std::string SlotDescription(const PersonRecord& p) {
  return cp1252::trim(p.GivenNames) + " " + cp1252::trim(p.FamName) + "  (#" + std::to_string(p.PerNum) + "),   " +
         cp1252::trim(p.BirthDate) + " - " + cp1252::trim(p.DeathDate);
}

std::string ParentsMarriedText(const Session& s, std::int16_t m) {
  const MarriageRecord* f = family_at(s, m);
  if (!f) return {};
  const std::string& married = s.Messages[msg::Married];
  if (f->Divorced) return " " + married + " " + MarriageDateOf(s, m) + s.Messages[msg::Divorced];
  if (f->NotMarried) return " " + s.Messages[msg::NotMarried] + " ";
  return " " + married + " " + MarriageDateOf(s, m) + " ";
}

PartnershipCaption PartnershipButtonCaption(const Session& s, std::int16_t m) {
  const MarriageRecord* f = family_at(s, m);
  if (!f) return {};
  const std::string& married = s.Messages[msg::MarriedCaption];
  if (f->Divorced) return {" " + married + " " + MarriageDateOf(s, m) + s.Messages[msg::Divorced], 1.02};
  if (f->NotMarried) return {" " + s.Messages[msg::NotMarriedCaption] + " ", 1.03};
  return {"  " + married + " " + MarriageDateOf(s, m) + " ", 1.07};
}

CommandToolTips BuildCommandToolTips(const Session& s, const print::TextMeasure& measure, const print::Font& font,
                                     std::int16_t selected, std::int16_t partner) {
  CommandToolTips t;
  const std::string name = FitName(s, measure, font, kToolTipNameWidth, selected);
  const std::string partner_name = FitName(s, measure, font, kToolTipNameWidth, partner);
  t.AddPerson = s.Messages[341] + name + s.Messages[342];
  t.Connect = s.Messages[347] + name + s.Messages[342];
  t.EditMarr = s.Messages[345] + name + s.Messages[38] + partner_name;
  t.Disconnect = s.Messages[350] + name + " from displayed partners and children and/or parents and siblings.";
  t.Delete = DeleteHint(s, name);
  return t;
}

}  // namespace vft
