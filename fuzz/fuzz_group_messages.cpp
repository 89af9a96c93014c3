// Reads arbitrary bytes as a message another station of the group sent: a presence, a note or
// a spot it takes must come back the same when sent again.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string_view>

#include "group/group_presence.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  if (std::optional<mirva::GroupPresence> presence = mirva::DecodePresence(bytes))
    if (mirva::DecodePresence(mirva::EncodePresence(*presence)) != presence)
      std::abort();
  if (std::optional<mirva::GroupNote> note = mirva::DecodeNote(bytes))
    if (mirva::DecodeNote(mirva::EncodeNote(*note)) != note)
      std::abort();
  if (std::optional<mirva::GroupSpot> spot = mirva::DecodeSpot(bytes))
    if (mirva::DecodeSpot(mirva::EncodeSpot(*spot)) != spot)
      std::abort();
  return 0;
}
