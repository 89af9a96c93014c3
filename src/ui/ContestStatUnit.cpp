#include "ContestStatUnit.h"

#include "session/stored_settings.h"

namespace mirva {

TContestStatWin::TContestStatWin(AppServices services, QWidget* parent)
    : ToolWindow(kStatSection, QStringLiteral("Contest statistic"), parent), services_(services) {
  setObjectName(QStringLiteral("TContestStatWin"));
}

}  // namespace mirva
