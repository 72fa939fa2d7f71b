// What a file the program wrote holds, read back as text: its bytes, and for
// a PDF the number of pages and each sheet's size.
#pragma once
#include <cmath>
#include <iterator>
#include <regex>
#include <string>
#include <vector>

#include "store/file_io.h"

namespace vft::test {

// A written file's bytes as text; empty when it cannot be read.
inline std::string file_text(const std::string& path) {
  auto b = fileio::read_all(path);
  return b ? std::string(b->begin(), b->end()) : std::string();
}

// Page objects in a PDF ("/Type /Page", not the "/Type /Pages" tree).
inline int pdf_pages(const std::string& pdf) {
  static const std::regex page("/Type\\s*/Page(?![a-zA-Z])");
  return static_cast<int>(std::distance(std::sregex_iterator(pdf.begin(), pdf.end(), page), std::sregex_iterator()));
}

// Each page's sheet in whole points, "595x842" for A4 portrait.
inline std::vector<std::string> pdf_sizes(const std::string& pdf) {
  static const std::regex box("/MediaBox\\s*\\[\\s*0\\s+0\\s+([0-9.]+)\\s+([0-9.]+)\\s*\\]");
  std::vector<std::string> sizes;
  for (std::sregex_iterator it(pdf.begin(), pdf.end(), box), end; it != end; ++it)
    sizes.push_back(std::to_string(std::lround(std::stod((*it)[1]))) + "x" +
                    std::to_string(std::lround(std::stod((*it)[2]))));
  return sizes;
}
// The first page's sheet; empty when there is none.
inline std::string pdf_size(const std::string& pdf) {
  const std::vector<std::string> sizes = pdf_sizes(pdf);
  return sizes.empty() ? std::string() : sizes.front();
}

}  // namespace vft::test
