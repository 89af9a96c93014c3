#include "group/group_stations.h"

namespace mirva {

std::vector<GroupStationRow> GroupStations(const QsoLog& log, const GroupIds& ids,
                                           const std::string& own,
                                           const std::map<std::string, GroupPresence>& connected,
                                           Minute now) {
  std::map<std::string, GroupStationRow> rows;
  for (std::size_t i = 0; i < log.size(); ++i) {
    const std::string& maker =
        i < ids.live.size() && ids.live[i].Identified() ? ids.live[i].station : own;
    GroupStationRow& row = rows[maker];
    QsoRecordView record = log.Record(i);
    row.band = std::string(record.Band());
    row.mode = std::string(record.Mode());
    row.last_qso = std::string(record.QSOTime()) + " " + std::string(record.Call());
    if (std::optional<Minute> minute = MinuteOf(record.QSODate(), record.QSOTime());
        minute && *minute <= now) {
      row.last10 += *minute > now - 10;
      row.last60 += *minute > now - 60;
    }
  }
  for (const auto& [station, presence] : connected) {
    GroupStationRow& row = rows[station];
    row.connected = true;
    row.op = presence.op;
    if (!presence.band.empty())
      row.band = presence.band;
    if (!presence.mode.empty())
      row.mode = presence.mode;
  }
  std::vector<GroupStationRow> out;
  for (auto& [station, row] : rows) {
    row.station = station;
    out.push_back(std::move(row));
  }
  return out;
}

}  // namespace mirva
