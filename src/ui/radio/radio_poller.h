#pragma once

#include <QObject>
#include <QString>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>

#include "link/radio.h"

class QTimer;

namespace mirva {

/// Asks the radio a few times a second in a thread of its own and tells the window thread,
/// by queued signals, only what changed: the operator's typing never waits for the radio.
class RadioPoller : public QObject {
  Q_OBJECT

 public:
  using Opener = std::function<std::unique_ptr<Radio>()>;

  RadioPoller(Opener opener, std::chrono::milliseconds interval);
  ~RadioPoller() override;

  /// Makes the radio and asks it at once and then every interval; run it in the poller's
  /// thread, where the radio then lives.
  void Start();
  /// Closes the radio and then ends the poller's thread, so that the thread's end means the
  /// radio is closed; run it in the poller's thread.
  void Finish();
  /// Tunes the radio and asks it at once, so that what it reads back follows without waiting
  /// for the next interval; run it in the poller's thread.
  void Tune(qint64 hz, const QString& mode);

 Q_SIGNALS:
  /// The radio's frequency or mode differs from its last answer, or it answers again after
  /// failing.
  void answered(qint64 hz, const QString& mode);
  /// The radio stopped answering; said once until it answers again.
  void failed(const QString& error);
  /// The radio could not be tuned; `error` says why.
  void tuneFailed(const QString& error);

 private:
  void Poll();

  Opener opener_;
  std::chrono::milliseconds interval_;
  std::unique_ptr<Radio> radio_;
  QTimer* timer_ = nullptr;
  std::optional<RadioReading> last_;
};

}  // namespace mirva
