#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QtTest>
#include <algorithm>
#include <condition_variable>
#include <mutex>

#include "dialogs/radio_dialog.h"
#include "dummy_radio.h"
#ifdef MIRVA_HAVE_HAMLIB
#include "hamlib_radio.h"
#endif
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

/// Hamlib's dummy radio, which needs no port.
constexpr int kDummyModel = 1;

/// Holds every question to its radios until opened, and counts how many radios are open at
/// once; the radios are Hamlib's own where the build has Hamlib.
class RadioGate {
 public:
  RadioOpener Opener() {
    return [this](const RadioSettings& settings) -> std::unique_ptr<Radio> {
      return std::make_unique<Gated>(*this, OpenRadio(settings));
    };
  }
  /// Lets every question through, now and from now on.
  void Open() {
    std::lock_guard lock(mutex_);
    open_ = true;
    changed_.notify_all();
  }
  int Made() const { return Count(made_); }
  int OpenNow() const { return Count(open_now_); }
  int MostOpen() const { return Count(most_open_); }
  /// Questions held at the gate now.
  int Held() const { return Count(held_); }

 private:
  class Gated : public Radio {
   public:
    Gated(RadioGate& gate, std::unique_ptr<Radio> radio) : gate_(gate), radio_(std::move(radio)) {
      std::lock_guard lock(gate_.mutex_);
      ++gate_.made_;
      gate_.most_open_ = std::max(gate_.most_open_, ++gate_.open_now_);
    }
    ~Gated() override {
      radio_.reset();
      std::lock_guard lock(gate_.mutex_);
      --gate_.open_now_;
    }
    RadioReading Read() override {
      Pass();
      return radio_->Read();
    }
    std::string Tune(std::int64_t hz, std::string_view mode) override {
      Pass();
      return radio_->Tune(hz, mode);
    }

   private:
    void Pass() {
      std::unique_lock lock(gate_.mutex_);
      ++gate_.held_;
      gate_.changed_.wait(lock, [this] { return gate_.open_; });
      --gate_.held_;
    }

    RadioGate& gate_;
    std::unique_ptr<Radio> radio_;
  };

  int Count(const int& count) const {
    std::lock_guard lock(mutex_);
    return count;
  }

  mutable std::mutex mutex_;
  std::condition_variable changed_;
  bool open_ = false;
  int made_ = 0;
  int open_now_ = 0;
  int most_open_ = 0;
  int held_ = 0;
};

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
      QTRY_VERIFY(model->findData(typed.model) >= 0);
      model->setCurrentIndex(model->findData(typed.model));
      UiFixture::Find<QLineEdit>(window, "eRadioPort")->setText(QStringLiteral(" /dev/ttyUSB1 "));
      UiFixture::Find<QSpinBox>(window, "seRadioSpeed")->setValue(typed.speed);
      UiFixture::Find<QPushButton>(window, c.button)->click();
      QCOMPARE(ReadRadioSettings(), c.stored);
      QCOMPARE(program.radio().Running(), c.stored.enabled);
    }
  }

  void TheModelListArrivesKeepingTheStoredModel() {
#ifndef MIRVA_HAVE_HAMLIB
    QSKIP("this build has no Hamlib to list models");
#endif
    struct Case {
      int stored;
      const char* shown;
    };
    for (const Case& c : {Case{kDummyModel, "Dummy"}, Case{987654, "Model 987654"}}) {
      UiFixture ui;
      StoreRadioSettings({false, c.stored, "", 0});
      Program& program = ui.Start();
      auto* model = UiFixture::Find<QComboBox>(program.vextal(), "cbRadioModel");
      QTRY_VERIFY(model->count() > 1);
      QCOMPARE(model->currentData().toInt(), c.stored);
      QVERIFY2(model->currentText().contains(QLatin1String(c.shown)),
               qPrintable(model->currentText()));
      QCOMPARE(program.vextal().ChosenRadio().model, c.stored);
    }
  }

  void ARestartWaitsForAHungRadioWithoutHoldingTheWindow() {
    struct Case {
      const char* name;
      bool enabled_after;
      int made;
    };
    for (const Case& c : {Case{"new settings", true, 2}, Case{"radio off", false, 1}}) {
      UiFixture ui;
      ui.MakeWorkspace();
      RadioGate gate;
      auto link = std::make_unique<RadioLink>(ui.services(), gate.Opener());
      StoreRadioSettings({true, kDummyModel, "", 0});
      link->Restart();
      QTRY_COMPARE(gate.Held(), 1);

      // Back at once while the first radio hangs, and nothing opened beside it.
      StoreRadioSettings({c.enabled_after, kDummyModel, "", 0});
      link->Restart();
      link->Restart();
      QCOMPARE(gate.Held(), 1);
      QCOMPARE(gate.Made(), 1);
      QCOMPARE(link->Running(), c.enabled_after);

      gate.Open();
      QTRY_COMPARE(gate.Made(), c.made);
      QTRY_COMPARE(gate.OpenNow(), c.made - 1);
      QVERIFY2(gate.MostOpen() == 1, c.name);
      link.reset();
      QCOMPARE(gate.OpenNow(), 0);
    }
  }

  void TheEndLeavesAHungRadioToCloseAlone() {
    UiFixture ui;
    ui.MakeWorkspace();
    RadioGate gate;
    StoreRadioSettings({true, kDummyModel, "", 0});
    {
      RadioLink link(ui.services(), gate.Opener());
      link.Restart();
      QTRY_COMPARE(gate.Held(), 1);
    }
    QCOMPARE(gate.OpenNow(), 1);
    gate.Open();
    QTRY_COMPARE(gate.OpenNow(), 0);
  }

  void TuningReturnsAtOnceAndTheRadioReadsItBack() {
#ifndef MIRVA_HAVE_HAMLIB
    QSKIP("this build has no Hamlib to tune a radio");
#else
    if (!DummyRadio::Available())
      QSKIP("rigctld and rigctl (libhamlib-utils) are not installed");
    DummyRadio radio;
    QVERIFY(radio.Start());
    QVERIFY(radio.Tune(3550000, "CW"));
    UiFixture ui;
    ui.MakeWorkspace();
    RadioGate gate;
    RadioLink link(ui.services(), gate.Opener());
    QSignalSpy read(&link, &RadioLink::frequencyRead);
    link.Tune(7025000, QStringLiteral("CW"));  // not running: nothing to tune
    QCOMPARE(gate.Made(), 0);

    const RadioSettings settings{true, kRigctldModel, radio.Address().toStdString(), 0};
    StoreRadioSettings(settings);
    link.Restart();
    QTRY_COMPARE(gate.Held(), 1);
    // The radio is busy answering: the tune waits in the poller's queue, not in the window.
    link.Tune(7025000, QStringLiteral("CW"));
    QCOMPARE(gate.Held(), 1);
    gate.Open();

    struct Case {
      qint64 hz;
      const char* mode;
      const char* radio_mode;
    };
    const Case cases[] = {
        {7025000, "CW", "CW"},        {14200000, "SSB", "USB"}, {7150000, "SSB", "LSB"},
        {14080000, "DIGI", "PKTUSB"}, {14085000, "", "PKTUSB"},
    };
    for (const Case& c : cases) {
      if (c.hz != 7025000)
        link.Tune(c.hz, QLatin1String(c.mode));
      QTRY_VERIFY2(!read.isEmpty() && read.last().at(0).toLongLong() == c.hz, c.mode);
      // A radio of its own each time: Hamlib keeps what a radio said for a while.
      QCOMPARE(HamlibRadio(settings, std::chrono::milliseconds(1000)).Read(),
               (RadioReading{c.hz, c.radio_mode, ""}));
    }
#endif
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
