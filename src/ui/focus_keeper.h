#pragma once

#include <QObject>
#include <QPointer>
#include <functional>
#include <vector>

class QWidget;

namespace mirva {

/// Gives the keyboard back when a dialog or message box closes: to the control that had it
/// when the dialog opened, in its own window, so that the operator's next key lands where it
/// did before. Boxes inside dialogs nest.
class FocusKeeper : public QObject {
  Q_OBJECT

 public:
  /// Watches every dialog of the application. `fallback` takes the keyboard when the control
  /// a dialog came from is gone, hidden or disabled by the time it closes.
  explicit FocusKeeper(std::function<void()> fallback, QObject* parent = nullptr);
  ~FocusKeeper() override;

  /// Puts the keyboard into the control, activating its window; false when the control is
  /// gone, hidden or disabled.
  static bool GiveFocus(QWidget* control);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct Opened {
    QPointer<QWidget> dialog;
    QPointer<QWidget> from;
  };

  void Closed(QWidget* dialog);

  std::function<void()> fallback_;
  std::vector<Opened> opened_;
};

}  // namespace mirva
