#include "wsjtx/wsjtx_store.h"

#include "stored_state.h"
#include "ui_text.h"
#include "wsjtx_listener.h"

namespace mirva {

namespace {

constexpr char kWsjtxSection[] = "WSJT-X";
constexpr char kWsjtxEnabledKey[] = "Enabled";
constexpr char kWsjtxListenKey[] = "Listen";

}  // namespace

WsjtxSettings ReadWsjtxSettings() {
  std::unique_ptr<QSettings> stored = OpenStoredSettings();
  stored->beginGroup(QLatin1String(kWsjtxSection));
  WsjtxSettings settings;
  settings.enabled = stored->value(QLatin1String(kWsjtxEnabledKey), false).toBool();
  settings.listen =
      FromQt(stored->value(QLatin1String(kWsjtxListenKey), QLatin1String(kWsjtxDefaultAddress))
                 .toString()
                 .trimmed());
  return settings;
}

void StoreWsjtxSettings(const WsjtxSettings& settings) {
  std::unique_ptr<QSettings> stored = OpenStoredSettings();
  stored->beginGroup(QLatin1String(kWsjtxSection));
  stored->setValue(QLatin1String(kWsjtxEnabledKey), settings.enabled);
  stored->setValue(QLatin1String(kWsjtxListenKey), ToQt(settings.listen));
}

}  // namespace mirva
