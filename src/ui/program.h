#pragma once

#include <memory>

#include "app_services.h"

namespace mirva {

class TForm1;
class TCheckPartialWin;
class TContestStatWin;
class TNewQSOWin;
class TPrevQSOWin;
class TQSOListWin;
class TWorkedCallsWin;
class TStationConfigWin;
class TEditQSOWin;
class TContestSelectWin;
class TMultsWin;
class PendingWindow;
class TAboutWin;
class TVextalWin;
class TCWTerminalForm;
class TCabrilloWin;
class TReportPreviewWin;
class TStandardReportWin;
class TOperatorsWin;
class RadioLink;
class FocusKeeper;

/// Every window of the program, created once in their fixed order with the main window
/// first, and wired to each other's signals; they live until the program ends.
class Program {
 public:
  /// Creates the windows; the main window's creation loads the country file and the log.
  explicit Program(AppServices services);
  ~Program();
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  /// Shows the main window, runs its first activation and starts following the radio.
  void Start();

  TForm1& main() const { return *main_; }
  TContestStatWin& stat() const { return *stat_; }
  TNewQSOWin& entry() const { return *entry_; }
  TPrevQSOWin& prev() const { return *prev_; }
  TQSOListWin& list() const { return *list_; }
  TWorkedCallsWin& calls() const { return *calls_; }
  TStationConfigWin& station() const { return *station_; }
  TEditQSOWin& edit() const { return *edit_; }
  TContestSelectWin& select() const { return *select_; }
  TAboutWin& about() const { return *about_; }
  TVextalWin& vextal() const { return *vextal_; }
  TCWTerminalForm& cwTerminal() const { return *cw_terminal_; }
  TCabrilloWin& cabrillo() const { return *cabrillo_; }
  TReportPreviewWin& preview() const { return *preview_; }
  TStandardReportWin& report() const { return *report_; }
  TOperatorsWin& operators() const { return *operators_; }
  TMultsWin& mults() const { return *mults_; }
  TCheckPartialWin& partial() const { return *partial_; }
  RadioLink& radio() const { return *radio_; }

 private:
  void Connect();
  void ConnectReports();
  void ConnectCheckPartial();
  void ConnectRadio();
  void ArrangeDefaults();

  std::unique_ptr<TForm1> main_;
  std::unique_ptr<TContestStatWin> stat_;
  std::unique_ptr<TNewQSOWin> entry_;
  std::unique_ptr<TPrevQSOWin> prev_;
  std::unique_ptr<TQSOListWin> list_;
  std::unique_ptr<TWorkedCallsWin> calls_;
  std::unique_ptr<TStationConfigWin> station_;
  std::unique_ptr<PendingWindow> macros_;
  std::unique_ptr<TEditQSOWin> edit_;
  std::unique_ptr<TContestSelectWin> select_;
  std::unique_ptr<TCabrilloWin> cabrillo_;
  std::unique_ptr<TReportPreviewWin> preview_;
  std::unique_ptr<TStandardReportWin> report_;
  std::unique_ptr<TOperatorsWin> operators_;
  std::unique_ptr<TAboutWin> about_;
  std::unique_ptr<TMultsWin> mults_;
  std::unique_ptr<TCWTerminalForm> cw_terminal_;
  std::unique_ptr<TVextalWin> vextal_;
  std::unique_ptr<TCheckPartialWin> partial_;
  /// Last, so that it stops asking the radio before any window goes.
  std::unique_ptr<RadioLink> radio_;
  std::unique_ptr<FocusKeeper> focus_keeper_;
};

}  // namespace mirva
