// What the options dialog needs beyond loading and storing the settings
// (store/settings.h): whether the main window must redraw afterwards.
#pragma once
#include "store/settings.h"

namespace vft {

// True when the options as stored differ from the options as the dialog
// opened in something the main window shows: a field label, the colour
// scheme or upper-case family names.
bool OptionsChangeDisplay(const Options& before, const Options& after);

}  // namespace vft
