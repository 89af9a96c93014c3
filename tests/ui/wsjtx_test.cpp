#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QtTest>

#include "dialogs/wsjtx_dialog.h"
#include "udp_peer.h"
#include "ui_fixture.h"
#include "ui_text.h"
#include "windows/entry_window.h"
#include "windows/qso_list_window.h"
#include "wsjtx/wsjtx_link.h"
#include "wsjtx/wsjtx_store.h"
#include "wsjtx_datagram.h"

namespace mirva {

namespace {

/// "ARI International DX Contest": CW, SSB and DIGI on six bands.
constexpr int kDigiContest = 15;

/// A port nothing listens on now.
int FreePort() {
  UdpPeer probe;
  return probe.port;
}

bool ListHolds(Program& program, const QString& call) {
  auto* grid = UiFixture::Find<QTableView>(program.list(), "sgQSOList");
  for (int row = 0; row < grid->model()->rowCount(); ++row)
    for (int column = 0; column < grid->model()->columnCount(); ++column)
      if (grid->model()->index(row, column).data().toString() == call)
        return true;
  return false;
}

}  // namespace

class WsjtxTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void AnnouncedQsoIsLoggedOnceWithoutTouchingTheEntry() {
    UiFixture ui;
    ui.StoreContest(kDigiContest);
    ui.StoreStation("eCall", "OH2XX");
    int port = FreePort();
    StoreWsjtxSettings({true, "127.0.0.1:" + std::to_string(port)});
    Program& program = ui.Start();
    QCOMPARE(program.wsjtx().Port(), port);
    program.list().show();
    program.entry().show();
    QVERIFY(QTest::qWaitForWindowActive(&program.entry()));
    auto* call = UiFixture::Find<QLineEdit>(program.entry(), "eCall");
    call->setFocus();
    QTest::keyClicks(call, "OK1AB");
    call->setCursorPosition(3);

    UdpPeer sender;
    sender.SendTo(port, WsjtxDatagram(0).U32(3).Utf8("2.7.0").Utf8("").bytes);
    QTRY_VERIFY(program.main().windowTitle().contains(QStringLiteral("heard WSJT-X 2.7.0")));
    sender.SendTo(port, WsjtxDatagram::Qso("DL1ABC", 14074000, "FT8", 1234).bytes);
    QTRY_COMPARE(ui.session->log().QSOLog().size(), std::size_t{1});
    QTRY_VERIFY(ListHolds(program, QStringLiteral("DL1ABC")));
    const TQSOData& logged = ui.session->log().QSOLog()[0];
    QCOMPARE(logged.Band, std::string("20"));
    QCOMPARE(logged.Mode, std::string("DIGI"));
    QCOMPARE(logged.QSOTime, std::string("12:34"));
    QVERIFY(program.main().windowTitle().contains(QStringLiteral("logged DL1ABC")));
    // The operator's typing is where it was.
    QCOMPARE(call->text(), QStringLiteral("OK1AB"));
    QCOMPARE(call->cursorPosition(), 3);
    QCOMPARE(QApplication::focusWidget(), call);

    // The same QSO as an ADIF record, a broken datagram and a QSO off the contest's bands.
    sender.SendTo(port, WsjtxDatagram(12)
                            .Utf8("<call:6>DL1ABC<qso_date:8>20241130<time_on:6>123400"
                                  "<freq:6>14.074<mode:3>FT8<eor>")
                            .bytes);
    sender.SendTo(port, "broken");
    sender.SendTo(port, WsjtxDatagram::Qso("W1AW", 5357000, "FT8", 1235).bytes);
    QTRY_VERIFY(program.main().windowTitle().contains(QStringLiteral("not logged: W1AW")));
    QVERIFY(program.main().windowTitle().contains(QStringLiteral("1 broken datagrams skipped")));
    QCOMPARE(program.wsjtx().Malformed(), std::size_t{1});
    QCOMPARE(ui.session->log().QSOLog().size(), std::size_t{1});
    QVERIFY(ui.notifier.errors.empty());
    QCOMPARE(call->text(), QStringLiteral("OK1AB"));
  }

  void DialogStoresAndListens() {
    struct Case {
      const char* typed;
      const char* refusal;  ///< empty when stored
    } cases[] = {
        {"127.0.0.1:%1", ""},
        {"localhost:%1",
         "\"localhost:%1\" is not an IPv4 ADDRESS:PORT with a port from 1 to 65535."},
    };
    for (const Case& c : cases) {
      UiFixture ui;
      Program& program = ui.Start();
      QCOMPARE(program.wsjtx().Port(), 0);
      UiFixture::Find<QAction>(program.main(), "Wsjtx1")->trigger();
      WsjtxDialog& dialog = program.wsjtxDialog();
      QVERIFY(dialog.isVisible());
      QCOMPARE(Unspoken({&dialog}), QStringList());
      int port = FreePort();
      UiFixture::Find<QCheckBox>(dialog, "cbEnabled")->setChecked(true);
      UiFixture::Find<QLineEdit>(dialog, "eListen")
          ->setText(QString::fromLatin1(c.typed).arg(port));
      UiFixture::Find<QPushButton>(dialog, "Button1")->click();
      bool stored = !*c.refusal;
      QCOMPARE(dialog.isVisible(), !stored);
      QCOMPARE(program.wsjtx().Port(), stored ? port : 0);
      QCOMPARE(ReadWsjtxSettings().enabled, stored);
      if (!stored)
        QCOMPARE(ui.notifier.errors.at(0), FromQt(QString::fromLatin1(c.refusal).arg(port)));
    }
  }
};

}  // namespace mirva

QTEST_MAIN(mirva::WsjtxTest)
#include "wsjtx_test.moc"
