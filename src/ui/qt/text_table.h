#pragma once
// The rows of one table of the Season window as text: what the logic laid
// out, with a look per row (byes and weeks off dimmed, overbooked bars in
// red) and columns of numbers aligned to the right. Read only.

#include <QAbstractTableModel>
#include <QStringList>
#include <vector>

namespace quintora::ui::qt {

enum class RowLook { Plain, Dim, Alert };

class TextTable final : public QAbstractTableModel {
 public:
  TextTable(QStringList headers, std::vector<int> numeric_columns, QObject* parent);

  // A row without a look is plain; cells missing at a row's end are empty.
  void set_rows(std::vector<QStringList> rows, std::vector<RowLook> looks = {});

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  QStringList headers_;
  std::vector<int> numeric_;
  std::vector<QStringList> rows_;
  std::vector<RowLook> looks_;
};

// The red of what is over its tables, in the tables and the text above them.
QColor alert_colour();

}  // namespace quintora::ui::qt
