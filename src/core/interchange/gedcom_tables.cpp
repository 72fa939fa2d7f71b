#include "interchange/gedcom_tables.h"

#include "common/cp1252.h"
#include "store/date_words.h"

namespace vft::gedcom {

int MonthNumber(std::string_view name) {
  if (name.size() != 3) return 0;
  for (int m = 1; m <= 12; ++m)
    if (cp1252::iequals(name, MonthAbbrev(m))) return m;
  return 0;
}

}  // namespace vft::gedcom
