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

std::vector<std::string> words_of(const std::string& text) {
  std::vector<std::string> words;
  std::string word;
  for (char c : text) {
    if (c == ' ') {
      if (!word.empty()) words.push_back(word);
      word.clear();
    } else {
      word += c;
    }
  }
  if (!word.empty()) words.push_back(word);
  return words;
}

const MarriageRecord* family_at(const Session& s, std::int16_t m) {
  if (m < 1 || m > FamilyCount(s)) return nullptr;
  return &s.Marriages[static_cast<std::size_t>(m)];
}

}  // namespace

std::string NumberWord(int n) {
  static const char* const kWords[] = {"One", "Two", "Three", "Four", "Five", "Six", "Seven", "Eight", "Nine"};
  if (n >= 1 && n <= 9) return kWords[n - 1];
  return std::to_string(n);
}

std::string FitName(const Session& s, const print::TextMeasure& measure, const print::Font& font,
                    double box_width, const PersonRecord& p) {
  const double available = box_width - kNameMargin;
  const std::string fam = display_famname(s, p);
  const std::string given = cp1252::trim(p.GivenNames);
  const std::string full = given + " " + fam;
  if (measure.width(full, font) <= available) return full;

  // Whole words from the left, each with the blank that will separate it from
  // what follows, in the room the family name leaves. The last given name is
  // the one a reader can best do without, so the short form never has it.
  const double room = available - measure.width(fam, font);
  const std::vector<std::string> words = words_of(given);
  std::string kept;
  for (std::size_t i = 0; i + 1 < words.size(); ++i) {
    std::string next = kept + " " + words[i];
    if (measure.width(next, font) > room) break;
    kept = std::move(next);
  }
  return cp1252::trim(kept) + " " + fam;
}

std::string FitName(const Session& s, const print::TextMeasure& measure, const print::Font& font,
                    double box_width, std::int16_t n) {
  PersonRecord p;
  if (!ReadStoredPerson(s, n, p)) return {};
  return FitName(s, measure, font, box_width, p);
}

std::string DateLine(const PersonRecord& p, bool selected_box) {
  std::string birth = cp1252::trim(p.BirthDate);
  if (birth.empty() && selected_box) birth = UnknownDate;
  return birth + " - " + cp1252::trim(p.DeathDate);
}

std::string SlotDescription(const PersonRecord& p) {
  return cp1252::trim(p.GivenNames) + " " + cp1252::trim(p.FamName) + "  (#" + std::to_string(p.PerNum) +
         "),   " + cp1252::trim(p.BirthDate) + " - " + cp1252::trim(p.DeathDate);
}

std::string MarriageDateOf(const Session& s, std::int16_t m) {
  if (m < 1) return {};
  std::uint8_t buf[kCeremonyLen];
  if (!fileio::read_record(s.work(recfile::Ceremony), m, kCeremonyLen, buf)) return {};
  return cp1252::trim(decode_ceremony(buf).MarriedDate);
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

CommandToolTips BuildCommandToolTips(const Session& s, const print::TextMeasure& measure,
                                     const print::Font& font, std::int16_t selected, std::int16_t partner) {
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
