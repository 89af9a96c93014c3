#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QSignalSpy>
#include <QtTest>
#include <map>
#include <utility>

#include "dummy_radio.h"
#ifdef MIRVA_HAVE_HAMLIB
#include "hamlib_radio.h"
#endif
#include "radio/radio_settings.h"
#include "spots/band_map.h"
#include "spots/cluster_store.h"
#include "spots/spot_feeds.h"
#include "ui_fixture.h"
#include "windows/band_map_window.h"
#include "windows/entry_window.h"

namespace mirva {

namespace {

/// The Russian DX contest: CW and SSB on six bands.
constexpr int kCwSsbContest = 6;

QString ListText(const EntryWindow& entry, const char* name) {
  return UiFixture::Find<QComboBox>(entry, name)->currentText();
}

/// A cluster node of the test's own on 127.0.0.1 that replays `lines` recorded-style lines at
/// `rate` a second after the login DL1ABC, and the worth it expects of each spot.
struct FakeNode {
  QTemporaryDir dir;
  QProcess node;
  int port = 0;

  bool Start(int lines, int rate) {
    node.start(QStringLiteral("python3"),
               {QStringLiteral(MIRVA_TEST_DATA "/../cli/fake_cluster.py"), dir.filePath("port"),
                dir.filePath("expected"), QStringLiteral("DL1ABC"), QString::number(lines),
                QString::number(rate)});
    return QTest::qWaitFor([&] {
      port = ReadFileBytes(dir.filePath("port")).toInt();
      return port != 0;
    });
  }
  /// "khz TAB call" of every spot sent, and its worth word and new multipliers.
  std::multimap<QString, std::pair<QString, QString>> Expected() const {
    std::multimap<QString, std::pair<QString, QString>> expected;
    for (const QByteArray& line : ReadFileBytes(dir.filePath("expected")).split('\n')) {
      QStringList f = QString::fromLatin1(line).split(QLatin1Char('\t'));
      if (f.size() == 5)
        expected.emplace(f[0] + QLatin1Char('\t') + f[1], std::pair{f[3], f[4]});
    }
    return expected;
  }
};

}  // namespace

class SpotsProgramTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void ClusterSpotsReachTheMapWeighedAsTheLogSays() {
    UiFixture ui;
    ui.StoreContest(0);  // CQ WW DX Contest (CW)
    ui.StoreStation("eCall", "DL1ABC");
    for (auto [call, zone] : {std::pair{"F5AB", "14"}, {"W1AW", "05"}})
      QCOMPARE(QProcess::execute(QStringLiteral(MIRVA_CLI),
                                 {"--dir", ui.dir.path(), "add", "--at", "2026-12-06 12:00",
                                  "--call", call, "--band", "20", "--rcvd", zone}),
               0);
    FakeNode node;
    QVERIFY(node.Start(2000, 1000));
    StoreClusterSettings({{QStringLiteral("127.0.0.1:%1").arg(node.port).toStdString()}, "", 30});
    Program& program = ui.Start();
    QSignalSpy batches(&program.spotFeeds(), &SpotFeeds::spotsArrived);
    QVERIFY(node.node.waitForFinished(20000));
    std::multimap<QString, std::pair<QString, QString>> expected = node.Expected();
    auto received = [&] {
      std::size_t count = 0;
      for (const QList<QVariant>& batch : batches)
        count += batch.at(0).value<std::vector<Spot>>().size();
      return count;
    };
    QTRY_COMPARE_WITH_TIMEOUT(received(), expected.size(), 10000);

    // One spot per call and band stays, each weighed as the log says.
    const BandMap& map = program.bandMap().map();
    QCOMPARE(map.Size(), std::size_t{8});
    for (const HeldSpot& held : map.Spots()) {
      QString key = QString::fromStdString(held.spot.khz + "\t" + held.spot.call);
      auto want = expected.find(key);
      QVERIFY2(want != expected.end(), qPrintable(key));
      QCOMPARE(QString::fromLatin1(SpotValueWord(held.worth.value)), want->second.first);
      QCOMPARE(QString::fromStdString(held.worth.mults), want->second.second);
    }
  }

  void AChosenSpotTunesTheRadioAndFillsTheEntry() {
#ifndef MIRVA_HAVE_HAMLIB
    QSKIP("this build has no Hamlib to tune a radio");
#else
    if (!DummyRadio::Available())
      QSKIP("rigctld and rigctl (libhamlib-utils) are not installed");
    DummyRadio radio;
    QVERIFY(radio.Start());
    QVERIFY(radio.Tune(3550000, "CW"));
    UiFixture ui;
    ui.StoreContest(kCwSsbContest);
    ui.StoreStation("eCall", "DL1ABC");
    const RadioSettings settings{true, kRigctldModel, radio.Address().toStdString(), 0};
    StoreRadioSettings(settings);
    Program& program = ui.Start();
    EntryWindow& entry = program.entry();
    QTRY_COMPARE_WITH_TIMEOUT(ListText(entry, "cbBand"), QStringLiteral("80"), 5000);

    struct Case {
      std::int64_t hz;
      const char* call;
      const char* radio_mode;
      const char* band;
      const char* mode;
    };
    const Case cases[] = {{7025000, "UA9XYZ", "CW", "40", "CW"},
                          {14200000, "K1ABC", "USB", "20", "SSB"}};
    for (const Case& c : cases) {
      Spot spot;
      spot.hz = c.hz;
      spot.call = c.call;
      Q_EMIT program.bandMap().spotChosen(spot);
      QTRY_COMPARE(UiFixture::Find<QLineEdit>(entry, "eCall")->text(), QLatin1String(c.call));
      QCOMPARE(ListText(entry, "cbBand"), QLatin1String(c.band));
      QCOMPARE(ListText(entry, "cbMode"), QLatin1String(c.mode));
      // A radio of its own: Hamlib keeps what a radio said for a while.
      QTRY_COMPARE(HamlibRadio(settings, std::chrono::milliseconds(1000)).Read(),
                   (RadioReading{c.hz, c.radio_mode, ""}));
      // The radio's reading back leaves the entry where the spot put it.
      QTest::qWait(300);
      QCOMPARE(ListText(entry, "cbBand"), QLatin1String(c.band));
      QCOMPARE(ListText(entry, "cbMode"), QLatin1String(c.mode));
    }
#endif
  }
};

}  // namespace mirva

QTEST_MAIN(mirva::SpotsProgramTest)
#include "spots_program_test.moc"
