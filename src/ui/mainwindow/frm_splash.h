// frmSplash: shown from the start until the main window is up; names the
// program and its version and says which file is being opened.
//
// Controls by objectName: lblTitle, lblVersion, lblMessage.
#pragma once
#include <QWidget>

class QLabel;

namespace vft::ui {

class frmSplash : public QWidget {
  Q_OBJECT
 public:
  explicit frmSplash(QWidget* parent = nullptr);
  // The line under the version ("Opening File  '...'.   Please wait..."); empty clears it.
  void set_message(const QString& text);
  QString message() const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QLabel* lblMessage_;
};

}  // namespace vft::ui
