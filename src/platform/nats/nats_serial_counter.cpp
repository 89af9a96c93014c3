#include "nats_serial_counter.h"

#include <nats/nats.h>

#include <algorithm>
#include <cctype>
#include <charconv>

#include "nats_connection.h"

namespace mirva {
namespace {

/// How often a take is tried again when other stations took numbers in between.
constexpr int kMostAttempts = 1000;

/// The counter's value: the next number to give.
bool ParseCounter(std::string_view text, uint64_t& value) {
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return !text.empty() && error == std::errc() && end == text.data() + text.size();
}

/// Whether a compare-and-set that failed with `status` lost to another station's take: the
/// broker then answers "wrong last sequence", which right after a reconnect may come with
/// another status than the usual NATS_ERR.
bool LostToAnotherTake(natsStatus status) {
  const char* text = nats_GetLastError(nullptr);
  return status == NATS_ERR ||
         (text && std::string_view(text).find("wrong last sequence") != std::string_view::npos);
}

}  // namespace

std::string GroupSerialsBucket(std::string_view group) {
  std::string name = "MIRVA_" + LowerName(group) + "_SERIALS";
  std::transform(name.begin(), name.end(), name.begin(),
                 [](char c) { return static_cast<char>(std::toupper(c)); });
  return name;
}

struct NatsSerialCounter::Handles {
  explicit Handles(const NatsSettings& settings) : link(settings) {}
  ~Handles() { kvStore_Destroy(kv); }

  NatsConnection link;
  kvStore* kv = nullptr;
};

NatsSerialCounter::NatsSerialCounter(const NatsSettings& settings)
    : bucket_(GroupSerialsBucket(settings.group)),
      replicas_(settings.replicas),
      handles_(std::make_unique<Handles>(settings)) {
  OpenBucket();
}

NatsSerialCounter::~NatsSerialCounter() = default;

void NatsSerialCounter::OpenBucket() {
  kvStore_Destroy(handles_->kv);
  handles_->kv = nullptr;
  natsStatus s = js_KeyValue(&handles_->kv, handles_->link.js(), bucket_.c_str());
  if (s == NATS_NOT_FOUND) {
    kvConfig config;
    kvConfig_Init(&config);
    config.Bucket = bucket_.c_str();
    config.History = 1;
    config.StorageType = js_FileStorage;
    config.Replicas = replicas_;
    s = js_CreateKeyValue(&handles_->kv, handles_->link.js(), &config);
    // Another station may have made it first.
    if (s != NATS_OK)
      s = js_KeyValue(&handles_->kv, handles_->link.js(), bucket_.c_str());
  }
  if (s != NATS_OK) {
    handles_->kv = nullptr;
    handles_->link.Fail(s, "open the group's serial numbers " + bucket_);
  }
}

uint64_t NatsSerialCounter::Take(const std::string& key, uint64_t count, uint64_t floor,
                                 uint64_t start) {
  floor = std::max<uint64_t>(floor, 1);
  bool reopened = false;
  for (int attempt = 0; attempt < kMostAttempts; ++attempt) {
    if (!handles_->kv)
      OpenBucket();
    kvEntry* entry = nullptr;
    natsStatus s = kvStore_Get(&entry, handles_->kv, key.c_str());
    uint64_t first = floor;
    if (s == NATS_OK) {
      std::string_view value(static_cast<const char*>(kvEntry_Value(entry)),
                             static_cast<std::size_t>(kvEntry_ValueLen(entry)));
      uint64_t next = 0;
      bool number = ParseCounter(value, next);
      uint64_t revision = kvEntry_Revision(entry);
      kvEntry_Destroy(entry);
      if (!number)
        throw GroupError("the group's serial counter " + key + " in " + bucket_ +
                         " holds no number");
      first = std::max(next, floor);
      std::string after = std::to_string(first + count);
      s = kvStore_Update(nullptr, handles_->kv, key.c_str(), after.data(),
                         static_cast<int>(after.size()), revision);
    } else if (s == NATS_NOT_FOUND) {
      first = std::max(floor, start);
      std::string after = std::to_string(first + count);
      s = kvStore_Create(nullptr, handles_->kv, key.c_str(), after.data(),
                         static_cast<int>(after.size()));
    } else if (!reopened) {
      // A broker that lost its store lost the bucket too, and a read from it goes unanswered:
      // the bucket is opened again, or made anew.
      reopened = true;
      OpenBucket();
      continue;
    } else {
      handles_->link.Fail(s, "read the group's serial counter " + key);
    }
    if (s == NATS_OK)
      return first;
    if (s == NATS_NO_RESPONDERS) {
      OpenBucket();
      continue;
    }
    // Another station took numbers in between: its revision is newer, and the take is tried
    // again.
    if (!LostToAnotherTake(s))
      handles_->link.Fail(s, "take serial numbers from the group's counter " + key);
  }
  throw GroupError("the group's serial counter " + key + " in " + bucket_ +
                   " kept changing while numbers were taken");
}

}  // namespace mirva
