#pragma once

#include <QDialog>

class QListWidget;

#include "app_services.h"

namespace mirva {

/// The contest selection: the catalogue's contests; "Select" remembers the chosen one, which
/// the main window then sets up.
class TContestSelectWin : public QDialog {
  Q_OBJECT

 public:
  /// Loads the catalogue and the remembered choice into the session.
  explicit TContestSelectWin(AppServices services, QWidget* parent = nullptr);

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  /// Remembers the selected contest and closes with OK; does nothing with none selected.
  void Button1Click();

  AppServices services_;
  QListWidget* list_;
};

}  // namespace mirva
