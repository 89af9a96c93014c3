#pragma once

#include <cstddef>
#include <string>

#include "app_services.h"
#include "session/session_listener.h"
#include "widgets/tool_window.h"

class QTableWidget;

namespace mirva {

/// The previous-QSO window: the earlier QSOs with the callsign just typed.
class PreviousQsosWindow : public ToolWindow, public SessionListener {
  Q_OBJECT

 public:
  explicit PreviousQsosWindow(AppServices services, QWidget* parent = nullptr);
  ~PreviousQsosWindow() override;

  /// Shows the session's PrevQSOs and remembers their callsign; with none, the grid stays
  /// as it is.
  void ShowPreviousQSOs();
  /// Empties the grid to a single empty row.
  void ClearPreviousQSOs();
  /// Asks to edit the log's QSO that the selected row shows; nothing when the log no longer
  /// holds it.
  void sgPrevQSODblClick();

  void QsoChanged(std::size_t index) override;
  void LogReplaced() override;

 Q_SIGNALS:
  /// The operator asked to edit QSO `index` of the log.
  void editRequested(std::size_t index);

 private:
  /// Shows the QSOs of the callsign shown again, as the log now stands.
  void ShowAgain();

  AppServices services_;
  QTableWidget* grid_;
  /// Whether an edit asked for here may still be saved: its save shows the QSOs again.
  bool editing_ = false;
};

}  // namespace mirva
