#include "program.h"

#include <QScreen>
#include <algorithm>

#include "dialogs/about_dialog.h"
#include "dialogs/cabrillo_dialog.h"
#include "dialogs/cluster_dialog.h"
#include "dialogs/contest_dialog.h"
#include "dialogs/cw_terminal_dialog.h"
#include "dialogs/edit_qso_dialog.h"
#include "dialogs/group_dialog.h"
#include "dialogs/history_dialog.h"
#include "dialogs/later_windows.h"
#include "dialogs/operator_dialog.h"
#include "dialogs/radio_dialog.h"
#include "dialogs/report_preview_dialog.h"
#include "dialogs/station_dialog.h"
#include "dialogs/summary_dialog.h"
#include "dialogs/wsjtx_dialog.h"
#include "focus_keeper.h"
#include "group_session.h"
#include "history/call_history_loader.h"
#include "radio/radio_link.h"
#include "reference/band_plan.h"
#include "session/session.h"
#include "spots/spot_feeds.h"
#include "stored_state.h"
#include "text/cp1251.h"
#include "text/utf8_path.h"
#include "ui_text.h"
#include "window_layout.h"
#include "windows/band_map_window.h"
#include "windows/check_partial_window.h"
#include "windows/entry_window.h"
#include "windows/group_window.h"
#include "windows/main_window.h"
#include "windows/multipliers_window.h"
#include "windows/previous_qsos_window.h"
#include "windows/qso_list_window.h"
#include "windows/statistics_window.h"
#include "windows/worked_calls_window.h"
#include "workspace/workspace.h"
#include "wsjtx/wsjtx_link.h"

namespace mirva {

Program::Program(AppServices services)
    : workspace_(services.workspace),
      notifier_(services.notifier),
      clock_(services.clock),
      band_plan_(InitialBandPlan()),
      main_(std::make_unique<MainWindow>(services)),
      stat_(std::make_unique<StatisticsWindow>(services)),
      entry_(std::make_unique<EntryWindow>(services)),
      prev_(std::make_unique<PreviousQsosWindow>(services)),
      list_(std::make_unique<QsoListWindow>(services)),
      calls_(std::make_unique<WorkedCallsWindow>(services)),
      station_(std::make_unique<StationDialog>(services, main_.get())),
      macros_(std::make_unique<PendingWindow>("TForm2")),
      edit_(std::make_unique<EditQsoDialog>(services, main_.get())),
      select_(std::make_unique<ContestDialog>(services, main_.get())),
      cabrillo_(std::make_unique<CabrilloDialog>(services, main_.get())),
      preview_(std::make_unique<ReportPreviewDialog>(services, main_.get())),
      report_(std::make_unique<SummaryDialog>(services, main_.get())),
      operators_(std::make_unique<OperatorDialog>(services, report_.get())),
      about_(std::make_unique<AboutDialog>(services, main_.get())),
      mults_(std::make_unique<MultipliersWindow>(services)),
      cw_terminal_(std::make_unique<CwTerminalDialog>(services, main_.get())),
      vextal_(std::make_unique<RadioDialog>(services, main_.get())),
      partial_(std::make_unique<CheckPartialWindow>(services)),
      group_(std::make_unique<GroupSession>(services.session, services.clock)),
      group_window_(std::make_unique<GroupWindow>(*group_)),
      group_dialog_(std::make_unique<GroupDialog>(services, *group_, main_.get())),
      band_map_(std::make_unique<BandMapWindow>()),
      cluster_(std::make_unique<ClusterDialog>(services, main_.get())),
      spot_feeds_(std::make_unique<SpotFeeds>(services)),
      history_dialog_(std::make_unique<HistoryDialog>(services, main_.get())),
      history_(std::make_unique<CallHistoryLoader>(services.session)),
      wsjtx_dialog_(std::make_unique<WsjtxDialog>(services, main_.get())),
      wsjtx_(std::make_unique<WsjtxLink>(services)),
      radio_(std::make_unique<RadioLink>(services)),
      // A box or dialog whose control went away leaves the keyboard in the callsign field.
      focus_keeper_(std::make_unique<FocusKeeper>(
          [this]() -> QWidget* { return entry_->isVisible() ? entry_->CallField() : nullptr; })) {
  Connect();
}

Program::~Program() {
  workspace_.session().RemoveListener(log_watcher_.get());
}

void Program::Connect() {
  main_->Attach({stat_.get(), entry_.get(), prev_.get(), list_.get(), calls_.get(), station_.get(),
                 select_.get(), partial_.get(), group_window_.get(), band_map_.get()});
  QObject::connect(entry_.get(), &EntryWindow::workedCallsChanged, calls_.get(),
                   &WorkedCallsWindow::ShowWorkedCalls);
  QObject::connect(entry_.get(), &EntryWindow::previousQsosShown, prev_.get(),
                   &PreviousQsosWindow::ShowPreviousQSOs);
  QObject::connect(entry_.get(), &EntryWindow::previousQsosCleared, prev_.get(),
                   &PreviousQsosWindow::ClearPreviousQSOs);
  QObject::connect(list_.get(), &QsoListWindow::editRequested, edit_.get(),
                   &EditQsoDialog::EditQSO);
  QObject::connect(prev_.get(), &PreviousQsosWindow::editRequested, edit_.get(),
                   &EditQsoDialog::EditQSO);
  QObject::connect(main_.get(), &MainWindow::aboutRequested, about_.get(), &QDialog::open);
  QObject::connect(main_.get(), &MainWindow::vextalRequested, vextal_.get(), &QDialog::open);
  QObject::connect(main_.get(), &MainWindow::cwTerminalRequested, cw_terminal_.get(),
                   &CwTerminalDialog::ShowCWTerminal);
  // The multipliers window opens on the band and mode the entry window is on.
  auto show_mults = [this] {
    mults_->ShowContestMults(entry_->entry().Band, entry_->entry().Mode);
  };
  QObject::connect(stat_.get(), &StatisticsWindow::showMultsRequested, mults_.get(), show_mults);
  QObject::connect(main_.get(), &MainWindow::showMultsRequested, mults_.get(), show_mults);
  ConnectReports();
  ConnectCheckPartial();
  ConnectRadio();
  ConnectBandMap();
  ConnectWsjtx();
  QObject::connect(main_.get(), &MainWindow::groupSettingsRequested, group_dialog_.get(),
                   &QDialog::open);
  QObject::connect(main_.get(), &MainWindow::clusterRequested, cluster_.get(), &QDialog::open);
  QObject::connect(cluster_.get(), &QDialog::accepted, spot_feeds_.get(), &SpotFeeds::Restart);
  QObject::connect(main_.get(), &MainWindow::historyRequested, history_dialog_.get(),
                   &QDialog::open);
  QObject::connect(history_dialog_.get(), &QDialog::accepted, history_.get(),
                   [this] { LoadCallHistory(); });
  // What the files gave is told without a box, so the keyboard stays in the entry.
  QObject::connect(history_.get(), &CallHistoryLoader::loaded, entry_.get(), [this] {
    entry_->ShowCallHistory(history_->Summary());
    history_dialog_->ShowReports(history_->reports());
  });
  // Another contest may number its QSOs or not: the group's serial numbers follow it.
  QObject::connect(select_.get(), &QDialog::accepted, group_.get(),
                   [this] { group_->Start(workspace_.settings().group); });
  // Numbers from the group become the proposal of a QSO not yet begun.
  QObject::connect(group_.get(), &GroupSession::serialsArrived, entry_.get(), [this] {
    if (entry_->entry().Call.empty())
      entry_->ShowNextSent();
  });
  // The other stations see on which band and mode this one is.
  QObject::connect(entry_.get(), &EntryWindow::workedCallsChanged, group_.get(),
                   [this] { group_->FollowEntry(entry_->entry().Band, entry_->entry().Mode); });
}

void Program::ConnectCheckPartial() {
  // The entry tells of every callsign, band and mode change and of every save and clear.
  QObject::connect(entry_.get(), &EntryWindow::workedCallsChanged, partial_.get(), [this] {
    const QsoEntry& entry = entry_->entry();
    partial_->ShowCall(entry.Call, entry.Band, entry.Mode);
  });
  // Queued: the chosen call changes the lists, which the view that chose it is still using.
  QObject::connect(partial_.get(), &CheckPartialWindow::callChosen, entry_.get(),
                   &EntryWindow::PutCall, Qt::QueuedConnection);
}

void Program::ConnectRadio() {
  QObject::connect(radio_.get(), &RadioLink::bandModeChosen, entry_.get(),
                   &EntryWindow::FollowRadio);
  QObject::connect(radio_.get(), &RadioLink::statusChanged, main_.get(),
                   &MainWindow::ShowRadioStatus);
  // New settings, or another contest's bands and modes: the radio's place is taken anew.
  QObject::connect(vextal_.get(), &QDialog::accepted, radio_.get(), &RadioLink::Restart);
  QObject::connect(select_.get(), &QDialog::accepted, radio_.get(), &RadioLink::Restart);
}

void Program::ConnectReports() {
  QObject::connect(main_.get(), &MainWindow::cabrilloRequested, cabrillo_.get(),
                   &CabrilloDialog::ShowCabrilloWin);
  QObject::connect(main_.get(), &MainWindow::reportsRequested, report_.get(),
                   &SummaryDialog::ShowStandardReportWin);
  QObject::connect(cabrillo_.get(), &CabrilloDialog::reportBuilt, preview_.get(),
                   &ReportPreviewDialog::ShowReport);
  QObject::connect(report_.get(), &SummaryDialog::reportBuilt, preview_.get(),
                   &ReportPreviewDialog::ShowReport);
  QObject::connect(preview_.get(), &QDialog::finished, report_.get(),
                   &SummaryDialog::PreviewClosed);
  QObject::connect(report_.get(), &SummaryDialog::addOperatorRequested, operators_.get(),
                   &OperatorDialog::ShowLastLeft);
  QObject::connect(report_.get(), &SummaryDialog::editOperatorRequested, operators_.get(),
                   &OperatorDialog::ShowOperator);
  QObject::connect(operators_.get(), &OperatorDialog::operatorEntered, report_.get(),
                   &SummaryDialog::OperatorEntered);
}

void Program::ArrangeDefaults() {
  for (ToolWindow* window :
       std::initializer_list<ToolWindow*>{entry_.get(), list_.get(), prev_.get(), calls_.get(),
                                          partial_.get(), stat_.get(), mults_.get()})
    window->SetDefaultPlacement([this, window] { return DefaultFrame(*window); });
  // The group window, opened in group operation only, keeps its own size at the screen's
  // right, over the statistics, rather than narrow every column for it.
  group_window_->SetDefaultPlacement([this] {
    QRect screen = main_->screen()->availableGeometry();
    QRect frame(QPoint(), group_window_->FirstSize().grownBy(kAssumedFrame));
    frame.moveTopRight(QPoint(screen.right() - 6, main_->frameGeometry().bottom() + 7));
    return PullOnto(frame, screen);
  });
  // The band map, opened when a cluster is followed, takes a tall strip at the screen's right.
  band_map_->SetDefaultPlacement([this] {
    QRect screen = main_->screen()->availableGeometry();
    int top = main_->frameGeometry().bottom() + 7;
    QRect frame(QPoint(), QSize(band_map_->FirstSize().grownBy(kAssumedFrame).width(),
                                screen.bottom() - top - 6));
    frame.moveTopRight(QPoint(screen.right() - 6, top));
    return PullOnto(frame, screen);
  });
}

QRect Program::DefaultFrame(const ToolWindow& window) {
  if (default_frames_.empty()) {
    // The windows open as columns that fill the screen below the main bar without covering
    // each other: the entry window over the log lists, the calls over the check partial
    // window, the statistics over the multipliers.
    constexpr int kGap = 6;
    QRect screen = main_->screen()->availableGeometry();
    QRect bar = main_->geometry().marginsAdded(kAssumedFrame);
    QRect area = screen.adjusted(kGap, 0, -kGap, -kGap);
    area.setTop(std::max(screen.top(), bar.bottom() + 1 + kGap));
    auto sizes = [](const ToolWindow& shown) {
      QSize least = shown.minimumSizeHint().expandedTo(shown.minimumSize());
      return TileSizes{shown.FirstSize().grownBy(kAssumedFrame), least.grownBy(kAssumedFrame)};
    };
    const std::vector<std::vector<const ToolWindow*>> windows = {
        {entry_.get(), list_.get(), prev_.get()},
        {calls_.get(), partial_.get()},
        {stat_.get(), mults_.get()}};
    std::vector<std::vector<TileSizes>> columns;
    for (const std::vector<const ToolWindow*>& column : windows) {
      std::vector<TileSizes>& sized = columns.emplace_back();
      for (const ToolWindow* shown : column) {
        sized.push_back(sizes(*shown));
        // The entry's fields gain nothing from room beyond their own, and the multipliers,
        // opened now and then, take the statistics' width rather than widen it.
        if (shown == entry_.get())
          sized.back().maximum = sized.back().natural;
        if (shown == mults_.get())
          sized.back().natural.setWidth(sized.back().minimum.width());
      }
    }
    std::vector<std::vector<QRect>> frames = TileColumns(area, columns, kGap);
    for (std::size_t c = 0; c < windows.size(); ++c) {
      for (std::size_t w = 0; w < windows[c].size(); ++w)
        default_frames_[windows[c][w]] = PullOnto(frames[c][w], screen);
    }
  }
  return default_frames_[&window];
}

void Program::Start() {
  LastValues last = ReadLastValues();
  StartOptions options;
  options.last = &last;
  StartResult started = workspace_.Start(options);
  ArrangeDefaults();
  main_->show();
  main_->FormActivate();
  if (!started.notice.empty())
    notifier_.ShowMessage(started.notice);
  radio_->Restart();
  // The band map shows the entry's band from the start, not only after the entry's first change.
  band_map_->FollowEntry(ToQt(entry_->entry().Band), ToQt(entry_->entry().Mode));
  ShowBandPlan();
  ShowClusterSettings();
  group_->Start(workspace_.settings().group);
  spot_feeds_->Restart();
  wsjtx_->SetBandPlan(band_plan_);
  wsjtx_->Restart();
  LoadCallHistory();
}

void Program::LoadCallHistory() {
  std::vector<std::string> paths;
  for (const std::string& path : HistoryPaths(workspace_.settings().history_files))
    paths.push_back(Cp1251ToUtf8(path));
  history_->Load(std::move(paths), ParentPath(workspace_.session().PathOf(kWorkspaceFileName)));
}

}  // namespace mirva
