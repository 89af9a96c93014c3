// Where the keyboard is after every box and dialog, with real message boxes answered by keys:
// the next key must land in the field the operator was in, so no keystroke is lost.
#include <QAction>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTableView>
#include <QTimer>
#include <QToolButton>
#include <QtTest>
#include <deque>

#include "dialogs/edit_qso_dialog.h"
#include "focus_keeper.h"
#include "qt_notifier.h"
#include "ui_fixture.h"
#include "windows/entry_window.h"
#include "windows/qso_list_window.h"

namespace mirva {

namespace {

constexpr int kCqWwCw = 0;
constexpr int kWpxCw = 2;
constexpr int kChampionshipCw = 10;

/// Answers every message box that comes up with the next key given, Return when none is
/// left, and writes down what the boxes said.
class BoxAnswerer : public QObject {
 public:
  std::deque<Qt::Key> keys;
  QStringList said;

  BoxAnswerer() {
    connect(&timer_, &QTimer::timeout, this, [this] { Answer(); });
    timer_.start(5);
  }

 private:
  void Answer() {
    QMessageBox* box = BoxToAnswer(answering_);
    if (!box)
      return;
    answering_ = box;
    said << box->text();
    Qt::Key key = Qt::Key_Return;
    if (!keys.empty()) {
      key = keys.front();
      keys.pop_front();
    }
    QTest::keyClick(box, key);
  }

  QTimer timer_;
  QPointer<QMessageBox> answering_;
};

/// The program with real message boxes on that contest, a station stored, and the windows of
/// the given buttons open.
struct FocusUi : UiFixture {
  QtNotifier shown;
  BoxAnswerer answerer;

  FocusUi(int contest, std::initializer_list<const char*> open, const char* state = "3") {
    boxes = &shown;
    StoreContest(contest);
    auto settings = OpenStoredSettings();
    const std::pair<const char*, const char*> station[] = {{"eCall", "UA3ABC"}, {"eCountry", "UA"},
                                                           {"eCont", "EU"},     {"eCQ", "16"},
                                                           {"eITU", "29"},      {"eState", state}};
    for (auto [key, value] : station)
      StoreStation(key, value);
    for (const char* button : open)
      settings->setValue(QStringLiteral("Main/%1.Down").arg(QLatin1String(button)), true);
  }

  QLineEdit* Edit(const char* name) const { return Find<QLineEdit>(program->entry(), name); }
  QTableView* Grid() const { return Find<QTableView>(program->list(), "sgQSOList"); }

  /// Presses the key where the keyboard is, as the operator's next key would land.
  static void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QWidget* focus = QApplication::focusWidget();
    QVERIFY2(focus, "nothing has the keyboard");
    QTest::keyClick(focus, key, modifiers);
  }
  static void Type(const char* text) {
    for (const char* c = text; *c; ++c) {
      QWidget* focus = QApplication::focusWidget();
      QVERIFY2(focus, "nothing has the keyboard");
      QTest::keyClick(focus, *c);
    }
  }
};

/// Three QSOs in the log before the program starts.
void PrepareLog(const UiFixture& ui) {
  QFile file(ui.dir.filePath(QStringLiteral("mrvtest.dat")));
  QVERIFY(file.open(QIODevice::WriteOnly));
  for (const char* call : {"DL1ABC", "OK1XY", "G4ABC"})
    file.write(QByteArray::fromStdString(EncodeQSO(TestQso(call))));
}

QWidget* Focus() {
  return QApplication::focusWidget();
}

}  // namespace

class FocusTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void TheCallsignHasTheKeyboardAtStartAndWheneverTheEntryIsShown() {
    FocusUi ui(kCqWwCw, {"sbNew", "sbQSOList"});
    Program& program = ui.Start();
    QTRY_COMPARE(Focus(), ui.Edit("eCall"));
    FocusKeeper::GiveFocus(ui.Grid());
    QTRY_COMPARE(Focus(), ui.Grid());
    FocusUi::Press(Qt::Key_1, Qt::AltModifier);
    QTRY_VERIFY(!program.entry().isVisible());
    FocusUi::Press(Qt::Key_1, Qt::AltModifier);
    QTRY_COMPARE(Focus(), ui.Edit("eCall"));
    FocusUi::Type("DL1ABC");
    QCOMPARE(ui.Edit("eCall")->text(), QStringLiteral("DL1ABC"));
  }

  void AnEmptyCallsignBoxGivesTheKeyboardBackToTheCallsign() {
    FocusUi ui(kCqWwCw, {"sbNew"});
    ui.Start();
    QTRY_COMPARE(Focus(), ui.Edit("eCall"));
    FocusUi::Press(Qt::Key_Return);
    QCOMPARE(Focus(), ui.Edit("eRcvd"));
    FocusUi::Press(Qt::Key_Return);
    QCOMPARE(ui.answerer.said, QStringList{QStringLiteral("Callsign field is empty!")});
    QTRY_COMPARE(Focus(), ui.Edit("eCall"));
    FocusUi::Type("DL1ABC");
    QCOMPARE(ui.Edit("eCall")->text(), QStringLiteral("DL1ABC"));
  }

  // No keeps the entry with the keyboard in the received exchange; Yes saves and goes on to
  // the next callsign.
  void TheEmptyExchangeQuestionKeepsTheKeyboardInTheEntry() {
    FocusUi ui(kWpxCw, {"sbNew"});
    ui.Start();
    QTRY_COMPARE(Focus(), ui.Edit("eCall"));
    FocusUi::Type("DL1ABC");
    FocusUi::Press(Qt::Key_Return);
    ui.answerer.keys = {Qt::Key_N};
    FocusUi::Press(Qt::Key_Return);
    QTRY_COMPARE(Focus(), ui.Edit("eRcvd"));
    QVERIFY(ui.session->log().QSOLog().empty());
    ui.answerer.keys = {Qt::Key_Y};
    FocusUi::Press(Qt::Key_Return);
    QTRY_COMPARE(ui.session->log().QSOLog().size(), std::size_t{1});
    QTRY_COMPARE(Focus(), ui.Edit("eCall"));
    FocusUi::Type("OK1XY");
    QCOMPARE(ui.Edit("eCall")->text(), QStringLiteral("OK1XY"));
    QCOMPARE(ui.answerer.said.size(), 2);
  }

  // Ctrl+Del twice deletes twice: the keyboard stays on the row now at the deleted one's place.
  void DeletingKeepsTheKeyboardOnTheList() {
    FocusUi ui(kCqWwCw, {"sbNew", "sbQSOList"});
    PrepareLog(ui);
    ui.Start();
    QTableView* grid = ui.Grid();
    grid->setCurrentIndex(grid->model()->index(1, 0));
    FocusKeeper::GiveFocus(grid);
    QTRY_COMPARE(Focus(), grid);
    ui.answerer.keys = {Qt::Key_N, Qt::Key_Y, Qt::Key_Y};
    for (std::size_t left : {3u, 2u, 1u}) {
      FocusUi::Press(Qt::Key_Delete, Qt::ControlModifier);
      QTRY_COMPARE(ui.session->log().QSOLog().size(), std::size_t{left});
      QTRY_COMPARE(Focus(), grid);
    }
    QCOMPARE(ui.answerer.said.size(), 3);
    QCOMPARE(ui.session->log().QSOLog()[0].Call, std::string("DL1ABC"));
    QCOMPARE(grid->currentIndex().row(), 0);
  }

  // "Edit QSO" holds the whole program while it is open and gives the keyboard back to the list
  // whether it saves or not.
  void TheEditDialogGivesTheKeyboardBackToTheList() {
    FocusUi ui(kCqWwCw, {"sbNew", "sbQSOList"});
    PrepareLog(ui);
    Program& program = ui.Start();
    QTableView* grid = ui.Grid();
    grid->setCurrentIndex(grid->model()->index(2, 0));
    FocusKeeper::GiveFocus(grid);
    QTRY_COMPARE(Focus(), grid);
    for (Qt::Key close : {Qt::Key_Escape, Qt::Key_Return}) {
      FocusUi::Press(Qt::Key_Return);
      QVERIFY(program.edit().isVisible());
      QCOMPARE(QApplication::activeModalWidget(), &program.edit());
      QCOMPARE(program.edit().windowModality(), Qt::ApplicationModal);
      QTRY_VERIFY(program.edit().isAncestorOf(Focus()));
      FocusUi::Press(close);
      QTRY_VERIFY(!program.edit().isVisible());
      QTRY_COMPARE(Focus(), grid);
    }
    QVERIFY(ui.answerer.said.isEmpty());
  }

  // The championship's error for a State that is no zone number comes up during the save; the
  // next call still goes into the callsign field.
  void ABoxDuringTheSaveLeavesTheKeyboardForTheNextCall() {
    FocusUi ui(kChampionshipCw, {"sbNew"}, "x");
    ui.Start();
    QTRY_COMPARE(Focus(), ui.Edit("eCall"));
    int before = static_cast<int>(ui.answerer.said.size());
    FocusUi::Type("UA1ABC");
    FocusUi::Press(Qt::Key_Return);
    FocusUi::Type("5123");
    FocusUi::Press(Qt::Key_Return);
    QTRY_COMPARE(ui.session->log().QSOLog().size(), std::size_t{1});
    QVERIFY(ui.answerer.said.size() > before);
    QTRY_COMPARE(Focus(), ui.Edit("eCall"));
    FocusUi::Type("UA9XYZ");
    QCOMPARE(ui.Edit("eCall")->text(), QStringLiteral("UA9XYZ"));
  }
};

}  // namespace mirva

QTEST_MAIN(mirva::FocusTest)
#include "focus_test.moc"
