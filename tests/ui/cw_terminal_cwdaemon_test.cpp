// The CW terminal of the program keys through a real cwdaemon, named by the stored settings.

#include <QFileInfo>
#include <QLineEdit>
#include <QProcess>
#include <QtTest>
#include <optional>
#include <string>
#include <string_view>

#include "dialogs/cw_terminal_dialog.h"
#include "dialogs/station_dialog.h"
#include "radio/cwdaemon_settings.h"
#include "udp_peer.h"
#include "ui_fixture.h"

namespace mirva {

namespace {

constexpr char kCwdaemon[] = "/usr/sbin/cwdaemon";

void ProcessEvents() {
  QCoreApplication::processEvents();
}

/// cwdaemon with no keying device and no sound, in the foreground on a free port; stopped by
/// its process id.
struct Cwdaemon {
  int port = UdpPeer().port;
  QProcess process;

  Cwdaemon() {
    process.start(QString::fromLatin1(kCwdaemon),
                  {"-n", "-d", "null", "-x", "n", "-y", "n", "-p", QString::number(port)});
  }
  ~Cwdaemon() {
    process.terminate();
    process.waitForFinished(3000);
  }
  /// Whether it answers an escape-h request, which it does once it keyed the text after it.
  bool Up(UdpPeer& client) {
    for (int tries = 0; tries < 30; ++tries) {
      client.SendTo(port, "\x1bhup");
      client.SendTo(port, "e");
      if (client.Receive(300, ProcessEvents))
        return true;
    }
    return false;
  }
};

/// The program on CQ WW CW keying through the cwdaemon that the stored settings name.
struct CwdaemonUi : UiFixture {
  std::unique_ptr<CwdaemonTx> cwdaemon;

  CwdaemonUi(int port, int speed) {
    StoreContest(0);
    auto settings = OpenStoredSettings();
    settings->beginGroup(QLatin1String(kCwdaemonSection));
    settings->setValue(QLatin1String(kCwdaemonHostKey), QStringLiteral("127.0.0.1"));
    settings->setValue(QLatin1String(kCwdaemonPortKey), port);
    settings->setValue(QLatin1String(kCwdaemonSpeedKey), speed);
    settings.reset();
    cwdaemon = std::make_unique<CwdaemonTx>(ReadCwdaemonSettings(), notifier, "the settings");
    transmitter = cwdaemon.get();
    Program& started = Start();
    if (started.station().isVisible())
      started.station().reject();
  }
  ~CwdaemonUi() { program.reset(); }
};

}  // namespace

class CwTerminalCwdaemonTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void TypedTextReachesCwdaemon() {
    if (!QFileInfo(QString::fromLatin1(kCwdaemon)).isExecutable())
      QSKIP("cwdaemon is not installed");
    Cwdaemon daemon;
    QVERIFY(daemon.process.waitForStarted());
    UdpPeer client;
    QVERIFY2(daemon.Up(client), "cwdaemon does not answer");

    CwdaemonUi ui(daemon.port, 60);
    QMainWindow& main = ui.program->main();
    main.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&main));
    QTest::keyClick(&main, Qt::Key_Z, Qt::ControlModifier);
    CwTerminalDialog& terminal = ui.program->cwTerminal();
    QTRY_VERIFY(terminal.isVisible());

    client.SendTo(daemon.port, "\x1bhkeyed");
    auto* text = terminal.findChild<QLineEdit*>(QStringLiteral("eSendText"));
    QTest::keyClicks(text, QStringLiteral("5nn"));
    QTRY_COMPARE_WITH_TIMEOUT(text->text(), QString(), 5000);
    std::optional<std::string> reply;
    do {
      reply = client.Receive(3000, ProcessEvents);  // late answers to the probes come first
    } while (reply && *reply != "hkeyed\r\n");
    QVERIFY2(reply, "cwdaemon keyed nothing of the text");
    QCOMPARE(ui.cwdaemon->speed(), 60);
    QVERIFY(ui.notifier.errors.empty());
  }
};

}  // namespace mirva

QTEST_MAIN(mirva::CwTerminalCwdaemonTest)
#include "cw_terminal_cwdaemon_test.moc"
