#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QToolButton>
#include <QtTest>

#include "contest/mult_grid.h"
#include "ui_fixture.h"
#include "windows/entry_window.h"
#include "windows/multipliers_window.h"
#include "windows/statistics_window.h"

namespace mirva {

namespace {

constexpr int kRussianDx = 6;             // CW and SSB; lists "DXCC" and "Russian oblasts"
constexpr int kArrl10m = 9;               // CW and SSB on 10 m
constexpr int kRussianChampionship = 10;  // no multiplier list

/// The program on a contest with a known station, the entry window shown and active.
struct MultsUi : UiFixture {
  MultipliersWindow* window = nullptr;

  explicit MultsUi(int contest) {
    StoreContest(contest);
    StoreStation("eCall", "DL1ABC");
    Program& started = Start();
    window = &started.mults();
    Find<QToolButton>(started.main(), "sbNew")->click();
    started.entry().activateWindow();
    [[maybe_unused]] bool active = QTest::qWaitForWindowActive(&started.entry());
    Find<QWidget>(started.entry(), "eCall")->setFocus();
  }

  QComboBox* Box(const char* name) const { return Find<QComboBox>(*window, name); }
  QString Wkd() const { return Find<QLabel>(*window, "lblWkd")->text(); }
  void Choose(const char* box, const char* text) const {
    Box(box)->setCurrentIndex(Box(box)->findText(QLatin1String(text)));
  }
  void Log(const char* call, const char* band, const char* mode) const {
    TQSOData qso = TestQso(call, band);
    qso.Mode = mode;
    session->SaveQso(qso);
  }

  /// The cell showing `name`; invalid when none does.
  QModelIndex Cell(const char* name) const {
    QAbstractItemModel& model = *Find<QTableView>(*window, "sgMults")->model();
    for (int row = 0; row < model.rowCount(); ++row) {
      for (int column = 0; column < model.columnCount(); ++column) {
        if (model.index(row, column).data() == QLatin1String(name))
          return model.index(row, column);
      }
    }
    return {};
  }
  bool Bold(const char* name) const {
    QModelIndex cell = Cell(name);
    return cell.isValid() ? cell.data(Qt::FontRole).value<QFont>().bold()
                          : (QTest::qFail(name, __FILE__, __LINE__), false);
  }
};

}  // namespace

class MultsWindowTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void CtrlMOpensOnTheEntrysBandAndMode() {
    MultsUi ui(kRussianDx);
    SetEntry(ui, "cbBand", "15");
    SetEntry(ui, "cbMode", "SSB");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_M, Qt::ControlModifier);
    QVERIFY(ui.window->isVisible());
    QCOMPARE(ui.Box("cbBands")->currentText(), QStringLiteral("15"));
    QCOMPARE(ui.Box("cbModes")->currentText(), QStringLiteral("SSB"));
    QCOMPARE(ui.Box("cbMults")->currentIndex(), 0);
    QCOMPARE(ui.Box("cbMults")->itemText(1), QStringLiteral("Russian oblasts"));
    QCOMPARE(ui.Wkd(), QStringLiteral("Wkd mults: 0"));
  }

  void AContestWithoutListsOpensNothing() {
    MultsUi ui(kRussianChampionship);
    UiFixture::Find<QAction>(ui.program->main(), "Showmults1")->trigger();
    UiFixture::Find<QPushButton>(ui.program->stat(), "bShowMults")->click();
    QVERIFY(!ui.window->isVisible());
  }

  void WorkedIsGreyOnlyWhereTheContestCountsIt() {
    // The Russian DX contest counts a multiplier once a band whatever the mode, the ARRL
    // 10 m contest once a mode.
    struct Case {
      int contest;
      const char* band;
      const char* mode;
      bool worked;
    };
    const Case kCases[] = {{kRussianDx, "20", "CW", true},
                           {kRussianDx, "15", "CW", false},
                           {kRussianDx, "20", "SSB", true},
                           {kArrl10m, "10", "CW", true},
                           {kArrl10m, "10", "SSB", false}};
    for (const Case& c : kCases) {
      MultsUi ui(c.contest);
      ui.Log("F5AB", c.contest == kArrl10m ? "10" : "20", "CW");
      ui.window->ShowContestMults(c.band, c.mode);
      QCOMPARE(ui.Bold("F"), !c.worked);
      QCOMPARE(ui.Cell("F").data(Qt::ForegroundRole).value<QColor>(),
               QColor(c.worked ? Qt::gray : Qt::black));
      QCOMPARE(ui.Wkd(), QStringLiteral("Wkd mults: %1").arg(c.worked ? 1 : 0));
      QVERIFY(ui.Bold("DL"));
    }
  }

  void TheWindowFollowsTheSession() {
    MultsUi ui(kRussianDx);
    ui.window->ShowContestMults("20", "CW");
    ui.Log("F5AB", "20", "CW");
    QVERIFY(!ui.Bold("F"));
    QCOMPARE(ui.Wkd(), QStringLiteral("Wkd mults: 1"));
    // Another contest: its lists, its modes, the band kept.
    ui.session->SelectContest("CQ WW DX Contest (SSB)");
    QCOMPARE(ui.Box("cbModes")->currentText(), QStringLiteral("SSB"));
    QCOMPARE(ui.Box("cbBands")->currentText(), QStringLiteral("20"));
    QCOMPARE(ui.Box("cbMults")->itemText(1), QStringLiteral("CQ zones"));
    QVERIFY(ui.window->isVisible());
    // Narrower: fewer names a row.
    auto* grid = UiFixture::Find<QTableView>(*ui.window, "sgMults");
    ui.window->resize(600, ui.window->height());
    int wide = grid->model()->columnCount();
    ui.window->resize(200, ui.window->height());
    QCOMPARE(grid->model()->columnCount(), MultColumns(grid->width()));
    QVERIFY(grid->model()->columnCount() < wide);
  }

  void SelectorKeysStopAtTheEndsAndKeepCtrlFToThemselves() {
    MultsUi ui(kRussianDx);
    // Outside the window Ctrl+F1 is a macro.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1, Qt::ControlModifier);
    QCOMPARE(ui.bus.sent.size(), std::size_t{1});
    ui.bus.sent.clear();
    ui.window->ShowContestMults("160", "CW");
    QVERIFY(QTest::qWaitForWindowActive(ui.window));
    ui.Box("cbBands")->setFocus();
    struct Case {
      Qt::KeyboardModifier modifier;
      Qt::Key key;
      int presses;
      const char* box;
      int index;
    };
    const Case kCases[] = {
        {Qt::ShiftModifier, Qt::Key_F1, 1, "cbMults", 0},
        {Qt::ShiftModifier, Qt::Key_F2, 3, "cbMults", 1},
        {Qt::AltModifier, Qt::Key_F2, 9, "cbBands", 5},
        {Qt::AltModifier, Qt::Key_F1, 2, "cbBands", 3},
        {Qt::ControlModifier, Qt::Key_F2, 2, "cbModes", 1},
        {Qt::ControlModifier, Qt::Key_F1, 2, "cbModes", 0},
    };
    for (const Case& c : kCases) {
      for (int i = 0; i < c.presses; ++i)
        QTest::keyClick(QApplication::focusWidget(), c.key, c.modifier);
      QCOMPARE(ui.Box(c.box)->currentIndex(), c.index);
    }
    QVERIFY(ui.bus.sent.empty());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QVERIFY(!ui.window->isVisible());
  }

 private:
  static void SetEntry(const MultsUi& ui, const char* name, const char* text) {
    auto* box = UiFixture::Find<QComboBox>(ui.program->entry(), name);
    box->setCurrentIndex(box->findText(QLatin1String(text)));
  }
};

}  // namespace mirva

QTEST_MAIN(mirva::MultsWindowTest)
#include "mults_window_test.moc"
