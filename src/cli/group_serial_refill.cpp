#include "group_serial_refill.h"

#include <string>

#include "cli.h"
#include "file_system.h"
#include "session/session.h"
#include "terminal_notifier.h"
#include "workspace/workspace_settings.h"
#ifdef MIRVA_HAVE_NATS
#include "group/group_serials.h"
#include "group/serial_refill.h"
#endif

namespace mirva {

#ifdef MIRVA_HAVE_NATS
void RefillFromGroup(Session& session, FileSystem& fs, const GroupSettings& group,
                     const GroupIds& ids, SerialCounter& counter, bool broker_lost_store) {
  if (!session.HasContest() || !session.NumbersQsos())
    return;
  std::string path = session.PathOf(kGroupSerialsFileName);
  GroupSerials serials = LoadGroupSerials(fs, path);
  GroupSerials before = serials;
  if (broker_lost_store)
    serials.DropHeld();
  try {
    RefillSerials(
        serials, counter,
        SerialFloors(session.log().QSOLog(), group.serials_per_band, session.Contest().Bands),
        SerialHeadroom(ids));
  } catch (const GroupError&) {
    if (serials != before)
      SaveGroupSerials(fs, path, serials);
    throw;
  }
  if (serials != before)
    SaveGroupSerials(fs, path, serials);
}

#endif

std::function<void()> GroupSerialRefill(Session& session, FileSystem& fs,
                                        TerminalNotifier& notifier, const GroupSettings& group,
                                        GroupSerials& serials) {
#ifdef MIRVA_HAVE_NATS
  if (group.server.empty() || group.station.empty())
    return nullptr;
  return [&session, &fs, &notifier, &serials, group] {
    std::string path = session.PathOf(kGroupSerialsFileName);
    try {
      std::optional<std::string> text = fs.ReadFile(session.PathOf(kGroupIdsFileName));
      std::optional<GroupIds> ids = text ? ParseGroupIds(*text) : std::nullopt;
      LazyCounter counter(BrokerSettings(group));
      RefillFromGroup(session, fs, group, ids.value_or(GroupIds()), counter, false);
    } catch (const std::exception& e) {
      notifier.ShowError(std::string("No more serial numbers could be taken from the group (") +
                         e.what() + "); this QSO's number follows this station's own.");
    }
    serials = LoadGroupSerials(fs, path);
  };
#else
  (void)session, (void)fs, (void)notifier, (void)group, (void)serials;
  return nullptr;
#endif
}

}  // namespace mirva
