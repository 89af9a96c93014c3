#include "NewQSOUnit.h"

#include "session/stored_settings.h"

namespace mirva {

TNewQSOWin::TNewQSOWin(AppServices services, QWidget* parent)
    : ToolWindow(kEntrySection, QStringLiteral("New QSO"), parent),
      services_(services),
      entry_(services.session, services.clock) {
  setObjectName(QStringLiteral("TNewQSOWin"));
}

void TNewQSOWin::FormActivate() {
  entry_.Activate();
}

void TNewQSOWin::EmptyLists() {
  entry_.Band.clear();
  entry_.Mode.clear();
}

void TNewQSOWin::ShowNextSent() {}

void TNewQSOWin::PublishEntry() {}

void TNewQSOWin::bSaveClick() {}

void TNewQSOWin::ClearButtonClick() {}

}  // namespace mirva
