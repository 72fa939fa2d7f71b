#include "exchange/frm_web_colours.h"

#include <QColorDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialogs/dialog_buttons.h"
#include "qt_text.h"

namespace vft::ui {
namespace {

constexpr std::array<WebColour, 4> kOrder = {WebColour::Back, WebColour::NormText, WebColour::Link, WebColour::Visited};
constexpr std::array<const char*, 4> kCaptions = {"&Background", "&Normal Text", "&Link", "&Visited Link"};
constexpr std::array<const char*, 4> kPickTitles = {"Background Colour", "Normal Text Colour", "Link Colour",
                                                    "Visited Link Colour"};

std::uint32_t& slot(WebColours& c, WebColour which) {
  switch (which) {
    case WebColour::NormText: return c.NormTextColour;
    case WebColour::Link: return c.LinkColour;
    case WebColour::Visited: return c.VisitedColour;
    case WebColour::Back: break;
  }
  return c.BackColour;
}

QIcon swatch(std::uint32_t rgb) {
  QPixmap p(28, 16);
  p.fill(frmWebColours::to_qcolor(rgb));
  // A frame, so a white swatch still shows on a light button.
  QPainter painter(&p);
  painter.setPen(QColor(0x80, 0x80, 0x80));
  painter.drawRect(0, 0, p.width() - 1, p.height() - 1);
  return QIcon(p);
}

}  // namespace

QColor frmWebColours::to_qcolor(std::uint32_t rgb) {
  return QColor(static_cast<int>((rgb >> 16) & 0xFF), static_cast<int>((rgb >> 8) & 0xFF),
                static_cast<int>(rgb & 0xFF));
}

QString frmWebColours::sample_html(const WebColours& c) {
  auto hex = [](std::uint32_t rgb) { return qs(HtmlColour(rgb)); };
  return QStringLiteral(
             "<div style=\"background-color:%1; padding:8px\"><span style=\"color:%2\">Normal text "
             "</span><span style=\"color:%3; text-decoration:underline\">A link</span> "
             "<span style=\"color:%4; text-decoration:underline\">A visited link</span></div>")
      .arg(hex(c.BackColour), hex(c.NormTextColour), hex(c.LinkColour), hex(c.VisitedColour));
}

frmWebColours::frmWebColours(Session& s, const WebColours& colours, QWidget* parent)
    : QDialog(parent), s_(s), colours_(colours) {
  setObjectName(QStringLiteral("frmWebColours"));
  setWindowTitle(QStringLiteral("Set Text Colours"));
  choose_colour = [this](const QColor& current, const QString& title) -> std::optional<QColor> {
    const QColor c = QColorDialog::getColor(current, this, title);
    if (!c.isValid()) return std::nullopt;
    return c;
  };

  auto* grid = new QGridLayout;
  for (int i = 0; i < 4; ++i) {
    auto* b = new QPushButton(QString::fromLatin1(kCaptions[static_cast<std::size_t>(i)]), this);
    b->setObjectName(QStringLiteral("cmdColour_") + QString::number(i));
    b->setIconSize(QSize(28, 16));
    b->setMinimumWidth(170);
    b->setAutoDefault(false);
    buttons_[static_cast<std::size_t>(i)] = b;
    grid->addWidget(b, i / 2, i % 2);
    connect(b, &QPushButton::clicked, this, [this, i] { pick(i); });
  }
  lblPreview_ = new QLabel(this);
  lblPreview_->setObjectName(QStringLiteral("lblPreview"));
  lblPreview_->setTextFormat(Qt::RichText);
  lblPreview_->setFrameShape(QFrame::StyledPanel);
  lblPreview_->setMinimumHeight(44);

  const DialogButtons commands = dialog_buttons(
      this, {QStringLiteral("OK"), QStringLiteral("cmdOK")}, {QStringLiteral("Cancel"), QStringLiteral("cmdCancel")},
      {QStringLiteral("Help"), QStringLiteral("cmdHelp")}, [this] { s_.help("web_colours"); });
  QHBoxLayout* buttons = commands.row();

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(18, 14, 18, 14);
  layout->addLayout(grid);
  layout->addWidget(lblPreview_);
  layout->addLayout(buttons);

  connect(commands.ok, &QPushButton::clicked, this, &QDialog::accept);
  refresh();
}

void frmWebColours::pick(int index) {
  const WebColour which = kOrder[static_cast<std::size_t>(index)];
  if (!choose_colour) return;
  const auto chosen = choose_colour(to_qcolor(slot(colours_, which)),
                                    QString::fromLatin1(kPickTitles[static_cast<std::size_t>(index)]));
  if (!chosen || !chosen->isValid()) return;
  const std::uint32_t rgb = static_cast<std::uint32_t>(chosen->rgb()) & 0xFFFFFFu;
  SetWebColour(s_, colours_, which, rgb);
  refresh();
}

void frmWebColours::refresh() {
  for (std::size_t i = 0; i < kOrder.size(); ++i) buttons_[i]->setIcon(swatch(slot(colours_, kOrder[i])));
  lblPreview_->setText(sample_html(colours_));
}

}  // namespace vft::ui
