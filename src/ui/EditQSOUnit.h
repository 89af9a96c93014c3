#pragma once

#include <QDialog>
#include <cstddef>

#include "app_services.h"

namespace mirva {

/// The edit window: one QSO of the log, written back on Save.
class TEditQSOWin : public QDialog {
  Q_OBJECT

 public:
  explicit TEditQSOWin(AppServices services, QWidget* parent = nullptr);

  /// Shows QSO `index` of the log without blocking; Save writes it back through the session.
  void EditQSO(std::size_t index);

 private:
  AppServices services_;
};

}  // namespace mirva
