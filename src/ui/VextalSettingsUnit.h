#pragma once

#include <QDialog>

#include "app_services.h"
#include "reference/band_plan.h"

class QCheckBox;
class QTableWidget;
class QTableWidgetItem;

namespace mirva {

/// The settings of the transceiver-control component: its switch, which nothing stores, and
/// the band plan, which OK saves. Cancel keeps the edits in the grid but leaves the file.
class TVextalWin : public QDialog {
  Q_OBJECT

 public:
  /// Loads the band plan; a file that cannot be read leaves the initial grid.
  explicit TVextalWin(AppServices services, QWidget* parent = nullptr);

  /// Saves the grid and closes with OK; a failed write is shown and the window stays open.
  void BitBtn1Click();

  /// The grid as the window shows it.
  BandPlan Plan() const;

 private:
  void ShowPlan(const BandPlan& plan);
  void FitColumns();
  /// A TAB or line break typed or pasted into a cell becomes a blank, as the file needs.
  void CellChanged(QTableWidgetItem* item);

  AppServices services_;
  QCheckBox* use_vextal_;
  QTableWidget* grid_;
};

}  // namespace mirva
