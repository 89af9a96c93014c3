#include "nats_transport.h"

#include <nats/nats.h>

#include <algorithm>
#include <cctype>

#include "nats_connection.h"
#include "text/cp1251.h"

namespace mirva {
namespace {

/// How long the broker keeps a message id to drop a repeat of it: longer than any station
/// stays away and comes back with its outbox.
constexpr int64_t kDuplicateWindowNs = int64_t{24} * 3600 * 1000 * 1000 * 1000;
/// The most changes one pull request asks for.
constexpr std::size_t kPullBatch = 2000;
/// How long a reader stays in use between two reads: the broker removes a reader that nobody
/// asked for some seconds, and a pull from a removed one waits out its expiry empty.
constexpr std::chrono::seconds kReaderRest{1};

}  // namespace

bool IsGroupName(std::string_view name) {
  return !name.empty() && name.size() <= 32 && std::all_of(name.begin(), name.end(), [](char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '_';
  });
}

NatsSettings BrokerSettings(const GroupSettings& group) {
  NatsSettings settings;
  settings.url = group.server;
  settings.group = group.group;
  settings.secret = ReadGroupSecret(Cp1251ToUtf8(group.secret_file));
  settings.ca_file = Cp1251ToUtf8(group.ca_file);
  settings.replicas = group.replicas;
  return settings;
}

std::string GroupStreamName(std::string_view group) {
  std::string name = "MIRVA_" + LowerName(group);
  std::transform(name.begin(), name.end(), name.begin(),
                 [](char c) { return static_cast<char>(std::toupper(c)); });
  return name;
}

std::string GroupSubject(std::string_view group) {
  return "mirva." + LowerName(group) + ".changes";
}

struct NatsTransport::Handles {
  explicit Handles(const NatsSettings& settings) : link(settings) {}
  ~Handles() {
    if (listener) {
      natsSubscription_Unsubscribe(listener);
      natsSubscription_Destroy(listener);
    }
    if (reader) {
      natsSubscription_Unsubscribe(reader);
      natsSubscription_Destroy(reader);
    }
  }

  NatsConnection link;
  natsSubscription* reader = nullptr;
  natsSubscription* listener = nullptr;
  std::size_t prefix_size = 0;
  Heard heard;
};

NatsTransport::NatsTransport(const NatsSettings& settings)
    : stream_(GroupStreamName(settings.group)),
      subject_(GroupSubject(settings.group)),
      prefix_("mirva." + LowerName(settings.group) + "."),
      timeout_(settings.timeout),
      replicas_(settings.replicas),
      handles_(std::make_unique<Handles>(settings)) {
  where_ = handles_->link.where();
  EnsureStream();
}

NatsTransport::~NatsTransport() = default;

NatsTransport::StreamState NatsTransport::Describe() {
  jsStreamInfo* info = nullptr;
  jsErrCode code = jsErrCode(0);
  natsStatus s = js_GetStreamInfo(&info, handles_->link.js(), stream_.c_str(), nullptr, &code);
  if (s == NATS_NOT_FOUND)
    return {};
  if (s != NATS_OK)
    handles_->link.Fail(s, "tell the group's stream " + stream_);
  StreamState state;
  state.exists = true;
  state.last = info->State.LastSeq;
  state.leaderless = info->Cluster && info->Config && info->Config->Replicas > 1 &&
                     !(info->Cluster->Leader && *info->Cluster->Leader);
  jsStreamInfo_Destroy(info);
  return state;
}

void NatsTransport::FailLeaderless() const {
  throw GroupError("the group's stream " + stream_ + " on the cluster at " + where_ +
                   " has no leader now: too few of its nodes are running");
}

void NatsTransport::EnsureStream() {
  if (Describe().exists)
    return;
  jsStreamConfig config;
  jsStreamConfig_Init(&config);
  config.Name = stream_.c_str();
  const char* subjects[] = {subject_.c_str()};
  config.Subjects = subjects;
  config.SubjectsLen = 1;
  config.Storage = js_FileStorage;
  config.Duplicates = kDuplicateWindowNs;
  config.Replicas = replicas_;
  jsStreamInfo* info = nullptr;
  jsErrCode code = jsErrCode(0);
  natsStatus s = js_AddStream(&info, handles_->link.js(), &config, nullptr, &code);
  if (s == NATS_OK)
    jsStreamInfo_Destroy(info);
  else if (code != JSStreamNameExistErr)  // another station made it first
    handles_->link.Fail(s, "create the group's stream " + stream_);
}

uint64_t NatsTransport::Publish(const std::string& message_id, const std::string& bytes) {
  jsPubOptions options;
  jsPubOptions_Init(&options);
  options.MsgId = message_id.c_str();
  options.MaxWait = timeout_.count();
  options.ExpectStream = stream_.c_str();
  for (int attempt = 0;; ++attempt) {
    jsPubAck* ack = nullptr;
    jsErrCode code = jsErrCode(0);
    natsStatus s = js_Publish(&ack, handles_->link.js(), subject_.c_str(), bytes.data(),
                              static_cast<int>(bytes.size()), &options, &code);
    if (s == NATS_OK) {
      uint64_t sequence = ack->Sequence;
      jsPubAck_Destroy(ack);
      return sequence;
    }
    // Nothing listens on the subject: the broker lost its store, and so the stream, or the
    // cluster keeping it lost too many nodes.
    if (s != NATS_NO_RESPONDERS || attempt > 0)
      handles_->link.Fail(s, "store a change");
    if (Describe().leaderless)
      FailLeaderless();
    EnsureStream();
  }
}

void NatsTransport::DropReader() {
  if (!handles_->reader)
    return;
  natsSubscription_Unsubscribe(handles_->reader);
  natsSubscription_Destroy(handles_->reader);
  handles_->reader = nullptr;
}

std::vector<GroupMessage> NatsTransport::Fetch(uint64_t after, std::size_t max) {
  // A pull that finds nothing waits out its whole expiry on this broker: ask only for what
  // the stream holds.
  uint64_t last = max == 0 ? 0 : LastSequence();
  if (last <= after)
    return {};
  auto now = std::chrono::steady_clock::now();
  bool reused = handles_->reader && reader_next_ == after + 1 && now - reader_used_ < kReaderRest;
  if (!reused)
    DropReader();
  reader_used_ = now;
  std::vector<GroupMessage> changes;
  uint64_t pending = last - after;
  while (changes.size() < max && pending > 0) {
    OpenReader(after + 1);
    std::size_t batch = std::min({max - changes.size(), kPullBatch, std::size_t(pending)});
    std::vector<GroupMessage> more = FetchBatch(static_cast<int>(batch), pending);
    if (more.empty() && reused && changes.empty()) {
      // The broker removed the reader after all: once more with a new one.
      DropReader();
      reused = false;
      continue;
    }
    if (more.empty())
      break;
    std::move(more.begin(), more.end(), std::back_inserter(changes));
  }
  return changes;
}

/// Opens a reader at `from` unless one is open.
void NatsTransport::OpenReader(uint64_t from) {
  if (handles_->reader)
    return;
  jsSubOptions options;
  jsSubOptions_Init(&options);
  options.Stream = stream_.c_str();
  options.Config.DeliverPolicy = js_DeliverByStartSequence;
  options.Config.OptStartSeq = from;
  options.Config.AckPolicy = js_AckNone;
  jsErrCode code = jsErrCode(0);
  natsStatus s = js_PullSubscribe(&handles_->reader, handles_->link.js(), subject_.c_str(), nullptr,
                                  nullptr, &options, &code);
  if (s != NATS_OK) {
    handles_->reader = nullptr;
    handles_->link.Fail(s, "read the group's changes");
  }
  reader_next_ = from;
}

std::vector<GroupMessage> NatsTransport::FetchBatch(int batch, uint64_t& pending) {
  jsFetchRequest request;
  jsFetchRequest_Init(&request);
  request.Batch = batch;
  request.NoWait = true;
  request.Expires = int64_t{timeout_.count()} * 1000 * 1000;
  natsMsgList list{};
  natsStatus s = natsSubscription_FetchRequest(&list, handles_->reader, &request);
  // A pull cut short by its expiry still brings what it got.
  if (list.Count == 0 && (s == NATS_NOT_FOUND || s == NATS_TIMEOUT))
    return {};
  if (s != NATS_OK && s != NATS_TIMEOUT) {
    natsMsgList_Destroy(&list);
    DropReader();
    handles_->link.Fail(s, "read the group's changes");
  }
  std::vector<GroupMessage> changes;
  changes.reserve(static_cast<std::size_t>(list.Count));
  for (int i = 0; i < list.Count; ++i) {
    jsMsgMetaData* meta = nullptr;
    if (natsMsg_GetMetaData(&meta, list.Msgs[i]) != NATS_OK)
      continue;
    GroupMessage& change = changes.emplace_back();
    change.sequence = meta->Sequence.Stream;
    change.bytes.assign(natsMsg_GetData(list.Msgs[i]),
                        static_cast<std::size_t>(natsMsg_GetDataLength(list.Msgs[i])));
    pending = meta->NumPending;
    jsMsgMetaData_Destroy(meta);
  }
  natsMsgList_Destroy(&list);
  if (!changes.empty())
    reader_next_ = changes.back().sequence + 1;
  return changes;
}

std::optional<GroupMessage> NatsTransport::MessageAt(uint64_t sequence) {
  if (sequence == 0)
    return std::nullopt;
  natsMsg* msg = nullptr;
  jsErrCode code = jsErrCode(0);
  natsStatus s = js_GetMsg(&msg, handles_->link.js(), stream_.c_str(), sequence, nullptr, &code);
  if (s == NATS_NOT_FOUND)
    return std::nullopt;
  if (s != NATS_OK)
    handles_->link.Fail(s, "read the group's change " + std::to_string(sequence));
  GroupMessage change{sequence, {}};
  if (const char* data = natsMsg_GetData(msg))
    change.bytes.assign(data, static_cast<std::size_t>(natsMsg_GetDataLength(msg)));
  natsMsg_Destroy(msg);
  return change;
}

uint64_t NatsTransport::LastSequence() {
  StreamState state = Describe();
  if (!state.exists) {
    EnsureStream();
    return 0;
  }
  // A smaller number than the station saw would read as a broker that lost its store.
  if (state.leaderless)
    FailLeaderless();
  return state.last;
}

namespace {

void OnHeard(natsConnection*, natsSubscription*, natsMsg* message, void* closure) {
  auto& handles = *static_cast<NatsTransport::Handles*>(closure);
  std::string_view subject = natsMsg_GetSubject(message);
  if (subject.size() > handles.prefix_size && handles.heard) {
    std::string_view bytes(natsMsg_GetData(message),
                           static_cast<std::size_t>(natsMsg_GetDataLength(message)));
    handles.heard(subject.substr(handles.prefix_size), bytes);
  }
  natsMsg_Destroy(message);
}

}  // namespace

void NatsTransport::Listen(Heard heard) {
  Handles& h = *handles_;
  if (h.listener)
    return;
  h.heard = std::move(heard);
  h.prefix_size = prefix_.size();
  natsStatus s = natsConnection_Subscribe(&h.listener, h.link.connection(), (prefix_ + ">").c_str(),
                                          OnHeard, &h);
  if (s != NATS_OK) {
    h.listener = nullptr;
    h.link.Fail(s, "listen to the group");
  }
  // Once the broker has the subscription, whatever another station sends from now on is heard.
  s = natsConnection_FlushTimeout(h.link.connection(), timeout_.count());
  if (s != NATS_OK)
    h.link.Fail(s, "listen to the group");
}

void NatsTransport::Announce(std::string_view kind, std::string_view bytes) {
  std::string subject = prefix_ + std::string(kind);
  natsStatus s = natsConnection_Publish(handles_->link.connection(), subject.c_str(), bytes.data(),
                                        static_cast<int>(bytes.size()));
  if (s != NATS_OK)
    handles_->link.Fail(s, "tell the group");
}

bool NatsTransport::Connected() const {
  return natsConnection_Status(handles_->link.connection()) == NATS_CONN_STATUS_CONNECTED;
}

}  // namespace mirva
