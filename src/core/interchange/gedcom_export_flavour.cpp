#include "interchange/gedcom_export_flavour.h"

#include "interchange/gedcom_export_writer.h"

namespace vft {
namespace {

// Standard: the classic form other copies of this program and older readers
// expect. 5.5.1: what GEDCOM 5.5.1 readers take without a warning.
constexpr FlavourRules kStandard{
    HeaderStyle::Classic,
    /*utf8*/ false, /*double_at*/ false, /*conc_width*/ 0, /*omit_empty_value*/ false, /*trailer_extra_cr*/ true,
    /*dates_as_stored*/ true, /*birth_always*/ true, /*empty_date_line*/ true, /*sex_as_stored*/ true,
    /*name_blank_given*/ true,
    /*address_under_resi*/ false, /*notes_split_at_lf*/ false, /*source_in_note*/ true, /*fams_by_sex*/ true, /*famc_first_only*/ true,
    /*only_live_pointers*/ false, NotMarriedForm::DateLine};

constexpr FlavourRules kGedcom551{
    HeaderStyle::Gedcom551,
    /*utf8*/ true, /*double_at*/ true, /*conc_width*/ GedcomWriter::kMaxValue, /*omit_empty_value*/ true,
    /*trailer_extra_cr*/ false,
    /*dates_as_stored*/ false, /*birth_always*/ false, /*empty_date_line*/ false, /*sex_as_stored*/ false,
    /*name_blank_given*/ false,
    /*address_under_resi*/ true, /*notes_split_at_lf*/ true, /*source_in_note*/ false, /*fams_by_sex*/ false, /*famc_first_only*/ false,
    /*only_live_pointers*/ true, NotMarriedForm::TypeLine};

}  // namespace

const FlavourRules& RulesOf(GedcomFlavour f) { return f == GedcomFlavour::Standard ? kStandard : kGedcom551; }

}  // namespace vft
