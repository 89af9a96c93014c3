#include "focus_keeper.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <algorithm>

namespace mirva {

FocusKeeper::FocusKeeper(std::function<void()> fallback, QObject* parent)
    : QObject(parent), fallback_(std::move(fallback)) {
  qApp->installEventFilter(this);
}

FocusKeeper::~FocusKeeper() {
  qApp->removeEventFilter(this);
}

bool FocusKeeper::GiveFocus(QWidget* control) {
  if (!control || !control->isVisible() || !control->isEnabled())
    return false;
  QWidget* window = control->window();
  window->raise();
  window->activateWindow();
  control->setFocus(Qt::OtherFocusReason);
  return true;
}

bool FocusKeeper::eventFilter(QObject* watched, QEvent* event) {
  QEvent::Type type = event->type();
  if (type != QEvent::Show && type != QEvent::Hide)
    return false;
  auto* dialog = qobject_cast<QDialog*>(watched);
  if (!dialog || !dialog->isWindow())
    return false;
  auto known = std::find_if(opened_.begin(), opened_.end(),
                            [dialog](const Opened& o) { return o.dialog == dialog; });
  if (type == QEvent::Show && known == opened_.end()) {
    // The dialog is not active yet, so the focus is still where the operator was.
    QWidget* from = QApplication::focusWidget();
    opened_.push_back({dialog, from && !dialog->isAncestorOf(from) ? from : nullptr});
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
  if (!GiveFocus(from) && !modal && fallback_)
    fallback_();
}

}  // namespace mirva
