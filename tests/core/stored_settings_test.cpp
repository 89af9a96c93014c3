#include "session/stored_settings.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "failing_file_system.h"
#include "memory_file_system.h"
#include "recording_notifier.h"

namespace mirva {
namespace {

struct Case {
  const char* name;
  std::string text;
  std::optional<int> index;
  std::optional<TStationCFG> station;
  std::vector<std::size_t> notice_lines;
};

// A file as the windows leave it: Qt's escapes, other windows' sections and CR LF.
const char kWritten[] =
    "[ContestName]\r\n"
    "lbContestList.Tag=3\r\n"
    "\r\n"
    "[Main]\r\n"
    "geometry=@ByteArray(\\x1\\xd9\\xd0\\xcb\\0\\x3\\0\\0)\r\n"
    "sbCalls.Down=true\r\n"
    "\r\n"
    "[Station%20configuration]\r\n"
    "eCall=UA3ABC\r\n"
    "eCont=EU\r\n"
    "eCountry=UA\r\n"
    "eCQ=16\r\n"
    "eITU=29\r\n"
    "eLat=55.75\r\n"
    "eLong=-37.62\r\n"
    "eState=\xD0\x9C\xD0\x9E\r\n";  // "МО" in UTF-8

const TStationCFG kWrittenStation{.Call = "UA3ABC",
                                  .Country = "UA",
                                  .ITU = "29",
                                  .CQ = "16",
                                  .Cont = "EU",
                                  .Lat = "55.75",
                                  .Long = "-37.62",
                                  .State = "\xCC\xCE"};

TStationCFG CallOnly(std::string call) {
  TStationCFG station;
  station.Call = std::move(call);
  return station;
}

TEST(StoredSettings, Structure) {
  const Case cases[] = {
      {"as the windows write it", kWritten, 3, kWrittenStation, {}},
      {"lone CR line ends", "[ContestName]\rlbContestList.Tag=2\r", 2, std::nullopt, {}},
      {"nothing stored", "", std::nullopt, std::nullopt, {}},
      {"other sections", "[Main]\nlbContestList.Tag=1\neCall=X\n", std::nullopt, std::nullopt, {}},
      {"an empty station section", "[Station%20configuration]", std::nullopt, TStationCFG{}, {}},
      {"no escapes", "[Station configuration]\neCall=K1A\n", std::nullopt, CallOnly("K1A"), {}},
      {"%U and %XX",
       "[%U0053tation%20configuration]\ne%43all=K1A",
       std::nullopt,
       CallOnly("K1A"),
       {}},
      {"'\\' for '/'", "[General]\nContestName\\lbContestList.Tag=5\n", 5, std::nullopt, {}},
      {"case counts", "[contestname]\nlbContestList.Tag=5\n", std::nullopt, std::nullopt, {}},
      {"the later wins",
       "[ContestName]\nlbContestList.Tag=1\nlbContestList.Tag=4",
       4,
       std::nullopt,
       {}},
      {"a negative index", "[ContestName]\nlbContestList.Tag=-1\n", -1, std::nullopt, {}},
      {"junk lines, comments",
       "; c\n# c\njunk\n[Unclosed\n[Station configuration]\neCall=K1A",
       std::nullopt,
       CallOnly("K1A"),
       {3, 4}},
      {"index text", "[ContestName]\nlbContestList.Tag=three\n", std::nullopt, std::nullopt, {2}},
      {"index past int",
       "[ContestName]\nlbContestList.Tag=4294967296",
       std::nullopt,
       std::nullopt,
       {2}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    StoredSettings settings = ParseStoredSettings(c.text);
    EXPECT_EQ(settings.contest_index, c.index);
    EXPECT_EQ(settings.station, c.station);
    std::vector<std::size_t> lines;
    for (const SettingsNotice& notice : settings.notices)
      lines.push_back(notice.line);
    EXPECT_EQ(lines, c.notice_lines);
  }
}

struct ValueCase {
  std::string line;
  std::optional<std::string> text;  ///< Windows-1251; nothing: left out with a notice
};

TEST(StoredSettings, Values) {
  const ValueCase cases[] = {
      // As Qt 6 writes blanks at the ends, , ; = and quotes, a leading @ and a NUL.
      {"eState=\"  UA, x; y=z  \"", "  UA, x; y=z  "},
      {"eState=\\\"16\\\"\\\\", "\"16\"\\"},
      {"eState=@@29", "@29"},
      {"eState=@String(\\0\\x35)", std::nullopt},
      // By hand.
      {"eState=  ab\\x20  ", "ab "},
      {"eState=\\x41f\\x43e", "\xCF\xEE"},  // a hex escape takes every digit
      {"eState=DL1ABC ; mine", "DL1ABC"},
      {"eState=a,b , c", "a, b, c"},
      {"eState=@ByteArray(\\xd0\\x9c)", "\xCC"},
      {"eState=@Invalid()", ""},
      {"eState=@Variant(\\0\\0\\0\\x87)", std::nullopt},
      {"eState=Z\xC3\xBCrich", std::nullopt},
      {"eState=\\xd83d\\xde00", std::nullopt},  // a character past U+FFFF
      {"eState=\\xd83d", std::nullopt},         // a lone surrogate
      {"eState=\xFF", std::nullopt},
      {"eState=a\\nb", std::nullopt},
      {"eCall=\"DL 1\"", std::nullopt},
  };
  for (const ValueCase& c : cases) {
    SCOPED_TRACE(c.line);
    StoredSettings settings = ParseStoredSettings("[Station%20configuration]\n" + c.line);
    ASSERT_TRUE(settings.station);
    EXPECT_EQ(settings.station->State + settings.station->Call, c.text.value_or(""));
    EXPECT_EQ(settings.notices.size(), c.text ? 0u : 1u);
  }
}

TEST(StoredSettings, NoticesSayWhat) {
  StoredSettings settings = ParseStoredSettings(
      "[ContestName]\nlbContestList.Tag=\"1 2\"\n[Station%20configuration]\neState=\xC3\xBC\n");
  ASSERT_EQ(settings.notices.size(), 2u);
  EXPECT_EQ(settings.notices[0].text,
            "lbContestList.Tag '1 2' is not a whole number; no contest is taken from it");
  EXPECT_EQ(settings.notices[1].text,
            "the station text eState holds U+00FC, a character that Windows-1251 cannot hold; it "
            "is left out");
}

TEST(StoredSettings, Radio) {
  struct RadioCase {
    const char* text;
    RadioSettings radio;
    std::size_t notices;
  };
  const RadioCase cases[] = {
      {"", {}, 0},
      {"[Radio]\nEnabled=true\nModel=3073\nPort=/dev/ttyUSB0\nSpeed=19200",
       {true, 3073, "/dev/ttyUSB0", 19200},
       0},
      {"[Radio]\nEnabled=false\nPort=\"127.0.0.1:4532\"", {false, 2, "127.0.0.1:4532", 0}, 0},
      {"[Radio]\nModel=IC-7300\nSpeed=-9600\nEnabled=1", {}, 2},
      {"[Radio]\nPort=@Variant(\\0)", {}, 1},
      {"[Main]\nModel=3073", {}, 0},
  };
  for (const RadioCase& c : cases) {
    StoredSettings settings = ParseStoredSettings(c.text);
    EXPECT_EQ(settings.radio, c.radio) << c.text;
    EXPECT_EQ(settings.notices.size(), c.notices) << c.text;
  }
}

TEST(StoredSettings, LoadTellsTheFile) {
  MemoryFileSystem fs;
  RecordingNotifier notifier;
  EXPECT_FALSE(LoadStoredSettings(fs, notifier, "/c/none.conf").station);
  EXPECT_TRUE(notifier.messages.empty());

  std::string junk;
  for (int i = 0; i < 12; ++i)
    junk += "junk\n";
  fs.files["/c/m.conf"] = junk + "[ContestName]\nlbContestList.Tag=7\n";
  EXPECT_EQ(LoadStoredSettings(fs, notifier, "/c/m.conf").contest_index, 7);
  ASSERT_EQ(notifier.messages.size(), 11u);
  EXPECT_EQ(notifier.messages[0],
            "The settings file /c/m.conf, line 1: 'junk' is neither a [section] nor a KEY=VALUE "
            "line; it is skipped.");
  EXPECT_EQ(notifier.messages[10],
            "The settings file /c/m.conf: 2 more lines or values are left out.");

  FailingFileSystem unreadable(fs);  // the file is there, but cannot be read
  unreadable.unreadable = true;
  notifier.messages.clear();
  EXPECT_FALSE(LoadStoredSettings(unreadable, notifier, "/c/m.conf").contest_index);
  EXPECT_EQ(notifier.messages,
            std::vector<std::string>{
                "The settings file /c/m.conf cannot be read; nothing stored in it is used."});
}

}  // namespace
}  // namespace mirva
