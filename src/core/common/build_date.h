// The day this program was built, as the number yyyymmdd. The reminder to
// look for a newer version counts from it.
#pragma once

namespace vft {

long BuildDateNumber();

}  // namespace vft
