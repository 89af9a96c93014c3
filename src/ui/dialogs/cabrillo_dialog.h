#pragma once

#include <QDialog>
#include <vector>

#include "app_services.h"
#include "reports/cabrillo.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;

namespace mirva {

class CabrilloProblemsDialog;
struct PreviewReport;

/// The Cabrillo log's header facts; "Generate" builds the log for the report preview. The
/// texts, but for the callsign, are kept between runs.
class CabrilloDialog : public QDialog {
  Q_OBJECT

 public:
  /// Puts back the texts kept from the last run.
  explicit CabrilloDialog(AppServices services, QWidget* parent = nullptr);

  /// Shows the contest's name and the station's callsign, and opens the window.
  void ShowCabrilloWin();

 Q_SIGNALS:
  /// The log was built; the window has closed for the preview.
  void reportBuilt(const PreviewReport& report);

 protected:
  void hideEvent(QHideEvent* event) override;

 private:
  QComboBox* AddBox(const char* name, std::initializer_list<const char*> items);
  void BuildLayout();
  /// Checks the log with the header and builds it when the check finds nothing; otherwise the
  /// problems are listed and the log is built only when the operator saves anyway. A header
  /// text that the code page cannot hold is refused with a message and the window stays open.
  void Button1Click();
  /// Builds the log from the header and hands it to the preview.
  void Generate(const CabrilloHeader& header);
  CabrilloHeader ReadHeader() const;
  void StoreHeader();
  /// Shows the fields only Cabrillo 3.0 has while it is chosen.
  void ShowVersionFields();

  AppServices services_;
  QLabel* ContestNameLbl_;
  QLineEdit* eCall_;
  QLineEdit* eName_;
  QComboBox* cbARRL_;
  QComboBox* cbOperators_;
  QComboBox* cbBands_;
  QComboBox* cbPower_;
  QComboBox* cbMode_;
  QLineEdit* eClub_;
  QLineEdit* eOperators_;
  QPlainTextEdit* mAddress_;
  QPlainTextEdit* mSoapbox_;
  QCheckBox* cbCabrillo3_;
  QLineEdit* eLocation_;
  QComboBox* cbOverlay_;
  QLineEdit* eEmail_;
  QLineEdit* eCity_;
  QLineEdit* eStateProvince_;
  QLineEdit* ePostalCode_;
  QLineEdit* eCountry_;
  CabrilloProblemsDialog* problems_;
  /// The header checked last, built when the operator saves anyway.
  CabrilloHeader checked_;
  /// The labels and controls of the fields only Cabrillo 3.0 has.
  std::vector<QWidget*> v3_fields_;
};

}  // namespace mirva
