#pragma once

#include <QDialog>
#include <vector>

#include "reports/cabrillo_check.h"

class QLabel;
class QListWidget;

namespace mirva {

/// What a sponsor's robot would reject in the Cabrillo log about to be built, one row per
/// problem; "Save anyway" (the default, Enter) accepts, "Cancel" (Escape) rejects.
class CabrilloProblemsDialog : public QDialog {
  Q_OBJECT

 public:
  explicit CabrilloProblemsDialog(QWidget* parent = nullptr);

  /// Lists the problems, puts the keyboard on the list and opens the window.
  void ShowProblems(const std::vector<CabrilloProblem>& problems);

 private:
  QLabel* caption_;
  QListWidget* list_;
};

}  // namespace mirva
