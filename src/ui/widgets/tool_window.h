#pragma once

#include <QWidget>
#include <functional>

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
  /// Tells where the window's frame opens, and how large, when no placement is stored; asked
  /// when the window first shows.
  void SetDefaultPlacement(std::function<QRect()> frame) { default_frame_ = std::move(frame); }
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
  std::function<QRect()> default_frame_;
};

}  // namespace mirva
