#pragma once

#include <QRect>
#include <map>
#include <memory>

#include "app_services.h"
#include "reference/band_plan.h"
#include "session/session_listener.h"
#include "spots/spot.h"

namespace mirva {

class MainWindow;
class CheckPartialWindow;
class StatisticsWindow;
class EntryWindow;
class PreviousQsosWindow;
class QsoListWindow;
class WorkedCallsWindow;
class StationDialog;
class EditQsoDialog;
class ContestDialog;
class MultipliersWindow;
class PendingWindow;
class AboutDialog;
class RadioDialog;
class CwTerminalDialog;
class CabrilloDialog;
class ReportPreviewDialog;
class SummaryDialog;
class OperatorDialog;
class RadioLink;
class FocusKeeper;
class ToolWindow;
class Workspace;
class Notifier;
class GroupSession;
class GroupWindow;
class GroupDialog;
class BandMapWindow;
class ClusterDialog;
class SpotFeeds;
class HistoryDialog;
class CallHistoryLoader;
class WsjtxDialog;
class WsjtxLink;

/// Every window of the program, created once in their fixed order with the main window
/// first, and wired to each other's signals; they live until the program ends.
class Program {
 public:
  /// Creates the windows, in any order; nothing is loaded yet.
  explicit Program(AppServices services);
  ~Program();
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  /// Starts the workspace (the log, the station and the contest the working directory keeps,
  /// or the user's last ones on its first opening), shows the main window with what the start
  /// left to do, and starts following the radio. Throws IoError when the log cannot be read.
  void Start();

  MainWindow& main() const { return *main_; }
  StatisticsWindow& stat() const { return *stat_; }
  EntryWindow& entry() const { return *entry_; }
  PreviousQsosWindow& prev() const { return *prev_; }
  QsoListWindow& list() const { return *list_; }
  WorkedCallsWindow& calls() const { return *calls_; }
  StationDialog& station() const { return *station_; }
  EditQsoDialog& edit() const { return *edit_; }
  ContestDialog& select() const { return *select_; }
  AboutDialog& about() const { return *about_; }
  RadioDialog& vextal() const { return *vextal_; }
  CwTerminalDialog& cwTerminal() const { return *cw_terminal_; }
  CabrilloDialog& cabrillo() const { return *cabrillo_; }
  ReportPreviewDialog& preview() const { return *preview_; }
  SummaryDialog& report() const { return *report_; }
  OperatorDialog& operators() const { return *operators_; }
  MultipliersWindow& mults() const { return *mults_; }
  CheckPartialWindow& partial() const { return *partial_; }
  RadioLink& radio() const { return *radio_; }
  GroupSession& group() const { return *group_; }
  GroupWindow& groupWindow() const { return *group_window_; }
  GroupDialog& groupDialog() const { return *group_dialog_; }
  BandMapWindow& bandMap() const { return *band_map_; }
  ClusterDialog& cluster() const { return *cluster_; }
  SpotFeeds& spotFeeds() const { return *spot_feeds_; }
  HistoryDialog& historyDialog() const { return *history_dialog_; }
  CallHistoryLoader& historyLoader() const { return *history_; }
  WsjtxDialog& wsjtxDialog() const { return *wsjtx_dialog_; }
  WsjtxLink& wsjtx() const { return *wsjtx_; }

 private:
  void Connect();
  void ConnectReports();
  void ConnectCheckPartial();
  void ConnectRadio();
  /// The band map shows the spots of the cluster and the group, weighed against the log, and
  /// a chosen spot tunes the radio and fills the entry.
  void ConnectBandMap();
  void ConnectSpotSources();
  /// QSOs announced by WSJT-X or JTDX are logged, told in the main caption, and followed by
  /// the entry as a change of the log made elsewhere.
  void ConnectWsjtx();
  /// The band plan and the spot age as stored now.
  void ShowBandPlan();
  void ShowClusterSettings();
  /// Reads the call history files the working directory keeps, off the window thread.
  void LoadCallHistory();
  SpotWorth Weigh(const Spot& spot) const;
  void ChooseSpot(const Spot& spot);
  void ArrangeDefaults();
  /// Where a window opens without a stored placement: the first start's tiling, worked out
  /// when the first window shows, since the entry window's size waits for the contest.
  QRect DefaultFrame(const ToolWindow& window);

  Workspace& workspace_;
  Notifier& notifier_;
  Clock& clock_;
  /// What the spots are weighed under: the band plan as stored.
  BandPlan band_plan_;
  /// Tells the band map of every change of the log or contest.
  std::unique_ptr<SessionListener> log_watcher_;
  std::unique_ptr<MainWindow> main_;
  std::unique_ptr<StatisticsWindow> stat_;
  std::unique_ptr<EntryWindow> entry_;
  std::unique_ptr<PreviousQsosWindow> prev_;
  std::unique_ptr<QsoListWindow> list_;
  std::unique_ptr<WorkedCallsWindow> calls_;
  std::unique_ptr<StationDialog> station_;
  std::unique_ptr<PendingWindow> macros_;
  std::unique_ptr<EditQsoDialog> edit_;
  std::unique_ptr<ContestDialog> select_;
  std::unique_ptr<CabrilloDialog> cabrillo_;
  std::unique_ptr<ReportPreviewDialog> preview_;
  std::unique_ptr<SummaryDialog> report_;
  std::unique_ptr<OperatorDialog> operators_;
  std::unique_ptr<AboutDialog> about_;
  std::unique_ptr<MultipliersWindow> mults_;
  std::unique_ptr<CwTerminalDialog> cw_terminal_;
  std::unique_ptr<RadioDialog> vextal_;
  std::unique_ptr<CheckPartialWindow> partial_;
  std::unique_ptr<GroupSession> group_;
  std::unique_ptr<GroupWindow> group_window_;
  std::unique_ptr<GroupDialog> group_dialog_;
  std::unique_ptr<BandMapWindow> band_map_;
  std::unique_ptr<ClusterDialog> cluster_;
  std::unique_ptr<SpotFeeds> spot_feeds_;
  std::unique_ptr<HistoryDialog> history_dialog_;
  std::unique_ptr<CallHistoryLoader> history_;
  std::unique_ptr<WsjtxDialog> wsjtx_dialog_;
  std::unique_ptr<WsjtxLink> wsjtx_;
  /// Last, so that it stops asking the radio before any window goes.
  std::unique_ptr<RadioLink> radio_;
  std::unique_ptr<FocusKeeper> focus_keeper_;
  std::map<const ToolWindow*, QRect> default_frames_;
};

}  // namespace mirva
