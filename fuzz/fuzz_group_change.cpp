// Feeds arbitrary bytes to the decoder of the group's incoming changes: a change it takes
// must encode back to exactly the same bytes, and must fit the size limit.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "group/group_change.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  mirva::DecodedChange decoded = mirva::DecodeChange(bytes);
  if (decoded.change.has_value() == !decoded.error.empty())
    std::abort();
  if (decoded.change &&
      (mirva::EncodeChange(*decoded.change) != bytes || size > mirva::kMaxGroupChangeSize))
    std::abort();
  return 0;
}
