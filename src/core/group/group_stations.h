#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "group/group_ids.h"
#include "group/group_presence.h"
#include "log/qso_log.h"
#include "scoring/rate.h"

namespace mirva {

/// One line of the group's overview.
struct GroupStationRow {
  std::string station;
  /// What the station told while connected; otherwise the band and mode of its last QSO.
  std::string op;
  std::string band;
  std::string mode;
  std::string last_qso;  ///< "hh:nn CALL" of its last QSO in the log; empty when none
  int64_t last10 = 0;    ///< its QSOs in the 10 and 60 minutes ending with "now"
  int64_t last60 = 0;
  bool connected = false;

  bool operator==(const GroupStationRow&) const = default;
};

/// Every station that made a QSO of `log` or is connected, by name. `ids` tells who made each
/// record (a record without an identity yet is `own`'s); `connected` holds what each connected
/// station last told.
std::vector<GroupStationRow> GroupStations(const QsoLog& log, const GroupIds& ids,
                                           const std::string& own,
                                           const std::map<std::string, GroupPresence>& connected,
                                           Minute now);

}  // namespace mirva
