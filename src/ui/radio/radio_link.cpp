#include "radio/radio_link.h"

#include <clocale>

#include <QThread>
#include <chrono>
#include <utility>

#include "radio/radio_poller.h"
#include "radio/radio_settings.h"
#include "reference/band_choice.h"
#include "reference/usual_bands.h"
#include "session/session.h"
#include "ui_text.h"
#ifdef MIRVA_HAVE_HAMLIB
#include "hamlib_radio.h"
#endif

namespace mirva {

namespace {

using std::chrono::milliseconds;

constexpr milliseconds kPollInterval{250};
/// How long one question to the radio may take before it counts as not answering.
constexpr milliseconds kAnswerTimeout{1000};
/// How long the program's end waits for a question under way; past that the thread is left to
/// end with the process, so that a hung port never holds the program.
constexpr unsigned long kExitWaitMs = 2000;

/// What a build without Hamlib has for a radio.
class NoRadio : public Radio {
 public:
  RadioReading Read() override { return {0, "", kWithoutHamlib}; }
  std::string Tune(std::int64_t, std::string_view) override { return kWithoutHamlib; }

 private:
  static constexpr char kWithoutHamlib[] = "this program was built without Hamlib";
};

}  // namespace

std::unique_ptr<Radio> OpenRadio(const RadioSettings& settings) {
#ifdef MIRVA_HAVE_HAMLIB
  return std::make_unique<HamlibRadio>(settings, kAnswerTimeout);
#else
  (void)settings;
  return std::make_unique<NoRadio>();
#endif
}

RadioLink::RadioLink(AppServices services, RadioOpener opener)
    : services_(services), opener_(std::move(opener)), plan_(InitialBandPlan()) {}

RadioLink::~RadioLink() {
  if (!thread_)
    return;
  EndPoller();
  // Should the wait run out, the thread deletes itself once the radio lets it go.
  connect(thread_, &QThread::finished, thread_, &QObject::deleteLater);
  if (thread_->wait(kExitWaitMs))
    delete thread_;
}

void RadioLink::Restart() {
  settings_ = ReadRadioSettings();
  SetStatus({});
  followed_.reset();
  told_hz_.reset();
  if (settings_.enabled) {
    Session& session = services_.session;
    // The usual bands fill what the operator left empty, so the entry follows the radio at once.
    plan_ = WithUsualBands(ReadBandPlan(session.fs(), session.PathOf(kBandPlanFileName)));
  }
  if (thread_)
    EndPoller();  // PollerEnded starts the next one
  else if (settings_.enabled)
    StartPoller();
}

void RadioLink::StartPoller() {
  // Hamlib switches the numeric locale around each open and, unless it is "C" already, reads
  // the saved locale name after switching has freed it. Qt formats through QLocale, so the
  // program's own numbers do not change. No poller runs now to be inside such a switch.
  std::setlocale(LC_NUMERIC, "C");
  auto* poller = new RadioPoller(
      [opener = opener_, settings = settings_] { return opener(settings); }, kPollInterval);
  thread_ = new QThread;
  thread_->setObjectName(QStringLiteral("radio"));
  poller->moveToThread(thread_);
  connect(thread_, &QThread::started, poller, &RadioPoller::Start);
  connect(thread_, &QThread::finished, poller, &QObject::deleteLater);
  connect(thread_, &QThread::finished, this, &RadioLink::PollerEnded);
  connect(poller, &RadioPoller::answered, this, &RadioLink::Answered);
  connect(poller, &RadioPoller::failed, this, &RadioLink::Failed);
  connect(poller, &RadioPoller::tuneFailed, this, [this](const QString& error) {
    if (!ending_)
      Q_EMIT tuneFailed(error);
  });
  poller_ = poller;
  ending_ = false;
  thread_->start();
}

void RadioLink::Tune(qint64 hz, const QString& mode) {
  if (!thread_ || ending_)
    return;
  QMetaObject::invokeMethod(
      poller_, [poller = poller_, hz, mode] { poller->Tune(hz, mode); }, Qt::QueuedConnection);
}

void RadioLink::EndPoller() {
  if (ending_)
    return;
  ending_ = true;
  thread_->requestInterruption();
  QMetaObject::invokeMethod(poller_, &RadioPoller::Finish, Qt::QueuedConnection);
}

void RadioLink::PollerEnded() {
  // The poller closed its radio before its thread ended: the next one may open it.
  thread_->deleteLater();
  thread_ = nullptr;
  poller_ = nullptr;
  ending_ = false;
  if (settings_.enabled)
    StartPoller();
}

void RadioLink::Answered(qint64 hz, const QString& mode) {
  if (ending_)
    return;
  SetStatus({});
  if (told_hz_ != hz) {
    told_hz_ = hz;
    Q_EMIT frequencyRead(hz);
  }
  RadioReading reading{hz, FromQt(mode), ""};
  if (followed_ == reading)
    return;
  followed_ = reading;
  Session& session = services_.session;
  if (!session.HasContest())
    return;
  const TContest& contest = session.Contest();
  BandModeChoice choice = ChooseBandMode(plan_, reading, contest.Bands, contest.Modes);
  Q_EMIT bandModeChosen(ToQt(choice.band), ToQt(choice.mode));
}

void RadioLink::Failed(const QString& error) {
  if (ending_)
    return;
  SetStatus(
      QStringLiteral("Radio: not answering (%1: %2)").arg(ToQt(RadioPlace(settings_)), error));
}

void RadioLink::SetStatus(const QString& status) {
  if (status == status_)
    return;
  status_ = status;
  Q_EMIT statusChanged(status_);
}

}  // namespace mirva
