#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTableWidget>
#include <QtTest>

#include "dialogs/edit_qso_dialog.h"
#include "failing_file_system.h"
#include "ui_fixture.h"
#include "ui_text.h"
#include "windows/previous_qsos_window.h"
#include "windows/qso_list_window.h"

namespace mirva {

namespace {

/// A QSO of the prepared log: 20 m CW on 2025-12-09 with the points given.
TQSOData Logged(const char* call, const char* time, int32_t p1, int32_t p2, int32_t p3) {
  TQSOData q = TestQso(call, "20", time);
  q.RprtSent = "599";
  q.NumberSent = " 14";
  q.RprtRcvd = "579";
  q.NumberRcvd = "15 ";
  q.Points = p1;
  q.Points2 = p2;
  q.Points3 = p3;
  return q;
}

/// The log file the tests start from: three QSOs, two of them with DL1ABC.
void PrepareLog(const UiFixture& ui) {
  QFile file(ui.dir.filePath(QStringLiteral("mrvtest.dat")));
  QVERIFY(file.open(QIODevice::WriteOnly));
  for (const TQSOData& q :
       {Logged("DL1ABC", "10:00", 1, 10, 100), Logged("OK1XY", "10:05", 1, 0, 100),
        Logged("DL1ABC", "11:00", 3, 0, 0)})
    file.write(QByteArray::fromStdString(EncodeQSO(q)));
}

QTableView* List(Program& program) {
  return UiFixture::Find<QTableView>(program.list(), "sgQSOList");
}

QString Cell(QTableView* grid, int row, int column) {
  return grid->model()->index(row, column).data().toString();
}

std::string LogFile(const UiFixture& ui) {
  return ReadFileBytes(ui.dir.filePath(QStringLiteral("mrvtest.dat"))).toStdString();
}

/// The list shows the log's QSOs in order, or one empty row for an empty log.
bool ListShowsLog(QTableView* grid, const Session& session) {
  QsoLog log = session.log().QSOLog();
  if (grid->model()->rowCount() != std::max<int>(1, static_cast<int>(log.size())))
    return false;
  if (log.empty())
    return Cell(grid, 0, 2).isEmpty();
  for (std::size_t i = 0; i < log.size(); ++i) {
    if (Cell(grid, static_cast<int>(i), 2) != ToQt(log.Record(i).Call()))
      return false;
  }
  return true;
}

void Trigger(Program& program, const char* action) {
  List(program)->setFocus();
  UiFixture::Find<QAction>(program.list(), action)->trigger();
}

}  // namespace

class LogViewsTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void EmptyLogShowsOneEmptyRowThatTheFirstSaveFills() {
    UiFixture ui;
    Program& program = ui.Start();
    QTableView* grid = List(program);
    QCOMPARE(grid->model()->rowCount(), 1);
    QVERIFY(Cell(grid, 0, 0).isEmpty());
    ui.session->SaveQso(Logged("DL1ABC", "12:00", 0, 0, 0));
    QCOMPARE(grid->model()->rowCount(), 1);
    QCOMPARE(Cell(grid, 0, 2), QStringLiteral("DL1ABC"));
    ui.session->SaveQso(Logged("OK1XY", "12:01", 0, 0, 0));
    QCOMPARE(grid->model()->rowCount(), 2);
    QCOMPARE(grid->currentIndex().row(), 1);
    QVERIFY(grid->selectionModel()->isRowSelected(1, {}));
  }

  void CellsShowEnglishMonthsJoinedReportsAndPoints() {
    QLocale::setDefault(QLocale(QLocale::German));
    UiFixture ui;
    PrepareLog(ui);
    Program& program = ui.Start();
    QLocale::setDefault(QLocale::c());
    QTableView* grid = List(program);
    struct Case {
      int row, column;
      const char* text;
    } cases[] = {
        {0, 0, "09-Dec-2025"}, {0, 5, "599 14"}, {0, 6, "579 15"},
        {0, 8, "1 10 100"},    {1, 8, "1  100"}, {2, 8, "3"},
    };
    for (const Case& c : cases)
      QCOMPARE(Cell(grid, c.row, c.column), QString::fromLatin1(c.text));
    // The start-up selection is the last QSO.
    QCOMPARE(grid->currentIndex().row(), 2);
  }

  void EditFromTheListRewritesTheRowAndTheFileButNotThePoints() {
    UiFixture ui;
    PrepareLog(ui);
    Program& program = ui.Start();
    QTableView* grid = List(program);
    grid->setCurrentIndex(grid->model()->index(1, 0));
    Trigger(program, "EditQSO1");
    QVERIFY(program.edit().isVisible());
    // Tab leaves the date for the time at once, as it leaves every other field.
    QVERIFY(QTest::qWaitForWindowActive(&program.edit()));
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("eDate"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("eTime"));
    auto* band = UiFixture::Find<QComboBox>(program.edit(), "cbBand");
    QCOMPARE(band->currentText(), QStringLiteral("20"));
    band->setCurrentText(QStringLiteral("40"));
    UiFixture::Find<QPushButton>(program.edit(), "Button1")->click();
    QVERIFY(!program.edit().isVisible());
    QCOMPARE(Cell(grid, 1, 3), QStringLiteral("40"));
    QCOMPARE(Cell(grid, 1, 8), QStringLiteral("1  100"));
    TQSOData stored = DecodeQSO(LogFile(ui).data() + kQsoRecordSize);
    QCOMPARE(stored.Band, std::string("40"));
    QCOMPARE(stored.Points3, 100);
    QVERIFY(ui.notifier.errors.empty());
  }

  void EditRefusesBadValuesAndStaysOpen() {
    struct Case {
      const char* control;
      const char* value;
      const char* says;
    } cases[] = {
        {"eCall", "DL-1ABC", "callsign"},
        {"eTime", "25:00", "25:00"},
        {"eNote", "tab\there", "note"},
    };
    UiFixture ui;
    PrepareLog(ui);
    Program& program = ui.Start();
    std::string before = LogFile(ui);
    for (const Case& c : cases) {
      ui.notifier.errors.clear();
      program.edit().EditQSO(0);
      UiFixture::Find<QLineEdit>(program.edit(), c.control)->setText(QString::fromLatin1(c.value));
      UiFixture::Find<QPushButton>(program.edit(), "Button1")->click();
      QVERIFY2(program.edit().isVisible(), c.control);
      QCOMPARE(ui.notifier.errors.size(), std::size_t{1});
      QVERIFY2(ui.notifier.errors[0].find(c.says) != std::string::npos,
               ui.notifier.errors[0].c_str());
      program.edit().reject();
    }
    QVERIFY(LogFile(ui) == before);
    // An index the log no longer has opens nothing.
    program.edit().EditQSO(3);
    QVERIFY(!program.edit().isVisible());
  }

  void DeleteKeepsListFileAndTotalsInStep() {
    struct Case {
      int row;
      bool answer;
      std::vector<std::string> calls;
      int64_t points;
      int selected;
      const char* asked;
    } cases[] = {
        {0, true, {"OK1XY", "DL1ABC"}, 104, 0, "Delete QSO 1, DL1ABC on 20 CW at 10:00?"},
        {2, true, {"DL1ABC", "OK1XY"}, 212, 1, "Delete QSO 3, DL1ABC on 20 CW at 11:00?"},
        {1, false, {"DL1ABC", "OK1XY", "DL1ABC"}, 215, 1, "Delete QSO 2, OK1XY on 20 CW at 10:05?"},
    };
    for (const Case& c : cases) {
      UiFixture ui;
      PrepareLog(ui);
      ui.notifier.answer = c.answer;
      Program& program = ui.Start();
      QTableView* grid = List(program);
      grid->setCurrentIndex(grid->model()->index(c.row, 0));
      Trigger(program, "DeleteQSO1");
      QCOMPARE(ui.notifier.questions.back(), std::string("Are you sure?\n") + c.asked);
      QVERIFY(ListShowsLog(grid, *ui.session));
      QCOMPARE(LogFile(ui).size(), c.calls.size() * kQsoRecordSize);
      for (std::size_t i = 0; i < c.calls.size(); ++i)
        QCOMPARE(ui.session->log().QSOLog()[i].Call, c.calls[i]);
      QCOMPARE(ui.session->totals().TotalPoints, c.points);
      QCOMPARE(grid->currentIndex().row(), c.selected);
    }
  }

  // A screen reader hears each change of the list's model: a save announces one new row, an
  // edit one changed row, and only a rescoring the whole table.
  void ModelAnnouncesOneRowPerSaveAndEdit() {
    UiFixture ui;
    PrepareLog(ui);
    Program& program = ui.Start();
    QAbstractItemModel* model = List(program)->model();
    QSignalSpy inserted(model, &QAbstractItemModel::rowsInserted);
    QSignalSpy changed(model, &QAbstractItemModel::dataChanged);
    QSignalSpy reset(model, &QAbstractItemModel::modelReset);
    ui.session->SaveQso(Logged("G4ABC", "12:00", 0, 0, 0));
    QCOMPARE(inserted.size(), 1);
    QCOMPARE(inserted[0][1].toInt(), 3);
    QCOMPARE(inserted[0][2].toInt(), 3);
    QCOMPARE(reset.size(), 0);
    ui.session->EditQso(1, ui.session->log().QSOLog()[1]);
    QCOMPARE(changed.size(), 1);
    QCOMPARE(changed[0][0].toModelIndex().row(), 1);
    QCOMPARE(changed[0][1].toModelIndex().row(), 1);
    QCOMPARE(inserted.size(), 1);
    QCOMPARE(reset.size(), 0);
    ui.session->RescoreLog();
    QCOMPARE(reset.size(), 1);
  }

  void DeletingTheOnlyQsoLeavesOneEmptyRow() {
    UiFixture ui;
    Program& program = ui.Start();
    ui.session->SaveQso(Logged("DL1ABC", "12:00", 0, 0, 0));
    Trigger(program, "DeleteQSO1");
    QVERIFY(ListShowsLog(List(program), *ui.session));
    QVERIFY(LogFile(ui).empty());
  }

  void FailedDeleteShowsAnErrorAndTheListStillShowsTheLog() {
    UiFixture ui;
    PrepareLog(ui);
    FailingFileSystem failing(ui.fs);
    ui.Start(failing);
    failing.Fail("rename", 0, Strike::kBefore);
    failing.Fail("write", 0, Strike::kBefore);
    QTableView* grid = List(*ui.program);
    grid->setCurrentIndex(grid->model()->index(0, 0));
    Trigger(*ui.program, "DeleteQSO1");
    QCOMPARE(ui.notifier.errors.size(), std::size_t{1});
    QCOMPARE(ui.session->log().QSOLog().size(), std::size_t{3});
    QVERIFY(ListShowsLog(grid, *ui.session));
    QVERIFY(grid->updatesEnabled());
  }

  // A dupe logged in the same minute on the same band opens as itself, not as the QSO it
  // repeats, also after a QSO before it was deleted.
  void PreviousQsosOpenTheirOwnRecords() {
    UiFixture ui;
    PrepareLog(ui);
    Program& program = ui.Start();
    ui.session->SaveQso(Logged("DL1ABC", "11:00", 0, 0, 0));
    auto* grid = UiFixture::Find<QTableWidget>(program.prev(), "sgPrevQSO");
    ui.session->ShowPreviousQSOs("DL1ABC");
    program.prev().ShowPreviousQSOs();
    QCOMPARE(grid->rowCount(), 3);
    // The dupe is marked as the list marks it, the first QSO is not.
    QVERIFY(grid->item(2, 6)->text().startsWith(QLatin1String("##Dupe##")));
    QVERIFY(!grid->item(0, 6)->text().contains(QLatin1String("Dupe")));
    for (bool deleted : {false, true}) {
      // OK1XY, between the first two, goes while the window shows them.
      if (deleted)
        ui.session->DeleteQso(1);
      QCOMPARE(grid->rowCount(), 3);
      grid->setCurrentCell(2, 0);
      program.prev().sgPrevQSODblClick();
      QVERIFY(program.edit().isVisible());
      QVERIFY(UiFixture::Find<QLineEdit>(program.edit(), "eNote")
                  ->text()
                  .startsWith(QLatin1String("##Dupe##")));
      program.edit().reject();
    }
  }

  // A change of the log under an open "Edit QSO" closes it unsaved, with a word; its Save then
  // writes nothing over the QSO now at that place.
  void AChangeUnderTheEditDialogClosesItUnsaved() {
    UiFixture ui;
    PrepareLog(ui);
    Program& program = ui.Start();
    program.edit().EditQSO(2);
    QVERIFY(program.edit().isVisible());
    UiFixture::Find<QLineEdit>(program.edit(), "eCall")->setText(QStringLiteral("W1AW"));
    ui.session->DeleteQso(0);
    QVERIFY(!program.edit().isVisible());
    program.edit().Button1Click();
    QTRY_COMPARE(ui.notifier.messages.size(), std::size_t{1});
    QVERIFY(ui.notifier.messages[0].find("Edit QSO") != std::string::npos);
    QCOMPARE(ui.session->log().QSOLog().size(), std::size_t{2});
    QCOMPARE(ui.session->log().QSOLog()[0].Call, std::string("OK1XY"));
    QCOMPARE(ui.session->log().QSOLog()[1].Call, std::string("DL1ABC"));
    // Another QSO's change, or a new one at the end, leaves the dialog open.
    program.edit().EditQSO(1);
    ui.session->SaveQso(Logged("G4ABC", "12:00", 0, 0, 0));
    TQSOData other = ui.session->log().QSOLog()[0];
    ui.session->EditQso(0, other);
    QVERIFY(program.edit().isVisible());
    ui.session->EditQso(1, ui.session->log().QSOLog()[1]);
    QVERIFY(!program.edit().isVisible());
  }

  void PreviousQsosEditAndShowAgain() {
    UiFixture ui;
    PrepareLog(ui);
    Program& program = ui.Start();
    auto* grid = UiFixture::Find<QTableWidget>(program.prev(), "sgPrevQSO");
    QCOMPARE(grid->rowCount(), 1);
    ui.session->ShowPreviousQSOs("DL1ABC");
    program.prev().ShowPreviousQSOs();
    QCOMPARE(grid->rowCount(), 2);
    QCOMPARE(grid->item(1, 1)->text(), QStringLiteral("11:00"));
    QCOMPARE(grid->item(1, 4)->text(), QStringLiteral("599  14"));
    // No previous QSOs leave the grid as it is.
    ui.session->ShowPreviousQSOs("W1AW");
    program.prev().ShowPreviousQSOs();
    QCOMPARE(grid->rowCount(), 2);
    ui.session->ShowPreviousQSOs("DL1ABC");
    grid->setCurrentCell(1, 0);
    program.prev().sgPrevQSODblClick();
    QVERIFY(program.edit().isVisible());
    QCOMPARE(UiFixture::Find<QLineEdit>(program.edit(), "eTime")->text(), QStringLiteral("11:00"));
    UiFixture::Find<QComboBox>(program.edit(), "cbBand")->setCurrentText(QStringLiteral("15"));
    UiFixture::Find<QPushButton>(program.edit(), "Button1")->click();
    QCOMPARE(grid->item(1, 2)->text(), QStringLiteral("15"));
    QCOMPARE(Cell(List(program), 2, 3), QStringLiteral("15"));
    program.prev().ClearPreviousQSOs();
    QCOMPARE(grid->rowCount(), 1);
    QVERIFY(grid->item(0, 0) == nullptr);
  }
};

}  // namespace mirva

QTEST_MAIN(mirva::LogViewsTest)
#include "log_views_test.moc"
