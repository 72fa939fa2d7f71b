#include "interchange/gedcom_export.h"

#include <filesystem>
#include <system_error>

#include "common/cp1252.h"
#include "store/file_io.h"
#include "store/file_write.h"
#include "store/ini.h"
#include "store/paths.h"
#include "store/records.h"
#include "store/settings.h"

namespace vft {
namespace {

constexpr const char* kTitle = "Export GEDCOM File";

void store_settings(Session& s, const std::string& folder, const SubmitterDetails& d) {
  const std::vector<IniValue> values = {{section::FilePaths, "GEDCOMSavePath", folder},
                                        {section::User, "Name", d.Name},
                                        {section::User, "Address1", d.Address1},
                                        {section::User, "Address2", d.Address2},
                                        {section::User, "Address3", d.Address3},
                                        {section::User, "Phone", d.Phone},
                                        {section::User, "Email", d.Email}};
  if (!IniWriteMany(s, values)) s.status(SettingsNotKept(s));
}

}  // namespace

SubmitterDetails LoadSubmitterDetails(const Session& s) {
  return {IniReadText(s, section::User, "Name"),     IniReadText(s, section::User, "Address1"),
          IniReadText(s, section::User, "Address2"), IniReadText(s, section::User, "Address3"),
          IniReadText(s, section::User, "Phone"),    IniReadText(s, section::User, "Email")};
}

ExportOptions DefaultExportOptions(const Session& s, const std::string& file_name) {
  ExportOptions o;
  o.submitter = LoadSubmitterDetails(s);
  o.file_name = file_name;
  return o;
}

ExportResult ExportGedcom(Session& s, const ExportOptions& o, const Progress& progress) {
  ExportResult result;
  std::error_code ec;
  const std::filesystem::path target =
      o.file_name.empty() ? std::filesystem::path() : std::filesystem::absolute(o.file_name, ec);
  if (ec || !target.has_filename()) {
    result.message = "The GEDCOM file '" + o.file_name + "' could not be written.";
    s.ask(kTitle, result.message, Buttons::OK, Icon::Critical);
    return result;
  }
  const std::string path = target.string();
  const std::string name = FileNameOf(path);
  const std::string folder = FolderOf(path);

  LoadMarriages(s);
  ExportOptions opts = o;
  opts.file_name = path;
  std::string text;
  if (!BuildGedcom(s, opts, progress, text, &result.persons, &result.families)) {
    result.status = ExportStatus::Cancelled;
    return result;
  }

  // The whole file must fit before anything is written.
  for (;;) {
    const std::int64_t free = o.free_bytes ? o.free_bytes(folder) : FreeDiskBytes(folder);
    if (free < 0 || static_cast<std::uint64_t>(free) >= text.size()) break;
    const std::string msg = std::string("The disk is full on drive   ") + folder + "  " + CrLf +
                            "Free some space on this disk/drive  " + CrLf + "or save the file to a different disk." +
                            CrLf + "Click 'OK' to try again.";
    if (s.ask(kTitle, msg, Buttons::OKCancel, Icon::Exclamation) != kAnswerOK) {
      result.status = ExportStatus::Cancelled;
      return result;
    }
  }

  if (!fileio::write_file(s.disk, path, text)) {
    result.message =
        "The GEDCOM file '" + path + "' could not be written." + CrLf + cp1252::from_utf8(s.disk.failure().reason());
    s.ask(kTitle, result.message, Buttons::OK, Icon::Critical);
    return result;
  }
  store_settings(s, folder, o.submitter);
  result.status = ExportStatus::Done;
  result.message = "GEDCOM file '" + name + "' has been created and stored in the folder: " + folder;
  if (o.tell_done) s.ask(kTitle, result.message, Buttons::OK, Icon::None);
  return result;
}

}  // namespace vft
