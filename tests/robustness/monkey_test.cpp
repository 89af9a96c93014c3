// Random keys into the entry window, the QSO list and the edit window, while a companion's
// random commands and entry files arrive over the session bus: nothing crashes or hangs, every
// saved QSO passes the input rule, and the log on disk is the log in memory.
// MIRVA_MONKEY_KEYS, MIRVA_FLOOD_COMMANDS and MIRVA_SEED set the run; the seed is printed.
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDBusConnection>
#include <QDialog>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMessageBox>
#include <QTimer>
#include <QToolButton>
#include <QtTest>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <random>
#include <thread>

#include "dbus_message_bus.h"
#include "dbus_signal.h"
#include "dialogs/edit_qso_dialog.h"
#include "dialogs/station_dialog.h"
#include "flood_input.h"
#include "log/input_rule.h"
#include "qt_notifier.h"
#include "ui_fixture.h"
#include "ui_text.h"
#include "windows/entry_window.h"
#include "windows/qso_list_window.h"

namespace mirva {
namespace {

long FromEnvironment(const char* name, long fallback) {
  bool ok = false;
  long value = qEnvironmentVariable(name).toLong(&ok);
  return ok ? value : fallback;
}

/// Ends the run when one step does not return within two seconds, naming the seed and the
/// step, so that a hang shows as a failure rather than a test that never ends.
class Watchdog {
 public:
  static constexpr std::chrono::seconds kLimit{2};

  explicit Watchdog(unsigned seed) : seed_(seed), thread_([this] { Watch(); }) {}
  ~Watchdog() {
    {
      std::lock_guard lock(mutex_);
      stop_ = true;
    }
    wake_.notify_all();
    thread_.join();
  }

  void Begin(long step, const char* what) {
    what_ = what;
    step_ = step;
    started_ = Now();
  }
  /// How long the step took.
  std::chrono::milliseconds End() {
    auto took = std::chrono::milliseconds(Now() - started_.exchange(0));
    return took;
  }

 private:
  static long long Now() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
  }
  void Watch() {
    std::unique_lock lock(mutex_);
    while (!wake_.wait_for(lock, std::chrono::milliseconds(100), [this] { return stop_; })) {
      long long started = started_;
      if (started != 0 && Now() - started > std::chrono::milliseconds(kLimit).count()) {
        std::fprintf(stderr, "FAIL: seed %u step %ld (%s) did not return within 2 s\n", seed_,
                     step_.load(), what_.load());
        std::fflush(stderr);
        std::_Exit(1);
      }
    }
  }

  unsigned seed_;
  std::atomic<long long> started_{0};
  std::atomic<long> step_{0};
  std::atomic<const char*> what_{""};
  std::mutex mutex_;
  std::condition_variable wake_;
  bool stop_ = false;
  std::thread thread_;
};

/// The program's link to its companion, counting the commands that reach the program and the
/// answers it gives.
class CountingLink : public MessageBus {
 public:
  explicit CountingLink(MessageBus& link) : link_(link) {}
  void Broadcast(std::string_view message, long wparam, long lparam) override {
    link_.Broadcast(message, wparam, lparam);
    replies += message == kMacroMessage && (wparam & 255) >= 128 && (wparam & 255) <= 133;
  }
  void Listen(CommandHandler handler) override {
    if (!handler)
      return link_.Listen({});
    link_.Listen([this, handler = std::move(handler)](long wparam, long lparam) {
      ++arrived;
      handler(wparam, lparam);
    });
  }
  long arrived = 0;
  long replies = 0;

 private:
  MessageBus& link_;
};

/// The program's message boxes as the operator meets them, each answered by a random key
/// (Return, Escape, Y or N) while it is up, and written down as the recording notifier does.
class AnsweredBoxes : public Notifier {
 public:
  AnsweredBoxes(RecordingNotifier& record, unsigned seed) : record_(record), rng_(seed) {
    QObject::connect(&timer_, &QTimer::timeout, [this] { Answer(); });
    timer_.start(5);
  }

  void ShowMessage(const std::string& text) override {
    record_.messages.push_back(text);
    Shown([&] { shown_.ShowMessage(text); });
  }
  void ShowError(const std::string& text) override {
    record_.errors.push_back(text);
    Shown([&] { shown_.ShowError(text); });
  }
  void ShowRefusal(const std::string& text) override {
    record_.errors.push_back(text);
    Shown([&] { shown_.ShowRefusal(text); });
  }
  bool AskYesNo(const std::string& text) override {
    record_.questions.push_back(text);
    bool yes = false;
    Shown([&] { yes = shown_.AskYesNo(text); });
    return yes;
  }

  /// How many boxes were answered so far.
  long answered = 0;

 private:
  template <typename Show>
  void Shown(Show&& show) {
    show();
    ++answered;
  }
  void Answer() {
    QMessageBox* box = BoxToAnswer(answering_);
    if (!box)
      return;
    answering_ = box;
    last = box->text();
    // Return takes the default button and Escape the one that cancels; a question may also be
    // answered Yes by its letter.
    bool question = box->button(QMessageBox::Yes) != nullptr;
    int pick = static_cast<int>(rng_() % (question ? 3 : 2));
    QTest::keyClick(box, pick == 0 ? Qt::Key_Return : pick == 1 ? Qt::Key_Escape : Qt::Key_Y);
  }

 public:
  /// What the last box said.
  QString last;

 private:
  RecordingNotifier& record_;
  QtNotifier shown_;
  std::mt19937 rng_;
  QTimer timer_;
  QPointer<QMessageBox> answering_;
};

/// The program on a contest chosen by the seed, on the real session bus when there is one (the
/// fixture's bus otherwise), with the entry window and the QSO list shown, and real message
/// boxes.
struct MonkeyUi : UiFixture, SessionListener {
  RecordingNotifier link_notifier;
  std::unique_ptr<DbusMessageBus> dbus;
  std::unique_ptr<CountingLink> link;
  /// Set when a QSO already logged was changed or removed, which a rescoring may count anew.
  bool history_changed = false;
  long saved = 0;

  std::unique_ptr<AnsweredBoxes> answered;

  MonkeyUi(int contest, unsigned seed) {
    StoreContest(contest);
    answered = std::make_unique<AnsweredBoxes>(notifier, seed);
    boxes = answered.get();
    dbus = std::make_unique<DbusMessageBus>(link_notifier);
    link = std::make_unique<CountingLink>(dbus->connected() ? static_cast<MessageBus&>(*dbus)
                                                            : static_cast<MessageBus&>(bus));
    workspace = std::make_unique<Workspace>(fs, *boxes, path());
    session = &workspace->session();
    program = std::make_unique<Program>(AppServices{*workspace, workspace->session(), clock, *boxes,
                                                    *link, entry_file, *transmitter});
    program->Start();
    session->AddListener(this);
    if (program->station().isVisible())
      program->station().reject();
    for (const char* button : {"sbNew", "sbQSOList"}) {
      auto* toggle = Find<QToolButton>(program->main(), button);
      if (!toggle->isChecked())
        toggle->click();
    }
  }
  ~MonkeyUi() override {
    session->RemoveListener(this);
    // The windows let go of the link before it goes.
    program.reset();
  }

  void QsoAppended(std::size_t) override { ++saved; }
  void QsoChanged(std::size_t) override { history_changed = true; }
  void LogReplaced() override { history_changed = true; }
};

/// The keys the monkey presses, with the modifiers that go with them.
struct MonkeyKey {
  Qt::Key key;
  Qt::KeyboardModifiers modifiers = Qt::NoModifier;
};

MonkeyKey RandomKey(std::mt19937& rng) {
  static const MonkeyKey kKeys[] = {
      {Qt::Key_Return},
      {Qt::Key_Return},
      {Qt::Key_Enter},
      {Qt::Key_Space},
      {Qt::Key_Space},
      {Qt::Key_Escape},
      {Qt::Key_Semicolon},
      {Qt::Key_QuoteLeft},
      {Qt::Key_Slash},
      {Qt::Key_Backspace},
      {Qt::Key_Backspace},
      {Qt::Key_Tab},
      {Qt::Key_Backtab},
      {Qt::Key_Up},
      {Qt::Key_Down},
      {Qt::Key_PageDown},
      {Qt::Key_Delete, Qt::ControlModifier},
      {Qt::Key_Pause},
      {Qt::Key_Home},
  };
  int pick = std::uniform_int_distribution(0, 99)(rng);
  if (pick < 50)  // letters and digits make most of a callsign or an exchange
    return {static_cast<Qt::Key>(pick < 30 ? Qt::Key_A + pick % 26 : Qt::Key_0 + pick % 10)};
  if (pick < 56) {
    auto f = static_cast<Qt::Key>(Qt::Key_F1 + pick % 12);
    return {f, pick % 2 ? Qt::ControlModifier : Qt::NoModifier};
  }
  return kKeys[std::uniform_int_distribution<std::size_t>(0, std::size(kKeys) - 1)(rng)];
}

QString KeyText(const MonkeyKey& key) {
  if (key.modifiers != Qt::NoModifier)
    return {};
  if ((key.key >= Qt::Key_A && key.key <= Qt::Key_Z) ||
      (key.key >= Qt::Key_0 && key.key <= Qt::Key_9))
    return QChar(key.key);
  switch (key.key) {
    case Qt::Key_Slash:
      return QStringLiteral("/");
    case Qt::Key_Semicolon:
      return QStringLiteral(";");
    case Qt::Key_QuoteLeft:
      return QStringLiteral("`");
    case Qt::Key_Space:
      return QStringLiteral(" ");
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return QStringLiteral("\r");
    case Qt::Key_Escape:
      return QStringLiteral("\x1b");
    default:
      return {};
  }
}

/// Types, switches windows and floods the program for the seed's run, then checks the log.
class Monkey {
 public:
  Monkey(MonkeyUi& ui, unsigned seed) : ui_(ui), rng_(seed), watchdog_(seed), seed_(seed) {
    companion_ = QDBusConnection::connectToBus(QDBusConnection::SessionBus,
                                               QStringLiteral("mirva-monkey-companion"));
  }
  ~Monkey() { QDBusConnection::disconnectFromBus(QStringLiteral("mirva-monkey-companion")); }

  void Run(long keys, long commands) {
    long total = keys + commands;
    for (long step = 0; step < total; ++step) {
      long boxes = ui_.answered->answered;
      bool command = std::uniform_int_distribution<long>(0, total - 1)(rng_) < commands;
      watchdog_.Begin(step, command ? "companion command" : "key");
      if (command)
        Command();
      else
        Act();
      auto took = watchdog_.End();
      QVERIFY2(
          took < Watchdog::kLimit,
          qPrintable(
              QStringLiteral("seed %1 step %2 took %3 ms").arg(seed_).arg(step).arg(took.count())));
      if (ui_.answered->answered != boxes)
        CheckKeyboardIsBack(step);
    }
    CloseBoxes();
    // Every well-formed command has reached the program once the boxes it waited for closed.
    QTRY_COMPARE_WITH_TIMEOUT(ui_.link->arrived, sent_, 10000);
    std::printf(
        "seed %u: %ld keys, %ld commands (%ld answered), %ld QSOs saved, %zu in the "
        "log at the end, %zu messages, %zu errors\n",
        seed_, keys, commands, ui_.link->replies, ui_.saved, ui_.session->log().QSOLog().size(),
        ui_.notifier.messages.size(), ui_.notifier.errors.size());
    std::fflush(stdout);
  }

 private:
  /// Presses a key in the window that has the keyboard, or moves to another window first.
  void Act() {
    // Keys go to the active window, as a keyboard's do: a dialog just opened takes them once
    // it is active, never the window it holds.
    QWidget* modal = QApplication::activeModalWidget();
    if (modal && QApplication::activeWindow() != modal) {
      modal->activateWindow();
      QElapsedTimer waited;
      waited.start();
      while (QApplication::activeWindow() != modal && waited.elapsed() < 500)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    int pick = std::uniform_int_distribution(0, 99)(rng_);
    if (QApplication::activeModalWidget() == nullptr && pick < 6)
      return SwitchWindow(pick);
    if (pick < 9)
      return ChangeBandOrMode();
    QWidget* target = Target();
    MonkeyKey key = RandomKey(rng_);
    QTest::sendKeyEvent(QTest::Press, target, key.key, KeyText(key), key.modifiers);
    // The press may have closed or deleted the window it went to.
    if (QPointer<QWidget> still = Target())
      QTest::sendKeyEvent(QTest::Release, still, key.key, KeyText(key), key.modifiers);
  }

  QWidget* Target() const {
    QWidget* window = QApplication::activeModalWidget();
    if (!window)
      window = QApplication::activeWindow() ? QApplication::activeWindow() : &ui_.program->entry();
    QWidget* focus = window->focusWidget();
    return focus ? focus : window;
  }

  void SwitchWindow(int pick) {
    Program& program = *ui_.program;
    QWidget* window = &program.entry();
    if (pick >= 2)
      window = &program.list();
    if (pick >= 4 && !ui_.session->log().QSOLog().empty()) {
      std::size_t rows = ui_.session->log().QSOLog().size();
      program.edit().EditQSO(std::uniform_int_distribution<std::size_t>(0, rows - 1)(rng_));
      window = &program.edit();
    }
    window->show();
    window->activateWindow();
    QCoreApplication::processEvents();
    // Half the time a random control of the window takes the keyboard.
    QList<QWidget*> controls = window->findChildren<QWidget*>();
    controls.removeIf(
        [](QWidget* w) { return w->focusPolicy() == Qt::NoFocus || !w->isVisible(); });
    if (!controls.isEmpty() && rng_() % 2)
      controls[std::uniform_int_distribution<qsizetype>(0, controls.size() - 1)(rng_)]->setFocus();
  }

  void ChangeBandOrMode() {
    QWidget* window = QApplication::activeModalWidget();
    if (!window)
      window = &ui_.program->entry();
    auto* box = window->findChild<QComboBox*>(QLatin1String(rng_() % 2 ? "cbBand" : "cbMode"));
    if (!box || !box->isVisible())
      return;
    box->setFocus();
    QTest::keyClick(box, rng_() % 2 ? Qt::Key_Down : Qt::Key_Up);
  }

  /// A companion writes the entry file and sends a command over the bus.
  void Command() {
    QFile file(ui_.dir.filePath(QStringLiteral("loginput.ini")));
    if (rng_() % 3 && file.open(QIODevice::WriteOnly)) {
      std::string input = RandomLogInput(rng_);
      file.write(input.data(), static_cast<qint64>(input.size()));
      file.close();
    }
    SignalArguments command = RandomCommand(rng_);
    if (!companion_.isConnected()) {
      // No session bus: the fixture's bus hands the command over as the link would.
      ++sent_;
      ui_.bus.on_command(command.wparam, command.lparam);
      return;
    }
    QVERIFY(EmitSignal(companion_, kCommandMessage, command));
    ++sent_;
    // The command goes through the bus daemon; it has arrived once the program counted it,
    // unless a box holds it back.
    while (ui_.link->arrived < sent_ && !QApplication::activeModalWidget())
      QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
  }

  /// After a box was answered the keyboard is back in one of the program's working windows, so
  /// that the next key is not lost.
  void CheckKeyboardIsBack(long step) {
    Program& program = *ui_.program;
    auto back = [&program] {
      QWidget* focus = QApplication::focusWidget();
      if (!focus)
        return false;
      if (program.edit().isVisible())
        return program.edit().isAncestorOf(focus);
      return program.entry().isAncestorOf(focus) || program.list().isAncestorOf(focus);
    };
    // The window takes the keyboard once its activation has come through.
    QElapsedTimer waited;
    waited.start();
    while (!back() && waited.elapsed() < 1000)
      QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    QVERIFY2(
        back(),
        qPrintable(QStringLiteral("seed %1 step %2: after the box \"%3\" the keyboard is on %4")
                       .arg(seed_)
                       .arg(step)
                       .arg(ui_.answered->last)
                       .arg(QApplication::focusWidget() ? QApplication::focusWidget()->objectName()
                                                        : QStringLiteral("nothing"))));
  }

  void CloseBoxes() {
    while (QWidget* box = QApplication::activeModalWidget()) {
      box->close();
      QCoreApplication::processEvents();
    }
  }

  MonkeyUi& ui_;
  std::mt19937 rng_;
  Watchdog watchdog_;
  unsigned seed_;
  QDBusConnection companion_{QString()};
  long sent_ = 0;
};

bool SameTotals(const ContestTotals& a, const ContestTotals& b) {
  return a.TotalPoints == b.TotalPoints && a.TotalMults == b.TotalMults &&
         a.QsoCounts == b.QsoCounts;
}

/// The QSOs of the log file, read afresh.
TQSODataArr LoadedFromDisk(const MonkeyUi& ui) {
  QByteArray bytes = ReadFileBytes(QString::fromStdString(ui.session->PathOf(kLogFileName)));
  TQSODataArr qsos;
  for (qsizetype at = 0; at + qsizetype(kQsoRecordSize) <= bytes.size(); at += kQsoRecordSize)
    qsos.push_back(DecodeQSO(bytes.constData() + at));
  return qsos;
}

TQSODataArr InMemory(const MonkeyUi& ui) {
  TQSODataArr qsos;
  for (const TQSOData& q : ui.session->log().QSOLog())
    qsos.push_back(q);
  return qsos;
}

/// The first value of a QSO that the input rule refuses, as "QSO n: field 'value': why".
QString RefusedValue(const TQSODataArr& log) {
  const std::pair<std::string TQSOData::*, const InputField*> fields[] = {
      {&TQSOData::Call, &kCallInput},
      {&TQSOData::RprtSent, &kRprtSentInput},
      {&TQSOData::NumberSent, &kNumberSentInput},
      {&TQSOData::RprtRcvd, &kRprtRcvdInput},
      {&TQSOData::NumberRcvd, &kNumberRcvdInput},
      {&TQSOData::Note, &kNoteInput}};
  for (std::size_t i = 0; i < log.size(); ++i) {
    for (auto [member, field] : fields) {
      CheckedInput checked = CheckInputText(*field, log[i].*member);
      if (checked.fault != InputFault::kNone)
        return QStringLiteral("QSO %1: %2").arg(i + 1).arg(ToQt(checked.message));
    }
  }
  return {};
}

}  // namespace

class MonkeyTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void KeysAndCommandsKeepTheLogWhole() {
    auto seed = static_cast<unsigned>(
        FromEnvironment("MIRVA_SEED", static_cast<long>(std::random_device{}() & 0x7fffffff)));
    long keys = FromEnvironment("MIRVA_MONKEY_KEYS", 2000);
    long commands = FromEnvironment("MIRVA_FLOOD_COMMANDS", 300);
    const int contests[] = {0, 2, 9};  // CQ WW CW, WPX CW, ARRL 10 m
    MonkeyUi ui(contests[seed % std::size(contests)], seed);
    std::printf("seed %u on %s, session bus %s\n", seed, ui.session->Contest().Name.c_str(),
                ui.dbus->connected() ? "connected" : "absent: commands go through the fixture");
    Monkey(ui, seed).Run(keys, commands);
    if (QTest::currentTestFailed())
      return;
    TQSODataArr log = InMemory(ui);
    QString refused = RefusedValue(log);
    QVERIFY2(refused.isEmpty(), qPrintable(refused));
    QVERIFY(LoadedFromDisk(ui) == log);

    ContestTotals kept = ui.session->totals();
    ui.session->RebuildTotals();
    QVERIFY2(SameTotals(ui.session->totals(), kept), "the totals differ from the log's");
    bool history_changed = ui.history_changed;
    ui.session->RescoreLog();
    // Scores of QSOs saved one after the other are what a rescoring gives them; an edit or a
    // delete leaves them to the rescoring, which then counts them once and for all.
    if (!history_changed)
      QVERIFY2(SameTotals(ui.session->totals(), kept), "a rescoring changed the totals");
    kept = ui.session->totals();
    ui.session->RescoreLog();
    QVERIFY2(SameTotals(ui.session->totals(), kept), "a second rescoring changed the totals");
    QVERIFY(LoadedFromDisk(ui) == InMemory(ui));
  }
};

}  // namespace mirva

QTEST_MAIN(mirva::MonkeyTest)
#include "monkey_test.moc"
