// Datagrams of the digital-mode programs: decoding, the ADIF record, and logging each
// announced QSO once under the contest.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "reference/usual_bands.h"
#include "session_fixture.h"
#include "wsjtx/adif_record.h"
#include "wsjtx/recent_qsos.h"
#include "wsjtx/wsjtx_logger.h"
#include "wsjtx/wsjtx_message.h"
#include "wsjtx/wsjtx_qso.h"
#include "wsjtx_datagram.h"

namespace mirva {
namespace {

using Kind = WsjtxMessage::Kind;

std::string Cut(std::string bytes, std::size_t drop) {
  bytes.resize(bytes.size() - drop);
  return bytes;
}

TEST(WsjtxDecode, KindsAndErrors) {
  std::string qso = WsjtxDatagram::Qso("DL1ABC", 14074000, "FT8", 1234).bytes;
  std::string full =
      WsjtxDatagram::Qso("DL1ABC", 14074000, "FT8", 1234).ExchangeFields("KP20", "JO31").bytes;
  std::string bad_magic = qso;
  bad_magic[0] = 0;
  std::string long_string = WsjtxDatagram(12).U32(50).bytes + "<CALL:3>K1A";
  struct Case {
    const char* name;
    std::string bytes;
    Kind kind;
    const char* error;  ///< part of the error, or empty
  } cases[] = {
      {"heartbeat", WsjtxDatagram(0, 2).U32(3).Utf8("2.6.1").Utf8("abc").bytes, Kind::kHeartbeat,
       ""},
      {"qso of an old sender", qso, Kind::kQsoLogged, ""},
      {"qso with exchange", full, Kind::kQsoLogged, ""},
      {"adif", WsjtxDatagram(12).Utf8("<call:4>K1AB<eor>").bytes, Kind::kLoggedAdif, ""},
      {"status is skipped", WsjtxDatagram(1).Utf8("anything").bytes, Kind::kOther, ""},
      {"null id",
       WsjtxDatagram(12, 2, "").bytes.substr(0, 12) + std::string(4, '\xff') + std::string(4, '\0'),
       Kind::kLoggedAdif, ""},
      {"empty", "", Kind::kOther, "no magic"},
      {"bad magic", bad_magic, Kind::kOther, "no magic"},
      {"schema 4", WsjtxDatagram(0, 4).bytes, Kind::kOther, "schema 4"},
      {"no type", std::string(qso, 0, 10), Kind::kOther, "message type"},
      {"cut in a number", Cut(WsjtxDatagram(0).U32(3).bytes, 1), Kind::kOther, "maximum schema"},
      {"cut in time on", Cut(qso, 3), Kind::kOther, "time on"},
      {"cut in a later field", Cut(full, 2), Kind::kOther, "propagation mode"},
      {"string past the end", long_string, Kind::kOther, "says 50 bytes but 11 follow"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WsjtxDecoded decoded = DecodeWsjtx(c.bytes);
    if (*c.error) {
      EXPECT_FALSE(decoded.message);
      EXPECT_NE(decoded.error.find(c.error), std::string::npos) << decoded.error;
    } else {
      ASSERT_TRUE(decoded.message) << decoded.error;
      EXPECT_EQ(decoded.message->kind, c.kind);
    }
  }
}

TEST(WsjtxDecode, QsoFields) {
  WsjtxDecoded decoded = DecodeWsjtx(
      WsjtxDatagram::Qso("DL1ABC", 14074000, "FT8", 2359).ExchangeFields("KP20", "559 JO31").bytes);
  ASSERT_TRUE(decoded.message);
  const WsjtxQsoLogged& qso = decoded.message->qso;
  EXPECT_EQ(qso.dx_call, "DL1ABC");
  EXPECT_EQ(qso.tx_hz, 14074000u);
  EXPECT_EQ(qso.exchange_rcvd, "559 JO31");
  EXPECT_EQ(WsjtxTimeOfDay(qso.time_on), "23:59");
  EXPECT_EQ(WsjtxDateValue(qso.time_on), 45626);
  // The time off, a minute later, is past midnight.
  EXPECT_EQ(WsjtxTimeOfDay(qso.time_off), "00:00");
  EXPECT_EQ(WsjtxDateValue(qso.time_off), 45627);
}

TEST(WsjtxDecode, TimeWithOffsetIsUtc) {
  struct Case {
    std::uint32_t ms;
    int offset_s;
    const char* time;
    double date;
  } cases[] = {
      {3600000 * 3, 3600 * 2, "01:00", 45626},
      {3600000 * 1, 3600 * 2, "23:00", 45625},
      {3600000 * 23, -3600 * 2, "01:00", 45627},
  };
  for (const Case& c : cases) {
    WsjtxDatagram d(5);
    d.Time(2460645, c.ms, c.offset_s).Utf8("K1A").Utf8("").Int(0, 8).Utf8("FT8");
    d.Utf8("").Utf8("").Utf8("").Utf8("").Utf8("").Time(2460645, c.ms, c.offset_s);
    WsjtxDecoded decoded = DecodeWsjtx(d.bytes);
    ASSERT_TRUE(decoded.message) << decoded.error;
    EXPECT_EQ(WsjtxTimeOfDay(decoded.message->qso.time_on), c.time);
    EXPECT_EQ(WsjtxDateValue(decoded.message->qso.time_on), c.date);
  }
}

TEST(AdifRecordTest, Reads) {
  struct Case {
    const char* text;
    const char* call;
    const char* srx;
    const char* error;
  } cases[] = {
      {"<CALL:4>K1AB <SRX_STRING:2>MA <EOR>", "K1AB", "MA", ""},
      {"WSJT-X ADIF Export<eoh>\n<call:4>K1AB<srx_string:2:S>MA<eor>", "K1AB", "MA", ""},
      {"head <EOH> <Call:3>W1A <EOR> <CALL:3>W2B <EOR>", "W1A", "", ""},
      {"<CALL:4>K1AB<COMMENT:3>\xc0\xc1\xc2", "K1AB", "", ""},
      {"<CALL:9>K1AB", "", "", "says 9 bytes but only 4 follow"},
      {"<CALL:x>K1AB", "", "", "no valid length"},
      {"no fields <EOR>", "", "", "holds no field"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    AdifRecord record = ReadAdifRecord(c.text);
    EXPECT_EQ(record.Get("CALL"), c.call);
    EXPECT_EQ(record.Get("SRX_STRING"), c.srx);
    if (*c.error) {
      EXPECT_NE(record.error.find(c.error), std::string::npos) << record.error;
    } else {
      EXPECT_EQ(record.error, "");
    }
  }
}

TEST(WsjtxMode, ContestModeOf) {
  using Modes = std::vector<std::string>;
  struct Case {
    Modes modes;
    const char* mode;
    const char* contest_mode;
  } cases[] = {
      {{"CW", "SSB", "DIGI"}, "FT8", "DIGI"},
      {{"RTTY"}, "FT4", "RTTY"},
      {{"RTTY"}, "MSK144", "RTTY"},
      {{"CW", "SSB"}, "FT8", ""},
      {{"CW", "SSB", "DIGI"}, "CW", "CW"},
      {{"CW", "SSB"}, "usb", "SSB"},
      {{"RTTY"}, "SSB", ""},
      {{"CW", "SSB", "SSTV"}, "JT65", ""},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ContestModeOf(c.modes, c.mode), c.contest_mode) << c.mode;
}

TEST(RecentQsosTest, SameMinuteWithinTheHour) {
  TQSOData qso;
  qso.Call = "DL1ABC";
  qso.Band = "20";
  qso.Mode = "DIGI";
  qso.QSODate = 45626;
  qso.QSOTime = "12:34";
  RecentQsos recent;
  EXPECT_FALSE(recent.Seen(qso, 0));
  recent.Remember(qso, 0);
  EXPECT_TRUE(recent.Seen(qso, 3600));
  TQSOData other = qso;
  other.QSOTime = "12:35";
  EXPECT_FALSE(recent.Seen(other, 10));
  other = qso;
  other.Band = "40";
  EXPECT_FALSE(recent.Seen(other, 10));
  EXPECT_FALSE(recent.Seen(qso, 3601));
}

class WsjtxLoggerTest : public SessionTest {
 protected:
  WsjtxLogger logger{session, WithUsualBands(BandPlan(6, 1))};

  WsjtxOutcome Take(const std::string& bytes) { return logger.Take(bytes, 100); }
  TQSOData Last() const { return session.log().QSOLog().back(); }
};

TEST_F(WsjtxLoggerTest, LogsOnceFromBothMessages) {
  Setup("ARI International DX Contest", "OH2XX");
  WsjtxOutcome first = Take(WsjtxDatagram::Qso("DL1ABC", 14074500, "FT8", 1234).bytes);
  ASSERT_EQ(first.kind, WsjtxOutcome::Kind::kLogged) << first.text;
  EXPECT_EQ(first.index, 0u);
  const TQSOData& qso = Last();
  EXPECT_EQ(qso.Call, "DL1ABC");
  EXPECT_EQ(qso.Band, "20");
  EXPECT_EQ(qso.Mode, "DIGI");
  EXPECT_EQ(qso.QSODate, 45626);
  EXPECT_EQ(qso.QSOTime, "12:34");
  EXPECT_EQ(qso.RprtSent, "-10");
  EXPECT_GT(qso.Points, 0);
  std::string adif =
      "<call:6>DL1ABC<qso_date:8>20241130<time_on:6>123415<freq:9>14.074500<mode:4>MFSK"
      "<submode:3>FT8<eor>";
  EXPECT_EQ(Take(WsjtxDatagram(12).Utf8(adif).bytes).kind, WsjtxOutcome::Kind::kRepeated);
  EXPECT_EQ(Take(WsjtxDatagram::Qso("DL1ABC", 14074500, "FT8", 1234, 2).bytes).kind,
            WsjtxOutcome::Kind::kRepeated);
  // The same call on another band is a new QSO.
  EXPECT_EQ(Take(WsjtxDatagram::Qso("DL1ABC", 7074000, "FT8", 1240).bytes).kind,
            WsjtxOutcome::Kind::kLogged);
  EXPECT_EQ(session.log().QSOLog().size(), 2u);
  EXPECT_EQ(logger.Logged(), 2u);
}

TEST_F(WsjtxLoggerTest, RefusesWhatTheContestCannotTake) {
  Setup("CQ WW DX Contest (CW)", "OH2XX");
  struct Case {
    std::string bytes;
    WsjtxOutcome::Kind kind;
    const char* text;
  } cases[] = {
      {WsjtxDatagram::Qso("DL1ABC", 14074000, "FT8", 1234).bytes, WsjtxOutcome::Kind::kRefused,
       "no mode for FT8"},
      {WsjtxDatagram::Qso("DL1ABC", 5357000, "CW", 1234).bytes, WsjtxOutcome::Kind::kRefused,
       "5357 kHz is on no band"},
      {WsjtxDatagram::Qso("D<L1", 14010000, "CW", 1234).bytes, WsjtxOutcome::Kind::kRefused,
       "is no callsign"},
      {WsjtxDatagram(12).Utf8("<CALL:4>K1AB<EOR>").bytes, WsjtxOutcome::Kind::kMalformed,
       "no valid QSO_DATE"},
      {"garbage", WsjtxOutcome::Kind::kMalformed, "no magic"},
      {WsjtxDatagram(0).U32(3).Utf8("2.7").Utf8("").bytes, WsjtxOutcome::Kind::kHeartbeat,
       "WSJT-X 2.7"},
      {WsjtxDatagram(1).Utf8("status").bytes, WsjtxOutcome::Kind::kIgnored, ""},
  };
  for (const Case& c : cases) {
    WsjtxOutcome outcome = Take(c.bytes);
    EXPECT_EQ(outcome.kind, c.kind) << c.text;
    EXPECT_NE(outcome.text.find(c.text), std::string::npos) << outcome.text;
  }
  EXPECT_TRUE(session.log().QSOLog().empty());
  EXPECT_EQ(logger.Malformed(), 2u);
  EXPECT_EQ(logger.Refused(), 3u);
}

TEST_F(WsjtxLoggerTest, ExchangeAsTheContestCountsIt) {
  Setup("ARRL RTTY Round-Up Contest", "OH2XX");
  // A station of the USA sends its state; the report in front of it gives way to the
  // program's own received report.
  WsjtxOutcome by_qso = Take(
      WsjtxDatagram::Qso("K1ABC", 7080000, "RTTY", 1200).ExchangeFields("599 001", "579 MA").bytes);
  ASSERT_EQ(by_qso.kind, WsjtxOutcome::Kind::kLogged) << by_qso.text;
  EXPECT_EQ(Last().NumberRcvd, "MA");
  EXPECT_EQ(Last().RprtRcvd, "-12");
  EXPECT_EQ(Last().NumberSent, "001");
  std::string adif =
      "<EOH><CALL:5>W2DEF<QSO_DATE:8>20241130<TIME_ON:4>1201<BAND:3>40m<MODE:4>RTTY"
      "<SRX:2>17<STATE:2>NY<RST_RCVD:3>599<EOR>";
  WsjtxOutcome by_adif = Take(WsjtxDatagram(12).Utf8(adif).bytes);
  ASSERT_EQ(by_adif.kind, WsjtxOutcome::Kind::kLogged) << by_adif.text;
  EXPECT_EQ(Last().NumberRcvd, "NY");
  EXPECT_EQ(Last().Band, "40");
  EXPECT_EQ(Last().RprtRcvd, "599");
  EXPECT_FALSE(Last().NumberSent.empty());
}

TEST_F(WsjtxLoggerTest, ALocatorIsNeverLoggedAsASerialNumber) {
  Setup("CQ WW RTTY WPX Contest", "OH2XX");
  struct Case {
    std::string exchange;
    std::string logged;
  } cases[] = {{"", ""}, {"599 017", "017"}};
  std::uint32_t minute = 1200;
  for (const Case& c : cases) {
    WsjtxOutcome outcome = Take(WsjtxDatagram::Qso("K1ABC", 14080000, "RTTY", minute++)
                                    .ExchangeFields("599 001", c.exchange)
                                    .bytes);
    ASSERT_EQ(outcome.kind, WsjtxOutcome::Kind::kLogged) << outcome.text;
    EXPECT_EQ(Last().NumberRcvd, c.logged) << c.exchange;
  }
}

}  // namespace
}  // namespace mirva
