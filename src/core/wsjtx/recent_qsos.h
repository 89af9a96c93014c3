#pragma once

#include <cstdint>
#include <deque>
#include <string>

#include "log/qso_record.h"

namespace mirva {

/// The QSOs logged from announcements lately, so that one QSO announced twice (as a logged
/// QSO and as an ADIF record, or sent again) is logged once. Two announcements are the same
/// QSO when callsign, band, mode, date and minute of the time on agree.
class RecentQsos {
 public:
  /// Remembers each QSO for `keep_s` seconds of the caller's clock.
  explicit RecentQsos(std::int64_t keep_s = 3600) : keep_s_(keep_s) {}

  /// Whether the same QSO was remembered within the time kept before `now_s`.
  bool Seen(const TQSOData& qso, std::int64_t now_s);
  void Remember(const TQSOData& qso, std::int64_t now_s);

 private:
  struct Entry {
    std::string key;
    std::int64_t at_s = 0;
  };
  void Forget(std::int64_t now_s);

  std::int64_t keep_s_;
  std::deque<Entry> entries_;  ///< oldest first
};

}  // namespace mirva
