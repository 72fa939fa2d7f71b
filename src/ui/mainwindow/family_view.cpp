#include "mainwindow/family_view.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <cmath>

#include "mainwindow/family_view_marker.h"
#include "mainwin/commands.h"
#include "mainwin/family_view_lists.h"
#include "mainwindow/overflow_panel.h"
#include "mainwindow/person_box.h"
#include "mainwindow/pill_button.h"
#include "qt_text.h"

namespace vft::ui {
namespace {

constexpr int kDefaultHoverMs = 450;

QRect widget_rect(const Rect& r) { return QRectF(r.x, r.y, r.w, r.h).toRect(); }

struct SlotNaming {
  const char* base;
  int index;  // -1: a single box without an index
};

SlotNaming naming(Slot slot) {
  const int i = static_cast<int>(slot);
  if (slot <= Slot::GrandParent3) return {"GrandParent", i};
  if (slot == Slot::Father) return {"Parent", 0};
  if (slot == Slot::Mother) return {"Parent", 1};
  if (slot == Slot::Selected) return {"Selected", -1};
  if (slot == Slot::Partner) return {"Partner", -1};
  if (slot <= Slot::Sibling1) return {"Sibling", i - static_cast<int>(Slot::Sibling0)};
  return {"Child", i - static_cast<int>(Slot::Child0)};
}

void set_font(QWidget* w, const QFont& f) {
  if (w->font() != f) w->setFont(f);
}

}  // namespace

FamilyView::FamilyView(Session& s, QWidget* parent) : QWidget(parent), s_(s) {
  setObjectName(QStringLiteral("FamilyView"));
  setFocusPolicy(Qt::StrongFocus);
  setAutoFillBackground(false);
  for (int i = 0; i < kSlotCount; ++i) {
    const Slot slot = static_cast<Slot>(i);
    const SlotNaming n = naming(slot);
    auto* box =
        new PersonBox(QString::fromLatin1(n.base), n.index, qs(SlotCaption(slot)), slot == Slot::Selected, this);
    box->hide();
    boxes_[static_cast<std::size_t>(i)] = box;
    connect(box, &PersonBox::clicked, this, [this, slot] { selectSlot(slot); });
    connect(box, &PersonBox::labelHovered, this, [this, slot] {
      panel_->hide();
      const std::string text = SlotHoverStatus(s_, model_, slot);
      if (!text.empty()) setStatus(qs(text));
    });
  }
  for (int i = 0; i < kMarkerCount; ++i) {
    auto* m = new MarkerTab(i, this);
    m->setToolTip(qs(kMarkerStatus));
    m->installEventFilter(this);
    markers_[static_cast<std::size_t>(i)] = m;
    connect(m, &MarkerTab::clicked, this, [this, i] {
      cursor_.ListKind = ListKindForMarker(i);
      showLists();
    });
  }
  for (int i = 0; i < kChildSlots; ++i) {
    auto* b = new PillButton(QStringLiteral("butChildren") + QString::number(i), PillButton::Kind::Count, this);
    b->installEventFilter(this);
    childButtons_[static_cast<std::size_t>(i)] = b;
    connect(b, &QPushButton::clicked, this, [this, i] {
      cursor_.ListKind = ListKindForChildButton(i);
      showLists();
    });
  }
  moreSpouses_ = new PillButton(QStringLiteral("butMoreSpouses"), PillButton::Kind::More, this);
  moreChildren_ = new PillButton(QStringLiteral("butMoreChildren"), PillButton::Kind::More, this);
  moreSiblings_ = new PillButton(QStringLiteral("butMoreSiblings"), PillButton::Kind::More, this);
  moreSpouses_->setText(qs(s_.Messages[285]));
  moreChildren_->setText(qs(s_.Messages[286]));
  moreSiblings_->setText(qs(s_.Messages[287]));
  moreSpouses_->setToolTip(qs(s_.Messages[msg::NextPartner]));
  moreChildren_->setToolTip(qs(s_.Messages[msg::NextChild]));
  moreSiblings_->setToolTip(qs(s_.Messages[msg::NextSibling]));
  for (QPushButton* b : {moreSpouses_, moreChildren_, moreSiblings_}) b->installEventFilter(this);
  connect(moreSpouses_, &QPushButton::clicked, this, &FamilyView::nextPartner);
  connect(moreChildren_, &QPushButton::clicked, this, &FamilyView::nextChild);
  connect(moreSiblings_, &QPushButton::clicked, this, &FamilyView::nextSibling);

  partnership_ = new PillButton(QStringLiteral("butPartnersMarried"), PillButton::Kind::Partnership, this);
  connect(partnership_, &QPushButton::clicked, this, &FamilyView::editMarriageRequested);
  parentsMarried_ = new QLabel(this);
  parentsMarried_->setObjectName(QStringLiteral("lblParentsMarried"));
  parentsMarried_->setAlignment(Qt::AlignCenter);
  parentsMarried_->setTextFormat(Qt::PlainText);
  parentsMarried_->hide();

  panel_ = new OverflowPanel(this);
  connect(panel_, &OverflowPanel::personChosen, this, &FamilyView::selectPerson);
  hover_.setSingleShot(true);
  hover_.setInterval(kDefaultHoverMs);
  connect(&hover_, &QTimer::timeout, this, &FamilyView::showLists);
  setColours(ColoursForScheme(1 << 24));
}

void FamilyView::setColours(const FamilyColours& colours) {
  colours_ = colours;
  for (PersonBox* b : boxes_) b->setColours(colours);
  for (PillButton* b : childButtons_) b->setColours(colours);
  for (PillButton* b : {moreSpouses_, moreChildren_, moreSiblings_, partnership_}) b->setColours(colours);
  QPalette pal = parentsMarried_->palette();
  pal.setColor(QPalette::WindowText, colours.subtext);
  parentsMarried_->setPalette(pal);
  panel_->setColours(colours);
  showModel();
}

DiagramScale FamilyView::scaleNow() const {
  // A view not laid out yet is as small as a widget starts; names fitted to
  // that would lose their given names for nothing.
  const QSize at_least = minimumSizeHint();
  return ChooseDiagramScale(std::max(width(), at_least.width()), std::max(height(), at_least.height()),
                            QFontInfo(font()).pixelSize());
}

ViewMetrics FamilyView::metrics() const {
  // Names are fitted in the pixels they are drawn in, a pixel counted as 15
  // twips, so the box width passed on is exactly its name area. The selected
  // box's larger font is allowed for by fitting its name into a
  // proportionally narrower area.
  const double name_px = std::max(1L, std::lround(kBoxNameText * scale_.text));
  const double selected_px = std::max(1L, std::lround(kSelectedNameText * scale_.text));
  ViewMetrics m;
  m.name_font = print::Font{"Arial", name_px * 0.75, true, false, false};
  m.box_width = scale_.name_area() * 15 + kNameMargin;
  m.selected_width = scale_.selected_name_area() * 15 * (name_px / selected_px) + kNameMargin;
  return m;
}

void FamilyView::RefreshFamilyView() {
  panel_->hide();
  hover_.stop();
  scale_ = scaleNow();
  fitted_ = scale_;
  model_ = vft::RefreshFamilyView(s_, cursor_, measure_, metrics());
  showModel();
  setStatus(qs(model_.Status));
  emit viewChanged();
}

void FamilyView::rebuild() {
  // A list or a description of who was shown before belongs to the old view.
  panel_->hide();
  hover_.stop();
  scale_ = scaleNow();
  fitted_ = scale_;
  model_ = BuildFamilyView(s_, cursor_, measure_, metrics());
  showModel();
  setStatus(restingStatus());
  emit viewChanged();
}

void FamilyView::showModel() {
  for (int i = 0; i < kSlotCount; ++i) {
    const SlotView& v = model_.Slots[static_cast<std::size_t>(i)];
    PersonBox* box = boxes_[static_cast<std::size_t>(i)];
    box->setPerson(qs(v.Name), qs(v.Dates), v.Sex, v.Person != 0);
    box->setToolTip(v.Person ? qs(v.Description) : QString());
    box->setAccessibleName(qs(SlotCaption(static_cast<Slot>(i))) + QStringLiteral(": ") + qs(v.Name));
  }
  boxes_[SlotIndex(Slot::Selected)]->setNumber(qs(model_.SelectedNum));
  for (int i = 0; i < kChildSlots; ++i) {
    const ChildrenButton& cb = model_.ChildButtons[static_cast<std::size_t>(i)];
    childButtons_[static_cast<std::size_t>(i)]->setText(qs(cb.Caption));
  }
  partnership_->setText(qs(model_.Partnership.text));
  partnership_->setToolTip(qs(model_.ToolTips.EditMarr));
  parentsMarried_->setText(qs(model_.ParentsMarried));
  relayout();
}

void FamilyView::relayout() {
  scale_ = scaleNow();
  const double t = scale_.text;
  const QFont button_font = BoardFont(kButtonText, t, true);
  const QFont pill_font = BoardFont(kPillText, t, false);

  // Caption widths, measured in the fonts they are drawn in.
  const QFontMetricsF button_fm(button_font), pill_fm(pill_font);
  CaptionWidths widths;
  widths.partnership =
      button_fm.horizontalAdvance(partnership_->text().remove(QLatin1Char('&'))) * model_.Partnership.widen;
  widths.parentsMarried = pill_fm.horizontalAdvance(parentsMarried_->text());
  for (int i = 0; i < kChildSlots; ++i) {
    const auto idx = static_cast<std::size_t>(i);
    widths.childButtons[idx] = pill_fm.horizontalAdvance(childButtons_[idx]->text());
  }
  for (QPushButton* b : {moreSpouses_, moreChildren_, moreSiblings_})
    widths.more = std::max(widths.more, button_fm.horizontalAdvance(b->text().remove(QLatin1Char('&'))));
  layout_ = LayOutDiagram(model_, scale_, widths);

  for (int i = 0; i < kSlotCount; ++i) {
    PersonBox* box = boxes_[static_cast<std::size_t>(i)];
    const Rect& r = layout_.boxes[static_cast<std::size_t>(i)];
    if (r.empty()) {
      box->hide();
      continue;
    }
    box->setGeometry(widget_rect(r));
    box->arrange(t);
    box->show();
  }
  auto place = [](QWidget* w, const Rect& r) {
    if (r.empty()) {
      w->hide();
      return;
    }
    w->setGeometry(widget_rect(r));
    w->show();
  };
  for (int i = 0; i < kMarkerCount; ++i) {
    const auto idx = static_cast<std::size_t>(i);
    const Slot under = i == kPartnerMarker ? Slot::Partner : GrandParentSlot(i);
    markers_[idx]->setColours(colours_, BoxAccent(colours_, model_.slot(under).Sex, true));
    place(markers_[idx], layout_.markers[idx]);
  }
  for (int i = 0; i < kChildSlots; ++i) {
    set_font(childButtons_[static_cast<std::size_t>(i)], pill_font);
    place(childButtons_[static_cast<std::size_t>(i)], layout_.childButtons[static_cast<std::size_t>(i)]);
  }
  for (QPushButton* b : {moreSpouses_, moreChildren_, moreSiblings_, partnership_}) set_font(b, button_font);
  place(moreSpouses_, layout_.moreSpouses);
  place(moreChildren_, layout_.moreChildren);
  place(moreSiblings_, layout_.moreSiblings);
  place(partnership_, layout_.partnership);
  set_font(parentsMarried_, pill_font);
  place(parentsMarried_, layout_.parentsMarried);

  update();
}

void FamilyView::resizeEvent(QResizeEvent*) {
  if (panel_->isVisible()) panel_->hide();
  // Boxes of another width fit the names anew.
  const DiagramScale now = scaleNow();
  if (model_.Selected &&
      (std::abs(now.name_area() - fitted_.name_area()) > 0.5 || std::abs(now.text - fitted_.text) > 1e-3))
    rebuild();
  else relayout();
}

QSize FamilyView::sizeHint() const {
  const double f = logicalDpiY() / 96.0;
  return QSize(static_cast<int>(1200 * f), static_cast<int>(640 * f));
}

QSize FamilyView::minimumSizeHint() const { return QSize(600, 320); }

// ---- navigation

void FamilyView::selectSlot(Slot slot) {
  if (slot == Slot::Selected) {
    if (model_.slot(Slot::Selected).Person) emit editPersonRequested();
    return;
  }
  afterNavigation(SelectSlot(s_, cursor_, slot));
}

void FamilyView::selectPerson(std::int16_t person) { afterNavigation(NavigateTo(s_, cursor_, person)); }

void FamilyView::afterNavigation(bool moved) {
  if (!moved) return;
  rebuild();
  emit personSelected(model_.Selected);
}

void FamilyView::nextPartner() {
  if (NextPartner(s_, cursor_)) rebuild();
}

void FamilyView::nextChild() {
  if (NextChild(s_, cursor_)) rebuild();
}

void FamilyView::nextSibling() { afterNavigation(NextSibling(s_, cursor_)); }

void FamilyView::setStatus(const QString& text) { emit statusTextChanged(text); }

QString FamilyView::restingStatus() const { return qs(RestingStatus(s_)); }

}  // namespace vft::ui
