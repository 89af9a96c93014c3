#include <QGraphicsScene>
#include <QGraphicsTextItem>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QToolButton>
#include <QtTest>

#include "ui_fixture.h"
#include "widgets/rate_chart.h"
#include "window_layout.h"
#include "windows/check_partial_window.h"
#include "windows/entry_window.h"
#include "windows/multipliers_window.h"
#include "windows/previous_qsos_window.h"
#include "windows/qso_list_window.h"
#include "windows/statistics_window.h"
#include "windows/worked_calls_window.h"

namespace mirva {

namespace {

constexpr int kCqWw = 0;
constexpr int kCqM = 29;

/// The program on a contest of the catalogue with a known station, every tool window opened by
/// its button and the multipliers by theirs, as on a first start.
struct OpenedUi : UiFixture {
  explicit OpenedUi(int contest) {
    StoreContest(contest);
    StoreStation("eCall", "DL1ABC");
    Program& p = Start();
    for (const char* name :
         {"sbNew", "sbContestStat", "sbPrev", "sbQSOList", "sbCalls", "sbCheckPartial"})
      Find<QToolButton>(p.main(), name)->click();
    Find<QPushButton>(p.stat(), "bShowMults")->click();
    QApplication::processEvents();
  }

  std::vector<QWidget*> Windows() const {
    Program& p = *program;
    return {&p.main(), &p.entry(), &p.stat(),    &p.prev(),
            &p.list(), &p.calls(), &p.partial(), &p.mults()};
  }
};

/// The window's frame as a window manager would draw it around the window.
QRect Frame(const QWidget& window) {
  return window.geometry().marginsAdded(kAssumedFrame);
}

}  // namespace

class WindowLayoutTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void FirstStartWindowsNeitherOverlapNorLeaveTheScreen() {
    for (int contest : {kCqWw, kCqM}) {
      OpenedUi ui(contest);
      QCOMPARE(ui.session->Contest().Bands.size(), std::size_t{contest == kCqM ? 7u : 6u});
      const QRect screen = ui.program->main().screen()->availableGeometry();
      std::vector<QWidget*> windows = ui.Windows();
      for (std::size_t i = 0; i < windows.size(); ++i) {
        const QWidget& one = *windows[i];
        QString where = one.objectName() + QStringLiteral(" at %1,%2 %3x%4")
                                               .arg(Frame(one).x())
                                               .arg(Frame(one).y())
                                               .arg(Frame(one).width())
                                               .arg(Frame(one).height());
        QVERIFY2(one.isVisible(), qPrintable(where));
        QVERIFY2(screen.contains(Frame(one)), qPrintable(where));
        for (std::size_t j = 0; j < i; ++j) {
          QVERIFY2(!Frame(one).intersects(Frame(*windows[j])),
                   qPrintable(where + " covers " + windows[j]->objectName()));
        }
      }
    }
  }

  void WindowsKeepTheirSizeWhenTheirContentChanges() {
    OpenedUi ui(kCqWw);
    QFile master(ui.dir.filePath(QStringLiteral("MASTER.SCP")));
    QVERIFY(master.open(QIODevice::WriteOnly));
    for (int n = 0; n < 200; ++n)
      master.write(QStringLiteral("DL%1ABC\n").arg(n).toLatin1());
    master.close();
    std::vector<QSize> sizes;
    for (const QWidget* window : ui.Windows())
      sizes.push_back(window->size());
    // Seven bands, a longer caption over the partial matches and their list.
    QVERIFY(ui.workspace->ChooseContest("CQ-M International DX Contest"));
    QTest::keyClicks(UiFixture::Find<QLineEdit>(ui.program->entry(), "eCall"),
                     QStringLiteral("DL"));
    QApplication::processEvents();
    std::vector<QWidget*> windows = ui.Windows();
    for (std::size_t i = 0; i < windows.size(); ++i)
      QVERIFY2(windows[i]->size() == sizes[i], qPrintable(windows[i]->objectName()));
  }

  void RateLegendShowsWholeBandNames() {
    UiFixture ui;
    std::string log;
    for (const char* band : {"160", "80", "40", "20", "15", "10"})
      log += EncodeQSO(TestQso(std::string("DL1") + band, band));
    QFile file(QString::fromStdString(ui.path() + "/" + kLogFileName));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(log.data(), static_cast<qint64>(log.size()));
    file.close();
    ui.StoreContest(kCqWw);
    ui.StoreStation("eCall", "DL1ABC");
    Program& p = ui.Start();
    UiFixture::Find<QToolButton>(p.main(), "sbContestStat")->click();
    // However narrow the operator makes the window.
    p.stat().resize(p.stat().minimumSize());
    QApplication::processEvents();
    auto* chart = UiFixture::Find<RateChart>(p.stat(), "chRate");
    QStringList shown;
    for (QGraphicsItem* item : chart->scene()->items()) {
      if (auto* text = dynamic_cast<QGraphicsTextItem*>(item))
        shown << text->toPlainText();
    }
    for (const char* band : {"160 m", "80 m", "40 m", "20 m", "15 m", "10 m"})
      QVERIFY2(shown.contains(QLatin1String(band)), band);
  }

  void AStoredPlacementPastTheScreenComesBackOntoIt() {
    OpenedUi ui(kCqWw);
    const QRect screen = ui.program->main().screen()->availableGeometry();
    ui.program->stat().setGeometry(screen.right() - 100, screen.bottom() - 100, 500,
                                   screen.height() + 50);
    ui.program->main().close();
    Program& again = ui.Start();
    QApplication::processEvents();
    QVERIFY(again.stat().isVisible());
    QVERIFY(screen.contains(Frame(again.stat())));
  }

  void APlacementOfALargerScreenIsPulledBackOntoASmallerOne() {
    const QRect screen(0, 0, 1280, 960);
    const struct {
      const char* name;
      QRect stored;
      QRect pulled;
    } cases[] = {
        {"inside stays", {100, 100, 400, 300}, {100, 100, 400, 300}},
        {"past the right and bottom edges", {1500, 900, 400, 300}, {880, 660, 400, 300}},
        {"left of and above the screen", {-50, -20, 400, 300}, {0, 0, 400, 300}},
        {"larger than the screen", {200, 100, 1900, 1000}, {0, 0, 1280, 960}},
    };
    for (const auto& c : cases)
      QVERIFY2(PullOnto(c.stored, screen) == c.pulled, c.name);
  }
};

}  // namespace mirva

QTEST_MAIN(mirva::WindowLayoutTest)
#include "window_layout_test.moc"
