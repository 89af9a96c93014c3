#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTableWidget>
#include <QToolButton>
#include <QtTest>

#include "log/log_store.h"
#include "ui_fixture.h"
#include "ui_text.h"
#include "windows/entry_window.h"
#include "windows/qso_list_window.h"
#include "windows/statistics_window.h"
#include "windows/worked_calls_window.h"

namespace mirva {

namespace {

constexpr int kCqWwCw = 0;
constexpr int kWpxCw = 2;
constexpr int kRussianDx = 6;
constexpr int kArrl10m = 9;

/// The program started on that contest with the entry and worked-calls windows shown and the
/// entry window active.
struct EntryUi : UiFixture {
  EntryWindow* window = nullptr;

  explicit EntryUi(int contest) {
    StoreContest(contest);
    Program& started = Start();
    window = &started.entry();
    UiFixture::Find<QToolButton>(started.main(), "sbCalls")->click();
    UiFixture::Find<QToolButton>(started.main(), "sbNew")->click();
    window->activateWindow();
    [[maybe_unused]] bool active = QTest::qWaitForWindowActive(window);
    Edit("eCall")->setFocus();
  }

  QLineEdit* Edit(const char* name) const { return Find<QLineEdit>(*window, name); }
  QString Text(const char* name) const { return Edit(name)->text(); }
  QString Label(const char* name) const { return Find<QLabel>(*window, name)->text(); }
  QComboBox* List(const char* name) const { return Find<QComboBox>(*window, name); }

  /// Types the text key by key; a character without a key of its own is sent as text only.
  void Type(const char* name, const QString& text) const {
    for (QChar c : text) {
      if (c.unicode() >= 0x20 && c.unicode() < 0x7f)
        QTest::keyClick(Edit(name), c.toLatin1());
      else
        QTest::sendKeyEvent(QTest::Click, Edit(name), Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
  }
  void Key(const char* name, Qt::Key key) const { QTest::keyClick(Edit(name), key); }

  /// Types the callsign and the received exchange, each ended by Enter.
  void Log(const QString& call, const QString& rcvd = {}) const {
    Type("eCall", call);
    Key("eCall", Qt::Key_Return);
    Type("eRcvd", rcvd);
    Key("eRcvd", Qt::Key_Return);
  }

  QAbstractItemModel& WorkedCalls() const {
    return *Find<QTableView>(program->calls(), "sgCalls")->model();
  }
};

bool IsRed(const QLineEdit& edit) {
  return edit.palette().color(QPalette::Text) == QColor(Qt::red);
}

}  // namespace

class EntryWindowTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void EnterEnterSavesAndProposesTheNextSerial() {
    EntryUi ui(kWpxCw);
    QCOMPARE(ui.Text("eSent"), QStringLiteral("001"));
    ui.Log(QStringLiteral("dl1abc"), QStringLiteral("5"));
    auto log = ui.session->log().QSOLog();
    QCOMPARE(log.size(), std::size_t{1});
    QCOMPARE(log[0].Call, std::string("DL1ABC"));
    QCOMPARE(log[0].NumberRcvd, std::string("005"));
    QCOMPARE(ui.Text("eCall"), QString());
    QCOMPARE(ui.Text("eSent"), QStringLiteral("002"));
    QCOMPARE(QApplication::focusWidget(), ui.Edit("eCall"));
    QVERIFY(ui.notifier.errors.empty());
  }

  // A logged call shows as a duplicate on its band, plain in the worked calls; another band
  // takes the marker away and shows it bold blue.
  void DuplicateFollowsTheBand() {
    EntryUi ui(kCqWwCw);
    ui.Log(QStringLiteral("DL1ABC"));
    ui.Type("eCall", QStringLiteral("DL1ABC"));
    QCOMPARE(ui.Label("CountryLbl"), QStringLiteral("Fed. Rep. of Germany"));
    QCOMPARE(ui.Label("CQLbl"), QStringLiteral("14"));
    QCOMPARE(ui.Text("eNote"), QStringLiteral("##Dupe## "));
    QVERIFY(IsRed(*ui.Edit("eNote")));
    QModelIndex first = ui.WorkedCalls().index(0, 0);
    QCOMPARE(first.data().toString(), QStringLiteral("DL1ABC"));
    QVERIFY(!first.data(Qt::FontRole).value<QFont>().bold());

    ui.List("cbBand")->setCurrentIndex(1);
    QCOMPARE(ui.Text("eNote"), QString());
    QVERIFY(!IsRed(*ui.Edit("eNote")));
    first = ui.WorkedCalls().index(0, 0);
    QVERIFY(first.data(Qt::FontRole).value<QFont>().bold());
    QCOMPARE(first.data(Qt::ForegroundRole).value<QColor>(), QColor(Qt::blue));
  }

  void SemicolonCompletesFromASingleWorkedCall() {
    EntryUi ui(kCqWwCw);
    ui.Log(QStringLiteral("DL1ABC"));
    ui.Type("eCall", QStringLiteral("1AB;"));
    QCOMPARE(ui.Text("eCall"), QStringLiteral("DL1ABC"));
    QCOMPARE(QApplication::focusWidget(), ui.Edit("eRcvd"));
    // With no worked call the key only drops.
    ui.Key("eRcvd", Qt::Key_Space);
    ui.Type("eCall", QStringLiteral("X;"));
    QCOMPARE(ui.Text("eCall"), QStringLiteral("DL1ABCX"));
    QCOMPARE(ui.WorkedCalls().rowCount(), 1);
    QCOMPARE(ui.WorkedCalls().index(0, 0).data().toString(), QString());
  }

  // A proposed exchange is selected when the callsign is left, so that the first key typed
  // replaces it; Enter or an arrow key keeps it.
  void TypingReplacesAProposedExchange_data() {
    QTest::addColumn<int>("contest");
    QTest::addColumn<QString>("call");
    QTest::addColumn<int>("key");  // pressed in the exchange before typing, 0 for none
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("saved");
    QTest::newRow("oblast typed over the one proposed") << kRussianDx << "UA1ABC" << 0 << "SP"
                                                        << "SP";
    QTest::newRow("zone typed over the one proposed") << kCqWwCw << "K2XYZ" << 0 << "5"
                                                      << "05";
    QTest::newRow("proposal kept") << kCqWwCw << "K2XYZ" << 0 << ""
                                   << "05";
    QTest::newRow("arrow keeps the proposal") << kCqWwCw << "K2XYZ" << int(Qt::Key_Left) << ""
                                              << "05";
  }
  void TypingReplacesAProposedExchange() {
    QFETCH(int, contest);
    QFETCH(QString, call);
    QFETCH(int, key);
    QFETCH(QString, typed);
    QFETCH(QString, saved);
    EntryUi ui(contest);
    ui.Type("eCall", call);
    ui.Key("eCall", Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), ui.Edit("eRcvd"));
    QVERIFY(ui.Edit("eRcvd")->hasSelectedText());
    if (key != 0)
      ui.Key("eRcvd", static_cast<Qt::Key>(key));
    ui.Type("eRcvd", typed);
    ui.Key("eRcvd", Qt::Key_Return);
    auto log = ui.session->log().QSOLog();
    QCOMPARE(log.size(), std::size_t{1});
    QCOMPARE(ToQt(log[0].NumberRcvd), saved);
    // What was saved is what the same station is proposed next time.
    ui.List("cbBand")->setCurrentIndex(1);
    ui.Type("eCall", call);
    ui.Key("eCall", Qt::Key_Return);
    QCOMPARE(ui.Text("eRcvd"), saved);
  }

  // An exchange that cannot count is told before the save, on its multiplier row and in the
  // warning line; it is still saved as typed.
  void AnExchangeThatCannotCountIsToldBeforeTheSave_data() {
    QTest::addColumn<int>("contest");
    QTest::addColumn<QString>("call");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("good");
    QTest::newRow("oblast") << kRussianDx << "UA1ABC"
                            << "SPSP" << 2 << "SP";
    QTest::newRow("zone") << kCqWwCw << "K2XYZ"
                          << "055" << 2 << "5";
  }
  void AnExchangeThatCannotCountIsToldBeforeTheSave() {
    QFETCH(int, contest);
    QFETCH(QString, call);
    QFETCH(QString, typed);
    QFETCH(int, row);
    QFETCH(QString, good);
    EntryUi ui(contest);
    auto* mults = UiFixture::Find<QTableWidget>(*ui.window, "sgMults");
    ui.Type("eCall", call);
    ui.Key("eCall", Qt::Key_Return);
    ui.Type("eRcvd", typed);
    QCOMPARE(mults->item(row, 0)->text(), typed);
    QCOMPARE(mults->item(row, 1)->text(), QStringLiteral("?"));
    QVERIFY(ui.Label("lblWarning").contains(typed));
    ui.Edit("eRcvd")->selectAll();
    ui.Type("eRcvd", good);
    QCOMPARE(mults->item(row, 1)->text(), QStringLiteral("!"));
    QCOMPARE(ui.Label("lblWarning"), QString());
    ui.Edit("eRcvd")->selectAll();
    ui.Type("eRcvd", typed);
    ui.Key("eRcvd", Qt::Key_Return);
    QCOMPARE(ui.session->log().QSOLog().size(), std::size_t{1});
    QCOMPARE(ToQt(ui.session->log().QSOLog()[0].NumberRcvd), typed);
    QCOMPARE(ui.Label("lblWarning"), QString());
  }

  // An exchange typed by the operator is never selected: going back to the callsign and on
  // again puts the caret after it.
  void ATypedExchangeIsNotSelected() {
    EntryUi ui(kWpxCw);
    ui.Type("eCall", QStringLiteral("DL1ABC"));
    ui.Key("eCall", Qt::Key_Return);
    ui.Type("eRcvd", QStringLiteral("12"));
    ui.Key("eRcvd", Qt::Key_Space);
    QCOMPARE(QApplication::focusWidget(), ui.Edit("eCall"));
    ui.Key("eCall", Qt::Key_Return);
    QVERIFY(!ui.Edit("eRcvd")->hasSelectedText());
    ui.Type("eRcvd", QStringLiteral("3"));
    QCOMPARE(ui.Text("eRcvd"), QStringLiteral("123"));
  }

  void ClearKeysEmptyTheEntry_data() {
    QTest::addColumn<int>("key");
    QTest::newRow("backquote") << int(Qt::Key_QuoteLeft);
    QTest::newRow("tilde") << int(Qt::Key_AsciiTilde);
    QTest::newRow("pause") << int(Qt::Key_Pause);
  }
  void ClearKeysEmptyTheEntry() {
    QFETCH(int, key);
    EntryUi ui(kCqWwCw);
    ui.Type("eCall", QStringLiteral("DL1AB"));
    ui.Type("eNote", QStringLiteral("qrm"));
    QCOMPARE(ui.Label("ContLbl"), QStringLiteral("EU"));
    QTest::keyClick(ui.Edit("eNote"), static_cast<Qt::Key>(key));
    for (const char* name : {"eCall", "eRcvd", "eNote"})
      QVERIFY2(ui.Text(name).isEmpty(), name);
    QCOMPARE(ui.Label("CountryLbl"), QStringLiteral("???"));
    QCOMPARE(QApplication::focusWidget(), ui.Edit("eCall"));
  }

  void OneCharacterShowsNoStatus() {
    EntryUi ui(kCqWwCw);
    ui.Type("eCall", QStringLiteral("DL"));
    ui.Key("eCall", Qt::Key_Backspace);
    QCOMPARE(ui.Text("eCall"), QStringLiteral("D"));
    for (auto [name, shown] : {std::pair{"CountryLbl", "???"},
                               {"HeadLbl", "???"},
                               {"ContLbl", "??"},
                               {"ITULbl", "??"},
                               {"CQLbl", "??"}})
      QCOMPARE(ui.Label(name), QString::fromLatin1(shown));
    auto* mults = UiFixture::Find<QTableWidget>(*ui.window, "sgMults");
    QCOMPARE(mults->item(1, 0)->text(), QStringLiteral("???"));
  }

  void ModeChangeResetsTheReports() {
    EntryUi ui(kArrl10m);
    ui.Type("eRST_S", QStringLiteral("7"));
    QComboBox* modes = ui.List("cbMode");
    modes->setCurrentIndex(modes->findText(QStringLiteral("SSB")));
    QCOMPARE(ui.Text("eRST_S"), QStringLiteral("59"));
    QCOMPARE(ui.Text("eRST_R"), QStringLiteral("59"));
  }

  // What the log could not store is refused as it is typed.
  void FieldsRefuseWhatTheLogCannotHold_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::newRow("call characters") << "eCall"
                                     << "dl-1 é/p"
                                     << "DL1/P";
    QTest::newRow("call length") << "eCall"
                                 << "ABCDEFGHIJKLMNOP"
                                 << "ABCDEFGHIJKL";
    QTest::newRow("cyrillic note") << "eNote"
                                   << "Привет\x01!"
                                   << "Привет!";
    QTest::newRow("no code page") << "eRcvd"
                                  << "1€2漢"
                                  << "1€2";
  }
  void FieldsRefuseWhatTheLogCannotHold() {
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    EntryUi ui(kCqWwCw);
    QByteArray name = field.toLatin1();
    ui.Edit(name.constData())->clear();
    ui.Type(name.constData(), typed);
    QCOMPARE(ui.Text(name.constData()), shown);
  }

  // A QSO deleted, the log cleared or scored again from another window: the callsign typed
  // meanwhile shows its duplicate colour, worked calls and multipliers as the log now stands,
  // without another key. An edit takes DL1ABC out of the log, but its multiplier stays worked
  // until the rescoring.
  void TheTypedCallFollowsTheLogAtOnce_data() {
    QTest::addColumn<QString>("change");
    QTest::addColumn<bool>("edited");
    QTest::addColumn<bool>("dupe_before");
    QTest::addColumn<QString>("worked_before");
    QTest::newRow("delete") << "delete" << false << true << "DL1ABC";
    QTest::newRow("clear") << "clear" << false << true << "DL1ABC";
    QTest::newRow("rescore") << "rescore" << true << false << "";
  }
  void TheTypedCallFollowsTheLogAtOnce() {
    QFETCH(QString, change);
    QFETCH(bool, edited);
    QFETCH(bool, dupe_before);
    QFETCH(QString, worked_before);
    EntryUi ui(kCqWwCw);
    ui.Log(QStringLiteral("DL1ABC"));
    if (edited) {
      TQSOData qso = ui.session->log().QSOLog()[0];
      qso.Call = "OK1XY";
      ui.session->EditQso(0, qso);
    }
    ui.Type("eCall", QStringLiteral("DL1ABC"));
    auto* mults = UiFixture::Find<QTableWidget>(*ui.window, "sgMults");
    // Countries, then zones; the first band is the one logged on.
    QCOMPARE(mults->item(1, 0)->text(), QStringLiteral("DL"));
    QCOMPARE(mults->item(1, 1)->text(), QStringLiteral("+"));
    QCOMPARE(IsRed(*ui.Edit("eNote")), dupe_before);
    QCOMPARE(ui.WorkedCalls().index(0, 0).data().toString(), worked_before);

    Program& program = *ui.program;
    if (change == QLatin1String("delete")) {
      auto* list = UiFixture::Find<QTableView>(program.list(), "sgQSOList");
      list->setCurrentIndex(list->model()->index(0, 0));
      UiFixture::Find<QAction>(program.list(), "DeleteQSO1")->trigger();
    } else if (change == QLatin1String("clear")) {
      UiFixture::Find<QAction>(program.main(), "Clearlog1")->trigger();
    } else {
      UiFixture::Find<QPushButton>(program.stat(), "Button1")->click();
    }
    QVERIFY(ui.notifier.errors.empty());
    QCOMPARE(ui.Text("eCall"), QStringLiteral("DL1ABC"));
    QCOMPARE(ui.Text("eNote"), QString());
    QVERIFY(!IsRed(*ui.Edit("eNote")));
    QCOMPARE(ui.WorkedCalls().index(0, 0).data().toString(), QString());
    QCOMPARE(mults->item(1, 1)->text(), QStringLiteral("!"));
  }

  void EscapeSendsMacroZero() {
    EntryUi ui(kCqWwCw);
    ui.Key("eCall", Qt::Key_Escape);
    QCOMPARE(ui.bus.sent.size(), std::size_t{1});
    QCOMPARE(ui.bus.sent[0].wparam, 0L);
  }

  void FailedWriteShowsAnErrorAndKeepsTheEntry() {
    EntryUi ui(kCqWwCw);
    QString log = ui.dir.filePath(QLatin1String(kLogFileName));
    // Not even root can write a QSO into a folder.
    QVERIFY(QFile::remove(log) && QDir().mkdir(log));
    ui.Log(QStringLiteral("DL1ABC"));
    QCOMPARE(ui.notifier.errors.size(), std::size_t{1});
    QVERIFY(ui.session->log().QSOLog().empty());
    // The QSO list shows no row for a QSO that is not in the log.
    auto* list = UiFixture::Find<QTableView>(ui.program->list(), "sgQSOList");
    QCOMPARE(list->model()->index(0, 2).data().toString(), QString());
    QCOMPARE(ui.Text("eCall"), QStringLiteral("DL1ABC"));
    QCOMPARE(ui.Text("eRcvd"), QStringLiteral("14"));
  }
};

}  // namespace mirva

QTEST_MAIN(mirva::EntryWindowTest)
#include "entry_window_test.moc"
