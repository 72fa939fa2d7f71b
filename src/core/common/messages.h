// The program's table of user-visible texts, indices 0..500. Other modules cite
// an entry by its number; entries 163, 372, 373, 399 and 413 follow the user's
// field labels.
#pragma once
#include <array>
#include <string>

namespace vft {

namespace msg {
constexpr int Married = 53;
constexpr int Divorced = 54;
constexpr int Unknown = 55;
constexpr int UnknownUpper = 56;
constexpr int NotMarried = 29;
constexpr int MaxPersons = 86;
constexpr int SelectRelationship = 87;
constexpr int OnBaptised = 163;
constexpr int HeaderPartners = 207;
constexpr int ConnectAParent = 239;
constexpr int ClickOnABox = 340;
constexpr int DeletePrefix = 355;
constexpr int DeleteSuffix = 356;
constexpr int NextSibling = 367;
constexpr int NextChild = 368;
constexpr int NextPartner = 369;
constexpr int Is = 370;
constexpr int FamNameLabel = 372;
constexpr int GivenNamesLabel = 373;
constexpr int BaptisedLabel = 399;
constexpr int EnterToList = 413;
constexpr int MarriedCaption = 440;
constexpr int NotMarriedCaption = 441;
constexpr int MonthNames = 470;
}  // namespace msg

class MessageTable {
 public:
  static constexpr int kSize = 501;
  MessageTable();  // filled with the fixed texts
  const std::string& operator[](int i) const;
  void set(int i, std::string text);
  // Rebuilds the entries that carry the user's field labels.
  void apply_field_labels(const std::string& fam_name, const std::string& given_names, const std::string& baptised);
  // Three-letter month abbreviation, m = 1..12.
  std::string month_abbrev(int m) const;

 private:
  std::array<std::string, kSize> t_;
};

}  // namespace vft
