#include "scoring/dupe.h"

#include <string>

namespace mirva {

bool IsDupe(DupeRule rule, const LogStore& log, std::string_view call, std::string_view band,
            std::string_view mode, std::string_view time) {
  return IsDupe(rule, log, log.QsosOfCall(call), band, mode, time);
}

bool IsDupe(DupeRule rule, const LogStore& log, std::span<const uint32_t> qsos,
            std::string_view band, std::string_view mode, std::string_view time) {
  if (rule == DupeRule::kNever)
    return false;
  std::string hour(time.substr(0, 2));
  std::string first = hour + ":00";
  std::string last = hour + ":59";
  bool same_band = false;
  bool same_mode = false;
  QsoLog records = log.QSOLog();
  for (uint32_t i : qsos) {
    QsoRecordView q = records.Record(i);
    bool band_equal = q.Band() == band;
    switch (rule) {
      case DupeRule::kBand:
        if (band_equal)
          return true;
        break;
      case DupeRule::kBandMode:
        if (band_equal && q.Mode() == mode)
          return true;
        break;
      case DupeRule::kBandAndMode:
        same_band = same_band || band_equal;
        same_mode = same_mode || q.Mode() == mode;
        if (same_band && same_mode)
          return true;
        break;
      case DupeRule::kHour:
        if (band_equal && q.QSOTime() >= first && q.QSOTime() <= last)
          return true;
        break;
      case DupeRule::kNever:
        break;
    }
  }
  return false;
}

}  // namespace mirva
