#pragma once

#include "app_services.h"
#include "session/session_listener.h"
#include "tool_window.h"

class QLabel;
class QPushButton;
class QTableWidget;

namespace mirva {

/// The statistics window: the totals, the QSO table by mode and band, and "Update score".
/// It redraws itself from the session's totals whenever the log, the totals or the contest
/// change; the counting is the core's.
class TContestStatWin : public ToolWindow, public SessionListener {
  Q_OBJECT

 public:
  explicit TContestStatWin(AppServices services, QWidget* parent = nullptr);
  ~TContestStatWin() override;

  /// Rescores the whole log under the current contest, with the busy cursor while it runs.
  void Button1Click();

 Q_SIGNALS:
  /// "Show mults table" was pressed.
  void showMultsRequested();

 protected:
  /// Enables "Show mults table" once a window listens for it.
  void connectNotify(const QMetaMethod& signal) override;

 private:
  void QsoAppended(std::size_t) override { ShowTotals(); }
  void QsoChanged(std::size_t) override { ShowTotals(); }
  void LogReplaced() override { ShowTotals(); }
  void TotalsChanged() override { ShowTotals(); }
  void ContestChanged() override { ShowTotals(); }

  /// Writes the four totals and the QSO table.
  void ShowTotals();
  void RefreshQsoTable();
  void SetCell(std::size_t row, std::size_t column, const QString& text);

  AppServices services_;
  QLabel* total_qso_;
  QLabel* points_;
  QLabel* mults_;
  QLabel* score_;
  QPushButton* show_mults_;
  QTableWidget* grid_;
};

}  // namespace mirva
