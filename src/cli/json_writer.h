#pragma once
#include <string>
#include <string_view>

namespace vft::cli {

// A JSON string literal for CP1252 text: converted to UTF-8, with quotes,
// backslashes and control characters escaped.
std::string json_string(std::string_view cp1252_text);

}  // namespace vft::cli
