// mirva: the contest logger's windows on one working directory.
#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QIcon>
#include <QMessageBox>
#include <QTimer>
#include <cstdio>
#include <exception>
#include <memory>
#include <string>
#include <vector>

#include "accessible_ids.h"
#include "link/ini_entry_file.h"
#include "link/message_bus.h"
#include "link/tx_buffer.h"
#include "native_file_system.h"
#include "program.h"
#include "qt_notifier.h"
#include "session/stored_settings.h"
#include "shared_dir.h"
#include "stored_state.h"
#include "system_clock.h"
#include "ui_text.h"
#include "windows/main_window.h"
#include "workspace/default_directory.h"
#include "workspace/workspace.h"
#include "writer_lock.h"
#ifdef _WIN32
#include "pelkorex_tx.h"
#include "win32_event_filter.h"
#include "win32_message_bus.h"
#else
#include "cwdaemon_tx.h"
#include "radio/cwdaemon_settings.h"
#ifdef MIRVA_HAVE_DBUS
#include "dbus_message_bus.h"
#endif
#endif

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

/// The directory --dir names; empty when none is given.
QString GivenDirectory(const QApplication& app) {
  QCommandLineParser parser;
  parser.setApplicationDescription(QStringLiteral("Contest logger for amateur-radio operators"));
  parser.addHelpOption();
  parser.addOption({QStringLiteral("dir"),
                    QStringLiteral("The working directory: reference files and the log (default: "
                                   "the current one when it holds Contests.mrv or a log, else "
                                   "$MIRVA_HOME or ~/mirva)."),
                    QStringLiteral("DIR")});
  parser.process(app);
  return parser.value(QStringLiteral("dir"));
}

/// The program's own working directory: $MIRVA_HOME, else ~/mirva.
QString OwnDirectory() {
  QString own = qEnvironmentVariable("MIRVA_HOME");
  return own.isEmpty() ? QDir::homePath() + QStringLiteral("/mirva") : own;
}

/// Creates the directory when missing and fills it from the reference files installed beside
/// the program (../share/mirva) and the system's country files; returns what was done, or
/// what failed, as lines for the operator.
std::vector<std::string> PrepareDirectory(mirva::FileSystem& fs, const std::string& dir) {
  QDir().mkpath(QString::fromStdString(dir));
  mirva::ReferenceSources from;
  from.shipped =
      QDir::cleanPath(QCoreApplication::applicationDirPath() + QStringLiteral("/../share/mirva"))
          .toStdString();
#ifndef _WIN32
  from.system = "/usr/share/hamradio-files";
#endif
  try {
    return mirva::FillWorkingDirectory(fs, dir, from);
  } catch (const std::exception& error) {
    // A copy that failed costs the file it names; the start tells what else is missing.
    return {error.what()};
  }
}

/// Tells about the companion link (and a new working directory) in a box that does not wait
/// for the operator, shown once the event loop runs: a keystroke that found cwdaemon missing
/// goes on at once.
class LinkNotifier : public mirva::Notifier {
 public:
  void ShowMessage(const std::string& text) override { Show(QMessageBox::Information, text); }
  void ShowError(const std::string& text) override { Show(QMessageBox::Warning, text); }
  bool AskYesNo(const std::string&) override { return false; }

 private:
  static void Show(QMessageBox::Icon icon, const std::string& text) {
    QTimer::singleShot(0, [icon, message = mirva::ToQt(text)] {
      auto* box = new QMessageBox(icon, QString::fromLatin1(mirva::kSettingsName), message,
                                  QMessageBox::Ok, QApplication::activeWindow());
      box->setAttribute(Qt::WA_DeleteOnClose);
      box->setModal(false);
      box->show();
    });
  }
};

}  // namespace

int main(int argc, char** argv) {
  MirvaApplication app(argc, argv);
  app.setApplicationName(QString::fromLatin1(mirva::kSettingsName));
  // The installed menu entry and icon, for the desktop's task bar.
  QGuiApplication::setDesktopFileName(QStringLiteral("mirva"));
  app.setWindowIcon(QIcon::fromTheme(QStringLiteral("mirva")));
  QString given = GivenDirectory(app);
  mirva::InstallAccessibleIds(app);
  mirva::NativeFileSystem fs;
  mirva::SystemClock clock;
  mirva::QtNotifier notifier;
  LinkNotifier link_notifier;
  std::string dir = given.toStdString();
  if (given.isEmpty()) {
    // A start from the desktop's menu, in the home folder, works in the program's own directory,
    // made ready on its first use.
    std::string own = OwnDirectory().toStdString();
    dir = mirva::DefaultWorkingDirectory(fs, QDir::currentPath().toStdString(), own);
    if (dir == own) {
      std::string told;
      for (const std::string& line : PrepareDirectory(fs, dir)) {
        std::fprintf(stderr, "mirva: %s\n", mirva::ToQt(line).toLocal8Bit().constData());
        told += (told.empty() ? "" : "\n") + line;
      }
      if (!told.empty())
        link_notifier.ShowMessage(told);
    }
  }
#ifdef _WIN32
  // The companion's messages are registered, and its library started, before any window exists.
  mirva::Win32MessageBus bus(link_notifier);
#elif defined(MIRVA_HAVE_DBUS)
  mirva::DbusMessageBus bus(link_notifier);
#else
  mirva::NullMessageBus bus;
#endif
  mirva::IniEntryFile entry_file(fs, mirva::SharedDirectory());
#ifdef _WIN32
  mirva::PelkorexTx tx(link_notifier);
#else
  mirva::CwdaemonTx tx(mirva::ReadCwdaemonSettings(), link_notifier,
                       mirva::FromQt(mirva::OpenStoredSettings()->fileName()));
#endif
  std::unique_ptr<mirva::WriterLock> lock;
  std::unique_ptr<mirva::Workspace> workspace;
  std::unique_ptr<mirva::Program> program;
  try {
    // One program at a time changes the log: a second copy says who holds it and ends.
    lock = std::make_unique<mirva::WriterLock>(dir, "mirva");
    workspace = std::make_unique<mirva::Workspace>(fs, notifier, dir);
    program = std::make_unique<mirva::Program>(
        mirva::AppServices{*workspace, workspace->session(), clock, notifier, bus, entry_file, tx});
    program->Start();
  } catch (const std::exception& error) {
    notifier.ShowError(error.what());
    return 1;
  }
#ifdef _WIN32
  mirva::Win32EventFilter filter(bus, program->main());
  app.installNativeEventFilter(&filter);
#endif
  int status = app.exec();
#ifndef _WIN32
  mirva::StoreCwdaemonSpeed(tx.speed());
#endif
  return status;
}
