// The companion link on a session bus: commands reach the handler, mirva-cli's send gets the
// answer, and without a bus the link is off and says so once.
#include <QDBusConnection>
#include <QDBusMessage>
#include <QProcess>
#include <QThread>
#include <QtTest>
#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "dbus_message_bus.h"
#include "dbus_signal.h"
#include "link/message_bus.h"
#include "recording_notifier.h"

namespace mirva {
namespace {

QDBusMessage Command(QList<QVariant> arguments, const char* interface = kDbusInterface,
                     const char* path = kDbusPath) {
  QDBusMessage message = QDBusMessage::createSignal(QLatin1String(path), QLatin1String(interface),
                                                    QLatin1String(kCommandMessage));
  message.setArguments(arguments);
  return message;
}

bool SessionBus() {
  return QDBusConnection::sessionBus().isConnected();
}

}  // namespace

class DbusLinkTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void onlyTwoInt64ArgumentsMakeACommand();
  void sendPrintsTheAnswer_data();
  void sendPrintsTheAnswer();
  void withoutASessionBusTheLinkIsOffAndSaysSoOnce();
};

void DbusLinkTest::onlyTwoInt64ArgumentsMakeACommand() {
  if (!SessionBus())
    QSKIP("no session bus");
  RecordingNotifier notifier;
  DbusMessageBus bus(notifier);
  std::vector<std::pair<long, long>> heard;
  bool on_ui_thread = true;
  bus.Listen([&](long wparam, long lparam) {
    on_ui_thread = on_ui_thread && QThread::currentThread() == qApp->thread();
    heard.emplace_back(wparam, lparam);
  });
  const QDBusMessage sent[] = {
      Command({qlonglong(129), qlonglong(4)}),
      Command({int(130), int(4)}),
      Command({qulonglong(131), qulonglong(4)}),
      Command({qlonglong(132)}),
      Command({qlonglong(133), qlonglong(4), qlonglong(0)}),
      Command({QStringLiteral("128"), qlonglong(0)}),
      Command({}),
      Command({qlonglong(128), qlonglong(1)}, "org.example.Other"),
      Command({qlonglong(128), qlonglong(2)}, kDbusInterface, "/org/example/Other"),
      Command({qlonglong(-1), qlonglong(1048576)}),
  };
  QDBusConnection connection = QDBusConnection::sessionBus();
  for (const QDBusMessage& message : sent)
    QVERIFY(connection.send(message));
  // The last good command comes after every bad one, so once it is heard all have been.
  // Under load the two good ones have arrived in either order.
  QTRY_COMPARE(heard.size(), 2u);
  std::sort(heard.begin(), heard.end());
  const std::vector<std::pair<long, long>> expected = {{-1, 1048576}, {129, 4}};
  QCOMPARE(heard, expected);
  QVERIFY(on_ui_thread);
  QVERIFY(notifier.messages.empty());
}

void DbusLinkTest::sendPrintsTheAnswer_data() {
  QTest::addColumn<QStringList>("arguments");
  QTest::addColumn<int>("status");
  QTest::addColumn<QString>("output");
  QTest::newRow("answered") << QStringList{"send", "129", "4"} << 0
                            << "reply: wParam 129 lParam 5\n";
  QTest::newRow("widest words") << QStringList{"send", "4294967295", "4294967295"} << 0
                                << "reply: wParam 4294967295 lParam 4294967296\n";
  QTest::newRow("not answered") << QStringList{"send", "100", "0", "--wait", "300"} << 3
                                << "no reply within 300 ms\n";
}

void DbusLinkTest::sendPrintsTheAnswer() {
  if (!SessionBus())
    QSKIP("no session bus");
  QFETCH(QStringList, arguments);
  QFETCH(int, status);
  QFETCH(QString, output);
  RecordingNotifier notifier;
  DbusMessageBus bus(notifier);
  // Answers as the program does, after a macro key's message that is no answer; code 100
  // goes unanswered.
  bus.Listen([&](long wparam, long lparam) {
    bus.Broadcast(kMacroMessage, 1, 0);
    if (wparam != 100)
      bus.Broadcast(kMacroMessage, wparam, lparam + 1);
  });
  QProcess cli;
  cli.start(QStringLiteral(MIRVA_CLI), arguments);
  QVERIFY(cli.waitForStarted());
  QTRY_VERIFY_WITH_TIMEOUT(cli.state() == QProcess::NotRunning, 10000);
  QCOMPARE(QString::fromUtf8(cli.readAllStandardOutput()), output);
  QCOMPARE(cli.exitCode(), status);
}

void DbusLinkTest::withoutASessionBusTheLinkIsOffAndSaysSoOnce() {
  if (SessionBus())
    QSKIP("a session bus is there");
  RecordingNotifier notifier;
  DbusMessageBus bus(notifier);
  QVERIFY(!bus.connected());
  bus.Listen([](long, long) {});
  bus.Broadcast(kMacroMessage, 1, 0);
  QCOMPARE(notifier.messages.size(), 1u);
  QVERIFY(notifier.messages[0].starts_with("The companion link is off"));
}

}  // namespace mirva

QTEST_GUILESS_MAIN(mirva::DbusLinkTest)
#include "dbus_link_test.moc"
