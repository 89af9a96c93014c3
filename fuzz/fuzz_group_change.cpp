// Feeds arbitrary bytes to the decoder of the group's incoming changes: a change it takes
// must encode back to exactly the same bytes and fit the size limit, and applying the bytes
// to an empty log adds at most the one QSO.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "group/group_apply.h"
#include "group/group_change.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  mirva::DecodedChange decoded = mirva::DecodeChange(bytes);
  if (decoded.change.has_value() == !decoded.error.empty())
    std::abort();
  if (decoded.change &&
      (mirva::EncodeChange(*decoded.change) != bytes || size > mirva::kMaxGroupChangeSize))
    std::abort();

  const std::string empty;
  mirva::GroupBatch batch =
      mirva::ApplyMessages({}, mirva::QsoLog(empty), "here", {{1, std::string(bytes)}},
                           [](const mirva::TQSOData&) { return true; });
  bool upsert = decoded.change && decoded.change->kind == mirva::GroupChange::Kind::kUpsert;
  if (batch.records.size() != (upsert ? 1u : 0u) ||
      batch.skipped.size() != (decoded.change ? 0u : 1u))
    std::abort();
  return 0;
}
