#include "store/session.h"

namespace vft {

std::string Session::settings_folder() const { return AppDataFolder + "Vorlan Family Tree/"; }

}  // namespace vft
