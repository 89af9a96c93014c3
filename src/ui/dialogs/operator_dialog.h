#pragma once

#include <QDialog>
#include <array>

#include "app_services.h"
#include "reports/operators.h"

class QLineEdit;

namespace mirva {

/// The operator dialog: one operator's names, home call and sports rank.
class OperatorDialog : public QDialog {
  Q_OBJECT

 public:
  explicit OperatorDialog(AppServices services, QWidget* parent = nullptr);

  /// Opens with the edits as they were last left.
  void ShowLastLeft();
  /// Opens with the operator's data in the edits, each cut to its field.
  void ShowOperator(const TOperator& op);

 Q_SIGNALS:
  /// "OK" took the edits as this operator.
  void operatorEntered(const TOperator& op);

 private:
  /// An edit and the field of the operator it fills.
  struct Field {
    const char* name;
    const char* caption;
    std::string TOperator::*member;
    std::size_t limit;
    bool callsign;
    QLineEdit* edit = nullptr;
  };

  void BuildLayout();
  /// Takes the edits as an operator and closes with OK; a text the input rule refuses is
  /// told and the dialog stays open at that edit.
  void Button1Click();

  AppServices services_;
  std::array<Field, 5> fields_;
};

}  // namespace mirva
