#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <QThread>

#include "loopback.h"

namespace mirva {

/// Hamlib's dummy radio behind a rigctld of its own on a free local port, tuned with rigctl
/// as an operator would tune a radio; the daemon ends with the object.
class DummyRadio {
 public:
  static bool Available() {
    return !QStandardPaths::findExecutable(QStringLiteral("rigctld")).isEmpty() &&
           !QStandardPaths::findExecutable(QStringLiteral("rigctl")).isEmpty();
  }

  ~DummyRadio() { Kill(); }

  /// Starts the daemon on `port`, a free one when 0; false when it does not listen soon.
  bool Start(int port = 0) {
    port_ = port ? port : FreeLoopbackPort();
    daemon_.start(QStringLiteral("rigctld"),
                  {QStringLiteral("-m"), QStringLiteral("1"), QStringLiteral("-T"),
                   QStringLiteral("127.0.0.1"), QStringLiteral("-t"), QString::number(port_)});
    if (!daemon_.waitForStarted())
      return false;
    for (int tries = 0; tries < 100; ++tries) {
      if (LoopbackListening(port_))
        return true;
      QThread::msleep(20);
    }
    return false;
  }

  int Port() const { return port_; }
  QString Address() const { return QStringLiteral("127.0.0.1:%1").arg(port_); }

  /// Sets the dummy's frequency and mode; false when rigctl fails.
  bool Tune(qint64 hz, const char* mode) const {
    return QProcess::execute(QStringLiteral("rigctl"),
                             {QStringLiteral("-m"), QStringLiteral("2"), QStringLiteral("-r"),
                              Address(), QStringLiteral("F"), QString::number(hz),
                              QStringLiteral("M"), QLatin1String(mode), QStringLiteral("0")}) == 0;
  }

  /// Ends the daemon at once, by the process it started.
  void Kill() {
    if (daemon_.state() == QProcess::NotRunning)
      return;
    daemon_.kill();
    daemon_.waitForFinished();
  }

 private:
  int port_ = 0;
  QProcess daemon_;
};

}  // namespace mirva
