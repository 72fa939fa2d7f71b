// The rows of the person list as a Qt table model: four columns (family name,
// given names, born, VFT #), a marker and a tint by sex, and "No Match Found"
// as the only row when nothing matched. Sorting is core's (SortRows); the
// model only shows the order it is given.
#pragma once
#include <QAbstractTableModel>
#include <QColor>
#include <QPixmap>
#include <QString>
#include <utility>
#include <vector>

#include "mainwin/person_list.h"

namespace vft::ui {

// Row colours by sex: a soft background and a stronger marker colour.
struct SexColours {
  QColor male_back{0xE3, 0xEE, 0xFA}, male_mark{0x3B, 0x78, 0xC2};
  QColor female_back{0xFA, 0xE6, 0xEE}, female_mark{0xC2, 0x46, 0x7A};
  QColor other_back{0xF3, 0xF1, 0xEC}, other_mark{0x9A, 0x93, 0x86};
};

class PersonListModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  explicit PersonListModel(QObject* parent = nullptr);

  // Header captions of the two name columns (the user's field labels).
  void set_name_labels(const QString& famname, const QString& given);
  void set_colours(const SexColours& c);
  void set_rows(std::vector<PersonRow> rows);
  // Re-sorts the rows on `column` and marks that header as the sorted one.
  void sort_on(ListColumn column);

  const std::vector<PersonRow>& rows() const { return rows_; }
  ListColumn sorted_on() const { return sorted_; }
  // The Person number of a row; 0 for the "No Match Found" row.
  std::int16_t number_at(int row) const;

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

 private:
  std::vector<PersonRow> rows_;
  ListColumn sorted_ = ListColumn::FamName;
  QString famname_label_ = QStringLiteral("Family Name");
  QString given_label_ = QStringLiteral("Given Names");
  SexColours colours_;
  mutable std::vector<std::pair<QRgb, QPixmap>> markers_;
  QVariant marker(char sex) const;
};

}  // namespace vft::ui
