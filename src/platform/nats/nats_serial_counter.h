#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "group/serial_counter.h"
#include "nats_transport.h"

namespace mirva {

/// The group's key-value bucket of serial counters, MIRVA_<GROUP>_SERIALS.
std::string GroupSerialsBucket(std::string_view group);

/// The group's serial counters in a JetStream key-value bucket of the broker: each key holds
/// the next number to give, and numbers are taken by a compare-and-set on its revision. The
/// bucket is created when the broker has none (a new group, or a broker that lost its store).
/// Use it from one thread at a time.
class NatsSerialCounter : public SerialCounter {
 public:
  /// Connects and opens or creates the bucket; a GroupError says why it could not.
  explicit NatsSerialCounter(const NatsSettings& settings);
  ~NatsSerialCounter() override;
  NatsSerialCounter(const NatsSerialCounter&) = delete;
  NatsSerialCounter& operator=(const NatsSerialCounter&) = delete;

  uint64_t Take(const std::string& key, uint64_t count, uint64_t floor, uint64_t start) override;

 private:
  struct Handles;
  void OpenBucket();

  std::string bucket_;
  int replicas_;
  std::unique_ptr<Handles> handles_;
};

}  // namespace mirva
