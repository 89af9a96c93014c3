#pragma once

#include <QObject>
#include <QString>
#include <memory>
#include <string>

#include "app_services.h"
#include "reference/band_plan.h"

namespace mirva {

class WsjtxListener;
class WsjtxLogger;

/// The program's ear for WSJT-X and JTDX: a listener on the stored address while enabled,
/// whose datagrams are taken on the window thread, in order, and logged through the
/// session's save, so every window sees the QSO as after the entry's save.
class WsjtxLink : public QObject {
  Q_OBJECT

 public:
  explicit WsjtxLink(AppServices services, QObject* parent = nullptr);
  ~WsjtxLink() override;

  /// Listens as the stored settings say now; stops when they are off. A port that cannot be
  /// had is told in the status.
  void Restart();
  /// The band plan frequencies are put on bands by.
  void SetBandPlan(BandPlan plan);
  /// The port listened on; 0 while not listening.
  int Port() const;
  /// The status as last told.
  const QString& Status() const { return status_; }
  std::size_t Malformed() const;

  /// Logs what one datagram announces; the listener's datagrams come here.
  void Take(const std::string& datagram);

 Q_SIGNALS:
  /// A QSO was logged from an announcement.
  void qsoLogged();
  /// What the link has to tell: listening, the last QSO logged or refused, broken datagrams.
  void statusChanged(const QString& status);

 private:
  void Tell(QString status);

  AppServices services_;
  std::unique_ptr<WsjtxLogger> logger_;
  std::unique_ptr<WsjtxListener> listener_;
  QString status_;
  /// The status while nothing was heard.
  QString listening_;
};

}  // namespace mirva
