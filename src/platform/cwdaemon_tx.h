#pragma once

#include <string>

#include "cwdaemon_protocol.h"
#include "link/tx_buffer.h"
#include "link/tx_decoder.h"

namespace mirva {

class Notifier;

/// Where the CW text goes: the cwdaemon listening on UDP at host:port, and the speed (WPM)
/// it is set to before the first request.
struct CwdaemonSettings {
  std::string host = "127.0.0.1";
  int port = 6789;
  int speed = kCwdaemonDefaultSpeed;
};

/// The transmit buffer as requests to cwdaemon over UDP. A request never waits: the socket
/// does not block, and a request that cannot go is dropped. The first failure is told once
/// through the notifier, with `where` (the settings that name the daemon); later ones are not.
class CwdaemonTx : public TxBuffer {
 public:
  CwdaemonTx(const CwdaemonSettings& settings, Notifier& notifier, std::string where);
  ~CwdaemonTx() override;
  CwdaemonTx(const CwdaemonTx&) = delete;
  CwdaemonTx& operator=(const CwdaemonTx&) = delete;

  void Put(char symbol) override;
  /// The speed the daemon was last set to, or would be set to first.
  int speed() const { return speed_; }

 private:
  void Send(const std::string& request);
  void Transmit(const std::string& request);
  void Fail(const std::string& why);

  std::string address_;  ///< "host:port", for messages
  std::string where_;
  Notifier& notifier_;
  int socket_ = -1;
  std::string problem_;  ///< why there is no socket
  int speed_;
  bool speed_sent_ = false;
  bool told_ = false;
  TxDecoder decoder_;
};

}  // namespace mirva
