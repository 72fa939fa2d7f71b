#include "print/sheet_options.h"

namespace vft::print {
// Filled in with the data sheets and lists.
}  // namespace vft::print
