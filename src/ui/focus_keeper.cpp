#include "focus_keeper.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QWindow>
#include <algorithm>

namespace mirva {

namespace {
/// How long after a dialog closes a window manager's own choice of window is undone.
constexpr qint64 kHoldMs = 1000;

bool Usable(const QWidget* control) {
  return control && control->isVisible() && control->isEnabled();
}
}  // namespace

FocusKeeper::FocusKeeper(std::function<QWidget*()> fallback, QObject* parent)
    : QObject(parent), fallback_(std::move(fallback)) {
  qApp->installEventFilter(this);
  connect(qApp, &QGuiApplication::focusWindowChanged, this, &FocusKeeper::FocusWindowChanged);
}

FocusKeeper::~FocusKeeper() {
  qApp->removeEventFilter(this);
}

QPointer<QWidget>& FocusKeeper::Intended() {
  static QPointer<QWidget> window;
  return window;
}

bool FocusKeeper::GiveFocus(QWidget* control) {
  if (!Usable(control))
    return false;
  QWidget* window = control->window();
  window->raise();
  window->activateWindow();
  control->setFocus(Qt::OtherFocusReason);
  Intended() = window;
  return true;
}

bool FocusKeeper::eventFilter(QObject* watched, QEvent* event) {
  QEvent::Type type = event->type();
  if (type != QEvent::Show && type != QEvent::Hide)
    return false;
  auto* dialog = qobject_cast<QDialog*>(watched);
  if (!dialog) {
    if (type == QEvent::Hide)
      ToolWindowHidden(watched);
    return false;
  }
  if (!dialog->isWindow())
    return false;
  auto known = std::find_if(opened_.begin(), opened_.end(),
                            [dialog](const Opened& o) { return o.dialog == dialog; });
  if (type == QEvent::Show && known == opened_.end()) {
    // The dialog is not active yet, so the focus is still where the operator was.
    QWidget* from = QApplication::focusWidget();
    opened_.push_back({dialog, from && !dialog->isAncestorOf(from) ? from : nullptr});
    holding_ = false;
  } else if (type == QEvent::Hide && known != opened_.end()) {
    Closed(dialog);
  }
  return false;
}

void FocusKeeper::Closed(QWidget* dialog) {
  auto known = std::find_if(opened_.begin(), opened_.end(),
                            [dialog](const Opened& o) { return o.dialog == dialog; });
  QPointer<QWidget> from = known->from;
  opened_.erase(known);
  // Dialogs deleted meanwhile leave nothing to go back to.
  std::erase_if(opened_, [](const Opened& o) { return o.dialog.isNull(); });
  // A dialog still open keeps the keyboard, in the control the closed one came from when that
  // is one of its own.
  QWidget* modal = QApplication::activeModalWidget();
  if (modal && modal != dialog && !(from && modal->isAncestorOf(from))) {
    modal->activateWindow();
    return;
  }
  QWidget* to = Usable(from) ? from.data() : nullptr;
  if (!to && !modal && fallback_)
    to = fallback_();
  if (!GiveFocus(to))
    return;
  holding_ = true;
  since_.start();
}

void FocusKeeper::ToolWindowHidden(QObject* watched) {
  auto* window = qobject_cast<QWidget*>(watched);
  // Hiding has already taken the activation away: the window that had the keyboard last tells.
  if (!window || !window->isWindow() || window->windowType() != Qt::Tool ||
      keyboard_window_ != window || QApplication::activeModalWidget())
    return;
  QWidget* to = fallback_ ? fallback_() : nullptr;
  if (!to || to->window() == window || !GiveFocus(to))
    return;
  holding_ = true;
  since_.start();
}

void FocusKeeper::FocusWindowChanged(QWindow* focus) {
  if (focus) {
    const QWidgetList windows = QApplication::topLevelWidgets();
    auto has = std::find_if(windows.begin(), windows.end(),
                            [focus](const QWidget* w) { return w->windowHandle() == focus; });
    keyboard_window_ = has == windows.end() ? nullptr : *has;
  }
  if (!holding_ || since_.elapsed() > kHoldMs) {
    holding_ = false;
    return;
  }
  // A window manager that hands the keyboard on to a window of its own choice picks a plain
  // window, never a tool window or a dialog: here that is the main bar, which the operator
  // never types into. It may come before or after the window asked for.
  if (!focus || focus->type() != Qt::Window || QApplication::activeModalWidget())
    return;
  QWidget* window = Intended();
  if (window && window->windowHandle() != focus && window->isVisible())
    window->activateWindow();
}

}  // namespace mirva
