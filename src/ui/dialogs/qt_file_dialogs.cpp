#include "dialogs/qt_file_dialogs.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QStandardPaths>
#include <QStringList>

#include "qt_text.h"

namespace vft::ui {

std::string native_path(const QString& path) { return QFile::encodeName(path).toStdString(); }

QString from_native(const std::string& path) { return QFile::decodeName(QByteArray::fromStdString(path)); }

QString qt_filter(const std::string& filter) {
  // Descriptions and patterns alternate; Qt reads the patterns from the
  // parentheses of the descriptions, which ours always carry.
  QStringList parts = qs(filter).split(QLatin1Char('|'));
  QStringList out;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QString description = parts[i].trimmed();
    if (description.isEmpty()) continue;
    if (!description.contains(QLatin1Char('('))) description += QStringLiteral(" (") + parts[i + 1] + QLatin1Char(')');
    out << description;
  }
  return out.join(QStringLiteral(";;"));
}

std::string QtFileDialogs::open_file(const FileRequest& r) { return run(r, false); }
std::string QtFileDialogs::save_file(const FileRequest& r) { return run(r, true); }

std::string QtFileDialogs::choose_folder(const FileRequest& r) {
  QString folder = from_native(r.folder);
  if (folder.isEmpty() || !QDir(folder).exists()) folder = QDir::rootPath();
  const QString chosen = QFileDialog::getExistingDirectory(parent_, qs(r.title), folder);
  return chosen.isEmpty() ? std::string() : native_path(chosen);
}

std::string QtFileDialogs::run(const FileRequest& r, bool save) {
  QString folder = from_native(r.folder);
  if (folder.isEmpty() || !QDir(folder).exists())
    folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  if (!QDir(folder).exists()) folder = QDir::homePath();
  QFileDialog dialog(parent_, qs(r.title), folder, qt_filter(r.filter));
  dialog.setObjectName(save ? QStringLiteral("dlgSaveFile") : QStringLiteral("dlgOpenFile"));
  dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  if (!r.default_ext.empty()) dialog.setDefaultSuffix(qs(r.default_ext));
  if (save && !r.proposed_name.empty()) dialog.selectFile(QDir(folder).filePath(from_native(r.proposed_name)));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return native_path(dialog.selectedFiles().front());
}

}  // namespace vft::ui
