#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QtTest>

#include "dialogs/radio_dialog.h"
#include "dummy_radio.h"
#include "radio/radio_link.h"
#include "radio/radio_settings.h"
#include "ui_fixture.h"
#include "windows/entry_window.h"

namespace mirva {

namespace {

/// The Russian DX contest: CW and SSB on six bands.
constexpr int kCwSsbContest = 6;

constexpr char kPlan[] =
    "\tStart freq\tEnd freq\tCW\tSSB\tDIGI\t\r\n"
    "40\t7000\t7200\t7000\t7060\t7040\t\r\n"
    "20\t14000\t14350\t14000\t14100\t14070\t\r\n"
    "15\t21000\t21450\t21000\t21150\t21070\t\r\n";

QString ListText(const EntryWindow& entry, const char* name) {
  return UiFixture::Find<QComboBox>(entry, name)->currentText();
}

}  // namespace

class RadioTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void OkStoresTheRadioAndCancelDoesNot() {
    struct Case {
      const char* button;
      RadioSettings stored;
    };
    const RadioSettings typed{true, 1, "/dev/ttyUSB1", 19200};
    for (const Case& c : {Case{"BitBtn1", typed}, Case{"BitBtn2", RadioSettings{}}}) {
      UiFixture ui;
      Program& program = ui.Start();
      QAction* item = UiFixture::Find<QAction>(program.main(), "Vextalsetup1");
      QVERIFY(item->isVisible() && item->isEnabled());
      item->trigger();
      RadioDialog& window = program.vextal();
      UiFixture::Find<QCheckBox>(window, "CheckBox1")->setChecked(true);
      auto* model = UiFixture::Find<QComboBox>(window, "cbRadioModel");
      model->setCurrentIndex(model->findData(typed.model));
      UiFixture::Find<QLineEdit>(window, "eRadioPort")->setText(QStringLiteral(" /dev/ttyUSB1 "));
      UiFixture::Find<QSpinBox>(window, "seRadioSpeed")->setValue(typed.speed);
      UiFixture::Find<QPushButton>(window, c.button)->click();
      QCOMPARE(ReadRadioSettings(), c.stored);
      QCOMPARE(program.radio().Running(), c.stored.enabled);
    }
  }

  void TheEntryFollowsTheRadio() {
    if (!DummyRadio::Available())
      QSKIP("rigctld and rigctl (libhamlib-utils) are not installed");
    DummyRadio radio;
    QVERIFY(radio.Start());
    QVERIFY(radio.Tune(14025000, "CW"));
    UiFixture ui;
    QFile plan(ui.dir.filePath(QStringLiteral("Bandplan.mrv")));
    QVERIFY(plan.open(QIODevice::WriteOnly));
    plan.write(kPlan);
    plan.close();
    ui.StoreContest(kCwSsbContest);
    StoreRadioSettings({true, kRigctldModel, radio.Address().toStdString(), 0});
    Program& program = ui.Start();
    EntryWindow& entry = program.entry();
    constexpr int kWait = 5000;
    QTRY_COMPARE_WITH_TIMEOUT(ListText(entry, "cbBand"), QStringLiteral("20"), kWait);
    QCOMPARE(ListText(entry, "cbMode"), QStringLiteral("CW"));

    // The operator's own choice lasts while the radio stays where it is.
    auto* band = UiFixture::Find<QComboBox>(entry, "cbBand");
    band->setCurrentIndex(band->findText(QStringLiteral("40")));
    QTest::qWait(800);
    QCOMPARE(ListText(entry, "cbBand"), QStringLiteral("40"));
    QCOMPARE(entry.entry().Band, std::string("40"));

    QVERIFY(radio.Tune(21300000, "USB"));
    QTRY_COMPARE_WITH_TIMEOUT(ListText(entry, "cbBand"), QStringLiteral("15"), kWait);
    QCOMPARE(ListText(entry, "cbMode"), QStringLiteral("SSB"));
    QCOMPARE(entry.entry().Mode, std::string("SSB"));

    // A radio that went away is said once in the caption, and logging goes on.
    radio.Kill();
    QTRY_VERIFY_WITH_TIMEOUT(
        program.main().windowTitle().contains(QLatin1String("Radio: not answering")), kWait);
    QVERIFY(program.main().windowTitle().contains(radio.Address()));
    auto* call = UiFixture::Find<QLineEdit>(entry, "eCall");
    QTest::keyClicks(call, QStringLiteral("DL1ABC"));
    UiFixture::Find<QLineEdit>(entry, "eRcvd")->setText(QStringLiteral("14"));
    entry.bSaveClick();
    QCOMPARE(ui.session->log().QSOLog().size(), std::size_t{1});
    QCOMPARE(ui.session->log().QSOLog()[0].Band, std::string("15"));

    // Back again, it is found without a restart.
    QVERIFY(radio.Start(radio.Port()));
    QTRY_VERIFY_WITH_TIMEOUT(!program.main().windowTitle().contains(QLatin1String("Radio")), kWait);
    QVERIFY(radio.Tune(7010000, "LSB"));
    QTRY_COMPARE_WITH_TIMEOUT(ListText(entry, "cbBand"), QStringLiteral("40"), kWait);
    QCOMPARE(ListText(entry, "cbMode"), QStringLiteral("CW"));
  }
};

}  // namespace mirva

QTEST_MAIN(mirva::RadioTest)
#include "radio_test.moc"
