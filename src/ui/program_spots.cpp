#include <QString>
#include <QStringList>
#include <functional>
#include <utility>
#include <vector>

#include "dialogs/cluster_dialog.h"
#include "dialogs/contest_dialog.h"
#include "dialogs/radio_dialog.h"
#include "group_session.h"
#include "program.h"
#include "radio/radio_link.h"
#include "reference/usual_bands.h"
#include "session/clock.h"
#include "session/session.h"
#include "spots/cluster_settings.h"
#include "spots/cluster_store.h"
#include "spots/spot_feeds.h"
#include "ui_text.h"
#include "windows/band_map_window.h"
#include "windows/entry_window.h"
#include "windows/main_window.h"
#include "workspace/workspace.h"

namespace mirva {
namespace {

/// Tells the band map of every change of the log or the contest.
class LogWatcher : public SessionListener {
 public:
  LogWatcher(const Session& session, BandMapWindow& map) : session_(session), map_(map) {}
  void QsoAppended(std::size_t index) override {
    map_.QsoAdded(session_.log().QSOLog()[index].Call);
  }
  void QsoChanged(std::size_t) override { map_.LogChanged(); }
  void LogReplaced() override { map_.LogChanged(); }
  void ContestChanged() override { map_.LogChanged(); }

 private:
  const Session& session_;
  BandMapWindow& map_;
};

}  // namespace

void Program::ConnectBandMap() {
  // The map's keys work from every window; the main bar is always shown to carry them.
  main_->addActions(band_map_->Shortcuts());
  band_map_->SetTypedCall([this] { return ToQt(entry_->entry().Call); });
  band_map_->SetWeigher([this](const Spot& spot) { return Weigh(spot); });
  QObject::connect(entry_.get(), &EntryWindow::workedCallsChanged, band_map_.get(), [this] {
    const QsoEntry& entry = entry_->entry();
    band_map_->FollowEntry(ToQt(entry.Band), ToQt(entry.Mode));
  });
  log_watcher_ = std::make_unique<LogWatcher>(workspace_.session(), *band_map_);
  workspace_.session().AddListener(log_watcher_.get());
  // Each band's scale spans the band plan's start and end, which also place the spots.
  QObject::connect(vextal_.get(), &QDialog::accepted, band_map_.get(), [this] { ShowBandPlan(); });
  QObject::connect(select_.get(), &QDialog::accepted, band_map_.get(), [this] { ShowBandPlan(); });
  QObject::connect(cluster_.get(), &QDialog::accepted, band_map_.get(),
                   [this] { ShowClusterSettings(); });
  QObject::connect(radio_.get(), &RadioLink::frequencyRead, band_map_.get(),
                   &BandMapWindow::ShowRadioFrequency);
  // A tune that failed is told once in the console, not kept in the caption.
  QObject::connect(radio_.get(), &RadioLink::tuneFailed, band_map_.get(),
                   [this](const QString& error) {
                     band_map_->AddConsoleLines({QStringLiteral("Radio: ") + error});
                   });
  // Queued: the chosen call changes the lists, which the view that chose it may still use.
  QObject::connect(
      band_map_.get(), &BandMapWindow::spotChosen, entry_.get(),
      [this](const Spot& spot) { ChooseSpot(spot); }, Qt::QueuedConnection);
  ConnectSpotSources();
}

void Program::ConnectSpotSources() {
  // The cluster's spots are shown and passed on to the group; the group's are shown.
  QObject::connect(spot_feeds_.get(), &SpotFeeds::spotsArrived, band_map_.get(),
                   [this](const std::vector<Spot>& spots) {
                     std::vector<SpotWorth> worths;
                     worths.reserve(spots.size());
                     for (const Spot& spot : spots) {
                       worths.push_back(Weigh(spot));
                       group_->ShareSpot(spot);
                     }
                     band_map_->AddSpots(spots, worths);
                   });
  QObject::connect(group_.get(), &GroupSession::spotArrived, band_map_.get(),
                   [this](const Spot& spot, const QString& station) {
                     band_map_->AddSpots({spot}, {Weigh(spot)}, station);
                   });
  QObject::connect(band_map_.get(), &BandMapWindow::spotMarked, group_.get(),
                   &GroupSession::ShareSpot);
  QObject::connect(spot_feeds_.get(), &SpotFeeds::consoleLines, band_map_.get(),
                   &BandMapWindow::AddConsoleLines);
  QObject::connect(spot_feeds_.get(), &SpotFeeds::statusChanged, band_map_.get(),
                   [this](const QString& status) {
                     if (!status.isEmpty())
                       band_map_->AddConsoleLines({status});
                   });
  QObject::connect(band_map_.get(), &BandMapWindow::commandTyped, spot_feeds_.get(),
                   &SpotFeeds::Send);
}

void Program::ShowBandPlan() {
  Session& session = workspace_.session();
  band_plan_ = WithUsualBands(ReadBandPlan(session.fs(), session.PathOf(kBandPlanFileName)));
  band_map_->SetBandPlan(band_plan_);
  band_map_->LogChanged();
}

void Program::ShowClusterSettings() {
  band_map_->SetMaxAge(std::chrono::minutes(ReadClusterSettings().spot_age_minutes));
}

SpotWorth Program::Weigh(const Spot& spot) const {
  return WeighSpot(workspace_.session(), band_plan_, spot, clock_.Now().time);
}

void Program::ChooseSpot(const Spot& spot) {
  // The entry goes to the spot's band and mode first, so that the call is checked there.
  SpotWorth worth = Weigh(spot);
  radio_->Tune(spot.hz, ToQt(worth.mode));
  entry_->FollowRadio(ToQt(worth.band), ToQt(worth.mode));
  entry_->PutCall(ToQt(spot.call));
}

}  // namespace mirva
