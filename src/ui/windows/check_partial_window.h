#pragma once

#include <QAbstractTableModel>
#include <optional>
#include <string>
#include <vector>

#include "app_services.h"
#include "reference/master_calls.h"
#include "session/check_partial.h"
#include "session/session_listener.h"
#include "widgets/tool_window.h"

class QLabel;
class QTableView;

namespace mirva {

/// Calls of the master list as two columns, the call and its mark: a worked call in grey
/// with "wkd", a dupe on the entry's band and mode in red, struck out, with "dupe".
class CheckedCallsModel : public QAbstractTableModel {
 public:
  using QAbstractTableModel::QAbstractTableModel;

  void SetCalls(std::vector<CheckedCall> calls);
  /// The call of the row; empty past the calls.
  std::string CallAt(int row) const;

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;

 private:
  std::vector<CheckedCall> calls_;
};

/// The "Check partial" window: while a callsign is typed in the entry window, the calls of
/// MASTER.SCP that contain it and, below them, those one character away from it. The list is
/// read from the working directory on first use and again when a contest is chosen.
class CheckPartialWindow : public ToolWindow, public SessionListener {
  Q_OBJECT

 public:
  explicit CheckPartialWindow(AppServices services, QWidget* parent = nullptr);
  ~CheckPartialWindow() override;

  /// The callsign as typed and the entry's band and mode; the lists follow them while the
  /// window shows, and catch up when it is shown.
  void ShowCall(const std::string& call, const std::string& band, const std::string& mode);

  void QsoAppended(std::size_t index) override;
  void QsoChanged(std::size_t index) override;
  void LogReplaced() override;
  void ContestChanged() override;

 Q_SIGNALS:
  /// The operator chose a call of a list (Enter or a double-click) for the entry's callsign.
  void callChosen(const QString& call);

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  QTableView* AddList(const char* name, CheckedCallsModel& model);
  /// Searches again when the window shows; otherwise waits until it does.
  void Refresh();
  void ShowLists(const CheckPartialView& view);

  AppServices services_;
  /// Read on first use: none when the file gave no call.
  std::optional<MasterCallsFile> file_;
  std::string call_;
  std::string band_;
  std::string mode_;
  bool stale_ = true;
  CheckedCallsModel partial_model_;
  CheckedCallsModel near_model_;
  QLabel* FileLbl_;
  QLabel* PartialLbl_;
  QLabel* NearLbl_;
  QTableView* sgPartial_;
  QTableView* sgNear_;
};

}  // namespace mirva
