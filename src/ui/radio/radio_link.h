#pragma once

#include <QObject>
#include <QString>
#include <optional>

#include "app_services.h"
#include "link/radio.h"
#include "reference/band_plan.h"

class QThread;

namespace mirva {

class RadioPoller;

/// The entry window's band and mode follow the radio: a poller thread asks the radio, and each
/// new reading is put through the band plan into the contest's band and mode.
class RadioLink : public QObject {
  Q_OBJECT

 public:
  explicit RadioLink(AppServices services);
  ~RadioLink() override;

  /// Follows the radio as the stored settings say, under the band plan as stored now, from a
  /// fresh first reading; stops following when the settings say so.
  void Restart();
  /// Whether a poller is asking the radio.
  bool Running() const { return thread_ != nullptr; }

 Q_SIGNALS:
  /// The entry is to go to this band and mode; an empty one stays as it is.
  void bandModeChosen(const QString& band, const QString& mode);
  /// What the main window says about the radio; empty while all is well.
  void statusChanged(const QString& status);

 private:
  void Stop();
  void Answered(qint64 hz, const QString& mode);
  void Failed(const QString& error);
  void SetStatus(const QString& status);

  AppServices services_;
  RadioSettings settings_;
  BandPlan plan_;
  QThread* thread_ = nullptr;
  /// Lives in thread_, which deletes it as it ends.
  RadioPoller* poller_ = nullptr;
  /// The reading the entry last followed: the same one again (after a failure) moves nothing,
  /// so that the operator's own change lasts until the radio moves.
  std::optional<RadioReading> followed_;
  QString status_;
};

}  // namespace mirva
