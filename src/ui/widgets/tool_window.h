#pragma once

#include <QWidget>

namespace mirva {

/// A working window that a toggle button of the main window shows and hides: a small tool
/// window that comes back where it was left, and says when its own close box closed it.
class ToolWindow : public QWidget {
  Q_OBJECT

 public:
  /// `section` names the stored settings that keep the window's placement.
  ToolWindow(const char* section, const QString& caption, QWidget* parent = nullptr);

  /// The size the window opens with when no placement is stored.
  QSize FirstSize() const { return testAttribute(Qt::WA_Resized) ? size() : sizeHint(); }
  /// Where the window opens when no placement is stored.
  void SetDefaultPlacement(QPoint position) { default_position_ = position; }
  /// Stores the placement now: when the window hides, and when the program ends with it open.
  void SavePlacementNow() const;

 Q_SIGNALS:
  /// The operator closed the window by its close box; its toggle button goes up.
  void closedByBox();

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  const char* section_;
  bool placed_ = false;
  QPoint default_position_;
};

}  // namespace mirva
