#pragma once

#include <QAbstractTableModel>
#include <cstddef>

namespace mirva {

class LogStore;

/// The QSO list's rows, read from the log as they are drawn: row r is QSO r, and an empty log
/// shows one empty row. The owner tells it each change of the log after it is made.
class QsoListModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  static constexpr int kColumns = 10;

  explicit QsoListModel(const LogStore& log, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  /// The caption of a column.
  static QString Header(int column);

  /// QSO `index` was added at the end of the log.
  void Appended(std::size_t index);
  /// QSO `index` was written over.
  void Changed(std::size_t index);
  /// The whole log may differ.
  void Replaced();

 private:
  const LogStore& log_;
  /// The QSOs the views know of; the log may hold more until Appended is told.
  std::size_t qsos_ = 0;
};

}  // namespace mirva
