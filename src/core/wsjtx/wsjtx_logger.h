#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

#include "reference/band_plan.h"
#include "wsjtx/recent_qsos.h"

namespace mirva {

class Session;

/// What one datagram came to.
struct WsjtxOutcome {
  enum class Kind {
    kLogged,     ///< `index` is the QSO's place in the log; `text` any scoring problem
    kRepeated,   ///< the QSO was logged already from an earlier announcement
    kRefused,    ///< `text` says why the contest cannot take it
    kMalformed,  ///< `text` says what is wrong with the datagram
    kHeartbeat,  ///< the sender is there; `text` is its name and version
    kIgnored,    ///< another message that announces no QSO
  };
  Kind kind = Kind::kIgnored;
  std::string text;
  std::size_t index = 0;
};

/// Logs the QSOs that datagrams announce into the session, each once, through the session's
/// save, so they are scored, numbered, written and counted as the entry's are.
class WsjtxLogger {
 public:
  /// `plan` maps a frequency to the contest's band.
  WsjtxLogger(Session& session, BandPlan plan);

  /// Decodes the datagram and logs the QSO it announces; `now_s` is a steady clock in
  /// seconds for the memory of QSOs logged. Throws IoError when the log cannot be written,
  /// with the QSO neither logged nor remembered.
  WsjtxOutcome Take(std::string_view datagram, std::int64_t now_s);

  /// The plan frequencies are put on bands by from now on; the QSOs logged stay remembered.
  void SetPlan(BandPlan plan) { plan_ = std::move(plan); }

  std::size_t Malformed() const { return malformed_; }
  std::size_t Logged() const { return logged_; }
  std::size_t Refused() const { return refused_; }

 private:
  Session& session_;
  BandPlan plan_;
  RecentQsos recent_;
  std::size_t malformed_ = 0;
  std::size_t logged_ = 0;
  std::size_t refused_ = 0;
};

}  // namespace mirva
