#include <QDialog>

#include "dialogs/contest_dialog.h"
#include "dialogs/radio_dialog.h"
#include "dialogs/wsjtx_dialog.h"
#include "program.h"
#include "windows/entry_window.h"
#include "windows/main_window.h"
#include "wsjtx/wsjtx_link.h"

namespace mirva {

void Program::ConnectWsjtx() {
  QObject::connect(main_.get(), &MainWindow::wsjtxSettingsRequested, wsjtx_dialog_.get(),
                   &QDialog::open);
  QObject::connect(wsjtx_dialog_.get(), &QDialog::accepted, wsjtx_.get(), &WsjtxLink::Restart);
  QObject::connect(wsjtx_.get(), &WsjtxLink::statusChanged, main_.get(),
                   &MainWindow::ShowWsjtxStatus);
  // The band plan as stored after the dialogs' own handlers have read it.
  for (QDialog* dialog :
       {static_cast<QDialog*>(vextal_.get()), static_cast<QDialog*>(select_.get())})
    QObject::connect(dialog, &QDialog::accepted, wsjtx_.get(),
                     [this] { wsjtx_->SetBandPlan(band_plan_); });
  // The entry keeps what is typed and where the keyboard is; only its status, worked calls
  // and multipliers follow the log, and a QSO not yet begun gets the next sent exchange.
  QObject::connect(wsjtx_.get(), &WsjtxLink::qsoLogged, entry_.get(), [this] {
    entry_->FollowLog();
    if (entry_->entry().Call.empty())
      entry_->ShowNextSent();
  });
}

}  // namespace mirva
