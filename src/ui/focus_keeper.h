#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <functional>
#include <vector>

class QWidget;
class QWindow;

namespace mirva {

/// Gives the keyboard back when a dialog or message box closes: to the control that had it
/// when the dialog opened, in its own window, so that the operator's next key lands where it
/// did before. Boxes inside dialogs nest. A tool window that goes with the keyboard leaves it
/// to the fallback control.
class FocusKeeper : public QObject {
  Q_OBJECT

 public:
  /// Watches every dialog of the application. `fallback` names the control that takes the
  /// keyboard when the one a dialog came from is gone, hidden or disabled by the time it
  /// closes; null for none.
  explicit FocusKeeper(std::function<QWidget*()> fallback, QObject* parent = nullptr);
  ~FocusKeeper() override;

  /// Puts the keyboard into the control, activating its window; false when the control is
  /// gone, hidden or disabled. Every window the program gives the keyboard to goes through
  /// here, so that the last one asked for is the one kept.
  static bool GiveFocus(QWidget* control);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct Opened {
    QPointer<QWidget> dialog;
    QPointer<QWidget> from;
  };

  void Closed(QWidget* dialog);
  /// A tool window that had the keyboard and goes (its button, its close box, Escape) leaves it
  /// to the fallback control.
  void ToolWindowHidden(QObject* watched);
  /// A window manager may put the keyboard into a window of its own choosing once a dialog
  /// is gone: a plain window that gets it soon after the close gives it back.
  void FocusWindowChanged(QWindow* focus);

  std::function<QWidget*()> fallback_;
  std::vector<Opened> opened_;
  /// The window the program gave the keyboard to last.
  static QPointer<QWidget>& Intended();

  /// A dialog or tool window has gone, and a window manager may still take the keyboard away.
  bool holding_ = false;
  QElapsedTimer since_;
  /// The window that had the keyboard last.
  QPointer<QWidget> keyboard_window_;
};

}  // namespace mirva
