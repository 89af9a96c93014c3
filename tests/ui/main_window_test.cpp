#include <QAction>
#include <QToolButton>
#include <QtTest>

#include "ContestSelectUnit.h"
#include "NewQSOUnit.h"
#include "QSOListUnit.h"
#include "ui_fixture.h"

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
