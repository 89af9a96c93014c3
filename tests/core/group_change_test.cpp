#include "group/group_change.h"

#include <gtest/gtest.h>

#include "sample_qso.h"

namespace mirva {
namespace {

GroupChange Upsert() {
  GroupChange c;
  c.station = "north";
  c.number = 7;
  c.revision = 2;
  c.editor = "south";
  c.record = SampleQso();
  return c;
}

TEST(GroupChangeTest, UpsertAndTombstoneComeBackAsSent) {
  GroupChange tombstone = Upsert();
  tombstone.kind = GroupChange::Kind::kTombstone;
  tombstone.record = {};
  for (const GroupChange& c : {Upsert(), tombstone}) {
    DecodedChange decoded = DecodeChange(EncodeChange(c));
    ASSERT_TRUE(decoded.change) << decoded.error;
    EXPECT_EQ(*decoded.change, c);
  }
  EXPECT_EQ(MessageIdOf(Upsert()), "north.7.2.south");
}

TEST(GroupChangeTest, MalformedChangesAreRefusedWithAReason) {
  const std::string good = EncodeChange(Upsert());
  const std::size_t header = good.find('\n') + 1;
  std::string long_length = good;
  long_length[header + kCallSlot.offset] = 13;
  GroupChange with_tab = Upsert();
  with_tab.record.Note = "a\tb";
  struct Case {
    const char* name;
    std::string bytes;
  };
  const Case cases[] = {
      {"empty", ""},
      {"no header line", "MIRVA-GROUP 1 T north 7 2 south"},
      {"another format", "OTHER 1 T north 7 2 south\n"},
      {"a later version", "MIRVA-GROUP 2 T north 7 2 south\n"},
      {"an unknown kind", "MIRVA-GROUP 1 X north 7 2 south\n"},
      {"a word too many", "MIRVA-GROUP 1 T north 7 2 south x\n"},
      {"a double space", "MIRVA-GROUP 1 T north  7 2 south\n"},
      {"a station with a dot", "MIRVA-GROUP 1 T no.rth 7 2 south\n"},
      {"a station named -", "MIRVA-GROUP 1 T north 7 2 -\n"},
      {"a number 0", "MIRVA-GROUP 1 T north 0 2 south\n"},
      {"a leading zero", "MIRVA-GROUP 1 T north 07 2 south\n"},
      {"a number past 32 bits", "MIRVA-GROUP 1 T north 4294967296 2 south\n"},
      {"a tombstone with bytes", "MIRVA-GROUP 1 T north 7 2 south\nx"},
      {"a short record", good.substr(0, good.size() - 1)},
      {"a long record", good + '\0'},
      {"a length byte past its field", long_length},
      {"a control character", EncodeChange(with_tab)},
      {"oversized", good + std::string(kMaxGroupChangeSize, 'x')},
  };
  for (const Case& c : cases) {
    DecodedChange decoded = DecodeChange(c.bytes);
    EXPECT_FALSE(decoded.change) << c.name;
    EXPECT_FALSE(decoded.error.empty()) << c.name;
  }
}

}  // namespace
}  // namespace mirva
