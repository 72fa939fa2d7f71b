// frmWebColours ("Set Text Colours"): the four colours of the web pages, each
// with its button, and a sample of the text on the background. A colour that
// would make text invisible is kept only when the user says so.
//
// Controls by objectName: cmdColour_0..3 (background, normal text, link,
// visited link), lblPreview, cmdOK, cmdCancel, cmdHelp.
#pragma once
#include <QColor>
#include <QDialog>
#include <array>
#include <functional>
#include <optional>

#include "interchange/web_pages.h"
#include "store/session.h"

class QLabel;
class QPushButton;

namespace vft::ui {

class frmWebColours : public QDialog {
  Q_OBJECT
 public:
  frmWebColours(Session& s, const WebColours& colours, QWidget* parent = nullptr);

  // The colours as the user left them (taken over by the caller after OK).
  const WebColours& colours() const { return colours_; }

  // Picks a colour, nullopt when cancelled; tests replace it.
  std::function<std::optional<QColor>(const QColor& current, const QString& title)> choose_colour;

  static QColor to_qcolor(std::uint32_t rgb);
  static QString sample_html(const WebColours& c);

 private:
  Session& s_;
  WebColours colours_;
  std::array<QPushButton*, 4> buttons_{};
  QLabel* lblPreview_;

  void pick(int index);
  void refresh();
};

}  // namespace vft::ui
