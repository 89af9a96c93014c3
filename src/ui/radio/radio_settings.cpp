#include "radio/radio_settings.h"

#include "session/stored_settings.h"
#include "stored_state.h"
#include "ui_text.h"

namespace mirva {

namespace {

void ReadNumber(const QSettings& stored, const char* key, int& number) {
  bool ok = false;
  int value = stored.value(QLatin1String(key)).toInt(&ok);
  if (ok && value >= 0)
    number = value;
}

}  // namespace

RadioSettings ReadRadioSettings() {
  std::unique_ptr<QSettings> stored = OpenStoredSettings();
  stored->beginGroup(kRadioSection);
  RadioSettings settings;
  settings.enabled = stored->value(kRadioEnabledKey, settings.enabled).toBool();
  ReadNumber(*stored, kRadioModelKey, settings.model);
  ReadNumber(*stored, kRadioSpeedKey, settings.speed);
  settings.port = FromQt(stored->value(kRadioPortKey, ToQt(settings.port)).toString());
  return settings;
}

void StoreRadioSettings(const RadioSettings& settings) {
  std::unique_ptr<QSettings> stored = OpenStoredSettings();
  stored->beginGroup(kRadioSection);
  stored->setValue(kRadioEnabledKey, settings.enabled);
  stored->setValue(kRadioModelKey, settings.model);
  stored->setValue(kRadioPortKey, ToQt(settings.port));
  stored->setValue(kRadioSpeedKey, settings.speed);
}

}  // namespace mirva
