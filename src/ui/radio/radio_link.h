#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

#include "app_services.h"
#include "link/radio.h"
#include "reference/band_plan.h"

class QThread;

namespace mirva {

class RadioPoller;

/// Makes the radio the settings name; called in the poller's thread, where the radio lives.
using RadioOpener = std::function<std::unique_ptr<Radio>(const RadioSettings&)>;

/// The radio as this build reaches it: through Hamlib, or a radio that says the build cannot.
std::unique_ptr<Radio> OpenRadio(const RadioSettings& settings);

/// The entry window's band and mode follow the radio: a poller thread asks the radio, and each
/// new reading is put through the band plan into the contest's band and mode. At most one
/// poller lives at a time, and the window thread never waits for one to end.
class RadioLink : public QObject {
  Q_OBJECT

 public:
  explicit RadioLink(AppServices services, RadioOpener opener = OpenRadio);
  /// Gives a poller inside a question to the radio a moment to close it; past that its thread
  /// is left to end alone.
  ~RadioLink() override;

  /// Follows the radio as the stored settings say, under the band plan as stored now, from a
  /// fresh first reading; stops following when the settings say so. A poller still inside a
  /// question to the radio is asked to end, and the new one opens the radio once it has.
  void Restart();
  /// Whether the link follows a radio: its poller asks it, or starts once the last one ended.
  bool Running() const { return settings_.enabled; }
  /// Tunes the radio to `hz` and the contest's `mode` ("CW", "SSB", "DIGI", "RTTY"; empty
  /// leaves the radio's mode) in the poller's thread, returning at once; the reading that
  /// follows moves the entry. Does nothing while no poller asks the radio.
  void Tune(qint64 hz, const QString& mode);

 Q_SIGNALS:
  /// The entry is to go to this band and mode; an empty one stays as it is.
  void bandModeChosen(const QString& band, const QString& mode);
  /// What the main window says about the radio; empty while all is well.
  void statusChanged(const QString& status);
  /// The radio answered on another frequency than before (or for the first time).
  void frequencyRead(qint64 hz);
  /// The radio could not be tuned; `error` says why, for the operator.
  void tuneFailed(const QString& error);

 private:
  void StartPoller();
  /// Asks the poller to close the radio and end.
  void EndPoller();
  void PollerEnded();
  void Answered(qint64 hz, const QString& mode);
  void Failed(const QString& error);
  void SetStatus(const QString& status);

  AppServices services_;
  RadioOpener opener_;
  RadioSettings settings_;
  BandPlan plan_;
  /// The poller's thread, asking the radio or ending; null when no poller lives.
  QThread* thread_ = nullptr;
  /// Lives in thread_, which deletes it as it ends.
  RadioPoller* poller_ = nullptr;
  /// Whether thread_ was asked to end: what its poller still says goes nowhere.
  bool ending_ = false;
  /// The reading the entry last followed: the same one again (after a failure) moves nothing,
  /// so that the operator's own change lasts until the radio moves.
  std::optional<RadioReading> followed_;
  /// The frequency frequencyRead told last.
  std::optional<qint64> told_hz_;
  QString status_;
};

}  // namespace mirva
