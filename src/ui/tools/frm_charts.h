// frmCharts: the chart window. Tabs choose the kind (tabKind: Ancestors,
// Descendants, Fan), spnGenerations how far it reaches (0 in Descendants:
// every generation), chkFullCircle the fan's full circle. The picture
// (chartCanvas) zooms and pans; butFit shows it whole, butActualSize at 100 %.
// A click makes a person the chart's root and the family view's selected
// person, a double-click opens the person editor. butSaveAs writes the
// chart as SVG, PNG (at spnDpi dots to the inch) or PDF; butPrint prints it,
// tiled over as many pages as it needs or scaled to one (cboPrintPages).
// Both take the whole chart, or with chkVisibleOnly only the part in view.
// Files and paper have a white ground whatever the window's palette.
// butHelp, butClose.
#pragma once
#include <QWidget>
#include <array>
#include <functional>
#include <optional>
#include <vector>

#include "tools/chart_canvas.h"
#include "common/file_dialogs.h"
#include "qt_text_measure.h"
#include "store/session.h"

class QCheckBox;
class QComboBox;
class QPagedPaintDevice;
class QPrinter;
class QLabel;
class QPushButton;
class QSpinBox;
class QTabBar;

namespace vft::ui {

class frmCharts : public QWidget {
  Q_OBJECT
 public:
  frmCharts(Session& s, FileDialogs& dialogs, QWidget* parent = nullptr);

  // What a click and a double-click ask of the main window.
  std::function<void(std::int16_t)> select_person;
  std::function<void(std::int16_t)> edit_person;
  // The print dialog; false when the user cancels. Unset: the platform's.
  std::function<bool(QPrinter&)> print_dialog;

  void showPerson(std::int16_t person);
  void setKind(chart::Kind kind);
  // Lays the chart out again from the records (after any change elsewhere).
  void refresh();
  std::int16_t root() const { return root_; }
  ChartCanvas* canvas() const { return canvas_; }
  // Saves the whole chart; the file's kind follows its name's ending.
  bool saveTo(const std::string& path, QString* error);
  // Prints the chart on the device's pages as the window's choices say.
  bool printTo(QPagedPaintDevice& device, QString* error);

 protected:
  void changeEvent(QEvent* e) override;

 private:
  Session& s_;
  FileDialogs& dialogs_;
  QtTextMeasure measure_;
  QTabBar* tabs_;
  QSpinBox* generations_;
  QSpinBox* dpi_;
  QCheckBox* fullCircle_;
  QCheckBox* visibleOnly_;
  QComboBox* printPages_;
  QLabel* zoomLabel_;
  ChartCanvas* canvas_;
  std::int16_t root_ = 0;
  chart::Options options_;
  std::array<int, 3> generationsByKind_{4, 0, 5};
  std::vector<std::optional<chart::BoxText>> texts_;
  bool settingKind_ = false;

  chart::Kind kind() const;
  chart::Colours colours() const;
  chart::Colours paperColours() const;
  chart::Rect area() const;  // what is saved and printed; empty for the whole chart
  const chart::BoxText& textOf(int box);
  void saveAs();
  void print();
};

}  // namespace vft::ui
