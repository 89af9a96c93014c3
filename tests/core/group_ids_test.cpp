#include "group/group_ids.h"

#include <gtest/gtest.h>

#include "sample_qso.h"

namespace mirva {
namespace {

GroupEntry Entry(std::string station, uint32_t number, uint64_t digest) {
  return {std::move(station), number, {1, "a", digest, false, 5}, std::nullopt};
}

TEST(GroupIdsTest, SideFileComesBackWholeAndADamagedOneIsRefused) {
  GroupIds ids;
  ids.seen = 42;
  ids.seen_digest = 0xfedcba9876543210;
  ids.next_number = 3;
  ids.live = {Entry("a", 1, 0xabcdef), Entry("", 0, 7)};
  ids.live[1].current = {0, "", 7, false, 0};
  ids.live[0].next = GroupVersion{2, "b", 0, true, 43};
  ids.deleted = {Entry("b", 9, 0)};
  ids.deleted[0].current.deleted = true;
  ids.deleted[0].current.digest = 0;
  std::string text = FormatGroupIds(ids);
  EXPECT_EQ(ParseGroupIds(text), ids);
  EXPECT_FALSE(ParseGroupIds(text.substr(0, text.size() / 2)));
  EXPECT_FALSE(ParseGroupIds(""));
}

TEST(GroupIdsTest, ADamagedRecordHasTheDigestOfTheRecordItDecodesTo) {
  std::string raw = EncodeQSO(SampleQso());
  raw[kCallSlot.offset + 10] = 'x';  // past the callsign's end
  raw[kModeSlot.offset] = 9;         // longer than its field
  raw[kQsoRecordSize - 1] = 'x';     // in the zeros at the end
  std::string clean = EncodeQSO(DecodeQSO(raw.data()));
  ASSERT_NE(raw, clean);
  EXPECT_EQ(RecordDigest(QsoRecordView(raw.data())), RecordDigest(QsoRecordView(clean.data())));
}

TEST(GroupIdsTest, LogComparedWithTheSideFile) {
  std::string bytes;
  std::vector<uint64_t> d;
  for (const char* call : {"A1A", "B1B", "C1C", "D1D"}) {
    bytes += EncodeQSO(TestQso(call));
    d.push_back(RecordDigest(QsoRecordView(bytes.data() + bytes.size() - kQsoRecordSize)));
  }
  QsoLog log(bytes);
  GroupEntry pending_add{"x", 5, {}, GroupVersion{1, "x", d[3], false, 9}};
  GroupEntry lost_add{"x", 6, {}, GroupVersion{1, "x", 99, false, 10}};
  GroupEntry pending_edit = Entry("x", 2, 77);
  pending_edit.next = GroupVersion{2, "x", d[1], false, 11};
  GroupEntry pending_delete = Entry("x", 3, 88);
  pending_delete.next = GroupVersion{2, "x", 0, true, 12};

  // Record B was edited here (its entry held 55), D came with a pending add, the rest match.
  LogDifference diff = CompareLog(log, {Entry("x", 1, d[0]), Entry("x", 2, 55), pending_delete,
                                        Entry("x", 4, d[2]), pending_add, lost_add});
  ASSERT_EQ(diff.live.size(), 4u);
  EXPECT_EQ(diff.edited, std::vector<std::size_t>{1});
  EXPECT_EQ(diff.edited_digests, std::vector<uint64_t>{d[1]});
  EXPECT_EQ(diff.live[3].number, 5u);
  EXPECT_EQ(diff.live[3].current.revision, 1u);
  ASSERT_EQ(diff.settled_deletes.size(), 1u);
  EXPECT_TRUE(diff.removed.empty());

  // A pending edit that reached the log is taken; an entry whose record is gone is removed;
  // a record no entry knows is new.
  diff =
      CompareLog(log, {Entry("x", 1, d[0]), pending_edit, Entry("x", 9, 66), Entry("x", 4, d[2])});
  ASSERT_EQ(diff.live.size(), 4u);
  EXPECT_EQ(diff.live[1].current.revision, 2u);
  EXPECT_TRUE(diff.edited.empty());
  ASSERT_EQ(diff.removed.size(), 1u);
  EXPECT_EQ(diff.removed[0].number, 9u);
  EXPECT_FALSE(diff.live[3].Identified());
}

}  // namespace
}  // namespace mirva
