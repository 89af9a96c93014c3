#include "group_session.h"

#include <QPointer>

#include "group/group_file_writer.h"
#include "group/group_serial_source.h"
#include "group/group_sync.h"
#include "group/serial_refill.h"
#include "log/log_store.h"
#include "session/clock.h"
#include "session/session.h"
#include "text/utf8_path.h"
#include "ui_text.h"
#ifdef MIRVA_HAVE_NATS
#include "group_link.h"
#endif

namespace mirva {
namespace {

/// A station not heard for this long is no longer taken for connected: it announces itself
/// every five seconds.
constexpr std::chrono::seconds kHeardFor{15};

/// The window thread's GroupSync never talks to the broker itself: the link does.
OfflineTransport no_transport;

}  // namespace

// The link is declared in the header by name only; the program may be built without it.
#ifndef MIRVA_HAVE_NATS
class GroupLink {};
struct GroupEvent {};
#endif

GroupSession::GroupSession(Session& session, Clock& clock, QObject* parent)
    : QObject(parent), session_(session), clock_(clock) {
  send_timer_.setSingleShot(true);
  send_timer_.setInterval(0);
  connect(&send_timer_, &QTimer::timeout, this, &GroupSession::SendOutgoing);
  expire_timer_.setInterval(std::chrono::seconds(5));
  connect(&expire_timer_, &QTimer::timeout, this, &GroupSession::Expire);
  status_ = QStringLiteral("The group log is off.");
}

GroupSession::~GroupSession() {
  Stop();
}

void GroupSession::Stop() {
  if (sync_)
    session_.RemoveListener(this);
  bool numbered = serial_source_ != nullptr;
  if (numbered)
    session_.SetSerialSource(nullptr);
  serial_source_.reset();
  serials_asked_ = false;
  link_.reset();
  // A file not written is found by the next start, which compares the log with the side file.
  if (sync_)
    writer_->Hand(sync_->TakeWrites());
  writer_.reset();
  sync_.reset();
  heard_.clear();
  expire_timer_.stop();
  SetStatus(QStringLiteral("The group log is off."), false);
  Q_EMIT stationsChanged();
  if (numbered)
    Q_EMIT serialsArrived();
}

void GroupSession::Start(const GroupSettings& settings) {
  Stop();
  if (settings.server.empty())
    return;
#ifdef MIRVA_HAVE_NATS
  try {
    NatsSettings nats = BrokerSettings(settings);
    station_ = settings.station;
    dir_ = ParentPath(session_.PathOf(kLogFileName));
    // An event of a link that was stopped, still queued, is not for this one: it may be of
    // another group.
    uint64_t generation = ++generation_;
    QPointer<GroupSession> self(this);
    sync_ = std::make_unique<GroupSync>(session_, session_.fs(), dir_, station_, no_transport);
    // The writer ends before this object does; a failure told after Stop is not shown.
    writer_ = std::make_unique<GroupFileWriter>(
        session_.fs(), dir_, [this, generation](const std::string& reason) {
          QMetaObject::invokeMethod(
              this,
              [this, generation, reason] {
                if (generation_ == generation && sync_)
                  SetStatus(QStringLiteral("The group's files cannot be written: ") + ToQt(reason),
                            connected_);
              },
              Qt::QueuedConnection);
        });
    sync_->DeferWrites([this] { writer_->Flush(); });
    serials_per_band_ = settings.serials_per_band;
    if (session_.HasContest() && session_.NumbersQsos()) {
      std::string path = JoinPath(dir_, kGroupSerialsFileName);
      serials_ = LoadGroupSerials(session_.fs(), path);
      serial_source_ =
          std::make_unique<GroupSerialSource>(serials_, serials_per_band_, session_.fs(), path);
      session_.SetSerialSource(serial_source_.get());
    }
    presence_.station = station_;
    presence_.op = settings.op;
    link_ = std::make_unique<GroupLink>(nats, [self, generation](GroupEvent event) {
      QMetaObject::invokeMethod(
          self.get(),
          [self, generation, event = std::move(event)]() mutable {
            if (self && self->generation_ == generation)
              self->Handle(event);
          },
          Qt::QueuedConnection);
    });
  } catch (const std::exception& e) {
    link_.reset();
    writer_.reset();
    sync_.reset();
    session_.SetSerialSource(nullptr);
    serial_source_.reset();
    SetStatus(QStringLiteral("The group log cannot start: ") + ToQt(e.what()), false);
    return;
  }
  session_.AddListener(this);
  expire_timer_.start();
  SetStatus(QStringLiteral("Connecting to ") + ToQt(settings.server) + QStringLiteral("…"), false);
  Announce();
  link_->Seen(sync_->LastSeen(), sync_->LastSeenDigest());
  // The log may have been edited anywhere while the station was not in the group.
  only_appended_ = false;
  SendOutgoing();
  // The proposal shown before the group started came from the log, not from the pool.
  if (serial_source_)
    Q_EMIT serialsArrived();
#else
  SetStatus(QStringLiteral("This program was built without the NATS client: no group log."), false);
#endif
}

void GroupSession::LocalChange(bool appended) {
  Q_EMIT stationsChanged();
  // The log as the group's changes left it is known to the side file already.
  if (applying_)
    return;
  only_appended_ = only_appended_ && appended;
  send_timer_.start();
  RequestSerials();
}

void GroupSession::SendOutgoing() {
#ifdef MIRVA_HAVE_NATS
  if (!sync_)
    return;
  try {
    std::vector<std::pair<std::string, std::string>> changes;
    std::vector<GroupChange> outgoing = sync_->Outgoing(only_appended_);
    only_appended_ = true;
    for (const GroupChange& change : outgoing)
      changes.emplace_back(MessageIdOf(change), EncodeChange(change));
    link_->Send(std::move(changes));
    Persist();
  } catch (const std::exception& e) {
    SetStatus(QStringLiteral("The group's files cannot be written: ") + ToQt(e.what()), connected_);
  }
#endif
}

void GroupSession::Handle(GroupEvent& event) {
#ifdef MIRVA_HAVE_NATS
  if (!sync_)
    return;
  using Kind = GroupEvent::Kind;
  try {
    switch (event.kind) {
      case Kind::kConnected:
        SetStatus(QStringLiteral("Connected to ") + ToQt(event.text), true);
        SendOutgoing();
        Announce();
        serials_asked_ = false;
        RequestSerials();
        break;
      case Kind::kFailed:
        SetStatus(QStringLiteral("Not connected: ") + ToQt(event.text), false);
        serials_asked_ = false;
        break;
      case Kind::kSerials:
        TakeSerials(event);
        break;
      case Kind::kAcknowledged:
        sync_->Acknowledged(event.acks);
        break;
      case Kind::kReceived: {
        // A save not sent yet is recorded first, as appended: the echo of the previous one is
        // then taken without comparing the whole log.
        if (send_timer_.isActive()) {
          send_timer_.stop();
          SendOutgoing();
        }
        GroupSyncSummary summary;
        try {
          applying_ = true;
          summary = sync_->Apply(event.messages);
          applying_ = false;
        } catch (...) {
          applying_ = false;
          only_appended_ = false;
          link_->Seen(sync_->LastSeen(), sync_->LastSeenDigest());
          throw;
        }
        link_->Seen(sync_->LastSeen(), sync_->LastSeenDigest());
        SendOutgoing();
        for (const GroupConflict& c : summary.conflicts)
          session_.notifier().ShowError("Two versions of group QSO " + c.qso +
                                        " were made apart: the version of " + c.loser +
                                        " lost to that of " + c.winner + " (" + c.lost +
                                        "); it is kept in " + kGroupConflictsFileName + ".");
        Q_EMIT stationsChanged();
        break;
      }
      case Kind::kStreamLost:
        // The counter went with the store: numbers held now may be given out again.
        if (serial_source_) {
          serials_.DropHeld();
          SaveGroupSerials(session_.fs(), JoinPath(dir_, kGroupSerialsFileName), serials_);
        }
        sync_->Restart();
        link_->Seen(0, 0);
        SendOutgoing();
        break;
      case Kind::kPresence:
        heard_[event.presence.station] = {event.presence, std::chrono::steady_clock::now()};
        Q_EMIT stationsChanged();
        break;
      case Kind::kNote:
        Q_EMIT noteArrived(ToQt(event.note.station), ToQt(event.note.text));
        break;
      case Kind::kSpot:
        if (event.spot.station != station_)
          Q_EMIT spotArrived(event.spot.spot, ToQt(event.spot.station));
        break;
    }
    Persist();
  } catch (const std::exception& e) {
    SetStatus(QStringLiteral("The group's changes cannot be written: ") + ToQt(e.what()),
              connected_);
  }
#else
  (void)event;
#endif
}

void GroupSession::Persist() {
  writer_->Hand(sync_->TakeWrites());
}

void GroupSession::RequestSerials() {
#ifdef MIRVA_HAVE_NATS
  if (!serial_source_ || !connected_ || serials_asked_)
    return;
  std::vector<SerialRequest> requests;
  uint64_t headroom = SerialHeadroom(sync_->Ids());
  for (const auto& [key, floor] :
       SerialFloors(session_.log().QSOLog(), serials_per_band_, session_.Contest().Bands)) {
    uint64_t least = std::max(floor, serials_.Highest(key) + 1);
    SerialRequest request{key, serials_.DeckNeed(key), serials_.ReserveNeed(key), least,
                          FreshCounterStart(least, headroom)};
    if (request.deck + request.reserve > 0)
      requests.push_back(std::move(request));
  }
  if (requests.empty())
    return;
  serials_asked_ = true;
  link_->TakeSerials(std::move(requests));
#endif
}

void GroupSession::TakeSerials(const GroupEvent& event) {
#ifdef MIRVA_HAVE_NATS
  serials_asked_ = false;
  if (!serial_source_)
    return;
  for (const SerialsTaken& taken : event.serials) {
    if (taken.deck_count > 0)
      serials_.AddToDeck(taken.key, taken.deck_first, taken.deck_count);
    if (taken.reserve_count > 0)
      serials_.AddToReserve(taken.key, taken.reserve_first, taken.reserve_count);
  }
  SaveGroupSerials(session_.fs(), JoinPath(dir_, kGroupSerialsFileName), serials_);
  Q_EMIT serialsArrived();
  RequestSerials();
#else
  (void)event;
#endif
}

void GroupSession::SetStatus(const QString& status, bool connected) {
  if (status == status_ && connected == connected_)
    return;
  status_ = status;
  connected_ = connected;
  if (!connected)
    heard_.clear();
  Q_EMIT statusChanged();
  Q_EMIT stationsChanged();
}

std::size_t GroupSession::Pending() const {
  return sync_ ? sync_->Pending() : 0;
}

std::vector<GroupStationRow> GroupSession::Stations() const {
  if (!sync_)
    return {};
  std::map<std::string, GroupPresence> connected;
  for (const auto& [station, heard] : heard_)
    connected[station] = heard.presence;
  UtcTime now = clock_.Now();
  std::optional<Minute> minute = MinuteOf(now.date, now.time);
  return GroupStations(session_.log().QSOLog(), sync_->Ids(), station_, connected,
                       minute.value_or(0));
}

void GroupSession::FollowEntry(const std::string& band, const std::string& mode) {
  if (presence_.band == band && presence_.mode == mode)
    return;
  presence_.band = band;
  presence_.mode = mode;
  Announce();
}

void GroupSession::SetOperator(const std::string& op) {
  presence_.op = op;
  Announce();
}

void GroupSession::Announce() {
#ifdef MIRVA_HAVE_NATS
  if (link_)
    link_->Announce(presence_);
#endif
}

void GroupSession::SendNote(const QString& text) {
#ifdef MIRVA_HAVE_NATS
  if (link_ && !text.trimmed().isEmpty())
    link_->Note({station_, FromQt(text.trimmed())});
#else
  (void)text;
#endif
}

void GroupSession::ShareSpot(const Spot& spot) {
#ifdef MIRVA_HAVE_NATS
  if (link_)
    link_->ShareSpot({station_, spot});
#else
  (void)spot;
#endif
}

void GroupSession::Expire() {
  auto now = std::chrono::steady_clock::now();
  bool gone = std::erase_if(
                  heard_, [&](const auto& item) { return now - item.second.when > kHeardFor; }) > 0;
  if (gone)
    Q_EMIT stationsChanged();
}

}  // namespace mirva
