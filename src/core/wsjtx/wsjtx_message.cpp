#include "wsjtx/wsjtx_message.h"

#include <cstdio>
#include <stdexcept>

#include "text/cp1251.h"

namespace mirva {

namespace {

/// Qt's Julian day of 1899-12-30, the day the log's dates count from.
constexpr std::int64_t kJulianDayOfDateZero = 2415019;
constexpr std::int64_t kMsPerDay = 86400000;
constexpr std::uint32_t kNullLength = 0xffffffff;

/// A datagram that ends or contradicts itself before the field named.
struct Broken : std::runtime_error {
  using std::runtime_error::runtime_error;
};

/// Big-endian reader of QDataStream fields.
class Reader {
 public:
  explicit Reader(std::string_view bytes) : bytes_(bytes) {}

  bool AtEnd() const { return at_ == bytes_.size(); }

  std::uint64_t Unsigned(std::size_t size, const char* field) {
    if (bytes_.size() - at_ < size)
      throw Broken(std::string("it ends inside the ") + field);
    std::uint64_t value = 0;
    for (std::size_t k = 0; k < size; ++k)
      value = value << 8 | static_cast<unsigned char>(bytes_[at_ + k]);
    at_ += size;
    return value;
  }
  std::uint32_t U32(const char* field) { return static_cast<std::uint32_t>(Unsigned(4, field)); }

  std::string Utf8(const char* field) {
    std::uint32_t length = U32(field);
    if (length == kNullLength)
      return {};
    if (bytes_.size() - at_ < length)
      throw Broken(std::string("the ") + field + " says " + std::to_string(length) + " bytes but " +
                   std::to_string(bytes_.size() - at_) + " follow");
    std::string_view text = bytes_.substr(at_, length);
    at_ += length;
    return Utf8ToCp1251(text);
  }

  WsjtxTime Time(const char* field) {
    WsjtxTime time;
    auto day = static_cast<std::int64_t>(Unsigned(8, field));
    time.ms = U32(field);
    // How the time is kept: 0 local, 1 UTC, 2 an offset from UTC that follows, 3 a named zone.
    auto kept_as = Unsigned(1, field);
    std::int64_t offset_s = 0;
    if (kept_as == 2)
      offset_s = static_cast<std::int32_t>(U32(field));
    else if (kept_as > 2)
      throw Broken(std::string("the ") + field + " has a time zone, which is not read");
    // A null date or time is sent with an out-of-range day or 0xffffffff milliseconds.
    time.valid = time.ms < kMsPerDay && day > 0 && day < 100000000;
    if (!time.valid)
      return time;
    std::int64_t ms = static_cast<std::int64_t>(time.ms) - offset_s * 1000;
    day += ms < 0 ? -1 : ms >= kMsPerDay ? 1 : 0;
    ms = (ms % kMsPerDay + kMsPerDay) % kMsPerDay;
    time.julian_day = day;
    time.ms = static_cast<std::uint32_t>(ms);
    return time;
  }

 private:
  std::string_view bytes_;
  std::size_t at_ = 0;
};

void ReadQso(Reader& in, WsjtxQsoLogged& qso) {
  qso.time_off = in.Time("time off");
  qso.dx_call = in.Utf8("DX call");
  qso.dx_grid = in.Utf8("DX grid");
  qso.tx_hz = in.Unsigned(8, "Tx frequency");
  qso.mode = in.Utf8("mode");
  qso.report_sent = in.Utf8("report sent");
  qso.report_rcvd = in.Utf8("report received");
  qso.tx_power = in.Utf8("Tx power");
  qso.comments = in.Utf8("comments");
  qso.name = in.Utf8("name");
  qso.time_on = in.Time("time on");
  // Older senders stop here, or after any of the later fields.
  std::string* later[] = {&qso.operator_call, &qso.my_call,       &qso.my_grid,
                          &qso.exchange_sent, &qso.exchange_rcvd, &qso.propagation};
  const char* names[] = {"operator call", "my call",           "my grid",
                         "exchange sent", "exchange received", "propagation mode"};
  for (std::size_t k = 0; k < std::size(later) && !in.AtEnd(); ++k)
    *later[k] = in.Utf8(names[k]);
}

}  // namespace

WsjtxDecoded DecodeWsjtx(std::string_view bytes) {
  WsjtxDecoded decoded;
  Reader in(bytes);
  try {
    if (bytes.size() < 4 || in.U32("magic") != kWsjtxMagic) {
      decoded.error = "not a WSJT-X datagram (no magic number)";
      return decoded;
    }
    WsjtxMessage message;
    message.schema = in.U32("schema");
    if (message.schema != 2 && message.schema != 3) {
      decoded.error = "schema " + std::to_string(message.schema) + " is not read (only 2 and 3)";
      return decoded;
    }
    message.type = in.U32("message type");
    message.id = in.Utf8("id");
    switch (message.type) {
      case 0:
        message.kind = WsjtxMessage::Kind::kHeartbeat;
        message.max_schema = in.U32("maximum schema");
        message.version = in.Utf8("version");
        message.revision = in.Utf8("revision");
        break;
      case 5:
        message.kind = WsjtxMessage::Kind::kQsoLogged;
        ReadQso(in, message.qso);
        break;
      case 12:
        message.kind = WsjtxMessage::Kind::kLoggedAdif;
        message.adif = in.Utf8("ADIF text");
        break;
      default:
        break;
    }
    decoded.message = std::move(message);
  } catch (const Broken& e) {
    decoded.error = std::string("broken datagram: ") + e.what();
  }
  return decoded;
}

double WsjtxDateValue(const WsjtxTime& time) {
  return static_cast<double>(time.julian_day - kJulianDayOfDateZero);
}

std::string WsjtxTimeOfDay(const WsjtxTime& time) {
  char text[8];
  std::snprintf(text, sizeof text, "%02u:%02u", time.ms / 3600000u, time.ms / 60000u % 60u);
  return text;
}

}  // namespace mirva
