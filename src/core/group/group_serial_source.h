#pragma once

#include <functional>
#include <string>

#include "contest/rules/serial_source.h"
#include "file_system.h"
#include "group/group_serials.h"

namespace mirva {

/// The session's serial numbers from the station's pool of the group's numbers; each spent
/// number is written to the pool's file before the QSO reaches the log, so that a crash
/// between the two leaves a gap and never a number given twice.
class GroupSerialSource : public SerialSource {
 public:
  GroupSerialSource(GroupSerials& serials, bool per_band, FileSystem& fs, std::string path)
      : serials_(serials), per_band_(per_band), fs_(fs), path_(std::move(path)) {}

  /// `refill` is called once, the first time the pool has no number to give, to top the pool
  /// up from the group before the station falls back on its own numbering.
  void SetRefill(std::function<void()> refill) { refill_ = std::move(refill); }

  std::optional<uint64_t> Next(std::string_view band) const override {
    std::string key = SerialKey(per_band_, band);
    std::optional<uint64_t> number = serials_.Next(key);
    if (!number && refill_) {
      std::function<void()> refill = std::move(refill_);
      refill_ = nullptr;
      refill();
      number = serials_.Next(key);
    }
    return number;
  }
  uint64_t LastSent(std::string_view band) const override {
    return serials_.LastSent(SerialKey(per_band_, band));
  }
  void Spent(std::string_view band, uint64_t number) override {
    serials_.Spent(SerialKey(per_band_, band), number);
    SaveGroupSerials(fs_, path_, serials_);
  }

 private:
  GroupSerials& serials_;
  bool per_band_;
  FileSystem& fs_;
  std::string path_;
  mutable std::function<void()> refill_;
};

}  // namespace mirva
