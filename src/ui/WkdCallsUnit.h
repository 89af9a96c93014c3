#pragma once

#include <vector>

#include "app_services.h"
#include "session/qso_entry.h"
#include "tool_window.h"

namespace mirva {

/// The worked-calls window: the logged calls that contain the typed callsign, those that can
/// be worked again in bold blue.
class TWorkedCallsWin : public ToolWindow {
  Q_OBJECT

 public:
  explicit TWorkedCallsWin(AppServices services, QWidget* parent = nullptr);

  void ShowWorkedCalls(const std::vector<WorkedCall>& calls);

 private:
  AppServices services_;
};

}  // namespace mirva
