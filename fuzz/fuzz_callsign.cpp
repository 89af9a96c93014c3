// Feeds arbitrary bytes to the callsign routines, each line as a call and the whole input
// as the domestic list for the region lookup.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "reference/callsign.h"
#include "reference/domestic.h"
#include "text/strings.h"

namespace {

void CheckCall(std::string_view call, const std::vector<mirva::TDomestic>& list) {
  std::string base;
  std::string designator;
  int kind = mirva::SplitPortable(call, base, designator);
  if (base.size() + designator.size() + (kind == 0 ? 0 : 1) != call.size())
    std::abort();
  std::string prefix = mirva::WpxPrefix(call);
  if (call.empty() ? !prefix.empty() : mirva::LastDigitPos(prefix) == 0)
    std::abort();
  std::string letters = mirva::TrailingLetters(call);
  if (call.substr(call.size() - letters.size()) != letters)
    std::abort();
  if (mirva::LeadingNumber(call) < -1)
    std::abort();
  (void)mirva::RegionByCall(call, list);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  std::vector<mirva::TDomestic> list = mirva::ParseDomesticList(text);
  CheckCall(text, list);
  for (std::string_view line : mirva::SplitLines(text))
    CheckCall(line, list);
  return 0;
}
