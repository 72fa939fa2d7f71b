// core's file dialog requests shown as QFileDialogs, and the crossing between
// core's paths (native file-system bytes) and QString.
#pragma once
#include <QString>
#include <string>

#include "common/file_dialogs.h"

class QWidget;

namespace vft::ui {

// A path for core: the bytes the file system uses.
std::string native_path(const QString& path);
// A path from core, for showing or for Qt's own file calls.
QString from_native(const std::string& path);
// "Vorlan Family File (*.vfl)|*.vfl|All Files (*.*)|*.*|" as Qt writes filters:
// "Vorlan Family File (*.vfl);;All Files (*.*)".
QString qt_filter(const std::string& filter);

class QtFileDialogs : public FileDialogs {
 public:
  explicit QtFileDialogs(QWidget* parent = nullptr) : parent_(parent) {}
  void set_parent(QWidget* parent) { parent_ = parent; }
  std::string open_file(const FileRequest& r) override;
  std::string save_file(const FileRequest& r) override;
  std::string choose_folder(const FileRequest& r) override;

 private:
  QWidget* parent_;
  std::string run(const FileRequest& r, bool save);
};

}  // namespace vft::ui
