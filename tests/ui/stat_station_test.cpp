#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>

#include "ContestSelectUnit.h"
#include "ContestStatUnit.h"
#include "StationConfigUnit.h"
#include "log/qso_record.h"
#include "ui_fixture.h"

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
    TStationConfigWin& dialog = ui.Start().station();
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
  }

  void SaveChecksStoresAndCancelDiscards() {
    UiFixture ui;
    {
      TStationConfigWin& dialog = ui.Start().station();
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
    TStationConfigWin& dialog = ui.Start().station();
    QCOMPARE(ui.session->StationCfg(),
             (TStationCFG{"UA3ABC", "UA", "29", "16", "EU", "53.65", "-41.37", "MA"}));
    QCOMPARE(UiFixture::Find<QComboBox>(dialog, "cbCountry")->currentText(), QStringLiteral("UA"));
  }

  void TotalsAndQsoTableFollowTheLog() {
    UiFixture ui;
    WritePreparedLog(ui);
    TContestStatWin& stat = ui.Start().stat();
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

  void UpdateScoreWithoutCountryFileShowsTheErrorAndKeepsTheLog() {
    UiFixture ui;
    WritePreparedLog(ui);
    QFile::remove(ui.dir.filePath(QStringLiteral("CTY.DAT")));
    TContestStatWin& stat = ui.Start().stat();
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

  void ContestChangeRedrawsHeadersAndRefillsTheCountryBox() {
    UiFixture ui;
    Program& program = ui.Start();
    TStationConfigWin& dialog = program.station();
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
