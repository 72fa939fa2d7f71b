// The family view: the diagram of the selected person's family that fills
// the main window. It shows what BuildFamilyView works out where
// LayOutDiagram puts it, draws the connector lines and turns clicks, hovers
// and keys into the view's navigation.
//
// Control names. Single controls carry their own names (lblSelectedName,
// lblSelectedNum, lblParentsMarried, butPartnersMarried, butMoreSpouses,
// butMoreChildren, butMoreSiblings, KplPanel1, SBList1). Control arrays carry
// the array's name followed by the index, and a box's labels put the index
// after the label's role:
//   pnlGrandParent0..3  lblGrandParentName0..3  lblGrandParentDates0..3
//   pnlParent0..1       lblParentName0..1       lblParentDates0..1   (0 father, 1 mother)
//   pnlSelected         lblSelectedName         lblSelectedDates     lblSelectedNum
//   pnlPartner          lblPartnerName          lblPartnerDates
//   pnlSibling0..1      lblSiblingName0..1      lblSiblingDates0..1
//   pnlChild0..3        lblChildName0..3        lblChildDates0..3
//   butChildren0..3     (the children button under child box 0..3)
//   picGreatGrand0..4   (great-grandparent markers; 0..3 above the grandparents, 4 above the partner)
// The overflow panel KplPanel1 holds its caption lblListCaption, the list
// SBList1 and a close button butCloseList.
// The status line (Label1) belongs to the main window, which shows the texts
// this view sends with statusTextChanged.
#pragma once
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QTimer>
#include <QWidget>
#include <array>

#include "store/session.h"
#include "mainwindow/family_view_colours.h"
#include "mainwin/family_view_geometry.h"
#include "mainwin/family_view_model.h"
#include "qt_text_measure.h"

namespace vft::ui {

class PersonBox;
class MarkerTab;
class OverflowPanel;
class PillButton;

class FamilyView : public QWidget {
  Q_OBJECT
 public:
  explicit FamilyView(Session& s, QWidget* parent = nullptr);

  // Recomputes and redraws the whole view for LastPerson; called after every
  // change of the records and on every activation of the main window.
  void RefreshFamilyView();

  const FamilyViewModel& model() const { return model_; }
  // The status line while nothing is pointed at: how to use the view.
  QString restingStatus() const;
  const ViewCursor& cursor() const { return cursor_; }
  void setColours(const FamilyColours& colours);
  // How long the pointer rests on a "More" control before its list opens.
  void setHoverDelay(int ms) { hover_.setInterval(ms); }

  // The view's part of the main window's keyboard table (Home, Page Up,
  // Left, Right, End, Insert, Down, Page Down, Enter, R, O, M). True when the
  // key belongs to the view; a key whose target is not shown does nothing.
  bool handleKey(int key);

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 public slots:
  void selectSlot(vft::Slot slot);
  void selectPerson(std::int16_t person);  // an overflow list row
  void nextPartner();
  void nextChild();
  void nextSibling();

 signals:
  void personSelected(std::int16_t person);  // a navigation chose a new selected person
  void viewChanged();                        // the model (tool tips, command states) changed
  void statusTextChanged(const QString& text);
  void editPersonRequested();                 // the selected box was clicked or Enter pressed
  void editMarriageRequested();               // the partnership button was clicked
  void chartsRequested(std::int16_t person);  // "Charts..." of a box's context menu

 protected:
  void paintEvent(QPaintEvent*) override;
  void resizeEvent(QResizeEvent*) override;
  void keyPressEvent(QKeyEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void contextMenuEvent(QContextMenuEvent* e) override;
  bool eventFilter(QObject* watched, QEvent* e) override;

 private:
  void rebuild();    // the model again from the session, then show it
  void showModel();  // texts, colours and visibility from model_
  void relayout();   // positions and fonts for the current size
  void afterNavigation(bool moved);
  void hoverStarts(int list_kind);
  void showLists();
  void setStatus(const QString& text);
  DiagramScale scaleNow() const;  // the diagram's scale at the widget's size
  ViewMetrics metrics() const;
  QRect anchorFor(int list_kind) const;
  const QPixmap& shadowFor(QSize box, bool selected);

  Session& s_;
  QtTextMeasure measure_;
  ViewCursor cursor_;
  FamilyViewModel model_;
  DiagramLayout layout_;
  FamilyColours colours_;
  DiagramScale scale_;
  DiagramScale fitted_;  // the scale the model's names were fitted at

  std::array<PersonBox*, kSlotCount> boxes_{};
  std::array<MarkerTab*, kMarkerCount> markers_{};
  std::array<PillButton*, kChildSlots> childButtons_{};
  PillButton* moreSpouses_;
  PillButton* moreChildren_;
  PillButton* moreSiblings_;
  PillButton* partnership_;
  QLabel* parentsMarried_;
  OverflowPanel* panel_;
  QTimer hover_;

  struct ShadowCache {
    QSize box;
    double text = 0;
    QPixmap pixmap;
    double spread = 0;
  };
  std::array<ShadowCache, 2> shadows_{};  // ordinary boxes, the selected box
};

}  // namespace vft::ui
