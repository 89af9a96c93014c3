#pragma once

#include <cstddef>

#include "app_services.h"
#include "tool_window.h"

namespace mirva {

/// The previous-QSO window: the earlier QSOs with the callsign just typed.
class TPrevQSOWin : public ToolWindow {
  Q_OBJECT

 public:
  explicit TPrevQSOWin(AppServices services, QWidget* parent = nullptr);

  /// Shows the session's PrevQSOs.
  void ShowPreviousQSOs();
  /// Empties the grid to a single empty row.
  void ClearPreviousQSOs();

 Q_SIGNALS:
  /// The operator asked to edit QSO `index` of the log.
  void editRequested(std::size_t index);

 private:
  AppServices services_;
};

}  // namespace mirva
