// Feeds arbitrary bytes to the domestic list parser and looks up each line's first word as a
// callsign in the list.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "reference/callsign.h"
#include "reference/domestic.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  std::vector<mirva::TDomestic> list = mirva::ParseDomesticList(text);
  for (const mirva::TDomestic& entry : list) {
    if (entry.Code.find_first_of(" =") != std::string::npos ||
        entry.Name.find_first_of(" =") != std::string::npos ||
        (entry.Code.empty() && !entry.Name.empty()))
      std::abort();
    (void)mirva::RegionByCall(entry.Code, list);
  }
  return 0;
}
