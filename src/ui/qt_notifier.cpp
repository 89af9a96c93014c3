#include "qt_notifier.h"

#include <QApplication>
#include <QMessageBox>

#include "session/stored_settings.h"
#include "ui_text.h"

namespace mirva {

namespace {
QString Title() {
  return QString::fromLatin1(kSettingsName);
}

/// The plain arrow over a box that comes up while a long operation shows the hourglass.
struct ArrowCursor {
  ArrowCursor() { QApplication::setOverrideCursor(Qt::ArrowCursor); }
  ~ArrowCursor() { QApplication::restoreOverrideCursor(); }
  ArrowCursor(const ArrowCursor&) = delete;
  ArrowCursor& operator=(const ArrowCursor&) = delete;
};
}  // namespace

void QtNotifier::ShowMessage(const std::string& text) {
  ArrowCursor arrow;
  QMessageBox::information(QApplication::activeWindow(), Title(), ToQt(text));
}

void QtNotifier::ShowError(const std::string& text) {
  ArrowCursor arrow;
  QMessageBox::critical(QApplication::activeWindow(), Title(), ToQt(text));
}

void QtNotifier::ShowRefusal(const std::string& text) {
  ArrowCursor arrow;
  QMessageBox::critical(QApplication::activeWindow(), Title(), ToQt(text), QMessageBox::Cancel);
}

bool QtNotifier::AskYesNo(const std::string& text) {
  ArrowCursor arrow;
  // No is the default: a second Enter pressed in haste keeps what was asked about.
  return QMessageBox::question(QApplication::activeWindow(), Title(), ToQt(text),
                               QMessageBox::Yes | QMessageBox::No,
                               QMessageBox::No) == QMessageBox::Yes;
}

}  // namespace mirva
