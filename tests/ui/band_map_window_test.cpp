#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QSignalSpy>
#include <QToolButton>
#include <QtTest>

#include "ui_fixture.h"
#include "widgets/band_map_view.h"
#include "windows/band_map_window.h"
#include "windows/entry_window.h"

namespace mirva {

namespace {

struct Heard {
  const char* call;
  std::int64_t hz;
  SpotValue value;
  const char* band;
  const char* mults;
};

/// CQ WW CW on 20 m with the entry and the band map shown, the callsign field active, and
/// these spots heard, the last one newest.
struct BandMapUi : UiFixture {
  BandMapWindow* map = nullptr;

  BandMapUi() {
    StoreContest(0);
    StoreStation("eCall", "DL1ABC");
    Program& started = Start();
    map = &started.bandMap();
    Find<QToolButton>(started.main(), "sbBandMap")->click();
    Find<QToolButton>(started.main(), "sbNew")->click();
    auto* bands = Find<QComboBox>(started.entry(), "cbBand");
    bands->setCurrentIndex(bands->findText(QStringLiteral("20")));
    started.entry().activateWindow();
    [[maybe_unused]] bool active = QTest::qWaitForWindowActive(&started.entry());
    Call()->setFocus();
    std::vector<Spot> spots;
    std::vector<SpotWorth> worths;
    for (const Heard& heard :
         std::initializer_list<Heard>{{"FORTY", 7010000, SpotValue::kMult, "40", "K 5"},
                                      {"UA3X", 14020000, SpotValue::kDupe, "20", ""},
                                      {"OUT", 14050000, SpotValue::kOut, "20", ""},
                                      {"DL1AB", 14030000, SpotValue::kMult, "20", "DL 14"},
                                      {"K1AB", 14010100, SpotValue::kQso, "20", ""},
                                      {"K1AA", 14010000, SpotValue::kQso, "20", ""}}) {
      Spot& spot = spots.emplace_back();
      spot.hz = heard.hz;
      spot.call = heard.call;
      worths.push_back({heard.value, heard.band, "CW", heard.mults, false});
    }
    map->AddSpots(spots, worths);
  }

  QLineEdit* Call() const { return Find<QLineEdit>(program->entry(), "eCall"); }
  const BandMapView& View() const { return map->view(); }
  QStringList Texts() const {
    QStringList texts;
    for (const BandMapLabel& label : View().Labels())
      texts << label.text;
    return texts;
  }
  /// A key with modifiers, as the window system sends it: without a text to type.
  static void Press(Qt::Key key, Qt::KeyboardModifiers modifiers) {
    QTest::sendKeyEvent(QTest::Click, QApplication::focusWidget(), key, QString(), modifiers);
  }
};

}  // namespace

class BandMapWindowTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void SpotsShowByFrequencyInTheColoursOfTheirWorth() {
    BandMapUi ui;
    QCOMPARE(ui.map->objectName(), QStringLiteral("TBandMapWin"));
    QCOMPARE(ui.map->windowTitle(), QStringLiteral("Band map"));
    QCOMPARE(ui.Texts(), (QStringList{"\u00D7OUT", "DL1AB", "UA3X", "K1AB", "K1AA"}));
    const std::vector<BandMapLabel>& labels = ui.View().Labels();
    struct Look {
      QColor color;
      bool bold;
      bool italic;
      bool newest;
    };
    const Look looks[] = {{QColor(128, 128, 128), false, true, false},
                          {QColor(200, 0, 0), true, false, false},
                          {QColor(128, 128, 128), false, false, false},
                          {QColor(0, 0, 170), false, false, false},
                          {QColor(0, 0, 170), false, false, true}};
    for (std::size_t i = 0; i < labels.size(); ++i) {
      QCOMPARE(labels[i].color.rgb(), looks[i].color.rgb());
      QCOMPARE(labels[i].bold, looks[i].bold);
      QCOMPARE(labels[i].italic, looks[i].italic);
      QCOMPARE(labels[i].newest, looks[i].newest);
    }
    // K1AA lies 100 Hz under K1AB: its label moves down rather than overlap.
    QVERIFY(labels[4].top >= labels[3].top + ui.View().fontMetrics().height());
    QVERIFY(labels[4].top > labels[4].tick_y - ui.View().fontMetrics().height());

    UiFixture::Find<QCheckBox>(*ui.map, "cbOutOfBand")->click();
    UiFixture::Find<QCheckBox>(*ui.map, "cbHideDupes")->click();
    UiFixture::Find<QCheckBox>(*ui.map, "cbAllBands")->click();
    QCOMPARE(ui.Texts(), (QStringList{"DL1AB", "K1AB", "K1AA", "FORTY"}));
    QVERIFY(ui.View().Labels()[3].top > ui.View().Labels()[2].top);
  }

  void KeysChooseFromTheViewAndGrabFromTheEntry() {
    BandMapUi ui;
    QSignalSpy chosen(ui.map, &BandMapWindow::spotChosen);
    auto chosen_call = [&] { return chosen.takeLast().at(0).value<Spot>().call; };

    // The grab keys work in the callsign field, which keeps the keyboard.
    ui.map->ShowRadioFrequency(14020000);
    const struct {
      Qt::Key key;
      const char* call;
    } grabs[] = {{Qt::Key_Up, "DL1AB"},   {Qt::Key_Up, "OUT"},    {Qt::Key_Up, nullptr},
                 {Qt::Key_Down, "DL1AB"}, {Qt::Key_Down, "UA3X"}, {Qt::Key_Down, "K1AB"}};
    for (const auto& grab : grabs) {
      BandMapUi::Press(grab.key, Qt::ControlModifier);
      QCOMPARE(QApplication::focusWidget(), ui.Call());
      if (grab.call)
        QCOMPARE(chosen_call(), grab.call);
      QCOMPARE(chosen.count(), 0);
    }

    // Up and Down in the view move the selection from the grabbed spot; Enter chooses.
    auto& view = const_cast<BandMapView&>(ui.View());
    view.setFocus();
    QTest::keyClick(&view, Qt::Key_Down);
    QTest::keyClick(&view, Qt::Key_Down);
    QTest::keyClick(&view, Qt::Key_Up);
    QCOMPARE(chosen.count(), 0);
    QCOMPARE(view.accessibleDescription(), QStringLiteral("K1AB 14010.1 kHz, QSO"));
    QTest::keyClick(&view, Qt::Key_Up);
    QTest::keyClick(&view, Qt::Key_Up);
    QCOMPARE(view.accessibleDescription(),
             QStringLiteral("DL1AB 14030.0 kHz, new multiplier DL 14"));
    QTest::keyClick(&view, Qt::Key_Return);
    QCOMPARE(chosen_call(), "DL1AB");

    auto* command = UiFixture::Find<QLineEdit>(*ui.map, "eCommand");
    QSignalSpy typed(ui.map, &BandMapWindow::commandTyped);
    QTest::keyClicks(command, QStringLiteral("sh/dx"));
    QTest::keyClick(command, Qt::Key_Return);
    QCOMPARE(typed.takeFirst().at(0).toString(), QStringLiteral("sh/dx"));
  }

  void AHandMarkTakesTheTypedCallAtTheRadiosFrequency() {
    BandMapUi ui;
    QSignalSpy marked(ui.map, &BandMapWindow::spotMarked);
    QTest::keyClicks(ui.Call(), QStringLiteral("oh2bh"));
    BandMapUi::Press(Qt::Key_M, Qt::ControlModifier | Qt::AltModifier);
    QCOMPARE(marked.count(), 0);  // no radio frequency yet
    ui.map->ShowRadioFrequency(14040000);
    BandMapUi::Press(Qt::Key_M, Qt::ControlModifier | Qt::AltModifier);
    QCOMPARE(marked.count(), 1);
    Spot mark = marked.takeFirst().at(0).value<Spot>();
    QCOMPARE(mark.call, "OH2BH");
    QCOMPARE(mark.hz, 14040000);
    QVERIFY(mark.by_hand);
    QCOMPARE(ui.map->map().Newest()->spot, mark);
    QCOMPARE(ui.Texts(), (QStringList{"\u00D7OUT", "OH2BH", "DL1AB", "UA3X", "K1AB", "K1AA"}));
    QCOMPARE(QApplication::focusWidget(), ui.Call());
    QCOMPARE(ui.Call()->text(), QStringLiteral("OH2BH"));
  }

  void OpensAgainAtTheNextStartOnTheEntrysBand() {
    UiFixture ui;
    ui.StoreContest(0);
    ui.StoreStation("eCall", "DL1ABC");
    OpenStoredSettings()->setValue(QStringLiteral("Main/sbBandMap.Down"), true);
    Program& started = ui.Start();
    QVERIFY(UiFixture::Find<QToolButton>(started.main(), "sbBandMap")->isChecked());
    QVERIFY(started.bandMap().isVisible());
    // Drawn before any key in the entry.
    QCOMPARE(started.entry().entry().Band, "160");
    Spot spot;
    spot.hz = 1820000;
    spot.call = "K1AB";
    started.bandMap().AddSpots({spot}, {{SpotValue::kQso, "160", "CW", "", false}});
    QCOMPARE(started.bandMap().view().Labels().size(), std::size_t{1});
  }

  void AltEightTogglesTheWindow() {
    BandMapUi ui;
    QVERIFY(ui.map->isVisible());
    BandMapUi::Press(Qt::Key_8, Qt::AltModifier);
    QTRY_VERIFY(!ui.map->isVisible());
    QVERIFY(!UiFixture::Find<QToolButton>(ui.program->main(), "sbBandMap")->isChecked());
    BandMapUi::Press(Qt::Key_8, Qt::AltModifier);
    QTRY_VERIFY(ui.map->isVisible());
    QCOMPARE(Unspoken({ui.map}), QStringList());
  }
};

}  // namespace mirva

QTEST_MAIN(mirva::BandMapWindowTest)
#include "band_map_window_test.moc"
