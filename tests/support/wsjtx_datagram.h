#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace mirva {

/// Builds datagrams of the digital-mode programs' UDP protocol field by field, big-endian.
struct WsjtxDatagram {
  std::string bytes;

  WsjtxDatagram(std::uint32_t type, std::uint32_t schema = 3, std::string_view id = "WSJT-X") {
    U32(0xadbccbda).U32(schema).U32(type).Utf8(id);
  }
  WsjtxDatagram& Int(std::uint64_t value, int size) {
    for (int k = size - 1; k >= 0; --k)
      bytes += static_cast<char>(value >> (8 * k) & 0xff);
    return *this;
  }
  WsjtxDatagram& U32(std::uint32_t value) { return Int(value, 4); }
  WsjtxDatagram& Utf8(std::string_view text) {
    U32(static_cast<std::uint32_t>(text.size()));
    bytes += text;
    return *this;
  }
  /// A UTC time (timespec 1) of that Julian day; `offset_s` makes it one of timespec 2.
  WsjtxDatagram& Time(std::int64_t julian_day, std::uint32_t ms, int offset_s = 0) {
    Int(static_cast<std::uint64_t>(julian_day), 8).U32(ms);
    if (offset_s == 0)
      return Int(1, 1);
    return Int(2, 1).U32(static_cast<std::uint32_t>(offset_s));
  }

  /// A QSO logged on 2024-11-30 (Julian day 2460645) at hh:mm:15 and ended a minute later,
  /// with the fields of schema 2 up to time on; `ExchangeFields` adds the later ones.
  static WsjtxDatagram Qso(std::string_view call, std::uint64_t hz, std::string_view mode,
                           std::uint32_t hhmm, std::uint32_t schema = 3) {
    std::uint32_t ms = (hhmm / 100 * 60 + hhmm % 100) * 60000 + 15000;
    WsjtxDatagram d(5, schema);
    std::uint32_t off = ms + 60000;
    d.Time(off < 86400000 ? 2460645 : 2460646, off % 86400000)
        .Utf8(call)
        .Utf8("JO22")
        .Int(hz, 8)
        .Utf8(mode);
    d.Utf8("-10").Utf8("-12").Utf8("100").Utf8("").Utf8("").Time(2460645, ms);
    return d;
  }
  WsjtxDatagram& ExchangeFields(std::string_view sent, std::string_view rcvd) {
    return Utf8("").Utf8("OH2XX").Utf8("KP20").Utf8(sent).Utf8(rcvd).Utf8("");
  }
};

}  // namespace mirva
