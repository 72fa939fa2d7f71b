#pragma once
#include <functional>

namespace vft {

// Local calendar time. Core never reads the system clock itself: the session
// holds a clock function so tests can pin "today".
struct LocalTime {
  int year = 2000, month = 1, day = 1, hour = 0, minute = 0, second = 0;
};

using Clock = std::function<LocalTime()>;

// The machine's local time; the front ends install this.
LocalTime system_now();
// The local time of a moment given in seconds since 1970 (a file's time).
LocalTime local_time_at(long long seconds);

}  // namespace vft
