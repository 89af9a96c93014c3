#pragma once

#include <QDialog>

#include "app_services.h"

class QFileDialog;
class QLineEdit;

namespace mirva {

class GroupSession;

/// The "Group" settings: who operates, the broker's address, the group, this station's name
/// in it and the file that holds the group's secret. OK keeps them in the working directory
/// and joins the group; an empty server leaves it.
class GroupDialog : public QDialog {
  Q_OBJECT

 public:
  GroupDialog(AppServices services, GroupSession& group, QWidget* parent = nullptr);

  /// Shows the kept settings.
  void showEvent(QShowEvent* event) override;

 private:
  void Button1Click();
  void Browse();
  /// What is wrong with the typed settings, with the field to correct; empty when nothing.
  QString Problem(QLineEdit*& field) const;

  AppServices services_;
  GroupSession& group_;
  QLineEdit* operator_;
  QLineEdit* server_;
  QLineEdit* name_;
  QLineEdit* station_;
  QLineEdit* secret_;
  QFileDialog* browse_ = nullptr;  ///< made on first use
};

}  // namespace mirva
