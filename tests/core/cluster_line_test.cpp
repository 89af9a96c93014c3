#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "spots/cluster_stream.h"
#include "spots/spot.h"

namespace mirva {
namespace {

struct LineCase {
  const char* line;
  bool is_spot;
  std::int64_t hz = 0;
  const char* call = "";
  const char* spotter = "";
  const char* time = "";
  const char* mode = "";
  int snr_db = 0;
  int wpm = 0;
  const char* comment = "";
};

// Spots as each kind of node writes them, and lines that only look like one.
const LineCase kLines[] = {
    {"DX de DL1ABC:     14025.0  UA9XYZ       CQ                             1234Z", true, 14025000,
     "UA9XYZ", "DL1ABC", "1234", "", 0, 0, "CQ"},
    {"DX de W3LPL-#:    7025.10  K1ABC        CW    23 dB  28 WPM  CQ      1830Z", true, 7025100,
     "K1ABC", "W3LPL-#", "1830", "CW", 23, 28, "CW    23 dB  28 WPM  CQ"},
    {"DX de EA5WU-#:   14080.0  DL1XX        RTTY  12 dB  45 BPS  CQ      0001Z JO21", true,
     14080000, "DL1XX", "EA5WU-#", "0001", "RTTY", 12, 45},
    {"DX de VE7CC-@:   14074.0  ja1abc       FT8 -12 dB  1500 Hz          2359Z", true, 14074000,
     "JA1ABC", "VE7CC-@", "2359", "", 0, 0, "FT8 -12 dB  1500 Hz"},
    {"DX de KM3T-2-#:14025.1 UA9XYZ CW 5 dB 30 WPM 1200Z", true, 14025100, "UA9XYZ", "KM3T-2-#",
     "1200", "CW", 5, 30},
    {"DX de G4ABC-2:1836.5 F5XYZ/P 5NN tnx 0803Z", true, 1836500, "F5XYZ/P", "G4ABC-2", "0803", "",
     0, 0, "5NN tnx"},
    {"dx de ok1abc:  3505.000  OK2XYZ", true, 3505000, "OK2XYZ", "OK1ABC", ""},
    {"DX de OK1ABC:  3505  OK2XYZ  qrv 2500Z", true, 3505000, "OK2XYZ", "OK1ABC", "", "", 0, 0,
     "qrv 2500Z"},
    {"DX de DL1ABC:   14O25.0  UA9XYZ  CQ  1234Z", false},
    {"DX de DL1ABC:   14025.  UA9XYZ  1234Z", false},
    {"DX de DL1ABC:   14025.0001  UA9XYZ  1234Z", false},
    {"DX de DL1ABC:   0.0  UA9XYZ  1234Z", false},
    {"DX de DL1ABC:   14025.0  QRZ?  1234Z", false},
    {"DX de DL1ABC:   14025.0  DL1/  1234Z", false},
    {"DX de DL1ABC:   14025.0", false},
    {"DX de DL1ABC   14025.0  UA9XYZ  1234Z", false},
    {"login: DX de DL1ABC: 14025.0 UA9XYZ 1234Z", true, 14025000, "UA9XYZ", "DL1ABC", "1234"},
    {"DL1ABC de NODE 7-Dec 2359Z dxspider >DX de K1AB: 7001 UA9XYZ", true, 7001000, "UA9XYZ",
     "K1AB"},
    {"To ALL de DL1ABC: CQ contest this weekend", false},
    {"To ALL de DL1ABC: see DX de K1AB: 7001 UA9XYZ", false},
    {"WWV de W0MU <18>:   SFI=68, A=4, K=1, No Storms -> No Storms", false},
    {"WCY de DK0WCY-1 <12> : K=2 expK=2 A=8 R=0 SFI=71 SA=qui GMF=qui Au=no", false},
    {"", false},
};

TEST(ClusterLine, ReadsSpotsOfEveryNodeAndLeavesTheRest) {
  for (const LineCase& c : kLines) {
    ClusterLine got = ParseClusterLine(c.line);
    ASSERT_EQ(got.is_spot, c.is_spot) << c.line;
    if (!c.is_spot) {
      EXPECT_EQ(got.text, c.line);
      continue;
    }
    const Spot& spot = got.spot;
    EXPECT_EQ(spot.hz, c.hz) << c.line;
    EXPECT_EQ(spot.call, c.call) << c.line;
    EXPECT_EQ(spot.spotter, c.spotter) << c.line;
    EXPECT_EQ(spot.time, c.time) << c.line;
    EXPECT_EQ(spot.mode, c.mode) << c.line;
    EXPECT_EQ(spot.snr_db, c.snr_db) << c.line;
    EXPECT_EQ(spot.wpm, c.wpm) << c.line;
    EXPECT_EQ(spot.skimmer, spot.spotter.ends_with("-#")) << c.line;
    if (*c.comment) {
      EXPECT_EQ(spot.comment, c.comment) << c.line;
    }
  }
}

TEST(ClusterLine, KeepsTheFrequencyAsWrittenAndCleansTheConsoleText) {
  EXPECT_EQ(ParseClusterLine("DX de W3LPL-#: 7025.10 K1ABC CW 1830Z").spot.khz, "7025.10");
  EXPECT_EQ(ParseClusterLine("DX de W3LPL: 7025.10 K1ABC \x1b[2Jhi\t\xe0 1830Z").spot.comment,
            "[2Jhi \xe0");
  EXPECT_EQ(ParseClusterLine("Hello \xc4\xc5\x1b[0m\tnode").text, "Hello \xc4\xc5[0m node");
}

std::vector<std::string> Lines(ClusterStream& stream, const std::vector<std::string>& pieces) {
  std::vector<std::string> lines;
  for (const std::string& piece : pieces)
    for (std::string& line : stream.Feed(piece))
      lines.push_back(std::move(line));
  return lines;
}

struct StreamCase {
  const char* name;
  std::vector<std::string> pieces;
  std::vector<std::string> lines;
  std::string partial;
};

const StreamCase kStreams[] = {
    {"line ends", {"a\r\nb\nc\rd"}, {"a", "b", "c"}, "d"},
    {"CR LF split", {"a\r", "\nb\r", "", "\n"}, {"a", "b"}, ""},
    {"empty lines", {"\r\n\n\r\r\n"}, {"", "", "", ""}, ""},
    {"options split", {"lo\xff", "\xfb", "\x01gin: \xff\xfd\x03"}, {}, "login: "},
    {"subnegotiation split", {"a\xff\xfa\x18\x01", "\xff\xff\r\n\xff", "\xf0", "b\n"}, {"ab"}, ""},
    {"IAC IAC is 0xFF", {"\xff", "\xff\xe0\n"}, {"\xff\xe0"}, ""},
    {"two-byte commands", {"a\xff\xf1", "b\xff", "\xf9\n"}, {"ab"}, ""},
    {"BEL and NUL", {std::string("a\a\0b\r\0\n", 7)}, {"ab"}, ""},
};

TEST(ClusterStream, CutsLinesWhereverThePiecesSplitThem) {
  for (const StreamCase& c : kStreams) {
    ClusterStream stream;
    EXPECT_EQ(Lines(stream, c.pieces), c.lines) << c.name;
    EXPECT_EQ(stream.TakePartial(), c.partial) << c.name;
  }
}

TEST(ClusterStream, CutsAnOverlongLineAndGoesOn) {
  ClusterStream stream;
  std::string long_line(5000, 'x');
  std::vector<std::string> lines =
      Lines(stream, {long_line.substr(0, 3000), long_line.substr(3000), "\nok\n"});
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0], std::string(ClusterStream::kMaxLine, 'x'));
  EXPECT_EQ(lines[1], "ok");
}

}  // namespace
}  // namespace mirva
