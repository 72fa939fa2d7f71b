// The overflow panel of the family view (KplPanel1): a captioned card over
// the diagram holding the list SBList1 of every sibling, partner, child or
// great-grandparent behind a "More" control, one row a person in three
// columns (name, dates, Person number). Rows are coloured by sex; a click on a
// row selects that person. A click anywhere else or Escape puts it away.
#pragma once
#include <QFrame>
#include <QLabel>
#include <QTreeWidget>
#include <QToolButton>

#include "mainwindow/family_view_colours.h"
#include "mainwin/family_view_lists.h"

namespace vft::ui {

class OverflowPanel : public QFrame {
  Q_OBJECT
 public:
  explicit OverflowPanel(QWidget* parent);

  // Fills the panel and shows it beside `anchor` (parent coordinates),
  // inside the parent's rectangle and off `keep_clear`.
  void showList(const OverflowList& list, const QRect& anchor, double scale, const QRect& keep_clear);
  void setColours(const FamilyColours& colours);

  QTreeWidget* list() const { return list_; }
  QLabel* caption() const { return caption_; }

 signals:
  void personChosen(std::int16_t person);

 protected:
  bool eventFilter(QObject* watched, QEvent* e) override;
  void showEvent(QShowEvent* e) override;
  void hideEvent(QHideEvent* e) override;

 private:
  void rowClicked(QTreeWidgetItem* item);

  QLabel* caption_;
  QToolButton* close_;
  QTreeWidget* list_;
  FamilyColours colours_;
};

}  // namespace vft::ui
