#include "radio/radio_poller.h"

#include <QThread>
#include <QTimer>

#include "ui_text.h"

namespace mirva {

RadioPoller::RadioPoller(Opener opener, std::chrono::milliseconds interval)
    : opener_(std::move(opener)), interval_(interval) {}

RadioPoller::~RadioPoller() = default;

void RadioPoller::Start() {
  if (thread()->isInterruptionRequested())
    return;
  radio_ = opener_();
  timer_ = new QTimer(this);
  timer_->setInterval(interval_);
  connect(timer_, &QTimer::timeout, this, &RadioPoller::Poll);
  timer_->start();
  Poll();
}

void RadioPoller::Finish() {
  if (timer_)
    timer_->stop();
  radio_.reset();
  thread()->quit();
}

void RadioPoller::Tune(qint64 hz, const QString& mode) {
  if (!radio_ || thread()->isInterruptionRequested())
    return;
  if (std::string why = radio_->Tune(hz, FromQt(mode)); !why.empty())
    Q_EMIT tuneFailed(ToQt(why));
  Poll();
}

void RadioPoller::Poll() {
  // A poller asked to end asks the radio no more while its Finish waits in the queue.
  if (!radio_ || thread()->isInterruptionRequested())
    return;
  RadioReading reading = radio_->Read();
  if (last_ == reading)
    return;
  last_ = reading;
  if (reading.Answered())
    Q_EMIT answered(reading.hz, ToQt(reading.mode));
  else
    Q_EMIT failed(ToQt(reading.error));
}

}  // namespace mirva
