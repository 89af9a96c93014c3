#include "stored_state.h"

#include <QWidget>

#include "session/stored_settings.h"

namespace mirva {

namespace {
constexpr char kGeometryKey[] = "geometry";
}

std::unique_ptr<QSettings> OpenStoredSettings() {
  return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, kSettingsName);
}

bool RestorePlacement(QWidget& window, const char* section) {
  auto settings = OpenStoredSettings();
  settings->beginGroup(section);
  QByteArray geometry = settings->value(kGeometryKey).toByteArray();
  return !geometry.isEmpty() && window.restoreGeometry(geometry);
}

void SavePlacement(const QWidget& window, const char* section) {
  auto settings = OpenStoredSettings();
  settings->beginGroup(section);
  settings->setValue(kGeometryKey, window.saveGeometry());
}

}  // namespace mirva
