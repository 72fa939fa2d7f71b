#include "interchange/gedcom_export.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include <fcntl.h>
#include <unistd.h>

#include "store/file_io.h"
#include "store/ini.h"
#include "store/paths.h"
#include "store/records.h"
#include "store/settings.h"

namespace vft {
namespace {

constexpr const char* kTitle = "Export GEDCOM File";
constexpr const char* kTempName = "Temp.Ged";

bool write_fd(int fd, const std::string& data) {
  std::size_t done = 0;
  while (done < data.size()) {
    ssize_t w = ::write(fd, data.data() + done, data.size() - done);
    if (w < 0 && errno == EINTR) continue;
    if (w <= 0) return false;
    done += static_cast<std::size_t>(w);
  }
  return true;
}

// Writes "Temp.Ged" beside the target and renames it into place, so the old
// file survives any failure. A "Temp.Ged" that is already there is somebody's
// file and is left alone: the temporary then takes a name of its own.
bool write_beside(const std::string& folder, const std::string& path, const std::string& data, std::string& error) {
  const std::string tmp = folder + kTempName;
  int fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
  if (fd < 0) {
    if (errno != EEXIST) {
      error = std::generic_category().message(errno);
      return false;
    }
    return fileio::write_atomic(path, Bytes(data.begin(), data.end()), &error);
  }
  bool ok = write_fd(fd, data) && ::fsync(fd) == 0;
  int err = errno;
  ok = (::close(fd) == 0) && ok;
  if (ok && std::rename(tmp.c_str(), path.c_str()) != 0) {
    err = errno;
    ok = false;
  }
  if (!ok) {
    error = std::generic_category().message(err);
    ::unlink(tmp.c_str());
  }
  return ok;
}

void store_settings(Session& s, const std::string& folder, const SubmitterDetails& d) {
  IniWrite(s, section::FilePaths, "GEDCOMSavePath", folder);
  IniWrite(s, section::User, "Name", d.Name);
  IniWrite(s, section::User, "Address1", d.Address1);
  IniWrite(s, section::User, "Address2", d.Address2);
  IniWrite(s, section::User, "Address3", d.Address3);
  IniWrite(s, section::User, "Phone", d.Phone);
  IniWrite(s, section::User, "Email", d.Email);
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
                            "Free some space on this disk/drive  " + CrLf +
                            "or save the file to a different disk." + CrLf + "Click 'OK' to try again.";
    if (s.ask(kTitle, msg, Buttons::OKCancel, Icon::Exclamation) != kAnswerOK) {
      result.status = ExportStatus::Cancelled;
      return result;
    }
  }

  std::string error;
  if (!write_beside(folder, path, text, error)) {
    result.message = "The GEDCOM file '" + path + "' could not be written." + CrLf + error;
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
