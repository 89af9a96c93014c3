#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QTableView>
#include <QToolButton>
#include <QtTest>
#include <functional>
#include <mutex>
#include <utility>
#include <vector>

#include "group/group_serials.h"
#include "group_link.h"
#include "group_session.h"
#include "nats_broker.h"
#include "ui_fixture.h"
#include "windows/entry_window.h"
#include "windows/group_window.h"

namespace mirva {
namespace {

constexpr char kToken[] = "group-window-token";

/// The program as station RUN of group G, and station MULT as mirva-cli in a folder of its own.
struct GroupUi : UiFixture {
  QTemporaryDir other;
  NatsBroker broker{dir.filePath(QStringLiteral("store")).toStdString(), kToken};
  EntryWindow* entry = nullptr;

  std::string contest = "CQ WW DX Contest (CW)";

  /// `first` runs once the broker is up, before the program starts.
  bool Begin(int contest_line = 0, const std::function<bool()>& first = {}) {
    if (!broker.Start())
      return false;
    QFile secret(dir.filePath(QStringLiteral("secret")));
    if (!secret.open(QIODevice::WriteOnly))
      return false;
    secret.write(kToken);
    secret.close();
    CopyReferenceFiles(other.path().toStdString());
    StoreContest(contest_line);
    contest = kept.contest;
    if (first && !first())
      return false;
    StoreStation("eCall", "DL1ABC");
    kept.group = {broker.Url(), "G", "RUN", secret.fileName().toStdString(),
                  "",           1,   false, "DL1ABC"};
    Keep();
    Start();
    entry = &program->entry();
    UiFixture::Find<QToolButton>(program->main(), "sbNew")->click();
    return true;
  }

  /// mirva-cli as station MULT; true when it exits 0.
  bool Other(QStringList words) const {
    QProcess cli;
    cli.start(QStringLiteral(MIRVA_CLI),
              QStringList{"--dir", other.path(), "--contest", "CQ WW DX Contest (CW)", "--station",
                          "call=DL2ABC"} +
                  words);
    return cli.waitForFinished(20000) && cli.exitCode() == 0;
  }
  bool OtherSyncs() const {
    return Other({"group", "sync", "--server", QString::fromStdString(broker.Url()), "--group", "G",
                  "--station", "MULT", "--token-file", dir.filePath(QStringLiteral("secret"))});
  }
  QString OtherList() const {
    QProcess cli;
    cli.start(QStringLiteral(MIRVA_CLI), {"--dir", other.path(), "list"});
    cli.waitForFinished(20000);
    return QString::fromLatin1(cli.readAllStandardOutput());
  }
  QLineEdit* Edit(const char* name) const { return Find<QLineEdit>(*entry, name); }
  void Type(const char* name, const QString& text) const { QTest::keyClicks(Edit(name), text); }
  /// Saves `call` with the proposed exchange.
  void Save(const QString& call) const {
    Type("eCall", call);
    QTest::keyClick(Edit("eCall"), Qt::Key_Return);
    QTest::keyClick(Edit("eRcvd"), Qt::Key_Return);
  }
  /// Whether the other station gets `call` from the group in time.
  bool OtherGets(const QString& call, int ms = 10000) const {
    return QTest::qWaitFor([&] { return OtherSyncs() && OtherList().contains(call); }, ms);
  }
};

}  // namespace

class GroupWindowTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void initTestCase() {
    if (NatsBroker::Executable().empty())
      QSKIP("nats-server is not installed");
  }

  void SavesGoOutAndTheGroupsQsosCountWithoutAKey() {
    GroupUi ui;
    QVERIFY(ui.Begin());
    QTRY_VERIFY_WITH_TIMEOUT(ui.program->group().Connected(), 10000);
    ui.Save(QStringLiteral("UA3ABC"));
    QCOMPARE(ui.session->log().QSOLog().size(), std::size_t{1});
    // The save went to the broker without any key: the other station gets it.
    QVERIFY(ui.OtherGets(QStringLiteral("UA3ABC")));

    // A call typed here turns into a dupe when the other station logs it.
    ui.Type("eCall", QStringLiteral("K1ABC"));
    auto* status = UiFixture::Find<QLabel>(*ui.entry, "lblStatus");
    QVERIFY(status->text() != QStringLiteral("DUPE"));
    QVERIFY(ui.Other(
        {"add", "--at", "2026-12-06 12:30", "--call", "K1ABC", "--band", "160", "--rcvd", "05"}));
    QVERIFY(ui.OtherSyncs());
    QTRY_COMPARE_WITH_TIMEOUT(ui.session->log().QSOLog().size(), std::size_t{2}, 10000);
    QTRY_COMPARE(status->text(), QStringLiteral("DUPE"));
    QCOMPARE(ui.Edit("eCall")->text(), QStringLiteral("K1ABC"));

    // The group window names both stations, this one connected, and passes notes.
    UiFixture::Find<QToolButton>(ui.program->main(), "sbGroup")->click();
    GroupWindow& window = ui.program->groupWindow();
    QAbstractItemModel& stations = *UiFixture::Find<QTableView>(window, "sgStations")->model();
    QTRY_COMPARE(stations.rowCount(), 2);
    QCOMPARE(stations.index(0, 0).data().toString(), QStringLiteral("MULT"));
    QCOMPARE(stations.index(0, 4).data().toString(), QStringLiteral("12:30 K1ABC"));
    QCOMPARE(stations.index(1, 0).data().toString(), QStringLiteral("RUN"));
    QTRY_COMPARE_WITH_TIMEOUT(stations.index(1, 7).data().toString(), QStringLiteral("yes"), 10000);
    QCOMPARE(stations.index(1, 1).data().toString(), QStringLiteral("DL1ABC"));
    QCOMPARE(stations.index(1, 6).data().toString(), QStringLiteral("1"));
    auto* note = UiFixture::Find<QLineEdit>(window, "eNote");
    QTest::keyClicks(note, QStringLiteral("QRV 40m"));
    QTest::keyClick(note, Qt::Key_Return);
    auto* notes = UiFixture::Find<QPlainTextEdit>(window, "mNotes");
    QTRY_VERIFY_WITH_TIMEOUT(notes->toPlainText().endsWith(QStringLiteral("RUN: QRV 40m")), 10000);
  }

  void ABrokerThatIsDownLosesNothingAndIsToldOf() {
    GroupUi ui;
    QVERIFY(ui.Begin());
    QTRY_VERIFY_WITH_TIMEOUT(ui.program->group().Connected(), 10000);
    ui.broker.Kill();
    QTRY_VERIFY_WITH_TIMEOUT(!ui.program->group().Connected(), 10000);
    QVERIFY(ui.program->group().Status().startsWith(QStringLiteral("Not connected: ")));
    ui.Type("eCall", QStringLiteral("JA1ABC"));
    QTest::keyClick(ui.Edit("eCall"), Qt::Key_Return);
    ui.Type("eRcvd", QStringLiteral("25"));
    QTest::keyClick(ui.Edit("eRcvd"), Qt::Key_Return);
    QCOMPARE(ui.session->log().QSOLog().size(), std::size_t{1});
    QVERIFY(ui.broker.Start());
    QVERIFY(ui.OtherGets(QStringLiteral("JA1ABC"), 15000));
  }

  void SpotsPassBetweenStationsAndNotBackToTheirOwn() {
    GroupUi ui;
    QVERIFY(ui.Begin());
    QTRY_VERIFY_WITH_TIMEOUT(ui.program->group().Connected(), 10000);
    GroupSettings other = ui.kept.group;
    other.station = "MULT";
    std::mutex mutex;
    std::vector<GroupSpot> heard;
    bool listening = false;
    GroupLink link(BrokerSettings(other), [&](GroupEvent event) {
      std::lock_guard lock(mutex);
      listening = listening || event.kind == GroupEvent::Kind::kConnected;
      if (event.kind == GroupEvent::Kind::kSpot)
        heard.push_back(event.spot);
    });
    auto locked = [&](auto read) {
      std::lock_guard lock(mutex);
      return read();
    };
    std::vector<std::pair<Spot, QString>> arrived;
    QObject::connect(
        &ui.program->group(), &GroupSession::spotArrived,
        [&](const Spot& spot, const QString& station) { arrived.emplace_back(spot, station); });
    Spot mark;
    mark.hz = 7012300;
    mark.call = "UA9XYZ";
    mark.spotter = "RUN";
    mark.by_hand = true;
    QTRY_VERIFY_WITH_TIMEOUT(locked([&] { return listening; }), 10000);
    ui.program->group().ShareSpot(mark);
    QTRY_COMPARE_WITH_TIMEOUT(locked([&] { return heard.size(); }), std::size_t{1}, 10000);
    QCOMPARE(locked([&] { return heard[0]; }), (GroupSpot{"RUN", mark}));
    Spot spot = mark;
    spot.call = "K1ABC";
    spot.by_hand = false;
    link.ShareSpot({"MULT", spot});
    QTRY_COMPARE_WITH_TIMEOUT(arrived.size(), std::size_t{1}, 10000);
    QCOMPARE(arrived[0].first, spot);
    QCOMPARE(arrived[0].second, QStringLiteral("MULT"));
  }

  void AnEditMadeOutOfTheGroupGoesOutAtTheNextStart() {
    GroupUi ui;
    QVERIFY(ui.Begin());
    QTRY_VERIFY_WITH_TIMEOUT(ui.program->group().Connected(), 10000);
    ui.Save(QStringLiteral("UA3ABC"));
    QVERIFY(ui.OtherGets(QStringLiteral("UA3ABC")));
    ui.program->group().Stop();
    TQSOData edited = ui.session->log().QSOLog()[0];
    edited.Call = "UA3XYZ";
    ui.session->EditQso(0, edited);
    ui.program->group().Start(ui.kept.group);
    QVERIFY(ui.OtherGets(QStringLiteral("UA3XYZ")));
  }

  void SerialNumbersComeFromTheGroupsCounter() {
    GroupUi ui;
    QVERIFY(ui.Begin(2));  // CQ WW WPX Contest (CW)
    // The program takes the group's first numbers: 001 and 002 to send, 003 to 022 in reserve.
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(ui.dir.filePath(QStringLiteral("group.serials"))),
                             10000);
    QCOMPARE(ui.Edit("eSent")->text(), QStringLiteral("001"));
    ui.Type("eCall", QStringLiteral("UA3ABC"));
    QTest::keyClick(ui.Edit("eCall"), Qt::Key_Return);
    ui.Type("eRcvd", QStringLiteral("7"));
    QTest::keyClick(ui.Edit("eRcvd"), Qt::Key_Return);
    QCOMPARE(ui.session->log().QSOLog()[0].NumberSent, std::string("001"));
    QCOMPARE(ui.Edit("eSent")->text(), QStringLiteral("002"));
    // The pool kept in the working directory counts the number as sent.
    QByteArray pool = ReadFileBytes(ui.dir.filePath(QStringLiteral("group.serials")));
    QVERIFY2(pool.contains("next sent 1 deck 2 reserve 3 "), pool.constData());
  }

  void KeptNumbersAreProposedFromTheStart() {
    GroupUi ui;
    // The pool a run before left: the first proposal is its number, not the log's 001, which
    // another station of the group may have sent already.
    QVERIFY(ui.Begin(2, [&] {
      GroupSerials kept;
      kept.AddToDeck("next", 41, 2);
      QFile file(ui.dir.filePath(QStringLiteral("group.serials")));
      return file.open(QIODevice::WriteOnly) && file.write(FormatGroupSerials(kept).c_str()) > 0;
    }));
    QCOMPARE(ui.Edit("eSent")->text(), QStringLiteral("041"));
  }
};

}  // namespace mirva

QTEST_MAIN(mirva::GroupWindowTest)
#include "group_window_test.moc"
