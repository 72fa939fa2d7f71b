#include "print/page_document_paper.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace vft::print {
namespace {

constexpr double in(double inches) { return inches * 1440.0; }
// Millimetres to whole twips, rounded as the printer drivers report them
// (A4 is 11906 x 16838).
double mm(double millimetres) { return std::round(millimetres * 1440.0 / 25.4); }

struct Entry {
  int code;
  std::string_view name;
  bool metric;
  double a, b;  // the two sides as the name gives them
};

// Sides follow the names exactly, so what the dialog lists is what we lay out.
constexpr std::array<Entry, 42> kPapers{{
    {1, "Letter, 8 1/2 x 11 in.", false, 8.5, 11},
    {2, "Letter Small, 8 1/2 x 11 in.", false, 8.5, 11},
    {3, "Tabloid, 11 x 17 in.", false, 11, 17},
    {4, "Ledger, 17 x 11 in.", false, 17, 11},
    {5, "Legal, 8 1/2 x 14 in.", false, 8.5, 14},
    {6, "Statement, 5 1/2 x 8 1/2 in.", false, 5.5, 8.5},
    {7, "Executive, 7 1/2 x 10 1/2 in.", false, 7.5, 10.5},
    {8, "A3, 297 x 420 mm", true, 297, 420},
    {9, "A4, 210 x 297 mm", true, 210, 297},
    {10, "A4 Small, 210 x 297 mm", true, 210, 297},
    {11, "A5, 148 x 210 mm", true, 148, 210},
    {12, "B4, 250 x 354 mm", true, 250, 354},
    {13, "B5, 182 x 257 mm", true, 182, 257},
    {14, "Folio, 8 1/2 x 13 in.", false, 8.5, 13},
    {15, "Quarto, 215 x 275 mm", true, 215, 275},
    {16, "10 x 14 in.", false, 10, 14},
    {17, "11 x 17 in.", false, 11, 17},
    {18, "Note, 8 1/2 x 11 in.", false, 8.5, 11},
    {19, "Envelope #9, 3 7/8 x 8 7/8 in.", false, 3.875, 8.875},
    {20, "Envelope #10, 4 1/8 x 9 1/2 in.", false, 4.125, 9.5},
    {21, "Envelope #11, 4 1/2 x 10 3/8 in.", false, 4.5, 10.375},
    {22, "Envelope #12, 4 1/2 x 11 in.", false, 4.5, 11},
    {23, "Envelope #14, 5 x 11 1/2 in.", false, 5, 11.5},
    {24, "C size sheet", false, 17, 22},
    {25, "D size sheet", false, 22, 34},
    {26, "E size sheet", false, 34, 44},
    {27, "Envelope DL, 110 x 220 mm", true, 110, 220},
    {28, "Envelope C5, 162 x 229 mm", true, 162, 229},
    {29, "Envelope C3, 324 x 458 mm", true, 324, 458},
    {30, "Envelope C4, 229 x 324 mm", true, 229, 324},
    {31, "Envelope C6, 114 x 162 mm", true, 114, 162},
    {32, "Envelope C65, 114 x 229 mm", true, 114, 229},
    {33, "Envelope B4, 250 x 353 mm", true, 250, 353},
    {34, "Envelope B5, 176 x 250 mm", true, 176, 250},
    {35, "Envelope B6, 176 x 125 mm", true, 176, 125},
    {36, "Envelope, 110 x 230 mm", true, 110, 230},
    {37, "Envelope Monarch, 3 7/8 x 7 1/2 in.", false, 3.875, 7.5},
    {38, "Envelope, 3 5/8 x 6 1/2 in.", false, 3.625, 6.5},
    {39, "U.S. Standard Fanfold, 14 7/8 x 11 in.", false, 14.875, 11},
    {40, "German Standard Fanfold, 8 1/2 x 12 in.", false, 8.5, 12},
    {41, "German Legal Fanfold, 8 1/2 x 13 in.", false, 8.5, 13},
    {kPaperUserDefined, "User-defined", false, 0, 0},
}};

}  // namespace

PaperSize paper_size(int code) {
  for (const Entry& e : kPapers) {
    if (e.code != code) continue;
    double a = e.metric ? mm(e.a) : in(e.a);
    double b = e.metric ? mm(e.b) : in(e.b);
    return PaperSize{e.code, e.name, std::min(a, b), std::max(a, b)};
  }
  return PaperSize{code, {}, 0, 0};
}

bool paper_has_size(int code) { return code >= 1 && code <= 41; }

}  // namespace vft::print
