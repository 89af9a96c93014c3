#pragma once

#include <QDialog>
#include <vector>

#include "app_services.h"
#include "reports/operators.h"
#include "reports/summary.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPlainTextEdit;
class QPushButton;

namespace mirva {

struct PreviewReport;

/// The report window: the facts of the summary sheet and the station's operators; it builds
/// the ALL file and the summary for the report preview. Its texts are kept between runs and
/// the operators in "operators.ini" of the working directory: read when the window first shows
/// in a run, written when it closes.
class SummaryDialog : public QDialog {
  Q_OBJECT

 public:
  explicit SummaryDialog(AppServices services, QWidget* parent = nullptr);

  /// Shows the contest's name and the station's callsign, and opens the window.
  void ShowStandardReportWin();
  /// Takes the operator the operator dialog gave: a new one after "Add", the edited one's
  /// new data after "Edit".
  void OperatorEntered(const TOperator& op);
  /// Opens the window again when a report it built has been previewed.
  void PreviewClosed();

  const std::vector<TOperator>& operators() const { return operators_; }

 Q_SIGNALS:
  /// A report was built; the window has hidden for its preview.
  void reportBuilt(const PreviewReport& report);
  /// The operator dialog is wanted as it was last left, for a new operator.
  void addOperatorRequested();
  /// The operator dialog is wanted with this operator's data.
  void editOperatorRequested(const TOperator& op);

 protected:
  void hideEvent(QHideEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QPushButton* AddButton(const char* name, const char* caption);
  void BuildPopupMenu();
  void BuildLayout();
  void AddButtonClick();
  void EditButtonClick();
  void RemoveButtonClick();
  /// Builds the summary or the ALL file and hands it to the preview.
  void Generate(bool summary);
  ReportHeader ReadHeader() const;
  void RestoreState();
  void StoreState();

  AppServices services_;
  QLabel* ContestNameLbl_;
  QLineEdit* eCall_;
  QLineEdit* eClass_;
  QLineEdit* ePeriod_;
  QListWidget* lbOperators_;
  QPlainTextEdit* mAddress_;
  QPlainTextEdit* mEquipment_;
  QPlainTextEdit* mComments_;
  QMenu* PopupMenu1_;
  std::vector<TOperator> operators_;
  /// The operator "Edit" opened the dialog for; -1 while "Add" did.
  int editing_ = -1;
  /// While a report built here is previewed the window is hidden and nothing is stored.
  bool previewing_ = false;
};

}  // namespace mirva
