#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>

#ifdef MIRVA_HAVE_NATS
#include "group/group_ids.h"
#include "group/serial_counter.h"
#include "nats_serial_counter.h"
#include "nats_transport.h"
#endif

namespace mirva {

class FileSystem;
class Session;
struct GroupSettings;

#ifdef MIRVA_HAVE_NATS
/// The group's serial counter, connected when it is first needed.
class LazyCounter : public SerialCounter {
 public:
  explicit LazyCounter(NatsSettings settings) : settings_(std::move(settings)) {}
  uint64_t Take(const std::string& key, uint64_t count, uint64_t floor, uint64_t start) override {
    if (!counter_)
      counter_.emplace(settings_);
    return counter_->Take(key, count, floor, start);
  }

 private:
  NatsSettings settings_;
  std::optional<NatsSerialCounter> counter_;
};

/// Tops up the station's serial numbers from the group when the contest numbers its QSOs;
/// what was taken is kept even when the broker fails part-way. After the broker lost its
/// store the numbers held are given up: its new counter may give them to another station.
void RefillFromGroup(Session& session, FileSystem& fs, const GroupSettings& group,
                     const GroupIds& ids, SerialCounter& counter, bool broker_lost_store);
#endif

}  // namespace mirva
