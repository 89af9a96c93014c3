#pragma once

#include <QDialog>

#include "app_services.h"
#include "spots/cluster_settings.h"

class QLineEdit;
class QPlainTextEdit;
class QSpinBox;

namespace mirva {

/// The "Cluster" settings: the nodes to read spots from, one HOST:PORT a line, the call to log
/// in with and how long a spot stays. OK stores them unless a line is no address, which is
/// told while the window stays open.
class ClusterDialog : public QDialog {
  Q_OBJECT

 public:
  explicit ClusterDialog(AppServices services, QWidget* parent = nullptr);

  /// Shows the stored settings.
  void showEvent(QShowEvent* event) override;

  /// The settings as the window shows them, blank lines left out.
  ClusterSettings Chosen() const;

 private:
  void Button1Click();

  AppServices services_;
  QPlainTextEdit* feeds_;
  QLineEdit* login_;
  QSpinBox* age_;
};

}  // namespace mirva
