// Everything the export flavours write differently, in one table. The
// builder and the line writer ask these rules and never the flavour itself,
// so a new flavour is one more row (and, when its header differs, one more
// header style).
#pragma once
#include <cstddef>

#include "interchange/gedcom_export_writer.h"

namespace vft {

enum class HeaderStyle {
  Classic,    // SOUR with blanks, DEST PAF, CHAR ANSI, GEDC VERS 4; submitter lines each on its own condition
  Gedcom551,  // SOUR id without blanks, SUBM pointer, GEDC VERS 5.5.1 and FORM, CHAR UTF-8
  Gedcom70,   // GEDC VERS 7.0 first, no CHAR or FILE; a submitter only when one is given
};

enum class DateStyle {
  AsStored,   // verbatim
  Gedcom551,  // GEDCOM keywords, unknown parts left out, a phrase in parentheses
  Gedcom70,   // the same in the 7.0 grammar ("BCE"), a phrase as a PHRASE line under the date
};

// Where a person's source goes.
enum class SourceForm {
  InNote,    // only as the note's opening "Information Source: <source>. "
  Text,      // "1 SOUR <source>"
  Citation,  // "1 SOUR @VOID@" / "2 PAGE <source>"
};

enum class NotMarriedForm {
  DateLine,  // "1 MARR" / "2 DATE Not Married": read back by our own import only
  TypeLine,  // "1 MARR" / "2 TYPE Unmarried": what GEDCOM 5.5.1 readers understand
  NonEvent,  // "1 NO MARR"; a date or place of the couple goes under "1 EVEN" / "2 TYPE Unmarried"
};

struct FlavourRules {
  HeaderStyle header;
  // Lines
  bool utf8;               // values converted from CP1252 to UTF-8 (else written as stored)
  bool byte_order_mark;    // the file starts with U+FEFF
  bool double_at;          // "@" in a value written "@@"
  bool leading_at_only;    // only an "@" that starts a value is doubled
  std::size_t conc_width;  // longer values go on CONC lines; 0 = never split
  bool omit_empty_value;   // "n TAG" rather than "n TAG " when the value is empty
  bool trailer_extra_cr;   // "0 TRLR" followed by one more carriage return
  // Individuals
  DateStyle dates;
  bool birth_always;           // a BIRT for everyone, with its DATE line even when empty
  bool empty_date_line;        // events write "2 DATE " when no date is known (else "1 TAG Y"); a marriage
                               // never writes an empty date line
  bool event_needs_date;       // a death or burial only with its date (else also with a place alone)
  bool sex_as_stored;          // the stored letter (else "U" for an unknown sex)
  bool name_blank_given;       // "NAME  /Smith/" for no given names (else "NAME /Smith/")
  bool unknown_surname_empty;  // a family name stored as "?" (unknown) written "//"
  bool address_under_resi;     // ADDR and PHON of the living under RESI
  bool notes_split_at_lf;      // a lone line feed also ends a note paragraph
  SourceForm source;
  bool shared_notes;     // notes more than one person points at go in one SNOTE record
  bool fams_by_sex;      // FAMS for a man as husband and a woman as wife only
  bool famc_first_only;  // FAMC for the first family listing the person only
  // Families
  bool husbandless_bare;    // a family without a husband only for its children, with nothing more
  bool only_live_pointers;  // pointers only to records in the file, each child once
  bool void_partner;        // a partner not in the file is named "@VOID@" (with only live pointers)
  NotMarriedForm not_married;
};

const FlavourRules& RulesOf(GedcomFlavour f);

}  // namespace vft
