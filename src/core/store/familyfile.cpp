#include "store/familyfile.h"

#include <cstdio>
#include <filesystem>
#include <iterator>
#include <utility>
#include <vector>

#include "common/cp1252.h"
#include "store/file_io.h"
#include "store/ini.h"
#include "store/paths.h"
#include "store/records.h"

namespace vft {
namespace {

// No Family file of a real tree comes near this; anything larger is refused
// before it is read into memory.
constexpr std::size_t kMaxFamilyFileBytes = 64u * 1024 * 1024;

void refuse(Session& s, const std::string& path, FamilyFileError error) {
  const std::string fileName = cp1252::path_text(path);
  switch (error) {
    case FamilyFileError::NotAFamilyFile:
      s.ask("Open Vorlan Family Tree File - Error",
            "The file " + fileName + CrLf + "is not a Vorlan Family Tree File", Buttons::OK, Icon::Critical);
      break;
    case FamilyFileError::MultiDisk:
      // Such files were split over several floppy disks by old versions; we
      // never write them and cannot ask for the other disks.
      s.ask("Load Family File",
            "The file " + fileName + " is one part of a Family file saved on several disks." + CrLf +
                "Vorlan Family Tree cannot open Family files that span several disks.",
            Buttons::OK, Icon::Exclamation);
      break;
    case FamilyFileError::ReadError:
    case FamilyFileError::None:
      s.ask("Open a Family File", "An error occured while reading " + fileName + CrLf + CrLf, Buttons::OK,
            Icon::Information);
      break;
  }
}

struct WorkFile {
  const char* temp;
  const char* aside;
  const char* working;
  const Bytes* data;
};

// Puts the unpacked record files in place of the working ones. All five temp.*
// files are written first, then the working files are moved aside, the new
// ones renamed in and the old ones deleted; a failure at any step puts the old
// files back, so the open tree is never left half replaced. (Renaming onto a
// name that no longer exists also spares the file system a flush to disk that
// replacing an existing file would cost.)
bool replace_working_files(Session& s, const RecordFiles& f) {
  const WorkFile files[] = {{"temp.cfg", "old.cfg", recfile::Config, &f.cfg},
                            {"temp.per", "old.per", recfile::Person, &f.per},
                            {"temp.mar", "old.mar", recfile::Marriage, &f.mar},
                            {"temp.mce", "old.mce", recfile::Ceremony, &f.mce},
                            {"temp.not", "old.not", recfile::Notes, &f.notes}};
  auto move = [&](const char* from, const char* to) {
    return std::rename(s.work(from).c_str(), s.work(to).c_str()) == 0;
  };
  bool ok = true;
  for (const WorkFile& w : files) ok = ok && fileio::write_all(s.work(w.temp), *w.data);
  std::size_t aside = 0, placed = 0;
  for (; ok && aside < std::size(files); ++aside)
    if (fileio::exists(s.work(files[aside].working))) ok = move(files[aside].working, files[aside].aside);
  if (ok)
    for (; ok && placed < std::size(files); ++placed) ok = move(files[placed].temp, files[placed].working);
  if (!ok) {
    for (std::size_t i = 0; i < placed; ++i) fileio::remove(s.work(files[i].working));
    for (std::size_t i = 0; i < aside; ++i)
      if (fileio::exists(s.work(files[i].aside))) move(files[i].aside, files[i].working);
  }
  for (const WorkFile& w : files) {
    fileio::remove(s.work(w.temp));
    fileio::remove(s.work(w.aside));
  }
  return ok;
}

struct Setting {
  const char* section;
  std::string key, value;
};

// Writes the settings an open stores in one rewrite of the settings file, with
// IniWrite's rules (an empty value removes its key; a file that exists but
// cannot be read is never written over). Twelve separate IniWrite calls would
// each rewrite the file and wait for the disk, most of what an open costs.
void store_settings(Session& s, const std::vector<Setting>& settings) {
  const std::string file = s.settings_file();
  IniFile ini;
  if (auto data = fileio::read_all(file, 4u * 1024 * 1024)) {
    ini = IniFile::parse(*data);
  } else if (fileio::exists(file)) {
    s.StatusWord = 0;
    return;
  }
  for (const Setting& v : settings) ini.set(v.section, v.key, v.value);
  std::error_code ec;
  std::filesystem::create_directories(std::filesystem::path(file).parent_path(), ec);
  s.StatusWord = fileio::write_atomic(file, ini.serialize()) ? 1 : 0;
}

std::string with_separator(std::string folder) {
  if (!folder.empty() && folder.back() != '/') folder += '/';
  return folder;
}

std::int16_t cancelled(Session& s) {
  s.status("Cancelled");
  return 0;
}

}  // namespace

std::int16_t OpenFamilyFile(Session& s, const std::string& fileName) {
  s.status("Opening " + cp1252::path_text(fileName));
  auto data = fileio::read_all(fileName, kMaxFamilyFileBytes);
  if (!data) {
    refuse(s, fileName, FamilyFileError::ReadError);
    return 0;
  }
  s.status("Reading Family Data");
  FamilyParse parsed = ParseFamilyFile(data->data(), data->size());
  if (!parsed.ok()) {
    refuse(s, fileName, parsed.error);
    return 0;
  }
  const FamilyImage& im = parsed.image;
  if (!replace_working_files(s, UnpackFamilyImage(im, s.Config))) {
    refuse(s, fileName, FamilyFileError::ReadError);
    return 0;
  }

  ReadConfig(s);
  s.Config.setEnblPrompts(static_cast<std::int16_t>(IniReadInt(s, "Configure", "EnblPrompts")));
  LoadMarriages(s);
  s.DeletedCount = im.DeletedCount;
  std::vector<Setting> settings = {{"FilePaths", "FileLoadPath", FolderOf(fileName)},
                                   {"FilePaths", "CurrentFile", fileName}};
  for (std::size_t k = 0; k < kFunctionKeyCount; ++k) {
    s.FunctionKeys[k] = im.FunctionKeys[k];
    // An empty text is kept as a blank so that the key is not removed and
    // its default does not come back.
    const std::string& text = im.FunctionKeys[k];
    settings.push_back({"QuickKeys", "F" + std::to_string(k + 3), text.empty() ? " " : text});
  }
  store_settings(s, settings);
  s.Config.markFileTouched();
  WriteConfig(s);
  s.RecordsSaved = true;
  s.CurrentFilePath = fileName;
  return -1;
}

std::int16_t SaveFamilyFile(Session& s, const std::string& dataFolder, const std::string& fileName) {
  return SaveFamilyFileWith(s, dataFolder, fileName, FreeDiskBytes);
}

std::int16_t SaveFamilyFileWith(Session& s, const std::string& dataFolder, const std::string& fileName,
                                const FreeSpaceQuery& free_bytes) {
  s.status("Saving " + fileName);
  FamilyHeader header;
  LocalTime t = s.now();
  header.TimeStamp = FamilyTimeStamp(t.year, t.month, t.day, t.hour, t.minute, t.second);
  header.DiskNumber = 1;
  header.Continuation = 0;
  header.NumPersons = s.Config.NumPersons();
  header.NumMarriages = s.Config.NumMarriages();
  header.LastPerson = s.Config.LastPerson();
  header.FunctionKeys = s.FunctionKeys;

  s.status("Saving Family Data");
  const std::string folder = with_separator(dataFolder);
  RecordFiles files;
  // The ceremony and notes files may be missing (a tree without marriages or
  // notes); the persons and marriages files must hold every counted record,
  // which PackFamilyFile checks.
  files.per = fileio::read_all(folder + recfile::Person).value_or(Bytes{});
  files.mar = fileio::read_all(folder + recfile::Marriage).value_or(Bytes{});
  files.mce = fileio::read_all(folder + recfile::Ceremony).value_or(Bytes{});
  files.notes = fileio::read_all(folder + recfile::Notes).value_or(Bytes{});
  Bytes out;
  if (!PackFamilyFile(header, files, out)) return cancelled(s);
  files = RecordFiles{};

  std::string target = FolderOf(fileName);
  if (target.empty()) target = ".";
  const std::int64_t available = free_bytes(target);
  if (available >= 0 && static_cast<std::uint64_t>(available) < out.size()) {
    s.ask("Save Vorlan Family Tree File",
          "The disk is full on drive " + target + ". " + CrLf + " Free some space on this disk/drive  " + CrLf +
              " or save the file to a different disk.",
          Buttons::OK, Icon::Exclamation);
    return cancelled(s);
  }
  if (!fileio::write_atomic(fileName, out)) return cancelled(s);

  s.RecordsSaved = true;
  s.Config.markFileTouched();
  WriteConfig(s);
  return -1;
}

}  // namespace vft
