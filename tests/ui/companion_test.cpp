#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

#include "dialogs/cw_terminal_dialog.h"
#include "dialogs/station_dialog.h"
#include "link/held_commands.h"
#include "ui_fixture.h"
#include "windows/entry_window.h"

namespace mirva {

namespace {

constexpr long kAllBits = 4 | 16 | 32 | 64 | 1024 | 131072 | 262144 | 524288 | 1048576;

/// The program on CQ WW CW with the entry window shown and active, the station asked for
/// already, and a companion that can leave values in loginput.ini.
struct CompanionUi : UiFixture {
  EntryWindow* entry = nullptr;

  CompanionUi() {
    StoreContest(0);
    Program& started = Start();
    if (started.station().isVisible())
      started.station().reject();
    entry = &started.entry();
    Find<QToolButton>(started.main(), "sbNew")->click();
    entry->activateWindow();
    [[maybe_unused]] bool active = QTest::qWaitForWindowActive(entry);
    Edit("eCall")->setFocus();
  }

  QLineEdit* Edit(const char* name) const { return Find<QLineEdit>(*entry, name); }
  /// Puts the text into the field as the operator's typing would.
  void Type(const char* name, const char* text) const {
    Edit(name)->setText(QString::fromLatin1(text));
    Q_EMIT Edit(name)->textEdited(Edit(name)->text());
  }
  void Input(const QByteArray& cp1251) const {
    QFile file(dir.filePath(QStringLiteral("loginput.ini")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(cp1251);
  }
  /// The replies broadcast so far, as "wparam:lparam".
  QStringList Replies() const {
    QStringList replies;
    for (const RecordingBus::Sent& sent : bus.sent)
      if (sent.message == kMacroMessage)
        replies << QStringLiteral("%1:%2").arg(sent.wparam).arg(sent.lparam);
    return replies;
  }
  std::size_t Logged() const { return session->log().QSOLog().size(); }
};

}  // namespace

class CompanionTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void CommandsActOnTheEntryWindowAndReply() {
    struct Case {
      const char* name;
      long wparam, lparam;
      QByteArray input;
      const char* call_before;
      const char* rprt_rcvd;
      QString reply;
      const char* logged;  ///< the callsign of the QSO logged, empty when none is
      const char* call_after;
      const char* focus;
    } cases[] = {
        {"load and save", 129, 4 | 1048576, "[QSO]\r\nCall=ua9xyz\r\nNumberRcvd=17\r\n", "", "599",
         "129:1", "UA9XYZ", "", "eCall"},
        {"no received report", 128, 0, "", "DL1ABC", " ", "128:0", "", "DL1ABC", "eCall"},
        {"load only", 131, 4, "[QSO]\r\nCall=dl1abc\r\n", "", "599", "131:1", "", "DL1ABC",
         "eRcvd"},
        {"empty the callsign", 133, 4, "", "DL1ABC", "599", "133:1", "", "", "eRcvd"},
    };
    for (const Case& c : cases) {
      CompanionUi ui;
      ui.Input(c.input);
      ui.Type("eCall", c.call_before);
      ui.Type("eRST_R", c.rprt_rcvd);
      ui.bus.on_command(c.wparam, c.lparam);
      QCOMPARE(ui.Replies().join(u' '), c.reply);
      QCOMPARE(ui.Logged(), std::size_t(*c.logged ? 1 : 0));
      if (*c.logged)
        QCOMPARE(ui.session->log().QSOLog().back().Call, std::string(c.logged));
      QCOMPARE(ui.Edit("eCall")->text(), QString::fromLatin1(c.call_after));
      QVERIFY2(ui.Edit(c.focus)->hasFocus(), c.name);
      QVERIFY2(ui.notifier.messages.empty(), c.name);
    }
    // What was loaded is what was logged.
    CompanionUi ui;
    ui.Input(
        "[QSO]\r\nCall=UA9XYZ\r\nBand=20\r\nRprtSent=599\r\nNumberRcvd=17\r\nRprtRcvd=579\r\n");
    ui.bus.on_command(130, kAllBits);
    QCOMPARE(ui.Logged(), std::size_t{1});
    QCOMPARE(ui.session->log().QSOLog().back().Band, std::string("20"));
    QCOMPARE(ui.session->log().QSOLog().back().NumberRcvd, std::string("17"));
    QCOMPARE(ui.session->log().QSOLog().back().RprtRcvd, std::string("579"));
  }

  void TypingACallRewritesOnlyTheCallKey() {
    struct Case {
      const char* before;  ///< in the callsign field first
      QString keys;        ///< typed then; "\b" erases
      const char* line;    ///< the one line of the entry file that changes
    } cases[] = {
        {"", "d", "Call=D"},
        {"UA9XY", "z", "Call=UA9XYZ"},  // the proposed zone stays as it was
        {"DL", "\b", "Call=D"},
        {"D", "\b", "Call="},
    };
    for (const Case& c : cases) {
      CompanionUi ui;
      ui.Type("eCall", c.before);
      // The companions' own keys and sections stay as they are.
      QFile file(QString::fromStdString(ui.entry_file.EntryPath()));
      QVERIFY(file.open(QIODevice::Append));
      file.write("Freq=14025\r\n[Other]\r\nCall=UA1AAA\r\n");
      file.close();
      QStringList before = ReadLines(file);
      for (QChar key : c.keys) {
        if (key == u'\b')
          QTest::keyClick(ui.Edit("eCall"), Qt::Key_Backspace);
        else
          QTest::keyClicks(ui.Edit("eCall"), QString(key));
      }
      QStringList after = ReadLines(file);
      QCOMPARE(after.size(), before.size());
      QStringList changed;
      for (qsizetype i = 0; i < after.size(); ++i)
        if (after[i] != before[i])
          changed << after[i];
      QCOMPARE(changed, QStringList{QString::fromLatin1(c.line)});
    }
  }

  void LoadedValuesAreCleanedAndToldOnce() {
    CompanionUi ui;
    ui.Input("[QSO]\r\nCall=U\tA9 XYZ\r\nBand=2\r\nNote=\x01QRM\r\n");
    ui.bus.on_command(131, 4 | 16 | 1024);
    QCOMPARE(ui.Edit("eCall")->text(), QStringLiteral("UA9XYZ"));
    QCOMPARE(ui.Edit("eNote")->text(), QStringLiteral("QRM"));
    QCOMPARE(ui.entry->entry().Band, std::string("160"));
    QCOMPARE(ui.notifier.messages.size(), std::size_t{1});
    // The loaded callsign is looked up as a typed one would be.
    QCOMPARE(Find<QLabel>("CountryLbl", ui)->text(), QStringLiteral("Asiatic Russia"));
  }

  void CommandsWaitForAnOpenBoxAndRunInOrder() {
    CompanionUi ui;
    ui.Input("[QSO]\r\nCall=UA9XYZ\r\nNumberRcvd=17\r\n");
    QDialog box(&ui.program->main());
    box.open();
    ui.bus.on_command(131, 4);
    ui.bus.on_command(128, 0);
    QCOMPARE(ui.Replies(), QStringList());
    QCOMPARE(ui.Edit("eCall")->text(), QString());
    box.reject();
    QTRY_COMPARE(ui.Replies(), (QStringList{QStringLiteral("131:1"), QStringLiteral("128:1")}));
    QCOMPARE(ui.session->log().QSOLog().back().Call, std::string("UA9XYZ"));
  }

  void AFloodWhileABoxIsOpenIsBoundedAndToldOnce() {
    CompanionUi ui;
    QDialog box(&ui.program->main());
    box.open();
    const auto held = static_cast<qsizetype>(HeldCommands::kCapacity);
    for (qsizetype i = 0; i < held + 5; ++i)
      ui.bus.on_command(133, 0);
    QCOMPARE(ui.Replies(), QStringList());
    QVERIFY(ui.notifier.errors.empty());
    box.reject();
    QTRY_COMPARE(ui.Replies().size(), held);
    QCOMPARE(ui.notifier.errors.size(), std::size_t{1});
    QVERIFY2(ui.notifier.errors[0].find(": 5 of them were dropped") != std::string::npos,
             ui.notifier.errors[0].c_str());
    // The companion goes on as before, and nothing more is told.
    ui.bus.on_command(133, 0);
    QCOMPARE(ui.Replies().size(), held + 1);
    QCOMPARE(ui.notifier.errors.size(), std::size_t{1});
  }

  void ACommandNeverRunsInsideAnother() {
    CompanionUi ui;
    ui.Input("[QSO]\r\nCall=UA9XYZ\r\nNumberRcvd=17\r\n");
    // The save asks about the empty received exchange; meanwhile the companion loads.
    bool once = true;
    ui.notifier.while_shown = [&] {
      if (std::exchange(once, false))
        ui.bus.on_command(131, 4 | 1048576);
    };
    ui.Type("eCall", "DL1ABC");
    ui.Type("eRcvd", "");
    ui.bus.on_command(128, 0);
    QCOMPARE(ui.Replies(), (QStringList{QStringLiteral("128:1"), QStringLiteral("131:1")}));
    QCOMPARE(ui.Logged(), std::size_t{1});
    QCOMPARE(ui.session->log().QSOLog().back().Call, std::string("DL1ABC"));
    QCOMPARE(ui.Edit("eCall")->text(), QStringLiteral("UA9XYZ"));
  }

  void SpeedKeysInTheEntryWindowAndTheTerminal() {
    struct Case {
      Qt::Key key;
      Qt::KeyboardModifiers modifiers;
      const char* put;
    } cases[] = {
        {Qt::Key_Plus, Qt::ControlModifier | Qt::KeypadModifier, "`[su]"},
        {Qt::Key_Equal, Qt::ControlModifier, "`[su]"},
        {Qt::Key_Plus, Qt::ControlModifier | Qt::ShiftModifier, "`[su]"},
        {Qt::Key_Minus, Qt::ControlModifier | Qt::KeypadModifier, "`[sd]"},
        {Qt::Key_Minus, Qt::ControlModifier, ""},
        {Qt::Key_Plus, Qt::KeypadModifier, ""},
        {Qt::Key_Minus, Qt::KeypadModifier, ""},
        {Qt::Key_A, Qt::ControlModifier, ""},
    };
    CompanionUi ui;
    Find<QAction>("CWterminal1", ui)->trigger();
    CwTerminalDialog& terminal = ui.program->cwTerminal();
    auto* text = Find<QLineEdit>(terminal, "eSendText");
    terminal.findChild<QTimer*>(QStringLiteral("Timer1"))->stop();
    for (QWidget* target : {static_cast<QWidget*>(ui.Edit("eCall")), static_cast<QWidget*>(text)}) {
      for (const Case& c : cases) {
        ui.tx.put.clear();
        QTest::keyClick(target, c.key, c.modifiers);
        QCOMPARE(ui.tx.put, std::string(c.put));
      }
    }
    QCOMPARE(text->text(), QStringLiteral("+-"));
  }

  void TheTerminalSendsWhatIsTypedAndTellsTheCompanion() {
    CompanionUi ui;
    QAction* item = Find<QAction>("CWterminal1", ui);
    // Ctrl+Z in the callsign field opens the terminal rather than undoing the typing.
    QTest::keyClicks(ui.Edit("eCall"), QStringLiteral("DL"));
    QTest::keyClick(ui.Edit("eCall"), Qt::Key_Z, Qt::ControlModifier);
    CwTerminalDialog& terminal = ui.program->cwTerminal();
    QVERIFY(terminal.isVisible());
    QCOMPARE(ui.Edit("eCall")->text(), QStringLiteral("DL"));
    QRect main = ui.program->main().frameGeometry();
    QCOMPARE(terminal.pos(), QPoint(main.left(), main.top() + main.height()));
    QCOMPARE(ui.tx.put, std::string("~[tx]"));
    auto* text = Find<QLineEdit>(terminal, "eSendText");
    auto* timer = terminal.findChild<QTimer*>(QStringLiteral("Timer1"));
    QVERIFY(timer->isActive());
    QTRY_VERIFY(text->hasFocus());
    // The test ticks the timer itself.
    timer->stop();

    QTest::keyClicks(text, QStringLiteral("AB"));
    Tick(*timer);
    QCOMPARE(ui.tx.put, std::string("~[tx]A"));
    QCOMPARE(text->text(), QStringLiteral("B"));
    QCOMPARE(timer->interval(), 250);
    QTest::keyClick(text, Qt::Key_C);
    QCOMPARE(timer->interval(), 500);
    Find<QPushButton>(terminal, "Button2")->click();
    QCOMPARE(text->text(), QString());
    QCOMPARE(ui.tx.put, std::string("~[tx]A~[cl]"));
    Tick(*timer);
    QCOMPARE(timer->interval(), 10);
    // The companion's commands go on while the terminal is open.
    ui.bus.on_command(133, 4);
    QCOMPARE(ui.Replies(), QStringList{QStringLiteral("133:1")});

    // Closing drops the waiting text, whichever way the terminal closes.
    for (const char* way : {"Esc", "Cancel", "close box"}) {
      if (!terminal.isVisible())
        item->trigger();
      QTest::keyClicks(text, QStringLiteral("XYZ"));
      ui.tx.put.clear();
      if (way == std::string("Esc"))
        QTest::keyClick(text, Qt::Key_Escape);
      else if (way == std::string("Cancel"))
        Find<QPushButton>(terminal, "Button1")->click();
      else
        terminal.close();
      QVERIFY2(!terminal.isVisible(), way);
      QVERIFY2(!timer->isActive(), way);
      QCOMPARE(ui.tx.put, std::string("}~[cl]"));
      QCOMPARE(text->text(), QString());
    }
  }

 private:
  template <typename Widget = QAction>
  static Widget* Find(const char* name, const CompanionUi& ui) {
    Widget* found = ui.program->main().findChild<Widget*>(QString::fromLatin1(name));
    return found ? found : ui.entry->findChild<Widget*>(QString::fromLatin1(name));
  }
  template <typename Widget>
  static Widget* Find(const QWidget& window, const char* name) {
    return UiFixture::Find<Widget>(window, name);
  }
  static void Tick(QTimer& timer) { QMetaObject::invokeMethod(&timer, "timeout"); }
  static QStringList ReadLines(QFile& file) {
    if (!file.open(QIODevice::ReadOnly))
      return {};
    QStringList lines = QString::fromLatin1(file.readAll()).split(QStringLiteral("\r\n"));
    file.close();
    return lines;
  }
};

}  // namespace mirva

QTEST_MAIN(mirva::CompanionTest)
#include "companion_test.moc"
