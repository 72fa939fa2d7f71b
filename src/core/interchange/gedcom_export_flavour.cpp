#include "interchange/gedcom_export_flavour.h"

#include "interchange/gedcom_export_writer.h"

namespace vft {
namespace {

// Standard: the classic form other copies of this program and older readers
// expect. 5.5.1: what GEDCOM 5.5.1 readers take without a warning. 7.0: what
// GEDCOM 7.0 allows, where 5.5.1's ways (CONC, "@@" everywhere, ADDR directly
// under an individual, a source citation as text) are gone.
constexpr FlavourRules kStandard{HeaderStyle::Classic,
                                 /*utf8*/ false,
                                 /*byte_order_mark*/ false,
                                 /*double_at*/ false,
                                 /*leading_at_only*/ false,
                                 /*conc_width*/ 0,
                                 /*omit_empty_value*/ false,
                                 /*trailer_extra_cr*/ true,
                                 DateStyle::AsStored,
                                 /*birth_always*/ true,
                                 /*empty_date_line*/ true,
                                 /*event_needs_date*/ true,
                                 /*sex_as_stored*/ true,
                                 /*name_blank_given*/ true,
                                 /*unknown_surname_empty*/ false,
                                 /*address_under_resi*/ false,
                                 /*notes_split_at_lf*/ false,
                                 SourceForm::InNote,
                                 /*shared_notes*/ false,
                                 /*fams_by_sex*/ true,
                                 /*famc_first_only*/ true,
                                 /*husbandless_bare*/ true,
                                 /*only_live_pointers*/ false,
                                 /*void_partner*/ false,
                                 NotMarriedForm::DateLine};

constexpr FlavourRules kGedcom551{HeaderStyle::Gedcom551,
                                  /*utf8*/ true,
                                  /*byte_order_mark*/ false,
                                  /*double_at*/ true,
                                  /*leading_at_only*/ false,
                                  /*conc_width*/ GedcomWriter::kMaxValue,
                                  /*omit_empty_value*/ true,
                                  /*trailer_extra_cr*/ false,
                                  DateStyle::Gedcom551,
                                  /*birth_always*/ false,
                                  /*empty_date_line*/ false,
                                  /*event_needs_date*/ false,
                                  /*sex_as_stored*/ false,
                                  /*name_blank_given*/ false,
                                  /*unknown_surname_empty*/ true,
                                  /*address_under_resi*/ true,
                                  /*notes_split_at_lf*/ true,
                                  SourceForm::Text,
                                  /*shared_notes*/ false,
                                  /*fams_by_sex*/ false,
                                  /*famc_first_only*/ false,
                                  /*husbandless_bare*/ false,
                                  /*only_live_pointers*/ true,
                                  /*void_partner*/ false,
                                  NotMarriedForm::TypeLine};

constexpr FlavourRules kGedcom70{HeaderStyle::Gedcom70,
                                 /*utf8*/ true,
                                 /*byte_order_mark*/ true,
                                 /*double_at*/ false,
                                 /*leading_at_only*/ true,
                                 /*conc_width*/ 0,
                                 /*omit_empty_value*/ true,
                                 /*trailer_extra_cr*/ false,
                                 DateStyle::Gedcom70,
                                 /*birth_always*/ false,
                                 /*empty_date_line*/ false,
                                 /*event_needs_date*/ false,
                                 /*sex_as_stored*/ false,
                                 /*name_blank_given*/ false,
                                 /*unknown_surname_empty*/ true,
                                 /*address_under_resi*/ true,
                                 /*notes_split_at_lf*/ true,
                                 SourceForm::Citation,
                                 /*shared_notes*/ true,
                                 /*fams_by_sex*/ false,
                                 /*famc_first_only*/ false,
                                 /*husbandless_bare*/ false,
                                 /*only_live_pointers*/ true,
                                 /*void_partner*/ true,
                                 NotMarriedForm::NonEvent};

}  // namespace

const FlavourRules& RulesOf(GedcomFlavour f) {
  switch (f) {
    case GedcomFlavour::Standard: return kStandard;
    case GedcomFlavour::Gedcom551: return kGedcom551;
    case GedcomFlavour::Gedcom70: break;
  }
  return kGedcom70;
}

}  // namespace vft
