// Reads arbitrary bytes as the group's side file: a file it takes must come back the same
// when written and read again, and must compare with a log without a fault.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "group/group_ids.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  std::optional<mirva::GroupIds> ids = mirva::ParseGroupIds(text);
  if (!ids)
    return 0;
  if (mirva::ParseGroupIds(mirva::FormatGroupIds(*ids)) != ids)
    std::abort();
  // The log: the first whole records of the same bytes.
  std::string records(text.substr(0, size / mirva::kQsoRecordSize * mirva::kQsoRecordSize));
  mirva::QsoLog log(records);
  mirva::LogDifference diff = mirva::CompareLog(log, ids->live);
  if (diff.live.size() != log.size() || diff.edited.size() != diff.edited_digests.size())
    std::abort();
  return 0;
}
