// Date values as other programs write them, read by the same rules as the
// date boxes (store/date_forms.h) without the boxes' shorthand: a file's
// "5/1/1901" or "5 JAN 01" is kept as written, not guessed at.
#include "interchange/gedcom_import_internal.h"
#include "store/date_forms.h"

namespace vft::gedcom {

ConvertedDate ConvertDate(std::string_view value) {
  const DateForm f = NormaliseDate(value);
  ConvertedDate d;
  d.stored = f.stored;
  d.to_notes = !f.whole;
  d.impossible_day = f.impossible_day;
  // A year the 120-year rule may count from: "AFT 1850" and "FROM 1850" say
  // only how early the date was.
  if (f.kind != DateKind::Text && f.qualifier != DateQualifier::After && f.qualifier != DateQualifier::From)
    d.year = f.year;
  return d;
}

}  // namespace vft::gedcom
