#pragma once

#include <QDialog>

#include "app_services.h"
#include "link/radio.h"
#include "radio/radio_models.h"
#include "reference/band_plan.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QSpinBox;
class QTableWidget;
class QTableWidgetItem;

namespace mirva {

/// The radio's settings: whether the entry window follows it, how it is reached, and the band
/// plan that turns its frequency into band and mode. OK saves both; Cancel keeps the edits in
/// the window but leaves what is stored.
class RadioDialog : public QDialog {
  Q_OBJECT

 public:
  /// Loads the band plan; a file that cannot be read leaves the initial grid. The list of
  /// radio models fills in once read; until then it holds the stored model by its number.
  explicit RadioDialog(AppServices services, QWidget* parent = nullptr);

  /// Saves the grid and the radio's settings and closes with OK; a failed write of the grid
  /// is shown and the window stays open.
  void BitBtn1Click();

  /// The grid as the window shows it.
  BandPlan Plan() const;
  /// The radio's settings as the window shows them.
  RadioSettings ChosenRadio() const;

 private:
  QLayout* BuildRadioControls();
  void ShowRadio(const RadioSettings& settings);
  /// Lists the models, keeping the one chosen.
  void ShowModels(const RadioModelList& models);
  void ChooseModel(int number);
  void ShowPlan(const BandPlan& plan);
  void FitColumns();
  /// A TAB or line break typed or pasted into a cell becomes a blank, as the file needs.
  void CellChanged(QTableWidgetItem* item);

  AppServices services_;
  QCheckBox* use_vextal_;
  QComboBox* model_;
  QLineEdit* port_;
  QSpinBox* speed_;
  QTableWidget* grid_;
};

}  // namespace mirva
