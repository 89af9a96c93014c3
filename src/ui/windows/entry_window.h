#pragma once

#include <QTimer>
#include <optional>
#include <vector>

#include "app_services.h"
#include "link/companion_command.h"
#include "log/input_rule.h"
#include "session/entry_command.h"
#include "session/qso_entry.h"
#include "session/session_listener.h"
#include "widgets/tool_window.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace mirva {

class ValueLabel;

/// The entry window: the operator logs each contact here from the keyboard. It draws what
/// the entry logic (QsoEntry) decides and hands it every edit, key and save. A change of the
/// log made elsewhere redraws the typed callsign's status and worked calls at once.
class EntryWindow : public ToolWindow, public SessionListener, private EntryCommandWatcher {
  Q_OBJECT

 public:
  explicit EntryWindow(AppServices services, QWidget* parent = nullptr);
  ~EntryWindow() override;

  /// Fills the mode and band lists and the multiplier grid for the contest where empty.
  void FormActivate();
  /// Empties the mode and band lists, so that the next FormActivate fills them anew from
  /// another contest; the band and mode in use stay where that contest has them.
  void EmptyLists();
  /// Puts the next sent exchange into eSent; an error is shown and leaves it empty.
  void ShowNextSent();
  /// Mirrors the whole entry into the shared entry file.
  void PublishEntry();
  void bSaveClick();
  void ClearButtonClick();
  /// Puts the callsign into eCall as if the operator had typed it, and the focus at its end.
  void PutCall(const QString& call);
  /// Activates the window with the keyboard in the callsign field, the caret at its end.
  void FocusCall();
  QWidget* CallField() const;
  /// Puts the entry on the band and mode the radio is on, as the operator's own choice in the
  /// lists would; an empty one, or one the lists lack, stays as it is.
  void FollowRadio(const QString& band, const QString& mode);
  /// The session reads another call history: the typed callsign's name and text are shown
  /// from it, and `summary`, what the load gave, while no callsign is typed.
  void ShowCallHistory(const QString& summary);
  const QsoEntry& entry() const { return entry_; }
  /// Runs a companion's command on the entry as if the operator had typed the fields it
  /// loads and pressed the save button; the reply to broadcast, when the code has one.
  std::optional<CommandReply> RunCompanionCommand(long wparam, long lparam);
  /// Looks the typed callsign up again in the log as it now stands, the fields as typed.
  void FollowLog();

 Q_SIGNALS:
  /// The logged calls that contain the typed callsign, after every callsign, band or mode
  /// change, and after the log changed under them.
  void workedCallsChanged(const std::vector<WorkedCall>& calls);
  /// The callsign field was left: the session's PrevQSOs hold its earlier QSOs.
  void previousQsosShown();
  /// The callsign changed, or the entry was saved or cleared.
  void previousQsosCleared();

 protected:
  /// The window sees every key of its controls first.
  bool eventFilter(QObject* watched, QEvent* event) override;
  /// The callsign field takes the keyboard whenever the window is shown.
  void showEvent(QShowEvent* event) override;

 private:
  QLineEdit* AddEdit(const char* name, const InputField* field, bool upper_case);
  void BuildControls();
  void BuildLayout();
  void ConnectEdits();
  /// Handles a key of the window's own; true when the key goes no further.
  bool WindowKey(QObject* watched, const QKeyEvent& key);

  void QsoChanged(std::size_t) override { FollowLog(); }
  void LogReplaced() override { FollowLog(); }

  void eCallChange();
  void eCallExit();
  void eRcvdChange();
  void cbModeChange();
  void cbBandChange();
  /// The change handling of a typed field the entry already holds.
  void FieldChanged(EntryField field);
  /// Tells the other windows what the change of the field did to the entry.
  void ShowChange(EntryField field);
  void rcUTCGetTime();
  /// Runs an entry operation and shows the whole entry as it left it.
  template <typename Operation>
  bool Apply(Operation&& operation);

  /// Copies the entry's fields and view into the controls without running their handlers.
  void ShowEntry();
  void ShowMults();
  void ShowStatusLine();
  /// The call history's name and user text for the typed callsign, else the load's summary.
  void ShowHistoryLine();
  void FocusAtEnd(QLineEdit* edit);
  /// Moves the keyboard to the received exchange: a proposal is selected, so that the first
  /// key typed replaces it; a typed exchange gets the caret at its end.
  void EnterRcvd();
  /// Takes the band and mode of the last run; the lists show them once they are filled.
  void StoreBandMode();
  /// Moves the keyboard on after a save, and tells the other windows of a QSO logged.
  void ShowSave(SaveOutcome outcome);
  // A companion's command shows each step as the operator's typing would.
  void FieldSet(EntryField field) override;
  void SaveEnded(SaveOutcome outcome) override;

  AppServices services_;
  QsoEntry entry_;
  QTimer clock_timer_;
  /// Whether the band and mode the log keeps were put into the entry.
  bool band_mode_restored_ = false;
  QLineEdit* eDate_;
  QLineEdit* eTime_;
  QLabel* rcUTC_;
  QComboBox* cbMode_;
  QComboBox* cbBand_;
  QLineEdit* eCall_;
  QLineEdit* eRST_S_;
  QLineEdit* eSent_;
  QLineEdit* eRST_R_;
  QLineEdit* eRcvd_;
  QLineEdit* eNote_;
  QPushButton* bSave_;
  QPushButton* ClearButton_;
  ValueLabel* CountryLbl_;
  ValueLabel* ContLbl_;
  ValueLabel* ITULbl_;
  ValueLabel* CQLbl_;
  ValueLabel* HeadLbl_;
  QLabel* lblStatus_;
  /// Says when the received exchange cannot count; one line that stays, empty or not.
  QLabel* lblWarning_;
  /// The call history's name and user text of the typed callsign.
  QLabel* lblHistory_;
  QString history_summary_;
  QTableWidget* sgMults_;
};

}  // namespace mirva
