#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace mirva {

inline constexpr std::uint32_t kWsjtxMagic = 0xadbccbda;

/// A date and time as the sender's clock serialises it: a Julian day and milliseconds since
/// its midnight, in UTC once the offset it came with is applied.
struct WsjtxTime {
  bool valid = false;
  std::int64_t julian_day = 0;
  std::uint32_t ms = 0;
};

/// A contact the sender logged, as its "QSO Logged" message gives it. Texts are Windows-1251.
struct WsjtxQsoLogged {
  WsjtxTime time_off;
  std::string dx_call;
  std::string dx_grid;
  std::uint64_t tx_hz = 0;
  std::string mode;
  std::string report_sent;
  std::string report_rcvd;
  std::string tx_power;
  std::string comments;
  std::string name;
  WsjtxTime time_on;
  std::string operator_call;
  std::string my_call;
  std::string my_grid;
  std::string exchange_sent;
  std::string exchange_rcvd;
  std::string propagation;
};

/// One datagram of the sender's UDP protocol, of the kinds a logger acts on.
struct WsjtxMessage {
  enum class Kind { kHeartbeat, kQsoLogged, kLoggedAdif, kOther };
  Kind kind = Kind::kOther;
  std::uint32_t schema = 0;
  std::uint32_t type = 0;
  std::string id;  ///< the sending program's name
  // Heartbeat
  std::uint32_t max_schema = 0;
  std::string version;
  std::string revision;
  WsjtxQsoLogged qso;  ///< kQsoLogged
  std::string adif;    ///< kLoggedAdif: the ADIF text as sent
};

/// The datagram decoded, or why it cannot be.
struct WsjtxDecoded {
  std::optional<WsjtxMessage> message;
  std::string error;
};

/// Reads a datagram: magic, schema 2 or 3, type, then the fields of a heartbeat (0), a logged
/// QSO (5) or a logged ADIF record (12); any other type comes back as kOther with only the id
/// read. A logged QSO may end after its time on; the fields it lacks are empty.
WsjtxDecoded DecodeWsjtx(std::string_view bytes);

/// Days since 1899-12-30 and "hh:nn" of a valid time.
double WsjtxDateValue(const WsjtxTime& time);
std::string WsjtxTimeOfDay(const WsjtxTime& time);

}  // namespace mirva
