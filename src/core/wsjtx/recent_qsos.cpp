#include "wsjtx/recent_qsos.h"

#include <algorithm>

#include "text/cp1251.h"
#include "text/strings.h"

namespace mirva {

namespace {

std::string KeyOf(const TQSOData& qso) {
  return UpperCase(Trim(qso.Call)) + '|' + qso.Band + '|' + qso.Mode + '|' +
         std::to_string(static_cast<std::int64_t>(qso.QSODate)) + '|' + qso.QSOTime.substr(0, 5);
}

}  // namespace

bool RecentQsos::Seen(const TQSOData& qso, std::int64_t now_s) {
  Forget(now_s);
  std::string key = KeyOf(qso);
  return std::any_of(entries_.begin(), entries_.end(),
                     [&](const Entry& entry) { return entry.key == key; });
}

void RecentQsos::Remember(const TQSOData& qso, std::int64_t now_s) {
  Forget(now_s);
  entries_.push_back({KeyOf(qso), now_s});
}

void RecentQsos::Forget(std::int64_t now_s) {
  while (!entries_.empty() && now_s - entries_.front().at_s > keep_s_)
    entries_.pop_front();
}

}  // namespace mirva
