// A tree built record by record for the export tests, and helpers to read the
// exported file back.
#pragma once
#include <initializer_list>
#include <string>
#include <vector>

#include "common/cp1252.h"
#include "interchange/gedcom_export.h"
#include "store/records.h"
#include "temp_session.h"

namespace vft::test {

struct ExportTree {
  TempSession t;
  Session& s = t.s;
  ScriptedPrompter& prompter = t.prompter;

  ExportTree();
  std::string out_dir() const { return t.dir.path() + "out/"; }

  // Stores person n (notes as a new chain) and raises NumPersons to n;
  // returns the person's first notes record.
  std::int32_t person(std::int16_t n, PersonRecord p, const std::string& notes = "");
  // Stores marriage m with its ceremony and raises NumMarriages to m.
  void marriage(std::int16_t m, std::int16_t husband, std::int16_t wife, std::initializer_list<std::int16_t> kids,
                const std::string& date = "", const std::string& place = "", bool divorced = false,
                bool not_married = false);
  // Nine persons (3 deleted, 4 without sex) and eleven families; see the test file.
  void build_sample();

  ExportOptions options(const std::string& name, GedcomFlavour f = GedcomFlavour::Standard) const;
  ExportResult export_to(const std::string& name, GedcomFlavour f = GedcomFlavour::Standard,
                         const Progress& progress = {});
  std::string read(const std::string& name) const;  // empty when missing
  bool exists(const std::string& name) const;
};

// A person with the given names and sex, every other field blank.
PersonRecord make_person(const std::string& fam, const std::string& given, const std::string& sex);

// The lines of a file split at CR LF (the trailer's extra CR is taken off).
std::vector<std::string> crlf_lines(const std::string& file);
// Cross-references used as values that no record defines.
std::vector<std::string> dangling_pointers(const std::string& file);

}  // namespace vft::test
