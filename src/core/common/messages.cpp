#include "common/messages.h"

#include <utility>

namespace vft {

MessageTable::MessageTable() {
  auto& t = t_;
  t[29] = "Not Married";
  t[38] = " and ";
  t[42] = "Is the father of";
  t[43] = "Is the mother of";
  t[44] = "listed in the Vorlan Family Tree records?";
  t[45] = " has a spouse.";
  t[46] = "She is ";
  t[47] = "He is ";
  t[48] = ".";
  t[49] = "Is she the Mother of ";
  t[50] = "Is he the Father of ";
  t[51] = "?";
  t[msg::Married] = "Married";
  t[msg::Divorced] = " (divorced) ";
  t[msg::Unknown] = "Unknown";
  t[msg::UnknownUpper] = "UNKNOWN";
  t[msg::MaxPersons] = " You have reached the maximum number of people allowed.";
  t[msg::SelectRelationship] = "Select a relationship from the list";
  t[msg::ConnectAParent] = "Connect a Parent";
  t[msg::ClickOnABox] =
      "Click on a box to select a person. Click on 'Selected' or press [Enter] to edit or view the "
      "Selected Person.";
  t[275] = "&Add Person";
  t[276] = "&Edit Marig.";
  t[277] = "&Select";
  t[278] = "&Connect";
  t[279] = "&Disconnect";
  t[280] = "De&lete Per.";
  t[281] = "&Print";
  t[284] = "E&xit to Win";
  t[341] = "Add a NEW person to ";
  t[342] = " as a relation";
  t[345] = "Edit the marriage of ";
  t[347] = "Find and Connect previously recorded person to ";
  t[350] = "Disconnect ";
  t[msg::DeletePrefix] = "Delete ";
  t[msg::DeleteSuffix] = "  permanently  from the records.";
  // The access keys of the More buttons and the partnership button sit on
  // characters no menu or command button of the main window uses (M, r and
  // e are taken by the Family and Person menus and "&Edit Marig."); the
  // plain keys R, O and M still step through children, siblings, partners.
  t[285] = "&<< More";
  t[286] = "More &>>";
  t[287] = "M&ore >>";
  t[msg::NextSibling] = "Display Next Sibling ";
  t[msg::NextChild] = "Display next Child";
  t[msg::NextPartner] = "Display next Partner";
  t[msg::Is] = " is ";
  t[msg::MarriedCaption] = "Marr&ied";
  t[msg::NotMarriedCaption] = "Not Marr&ied";
  t[msg::MonthNames] = "Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec";
  apply_field_labels("Family Name", "Given Names", "Baptised");
}

const std::string& MessageTable::operator[](int i) const {
  static const std::string empty;
  return (i >= 0 && i < kSize) ? t_[static_cast<std::size_t>(i)] : empty;
}

void MessageTable::set(int i, std::string text) {
  if (i >= 0 && i < kSize) t_[static_cast<std::size_t>(i)] = std::move(text);
}

void MessageTable::apply_field_labels(const std::string& fam_name, const std::string& given_names,
                                      const std::string& baptised) {
  t_[msg::BaptisedLabel] = baptised;
  t_[msg::OnBaptised] = " on " + baptised;
  t_[msg::GivenNamesLabel] = given_names;
  t_[msg::FamNameLabel] = fam_name;
  t_[msg::EnterToList] = "Enter " + fam_name + " to List: ";
}

std::string MessageTable::month_abbrev(int m) const {
  if (m < 1 || m > 12) return {};
  const std::string& all = t_[msg::MonthNames];
  return all.substr(static_cast<std::size_t>(m - 1) * 4, 3);
}

}  // namespace vft
