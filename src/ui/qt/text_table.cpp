#include "ui/qt/text_table.h"

#include <QApplication>
#include <QColor>
#include <QFont>
#include <QPalette>
#include <algorithm>

namespace quintora::ui::qt {

QColor alert_colour() { return QColor(Qt::red).darker(120); }

TextTable::TextTable(QStringList headers, std::vector<int> numeric_columns, QObject* parent)
    : QAbstractTableModel(parent), headers_(std::move(headers)), numeric_(std::move(numeric_columns)) {}

void TextTable::set_rows(std::vector<QStringList> rows, std::vector<RowLook> looks) {
  beginResetModel();
  rows_ = std::move(rows);
  looks_ = std::move(looks);
  endResetModel();
}

int TextTable::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int TextTable::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(headers_.size());
}

QVariant TextTable::data(const QModelIndex& index, int role) const {
  if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid)) return {};
  const auto row = static_cast<std::size_t>(index.row());
  const RowLook look = row < looks_.size() ? looks_[row] : RowLook::Plain;
  switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
      return index.column() < rows_[row].size() ? rows_[row][index.column()] : QString();
    case Qt::ForegroundRole:
      if (look == RowLook::Alert) return alert_colour();
      if (look == RowLook::Dim) return QApplication::palette().color(QPalette::PlaceholderText);
      return {};
    case Qt::FontRole:
      if (look == RowLook::Dim) {
        QFont font;
        font.setItalic(true);
        return font;
      }
      return {};
    case Qt::TextAlignmentRole: {
      const bool numeric = std::find(numeric_.begin(), numeric_.end(), index.column()) != numeric_.end();
      return QVariant::fromValue((numeric ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
    }
    default:
      return {};
  }
}

QVariant TextTable::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < headers_.size())
    return headers_[section];
  return QAbstractTableModel::headerData(section, orientation, role);
}

}  // namespace quintora::ui::qt
