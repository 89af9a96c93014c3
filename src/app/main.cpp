// mirva: the contest logger's windows on one working directory.
#include <QApplication>
#include <QCommandLineParser>
#include <QMessageBox>
#include <exception>
#include <memory>

#include "Main.h"
#include "accessible_ids.h"
#include "link/ini_entry_file.h"
#include "link/message_bus.h"
#include "link/tx_buffer.h"
#include "posix_file_system.h"
#include "program.h"
#include "qt_notifier.h"
#include "session/session.h"
#include "session/stored_settings.h"
#include "shared_dir.h"
#include "system_clock.h"
#include "ui_text.h"
#include "writer_lock.h"

namespace {

/// An error that escapes a handler is shown, and the program goes on.
class MirvaApplication : public QApplication {
 public:
  using QApplication::QApplication;

  bool notify(QObject* receiver, QEvent* event) override {
    try {
      return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
      QMessageBox::critical(nullptr, QString::fromLatin1(mirva::kSettingsName),
                            mirva::ToQt(error.what()));
    }
    return false;
  }
};

QString WorkingDirectory(const QApplication& app) {
  QCommandLineParser parser;
  parser.setApplicationDescription(QStringLiteral("Contest logger for amateur-radio operators"));
  parser.addHelpOption();
  parser.addOption({QStringLiteral("dir"),
                    QStringLiteral("The working directory: reference files and the log."),
                    QStringLiteral("DIR"), QStringLiteral(".")});
  parser.process(app);
  return parser.value(QStringLiteral("dir"));
}

}  // namespace

int main(int argc, char** argv) {
  MirvaApplication app(argc, argv);
  app.setApplicationName(QString::fromLatin1(mirva::kSettingsName));
  std::string dir = WorkingDirectory(app).toStdString();
  mirva::InstallAccessibleIds(app);
  mirva::PosixFileSystem fs;
  mirva::SystemClock clock;
  mirva::QtNotifier notifier;
  mirva::NullMessageBus bus;
  mirva::IniEntryFile entry_file(fs, mirva::SharedDirectory());
  mirva::NullTxBuffer tx;
  std::unique_ptr<mirva::WriterLock> lock;
  std::unique_ptr<mirva::Session> session;
  std::unique_ptr<mirva::Program> program;
  try {
    // One program at a time changes the log: a second copy says who holds it and ends.
    lock = std::make_unique<mirva::WriterLock>(dir, "mirva");
    session = std::make_unique<mirva::Session>(fs, notifier, dir);
    program = std::make_unique<mirva::Program>(
        mirva::AppServices{*session, clock, notifier, bus, entry_file, tx});
  } catch (const std::exception& error) {
    notifier.ShowError(error.what());
    return 1;
  }
  program->Start();
  return app.exec();
}
