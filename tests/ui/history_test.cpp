#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QToolButton>
#include <QtTest>

#include "dialogs/history_dialog.h"
#include "history/call_history_loader.h"
#include "ui_fixture.h"
#include "windows/entry_window.h"

namespace mirva {

namespace {

constexpr int kCqWwCw = 0;

/// The program on CQ WW CW with a call history file the working directory keeps, read.
struct HistoryUi : UiFixture {
  EntryWindow* window = nullptr;

  HistoryUi() {
    WriteFile("club.txt",
              "!!Order!!,Call,Name,CqZone,UserText\r\nJA1ABC,Taro,24,old QTH\r\n"
              "JA4ABC,Ken,23,\r\nnocall,x,1,\r\n");
    kept.history_files = "club.txt";
    StoreContest(kCqWwCw);
    Program& started = Start();
    window = &started.entry();
    Find<QToolButton>(started.main(), "sbNew")->click();
    window->activateWindow();
    [[maybe_unused]] bool active = QTest::qWaitForWindowActive(window);
    Edit("eCall")->setFocus();
  }

  void WriteFile(const char* name, const QByteArray& bytes) {
    QFile file(dir.filePath(QLatin1String(name)));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
  }
  QLineEdit* Edit(const char* name) const { return Find<QLineEdit>(*window, name); }
  QString HistoryLine() const { return Find<QLabel>(*window, "lblHistory")->text(); }
  void Type(const char* name, const char* text) const { QTest::keyClicks(Edit(name), text); }
};

}  // namespace

class HistoryTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  // The files load off the window thread and say what they gave in the entry window.
  void LoadsAtStartAndTellsWithoutABox() {
    HistoryUi ui;
    QTRY_COMPARE(ui.HistoryLine(),
                 QStringLiteral("Call history: 2 calls | club.txt: 2 calls from 3 lines; 1 "
                                "skipped, no callsign (line 4)"));
    QVERIFY(ui.notifier.errors.empty());
  }

  // The history proposes and names the station; what the operator typed stays.
  void ProposesAndNeverOverwritesTypedText() {
    HistoryUi ui;
    QTRY_VERIFY(ui.session->History() != nullptr);
    ui.Type("eCall", "ja1abc");
    QCOMPARE(ui.Edit("eRcvd")->text(), QStringLiteral("24"));
    QCOMPARE(ui.HistoryLine(), QStringLiteral("Taro - old QTH"));
    ui.window->ClearButtonClick();
    QCOMPARE(ui.HistoryLine(), QStringLiteral("Call history: 2 calls | club.txt: 2 calls from 3 "
                                              "lines; 1 skipped, no callsign (line 4)"));

    ui.Type("eCall", "JA4AB");
    QCOMPARE(ui.Edit("eRcvd")->text(), QStringLiteral("25"));
    QTest::keyClick(ui.Edit("eCall"), Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), ui.Edit("eRcvd"));
    ui.Type("eRcvd", "21");  // replaces the selected proposal
    ui.Edit("eCall")->setFocus();
    QTest::keyClick(ui.Edit("eCall"), Qt::Key_End);
    ui.Type("eCall", "C");
    QCOMPARE(ui.HistoryLine(), QStringLiteral("Ken"));
    QTest::keyClick(ui.Edit("eCall"), Qt::Key_Return);
    QCOMPARE(ui.Edit("eRcvd")->text(), QStringLiteral("21"));
  }

  // The dialog keeps the files with the working directory and they are read again.
  void DialogKeepsTheFilesAndReloads() {
    HistoryUi ui;
    QTRY_VERIFY(ui.session->History() != nullptr);
    ui.WriteFile("more.txt", "!!Order!!;Call;CqZone\nJA1ABC;22\n");
    HistoryDialog& dialog = ui.program->historyDialog();
    dialog.open();
    QCOMPARE(dialog.Files(), QStringList{QStringLiteral("club.txt")});
    QVERIFY(UiFixture::Find<QListWidget>(dialog, "lbFiles")
                ->item(0)
                ->toolTip()
                .contains(QStringLiteral("2 calls")));
    QCOMPARE(Unspoken({&dialog}), QStringList());
    dialog.AddFiles({QStringLiteral("more.txt"), QStringLiteral("club.txt")});
    UiFixture::Find<QPushButton>(dialog, "Button1")->click();
    QVERIFY(!dialog.isVisible());
    QCOMPARE(ui.Kept().history_files, std::string("club.txt\nmore.txt"));
    QTRY_VERIFY(ui.HistoryLine().contains(QStringLiteral("more.txt: 1 call from")));
    ui.Type("eCall", "JA1ABC");
    QCOMPARE(ui.Edit("eRcvd")->text(), QStringLiteral("22"));
  }
};

}  // namespace mirva

QTEST_MAIN(mirva::HistoryTest)
#include "history_test.moc"
