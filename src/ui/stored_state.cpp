#include "stored_state.h"

#include <QDataStream>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <optional>

#include "session/stored_settings.h"
#include "ui_text.h"
#include "window_layout.h"
#include "workspace/workspace.h"

namespace mirva {

namespace {
constexpr char kGeometryKey[] = "geometry";
}

std::unique_ptr<QSettings> OpenStoredSettings() {
  return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, kSettingsName);
}

namespace {

constexpr char kContestNameKey[] = "Name";

/// The window's own rectangle, without its frame, in a placement QWidget::saveGeometry wrote:
/// the second of the rectangles after the magic number and the version.
std::optional<QRect> StoredWindowRect(const QByteArray& geometry) {
  constexpr quint32 kMagic = 0x1D9D0CB;
  QDataStream stream(geometry);
  stream.setVersion(QDataStream::Qt_4_0);
  quint32 magic = 0;
  quint16 major = 0;
  quint16 minor = 0;
  QRect frame;
  QRect window;
  stream >> magic >> major >> minor >> frame >> window;
  if (stream.status() != QDataStream::Ok || magic != kMagic || !window.isValid())
    return std::nullopt;
  return window;
}

/// The texts of a section, by key, in Windows-1251.
std::map<std::string, std::string> SectionTexts(QSettings& settings, const char* section) {
  std::map<std::string, std::string> texts;
  settings.beginGroup(QLatin1String(section));
  for (const QString& key : settings.childKeys())
    texts[FromQt(key)] = FromQt(settings.value(key).toString());
  settings.endGroup();
  return texts;
}

void StoreSection(QSettings& settings, const char* section,
                  const std::map<std::string, std::string>& texts) {
  settings.beginGroup(QLatin1String(section));
  for (const auto& [key, text] : texts)
    settings.setValue(ToQt(key), ToQt(text));
  settings.endGroup();
}

}  // namespace

LastValues ReadLastValues() {
  auto settings = OpenStoredSettings();
  LastValues last;
  WorkspaceSettings& values = last.settings;
  settings->beginGroup(kContestSection);
  values.contest = FromQt(settings->value(kContestNameKey).toString());
  QVariant index = settings->value(kContestIndexKey);
  if (index.isValid())
    last.contest_index = index.toInt();
  settings->endGroup();
  if (settings->childGroups().contains(QLatin1String(kStationSection))) {
    std::map<std::string, std::string> texts = SectionTexts(*settings, kStationSection);
    TStationCFG station;
    for (const StationSettingKey& key : kStationSettingKeys)
      station.*key.member = texts[key.key];
    values.station = station;
  }
  settings->beginGroup(kEntrySection);
  values.band = FromQt(settings->value(kEntryBandKey).toString());
  values.mode = FromQt(settings->value(kEntryModeKey).toString());
  settings->endGroup();
  values.cabrillo = SectionTexts(*settings, kCabrilloSection);
  values.summary = SectionTexts(*settings, kStandardReportSection);
  return last;
}

void StoreLastValues(const WorkspaceSettings& values, int catalogue_index) {
  auto settings = OpenStoredSettings();
  settings->beginGroup(kContestSection);
  settings->setValue(kContestNameKey, ToQt(values.contest));
  settings->setValue(kContestIndexKey, catalogue_index);
  settings->endGroup();
  if (values.station) {
    std::map<std::string, std::string> texts;
    for (const StationSettingKey& key : kStationSettingKeys)
      texts[key.key] = values.station.value().*key.member;
    StoreSection(*settings, kStationSection, texts);
  }
  StoreSection(*settings, kEntrySection,
               {{kEntryBandKey, values.band}, {kEntryModeKey, values.mode}});
  StoreSection(*settings, kCabrilloSection, values.cabrillo);
  StoreSection(*settings, kStandardReportSection, values.summary);
}

bool RestorePlacement(QWidget& window, const char* section) {
  auto settings = OpenStoredSettings();
  settings->beginGroup(section);
  QByteArray geometry = settings->value(kGeometryKey).toByteArray();
  if (geometry.isEmpty())
    return false;
  // Qt turns down a placement kept on a screen of quite another width; the window's own
  // rectangle is then read from it.
  bool restored = window.restoreGeometry(geometry);
  std::optional<QRect> placed = restored ? window.geometry() : StoredWindowRect(geometry);
  if (!placed)
    return false;
  // A placement kept on a larger screen comes back wholly onto the present one.
  QRect frame = placed->marginsAdded(kAssumedFrame);
  QScreen* screen = QGuiApplication::screenAt(frame.center());
  QRect pulled = PullOnto(frame, (screen ? screen : window.screen())->availableGeometry());
  if (!restored || pulled != frame)
    window.setGeometry(pulled.marginsRemoved(kAssumedFrame));
  return true;
}

void SavePlacement(const QWidget& window, const char* section) {
  auto settings = OpenStoredSettings();
  settings->beginGroup(section);
  settings->setValue(kGeometryKey, window.saveGeometry());
}

}  // namespace mirva
