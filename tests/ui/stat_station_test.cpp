#include <QBarSet>
#include <QCategoryAxis>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStackedBarSeries>
#include <QTableView>
#include <QTableWidget>
#include <QToolButton>
#include <QtTest>
#include <functional>

#include "dialogs/contest_dialog.h"
#include "dialogs/edit_qso_dialog.h"
#include "dialogs/station_dialog.h"
#include "log/qso_record.h"
#include "ui_fixture.h"
#include "widgets/rate_chart.h"
#include "windows/entry_window.h"
#include "windows/qso_list_window.h"
#include "windows/statistics_window.h"

namespace mirva {

namespace {

QString Text(const QWidget& window, const char* name) {
  if (auto* edit = UiFixture::Find<QLineEdit>(window, name))
    return edit->text();
  return UiFixture::Find<QLabel>(window, name)->text();
}

void Click(const QWidget& window, const char* name) {
  UiFixture::Find<QPushButton>(window, name)->click();
}

void ChooseCountry(const QWidget& window, const char* prefix) {
  auto* box = UiFixture::Find<QComboBox>(window, "cbCountry");
  int index = box->findText(QLatin1String(prefix));
  QVERIFY(index >= 0);
  box->setCurrentIndex(index);
  Q_EMIT box->activated(index);
}

TQSOData Logged(const char* call, const char* band, int points, const char* marks) {
  TQSOData q = TestQso(call, band);
  q.Points = points;
  q.MultsText = marks;
  return q;
}

/// A CQ WW log of 100 points and 7 new multipliers: three QSOs new in both lists, one in the
/// countries only, and one on a band the contest does not have.
void WritePreparedLog(const UiFixture& ui) {
  std::string bytes;
  for (const TQSOData& q : {Logged("UA3ABC", "20", 25, "UA 16"), Logged("DL1AA", "20", 25, "DL 14"),
                            Logged("JA1AA", "40", 25, "JA 25"), Logged("UA9AA", "40", 25, "UA9 -"),
                            Logged("EA1AA", "6", 0, "- -")})
    bytes += EncodeQSO(q);
  QFile file(QString::fromStdString(ui.path() + "/" + kLogFileName));
  QVERIFY(file.open(QIODevice::WriteOnly));
  file.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

/// The chart's bands and, per band, its QSOs of each hour.
QStringList Bars(const RateChart& chart) {
  QStringList bars;
  for (const QBarSet* set : chart.series()->barSets()) {
    QStringList counts;
    for (int hour = 0; hour < set->count(); ++hour)
      counts << QString::number(set->at(hour));
    bars << set->label() + ": " + counts.join(' ');
  }
  return bars;
}

QString Cell(const QTableWidget& grid, int row, int column) {
  const QTableWidgetItem* item = grid.item(row, column);
  return item ? item->text() : QString();
}

}  // namespace

class StatStationTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void CallsignThenCountryFillTheStation() {
    UiFixture ui;
    StationDialog& dialog = ui.Start().station();
    dialog.open();
    QTest::keyClicks(UiFixture::Find<QLineEdit>(dialog, "eCall"), QStringLiteral("ua3abc"));
    QCOMPARE(Text(dialog, "eCall"), QStringLiteral("UA3ABC"));
    QCOMPARE(UiFixture::Find<QComboBox>(dialog, "cbCountry")->currentText(), QStringLiteral("UA"));
    QCOMPARE(Text(dialog, "lblCountryName"), QStringLiteral("European Russia"));
    QCOMPARE(Text(dialog, "eITU"), QStringLiteral("29"));
    QCOMPARE(Text(dialog, "eCQ"), QStringLiteral("16"));
    QCOMPARE(Text(dialog, "eCountry"), QStringLiteral("UA"));

    ChooseCountry(dialog, "DL");
    QCOMPARE(Text(dialog, "lblCountryName"), QStringLiteral("Fed. Rep. of Germany"));
    QCOMPARE(Text(dialog, "eITU"), QStringLiteral("28"));
    QCOMPARE(Text(dialog, "eCQ"), QStringLiteral("14"));
    QCOMPARE(Text(dialog, "eCountry"), QStringLiteral("DL"));
    QCOMPARE(Text(dialog, "eCall"), QStringLiteral("UA3ABC"));
    // The country file counts west positive; the dialog shows east positive.
    QCOMPARE(Text(dialog, "eLong"), QStringLiteral("10.00"));
  }

  void TheLongitudeIsShownEastPositiveAndKeptWestPositive() {
    UiFixture ui;
    ui.StoreStation("eCall", "DL1ABC");
    ui.StoreStation("eLong", "-10.0");
    StationDialog& dialog = ui.Start().station();
    dialog.open();
    QCOMPARE(Text(dialog, "eLong"), QStringLiteral("10.0"));
    Click(dialog, "Button1");
    QVERIFY(!dialog.isVisible());
    QCOMPARE(ui.session->StationCfg().Long, std::string("-10.0"));
    QCOMPARE(ui.Kept().station->Long, std::string("-10.0"));
  }

  void SaveChecksStoresAndCancelDiscards() {
    UiFixture ui;
    {
      StationDialog& dialog = ui.Start().station();
      dialog.open();
      QTest::keyClicks(UiFixture::Find<QLineEdit>(dialog, "eCall"), QStringLiteral("UA3ABC"));
      UiFixture::Find<QLineEdit>(dialog, "eState")->setText(QStringLiteral("MA"));
      const struct {
        const char* edit;
        const char* value;
        const char* error;
      } bad[] = {
          {"eITU", "95", "The ITU zone must be a whole number from 1 to 90, not \"95\"."},
          {"eCQ", "0", "The CQ zone must be a whole number from 1 to 40, not \"0\"."},
          {"eLat", "N55", "The latitude must be a number of degrees from -90 to 90, not \"N55\"."},
          {"eLong", "-180.5",
           "The longitude must be a number of degrees from -180 to 180, not \"-180.5\"."},
      };
      for (const auto& c : bad) {
        auto* edit = UiFixture::Find<QLineEdit>(dialog, c.edit);
        QString good = edit->text();
        edit->setText(QLatin1String(c.value));
        Click(dialog, "Button1");
        QCOMPARE(ui.notifier.errors.back(), std::string(c.error));
        QVERIFY(dialog.isVisible());
        edit->setText(good);
      }
      QVERIFY(ui.session->StationCfg().Call.empty());
      Click(dialog, "Button1");
      QVERIFY(!dialog.isVisible());
      QCOMPARE(ui.session->StationCfg().State, std::string("MA"));

      // Cancel leaves the station and the stored texts as they were.
      dialog.open();
      QTest::keyClicks(UiFixture::Find<QLineEdit>(dialog, "eCall"), QStringLiteral("/P"));
      Click(dialog, "Button2");
      QCOMPARE(ui.session->StationCfg().Call, std::string("UA3ABC"));
      dialog.open();
      QCOMPARE(Text(dialog, "eCall"), QStringLiteral("UA3ABC"));
      dialog.reject();
      ui.program->main().close();
    }
    StationDialog& dialog = ui.Start().station();
    QCOMPARE(ui.session->StationCfg(),
             (TStationCFG{"UA3ABC", "UA", "29", "16", "EU", "53.65", "-41.37", "MA"}));
    QCOMPARE(UiFixture::Find<QComboBox>(dialog, "cbCountry")->currentText(), QStringLiteral("UA"));
  }

  void TotalsAndQsoTableFollowTheLog() {
    UiFixture ui;
    WritePreparedLog(ui);
    StatisticsWindow& stat = ui.Start().stat();
    QCOMPARE(Text(stat, "lblTotalQSO"), QStringLiteral("5"));
    QCOMPARE(Text(stat, "lblPoints"), QStringLiteral("100"));
    QCOMPARE(Text(stat, "lblMults"), QStringLiteral("7"));
    QCOMPARE(Text(stat, "lblScore"), QStringLiteral("700"));
    auto* grid = UiFixture::Find<QTableWidget>(stat, "sgQSOStat");
    QCOMPARE(grid->columnCount(), 7);
    QCOMPARE(grid->rowCount(), 4);
    // 160 80 40 20 15 10 across, CW down; the QSO on 6 m is in the total only.
    const char* first_rows[2][7] = {{"5", "160", "80", "40", "20", "15", "10"},
                                    {"CW", "0", "0", "2", "2", "0", "0"}};
    for (int row = 0; row < 2; ++row) {
      for (int column = 0; column < 7; ++column)
        QCOMPARE(Cell(*grid, row, column), QLatin1String(first_rows[row][column]));
    }
    QCOMPARE(Cell(*grid, 2, 0), QStringLiteral(" "));
    QVERIFY(grid->item(0, 0)->toolTip().contains(QLatin1String("1 of them")));

    TQSOData fields = Logged("W1AW", "15", 0, "");
    ui.session->SaveQso(fields);
    QCOMPARE(Text(stat, "lblTotalQSO"), QStringLiteral("6"));
    QCOMPARE(Cell(*grid, 0, 0), QStringLiteral("6"));
    QCOMPARE(Cell(*grid, 1, 5), QStringLiteral("1"));
    QVERIFY(UiFixture::Find<QPushButton>(stat, "bShowMults")->isEnabled());
  }

  // Each change of the log or the contest draws the totals once, as they stand after it.
  void EachChangeDrawsTheTotalsOnce_data() {
    QTest::addColumn<QString>("change");
    for (const char* change : {"save", "edit", "delete", "clear", "rescore", "contest"})
      QTest::newRow(change) << QString::fromLatin1(change);
  }
  void EachChangeDrawsTheTotalsOnce() {
    QFETCH(QString, change);
    UiFixture ui;
    WritePreparedLog(ui);
    StatisticsWindow& stat = ui.Start().stat();
    Session& session = *ui.session;
    int drawn = stat.draws();
    if (change == QLatin1String("save")) {
      session.SaveQso(Logged("W1AW", "15", 0, ""));
    } else if (change == QLatin1String("edit")) {
      TQSOData qso = session.log().QSOLog()[0];
      qso.Band = "15";
      session.EditQso(0, qso);
    } else if (change == QLatin1String("delete")) {
      session.DeleteQso(0);
    } else if (change == QLatin1String("clear")) {
      session.ClearLog();
    } else if (change == QLatin1String("rescore")) {
      QVERIFY(session.RescoreLog());
    } else {
      QVERIFY(session.SelectContest("CQ-M International DX Contest"));
    }
    QCOMPARE(stat.draws(), drawn + 1);
    QCOMPARE(Text(stat, "lblTotalQSO"), QString::number(session.log().QSOLog().size()));
    QCOMPARE(Text(stat, "lblPoints"), QString::number(session.totals().TotalPoints));
    QCOMPARE(Text(stat, "lblMults"), QString::number(session.totals().TotalMults));
  }

  void RateFiguresAndChartFollowSavesAndDeletes() {
    UiFixture ui;
    // On the fixture clock's day, which stands at 12:34.
    auto at = [&](const char* call, const char* band, const char* time) {
      TQSOData q = TestQso(call, band, time);
      q.QSODate = ui.clock.Now().date;
      return q;
    };
    std::string bytes;
    for (const TQSOData& q : {at("UA3ABC", "40", "11:40"), at("DL1AA", "40", "11:50"),
                              at("JA1AA", "20", "12:25"), at("K1AA", "20", "12:30")})
      bytes += EncodeQSO(q);
    QFile file(QString::fromStdString(ui.path() + "/" + kLogFileName));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes.data(), static_cast<qint64>(bytes.size()));
    file.close();
    StatisticsWindow& stat = ui.Start().stat();
    auto* chart = UiFixture::Find<RateChart>(stat, "chRate");
    auto* hours = qobject_cast<QCategoryAxis*>(chart->chart()->axes(Qt::Horizontal).at(0));

    int opened = chart->rebuilds();

    const struct {
      const char* step;
      std::function<void()> change;
      const char* last10;
      const char* last60;
      const char* best60;
      QStringList bars;
    } steps[] = {
        {"opened", [] {}, "2", "4", "4", {"40 m: 2 0", "20 m: 0 2"}},
        {"a save in the same hour",
         [&] { ui.session->SaveQso(at("W1AW", "20", "12:34")); },
         "3",
         "5",
         "5",
         {"40 m: 2 0", "20 m: 0 3"}},
        {"a save on a new band",
         [&] { ui.session->SaveQso(at("W2AW", "15", "12:34")); },
         "4",
         "6",
         "6",
         {"40 m: 2 0", "20 m: 0 3", "15 m: 0 1"}},
        {"the first QSO deleted",
         [&] { ui.session->DeleteQso(0); },
         "4",
         "5",
         "5",
         {"40 m: 1 0", "20 m: 0 3", "15 m: 0 1"}},
    };
    for (const auto& step : steps) {
      step.change();
      QCOMPARE(Text(stat, "lblRate10"), QLatin1String(step.last10));
      QCOMPARE(Text(stat, "lblRate60"), QLatin1String(step.last60));
      QCOMPARE(Text(stat, "lblBest60"), QLatin1String(step.best60));
      QCOMPARE(Bars(*chart), step.bars);
      QCOMPARE(hours->categoriesLabels(), QStringList({"11", "12"}));
    }
    // Only the new band made the chart anew; the other changes went bar by bar.
    QCOMPARE(chart->rebuilds(), opened + 1);
  }

  void UpdateScoreWithoutCountryFileShowsTheErrorAndKeepsTheLog() {
    UiFixture ui;
    WritePreparedLog(ui);
    QFile::remove(ui.dir.filePath(QStringLiteral("CTY.DAT")));
    StatisticsWindow& stat = ui.Start().stat();
    ui.notifier.errors.clear();
    const QString log = ui.dir.filePath(QLatin1String(kLogFileName));
    const QByteArray before = ReadFileBytes(log);

    Click(stat, "Button1");
    QCOMPARE(ui.notifier.errors.size(), std::size_t{1});
    QCOMPARE(ui.notifier.errors[0], ui.session->CountryFileProblem());
    QVERIFY(QApplication::overrideCursor() == nullptr);
    QCOMPARE(ReadFileBytes(log), before);
    QCOMPARE(Text(stat, "lblScore"), QStringLiteral("700"));
  }

  // A duplicate corrected to another call in the edit dialog scores at "Update score" and
  // loses its marker; what the operator wrote after the marker stays.
  void UpdateScoreTakesTheMarkerFromACorrectedDuplicate() {
    UiFixture ui;
    ui.StoreContest(0);  // CQ WW DX Contest (CW)
    Program& program = ui.Start();
    UiFixture::Find<QToolButton>(program.main(), "sbNew")->click();
    EntryWindow& entry = program.entry();
    entry.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&entry));
    for (int i = 0; i < 2; ++i) {
      auto* call = UiFixture::Find<QLineEdit>(entry, "eCall");
      QTest::keyClicks(call, QStringLiteral("UA3ABC"));
      QTest::keyClick(call, Qt::Key_Return);
      auto* rcvd = UiFixture::Find<QLineEdit>(entry, "eRcvd");
      QTest::keyClicks(rcvd, QStringLiteral("16"));
      QTest::keyClick(rcvd, Qt::Key_Return);
    }
    auto* list = UiFixture::Find<QTableView>(program.list(), "sgQSOList");
    auto cell = [list](int column) { return list->model()->index(1, column).data().toString(); };
    QCOMPARE(list->model()->rowCount(), 2);
    QCOMPARE(cell(9), QStringLiteral("##Dupe## "));
    QCOMPARE(cell(8), QStringLiteral("0"));

    EditQsoDialog& edit = program.edit();
    edit.EditQSO(1);
    UiFixture::Find<QLineEdit>(edit, "eCall")->setText(QStringLiteral("JA1XYZ"));
    auto* note = UiFixture::Find<QLineEdit>(edit, "eNote");
    note->setText(note->text() + QStringLiteral("was UA3ABC"));
    Click(edit, "Button1");
    QVERIFY(!edit.isVisible());
    Click(program.stat(), "Button1");
    QCOMPARE(cell(2), QStringLiteral("JA1XYZ"));
    QCOMPARE(cell(9), QStringLiteral("was UA3ABC"));
    QCOMPARE(cell(8), QStringLiteral("3"));
    QCOMPARE(Text(program.stat(), "lblPoints"), QStringLiteral("6"));
    QVERIFY(ui.notifier.errors.empty());
  }

  void ContestChangeRedrawsHeadersAndRefillsTheCountryBox() {
    UiFixture ui;
    Program& program = ui.Start();
    StationDialog& dialog = program.station();
    dialog.open();
    QTest::keyClicks(UiFixture::Find<QLineEdit>(dialog, "eCall"), QStringLiteral("JA1ABC"));
    Click(dialog, "Button1");

    program.select().open();
    auto* list = UiFixture::Find<QListWidget>(program.select(), "lbContestList");
    list->setCurrentItem(
        list->findItems(QStringLiteral("CQ-M International DX Contest"), Qt::MatchExactly)[0]);
    Click(program.select(), "Button1");

    auto* grid = UiFixture::Find<QTableWidget>(program.stat(), "sgQSOStat");
    QCOMPARE(grid->columnCount(), 8);
    QCOMPARE(Cell(*grid, 0, 7), QStringLiteral("SAT"));
    QCOMPARE(Cell(*grid, 3, 0), QStringLiteral("SSTV"));
    QCOMPARE(Cell(*grid, 3, 7), QStringLiteral("0"));
    auto* box = UiFixture::Find<QComboBox>(dialog, "cbCountry");
    QCOMPARE(static_cast<std::size_t>(box->count()), ui.session->countries().CountryList().size());
    QCOMPARE(box->currentText(), QStringLiteral("JA"));
  }
};

}  // namespace mirva

QTEST_MAIN(mirva::StatStationTest)
#include "stat_station_test.moc"
