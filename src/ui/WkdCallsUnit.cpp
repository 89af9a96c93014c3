#include "WkdCallsUnit.h"

#include "session/stored_settings.h"

namespace mirva {

TWorkedCallsWin::TWorkedCallsWin(AppServices services, QWidget* parent)
    : ToolWindow(kCallsSection, QStringLiteral("Calls"), parent), services_(services) {
  setObjectName(QStringLiteral("TWorkedCallsWin"));
}

void TWorkedCallsWin::ShowWorkedCalls(const std::vector<WorkedCall>&) {}

}  // namespace mirva
