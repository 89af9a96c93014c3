#include "PrevQSOUnit.h"

#include "session/stored_settings.h"

namespace mirva {

TPrevQSOWin::TPrevQSOWin(AppServices services, QWidget* parent)
    : ToolWindow(kPrevQsoSection, QStringLiteral("Previous QSO"), parent), services_(services) {
  setObjectName(QStringLiteral("TPrevQSOWin"));
}

void TPrevQSOWin::ShowPreviousQSOs() {}

void TPrevQSOWin::ClearPreviousQSOs() {}

}  // namespace mirva
