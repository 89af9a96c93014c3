#pragma once

#include "app_services.h"
#include "tool_window.h"

namespace mirva {

/// The statistics window: the totals, the QSO table by mode and band, and "Update score".
class TContestStatWin : public ToolWindow {
  Q_OBJECT

 public:
  explicit TContestStatWin(AppServices services, QWidget* parent = nullptr);

 Q_SIGNALS:
  /// "Show mults table" was pressed.
  void showMultsRequested();

 private:
  AppServices services_;
};

}  // namespace mirva
