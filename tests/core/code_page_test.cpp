#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "test_dir.h"
#include "text/cp1251.h"
#include "text/oem866.h"

namespace mirva {
namespace {

// The system's iconv is the independent reference for the code page tables.
std::optional<std::string> RunIconv(const std::string& from, const std::string& to,
                                    const std::string& bytes) {
  TestDir dir;
  dir.Write("in", bytes);
  const std::string command = "iconv -f " + from + " -t " + to + " " + (dir / "in") + " > " +
                              (dir / "out") + " 2>/dev/null";
  if (std::system(command.c_str()) != 0)
    return std::nullopt;
  return dir.Read("out");
}

std::string AllBytes() {
  std::string bytes;
  for (int b = 0; b < 256; ++b)
    bytes += static_cast<char>(b);
  return bytes;
}

TEST(CodePage, Cp1251MatchesIconv) {
  // Windows-1251 leaves 0x98 unassigned, and iconv refuses it; the round trip of every byte
  // covers it.
  std::string bytes = AllBytes();
  EXPECT_EQ(Utf8ToCp1251(Cp1251ToUtf8(bytes)), bytes);
  bytes.erase(0x98, 1);
  const std::optional<std::string> utf8 = RunIconv("WINDOWS-1251", "UTF-8", bytes);
  if (!utf8)
    GTEST_SKIP() << "iconv with WINDOWS-1251 is not available";
  EXPECT_EQ(Cp1251ToUtf8(bytes), *utf8);
}

TEST(CodePage, Oem866MatchesIconv) {
  const std::string bytes = AllBytes();
  const std::optional<std::string> utf32 = RunIconv("CP866", "UTF-32BE", bytes);
  if (!utf32 || utf32->size() != 4 * bytes.size())
    GTEST_SKIP() << "iconv with CP866 is not available";
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    char32_t cp = 0;
    for (std::size_t k = 0; k < 4; ++k)
      cp = (cp << 8) | static_cast<unsigned char>((*utf32)[4 * i + k]);
    EXPECT_EQ(Oem866CodePoint(bytes[i]), cp) << i;
    EXPECT_EQ(Oem866Byte(cp), bytes[i]) << i;
  }
}

TEST(CodePage, OemRoundTripKeepsWhatBothPagesHold) {
  // Cyrillic, Yo, the degree and numero signs, no-break space and the middle dot of
  // multiplier keys exist in both code pages.
  const std::string ansi = "UA3ABC \xC0\xDF\xE0\xFF\xA8\xB8\xB0\xB9\xA0\xB7";
  EXPECT_EQ(Cp1251ToOem866(ansi), "UA3ABC \x80\x9F\xA0\xEF\xF0\xF1\xF8\xFC\xFF\xFA");
  EXPECT_EQ(Oem866ToCp1251(Cp1251ToOem866(ansi)), ansi);
  EXPECT_EQ(Cp1251ToOem866("\x80\x88\xAB\x98"), "????");  // Dje, euro, guillemet, unassigned
  EXPECT_EQ(Oem866ToCp1251("\xB0\xC4\xDB"), "???");       // shade and box drawing
}

// The lenient conversion puts a '?' for each byte it cannot use; the checked one stops there.
TEST(CodePage, Utf8ToCp1251) {
  struct Case {
    std::string utf8;
    std::string replaced;  ///< what the lenient conversion gives
    Utf8Fault fault;
    std::string ansi;  ///< what the checked one converted before the fault
    std::size_t offset;
    char32_t code_point;
  } cases[] = {
      {"", "", Utf8Fault::kNone, "", 0, 0},
      {std::string("a\0b", 3), std::string("a\0b", 3), Utf8Fault::kNone, std::string("a\0b", 3), 0,
       0},
      {"\xD0\xAF\xE2\x84\x96\xC2\x98", "\xDF\xB9\x98", Utf8Fault::kNone, "\xDF\xB9\x98", 0,
       0},  // U+0098 is kept as the unassigned byte
      {"ab\xC3\xA9\xD0\xAF", "ab?\xDF", Utf8Fault::kNoByte, "ab", 2, 0xE9},
      {"\xF0\x9F\x98\x80", "?", Utf8Fault::kNoByte, "", 0, 0x1F600},
      {"ab\xFF", "ab?", Utf8Fault::kMalformed, "ab", 2, 0},
      {"\x80", "?", Utf8Fault::kMalformed, "", 0, 0},  // stray continuation byte
      {"A\xD0", "A?", Utf8Fault::kMalformed, "A", 1, 0},
      {"\xD0\xAF\xE2\x82Z", "\xDF?Z", Utf8Fault::kMalformed, "\xDF", 2, 0},
      {"\xD0\xD0\x9F", "?\xCF", Utf8Fault::kMalformed, "", 0, 0},
      {"\xC0\xAF", "??", Utf8Fault::kMalformed, "", 0, 0},            // overlong slash
      {"\xE0\x80\xAF", "???", Utf8Fault::kMalformed, "", 0, 0},       // the same in three bytes
      {"\xED\xA0\x80", "???", Utf8Fault::kMalformed, "", 0, 0},       // surrogate
      {"\xF4\x90\x80\x80", "????", Utf8Fault::kMalformed, "", 0, 0},  // past U+10FFFF
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Utf8ToCp1251(c.utf8), c.replaced) << c.utf8;
    CheckedCp1251 checked = Utf8ToCp1251Checked(c.utf8);
    EXPECT_EQ(checked.fault, c.fault) << c.utf8;
    EXPECT_EQ(checked.text, c.ansi) << c.utf8;
    EXPECT_EQ(checked.offset, c.offset) << c.utf8;
    EXPECT_EQ(checked.code_point, c.code_point) << c.utf8;
  }
}

TEST(CodePage, UpperCaseTurnsLatinAndCyrillicLettersOnly) {
  // a-z, Cyrillic a..ya and yo; digits, "/", the middle dot and the degree sign stay.
  EXPECT_EQ(UpperCase("dl1abc/p \xE0\xFF\xB8 \xB7\xB0 AZ"), "DL1ABC/P \xC0\xDF\xA8 \xB7\xB0 AZ");
}

}  // namespace
}  // namespace mirva
