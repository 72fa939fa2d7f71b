#include "mainwin/commands.h"

#include <algorithm>

#include "common/cp1252.h"
#include "store/familyfile.h"
#include "store/file_io.h"
#include "store/file_write.h"
#include "store/ini.h"
#include "store/paths.h"
#include "store/record_transaction.h"
#include "store/records.h"
#include "store/undo_history.h"

namespace vft {
namespace {

bool blank(const std::string& text) { return cp1252::trim(text).empty(); }

// The name a Save As proposes: the tree's own, else the built-in one.
std::string proposed_name(const WindowDocument& doc) {
  std::string name = cp1252::trim(FileNameOf(doc.FileName));
  return name.empty() ? "My Family.vfl" : name;
}

// The history belongs to the tree that has just been replaced; undoing its
// steps now would write that tree's records over the new one.
void forget_undo(Session& s) { ForgetHistory(s); }

// Writes the session's file as the one last used, so that a run that ends
// without the exit path still finds it next time.
void remember_file(Session& s, const std::string& path) {
  if (!IniWriteMany(s, {{"FilePaths", "FileLoadPath", FolderOf(path)}, {"FilePaths", "CurrentFile", path}}))
    s.status(SettingsNotKept(s));
}

SaveOutcome save_into(Session& s, WindowDocument& doc, const std::string& path) {
  std::string why;
  if (SaveFamilyFile(s, s.WorkFolder, path, SaveTarget::TreeFile, &why) == -1) {
    s.CurrentFilePath = path;
    doc.FileName = FileNameOf(path);
    remember_file(s, path);
    return SaveOutcome::Saved;
  }
  // An empty reason: the user was told already, or chose not to write.
  if (!why.empty())
    s.ask("Save File", "Vorlan Family Tree could not save the file: " + cp1252::path_text(path) + CrLf + why,
          Buttons::OK, Icon::Exclamation);
  return SaveOutcome::Failed;
}

}  // namespace

std::string LastFilePath(const Session& s) {
  std::string file = cp1252::trim(IniReadText(s, "FilePaths", "CurrentFile"));
  if (file.empty() || file.front() == '/') return file;
  return IniReadText(s, "FilePaths", "FileLoadPath") + file;
}

int LivingPersons(const Session& s) { return s.Config.NumPersons() - s.DeletedCount; }

std::string WindowCaption(const Session& s, const std::string& file_name) {
  std::string name = cp1252::trim(cp1252::path_text(file_name));
  if (LivingPersons(s) < 1 || name.empty()) return kEmptyTreeCaption;
  return name + (s.ReadOnly ? " Family Tree (read-only) " : " Family Tree ");
}

std::string RestingStatus(const Session& s) {
  if (s.Config.NumPersons() < 1) return {};
  const std::string hint = s.Messages[msg::ClickOnABox];
  return s.ReadOnly ? "Read-only: keep your changes with Save As.   " + hint : hint;
}

ExtensionFix CorrectVflExtension(const std::string& path) {
  const std::string folder = FolderOf(path);
  const std::string name = FileNameOf(path);
  const std::size_t dot = name.rfind('.');
  if (dot == std::string::npos) return {path + ".vfl", {}};
  const std::string ext = name.substr(dot + 1);
  if (cp1252::iequals(ext, "vfl")) return {path, {}};
  const std::string changed = name.substr(0, dot + 1) + "Vfl";
  using cp1252::path_text;
  return {folder + changed, "The file name " + path_text(name) + " with the " + "extension " + path_text(ext) +
                                " is not valid. " + "It will be changed to " + path_text(changed) + ". " +
                                "Press OK to continue."};
}

SaveOutcome SaveCommand(Session& s, FileDialogs& dialogs, WindowDocument& doc) {
  const std::string name = cp1252::trim(doc.FileName);
  if (name.empty() || cp1252::iequals(name, "Vorlan")) {
    const std::string before = doc.FileName;
    doc.FileName = "MyFamily.Vfl";
    SaveOutcome out = SaveAsCommand(s, dialogs, doc);
    if (out != SaveOutcome::Saved) doc.FileName = before;
    return out;
  }
  // A name without a file behind it (a tree started afresh) has nowhere to go
  // but through the dialog; nor has a file that another program holds.
  if (blank(s.CurrentFilePath) || s.CurrentFilePath.back() == '/' || s.ReadOnly) return SaveAsCommand(s, dialogs, doc);
  return save_into(s, doc, s.CurrentFilePath);
}

SaveOutcome SaveAsCommand(Session& s, FileDialogs& dialogs, WindowDocument& doc) {
  std::string start = LastFilePath(s);
  if (start.empty()) start = s.CurrentFilePath;
  FileRequest r{"Save Family File As", kVflSaveFilter, "vfl", FolderOf(start), proposed_name(doc)};
  std::string chosen = dialogs.save_file(r);
  if (blank(chosen)) return SaveOutcome::NotSaved;
  ExtensionFix fix = CorrectVflExtension(chosen);
  if (!fix.message.empty()) {
    s.ask("Save Family File", fix.message, Buttons::OK, Icon::Exclamation);
    // The dialog asked before replacing the name the user typed, but nobody
    // has been asked about the corrected one.
    if (fileio::exists(fix.path) &&
        s.ask("Save Family File",
              cp1252::path_text(FileNameOf(fix.path)) + " already exists." + CrLf + "Do you want to replace it?",
              Buttons::YesNo, Icon::Exclamation, 1) != kAnswerYes)
      return SaveOutcome::NotSaved;
  }
  SaveOutcome out = save_into(s, doc, fix.path);
  if (out == SaveOutcome::Saved) doc.Caption = WindowCaption(s, doc.FileName);
  return out;
}

bool GuardUnsavedWork(Session& s, FileDialogs& dialogs, WindowDocument& doc, GuardFor what) {
  if (s.RecordsSaved) return true;
  const char* title = what == GuardFor::Open      ? "Open a Vorlan Family Tree File"
                      : what == GuardFor::NewTree ? "New Family"
                                                  : "Exit Vorlan Family Tree";
  const std::string text = std::string("You have made changes to your family records. ") +
                           (what == GuardFor::Exit ? CrLf : "") + " Do you wish to save them?";
  const int answer = s.ask(title, text, Buttons::YesNoCancel, what == GuardFor::Exit ? Icon::Critical : Icon::Question);
  if (answer == kAnswerNo) return true;
  if (answer != kAnswerYes) return false;
  if (SaveCommand(s, dialogs, doc) == SaveOutcome::Saved) return true;
  // Nothing is thrown away without a second word from the user; a new tree
  // has no such question, so it simply does not start.
  switch (what) {
    case GuardFor::Open:
      return s.ask("Open File",
                   std::string("You haven't successfully saved your family records. ") + "  " +
                       "Do you really want to open another Vorlan Family Tree file without saving these records?",
                   Buttons::YesNo, Icon::Exclamation, 1) == kAnswerYes;
    case GuardFor::Exit:
      return s.ask("Exit Vorlan Family Tree",
                   std::string("You haven't successfully saved your family records. ") + CrLf + "  " + CrLf +
                       "Do you really want to exit Vorlan Family Tree without saving?",
                   Buttons::YesNo, Icon::Exclamation, 1) == kAnswerYes;
    case GuardFor::NewTree: break;
  }
  return false;
}

OpenOutcome LoadChosenFile(Session& s, WindowDocument& doc, const std::string& path) {
  s.status("Loading " + cp1252::path_text(FileNameOf(path)));
  if (OpenFamilyFile(s, path) != -1) return OpenOutcome::Failed;
  forget_undo(s);
  ResetRelationState(s.Rel);
  s.Rel.DisplayedPartner = 0;
  s.NothingChanged = true;
  doc.FileName = FileNameOf(path);
  doc.Caption = WindowCaption(s, doc.FileName);
  return OpenOutcome::Opened;
}

OpenOutcome OpenCommand(Session& s, FileDialogs& dialogs, WindowDocument& doc, bool guard) {
  if (guard && !GuardUnsavedWork(s, dialogs, doc, GuardFor::Open)) return OpenOutcome::Cancelled;
  FileRequest r{"Open Vorlan Family Tree File", kVflOpenFilter, "", IniReadText(s, "FilePaths", "FileLoadPath"), ""};
  std::string chosen = dialogs.open_file(r);
  if (blank(chosen)) return OpenOutcome::Cancelled;
  return LoadChosenFile(s, doc, chosen);
}

OpenOutcome RestoreCommand(Session& s, FileDialogs& dialogs, WindowDocument& doc) {
  if (!GuardUnsavedWork(s, dialogs, doc, GuardFor::Open)) return OpenOutcome::Cancelled;
  FileRequest r{"Restore a Vorlan Family Tree File", kVflOpenFilter, "", IniReadText(s, "Backup", "CurBackupPath"), ""};
  std::string chosen = dialogs.open_file(r);
  if (blank(chosen)) return OpenOutcome::Cancelled;
  return LoadChosenFile(s, doc, chosen);
}

bool NewFamilyCommand(Session& s, FileDialogs& dialogs, WindowDocument& doc) {
  if (!GuardUnsavedWork(s, dialogs, doc, GuardFor::NewTree)) return false;
  // The colour tables and options in the settings record stay; only the tree
  // goes. The record files are emptied all at once, or not at all.
  ConfigRecord cfg = s.Config;
  cfg.clearLegacy();
  cfg.setNumPersons(0);
  cfg.setNumMarriages(0);
  cfg.setLastPerson(0);
  cfg.markFileTouched();
  {
    fileio::FileBatch batch(s.disk, fileio::Sync::None, fileio::NewMode::Private, true);
    bool ok = batch.add(s.work(recfile::Config), fileio::Data(cfg.raw.data(), cfg.raw.size()));
    for (const char* f : {recfile::Person, recfile::Marriage, recfile::Ceremony, recfile::Notes})
      ok = ok && batch.add(s.work(f), Bytes{});
    if (!ok || !batch.commit()) {
      s.ask("New Family",
            "A new family tree could not be started; the tree you have stays open." + std::string(CrLf) +
                FailureLines(s.disk.failure()),
            Buttons::OK, Icon::Exclamation);
      return false;
    }
  }
  fileio::remove(s.work(kFamilyFileNote));
  forget_undo(s);
  s.Config = cfg;
  s.Lock.release();
  s.OpenedAs = {};
  s.ReadOnly = false;
  std::fill(s.Marriages.begin(), s.Marriages.end(), MarriageRecord{});
  s.Person = PersonRecord{};
  s.CurNum = 0;
  ResetRelationState(s.Rel);
  s.Rel.Selected = PersonRecord{};
  s.Rel.Partners = PartnerList{};
  s.Rel.Siblings = {};
  s.Rel.DisplayedPartner = 0;
  s.DeletedCount = 0;
  s.RecordsSaved = true;
  s.NothingChanged = true;
  // Without a name a later Save asks where to go, instead of writing the new
  // tree over the file the old one came from.
  doc.FileName.clear();
  s.CurrentFilePath = FolderOf(s.CurrentFilePath);
  doc.Caption = "Vorlan Family Tree";
  return true;
}

std::vector<OrphanRow> SearchOrphans(Session& s) {
  s.status("Searching for orphaned records");
  std::vector<OrphanRow> rows = FindOrphans(s);
  if (rows.empty()) s.ask("Delete Orphan Records", "No orphaned records found.", Buttons::OK, Icon::Information);
  return rows;
}

std::string ChooseGedcomFile(Session& s, FileDialogs& dialogs) {
  FileRequest r{"Select GEDCOM file to Import", kGedcomFilter, "",
                FolderOf(IniReadText(s, "FilePaths", "GEDCOMLoadPath")), ""};
  std::string chosen = dialogs.open_file(r);
  return blank(chosen) ? std::string() : chosen;
}

int TodayNumber(const Session& s) {
  LocalTime t = s.now();
  return t.year * 10000 + t.month * 100 + t.day;
}

}  // namespace vft
