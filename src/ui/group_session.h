#pragma once

#include <QObject>
#include <QString>
#include <QTimer>
#include <chrono>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "group/group_presence.h"
#include "group/group_serials.h"
#include "group/group_stations.h"
#include "session/session_listener.h"
#include "workspace/workspace_settings.h"

namespace mirva {

class Session;
class Clock;
class GroupSync;
class GroupFileWriter;
class GroupLink;
class SerialSource;
struct GroupEvent;

/// The station's part in a group log, on the window thread: it keeps the log and the side
/// files (GroupSync) and leaves the broker to a link on a thread of its own. Changes made here
/// go out as soon as they are saved; changes from the group are written to the log as they
/// arrive, and the windows follow them as they follow any change.
class GroupSession : public QObject, public SessionListener {
  Q_OBJECT

 public:
  GroupSession(Session& session, Clock& clock, QObject* parent = nullptr);
  ~GroupSession() override;

  /// Joins the group the settings name, leaving any joined before; settings without a server
  /// leave the group. A setting that cannot be used is told by Status.
  void Start(const GroupSettings& settings);
  void Stop();
  bool Joined() const { return link_ != nullptr; }

  /// Where the link stands, as one line for the operator.
  const QString& Status() const { return status_; }
  bool Connected() const { return connected_; }
  /// How many changes of this station wait for the broker.
  std::size_t Pending() const;
  /// Every station of the group as the log and the last announcements show it.
  std::vector<GroupStationRow> Stations() const;
  /// The station's band and mode, announced to the others.
  void FollowEntry(const std::string& band, const std::string& mode);
  void SetOperator(const std::string& op);
  /// Sends a note to the connected stations.
  void SendNote(const QString& text);
  /// Passes a spot this station heard or marked to the connected stations.
  void ShareSpot(const Spot& spot);

 Q_SIGNALS:
  void statusChanged();
  /// The stations' table may read differently.
  void stationsChanged();
  void noteArrived(const QString& station, const QString& text);
  /// Another station of the group heard or marked this spot.
  void spotArrived(const mirva::Spot& spot, const QString& station);
  /// The serial numbers came from the group, or the group took them over or gave them back
  /// to the log: the next QSO's proposal may read differently.
  void serialsArrived();

 private:
  void QsoAppended(std::size_t) override { LocalChange(true); }
  void QsoChanged(std::size_t) override { LocalChange(false); }
  void LogReplaced() override { LocalChange(false); }
  /// Sends what the log holds that the group has not acknowledged, once the window thread is
  /// free: a save paints first.
  void LocalChange(bool appended);
  void SendOutgoing();
  void Handle(GroupEvent& event);
  void SetStatus(const QString& status, bool connected);
  /// Hands the side file's and the outbox's new contents to the writer's thread, so that the
  /// window thread never waits on the disk for them.
  void Persist();
  void Announce();
  /// Drops the stations not heard for a while from the connected ones.
  void Expire();
  /// Asks the group for the serial numbers the pool lacks, unless a request is on its way.
  void RequestSerials();
  void TakeSerials(const GroupEvent& event);

  Session& session_;
  Clock& clock_;
  std::string station_;
  std::string dir_;
  bool serials_per_band_ = false;
  /// The station's numbers from the group, when the contest numbers its QSOs.
  GroupSerials serials_;
  std::unique_ptr<SerialSource> serial_source_;
  bool serials_asked_ = false;
  /// Whether the log changed only by QSOs appended since the last changes were sent.
  bool only_appended_ = true;
  /// Whether the change the session tells of is one from the group, applied here.
  bool applying_ = false;
  /// Counts the links started: events are taken only from the last one.
  uint64_t generation_ = 0;
  std::unique_ptr<GroupFileWriter> writer_;
  std::unique_ptr<GroupSync> sync_;
  std::unique_ptr<GroupLink> link_;
  QTimer send_timer_;
  QTimer expire_timer_;
  QString status_;
  bool connected_ = false;
  GroupPresence presence_;
  struct Heard {
    GroupPresence presence;
    std::chrono::steady_clock::time_point when;
  };
  std::map<std::string, Heard> heard_;
};

}  // namespace mirva
