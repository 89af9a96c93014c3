#include "radio/cwdaemon_settings.h"

#include "session/stored_settings.h"
#include "stored_state.h"

namespace mirva {

CwdaemonSettings ReadCwdaemonSettings() {
  std::unique_ptr<QSettings> stored = OpenStoredSettings();
  CwdaemonSettings settings;
  stored->beginGroup(kCwdaemonSection);
  settings.host = stored->value(kCwdaemonHostKey, QString::fromStdString(settings.host))
                      .toString()
                      .toStdString();
  settings.port = stored->value(kCwdaemonPortKey, settings.port).toInt();
  bool number = false;
  int speed = stored->value(kCwdaemonSpeedKey).toInt(&number);
  if (number)
    settings.speed = speed;
  return settings;
}

void StoreCwdaemonSpeed(int speed) {
  std::unique_ptr<QSettings> stored = OpenStoredSettings();
  stored->beginGroup(kCwdaemonSection);
  stored->setValue(kCwdaemonSpeedKey, speed);
}

}  // namespace mirva
