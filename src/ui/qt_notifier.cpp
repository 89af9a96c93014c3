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
}  // namespace

void QtNotifier::ShowMessage(const std::string& text) {
  QMessageBox::information(QApplication::activeWindow(), Title(), ToQt(text));
}

void QtNotifier::ShowError(const std::string& text) {
  QMessageBox::critical(QApplication::activeWindow(), Title(), ToQt(text));
}

bool QtNotifier::AskYesNo(const std::string& text) {
  return QMessageBox::question(QApplication::activeWindow(), Title(), ToQt(text),
                               QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

}  // namespace mirva
