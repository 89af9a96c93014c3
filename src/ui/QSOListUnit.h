#pragma once

#include <cstddef>

#include "app_services.h"
#include "tool_window.h"

namespace mirva {

/// The QSO list: every QSO of the log, with edit and delete. It follows the session's log.
class TQSOListWin : public ToolWindow {
  Q_OBJECT

 public:
  explicit TQSOListWin(AppServices services, QWidget* parent = nullptr);

 Q_SIGNALS:
  /// The operator asked to edit QSO `index` of the log.
  void editRequested(std::size_t index);

 private:
  AppServices services_;
};

}  // namespace mirva
