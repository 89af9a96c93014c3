#pragma once

#include <cstddef>

#include "app_services.h"
#include "session/session_listener.h"
#include "widgets/tool_window.h"

class QTableView;

namespace mirva {

class QsoListModel;

/// The QSO list: every QSO of the log, with edit and delete. It follows the session's log.
class QsoListWindow : public ToolWindow, public SessionListener {
  Q_OBJECT

 public:
  explicit QsoListWindow(AppServices services, QWidget* parent = nullptr);
  ~QsoListWindow() override;

  /// Asks to edit the selected QSO; nothing on an empty log.
  void EditQSO1Click();
  /// Deletes the selected QSO once the operator confirms it.
  void DeleteQSO1Click();

  void QsoAppended(std::size_t index) override;
  void QsoChanged(std::size_t index) override;
  void LogReplaced() override;

 Q_SIGNALS:
  /// The operator asked to edit QSO `index` of the log.
  void editRequested(std::size_t index);

 private:
  void BuildMenu();
  void SizeColumns();
  /// Makes the row current and selected, and scrolls it into view.
  void SelectRow(int row);
  /// The selected QSO's index, or -1 when the log is empty.
  int SelectedQso() const;

  AppServices services_;
  QsoListModel* model_;
  QTableView* grid_;
  /// Whether the log was loaded once.
  bool loaded_ = false;
};

}  // namespace mirva
