#include "program.h"

#include <QScreen>
#include <algorithm>

#include "AboutUnit.h"
#include "CWTerminalUnit.h"
#include "CabrilloUnit.h"
#include "CheckPartialUnit.h"
#include "ContestSelectUnit.h"
#include "ContestStatUnit.h"
#include "EditQSOUnit.h"
#include "Main.h"
#include "MultsUnit.h"
#include "NewQSOUnit.h"
#include "OperatorsUnit.h"
#include "PrevQSOUnit.h"
#include "QSOListUnit.h"
#include "ReportPreviewUnit.h"
#include "StandartReportUnit.h"
#include "StationConfigUnit.h"
#include "VextalSettingsUnit.h"
#include "WkdCallsUnit.h"
#include "focus_keeper.h"
#include "later_windows.h"
#include "radio_link.h"

namespace mirva {

Program::Program(AppServices services)
    : main_(std::make_unique<TForm1>(services)),
      stat_(std::make_unique<TContestStatWin>(services)),
      entry_(std::make_unique<TNewQSOWin>(services)),
      prev_(std::make_unique<TPrevQSOWin>(services)),
      list_(std::make_unique<TQSOListWin>(services)),
      calls_(std::make_unique<TWorkedCallsWin>(services)),
      station_(std::make_unique<TStationConfigWin>(services, main_.get())),
      macros_(std::make_unique<PendingWindow>("TForm2")),
      edit_(std::make_unique<TEditQSOWin>(services, main_.get())),
      select_(std::make_unique<TContestSelectWin>(services, main_.get())),
      cabrillo_(std::make_unique<TCabrilloWin>(services, main_.get())),
      preview_(std::make_unique<TReportPreviewWin>(services, main_.get())),
      report_(std::make_unique<TStandardReportWin>(services, main_.get())),
      operators_(std::make_unique<TOperatorsWin>(services, report_.get())),
      about_(std::make_unique<TAboutWin>(services, main_.get())),
      mults_(std::make_unique<TMultsWin>(services)),
      cw_terminal_(std::make_unique<TCWTerminalForm>(services, main_.get())),
      vextal_(std::make_unique<TVextalWin>(services, main_.get())),
      partial_(std::make_unique<TCheckPartialWin>(services)),
      radio_(std::make_unique<RadioLink>(services)),
      // A box or dialog whose control went away leaves the keyboard in the callsign field.
      focus_keeper_(std::make_unique<FocusKeeper>(
          [this]() -> QWidget* { return entry_->isVisible() ? entry_->CallField() : nullptr; })) {
  Connect();
}

Program::~Program() = default;

void Program::Connect() {
  main_->Attach({stat_.get(), entry_.get(), prev_.get(), list_.get(), calls_.get(), station_.get(),
                 select_.get(), partial_.get()});
  QObject::connect(entry_.get(), &TNewQSOWin::workedCallsChanged, calls_.get(),
                   &TWorkedCallsWin::ShowWorkedCalls);
  QObject::connect(entry_.get(), &TNewQSOWin::previousQsosShown, prev_.get(),
                   &TPrevQSOWin::ShowPreviousQSOs);
  QObject::connect(entry_.get(), &TNewQSOWin::previousQsosCleared, prev_.get(),
                   &TPrevQSOWin::ClearPreviousQSOs);
  QObject::connect(list_.get(), &TQSOListWin::editRequested, edit_.get(), &TEditQSOWin::EditQSO);
  QObject::connect(prev_.get(), &TPrevQSOWin::editRequested, edit_.get(), &TEditQSOWin::EditQSO);
  QObject::connect(main_.get(), &TForm1::aboutRequested, about_.get(), &QDialog::open);
  QObject::connect(main_.get(), &TForm1::vextalRequested, vextal_.get(), &QDialog::open);
  QObject::connect(main_.get(), &TForm1::cwTerminalRequested, cw_terminal_.get(),
                   &TCWTerminalForm::ShowCWTerminal);
  // The multipliers window opens on the band and mode the entry window is on.
  auto show_mults = [this] {
    mults_->ShowContestMults(entry_->entry().Band, entry_->entry().Mode);
  };
  QObject::connect(stat_.get(), &TContestStatWin::showMultsRequested, mults_.get(), show_mults);
  QObject::connect(main_.get(), &TForm1::showMultsRequested, mults_.get(), show_mults);
  ConnectReports();
  ConnectCheckPartial();
  ConnectRadio();
}

void Program::ConnectCheckPartial() {
  // The entry tells of every callsign, band and mode change and of every save and clear.
  QObject::connect(entry_.get(), &TNewQSOWin::workedCallsChanged, partial_.get(), [this] {
    const QsoEntry& entry = entry_->entry();
    partial_->ShowCall(entry.Call, entry.Band, entry.Mode);
  });
  // Queued: the chosen call changes the lists, which the view that chose it is still using.
  QObject::connect(partial_.get(), &TCheckPartialWin::callChosen, entry_.get(),
                   &TNewQSOWin::PutCall, Qt::QueuedConnection);
}

void Program::ConnectRadio() {
  QObject::connect(radio_.get(), &RadioLink::bandModeChosen, entry_.get(),
                   &TNewQSOWin::FollowRadio);
  QObject::connect(radio_.get(), &RadioLink::statusChanged, main_.get(), &TForm1::ShowRadioStatus);
  // New settings, or another contest's bands and modes: the radio's place is taken anew.
  QObject::connect(vextal_.get(), &QDialog::accepted, radio_.get(), &RadioLink::Restart);
  QObject::connect(select_.get(), &QDialog::accepted, radio_.get(), &RadioLink::Restart);
}

void Program::ConnectReports() {
  QObject::connect(main_.get(), &TForm1::cabrilloRequested, cabrillo_.get(),
                   &TCabrilloWin::ShowCabrilloWin);
  QObject::connect(main_.get(), &TForm1::reportsRequested, report_.get(),
                   &TStandardReportWin::ShowStandardReportWin);
  QObject::connect(cabrillo_.get(), &TCabrilloWin::reportBuilt, preview_.get(),
                   &TReportPreviewWin::ShowReport);
  QObject::connect(report_.get(), &TStandardReportWin::reportBuilt, preview_.get(),
                   &TReportPreviewWin::ShowReport);
  QObject::connect(preview_.get(), &QDialog::finished, report_.get(),
                   &TStandardReportWin::PreviewClosed);
  QObject::connect(report_.get(), &TStandardReportWin::addOperatorRequested, operators_.get(),
                   &TOperatorsWin::ShowLastLeft);
  QObject::connect(report_.get(), &TStandardReportWin::editOperatorRequested, operators_.get(),
                   &TOperatorsWin::ShowOperator);
  QObject::connect(operators_.get(), &TOperatorsWin::operatorEntered, report_.get(),
                   &TStandardReportWin::OperatorEntered);
}

void Program::ArrangeDefaults() {
  // Without stored placements the windows open side by side below the main bar, the entry
  // window first under it, so that nothing hides anything on a first start.
  QRect screen = main_->screen()->availableGeometry();
  auto place = [&screen](ToolWindow& window, QPoint at) {
    QSize size = window.FirstSize();
    at.setX(std::max(screen.left(), std::min(at.x(), screen.right() - size.width())));
    at.setY(std::max(screen.top(), std::min(at.y(), screen.bottom() - size.height())));
    window.SetDefaultPlacement(at);
  };
  constexpr int kGap = 16;
  constexpr int kFrame = 40;  // room for a window manager's title bar
  QPoint entry = screen.topLeft() + QPoint(8, 118);
  place(*entry_, entry);
  QPoint right = entry + QPoint(entry_->FirstSize().width() + kGap, 0);
  place(*calls_, right);
  // The check partial window stands under the calls, so the statistics go right of the wider.
  int column = std::max(calls_->FirstSize().width(), partial_->FirstSize().width());
  place(*stat_, right + QPoint(column + kGap, 0));
  QPoint below = entry + QPoint(0, entry_->FirstSize().height() + kFrame);
  place(*list_, below);
  place(*prev_, below + QPoint(0, list_->FirstSize().height() + kFrame));
  place(*partial_, right + QPoint(0, calls_->FirstSize().height() + kFrame));
}

void Program::Start() {
  ArrangeDefaults();
  main_->show();
  main_->FormActivate();
  radio_->Restart();
}

}  // namespace mirva
