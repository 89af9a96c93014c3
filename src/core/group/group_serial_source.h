#pragma once

#include <string>

#include "file_system.h"
#include "group/group_serials.h"
#include "session/serial_source.h"

namespace mirva {

/// The session's serial numbers from the station's pool of the group's numbers; each spent
/// number is written to the pool's file before the QSO reaches the log, so that a crash
/// between the two leaves a gap and never a number given twice.
class GroupSerialSource : public SerialSource {
 public:
  GroupSerialSource(GroupSerials& serials, bool per_band, FileSystem& fs, std::string path)
      : serials_(serials), per_band_(per_band), fs_(fs), path_(std::move(path)) {}

  std::optional<uint64_t> Next(std::string_view band) const override {
    return serials_.Next(SerialKey(per_band_, band));
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
};

}  // namespace mirva
