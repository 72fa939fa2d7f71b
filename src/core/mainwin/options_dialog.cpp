#include "mainwin/options_dialog.h"

namespace vft {

bool OptionsChangeDisplay(const Options& before, const Options& after) {
  return before.FamName != after.FamName || before.GivenNames != after.GivenNames ||
         before.Baptised != after.Baptised || before.ColourScheme256 != after.ColourScheme256 ||
         before.UCaseFamname != after.UCaseFamname;
}

}  // namespace vft
