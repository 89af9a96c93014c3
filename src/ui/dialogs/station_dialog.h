#pragma once

#include <QDialog>
#include <array>
#include <string>

#include "app_services.h"
#include "reference/station.h"
#include "session/session_listener.h"

class QComboBox;
class QLabel;
class QLineEdit;

namespace mirva {

/// The station configuration dialog: who and where the operator is, kept between runs. A
/// callsign or a country fills the zones, continent and position, which stay editable.
class StationDialog : public QDialog, public SessionListener {
  Q_OBJECT

 public:
  /// Fills the country box and puts the stored station into effect.
  explicit StationDialog(AppServices services, QWidget* parent = nullptr);
  ~StationDialog() override;

  /// Stores the texts, puts them into effect and closes with OK. A zone or position that is
  /// not a number in its range is shown in an error box and the dialog stays open.
  void Button1Click();

 protected:
  /// Every opening starts from the station in effect: texts typed before a Cancel are gone.
  void showEvent(QShowEvent* event) override;

 private:
  /// A text of the station and the edit that shows it.
  struct Field {
    std::string TStationCFG::*member;
    QLineEdit* edit;
  };

  void ContestChanged() override;
  void StationChanged() override;

  QLineEdit* AddEdit(const char* name, std::string TStationCFG::*member);
  void BuildLayout();
  void FillCountryBox();
  void eCallChange(const QString& text);
  void cbCountryChange(int index);
  /// Puts the station into the controls and selects its country in the box.
  void ShowStation(const TStationCFG& station);
  /// Shows the country's name and the place that a lookup filled in.
  void ShowPlace(const TStationCFG& station, const std::string& name);
  /// Selects the first box item equal to the prefix; false when there is none.
  bool SelectCountry(const std::string& prefix);
  QLineEdit* EditOf(std::string TStationCFG::*member) const;
  /// The texts as the edits show them, the longitude east positive.
  TStationCFG ReadControls() const;

  AppServices services_;
  QLineEdit* call_;
  QComboBox* countries_;
  QLabel* country_name_;
  QLineEdit* country_;
  std::array<Field, 8> fields_;
};

}  // namespace mirva
