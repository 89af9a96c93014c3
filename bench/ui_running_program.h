#pragma once

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QSettings>
#include <QtTest>
#include <chrono>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "bench_data.h"
#include "program.h"
#include "session/stored_settings.h"
#include "stored_state.h"
#include "ui_bench_program.h"
#include "windows/entry_window.h"
#include "workspace/workspace.h"

namespace mirva {

/// Copies the shipped catalogue into the working directory.
inline void CopyShippedData(const std::string& dir) {
  QDir shipped(QStringLiteral(MIRVA_SHIPPED_DATA));
  for (const QString& name : shipped.entryList(QDir::Files))
    QFile::copy(shipped.filePath(name), QString::fromStdString(dir) + QLatin1Char('/') + name);
}

/// Forgets the stored settings and opens the windows of these buttons of the main window; the
/// settings, to add to before the program starts.
inline std::unique_ptr<QSettings> StoreOpenWindows(std::initializer_list<const char*> buttons) {
  auto settings = OpenStoredSettings();
  settings->clear();
  for (const char* button : buttons)
    settings->setValue(
        QStringLiteral("%1/%2.Down").arg(QLatin1String(kMainSection), QLatin1String(button)), true);
  return settings;
}

/// The whole program, started on a working directory as the stored settings say.
struct RunningProgram {
  BenchServices services;
  std::unique_ptr<Workspace> workspace;
  std::unique_ptr<Program> program;

  explicit RunningProgram(const std::string& dir) {
    workspace = std::make_unique<Workspace>(services.fs, services.notifier, dir);
    program = std::make_unique<Program>(services.For(*workspace));
    program->Start();
    QCoreApplication::processEvents();
  }

  QLineEdit* Edit(const char* name) const {
    return program->entry().findChild<QLineEdit*>(QString::fromLatin1(name));
  }
  /// Whether the entry window became the active one, as for an operator typing.
  bool Activate() {
    program->entry().activateWindow();
    return QTest::qWaitForWindowActive(&program->entry());
  }
};

/// Callsigns of the logs, to type one after another.
inline const std::vector<std::string>& Calls() {
  static const std::vector<std::string> calls = MasterCalls();
  return calls;
}

/// The key, then every event it caused, so that each window shows the new state.
inline double TimedKey(QWidget* widget, Qt::Key key, char text = 0) {
  auto start = std::chrono::steady_clock::now();
  if (text)
    QTest::keyClick(widget, text);
  else
    QTest::keyClick(widget, key);
  QCoreApplication::processEvents();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

/// Types the first character of each call (partial) or all but its last untimed, then times
/// the next key.
inline void TimeCallKeys(benchmark::State& state, RunningProgram& running, bool partial) {
  QLineEdit* call = running.Edit("eCall");
  static std::size_t i = 0;
  for (auto _ : state) {
    const std::string& next = Calls()[(i++ * 7919) % Calls().size()];
    QTest::keyClick(call, Qt::Key_Pause);
    std::size_t typed = partial ? 1 : next.size() - 1;
    QTest::keyClicks(call, QString::fromLatin1(next.substr(0, typed)));
    QCoreApplication::processEvents();
    state.SetIterationTime(TimedKey(call, Qt::Key_unknown, next[typed]));
  }
}

/// Types a call and moves to the exchange untimed, then times the key that logs the QSO.
inline void TimeSaveKeys(benchmark::State& state, RunningProgram& running) {
  QLineEdit* call = running.Edit("eCall");
  QLineEdit* rcvd = running.Edit("eRcvd");
  std::size_t before = running.workspace->session().log().QSOLog().size();
  static std::size_t i = 0;
  for (auto _ : state) {
    const std::string& next = Calls()[(i++ * 104729) % Calls().size()];
    QTest::keyClick(call, Qt::Key_Pause);
    QTest::keyClicks(call, QString::fromLatin1(next));
    QTest::keyClick(call, Qt::Key_Return);
    QCoreApplication::processEvents();
    state.SetIterationTime(TimedKey(rcvd, Qt::Key_Return));
  }
  state.counters["logged"] =
      static_cast<double>(running.workspace->session().log().QSOLog().size() - before);
}

}  // namespace mirva
