#include "log/cabrillo_qso.h"

#include <gtest/gtest.h>

#include "log/date_value.h"

namespace mirva {
namespace {

/// A QSO line on the given frequency and mode, the rest fixed.
std::string Line(std::string_view khz, std::string_view mode = "CW") {
  return "QSO: " + std::string(khz) + " " + std::string(mode) +
         " 2025-11-29 0001 DL1ABC 599 14 UA3ABC 599 16";
}

TEST(CabrilloQso, ReadsEveryField) {
  CabrilloLine read = ReadCabrilloLine("QSO: 14025 CW 2025-11-29 2359 DL1ABC 599 14 UA3ABC 579 16");
  ASSERT_TRUE(read.qso) << read.error;
  EXPECT_EQ(FormatIsoDate(read.qso->QSODate), "2025-11-29");
  CabrilloQso expected{
      "20", "CW", read.qso->QSODate, "23:59", "DL1ABC", "599", "14", "UA3ABC", "579", "16", ""};
  EXPECT_EQ(*read.qso, expected);
  EXPECT_EQ(read.error, "");

  // Blanks, tabs and case as they come, and the transmitter.
  read = ReadCabrilloLine("  qso:\t21010  ph 2025-11-29 0004 DL1ABC 59 001 K1ABC 59 002 1\r");
  ASSERT_TRUE(read.qso) << read.error;
  EXPECT_EQ(read.qso->Mode, "SSB");
  EXPECT_EQ(read.qso->NumberRcvd, "002");
  EXPECT_EQ(read.qso->Transmitter, "1");
}

TEST(CabrilloQso, BandEdges) {
  struct Case {
    std::string_view khz;
    std::string_view band;  ///< empty: outside every band
  } cases[] = {
      {"1799", ""},    {"1800", "160"},   {"2000", "160"}, {"2001", ""},    {"2000.5", ""},
      {"3500", "80"},  {"4000", "80"},    {"7000", "40"},  {"7300", "40"},  {"10120", ""},
      {"14000", "20"}, {"14025.5", "20"}, {"14350", "20"}, {"21000", "15"}, {"21450", "15"},
      {"28000", "10"}, {"29700", "10"},   {"29701", ""},   {"50100", ""},
  };
  for (const Case& c : cases) {
    CabrilloLine read = ReadCabrilloLine(Line(c.khz));
    if (c.band.empty()) {
      EXPECT_FALSE(read.qso) << c.khz;
      EXPECT_EQ(read.error,
                "frequency '" + std::string(c.khz) + "' kHz is in none of the bands 160 to 10 m");
    } else {
      ASSERT_TRUE(read.qso) << c.khz << ": " << read.error;
      EXPECT_EQ(read.qso->Band, c.band) << c.khz;
    }
  }
}

TEST(CabrilloQso, Modes) {
  std::pair<std::string_view, std::string_view> modes[] = {
      {"CW", "CW"}, {"PH", "SSB"}, {"RY", "RTTY"}, {"DG", "DIGI"}, {"FM", "FM"}};
  for (const auto& [code, mode] : modes) {
    CabrilloLine read = ReadCabrilloLine(Line("7010", code));
    ASSERT_TRUE(read.qso) << code;
    EXPECT_EQ(read.qso->Mode, mode);
  }
}

TEST(CabrilloQso, BadQsoLinesSayWhy) {
  struct Case {
    std::string_view line;
    std::string_view error;
  } cases[] = {
      {"QSO: 14025 CW 2025-11-29 0001 DL1ABC 599 14 UA3ABC 599 16 0 X",
       "too many fields: 12 where a QSO line has 10 or 11"},
      {"QSO: 14025 CW 2025-11-29 DL1ABC 599 14 UA3ABC 599 16",
       "too few fields: 9 where a QSO line has 10 or 11"},
      {"QSO: 14.025MHz CW 2025-11-29 0001 DL1ABC 599 14 UA3ABC 599 16",
       "frequency '14.025MHz' is not a number of kHz"},
      {"QSO: 14025 AM 2025-11-29 0001 DL1ABC 599 14 UA3ABC 599 16",
       "unknown mode 'AM' (CW, PH, RY, DG or FM)"},
      {"QSO: 14025 CW 2025-02-29 0001 DL1ABC 599 14 UA3ABC 599 16",
       "date '2025-02-29' is not YYYY-MM-DD"},
      {"QSO: 14025 CW 2025-11-29 2400 DL1ABC 599 14 UA3ABC 599 16", "time '2400' is not HHMM"},
  };
  for (const Case& c : cases) {
    CabrilloLine read = ReadCabrilloLine(c.line);
    EXPECT_FALSE(read.qso) << c.line;
    EXPECT_EQ(read.error, c.error) << c.line;
  }
}

TEST(CabrilloQso, TextsKeepTheLinesBytesAndReasonsShowControlCharacters) {
  CabrilloLine read = ReadCabrilloLine(Line("7010") + " \xD0\xAF\x1B!");
  ASSERT_TRUE(read.qso) << read.error;
  EXPECT_EQ(read.qso->Transmitter, "\xD0\xAF\x1B!");
  read = ReadCabrilloLine("QSO: 14\x1B[2J CW 2025-11-29 0001 DL1ABC 599 14 UA3ABC 599 16");
  EXPECT_EQ(read.error, "frequency '14\\x1B[2J' is not a number of kHz");
  read = ReadCabrilloLine("QSO: 14025 \xD0\xA1W 2025-11-29 0001 DL1ABC 599 14 UA3ABC 599 16");
  EXPECT_EQ(read.error, "unknown mode '\xD1W' (CW, PH, RY, DG or FM)");  // a Cyrillic Es
}

// Lines of other tags give neither a QSO nor an error.
TEST(CabrilloQso, Tags) {
  struct Case {
    std::string_view line;
    CabrilloTag tag;
  } cases[] = {
      {"START-OF-LOG: 3.0", CabrilloTag::kStartOfLog},
      {"  start-of-log:", CabrilloTag::kStartOfLog},
      {"QSO: 14025 CW", CabrilloTag::kQso},
      {"\tqso:", CabrilloTag::kQso},
      {"end-of-log:\r", CabrilloTag::kEndOfLog},
      {"QSO 14025 CW 2025-11-29 0001 DL1ABC 599 14 UA3ABC 599 16", CabrilloTag::kOther},
      {"X-QSO 14025", CabrilloTag::kOther},
      {"END-OF-LOG", CabrilloTag::kOther},
      {"CONTEST: CQ-WW-CW", CabrilloTag::kOther},
      {"", CabrilloTag::kOther},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(TagOf(c.line), c.tag) << c.line;
    if (c.tag != CabrilloTag::kQso) {
      CabrilloLine read = ReadCabrilloLine(c.line);
      EXPECT_FALSE(read.qso) << c.line;
      EXPECT_EQ(read.error, "") << c.line;
    }
  }
}

}  // namespace
}  // namespace mirva
