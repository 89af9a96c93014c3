#pragma once

#include <QDialog>

#include "app_services.h"

namespace mirva {

/// The station configuration dialog: who and where the operator is, kept between runs.
class TStationConfigWin : public QDialog {
  Q_OBJECT

 public:
  /// Fills the country box and puts the stored station into effect.
  explicit TStationConfigWin(AppServices services, QWidget* parent = nullptr);

 private:
  AppServices services_;
};

}  // namespace mirva
