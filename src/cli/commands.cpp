#include "commands.h"
// File names are passed to core exactly as the system gave them (raw bytes):
// converting them would make accented paths unreachable.

#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "cli_session.h"
#include "common/cp1252.h"
#include "json_writer.h"
#include "options.h"
#include "interchange/gedcom_export.h"
#include "interchange/gedcom_import.h"
#include "relations/tree_check.h"
#include "store/familyfile.h"
#include "store/file_io.h"
#include "store/folders.h"
#include "store/ini.h"
#include "store/paths.h"
#include "store/records.h"

namespace vft::cli {
namespace {

std::string t(const std::string& field) { return json_string(cp1252::trim(field)); }

void dump_person(std::string& o, const PersonRecord& p, const std::string& notes) {
  o += "{\"PerNum\":" + std::to_string(p.PerNum);
  o += ",\"FamName\":" + t(p.FamName);
  o += ",\"GivenNames\":" + t(p.GivenNames);
  o += ",\"Sex\":" + t(p.Sex);
  o += ",\"BirthDate\":" + t(p.BirthDate);
  o += ",\"DeathDate\":" + t(p.DeathDate);
  o += ",\"BirthPlace\":" + t(p.BirthPlace);
  o += ",\"Baptised\":" + t(p.Baptised);
  o += ",\"DOBap\":" + t(p.DOBap);
  o += ",\"Baptisplace\":" + t(p.Baptisplace);
  o += ",\"DeathPlace\":" + t(p.DeathPlace);
  o += ",\"InterDate\":" + t(p.InterDate);
  o += ",\"InteredPlace\":" + t(p.InteredPlace);
  o += ",\"Occupation\":" + t(p.Occupation);
  o += ",\"CurrAddress\":" + t(p.CurrAddress);
  o += ",\"Phone\":" + t(p.Phone);
  o += ",\"Source\":" + t(p.Source);
  o += ",\"Notes\":" + t(notes);
  o += ",\"AutoCap\":" + std::to_string(p.AutoCap);
  o += ",\"Deleted\":" + std::to_string(p.Deleted);
  o += ",\"NumPartners\":" + std::to_string(p.NumPartners) + "}";
}

void dump_marriage(std::string& o, const MarriageRecord& m, const CeremonyRecord& c) {
  o += "{\"MarNum\":" + std::to_string(m.MarNum);
  o += ",\"Husband\":" + std::to_string(m.Husband);
  o += ",\"Wife\":" + std::to_string(m.Wife);
  o += ",\"Kids\":[";
  int n = m.NumKids < 0 ? 0 : (m.NumKids > kMaxKids ? kMaxKids : m.NumKids);
  for (int k = 0; k < n; ++k) {
    if (k) o += ',';
    o += std::to_string(m.Kids[static_cast<std::size_t>(k)]);
  }
  o += "],\"Divorced\":" + std::to_string(m.Divorced);
  o += ",\"NotMarried\":" + std::to_string(m.NotMarried);
  o += ",\"MarriedDate\":" + t(c.MarriedDate);
  o += ",\"MarriedAt\":" + t(c.MarriedAt) + "}";
}

}  // namespace

int cmd_dump(int argc, char** argv) {
  const CommandLine line{"dump", kDumpUsage, {}, 1, 1, "dump needs a Family file"};
  std::vector<std::string> args;
  if (auto done = ParseCommandLine(line, argc, argv, args)) return *done;
  const std::string& file = args[0];
  CliSession cs;
  if (!cs.open(file)) return 1;
  Session& s = cs.session();
  const int persons = s.Config.NumPersons();
  const int marriages = s.Config.NumMarriages();
  Bytes per = fileio::read_all(s.work(recfile::Person)).value_or(Bytes{});
  Bytes mce = fileio::read_all(s.work(recfile::Ceremony)).value_or(Bytes{});
  Bytes notes = fileio::read_all(s.work(recfile::Notes)).value_or(Bytes{});

  std::string o = "{\"NumPersons\":" + std::to_string(persons) + ",\"NumMarriages\":" + std::to_string(marriages) +
                  ",\"LastPerson\":" + std::to_string(s.Config.LastPerson()) + ",\"persons\":[";
  for (int n = 1; n <= persons; ++n) {
    const std::uint8_t* rec = person_bytes(per, static_cast<std::size_t>(n));
    PersonRecord p = rec ? decode_person(rec) : blank_person();
    if (!rec) p.PerNum = static_cast<std::int16_t>(n);
    if (n > 1) o += ',';
    dump_person(o, p, p.Deleted ? std::string() : ReadNotesFrom(p.NotesRec, notes));
  }
  o += "],\"marriages\":[";
  for (int n = 1; n <= marriages && n <= kMaxMarriages; ++n) {
    auto off = static_cast<std::size_t>(n - 1) * kCeremonyLen;
    CeremonyRecord c = off + kCeremonyLen <= mce.size() ? decode_ceremony(mce.data() + off) : blank_ceremony();
    if (n > 1) o += ',';
    dump_marriage(o, s.family(n), c);
  }
  o += "]}\n";
  std::fwrite(o.data(), 1, o.size(), stdout);
  return std::fflush(stdout) == 0 ? 0 : 1;
}

namespace {

struct ConvertOptions {
  std::string flavour;  // 5.5.1 | 7 (empty: the standard form)
  // Unset fields come from the user's settings file.
  std::optional<std::string> name, address1, address2, address3, phone, email;
};

bool has_extension(const std::string& path, const char* ext) {
  std::string e = std::filesystem::path(path).extension().string();
  return cp1252::iequals(e, ext);
}

// Submitter details: the options given, else the user's own settings file.
SubmitterDetails submitter_for(const ConvertOptions& o) {
  std::string ini = AppDataFolder(SystemEnvironment()) + "Vorlan Family Tree/Vorlan.Ini";
  auto pick = [&](const std::optional<std::string>& given, const char* key) {
    return given ? cp1252::from_utf8(*given) : IniReadTextAt(ini, "USER", key);
  };
  SubmitterDetails d;
  d.Name = pick(o.name, "Name");
  d.Address1 = pick(o.address1, "Address1");
  d.Address2 = pick(o.address2, "Address2");
  d.Address3 = pick(o.address3, "Address3");
  d.Phone = pick(o.phone, "Phone");
  d.Email = pick(o.email, "Email");
  return d;
}

int save_to(Session& s, const std::string& out) {
  std::string why;
  if (SaveFamilyFile(s, s.WorkFolder, out, SaveTarget::Copy, &why) != -1) {
    // Without a reason the prompter has already printed why.
    if (!why.empty()) std::fprintf(stderr, "vft: could not write %s: %s\n", out.c_str(), cp1252::to_utf8(why).c_str());
    return 1;
  }
  return 0;
}

// Text for the terminal: UTF-8, one line break per line, without the window's
// instruction to print the list.
std::string terminal_text(const std::string& cp) {
  std::string out;
  for (std::string_view rest = cp; !rest.empty();) {
    const std::size_t end = rest.find("\r\n");
    const std::string_view line = rest.substr(0, end);
    if (line != "Click 'Print' to print this list.") out += cp1252::to_utf8(line) + "\n";
    if (end == std::string_view::npos) break;
    rest.remove_prefix(end + 2);
  }
  return out;
}

int import_gedcom(const std::string& in, const std::string& out) {
  CliSession cs;
  if (!cs.ok()) return 1;
  if (!fileio::exists(in)) {
    std::fprintf(stderr, "vft: no such file: %s\n", in.c_str());
    return 1;
  }
  Session& s = cs.session();
  ImportOptions options;
  options.remember_folder = false;
  options.ask_identifiers = false;
  options.tell_tree_unchanged = false;
  ImportResult r = ImportGedcom(s, in, {}, options);
  if (r.status != ImportStatus::Imported) {
    std::fprintf(stderr, "vft: %s was not written\n", out.c_str());
    return 1;
  }
  // A Family file must name a person to show first.
  if (s.Config.LastPerson() < 1 && s.Config.NumPersons() > 0) {
    s.Config.setLastPerson(1);
    if (!WriteConfig(s)) {
      // The save below packs the counts held in memory.
    }
  }
  if (int rc = save_to(s, out)) return rc;
  auto counted = [](long n, const char* one, const char* many) { return Thousands(n) + (n == 1 ? one : many); };
  std::string text = "Imported " + counted(r.counts.individuals, " person", " persons") + " and " +
                     counted(r.counts.families, " family", " families") + " from " + FileNameOf(in);
  if (r.problems > 0) text += "; " + counted(static_cast<long>(r.problems), " problem", " problems") + ", see below";
  text += ".\n";
  if (r.counts.placeholders > 0)
    text += "Added " +
            counted(r.counts.placeholders, " placeholder partner for a family", " placeholder partners for families") +
            " in which the file names one partner only.\n";
  for (const std::string& line : r.not_kept) text += terminal_text(line);
  text += terminal_text(r.errors);
  std::fputs(text.c_str(), stdout);
  return std::fflush(stdout) == 0 ? 0 : 1;
}

int export_gedcom(const std::string& in, const std::string& out, const ConvertOptions& o) {
  CliSession cs;
  if (!cs.open(in)) return 1;
  Session& s = cs.session();
  ExportOptions e;
  e.flavour = o.flavour == "5.5.1" ? GedcomFlavour::Gedcom551
              : o.flavour == "7"   ? GedcomFlavour::Gedcom70
                                   : GedcomFlavour::Standard;
  e.submitter = submitter_for(o);
  e.file_name = out;
  e.tell_done = false;
  ExportResult r = ExportGedcom(s, e, {});
  if (r.status != ExportStatus::Done) return 1;
  std::printf("Exported %s persons and %s families to %s.\n", Thousands(r.persons).c_str(),
              Thousands(r.families).c_str(), FileNameOf(out).c_str());
  return std::fflush(stdout) == 0 ? 0 : 1;
}

}  // namespace

int cmd_convert(int argc, char** argv) {
  ConvertOptions o;
  const CommandLine line{
      "convert",
      kConvertUsage,
      {{"--flavour", "5.5.1|7",
        "UTF-8 GEDCOM 5.5.1 or 7.0 for other programs\n(default: the classic form the window exports)",
        OneOf(o.flavour, {{"5.5.1", "5.5.1"}, {"7", "7"}, {"7.0", "7"}}, "flavour")},
       {"--submitter-name", "TEXT",
        "who submits a GEDCOM export; each of these\ndefaults to the user's details saved in\nthe window",
        Keep(o.name)},
       {"--submitter-address1", "TEXT", "the submitter's address, first line", Keep(o.address1)},
       {"--submitter-address2", "TEXT", "the submitter's address, second line", Keep(o.address2)},
       {"--submitter-address3", "TEXT", "the submitter's address, third line", Keep(o.address3)},
       {"--submitter-phone", "TEXT", "the submitter's telephone number", Keep(o.phone)},
       {"--submitter-email", "TEXT", "the submitter's e-mail address", Keep(o.email)}},
      2,
      2,
      "convert needs an input and an output file"};
  std::vector<std::string> files;
  if (auto done = ParseCommandLine(line, argc, argv, files)) return *done;
  const std::string &in = files[0], &out = files[1];
  if (has_extension(in, ".ged")) {
    if (!has_extension(out, ".vfl")) {
      std::fputs("vft: a GEDCOM file converts into a Family file (.vfl)\n", stderr);
      return 2;
    }
    return import_gedcom(in, out);
  }
  if (has_extension(out, ".ged")) return export_gedcom(in, out, o);
  CliSession cs;
  if (!cs.open(in)) return 1;
  return save_to(cs.session(), out);
}

int cmd_check(int argc, char** argv) {
  const CommandLine line{"check", kCheckUsage, {}, 1, 1, "check needs a Family file"};
  std::vector<std::string> args;
  if (auto done = ParseCommandLine(line, argc, argv, args)) return *done;
  const std::string& file = args[0];
  CliSession cs;
  if (!cs.open(file)) return 1;
  auto problems = CheckTree(cs.session());
  for (const auto& p : problems) std::printf("%s\n", cp1252::to_utf8(p.text).c_str());
  if (problems.empty()) {
    std::printf("%s: a well-formed Family file; the tree keeps its links.\n", file.c_str());
    return 0;
  }
  std::printf("%s: %zu problem(s) found.\n", file.c_str(), problems.size());
  return 1;
}

}  // namespace vft::cli
