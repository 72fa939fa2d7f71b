#include "editors/person_list_model.h"

#include <QFont>
#include <QPainter>
#include <QPixmap>

#include "qt_text.h"

namespace vft::ui {

namespace {

constexpr int kColumns = 4;

QPixmap dot(const QColor& colour) {
  constexpr int kSize = 10;
  QPixmap pm(kSize, kSize);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(Qt::NoPen);
  p.setBrush(colour);
  p.drawEllipse(QRectF(1, 1, kSize - 2, kSize - 2));
  return pm;
}

}  // namespace

PersonListModel::PersonListModel(QObject* parent) : QAbstractTableModel(parent) {}

void PersonListModel::set_name_labels(const QString& famname, const QString& given) {
  famname_label_ = famname;
  given_label_ = given;
  emit headerDataChanged(Qt::Horizontal, 0, 1);
}

void PersonListModel::set_colours(const SexColours& c) {
  colours_ = c;
  if (!rows_.empty()) emit dataChanged(index(0, 0), index(rowCount() - 1, kColumns - 1));
}

void PersonListModel::set_rows(std::vector<PersonRow> rows) {
  beginResetModel();
  rows_ = std::move(rows);
  SortRows(rows_, sorted_);
  endResetModel();
}

void PersonListModel::sort_on(ListColumn column) {
  beginResetModel();
  sorted_ = column;
  SortRows(rows_, sorted_);
  endResetModel();
  emit headerDataChanged(Qt::Horizontal, 0, kColumns - 1);
}

std::int16_t PersonListModel::number_at(int row) const {
  if (row < 0 || row >= static_cast<int>(rows_.size())) return 0;
  return rows_[static_cast<std::size_t>(row)].number;
}

int PersonListModel::rowCount(const QModelIndex& parent) const {
  if (parent.isValid()) return 0;
  return rows_.empty() ? 1 : static_cast<int>(rows_.size());
}

int PersonListModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : kColumns; }

QVariant PersonListModel::marker(char sex) const {
  // Three tiny pixmaps serve every row; build them once.
  const QColor c = sex == 'M' ? colours_.male_mark : sex == 'F' ? colours_.female_mark : colours_.other_mark;
  for (const auto& [rgb, pm] : markers_)
    if (rgb == c.rgba()) return pm;
  markers_.emplace_back(c.rgba(), dot(c));
  return markers_.back().second;
}

QVariant PersonListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  if (rows_.empty()) {
    if (role == Qt::DisplayRole && index.column() == 0) return QStringLiteral("No Match Found");
    if (role == Qt::ForegroundRole) return QColor(0x80, 0x80, 0x80);
    return {};
  }
  const PersonRow& r = rows_[static_cast<std::size_t>(index.row())];
  switch (role) {
    case Qt::DisplayRole:
      switch (index.column()) {
        case 0: return qs(r.famname);
        case 1: return qs(r.given);
        case 2: return qs(r.born);
        case 3: return QString::number(r.number);
      }
      return {};
    case Qt::DecorationRole: return index.column() == 0 ? marker(r.sex) : QVariant();
    case Qt::BackgroundRole:
      return r.sex == 'M' ? colours_.male_back : r.sex == 'F' ? colours_.female_back : colours_.other_back;
    case Qt::ForegroundRole: return QColor(0x22, 0x25, 0x2B);
    case Qt::TextAlignmentRole:
      return index.column() == 3 ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
                                 : QVariant(Qt::AlignLeft | Qt::AlignVCenter);
    case Qt::UserRole: return static_cast<int>(r.number);
  }
  return {};
}

QVariant PersonListModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || section < 0 || section >= kColumns) return {};
  const QString label = section == 0   ? famname_label_
                        : section == 1 ? given_label_
                        : section == 2 ? QStringLiteral("Born")
                                       : QStringLiteral("VFT #");
  switch (role) {
    case Qt::DisplayRole: return label;
    case Qt::ToolTipRole:
      if (section == 2) return QStringLiteral("Sort by Birthdate");
      if (section == 3) return QStringLiteral("Sort by VFT Number");
      return QStringLiteral("Sort by ") + label;
    case Qt::FontRole: {
      // The header the list is sorted on stands out; the others are reset.
      QFont f;
      f.setBold(section == static_cast<int>(sorted_));
      return f;
    }
    case Qt::TextAlignmentRole:
      return section == 3 ? QVariant(Qt::AlignRight | Qt::AlignVCenter) : QVariant(Qt::AlignLeft | Qt::AlignVCenter);
  }
  return {};
}

Qt::ItemFlags PersonListModel::flags(const QModelIndex& index) const {
  if (!index.isValid() || rows_.empty()) return Qt::ItemIsEnabled;  // "No Match Found" is no choice
  return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

}  // namespace vft::ui
