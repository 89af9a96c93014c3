#include "spots/spot_feeds.h"

#include <QTimer>
#include <chrono>
#include <mutex>
#include <utility>

#include "session/session.h"
#include "spots/cluster_store.h"
#include "ui_text.h"

namespace mirva {

namespace {

constexpr std::chrono::milliseconds kBatchInterval{100};

}  // namespace

/// What the feeds' threads delivered and the window thread has not taken yet. The feeds hold
/// it too, so that one delivering after its owner went finds it still there.
struct SpotFeeds::Inbox {
  std::mutex mutex;
  /// Null once the owner dropped the feeds that deliver here.
  SpotFeeds* owner = nullptr;
  /// Each event after the position of its feed.
  std::vector<std::pair<std::size_t, ClusterEvent>> events;
};

SpotFeeds::SpotFeeds(AppServices services, ClusterLinkOpener opener)
    : services_(services), opener_(std::move(opener)), timer_(new QTimer(this)) {
  timer_->setSingleShot(true);
  timer_->setInterval(kBatchInterval);
  connect(timer_, &QTimer::timeout, this, &SpotFeeds::TakeBatch);
}

SpotFeeds::~SpotFeeds() {
  Drop();
}

void SpotFeeds::Restart() {
  Drop();
  ClusterSettings settings = ReadClusterSettings();
  std::string login = settings.login.empty() ? services_.session.StationCfg().Call : settings.login;
  inbox_ = std::make_shared<Inbox>();
  inbox_->owner = this;
  for (const std::string& address : settings.feeds) {
    Feed& feed = feeds_.emplace_back();
    feed.address = address;
    std::optional<ClusterAddress> place = SplitClusterAddress(address);
    if (!place) {
      feed.state = QStringLiteral("failed (not HOST:PORT)");
      continue;
    }
    feed.host = place->host;
    if (login.empty()) {
      feed.state = QStringLiteral("failed (no call to log in with)");
      continue;
    }
    auto deliver = [inbox = inbox_, index = feeds_.size() - 1](ClusterEvent event) {
      std::lock_guard lock(inbox->mutex);
      if (!inbox->owner)
        return;
      if (inbox->events.empty())
        QMetaObject::invokeMethod(
            inbox->owner, [owner = inbox->owner] { owner->Wake(); }, Qt::QueuedConnection);
      inbox->events.emplace_back(index, std::move(event));
    };
    feed.state = QStringLiteral("connecting");
    feed.link = opener_({place->host, place->port, login}, std::move(deliver));
  }
  SetStatus();
}

void SpotFeeds::Send(const QString& command) {
  for (Feed& feed : feeds_)
    if (feed.connected)
      feed.link->Send(FromQt(command));
}

void SpotFeeds::Drop() {
  if (inbox_) {
    std::lock_guard lock(inbox_->mutex);
    inbox_->owner = nullptr;
  }
  inbox_.reset();
  timer_->stop();
  feeds_.clear();
}

void SpotFeeds::Wake() {
  if (!timer_->isActive())
    timer_->start();
}

void SpotFeeds::TakeBatch() {
  if (!inbox_)
    return;
  std::vector<std::pair<std::size_t, ClusterEvent>> events;
  {
    std::lock_guard lock(inbox_->mutex);
    events.swap(inbox_->events);
  }
  std::vector<Spot> spots;
  QStringList lines;
  for (auto& [index, event] : events) {
    Feed& feed = feeds_[index];
    switch (event.kind) {
      case ClusterEvent::Kind::kConnected:
        feed.connected = true;
        feed.state = QStringLiteral("connected");
        break;
      case ClusterEvent::Kind::kLines:
        for (ClusterLine& line : event.lines) {
          if (line.is_spot)
            spots.push_back(std::move(line.spot));
          else if (feeds_.size() > 1)
            lines << ToQt(feed.host) + QStringLiteral(": ") + ToQt(line.text);
          else
            lines << ToQt(line.text);
        }
        break;
      case ClusterEvent::Kind::kFailed:
        feed.connected = false;
        feed.state = QStringLiteral("trying again (%1)").arg(ToQt(event.text));
        break;
      case ClusterEvent::Kind::kClosed:
        feed.connected = false;
        feed.state = QStringLiteral("closed, trying again");
        break;
    }
  }
  if (!spots.empty())
    Q_EMIT spotsArrived(spots);
  if (!lines.isEmpty())
    Q_EMIT consoleLines(lines);
  SetStatus();
}

void SpotFeeds::SetStatus() {
  QStringList states;
  for (const Feed& feed : feeds_)
    states << ToQt(feed.address) + QLatin1Char(' ') + feed.state;
  QString status = states.isEmpty()
                       ? QString()
                       : QStringLiteral("Cluster: ") + states.join(QStringLiteral("; "));
  if (status == status_)
    return;
  status_ = status;
  Q_EMIT statusChanged(status_);
}

}  // namespace mirva
