#pragma once

#include <QDialog>

class QListWidget;

#include "app_services.h"

namespace mirva {

/// The contest selection: the catalogue's lines, each that names no contest marked with why;
/// "Select" sets up the chosen contest for the log and keeps it with the log, and refuses a
/// line that names none, saying why; a contest that cannot be set up keeps the window open.
class ContestDialog : public QDialog {
  Q_OBJECT

 public:
  explicit ContestDialog(AppServices services, QWidget* parent = nullptr);

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  /// Sets up the selected contest and closes with OK; does nothing with none selected.
  void Button1Click();
  /// Reads the catalogue again into the list, so that a corrected line counts at once.
  void FillList();

  AppServices services_;
  QListWidget* list_;
};

}  // namespace mirva
