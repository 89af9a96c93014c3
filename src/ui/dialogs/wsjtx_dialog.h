#pragma once

#include <QDialog>

#include "app_services.h"
#include "wsjtx/wsjtx_store.h"

class QCheckBox;
class QLineEdit;

namespace mirva {

/// The "WSJT-X / JTDX" settings: whether the QSOs those programs announce are logged, and the
/// address and port to listen on. OK stores them unless the address is none, which is told
/// while the window stays open.
class WsjtxDialog : public QDialog {
  Q_OBJECT

 public:
  explicit WsjtxDialog(AppServices services, QWidget* parent = nullptr);

  /// Shows the stored settings.
  void showEvent(QShowEvent* event) override;
  WsjtxSettings Chosen() const;

 private:
  void Button1Click();

  AppServices services_;
  QCheckBox* enabled_;
  QLineEdit* listen_;
};

}  // namespace mirva
