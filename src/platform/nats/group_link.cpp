#include "group_link.h"

#include <algorithm>

#include "group/group_sync.h"

namespace mirva {
namespace {

/// How often a station announces itself, and how often the stream is checked for a broker
/// that lost its store while the link stayed up.
constexpr std::chrono::seconds kPresencePeriod{5};
constexpr std::chrono::seconds kCheckPeriod{10};
/// The longest quiet wait: a doorbell missed while reconnecting is made up for by then.
constexpr std::chrono::milliseconds kIdleWait{1000};
constexpr std::chrono::milliseconds kFirstRetry{500};
constexpr std::chrono::milliseconds kLastRetry{10000};
constexpr std::size_t kFetchBatch = 4096;

GroupEvent Event(GroupEvent::Kind kind) {
  GroupEvent event;
  event.kind = kind;
  return event;
}

template <typename Fill>
GroupEvent Told(GroupEvent::Kind kind, Fill fill) {
  GroupEvent event = Event(kind);
  fill(event);
  return event;
}

}  // namespace

GroupLink::GroupLink(NatsSettings settings, Deliver deliver)
    : settings_(std::move(settings)), deliver_(std::move(deliver)) {
  thread_ = std::thread([this] { Run(); });
}

GroupLink::~GroupLink() {
  {
    std::lock_guard lock(mutex_);
    stop_ = true;
  }
  wake_.notify_all();
  thread_.join();
}

void GroupLink::Send(std::vector<std::pair<std::string, std::string>> changes) {
  {
    std::lock_guard lock(mutex_);
    to_send_ = std::move(changes);
    rung_ = true;
  }
  wake_.notify_all();
}

void GroupLink::Seen(uint64_t seen, uint64_t digest) {
  {
    std::lock_guard lock(mutex_);
    seen_ = seen;
    seen_digest_ = digest;
    waiting_ = false;
    rung_ = true;
  }
  wake_.notify_all();
}

void GroupLink::Announce(GroupPresence presence) {
  {
    std::lock_guard lock(mutex_);
    presence_ = std::move(presence);
    next_presence_ = {};
    rung_ = true;
  }
  wake_.notify_all();
}

void GroupLink::Note(GroupNote note) {
  {
    std::lock_guard lock(mutex_);
    notes_.push_back(std::move(note));
    rung_ = true;
  }
  wake_.notify_all();
}

void GroupLink::ShareSpot(GroupSpot spot) {
  {
    std::lock_guard lock(mutex_);
    // A link that is down keeps only the newest spots: old ones are stale by the time it is up.
    if (spots_.size() == kSpotsHeld)
      spots_.erase(spots_.begin());
    spots_.push_back(std::move(spot));
    rung_ = true;
  }
  wake_.notify_all();
}

void GroupLink::TakeSerials(std::vector<SerialRequest> requests) {
  {
    std::lock_guard lock(mutex_);
    serial_requests_ = std::move(requests);
    rung_ = true;
  }
  wake_.notify_all();
}

void GroupLink::Take(std::vector<SerialRequest> requests) {
  std::vector<SerialsTaken> taken;
  try {
    if (!counter_)
      counter_ = std::make_unique<NatsSerialCounter>(settings_);
    for (const SerialRequest& request : requests) {
      SerialsTaken& got = taken.emplace_back();
      got.key = request.key;
      if (request.deck > 0) {
        got.deck_first = counter_->Take(request.key, request.deck, request.floor, request.start);
        got.deck_count = request.deck;
      }
      if (request.reserve > 0) {
        uint64_t floor = std::max(request.floor, got.deck_first + got.deck_count);
        got.reserve_first =
            counter_->Take(request.key, request.reserve, floor, std::max(floor, request.start));
        got.reserve_count = request.reserve;
      }
    }
  } catch (const GroupError&) {
    counter_.reset();
    deliver_(Told(GroupEvent::Kind::kSerials, [&](GroupEvent& e) { e.serials = taken; }));
    throw;
  }
  deliver_(Told(GroupEvent::Kind::kSerials, [&](GroupEvent& e) { e.serials = taken; }));
}

void GroupLink::Heard(std::string_view kind, std::string_view bytes) {
  if (kind == "changes") {
    {
      std::lock_guard lock(mutex_);
      rung_ = true;
    }
    wake_.notify_all();
  } else if (kind == "here") {
    if (std::optional<GroupPresence> presence = DecodePresence(bytes)) {
      GroupEvent event = Event(GroupEvent::Kind::kPresence);
      event.presence = std::move(*presence);
      deliver_(std::move(event));
    }
  } else if (kind == "spot") {
    if (std::optional<GroupSpot> spot = DecodeSpot(bytes)) {
      GroupEvent event = Event(GroupEvent::Kind::kSpot);
      event.spot = std::move(*spot);
      deliver_(std::move(event));
    }
  } else if (kind == "note") {
    if (std::optional<GroupNote> note = DecodeNote(bytes)) {
      GroupEvent event = Event(GroupEvent::Kind::kNote);
      event.note = std::move(*note);
      deliver_(std::move(event));
    }
  }
}

void GroupLink::Sleep(std::chrono::milliseconds pause) {
  std::unique_lock lock(mutex_);
  wake_.wait_for(lock, pause, [this] { return stop_ || rung_; });
  rung_ = false;
}

void GroupLink::Run() {
  std::chrono::milliseconds retry = kFirstRetry;
  std::string last_failure;
  std::unique_ptr<NatsTransport> transport;
  bool check_lost = true;
  for (;;) {
    {
      std::lock_guard lock(mutex_);
      if (stop_)
        return;
    }
    try {
      if (!transport) {
        transport = std::make_unique<NatsTransport>(settings_);
        transport->Listen(
            [this](std::string_view kind, std::string_view bytes) { Heard(kind, bytes); });
        deliver_(
            Told(GroupEvent::Kind::kConnected, [&](GroupEvent& e) { e.text = settings_.url; }));
        retry = kFirstRetry;
        last_failure.clear();
        check_lost = true;
        std::lock_guard lock(mutex_);
        caught_up_ = false;
      }
      Round(*transport, check_lost);
      Sleep(kIdleWait);
    } catch (const GroupError& error) {
      transport.reset();
      counter_.reset();
      if (error.what() != last_failure)
        deliver_(Told(GroupEvent::Kind::kFailed, [&](GroupEvent& e) { e.text = error.what(); }));
      last_failure = error.what();
      Sleep(retry);
      retry = std::min(retry * 2, kLastRetry);
    }
  }
}

void GroupLink::Round(NatsTransport& transport, bool& check_lost) {
  std::vector<std::pair<std::string, std::string>> to_send;
  std::vector<GroupNote> notes;
  std::vector<GroupSpot> spots;
  std::vector<SerialRequest> serial_requests;
  GroupPresence presence;
  uint64_t seen = 0;
  uint64_t digest = 0;
  bool waiting = false;
  bool announce = false;
  auto now = std::chrono::steady_clock::now();
  {
    std::lock_guard lock(mutex_);
    to_send = to_send_;
    notes.swap(notes_);
    spots.swap(spots_);
    serial_requests.swap(serial_requests_);
    presence = presence_;
    seen = seen_;
    digest = seen_digest_;
    waiting = waiting_;
    announce = now >= next_presence_ && !presence_.station.empty();
    if (announce)
      next_presence_ = now + kPresencePeriod;
    if (now >= next_check_) {
      next_check_ = now + kCheckPeriod;
      check_lost = true;
    }
  }
  if (announce)
    transport.Announce("here", EncodePresence(presence));
  for (const GroupNote& note : notes)
    transport.Announce("note", EncodeNote(note));
  for (const GroupSpot& spot : spots)
    transport.Announce("spot", EncodeSpot(spot));
  if (!serial_requests.empty())
    Take(std::move(serial_requests));
  if (waiting)
    return;
  if (check_lost) {
    check_lost = false;
    if (StreamLost(transport, seen, digest)) {
      std::lock_guard lock(mutex_);
      waiting_ = true;
      deliver_(Event(GroupEvent::Kind::kStreamLost));
      return;
    }
  }
  if (!to_send.empty()) {
    std::vector<std::pair<std::string, uint64_t>> acks;
    try {
      for (const auto& [id, bytes] : to_send)
        acks.emplace_back(id, transport.Publish(id, bytes));
    } catch (const GroupError&) {
      if (!acks.empty())
        deliver_(Told(GroupEvent::Kind::kAcknowledged,
                      [&](GroupEvent& e) { e.acks = std::move(acks); }));
      throw;
    }
    {
      // What came meanwhile is the outbox as it is now: it is sent on the next round.
      std::lock_guard lock(mutex_);
      if (to_send_ == to_send)
        to_send_.clear();
    }
    deliver_(
        Told(GroupEvent::Kind::kAcknowledged, [&](GroupEvent& e) { e.acks = std::move(acks); }));
  }
  std::vector<GroupMessage> messages = transport.Fetch(seen, kFetchBatch);
  std::lock_guard lock(mutex_);
  if (!messages.empty() || !caught_up_) {
    caught_up_ = true;
    waiting_ = true;
    deliver_(Told(GroupEvent::Kind::kReceived,
                  [&](GroupEvent& e) { e.messages = std::move(messages); }));
  }
}

}  // namespace mirva
