#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app_services.h"
#include "cluster_feed.h"
#include "spots/spot.h"

class QTimer;

namespace mirva {

/// A running connection to one cluster node, as the program keeps it.
class ClusterLink {
 public:
  virtual ~ClusterLink() = default;
  /// Sends a command line to the node; dropped while not connected.
  virtual void Send(std::string line) = 0;
};

/// Connects to a node, reconnecting after any loss; `deliver` is called on the link's own
/// thread. Destroying the link never waits on the network.
using ClusterLinkOpener =
    std::function<std::unique_ptr<ClusterLink>(ClusterEndpoint, ClusterFeed::Deliver)>;

/// A telnet feed on a thread of its own that reconnects.
std::unique_ptr<ClusterLink> OpenClusterFeed(ClusterEndpoint endpoint,
                                             ClusterFeed::Deliver deliver);

/// The program's cluster connections: one feed per node of the stored cluster settings. What
/// the feeds' threads deliver waits in a queue that the window thread takes in batches about
/// every 100 ms while something waits, in the order it came.
class SpotFeeds : public QObject {
  Q_OBJECT

 public:
  explicit SpotFeeds(AppServices services, ClusterLinkOpener opener = OpenClusterFeed);
  /// Drops the feeds without waiting on the network; what they deliver later goes nowhere.
  ~SpotFeeds() override;

  /// Reads the stored settings anew and connects to their nodes, dropping the feeds before.
  void Restart();
  /// Sends a command to every connected node.
  void Send(const QString& command);

 Q_SIGNALS:
  void spotsArrived(const std::vector<Spot>& spots);
  /// Text lines that are no spots, each after its node's host when there are several nodes.
  void consoleLines(const QStringList& lines);
  /// How the nodes are: "Cluster: HOST:PORT connected", "... trying again (why)", "... failed
  /// (why)", several nodes separated by "; "; empty without nodes.
  void statusChanged(const QString& status);

 private:
  struct Inbox;
  struct Feed {
    std::string address;  ///< HOST:PORT
    std::string host;
    std::unique_ptr<ClusterLink> link;
    bool connected = false;
    QString state;
  };

  /// Drops every feed; what they deliver later goes nowhere.
  void Drop();
  /// Starts the timer that takes the queue, unless it runs.
  void Wake();
  void TakeBatch();
  void SetStatus();

  AppServices services_;
  ClusterLinkOpener opener_;
  std::vector<Feed> feeds_;
  std::shared_ptr<Inbox> inbox_;
  QTimer* timer_;
  QString status_;
};

}  // namespace mirva
