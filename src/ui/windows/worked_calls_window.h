#pragma once

#include <QAbstractTableModel>
#include <vector>

#include "app_services.h"
#include "session/qso_entry.h"
#include "widgets/tool_window.h"

class QTableView;

namespace mirva {

/// The worked calls as one column: a call that can be worked again in bold blue, a duplicate
/// in the window-text colour; a single empty row when there are none.
class WorkedCallsModel : public QAbstractTableModel {
 public:
  using QAbstractTableModel::QAbstractTableModel;

  void SetCalls(std::vector<WorkedCall> calls);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;

 private:
  std::vector<WorkedCall> calls_;
};

/// The worked-calls window: the logged calls that contain the typed callsign, those that can
/// be worked again in bold blue.
class WorkedCallsWindow : public ToolWindow {
  Q_OBJECT

 public:
  explicit WorkedCallsWindow(AppServices services, QWidget* parent = nullptr);

  void ShowWorkedCalls(const std::vector<WorkedCall>& calls);

 private:
  WorkedCallsModel model_;
  QTableView* sgCalls_;
};

}  // namespace mirva
