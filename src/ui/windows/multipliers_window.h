#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "app_services.h"
#include "session/session_listener.h"
#include "widgets/tool_window.h"

class QComboBox;
class QKeyEvent;
class QLabel;
class QTableView;

namespace mirva {

class MultGridModel;

/// The multipliers window: one multiplier list of the contest as a grid of names, those
/// worked on the chosen band and mode greyed, the others bold. It redraws from the session's
/// lists whenever a QSO or the contest changes while it is shown; the layout is the core's.
class MultipliersWindow : public ToolWindow, public SessionListener {
  Q_OBJECT

 public:
  explicit MultipliersWindow(AppServices services, QWidget* parent = nullptr);
  ~MultipliersWindow() override;

  /// Fills the selectors (the first list chosen, `band` and `mode` selected, an index
  /// outside its list taking the first item), fills the grid and shows the window.
  void ShowMults(const std::vector<std::string>& names, const std::vector<std::string>& bands,
                 int band, int mode, const std::vector<std::string>& modes);
  /// Shows the contest's lists on this band and mode; nothing happens when the contest has
  /// no multiplier list.
  void ShowContestMults(std::string_view band, std::string_view mode);
  /// Redraws the grid and the worked count from the selectors and the session's lists.
  void FillMults();

 protected:
  /// The window sees every key of its controls first.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void QsoAppended(std::size_t) override { Refresh(); }
  void QsoChanged(std::size_t) override { Refresh(); }
  void LogReplaced() override { Refresh(); }
  void TotalsChanged() override { Refresh(); }
  void ContestChanged() override;

  void Refresh();
  /// Whether the key moves a selector or closes the window.
  static bool IsWindowKey(const QKeyEvent& key);
  void WindowKey(const QKeyEvent& key);

  AppServices services_;
  QLabel* lblWkd_;
  QComboBox* cbMults_;
  QComboBox* cbBands_;
  QComboBox* cbModes_;
  QTableView* sgMults_;
  MultGridModel* model_;
};

}  // namespace mirva
