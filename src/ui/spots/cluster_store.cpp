#include "spots/cluster_store.h"

#include <QStringList>

#include "session/stored_settings.h"
#include "stored_state.h"
#include "ui_text.h"

namespace mirva {

ClusterSettings ReadClusterSettings() {
  std::unique_ptr<QSettings> stored = OpenStoredSettings();
  stored->beginGroup(kClusterSection);
  ClusterSettings settings;
  const QString feeds = stored->value(kClusterFeedsKey).toString();
  for (const QString& feed : feeds.split(QLatin1Char(' '), Qt::SkipEmptyParts))
    settings.feeds.push_back(FromQt(feed));
  settings.login = FromQt(stored->value(kClusterLoginKey).toString().trimmed());
  bool ok = false;
  int age = stored->value(kClusterSpotAgeKey).toInt(&ok);
  if (ok && age >= 1)
    settings.spot_age_minutes = age;
  return settings;
}

void StoreClusterSettings(const ClusterSettings& settings) {
  std::unique_ptr<QSettings> stored = OpenStoredSettings();
  stored->beginGroup(kClusterSection);
  QStringList feeds;
  for (const std::string& feed : settings.feeds)
    feeds << ToQt(feed);
  stored->setValue(kClusterFeedsKey, feeds.join(QLatin1Char(' ')));
  stored->setValue(kClusterLoginKey, ToQt(settings.login));
  stored->setValue(kClusterSpotAgeKey, settings.spot_age_minutes);
}

}  // namespace mirva
