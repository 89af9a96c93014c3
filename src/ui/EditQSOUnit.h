#pragma once

#include <QDialog>
#include <cstddef>
#include <optional>

#include "app_services.h"
#include "log/qso_record.h"

class QComboBox;
class QDateEdit;
class QLineEdit;

namespace mirva {

struct InputField;

/// The edit window: one QSO of the log, written back on Save.
class TEditQSOWin : public QDialog {
  Q_OBJECT

 public:
  explicit TEditQSOWin(AppServices services, QWidget* parent = nullptr);

  /// Shows QSO `index` of the log without blocking; nothing for an index past the log.
  void EditQSO(std::size_t index);
  /// Writes the edited QSO back through the session and closes; a value the input rule
  /// refuses, or a time that is not "hh:nn", is shown in an error box and the window stays.
  void Button1Click();

 private:
  QLineEdit* AddEdit(const char* name, int capacity, bool upper);
  void BuildLayout();
  /// The QSO as the controls hold it; nothing when a value is refused (the operator is told).
  std::optional<TQSOData> Edited();
  bool Take(QLineEdit* edit, const InputField& field, std::string& into);

  AppServices services_;
  std::size_t index_ = 0;
  QDateEdit* eDate_;
  QLineEdit* eTime_;
  QLineEdit* eCall_;
  QLineEdit* eRST_S_;
  QLineEdit* eSent_;
  QLineEdit* eRst_R_;
  QLineEdit* eRcvd_;
  QLineEdit* eNote_;
  QComboBox* cbMode_;
  QComboBox* cbBand_;
};

}  // namespace mirva
