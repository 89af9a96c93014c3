#pragma once

#include <QAbstractScrollArea>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QWidget>
#include <chrono>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "link/ini_entry_file.h"
#include "link/message_bus.h"
#include "link/tx_buffer.h"
#include "log/date_value.h"
#include "posix_file_system.h"
#include "program.h"
#include "recording_notifier.h"
#include "reference_files.h"
#include "sample_qso.h"
#include "session/clock.h"
#include "session/session.h"
#include "session/stored_settings.h"
#include "stored_state.h"
#include "windows/main_window.h"
#include "workspace/workspace.h"

namespace mirva {

/// The bytes of the file; none when it cannot be read.
inline QByteArray ReadFileBytes(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

/// Broadcasts written down.
class RecordingBus : public MessageBus {
 public:
  struct Sent {
    std::string message;
    long wparam;
    long lparam;
  };
  std::vector<Sent> sent;

  void Broadcast(std::string_view message, long wparam, long lparam) override {
    sent.push_back({std::string(message), wparam, lparam});
  }
  void Listen(CommandHandler handler) override { on_command = std::move(handler); }

  /// The handler the program listens with; a test calls it to play a companion.
  CommandHandler on_command;
};

/// What the program put into the transmit buffer, in order.
class RecordingTx : public TxBuffer {
 public:
  std::string put;
  void Put(char symbol) override { put += symbol; }
};

/// The program on a fresh working directory holding the test country files, the shipped
/// catalogue and lists, with empty stored settings and a clock fixed at 2026-12-06 12:34.
class UiFixture {
 public:
  QTemporaryDir dir;
  PosixFileSystem fs;
  RecordingNotifier notifier;
  FixedClock clock{
      {DateValueOf(std::chrono::sys_days{std::chrono::year{2026} / std::chrono::December / 6}),
       "12:34"}};
  RecordingBus bus;
  /// The shared directory is the working directory.
  IniEntryFile entry_file{fs, dir.path().toStdString()};
  RecordingTx tx;
  /// Where the program's CW text goes: `tx`, unless a test points it elsewhere before Start.
  TxBuffer* transmitter = &tx;
  /// Where the program's message boxes go: `notifier`, unless a test shows real ones.
  Notifier* boxes = &notifier;
  std::unique_ptr<Workspace> workspace;
  /// The workspace's session, once started.
  Session* session = nullptr;
  std::unique_ptr<Program> program;

  UiFixture() {
    OpenStoredSettings()->clear();
    CopyReferenceFiles(path());
  }

  std::string path() const { return dir.path().toStdString(); }
  AppServices services() {
    return {*workspace, workspace->session(), clock, *boxes, bus, entry_file, *transmitter};
  }

  /// What the working directory keeps, as an earlier run would have left it.
  WorkspaceSettings kept;

  /// Keeps the contest of that catalogue line with the log; a line past the catalogue is
  /// stored per user instead, as an older version would have, for the first opening to take.
  void StoreContest(int index) {
    QList<QByteArray> lines =
        ReadFileBytes(dir.filePath(QStringLiteral("Contests.mrv"))).split('\n');
    if (index < 0 || index >= lines.size() || lines[index].trimmed().isEmpty()) {
      OpenStoredSettings()->setValue(QStringLiteral("%1/%2").arg(QLatin1String(kContestSection),
                                                                 QLatin1String(kContestIndexKey)),
                                     index);
      return;
    }
    kept.contest = lines[index].endsWith('\r') ? lines[index].chopped(1).toStdString()
                                               : lines[index].toStdString();
    Keep();
  }

  /// Keeps a station text (a key of the station dialog) with the log.
  void StoreStation(const char* key, const char* value) {
    TStationCFG station = kept.station.value_or(TStationCFG{});
    for (const StationSettingKey& known : kStationSettingKeys) {
      if (std::string_view(known.key) == key)
        station.*known.member = value;
    }
    kept.station = station;
    Keep();
  }

  /// The working directory's settings as the program left them.
  WorkspaceSettings Kept() const {
    return ParseWorkspaceSettings(
               ReadFileBytes(dir.filePath(QLatin1String(kWorkspaceFileName))).toStdString())
        .settings;
  }

  void Keep() {
    QFile file(dir.filePath(QLatin1String(kWorkspaceFileName)));
    if (file.open(QIODevice::WriteOnly))
      file.write(QByteArray::fromStdString(WorkspaceSettingsText(kept)));
  }

  /// Creates every window on the working directory and runs the first activation.
  Program& Start() { return Start(fs); }

  /// The working directory's workspace, not started, and no windows.
  void MakeWorkspace(FileSystem* files = nullptr) {
    program.reset();
    workspace = std::make_unique<Workspace>(files ? *files : fs, *boxes, path());
    session = &workspace->session();
  }

  /// The same on another file system.
  Program& Start(FileSystem& files) {
    MakeWorkspace(&files);
    program = std::make_unique<Program>(services());
    program->Start();
    return *program;
  }

  /// The control of that objectName in a window; fails the test when there is none.
  template <typename Widget>
  static Widget* Find(const QWidget& window, const char* name) {
    return window.findChild<Widget*>(QString::fromLatin1(name));
  }
};

/// The message box that is up and ready for a key, unless it is `answered` already; a box
/// not yet active is asked to become so first, since a key sent before would reach the window
/// below it.
inline QMessageBox* BoxToAnswer(const QMessageBox* answered) {
  auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
  if (!box || box == answered)
    return nullptr;
  if (QApplication::activeWindow() != box) {
    box->activateWindow();
    return nullptr;
  }
  return box;
}

/// The focusable controls of the windows that a screen reader would speak without a name, as
/// "window.control". Parts of a compound control (the line edit of a date edit, a scroll bar)
/// speak as the control they belong to.
inline QStringList Unspoken(std::initializer_list<const QWidget*> windows) {
  QStringList unspoken;
  for (const QWidget* window : windows) {
    for (QWidget* control : window->findChildren<QWidget*>()) {
      QWidget* owner = control->parentWidget();
      bool part = qobject_cast<QAbstractSpinBox*>(owner) || qobject_cast<QComboBox*>(owner) ||
                  qobject_cast<QAbstractScrollArea*>(owner) ||
                  (owner && qobject_cast<QAbstractScrollArea*>(owner->parentWidget()));
      if (part || control->focusPolicy() == Qt::NoFocus || control->isHidden())
        continue;
      QAccessibleInterface* spoken = QAccessible::queryAccessibleInterface(control);
      if (!spoken || spoken->text(QAccessible::Name).trimmed().isEmpty())
        unspoken << window->objectName() + "." + control->objectName();
    }
  }
  return unspoken;
}

}  // namespace mirva
