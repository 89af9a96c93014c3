#pragma once

#include <QDialog>
#include <cstddef>
#include <optional>

#include "app_services.h"
#include "log/qso_record.h"
#include "session/session_listener.h"

class QComboBox;
class QDateEdit;
class QLineEdit;

namespace mirva {

struct InputField;

/// The edit window: one QSO of the log, written back on Save. It is modal to the whole
/// program, so that no other window changes the log while it is open.
class EditQsoDialog : public QDialog, public SessionListener {
  Q_OBJECT

 public:
  explicit EditQsoDialog(AppServices services, QWidget* parent = nullptr);
  ~EditQsoDialog() override;

  /// Shows QSO `index` of the log without blocking; nothing for an index past the log.
  void EditQSO(std::size_t index);
  /// Writes the edited QSO back through the session and closes; a value the input rule
  /// refuses, or a time that is not "hh:nn", is shown in an error box and the window stays.
  /// Nothing once the window has closed.
  void Button1Click();

  /// A log changed under the window by any other way closes it unsaved, with a word: its
  /// index may no longer name the QSO shown.
  void QsoChanged(std::size_t index) override;
  void LogReplaced() override;

 private:
  QLineEdit* AddEdit(const char* name, int capacity, bool upper);
  void BuildLayout();
  /// The QSO as the controls hold it; nothing when a value is refused (the operator is told).
  std::optional<TQSOData> Edited();
  bool Take(QLineEdit* edit, const InputField& field, std::string& into);
  void DropEdit();

  AppServices services_;
  /// The QSO shown, while the window is open.
  std::optional<std::size_t> index_;
  bool saving_ = false;
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
