// Feeds arbitrary bytes to the cluster line splitter, in pieces cut where the input says, and
// each line and the whole input to the spot parser.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "spots/cluster_stream.h"
#include "spots/spot.h"
#include "text/strings.h"

namespace {

using mirva_fuzz::Check;

void CheckLine(std::string_view line) {
  mirva::ClusterLine parsed = mirva::ParseClusterLine(line);
  if (!parsed.is_spot) {
    Check(parsed.text.size() <= line.size());
    for (char c : parsed.text)
      Check(!mirva::IsControlChar(c));
    return;
  }
  const mirva::Spot& spot = parsed.spot;
  Check(spot.hz > 0 && !spot.khz.empty() && line.find(spot.khz) != std::string_view::npos);
  Check(spot.call.size() >= 3 && spot.time.size() % 4 == 0 && spot.time.size() <= 4);
  for (char c : spot.call + spot.spotter + spot.comment)
    Check(!mirva::IsControlChar(c));
  Check(spot.skimmer == spot.spotter.ends_with("-#"));
  Check(spot.skimmer || spot.mode.empty());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  CheckLine(text);
  // The first byte sets the size of the pieces the rest arrives in.
  std::size_t piece = size == 0 ? 1 : data[0] % 16 + 1;
  mirva::ClusterStream stream;
  std::string joined;
  for (std::size_t at = 0; at < text.size(); at += piece) {
    for (const std::string& line : stream.Feed(text.substr(at, piece))) {
      Check(line.size() <= mirva::ClusterStream::kMaxLine);
      Check(line.find_first_of(std::string_view("\r\n\a\0", 4)) == std::string::npos);
      CheckLine(line);
    }
  }
  std::string partial = stream.TakePartial();
  Check(partial.size() <= mirva::ClusterStream::kMaxLine);
  CheckLine(partial);
  return 0;
}
