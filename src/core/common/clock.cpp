#include "common/clock.h"

#include <ctime>

namespace vft {

LocalTime system_now() { return local_time_at(static_cast<long long>(std::time(nullptr))); }

LocalTime local_time_at(long long seconds) {
  const auto t = static_cast<std::time_t>(seconds);
  std::tm tm{};
  localtime_r(&t, &tm);
  return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec};
}

}  // namespace vft
