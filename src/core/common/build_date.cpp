// Alone in its file: the compiler's date changes every day, and only this
// file is compiled anew for it.
#include "common/build_date.h"

#include <cstdlib>
#include <cstring>

namespace vft {

long BuildDateNumber() {
  const char* d = __DATE__;  // "Mmm dd yyyy", the day padded with a blank
  static const char months[] = "JanFebMarAprMayJunJulAugSepOctNovDec";
  long month = 1;
  for (int i = 0; i < 12; ++i)
    if (std::strncmp(months + 3 * i, d, 3) == 0) month = i + 1;
  const long day = (d[4] == ' ' ? 0 : d[4] - '0') * 10 + (d[5] - '0');
  const long year = std::strtol(d + 7, nullptr, 10);
  return year * 10000 + month * 100 + day;
}

}  // namespace vft
