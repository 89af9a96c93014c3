#pragma once

#include <QDialog>

class QListWidget;

#include "app_services.h"

namespace mirva {

/// The contest selection: the catalogue's lines, each that names no contest marked with why;
/// "Select" remembers the chosen contest, which the main window then sets up, and refuses a
/// line that names none, saying why.
class ContestDialog : public QDialog {
  Q_OBJECT

 public:
  /// Loads the catalogue and the remembered choice into the session.
  explicit ContestDialog(AppServices services, QWidget* parent = nullptr);

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  /// Remembers the selected contest and closes with OK; does nothing with none selected.
  void Button1Click();
  /// Reads the catalogue again into the list, so that a corrected line counts at once.
  void FillList();

  AppServices services_;
  QListWidget* list_;
};

}  // namespace mirva
