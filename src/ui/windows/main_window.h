#pragma once

#include <QMainWindow>
#include <QMetaMethod>
#include <QTimer>
#include <array>
#include <vector>

#include "app_services.h"
#include "link/held_commands.h"

class QAction;
class QFileDialog;
class QToolButton;

namespace mirva {

class AdifFormatChoice;
class CheckPartialWindow;
class StatisticsWindow;
class EntryWindow;
class PreviousQsosWindow;
class QsoListWindow;
class WorkedCallsWindow;
class StationDialog;
class ContestDialog;
class ToolWindow;

/// The windows the main window shows, hides and opens; all are created before it runs.
struct MainWindows {
  StatisticsWindow* stat = nullptr;
  EntryWindow* entry = nullptr;
  PreviousQsosWindow* prev = nullptr;
  QsoListWindow* list = nullptr;
  WorkedCallsWindow* calls = nullptr;
  StationDialog* station = nullptr;
  ContestDialog* select = nullptr;
  CheckPartialWindow* partial = nullptr;
  ToolWindow* group = nullptr;
  ToolWindow* band_map = nullptr;
};

/// The main window: a narrow bar with the eight toggle buttons and the menus. Its first
/// activation sets up the remembered contest, rebuilds the totals and opens the windows that
/// were open when the program last ended.
class MainWindow : public QMainWindow {
  Q_OBJECT

 public:
  /// Loads the country file and the log.
  explicit MainWindow(AppServices services, QWidget* parent = nullptr);
  ~MainWindow() override;

  /// Also starts listening to the companion's commands, which the entry window runs.
  void Attach(const MainWindows& windows);
  /// Shows what the workspace holds: the caption, the windows, the next sent exchange and the
  /// entry file; without a contest it asks for one first, and a first start without a station
  /// asks for that. Runs after the start and after each station or contest dialog.
  void FormActivate();
  /// Adds what is wrong with the radio to the caption; an empty text takes it away.
  void ShowRadioStatus(const QString& status);
  /// Adds what the WSJT-X link last told to the caption; an empty text takes it away.
  void ShowWsjtxStatus(const QString& status);

 Q_SIGNALS:
  /// Menu items that open windows of their own; each item is enabled once something
  /// connects to its signal.
  void cwTerminalRequested();
  void cabrilloRequested();
  void reportsRequested();
  void vextalRequested();
  void aboutRequested();
  void showMultsRequested();
  void groupSettingsRequested();
  void clusterRequested();
  void historyRequested();
  void wsjtxSettingsRequested();

 protected:
  void connectNotify(const QMetaMethod& signal) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  struct ToggleButton {
    QToolButton* button = nullptr;
    ToolWindow* window = nullptr;
  };

  struct ForwardedItem {
    QAction* item;
    QMetaMethod signal;
  };

  void BuildMenus();
  QAction* ForwardItem(QAction* item, void (MainWindow::*signal)());
  void BuildMacroShortcuts();
  QToolButton* AddToggle(const char* name, const char* caption, const char* key);
  void ApplyToggles();
  void ShowCaption();
  void RunMacros(int tag);
  void Station1Click();
  void Contest1Click();
  void Clearlog1Click();
  void Exporttoadif1Click();
  /// Writes the whole log as ADIF to the file, in the ADIF the dialog's choice names; an
  /// error is shown and nothing written.
  void ExportAdif(const QString& path);
  void RestoreButtons();
  void SaveState() const;
  void CommandArrived(long wparam, long lparam);
  /// Runs the held commands in arrival order, unless a dialog or message box is open or a
  /// command is running: a command never runs inside another, nor under a box that asks
  /// about the entry. Once none waits, tells how many were dropped meanwhile, if any.
  void RunHeldCommands();

  AppServices services_;
  MainWindows windows_;
  /// In the bar's order: entry, statistics, previous QSOs, QSO list, worked calls, check
  /// partial, group, band map.
  std::array<ToggleButton, 8> toggles_;
  std::vector<ForwardedItem> forwarded_;
  /// Asks where the ADIF export goes; made on first use.
  QFileDialog* save_dialog_ = nullptr;
  AdifFormatChoice* adif_choice_ = nullptr;  ///< in save_dialog_
  /// Whether this run has asked for the station already.
  bool station_asked_ = false;
  QString radio_status_;
  QString wsjtx_status_;

  HeldCommands held_commands_;
  bool running_command_ = false;
  /// Looks again for held commands while a modal window keeps them waiting.
  QTimer held_timer_;
};

}  // namespace mirva
