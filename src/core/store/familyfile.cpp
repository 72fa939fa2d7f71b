#include "store/familyfile.h"

#include <cstdio>
#include <filesystem>
#include <iterator>
#include <utility>
#include <vector>

#include "common/cp1252.h"
#include "store/file_io.h"
#include "store/file_write.h"
#include "store/ini.h"
#include "store/paths.h"
#include "store/record_transaction.h"
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
      s.ask("Open Vorlan Family Tree File - Error", "The file " + fileName + CrLf + "is not a Vorlan Family Tree File",
            Buttons::OK, Icon::Critical);
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

// Puts the unpacked record files, and the note of the file they came from, in
// place of the working ones, all or nothing: the open tree is never left half
// replaced.
bool replace_working_files(Session& s, const RecordFiles& f, const Bytes& note) {
  const std::pair<const char*, const Bytes*> files[] = {{recfile::Config, &f.cfg},   {recfile::Person, &f.per},
                                                        {recfile::Marriage, &f.mar}, {recfile::Ceremony, &f.mce},
                                                        {recfile::Notes, &f.notes},  {kFamilyFileNote, &note}};
  fileio::FileBatch batch(s.disk, fileio::Sync::None, fileio::NewMode::Private, true, fileio::Links::Replace);
  for (const auto& [name, data] : files)
    if (!batch.add(s.work(name), *data)) return false;
  return batch.commit();
}

std::string with_separator(std::string folder) {
  if (!folder.empty() && folder.back() != '/') folder += '/';
  return folder;
}

std::int16_t cancelled(Session& s) {
  s.status("Cancelled");
  return 0;
}

// Who has the file open, asked before anything changes: true to go on, with
// `read_only` set when the user chose to open it read-only.
bool may_open(Session& s, const std::string& fileName, OpenAccess access, bool& read_only) {
  read_only = access == OpenAccess::Inspect;
  if (read_only) return true;
  const auto holder = LockHolder(fileName, s.Lock);
  if (!holder) return true;
  read_only = true;
  return s.ask("Open Vorlan Family Tree File",
               "The Family file " + cp1252::path_text(FileNameOf(fileName)) +
                   " is already open in Vorlan Family Tree, " + cp1252::from_utf8(OwnerText(*holder)) + "." + CrLf +
                   "If both of you save it, one will overwrite the other's changes." + CrLf + CrLf +
                   "Do you want to open it read-only? You can still keep your changes in a file of your own "
                   "with Save As.",
               Buttons::YesNo, Icon::Exclamation, 1) == kAnswerYes;
}

std::string refused_by_holder(const std::string& fileName, const LockOwner& holder) {
  return "The Family file " + cp1252::path_text(FileNameOf(fileName)) + " is open in Vorlan Family Tree, " +
         cp1252::from_utf8(OwnerText(holder)) + "." + CrLf +
         "It cannot be saved over while it is open there. Save your family tree under another name instead.";
}

}  // namespace

std::int16_t OpenFamilyFile(Session& s, const std::string& fileName, OpenAccess access) {
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
  bool read_only = false;
  if (!may_open(s, fileName, access, read_only)) return cancelled(s);
  ConfigRecord carried = s.Config;
  carried.setEnblPrompts(static_cast<std::int16_t>(IniReadInt(s, "Configure", "EnblPrompts")));
  carried.markFileTouched();
  const FileIdentity id = IdentityOf(fileName, *data);
  if (!replace_working_files(s, UnpackFamilyImage(im, carried), FamilyFileNote(id))) {
    s.ask("Open a Family File",
          "The family records could not be unpacked into the working folder." + std::string(CrLf) +
              FailureLines(s.disk.failure()),
          Buttons::OK, Icon::Exclamation);
    return cancelled(s);
  }
  std::string unwritable = read_only ? std::string() : UnwritablePlace(fileName);
  if (!unwritable.empty()) {
    // No lock can be made there, and no save: said now, not at the first Save.
    read_only = true;
    s.Lock.release();
    s.ask("Open Vorlan Family Tree File",
          "The Family file " + cp1252::path_text(FileNameOf(fileName)) + " is opened read-only: " + unwritable + "." +
              CrLf + "You can keep your changes in a file of your own with Save As.",
          Buttons::OK, Icon::Information);
  } else if (read_only) {
    s.Lock.release();
  } else if (const auto taken = s.Lock.take(fileName, s.now()); taken == FamilyFileLock::Taken::HeldByOther) {
    read_only = true;  // taken in the moment between the question and now
  } else if (taken == FamilyFileLock::Taken::Odd) {
    read_only = true;
    s.ask("Open Vorlan Family Tree File", OddLockText(fileName), Buttons::OK, Icon::Exclamation);
  }
  s.ReadOnly = read_only;
  s.OpenedAs = id;

  ReadConfig(s);
  LoadMarriages(s);
  s.DeletedCount = im.DeletedCount;
  // One rewrite of the settings file: twelve separate IniWrite calls would
  // each rewrite it and wait for the disk, most of what an open costs.
  std::vector<IniValue> settings = {{"FilePaths", "FileLoadPath", FolderOf(fileName)},
                                    {"FilePaths", "CurrentFile", fileName}};
  for (std::size_t k = 0; k < kFunctionKeyCount; ++k) {
    s.FunctionKeys[k] = im.FunctionKeys[k];
    // An empty text is kept as a blank so that the key is not removed and
    // its default does not come back.
    const std::string& text = im.FunctionKeys[k];
    settings.push_back({"QuickKeys", "F" + std::to_string(k + 3), text.empty() ? " " : text});
  }
  if (access == OpenAccess::Edit && !IniWriteMany(s, settings)) {
    // The tree is open; only the next start will not offer this file (or
    // these key texts) from the settings. The status word says so.
  }
  s.RecordsSaved = true;
  s.CurrentFilePath = fileName;
  return -1;
}

std::int16_t SaveFamilyFile(Session& s, const std::string& dataFolder, const std::string& fileName, SaveTarget target,
                            std::string* why) {
  return SaveFamilyFileWith(s, dataFolder, fileName, FreeDiskBytes, target, why);
}

std::int16_t SaveFamilyFileWith(Session& s, const std::string& dataFolder, const std::string& fileName,
                                const FreeSpaceQuery& free_bytes, SaveTarget role, std::string* why) {
  if (why) why->clear();
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
  if (!PackFamilyFile(header, files, out)) {
    if (why) *why = "The working family records do not hold every person and family they count.";
    return cancelled(s);
  }
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
  if (const auto holder = LockHolder(fileName, s.Lock)) {
    s.ask("Save Vorlan Family Tree File", refused_by_holder(fileName, *holder), Buttons::OK, Icon::Exclamation);
    return cancelled(s);
  }
  if (SameFile(fileName, s.OpenedAs.path) && ChangedOnDisk(s.OpenedAs) &&
      s.ask("Save Vorlan Family Tree File",
            "The Family file " + cp1252::path_text(FileNameOf(fileName)) +
                " has been changed on disk since you opened or last saved it, perhaps by another program." + CrLf +
                "Do you want to replace it with the family tree you are working on?",
            Buttons::YesNo, Icon::Exclamation, 1) != kAnswerYes)
    return cancelled(s);
  if (!fileio::write_file(s.disk, fileName, out)) {
    // A folder that takes no new file is the cause, not the file in it.
    const fileio::WriteFailure& f = s.disk.failure();
    std::error_code ec;
    if (why)
      *why = (std::filesystem::is_directory(f.path, ec)
                  ? "The folder " + cp1252::path_text(f.path) + " cannot be written to: "
                  : std::string()) +
             cp1252::from_utf8(f.reason());
    return cancelled(s);
  }

  s.RecordsSaved = true;
  if (role == SaveTarget::TreeFile) {
    if (!s.Lock.holds(fileName) && s.Lock.take(fileName, s.now()) != FamilyFileLock::Taken::Yes) {
      // A folder that takes no lock file: the file is saved all the same.
    }
    s.ReadOnly = false;
    s.OpenedAs = IdentityOf(fileName, out);
    if (!fileio::write_file(s.disk, s.work(kFamilyFileNote), FamilyFileNote(s.OpenedAs), fileio::NewMode::Private,
                            fileio::Links::Replace)) {
      // Only a recovery after a crash would miss it: it then asks where
      // the records go. Nothing of the tree is lost.
    }
  }
  s.Config.markFileTouched();
  if (!WriteConfig(s)) {
    // The flag stays in memory and goes with the next write of the record.
  }
  return -1;
}

}  // namespace vft
