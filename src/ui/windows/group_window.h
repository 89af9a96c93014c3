#pragma once

#include <QAbstractTableModel>
#include <vector>

#include "group/group_stations.h"
#include "widgets/tool_window.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QTableView;

namespace mirva {

class GroupSession;

/// The group's stations, one per row: station, operator, band, mode, last QSO, QSOs in the
/// last 10 and 60 minutes, and whether it is connected.
class GroupStationsModel : public QAbstractTableModel {
 public:
  using QAbstractTableModel::QAbstractTableModel;

  void SetRows(std::vector<GroupStationRow> rows);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  std::vector<GroupStationRow> rows_;
};

/// The group window: how the link stands, the stations, and the operators' notes with a line
/// to write one (Enter sends it).
class GroupWindow : public ToolWindow {
  Q_OBJECT

 public:
  explicit GroupWindow(GroupSession& group, QWidget* parent = nullptr);

  /// Reads the stations again; also every few seconds, for the 10- and 60-minute counts.
  void Refresh();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void ShowStatus();
  void AddNote(const QString& station, const QString& text);
  void SendNote();

  GroupSession& group_;
  GroupStationsModel model_;
  QLabel* status_;
  QTableView* stations_;
  QPlainTextEdit* notes_;
  QLineEdit* note_;
};

}  // namespace mirva
