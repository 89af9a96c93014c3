#include "QSOListUnit.h"

#include "session/stored_settings.h"

namespace mirva {

TQSOListWin::TQSOListWin(AppServices services, QWidget* parent)
    : ToolWindow(kQsoListSection, QStringLiteral("Contest QSO list"), parent), services_(services) {
  setObjectName(QStringLiteral("TQSOListWin"));
}

}  // namespace mirva
