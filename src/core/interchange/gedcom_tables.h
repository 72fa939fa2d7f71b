// Tables shared by the GEDCOM reader and writer, so the two cannot drift apart:
// month names in our stored date form and in GEDCOM's upper-case form, and the
// tags of the subset we write and understand best.
#pragma once
#include <array>
#include <string_view>

namespace vft::gedcom {

// Month number 1..12 for a three-letter name in any case ("jan", "Jan", "JAN"),
// or 0 when the text is not a month name. The names are store's (MonthAbbrev);
// GEDCOM writes them in capitals ("5 JAN 1901").
int MonthNumber(std::string_view name);

// Placeholders of the stored date form.
inline constexpr std::string_view kUnknownDate = "? ??? ????";
inline constexpr std::string_view kUnknownYear = "????";
inline constexpr std::string_view kUnknownMonth = "???";
inline constexpr std::string_view kUnknownDay = "?";

// Text of the marriage date line for a couple marked as not married (our own
// files), and the event type GEDCOM 5.5.1 readers take for the same.
inline constexpr std::string_view kNotMarried = "Not Married";
inline constexpr std::string_view kUnmarriedType = "Unmarried";

// A "/" inside given or family names would end or start the family name for
// every reader of a NAME line; there it is written as this character, and the
// names as they are go on GIVN and SURN lines below it.
inline constexpr char kNameSlashStandIn = '\\';

// The submitter's name when none is given (GEDCOM 5.5.1 and 7.0 require one).
inline constexpr std::string_view kUnknownSubmitter = "Unknown";

// Identifier prefixes: "@I" + n + "@", "@F" + m + "@", and the one submitter.
inline constexpr std::string_view kPersonXrefPrefix = "@I";
inline constexpr std::string_view kFamilyXrefPrefix = "@F";
inline constexpr std::string_view kSubmitterXref = "@S1@";
// GEDCOM 7.0: notes shared by several persons ("@N" + first notes record + "@"),
// and the pointer that stands for a record not in the file.
inline constexpr std::string_view kNoteXrefPrefix = "@N";
inline constexpr std::string_view kVoidXref = "@VOID@";

// Tags. Level and use are noted where we write them; the reader accepts the
// same tags at the same levels.
namespace tag {
inline constexpr std::string_view HEAD = "HEAD";      // 0, once, first
inline constexpr std::string_view SOUR = "SOUR";      // 1 under HEAD: program name; 1 under INDI: the source
inline constexpr std::string_view VERS = "VERS";      // 2 under SOUR and GEDC
inline constexpr std::string_view DEST = "DEST";      // 1 under HEAD
inline constexpr std::string_view DATE = "DATE";      // 1 under HEAD; 2 under events
inline constexpr std::string_view CHAR = "CHAR";      // 1 under HEAD: ANSI / UTF-8
inline constexpr std::string_view FILE = "FILE";      // 1 under HEAD
inline constexpr std::string_view GEDC = "GEDC";      // 1 under HEAD
inline constexpr std::string_view FORM = "FORM";      // 2 under GEDC (5.5.1)
inline constexpr std::string_view SUBM = "SUBM";      // 0 record; 1 pointer under HEAD (5.5.1)
inline constexpr std::string_view NAME = "NAME";      // 1 under SUBM and INDI
inline constexpr std::string_view GIVN = "GIVN";      // 2 under NAME: given names holding a "/"
inline constexpr std::string_view SURN = "SURN";      // 2 under NAME: a family name holding a "/"
inline constexpr std::string_view ADDR = "ADDR";      // 1 under SUBM and INDI
inline constexpr std::string_view CONT = "CONT";      // continuation on a new line
inline constexpr std::string_view CONC = "CONC";      // continuation on the same line
inline constexpr std::string_view PHON = "PHON";      // 1 under SUBM and INDI
inline constexpr std::string_view EMAIL = "EMAIL";    // 1 under SUBM (5.5.1)
inline constexpr std::string_view INDI = "INDI";      // 0 record
inline constexpr std::string_view SEX = "SEX";        // 1 under INDI
inline constexpr std::string_view BIRT = "BIRT";      // 1 event
inline constexpr std::string_view DEAT = "DEAT";      // 1 event
inline constexpr std::string_view CHR = "CHR";        // 1 event (baptism)
inline constexpr std::string_view BURI = "BURI";      // 1 event
inline constexpr std::string_view PLAC = "PLAC";      // 2 under events
inline constexpr std::string_view RESI = "RESI";      // 1 under INDI (5.5.1): ADDR, PHON at 2
inline constexpr std::string_view OCCU = "OCCU";      // 1 under INDI
inline constexpr std::string_view NOTE = "NOTE";      // 1 under INDI; 0 record when read
                                                      // (ours open with "Information Source: ")
inline constexpr std::string_view FAMS = "FAMS";      // 1 under INDI
inline constexpr std::string_view FAMC = "FAMC";      // 1 under INDI
inline constexpr std::string_view FAM = "FAM";        // 0 record
inline constexpr std::string_view HUSB = "HUSB";      // 1 under FAM
inline constexpr std::string_view WIFE = "WIFE";      // 1 under FAM
inline constexpr std::string_view CHIL = "CHIL";      // 1 under FAM, repeated
inline constexpr std::string_view MARR = "MARR";      // 1 event under FAM
inline constexpr std::string_view DIV = "DIV";        // 1 event under FAM
inline constexpr std::string_view TYPE = "TYPE";      // 2 under MARR (5.5.1): Unmarried
inline constexpr std::string_view PHRASE = "PHRASE";  // 3 under DATE (7.0): a date in words
inline constexpr std::string_view PAGE = "PAGE";      // 2 under SOUR @VOID@ (7.0): the source
inline constexpr std::string_view SNOTE = "SNOTE";    // 0 record and 1 pointer under INDI (7.0)
inline constexpr std::string_view NO = "NO";          // 1 under FAM (7.0): NO MARR, not married
inline constexpr std::string_view EVEN = "EVEN";      // 1 under FAM (7.0): TYPE Unmarried, DATE, PLAC
inline constexpr std::string_view TRLR = "TRLR";      // 0, last
}  // namespace tag

}  // namespace vft::gedcom
