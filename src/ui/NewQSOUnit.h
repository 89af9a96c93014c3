#pragma once

#include <vector>

#include "app_services.h"
#include "session/qso_entry.h"
#include "tool_window.h"

namespace mirva {

/// The entry window: the operator logs each contact here from the keyboard. It draws what
/// the entry logic (QsoEntry) decides and hands it every edit, key and save.
class TNewQSOWin : public ToolWindow {
  Q_OBJECT

 public:
  explicit TNewQSOWin(AppServices services, QWidget* parent = nullptr);

  /// Fills the mode and band lists and the multiplier grid for the contest where empty.
  void FormActivate();
  /// Empties the mode and band lists, so that the next FormActivate fills them anew.
  void EmptyLists();
  /// Puts the next sent exchange into eSent; an error is shown and leaves it empty.
  void ShowNextSent();
  /// Mirrors the whole entry into the shared entry file.
  void PublishEntry();
  void bSaveClick();
  void ClearButtonClick();
  const QsoEntry& entry() const { return entry_; }

 Q_SIGNALS:
  /// The logged calls that contain the typed callsign, after every callsign, band or mode
  /// change.
  void workedCallsChanged(const std::vector<WorkedCall>& calls);
  /// The callsign field was left: the session's PrevQSOs hold its earlier QSOs.
  void previousQsosShown();
  /// The callsign changed, or the entry was saved or cleared.
  void previousQsosCleared();

 private:
  AppServices services_;
  QsoEntry entry_;
};

}  // namespace mirva
