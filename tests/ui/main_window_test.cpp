#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QToolButton>
#include <QtTest>

#include "dialogs/cabrillo_dialog.h"
#include "dialogs/contest_dialog.h"
#include "dialogs/edit_qso_dialog.h"
#include "dialogs/station_dialog.h"
#include "ui_fixture.h"
#include "windows/entry_window.h"
#include "windows/multipliers_window.h"
#include "windows/previous_qsos_window.h"
#include "windows/qso_list_window.h"
#include "windows/statistics_window.h"
#include "windows/worked_calls_window.h"

namespace mirva {

class MainWindowTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void FirstStartSetsUpTheFirstContestWithEveryButtonUp() {
    UiFixture ui;
    Program& program = ui.Start();
    QCOMPARE(program.main().windowTitle(),
             QStringLiteral("Mirva contest module - CQ WW DX Contest (CW)"));
    for (const char* name : {"sbNew", "sbContestStat", "sbPrev", "sbQSOList", "sbCalls"}) {
      auto* button = UiFixture::Find<QToolButton>(program.main(), name);
      QVERIFY2(button && !button->isChecked(), name);
    }
    QVERIFY(!program.entry().isVisible());
    QVERIFY(ui.notifier.errors.empty());
    // Nobody has said who the station is yet: the station dialog asks.
    QVERIFY(program.station().isVisible());
  }

  void AStoredStationIsNotAskedFor() {
    UiFixture ui;
    OpenStoredSettings()->setValue(QStringLiteral("Station configuration/eCall"), "DL1ABC");
    Program& program = ui.Start();
    QVERIFY(!program.station().isVisible());
    QCOMPARE(ui.session->StationCfg().Call, std::string("DL1ABC"));
  }

  void StoredToggleStatesReopenTheirWindows() {
    UiFixture ui;
    ui.StoreContest(1);
    {
      Program& program = ui.Start();
      UiFixture::Find<QToolButton>(program.main(), "sbQSOList")->click();
      QVERIFY(program.list().isVisible());
      program.main().close();
    }
    Program& program = ui.Start();
    QVERIFY(program.list().isVisible());
    QVERIFY(!program.entry().isVisible());
    QCOMPARE(program.main().windowTitle(),
             QStringLiteral("Mirva contest module - CQ WW DX Contest (SSB)"));
    // Closing the window by its close box releases its button.
    program.list().close();
    QVERIFY(!UiFixture::Find<QToolButton>(program.main(), "sbQSOList")->isChecked());
  }

  void AContestOutsideTheCatalogueIsChosenBeforeAnythingElse() {
    struct Case {
      const char* name;
      bool catalogue;
    };
    for (Case c : {Case{"stored index past the catalogue", true}, Case{"no catalogue", false}}) {
      UiFixture ui;
      ui.StoreContest(999);
      if (!c.catalogue)
        QFile::remove(ui.dir.filePath(QStringLiteral("Contests.mrv")));
      Program& program = ui.Start();
      QVERIFY2(program.select().isVisible(), c.name);
      QVERIFY2(!ui.session->HasContest(), c.name);
      QVERIFY2(!UiFixture::Find<QToolButton>(program.main(), "sbNew")->isEnabled(), c.name);
      program.select().reject();
      QVERIFY2(!program.entry().isVisible(), c.name);
    }
    UiFixture ui;
    ui.StoreContest(999);
    Program& program = ui.Start();
    auto* list = UiFixture::Find<QListWidget>(program.select(), "lbContestList");
    list->setCurrentRow(2);
    UiFixture::Find<QPushButton>(program.select(), "Button1")->click();
    QCOMPARE(program.main().windowTitle(),
             QStringLiteral("Mirva contest module - CQ WW WPX Contest (CW)"));
    QVERIFY(UiFixture::Find<QToolButton>(program.main(), "sbNew")->isEnabled());
  }

  // A line with a trailing blank looks like its contest: the list says why it names none, and
  // choosing it says so and keeps the window open.
  void ACatalogueLineThatNamesNoContestIsMarkedAndRefused() {
    UiFixture ui;
    QFile catalogue(ui.dir.filePath(QStringLiteral("Contests.mrv")));
    QVERIFY(catalogue.open(QIODevice::Append));
    catalogue.write("CQ WW DX Contest (CW) \r\n");
    catalogue.close();
    ui.StoreContest(36);
    Program& program = ui.Start();
    QVERIFY(program.select().isVisible());
    auto* list = UiFixture::Find<QListWidget>(program.select(), "lbContestList");
    QCOMPARE(list->currentRow(), 36);
    QCOMPARE(list->item(0)->text(), QStringLiteral("CQ WW DX Contest (CW)"));
    QCOMPARE(list->item(36)->text(),
             QStringLiteral("CQ WW DX Contest (CW)   (names no contest: it has a blank at its "
                            "end; the contest is written 'CQ WW DX Contest (CW)')"));

    // Enter in the list chooses once, as the default button.
    ui.notifier.errors.clear();
    QTest::keyClick(list, Qt::Key_Return);
    QCOMPARE(ui.notifier.errors.size(), std::size_t{1});
    QVERIFY(ui.notifier.errors[0].starts_with("Line 37 of Contests.mrv names no contest"));
    QVERIFY(program.select().isVisible());
    QVERIFY(!ui.session->HasContest());

    list->setCurrentRow(0);
    UiFixture::Find<QPushButton>(program.select(), "Button1")->click();
    QVERIFY(!program.select().isVisible());
    QCOMPARE(program.main().windowTitle(),
             QStringLiteral("Mirva contest module - CQ WW DX Contest (CW)"));
  }

  void ChoosingAContestRefillsTheEntryAndCancellingChangesNothing() {
    UiFixture ui;
    Program& program = ui.Start();
    auto* band = UiFixture::Find<QComboBox>(program.entry(), "cbBand");
    QCOMPARE(band->count(), 6);
    auto* contest = UiFixture::Find<QAction>(program.main(), "Contest1");
    contest->trigger();
    UiFixture::Find<QListWidget>(program.select(), "lbContestList")->setCurrentRow(9);
    program.select().reject();
    QCOMPARE(program.main().windowTitle(),
             QStringLiteral("Mirva contest module - CQ WW DX Contest (CW)"));
    QCOMPARE(band->count(), 6);

    contest->trigger();
    UiFixture::Find<QListWidget>(program.select(), "lbContestList")->setCurrentRow(9);
    UiFixture::Find<QPushButton>(program.select(), "Button1")->click();
    QCOMPARE(program.main().windowTitle(),
             QStringLiteral("Mirva contest module - ARRL 10 meter Contest"));
    QCOMPARE(band->count(), 1);
    QCOMPARE(band->currentText(), QStringLiteral("10"));
  }

  // Each working directory opens under its own contest, station, band and header, whichever
  // was opened last, and mirva-cli reads the same settings file.
  void TwoDirectoriesKeepTheirOwnSettings() {
    struct Dir {
      int contest;
      const char* call;
      const char* band;
      const char* name;
      QString title;
    } dirs[] = {
        {0, "DL1ABC", "20", "Hans", QStringLiteral("Mirva contest module - CQ WW DX Contest (CW)")},
        {6, "UA3ABC", "40", "Ivan", QStringLiteral("Mirva contest module - Russian DX contest")}};
    UiFixture one;
    UiFixture two;
    UiFixture* fixtures[] = {&one, &two};
    for (int i = 0; i < 2; ++i) {
      UiFixture& ui = *fixtures[i];
      const Dir& d = dirs[i];
      Program& program = ui.Start();
      program.station().reject();
      UiFixture::Find<QAction>(program.main(), "Contest1")->trigger();
      UiFixture::Find<QListWidget>(program.select(), "lbContestList")->setCurrentRow(d.contest);
      UiFixture::Find<QPushButton>(program.select(), "Button1")->click();
      UiFixture::Find<QAction>(program.main(), "Station1")->trigger();
      UiFixture::Find<QLineEdit>(program.station(), "eCall")->setText(QLatin1String(d.call));
      UiFixture::Find<QPushButton>(program.station(), "Button1")->click();
      auto* band = UiFixture::Find<QComboBox>(program.entry(), "cbBand");
      band->setCurrentIndex(band->findText(QLatin1String(d.band)));
      program.cabrillo().ShowCabrilloWin();
      UiFixture::Find<QLineEdit>(program.cabrillo(), "eName")->setText(QLatin1String(d.name));
      program.cabrillo().reject();
      program.main().close();
    }
    for (int i = 1; i >= 0; --i) {
      UiFixture& ui = *fixtures[i];
      const Dir& d = dirs[i];
      Program& program = ui.Start();
      QCOMPARE(program.main().windowTitle(), d.title);
      QCOMPARE(ui.session->StationCfg().Call, std::string(d.call));
      QCOMPARE(UiFixture::Find<QComboBox>(program.entry(), "cbBand")->currentText(),
               QLatin1String(d.band));
      program.cabrillo().ShowCabrilloWin();
      QCOMPARE(UiFixture::Find<QLineEdit>(program.cabrillo(), "eName")->text(),
               QLatin1String(d.name));
      QCOMPARE(UiFixture::Find<QLineEdit>(program.cabrillo(), "eCall")->text(),
               QLatin1String(d.call));
      program.cabrillo().reject();
      QProcess cli;
      cli.start(QStringLiteral(MIRVA_CLI),
                {QStringLiteral("--dir"), ui.dir.path(), QStringLiteral("status")});
      QVERIFY(cli.waitForFinished());
      QString status = QString::fromUtf8(cli.readAllStandardOutput());
      QVERIFY2(status.contains(d.title.mid(QStringLiteral("Mirva contest module - ").size())),
               qPrintable(status));
      QVERIFY2(status.contains(QLatin1String(d.call)), qPrintable(status));
    }
  }

  void ChangingTheStationKeepsTheEntrysBandAndMode() {
    UiFixture ui;
    Program& program = ui.Start();
    auto* band = UiFixture::Find<QComboBox>(program.entry(), "cbBand");
    band->setCurrentIndex(band->findText(QStringLiteral("20")));
    UiFixture::Find<QAction>(program.main(), "Station1")->trigger();
    UiFixture::Find<QPushButton>(program.station(), "Button1")->click();
    QCOMPARE(band->currentText(), QStringLiteral("20"));
    QCOMPARE(program.entry().entry().Band, std::string("20"));
  }

  // The band and mode in use come back after a restart, and another contest keeps them where
  // it has them.
  void TheEntrysBandAndModeOutliveARestartAndAContestChange() {
    UiFixture ui;
    ui.StoreContest(6);  // Russian DX contest: CW and SSB
    {
      Program& program = ui.Start();
      auto* band = UiFixture::Find<QComboBox>(program.entry(), "cbBand");
      auto* mode = UiFixture::Find<QComboBox>(program.entry(), "cbMode");
      band->setCurrentIndex(band->findText(QStringLiteral("20")));
      mode->setCurrentIndex(mode->findText(QStringLiteral("SSB")));
      program.main().close();
    }
    Program& program = ui.Start();
    const QsoEntry& entry = program.entry().entry();
    auto* band = UiFixture::Find<QComboBox>(program.entry(), "cbBand");
    auto* mode = UiFixture::Find<QComboBox>(program.entry(), "cbMode");
    QCOMPARE(band->currentText(), QStringLiteral("20"));
    QCOMPARE(mode->currentText(), QStringLiteral("SSB"));
    QCOMPARE(entry.RprtSent, std::string("59"));
    struct Case {
      int row;
      const char* band;
      const char* mode;
      const char* report;
    } cases[] = {
        {0, "20", "CW", "599"},  // CQ WW DX Contest (CW): no SSB
        {5, "20", "SSB", "59"},  // ARRL International DX Contest (SSB)
        {9, "10", "SSB", "59"},  // ARRL 10 meter Contest: 10 m only
    };
    for (const Case& c : cases) {
      UiFixture::Find<QAction>(program.main(), "Contest1")->trigger();
      UiFixture::Find<QListWidget>(program.select(), "lbContestList")->setCurrentRow(c.row);
      UiFixture::Find<QPushButton>(program.select(), "Button1")->click();
      QCOMPARE(band->currentText(), QLatin1String(c.band));
      QCOMPARE(mode->currentText(), QLatin1String(c.mode));
      QCOMPARE(entry.Band, std::string(c.band));
      QCOMPARE(entry.RprtSent, std::string(c.report));
    }
  }

  void ClearLogAsksFirst() {
    for (bool yes : {false, true}) {
      UiFixture ui;
      Program& program = ui.Start();
      ui.session->SaveQso(TestQso("UA3ABC"));
      ui.notifier.answer = yes;
      UiFixture::Find<QAction>(program.main(), "Clearlog1")->trigger();
      QCOMPARE(ui.notifier.questions.back(),
               std::string("All contacts will be removed from the log. Are you sure?"));
      QCOMPARE(ui.session->log().QSOLog().size(), yes ? std::size_t{0} : std::size_t{1});
    }
  }

  void EveryControlHasANameAScreenReaderSpeaks() {
    UiFixture ui;
    Program& p = ui.Start();
    QCOMPARE(Unspoken({&p.main(), &p.stat(), &p.entry(), &p.prev(), &p.list(), &p.calls(),
                       &p.station(), &p.edit(), &p.select(), &p.mults()}),
             QStringList());
  }

  void MacroKeysAreBroadcastWithTheirCodes() {
    UiFixture ui;
    Program& program = ui.Start();
    UiFixture::Find<QAction>(program.main(), "F11")->trigger();
    UiFixture::Find<QAction>(program.main(), "CTRLF121")->trigger();
    QCOMPARE(ui.bus.sent.size(), std::size_t{2});
    QCOMPARE(ui.bus.sent[0].wparam, 1L);
    QCOMPARE(ui.bus.sent[1].wparam, 112L);
    QCOMPARE(ui.bus.sent[1].message, std::string("MRV_CW"));
  }
};

}  // namespace mirva

QTEST_MAIN(mirva::MainWindowTest)
#include "main_window_test.moc"
