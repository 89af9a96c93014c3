#pragma once

#include <QDialog>

#include "app_services.h"
#include "link/cw_terminal_pacer.h"

class QLineEdit;
class QPushButton;
class QTimer;

namespace mirva {

/// The CW terminal: free text typed here goes to the companion's transmit buffer one
/// character at a time, paced so that the operator can type ahead of the keying.
class CwTerminalDialog : public QDialog {
  Q_OBJECT

 public:
  /// `parent` is the main window, below which the terminal opens.
  CwTerminalDialog(AppServices services, QWidget* parent);

  /// Starts the companion's transmitting, opens the terminal directly below the main window
  /// and starts the pacing.
  void ShowCWTerminal();

 protected:
  /// The terminal sees every key of its controls first, for the speed keys.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Timer1Timer();
  void Button2Click();
  void Button1Click();
  /// However the terminal closes: the waiting text is dropped and the companion told.
  void FormClose();

  AppServices services_;
  CwTerminalPacer pacer_;
  QLineEdit* eSendText_;
  QPushButton* Button2_;
  QPushButton* Button1_;
  QTimer* Timer1_;
};

}  // namespace mirva
