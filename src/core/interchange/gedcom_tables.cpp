#include "interchange/gedcom_tables.h"

namespace vft::gedcom {

int MonthNumber(std::string_view name) {
    if (name.size() != 3) return 0;
    for (std::size_t m = 0; m < kMonthTags.size(); ++m) {
        bool same = true;
        for (std::size_t i = 0; i < 3; ++i) {
            char c = name[i];
            if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
            if (c != kMonthTags[m][i]) { same = false; break; }
        }
        if (same) return static_cast<int>(m) + 1;
    }
    return 0;
}

}  // namespace vft::gedcom
