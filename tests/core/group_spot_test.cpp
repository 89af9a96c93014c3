#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "group/group_presence.h"

namespace mirva {
namespace {

Spot MakeSpot(std::int64_t hz, std::string call, std::string spotter, std::string comment) {
  Spot spot;
  spot.hz = hz;
  spot.call = std::move(call);
  spot.spotter = std::move(spotter);
  spot.comment = std::move(comment);
  return spot;
}

TEST(GroupSpotTest, ComesBackAsSent) {
  Spot skimmer = MakeSpot(7025100, "K1ABC", "W3LPL-#", "CW 23 dB 28 WPM CQ");
  skimmer.time = "1830";
  skimmer.mode = "CW";
  skimmer.skimmer = true;
  Spot mark = MakeSpot(14200000, "UA9/DL1ABC", "RUN1", "\xCF\xF0\xE8\xE2\xE5\xF2");
  mark.by_hand = true;
  for (const GroupSpot& sent : {GroupSpot{"RUN1", skimmer}, GroupSpot{"MULT-2", mark}})
    EXPECT_EQ(DecodeSpot(EncodeSpot(sent)), sent) << EncodeSpot(sent);
}

TEST(GroupSpotTest, ControlCharactersCannotSplitTheMessage) {
  std::optional<GroupSpot> got =
      DecodeSpot(EncodeSpot({"RUN1", MakeSpot(3510000, "RA3A", "UA1\tA", "up\t2\r\n")}));
  ASSERT_TRUE(got);
  EXPECT_EQ(got->spot.spotter, "UA1A");
  EXPECT_EQ(got->spot.comment, "up2");
}

TEST(GroupSpotTest, RefusesWhatNoStationSends) {
  const std::string head = "MIRVA-SPOT 1\tRUN1\t";
  for (const std::string& bytes : std::vector<std::string>{
           head + "14025000\tUA9XYZ\tDL1ABC\tcluster\tCW\t1234",         // a field short
           head + "14025000\tUA9XYZ\tDL1ABC\tcluster\tCW\t1234\tCQ\tx",  // one too many
           "MIRVA-SPOT 2\tRUN1\t14025000\tUA9XYZ\tDL1ABC\tcluster\tCW\t1234\tCQ",
           "MIRVA-SPOT 1\tRUN 1\t14025000\tUA9XYZ\tDL1ABC\tcluster\tCW\t1234\tCQ",
           head + "0\tUA9XYZ\tDL1ABC\tcluster\tCW\t1234\tCQ",
           head + "-7000000\tUA9XYZ\tDL1ABC\tcluster\tCW\t1234\tCQ",
           head + "14025.0\tUA9XYZ\tDL1ABC\tcluster\tCW\t1234\tCQ",
           head + "99999999999999999999\tUA9XYZ\tDL1ABC\tcluster\tCW\t1234\tCQ",
           head + "14025000\tua9xyz\tDL1ABC\tcluster\tCW\t1234\tCQ",
           head + "14025000\t\tDL1ABC\tcluster\tCW\t1234\tCQ",
           head + "14025000\tUA9XYZ\tDL1ABC\tskimmer\tCW\t1234\tCQ",
       })
    EXPECT_FALSE(DecodeSpot(bytes)) << bytes;
}

}  // namespace
}  // namespace mirva
