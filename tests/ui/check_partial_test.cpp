#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QToolButton>
#include <QtTest>

#include "ui_fixture.h"
#include "windows/check_partial_window.h"
#include "windows/entry_window.h"

namespace mirva {

namespace {

/// CQ WW CW with the entry and check-partial windows shown, the entry window active.
struct PartialUi : UiFixture {
  explicit PartialUi(const char* master) {
    if (master) {
      QFile file(dir.filePath(QStringLiteral("MASTER.SCP")));
      file.open(QIODevice::WriteOnly);
      file.write(master);
    }
    StoreContest(0);
    Program& started = Start();
    UiFixture::Find<QToolButton>(started.main(), "sbCheckPartial")->click();
    UiFixture::Find<QToolButton>(started.main(), "sbNew")->click();
    started.entry().activateWindow();
    [[maybe_unused]] bool active = QTest::qWaitForWindowActive(&started.entry());
    Call()->setFocus();
  }

  QLineEdit* Call() const { return Find<QLineEdit>(program->entry(), "eCall"); }
  void Type(const char* text) const { QTest::keyClicks(Call(), QLatin1String(text)); }
  QTableView* List(const char* name) const { return Find<QTableView>(program->partial(), name); }
  QString Label(const char* name) const { return Find<QLabel>(program->partial(), name)->text(); }

  /// Each row of the list as "CALL" or "CALL mark".
  QStringList Rows(const char* name) const {
    QStringList rows;
    QAbstractItemModel& model = *List(name)->model();
    for (int row = 0; row < model.rowCount(); ++row)
      rows << model.index(row, 0).data(Qt::AccessibleTextRole).toString();
    return rows;
  }
};

}  // namespace

class CheckPartialTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  // Typing shows both lists; a save makes the call worked, a dupe on its band only, and
  // Enter on a near call puts it into the callsign.
  void ListsFollowTheTypedCallBandAndLog() {
    PartialUi ui("# test list\nDL1ABC\nDL2ABC\nK1ABC\nOH2BH\nDL1ABCD\n");
    ui.Type("DL1ABC");
    QTest::keyClick(ui.Call(), Qt::Key_Return);
    QTest::keyClicks(UiFixture::Find<QLineEdit>(ui.program->entry(), "eRcvd"),
                     QStringLiteral("14"));
    QTest::keyClick(UiFixture::Find<QLineEdit>(ui.program->entry(), "eRcvd"), Qt::Key_Return);
    QCOMPARE(ui.session->log().QSOLog().size(), std::size_t{1});

    ui.Type("L1ABC");
    QCOMPARE(ui.Rows("sgPartial"), (QStringList{"DL1ABC dupe", "DL1ABCD"}));
    QCOMPARE(ui.Rows("sgNear"), (QStringList{"DL1ABC dupe", "K1ABC"}));
    QCOMPARE(ui.Label("PartialLbl"), QStringLiteral("&Partial matches (2)"));
    QModelIndex dupe = ui.List("sgPartial")->model()->index(0, 0);
    QCOMPARE(dupe.data(Qt::ForegroundRole).value<QColor>(), QColor(Qt::red));
    QVERIFY(dupe.data(Qt::FontRole).value<QFont>().strikeOut());
    QVERIFY(!UiFixture::Find<QLabel>(ui.program->partial(), "FileLbl")->isVisible());

    UiFixture::Find<QComboBox>(ui.program->entry(), "cbBand")->setCurrentIndex(1);
    QCOMPARE(ui.Rows("sgPartial"), (QStringList{"DL1ABC wkd", "DL1ABCD"}));
    QCOMPARE(ui.List("sgPartial")->model()->index(0, 1).data(Qt::ForegroundRole).value<QColor>(),
             QColor(Qt::gray));

    QTableView* near = ui.List("sgNear");
    near->setFocus();
    near->setCurrentIndex(near->model()->index(1, 0));
    QTest::keyClick(near, Qt::Key_Return);
    QTRY_COMPARE(ui.Call()->text(), QStringLiteral("K1ABC"));
    QCOMPARE(ui.Rows("sgPartial"), (QStringList{"K1ABC"}));
    QCOMPARE(ui.program->entry().entry().view.Country, std::string("United States of America"));
    QVERIFY(Unspoken({&ui.program->partial()}).isEmpty());
    QVERIFY(ui.notifier.errors.empty());
  }

  // A view may ask after a row or column that the list no longer has: it gets nothing.
  void AnIndexPastTheListGivesNothing() {
    struct Probe : CheckedCallsModel {
      QModelIndex At(int row, int column) const { return createIndex(row, column); }
    } model;
    model.SetCalls({{"UA1ABC", true, false}, {"DL1ABC", false, true}});
    const QModelIndex second = model.index(1, 0);
    QCOMPARE(second.data().toString(), QStringLiteral("DL1ABC"));
    model.SetCalls({{"UA1ABC", true, false}});
    for (const QModelIndex& index : {second, model.At(0, 2), model.At(7, 1), model.At(-1, 0)}) {
      for (int role : {int(Qt::DisplayRole), int(Qt::AccessibleTextRole), int(Qt::ForegroundRole),
                       int(Qt::FontRole)})
        QVERIFY2(!model.data(index, role).isValid(),
                 qPrintable(QStringLiteral("row %1 column %2 role %3")
                                .arg(index.row())
                                .arg(index.column())
                                .arg(role)));
    }
    QCOMPARE(model.CallAt(1), std::string());
    QCOMPARE(model.index(0, 1).data().toString(), QStringLiteral("wkd"));
  }

  void WithoutTheFileTheWindowSaysSo() {
    PartialUi ui(nullptr);
    ui.Type("DL1");
    auto* file = UiFixture::Find<QLabel>(ui.program->partial(), "FileLbl");
    QVERIFY(file->isVisible());
    QCOMPARE(file->text(), QStringLiteral("No MASTER.SCP in ") + ui.dir.path());
    QCOMPARE(ui.Rows("sgPartial"), QStringList());
    QCOMPARE(ui.Call()->text(), QStringLiteral("DL1"));
    QVERIFY(ui.notifier.errors.empty());
  }
};

}  // namespace mirva

QTEST_MAIN(mirva::CheckPartialTest)
#include "check_partial_test.moc"
