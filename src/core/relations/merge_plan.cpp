// The fields of a merge and the choices made before the user changes any.
#include "common/cp1252.h"
#include "relations/duplicate_match.h"
#include "relations/merge_persons.h"

namespace vft {
namespace {

struct FieldInfo {
  const char* label;
  std::string PersonRecord::*member;
  enum Kind { Name, Choice, Date, Text } kind;
};

constexpr FieldInfo kFields[kMergeFields] = {
    {"Family name", &PersonRecord::FamName, FieldInfo::Name},
    {"Given names", &PersonRecord::GivenNames, FieldInfo::Name},
    {"Sex", &PersonRecord::Sex, FieldInfo::Choice},
    {"Birth date", &PersonRecord::BirthDate, FieldInfo::Date},
    {"Birth place", &PersonRecord::BirthPlace, FieldInfo::Text},
    {"Baptised", &PersonRecord::Baptised, FieldInfo::Choice},
    {"Baptism date", &PersonRecord::DOBap, FieldInfo::Date},
    {"Baptism place", &PersonRecord::Baptisplace, FieldInfo::Text},
    {"Death date", &PersonRecord::DeathDate, FieldInfo::Date},
    {"Death place", &PersonRecord::DeathPlace, FieldInfo::Text},
    {"Burial date", &PersonRecord::InterDate, FieldInfo::Date},
    {"Burial place", &PersonRecord::InteredPlace, FieldInfo::Text},
    {"Occupation", &PersonRecord::Occupation, FieldInfo::Text},
    {"Address", &PersonRecord::CurrAddress, FieldInfo::Text},
    {"Phone", &PersonRecord::Phone, FieldInfo::Text},
    {"Source", &PersonRecord::Source, FieldInfo::Text},
};

// True when date b says more than date a: a is unknown and b is not, or b
// stands for fewer days.
bool more_precise(const std::string& a, const std::string& b) {
  const dup::DaySpan x = dup::SpanOf(cp1252::trim(a));
  const dup::DaySpan y = dup::SpanOf(cp1252::trim(b));
  if (!y.known) return false;
  if (!x.known) return true;
  return y.hi - y.lo < x.hi - x.lo;
}

}  // namespace

const char* MergeFieldLabel(MergeField f) { return kFields[static_cast<std::size_t>(f)].label; }

std::string& MergeFieldOf(PersonRecord& p, MergeField f) { return p.*(kFields[static_cast<std::size_t>(f)].member); }

const std::string& MergeFieldOf(const PersonRecord& p, MergeField f) {
  return p.*(kFields[static_cast<std::size_t>(f)].member);
}

MergePlan DefaultMergePlan(const PersonRecord& keep, const PersonRecord& drop) {
  MergePlan plan;
  plan.keep = keep.PerNum;
  plan.drop = drop.PerNum;
  for (std::size_t i = 0; i < kMergeFields; ++i) {
    const std::string a = cp1252::trim(keep.*(kFields[i].member));
    const std::string b = cp1252::trim(drop.*(kFields[i].member));
    if (b.empty() || a == b) continue;
    switch (kFields[i].kind) {
      case FieldInfo::Name:
      case FieldInfo::Choice: plan.from_drop[i] = a.empty(); break;
      case FieldInfo::Date: plan.from_drop[i] = more_precise(a, b); break;
      case FieldInfo::Text: plan.from_drop[i] = b.size() > a.size(); break;
    }
  }
  return plan;
}

}  // namespace vft
